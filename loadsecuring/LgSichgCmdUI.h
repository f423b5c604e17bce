// A command-update query that only records the answer, for the wizard's buttons and the frame's commands.
#pragma once

#include "platform/CCmdUI.h"

#include <optional>

class LgSichgCmdUI : public CCmdUI
{
public:
    explicit LgSichgCmdUI(unsigned nId = 0) { m_nID = nId; }

    void Enable(bool on = true) override
    {
        m_enabled = on;
        m_bEnableChanged = true;
    }
    void SetCheck(int state = 1) override { m_checked = state; }
    void SetRadio(bool on = true) override { m_checked = on ? 1 : 0; }
    void SetText(const QString&) override {}

    std::optional<bool> m_enabled;
    std::optional<int> m_checked;
};
