// The quick access toolbar of the ribbon: a row of small buttons for the commands the user chose, and
// the arrow at its end that opens the bar's menu.
#pragma once

#include "platform/ribbon/RibbonControlSpec.h"

#include <QList>
#include <QWidget>

class QHBoxLayout;
class QMenu;
class QToolButton;
class RibbonToolTip;

class QuickAccessBar : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kButtonSize = 22;

    QuickAccessBar(RibbonToolTip* tip, QWidget* parent = nullptr);

    // Makes one button per command, in order, in place of the ones there were.
    void SetCommands(const QList<RibbonControlSpec>& commands);
    QList<int> Commands() const;
    // The command buttons, in order (each carries its command id in the property "ribbonCommand").
    QList<QToolButton*> Buttons() const { return m_buttons; }
    QToolButton* Button(int id) const;
    // The arrow at the end and its menu (filled by the ribbon).
    QToolButton* MenuButton() const { return m_menuButton; }
    QMenu* Menu() const { return m_menu; }

signals:
    // A button was clicked.
    void Command(int id, int index);

private:
    RibbonToolTip* m_tip;
    QHBoxLayout* m_row;
    QList<QToolButton*> m_buttons;
    QToolButton* m_menuButton;
    QMenu* m_menu;
};
