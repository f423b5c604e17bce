// The "<" and ">" buttons of the tile strip: tool buttons with auto-repeat.
#include "StripButton.h"

#include <QToolButton>

QAbstractButton* CreateStripButton(const QString& caption, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setText(caption);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}
