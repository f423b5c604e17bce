// A horizontal strip of tiles that asks its owner what to show and loads tile content off the window's
// thread.
#include "CHListbox.h"

#include "StripButton.h"
#include "ui/FadeClock.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <QThreadPool>
#include <QToolTip>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <numbers>

// One load of one tile, shared by the tile and the worker until both are done with it.
struct HListboxLoadJob
{
    HListboxLoadRequest request;
    std::shared_ptr<HListboxLoaderLink> link;
    // Written by the worker under the link's mutex, read by the window's thread after done.
    bool done = false;
    bool ok = false;
    QVariant output;
};

// What the workers of one list share with it; list is cleared when the list goes away.
struct HListboxLoaderLink
{
    std::mutex mutex;
    std::condition_variable finished;
    CHListbox* list = nullptr;
};

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

CHListbox::CHListbox(QWidget* parent) : QWidget(parent), m_link(std::make_shared<HListboxLoaderLink>())
{
    m_link->list = this;
    m_canvas = new QWidget(this);
    m_canvas->setObjectName(QStringLiteral("CanvasWnd"));
    m_canvas->setFocusPolicy(Qt::StrongFocus);
    m_canvas->setAttribute(Qt::WA_OpaquePaintEvent);
    m_canvas->installEventFilter(this);
    m_left = CreateStripButton(QStringLiteral("<"), this);
    m_right = CreateStripButton(QStringLiteral(">"), this);
    m_scrollBar = new QScrollBar(Qt::Horizontal, this);
    m_scrollBar->setEnabled(false);
    m_scrollBar->setRange(0, 0);
    connect(m_left, &QAbstractButton::clicked, this, [this] { StepSelection(-1); });
    connect(m_right, &QAbstractButton::clicked, this, [this] { StepSelection(1); });
    connect(m_scrollBar, &QScrollBar::valueChanged, this, [this](int value) {
        if (value != m_offset) {
            m_offset = value;
            m_canvas->update();
        }
    });
    connect(m_scrollBar, &QScrollBar::sliderReleased, this, [this] {
        if (m_selected >= 0)
            ScrollToItem(m_selected, 10);
    });
    m_loadingTimer.setInterval(100);
    connect(&m_loadingTimer, &QTimer::timeout, this, &CHListbox::OnLoadingTimer);
    m_unloadTimer.setInterval(5000);
    connect(&m_unloadTimer, &QTimer::timeout, this, &CHListbox::OnUnloadTimer);
    m_searchTimer.setSingleShot(true);
    m_searchTimer.setInterval(250);
    connect(&m_searchTimer, &QTimer::timeout, this, &CHListbox::OnTypedSearchTimer);
    m_animTimer.setInterval(10);
    connect(&m_animTimer, &QTimer::timeout, this, &CHListbox::AnimationStep);
    m_queue.Setup(kQueueId, kQueueCapacity, true, {});
}

CHListbox::~CHListbox()
{
    {
        std::lock_guard lock(m_link->mutex);
        m_link->list = nullptr;
    }
    m_unloadTimer.stop();
    DeleteAllItems(m_destroyWaitMs);
}

bool CHListbox::Create(int flags, const QRect& rect, QWidget* parent, int controlId)
{
    m_flags = flags;
    m_controlId = controlId;
    if (parent)
        setParent(parent);
    setGeometry(rect);
    ArrangeChildren();
    if (flags & kHlbUnloadInvisible)
        m_unloadTimer.start();
    show();
    return true;
}

// ---- notifications -------------------------------------------------------------------------------

bool CHListbox::MeasureItem(const HListboxItem& tile, int state, int* width)
{
    return m_owner && m_owner->MeasureItem(tile, state, width);
}
void CHListbox::ItemLoadChanged(const HListboxItem* tile, int state)
{
    if (m_owner)
        m_owner->ItemLoadChanged(tile, state);
}
bool CHListbox::DrawBackground(HListboxDraw& draw)
{
    return m_owner && m_owner->DrawBackground(draw);
}
bool CHListbox::DrawItem(HListboxDraw& draw)
{
    return m_owner && m_owner->DrawItem(draw);
}
bool CHListbox::ScrollRequest(HListboxScroll& request)
{
    return m_owner && m_owner->ScrollRequest(request);
}
bool CHListbox::EasingCurve(int value, float* fraction)
{
    return m_owner && m_owner->EasingCurve(value, fraction);
}
void CHListbox::SelectionChanged(int oldIndex, int newIndex)
{
    if (m_owner)
        m_owner->SelectionChanged(oldIndex, newIndex);
}
void CHListbox::ItemActivated(int index)
{
    if (m_owner)
        m_owner->ItemActivated(index);
}
bool CHListbox::MayLoad(const HListboxItem& tile)
{
    return m_owner && m_owner->MayLoad(tile);
}
bool CHListbox::MayUnload(const HListboxItem& tile)
{
    return m_owner && m_owner->MayUnload(tile);
}
QVariant CHListbox::LoadInput(const HListboxItem& tile)
{
    return m_owner ? m_owner->LoadInput(tile) : QVariant();
}
void CHListbox::TypedSearch(const QString& text)
{
    if (m_owner)
        m_owner->TypedSearch(text);
}
void CHListbox::FreeItem(int index, void* ownerData)
{
    if (m_owner)
        m_owner->FreeItem(index, ownerData);
}
bool CHListbox::FindQuery(int index, const QString& key, bool flag)
{
    return m_owner && m_owner->FindQuery(index, key, flag);
}
QString CHListbox::TooltipText(int index)
{
    return m_owner ? m_owner->TooltipText(index) : QString();
}

// ---- items ---------------------------------------------------------------------------------------

int CHListbox::AddItem(const QString& text, void* ownerData, qintptr ownerValue, int width)
{
    auto tile = std::make_unique<HListboxItem>();
    tile->text = text;
    tile->controlId = m_controlId;
    tile->ownerData = ownerData;
    tile->ownerValue = ownerValue;
    tile->width = width;
    tile->index = GetItemCount();
    tile->insertTick = FadeClock::Now();
    HListboxItem& added = *tile;
    m_items.push_back(std::move(tile));
    if (m_items.size() == 1)
        m_scrollBar->setEnabled(true);
    if (!(m_flags & kHlbOwnerDrawn) || !MayLoad(added))
        MarkLoaded(added);
    m_layoutDirty = true;
    m_canvas->update();
    return added.index;
}

void CHListbox::MarkLoaded(HListboxItem& tile)
{
    tile.state = kTileLoaded;
    tile.offeredForUnload = false;
    if (m_flags & kHlbOwnerDrawn)
        Measure(tile, kTileLoaded);
}

HListboxItem* CHListbox::GetItem(int index)
{
    if (index < 0 || index >= GetItemCount())
        return nullptr;
    return m_items[static_cast<size_t>(index)].get();
}

int CHListbox::DeleteItem(int index)
{
    if (index < 0 || index >= GetItemCount())
        return -1;
    if (m_layoutDirty)
        Layout();
    std::unique_ptr<HListboxItem> tile = std::move(m_items[static_cast<size_t>(index)]);
    m_items.erase(m_items.begin() + index);
    for (int i = index; i < GetItemCount(); ++i)
        m_items[static_cast<size_t>(i)]->index = i;
    if (m_selected == index)
        m_selected = -1;
    else if (m_selected > index)
        --m_selected;
    if (m_pressed == index)
        m_pressed = -1;
    else if (m_pressed > index)
        --m_pressed;
    StopItemLoader(*tile, m_deleteWaitMs);
    if (tile->ownerData)
        FreeItem(index, tile->ownerData);
    const int freed = tile->width + 1;
    tile.reset();
    m_layoutDirty = true;
    Layout();
    SetOffset(m_offset - freed);
    m_canvas->update();
    return GetItemCount();
}

void CHListbox::DeleteAllItems(int timeoutMs)
{
    EndAnimation();
    m_loadingTimer.stop();
    m_deferred.reset();
    std::vector<std::shared_ptr<HListboxLoadJob>> jobs;
    for (auto& tile : m_items) {
        if (tile->job)
            jobs.push_back(tile->job);
    }
    if (!jobs.empty())
        WaitForLoaders(jobs, true, timeoutMs);
    // Whatever still runs is abandoned: its result only reaches the job it shares with no tile now.
    std::vector<std::unique_ptr<HListboxItem>> items;
    items.swap(m_items);
    for (auto& tile : items) {
        tile->job.reset();
        if (tile->ownerData)
            FreeItem(tile->index, tile->ownerData);
    }
    items.clear();
    m_selected = -1;
    m_pressed = -1;
    m_offset = 0;
    m_layoutDirty = true;
    m_canvas->update();
}

int CHListbox::FindItem(const QString& key, bool flag)
{
    for (int i = 0; i < GetItemCount(); ++i) {
        if (FindQuery(i, key, flag))
            return i;
    }
    return -1;
}

// ---- layout and hit-testing ----------------------------------------------------------------------

int CHListbox::CanvasWidth() const
{
    return m_canvas->width();
}

QRect CHListbox::CanvasRect() const
{
    return m_canvas->rect();
}

bool CHListbox::CanvasFocused() const
{
    return m_canvas->hasFocus();
}

void CHListbox::Measure(HListboxItem& tile, int state)
{
    int width = 0;
    if (MeasureItem(tile, state, &width) && width > 0) {
        tile.width = width;
        if (state == kTileLoading)
            tile.measuredWidth = width;
    } else {
        tile.width = kDefaultTileWidth;
    }
}

int CHListbox::EnsureItemLoaded(HListboxItem& tile, bool start)
{
    if (tile.state == kTileNotLoaded && start)
        StartItemLoad(tile);
    Measure(tile, tile.state);
    return tile.state;
}

int CHListbox::TileWidth(HListboxItem& tile)
{
    if (m_flags & kHlbOwnerDrawn) {
        EnsureItemLoaded(tile, true);
        return tile.width;
    }
    if (m_flags & kHlbFixedWidth)
        return kDefaultTileWidth + 4;
    return fontMetrics().horizontalAdvance(tile.text) + 2 * 2;
}

void CHListbox::Layout()
{
    m_layoutDirty = false;
    const int canvasWidth = CanvasWidth();
    const int height = m_canvas->height();
    if (m_items.empty()) {
        m_leftMargin = 0;
        m_extent = canvasWidth;
        UpdateScrollBar();
        return;
    }
    for (auto& tile : m_items)
        tile->width = TileWidth(*tile);
    m_leftMargin = std::max(0, canvasWidth - m_items.front()->width - 1);
    int x = m_leftMargin;
    for (auto& tile : m_items) {
        tile->rect = QRect(x, 0, tile->width, height);
        x += tile->width + 1;
    }
    m_extent = x + std::max(0, canvasWidth - m_items.back()->width - 1);
    UpdateScrollBar();
}

int CHListbox::Extent()
{
    if (m_layoutDirty)
        Layout();
    return m_extent;
}

int CHListbox::LeadingMargin()
{
    if (m_layoutDirty)
        Layout();
    return m_leftMargin;
}

int CHListbox::MaxScrollOffset()
{
    return std::max(0, Extent() - CanvasWidth());
}

void CHListbox::UpdateScrollBar()
{
    const QSignalBlocker block(m_scrollBar);
    m_scrollBar->setRange(0, std::max(0, m_extent - CanvasWidth()));
    m_scrollBar->setPageStep(std::max(1, CanvasWidth()));
    m_scrollBar->setSingleStep(10);
    m_offset = std::clamp(m_offset, 0, m_scrollBar->maximum());
    m_scrollBar->setValue(m_offset);
}

void CHListbox::SetOffset(int offset)
{
    m_offset = std::clamp(offset, 0, MaxScrollOffset());
    const QSignalBlocker block(m_scrollBar);
    m_scrollBar->setValue(m_offset);
    m_canvas->update();
}

QRect CHListbox::GetItemRect(int index)
{
    HListboxItem* tile = GetItem(index);
    if (!tile)
        return {};
    if (m_layoutDirty)
        Layout();
    return tile->rect.translated(-m_offset, 0);
}

HListboxHit CHListbox::HitTest(int x, int y)
{
    HListboxHit hit;
    if (m_layoutDirty)
        Layout();
    if (y < 0 || y >= m_canvas->height()) {
        hit.code = 4;
        return hit;
    }
    const int px = x + m_offset;
    const int view = CanvasWidth();
    for (auto& tile : m_items) {
        const int left = tile->rect.left();
        const int right = left + tile->width; // the separator's column
        if (px < left || px > right)
            continue;
        hit.index = tile->index;
        hit.onSeparator = px == right;
        if (left <= m_offset && right >= m_offset + view)
            hit.code = 3;
        else if (left >= m_offset && right <= m_offset + view)
            hit.code = 0;
        else if (right <= m_offset || left >= m_offset + view)
            hit.code = 2;
        else
            hit.code = 1;
        return hit;
    }
    return hit;
}

// ---- selection and scrolling ---------------------------------------------------------------------

int CHListbox::SelectItem(int index, int /*flags*/)
{
    if (index < -1 || index >= GetItemCount())
        return -1;
    if (m_anim.active) {
        EndAnimation();
        m_deferred = Deferred{index, 9, 0};
        QMetaObject::invokeMethod(this, &CHListbox::PerformDeferredSelection, Qt::QueuedConnection);
        return index;
    }
    SelectNow(index, 9);
    return index;
}

void CHListbox::SelectNow(int index, int reason)
{
    const int old = m_selected;
    m_selected = index;
    m_canvas->update();
    if (index >= 0)
        ScrollToItem(index, reason);
    if (old != index)
        SelectionChanged(old, index);
}

void CHListbox::PerformDeferredSelection()
{
    if (!m_deferred)
        return;
    const Deferred request = *m_deferred;
    m_deferred.reset();
    if (request.step != 0)
        StepSelection(request.step);
    else if (request.index < GetItemCount())
        SelectNow(request.index, request.reason);
}

void CHListbox::StepSelection(int direction)
{
    if (m_anim.active) {
        // A step asked for while the view moves follows once it stands.
        EndAnimation();
        m_deferred = Deferred{-1, 0, direction};
        QMetaObject::invokeMethod(this, &CHListbox::PerformDeferredSelection, Qt::QueuedConnection);
        return;
    }
    const int count = GetItemCount();
    int i = m_selected;
    if (i < 0)
        i = direction < 0 ? count : -1;
    for (i += direction; i >= 0 && i < count; i += direction) {
        if (m_items[static_cast<size_t>(i)]->state == kTileLoaded) {
            SelectNow(i, direction < 0 ? 1 : 2);
            return;
        }
    }
}

void CHListbox::SetDefaultEasing(int kind, int durationMs)
{
    m_defaultEasing = kind;
    m_defaultDurationMs = durationMs;
}

void CHListbox::ScrollToItem(int index, int reason)
{
    HListboxScroll request;
    request.index = index;
    request.reason = reason;
    request.kind = 3;
    request.easing = m_defaultEasing;
    request.durationMs = m_defaultDurationMs;
    request.anchorX = m_anchorX < 0 ? CanvasWidth() / 2 : std::min(m_anchorX, CanvasWidth());
    if (ScrollRequest(request))
        return;
    Scroll(request);
}

void CHListbox::Scroll(HListboxScroll request)
{
    if (m_layoutDirty)
        Layout();
    const int view = CanvasWidth();
    const HListboxItem* tile = GetItem(request.index);
    const HListboxItem* other = GetItem(request.otherIndex);
    int target = m_offset;
    switch (request.kind) {
    case 1:
        if (tile)
            target = tile->rect.left();
        break;
    case 2:
        if (other)
            target = other->rect.left();
        break;
    case 3:
        if (tile)
            target = tile->rect.left() + tile->width / 2 - request.anchorX;
        break;
    case 4:
        if (tile)
            target = tile->rect.left() + tile->width - view;
        break;
    case 5:
        if (other)
            target = other->rect.left() + other->width - view;
        break;
    case 6:
        target = m_offset + request.distance;
        break;
    case 7:
        target = request.position;
        break;
    default:
        return;
    }
    target = std::clamp(target, 0, MaxScrollOffset());
    EndAnimation();
    if (!(m_flags & kHlbAnimatedScroll) || request.durationMs <= 0 || target == m_offset) {
        SetOffset(target);
        return;
    }
    m_anim = Animation{true, m_offset, target, FadeClock::Now(), request.durationMs, request.easing};
    m_animTimer.start();
}

double CHListbox::EaseFraction(int kind, double t, int durationMs, int defaultDurationMs)
{
    t = std::clamp(t, 0.0, 1.0);
    switch (kind) {
    case 1:
        return std::sin(t * std::numbers::pi / 2);
    case 2:
        return t;
    case 3: {
        const double hold = std::min(2 * (defaultDurationMs / 3), 100);
        const double elapsed = t * durationMs;
        if (elapsed <= hold || durationMs <= hold)
            return elapsed >= durationMs ? 1.0 : 0.0;
        return (elapsed - hold) / (durationMs - hold);
    }
    case 4:
        return 1 - (t - 1) * (t - 1);
    case 5:
        return 1 - std::pow(t - 1, 4);
    case 6:
        return t * t;
    case 7:
        return std::pow(t, 6);
    default:
        return (std::sin(t * std::numbers::pi - std::numbers::pi / 2) + 1) / 2;
    }
}

void CHListbox::AnimationStep()
{
    if (!m_anim.active)
        return;
    const double t = double(FadeClock::Now() - m_anim.start) / m_anim.durationMs;
    if (t >= 1.0) {
        EndAnimation();
        return;
    }
    double fraction = EaseFraction(m_anim.easing, t, m_anim.durationMs, m_defaultDurationMs);
    if (m_anim.easing == 8) {
        float owned = static_cast<float>(t);
        fraction = EasingCurve(m_anim.easing, &owned) ? owned : t;
    }
    SetOffset(m_anim.from + static_cast<int>(std::lround((m_anim.to - m_anim.from) * fraction)));
}

void CHListbox::EndAnimation()
{
    if (!m_anim.active)
        return;
    m_anim.active = false;
    m_animTimer.stop();
    SetOffset(m_anim.to);
}

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
    if (!text.isEmpty())
        TypedSearch(text);
}

// ---- painting ------------------------------------------------------------------------------------

void CHListbox::PaintCanvas(QPainter& painter, const QRect& area)
{
    if (m_layoutDirty)
        Layout();
    const QRect canvas = CanvasRect();
    painter.fillRect(canvas, Qt::white);
    const QColor workspace = palette().color(QPalette::Dark);
    if (m_items.empty()) {
        painter.fillRect(canvas, workspace);
        return;
    }
    const int firstLeft = m_items.front()->rect.left() - m_offset;
    if (firstLeft > 0) {
        painter.fillRect(QRect(0, 0, firstLeft, canvas.height()), workspace);
        painter.setPen(Qt::black);
        painter.drawLine(firstLeft - 1, 0, firstLeft - 1, canvas.height() - 1);
    }
    const int end = m_items.back()->rect.left() + m_items.back()->width + 1 - m_offset;
    if (end < canvas.width())
        painter.fillRect(QRect(end, 0, canvas.width() - end, canvas.height()), workspace);
    const QColor separator = CanvasFocused() ? QColor(Qt::black) : QColor(220, 220, 220);
    const QRect view(m_offset, 0, canvas.width(), canvas.height());
    for (auto& tile : m_items) {
        const QRect place = tile->rect.translated(-m_offset, 0);
        if (!tile->rect.intersects(view)) {
            if ((m_flags & kHlbOwnerDrawn) && (m_flags & kHlbUnloadInvisible) && tile->state == kTileLoaded &&
                !tile->offeredForUnload) {
                tile->offeredForUnload = true;
                if (MayUnload(*tile)) {
                    tile->state = kTileNotLoaded;
                    tile->loadOutput.clear();
                }
            }
            continue;
        }
        if (!place.adjusted(0, 0, 1, 0).intersects(area))
            continue;
        painter.save();
        painter.translate(place.topLeft());
        painter.setClipRect(QRect(0, 0, tile->width, place.height()));
        painter.fillRect(QRect(0, 0, tile->width, place.height()), Qt::white);
        PaintTile(painter, *tile);
        painter.restore();
        painter.setPen(separator);
        painter.drawLine(place.left() + tile->width, 0, place.left() + tile->width, place.height() - 1);
    }
}

void CHListbox::PaintTile(QPainter& painter, HListboxItem& tile)
{
    const QRect rect(0, 0, tile.width, m_canvas->height());
    if (!(m_flags & kHlbOwnerDrawn)) {
        PaintFallback(painter, tile, rect, tile.text);
        return;
    }
    if (tile.state == kTileNotLoaded) {
        const int width = tile.width;
        EnsureItemLoaded(tile, true);
        if (tile.width != width)
            m_layoutDirty = true;
    }
    HListboxDraw draw;
    draw.painter = &painter;
    draw.rect = rect;
    draw.controlId = m_controlId;
    draw.ownerValue = tile.ownerValue;
    const int shown = m_pressed >= 0 ? m_pressed : m_selected;
    draw.stateBits = (tile.state != kTileLoaded ? kDrawNotLoaded : 0) |
                     (tile.index == shown ? kDrawSelected : 0) | (CanvasFocused() ? kDrawFocused : 0);
    draw.loadState = tile.state;
    draw.ownerData = tile.ownerData;
    draw.index = tile.index;
    draw.insertTick = tile.insertTick;
    draw.loadTick = tile.loadTick;
    draw.item = &tile;
    DrawBackground(draw);
    if (DrawItem(draw))
        return;
    PaintFallback(painter, tile, rect, TileCaption(tile, FadeClock::Now()));
}

QString CHListbox::TileCaption(const HListboxItem& tile, qint64 now)
{
    if (tile.state == kTileLoading) {
        const qint64 elapsed = tile.loadTick ? std::max<qint64>(0, now - tile.loadTick) : 0;
        return QStringLiteral("loading") +
               QString(static_cast<int>((elapsed / 400) % 5 + 1), QLatin1Char('.'));
    }
    if (tile.state == kTileFailed)
        return QStringLiteral("ERROR");
    return tile.text;
}

void CHListbox::PaintFallback(QPainter& painter, const HListboxItem& tile, const QRect& rect,
                              const QString& text)
{
    const QPalette& colours = palette();
    const int shown = m_pressed >= 0 ? m_pressed : m_selected;
    const bool selected = tile.index == shown;
    QColor ink = colours.color(QPalette::Active, QPalette::WindowText);
    if (selected) {
        painter.fillRect(rect, colours.color(QPalette::Active, QPalette::Highlight));
        ink = colours.color(QPalette::Active, QPalette::HighlightedText);
    } else if (tile.state != kTileLoaded) {
        painter.fillRect(rect, colours.color(QPalette::Inactive, QPalette::Window));
        ink = colours.color(QPalette::Inactive, QPalette::WindowText);
    }
    int align = Qt::AlignVCenter;
    if (m_flags & kHlbTextTop)
        align = Qt::AlignTop;
    else if (m_flags & kHlbTextBottom)
        align = Qt::AlignBottom;
    if ((m_flags & kHlbFixedWidth) && (m_flags & kHlbTextRight))
        align |= Qt::AlignRight;
    else if (m_flags & kHlbOwnerDrawn)
        align |= Qt::AlignHCenter;
    else if (((m_flags & kHlbFixedWidth) && (m_flags & kHlbTextLeft)) || !(m_flags & kHlbFixedWidth))
        align |= Qt::AlignLeft;
    else
        align |= Qt::AlignHCenter;
    painter.setPen(ink);
    painter.drawText(rect.adjusted(2, 2, -2, -2), align, text);
    if (selected && CanvasFocused()) {
        QPen dotted(ink, 1, Qt::DotLine);
        painter.setPen(dotted);
        painter.drawRect(rect.adjusted(1, 1, -2, -2));
    }
}

// ---- events --------------------------------------------------------------------------------------

void CHListbox::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    ArrangeChildren();
}

void CHListbox::ArrangeChildren()
{
    const int buttonWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int barHeight = buttonWidth;
    const int canvasHeight = std::max(0, height() - barHeight);
    m_left->setGeometry(0, 0, buttonWidth, canvasHeight);
    m_right->setGeometry(width() - buttonWidth, 0, buttonWidth, canvasHeight);
    m_canvas->setGeometry(buttonWidth - 1, 0, std::max(0, width() - 2 * buttonWidth + 2), canvasHeight);
    m_scrollBar->setGeometry(0, canvasHeight, width(), barHeight);
    m_layoutDirty = true;
    Layout();
}

bool CHListbox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_canvas)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Paint: {
        QPainter painter(m_canvas);
        PaintCanvas(painter, static_cast<QPaintEvent*>(event)->rect());
        return true;
    }
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        m_canvas->update();
        return false;
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        m_canvas->setFocus(Qt::MouseFocusReason);
        const HListboxHit hit = HitTest(mouse->position().toPoint().x(), mouse->position().toPoint().y());
        if (hit.index >= 0) {
            m_pressed = hit.index;
            m_canvas->update();
        }
        // The pointer stays with the strip while the button is held.
        m_canvas->grabMouse();
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        m_canvas->releaseMouse();
        const int pressed = m_pressed;
        m_pressed = -1;
        m_canvas->update();
        if (pressed >= 0 && pressed != m_selected) {
            if (m_anim.active) {
                EndAnimation();
                m_deferred = Deferred{pressed, 3, 0};
                QMetaObject::invokeMethod(this, &CHListbox::PerformDeferredSelection, Qt::QueuedConnection);
            } else {
                SelectNow(pressed, 3);
            }
        }
        return true;
    }
    case QEvent::MouseButtonDblClick: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const HListboxHit hit = HitTest(mouse->position().toPoint().x(), mouse->position().toPoint().y());
        HListboxItem* tile = GetItem(m_selected);
        if (tile && hit.index == m_selected && tile->state == kTileLoaded)
            ItemActivated(m_selected);
        return true;
    }
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Left || key->key() == Qt::Key_Right) {
            StepSelection(key->key() == Qt::Key_Left ? -1 : 1);
            return true;
        }
        const QString text = key->text();
        if (!text.isEmpty() && text.at(0).isPrint()) {
            m_typed += text;
            m_searchTimer.start();
            return true;
        }
        return false;
    }
    case QEvent::ToolTip: {
        auto* help = static_cast<QHelpEvent*>(event);
        const HListboxHit hit = HitTest(help->pos().x(), help->pos().y());
        const QString text = hit.index >= 0 ? TooltipText(hit.index) : QString();
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, m_canvas, GetItemRect(hit.index), 5000);
        return true;
    }
    default:
        return false;
    }
}
