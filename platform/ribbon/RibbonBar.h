// A ribbon on Qt widgets: a tab row with the system button, the tab and controls on its right, and
// below it the captioned groups of the tab. Groups can be added and removed while it runs.
#pragma once

#include "platform/ribbon/KeyBindings.h"
#include "platform/ribbon/RibbonControlSpec.h"

#include <QByteArray>
#include <QList>
#include <QWidget>

#include <functional>
#include <optional>

class QHBoxLayout;
class QVBoxLayout;
class QuickAccessBar;
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

    // What a command looks like wherever the ribbon shows it outside its groups (quick access, the
    // customise sheet): the describer's answer, else the description of the control that carries it;
    // nothing for a command the ribbon does not know.
    using CommandDescriber = std::function<std::optional<RibbonControlSpec>(int id)>;
    void SetCommandDescriber(CommandDescriber describer) { m_describe = std::move(describer); }
    std::optional<RibbonControlSpec> DescribeCommand(int id) const;

    // The quick access toolbar: beside the system button above the ribbon, or in a row below it.
    QuickAccessBar* QuickAccess() const { return m_quickAccess; }
    // Its commands, in order; commands the ribbon cannot describe and repeats are left out.
    void SetQuickAccessCommands(const QList<int>& ids);
    QList<int> QuickAccessCommands() const;
    // The commands the bar's reset brings back (none unless the program sets some).
    void SetDefaultQuickAccess(const QList<int>& ids) { m_defaultQuickAccess = ids; }
    QList<int> DefaultQuickAccess() const { return m_defaultQuickAccess; }
    bool IsQuickAccessBelow() const { return m_quickAccessBelow; }
    void SetQuickAccessBelow(bool below);

    // The keys of the commands (the program sets the defaults; the user's table is kept in the layout).
    KeyBindings& Keys() { return m_keys; }
    const KeyBindings& Keys() const { return m_keys; }
    // Takes the user's table and tells KeysChanged; a table that is not valid changes nothing.
    bool SetKeyBindings(const QList<KeyBindings::Binding>& bindings);

    // The layout the user can change, as kept in the settings between runs: minimised or not, the
    // quick access commands and where their bar stands, and the keys.
    QByteArray SaveLayout() const;
    // Takes a layout SaveLayout wrote, also one of the first version (which held only whether the
    // ribbon was minimised, and leaves the rest as it is); anything else (damaged, empty, of another
    // version or program) changes nothing and answers false.
    bool RestoreLayout(const QByteArray& layout);

    QSize sizeHint() const override;

signals:
    // A control's command: a click, a popup's menu item, a combo's new entry (`index`, else -1).
    void Command(int id, int index);
    // Another ribbon tab was selected.
    void TabSelected(int index);
    // The ribbon was minimised or shown whole.
    void MinimizedChanged(bool minimized);
    // The quick access commands or the bar's place changed.
    void QuickAccessChanged();
    // The key table was replaced.
    void KeysChanged();

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
    QVBoxLayout* m_column = nullptr;
    QHBoxLayout* m_tabRow;
    QWidget* m_groupArea;
    QList<RibbonGroup*> m_groups;
    QList<ControlRef> m_tabRowControls;
    RibbonToolTip* m_tip;
    bool m_minimized = false;
    QuickAccessBar* m_quickAccess = nullptr;
    bool m_quickAccessBelow = false;
    QList<int> m_defaultQuickAccess;
    KeyBindings m_keys;
    CommandDescriber m_describe;
    bool m_layingOut = false;
};
