// The wizard page base: activation, header, hint pane, page messages and the default operations.
#include "loadsecuring/CPgLgSichgBase2.h"

#include "loadsecuring/CPshLgSichgWizard.h"
#include "loadsecuring/ILgSicherungView.h"
#include "loadsecuring/LgSichgPageEvent.h"
#include "loadsecuring/LgSichgViewEvent.h"
#include "model/text/HtmlText.h"
#include "model/text/TextFormat.h"
#include "ui/AppCommandEvent.h"
#include "ui/CQorBrowser.h"
#include "ui/ControlId.h"
#include "ui/ResourcePictures.h"
#include "ui/SheetEvent.h"

#include <QCoreApplication>
#include <QPainter>

#include <optional>

namespace {

constexpr int kHintPlaceholder = 1224;

} // namespace

CPgLgSichgBase2::CPgLgSichgBase2(quint32 templateId, CPshLgSichgWizard* pWizard)
    : CDlgBase(templateId, nullptr), m_pWizard(pWizard)
{
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, BackgroundColor());
    setPalette(pal);
}

CPgLgSichgBase2::~CPgLgSichgBase2() = default;

int CPgLgSichgBase2::BuildHintHtml(std::intptr_t, QString* pHtml)
{
    m_bHintDirty = false;
    if (pHtml)
        pHtml->clear();
    return 0;
}

void CPgLgSichgBase2::OnFirstActivate() {}

void CPgLgSichgBase2::GetHeaderBitmapId(quint32*) {}

void CPgLgSichgBase2::GetGroupBoxColors(QColor*, QColor*) {}

int CPgLgSichgBase2::OnUpdateNext(CCmdUI*)
{
    return 0;
}

int CPgLgSichgBase2::OnUpdateBack(CCmdUI*)
{
    return 0;
}

int CPgLgSichgBase2::OnUpdateReport(CCmdUI*)
{
    return 0;
}

void CPgLgSichgBase2::GetNextCommandId(int nId, int* pNext)
{
    if (!pNext)
        return;
    using W = CPshLgSichgWizard;
    switch (nId) {
    case W::kIdClose:
        *pNext = W::kIdSave;
        break;
    case W::kIdSave:
        *pNext = W::kIdReport;
        break;
    case W::kIdReport:
        *pNext = W::kIdNext;
        break;
    case W::kIdNext:
        *pNext = W::kIdBack;
        break;
    default:
        *pNext = nId;
        break;
    }
}

ILgSicherungView* CPgLgSichgBase2::GetView() const
{
    return m_pView;
}

ProgramRun& CPgLgSichgBase2::GetProgramRun()
{
    if (ILgSicherungView* pView = GetView())
        return pView->GetViewProgramRun();
    if (!m_pEigenerLauf)
        m_pEigenerLauf = std::make_unique<ProgramRun>();
    return *m_pEigenerLauf;
}

void CPgLgSichgBase2::OnFirstEnter(int) {}

QWidget* CPgLgSichgBase2::GetInitialFocus()
{
    return nullptr;
}

int CPgLgSichgBase2::UseBrowserFocus(CQorBrowser*)
{
    return 0;
}

int CPgLgSichgBase2::QueryViewAction(LgSichgAktion, const LgSichgWert&, QString*)
{
    return -1;
}

int CPgLgSichgBase2::OnViewNotify(LgSichgMeldung, const LgSichgWert&)
{
    return 0;
}

int CPgLgSichgBase2::Validate(int nTarget)
{
    return nTarget;
}

void CPgLgSichgBase2::OnReachChanged(int, int) {}

int CPgLgSichgBase2::OnButtonPressed(int, int)
{
    return 0;
}

bool CPgLgSichgBase2::OnSetActive()
{
    m_bHintDirty = true;
    CQorBrowser* pBrowser = m_pWizard ? m_pWizard->ClaimBrowser(this) : nullptr;
    if (m_pWizard) {
        m_pWizard->SetStateWord(2);
        m_pWizard->RepaintHeader();
    }
    // The template's placeholder gives the hint pane its place on this page; the pane takes it over.
    if (!m_bHintRectTaken) {
        if (QWidget* placeholder = ControlId::Find(this, kHintPlaceholder)) {
            m_rcHint = placeholder->geometry();
            delete placeholder;
        }
        m_bHintRectTaken = true;
    }
    if (pBrowser) {
        pBrowser->setParent(this);
        pBrowser->setGeometry(m_rcHint);
        pBrowser->setVisible(!m_rcHint.isEmpty());
        pBrowser->raise();
        UseBrowserFocus(pBrowser);
        // A page without controls of its own lets the hint pane into the Tab order.
        pBrowser->setFocusPolicy(NavigationList().isEmpty() ? Qt::StrongFocus : Qt::ClickFocus);
    }
    RefreshHint(0);
    NotifyView(false, LgSichgSeitenHinweis::kSeiteAktiviert, 1);
    return true;
}

bool CPgLgSichgBase2::OnKillActive()
{
    return true;
}

void CPgLgSichgBase2::Activate(bool bNewlyEntered)
{
    if (bNewlyEntered) {
        ++m_nVisits;
        OnFirstEnter(m_nVisits);
    }
    if (m_bFirstReport) {
        m_bFirstReport = false;
        SheetEvent rebuild(SheetEvent::kRebuildNavigationType, this);
        if (m_pWizard)
            QCoreApplication::sendEvent(m_pWizard, &rebuild);
    }
    if (m_bFirstActivate) {
        m_bFirstActivate = false;
        OnFirstActivate();
        LgSichgPageEvent first(LgSichgPageEvent::kFirstActivateType);
        first.SetPage(this);
        if (m_pWizard)
            QCoreApplication::sendEvent(m_pWizard, &first);
    }
    OnSetActive();
    SheetEvent ring(SheetEvent::kTakePageRingType, this);
    if (m_pWizard)
        QCoreApplication::sendEvent(m_pWizard, &ring);
    if (QWidget* focus = GetInitialFocus()) {
        auto* e = new LgSichgPageEvent(LgSichgPageEvent::kInitialFocusType);
        e->SetFocusWidget(focus);
        QCoreApplication::postEvent(this, e);
    }
}

bool CPgLgSichgBase2::Deactivate()
{
    const bool bOk = OnKillActive();
    if (m_pWizard)
        m_pWizard->ReleaseBrowser(this);
    return bOk;
}

void CPgLgSichgBase2::SetPageTitle(quint32 nTextId, std::initializer_list<FormatArg> args)
{
    const int n = m_nPageIndex + 1;
    const int c = m_pWizard ? m_pWizard->PageCount() : CPshLgSichgWizard::kPageCount;
    const FormatArg* a = args.begin();
    std::string title;
    switch (args.size()) {
    case 0:
        title = FormatResChecked(nTextId, {n, c});
        break;
    case 1:
        title = FormatResChecked(nTextId, {n, c, a[0]});
        break;
    default:
        title = FormatResChecked(nTextId, {n, c, a[0], a[1]});
        break;
    }
    m_strTitle = QString::fromStdString(title);
    setWindowTitle(m_strTitle);
    if (m_pWizard)
        m_pWizard->OnPageTitleChanged(this);
}

void CPgLgSichgBase2::NotifyView(bool bSend, LgSichgSeitenHinweis eHinweis, std::intptr_t nWert)
{
    ILgSicherungView* pView = GetView();
    QWidget* pWindow = pView ? pView->GetViewWindow() : nullptr;
    if (!pWindow)
        return;
    if (bSend) {
        LgSichgViewEvent e(eHinweis, nWert);
        QCoreApplication::sendEvent(pWindow, &e);
    } else {
        QCoreApplication::postEvent(pWindow, new LgSichgViewEvent(eHinweis, nWert));
    }
}

void CPgLgSichgBase2::RefreshHint(std::intptr_t nArg)
{
    QString html;
    if (BuildHintHtml(nArg, &html) != 0)
        return;
    m_strHint = html;
    if (!m_pWizard)
        return;
    if (CQorBrowser* pBrowser = m_pWizard->BrowserOwnedBy(this)) {
        // The pane's renderer knows no "display: none": the blocks a page hid are taken out.
        std::string text = html.toStdString();
        DropInvisibleBlocks(text);
        pBrowser->LoadHtmlString(QString::fromStdString(text));
    }
}

int CPgLgSichgBase2::GetMaskForSheet() const
{
    return m_pWizard ? m_pWizard->GetMaske() : 0;
}

CLadeeinheit* CPgLgSichgBase2::GetLadeeinheit() const
{
    return m_pWizard ? m_pWizard->GetLadeeinheit() : nullptr;
}

CFahrzeug* CPgLgSichgBase2::GetFahrzeug() const
{
    return m_pWizard ? m_pWizard->GetFahrzeug() : nullptr;
}

bool CPgLgSichgBase2::IsActivePage() const
{
    return m_pWizard && m_pWizard->ActivePage() == this;
}

bool CPgLgSichgBase2::OnInitDialog()
{
    CDlgBase::OnInitDialog();
    quint32 nId = kDefaultHeaderBitmap;
    GetHeaderBitmapId(&nId);
    m_header = LoadCxImageFromResource(nId, PICTURE_FORMAT_BITMAP);
    if (m_pWizard) {
        m_nPageIndex = m_pWizard->PageIndexOf(this);
        SheetEvent noop(SheetEvent::kNoopType, this);
        QCoreApplication::sendEvent(m_pWizard, &noop);
    }
    return true;
}

void CPgLgSichgBase2::AdjustButtonColors(QColor* color1, QColor* color2)
{
    *color1 = OuterFrameColor();
    *color2 = InnerFrameColor();
    GetGroupBoxColors(color1, color2);
}

void CPgLgSichgBase2::DrawHeader(QPainter& painter, QSize size)
{
    if (m_header.isNull())
        return;
    const QPoint at((size.width() - m_header.width()) / 2, (size.height() - m_header.height()) / 2);
    painter.drawImage(at, m_header);
}

void CPgLgSichgBase2::HandlePageEvent(LgSichgPageEvent& e)
{
    const QEvent::Type type = e.type();
    if (type == LgSichgPageEvent::kDrawHeaderType) {
        if (e.Painter())
            DrawHeader(*e.Painter(), e.HeaderSize());
        e.SetResult(1);
    } else if (type == LgSichgPageEvent::kViewNotifyType) {
        e.SetResult(OnViewNotify(LgSichgMeldung(int(e.WParam())), LgSichgWert(e.LParam())));
    } else if (type == LgSichgPageEvent::kQueryType) {
        // The event carries numbers: an unknown code has no answer, an action that takes an object
        // is refused rather than given a number for it.
        const std::optional<LgSichgAktion> eAktion = LgSichgAktionAusZahl(e.WParam());
        const LgSichgWert wert(e.LParam());
        if (!eAktion)
            e.SetResult(-1);
        else if (!LgSichgWertPasst(*eAktion, wert))
            e.SetResult(1);
        else
            e.SetResult(QueryViewAction(*eAktion, wert, e.Message()));
    } else if (type == LgSichgPageEvent::kUpdateNextType) {
        e.SetResult(OnUpdateNext(e.CmdUI()));
    } else if (type == LgSichgPageEvent::kUpdateBackType) {
        e.SetResult(OnUpdateBack(e.CmdUI()));
    } else if (type == LgSichgPageEvent::kUpdateReportType) {
        e.SetResult(OnUpdateReport(e.CmdUI()));
    } else if (type == LgSichgPageEvent::kRefreshHintType) {
        RefreshHint(e.WParam());
    } else if (type == LgSichgPageEvent::kInitialFocusType) {
        QWidget* focus = e.FocusWidget();
        // The widget may have gone meanwhile: only one still among the page's children takes the focus.
        for (QWidget* child : findChildren<QWidget*>())
            if (child == focus)
                child->setFocus(Qt::OtherFocusReason);
    }
}

bool CPgLgSichgBase2::event(QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == LgSichgPageEvent::kDrawHeaderType || type == LgSichgPageEvent::kViewNotifyType ||
        type == LgSichgPageEvent::kQueryType || type == LgSichgPageEvent::kUpdateNextType ||
        type == LgSichgPageEvent::kUpdateBackType || type == LgSichgPageEvent::kUpdateReportType ||
        type == LgSichgPageEvent::kRefreshHintType || type == LgSichgPageEvent::kInitialFocusType) {
        HandlePageEvent(*static_cast<LgSichgPageEvent*>(event));
        return true;
    }
    // The hint pane is a child of the active page: its links go through the wizard to that page.
    if (type == CommandEvent::kType) {
        const int id = int(static_cast<CommandEvent*>(event)->Id());
        if (id >= kLinkFirst && id <= kLinkLast) {
            if (m_pWizard)
                m_pWizard->OnHintLink(id, AppCommandEvent::ArgumentOf(event));
            return true;
        }
    }
    // Only the active page updates its controls when idle.
    if (type == kKickIdleEvent && !IsActivePage())
        return true;
    return CDlgBase::event(event);
}

void CPgLgSichgBase2::OnHintLink(int, QString) {}

bool CPgLgSichgBase2::OnCommand(int id, int notifyCode, QObject* control)
{
    // A page is no window of its own: OK and Cancel of a page never close it.
    if (id == kIdOk || id == kIdCancel) {
        OnCommandHook(id);
        return true;
    }
    return CDlgBase::OnCommand(id, notifyCode, control);
}
