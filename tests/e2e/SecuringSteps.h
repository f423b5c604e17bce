// What both end-to-end suites do the same way inside the securing wizard.
#pragma once

#include "loadsecuring/CPgLgSichgPage6.h"

#include <QString>
#include <QTreeWidget>
#include <QWidget>

// On the shown lashing-device page with no row chosen yet, the first device with a tension force and a
// lashing capacity; null elsewhere.
inline QTreeWidgetItem* UsableDevice(QWidget* wizard)
{
    auto* list = wizard->findChild<QTreeWidget*>(QStringLiteral("id_%1").arg(CPgLgSichgPage6::kListeId));
    if (!list || !list->isVisible() || !list->selectedItems().isEmpty())
        return nullptr;
    for (int r = 0; r < list->topLevelItemCount(); ++r) {
        QTreeWidgetItem* row = list->topLevelItem(r);
        if (row->text(2).toInt() > 0 && row->text(3).toInt() > 0)
            return row;
    }
    return nullptr;
}
