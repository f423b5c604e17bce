// The start message of the wait notice to its worker, and the worker's way back.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#include <memory>
#include <mutex>

// Posted by the wait notice to its worker object (message 0x8001): start the job. The worker keeps
// ReplyChannel() and, when the job is done, calls its Post() (from its own thread), which posts the
// answer (message 0x8002) to the notice if it still waits. A notice that has ended closes the channel first,
// so a late answer goes nowhere instead of into a window that is gone.
class WaitStartEvent : public QEvent
{
public:
    static constexpr QEvent::Type kType = QEvent::Type(0x8001);
    static constexpr QEvent::Type kDoneType = QEvent::Type(0x8002);

    // The way back to the waiting window; shared by the notice and the worker.
    class Channel
    {
    public:
        Channel(QObject* target, QEvent::Type answer) : m_target(target), m_answer(answer) {}
        // Posts the answer when the window still waits; safe from any thread.
        void Post()
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_target)
                QCoreApplication::postEvent(m_target, new QEvent(m_answer));
        }
        // Called by the window when it stops waiting.
        void Close()
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_target = nullptr;
        }
        QEvent::Type Answer() const { return m_answer; }

    private:
        std::mutex m_mutex;
        QObject* m_target;
        QEvent::Type m_answer;
    };

    explicit WaitStartEvent(std::shared_ptr<Channel> channel) : QEvent(kType), m_channel(std::move(channel))
    {
    }

    // The number of the answer message (0x8002).
    QEvent::Type AnswerType() const { return m_channel->Answer(); }
    // The channel to answer through; the worker keeps it until the job is done.
    std::shared_ptr<Channel> ReplyChannel() const { return m_channel; }

private:
    std::shared_ptr<Channel> m_channel;
};
