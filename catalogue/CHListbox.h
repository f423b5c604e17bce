// A horizontal strip of tiles that asks its owner what to show and loads tile content off the window's
// thread.
#pragma once

#include "CFifoQueue.h"
#include "HListboxRecords.h"
#include "IHListboxOwner.h"

#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QAbstractButton;
class QPainter;
class QScrollBar;
struct HListboxLoaderLink;

class CHListbox : public QWidget
{
    Q_OBJECT
public:
    // Runs on a worker thread: reads only the request, writes only *output; false means failed.
    using ItemLoader = std::function<bool(const HListboxLoadRequest& request, QVariant* output)>;

    static constexpr int kDefaultTileWidth = 90;
    static constexpr int kDefaultScrollMs = 350;
    static constexpr int kQueueId = 444;
    static constexpr int kQueueCapacity = 6;
    static constexpr int kWaitNested = 259;
    static constexpr int kWaitTimedOut = 258;
    // Child ids of the "<" and ">" buttons, whose commands step the selection.
    static constexpr int kLeftButtonId = 0;
    static constexpr int kRightButtonId = 1;

    explicit CHListbox(QWidget* parent = nullptr);
    ~CHListbox() override;

    // Places the strip into parent at rect with the given style flags (HListboxStyle) and control id.
    bool Create(int flags, const QRect& rect, QWidget* parent, int controlId);
    void SetOwner(IHListboxOwner* owner) { m_owner = owner; }
    void SetItemLoader(ItemLoader loader) { m_loader = std::move(loader); }
    // How long deleting one loading tile waits for its loader before abandoning it.
    void SetDeleteWaitMs(int ms) { m_deleteWaitMs = ms; }
    // How long destroying the strip waits for running loaders before abandoning them.
    void SetDestroyWaitMs(int ms) { m_destroyWaitMs = ms; }

    int Flags() const { return m_flags; }
    int ControlId() const { return m_controlId; }

    int AddItem(const QString& text, void* ownerData, qintptr ownerValue, int width = 0);
    // Remaining count, or -1 for an index out of range.
    int DeleteItem(int index);
    // Waits up to timeoutMs for running loaders (without dispatching anything), then abandons them.
    void DeleteAllItems(int timeoutMs);
    // Selects index (-1 for none); -1 for an index out of range. During an animated scroll the
    // selection is carried out later from the event loop.
    int SelectItem(int index, int flags = 0);
    int GetCurSel() const { return m_selected; }
    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    HListboxItem* GetItem(int index);
    // The tile's rectangle on the canvas (scroll offset subtracted); empty for a bad index.
    QRect GetItemRect(int index);
    HListboxHit HitTest(int x, int y);
    // First tile the owner says matches the key, or -1.
    int FindItem(const QString& key, bool flag = false);

    // Moves the view as the request says, at once or animated.
    void ScrollToItem(int index, int reason);
    void Scroll(HListboxScroll request);
    int ScrollOffset() const { return m_offset; }
    int MaxScrollOffset();
    int Extent();
    int LeadingMargin();
    void SetAnchorX(int x) { m_anchorX = x; }
    // Scrolling keeps the tiles against the edges: no blank margin shows beside them while they could
    // fill the canvas (the margins otherwise let the first and the last tile reach any place).
    void SetTilesToEdges(bool on) { m_tilesToEdges = on; }
    void SetDefaultEasing(int kind, int durationMs);

    bool IsAnimating() const { return m_anim.active; }
    // One step of the running animation; the last lands exactly on the target.
    void AnimationStep();
    // Ends the running animation on its target.
    void EndAnimation();
    // The fraction of the distance covered after fraction t of the time, for easing kinds 0..7.
    // The text the strip shows on a tile its owner does not draw: "loading" with 1 to 5 dots, "ERROR".
    static QString TileCaption(const HListboxItem& tile, qint64 now);
    static double EaseFraction(int kind, double t, int durationMs, int defaultDurationMs);

    // Moves the selection to the previous (-1) or next (+1) loaded tile.
    void StepSelection(int direction);

    // Timer handlers, callable directly.
    void OnLoadingTimer();
    void OnUnloadTimer();
    void OnTypedSearchTimer();
    // The double-click time after a click has passed: the click's pending scroll runs.
    void OnClickHoldTimer();
    // The pointer rested: the tile under it is asked for its hover area.
    void OnHoverTimer();
    // The tile whose scroll waits for the double-click time, -1 for none.
    int PendingClickScroll() const { return m_pendingClickScroll; }
    // Pointer-area notifications on pointer moves (on by default).
    void SetAreaTracking(bool on) { m_areaTracking = on; }
    int HoverAreaIndex() const { return m_hoverArea.index; }
    int PointerAreaIndex() const { return m_pointerArea.index; }
    void PerformDeferredSelection();
    // A loader ended; runs on the window's thread. A generation no tile waits for any more changes nothing.
    void OnLoaderFinished(quint64 generation);
    bool HasDeferredSelection() const { return m_deferred.has_value(); }
    QString TypedText() const { return m_typed; }
    bool LoadingTimerActive() const { return m_loadingTimer.isActive(); }

    // Waits for loaders of this list: all (answers 0) or one (answers its position); 258 after the
    // time-out; 259 at once when some wait is already running anywhere in the program.
    int WaitForLoaders(const std::vector<std::shared_ptr<HListboxLoadJob>>& jobs, bool waitAll,
                       int timeoutMs);
    static bool IsWaitingForLoaders();
    // Waits until the worker threads of every strip are idle; true when they are.
    static bool WaitForLoaderPool(int timeoutMs);
    // Lets the worker threads of every strip run at least count loaders at the same time (the pool
    // starts with one thread per core, two at least).
    static void ReserveLoaderThreads(int count);

    CFifoQueue& Queue() { return m_queue; }
    QWidget* Canvas() const { return m_canvas; }
    QScrollBar* ScrollBar() const { return m_scrollBar; }
    QAbstractButton* LeftButton() const { return m_left; }
    QAbstractButton* RightButton() const { return m_right; }

    void PaintCanvas(QPainter& painter, const QRect& area);
    // Lays the tiles out now, starting the loaders of tiles not loaded; painting does it when needed.
    void Layout();
    // `offset` kept so that the tiles stand against the canvas's edges (see SetTilesToEdges).
    int ClampToTiles(int offset) const;

protected:
    // Notifications; each asks the owner unless a subclass answers.
    virtual bool MeasureItem(const HListboxItem& tile, int state, int* width);
    virtual void ItemLoadChanged(const HListboxItem* tile, int state);
    virtual bool DrawBackground(HListboxDraw& draw);
    virtual bool DrawItem(HListboxDraw& draw);
    virtual bool ScrollRequest(HListboxScroll& request);
    virtual bool EasingCurve(int value, float* fraction);
    virtual void SelectionChanged(int oldIndex, int newIndex);
    virtual void ItemActivated(int index);
    virtual bool MayLoad(const HListboxItem& tile);
    virtual bool MayUnload(const HListboxItem& tile);
    virtual QVariant LoadInput(const HListboxItem& tile);
    virtual void TypedSearch(const QString& text);
    virtual void EndTypedSearch();
    virtual void CanvasCommand(int id);
    virtual bool HoverAreaEntered(int index, const QPoint& point, QRect* area);
    virtual void HoverAreaLeft(int index);
    virtual bool PointerAreaEntered(int index, const QPoint& point, QRect* area);
    virtual void PointerAreaLeft(int index);
    virtual void FreeItem(int index, void* ownerData);
    virtual bool FindQuery(int index, const QString& key, bool flag);
    virtual QString TooltipText(int index);
    virtual bool BeginDrag(const HListboxDrag& drag);
    virtual void DragMove(const HListboxDrag& drag);
    virtual void EndDrag(const HListboxDrag& drag);
    virtual void ContextMenu(int index, const QPoint& globalPos);

    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int TileWidth(HListboxItem& tile);
    int EnsureItemLoaded(HListboxItem& tile, bool start);
    void Measure(HListboxItem& tile, int state);
    void StartItemLoad(HListboxItem& tile);
    void StopItemLoader(HListboxItem& tile, int waitMs);
    bool AnyLoading() const;
    void MarkLoaded(HListboxItem& tile);
    void SelectNow(int index, int reason);
    void SetOffset(int offset);
    bool MouseEvent(QEvent* event);
    // Pointer moves: leaves and enters the owner's hover and pointer areas.
    void TrackAreas(const QPoint& pos);
    void LeaveAreas();
    void EndSearchIfTyped();
    void UpdateScrollBar();
    void PaintTile(QPainter& painter, HListboxItem& tile);
    void PaintFallback(QPainter& painter, const HListboxItem& tile, const QRect& rect, const QString& text);
    // Canvas between the buttons, scroll bar across the bottom.
    void ArrangeChildren();
    QRect CanvasRect() const;
    int CanvasWidth() const;
    // A held button moved far enough from the press, upwards, downwards or out of the strip, to drag the
    // tile.
    bool DragWanted(const QPoint& pos) const;
    bool CanvasFocused() const;

    IHListboxOwner* m_owner = nullptr;
    ItemLoader m_loader;
    std::shared_ptr<HListboxLoaderLink> m_link;
    std::vector<std::unique_ptr<HListboxItem>> m_items;
    int m_flags = 0;
    int m_controlId = 0;
    int m_selected = -1;
    int m_pressed = -1;
    QPoint m_pressPos; // where the button went down on the pressed tile (canvas)
    bool m_dragging = false;
    int m_offset = 0;
    int m_leftMargin = 0;
    // Set by an owner whose strip shows no blank beside its tiles where tiles could stand.
    bool m_tilesToEdges = false;
    int m_extent = 0;
    int m_anchorX = -1;
    int m_defaultEasing = 0;
    int m_defaultDurationMs = kDefaultScrollMs;
    int m_deleteWaitMs = 5000;
    int m_destroyWaitMs = 2000;
    bool m_layoutDirty = true;
    QString m_typed;
    bool m_searchRan = false; // a typed search went to the owner and has not ended
    int m_pendingClickScroll = -1;
    bool m_clickReady = true;
    bool m_areaTracking = true;
    struct Area
    {
        int index = -1;
        QRect rect;
    };
    Area m_hoverArea;
    Area m_pointerArea;
    QPoint m_lastPointer;

    struct Animation
    {
        bool active = false;
        int from = 0;
        int to = 0;
        qint64 start = 0;
        int durationMs = 0;
        int easing = 0;
    };
    Animation m_anim;
    struct Deferred
    {
        int index = -1;
        int reason = 9;
        int step = 0;
    };
    std::optional<Deferred> m_deferred;

    QWidget* m_canvas = nullptr;
    QScrollBar* m_scrollBar = nullptr;
    QAbstractButton* m_left = nullptr;
    QAbstractButton* m_right = nullptr;
    QTimer m_loadingTimer;
    QTimer m_unloadTimer;
    QTimer m_searchTimer;
    QTimer m_animTimer;
    QTimer m_clickTimer;
    QTimer m_hoverTimer;
    CFifoQueue m_queue;
};
