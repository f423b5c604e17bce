// The modeless load-securing wizard: its pages, the page flow and the view's questions.
#pragma once

#include "loadsecuring/ILgSicherungView.h"
#include "loadsecuring/LgSichgMeldung.h"
#include "loadsecuring/LgSichgReach.h"
#include "loadsecuring/LgSichgViewQuery.h"
#include "model/plan/CWizardParams.h"
#include "ui/CPropertySheetBase.h"

#include <QImage>
#include <QPointer>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>

class CCmdUI;
class CFahrzeug;
class CLadeeinheit;
class CPgLgSichgBase2;
class CQOR1Doc;
struct HtmlCommandEntry;
class CQorBrowser;
class CRibBtnContainer;
class CWizardHeaderView;
class RibBtnStrip;

// The view creates it once (caption 403, itself as parent, first page 0), calls SetView and
// SetStartMode, then Create and shows it; hiding keeps it. It tells the view through LgSichgViewEvent.
class CPshLgSichgWizard : public CPropertySheetBase
{
    Q_OBJECT
public:
    // Number of pages and the height of the header above them.
    static constexpr int kPageCount = 9;
    static constexpr int kHeaderHeight = 120;
    // Ids of the strip and its buttons.
    static constexpr int kStripId = 2001;
    static constexpr int kIdBack = 12323;
    static constexpr int kIdNext = 12324;
    static constexpr int kIdClose = 705;
    static constexpr int kIdSave = 714;
    static constexpr int kIdReport = 770;
    static constexpr int kBrowserId = 1224;
    // Page indexes of the result page and of the pages the flow knows by name.
    static constexpr int kResultPage = 8;
    static QColor BrushColor() { return QColor(200, 216, 237); }

    CPshLgSichgWizard(int nCaptionId, QWidget* pParent, int nFirstPage);
    ~CPshLgSichgWizard() override;

    void SetView(ILgSicherungView* pView);
    ILgSicherungView* GetView() const { return m_pView; }
    // 0 plain start; 1 a unit was just formed from a single load; 2 the plan's only unit is secured
    // (opens on page 1); 3 opens on the result page.
    void SetStartMode(int nMode);
    // The mode value: 0, 2 or 3 (mode 1 keeps 0 and sets the formed-unit flag).
    int GetStartMode() const { return m_nStartMode; }
    bool IsFormedUnitStart() const { return m_bStartMode1; }
    // Builds the header, the hint pane and the button strip, takes the unit's settings in modes 2 and
    // 3, opens the start page and places the sheet beside the view; false when the window could not be
    // built.
    bool Create();

    // nonzero refuses the view action (pMessage says why when a page gave a reason), 0 allows.
    int QueryViewAction(LgSichgAktion eAktion, const LgSichgWert& wert, QString* pMessage, int nDefaultResult,
                        int* pOut);
    // The view tells of a change; true when handled.
    bool OnViewNotify(LgSichgMeldung eMeldung, const LgSichgWert& wert);
    // The enabling of the frame's commands while the wizard is open; true when handled.
    bool OnUpdateFrameCmdUI(int nCommand, CCmdUI* pCmdUI);

    CWizardParams& GetParams() { return m_params; }
    const CWizardParams& GetParams() const { return m_params; }

    // The page flow.
    bool GoToPage(int nIndex);
    void SetReach(int nValue);
    int GetReach() const { return m_reach.Reach(); }
    int GetReachMarker() const { return m_reach.Marker(); }
    // The page at a wizard index (0..8), and the index of a page (-1 for none).
    CPgLgSichgBase2* GetPage(int nIndex) const;
    int PageIndexOf(const QWidget* pPage) const;
    // A link of the hint pane (commands 0x8001..0x8005) with its argument, handed to the active page.
    void OnHintLink(int nId, const QString& strArg);
    // The "app:" link names of the hint pane and their commands.
    static const HtmlCommandEntry* HintLinkTable();

    // The securing needs of the active unit under the working settings (directions 0 rearward, 1 and 3
    // the sides, 2 forward); with pCount, the numbers of its lashing points serving the direction.
    bool CheckRutschen(int nRichtung, int* pCount = nullptr, int* pCount2 = nullptr);
    bool CheckKippen(int nRichtung, int* pCount = nullptr, int* pCount2 = nullptr);
    int GetMaske();
    float GetAbminderungsFaktor() const;
    // The vehicle worked on (none for a semi-trailer tractor) and the active unit of its plan.
    CFahrzeug* GetFahrzeug() const;
    CLadeeinheit* GetLadeeinheit() const;
    CQOR1Doc* GetDocument() const;

    // The shared hint pane: given to a page when free or already its own; null otherwise.
    CQorBrowser* ClaimBrowser(CPgLgSichgBase2* pPage);
    void ReleaseBrowser(CPgLgSichgBase2* pPage);
    CQorBrowser* BrowserOwnedBy(const CPgLgSichgBase2* pPage) const;
    CQorBrowser* Browser() const { return m_pBrowser; }

    // The Close button (705), which Escape and the close box also are: closes the wizard, in mode 2
    // after the question whether to discard the unit's securing. True when the wizard closed.
    bool Schliessen();
    // Closes the wizard with 705 or 714 (714 saves the vehicle files first; a failed save keeps the
    // wizard open and answers false).
    bool CloseWizard(int nCode);
    // The result page was shown: closing the wizard (other than by discarding) keeps the working
    // settings in the unit.
    void SetErgebnisGezeigt() { m_bErgebnisGezeigt = true; }
    bool IsErgebnisGezeigt() const { return m_bErgebnisGezeigt; }

    // Set to 2 by every page activation; read by the view query.
    int GetStateWord() const { return m_nStateWord; }
    void SetStateWord(int n) { m_nStateWord = n; }
    // The method checked on the method page and that page's option value, as that page reports them.
    void SetMethodPageChoice(int nMethode, int nOption);
    // The securing-choice page's "propose lashing points" flag, read by the lashing-points page.
    void SetZurrpunkteVorschlagen(bool b) { m_bZurrpunkteVorschlagen = b; }
    bool IsZurrpunkteVorschlagen() const { return m_bZurrpunkteVorschlagen; }
    // The corner the lashing-points page works on (0..3) and the slot shown in its fields.
    void SetEcke(int nEcke) { m_nEcke = nEcke; }
    int GetEcke() const { return m_nEcke; }
    void SetEckeSub(int nSub) { m_nEckeSub = nSub; }
    int GetEckeSub() const { return m_nEckeSub; }
    void RepaintHeader();
    void OnPageTitleChanged(CPgLgSichgBase2* pPage);
    CWizardHeaderView* HeaderView() const { return m_pHeader; }
    CRibBtnContainer* ButtonStrip() const;
    // The state of a strip button after the last command update: enabled or not.
    bool IsButtonEnabled(int nId);
    // Whether a unit is out of the plan while the view writes the file.
    bool HasSavedUnit() const { return m_nSavedIndex != -1; }

protected:
    // Places the sheet beside the load area and the unit (LgSichgPlacement) and lets the view move its
    // drawing where there is no room for that.
    void Platziere();
    bool OnInitDialog() override;
    bool OnCommand(int id, int notifyCode, QObject* control) override;
    void OnUpdateCommand(CommandUpdateEvent& query) override;
    void OnEscape(int* command) override;
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildStrip();
    void ShowPage(int nIndex);
    int AskPages(LgSichgAktion eAktion, const LgSichgWert& wert, QString* pMessage);
    void TellNotPossible();
    void PutSavedUnitBack();
    void LayoutStrip();
    LgSichgViewQuery::Lage CurrentLage() const;
    bool CheckRichtung(bool bKippen, int nRichtung, int* pCount, int* pCount2);
    void SendToView(QEvent::Type type);
    void DestroyWizard();

    std::array<CPgLgSichgBase2*, kPageCount> m_pages{};
    CWizardHeaderView* m_pHeader = nullptr;
    QImage m_headerPicture;
    ILgSicherungView* m_pView = nullptr;
    CQorBrowser* m_pBrowser = nullptr;
    CPgLgSichgBase2* m_pBrowserOwner = nullptr;
    LgSichgReach m_reach;
    bool m_bStartMode1 = false;
    int m_nStartMode = 0;
    std::unique_ptr<CLadeeinheit> m_pSavedUnit;
    int m_nSavedIndex = -1;
    int m_nSavedId = 0;
    std::unique_ptr<RibBtnStrip> m_pStrip;
    int m_nStateWord = 0;
    CWizardParams m_params;
    int m_nMethodeSeite11 = 0;
    int m_nOptionSeite11 = 0;
    int m_nActive = -1;
    bool m_bCreated = false;
    bool m_bErgebnisGezeigt = false;
    bool m_bVerworfen = false;
    bool m_bSchliesst = false;
    bool m_bZurrpunkteVorschlagen = false;
    int m_nEcke = 0;
    int m_nEckeSub = 0;
};
