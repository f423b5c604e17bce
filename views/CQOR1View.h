// The template view: the vehicle worked on as a side view on the metre and tonne rulers, with its
// dimension lines, the axle-load picture below and, on demand, the payload chart beside it.
#pragma once

#include "views/CGetAnsView.h"
#include "views/ILastDlgView.h"

#include "ui/ISliderOwner.h"

#include "views/CVorlageBildSpeicher.h"
#include "views/CVorlageDruck.h"
#include "views/CVorlagePainter.h"
#include "views/CVorlageRegler.h"
#include "views/CVorlageZiehen.h"
#include "views/IVorlageDruckQuelle.h"
#include "views/IVorlageReglerQuelle.h"
#include "views/VorlageTreffer.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <array>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>

class CHinweisAnimationen;
class CRibBtnContainer;
class IFrameAnimation;
class IValueSlider;
class QMenu;
class QPrinter;
class tagZLINFO;

class CQOR1View : public CGetAnsView,
                  public ISliderOwner,
                  public ILastDlgView,
                  private IVorlageDruckQuelle,
                  private IVorlageReglerQuelle
{
    Q_OBJECT

public:
    static constexpr int kPixProMeter = CVorlagePainter::kPixProMeter;
    static constexpr double kStandardZoom = CVorlagePainter::kStandardZoom;
    static constexpr int kPixProTonne = CVorlagePainter::kPixProTonne;
    // The places the drawings leave, by the painter's names.
    using HotSpot = IPlanDrawView::HotSpot;
    using AuflagerSpot = IPlanDrawView::AuflagerSpot;
    using enum IPlanDrawView::HotSpot;
    using enum IPlanDrawView::AuflagerSpot;

    // The position and payload figures at a point, for the status line and the load dialog.
    struct SPositionInfo
    {
        double dPosition = 0.0;
        double dNutzlast = 0.0;
        double dZweiterWert = 0.0;
        bool bGueltig = false;
    };

    // A tooltip tool the drawings left behind.
    using STool = SVorlageTool;

    // Kinds of the object under the pointer (VorlageTreffer).
    using HitKind = VorlageTreffer::Art;
    using enum VorlageTreffer::Art;
    // Mouse modes: none, an object drag running, a draggable object, a clickable one, the pick area.
    static constexpr int kModusKein = -1;
    static constexpr int kModusZiehen = 2;
    static constexpr int kModusZiehbar = 6;
    static constexpr int kModusKlickbar = 8;
    static constexpr int kModusPick = 9;
    // Message that opens the mass slider of the selected item.
    static constexpr int kMsgZLMasse = 0x171;
    // The load dialog's messages: Enter, '+' and '-'.
    static constexpr int kMsgLastEnter = 0x8016;
    static constexpr int kMsgLastPlus = 0x8017;
    static constexpr int kMsgLastMinus = 0x8018;

    explicit CQOR1View(CQOR1Doc* pDoc = nullptr, QWidget* parent = nullptr);
    ~CQOR1View() override;

    // CGetAnsView
    void OnInitialUpdate() override;
    void OnUpdate(CGetAnsView* pSender, UpdateHinweis eHinweis) override;
    int OnViewNotify(AnsichtMeldung eMeldung, const AnsichtWert& wert) override;
    void OnActivateView(bool bActivate, CGetAnsView* pActivated, CGetAnsView* pDeactivated) override;
    int GetOriginX() const override;
    int MetresToPixels(double dMetres) override;

    // What the painter is given of the view, and what it left behind.
    bool IsBildExport() const { return m_Druck.IsBildExport(); }
    bool IsPrinting() const { return m_Druck.IsPrinting(); }
    int GetDrawShiftX() const { return Erg().nDrawShiftX; }
    int GetDrawShiftY() const { return Erg().nDrawShiftY; }
    // 1 in the template view; the document's active index in the multi view.
    virtual int GetViewAktivIndex() const { return 1; }
    virtual bool HasTowingPair() const { return false; }
    int MetresToPixels(double dMetres) const;
    virtual QRect GetLadeflaecheRect() const { return Erg().rcLadeflaeche; }
    int GetSelAchse() const { return m_bHitAchse ? m_nHitAchse : m_nSelAchse; }
    const tagZLINFO* GetEditZL() const { return m_Regler.GetEditZL() ? m_Regler.GetEditZL() : m_pSelZL; }
    void SetToolTip(int toolId, const QRect& rc, const std::string& text);
    // The view's own buttons over the drawing (device coordinates); empty while printing or exporting.
    QRect GetKnopfRect() const;

    // Longitudinal position in metres of the point's x, measured from the front of the usable load
    // area, rounded to 0.01 m.
    virtual double PixelToPosition(const QPoint& pt) const;
    // The figures at a point ((-1, -1) = the load area's front); -1 when the position was clamped to the
    // front, 1 when clamped to the rear, else 0.
    int CalcPositionInfo(SPositionInfo* pInfo, const QPoint& pt) const;
    // 1 when an additional item of the kind may be added to the vehicle worked on, else 0.
    int CanAddZL(int nKind) const;
    // Non-zero when the document holds a partner vehicle that the views may switch to (the 3D view's Tab).
    virtual int CanShowPartner() const;
    // Looks for a hot item of the vehicle drawing under the point; true when found.
    bool HitHotRect(const QPoint& pt);
    // The drawing of the vehicle worked on.
    virtual CDIBFahrzeug* GetDIBFahrzeug() const { return m_Maler.GetDIBFahrzeug(); }
    // The next paint builds the vehicle drawing again.
    void ResetDIBFahrzeug()
    {
        m_Maler.ResetDIBFahrzeug();
        m_BildSpeicher.Verwirf();
    }
    // Shows or hides the payload chart beside the vehicle; showing it rebuilds the chart's curve.
    void ShowDiagramm(bool bShow);
    bool IsDiagrammShown() const { return m_bShowDiagramm; }

    // Printing and the report pictures (CVorlageDruck says what each does).
    CVorlageDruck& Druck() { return m_Druck; }
    QImage RenderExport(int nExportWidth, int nHoehenReduktion = 0)
    {
        return m_Druck.RenderExport(nExportWidth, nHoehenReduktion);
    }
    bool ExportBilder(int nTeil, int nExportWidth, int nHoehenReduktion, bool bDiagramm,
                      const std::filesystem::path& folder)
    {
        return m_Druck.ExportBilder(nTeil, nExportWidth, nHoehenReduktion, bDiagramm, folder);
    }
    void SetExportTeil(int nTeil) { m_Druck.SetExportTeil(nTeil); }
    static double CalcPrintZoom(int nHorzRes, int nVertRes)
    {
        return CVorlageDruck::CalcPrintZoom(nHorzRes, nVertRes);
    }
    void OnBeginPrinting(const QRect& rcSeite) { m_Druck.OnBeginPrinting(rcSeite); }
    void OnEndPrinting() { m_Druck.OnEndPrinting(); }
    bool PrintToPdf(const QString& path) { return m_Druck.PrintToPdf(path); }
    bool OnPreparePrinting(QPrinter& printer, bool bPreview)
    {
        return m_Druck.OnPreparePrinting(printer, bPreview);
    }
    bool GetRulerFlag() const { return m_Druck.GetRulerFlag(); }
    QImage DruckBild(QSize seite, int nDpi) { return m_Druck.DruckBild(seite, nDpi); }
    static constexpr int kBildschirmDpi = CVorlageDruck::kBildschirmDpi;

    double GetZoom() const override { return m_dZoom; }
    void SetZoom(double dZoom);
    QPoint GetOriginDrawn() const { return Erg().ptOriginDrawn; }
    QRect GetHotSpot(HotSpot which) const { return Erg().rcHotSpots.at(static_cast<std::size_t>(which)); }
    QRect GetLabelRect(int id) const { return Erg().Label(id); }
    const std::map<int, STool>& GetTools() const { return Erg().tools; }
    QRect GetChartRect() const { return Erg().rcDiagramm; }
    CKoordSys& GetKoordSys() { return m_Maler.GetKoordSys(); }
    CAuflager& GetAuflager() { return m_Maler.GetAuflager(); }
    const CFahrzeugDiagrammBild& GetDiagrammBild() const { return m_Maler.GetDiagrammBild(); }
    int GetDrawArg() const { return m_nDrawArg; }
    QRect GetHotItemRect() const { return m_rcHotItem; }
    CRibBtnContainer* GetHilfeStrip() const { return m_pBtnsHilfe; }
    // Band of an odd hint's partial repaint, in client pixels; whether the next paint is to be partial
    // (an odd hint asked for it) and whether the last paint was.
    QRect GetTeilBand() const;
    bool IstTeilweiseAngefordert() const { return m_bTeilweiseAngefordert; }
    bool WarTeilweise() const { return Erg().bLetzteTeilweise; }

    // The picture as OnDraw paints it. The view keeps its last picture and hands it out again while
    // nothing it was drawn for changed: the document's count of changes, the zoom, scroll position and
    // size, the vehicle worked on, the selected and highlighted items, the view's flags. A new frame of
    // a hint animation or a changed chart is drawn over it. Any event but a paint, a timer or a move of
    // the pointer without a button drops it, as does every update the document sends.
    QImage RenderPicture(QSize size) override;
    // Whether pictures may come from the kept drawing, whether the last one did, and dropping it
    // (CVorlageBildSpeicher).
    void SetBildSpeicher(bool bAn) { m_BildSpeicher.SetAn(bAn); }
    bool WarAusBildSpeicher() const { return m_BildSpeicher.WarAusSpeicher(); }
    void VerwirfBild() { m_BildSpeicher.Verwirf(); }

    // --- editing in the picture ---------------------------------------------------------------------
    // The hit test at a client point: sets the hit kind, the mouse mode, the target and the item under
    // the pointer; answers the cursor's number (0 for the arrow).
    int HitTest(const QPoint& pt);
    // A hot rectangle of the editing by its number (0 front of the axle-1 offset, 1 load-area end, 5 body,
    // 9 rear coupling, 10 tractor coupling, 12..20 distance labels, 21..30 permissible and 31..40 empty
    // axle loads, 41/42 minimum shares, 45 axle-1 offset, 46 load-area length, 48 coupling offset,
    // 49 total mass, 50 combination limit, 51 remarks, 53 axle-load picture, 55 fifth-wheel load).
    QRect GetHotRect(int nHot) const { return Label(nHot); }
    int GetHitKind() const { return m_nHitKind; }
    int GetTarget() const override { return m_nTarget; }
    int GetCursorId() const { return m_nCursorId; }
    bool IsDragging() const { return m_bDragging; }
    // The value sliders (CVorlageRegler says what each does).
    CVorlageRegler& Regler() { return m_Regler; }
    bool GetLaengenRange(int nTarget, double* pMin, double* pMax) const
    {
        return m_Regler.GetLaengenRange(nTarget, pMin, pMax);
    }
    bool OpenSlider(const QPoint& anchor, int nKind, bool bCompact)
    {
        return m_Regler.OpenSlider(anchor, nKind, bCompact);
    }
    IValueSlider* GetSlider() const { return m_Regler.GetSlider(); }
    int GetSliderKind() const { return m_Regler.GetSliderKind(); }
    // Forgets the selected item and axle.
    void ClearSelection(bool bUpdateNow);
    // The note for German users after an axle was added, removed or dragged (SliderHint's box: once
    // per run unless it is ticked; its second button opens the document on axle loads).
    void ZeigeAchsHinweis();
    // The vehicle whose axles the view edits (the selected axle belongs to it).
    CFahrzeug* GetAchsFahrzeug() const { return GetEditFahrzeug(); }
    // The loading-plan view follows this view's horizontal scrolling.
    void SyncPlanScroll();
    // The load dialog's pick line at a position on the load area (metres from its front).
    void SetPickPosition(double dPos, bool bMove);
    int GetPickX() const { return m_nPickX; }
    // ILastDlgView: the payload-at-position dialog places and drops the pick line.
    void SetPickPosition(double dPos, CFahrzeug* pFahrzeug, bool bMove) override;
    void ClearPickLine() override;
    tagZLINFO* GetSelZL() const override { return m_pSelZL; }
    QRect GetSelZLRect() const override { return m_rcSelZL; }
    bool IsAchseSelected() const { return m_bHitAchse; }
    int GetHitAchse() const { return m_nHitAchse; }
    // The label framed by the hover frame, empty when none.
    QRect GetFocusRect() const { return m_bFocus ? m_rcFocus : QRect(); }
    // The position marker of an item (null hides it).
    void DrawPositionMarker(const tagZLINFO* pZL) override;
    bool IsPositionMarkerShown() const { return m_bMarker; }

    // ISliderOwner: which axle value a kind-1 slider edits, which share a kind-2 slider edits.
    int SliderKind1Selector() const override { return m_Regler.GetLastMode(); }
    bool SliderKind2Flag() const override { return m_Regler.IsAnteil1(); }
    void SliderGone() override;
    ProgramRun* SliderProgramRun() override { return &GetProgramRun(); }

    // --- commands -------------------------------------------------------------------------------------
    // Runs a command of the view; false when it is not one of the view's or is disabled.
    bool OnBefehl(int nId) override;
    bool OnUpdateBefehl(int nId, CCmdUI& cmdUI) override;
    // Whether a command of the view is enabled now.
    bool IsBefehlAktiv(int nId) const;
    // Adds an axle behind the last (CFahrzeug::AddAchse); false when the vehicle takes no more.
    bool AddAchse();
    // Asks for a new additional item and adds it when its kind is allowed.
    void AddZL();
    // Edits the usable load area of the vehicle worked on (mode 1: as the load-securing view asks).
    void EditNutzbareLF(int nMode);
    // The weights tool tip of hint tool 1..4 (CGewichtsTip), as its table with the title and as rich text.
    std::string GetGewichtsTip(int nTool, std::string* pTitel) const;
    QString GetGewichtsTipHtml(int nTool) const;
    // One step of the hint animations (timer 1); true when a frame changed and was repainted.
    bool AnimSchritt();
    // Whether the hint animations step: only while the view is shown in the active, not minimised window.
    bool AnimLaeuft() const { return m_nAnimTimer != 0; }
    // Where hint animation i (0 front group, 1 rear group, 2/3 the trailer's) stands; empty when hidden.
    QRect GetAnimRect(int i) const;
    IFrameAnimation* GetAnim(int i) const;
    // The context menu for a client point, or null; the caller owns it.
    QMenu* KontextMenu(const QPoint& pt);

    bool m_bShowFahrzeug = true;
    bool m_bShowBemassung = true;
    int m_nDrawMode = 0;
    int m_nSelAchse = -1;

protected:
    // Shows the view's help text (the help button of the strip); modal.
    virtual void ZeigeHilfe();
    // Draws the picture with the partial mode an odd hint asked for (and clears the request): the part
    // that the view may keep, then the hint animations and the chart.
    void OnDraw(QPainter& painter) override;
    // The part of the picture the view may keep, by the painter (rulers, vehicles, dimension lines,
    // axle-load pictures; a partial paint as CVorlagePainter says), then the scroll area it asked for.
    virtual void ZeichneGrundbild(QPainter& painter, bool bTeilweise);
    // What the painter draws from.
    SVorlageEingabe Eingabe() const;
    // Takes the scroll area the last paint asked for.
    void UebernimmScrollGroesse();
    // What the last paint left behind.
    const SVorlageErgebnis& Erg() const { return m_Maler.Ergebnis(); }
    // The hint animations and the chart that the last ZeichneGrundbild asked for.
    void ZeichneDazu(QPainter& painter);
    void DrawOverlay(QPainter& painter) override;
    bool event(QEvent* e) override;
    bool viewportEvent(QEvent* e) override;
    void timerEvent(QTimerEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    // Starts or stops the animations' timer as AnimLaeuft says they should.
    void AnimTimerAnpassen();
    // Whether a paint of `region` needs only the animations' frames.
    bool NurAnimationen(const QRegion& region) const;
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    // The vehicle whose chart an export of the part writes (null: none).
    CFahrzeug* GetExportFahrzeug(int nTeil) const override;

    // The multi view builds its paint and clicks from the same parts.
    // Editing helpers (CQOR1ViewMaus.cpp, CQOR1ViewBefehle.cpp).
    bool HitZL(const QPoint& pt, tagZLINFO** ppZL, QRect* pRc) const;
    bool HitAchse(const QPoint& pt, int* pIndex) const;
    QRect Label(int nHot) const;
    // The label rectangles of the editable values in the order of the hit test.
    void TrackFocusRect(const QPoint& pt);
    void ZeigeKupplungsTip(const QPoint& pt);
    void Druecken(const QPoint& pt, Qt::KeyboardModifiers mods);
    void Bewegen(const QPoint& pt, Qt::MouseButtons buttons, Qt::KeyboardModifiers mods);
    void Loslassen(const QPoint& pt);
    void RechtsDruecken(const QPoint& pt);
    void ZeigeLaengenHinweis();
    void Geaendert(bool bVollUpdate) override;
    void OnDeleteZL();
    void OnMoveZL();
    void OnEditZL();
    void OnEditZLMasse();
    // The remarks on the vehicle worked on, in their dialog; a changed text is kept trimmed.
    void OnEditBemerkung();
    void OnToggleDiagramm();
    void OnTogglePlanFlag();
    // The vehicle whose values the sliders and drags edit (the document's active one).
    CFahrzeug* GetEditFahrzeug() const override;
    QRect LadeflaecheClient() const;
    // The load area of the vehicle worked on, in client pixels.
    QRect AktivLFClient() const;
    QPoint Scroll() const { return GetScrollPosition(); }

    // The vehicle with load area the view works on.
    CFahrzeug* GetArbeitsFahrzeug() const;
    double Frontrand(const CFahrzeug* f) const;

    CRibBtnContainer* m_pBtnsHilfe = nullptr;
    bool m_bShowDiagramm = false;
    bool m_bTeilweiseAngefordert = false;
    // The picture's painter with the drawing objects and what the last paint left behind.
    CVorlagePainter m_Maler;
    double m_dZoom = 0.25;
    int m_nDrawArg = 0;
    QRect m_rcHotItem;

    // The kept picture, what it is drawn for and the state of what stands over it.
    CVorlageBildSpeicher m_BildSpeicher;
    CVorlageBildSpeicher::SSchluessel BildSchluessel(QSize size) const;
    CVorlageBildSpeicher::SDazu DazuStand(bool bAktualisieren);

    // The hint animations beside the axle groups' loads and their step timer.
    std::unique_ptr<CHinweisAnimationen> m_pHinweise;
    int m_nAnimTimer = 0;
    // Set by an animation step until the paint it asked for: a paint of nothing but the animations' places
    // draws their frames alone.
    bool m_bAnimUpdate = false;

    // Editing state.
    tagZLINFO* m_pHoverZL = nullptr;
    tagZLINFO* m_pSelZL = nullptr;
    QRect m_rcSelZL;
    int m_nHitAchse = -1;
    bool m_bHitAchse = false;
    SGuiAchse m_Achse;
    QRect m_rcAchseHot;
    int m_nPickX = -1;
    int m_nPickXOld = -1;
    double m_dPickPos = 0.0;
    QPoint m_ptGrab;
    QRect m_rcFocus;
    bool m_bFocus = false;
    bool m_bDragging = false;
    bool m_bLButtonDown = false;
    int m_nTarget = 0;
    int m_nHitKind = 0;
    int m_nCursorId = 0;
    QPoint m_ptLastMouse{-1, -1};
    // The position marker: the marked item's copy and whether it shows.
    std::unique_ptr<tagZLINFO> m_pMarkerZL;
    bool m_bMarker = false;
    // Printing and the report pictures.
    CVorlageDruck m_Druck{*this, this};
    // The value sliders; the first to go, while the view is whole for the sliders' last call.
    CVorlageRegler m_Regler{*this, this};
    // The drags' steps.
    CVorlageZiehen m_Ziehen{*this, m_Regler};

private:
    // IVorlageDruckQuelle: a print or report picture draws the view's picture at its zoom.
    void SetDruckZoom(double dZoom) override;
    void ZeichneDruck(QPainter& painter, bool bMessen) override;
    CQOR1Doc* GetDruckDokument() const override { return GetDocument(); }
    CFahrzeugDiagrammBild& GetDruckDiagramm() override { return m_Maler.GetDiagrammBild(); }
    ProgramRun& GetDruckProgramRun() override { return GetProgramRun(); }
    // IVorlageReglerQuelle: the sliders edit the vehicle worked on.
    CQOR1Doc* GetReglerDokument() const override { return GetDocument(); }
    void ReglerNeuzeichnen() override;
    ProgramRun& GetReglerProgramRun() override { return GetProgramRun(); }
};
