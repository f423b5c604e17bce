// The axle-load picture under a vehicle drawing: a support triangle per axle with its empty and
// permissible load, the two axle groups with their minimum shares and their actual loads.
#pragma once

#include "draw2d/IPlanDrawView.h"

#include <QBrush>
#include <QFont>
#include <QPoint>

#include <QRect>

#include <array>
#include <utility>
#include <vector>

class CFahrzeug;
class IPlanDrawView;
class QPainter;

class CAuflager
{
public:
    static constexpr int kMaxStuetzen = 10;

    CAuflager();

    // Stores the vehicle and the view; always true.
    bool Create(CFahrzeug* pFahrzeug, IPlanDrawView* pView);
    // The multi view re-points the picture before each vehicle it draws.
    void SetFahrzeug(CFahrzeug* pFahrzeug, IPlanDrawView* pView);

    // x: front end of the first load area; y: the line under the vehicle drawing; n: the rulers' pixels
    // per metre; dZoom: the view's zoom. Always true.
    bool Draw(QPainter& painter, int x, int y, int n, double dZoom, IPlanDrawView* pView);
    // The rectangles (device coordinates) of the texts Draw would draw, drawing nothing and telling the
    // view nothing; the triangles of the last draw are this picture's afterwards.
    std::vector<QRect> MissTexte(const QPainter& painter, int x, int y, int n, double dZoom,
                                 IPlanDrawView* pView);
    // Texts of another picture (device coordinates) that the row titles keep clear of.
    void SetFreiZuHalten(std::vector<QRect> rc) { m_rcFrei = std::move(rc); }

    // The triangles of the last draw: apex, right corner, left corner.
    const std::array<QPoint, 3>& GetAchse(int i) const { return m_ptAchsen.at(static_cast<std::size_t>(i)); }
    const std::array<QPoint, 3>& GetGruppe(int i) const
    {
        return m_ptGruppen.at(static_cast<std::size_t>(i));
    }
    int GetStuetzenAnzahl() const { return m_nStuetzen; }
    // Whether the group (0 front, 1 rear) was drawn as breaking a limit at the last draw.
    bool IsGruppeRot(int i) const { return m_bRot.at(static_cast<std::size_t>(i)); }

    static const QColor kAktiv;
    static const QColor kRot;
    static const QColor kInaktiv;

private:
    // The steps of Draw, on the frame it works out first (defined with it).
    struct SLage;
    void Melde(const SLage& g, IPlanDrawView::AuflagerSpot which, int index, const QRect& rc) const;
    void DrawStuetzen(SLage& g);
    void DrawGruppen(SLage& g);
    int DrawMinAnteile(SLage& g) const;
    void DrawGruppenLasten(SLage& g, int y4) const;
    void DrawZeilenTitel(const SLage& g) const;
    void DrawZusatzmasse(const SLage& g) const;

    CFahrzeug* m_pFahrzeug = nullptr;
    IPlanDrawView* m_pView = nullptr;
    QFont m_font;
    double m_dZoom = 0.0;
    std::array<std::array<QPoint, 3>, kMaxStuetzen> m_ptAchsen{};
    std::array<std::array<QPoint, 3>, 2> m_ptGruppen{};
    std::array<bool, 2> m_bRot{};
    int m_nStuetzen = 0;
    std::vector<QRect> m_rcFrei;
    std::vector<QRect>* m_pGemessen = nullptr; // set while measuring
};
