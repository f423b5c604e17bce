// The records the tile list hands to its owner: a tile, a drawing request, a scroll request, a load.
#pragma once

#include <QRect>
#include <QString>
#include <QVariant>
#include <QtGlobal>

#include <memory>

class QPainter;
struct HListboxLoadJob;

// Load states of a tile.
enum HListboxLoadState
{
    kTileNotLoaded = 0,
    kTileLoaded = 1,
    kTileLoading = 2,
    kTileFailed = 4,
};

// Style flags of a tile list.
enum HListboxStyle
{
    kHlbOwnerDrawn = 0x1,
    kHlbAnimatedScroll = 0x2,
    kHlbFixedWidth = 0x4,
    kHlbTextLeft = 0x8,
    kHlbTextRight = 0x10,
    kHlbTextTop = 0x40,
    kHlbTextBottom = 0x80,
    kHlbUnloadInvisible = 0x200,
};

// One tile. Only the window's thread reads or writes it; a loader sees copies of what it needs.
struct HListboxItem
{
    QString text;
    int controlId = 0;
    void* ownerData = nullptr;
    qintptr ownerValue = 0;
    int width = 0;
    int index = 0;
    int state = kTileNotLoaded;
    QRect rect; // in canvas coordinates, before the scroll offset
    qint64 insertTick = 0;
    qint64 loadTick = 0;
    int measuredWidth = 0;
    bool offeredForUnload = false;
    // What the last loader of this tile produced, handed over on the window's thread.
    QVariant loadOutput;
    std::shared_ptr<HListboxLoadJob> job;
};

// What a loader gets: everything by value, nothing that points into the list or its owner.
struct HListboxLoadRequest
{
    int controlId = 0;
    qintptr ownerValue = 0;
    int index = 0;
    quint64 generation = 0;
    QVariant input;
};

// Tile state bits in a drawing request.
enum HListboxDrawBits
{
    kDrawSelected = 0x1,
    kDrawNotLoaded = 0x4,
    kDrawFocused = 0x10,
};

struct HListboxDraw
{
    QPainter* painter = nullptr;
    QRect rect; // the tile, at (0, 0)
    int controlId = 0;
    qintptr ownerValue = 0;
    int stateBits = 0;
    int loadState = 0;
    void* ownerData = nullptr;
    int index = 0;
    qint64 insertTick = 0;
    qint64 loadTick = 0;
    const HListboxItem* item = nullptr;
};

// Scroll kinds and easing curves of a scroll request.
struct HListboxScroll
{
    int index = -1; // the tile to show
    int reason = 0; // 1 left, 2 right, 3 click, 7 pressed neighbour, 9 selection, 10 thumb released
    int kind = 3;   // 1..7, any other does not move
    int otherIndex = -1;
    int distance = 0;
    int position = 0;
    int anchorX = 0;
    int easing = 0;
    int durationMs = 350;
};

// Where a pointer or a position lies on the strip.
struct HListboxHit
{
    int index = -1;
    int code = -1; // 0 fully visible, 1 partly, 2 not visible, 3 covers the canvas, 4 outside its height
    bool onSeparator = false;
};

// A tile being dragged out of the strip.
struct HListboxDrag
{
    int index = -1;
    QPoint pos;       // on the canvas
    QPoint globalPos; // on the screen
};
