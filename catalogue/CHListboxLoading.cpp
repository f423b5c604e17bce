// Loading of tile content on a pool of worker threads, and the strip's timers.
#include "CHListbox.h"

#include "HListboxLoadJob.h"
#include "ui/FadeClock.h"

#include <QCoreApplication>
#include <QThreadPool>

#include <algorithm>
#include <atomic>
#include <chrono>

namespace {

std::atomic<bool> s_waiting{false};
std::atomic<quint64> s_nextGeneration{1};

QThreadPool* s_pool = nullptr;

// At the end of the program the idle workers go; one stuck in a decoder is left to the process exit.
void ShutDownLoaderPool()
{
    if (s_pool && s_pool->waitForDone(2000)) {
        delete s_pool;
        s_pool = nullptr;
    }
}

// The workers of every strip. It outlives every window, so no window waits for it.
QThreadPool* LoaderPool()
{
    if (!s_pool) {
        s_pool = new QThreadPool;
        s_pool->setMaxThreadCount(std::max(2, QThread::idealThreadCount()));
        s_pool->setExpiryTimeout(2000);
        qAddPostRoutine(ShutDownLoaderPool);
    }
    return s_pool;
}

void RunLoad(const std::shared_ptr<HListboxLoadJob>& job, const CHListbox::ItemLoader& loader)
{
    QVariant output;
    const bool ok = loader ? loader(job->request, &output) : false;
    HListboxLoaderLink& link = *job->link;
    std::lock_guard lock(link.mutex);
    job->ok = ok;
    job->output = std::move(output);
    job->done = true;
    link.finished.notify_all();
    if (CHListbox* list = link.list) {
        const quint64 generation = job->request.generation;
        // A call posted to the list is dropped with it when the list is destroyed first.
        QMetaObject::invokeMethod(
            list, [list, generation] { list->OnLoaderFinished(generation); }, Qt::QueuedConnection);
    }
}

} // namespace

// ---- loaders -------------------------------------------------------------------------------------

void CHListbox::StartItemLoad(HListboxItem& tile)
{
    auto job = std::make_shared<HListboxLoadJob>();
    job->link = m_link;
    job->request.controlId = m_controlId;
    job->request.ownerValue = tile.ownerValue;
    job->request.index = tile.index;
    job->request.generation = s_nextGeneration++;
    job->request.input = LoadInput(tile);
    tile.job = job;
    tile.state = kTileLoading;
    tile.loadTick = FadeClock::Now();
    tile.measuredWidth = 0;
    if (!m_loadingTimer.isActive())
        m_loadingTimer.start();
    LoaderPool()->start([job, loader = m_loader] { RunLoad(job, loader); });
}

void CHListbox::OnLoaderFinished(quint64 generation)
{
    HListboxItem* tile = nullptr;
    for (auto& candidate : m_items) {
        if (candidate->job && candidate->job->request.generation == generation) {
            tile = candidate.get();
            break;
        }
    }
    if (!tile)
        return;
    bool ok = false;
    {
        std::lock_guard lock(m_link->mutex);
        ok = tile->job->ok;
        tile->loadOutput = std::move(tile->job->output);
    }
    tile->job.reset();
    const int wasState = tile->state;
    if (ok) {
        if (tile->state != kTileFailed)
            tile->state = kTileLoaded;
        tile->offeredForUnload = false;
        if (tile->measuredWidth > 0)
            tile->width = tile->measuredWidth;
        else
            Measure(*tile, tile->state);
        tile->loadTick = 0;
        m_layoutDirty = true;
        m_canvas->update();
        const HListboxItem copy = *tile;
        ItemLoadChanged(&copy, kTileLoaded);
        if (!AnyLoading())
            ItemLoadChanged(nullptr, 3);
    } else {
        if (wasState == kTileLoading)
            Measure(*tile, kTileFailed);
        tile->state = kTileFailed;
        m_canvas->update();
        const HListboxItem copy = *tile;
        ItemLoadChanged(&copy, kTileFailed);
    }
}

bool CHListbox::AnyLoading() const
{
    return std::any_of(m_items.begin(), m_items.end(),
                       [](const auto& tile) { return tile->state == kTileLoading; });
}

void CHListbox::StopItemLoader(HListboxItem& tile, int waitMs)
{
    if (!tile.job)
        return;
    const std::shared_ptr<HListboxLoadJob> job = tile.job;
    tile.job.reset();
    std::unique_lock lock(m_link->mutex);
    m_link->finished.wait_for(lock, std::chrono::milliseconds(std::max(0, waitMs)),
                              [&] { return job->done; });
    // A loader still running is left to finish on its own; nothing it writes reaches a tile.
}

int CHListbox::WaitForLoaders(const std::vector<std::shared_ptr<HListboxLoadJob>>& jobs, bool waitAll,
                              int timeoutMs)
{
    bool expected = false;
    if (!s_waiting.compare_exchange_strong(expected, true))
        return kWaitNested;
    int answer = kWaitTimedOut;
    {
        std::unique_lock lock(m_link->mutex);
        auto finishedOne = [&]() -> int {
            for (size_t i = 0; i < jobs.size(); ++i) {
                if (jobs[i]->done)
                    return static_cast<int>(i);
            }
            return -1;
        };
        auto allFinished = [&] {
            return std::all_of(jobs.begin(), jobs.end(), [](auto& j) { return j->done; });
        };
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max(0, timeoutMs));
        if (waitAll) {
            if (m_link->finished.wait_until(lock, deadline, allFinished))
                answer = 0;
        } else if (m_link->finished.wait_until(lock, deadline, [&] { return finishedOne() >= 0; })) {
            answer = finishedOne();
        }
    }
    s_waiting = false;
    return answer;
}

bool CHListbox::IsWaitingForLoaders()
{
    return s_waiting;
}

bool CHListbox::WaitForLoaderPool(int timeoutMs)
{
    return LoaderPool()->waitForDone(timeoutMs);
}

void CHListbox::ReserveLoaderThreads(int count)
{
    QThreadPool* pool = LoaderPool();
    if (pool->maxThreadCount() < count)
        pool->setMaxThreadCount(count);
}

// ---- timers --------------------------------------------------------------------------------------

void CHListbox::OnLoadingTimer()
{
    if (m_layoutDirty)
        Layout();
    bool loading = false;
    const QRect view(m_offset, 0, CanvasWidth(), m_canvas->height());
    for (auto& tile : m_items) {
        if (tile->state != kTileLoading)
            continue;
        loading = true;
        if (tile->rect.intersects(view))
            m_canvas->update(tile->rect.translated(-m_offset, 0));
    }
    if (!loading) {
        m_loadingTimer.stop();
        ItemLoadChanged(nullptr, 2);
    }
}

void CHListbox::OnUnloadTimer()
{
    if (!(m_flags & kHlbOwnerDrawn))
        return;
    if (m_layoutDirty)
        Layout();
    const QRect view(m_offset, 0, CanvasWidth(), std::max(1, m_canvas->height()));
    for (auto& tile : m_items) {
        QRect span = tile->rect;
        span.setHeight(view.height());
        if (tile->state == kTileLoaded && !span.intersects(view) && MayUnload(*tile)) {
            tile->state = kTileNotLoaded;
            tile->loadOutput.clear();
        }
    }
}

void CHListbox::OnTypedSearchTimer()
{
    m_searchTimer.stop();
    const QString text = m_typed;
    m_typed.clear();
    if (!text.isEmpty()) {
        m_searchRan = true;
        TypedSearch(text);
    }
}

void CHListbox::EndSearchIfTyped()
{
    m_searchTimer.stop();
    m_typed.clear();
    if (!m_searchRan)
        return;
    m_searchRan = false;
    EndTypedSearch();
}
