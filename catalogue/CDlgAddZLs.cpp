// The form of a ZL item's two placement choices: radio pairs, the picture and the choice on OK.
#include "catalogue/CDlgAddZLs.h"

#include "model/text/TextProvider.h"
#include "ui/ControlId.h"
#include "ui/DialogTemplateLoader.h"
#include "ui/ResourcePictures.h"

#include <QAbstractButton>
#include <QBitmap>
#include <QButtonGroup>
#include <QLabel>
#include <QPixmap>
#include <QRadioButton>

namespace {

QRadioButton* Radio(const QWidget* dialog, int id)
{
    return qobject_cast<QRadioButton*>(ControlId::Find(dialog, id));
}

} // namespace

CDlgAddZLs::CDlgAddZLs(QWidget* parent) : QDialog(parent)
{
    QString fehler;
    DialogTemplateLoader::Load(kTemplateId, this, &fehler);
    for (int paar = 0; paar < 2; ++paar) {
        auto* gruppe = new QButtonGroup(this);
        for (int i = 0; i < 2; ++i)
            if (QRadioButton* radio = Radio(this, kIdErstes + 2 * paar + i))
                gruppe->addButton(radio);
    }
    for (int id = kIdErstes; id < kIdErstes + 4; ++id)
        if (QRadioButton* radio = Radio(this, id))
            connect(radio, &QAbstractButton::clicked, this, [this, id] { Klick(id); });
    if (auto* ok = qobject_cast<QAbstractButton*>(ControlId::Find(this, 1)))
        connect(ok, &QAbstractButton::clicked, this, [this] {
            Uebernehmen();
            accept();
        });
    if (auto* abbrechen = qobject_cast<QAbstractButton*>(ControlId::Find(this, 2)))
        connect(abbrechen, &QAbstractButton::clicked, this, &QDialog::reject);
}

void CDlgAddZLs::Vorbereiten(bool bBearbeiten)
{
    const int wahl1 = bBearbeiten && m_nWahl1 == 1 ? 1 : 0;
    const int wahl2 = bBearbeiten && m_nWahl2 == 1 ? 1 : 0;
    for (int i = 0; i < 2; ++i) {
        if (QRadioButton* radio = Radio(this, kIdErstes + i))
            radio->setChecked(i == wahl1);
        if (QRadioButton* radio = Radio(this, kIdErstes + 2 + i))
            radio->setChecked(i == wahl2);
    }
    if (bBearbeiten)
        if (auto* ok = qobject_cast<QAbstractButton*>(ControlId::Find(this, 1)))
            ok->setText(QString::fromStdString(LoadResString(68)));
    LadeBild();
}

void CDlgAddZLs::Klick(int id)
{
    if (QRadioButton* radio = Radio(this, id))
        radio->setChecked(true);
    LadeBild();
}

void CDlgAddZLs::LadeBild()
{
    QRadioButton* erstes = Radio(this, kIdErstes);
    m_nBild = BildId(erstes && erstes->isChecked());
    auto* bild = qobject_cast<QLabel*>(ControlId::Find(this, kIdBild));
    if (!bild)
        return;
    QPixmap pixmap = QPixmap::fromImage(LoadCxImageFromResource(m_nBild, PICTURE_FORMAT_BITMAP));
    // White is the picture's key colour.
    if (!pixmap.isNull())
        pixmap.setMask(pixmap.createMaskFromColor(Qt::white, Qt::MaskInColor));
    bild->setPixmap(pixmap);
}

void CDlgAddZLs::Uebernehmen()
{
    auto index = [this](int first) {
        for (int i = 0; i < 2; ++i)
            if (QRadioButton* radio = Radio(this, first + i); radio && radio->isChecked())
                return i;
        return -1;
    };
    m_nWahl1 = index(kIdErstes);
    m_nWahl2 = index(kIdErstes + 2);
}
