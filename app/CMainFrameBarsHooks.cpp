// Stand-ins for the main window's ribbon, status bar and 3D settings until their own files attach
// them; the file goes when CMainFrameRibbon.cpp and CMainFrameStatusBar.cpp define these.
#include "app/CMainFrame.h"

bool CMainFrame::CreateStatusBar()
{
    return true;
}

bool CMainFrame::LoadRibbonIcons()
{
    return true;
}

bool CMainFrame::CreateRibbon()
{
    // No ribbon yet, but the window is complete: the splash shows.
    return true;
}

void CMainFrame::RunDirect3DSettings() {}
