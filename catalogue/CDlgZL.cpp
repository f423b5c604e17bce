// The ZL-item editor: kinds with their pictures and default names, field states and the checks of OK.
#include "catalogue/CDlgZL.h"

#include "draw2d/RasterOp.h"
#include "model/text/TextProvider.h"
#include "ui/CEditLast.h"
#include "ui/ControlId.h"
#include "ui/FileNameValidator.h"

#include <QButtonGroup>
#include <QPainter>
#include <QRadioButton>
#include <QRegularExpressionValidator>

namespace {

struct SArt
{
    int nRadio;
    quint32 nBild;
    quint32 nName;
};

// Kinds 0 to 6: radio button, picture and default name.
constexpr SArt kArten[CDlgZL::kArtAnzahl] = {
    {1019, 214, 623}, {1020, 213, 629}, {1021, 215, 626}, {1023, 212, 630},
    {1024, 211, 627}, {1025, 216, 622}, {1029, 219, 628},
};

constexpr int kGroessenIds[] = {CDlgZL::kIdGroesse1, CDlgZL::kIdGroesse2, CDlgZL::kIdHoehe};
// The distance field with its label and unit, shown for kinds 1 and 5 only.
constexpr int kAbstandIds[] = {1086, 1336, CDlgZL::kIdAbstand};

QString Text(quint32 id)
{
    return QString::fromStdString(LoadResString(id));
}

} // namespace

int CDlgZL::NormArt(int nArt)
{
    return nArt >= 0 && nArt < kArtAnzahl ? nArt : 0;
}

int CDlgZL::RadioId(int nArt)
{
    return kArten[NormArt(nArt)].nRadio;
}

quint32 CDlgZL::BildId(int nArt)
{
    return kArten[NormArt(nArt)].nBild;
}

quint32 CDlgZL::StandardNameId(int nArt)
{
    return nArt >= 0 && nArt < kArtAnzahl ? kArten[nArt].nName : 625;
}

FormAblehnung CDlgZL::Pruefe(const Eingabe& e)
{
    auto ablehnen = [](int feld, QString text) {
        return FormAblehnung{feld, 168, std::move(text), IMessageBoxService::Icon::Warning};
    };
    if (e.name.trimmed().isEmpty())
        return FormAblehnung{kIdName, 263, Text(79), IMessageBoxService::Icon::Warning};
    const int art = e.nArt;
    if (art == 0 && (e.dGroesse1 < 100.0 || e.dGroesse1 > 5000.0))
        return ablehnen(kIdGroesse1, FormAblehnung::MitGrenzen(290, 100, 5000));
    if (art == 0 && (e.dGroesse2 < 100.0 || e.dGroesse2 > 4000.0))
        return ablehnen(kIdGroesse2, FormAblehnung::MitGrenzen(99, 100, 4000));
    if (e.dMasse < 1.0 || e.dMasse > 10000.0)
        return ablehnen(kIdMasse, FormAblehnung::MitGrenzen(291, 1, 10000));
    if (art == 0 && e.bMitHoehe && (e.dHoehe <= 0.0 || e.dHoehe > 3000.0))
        return ablehnen(kIdHoehe, FormAblehnung::MitGrenzen(340, 3000));
    if (HatAbstand(art) && (e.dAbstand < -5000.0 || e.dAbstand > 5000.0))
        return ablehnen(kIdAbstand, FormAblehnung::MitGrenzen(341, -5000, 5000));
    return {};
}

CDlgZL::CDlgZL(QWidget* parent) : CDlgBase(kTemplateId, parent) {}

CEditLast* CDlgZL::Feld(int id) const
{
    return qobject_cast<CEditLast*>(ControlId::Find(this, id));
}

bool CDlgZL::OnInitDialog()
{
    CDlgBase::OnInitDialog();
    if (CEditLast* name = Feld(kIdName)) {
        name->SetFormat(EditValue::kText);
        SubclassFileNameEdit(name);
    }
    for (int id : {kIdGroesse1, kIdGroesse2, kIdMasse, kIdHoehe, kIdAbstand}) {
        CEditLast* feld = Feld(id);
        if (!feld)
            continue;
        feld->SetFormat(EditValue::kDouble, QStringLiteral("%.0f"));
        feld->SetEmptyValueDouble(0.0);
        feld->SetDouble(0.0);
    }
    // The distance may lie ahead of its reference point: one leading minus is allowed.
    if (CEditLast* abstand = Feld(kIdAbstand)) {
        abstand->SetAllowedChars(QStringLiteral("0123456789-"));
        abstand->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?[0-9]*")), abstand));
    }
    for (int id : {kIdGroesse1, kIdGroesse2, kIdMasse, kIdHoehe})
        if (CEditLast* feld = Feld(id))
            feld->SetAllowedChars(CEditLast::kDigits);
    // The kinds and the two height choices are separate radio groups.
    auto* arten = new QButtonGroup(this);
    for (const SArt& a : kArten)
        if (auto* radio = qobject_cast<QRadioButton*>(ControlId::Find(this, a.nRadio)))
            arten->addButton(radio);
    auto* hoehen = new QButtonGroup(this);
    for (int id : {kIdOhneHoehe, kIdMitHoehe})
        if (auto* radio = qobject_cast<QRadioButton*>(ControlId::Find(this, id)))
            hoehen->addButton(radio);
    SubclassCtrl(kIdBild);
    m_nArt = NormArt(m_nArt);
    WaehleArt(m_nArt);
    if (m_nArt == 0)
        ZeigeHoehe(true);
    else if (CEditLast* hoehe = Feld(kIdHoehe))
        hoehe->SetText(std::nullopt);
    return true;
}

void CDlgZL::WaehleArt(int nArt)
{
    nArt = NormArt(nArt);
    m_nArt = nArt;
    for (int i = 0; i < kArtAnzahl; ++i)
        if (auto* radio = qobject_cast<QRadioButton*>(ControlId::Find(this, kArten[i].nRadio)))
            radio->setChecked(i == nArt);
    m_bild.Destroy();
    m_bild.LoadBitmap(kArten[nArt].nBild);
    InvalidateCtrl(kIdBild);
    if (CEditLast* name = Feld(kIdName))
        name->SetText(Text(kArten[nArt].nName));

    auto* ohne = qobject_cast<QRadioButton*>(ControlId::Find(this, kIdOhneHoehe));
    auto* mit = qobject_cast<QRadioButton*>(ControlId::Find(this, kIdMitHoehe));
    const bool frei = nArt == 0;
    for (int id : kGroessenIds) {
        if (CEditLast* feld = Feld(id)) {
            if (!frei)
                feld->SetDouble(0.0);
            feld->setEnabled(frei);
        }
    }
    if (ohne && mit) {
        ohne->setEnabled(frei);
        mit->setEnabled(frei);
        if (!frei && nArt != 2) {
            ohne->setChecked(true);
            mit->setChecked(false);
        }
    }
    if (frei)
        ZeigeHoehe(mit && mit->isChecked());
    for (int id : kAbstandIds)
        if (QWidget* w = ControlId::Find(this, id))
            w->setVisible(HatAbstand(nArt));
}

void CDlgZL::ZeigeHoehe(bool bMitHoehe)
{
    auto* ohne = qobject_cast<QRadioButton*>(ControlId::Find(this, kIdOhneHoehe));
    auto* mit = qobject_cast<QRadioButton*>(ControlId::Find(this, kIdMitHoehe));
    if (ohne && mit) {
        mit->setChecked(bMitHoehe);
        ohne->setChecked(!bMitHoehe);
    }
    if (CEditLast* hoehe = Feld(kIdHoehe)) {
        if (!bMitHoehe)
            hoehe->SetText(std::nullopt);
        hoehe->setEnabled(bMitHoehe && m_nArt == 0);
    }
}

int CDlgZL::GewaehlteArt() const
{
    for (int i = 0; i < kArtAnzahl; ++i)
        if (auto* radio = qobject_cast<QRadioButton*>(ControlId::Find(this, kArten[i].nRadio));
            radio && radio->isChecked())
            return i;
    return -1;
}

bool CDlgZL::OnCommand(int id, int notifyCode, QObject* control)
{
    for (int i = 0; i < kArtAnzahl; ++i) {
        if (id == kArten[i].nRadio) {
            WaehleArt(i);
            return true;
        }
    }
    if (id == kIdOhneHoehe || id == kIdMitHoehe) {
        ZeigeHoehe(id == kIdMitHoehe);
        return true;
    }
    return CDlgBase::OnCommand(id, notifyCode, control);
}

bool CDlgZL::OnPaintCtrl(QWidget* ctrl, int id, QPainter& painter)
{
    if (id != kIdBild)
        return CDlgBase::OnPaintCtrl(ctrl, id, painter);
    const QRect area = ctrl->rect();
    painter.fillRect(area, Qt::white);
    if (m_bild.IsLoaded()) {
        const QSize s = m_bild.GetSize().scaled(area.size() - QSize(8, 8), Qt::KeepAspectRatio);
        m_bild.DrawTransparent(painter, area.center().x() - s.width() / 2, area.center().y() - s.height() / 2,
                               s.width(), s.height(), RGB(255, 255, 255));
    }
    painter.setPen(QColor(160, 160, 160));
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    return true;
}

CDlgZL::Eingabe CDlgZL::LeseEingabe() const
{
    Eingabe e;
    e.nArt = GewaehlteArt();
    auto wert = [this](int id) {
        CEditLast* feld = Feld(id);
        return feld ? feld->GetDouble() : 0.0;
    };
    if (CEditLast* name = Feld(kIdName))
        e.name = name->text();
    e.dGroesse1 = wert(kIdGroesse1);
    e.dGroesse2 = wert(kIdGroesse2);
    e.dMasse = wert(kIdMasse);
    e.dHoehe = wert(kIdHoehe);
    e.dAbstand = wert(kIdAbstand);
    auto* mit = qobject_cast<QRadioButton*>(ControlId::Find(this, kIdMitHoehe));
    e.bMitHoehe = mit && mit->isChecked();
    return e;
}

void CDlgZL::OnOK()
{
    const Eingabe e = LeseEingabe();
    const FormAblehnung ablehnung = Pruefe(e);
    if (ablehnung.Abgelehnt()) {
        ablehnung.Zeige(this);
        // An empty name is replaced by the default name of the checked kind.
        if (ablehnung.nFeld == kIdName)
            if (CEditLast* name = Feld(kIdName)) {
                name->SetText(Text(StandardNameId(e.nArt)));
                name->selectAll();
            }
        return;
    }
    m_nArt = e.nArt < 0 ? 0 : e.nArt;
    m_strName = e.name.trimmed();
    m_dGroesse1 = e.dGroesse1 / 1000.0;
    m_dGroesse2 = e.dGroesse2 / 1000.0;
    m_dMasse = e.dMasse / 1000.0;
    m_dHoehe = e.dHoehe / 1000.0;
    m_dAbstand = e.dAbstand / 1000.0;
    m_bMitHoehe = e.bMitHoehe;
    CDlgBase::OnOK();
}
