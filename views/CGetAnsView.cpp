// The base of every view of a document: scrolling, the back buffer, the active-view frame and the
// view-notification protocol.
#include "views/CGetAnsView.h"

#include "views/CTabbedViewView.h"
#include "views/ViewNotifyEvent.h"

#include "model/document/CQOR1Doc.h"
#include "model/vehicle/CFahrzeug.h"
#include "platform/CCmdUI.h"
#include "platform/MenuResource.h"
#include "ui/ProgramRun.h"

#include <QCoreApplication>
#include <QCursor>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>

CGetAnsView::CGetAnsView(CQOR1Doc* pDoc, QWidget* parent) : QAbstractScrollArea(parent), m_pDoc(pDoc)
{
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
}

CGetAnsView::~CGetAnsView() = default;

void CGetAnsView::SetProgramRun(ProgramRun* pRun)
{
    if (pRun == m_pRun)
        return;
    m_pRun = pRun;
    OnProgramRunSet();
}

ProgramRun& CGetAnsView::GetProgramRun()
{
    if (!m_pRun) {
        m_pEigenerLauf = std::make_unique<ProgramRun>();
        m_pRun = m_pEigenerLauf.get();
    }
    return *m_pRun;
}

bool CGetAnsView::UpdateCmdUIHasPlan(CCmdUI* pCmdUI)
{
    const bool hasPlan = m_pDoc && m_pDoc->GetAktivPlan();
    if (pCmdUI)
        pCmdUI->Enable(hasPlan);
    return !hasPlan;
}

int CGetAnsView::OnViewNotify(AnsichtMeldung eMeldung, const AnsichtWert& /*wert*/)
{
    if (eMeldung == AnsichtMeldung::kFahrzeugGewechselt && m_pHost)
        m_pHost->RedrawViews();
    return 0;
}

int CGetAnsView::MetresToPixels(double /*dMetres*/)
{
    return 0;
}

double CGetAnsView::PixelsToMetres(int /*nPixels*/)
{
    return 0.0;
}

bool CGetAnsView::CanLeave(VerlassenGrund /*eGrund*/, int /*nArg*/, std::string* /*pMessage*/)
{
    return false;
}

void CGetAnsView::OnDocNotify(DokumentMeldung /*eMeldung*/, int /*nArg*/) {}

int CGetAnsView::OnWizardNotify(int /*nCode*/, int /*nArg*/)
{
    return 0;
}

void CGetAnsView::OnInitialUpdate() {}

void CGetAnsView::OnUpdate(CGetAnsView* /*pSender*/, UpdateHinweis /*eHinweis*/)
{
    viewport()->update();
}

void CGetAnsView::OnActivateView(bool bActivate, CGetAnsView* pActivated, CGetAnsView* pDeactivated)
{
    if (!bActivate) {
        if (pDeactivated)
            PostViewNotify(true, AnsichtMeldung::kRaender);
        return;
    }
    if (pActivated) {
        PostViewNotify(true, AnsichtMeldung::kRaender);
        if (m_pHost)
            m_pHost->NotifyViews(DokumentMeldung::kAnsichtAktiviert, pActivated->m_eView);
    }
}

int CGetAnsView::GetOriginX() const
{
    return 0;
}

int CGetAnsView::PostViewNotify(bool bDeferred, AnsichtMeldung eMeldung, const AnsichtWert& wert)
{
    if (bDeferred) {
        QCoreApplication::postEvent(this, new ViewNotifyEvent(eMeldung, wert));
        return 0;
    }
    return OnViewNotify(eMeldung, wert);
}

void CGetAnsView::MarkModified(CFahrzeug* pFahrzeug)
{
    if (!m_pDoc)
        return;
    if (!pFahrzeug)
        pFahrzeug = m_pDoc->GetAktivFahrzeug(true);
    if (pFahrzeug)
        pFahrzeug->SetModified();
    m_pDoc->SetModifiedFlag(true);
    m_pDoc->UpdateFrameTitle();
}

bool CGetAnsView::GetCursorPosClient(QPoint* pPoint) const
{
    if (pPoint)
        *pPoint = viewport()->mapFromGlobal(QCursor::pos());
    return true;
}

int CGetAnsView::GetPlanOriginX() const
{
    const CGetAnsView* pTemplate = m_pHost ? m_pHost->GetTemplateView() : nullptr;
    return pTemplate ? pTemplate->GetOriginX() : 0;
}

bool CGetAnsView::IsInVisibleSplitterPane() const
{
    return m_pHost && m_pHost->IsInVisibleSplitterPane(this);
}

bool CGetAnsView::IsSelectedTabView() const
{
    return m_pHost && m_pHost->GetSelectedTabWnd() == this;
}

QPoint CGetAnsView::ResolveInsets(const std::optional<QPoint>& raender) const
{
    if (raender)
        return *raender;
    const int derived = (m_bActive && IsInVisibleSplitterPane()) ? kActiveInset : 0;
    return QPoint(derived, derived);
}

QImage CGetAnsView::RenderPicture(QSize size)
{
    QImage picture(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.translate(-GetScrollPosition());
    OnDraw(painter);
    return picture;
}

QImage CGetAnsView::RenderFrame()
{
    QImage frame = RenderPicture(viewport()->size());
    QPainter painter(&frame);
    DrawOverlay(painter);
    return frame;
}

void CGetAnsView::SetScrollSizes(QSize total, QSize page, QSize line)
{
    m_sizeTotal = total.expandedTo(QSize(0, 0));
    m_sizePage = page.isValid() && !page.isNull() ? page : m_sizeTotal / 10;
    m_sizeLine = line.isValid() && !line.isNull() ? line : m_sizePage / 10;
    UpdateScrollBars();
}

QPoint CGetAnsView::GetScrollPosition() const
{
    return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void CGetAnsView::OnDraw(QPainter& /*painter*/) {}

void CGetAnsView::DrawOverlay(QPainter& /*painter*/) {}

bool CGetAnsView::event(QEvent* e)
{
    if (e->type() == static_cast<QEvent::Type>(ViewNotifyEvent::kMessage)) {
        const auto* notify = static_cast<ViewNotifyEvent*>(e);
        OnViewNotify(notify->Meldung(), notify->Wert());
        return true;
    }
    return QAbstractScrollArea::event(e);
}

void CGetAnsView::paintEvent(QPaintEvent* /*e*/)
{
    const QImage frame = RenderFrame();
    QPainter painter(viewport());
    painter.drawImage(0, 0, frame);
}

void CGetAnsView::focusInEvent(QFocusEvent* e)
{
    // One view of the run is the active one: the one before it loses its frame.
    ProgramRun& run = GetProgramRun();
    if (auto* pVorher = qobject_cast<CGetAnsView*>(run.GetAktiveAnsicht()); pVorher && pVorher != this)
        pVorher->m_bActive = false;
    m_bActive = true;
    run.SetAktiveAnsicht(this);
    if (m_pHost)
        m_pHost->OnViewFocused(this);
    QAbstractScrollArea::focusInEvent(e);
}

void CGetAnsView::resizeEvent(QResizeEvent* e)
{
    QAbstractScrollArea::resizeEvent(e);
    UpdateScrollBars();
}

void CGetAnsView::scrollContentsBy(int /*dx*/, int /*dy*/)
{
    viewport()->update();
}

void CGetAnsView::UpdateScrollBars()
{
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, m_sizeTotal.width() - view.width()));
    verticalScrollBar()->setRange(0, std::max(0, m_sizeTotal.height() - view.height()));
    horizontalScrollBar()->setPageStep(std::max(1, m_sizePage.width()));
    verticalScrollBar()->setPageStep(std::max(1, m_sizePage.height()));
    horizontalScrollBar()->setSingleStep(std::max(1, m_sizeLine.width()));
    verticalScrollBar()->setSingleStep(std::max(1, m_sizeLine.height()));
}

void CGetAnsView::ZeigeKontextMenu(QMenu* m, const QPoint& globalPos, std::function<void(int)> befehl)
{
    if (!m)
        return;
    m->setAttribute(Qt::WA_DeleteOnClose);
    connect(m, &QMenu::triggered, this,
            [befehl = std::move(befehl)](QAction* a) { befehl(MenuResource::CommandOf(a)); });
    m->popup(globalPos);
}

bool CGetAnsView::OnBefehl(int /*nId*/)
{
    return false;
}

bool CGetAnsView::OnUpdateBefehl(int /*nId*/, CCmdUI& /*cmdUI*/)
{
    return false;
}
