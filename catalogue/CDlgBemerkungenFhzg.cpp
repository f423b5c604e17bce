// The remarks form: template, caption, text and the changed flag.
#include "catalogue/CDlgBemerkungenFhzg.h"

#include "ui/ControlId.h"
#include "ui/DialogTemplateLoader.h"

#include <QAbstractButton>
#include <QPlainTextEdit>

CDlgBemerkungenFhzg::CDlgBemerkungenFhzg(const QString& titel, const QString& text, QWidget* parent)
    : QDialog(parent)
{
    QString fehler;
    DialogTemplateLoader::Load(kTemplateId, this, &fehler);
    setWindowTitle(titel);
    if (QPlainTextEdit* feld = Feld()) {
        feld->setPlainText(text);
        connect(feld, &QPlainTextEdit::textChanged, this, [this] { m_bGeaendert = true; });
    }
    if (auto* ok = qobject_cast<QAbstractButton*>(ControlId::Find(this, 1)))
        connect(ok, &QAbstractButton::clicked, this, &QDialog::accept);
    if (auto* abbrechen = qobject_cast<QAbstractButton*>(ControlId::Find(this, 2)))
        connect(abbrechen, &QAbstractButton::clicked, this, &QDialog::reject);
}

QPlainTextEdit* CDlgBemerkungenFhzg::Feld() const
{
    return qobject_cast<QPlainTextEdit*>(ControlId::Find(this, kIdText));
}

QString CDlgBemerkungenFhzg::Text() const
{
    QPlainTextEdit* feld = Feld();
    return feld ? feld->toPlainText() : QString();
}
