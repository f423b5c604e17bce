// Tests of the wait notice: the worker protocol, the dots, the late Cancel and a clean cancel.
#include "ui/CDlgMessageOnly.h"
#include "ui/CommandEvent.h"

#include "UiTestModule.h"

#include <QDir>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>

namespace {

// A worker in its own thread: on the start message it works until the test lets it finish, then
// answers through the channel it was given.
class Worker : public QObject
{
public:
    std::atomic<int> starts{0};
    std::atomic<int> answered{0};

    void Release()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_released = true;
        m_cv.notify_all();
    }
    // Blocks until the worker has its start message.
    void WaitStarted()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_cv.wait(lock, [this] { return starts > 0; });
    }

protected:
    bool event(QEvent* event) override
    {
        if (event->type() != WaitStartEvent::kType)
            return QObject::event(event);
        std::shared_ptr<WaitStartEvent::Channel> channel =
            static_cast<WaitStartEvent*>(event)->ReplyChannel();
        EXPECT_EQ(static_cast<WaitStartEvent*>(event)->AnswerType(), WaitStartEvent::kDoneType);
        std::unique_lock<std::mutex> lock(m_mutex);
        ++starts;
        m_cv.notify_all();
        m_cv.wait(lock, [this] { return m_released; });
        channel->Post();
        ++answered;
        return true;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_released = false;
};

class WaitNoticeTest : public testing::Test
{
protected:
    WaitNoticeTest() : m_templates(UiTestModule())
    {
        ResourceModule::SetCurrent(UiTestModule());
        m_worker.moveToThread(&m_thread);
        m_thread.start();
    }
    ~WaitNoticeTest() override
    {
        m_worker.Release();
        m_thread.quit();
        m_thread.wait();
        ResourceModule::SetCurrent(nullptr);
    }

    Worker m_worker;
    QThread m_thread;

private:
    ScopedDialogTemplateModule m_templates;
};

} // namespace

TEST_F(WaitNoticeTest, ClosesWithOkWhenTheWorkerAnswers)
{
    CDlgMessageOnly notice;
    notice.SetMessage("Exporting the plan as PDF");
    notice.SetWorker(&m_worker);
    // The worker finishes at once: the notice closes before its first dot.
    m_worker.Release();
    EXPECT_EQ(notice.exec(), int(QDialog::Accepted));
    EXPECT_EQ(m_worker.starts, 1);
    EXPECT_EQ(notice.DotCount(), 0);
}

TEST_F(WaitNoticeTest, DotsCycleAndCancelComesLate)
{
    CDlgMessageOnly notice;
    notice.SetMessage("Exporting");
    std::vector<QString> texts;
    bool cancelAtStart = true;
    bool cancelAfterDelay = false;
    QImage picture;
    QTimer::singleShot(0, [&] {
        cancelAtStart = notice.CancelShown();
        for (int tick = 0; tick < 7; ++tick) {
            notice.OnTimer(1);
            texts.push_back(notice.ShownText());
        }
        notice.OnTimer(2);
        cancelAfterDelay = notice.CancelShown();
        picture = notice.grab().toImage();
        CommandEvent cancel{quint32(CDlgBase::kIdCancel)};
        QCoreApplication::sendEvent(&notice, &cancel);
    });
    EXPECT_EQ(notice.exec(), int(QDialog::Rejected));
    EXPECT_EQ(texts, (std::vector<QString>{"Exporting.", "Exporting..", "Exporting...", "Exporting....",
                                           "Exporting.....", "Exporting.", "Exporting.."}));
    EXPECT_FALSE(cancelAtStart);
    EXPECT_TRUE(cancelAfterDelay);
    QDir().mkpath(QOR_TEST_ARTIFACT_DIR);
    EXPECT_TRUE(picture.save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/wait_notice.png")));
}

TEST_F(WaitNoticeTest, CancelWhileTheWorkerRunsLeavesNothingBehind)
{
    {
        auto notice = std::make_unique<CDlgMessageOnly>();
        notice->SetMessage("Exporting");
        notice->SetWorker(&m_worker);
        QTimer::singleShot(0, [&] {
            m_worker.WaitStarted();
            notice->OnTimer(2);
            CommandEvent cancel{quint32(CDlgBase::kIdCancel)};
            QCoreApplication::sendEvent(notice.get(), &cancel);
        });
        EXPECT_EQ(notice->exec(), int(QDialog::Rejected));
    } // the notice is gone while the worker still works
    m_worker.Release();
    // The worker's late answer finds no window; the thread ends cleanly.
    while (m_worker.answered == 0)
        QThread::yieldCurrentThread();
    QCoreApplication::processEvents();
    m_thread.quit();
    EXPECT_TRUE(m_thread.wait());
    EXPECT_EQ(m_worker.answered, 1);
}
