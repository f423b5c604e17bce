// What a catalogue adapter tells the window that shows its strip; every notification defaults to nothing.
#pragma once

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
};
