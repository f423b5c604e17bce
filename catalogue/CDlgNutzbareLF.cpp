// The usable-load-area form: its nine fields, the locked first group and the information box.
#include "catalogue/CDlgNutzbareLF.h"

#include "model/text/TextProvider.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"
#include "ui/CEditLast.h"
#include "ui/ControlId.h"
#include "ui/IMessageBoxService.h"

CDlgNutzbareLF::Werte CDlgNutzbareLF::Speichern(const std::array<double, 3>& dLaengenMm,
                                                const std::array<int, 3>& nRaster,
                                                const std::array<double, 3>& dWerteMm)
{
    Werte w;
    for (std::size_t i = 0; i < 4; ++i) {
        const std::size_t j = i < 3 ? i : 2;
        w.dLaengen[i] = dLaengenMm[j] / 1000.0;
        w.nRaster[i] = nRaster[j];
        w.fWerte[i] = float(dWerteMm[j] / 1000.0);
    }
    return w;
}

bool CDlgNutzbareLF::InfoVerborgen(bool bOhneInfo, const CFahrzeug* pAktiv)
{
    return bOhneInfo || (pAktiv && pAktiv->GetArt() == FahrzeugArt::kZugmaschine && pAktiv->IsArt5());
}

CDlgNutzbareLF::CDlgNutzbareLF(QWidget* parent) : CDlgBase(kTemplateId, parent) {}

CEditLast* CDlgNutzbareLF::Feld(int id) const
{
    return qobject_cast<CEditLast*>(ControlId::Find(this, id));
}

bool CDlgNutzbareLF::OnInitDialog()
{
    CDlgBase::OnInitDialog();
    setWindowTitle(QString::fromStdString(LoadResString(306)));
    for (int i = 0; i < 3; ++i) {
        const auto k = std::size_t(i);
        if (CEditLast* f = Feld(kIdLaengen + i)) {
            f->SetFormat(EditValue::kFloat, QStringLiteral("%.0f"));
            f->SetAllowedChars(CEditLast::kDigits);
            f->SetRestoreValueFloat(0.0f);
            f->SetFloat(float(m_Werte.dLaengen[k] * 1000.0));
            f->setEnabled(!m_bErsteGesperrt);
        }
        if (CEditLast* f = Feld(kIdRaster + i)) {
            f->SetFormat(EditValue::kInt, QStringLiteral("%i"));
            f->SetEmptyValueInt(0);
            f->SetInt(m_Werte.nRaster[k]);
        }
        if (CEditLast* f = Feld(kIdWerte + i)) {
            f->SetFormat(EditValue::kFloat, QStringLiteral("%.0f"));
            f->SetAllowedChars(CEditLast::kDigits);
            f->SetEmptyValueFloat(0.0f);
            f->SetFloat(m_Werte.fWerte[k] * 1000.0f);
        }
    }
    if (QWidget* info = ControlId::Find(this, kIdInfo))
        info->setVisible(!InfoVerborgen(m_bOhneInfo, m_pAktivFahrzeug));
    if (CEditLast* erstes = Feld(m_bErsteGesperrt ? kIdRaster : kIdLaengen)) {
        erstes->setFocus();
        erstes->selectAll();
    }
    return true;
}

bool CDlgNutzbareLF::OnCommand(int id, int notifyCode, QObject* control)
{
    if (id == kIdInfo && notifyCode == 0) {
        IMessageBoxService::HtmlBox box;
        box.textId = 711;
        box.captionId = 273;
        box.buttons = {{CDlgBase::kIdOk, CDlgBase::kIdOk}};
        MessageBoxes().ShowHtml(this, box, nullptr);
        return true;
    }
    return CDlgBase::OnCommand(id, notifyCode, control);
}

void CDlgNutzbareLF::OnOK()
{
    std::array<double, 3> laengen{};
    std::array<int, 3> raster{};
    std::array<double, 3> werte{};
    for (int i = 0; i < 3; ++i) {
        const auto k = std::size_t(i);
        for (int id : {kIdLaengen + i, kIdRaster + i, kIdWerte + i})
            if (CEditLast* f = Feld(id); f && f->hasFocus())
                f->CommitText(false);
        if (CEditLast* f = Feld(kIdLaengen + i))
            laengen[k] = f->GetFloat();
        if (CEditLast* f = Feld(kIdRaster + i))
            raster[k] = f->GetInt();
        if (CEditLast* f = Feld(kIdWerte + i))
            werte[k] = f->GetFloat();
    }
    m_Werte = Speichern(laengen, raster, werte);
    CDlgBase::OnOK();
}
