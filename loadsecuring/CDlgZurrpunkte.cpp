// The lashing-point editor: fields, the kind's picture, the state of its choices and the check of OK.
#include "loadsecuring/CDlgZurrpunkte.h"

#include "model/text/TextFormat.h"
#include "model/text/TextProvider.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CZurrpunkt.h"
#include "model/vehicle/ZurrpunktRegeln.h"
#include "ui/CEditLast.h"
#include "ui/ControlId.h"
#include "ui/IMessageBoxService.h"
#include "ui/ResourcePictures.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLabel>
#include <QPainter>

namespace {

QString Text(std::uint32_t id)
{
    return QString::fromStdString(LoadResString(id));
}

} // namespace

CDlgZurrpunkte::CDlgZurrpunkte(QWidget* parent) : CDlgBase(kTemplateId, parent) {}

int CDlgZurrpunkte::BildId(int nMode)
{
    static constexpr int kBilder[4] = {601, 600, 599, 598};
    return kBilder[nMode & 3];
}

CEditLast* CDlgZurrpunkte::Edit(int id) const
{
    return findChild<CEditLast*>(ControlId::ObjectName(id));
}

bool CDlgZurrpunkte::IsChecked(int id) const
{
    auto* b = findChild<QAbstractButton*>(ControlId::ObjectName(id));
    return b && b->isChecked();
}

void CDlgZurrpunkte::SetChecked(int id, bool on)
{
    if (auto* b = findChild<QAbstractButton*>(ControlId::ObjectName(id)))
        b->setChecked(on);
}

bool CDlgZurrpunkte::IsEnabled(int id) const
{
    QWidget* w = findChild<QWidget*>(ControlId::ObjectName(id));
    return w && w->isEnabled();
}

void CDlgZurrpunkte::Freigabe(int id, bool on)
{
    if (QWidget* w = findChild<QWidget*>(ControlId::ObjectName(id)))
        w->setEnabled(on);
}

void CDlgZurrpunkte::SetText(int id, int nText)
{
    if (auto* l = findChild<QLabel*>(ControlId::ObjectName(id)))
        l->setText(Text(static_cast<std::uint32_t>(nText)));
    else if (auto* b = findChild<QAbstractButton*>(ControlId::ObjectName(id)))
        b->setText(Text(static_cast<std::uint32_t>(nText)));
}

bool CDlgZurrpunkte::OnInitDialog()
{
    CDlgBase::OnInitDialog();
    for (int i = 0; i < 4; ++i)
        m_bilder[static_cast<std::size_t>(i)] =
            LoadCxImageFromResource(static_cast<quint32>(BildId(i)), PICTURE_FORMAT_BITMAP);
    SubclassCtrl(kBildId);
    // Three pairs of radio buttons, each exclusive on its own.
    for (const auto& [a, b] :
         {std::pair{kRechtsId, kLinksId}, std::pair{kVornId, kHintenId}, std::pair{kEinzelnId, kReiheId}}) {
        auto* gruppe = new QButtonGroup(this);
        for (int id : {a, b})
            if (auto* knopf = findChild<QAbstractButton*>(ControlId::ObjectName(id)))
                gruppe->addButton(knopf);
    }
    SetChecked(m_nMode & 1 ? kVornId : kHintenId, true);
    SetChecked(m_nMode & 2 ? kLinksId : kRechtsId, true);
    SetChecked(kStirnId, (m_nMode & 4) != 0);
    for (int id : {kXId, kYId, kDritteId, kKraftId, kAbstandId}) {
        if (CEditLast* e = Edit(id)) {
            e->SetFormat(3, QStringLiteral("%.0f"));
            e->SetAllowedChars(CEditLast::kDigits);
        }
    }
    if (CEditLast* e = Edit(kAnzahlId)) {
        e->SetFormat(1, QStringLiteral("%i"));
        e->SetAllowedChars(CEditLast::kDigits);
    }
    const bool bNeu = !m_bEdit;
    // A new point gets the vehicle's default strength unless its caller preset one.
    if (bNeu && m_pFahrzeug && m_dKraft <= 0.0)
        m_dKraft = StandardZurrkraft(m_pFahrzeug->m_dZulGesamtgewicht);
    // A new point without a lateral value starts 100 mm from the edge.
    if (bNeu && m_dY == 0.0)
        m_dY = 0.1;
    Edit(kXId)->SetDouble(m_dX * 1000.0);
    Edit(kYId)->SetDouble(m_dY * 1000.0);
    Edit(kDritteId)->SetDouble(m_dDritte * 1000.0);
    Edit(kKraftId)->SetDouble(m_dKraft);
    Edit(kAbstandId)->SetDouble(1000.0);
    Edit(kAnzahlId)->SetInt(1);
    if (m_bEdit) {
        const QString name = m_pPunkt ? QString::fromStdString(m_pPunkt->GetName()) : QString();
        setWindowTitle(Text(356).replace(QStringLiteral("$S"), name));
        SetChecked(kEinzelnId, true);
        SetChecked(kReiheId, false);
        Freigabe(kReiheId, false);
        SetText(kEinzelnId, 358);
        Freigabe(kBeideId, false);
        Freigabe(kErsetzenId, true);
        Freigabe(kStirnId, false);
        if (m_nMode & 4)
            Stirn();
        CEditLast* erstes = Edit(m_nMode & 4 ? kYId : kXId);
        erstes->setFocus();
        erstes->selectAll();
    } else {
        setWindowTitle(Text(359));
        SetChecked(kEinzelnId, m_nReihe == 0);
        SetChecked(kReiheId, m_nReihe == 1);
        if (m_nReihe == 1)
            SetText(kReiheTextId, 361);
        SetChecked(kBeideId, true);
        Beide();
    }
    if (m_bEdit || m_nReihe != 1) {
        Freigabe(kAbstandId, false);
        Freigabe(kAnzahlId, false);
        Freigabe(kOhneGrenzeId, false);
        SetChecked(kOhneGrenzeId, true);
    }
    Seite();
    YText();
    KickIdle();
    return true;
}

void CDlgZurrpunkte::Seite()
{
    const bool bHinten = IsChecked(kHintenId);
    if (auto* l = findChild<QLabel*>(ControlId::ObjectName(kXTextId)))
        l->setText(QStringLiteral("%1 (x):").arg(Text(bHinten ? 363 : 365)));
    SetText(kOhneGrenzeId, bHinten ? 364 : 366);
    m_nMode = (IsChecked(kLinksId) ? 2 : 0) | (IsChecked(kVornId) ? 1 : 0) | (m_nMode & 4);
    if (QWidget* w = findChild<QWidget*>(ControlId::ObjectName(kBildId)))
        w->update();
    YText();
}

void CDlgZurrpunkte::YText()
{
    const int n = IsChecked(kBeideId) ? 485 : IsChecked(kRechtsId) ? 368 : 367;
    auto* l = findChild<QLabel*>(ControlId::ObjectName(kYTextId));
    if (l && l->text() != Text(static_cast<std::uint32_t>(n)))
        l->setText(Text(static_cast<std::uint32_t>(n)));
}

void CDlgZurrpunkte::Anzahl()
{
    Freigabe(kAnzahlId, IsChecked(kReiheId) && !IsChecked(kOhneGrenzeId));
}

void CDlgZurrpunkte::Stirn()
{
    if (IsChecked(kStirnId)) {
        SetChecked(kVornId, true);
        Freigabe(kHintenId, false);
        Edit(kXId)->SetDouble(0.0);
        Freigabe(kXId, false);
        if (m_pFahrzeug && m_pFahrzeug->m_dZulGesamtgewicht > 3.5)
            Edit(kKraftId)->SetDouble(1000.0);
        if (Edit(kDritteId)->GetDoubleOr(0.0) < 800.0)
            Edit(kDritteId)->SetDouble(800.0);
        Seite();
    } else {
        Freigabe(kHintenId, true);
        Freigabe(kXId, true);
        if (m_pFahrzeug)
            Edit(kKraftId)->SetDouble(StandardZurrkraft(m_pFahrzeug->m_dZulGesamtgewicht));
        Edit(kDritteId)->SetDouble(0.0);
    }
}

void CDlgZurrpunkte::Beide()
{
    const bool b = IsChecked(kBeideId);
    Freigabe(kRechtsId, !b);
    Freigabe(kLinksId, !b);
    YText();
}

bool CDlgZurrpunkte::OnCommand(int id, int notifyCode, QObject* control)
{
    switch (id) {
    case kRechtsId:
    case kLinksId:
    case kVornId:
    case kHintenId:
        Seite();
        return true;
    case kEinzelnId:
    case kReiheId:
        if (m_bEdit)
            return true;
        if (IsChecked(kEinzelnId)) {
            Freigabe(kAbstandId, false);
            Freigabe(kAnzahlId, false);
            Freigabe(kOhneGrenzeId, false);
            // Text 369 is also the string of a command of the template view; the label stays empty.
            if (auto* l = findChild<QLabel*>(ControlId::ObjectName(kReiheTextId)))
                l->clear();
            Freigabe(kStirnId, true);
        } else {
            Freigabe(kAbstandId, true);
            Freigabe(kOhneGrenzeId, true);
            Anzahl();
            SetText(kReiheTextId, 361);
            Edit(kDritteId)->SetDouble(0.0);
            Freigabe(kStirnId, false);
            if (IsChecked(kStirnId)) {
                SetChecked(kStirnId, false);
                Stirn();
            }
        }
        return true;
    case kOhneGrenzeId:
        Anzahl();
        return true;
    case kStirnId:
        Stirn();
        return true;
    case kBeideId:
        Beide();
        return true;
    default:
        return CDlgBase::OnCommand(id, notifyCode, control);
    }
}

bool CDlgZurrpunkte::OnPaintCtrl(QWidget* ctrl, int id, QPainter& painter)
{
    if (id != kBildId)
        return CDlgBase::OnPaintCtrl(ctrl, id, painter);
    const QImage& bild = m_bilder[static_cast<std::size_t>(m_nMode & 3)];
    if (!bild.isNull()) {
        // White is transparent.
        QImage maske = bild.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < maske.height(); ++y) {
            auto* zeile = reinterpret_cast<QRgb*>(maske.scanLine(y));
            for (int x = 0; x < maske.width(); ++x)
                if ((zeile[x] & 0xFFFFFF) == 0xFFFFFF)
                    zeile[x] = 0;
        }
        painter.drawImage(QPoint(0, 0), maske);
    }
    return true;
}

void CDlgZurrpunkte::OnOK()
{
    const double x = Edit(kXId)->GetDoubleOr(0.0) / 1000.0;
    const double y = Edit(kYId)->GetDoubleOr(0.0) / 1000.0;
    if (m_pFahrzeug && (x > m_pFahrzeug->GetLFLaenge() || y > m_pFahrzeug->GetLFBreite())) {
        MessageBoxes().Show(this, Text(371), Text(370), IMessageBoxService::Icon::Error,
                            IMessageBoxService::Buttons::Ok);
        CEditLast* e = Edit(x > m_pFahrzeug->GetLFLaenge() ? kXId : kYId);
        e->setFocus();
        e->selectAll();
        return;
    }
    m_dX = x;
    m_dY = y;
    m_dDritte = Edit(kDritteId)->GetDoubleOr(0.0) / 1000.0;
    m_dKraft = Edit(kKraftId)->GetDoubleOr(0.0);
    m_nReihe = m_bEdit ? -1 : (IsChecked(kReiheId) ? 1 : 0);
    // A row needs a spacing: 0 would never reach the end of the load area.
    if (m_nReihe == 1 && !(Edit(kAbstandId)->GetDoubleOr(0.0) > 0.0)) {
        MessageBoxes().Show(this, Text(273), QString::fromStdString(FormatS("$S!", 1, 4122u)),
                            IMessageBoxService::Icon::Warning, IMessageBoxService::Buttons::Ok);
        Edit(kAbstandId)->setFocus();
        Edit(kAbstandId)->selectAll();
        return;
    }
    m_nMode = (IsChecked(kStirnId) ? 4 : 0) | (m_nMode & 3);
    m_bBeide = IsChecked(kBeideId) ? 1 : 0;
    m_bErsetzen = IsChecked(kErsetzenId) ? 1 : 0;
    if (m_nReihe == 1) {
        m_dAbstand = Edit(kAbstandId)->GetDoubleOr(0.0) / 1000.0;
        m_dAnzahl = Edit(kAnzahlId)->GetIntOr(0);
        m_bOhneGrenze = IsChecked(kOhneGrenzeId) ? 1 : 0;
    }
    done(kIdOk);
}
