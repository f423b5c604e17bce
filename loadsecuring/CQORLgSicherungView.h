// The load-securing view: the load area of the vehicle worked on from above with its lashing
// equipment and the load units of its plan, where load securing is started and the wizard is owned.
#pragma once

#include "loadsecuring/ILgSicherungView.h"
#include "loadsecuring/ISecuringDialogs.h"
#include "loadsecuring/ISecuringWizard.h"
#include "loadsecuring/LgSichgAktion.h"
#include "loadsecuring/LgSichgMeldung.h"
#include "loadsecuring/LgSichgSkizze.h"
#include "model/plan/SicherungsStand.h"
#include "views/CGetAnsView.h"

#include <QCursor>
#include <QPoint>
#include <QRect>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

class CFahrzeug;
class CLadeeinheit;
class CQOR;
class CRibBtnContainer;
class CZurrpunkt;
class CZurrschiene;
class QMenu;
class QPainter;
struct tagLGINFO;

class CQORLgSicherungView : public CGetAnsView, public ILgSicherungView
{
    Q_OBJECT

public:
    // The base zoom and the zoom steps in percent.
    static constexpr double kBasisZoom = 0.5;
    static constexpr std::array<int, 10> kZoomStufen = {75, 100, 125, 150, 175, 200, 250, 300, 350, 400};
    // Margins of the report picture around the load area.
    static constexpr int kSnapshotRandX = 10;
    static constexpr int kSnapshotRandY = 20;
    // Cursors by number.
    static constexpr int kCursorAktiv = 196;
    static constexpr int kCursorAnderer = 254;
    static constexpr int kCursorSchiene = 768;
    static constexpr int kCursorPunktWahl = 769;
    static constexpr int kCursorWert = 1032;
    // Strips, commands and the context menu.
    static constexpr int kStreifenZoom = 624;
    static constexpr int kStreifenSichg = 199;
    static constexpr int kStreifenHilfe = 635;
    static constexpr int kKontextMenu = 602;
    // The view's commands.
    static constexpr int kIdZoom100 = 338;
    static constexpr int kIdZoomGroesser = 666;
    static constexpr int kIdZoomKleiner = 667;
    static constexpr int kIdSichern = 636;
    static constexpr int kIdHilfe = 827;
    static constexpr int kIdErgebnis = 33317;
    static constexpr int kIdEinheitAufloesen = 33318;
    static constexpr int kIdMaengel = 33320;
    static constexpr int kIdZurrpunkte = 397;
    static constexpr int kIdZurrpunktBearbeiten = 33295;
    static constexpr int kIdZurrschienen = 748;
    static constexpr int kIdZurrmittel = 398;
    static constexpr int kIdNeuerZurrpunkt = 33290;
    static constexpr int kIdZurrpunktLoeschen = 33296;
    static constexpr int kIdAlleZurrpunkteLoeschen = 33307;
    static constexpr int kIdEinheitBilden = 406;
    static constexpr int kIdNeuBeginnen = 407;
    // The help topic of the help button.
    static constexpr int kHilfeThema = 894;
    // Start-flow answers of the message boxes.
    static constexpr int kTabPlan = 1;

    explicit CQORLgSicherungView(CQOR1Doc* pDoc = nullptr, QWidget* parent = nullptr);
    ~CQORLgSicherungView() override;

    // The vehicle worked on (the semi-trailer of a semi-trailer combination) and its plan.
    CFahrzeug* GetFahrzeug() const;
    CQOR* GetPlan() const;
    // The plan's active load unit, or null.
    CLadeeinheit* GetAktiveEinheit() const;

    // Scale.
    int MetresToPixels(double dMetres) override;
    double PixelsToMetres(int nPixels) override;
    bool GetRailPosAtCursor(CZurrschiene** ppSchiene, double* pX) override;
    int GetZoomIndex() const { return m_nZoomIndex; }
    double GetZoom() const { return m_dZoom; }
    // Sets the zoom index (kept within the table) and repaints.
    void SetZoomIndex(int nIndex);

    // The report picture: paints the load area once at zoom index nZoomIndex, in snapshot mode (only
    // the active unit and the loads of units), into a picture of the load area plus 10 pixels left and
    // right and 20 above and below, and writes it as a BMP file. The file there before is removed
    // first; false (and no file) when the picture cannot be made or written. The zoom is restored.
    // With pFahrzeug the picture shows that vehicle instead of the document's active one.
    bool RenderSnapshot(int nZoomIndex, const QString& path, CFahrzeug* pFahrzeug = nullptr);
    bool IsSnapshot() const { return m_bSnapshot; }
    QSize LetzteSnapshotGroesse() const { return m_szSnapshot; }
    // The tool tips: over a load unit its loads, total mass and free distances (template 677); over a
    // placed load the plan's marked loads with the hovered one marked (template 681); empty otherwise.
    std::string EinheitTooltip(const CLadeeinheit& le);
    std::string LadungenTooltip(const tagLGINFO* pGezeigt);
    // The tool tip of the object under a client point (runs the hit test).
    QString ToolTipText(QPoint ptClient);
    // The defect list of a unit (null: the active one; nothing without one) in the HTML message box.
    void ShowMaengel(CLadeeinheit* pEinheit);
    // The mark drawn over a load unit: the unit's verdict (GetSicherungsStand), or none where the view
    // shows no mark (the unit the wizard works on from its first page).
    SicherungsStand EinheitKennzeichen(const CLadeeinheit& le);
    // The zoom index of a report sketch variant.
    static int SkizzenZoomIndex(int nSketch);
    // A sketch renderer for CLgspReport drawing through this view.
    std::function<bool(const std::string&, int, CFahrzeug&, CLadeeinheit&)> SkizzenRenderer();

    // The view protocol.
    void OnInitialUpdate() override;
    void OnActivateView(bool bActivate, CGetAnsView* pActivated, CGetAnsView* pDeactivated) override;
    int OnViewNotify(AnsichtMeldung eMeldung, const AnsichtWert& wert) override;
    // True refuses: the leave reasons mapped to view actions and asked of QueryAction.
    bool CanLeave(VerlassenGrund eGrund, int nArg, std::string* pMessage) override;
    // The action QueryVeto maps a leave reason to (none for reasons that are never refused), and the
    // veto: true when refused.
    static std::optional<LgSichgAktion> VetoAktion(VerlassenGrund eGrund);
    bool QueryVeto(VerlassenGrund eGrund, int nValue, QString* pMessage);
    // The document's notices: the vehicle, tab, view and load-area changes go to the wizard; after an
    // uncoupling the hit regions are cleared (and the wizard destroyed when a semi-trailer went).
    int OnFrameNotify(DokumentMeldung eMeldung, int nValue);
    void OnDocNotify(DokumentMeldung eMeldung, int nArg) override { OnFrameNotify(eMeldung, nArg); }
    // The frame's command enabling while a wizard is shown; false when not handled.
    bool OnUpdateFrameCmdUI(int nCommand, CCmdUI* pCmdUI);

    // Commands of the strips and the context menu; false for an id the view does not run.
    bool OnBefehl(int nId) override;
    // The enabling of the view's own commands; false when the command is not the view's.
    bool OnUpdateBefehl(int nId, CCmdUI* pCmdUI);
    // While the wizard is open it has the first word on the frame's commands.
    bool OnUpdateBefehl(int nId, CCmdUI& cmdUI) override
    {
        return OnUpdateFrameCmdUI(nId, &cmdUI) || OnUpdateBefehl(nId, &cmdUI);
    }

    // The wizard's interface of the view.
    QWidget* GetViewWindow() override { return this; }
    CQOR1Doc* GetViewDocument() override { return GetDocument(); }
    ProgramRun& GetViewProgramRun() override { return GetProgramRun(); }
    // The local rules of a view action, then the wizard when one exists.
    bool QueryAction(LgSichgAktion eAktion, const LgSichgWert& wert, int* pOut, QString* pMessage,
                     bool bDefault, int* pExtra) override;
    void MarkModified(CFahrzeug* pFahrzeug) override { CGetAnsView::MarkModified(pFahrzeug); }
    void RepaintView() override;
    QRect GetClientRectOnScreen() const override;
    QRect GetLadeflaecheOnScreen() override;
    QRect GetEinheitOnScreen() override;
    void SetWizardVersatz(const QPoint& versatz) override;
    QPoint GetWizardVersatz() const { return m_ptWizardVersatz; }
    bool IsZurrpunktInUse(const LgSichgWert& wert, CLadeeinheit* pEinheit, int nMethode) override;
    // Whether a unit is lashed to the vehicle's rails (always while the wizard works on a secured unit).
    bool UsesZurrschiene(const CLadeeinheit& le) const;
    void ClearLoadMarks() override;

    // Hands a notification to the wizard; its answer, 0 without a wizard.
    int NotifyWizard(LgSichgMeldung eMeldung, const LgSichgWert& wert = {});
    // show FALSE hides the wizard and gives the frame its commands back; show TRUE with bNurFragen
    // answers -1 while a wizard exists, else 1; otherwise the wizard is made when there is none, the
    // frame's close box and control 802 are disabled, then the wizard is shown on top. Answers 1 when
    // the wizard shows, 0 otherwise.
    int ShowWizard(bool bZeigen, bool bNurFragen, int nModus);
    ISecuringWizard* GetWizard() const { return m_pWizard.get(); }
    bool IsWizardShown() const { return m_bWizardGezeigt; }

    // Start load securing (kIdSichern) and dissolving the active load unit (kIdEinheitAufloesen).
    void StarteLgSicherung();
    void LoescheAktiveEinheit();
    // A new load unit of the plan for a single load that belongs to none; null, with a message, when
    // the plan has no free unit id.
    CLadeeinheit* BildeEinheit(tagLGINFO* pLg);

    // Editing the vehicle's lashing equipment. The point list stays sorted and numbered; points near a
    // new one (closer than 0.25 m) make it be dropped unless it replaces them; a point deleted takes
    // every reference of the plan's load units to it along.
    void InsertZurrpunktSorted(std::unique_ptr<CZurrpunkt> p);
    // The count of near points (other than pAusser); with bEntfernen they are removed, or -1 when one
    // of them is in use and nothing was removed.
    int RemoveNearZurrpunkte(CZurrpunkt& p, const CZurrpunkt* pAusser, bool bEntfernen);
    // Takes a point out of the vehicle's list and numbers the rest again; the point is deleted with
    // bLoeschen, else handed back.
    std::unique_ptr<CZurrpunkt> RemoveZurrpunkt(CZurrpunkt* p, bool bLoeschen);
    // Drops every reference of the plan's load units to the point (null: to any point of the vehicle).
    void LoeseZurrpunktVerweise(const CZurrpunkt* p);
    // Applies what the lashing-point editor gave back: an edit, one new point (and its twin), a row.
    void WendeZurrpunktAn(ISecuringDialogs::ZurrpunktWerte w);
    void EditZurrpunkte(bool bAuswahl);
    void NeuerZurrpunktHier();
    void LoescheAuswahlPunkt();
    void LoescheAllePunkte();
    void EditZurrschienen();
    void EditZurrmittel();
    // The place of the last right-button press, in picture coordinates.
    void SetRechtsklick(QPoint pt) { m_ptRechts = pt; }

    // The context menu at a client point (menu 602 popup 0, 1 or 2; owned by the caller); null where
    // none shows.
    QMenu* KontextMenu(QPoint ptClient);

    // Hit-test state, in picture coordinates (client + scroll).
    struct SHover
    {
        int nEcke = -1;                       // attachment corner of the active unit
        CLadeeinheit* pEinheit = nullptr;     // load unit
        tagLGINFO* pLadung = nullptr;         // placed load
        CZurrpunkt* pPunkt = nullptr;         // lashing point of the vehicle
        CZurrpunkt* pSchienenpunkt = nullptr; // rail point of the active unit
        CZurrschiene* pSchiene = nullptr;     // lashing rail
        bool bFreieFlaeche = false;           // the free load area
    };
    // Runs the hit test at a client point in the order of the view and answers the cursor number
    // (0 for the default arrow); the state is kept for the next click.
    int HitTest(QPoint ptClient);
    const SHover& GetHover() const { return m_hover; }
    CZurrpunkt* GetAuswahlPunkt() const { return m_pAuswahlPunkt; }
    void SetAuswahlPunkt(CZurrpunkt* p) { m_pAuswahlPunkt = p; }
    // A click at a client point, acting on the last hit test.
    void Klick(QPoint ptClient);
    // Tab: switches the vehicle worked on in a combination whose trailer is no semi-trailer.
    bool WechsleFahrzeug();

    // Drawn geometry of the last paint, in picture coordinates.
    QPoint GetUrsprung() const { return m_ptUrsprung; }
    QRect GetLadeflaeche() const { return m_regionen.rcLadeflaeche; }
    const std::map<const CLadeeinheit*, QRect>& GetEinheitRegionen() const { return m_regionen.einheiten; }
    const std::map<const tagLGINFO*, QRect>& GetLadungRegionen() const { return m_regionen.ladungen; }
    const std::map<const CZurrpunkt*, QRect>& GetPunktRechtecke() const { return m_regionen.punkte; }
    const std::map<const CZurrschiene*, QRect>& GetSchienenRechtecke() const { return m_regionen.schienen; }
    // The rectangle of a rail on the load area in picture coordinates (pass 0: the whole rail, 1: its
    // usable range); empty for a rail on no side or without length.
    QRect SchienenRechteck(const CZurrschiene& s, int nDurchgang);
    // The square of a lashing point of the vehicle in picture coordinates.
    QRect PunktRechteck(CZurrpunkt& p);
    // The box of a placed load in picture coordinates.
    QRect LadungRechteck(const tagLGINFO& lg);
    // Clears both hit maps and the hovered unit and load.
    void ClearHitMaps();

    CRibBtnContainer* GetStreifen(int nId) const;

protected:
    void OnDraw(QPainter& painter) override;
    bool event(QEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    bool viewportEvent(QEvent* e) override;

private:
    // The sketch's scale and origin, the view's rules as the sketch asks them, and a sketch of f.
    LgSichgMassstab Massstab() const;
    LgSichgSkizze::Frage SkizzenFrage();
    LgSichgSkizze::Auftrag SkizzenAuftrag(CFahrzeug& f);
    // The load unit's box on the load area in picture coordinates.
    QRect EinheitRechteck(const CLadeeinheit& le);
    // The hovered objects that still exist in the plan and the vehicle.
    void PruefeHover();
    bool IstImPlan(const tagLGINFO* p) const;
    bool IstImPlan(const CLadeeinheit* p) const;
    bool IstAmFahrzeug(const CZurrpunkt* p) const;
    void LegeStreifen(QPoint insets);
    void SetZoomTitel();
    void SetCursor(int nCursor);
    void WizardGeschlossen();
    void RahmenFreigeben(bool bFrei);
    int FrageBox(int nText, int nTitel, std::initializer_list<std::pair<int, int>> knoepfe,
                 bool bCheck = false, bool* pCheck = nullptr, int nIcon = 0);
    void Meldung(int nText);
    bool SetNeuenZurrpunkt(const ISecuringDialogs::ZurrpunktWerte& w, double dX, int nFlags);

    // The report picture being made, its vehicle and the size of the last one.
    bool m_bSnapshot = false;
    CFahrzeug* m_pSnapshotFahrzeug = nullptr;
    QSize m_szSnapshot;
    // Scale and zoom.
    double m_dZoom = kBasisZoom;
    int m_nZoomIndex = 1;
    // Origin of the load area and its rectangle (picture coordinates), the last origin reported.
    QPoint m_ptUrsprung{0, 0};
    QPoint m_ptLetzterUrsprung{-1, -1};
    QPoint m_ptWizardVersatz{0, 0}; // the drawing's move while the wizard stands over the view
    // The strips, children of the viewport.
    CRibBtnContainer* m_pStreifenZoom = nullptr;
    CRibBtnContainer* m_pStreifenSichg = nullptr;
    CRibBtnContainer* m_pStreifenHilfe = nullptr;
    // Interaction state.
    QPoint m_ptRechts{0, 0};
    SHover m_hover;
    CZurrpunkt* m_pAuswahlPunkt = nullptr;
    bool m_bKontextOffen = false;
    bool m_bNachKontext = false;
    int m_nCursor = -1;
    // The sketch and where it drew its objects in the last paint (the hit regions).
    LgSichgSkizze m_skizze;
    LgSichgRegionen m_regionen;
    // The wizard and whether it is shown.
    std::unique_ptr<ISecuringWizard> m_pWizard;
    bool m_bWizardGezeigt = false;
};
