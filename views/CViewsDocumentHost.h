// The view half of a document's host: forwards the document's view calls to its tabbed view host.
#pragma once

#include "model/document/DocumentHost.h"

class CTabbedViewView;

// The shell's document host derives from this and adds frame, message and file operations.
class CViewsDocumentHost : public DocumentHost
{
public:
    explicit CViewsDocumentHost(CTabbedViewView* pHost = nullptr) : m_pViewHost(pHost) {}

    void SetViewHost(CTabbedViewView* pHost) { m_pViewHost = pHost; }
    CTabbedViewView* GetViewHost() const { return m_pViewHost; }

    void UpdateAllViews(UpdateHinweis eHinweis, bool bOhneErstenPlanView) override;
    bool QueryLeaveViews(VerlassenGrund eGrund, int nArg, std::string& message) override;
    int NotifyViews(DokumentMeldung eMeldung, int nValue) override;
    void RedrawViews() override;
    void InvalidateLgSicherungView() override;
    bool IsActiveViewModeSet() override;
    bool RouteCommandToViews(int nCommand, int nArg) override;

private:
    CTabbedViewView* m_pViewHost;
};
