// A command update query whose answers can be recorded, so that of several handlers only the last answer
// of each kind is applied, once, at the end.
#pragma once

#include "platform/CCmdUI.h"

class CCmdUIEx : public CCmdUI
{
public:
    CCmdUIEx() = default;

    // In recording mode the value is recorded; otherwise DoEnable applies it. Either way the query
    // counts as answered (m_bEnableChanged).
    void Enable(bool on = true) override;
    // In recording mode the state is recorded; otherwise DoSetCheck applies it.
    void SetCheck(int state = 1) override;

    // Applies what was recorded: the enable value, then the check state, each only when recorded.
    void ApplyRecorded();
    // Forgets what was recorded: nothing recorded, enable 1, check 0, third value 0.
    void ResetRecorded();

    // The recorded values, or -1 when the value was not recorded.
    int GetRecordedEnable() const;
    int GetRecordedCheck() const;
    int GetRecordedValue3() const;

    void SetRecording(bool recording) { m_nRecording = recording ? 1 : 0; }
    bool IsRecording() const { return m_nRecording != 0; }

protected:
    virtual void DoEnable(bool on) = 0;
    virtual void DoSetCheck(int state) = 0;

    enum RecordedFlag : int
    {
        RECORDED_ENABLE = 1,
        RECORDED_CHECK = 2,
        RECORDED_VALUE3 = 4,
    };

    int m_nRecordedFlags = 0;
    int m_nRecordedEnable = 1;
    int m_nRecordedCheck = 0;
    int m_nRecordedValue3 = 0;
    int m_nRecording = 0; // 0: apply every answer at once
};
