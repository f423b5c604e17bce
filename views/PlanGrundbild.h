// The plan's layers under the loads that may move (cab, load area, grid, focus frame and the loads that
// stay where they are), kept as a picture together with everything it was drawn from.
#pragma once

#include "views/PlanMassstab.h"

#include <QBrush>
#include <QFont>
#include <QImage>
#include <QPen>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <string>
#include <vector>

class QPainter;
struct tagLGINFO;

class PlanGrundbild
{
public:
    // What the layers are drawn from besides the loads: the picture's size and scroll offset, the
    // vehicles, the scale and layout of the load area, the display options, fonts and pictures.
    struct SLage
    {
        QSize geraet;
        QPoint versatz;
        // The painter's state at the start.
        QPen stift;
        QBrush pinsel;
        QFont schrift;
        int nHinweise = 0;
        const void* pFahrzeug = nullptr;
        const void* pPlan = nullptr;
        const void* pVorn = nullptr;
        int nVornArt = -1;
        bool bVornArt5 = false;
        bool bAnhaenger = false;
        double dAchse1 = 0.0;
        double L = 0.0, W = 0.0;
        double e[4] = {};
        double s = 0.0;
        PlanMassstab massstab;
        QPoint rand;
        int x0 = 0, y0 = 0;
        // The display options of the plan (the view's copy of them).
        bool bRasterBeschriftung = false, bLadungenZeigen = true, bRasterZeigen = false,
             bRichtungZeigen = false, bBeschriftung = true;
        double dRasterX = 0.0, dRasterY = 0.0;
        int nRasterSeite = 0;
        QFont fontKlein, fontNormal, fontLabel, fontSenkrecht, fontSchmal;
        qint64 nMuster = 0;
        QString titel;
        // The current load's side-position button, whose place the grid's figures leave free.
        QRect knopfY;
        bool operator==(const SLage&) const = default;
    };
    // A load drawn into the layers, with every value its drawing reads.
    struct SLadung
    {
        const tagLGINFO* pLg = nullptr;
        double x = 0.0, y = 0.0, l = 0.0, b = 0.0, t = 0.0, spl = 0.0, spb = 0.0;
        int nDrehung = 0, nTyp = 0, nLe = 0, nNummer = 0;
        std::string name;
        bool operator==(const SLadung&) const = default;
    };
    static SLadung Stand(const tagLGINFO& lg);

    // Whether the kept picture was drawn from exactly this.
    bool Passt(const SLage& lage, const std::vector<SLadung>& ladungen) const;
    // Keeps the drawn part of `bild` (a white RGB32 picture with the layers drawn on it) for `lage` and
    // `ladungen`.
    void Setze(const SLage& lage, std::vector<SLadung> ladungen, QImage bild);
    // Copies the drawn part of the kept picture onto `p`'s device, at the same device pixels.
    void Zeichne(QPainter& p) const;
    void Verwirf();
    bool IstGueltig() const { return m_bGueltig; }
    // The part of the picture that is not white (empty when the layers drew nothing).
    QRect Inhalt() const { return m_rcInhalt; }

private:
    bool m_bGueltig = false;
    SLage m_lage;
    std::vector<SLadung> m_ladungen;
    QImage m_bild;
    QRect m_rcInhalt;
};
