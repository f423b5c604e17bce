// Control ids of widgets: the numeric id a dialog's code addresses a control by, kept in its object name.
#pragma once

#include <QString>

class QObject;
class QWidget;

// A control with id 1234 is named "id_1234" (in dialog templates and by code that makes controls).
namespace ControlId {

QString ObjectName(int id);
// The id in an object name "id_<n>"; -1 for any other name.
int FromObjectName(const QString& name);
// The control id of a widget; -1 when it has none.
int Of(const QObject* object);
void Set(QObject* object, int id);
// The first descendant of `root` with that id; null when none.
QWidget* Find(const QWidget* root, int id);

} // namespace ControlId
