// A horizontal strip of tiles that asks its owner what to show and loads tile content off the window's
// thread.
#include "CHListbox.h"

#include "HListboxLoadJob.h"
#include "StripButton.h"
#include "ui/FadeClock.h"

#include <QAbstractButton>
#include <QScrollBar>

#include <algorithm>

CHListbox::CHListbox(QWidget* parent) : QWidget(parent), m_link(std::make_shared<HListboxLoaderLink>())
{
    m_link->list = this;
    m_canvas = new QWidget(this);
    m_canvas->setObjectName(QStringLiteral("CanvasWnd"));
    m_canvas->setFocusPolicy(Qt::StrongFocus);
    m_canvas->setAttribute(Qt::WA_OpaquePaintEvent);
    m_canvas->setMouseTracking(true);
    m_canvas->installEventFilter(this);
    m_left = CreateStripButton(QStringLiteral("<"), kLeftButtonId, this);
    m_right = CreateStripButton(QStringLiteral(">"), kRightButtonId, this);
    m_scrollBar = new QScrollBar(Qt::Horizontal, this);
    m_scrollBar->setEnabled(false);
    m_scrollBar->setRange(0, 0);
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
    m_clickTimer.setSingleShot(true);
    connect(&m_clickTimer, &QTimer::timeout, this, &CHListbox::OnClickHoldTimer);
    m_hoverTimer.setSingleShot(true);
    m_hoverTimer.setInterval(400);
    connect(&m_hoverTimer, &QTimer::timeout, this, &CHListbox::OnHoverTimer);
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
void CHListbox::EndTypedSearch()
{
    if (m_owner)
        m_owner->EndTypedSearch();
}
void CHListbox::CanvasCommand(int id)
{
    if (m_owner)
        m_owner->CanvasCommand(id);
}
bool CHListbox::HoverAreaEntered(int index, const QPoint& point, QRect* area)
{
    return m_owner && m_owner->HoverAreaEntered(index, point, area);
}
void CHListbox::HoverAreaLeft(int index)
{
    if (m_owner)
        m_owner->HoverAreaLeft(index);
}
bool CHListbox::PointerAreaEntered(int index, const QPoint& point, QRect* area)
{
    return m_owner && m_owner->PointerAreaEntered(index, point, area);
}
void CHListbox::PointerAreaLeft(int index)
{
    if (m_owner)
        m_owner->PointerAreaLeft(index);
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

bool CHListbox::BeginDrag(const HListboxDrag& drag)
{
    return m_owner && m_owner->BeginDrag(drag);
}
void CHListbox::DragMove(const HListboxDrag& drag)
{
    if (m_owner)
        m_owner->DragMove(drag);
}
void CHListbox::EndDrag(const HListboxDrag& drag)
{
    if (m_owner)
        m_owner->EndDrag(drag);
}
void CHListbox::ContextMenu(int index, const QPoint& globalPos)
{
    if (m_owner)
        m_owner->ContextMenu(index, globalPos);
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
    // Indexes after the deleted tile move down by one; one that named it is dropped.
    for (int* held : {&m_pressed, &m_pendingClickScroll, &m_hoverArea.index, &m_pointerArea.index}) {
        if (*held == index)
            *held = -1;
        else if (*held > index)
            --*held;
    }
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
    m_clickTimer.stop();
    m_hoverTimer.stop();
    m_pendingClickScroll = -1;
    m_hoverArea = {};
    m_pointerArea = {};
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
    if (m_tilesToEdges && !m_anim.active)
        m_offset = ClampToTiles(m_offset);
    UpdateScrollBar();
}

int CHListbox::ClampToTiles(int offset) const
{
    // While the tiles are wider than the canvas, the first keeps to the left edge and the last to the
    // right edge; else they stand from the left edge.
    const int view = CanvasWidth(), maxOffset = std::max(0, m_extent - view);
    if (m_items.empty())
        return std::clamp(offset, 0, maxOffset);
    const HListboxItem& last = *m_items.back();
    const int lo = std::min(m_items.front()->rect.left(), maxOffset);
    const int hi = std::max(lo, std::min(last.rect.left() + last.width + 1 - view, maxOffset));
    return std::clamp(offset, lo, hi);
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
