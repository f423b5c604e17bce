// The loading-plan view: a top view of the load area of the vehicle worked on with its placed loads.
#pragma once

#include "views/CGetAnsView.h"
#include "views/CPlanGesten.h"
#include "views/CPlanPainter.h"
#include "views/IAusrichtenOwner.h"
#include "views/IRampenView.h"
#include "views/IValueSlider.h"
#include "views/PlanAufzeichnung.h"

#include "model/plan/CPlanPlatzierung.h"
#include "model/plan/CQOR.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <filesystem>
#include <map>
#include <memory>
#include <string>

class CFahrzeug;
class CRibBtnContainer;
class ILoadingRamp;
class QMenu;
class QPainter;
class QPrinter;
struct SLadungVorlage;
struct tagLGINFO;

class CQOR2View : public CGetAnsView, public IQorAnzeige, public IRampenView, public IAusrichtenOwner
{
    Q_OBJECT
    friend class CPlanGesten;

public:
    // Tool areas of the plan's tool tips.
    static constexpr int kToolSchwerpunkt = CPlanPainter::kToolSchwerpunkt;
    static constexpr int kToolBereichMass = CPlanPainter::kToolBereichMass;
    static constexpr int kToolRandVorn = CPlanPainter::kToolRandVorn;
    static constexpr int kToolRandHinten = CPlanPainter::kToolRandHinten;
    static constexpr int kToolRandUnten = CPlanPainter::kToolRandUnten;
    static constexpr int kToolRandOben = CPlanPainter::kToolRandOben;
    static constexpr int kToolErsteLadung = CPlanPainter::kToolErsteLadung;
    // Commands 32878 to 32891 choose the plan's grid step (cm) in this order.
    static constexpr int kBefehlRasterSchritt = 32878;
    static constexpr int kRasterSchritte[14] = {1, 2, 3, 4, 5, 10, 15, 20, 25, 30, 40, 50, 75, 100};
    // Fills of the placed loads.
    static constexpr QRgb kFarbeLadung = CPlanPainter::kFarbeLadung;
    static constexpr QRgb kFarbeAuswahl = CPlanPainter::kFarbeAuswahl;
    static constexpr QRgb kFarbeFsm = CPlanPainter::kFarbeFsm;
    static constexpr QRgb kFarbeFsmAuswahl = CPlanPainter::kFarbeFsmAuswahl;
    static constexpr QRgb kFarbeFsmHell = CPlanPainter::kFarbeFsmHell;
    static constexpr QRgb kFarbeFsmExport = CPlanPainter::kFarbeFsmExport;
    static constexpr QRgb kFarbeBereich = CPlanPainter::kFarbeBereich;

    using SGuiLg = CPlanPainter::SGuiLg;
    using SToolArea = CPlanPainter::SToolArea;

    explicit CQOR2View(CQOR1Doc* pDoc = nullptr, QWidget* parent = nullptr);
    ~CQOR2View() override;

    // The vehicle worked on (the semi-trailer of a semi-trailer combination) and its plan.
    CFahrzeug* GetFahrzeug() const;
    CQOR* GetPlan() const;

    void OnInitialUpdate() override;
    void OnUpdate(CGetAnsView* pSender, UpdateHinweis eHinweis) override;
    int OnViewNotify(AnsichtMeldung eMeldung, const AnsichtWert& wert) override;
    void OnActivateView(bool bActivate, CGetAnsView* pActivated, CGetAnsView* pDeactivated) override;
    int MetresToPixels(double dMetres) override;
    double PixelsToMetres(int nPixels) override;

    // Drops the screen records when the plan of `pFahrzeug` (this view's vehicle) goes away.
    bool GibAnzeigeFrei(CFahrzeug* pFahrzeug) override;
    void PlanGeht(const CQOR* pPlan) override;

    // The plan's centre of gravity, the usable range and the marker brought up to date after a change of
    // loads; with bFahrzeugGeaendert, after an edit that changed the vehicle too (its load area), so
    // that its payload curve is built again.
    void RecalcSchwerpunkt(bool bFahrzeugGeaendert = false);
    // The change steps after an edit of loads: repaint, document and plan marked modified, frame title,
    // the program-wide load-changed flag, recalculation, placement status free. bFahrzeugGeaendert as
    // for RecalcSchwerpunkt.
    void Benachrichtige(bool bFahrzeugGeaendert = false);

    // The plan as a picture of the export size and scale; a null image for a vehicle without load area.
    // nAuswahl 1 names the picture of the front vehicle, 2 that of the trailer.
    QImage RenderExport();
    // Writes the picture of the vehicle worked on into `folder` as "BP_SUP.bmp" (nAuswahl 1) or
    // "BP_INF.bmp" (otherwise). The old picture is removed first, so a failure leaves none behind.
    // False for a vehicle without load area or when the file cannot be written.
    bool ExportBild(int nAuswahl, const std::filesystem::path& folder);
    // The same into the picture folder of the program; false when none is set.
    bool ExportBild(int nAuswahl);

    // Printing: 57607 prints after the dialog, 57608 without it, 57609 shows the preview. Without bit 0
    // of the document's print flags the dialog offers page 1 only; with it no dialog shows. False when
    // the dialog was cancelled.
    bool OnPreparePrinting(QPrinter& printer);
    // The whole plan as the screen shows it, fitted onto one page; false when it could not be printed.
    bool PrintPlan(QPrinter& printer);
    bool PrintToPdf(const QString& path);
    void OnDrucken(int nId);

    // The view side of placement; the geometry is the model's.
    CPlanPlatzierung& GetPlatzierung() { return m_platz; }
    void FillFestRects();
    void FillZiehRects();
    // Moves the selection by (dx, dy) centimetres; a committed move runs the change steps.
    bool VerschiebeAuswahl(int dx, int dy, bool bMitFsm, bool bNurVorhandene);
    // Turns the selection (or the current load) by nGrad; false, with nothing changed, when refused.
    bool DreheAuswahl(int nGrad);
    // Places n copies of a catalogue item; tells the user when fewer than n found room.
    int AddMultipleLadungen(const SLadungVorlage& item, int n, double dMasse, int nRotation);
    // Removes the selected loads (the current load when none is selected) with every reference to them.
    void LoescheLadungen();
    // Removes the selected loads and runs the change steps; false when nothing may be deleted.
    bool LoeschenAuswahl();
    void ClearAktuell(bool bAuswahlLoeschen);
    void SetAktuellFromHover();
    bool IsVerschiebbar(bool bAktuell) const;
    void InvalidateNachbarn(bool b3DNeu, bool bKurveNeu);
    void ClearPtrMap();

    // Loads the gestures refer to; each is checked against the plan before use, so a load deleted
    // meanwhile reads null.
    tagLGINFO* GetHover() const { return Gueltig(m_pGuiHover); }
    tagLGINFO* GetAuswahl() const { return Gueltig(m_pGuiAuswahl); }
    tagLGINFO* GetKontext() const { return Gueltig(m_pGuiKontext); }
    void SetHover(tagLGINFO* p) { m_pGuiHover = p; }
    void SetKontext(tagLGINFO* p) { m_pGuiKontext = p; }

    // The mouse gestures and their feedback.
    CPlanGesten& GetGesten() { return *m_pGesten; }
    // Starts dropping a new load from the loading ramp at client point `pt`, the mouse holding it at
    // `griff` from its top-left corner; the button release ends it.
    bool DragLadungFromRampe(const SLadungVorlage& item, QPoint pt, int nRotation, double dMasse,
                             QPoint griff = QPoint());
    // The loading ramp, when the dialogs of the program provide one.
    ILoadingRamp* GetLaderampe() const { return m_pLaderampe.get(); }

    // What the loading ramp asks of the view.
    QWidget* RampenFlaeche() override { return viewport(); }
    CFahrzeug* RampenFahrzeug() override { return GetFahrzeug(); }
    CQOR* RampenPlan() override { return GetPlan(); }
    int RampenPixel(double dMeter) override { return MetresToPixels(dMeter); }
    double RampenMeter(int nPixel) override { return PixelsToMetres(nPixel); }
    QPoint RampenScroll() override { return GetScrollPosition(); }
    QPoint RampenUrsprung() override { return m_massstab.ursprung; }
    bool RampenZiehenStart(const SLadungVorlage& item, QPoint pt, int nRotation, double dMasse,
                           QPoint griff) override;
    void RampenZiehen(QPoint pt) override;
    void RampenLoslassen(QPoint pt) override;
    void RampenZurueck(QPoint pt) override;
    int RampenMehrere(const SLadungVorlage& item, int n, double dMasse, int nRotation) override;
    void RampenFsmUmriss(const QRect* pUmriss, const QRect* pPlatz) override;
    int RampenFsmBearbeiten(tagLGINFO* pLg) override { return EditFsm(pLg); }
    void RampenAbgelegt(const tagLGINFO& lg) override;
    void RampenFokus() override { setFocus(Qt::OtherFocusReason); }
    // What the align popup asks of the view.
    int AusrichtenAbstand(int nEintrag) override { return AntwortAusrichten(nEintrag); }
    void Ausrichten(int nEintrag, double dMeter) override { AusrichtenAuf(nEintrag, dMeter); }
    // The form-fit edit of a special item: 714 when taken, 705 when cancelled.
    virtual int EditFsm(tagLGINFO* pLg);

    // Commands of the plan (menu, strips, keyboard); false for an id the view does not run.
    bool OnBefehl(int nId) override;
    // Deletes the selection after the question unless Shift is held or the user stopped the question.
    bool LoeschenMitFrage(bool bShift);
    // Moves the selection so that its distance to border nSeite (0 front, 1 side A, 2 rear, 3 side B)
    // becomes dWert metres.
    bool AusrichtenAuf(int nSeite, double dWert);
    // The align popup's question: 0 without selection or with a negative distance, else 1 + the
    // distance in whole millimetres.
    int AntwortAusrichten(int nSeite) const;
    // Mass (t) of the current load from the mass slider or keys; a value outside 0..99.99 is refused and
    // `dTonnen` set back to the load's mass.
    bool SetzeMasse(double& dTonnen);
    // The context menu at client point `pt` (menu 245 with its marks and captions, owned by the caller);
    // null where none shows: Ctrl held, outside the load area, a load not selected or of a load unit.
    QMenu* KontextMenu(QPoint pt);
    // The tool tip's HTML of a load: template 881 or 882 filled; empty for a load not in the plan.
    std::string ToolTipHtml(const tagLGINFO* pLg) const;
    // Position and width sliders. Status colours: 0 refused (red), 2 shifted (light yellow), any other
    // free (light green).
    static COLORREF GetStatusFarbe(int nStatus);
    // The current load's y as the y slider shows it: from side A, or with grid side 2 from side B.
    double GetAuswahlY() const;
    // Opens (bit 1: x, bit 2: y) or moves the position sliders of the current load.
    void ShowPositionsSlider(const double* x, const double* y, int nFlags);
    // After a paint: the open position sliders move to their buttons where the load now lies, or close
    // when their buttons are gone.
    void FolgeRegler();
    // The centre of the selected loads' screen rectangles (of the current load without a selection);
    // (-1, -1) when none is drawn.
    QPoint GetAuswahlMittelpunkt() const;
    // Command 33279: the selection is copied by a drag that starts at once from its centre, the cursor
    // 11 pixels right of and below it; the next click places the copy.
    void KopiereAuswahl();
    // 0x80C9: both position sliders at x and y, opened or, when open, set to the values.
    void PositionsReglerAuf(double x, double y);
    // 0x807D (Tab in a slider's edit): the focus goes from the x slider to the other open one and back;
    // a width slider (kind 14) keeps it.
    void TabZwischenReglern(const QObject* pSender, int nArt);
    void ShowBreitenSlider();
    // Sets the load-area width (kept within 0.8 and 4.0 m); false when it equals the vehicle's width.
    bool SetLadeflaechenBreite(double dBreite);
    // Closes the sliders; a position left refused or shifted switches the conflict display on.
    void SchliesseRegler();
    // The mass slider of `pLg` (a load of the plan) with the value t; an open slider just takes it.
    void ZeigeMassenRegler(const tagLGINFO* pLg, double t);
    // Mass edit of the selection: one load by the mass slider, several by the mass dialog.
    void EditMasse();
    IValueSlider* GetRegler() const { return m_pSlider.get(); }
    IValueSlider* GetReglerX() const { return m_pSliderX.get(); }
    // Renames the selection (or the current load) by the name dialog, numbering equal names on.
    void Umbenennen();
    // Numbers the loads that bear the right-clicked load's name again from 1.
    void Umnummerieren();

    // The usable range in content pixels at the scale of the last paint, and the centre-of-gravity marker
    // the plan gets (260, 268 or 267).
    QRect GetBereichRect() const { return CPlanPainter::BereichRect(GetFahrzeug(), m_massstab); }
    int GetSchwerpunktBild() const;

    // The painter of the plan with its fonts, pictures and kept layers (see CPlanPainter); tests compare
    // paints from the kept layers with drawings made anew.
    CPlanPainter& GetPainter() { return m_painter; }
    void VerwirfZwischenbilder() { m_painter.VerwirfZwischenbilder(); }
    void SetGrundbildSpeicher(bool bAn) { m_painter.SetGrundbildSpeicher(bAn); }
    bool WarAusGrundbild() const { return m_painter.WarAusGrundbild(); }
    int GetGrundbildNeu() const { return m_painter.GetGrundbildNeu(); }

    // The records of the drawn loads (none once a load came or went, until the next paint) and the tool
    // areas, as the paints left them.
    const PlanAufzeichnung::Ladungen& GetGuiLg() const;
    const std::map<int, SToolArea>& GetTools() const { return m_zeichnung.tools; }
    QSize GetPageSize() const { return m_sizePage; }
    // The button strips above the plan: 399 with the ramp toggle 400, 635 with the help button 827.
    CRibBtnContainer* GetStreifenAnsicht() const { return m_pBtnsAnsicht; }
    CRibBtnContainer* GetStreifenHilfe() const { return m_pBtnsHilfe; }
    // The tool-tip templates of ordinary loads (881) and of special items (882).
    const std::string& GetHtmlVorlageLg() const { return m_strHtmlVorlageLg; }
    const std::string& GetHtmlVorlageFsm() const { return m_strHtmlVorlageFsm; }
    QSize GetLineSize() const { return m_sizeLine; }
    // The plan grows and shrinks with its window: the plan's zoom is then taken relative to the zoom at
    // which the load area (and, in ramp mode, the ramp and the band of tiles below it) just fills the
    // window; at the standard zoom the plan fills it. Off, the plan's zoom is used as it is. The
    // program's document windows switch it on.
    void SetFensterAnpassung(bool bAn)
    {
        m_bFensterAnpassung = bAn;
        viewport()->update();
    }
    bool GetFensterAnpassung() const { return m_bFensterAnpassung; }
    // The scale of the last paint; the window's share of its zoom is 1 without the fitting.
    const PlanMassstab& GetMassstab() const { return m_massstab; }

    // What the last paint of the plan left for the hit tests, in client coordinates.
    using PlanTreffer = CPlanPainter::PlanTreffer;
    // Scale and margins of the last exported picture.
    CPlanPainter::ExportMasse m_letzterExport;
    int m_nExportBreite = 645;
    int m_nExportHoehe = 440;
    int m_nNutzbarerBereich = 0;
    bool m_bNurInnerhalb = false;
    bool m_bAnzeige33285 = true;
    bool m_bRampenModus = false;
    QSize m_sizeScrollGesamt{1000, 500};
    PlanTreffer m_treffer;
    int m_nPlatzStatus = 1;
    int m_nMaxPixelProMeter = 112;
    // Gesture state the drawing reads; the mouse side sets it.
    bool m_bGummiband = false;
    bool m_bGummibandRahmen = true;
    QRect m_rcGummiband;
    bool m_bTasteUnten = false;
    bool m_bZiehen = false;
    bool m_bGruppenModus = false;
    bool m_bLgAuswahlZiehen = false;
    bool m_bLgZiehen = false;
    int m_nEinheitBits = 0;
    // Guide lines of the x slider: shown, and the position they mark (metres).
    bool m_bPositionsLinien = false;
    double m_dLinienX = 0.0, m_dLinienY = 0.0;
    // Number of change-step runs, for whoever watches the view (the frame, tests).
    int m_nBenachrichtigungen = 0;
    // While a press on the plan is held (a drag, a rubber band, a rotation) the view is blocked: the
    // frame opens no modal window over it.
    bool IsBlockiert() const { return m_bTasteUnten; }

signals:
    // A command the view asks its frame to run (a double click on a load).
    void BefehlAngefordert(int nId);

protected:
    void OnProgramRunSet() override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    // Tab switches between the truck and its drawbar trailer before the focus chain sees it.
    bool event(QEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    // The loading ramp scrolls with the plan.
    void scrollContentsBy(int dx, int dy) override;
    // Shows the HTML tool tip of the load under the cursor, or the text of a tool area.
    bool viewportEvent(QEvent* e) override;
    void customEvent(QEvent* e) override;
    // Asks whether to delete; true for yes, `bNichtMehr` from the box's check box. The default opens
    // the HTML question box.
    virtual bool FrageLoeschen(const std::string& caption, const std::string& text, bool& bNichtMehr);
    // Shows a message that stops the action (a refused rotation).
    virtual void MeldeStopp(const std::string& caption, const std::string& text);
    // Tells that a form-fit item of a load unit goes only with its unit; the default opens the HTML
    // message box.
    virtual void MeldeLadeeinheit(const std::string& caption, const std::string& text);
    void OnDraw(QPainter& painter) override;
    void DrawOverlay(QPainter& painter) override;
    // Shown in a splitter pane, the view checks at its next paint whether the pane leaves room for the
    // plan above the ramp's band.
    void showEvent(QShowEvent* e) override;
    // Tells the user something; the default opens a message box that does not block the window.
    virtual void MeldeInfo(const std::string& caption, const std::string& text);
    // Shows the view's help text (the help button of the strip); modal.
    virtual void ZeigeHilfe();
    // The usable-load-area dialog (32952): new borders become the vehicle's stored and current ones.
    void EditNutzbareLF();
    // Stores a grid step in the vehicle and its plan, recalculates and repaints.
    void SetzeRasterSchritt(int nSchritt);
    // The overhang dialog (33265): overhangs free the borders they lie on; loads counted from side B keep
    // their place.
    void EditUeberstand();

private:
    void MakeLaderampe();
    // In ramp mode, in a splitter pane too low for the load area above the band of tiles: asks the host
    // once for room from the other pane.
    void FordereRampenRaum();
    // The button strips at the top left of the plan, moved with its scrolling.
    void PlatziereStreifen();
    QPoint m_insetsStreifen;
    // Has the painter draw the plan into `painter` (the screen's, moved by the scroll position) and
    // acts on what the paint gives back.
    void Zeichnen(QPainter& painter);
    // What a paint of `v` draws from: the view's state and the model's answers for it.
    CPlanPainter::SEingabe Eingabe(CFahrzeug& v, bool bExport);
    // Display toggles and grid options of the plan; false for another command.
    bool OnAnzeigeBefehl(CQOR& plan, int nId);
    void MeldeAnzeige(CFahrzeug* pV);
    // The loading ramp shows in ramp mode only: shown or hidden before a paint of the screen.
    void ZeigeLaderampe();
    bool IsLaderampeSichtbar() const;
    // Lays the ramp out under the plan the last paint drew and sets the scroll size to hold both.
    void SetzeRampeUndScrollGroesse();
    // The plan's load `p`, or null when the plan does not hold it.
    tagLGINFO* Gueltig(const tagLGINFO* p) const;
    void SetzeCursor();

    // Handles the slider messages; false for another event.
    bool ReglerEreignis(QEvent* e);
    // Moves an open slider, keeping its size, so that its top-left (top-right with bRechts) corner lies at
    // client point `pt` of the plan.
    void SetzeReglerAn(IValueSlider& regler, QPoint pt, bool bRechts);
    // Repaints the document's template view, wherever it is shown.
    void InvalidateVorlage();
    void SetzePosition(bool bX, double dWert);

    CPlanPlatzierung m_platz;
    std::unique_ptr<IValueSlider> m_pSlider; // y position, width or mass
    int m_nReglerArt = 0;                    // the kind of m_pSlider (13, 14 or 16)
    bool m_bFensterAnpassung = false;
    // The scale of the plan: metres to pixels of the whole drawing, as the last paint laid it out.
    PlanMassstab m_massstab;
    bool m_bRampenRaumPruefen = false;        // FordereRampenRaum at the next paint
    std::unique_ptr<IValueSlider> m_pSliderX; // x position
    std::unique_ptr<CPlanGesten> m_pGesten;
    CRibBtnContainer* m_pBtnsAnsicht = nullptr; // owned by the viewport
    CRibBtnContainer* m_pBtnsHilfe = nullptr;
    std::string m_strHtmlVorlageLg;
    std::string m_strHtmlVorlageFsm;
    std::unique_ptr<ILoadingRamp> m_pLaderampe;
    double m_dRampenMassstab = 0.0; // pixels per metre of the ramp's last layout
    QSize m_sizePage;
    QSize m_sizeLine;
    // The vehicle whose plan the screen records belong to.
    const CFahrzeug* m_pAnzeigeFahrzeug = nullptr;
    // The plan this view is registered with as its display (see MeldeAnzeige).
    CQOR* m_pAnzeigePlan = nullptr;
    tagLGINFO* m_pGuiHover = nullptr;
    tagLGINFO* m_pGuiAuswahl = nullptr;
    tagLGINFO* m_pGuiKontext = nullptr;
    tagLGINFO* m_pLgGedrueckt = nullptr;
    // The drawing of the plan, and what the paints left: the records of the drawn loads, the tool areas,
    // the display options they drew by, the export picture.
    CPlanPainter m_painter;
    CPlanPainter::SErgebnis m_zeichnung;
    PlanAufzeichnung m_aufzeichnung;
};
