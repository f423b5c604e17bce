// The "<" and ">" buttons of the tile strip: they repeat while held down.
#pragma once

#include <QString>

class QAbstractButton;
class QWidget;

// The one place that decides which repeat button the strip uses: a CRepeatButton that posts a
// CommandEvent with `id` to `parent` at the press and then at the keyboard's repeat pace.
QAbstractButton* CreateStripButton(const QString& caption, int id, QWidget* parent);
