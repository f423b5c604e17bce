// The popup of the ribbon's system button: a menu whose items show 32 x 32 icons.
#pragma once

#include <QMenu>

class RibbonSystemPopup : public QMenu
{
    Q_OBJECT
public:
    static constexpr int kIconSize = 32;

    explicit RibbonSystemPopup(QWidget* parent = nullptr);
};
