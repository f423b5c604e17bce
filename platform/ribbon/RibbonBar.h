// A ribbon on Qt widgets: a tab row with the system button, the tab and controls on its right, and
// below it the captioned groups of the tab. Groups can be added and removed while it runs.
#pragma once

#include "platform/ribbon/RibbonControlSpec.h"

#include <QByteArray>
#include <QList>
#include <QWidget>

class QHBoxLayout;
class QMenu;
class QTabBar;
class QToolButton;
class RibbonGroup;
class RibbonToolTip;

class RibbonBar : public QWidget
{
    Q_OBJECT
public:
    struct ControlRef
    {
        RibbonControlSpec spec;
        QWidget* widget = nullptr;
    };

    explicit RibbonBar(QWidget* parent = nullptr);

    // The system button at the row's left: `popup` opens on a click (the ribbon does not own it).
    QToolButton* SetSystemButton(int id, const QIcon& icon, QMenu* popup);
    QToolButton* SystemButton() const { return m_system; }

    // The tab row: tab captions and the controls on the row's right.
    int AddTab(const QString& caption);
    QTabBar* Tabs() const { return m_tabs; }
    QWidget* AddTabRowControl(const RibbonControlSpec& spec, QMenu* popup = nullptr);

    // Groups of the tab, in order; a group id is there at most once (adding it again answers the
    // group there).
    RibbonGroup* AddGroup(int id, const QString& caption);
    RibbonGroup* Group(int id) const;
    bool RemoveGroup(int id);
    QList<RibbonGroup*> Groups() const { return m_groups; }
    // Adds a control to a group and wires its command and tooltip.
    QWidget* AddControl(RibbonGroup* group, const RibbonControlSpec& spec, QMenu* popup = nullptr);

    // Every control: the groups' in order, then the tab row's.
    QList<ControlRef> Controls() const;
    QWidget* Control(int id) const;
    // Whether a control of the ribbon is shown, in its group or in its collapsed group's drop-down
    // (which counts as shown while its button is).
    bool ShowsControl(const QWidget* control) const;

    RibbonToolTip* ToolTip() const { return m_tip; }

    // Minimised, only the tab row shows; a double click on a tab switches between the two.
    bool IsMinimized() const { return m_minimized; }
    void SetMinimized(bool minimized);

    // The layout the user can change, as kept in the settings between runs.
    QByteArray SaveLayout() const;
    // Takes a layout SaveLayout wrote; anything else (damaged, empty, of another version or program)
    // changes nothing and answers false.
    bool RestoreLayout(const QByteArray& layout);

    QSize sizeHint() const override;

signals:
    // A control's command: a click, a popup's menu item, a combo's new entry (`index`, else -1).
    void Command(int id, int index);
    // Another ribbon tab was selected.
    void TabSelected(int index);
    // The ribbon was minimised or shown whole.
    void MinimizedChanged(bool minimized);

protected:
    // Called for each control the ribbon makes, before it is shown: the place to name it by its id.
    virtual void OnControlAdded(QWidget* control, int id);
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LayoutGroups();
    void Wire(QWidget* control, const RibbonControlSpec& spec, QMenu* popup);

    QToolButton* m_system = nullptr;
    QTabBar* m_tabs;
    QHBoxLayout* m_tabRow;
    QWidget* m_groupArea;
    QList<RibbonGroup*> m_groups;
    QList<ControlRef> m_tabRowControls;
    RibbonToolTip* m_tip;
    bool m_minimized = false;
    bool m_layingOut = false;
};
