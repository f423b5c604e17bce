// The template view: the vehicle worked on as a side view on the metre and tonne rulers, with its
// dimension lines, the axle-load picture below and, on demand, the payload chart beside it.
#pragma once

#include "views/CGetAnsView.h"

#include "draw2d/CAuflager.h"
#include "draw2d/CBemassung.h"
#include "draw2d/CDIBFahrzeug.h"
#include "draw2d/CFahrzeugDiagrammBild.h"
#include "draw2d/CKoordSys.h"
#include "draw2d/IPlanDrawView.h"
#include "model/vehicle/STupel.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <array>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

class CRibBtnContainer;

class CQOR1View : public CGetAnsView, public IPlanDrawView
{
    Q_OBJECT

public:
    // Document hints the view reacts to.
    static constexpr int kHintLadungen = 44;
    static constexpr int kHintBereich = 55;
    static constexpr int kHint88 = 88;
    // The rulers' scale of an ordinary vehicle at zoom 1.
    static constexpr int kPixProMeter = 194;
    static constexpr int kPixProTonne = 70;

    // The position and payload figures at a point, for the status line and the load dialog.
    struct SPositionInfo
    {
        double dPosition = 0.0;
        double dNutzlast = 0.0;
        double dZweiterWert = 0.0;
        bool bGueltig = false;
    };

    // A tooltip tool the drawings left behind.
    struct STool
    {
        QRect rc;
        std::string text;
    };

    explicit CQOR1View(CQOR1Doc* pDoc = nullptr, QWidget* parent = nullptr);
    ~CQOR1View() override;

    // CGetAnsView
    void OnInitialUpdate() override;
    void OnUpdate(CGetAnsView* pSender, int nHint) override;
    int OnViewNotify(int nCode, int nValue) override;
    void OnActivateView(bool bActivate, CGetAnsView* pActivated, CGetAnsView* pDeactivated) override;
    int GetOriginX() const override;
    int MetresToPixels(double dMetres) override;

    // IPlanDrawView
    CQOR1Doc* GetDocument() const override { return CGetAnsView::GetDocument(); }
    bool IsBildExport() const override { return m_bBildExport; }
    bool IsPrinting() const override { return m_bPrinting; }
    int GetDrawShiftX() const override { return m_nDrawShiftX; }
    int GetDrawShiftY() const override { return m_nDrawShiftY; }
    int GetViewAktivIndex() const override { return 1; }
    bool HasTowingPair() const override { return false; }
    int MetresToPixels(double dMetres) const override;
    QRect GetLadeflaecheRect() const override { return m_rcLadeflaeche; }
    int GetSelAchse() const override { return m_nSelAchse; }
    void SetHotSpot(HotSpot which, const QRect& rc) override;
    void SetToolTip(int toolId, const QRect& rc, const std::string& text) override;
    void RemoveToolTip(int toolId) override;
    void SetLabelRect(int id, const QRect& rc) override;
    void SetSchwerpunktPos(double x) override { m_dSchwerpunktPos = x; }
    void SetAuflagerRect(AuflagerSpot which, int index, const QRect& rc) override;
    void DrawAchsTracker(QPainter& painter, const QRect& rc) override;
    void DrawZLTracker(QPainter& painter, const QRect& rc) override;

    // Longitudinal position in metres of the point's x, measured from the front of the usable load
    // area, rounded to 0.01 m.
    double PixelToPosition(const QPoint& pt) const;
    // The figures at a point ((-1, -1) = the load area's front); -1 when the position was clamped to the
    // front, 1 when clamped to the rear, else 0.
    int CalcPositionInfo(SPositionInfo* pInfo, const QPoint& pt) const;
    // 1 when an additional item of the kind may be added to the vehicle worked on, else 0.
    int CanAddZL(int nKind) const;
    // Non-zero when the document holds a partner vehicle that the views may switch to (the 3D view's Tab).
    virtual int CanShowPartner() const;
    // Looks for a hot item of the vehicle drawing under the point; true when found.
    bool HitHotRect(const QPoint& pt);
    // Ruler width with its title; with the vehicle also the drawing's length ahead of the load area.
    int CalcPlanWidth(bool bFahrzeug, CDIBFahrzeug* pDIB);
    CDIBFahrzeug* GetDIBFahrzeug() const { return m_pDIBFahrzeug.get(); }
    // The next paint builds the vehicle drawing again.
    void ResetDIBFahrzeug() { m_pDIBFahrzeug.reset(); }
    // Shows or hides the payload chart beside the vehicle; showing it rebuilds the chart's curve.
    void ShowDiagramm(bool bShow);
    bool IsDiagrammShown() const { return m_bShowDiagramm; }

    // The vehicle picture of a report at the view's zoom: 648 pixels wide, 532 less the height reduction
    // high, the vehicle centred for a picture area of the width.
    QImage RenderExport(int nExportWidth, int nHoehenReduktion = 0);
    // Writes the report pictures of export number 1 (front vehicle, "_SUP") or 2 (trailer, "_INF"):
    // the vehicle picture and, when asked, the chart of the vehicle worked on. Old pictures of the part
    // go first, so a failure leaves none behind; false when a picture could not be written.
    bool ExportBilder(int nTeil, int nExportWidth, int nHoehenReduktion, bool bDiagramm,
                      const std::filesystem::path& folder);

    // The zoom that fits the picture on a page of the size in device pixels, a small margin kept.
    static double CalcPrintZoom(int nHorzRes, int nVertRes);
    // Printing switches the view to the page's zoom and back.
    void OnBeginPrinting(const QRect& rcSeite);
    void OnEndPrinting();
    // Prints the picture into a PDF file of one page; false when the file could not be made.
    bool PrintToPdf(const QString& path);
    double GetLetzterDruckZoom() const { return m_dDruckZoom; }

    double GetZoom() const { return m_dZoom; }
    void SetZoom(double dZoom);
    QPoint GetOriginDrawn() const { return m_ptOriginDrawn; }
    QRect GetHotSpot(HotSpot which) const { return m_rcHotSpots.at(static_cast<std::size_t>(which)); }
    QRect GetLabelRect(int id) const;
    const std::map<int, STool>& GetTools() const { return m_tools; }
    QRect GetChartRect() const { return m_rcDiagramm; }
    CKoordSys& GetKoordSys() { return m_KoordSys; }
    CAuflager& GetAuflager() { return m_Auflager; }
    const CFahrzeugDiagrammBild& GetDiagrammBild() const { return m_DiagrammBild; }
    int GetDrawArg() const { return m_nDrawArg; }
    QRect GetHotItemRect() const { return m_rcHotItem; }
    CRibBtnContainer* GetHilfeStrip() const { return m_pBtnsHilfe; }
    // Band of an odd hint's partial repaint, in client pixels, and whether the last paint was partial.
    QRect GetTeilBand() const;
    bool WarTeilweise() const { return m_bLetzteTeilweise; }

    bool m_bShowFahrzeug = true;
    bool m_bShowBemassung = true;
    bool m_bRulerFlag = false;
    int m_nDrawMode = 0;
    int m_nSelAchse = -1;

protected:
    void OnDraw(QPainter& painter) override;

private:
    // The vehicle with load area the view works on.
    CFahrzeug* GetArbeitsFahrzeug() const;
    double Frontrand(const CFahrzeug* f) const;

    CRibBtnContainer* m_pBtnsHilfe = nullptr;
    bool m_bShowDiagramm = false;
    bool m_bBildExport = false;
    bool m_bPrinting = false;
    bool m_bFontsDirty = true;
    bool m_bLetzteTeilweise = false;
    QRect m_rcLadeflaeche;
    std::unique_ptr<CDIBFahrzeug> m_pDIBFahrzeug;
    int m_nExportWidth = 648;
    int m_nDrawShiftX = 0;
    int m_nDrawShiftY = 0;
    double m_dZoom = 0.25;
    double m_dZoomSaved = 0.25;
    double m_dDruckZoom = 0.0;
    QPoint m_ptOrigin{1, 255};
    QPoint m_ptOriginDrawn;
    STupel m_Scale{1.0, 1.0, -1};
    CKoordSys m_KoordSys;
    CBemassung m_Bemassung;
    CAuflager m_Auflager;
    CFahrzeugDiagrammBild m_DiagrammBild;
    QRect m_rcDiagramm;
    int m_nDrawArg = 0;
    QRect m_rcHotItem;
    std::array<QRect, kHotAnzahl> m_rcHotSpots{};
    std::map<int, QRect> m_rcLabels;
    std::map<int, STool> m_tools;
    std::map<std::pair<int, int>, QRect> m_rcAuflager;
    double m_dSchwerpunktPos = 0.0;
};
