// Stand-ins for the main window's document handling until the child frames attach it; the file goes
// when the document code defines these.
#include "app/CMainFrame.h"

bool CMainFrame::CloseActiveChildForExit()
{
    return true; // no child windows yet
}

void CMainFrame::OpenPendingPath(const QString&) {}

CQOR1Doc* CMainFrame::GetActiveDoc()
{
    return nullptr; // no child windows yet
}
