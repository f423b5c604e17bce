// The "<" and ">" buttons of the tile strip: they repeat while held down.
#pragma once

#include <QString>

class QAbstractButton;
class QWidget;

// The one place that decides which repeat button the strip uses.
QAbstractButton* CreateStripButton(const QString& caption, QWidget* parent);
