// The view half of a document's host: forwards the document's view calls to its tabbed view host.
#include "views/CViewsDocumentHost.h"

#include "views/CGetAnsView.h"
#include "views/CTabbedViewView.h"
#include "views/IViewShell.h"

void CViewsDocumentHost::UpdateAllViews(UpdateHinweis eHinweis, bool bOhneErstenPlanView)
{
    if (m_pViewHost)
        m_pViewHost->UpdateAllViews(bOhneErstenPlanView ? m_pViewHost->GetTemplateView() : nullptr, eHinweis);
}

bool CViewsDocumentHost::QueryLeaveViews(VerlassenGrund eGrund, int nArg, std::string& message)
{
    if (!m_pViewHost)
        return false;
    bool refused = false;
    std::string parts;
    m_pViewHost->CanLeaveViews(eGrund, nArg, &refused, &parts);
    message += parts;
    return refused;
}

int CViewsDocumentHost::NotifyViews(DokumentMeldung eMeldung, int nValue)
{
    return m_pViewHost ? m_pViewHost->NotifyViews(eMeldung, nValue) : 0;
}

void CViewsDocumentHost::RedrawViews()
{
    if (m_pViewHost)
        m_pViewHost->RedrawViews();
}

void CViewsDocumentHost::InvalidateLgSicherungView()
{
    if (CGetAnsView* view = m_pViewHost ? m_pViewHost->GetView(CTabbedViewView::kLgSicherung) : nullptr)
        view->viewport()->update();
}

bool CViewsDocumentHost::IsActiveViewModeSet()
{
    return IViewShell::Of(m_pViewHost ? m_pViewHost->GetProgramRun() : nullptr).IsActiveViewModeSet();
}

bool CViewsDocumentHost::RouteCommandToViews(int nCommand, int /*nArg*/)
{
    return m_pViewHost && m_pViewHost->RouteCommand(nCommand, nullptr);
}
