// The command update query of menus and control windows (dialogs, button strips).
#pragma once

#include "ui/CCmdUIEx.h"

class CRbcCmdUI : public CCmdUIEx
{
public:
    // `keepFocusedEnabled`: a window that has the keyboard focus is not disabled (the owner's choice,
    // e.g. a button strip that must not lose its focused button).
    explicit CRbcCmdUI(bool keepFocusedEnabled = false) : m_bKeepFocusedEnabled(keepFocusedEnabled) {}

    void SetKeepFocusedEnabled(bool keep) { m_bKeepFocusedEnabled = keep; }
    bool KeepsFocusedEnabled() const { return m_bKeepFocusedEnabled; }

protected:
    // A menu item by position (not the items of a sub-menu), or the window: enabling enables it;
    // disabling passes the focus on first when the window has it, or leaves a focused window as it is
    // when keepFocusedEnabled is set.
    void DoEnable(bool on) override;
    void DoSetCheck(int state) override;

private:
    bool m_bKeepFocusedEnabled = false;
};
