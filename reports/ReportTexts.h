// Texts of the module as the report, export and import dialogs show them.
#pragma once

#include "model/text/TextProvider.h"

#include <QString>
#include <QStringList>

namespace ReportTexts {

inline QString Text(quint32 id)
{
    return QString::fromStdString(LoadResString(id));
}

// The caption line of a command text ("tooltip\ncaption\n..."), the text itself when it has one line.
inline QString Caption(quint32 id)
{
    const QStringList lines = Text(id).split(QLatin1Char('\n'));
    return lines.size() > 1 ? lines.at(1) : lines.value(0);
}

} // namespace ReportTexts
