// Real input for the end-to-end run: mouse and keys sent through the X server (its XTEST extension,
// by the xdotool program), so they reach the program as a user's do: through the window manager, the
// input focus, pointer grabs and the drag-and-drop protocol. Positions are screen pixels, taken from the
// widgets with mapToGlobal.
#pragma once

#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

class XInput : public QObject
{
public:
    // Whether xdotool can be run on this display.
    static bool Available();

    // Queues one xdotool command. The queue runs by itself, one command after the other as each ends,
    // on whatever event loop runs (a modal dialog's, a drag's): a gesture goes on when the program
    // enters a loop of its own in the middle of it.
    void Queue(const QStringList& command);
    bool Idle() const { return !m_running && m_queue.isEmpty(); }
    // Waits until every queued command has ended; answers false on a failed command or the guard.
    bool Finish(int guardMs = 30000);

    // The commands of the last failures, with what xdotool said.
    QString Errors() const { return m_errors.join(QLatin1Char('\n')); }
    void ClearErrors() { m_errors.clear(); }
    // What the last command printed.
    QString LastOutput() const { return m_lastOutput; }

    // The gestures, queued; Finish() waits for them.
    void MoveTo(QPoint global);
    void Click(QPoint global, int button = 1);
    void DoubleClick(QPoint global);
    void Click(QWidget* w, QPoint local = QPoint(-1, -1), int button = 1);
    // Press at `from`, move in `steps` steps to `to`, release.
    void Drag(QPoint from, QPoint to, int steps = 16);
    // Keys by their X names ("Escape", "Return", "ctrl+a"), to the window that has the input focus.
    void Key(const QString& keys);
    void Type(const QString& text);

    // Whether the X server shows the top-level window `window` at the screen point `global`: the
    // window (or the window manager's frame around it) is the topmost one there.
    static bool ShownAt(QPoint global, quint64 window);

private:
    void Next();

    QList<QStringList> m_queue;
    bool m_running = false;
    QStringList m_errors;
    QString m_lastOutput;
};
