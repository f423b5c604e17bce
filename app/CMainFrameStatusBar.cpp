// The main window's status bar: made with the window, showing the active document's masses and state.
#include "app/CMainFrame.h"

#include "app/CQOR2StatusBar.h"

bool CMainFrame::CreateStatusBar()
{
    m_statusBar = new CQOR2StatusBar(this);
    m_statusBar->SetDocumentSource([] { return CMainFrame::GetActiveDoc(); });
    setStatusBar(m_statusBar);
    return true;
}
