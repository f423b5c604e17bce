// The view host of a document window: one tab per view and a splitter tab that shows two views one
// above the other, and the view half of the document (finding, updating and asking the views).
#include "views/CTabbedViewView.h"

#include "platform/CCmdUI.h"

#include "views/CDummyView.h"
#include "views/CQOR3D1SplitterWnd.h"
#include "views/IViewShell.h"

#include "model/text/TextProvider.h"
#include "ui/CXTPTabControlMM.h"
#include "ui/ResourcePictures.h"
#include "ui/TabControlEvent.h"

#include <QIcon>
#include <QPixmap>
#include <QSplitter>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Tab titles by kind.
constexpr unsigned kTitleIds[] = {196, 197, 199, 198};
constexpr unsigned kSplitterTitleId = 200;
// The strip of 16 x 16 tab icons: vehicle, loading plan, load securing, split view, 3D view.
constexpr quint32 kTabIconsId = 542;
constexpr int kIconOfKind[] = {0, 1, 2, 4, 3}; // by tab kind (4: the splitter tab)

QString Text(unsigned id)
{
    return QString::fromStdString(LoadResString(id));
}

// Takes a widget out of the layout of its parent, so it can join another one.
void Detach(QWidget* widget)
{
    if (QWidget* parent = widget->parentWidget())
        if (QLayout* layout = parent->layout())
            layout->removeWidget(widget);
}

QVBoxLayout* PlainLayout(QWidget* owner)
{
    auto* layout = new QVBoxLayout(owner);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return layout;
}

} // namespace

CTabbedViewView::CTabbedViewView(CQOR1Doc* pDoc, const ViewFactory& factory, QWidget* parent)
    : QWidget(parent), m_pDoc(pDoc)
{
    // Object names by which tests and tools find the host, its tab bar and its views.
    setObjectName(QStringLiteral("viewHost"));
    QVBoxLayout* layout = PlainLayout(this);
    m_pTabs = new CXTPTabControlMM(this);
    m_pTabs->setObjectName(QStringLiteral("viewTabs"));
    m_pTabs->setExpanding(false);
    m_pTabs->setDrawBase(true);
    m_pStack = new QStackedWidget(this);
    layout->addWidget(m_pTabs);
    layout->addWidget(m_pStack, 1);

    auto addViewTab = [&](int kind) {
        CGetAnsView* view = factory ? factory(kind, pDoc) : nullptr;
        if (!view)
            return;
        auto* page = new QWidget(m_pStack);
        PlainLayout(page)->addWidget(view);
        view->m_eView = kind;
        static const char* const kViewNames[] = {"templateView", "planView", "securingView", "view3D"};
        if (view->objectName().isEmpty() && kind >= kTemplate && kind <= k3D)
            view->setObjectName(QLatin1String(kViewNames[kind]));
        view->SetDocument(pDoc);
        view->SetHost(this);
        m_pViews[kind] = view;
        m_tabKinds.push_back(kind);
        m_tabPages.push_back(page);
        m_pStack->addWidget(page);
        m_pTabs->addTab(Text(kTitleIds[kind]));
    };
    addViewTab(kTemplate);
    addViewTab(kPlan);
    addViewTab(kLgSicherung);

    auto* splitter = new CQOR3D1SplitterWnd(Qt::Vertical, m_pStack);
    m_pSplitter = splitter;
    // A row dragged below its minimum is hidden; the other row fills the tab.
    connect(splitter, &CQOR3D1SplitterWnd::RowCollapsed, this, [this](int row) { SetRowHidden(row, true); });
    for (int row = 0; row < 2; ++row) {
        m_pPane[row] = new QWidget(m_pSplitter);
        m_pPane[row]->setMinimumHeight(50);
        m_pPaneLayout[row] = PlainLayout(m_pPane[row]);
        m_pSplitter->addWidget(m_pPane[row]);
        auto* dummy = new CDummyView(pDoc, m_pPane[row]);
        dummy->m_eView = kDummyRow0 + row;
        dummy->SetHost(this);
        m_pViews[kDummyRow0 + row] = dummy;
        m_pPaneLayout[row]->addWidget(dummy);
        m_pPaneView[row] = dummy;
    }
    m_pSplitter->setSizes({250, 250});
    // The spare stand-in waits hidden; it is never a splitter child, which would make it a pane.
    auto* spare = new CDummyView(pDoc, this);
    spare->m_eView = kDummySpare;
    spare->SetHost(this);
    spare->hide();
    m_pViews[kDummySpare] = spare;
    m_tabKinds.push_back(kSplitterTabKind);
    m_tabPages.push_back(m_pSplitter);
    m_pStack->addWidget(m_pSplitter);
    m_pTabs->addTab(Text(kSplitterTitleId));

    addViewTab(k3D);

    for (CGetAnsView* view : m_pViews)
        if (view)
            view->OnInitialUpdate();

    const QImage icons = LoadCxImageFromResource(kTabIconsId, PICTURE_FORMAT_BITMAP);
    if (!icons.isNull())
        for (int tab = 0; tab < GetTabCount(); ++tab)
            m_pTabs->setTabIcon(
                tab, QIcon(QPixmap::fromImage(icons.copy(
                         16 * kIconOfKind[m_tabKinds[static_cast<std::size_t>(tab)]], 0, 16, 16))));

    connect(m_pTabs, &QTabBar::currentChanged, this, &CTabbedViewView::OnTabChanged);
    m_nSelectedTab = m_pTabs->currentIndex();
    m_pStack->setCurrentIndex(m_nSelectedTab);
}

void CTabbedViewView::SetProgramRun(ProgramRun* pRun)
{
    m_pRun = pRun;
    for (CGetAnsView* view : m_pViews)
        if (view)
            view->SetProgramRun(pRun);
}

CTabbedViewView::~CTabbedViewView()
{
    disconnect(m_pTabs, nullptr, this, nullptr);
}

int CTabbedViewView::GetTabKind(int nTab) const
{
    return (nTab >= 0 && nTab < GetTabCount()) ? m_tabKinds[static_cast<std::size_t>(nTab)] : -1;
}

QWidget* CTabbedViewView::GetSelectedTabWnd() const
{
    const int kind = GetTabKind(m_nSelectedTab);
    if (kind == kSplitterTabKind)
        return m_pSplitter;
    if (kind < 0)
        return nullptr;
    // A view shown in the splitter has left its tab; the tab then holds nothing.
    CGetAnsView* view = m_pViews[kind];
    return (view && view->parentWidget() == m_tabPages[static_cast<std::size_t>(m_nSelectedTab)]) ? view
                                                                                                  : nullptr;
}

bool CTabbedViewView::IsSplitterTabSelected() const
{
    return GetTabKind(m_nSelectedTab) == kSplitterTabKind;
}

CGetAnsView* CTabbedViewView::GetSelectedView(int* pTab) const
{
    if (pTab)
        *pTab = m_nSelectedTab;
    return dynamic_cast<CGetAnsView*>(GetSelectedTabWnd());
}

CGetAnsView* CTabbedViewView::FindActiveView(int* pRow, int* pCol) const
{
    for (int row = 0; row < 2; ++row) {
        if (IsRowHidden(row))
            continue;
        if (m_pPaneView[row] && m_pPaneView[row]->m_bActive) {
            if (pRow)
                *pRow = row;
            if (pCol)
                *pCol = 0;
            return m_pPaneView[row];
        }
    }
    if (pRow)
        *pRow = -1;
    if (pCol)
        *pCol = -1;
    return nullptr;
}

CGetAnsView* CTabbedViewView::GetSplitterView(int* pRow, int* pCol) const
{
    if (IsSplitterTabSelected())
        return FindActiveView(pRow, pCol);
    if (pRow)
        *pRow = -1;
    if (pCol)
        *pCol = -1;
    return nullptr;
}

CGetAnsView* CTabbedViewView::GetRowView(int nRow) const
{
    const int kind = GetRowKind(nRow);
    return kind >= 0 ? m_pViews[kind] : nullptr;
}

CGetAnsView* CTabbedViewView::GetPaneView(int nRow) const
{
    return (nRow == 0 || nRow == 1) ? m_pPaneView[nRow] : nullptr;
}

CGetAnsView* CTabbedViewView::GetView(int nKind) const
{
    return (nKind >= 0 && nKind < kKindCount) ? m_pViews[nKind] : nullptr;
}

int CTabbedViewView::FindTabOfKind(int nKind) const
{
    for (int tab = 0; tab < GetTabCount(); ++tab)
        if (m_tabKinds[static_cast<std::size_t>(tab)] == nKind)
            return tab;
    return -1;
}

int CTabbedViewView::FindTabOfWnd(const CGetAnsView* pView) const
{
    if (!pView || pView->m_eView < kTemplate || pView->m_eView > k3D)
        return -1;
    return FindTabOfKind(pView->m_eView);
}

bool CTabbedViewView::SelectTab(int nTab)
{
    return m_pTabs->RequestSelect(nTab);
}

bool CTabbedViewView::ShowView(int nKind)
{
    if (!IsSplitterTabSelected())
        return false;
    if (nKind != -1 && (nKind < kTemplate || nKind > k3D || !m_pViews[nKind]))
        return false;
    int row = -1;
    FindActiveView(&row, nullptr);
    if (row < 0)
        row = 0;
    if (nKind != -1 && m_nRowKind[row] == nKind)
        return true;
    const int other = 1 - row;
    if (nKind == -1 || nKind == m_nRowKind[other]) {
        CGetAnsView* upper = GetRowView(0);
        CGetAnsView* lower = GetRowView(1);
        std::swap(m_nRowKind[0], m_nRowKind[1]);
        PlaceInRow(0, lower);
        PlaceInRow(1, upper);
    } else {
        ReturnToTab(GetRowView(row));
        m_nRowKind[row] = nKind;
        PlaceInRow(row, m_pViews[nKind]);
    }
    CGetAnsView* movedIn = GetRowView(row);
    IViewShell::Of(m_pRun).SetCurrentView(movedIn);
    SetActiveView(movedIn);
    if (movedIn)
        movedIn->setFocus();
    UpdatePaneInsets();
    IViewShell::Of(m_pRun).RecalcLayout();
    return true;
}

void CTabbedViewView::SetRowHidden(int nRow, bool bHidden)
{
    if (nRow == 0 || nRow == 1)
        m_pPane[nRow]->setHidden(bHidden);
    UpdatePaneInsets();
}

bool CTabbedViewView::IsRowHidden(int nRow) const
{
    return (nRow == 0 || nRow == 1) && m_pPane[nRow]->isHidden();
}

bool CTabbedViewView::IsInVisibleSplitterPane(const CGetAnsView* pView) const
{
    if (!pView || !IsSplitterTabSelected())
        return false;
    if (m_pPaneView[0] == pView)
        return true;
    return m_pPaneView[1] == pView && !IsRowHidden(0) && !IsRowHidden(1);
}

void CTabbedViewView::GrowRow(const CGetAnsView* pView, int nMore)
{
    if (!pView || nMore <= 0 || !IsSplitterTabSelected() || IsRowHidden(0) || IsRowHidden(1))
        return;
    const int row = m_pPaneView[0] == pView ? 0 : (m_pPaneView[1] == pView ? 1 : -1);
    if (row < 0)
        return;
    QList<int> sizes = m_pSplitter->sizes();
    if (sizes.size() != 2)
        return;
    const int other = 1 - row;
    const int give = std::min(nMore, sizes[other] - (sizes[0] + sizes[1]) / 4);
    if (give <= 0)
        return;
    sizes[row] += give;
    sizes[other] -= give;
    m_pSplitter->setSizes(sizes);
}

void CTabbedViewView::UpdateAllViews(CGetAnsView* pSender, UpdateHinweis eHinweis)
{
    for (int kind = kTemplate; kind <= k3D; ++kind)
        if (m_pViews[kind] && m_pViews[kind] != pSender)
            m_pViews[kind]->OnUpdate(pSender, eHinweis);
}

int CTabbedViewView::NotifyViews(DokumentMeldung eMeldung, int nArg)
{
    for (int kind : {kTemplate, kPlan, k3D, kLgSicherung})
        if (m_pViews[kind])
            m_pViews[kind]->OnDocNotify(eMeldung, nArg);
    return 0;
}

bool CTabbedViewView::CanLeaveViews(VerlassenGrund eGrund, int nArg, bool* pRefused, std::string* pMessage)
{
    bool refused = false;
    std::string message;
    for (int kind : {kTemplate, kPlan, kLgSicherung})
        if (m_pViews[kind])
            refused = m_pViews[kind]->CanLeave(eGrund, nArg, &message) || refused;
    if (pRefused)
        *pRefused = refused;
    if (pMessage)
        *pMessage = message;
    return !refused;
}

void CTabbedViewView::RedrawViews()
{
    for (int kind : {kTemplate, kPlan, kLgSicherung, k3D})
        if (m_pViews[kind])
            m_pViews[kind]->viewport()->update();
}

void CTabbedViewView::InvalidateOtherPanes(CGetAnsView* pExcept)
{
    for (CGetAnsView* view : m_pPaneView)
        if (view && view != pExcept)
            view->viewport()->update();
}

int CTabbedViewView::PostViewNotifyAll(CTabbedViewView* pHost, bool bDeferred, AnsichtMeldung eMeldung,
                                       const AnsichtWert& wert)
{
    if (!pHost)
        return -1;
    CGetAnsView* first = pHost->IsSplitterTabSelected() ? pHost->m_pPaneView[0] : pHost->GetSelectedView();
    if (first) {
        if (const int answer = first->PostViewNotify(bDeferred, eMeldung, wert))
            return answer;
    }
    for (int kind : {kTemplate, kPlan, kLgSicherung, k3D}) {
        CGetAnsView* view = pHost->m_pViews[kind];
        if (!view || view == first)
            continue;
        if (const int answer = view->PostViewNotify(bDeferred, eMeldung, wert))
            return answer;
    }
    return 0;
}

void CTabbedViewView::SetActiveView(CGetAnsView* pView)
{
    CGetAnsView* old = m_pActiveView;
    if (old == pView)
        return;
    m_pActiveView = pView;
    if (old)
        old->OnActivateView(false, pView, old);
    if (pView)
        pView->OnActivateView(true, pView, old);
    IViewShell::Of(m_pRun).SetActiveView(pView);
}

void CTabbedViewView::OnViewFocused(CGetAnsView* /*pView*/)
{
    UpdatePaneInsets();
}

bool CTabbedViewView::event(QEvent* e)
{
    if (e->type() == TabControlEvent::kSelectingType) {
        auto* query = static_cast<TabControlEvent*>(e);
        query->SetResult(CanChangeTab(query->First()) ? 0 : 1);
        return true;
    }
    if (e->type() == TabControlEvent::kClickingType || e->type() == TabControlEvent::kClickedType)
        return true;
    return QWidget::event(e);
}

bool CTabbedViewView::CanChangeTab(int nTab)
{
    bool refused = false;
    CanLeaveViews(VerlassenGrund::kTabWechseln, nTab, &refused, nullptr);
    return !refused;
}

void CTabbedViewView::OnTabChanged(int nTab)
{
    const int old = m_nSelectedTab;
    const bool wasSplitter = IsSplitterTabSelected();
    const bool toSplitter = GetTabKind(nTab) == kSplitterTabKind;
    if (wasSplitter && !toSplitter)
        LeaveSplitter();
    m_nSelectedTab = nTab;
    if (toSplitter && !wasSplitter)
        EnterSplitter();
    m_pStack->setCurrentIndex(nTab);
    if (toSplitter) {
        for (QWidget* pane : m_pPane)
            pane->show();
        IViewShell::Of(m_pRun).AddViewRibbonGroup();
    } else {
        IViewShell::Of(m_pRun).RemoveViewRibbonGroup();
    }
    if (old != nTab)
        NotifyViews(DokumentMeldung::kTabGewechselt, nTab);

    // The new tab's view, or for the splitter the last template view or the upper pane, is active.
    CGetAnsView* active = GetSelectedView();
    if (toSplitter)
        active = (m_pLastPlanView && (m_pLastPlanView == m_pPaneView[0] || m_pLastPlanView == m_pPaneView[1]))
                     ? m_pLastPlanView
                     : m_pPaneView[0];
    SetActiveView(active);
    UpdatePaneInsets();
    IViewShell::Of(m_pRun).Update3DViewRenderFlag();
    CGetAnsView* selected = GetSelectedView();
    // An open load dialog shows with the template view's tab only; a closed one stays closed.
    if (IViewShell::Of(m_pRun).GetLoadDialog())
        IViewShell::Of(m_pRun).ShowLoadDialog(selected && selected->m_eView == kTemplate);
    RedrawViews();
}

void CTabbedViewView::EnterSplitter()
{
    for (int row = 0; row < 2; ++row)
        PlaceInRow(row, GetRowView(row));
}

void CTabbedViewView::LeaveSplitter()
{
    for (int row = 0; row < 2; ++row) {
        CGetAnsView* view = m_pPaneView[row];
        if (view && view->m_eView <= k3D)
            ReturnToTab(view);
    }
}

void CTabbedViewView::PlaceInRow(int nRow, CGetAnsView* pView)
{
    if (!pView)
        return;
    for (int row = 0; row < 2; ++row)
        if (m_pPaneView[row] == pView && row != nRow)
            m_pPaneView[row] = nullptr;
    CGetAnsView* leaving = m_pPaneView[nRow];
    if (leaving && leaving != pView) {
        m_pPaneLayout[nRow]->removeWidget(leaving);
        if (leaving->m_eView == kDummyRow0 + nRow) {
            leaving->hide();
            leaving->setParent(this);
        }
    }
    Detach(pView);
    m_pPaneLayout[nRow]->addWidget(pView);
    pView->show();
    m_pPaneView[nRow] = pView;
    // A row without its own view again shows its stand-in.
    for (int row = 0; row < 2; ++row) {
        if (m_pPaneView[row])
            continue;
        CGetAnsView* dummy = m_pViews[kDummyRow0 + row];
        Detach(dummy);
        m_pPaneLayout[row]->addWidget(dummy);
        dummy->show();
        m_pPaneView[row] = dummy;
    }
}

void CTabbedViewView::ReturnToTab(CGetAnsView* pView)
{
    if (!pView)
        return;
    const int tab = FindTabOfWnd(pView);
    if (tab < 0)
        return;
    for (int row = 0; row < 2; ++row) {
        if (m_pPaneView[row] != pView)
            continue;
        m_pPaneLayout[row]->removeWidget(pView);
        CGetAnsView* dummy = m_pViews[kDummyRow0 + row];
        Detach(dummy);
        m_pPaneLayout[row]->addWidget(dummy);
        dummy->show();
        m_pPaneView[row] = dummy;
    }
    QWidget* page = m_tabPages[static_cast<std::size_t>(tab)];
    Detach(pView);
    page->layout()->addWidget(pView);
    pView->m_rcBorder = QMargins();
    pView->show();
}

void CTabbedViewView::UpdatePaneInsets()
{
    for (int row = 0; row < 2; ++row) {
        CGetAnsView* view = m_pPaneView[row];
        const int inset =
            (view && view->m_bActive && IsInVisibleSplitterPane(view)) ? CGetAnsView::kActiveInset : 0;
        m_pPaneLayout[row]->setContentsMargins(inset, inset, inset, inset);
        if (view)
            view->m_rcBorder = QMargins(inset, inset, inset, inset);
        m_pPane[row]->update();
    }
}

bool CTabbedViewView::RouteCommand(int nId, CCmdUI* pUpdate)
{
    CGetAnsView* current = GetSelectedView();
    if (!current && IsSplitterTabSelected())
        current = FindActiveView(nullptr, nullptr);
    if (!current && IsSplitterTabSelected())
        current = GetPaneView(0);
    const auto offer = [&](CGetAnsView* view) {
        return view && (pUpdate ? view->OnUpdateBefehl(nId, *pUpdate) : view->OnBefehl(nId));
    };
    if (offer(current))
        return true;
    for (int kind = kTemplate; kind <= k3D; ++kind)
        if (m_pViews[kind] != current && offer(m_pViews[kind]))
            return true;
    return false;
}
