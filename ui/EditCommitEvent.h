// The message an edit field sends its parent when a text is committed, before the value is stored.
#pragma once

#include "ui/EditValue.h"

#include <QEvent>

// Private message 0x4E2 of the edit field: the control id and the new value, which the receiver may
// change before the field stores it.
class EditCommitEvent : public QEvent
{
public:
    static constexpr QEvent::Type kType = QEvent::Type(0x4E2);

    EditCommitEvent(int ctrlId, EditValue* value) : QEvent(kType), m_ctrlId(ctrlId), m_value(value) {}

    int CtrlId() const { return m_ctrlId; }
    EditValue& Value() const { return *m_value; }

private:
    int m_ctrlId;
    EditValue* m_value;
};
