// The template view's kept picture: its last picture with what it was drawn for, handed out again while
// nothing of that changed, the hint animations' frames and the chart drawn over it when they changed.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <functional>

class QPainter;

class CVorlageBildSpeicher
{
public:
    // What the kept drawing was made for.
    struct SSchluessel
    {
        QSize size;
        QPoint scroll;
        double dZoom = 0.0;
        unsigned nStand = 0;
        const void* pDoc = nullptr;
        const void* pFahrzeug = nullptr;
        const void* pZugfahrzeug = nullptr;
        const void* pEditZL = nullptr;
        const void* pHoverZL = nullptr;
        int nViewAktiv = 0;
        int nDrawMode = 0;
        int nDrawArg = 0;
        int nSelAchse = 0;
        int nExportTeil = 0;
        int nPixProMeter = 0;
        int nPixProTonne = 0;
        QRect rcKnopf;
        bool bShowFahrzeug = false;
        bool bShowBemassung = false;
        bool bShowDiagramm = false;
        bool bActive = false;
        bool bSplitter = false;
        bool bRulerFlag = false;
        bool operator==(const SSchluessel&) const = default;
    };
    // What stands over the kept drawing: the hint animations' step (bAnim: they show) and the chart's
    // picture (bDiagrammNeu: the chart was just brought up to date).
    struct SDazu
    {
        bool bAnim = false;
        int nAnimSchritt = -1;
        bool bDiagrammNeu = false;
        QImage diagramm;
    };
    // How the view draws its picture: the part that is kept, what stands over it, and the state of the
    // latter (bAktualisieren: the chart brought up to date first).
    struct SZeichner
    {
        std::function<void(QPainter&)> grundbild;
        std::function<void(QPainter&)> dazu;
        std::function<SDazu(bool bAktualisieren)> stand;
    };

    // Whether pictures may come from the kept drawing (tests compare them with drawings made anew).
    void SetAn(bool bAn)
    {
        m_bAn = bAn;
        m_bGueltig = false;
    }
    bool IstAn() const { return m_bAn; }
    // Drops the kept drawing: the next picture draws everything.
    void Verwirf() { m_bGueltig = false; }
    // A picture is drawn past the kept drawing, which drops.
    void Umgehe()
    {
        m_bAusSpeicher = false;
        m_bGueltig = false;
    }
    // Whether the last picture came from the kept drawing.
    bool WarAusSpeicher() const { return m_bAusSpeicher; }
    // The picture for the key (its size and scroll position): the kept one when it was made for the same
    // key, with what stands over it drawn again when that changed; else drawn anew and kept.
    QImage Bild(const SSchluessel& k, const SZeichner& z);

private:
    // Whether an animation stepped or the chart changed since the kept picture was made.
    bool Geaendert(const SDazu& d) const;
    void Merke(const SDazu& d);

    QImage m_Bild;
    int m_nAnimSchritt = -1;
    QImage m_Diagramm;
    SSchluessel m_Schluessel;
    bool m_bGueltig = false;
    bool m_bAn = true;
    bool m_bAusSpeicher = false;
};
