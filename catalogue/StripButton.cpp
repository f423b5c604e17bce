// The "<" and ">" buttons of the tile strip: repeat buttons that post their command to the strip.
#include "StripButton.h"

#include "ui/CRepeatButton.h"

#include <QRect>

QAbstractButton* CreateStripButton(const QString& caption, int id, QWidget* parent)
{
    auto* button = new CRepeatButton(caption, QRect(), parent, id);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}
