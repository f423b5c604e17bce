// The dialogs' HTML control: frameless look and swallowed keys.
#include "ui/CQorBrowser.h"

#include <QKeyEvent>
#include <QTextOption>

CQorBrowser::CQorBrowser(QWidget* parent) : CHtmlCtrlEx(parent)
{
    setFrameShape(QFrame::NoFrame);
    // Lines break between words only: a narrow column grows rather than splitting a word inside.
    setWordWrapMode(QTextOption::WordWrap);
}

bool CQorBrowser::IsSwallowedKey(const QKeyEvent* event)
{
    return event->key() == Qt::Key_F5 || (event->modifiers() & Qt::ControlModifier);
}

bool CQorBrowser::event(QEvent* event)
{
    // Claiming the shortcut keeps application shortcuts from firing; keyPressEvent then drops the key.
    if (event->type() == QEvent::ShortcutOverride && IsSwallowedKey(static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return CHtmlCtrlEx::event(event);
}

void CQorBrowser::keyPressEvent(QKeyEvent* event)
{
    if (IsSwallowedKey(event)) {
        event->accept();
        return;
    }
    CHtmlCtrlEx::keyPressEvent(event);
}
