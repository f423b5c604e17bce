// The window of one open vehicle or combination file.
#include "app/CChildFrame.h"

#include "app/CQtDocumentHost.h"
#include "loadsecuring/CQORLgSicherungView.h"
#include "model/document/CQOR1Doc.h"
#include "model/text/HtmlText.h"
#include "model/text/TextFormat.h"
#include "model/text/TextProvider.h"
#include "ui/IMessageBoxService.h"
#include "view3d/CQOR3DView.h"
#include "views/CQOR1View.h"
#include "views/CQOR2View.h"
#include "views/CQORMultiView.h"
#include "views/IViewShell.h"
#include "views/RenderFlagEvent.h"

#include "model/files/CAppStateParams.h"

#include <QAction>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMenu>
#include <QMouseEvent>
#include <QRubberBand>

namespace {

CTabbedViewView::ViewFactory& Factory()
{
    static CTabbedViewView::ViewFactory factory;
    return factory;
}

} // namespace

void CChildFrame::SetViewFactory(CTabbedViewView::ViewFactory factory)
{
    Factory() = std::move(factory);
}

CGetAnsView* CChildFrame::MakeView(int nKind, CQOR1Doc* pDoc, View3DDevice& device3D)
{
    // Tab 0 shows a combination's two vehicles; with one vehicle it is the plain template view.
    if (nKind == CTabbedViewView::kTemplate)
        return new CQORMultiView(pDoc);
    if (nKind == CTabbedViewView::kPlan) {
        // The plan uses the room of its window.
        auto* pPlan = new CQOR2View(pDoc);
        pPlan->SetFensterAnpassung(true);
        return pPlan;
    }
    if (nKind == CTabbedViewView::kLgSicherung)
        return new CQORLgSicherungView(pDoc);
    if (nKind == CTabbedViewView::k3D)
        return new CQOR3DView(pDoc, device3D);
    return nullptr;
}

CChildFrame::CChildFrame(const DocumentServices* services, ProgramRun* pRun, View3DDevice& device3D,
                         QWidget* parent)
    : QMdiSubWindow(parent), m_pServices(services), m_pRun(pRun), m_device3D(device3D)
{
    setObjectName(QStringLiteral("ChildFrame"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    // The keys are the main window's: the system menu's own (Ctrl+W, Ctrl+F4 for close) would make its
    // close key ambiguous, and then neither would run.
    if (QMenu* menu = systemMenu()) {
        for (QAction* action : menu->actions())
            action->setShortcuts({});
    }
}

CChildFrame::~CChildFrame()
{
    // The views go before the document they show; the document's destructor still reaches the host.
    if (m_pHost)
        m_pHost->SetViewHost(nullptr);
    delete m_pTabbedView;
    m_pTabbedView = nullptr;
    m_pDoc.reset();
}

bool CChildFrame::CreateWithDocument(const QString& path, int nValue, CAppStateParams* pState)
{
    m_nCreateValue = nValue;
    m_pState = pState;
    m_pHost = std::make_unique<CQtDocumentHost>(this, m_pServices);
    m_pDoc = std::make_unique<CQOR1Doc>(m_pHost.get(), &m_access);
    CTabbedViewView::ViewFactory make =
        Factory() ? Factory() : [device3D = &m_device3D](int nKind, CQOR1Doc* pDoc) {
            return MakeView(nKind, pDoc, *device3D);
        };
    m_pTabbedView = new CTabbedViewView(m_pDoc.get(), [make, pRun = m_pRun](int nKind, CQOR1Doc* pDoc) {
        CGetAnsView* pView = make(nKind, pDoc);
        if (pView)
            pView->SetProgramRun(pRun);
        return pView;
    });
    m_pTabbedView->SetProgramRun(m_pRun);
    m_pHost->SetViewHost(m_pTabbedView);
    setWidget(m_pTabbedView);
    setWindowTitle(path);
    return true;
}

void CChildFrame::SetCurrentView(CGetAnsView* pView)
{
    if (pView)
        m_pCurrentView = pView;
}

bool CChildFrame::CanClose(bool bNoSave, bool bSaveAs)
{
    if (!m_pDoc)
        return true;
    bool bRefused = false;
    std::string message;
    m_pDoc->CanLeaveViews(VerlassenGrund::kFensterSchliessen, 0, &bRefused, &message);
    if (bRefused) {
        if (!message.empty())
            m_pHost->ShowMessage(LoadResString(273), message, 668);
        return false;
    }
    if (bNoSave)
        return true;
    bool bAs = bSaveAs;
    for (;;) {
        // Changes are written, never skipped: a document closes saved, or by the user's choice unsaved.
        if (m_pDoc->SaveFahrzeugDateien(bAs, false, true) == CQOR1Doc::kGespeichert)
            return true;
        IMessageBoxService::HtmlBox box;
        box.caption = QString::fromStdString(LoadResString(273));
        const std::string name =
            m_pDoc->GetPathName().empty() ? m_pDoc->GetTitel(false) : m_pDoc->GetPathName();
        box.text = QString::fromStdString(FormatResChecked(61004, {EscapeHtml(name)}));
        box.iconId = 814;
        box.buttons = {{kSaveAs, kSaveAs}, {kCloseWithoutSaving, kCloseWithoutSaving}, {kCancel, kCancel}};
        const int answer = MessageBoxes().ShowHtml(this, box, nullptr);
        if (answer == kSaveAs) {
            bAs = true;
            continue;
        }
        return answer == kCloseWithoutSaving;
    }
}

bool CChildFrame::CloseFromFrame(bool bNoSave, bool bSaveAs)
{
    if (m_bClosing)
        return true;
    if (QMdiArea* area = mdiArea())
        area->setActiveSubWindow(this);
    if (!CanClose(bNoSave, bSaveAs))
        return false;
    m_bClosing = true;
    // The document ends now (it writes its last entry back and enters the recent files); the window
    // follows once control is back in the event loop.
    if (m_pHost)
        m_pHost->SetViewHost(nullptr);
    delete m_pTabbedView;
    m_pTabbedView = nullptr;
    m_pCurrentView = nullptr;
    m_pDoc.reset();
    hide();
    if (QMdiArea* area = mdiArea())
        area->removeSubWindow(this);
    deleteLater();
    // The divided view's commands go with the window, however it was closed.
    IViewShell::Of(m_pRun).RemoveViewRibbonGroup();
    return true;
}

void CChildFrame::closeEvent(QCloseEvent* event)
{
    if (m_bClosing) {
        event->accept();
        return;
    }
    event->ignore();
    CloseFromFrame(false, false);
}

bool CChildFrame::event(QEvent* event)
{
    if (event->type() == static_cast<QEvent::Type>(RenderFlagEvent::kMessage)) {
        // Render flag 2 of a 3D view follows its activation.
        const auto* e = static_cast<RenderFlagEvent*>(event);
        if (auto* view = dynamic_cast<CQOR3DView*>(e->View()))
            view->SetRenderFlag(2, e->IsAktiv());
        return true;
    }
    return QMdiSubWindow::event(event);
}

void CChildFrame::RestoreTab()
{
    CTabbedViewView* host = m_pTabbedView;
    if (!host)
        return;
    const int nTab = m_pState ? m_pState->m_nWert[0] : -1;
    if (nTab >= 0 && nTab < host->GetTabCount() && nTab != host->GetSelectedTab())
        host->SelectTab(nTab);
    if (host->IsSplitterTabSelected()) {
        const int nRow = m_pState && m_pState->m_nWert[1] == 1 ? 1 : 0;
        if (CGetAnsView* view = host->GetPaneView(nRow)) {
            SetCurrentView(view);
            view->setFocus();
        }
        return;
    }
    SetCurrentView(host->GetRowView(0));
}

void CChildFrame::BeginViewDrag(CGetAnsView* pView)
{
    if (!pView || !m_pTabbedView)
        return;
    m_bViewDrag = true;
    m_pDragView = pView;
    m_pDropTarget = nullptr;
    // The module has no picture for the drag cursor: the system's move cursor stands for it.
    grabMouse(QCursor(Qt::DragMoveCursor));
}

void CChildFrame::ViewDragMove(const QPoint& global)
{
    if (!m_bViewDrag || !m_pTabbedView)
        return;
    // The visible view under the mouse: only the panes of the split view show two views at once.
    CGetAnsView* target = nullptr;
    for (int row = 0; row < 2; ++row) {
        CGetAnsView* view = m_pTabbedView->GetPaneView(row);
        if (view && view->isVisible() && m_pTabbedView->IsSplitterTabSelected() &&
            QRect(view->mapToGlobal(QPoint(0, 0)), view->size()).contains(global))
            target = view;
    }
    if (target == m_pDragView)
        target = nullptr;
    if (target == m_pDropTarget)
        return;
    m_pDropTarget = target;
    if (!target) {
        if (m_pDropFrame)
            m_pDropFrame->hide();
        return;
    }
    // A frame 20 pixels inside the target's client area.
    if (!m_pDropFrame)
        m_pDropFrame = new QRubberBand(QRubberBand::Rectangle, this);
    m_pDropFrame->setParent(target->viewport());
    m_pDropFrame->setGeometry(target->viewport()->rect().adjusted(20, 20, -20, -20));
    m_pDropFrame->show();
}

void CChildFrame::ViewDragRelease(const QPoint& global)
{
    if (!m_bViewDrag)
        return;
    ViewDragMove(global);
    m_bViewDrag = false;
    CGetAnsView* target = m_pDropTarget;
    m_pDropTarget = nullptr;
    m_pDragView = nullptr;
    if (m_pDropFrame) {
        m_pDropFrame->hide();
        m_pDropFrame->deleteLater();
    }
    releaseMouse();
    if (!target || !m_pTabbedView)
        return;
    // The two panes exchange their views; the dragged one stays current.
    CGetAnsView* current = m_pCurrentView;
    m_pTabbedView->ShowView(-1);
    SetCurrentView(current);
    m_pTabbedView->update();
}

void CChildFrame::mouseMoveEvent(QMouseEvent* event)
{
    QMdiSubWindow::mouseMoveEvent(event);
    if (m_bViewDrag)
        ViewDragMove(event->globalPosition().toPoint());
}

void CChildFrame::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_bViewDrag && event->button() == Qt::LeftButton) {
        ViewDragRelease(event->globalPosition().toPoint());
        return;
    }
    QMdiSubWindow::mouseReleaseEvent(event);
}
