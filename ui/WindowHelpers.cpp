// Tests and small changes of windows: the close box, ancestry and class.
#include "ui/WindowHelpers.h"

#include <QCloseEvent>
#include <QEvent>
#include <QWidget>
#include <QWindow>

#include <cstring>

namespace {

const char* const kCloseBlockerName = "qor_close_blocker";

// Refuses the close requests that come from the user while installed on a window.
class CloseBlocker : public QObject
{
public:
    explicit CloseBlocker(QWidget* window) : QObject(window)
    {
        setObjectName(QLatin1String(kCloseBlockerName));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Close && event->spontaneous() && watched == parent()) {
            event->ignore();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

CloseBlocker* FindBlocker(const QWidget* window)
{
    return window->findChild<CloseBlocker*>(QLatin1String(kCloseBlockerName), Qt::FindDirectChildrenOnly);
}

} // namespace

bool EnableSysMenuClose(QWidget* window, bool enable)
{
    if (!window || !window->isWindow())
        return false;
    CloseBlocker* blocker = FindBlocker(window);
    if (enable && blocker) {
        window->removeEventFilter(blocker);
        delete blocker;
    } else if (!enable && !blocker) {
        window->installEventFilter(new CloseBlocker(window));
    }
    const bool hasBox = window->windowFlags().testFlag(Qt::WindowCloseButtonHint) ||
                        !window->windowFlags().testFlag(Qt::CustomizeWindowHint);
    if (hasBox != enable) {
        // The native window takes the new frame in place: setWindowFlags would re-create it, which
        // shows it again un-maximised and on top of the windows that belong to it.
        Qt::WindowFlags flags = window->windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint;
        flags.setFlag(Qt::WindowCloseButtonHint, enable);
        window->overrideWindowFlags(flags);
        if (QWindow* handle = window->windowHandle())
            handle->setFlags(flags);
    }
    return true;
}

bool IsSysMenuCloseDisabled(const QWidget* window)
{
    return window && FindBlocker(window) != nullptr;
}

bool IsWindowOrDescendant(const QWidget* window, const QWidget* ancestor)
{
    for (const QWidget* w = window; w; w = w->parentWidget()) {
        if (w == ancestor)
            return true;
    }
    return false;
}

bool IsWindowClass(const QWidget* window, const char* className)
{
    return window && className && std::strcmp(window->metaObject()->className(), className) == 0;
}
