#include "XInput.h"

#include "tests/support/InProcessProgram.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdlib>

bool XInput::Available()
{
    return !QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty() &&
           !qEnvironmentVariableIsEmpty("DISPLAY");
}

void XInput::Queue(const QStringList& command)
{
    m_queue.append(command);
    if (!m_running)
        Next();
}

bool XInput::Finish(int guardMs)
{
    const qsizetype failures = m_errors.size();
    const bool ended = WaitFor([this] { return Idle(); }, guardMs);
    if (!ended)
        m_errors << QStringLiteral("xdotool commands still queued after %1 ms").arg(guardMs);
    return ended && m_errors.size() == failures;
}

void XInput::Next()
{
    if (m_queue.isEmpty()) {
        m_running = false;
        return;
    }
    m_running = true;
    const QStringList command = m_queue.takeFirst();
    auto* process = new QProcess(this);
    // Queued, so the next command starts from the event loop after the program had a pass at the
    // input this one sent.
    connect(
        process, &QProcess::finished, this,
        [this, process, command](int code, QProcess::ExitStatus status) {
            m_lastOutput = QString::fromLocal8Bit(process->readAllStandardOutput());
            if (status != QProcess::NormalExit || code != 0)
                m_errors << command.join(QLatin1Char(' ')) + QStringLiteral(": ") +
                                QString::fromLocal8Bit(process->readAllStandardError());
            process->deleteLater();
            Next();
        },
        Qt::QueuedConnection);
    connect(process, &QProcess::errorOccurred, this, [this, process, command](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        m_errors << command.join(QLatin1Char(' ')) + QStringLiteral(": xdotool did not start");
        process->deleteLater();
        Next();
    });
    process->start(QStringLiteral("xdotool"), command);
}

namespace {

QStringList Move(QPoint global)
{
    return {QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(global.x()),
            QString::number(global.y())};
}

} // namespace

void XInput::MoveTo(QPoint global)
{
    Queue(Move(global));
}

void XInput::Click(QPoint global, int button)
{
    // The pointer arrives as a hand brings it, so the target sees it moving in before the press (a
    // pointer already standing on the spot would send no move at all).
    MoveTo(global + QPoint(3, 3));
    MoveTo(global);
    Queue({QStringLiteral("click"), QString::number(button)});
}

void XInput::DoubleClick(QPoint global)
{
    MoveTo(global);
    Queue({QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("2"),
           QStringLiteral("--delay"), QStringLiteral("80"), QStringLiteral("1")});
}

void XInput::Click(QWidget* w, QPoint local, int button)
{
    Click(w->mapToGlobal(local == QPoint(-1, -1) ? w->rect().center() : local), button);
}

void XInput::Drag(QPoint from, QPoint to, int steps)
{
    MoveTo(from);
    Queue({QStringLiteral("mousedown"), QStringLiteral("1")});
    for (int i = 1; i <= steps; ++i)
        MoveTo(from + (to - from) * i / steps);
    Queue({QStringLiteral("mouseup"), QStringLiteral("1")});
}

void XInput::Key(const QString& keys)
{
    Queue({QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("40"), keys});
}

void XInput::Type(const QString& text)
{
    Queue({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("40"), QStringLiteral("--"),
           text});
}

bool XInput::ShownAt(QPoint global, quint64 window)
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c)
        return false;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    // The root's child at the point, the stacking honoured: a top-level window or a frame.
    xcb_translate_coordinates_reply_t* at = xcb_translate_coordinates_reply(
        c,
        xcb_translate_coordinates(c, root, root, static_cast<int16_t>(global.x()),
                                  static_cast<int16_t>(global.y())),
        nullptr);
    const xcb_window_t top = at ? at->child : xcb_window_t(XCB_WINDOW_NONE);
    std::free(at);
    if (top == XCB_WINDOW_NONE)
        return false;
    // Up from the window to the root: the frame, when there is one, is on the way.
    for (xcb_window_t w = static_cast<xcb_window_t>(window); w != XCB_WINDOW_NONE && w != root;) {
        if (w == top)
            return true;
        xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, w), nullptr);
        w = tree ? tree->parent : xcb_window_t(XCB_WINDOW_NONE);
        std::free(tree);
    }
    return false;
}
