// Helpers of the tile strip tests: an owner that records what it is told, a gate that holds loaders.
#pragma once

#include "catalogue/CHListbox.h"

#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// Holds the loaders that pass through it until it is opened. No wait lasts longer than kLimit, so a test
// that never opens the gate, or waits for loaders that never start, fails instead of hanging.
class Gate
{
public:
    static constexpr std::chrono::seconds kLimit{60};

    void Wait();
    void Open();
    // Loaders waiting now.
    int Waiting();
    // Blocks the calling thread until n loaders wait; false when they did not within kLimit.
    [[nodiscard]] bool AwaitWaiting(int n);

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_open = false;
    int m_waiting = 0;
};

// An owner with settable answers that records every notification.
class RecordingOwner : public IHListboxOwner
{
public:
    struct LoadNote
    {
        int index; // -1 without a tile
        int state;
        QVariant output;
    };

    std::map<int, int> widths; // owner value -> width it answers
    bool mayLoad = true;
    bool mayUnload = false;
    int matchIndex = -1;
    bool easingGiven = false;
    float easingFraction = 0;
    std::vector<LoadNote> loads;
    std::vector<std::pair<int, void*>> freed;
    std::vector<std::pair<int, int>> selections;
    std::vector<int> unloadOffers;
    std::vector<QString> searches;
    std::vector<int> activated;
    bool dragTiles = false;
    std::vector<std::pair<char, int>> drags; // 'b'egin, 'm'ove, 'e'nd with the tile
    std::vector<int> menus;
    int endedSearches = 0;
    std::vector<int> commands;
    std::map<int, QString> tooltips; // tile -> its tooltip text
    // Active areas the owner answers for hover and pointer, canvas coordinates, by tile.
    std::map<int, QRect> areas;
    std::vector<std::pair<char, int>> areaNotes; // 'H'over entered, 'h' left, 'P'ointer entered, 'p' left

    bool MeasureItem(const HListboxItem& tile, int state, int* width) override;
    void ItemLoadChanged(const HListboxItem* tile, int state) override;
    bool EasingCurve(int value, float* fraction) override;
    void SelectionChanged(int oldIndex, int newIndex) override;
    bool MayLoad(const HListboxItem& tile) override;
    bool MayUnload(const HListboxItem& tile) override;
    QVariant LoadInput(const HListboxItem& tile) override;
    void TypedSearch(const QString& text) override;
    void FreeItem(int index, void* ownerData) override;
    bool FindQuery(int index, const QString& key, bool flag) override;
    void ItemActivated(int index) override { activated.push_back(index); }
    bool BeginDrag(const HListboxDrag& drag) override
    {
        drags.emplace_back('b', drag.index);
        return dragTiles;
    }
    void DragMove(const HListboxDrag& drag) override { drags.emplace_back('m', drag.index); }
    void EndDrag(const HListboxDrag& drag) override { drags.emplace_back('e', drag.index); }
    void ContextMenu(int index, const QPoint&) override { menus.push_back(index); }
    void EndTypedSearch() override { ++endedSearches; }
    void CanvasCommand(int id) override { commands.push_back(id); }
    QString TooltipText(int index) override
    {
        const auto it = tooltips.find(index);
        return it == tooltips.end() ? QString() : it->second;
    }
    bool HoverAreaEntered(int index, const QPoint& point, QRect* area) override
    {
        return AreaEntered('H', index, point, area);
    }
    void HoverAreaLeft(int index) override { areaNotes.emplace_back('h', index); }
    bool PointerAreaEntered(int index, const QPoint& point, QRect* area) override
    {
        return AreaEntered('P', index, point, area);
    }
    void PointerAreaLeft(int index) override { areaNotes.emplace_back('p', index); }

private:
    bool AreaEntered(char kind, int index, const QPoint& point, QRect* area)
    {
        const auto it = areas.find(index);
        if (it == areas.end() || !it->second.contains(point))
            return false;
        *area = it->second;
        areaNotes.emplace_back(kind, index);
        return true;
    }
};

// A strip in a window of its own, 420 x 130 pixels.
struct StripWindow
{
    explicit StripWindow(int flags, IHListboxOwner* owner = nullptr);
    ~StripWindow();
    std::unique_ptr<QWidget> window;
    CHListbox* list = nullptr;
    int CanvasWidth() const;
};

// Lets every loader end and delivers what they posted.
void DrainLoaders();

// A thread that opens the gate once some strip waits for its loaders, or after Gate::kLimit.
std::thread OpenGateWhenAStripWaits(Gate& gate);
