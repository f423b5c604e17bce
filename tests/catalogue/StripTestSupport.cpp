// Helpers of the tile strip tests: an owner that records what it is told, a gate that holds loaders.
#include "StripTestSupport.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

void Gate::Wait()
{
    std::unique_lock lock(m_mutex);
    ++m_waiting;
    m_changed.notify_all();
    m_changed.wait_for(lock, kLimit, [this] { return m_open; });
    --m_waiting;
}

void Gate::Open()
{
    std::lock_guard lock(m_mutex);
    m_open = true;
    m_changed.notify_all();
}

int Gate::Waiting()
{
    std::lock_guard lock(m_mutex);
    return m_waiting;
}

bool Gate::AwaitWaiting(int n)
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, kLimit, [&] { return m_waiting >= n; });
}

bool RecordingOwner::MeasureItem(const HListboxItem& tile, int, int* width)
{
    const auto found = widths.find(static_cast<int>(tile.ownerValue));
    if (found == widths.end())
        return false;
    *width = found->second;
    return true;
}

void RecordingOwner::ItemLoadChanged(const HListboxItem* tile, int state)
{
    loads.push_back({tile ? tile->index : -1, state, tile ? tile->loadOutput : QVariant()});
}

bool RecordingOwner::EasingCurve(int, float* fraction)
{
    if (easingGiven)
        *fraction = easingFraction;
    return easingGiven;
}

void RecordingOwner::SelectionChanged(int oldIndex, int newIndex)
{
    selections.emplace_back(oldIndex, newIndex);
}

bool RecordingOwner::MayLoad(const HListboxItem&)
{
    return mayLoad;
}

bool RecordingOwner::MayUnload(const HListboxItem& tile)
{
    unloadOffers.push_back(tile.index);
    return mayUnload;
}

QVariant RecordingOwner::LoadInput(const HListboxItem& tile)
{
    return tile.text;
}

void RecordingOwner::TypedSearch(const QString& text)
{
    searches.push_back(text);
}

void RecordingOwner::FreeItem(int index, void* ownerData)
{
    freed.emplace_back(index, ownerData);
}

bool RecordingOwner::FindQuery(int index, const QString&, bool)
{
    return index == matchIndex;
}

StripWindow::StripWindow(int flags, IHListboxOwner* owner) : window(std::make_unique<QWidget>())
{
    window->resize(440, 150);
    list = new CHListbox;
    list->SetOwner(owner);
    list->Create(flags, QRect(10, 10, 420, 130), window.get(), 1341);
}

StripWindow::~StripWindow()
{
    window.reset();
    DrainLoaders();
}

int StripWindow::CanvasWidth() const
{
    return list->Canvas()->width();
}

void DrainLoaders()
{
    EXPECT_TRUE(CHListbox::WaitForLoaderPool(30000)) << "a loader thread is still running";
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

std::thread OpenGateWhenAStripWaits(Gate& gate)
{
    return std::thread([&gate] {
        const auto limit = std::chrono::steady_clock::now() + Gate::kLimit;
        while (!CHListbox::IsWaitingForLoaders() && std::chrono::steady_clock::now() < limit)
            std::this_thread::yield();
        gate.Open();
    });
}
