// What a catalogue adapter tells the window that shows its strip; every notification defaults to nothing.
#pragma once

#include "model/files/CHlbCatalogue.h"

#include <QPoint>
#include <QString>

struct sHLBItemData;

class IHlbAdapterOwner
{
public:
    virtual ~IHlbAdapterOwner() = default;

    // A typed search ended on `text`; `found` tells whether an entry matched.
    virtual void TypedSearchResult(const QString& /*text*/, bool /*found*/) {}
    virtual void SearchCleared() {}
    virtual void SelectionChanged(const sHLBItemData* /*entry*/) {}
    virtual void ViewModeChanged(int /*mode*/) {}
    virtual void ListRefilled() {}
    virtual void EntryActivated(const sHLBItemData* /*entry*/) {}
    // A tile is dragged out of the strip: answering true takes the drag, whose moves and release follow
    // as screen points.
    virtual bool TileDragStart(const CHlbCatalogue::Entry& /*entry*/, QPoint /*global*/) { return false; }
    virtual void TileDragMove(QPoint /*global*/) {}
    virtual void TileDragEnd(QPoint /*global*/) {}
};
