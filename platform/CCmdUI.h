// One update query of a command: the handlers of the command answer it with enable, check and text.
#pragma once

#include <QString>

class QAction;
class QMenu;
class QWidget;

// The query is bound either to an item of a menu (by position) or to a control window. The default
// answers change that item or window at once.
class CCmdUI
{
public:
    CCmdUI() = default;
    virtual ~CCmdUI() = default;
    CCmdUI(const CCmdUI&) = delete;
    CCmdUI& operator=(const CCmdUI&) = delete;

    // Enables or disables (greys) the item or window. A window that loses its enabled state while it
    // has the keyboard focus passes the focus on to the next control first.
    virtual void Enable(bool on = true);
    // 0 unchecked, 1 checked, 2 indeterminate (shown as checked where the control knows no third state).
    // Only menu items and buttons carry a check mark; other windows are left alone.
    virtual void SetCheck(int state = 1);
    virtual void SetRadio(bool on = true);
    // The caption of the menu item or the text of the window.
    virtual void SetText(const QString& text);

    unsigned m_nID = 0;            // the command id
    unsigned m_nIndex = 0;         // position of the item in m_pMenu
    unsigned m_nIndexMax = 0;      // number of items of m_pMenu
    QMenu* m_pMenu = nullptr;      // the menu of the item, or null
    QMenu* m_pSubMenu = nullptr;   // the item's sub-menu when the item opens one
    QWidget* m_pOther = nullptr;   // the control window, or null
    bool m_bEnableChanged = false; // set by every Enable

protected:
    // The menu item the query is bound to; null (with a warning) when the index lies beyond the menu.
    QAction* MenuItem() const;
    // The default answers, for adapters that apply them later.
    void EnableNow(bool on);
    void SetCheckNow(int state);
};
