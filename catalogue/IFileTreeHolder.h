// What a catalogue tree asks and tells the window that holds it: vetoes, its menu, changes.
#pragma once

#include <QString>

class QTreeWidgetItem;

// Every answer defaults to that of a holder that does not care: no veto, no menu, nothing to do.
class IFileTreeHolder
{
public:
    // The context menu the holder wants: menu resource `menuId`, its popup `subMenu`.
    struct MenuRequest
    {
        unsigned menuId = 0;
        int subMenu = 0;
    };
    // One entry of that menu before it is added; the holder may change its text and states.
    struct MenuEntry
    {
        unsigned id = 0;
        QString text; // at most 1024 characters are shown
        bool enabled = true;
        bool checked = false;
    };

    virtual ~IFileTreeHolder() = default;

    // Before a delete: true forbids it; setting `noConfirmation` deletes without asking the user.
    virtual bool VetoDelete(QTreeWidgetItem* item, bool* noConfirmation)
    {
        (void)item;
        (void)noConfirmation;
        return false;
    }
    // The catalogue changed: after a delete, a rename, a drop and a rebuild by the watcher.
    virtual void CatalogueChanged() {}
    // The context menu is wanted: true with `request` filled shows one.
    virtual bool WantsMenu(MenuRequest& request)
    {
        (void)request;
        return false;
    }
    // An entry is about to be added: true leaves it out.
    virtual bool RemoveMenuEntry(MenuEntry& entry)
    {
        (void)entry;
        return false;
    }
    virtual void MenuShowing() {}
    virtual void MenuClosed() {}
    // A command of the menu or the keyboard that the tree did not handle itself (33287: a file was
    // double-clicked).
    virtual void TreeCommand(unsigned command) { (void)command; }
    // Told after the event (queued), with the item's path.
    virtual void ItemExpanded(const QString& path) { (void)path; }
    virtual void ItemCollapsed(const QString& path) { (void)path; }
};
