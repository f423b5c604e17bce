// Menus of the language module: a small text format read into a tree, turned into QMenus whose items
// carry their command ids.
//
// Format of "menus/<id>.menu", one entry a line, blanks around words ignored, "#" starts a comment:
//   popup <caption id>     opens a sub-menu, closed by "end"; the menu's top level holds popups only
//   item <command id> [shortcut]   an item captioned by the string of its command id (the string's
//                          last line, so a three-part command string gives its caption); the shortcut
//                          in Qt's portable form, e.g. Ctrl+O
//   separator
//   end
#pragma once

#include <QByteArray>
#include <QKeySequence>
#include <QList>
#include <QString>

#include <optional>

class QAction;
class QMenu;
class QWidget;

class MenuResource
{
public:
    struct Item
    {
        enum Kind
        {
            ITEM,
            SEPARATOR,
            POPUP,
        };
        Kind kind = ITEM;
        int id = 0; // the command id of an item, the caption's string id of a popup
        QKeySequence shortcut;
        QList<Item> children;
    };

    // Reads the format; on an error answers nothing and sets `error` to the line and what is wrong.
    static std::optional<MenuResource> Parse(const QByteArray& text, QString* error);
    // Menu `id` of the current language module; nothing (and a message) when it is missing or faulty.
    static std::optional<MenuResource> Load(quint32 id, QString* error);

    // The top-level popups.
    const QList<Item>& Popups() const { return m_popups; }

    // A new menu of popup `index` (null when there is none), titled by its caption string, parented to
    // `parent`.
    QMenu* BuildPopup(int index, QWidget* parent) const;
    // Titles `menu` by popup `index` and appends its items; false when there is no such popup.
    bool FillPopup(int index, QMenu* menu) const;
    // Appends items to `menu`: each item an action whose data is its command id, sub-menus as menus.
    static void Fill(QMenu* menu, const QList<Item>& items);

    // The caption of a command id: the last line of its string; "#<id>" when there is no string.
    static QString Caption(int id);
    // The command id an action carries; 0 for none.
    static int CommandOf(const QAction* action);

private:
    QList<Item> m_popups;
};
