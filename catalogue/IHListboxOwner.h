// What a tile list asks of its owner; every answer defaults to "not handled".
#pragma once

#include "HListboxRecords.h"

#include <QPoint>
#include <QRect>

class IHListboxOwner
{
public:
    virtual ~IHListboxOwner() = default;

    // Sets *width and answers true to give the tile that width; otherwise it is 90 pixels.
    virtual bool MeasureItem(const HListboxItem& /*tile*/, int /*state*/, int* /*width*/) { return false; }
    // A tile loaded (1) or failed (4); with no tile: (3) the last loader succeeded, (2) none loads any more.
    virtual void ItemLoadChanged(const HListboxItem* /*tile*/, int /*state*/) {}
    virtual bool DrawBackground(HListboxDraw& /*draw*/) { return false; }
    // Answers true when it drew the tile; otherwise the list paints its own fallback.
    virtual bool DrawItem(HListboxDraw& /*draw*/) { return false; }
    // May change kind, easing and duration; true ends the list's own handling.
    virtual bool ScrollRequest(HListboxScroll& /*request*/) { return false; }
    // Easing kind 8: answers true after writing the fraction to use.
    virtual bool EasingCurve(int /*value*/, float* /*fraction*/) { return false; }
    virtual void SelectionChanged(int /*oldIndex*/, int /*newIndex*/) {}
    virtual void ItemActivated(int /*index*/) {}
    // Answers false when the tile needs no loading.
    virtual bool MayLoad(const HListboxItem& /*tile*/) { return false; }
    // Answers true to let an invisible tile drop what it loaded.
    virtual bool MayUnload(const HListboxItem& /*tile*/) { return false; }
    // What the tile's loader reads, copied for the worker thread.
    virtual QVariant LoadInput(const HListboxItem& /*tile*/) { return {}; }
    virtual void TypedSearch(const QString& /*text*/) {}
    // The typed search ended (Esc, or the strip lost the focus after a search).
    virtual void EndTypedSearch() {}
    virtual void FreeItem(int /*index*/, void* /*ownerData*/) {}
    // Answers true when the tile matches the key.
    virtual bool FindQuery(int /*index*/, const QString& /*key*/, bool /*flag*/) { return false; }
    virtual QString TooltipText(int /*index*/) { return {}; }
    // Answers true to drag the pressed tile instead of selecting it; moves and the release follow.
    virtual bool BeginDrag(const HListboxDrag& /*drag*/) { return false; }
    virtual void DragMove(const HListboxDrag& /*drag*/) {}
    virtual void EndDrag(const HListboxDrag& /*drag*/) {}
    // The pointer rested on a tile (hover) or moved onto it (pointer): answer true when the point lies in
    // the tile's active area and write that area (canvas coordinates) to *area; the matching "left" comes
    // when the pointer leaves it.
    virtual bool HoverAreaEntered(int /*index*/, const QPoint& /*point*/, QRect* /*area*/) { return false; }
    virtual void HoverAreaLeft(int /*index*/) {}
    virtual bool PointerAreaEntered(int /*index*/, const QPoint& /*point*/, QRect* /*area*/) { return false; }
    virtual void PointerAreaLeft(int /*index*/) {}
    // A command sent to the strip's canvas that the strip does not handle (a context-menu entry, ...).
    virtual void CanvasCommand(int /*id*/) {}
    // The tile under the pointer is selected first.
    virtual void ContextMenu(int /*index*/, const QPoint& /*globalPos*/) {}
};
