// One captioned group of a ribbon tab: large buttons in their own column, small controls three to a
// column, separator lines between runs. A group short of room collapses to one button that drops its
// controls down in a panel.
#pragma once

#include "platform/ribbon/RibbonControlSpec.h"

#include <QList>
#include <QWidget>

class QFrame;
class QMenu;
class QToolButton;

class RibbonGroup : public QWidget
{
    Q_OBJECT
public:
    // Heights of the group's parts in pixels.
    static constexpr int kRowHeight = 22;
    static constexpr int kRows = 3;
    static constexpr int kCaptionHeight = 17;
    static constexpr int kMargin = 3;

    struct Entry
    {
        RibbonControlSpec spec;
        QWidget* widget = nullptr; // the control that carries the id (the combo itself, not its label)
        QWidget* frame = nullptr;  // the widget placed in the group (the combo's row)
    };

    RibbonGroup(int id, const QString& caption, QWidget* parent = nullptr);

    int Id() const { return m_id; }
    QString Caption() const { return m_caption; }

    // Makes the control of `spec` (a tool button, a check box or a combo box) and places it behind the
    // others. `popup` is the menu of a popup or split button; the group does not own it. Answers the
    // control.
    QWidget* AddControl(const RibbonControlSpec& spec, QMenu* popup = nullptr);
    const QList<Entry>& Entries() const { return m_entries; }
    QWidget* Control(int id) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    // The rectangle of the caption band.
    QRect CaptionRect() const;

    // Collapsed, the group is one button (its caption and the first control's icon) whose drop-down
    // panel holds the controls as the open group lays them out; they stay the same widgets.
    void SetCollapsed(bool collapsed);
    bool IsCollapsed() const { return m_collapsed; }
    // Widths of the open group and of the collapsed one.
    int ExpandedWidth() const { return m_size.width(); }
    int CollapsedWidth() const;
    QToolButton* CollapsedButton() const { return m_button; }
    // The drop-down panel of the collapsed group (null until it first collapsed).
    QFrame* DropDown() const { return m_dropDown; }
    // Opens the drop-down under the collapsed button, kept on the button's screen.
    void ShowDropDown();

signals:
    // A button or check box was clicked, a menu item of a control's popup chosen, or a combo's selection
    // changed (`index` is the new entry; -1 for the others).
    void Command(int id, int index);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* MakeControl(const RibbonControlSpec& spec, QMenu* popup, QWidget** frame);
    void Relayout();
    void UpdateButton();

    int m_id;
    QString m_caption;
    QList<Entry> m_entries;
    QList<int> m_separators; // x of each separator line
    QSize m_size;
    QWidget* m_panel;      // the controls, in the group or in the drop-down
    QToolButton* m_button; // the collapsed group
    QFrame* m_dropDown = nullptr;
    bool m_collapsed = false;
};
