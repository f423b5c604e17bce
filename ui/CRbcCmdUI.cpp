// The command update query of menus and control windows.
#include "ui/CRbcCmdUI.h"

#include <QWidget>

void CRbcCmdUI::DoEnable(bool on)
{
    if (!m_pMenu && m_pOther && !on && m_pOther->hasFocus() && m_bKeepFocusedEnabled)
        return;
    EnableNow(on);
}

void CRbcCmdUI::DoSetCheck(int state)
{
    SetCheckNow(state);
}
