// A command update query whose answers can be recorded and applied once at the end.
#include "ui/CCmdUIEx.h"

void CCmdUIEx::Enable(bool on)
{
    m_bEnableChanged = true;
    if (m_nRecording) {
        m_nRecordedEnable = on ? 1 : 0;
        m_nRecordedFlags |= RECORDED_ENABLE;
        return;
    }
    DoEnable(on);
}

void CCmdUIEx::SetCheck(int state)
{
    if (m_nRecording) {
        m_nRecordedCheck = state;
        m_nRecordedFlags |= RECORDED_CHECK;
        return;
    }
    DoSetCheck(state);
}

void CCmdUIEx::ApplyRecorded()
{
    if (m_nRecordedFlags & RECORDED_ENABLE)
        DoEnable(m_nRecordedEnable != 0);
    if (m_nRecordedFlags & RECORDED_CHECK)
        DoSetCheck(m_nRecordedCheck);
}

void CCmdUIEx::ResetRecorded()
{
    m_nRecordedFlags = 0;
    m_nRecordedEnable = 1;
    m_nRecordedCheck = 0;
    m_nRecordedValue3 = 0;
}

int CCmdUIEx::GetRecordedEnable() const
{
    return (m_nRecordedFlags & RECORDED_ENABLE) ? m_nRecordedEnable : -1;
}

int CCmdUIEx::GetRecordedCheck() const
{
    return (m_nRecordedFlags & RECORDED_CHECK) ? m_nRecordedCheck : -1;
}

int CCmdUIEx::GetRecordedValue3() const
{
    return (m_nRecordedFlags & RECORDED_VALUE3) ? m_nRecordedValue3 : -1;
}
