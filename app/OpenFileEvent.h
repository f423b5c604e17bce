// Message 0x809A to the main frame: open entry `entry` of a vehicle or combination file, or only its
// first vehicle.
#pragma once

#include "app/FrameMessages.h"

#include <QEvent>
#include <QString>

class OpenFileEvent : public QEvent
{
public:
    OpenFileEvent(const QString& path, int entry, bool bSingle)
        : QEvent(FrameMessages::kOpenFile), m_path(path), m_entry(entry), m_bSingle(bSingle)
    {
    }
    const QString& Path() const { return m_path; }
    int Entry() const { return m_entry; }
    bool IsSingle() const { return m_bSingle; }

private:
    QString m_path;
    int m_entry;
    bool m_bSingle;
};
