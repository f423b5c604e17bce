// The new-vehicle form: the kind list with its effects on the form, the width clamp and the checks.
#include "catalogue/CDlgDataOnNewFzg.h"

#include "model/text/TextFormat.h"
#include "model/text/TextProvider.h"
#include "model/vehicle/FahrzeugArt.h"
#include "ui/CEditLast.h"
#include "ui/ControlId.h"
#include "ui/FileNameValidator.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>

const std::array<CDlgDataOnNewFzg::SEintrag, 6>& CDlgDataOnNewFzg::Eintraege()
{
    // The tractor stands before the semi-trailer in the list.
    static const std::array<SEintrag, 6> eintraege = {{
        {265, FahrzeugArt::kZugmaschine},
        {242, FahrzeugArt::kAnhaenger},
        {241, FahrzeugArt::kStarrdeichsel},
        {293, FahrzeugArt::kSattelzugmaschine},
        {243, FahrzeugArt::kAuflieger},
        {266, FahrzeugArt::kZugmaschineUntertyp},
    }};
    return eintraege;
}

CDlgDataOnNewFzg::SZustand CDlgDataOnNewFzg::Zustand(int nArt)
{
    SZustand z;
    z.dBreiteVorgabe = nArt == FahrzeugArt::kZugmaschineUntertyp ? 2000.0 : 2550.0;
    z.bBreiteSichtbar = nArt != FahrzeugArt::kSattelzugmaschine;
    z.bVarianten = nArt == FahrzeugArt::kAnhaenger || nArt == FahrzeugArt::kSattelzugmaschine;
    return z;
}

double CDlgDataOnNewFzg::KlemmeBreite(double dMm)
{
    return std::clamp(dMm, 1000.0, 5000.0);
}

FormAblehnung CDlgDataOnNewFzg::Pruefe(const QString& name, bool bBreiteLeer, bool bBreiteSichtbar)
{
    if (name.trimmed().isEmpty())
        return FormAblehnung{kIdName, 263, QString::fromStdString(LoadResString(262)),
                             IMessageBoxService::Icon::Warning};
    if (bBreiteSichtbar && bBreiteLeer)
        return FormAblehnung{kIdBreite, 263, QString::fromStdString(LoadResString(564)),
                             IMessageBoxService::Icon::Warning};
    return {};
}

CDlgDataOnNewFzg::CDlgDataOnNewFzg(QWidget* parent) : CDlgBase(kTemplateId, parent) {}

CEditLast* CDlgDataOnNewFzg::BreitenFeld() const
{
    return qobject_cast<CEditLast*>(ControlId::Find(this, kIdBreite));
}

QComboBox* CDlgDataOnNewFzg::Liste() const
{
    return qobject_cast<QComboBox*>(ControlId::Find(this, kIdArten));
}

bool CDlgDataOnNewFzg::OnInitDialog()
{
    CDlgBase::OnInitDialog();
    if (auto* name = qobject_cast<QLineEdit*>(ControlId::Find(this, kIdName))) {
        name->setText(m_strName);
        SubclassFileNameEdit(name);
    }
    if (CEditLast* breite = BreitenFeld()) {
        breite->SetFormat(EditValue::kDouble, QStringLiteral("%.0f"));
        breite->SetAllowedChars(CEditLast::kDigits);
        breite->SetEmptyValueDouble(0.0);
    }
    if (QComboBox* liste = Liste()) {
        for (const SEintrag& e : Eintraege())
            liste->addItem(QString::fromStdString(LoadResString(e.nText)), e.nArt);
        connect(liste, &QComboBox::activated, this, [this](int index) { WaehleEintrag(index); });
    }
    if (auto* radio = qobject_cast<QRadioButton*>(ControlId::Find(this, kIdVariante1)))
        radio->setChecked(true);
    WaehleEintrag(0);
    return true;
}

void CDlgDataOnNewFzg::WaehleEintrag(int index)
{
    const auto& eintraege = Eintraege();
    if (index < 0 || index >= int(eintraege.size()))
        return;
    const SEintrag& e = eintraege[std::size_t(index)];
    if (QComboBox* liste = Liste(); liste && liste->currentIndex() != index)
        liste->setCurrentIndex(index);
    m_nArt = e.nArt;
    const SZustand z = Zustand(e.nArt);
    if (CEditLast* breite = BreitenFeld()) {
        breite->SetRestoreValueDouble(z.dBreiteVorgabe);
        breite->setVisible(z.bBreiteSichtbar);
    }
    if (QWidget* text = ControlId::Find(this, kIdBreiteText))
        text->setEnabled(z.bBreiteSichtbar);
    for (int id : {kIdVariante1, kIdVariante2})
        if (QWidget* radio = ControlId::Find(this, id))
            radio->setVisible(z.bVarianten);
    setWindowTitle(QString::fromStdString(FormatS("$S: $S", 2, 264u, e.nText)));
}

void CDlgDataOnNewFzg::OnEditCommit(int ctrlId, EditValue& value, int reserved)
{
    if (ctrlId == kIdBreite)
        value.d = KlemmeBreite(value.d);
    CDlgBase::OnEditCommit(ctrlId, value, reserved);
}

void CDlgDataOnNewFzg::OnOK()
{
    auto* name = qobject_cast<QLineEdit*>(ControlId::Find(this, kIdName));
    CEditLast* breite = BreitenFeld();
    if (breite && breite->hasFocus())
        breite->CommitText(false);
    const bool sichtbar = Zustand(m_nArt).bBreiteSichtbar;
    const FormAblehnung ablehnung =
        Pruefe(name ? name->text() : QString(), !breite || breite->IsEmpty(), sichtbar);
    if (ablehnung.Abgelehnt()) {
        ablehnung.Zeige(this);
        return;
    }
    m_strName = name ? name->text().trimmed() : QString();
    m_dBreite = sichtbar && breite ? breite->GetDouble() / 1000.0 : 0.0;
    auto* zweite = qobject_cast<QRadioButton*>(ControlId::Find(this, kIdVariante2));
    m_nVariante = Zustand(m_nArt).bVarianten && zweite && zweite->isChecked() ? 2 : 1;
    CDlgBase::OnOK();
}
