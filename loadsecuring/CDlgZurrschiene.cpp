// The lashing-rail editor: fields, the clamps of a committed value, the change test and the checks of OK.
#include "loadsecuring/CDlgZurrschiene.h"

#include "model/text/TextFormat.h"
#include "model/text/TextProvider.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/ZurrpunktRegeln.h"
#include "ui/CEditLast.h"
#include "ui/CommandUpdateEvent.h"
#include "ui/ControlId.h"
#include "ui/IMessageBoxService.h"
#include "ui/ResourcePictures.h"

#include <QPainter>

namespace {

QString Text(std::uint32_t id)
{
    return QString::fromStdString(LoadResString(id));
}

} // namespace

CDlgZurrschiene::CDlgZurrschiene(QWidget* parent) : CDlgBase(kTemplateId, parent) {}

CEditLast* CDlgZurrschiene::Edit(int id) const
{
    return findChild<CEditLast*>(ControlId::ObjectName(id));
}

double CDlgZurrschiene::MaxAbstandMm(const CFahrzeug* pFahrzeug)
{
    return pFahrzeug ? (pFahrzeug->GetLFBreite() - 0.1) * 0.5 * 1000.0 : -1.0;
}

bool CDlgZurrschiene::OnInitDialog()
{
    CDlgBase::OnInitDialog();
    m_bild = LoadCxImageFromResource(754, PICTURE_FORMAT_BITMAP);
    SubclassCtrl(kBildId);
    setWindowTitle(Text(m_bEdit ? 492 : 493));
    const QString frage = QStringLiteral("?");
    for (int id : {kAbstandId, kRasterId}) {
        if (CEditLast* e = Edit(id)) {
            e->SetFormat(3, QStringLiteral("%.0f"), frage, frage);
            e->SetAllowedChars(CEditLast::kDigits);
            e->SetEmptyValueDouble(-1.0);
        }
    }
    if (CEditLast* e = Edit(kAnzahlId)) {
        e->SetFormat(1, QStringLiteral("%i"), frage, frage);
        e->SetAllowedChars(CEditLast::kDigits);
        e->SetEmptyValueInt(0);
    }
    if (CEditLast* e = Edit(kAbstandId))
        e->SetDouble(m_dAbstand < 0.0 ? -1.0 : m_dAbstand * 1000.0);
    if (CEditLast* e = Edit(kRasterId))
        e->SetDouble(m_dRaster * 1000.0);
    if (CEditLast* e = Edit(kAnzahlId))
        e->SetInt(m_nAnzahl);
    KickIdle();
    return true;
}

void CDlgZurrschiene::OnEditCommit(int ctrlId, EditValue& value, int /*reserved*/)
{
    switch (ctrlId) {
    case kAbstandId: {
        const double dMax = MaxAbstandMm(m_pFahrzeug);
        if (dMax >= 0.0 && value.d > dMax)
            value.d = dMax;
        if (m_pFahrzeug && value.d < 0.0 && value.d != -1.0)
            value.d = 0.0;
        // The stored value is in metres: compare in one unit.
        if (!EqualsWithin5mm(value.d / 1000.0, m_dAbstand))
            m_bChanged = 1;
        break;
    }
    case kRasterId:
        if (value.d > kMaxRasterMm)
            value.d = kMaxRasterMm;
        if (!EqualsWithin5mm(value.d / 1000.0, m_dRaster))
            m_bChanged = 1;
        break;
    case kAnzahlId:
        if (value.i != m_nAnzahl)
            m_bChanged = 1;
        break;
    default:
        break;
    }
}

void CDlgZurrschiene::Verweigere(int id, int nText)
{
    MessageBoxes().Show(this, Text(273),
                        QString::fromStdString(FormatS("$S!", 1, static_cast<std::uint32_t>(nText))),
                        IMessageBoxService::Icon::Warning, IMessageBoxService::Buttons::Ok);
    if (CEditLast* e = Edit(id)) {
        e->setFocus();
        e->selectAll();
    }
}

void CDlgZurrschiene::OnOK()
{
    CEditLast* abstand = Edit(kAbstandId);
    CEditLast* raster = Edit(kRasterId);
    CEditLast* anzahl = Edit(kAnzahlId);
    if (!abstand || !raster || !anzahl)
        return;
    const double a = abstand->GetDoubleOr(-1.0);
    if (a > -1.005 && a < -0.995) {
        Verweigere(kAbstandId, 494);
        return;
    }
    const double r = raster->GetDoubleOr(-1.0);
    if (r > -1.005 && r < -0.995) {
        Verweigere(kRasterId, 495);
        return;
    }
    const int n = anzahl->GetIntOr(0);
    if (n == 0) {
        Verweigere(kAnzahlId, 497);
        return;
    }
    m_dAbstand = a / 1000.0;
    m_dRaster = r / 1000.0;
    m_nAnzahl = n;
    done(kIdOk);
}

bool CDlgZurrschiene::OnCommand(int id, int notifyCode, QObject* control)
{
    if (id == kIdLoeschen && notifyCode == 0) {
        if (m_bEdit)
            done(kIdLoeschen);
        return true;
    }
    if (id == kIdCancel && notifyCode == 0) {
        done(kIdCancel);
        return true;
    }
    return CDlgBase::OnCommand(id, notifyCode, control);
}

void CDlgZurrschiene::OnUpdateCommand(CommandUpdateEvent& query)
{
    if (query.Id() == static_cast<quint32>(kIdLoeschen)) {
        query.Enable(m_bEdit != 0);
        return;
    }
    if (query.Id() == static_cast<quint32>(kIdOk))
        query.SetText(Text(m_bEdit ? 498 : 490));
    CDlgBase::OnUpdateCommand(query);
}

bool CDlgZurrschiene::OnPaintCtrl(QWidget* ctrl, int id, QPainter& painter)
{
    if (id != kBildId || m_bild.isNull())
        return CDlgBase::OnPaintCtrl(ctrl, id, painter);
    painter.drawImage(ctrl->rect(), m_bild);
    return true;
}
