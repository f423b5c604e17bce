// What the main window's ribbon holds: its groups and controls in order with kind, look and icon, the
// view group added while the divided view shows, and the icons they need.
#pragma once

#include "platform/ribbon/KeyBindings.h"
#include "platform/ribbon/RibbonControlSpec.h"
#include "platform/ribbon/RibbonCustomizeSheet.h"

#include <QList>
#include <QStringList>

class CQORRibbonBar;
class MenuResource;
class QMenu;

class MainRibbonLayout
{
public:
    struct Group
    {
        int id;
        QList<RibbonControlSpec> controls;
    };

    static constexpr int kSystemButton = 128;
    static constexpr int kSystemIcon = 742;
    static constexpr int kTabCaption = 106;
    static constexpr int kViewGroup = 118;
    // The ribbon tab that holds the view group: the one the layout builds.
    static constexpr int kViewGroupTab = 0;
    static constexpr int kOptionsPopup = 802;
    static constexpr int kPercentCombo = 130;
    static constexpr int kPrintSplit = 33095;
    static constexpr int kPrintSetup = 0xE106;
    static constexpr int kCustomize = 9607;
    static constexpr int kHelp = 633;

    // The groups of the tab, controls by id, kind, style and icon bitmap (no texts).
    static QList<Group> TabGroups();
    // The view group 118.
    static Group ViewGroup();
    // The tab-row controls: the options popup 802 and help 633.
    static QList<RibbonControlSpec> TabRowControls();
    // The entries of the percentage combo 130, and the percentage of each entry (0 for "n/a").
    static QStringList PercentEntries();
    static int PercentOfEntry(int entry);
    // The entry that shows a stored percentage; 0 ("n/a") for a value without an entry.
    static int EntryOfPercent(int percent);

    // Registers every icon the ribbon and its menus show with the image manager.
    static void LoadIcons();
    // `spec` with caption, tooltip title and text from the string of its id (the three-part rule) and
    // its icon from the image manager.
    static RibbonControlSpec Describe(RibbonControlSpec spec);

    // Builds the tab: system button with popup 0 of `menu`, groups, the print popup, the combo's entries
    // and the tab-row controls (the options popup is popup 1 of `menu`). False when `menu` lacks them.
    static bool Build(CQORRibbonBar* ribbon, const MenuResource& menu);
    // Group 118 at the tab's end unless it is there; removing it. Both answer whether the ribbon changed.
    static bool AddViewGroup(CQORRibbonBar* ribbon);
    static bool RemoveViewGroup(CQORRibbonBar* ribbon);

    // The categories of the customise sheet: each popup of `menu` with its items, then the tab's groups
    // (the view group among them) with their commands; a group named like a popup adds to it. Help on
    // the tab row goes with the second popup, the options beside it. Combos, pure popups, the recent
    // files' heading and the language items are no commands one can place or bind.
    static QList<RibbonCustomizeSheet::Category> CustomizeCategories(const MenuResource& menu);
    // How a command looks outside its group: kind, look and icon of its ribbon control (a split button
    // as a plain one), else a plain button with the icon of its id; with texts and icon.
    static RibbonControlSpec CommandLook(int id);
    // The program's keys: the shortcuts of the items of `menu`, and F1 for help.
    static QList<KeyBindings::Binding> DefaultKeys(const MenuResource& menu);

    // The options popup of the tab row, once built.
    static QMenu* OptionsPopup(CQORRibbonBar* ribbon);
};
