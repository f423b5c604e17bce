// An update query of a command that only records the answers its handlers give.
#pragma once

#include "platform/CCmdUI.h"

class RecordingCmdUI : public CCmdUI
{
public:
    // `enabledBefore` is what `enabled` reads when no handler answers.
    explicit RecordingCmdUI(bool enabledBefore = false) : enabled(enabledBefore) {}

    void Enable(bool on) override
    {
        enabled = on;
        m_bEnableChanged = true;
    }
    void SetCheck(int state) override { check = state; }

    bool enabled;
    int check = -1;
};
