// The wait notice: a message with moving dots while a worker does a long job.
#pragma once

#include "ui/CDlgBase.h"
#include "ui/WaitStartEvent.h"

#include <QBasicTimer>
#include <QPointer>

#include <memory>

// Shown modally while a worker in another thread does a job. At start it posts a WaitStartEvent to
// the worker; the worker's answer closes the notice with Accepted. Cancel (705) appears only after
// 20 seconds; cancelling ends the notice with Rejected and closes the way back, so a late answer is
// dropped.
class CDlgMessageOnly : public CDlgBase
{
    Q_OBJECT
public:
    static constexpr quint32 kTemplateId = 893;
    static constexpr int kTextId = 1390;
    static constexpr int kDotTimerMs = 200;
    static constexpr int kCancelDelayMs = 20000;
    static constexpr int kMaxDots = 5;

    explicit CDlgMessageOnly(QWidget* parent = nullptr);
    ~CDlgMessageOnly() override;

    void SetMessage(const QString& message) { m_message = message; }
    QString Message() const { return m_message; }
    // The object, living in the worker's thread, that gets the WaitStartEvent; null = none.
    void SetWorker(QObject* worker) { m_worker = worker; }

    int DotCount() const { return m_dotCount; }
    // The text shown: the message and its dots.
    QString ShownText() const;
    bool CancelShown() const;

    // The notice's two timers: 1 moves the dots, 2 shows Cancel. Their QBasicTimers call this.
    void OnTimer(int which);

    void done(int result) override;

protected:
    bool OnInitDialog() override;
    bool OnPaintCtrl(QWidget* ctrl, int id, QPainter& painter) override;
    bool event(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void ShowCancel(bool show);

    QString m_message;
    QPointer<QObject> m_worker;
    std::shared_ptr<WaitStartEvent::Channel> m_channel;
    int m_dotCount = 0;
    QBasicTimer m_dotTimer;
    QBasicTimer m_cancelTimer;
};
