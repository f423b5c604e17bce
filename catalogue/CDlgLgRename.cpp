// The rename form: the caption, the file-name characters kept out, a blank name refused.
#include "catalogue/CDlgLgRename.h"

#include "model/text/TextFormat.h"
#include "ui/ControlId.h"
#include "ui/FileNameValidator.h"

#include <QLineEdit>

FormAblehnung CDlgLgRename::Pruefe(const QString& name)
{
    if (name.trimmed().isEmpty())
        return FormAblehnung{kIdName, 263, FormAblehnung::MitAusruf(79), IMessageBoxService::Icon::Error};
    return {};
}

CDlgLgRename::CDlgLgRename(QWidget* parent) : CDlgBase(kTemplateId, parent) {}

QLineEdit* CDlgLgRename::Feld() const
{
    return qobject_cast<QLineEdit*>(ControlId::Find(this, kIdName));
}

bool CDlgLgRename::OnInitDialog()
{
    CDlgBase::OnInitDialog();
    setWindowTitle(QString::fromStdString(FormatS("$S: $S", 2, 33075u, 33079u)));
    if (QLineEdit* feld = Feld()) {
        feld->setText(m_strName);
        SubclassFileNameEdit(feld);
        feld->setFocus();
        feld->selectAll();
    }
    return true;
}

void CDlgLgRename::OnOK()
{
    const QString name = Feld() ? Feld()->text() : QString();
    const FormAblehnung ablehnung = Pruefe(name);
    if (ablehnung.Abgelehnt()) {
        ablehnung.Zeige(this);
        return;
    }
    m_strName = name.trimmed();
    CDlgBase::OnOK();
}
