// A refused entry of an editing form: the message box and the focus back in the field.
#include "catalogue/FormAblehnung.h"

#include "model/text/TextFormat.h"
#include "model/text/TextProvider.h"
#include "ui/ControlId.h"

#include <QLineEdit>
#include <QWidget>

namespace {

QString Gefuellt(quint32 textId, std::initializer_list<FormatArg> args)
{
    const std::string fmt = LoadResString(textId) + "!";
    return QString::fromStdString(FormatChecked(fmt, args));
}

} // namespace

QString FormAblehnung::MitAusruf(quint32 textId)
{
    return QString::fromStdString(LoadResString(textId)) + QLatin1Char('!');
}

QString FormAblehnung::MitGrenzen(quint32 textId, int nGrenze1)
{
    return Gefuellt(textId, {FormatArg(nGrenze1)});
}

QString FormAblehnung::MitGrenzen(quint32 textId, int nGrenze1, int nGrenze2)
{
    return Gefuellt(textId, {FormatArg(nGrenze1), FormatArg(nGrenze2)});
}

void FormAblehnung::Zeige(QWidget* dialog) const
{
    if (!Abgelehnt())
        return;
    MessageBoxes().Show(dialog, QString::fromStdString(LoadResString(nTitel)), text, icon,
                        IMessageBoxService::Buttons::Ok);
    if (QWidget* feld = dialog ? ControlId::Find(dialog, nFeld) : nullptr) {
        feld->setFocus(Qt::OtherFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(feld))
            edit->selectAll();
    }
}
