// The load-securing wizard: pages, page flow, strip commands and the answers to the view.
#include "loadsecuring/CPshLgSichgWizard.h"

#include "loadsecuring/CPgLgSichgPage1.h"
#include "loadsecuring/CPgLgSichgPage10.h"
#include "loadsecuring/CPgLgSichgPage11.h"
#include "loadsecuring/CPgLgSichgPage2.h"
#include "loadsecuring/CPgLgSichgPage3.h"
#include "loadsecuring/CPgLgSichgPage4.h"
#include "loadsecuring/CPgLgSichgPage5.h"
#include "loadsecuring/CPgLgSichgPage6.h"
#include "loadsecuring/CPgLgSichgPage8.h"
#include "loadsecuring/CWizardHeaderView.h"
#include "loadsecuring/LgSichgCmdUI.h"
#include "loadsecuring/LgSichgPageEvent.h"
#include "loadsecuring/LgSichgPlacement.h"
#include "loadsecuring/LgSichgViewEvent.h"
#include "model/document/CQOR1Doc.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/securing/CLgspReport.h"
#include "model/securing/SicherungsBedarf.h"
#include "model/text/HtmlText.h"
#include "model/text/TextFormat.h"
#include "model/text/TextProvider.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"
#include "ui/AppCommandEvent.h"
#include "ui/CQorBrowser.h"
#include "ui/CommandUpdateEvent.h"
#include "ui/ControlId.h"
#include "ui/IMessageBoxService.h"
#include "ui/ResourcePictures.h"
#include "ui/RibBtnStrip.h"
#include "ui/ShowMessage658.h"
#include "views/CTabbedViewView.h"
#include "views/IViewShell.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>

#include <algorithm>

namespace {

// The space below the pages that holds the button strip.
constexpr int kStripArea = 76;
constexpr int kStripX = 10;

// Frame commands disabled while the wizard is open; 33070 keeps its own state on the first two pages.
constexpr int kFrameCommands[] = {57602, 57606, 57665, 33101, 33112, 33124, 33148, 748,
                                  397,   398,   644,   130,   33071, 33072, 33095};
constexpr int kFileListFirst = 57616;
constexpr int kFileListLast = 57631;

} // namespace

CPshLgSichgWizard::CPshLgSichgWizard(int nCaptionId, QWidget* pParent, int nFirstPage)
    : CPropertySheetBase(nCaptionId, pParent, nFirstPage)
{
    setObjectName(QStringLiteral("securingWizard"));
    setWindowFlags(Qt::Dialog);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, BrushColor());
    setPalette(pal);
    // The members in declaration order, added to the sheet in wizard order.
    auto* p1 = new CPgLgSichgPage1(this);
    auto* p2 = new CPgLgSichgPage2(this);
    auto* p3 = new CPgLgSichgPage3(this);
    auto* p4 = new CPgLgSichgPage4(this);
    auto* p5 = new CPgLgSichgPage5(this);
    auto* p6 = new CPgLgSichgPage6(this);
    auto* p8 = new CPgLgSichgPage8(this);
    auto* p10 = new CPgLgSichgPage10(this);
    auto* p11 = new CPgLgSichgPage11(this);
    m_pages = {p1, p2, p4, p5, p11, p3, p10, p6, p8};
    for (int i = 0; i < kPageCount; ++i) {
        AddPage(m_pages[std::size_t(i)]);
        m_pages[std::size_t(i)]->SetPageIndex(i);
    }
}

CPshLgSichgWizard::~CPshLgSichgWizard()
{
    // A unit taken out of the plan while the view writes its file must not go down with the wizard.
    PutSavedUnitBack();
}

void CPshLgSichgWizard::SetView(ILgSicherungView* pView)
{
    m_pView = pView;
    for (CPgLgSichgBase2* page : m_pages)
        page->SetView(pView);
}

void CPshLgSichgWizard::SetStartMode(int nMode)
{
    if (nMode == 1) {
        m_bStartMode1 = true;
        m_nStartMode = 0;
    } else if (nMode == 0 || nMode == 2 || nMode == 3) {
        m_nStartMode = nMode;
    }
}

bool CPshLgSichgWizard::Create()
{
    if (m_bCreated)
        return true;
    m_headerPicture = LoadCxImageFromResource(649, PICTURE_FORMAT_BITMAP);
    m_pHeader = new CWizardHeaderView(this);
    m_pHeader->SetFallbackPicture(m_headerPicture);
    m_pHeader->setFixedHeight(kHeaderHeight - 5);
    if (auto* box = layout()) {
        if (auto* vbox = qobject_cast<QBoxLayout*>(box))
            vbox->insertWidget(0, m_pHeader);
        box->setContentsMargins(0, 0, 0, kStripArea);
        box->setSpacing(0);
    }
    m_pBrowser = new CQorBrowser(this);
    ControlId::Set(m_pBrowser, kBrowserId);
    m_pBrowser->SetCommandTable(HintLinkTable());
    m_pBrowser->hide();
    BuildStrip();
    if (m_nStartMode != 0) {
        if (CLadeeinheit* pEinheit = GetLadeeinheit())
            m_params = pEinheit->m_Wizard;
        SetReach(8);
    }
    m_bCreated = true;
    // The sheet is as large as its largest page with the header and the strip.
    QSize page;
    for (CPgLgSichgBase2* p : m_pages)
        page = page.expandedTo(p->size());
    resize(std::max(page.width(), 560), page.height() + kHeaderHeight - 5 + kStripArea);
    InitDialog();
    return true;
}

void CPshLgSichgWizard::BuildStrip()
{
    auto* strip = new CRibBtnContainer(true, false, false);
    if (!strip->Create(kStripId, this, 20, 100, 300, QStringLiteral("Test"))) {
        delete strip;
        return;
    }
    m_pStrip = std::make_unique<RibBtnStrip>(strip);
    strip->SetBackgroundBitmapColor(2, 0xEDD8C8); // the brush colour as 0x00BBGGRR
    strip->SetBackgroundBitmap(1, 3509);
    strip->AddButton(kIdBack, this);
    strip->AddButton(kIdNext, this);
    if (m_nStartMode == 2) {
        strip->AddButtonEx(kIdClose, this, 1, 0, QString::fromStdString(LoadResString(579)));
        strip->SetButtonIcon(kIdClose, 821);
    } else {
        strip->AddButtonEx(kIdClose, this, 1, 0, QString::fromStdString(LoadResString(440)));
    }
    strip->AddButtonEx(kIdSave, this, 1, 0, QString::fromStdString(LoadResString(1338)));
    strip->SetButtonToolTip(kIdSave, 611);
    strip->AddButtonEx(kIdReport, this, 1, 0);
    for (int id : {kIdBack, kIdNext, kIdClose, kIdSave, kIdReport}) {
        strip->SetButtonSize(quint32(id), 31, 31);
        strip->SetButtonToolTipMode(quint32(id), 0);
    }
    AddStripToRing(m_pStrip.get());
    LayoutStrip();
}

CRibBtnContainer* CPshLgSichgWizard::ButtonStrip() const
{
    return m_pStrip ? m_pStrip->Strip() : nullptr;
}

void CPshLgSichgWizard::LayoutStrip()
{
    if (CRibBtnContainer* strip = ButtonStrip())
        strip->SetWindowPosAndShape(kStripX, height() - kStripArea + (kStripArea - strip->height()) / 2, 0);
}

void CPshLgSichgWizard::resizeEvent(QResizeEvent* event)
{
    CPropertySheetBase::resizeEvent(event);
    LayoutStrip();
}

void CPshLgSichgWizard::showEvent(QShowEvent* event)
{
    CPropertySheetBase::showEvent(event);
    // The first page set the sheet's final size only now: placed again with it.
    if (!event->spontaneous())
        Platziere();
}

bool CPshLgSichgWizard::OnInitDialog()
{
    CPropertySheetBase::OnInitDialog();
    const int nStart = m_nStartMode == 3 ? kResultPage : m_nStartMode == 2 ? 1 : 0;
    ShowPage(nStart);
    Platziere();
    return true;
}

void CPshLgSichgWizard::Platziere()
{
    // Beside the load area and the unit it asks about, over the main window and on its screen.
    if (!m_pView)
        return;
    LgSichgPlacement::Lage lage;
    lage.ansicht = m_pView->GetClientRectOnScreen();
    lage.ladeflaeche = m_pView->GetLadeflaecheOnScreen();
    lage.einheit = m_pView->GetEinheitOnScreen();
    QWidget* haupt = m_pView->GetViewWindow() ? m_pView->GetViewWindow()->window() : nullptr;
    QScreen* screen = haupt && haupt->screen() ? haupt->screen() : QGuiApplication::primaryScreen();
    const QRect frei = screen ? screen->availableGeometry() : QRect(0, 0, 1920, 1080);
    lage.bereich = haupt && haupt->isVisible() ? haupt->frameGeometry().intersected(frei) : frei;
    // The frame around the sheet counts: the rectangle placed is the frame's, the sheet moves by its corner.
    // Until the sheet is first mapped the window manager's frame is not known, also while it is being
    // shown: the main window's frame stands in for it.
    const QRect rahmen = frameGeometry();
    const QRect hauptFenster = haupt ? haupt->geometry() : QRect();
    const QSize groesse = LgSichgPlacement::MitRahmen(geometry(), rahmen, hauptFenster,
                                                      haupt ? haupt->frameGeometry() : QRect());
    const LgSichgPlacement::Ergebnis e = LgSichgPlacement::Platziere(lage, groesse);
    move(e.blatt.topLeft() + (pos() - rahmen.topLeft()));
    m_pView->SetWizardVersatz(e.verschiebung);
}

CPgLgSichgBase2* CPshLgSichgWizard::GetPage(int nIndex) const
{
    return nIndex >= 0 && nIndex < kPageCount ? m_pages[std::size_t(nIndex)] : nullptr;
}

int CPshLgSichgWizard::PageIndexOf(const QWidget* pPage) const
{
    for (int i = 0; i < kPageCount; ++i)
        if (m_pages[std::size_t(i)] == pPage)
            return i;
    return -1;
}

void CPshLgSichgWizard::ShowPage(int nIndex)
{
    CPgLgSichgBase2* pNeu = GetPage(nIndex);
    if (!pNeu)
        return;
    if (CPgLgSichgBase2* pAlt = GetPage(m_nActive); pAlt && pAlt != pNeu)
        pAlt->Deactivate();
    m_nActive = nIndex;
    SetCurrentPageIndex(nIndex);
    SetActivePage(nIndex);
    pNeu->InitDialog();
    pNeu->Activate(m_reach.IsNew(nIndex));
    OnPageTitleChanged(pNeu);
    KickIdle();
}

bool CPshLgSichgWizard::GoToPage(int nTarget)
{
    if (nTarget < 0 || nTarget >= kPageCount)
        return false;
    if (nTarget == m_nActive)
        return true;
    if (CPgLgSichgBase2* pAktiv = GetPage(m_nActive)) {
        nTarget = LgSichgReach::ResolveTarget(nTarget, pAktiv->Validate(nTarget), kPageCount);
        if (nTarget < 0)
            return false;
    }
    m_reach.Enter(nTarget);
    ShowPage(nTarget);
    return true;
}

void CPshLgSichgWizard::SetReach(int nValue)
{
    const int nAlt = m_reach.Reach();
    m_reach.Set(nValue);
    for (CPgLgSichgBase2* page : m_pages)
        page->OnReachChanged(nAlt, nValue);
}

CQOR1Doc* CPshLgSichgWizard::GetDocument() const
{
    return m_pView ? m_pView->GetViewDocument() : nullptr;
}

CFahrzeug* CPshLgSichgWizard::GetFahrzeug() const
{
    CQOR1Doc* pDoc = GetDocument();
    CFahrzeug* pFahrzeug = pDoc ? pDoc->GetAktivFahrzeug(true) : nullptr;
    if (!pFahrzeug || pFahrzeug->GetFahrzeugTyp() == FahrzeugArt::kSattelzugmaschine)
        return nullptr;
    return pFahrzeug;
}

CLadeeinheit* CPshLgSichgWizard::GetLadeeinheit() const
{
    CQOR1Doc* pDoc = GetDocument();
    CQOR* pPlan = pDoc ? pDoc->GetAktivPlan() : nullptr;
    return pPlan ? pPlan->GetAktiveLadeeinheit() : nullptr;
}

float CPshLgSichgWizard::GetAbminderungsFaktor() const
{
    return CLgspReport::AbminderungsFaktor(m_params);
}

bool CPshLgSichgWizard::CheckRichtung(bool bKippen, int nRichtung, int* pCount, int* pCount2)
{
    CLadeeinheit* pEinheit = GetLadeeinheit();
    const bool bNoetig = bKippen ? SicherungsBedarf::CheckKippen(pEinheit, m_params, nRichtung)
                                 : SicherungsBedarf::CheckRutschen(pEinheit, m_params, nRichtung);
    if (pCount && nRichtung >= 0 && nRichtung < 4) {
        int n[4][3];
        SicherungsBedarf::ZaehleZurrpunkte(pEinheit, GetFahrzeug(), n);
        *pCount = n[nRichtung][0];
        if (pCount2)
            *pCount2 = n[nRichtung][1];
    }
    return bNoetig;
}

bool CPshLgSichgWizard::CheckRutschen(int nRichtung, int* pCount, int* pCount2)
{
    return CheckRichtung(false, nRichtung, pCount, pCount2);
}

bool CPshLgSichgWizard::CheckKippen(int nRichtung, int* pCount, int* pCount2)
{
    return CheckRichtung(true, nRichtung, pCount, pCount2);
}

int CPshLgSichgWizard::GetMaske()
{
    return SicherungsBedarf::GetMaske(GetLadeeinheit(), m_params);
}

CQorBrowser* CPshLgSichgWizard::ClaimBrowser(CPgLgSichgBase2* pPage)
{
    if (!m_pBrowser)
        return nullptr;
    if (!m_pBrowserOwner || m_pBrowserOwner == pPage) {
        m_pBrowserOwner = pPage;
        return m_pBrowser;
    }
    return nullptr;
}

void CPshLgSichgWizard::ReleaseBrowser(CPgLgSichgBase2* pPage)
{
    if (m_pBrowserOwner != pPage)
        return;
    m_pBrowserOwner = nullptr;
    if (m_pBrowser) {
        m_pBrowser->hide();
        m_pBrowser->setParent(this);
    }
}

CQorBrowser* CPshLgSichgWizard::BrowserOwnedBy(const CPgLgSichgBase2* pPage) const
{
    return pPage && m_pBrowserOwner == pPage ? m_pBrowser : nullptr;
}

void CPshLgSichgWizard::SetMethodPageChoice(int nMethode, int nOption)
{
    m_nMethodeSeite11 = nMethode;
    m_nOptionSeite11 = nOption;
}

void CPshLgSichgWizard::RepaintHeader()
{
    if (m_pHeader)
        m_pHeader->update();
}

void CPshLgSichgWizard::OnPageTitleChanged(CPgLgSichgBase2* pPage)
{
    if (pPage && pPage == ActivePage() && !pPage->PageTitle().isEmpty())
        setWindowTitle(pPage->PageTitle());
}

// --- The view's questions and notices -------------------------------------------------------------

LgSichgViewQuery::Lage CPshLgSichgWizard::CurrentLage() const
{
    LgSichgViewQuery::Lage l;
    l.nAktiv = m_nActive;
    l.nReach = m_reach.Reach();
    l.nStartModus = m_nStartMode;
    l.nVerfahren = m_params.m_nVerfahren;
    l.nOptionS = m_params.m_nQuerQuelle;
    l.nFeldNachS = m_params.m_nDetailWert;
    l.nZweitesWort = m_params.m_bBlockiert;
    l.nStatusWort = m_nStateWord;
    l.nMethodeSeite11 = m_nMethodeSeite11;
    l.nOptionSeite11 = m_nOptionSeite11;
    if (CLadeeinheit* pEinheit = GetLadeeinheit()) {
        l.bEinheit = true;
        l.nEinheitId = pEinheit->GetId();
        l.nEinheitModus = pEinheit->GetSichgModus(nullptr);
    }
    if (CTabbedViewView* pHost =
            IViewShell::Of(m_pView ? &m_pView->GetViewProgramRun() : nullptr).GetActiveHost())
        l.nGewaehlterTab = pHost->GetSelectedTab();
    if (CQOR1Doc* pDoc = GetDocument())
        l.bMotorfahrzeug = pDoc->GetAktivFahrzeugArt() == 1;
    return l;
}

int CPshLgSichgWizard::AskPages(LgSichgAktion eAktion, const LgSichgWert& wert, QString* pMessage)
{
    std::vector<std::function<int(QString*)>> order;
    auto ask = [eAktion, &wert](CPgLgSichgBase2* page) {
        return [page, eAktion, &wert](QString* m) { return page->QueryViewAction(eAktion, wert, m); };
    };
    CPgLgSichgBase2* pAktiv = GetPage(m_nActive);
    if (pAktiv)
        order.push_back(ask(pAktiv));
    for (CPgLgSichgBase2* page : m_pages)
        if (page != pAktiv && page->IsInitialized())
            order.push_back(ask(page));
    return LgSichgViewQuery::AskInOrder(order, pMessage);
}

void CPshLgSichgWizard::TellNotPossible()
{
    IMessageBoxService::HtmlBox box;
    std::string text = LoadResString(441);
    if (m_nStateWord == 1)
        text += LoadResString(442);
    box.text = QString::fromStdString(text);
    box.captionId = 273;
    box.buttons = {{668, 668}};
    if (MessageBoxes().ShowHtml(this, box, nullptr) == 705) {
        IMessageBoxService::HtmlBox more;
        more.textId = 530;
        more.captionId = 273;
        more.buttons = {{668, 668}};
        MessageBoxes().ShowHtml(this, more, nullptr);
    }
}

int CPshLgSichgWizard::QueryViewAction(LgSichgAktion eAktion, const LgSichgWert& wert, QString* pMessage,
                                       int nDefaultResult, int* pOut)
{
    LgSichgViewQuery q;
    q.m_askPages = [this](LgSichgAktion e, const LgSichgWert& v, QString* m) { return AskPages(e, v, m); };
    q.m_viewCheck = [this](const LgSichgWert& v, int nMethode) {
        return m_pView && m_pView->IsZurrpunktInUse(v, GetLadeeinheit(), nMethode);
    };
    q.m_tell = [this] { TellNotPossible(); };
    return q.Query(CurrentLage(), eAktion, wert, pMessage, nDefaultResult, pOut);
}

void CPshLgSichgWizard::PutSavedUnitBack()
{
    if (m_nSavedIndex == -1)
        return;
    CQOR1Doc* pDoc = GetDocument();
    CQOR* pPlan = pDoc ? pDoc->GetAktivPlan() : nullptr;
    // Without its plan the unit has nowhere to go back to, and goes.
    if (pPlan && m_pSavedUnit)
        pPlan->InsertLadeeinheit(std::move(m_pSavedUnit), m_nSavedIndex)->SetLgFlagBits(m_nSavedId);
    m_pSavedUnit.reset();
    m_nSavedIndex = -1;
    m_nSavedId = 0;
}

bool CPshLgSichgWizard::OnViewNotify(LgSichgMeldung eMeldung, const LgSichgWert& wert)
{
    const int R = m_reach.Reach();
    switch (eMeldung) {
    case LgSichgMeldung::kVerfahrenGeaendert:
        if (m_params.m_nVerfahren == 1) {
            if (R > 5)
                SetReach(-5);
            if (m_nActive > 5)
                GoToPage(5);
            // The corners are lashed anew for the detailed method.
            if (CLadeeinheit* pEinheit = GetLadeeinheit())
                for (int nEcke = 0; nEcke < 4; ++nEcke)
                    for (int nSub = 0; nSub < 2; ++nSub)
                        pEinheit->SetZurrpunkt(nEcke, nSub, nullptr);
        } else {
            if (R == 8)
                SetReach(-7);
            if (m_nActive == kResultPage)
                GoToPage(7);
        }
        if (m_pView)
            m_pView->RepaintView();
        return true;
    case LgSichgMeldung::kSchienenGeloescht:
        if (R >= 5 && m_params.m_nQuerQuelle == 1)
            SetReach(-4);
        break;
    case LgSichgMeldung::kDateiWirdGeschrieben: {
        CQOR1Doc* pDoc = GetDocument();
        CQOR* pPlan = pDoc ? pDoc->GetAktivPlan() : nullptr;
        if (!pPlan || m_nSavedIndex != -1)
            return true;
        const int nId = pPlan->m_nAktiveLadeeinheit;
        int nIndex = -1;
        if (std::unique_ptr<CLadeeinheit> pEinheit = pPlan->RemoveAktiveLadeeinheit(&nIndex)) {
            pEinheit->SetLgFlagBits(0);
            m_pSavedUnit = std::move(pEinheit);
            m_nSavedIndex = nIndex;
            m_nSavedId = nId;
        }
        return true;
    }
    case LgSichgMeldung::kDateiGeschrieben:
        if (m_nSavedIndex == -1)
            return false;
        PutSavedUnitBack();
        return true;
    case LgSichgMeldung::kZurrmittelGeaendert:
        if (m_nActive == 7) {
            GetPage(7)->OnViewNotify(eMeldung, wert);
            return true;
        }
        break;
    default:
        break;
    }
    CPgLgSichgBase2* pAktiv = GetPage(m_nActive);
    if (pAktiv && pAktiv->OnViewNotify(eMeldung, wert))
        return true;
    for (CPgLgSichgBase2* page : m_pages)
        if (page != pAktiv && page->IsInitialized() && page->OnViewNotify(eMeldung, wert))
            return true;
    return false;
}

bool CPshLgSichgWizard::OnUpdateFrameCmdUI(int nCommand, CCmdUI* pCmdUI)
{
    if (!pCmdUI)
        return false;
    const bool bListe = nCommand >= kFileListFirst && nCommand <= kFileListLast;
    const bool bGesperrt = bListe || std::find(std::begin(kFrameCommands), std::end(kFrameCommands),
                                               nCommand) != std::end(kFrameCommands);
    if (nCommand == 33070) {
        if (m_nActive <= 1)
            return false;
        pCmdUI->Enable(false);
        return true;
    }
    if (!bGesperrt)
        return false;
    pCmdUI->Enable(false);
    return true;
}

// --- Commands --------------------------------------------------------------------------------------

void CPshLgSichgWizard::OnUpdateCommand(CommandUpdateEvent& query)
{
    const int id = int(query.Id());
    const int R = m_reach.Reach();
    auto ask = [&](QEvent::Type type, bool bSonst) {
        bool bEnabled = bSonst;
        if (CPgLgSichgBase2* page = GetPage(m_nActive)) {
            LgSichgCmdUI cmdUI{static_cast<unsigned>(id)};
            LgSichgPageEvent e(type);
            e.SetCmdUI(&cmdUI);
            QCoreApplication::sendEvent(page, &e);
            if (e.Result() && cmdUI.m_enabled)
                bEnabled = *cmdUI.m_enabled;
        }
        query.Enable(bEnabled);
    };
    switch (id) {
    case kIdNext:
        // There is no page after the last one.
        if (m_nActive < kPageCount - 1)
            ask(LgSichgPageEvent::kUpdateNextType, true);
        else
            query.Enable(false);
        return;
    case kIdBack:
        if (m_nActive > 0 && m_nStartMode != 3)
            ask(LgSichgPageEvent::kUpdateBackType, true);
        else
            query.Enable(false);
        return;
    case kIdReport:
        if (R >= 8)
            ask(LgSichgPageEvent::kUpdateReportType, true);
        else
            query.Enable(false);
        return;
    case kIdSave:
        query.Enable(R >= 8 && m_nStartMode != 3);
        return;
    case kIdClose:
        query.Enable(true);
        return;
    default:
        CPropertySheetBase::OnUpdateCommand(query);
        return;
    }
}

bool CPshLgSichgWizard::IsButtonEnabled(int nId)
{
    CRibBtnContainer* strip = ButtonStrip();
    if (!strip)
        return false;
    strip->UpdateCmdUI();
    return strip->IsButtonEnabled(quint32(nId)) != 0;
}

bool CPshLgSichgWizard::OnCommand(int id, int notifyCode, QObject* control)
{
    if (id == 1 || id == 2)
        return true;
    if (id != kIdBack && id != kIdNext && id != kIdClose && id != kIdSave && id != kIdReport)
        return CPropertySheetBase::OnCommand(id, notifyCode, control);
    CRibBtnContainer* strip = ButtonStrip();
    const int nWert = strip ? strip->GetButtonValue(quint32(id)) : -1;
    if (CPgLgSichgBase2* page = GetPage(m_nActive))
        page->OnButtonPressed(id, nWert);
    switch (id) {
    case kIdBack:
        if (m_nActive > 0)
            GoToPage(m_nActive - 1);
        break;
    case kIdNext:
        if (nWert != 3 && m_nActive < kPageCount - 1)
            GoToPage(m_nActive + 1);
        break;
    case kIdClose:
        Schliessen();
        break;
    case kIdSave:
        ShowMessage658(this);
        break;
    case kIdReport:
        if (nWert != 1)
            GoToPage(kResultPage);
        else
            ShowMessage658(this);
        break;
    default:
        break;
    }
    return true;
}

bool CPshLgSichgWizard::Schliessen()
{
    // A unit formed from a single load is worked on as in a plain start (mode value 0): closing keeps
    // it and its settings. Only the plan's secured unit (mode 2) may be discarded, after a question.
    if (m_nStartMode != 2)
        return CloseWizard(kIdClose);
    IMessageBoxService::HtmlBox box;
    box.textId = 591;
    box.captionId = 425;
    box.iconId = 820;
    box.iconKind = 1;
    box.buttons = {{708, 708}, {668, 579}};
    if (MessageBoxes().ShowHtml(this, box, nullptr) != 668)
        return false;
    m_bVerworfen = true;
    if (CLadeeinheit* pEinheit = GetLadeeinheit())
        pEinheit->m_bVorhanden = 0;
    if (m_pView)
        m_pView->MarkModified(nullptr);
    return CloseWizard(kIdSave);
}

void CPshLgSichgWizard::OnEscape(int* command)
{
    // Escape is the Close button: hiding the wizard alone would leave the frame's commands locked with
    // nothing on the screen to end it.
    *command = kIdClose;
}

void CPshLgSichgWizard::SendToView(QEvent::Type type)
{
    QWidget* pWindow = m_pView ? m_pView->GetViewWindow() : nullptr;
    if (!pWindow)
        return;
    LgSichgViewEvent e(type);
    QCoreApplication::sendEvent(pWindow, &e);
}

bool CPshLgSichgWizard::CloseWizard(int nCode)
{
    // The securing worked out up to the result page is kept in the unit unless it was discarded.
    if (m_bErgebnisGezeigt && !m_bVerworfen) {
        if (CLadeeinheit* pEinheit = GetLadeeinheit()) {
            pEinheit->m_Wizard = m_params;
            pEinheit->m_Wizard.m_nNummer = pEinheit->GetId();
            if (m_pView)
                m_pView->MarkModified(GetFahrzeug());
        }
    }
    if (nCode == kIdSave) {
        // The vehicle files are saved first: a wizard whose save did not happen stays open, and the
        // view keeps it.
        CQOR1Doc* pDoc = GetDocument();
        if (pDoc && pDoc->SaveFahrzeugDateien(false, false, true) != CQOR1Doc::kGespeichert) {
            IMessageBoxService::HtmlBox box;
            const std::string name =
                pDoc->GetPathName().empty() ? pDoc->GetTitel(false) : pDoc->GetPathName();
            box.text = QString::fromStdString(FormatResChecked(61004, {EscapeHtml(name)}));
            box.caption = QString::fromStdString(LoadResString(273));
            box.iconId = 814;
            box.buttons = {{668, 668}};
            MessageBoxes().ShowHtml(this, box, nullptr);
            return false;
        }
    }
    SendToView(LgSichgViewEvent::kClosedType);
    OnViewNotify(LgSichgMeldung::kWizardSchliesst, {});
    QMetaObject::invokeMethod(this, &CPshLgSichgWizard::DestroyWizard, Qt::QueuedConnection);
    return true;
}

void CPshLgSichgWizard::DestroyWizard()
{
    hide();
    deleteLater();
}

void CPshLgSichgWizard::closeEvent(QCloseEvent* event)
{
    // The close box is the Close button; a unit out of the plan while the view writes its file goes
    // back first. The window goes only when the wizard closed.
    PutSavedUnitBack();
    event->setAccepted(false);
    if (m_bSchliesst)
        return;
    m_bSchliesst = true;
    if (CPgLgSichgBase2* page = GetPage(m_nActive)) {
        CRibBtnContainer* strip = ButtonStrip();
        page->OnButtonPressed(kIdClose, strip ? strip->GetButtonValue(quint32(kIdClose)) : -1);
    }
    const bool bZu = Schliessen();
    m_bSchliesst = false;
    event->setAccepted(bZu);
}

const HtmlCommandEntry* CPshLgSichgWizard::HintLinkTable()
{
    static const HtmlCommandEntry table[] = {{"tab1", 0x8001},       {"tab2", 0x8002},
                                             {"usableArea", 0x8003}, {"friction", 0x8004},
                                             {"matKind", 0x8005},    {nullptr, 0}};
    return table;
}

void CPshLgSichgWizard::OnHintLink(int nId, const QString& strArg)
{
    if (CPgLgSichgBase2* page = GetPage(m_nActive))
        page->OnHintLink(nId, strArg);
}

bool CPshLgSichgWizard::event(QEvent* event)
{
    if (event->type() == CommandEvent::kType) {
        const int id = int(static_cast<CommandEvent*>(event)->Id());
        if (id >= CPgLgSichgBase2::kLinkFirst && id <= CPgLgSichgBase2::kLinkLast) {
            OnHintLink(id, AppCommandEvent::ArgumentOf(event));
            return true;
        }
    }
    if (event->type() == LgSichgPageEvent::kRelayType) {
        auto* relay = static_cast<LgSichgPageEvent*>(event);
        if (CPgLgSichgBase2* page = GetPage(m_nActive))
            QCoreApplication::postEvent(page, new LgSichgPageEvent(LgSichgPageEvent::kViewNotifyType,
                                                                   relay->WParam(), relay->LParam()));
        return true;
    }
    if (event->type() == LgSichgPageEvent::kFirstActivateType)
        return true;
    return CPropertySheetBase::event(event);
}
