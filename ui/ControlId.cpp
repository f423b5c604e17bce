// Control ids kept in object names.
#include "ui/ControlId.h"

#include <QWidget>

namespace ControlId {

QString ObjectName(int id)
{
    return QStringLiteral("id_%1").arg(id);
}

int FromObjectName(const QString& name)
{
    if (!name.startsWith(QLatin1String("id_")) || name.size() == 3)
        return -1;
    bool ok = false;
    const int id = name.mid(3).toInt(&ok);
    return ok && id >= 0 && name.at(3).isDigit() ? id : -1;
}

int Of(const QObject* object)
{
    return object ? FromObjectName(object->objectName()) : -1;
}

void Set(QObject* object, int id)
{
    object->setObjectName(ObjectName(id));
}

QWidget* Find(const QWidget* root, int id)
{
    return root ? root->findChild<QWidget*>(ObjectName(id)) : nullptr;
}

} // namespace ControlId
