// The lashing-device editor: the list, the fields of a chosen device, adding and taking off.
#include "loadsecuring/CDlgZurrmittel.h"

#include "loadsecuring/CQORLgSicherungView.h"
#include "loadsecuring/ZurrmittelListe.h"
#include "model/text/TextFormat.h"
#include "model/text/TextProvider.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CZurrmittel.h"
#include "ui/CEditLast.h"
#include "ui/CommandUpdateEvent.h"
#include "ui/ControlId.h"
#include "ui/IMessageBoxService.h"
#include "ui/ResourcePictures.h"
#include "ui/RibBtnStrip.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QPainter>
#include <QTreeWidget>

#include <algorithm>
#include <cmath>

namespace {

QString Text(std::uint32_t id)
{
    return QString::fromStdString(LoadResString(id));
}

} // namespace

CDlgZurrmittel::CDlgZurrmittel(QWidget* parent) : CDlgBase(kTemplateId, parent) {}

CEditLast* CDlgZurrmittel::Edit(int id) const
{
    return findChild<CEditLast*>(ControlId::ObjectName(id));
}

QTreeWidget* CDlgZurrmittel::Liste() const
{
    return findChild<QTreeWidget*>(ControlId::ObjectName(kListeId));
}

void CDlgZurrmittel::OnRibBtnContainerCreated(IButtonStrip* strip, int placeholderId)
{
    CDlgBase::OnRibBtnContainerCreated(strip, placeholderId);
    if (auto* rib = dynamic_cast<RibBtnStrip*>(strip); rib && rib->Strip()) {
        rib->Strip()->SetBackgroundBitmapColor(2, 0xEDD8C8); // RGB(200, 216, 237) as 0x00BBGGRR
        rib->Strip()->SetBackgroundBitmapColor(1, 0xEDD8C8);
    }
}

bool CDlgZurrmittel::OnInitDialog()
{
    CDlgBase::OnInitDialog();
    m_bildZurrmittel = LoadCxImageFromResource(kBildZurrmittel, PICTURE_FORMAT_BITMAP);
    m_bildGurt = LoadCxImageFromResource(kBildGurt, PICTURE_FORMAT_BITMAP);
    m_bildKette = LoadCxImageFromResource(kBildKette, PICTURE_FORMAT_BITMAP);
    SubclassCtrl(kTypBildId);
    SubclassCtrl(kBildId);
    const QString frage = QStringLiteral("?");
    const QString tilde = QStringLiteral("~");
    if (CEditLast* e = Edit(kNameId))
        e->SetFormat(4, QStringLiteral("%s"));
    if (CEditLast* e = Edit(kVorspannId)) {
        e->SetFormat(3, QStringLiteral("%.0f"), QString::fromStdString(LoadResString(559)), frage);
        e->SetAllowedChars(CEditLast::kDigits);
        e->SetRange(0, ZurrmittelListe::kHoechsteKraft);
        e->SetEmptyValueDouble(0.0);
    }
    if (CEditLast* e = Edit(kZurrkraftId)) {
        e->SetFormat(3, QStringLiteral("%.0f"), frage, frage);
        e->SetAllowedChars(CEditLast::kDigits);
        e->SetRange(0, ZurrmittelListe::kHoechsteKraft);
        e->SetEmptyValueDouble(0.0);
    }
    if (CEditLast* e = Edit(kAnzahlId)) {
        e->SetFormat(1, QStringLiteral("%i"), tilde, tilde);
        e->SetAllowedChars(CEditLast::kDigits);
        e->SetEmptyValueInt(0);
    }
    if (CEditLast* e = Edit(kAbnehmenAnzahlId)) {
        e->SetFormat(1, QStringLiteral("%i"), tilde);
        e->SetAllowedChars(CEditLast::kDigits);
        e->SetEmptyValueInt(0);
    }
    if (CEditLast* e = Edit(kNameId))
        e->SetText(Text(342));
    if (CEditLast* e = Edit(kVorspannId))
        e->SetDouble(0.0);
    if (CEditLast* e = Edit(kZurrkraftId))
        e->SetDouble(0.0);
    if (CEditLast* e = Edit(kAnzahlId))
        e->SetInt(1);
    int typ = 0;
    DDXRadioGroup(false, kTyp0Id, &typ);
    if (QTreeWidget* l = Liste()) {
        ZurrmittelListe::Einrichten(l);
        connect(l->header(), &QHeaderView::sectionClicked, this, [this](int s) { KopfKlick(s); });
        connect(l, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item, QTreeWidgetItem*) {
            if (!m_bBeschaeftigt)
                ZeileGewaehlt(item);
        });
    }
    Fuelle();
    KickIdle();
    return true;
}

void CDlgZurrmittel::Fuelle()
{
    m_bBeschaeftigt = true;
    ZurrmittelListe::Fuelle(Liste(), m_pFahrzeug, m_nSortSpalte, m_bAufsteigend);
    m_nZeile = -1;
    m_bBeschaeftigt = false;
}

void CDlgZurrmittel::KopfKlick(int nSpalte)
{
    m_bBeschaeftigt = true;
    ZurrmittelListe::KopfKlick(nSpalte, m_nSortSpalte, m_bAufsteigend);
    QTreeWidget* l = Liste();
    QTreeWidgetItem* gemerkt = l && m_nZeile >= 0 ? l->topLevelItem(m_nZeile) : nullptr;
    ZurrmittelListe::Sortiere(l, m_nSortSpalte, m_bAufsteigend);
    if (gemerkt)
        m_nZeile = l->indexOfTopLevelItem(gemerkt);
    m_bBeschaeftigt = false;
}

int CDlgZurrmittel::Typ() const
{
    int typ = 0;
    const_cast<CDlgZurrmittel*>(this)->DDXRadioGroup(true, kTyp0Id, &typ);
    // The run is 1214, then 1191, then 1215 in the template's order.
    return std::clamp(typ, 0, 2);
}

void CDlgZurrmittel::ZeileGewaehlt(QTreeWidgetItem* pZeile)
{
    QTreeWidget* l = Liste();
    CZurrmittel* p = ZurrmittelListe::Geraet(pZeile);
    if (!l || !p)
        return;
    m_nZeile = l->indexOfTopLevelItem(pZeile);
    int typ = p->m_nTyp == 0 ? 0 : 1;
    DDXRadioGroup(false, kTyp0Id, &typ);
    OnCommand(typ == 0 ? kTyp0Id : kTyp1Id, 0, nullptr);
    if (CEditLast* e = Edit(kNameId))
        e->SetText(QString::fromStdString(p->m_strName));
    if (CEditLast* e = Edit(kVorspannId))
        e->SetDouble(p->m_dVorspannkraft);
    if (CEditLast* e = Edit(kZurrkraftId))
        e->SetDouble(p->m_dZurrkraft);
    if (auto* b = findChild<QAbstractButton*>(ControlId::ObjectName(kOhneVorspannId)))
        b->setChecked(std::fabs(p->m_dVorspannkraft) <= 0.05);
    if (CEditLast* e = Edit(kAbnehmenAnzahlId))
        e->SetInt(p->m_nAnzahl);
    KickIdle();
}

void CDlgZurrmittel::Verweigere(int id, int nText)
{
    MessageBoxes().Show(this, Text(273),
                        QString::fromStdString(FormatS("$S!", 1, static_cast<std::uint32_t>(nText))),
                        IMessageBoxService::Icon::Warning, IMessageBoxService::Buttons::Ok);
    if (CEditLast* e = Edit(id)) {
        e->setFocus();
        e->selectAll();
    }
}

void CDlgZurrmittel::Benachrichtige()
{
    m_bChanged = 1;
    if (m_pView)
        m_pView->NotifyWizard(LgSichgMeldung::kZurrmittelGeaendert);
}

void CDlgZurrmittel::Hinzufuegen()
{
    if (!m_pFahrzeug)
        return;
    CZurrmittel neu;
    neu.m_nTyp = Typ();
    auto* ohne = findChild<QAbstractButton*>(ControlId::ObjectName(kOhneVorspannId));
    CEditLast* wert1 = Edit(kVorspannId);
    CEditLast* wert2 = Edit(kZurrkraftId);
    CEditLast* anzahl = Edit(kAnzahlId);
    CEditLast* name = Edit(kNameId);
    if (!wert1 || !wert2 || !anzahl || !name)
        return;
    // A refused entry adds nothing: its own message says what the field takes (the tension force only
    // counts while it is given).
    const bool bOhneVorspann = ohne && ohne->isChecked();
    for (CEditLast* feld : {wert1, wert2, anzahl})
        if ((feld != wert1 || !bOhneVorspann) && !feld->CommitPending())
            return;
    if (bOhneVorspann)
        neu.m_dVorspannkraft = 0.0;
    else {
        if (wert1->IsEmpty()) {
            Verweigere(kVorspannId, 348);
            return;
        }
        neu.m_dVorspannkraft = wert1->GetDoubleOr(0.0);
    }
    neu.m_dZurrkraft = wert2->GetDoubleOr(0.0);
    if (neu.m_dZurrkraft == 0.0) {
        Verweigere(kZurrkraftId, 349);
        return;
    }
    neu.m_strName = name->text().toStdString();
    neu.m_dWert3 = 0.0;
    neu.m_nAnzahl = std::max(0, anzahl->GetIntOr(0));
    neu.m_nTypZusatz = 0;
    m_pFahrzeug->AddZurrmittel(neu, true);
    Benachrichtige();
    Fuelle();
    int typ = 0;
    DDXRadioGroup(false, kTyp0Id, &typ);
    wert1->SetText(std::nullopt);
    wert2->SetText(std::nullopt);
    anzahl->SetInt(1);
    KickIdle();
}

void CDlgZurrmittel::Abnehmen()
{
    QTreeWidget* l = Liste();
    if (!m_pFahrzeug || !l || m_nZeile < 0)
        return;
    QTreeWidgetItem* item = l->topLevelItem(m_nZeile);
    CZurrmittel* p = ZurrmittelListe::Geraet(item);
    CEditLast* feld = Edit(kAbnehmenAnzahlId);
    if (!p || !feld || ZurrmittelListe::IstStandard(item))
        return;
    const bool bLeer = feld->text().trimmed() == QStringLiteral("~") || feld->text().trimmed().isEmpty();
    const int n = bLeer ? 0 : feld->GetIntOr(0);
    if (!bLeer && n <= 0)
        return;
    m_bBeschaeftigt = true;
    if (!bLeer && n < p->m_nAnzahl) {
        p->m_nAnzahl -= n;
        item->setText(4, QString::fromStdString(ZurrmittelListe::AnzahlText(p->m_nAnzahl)));
        feld->SetInt(p->m_nAnzahl);
    } else {
        auto& liste = m_pFahrzeug->m_ZurrmittelBenutzt;
        liste.remove_if([p](const auto& pGeraet) { return pGeraet.get() == p; });
        delete l->takeTopLevelItem(m_nZeile);
        m_nZeile = -1;
        ZurrmittelListe::Faerbe(l);
    }
    m_bBeschaeftigt = false;
    Benachrichtige();
    KickIdle();
}

bool CDlgZurrmittel::OnCommand(int id, int notifyCode, QObject* control)
{
    switch (id) {
    case kTyp0Id:
    case kTyp1Id:
    case kTyp2Id:
        if (CEditLast* e = Edit(kNameId))
            e->SetText(Text(id == kTyp0Id ? 342 : id == kTyp1Id ? 353 : 354));
        InvalidateCtrl(kTypBildId);
        InvalidateCtrl(kBildId);
        return true;
    case kHinzuId:
        Hinzufuegen();
        return true;
    case kAbnehmenId:
        Abnehmen();
        return true;
    default:
        return CDlgBase::OnCommand(id, notifyCode, control);
    }
}

void CDlgZurrmittel::OnUpdateCommand(CommandUpdateEvent& query)
{
    QTreeWidget* l = Liste();
    switch (static_cast<int>(query.Id())) {
    case kAbnehmenId: {
        QTreeWidgetItem* item = l ? l->currentItem() : nullptr;
        query.Enable(item && item->isSelected() && ZurrmittelListe::Geraet(item) &&
                     !ZurrmittelListe::IstStandard(item));
        return;
    }
    case kAbnehmenAnzahlId: {
        CZurrmittel* p = l && m_nZeile >= 0 ? ZurrmittelListe::Geraet(l->topLevelItem(m_nZeile)) : nullptr;
        query.Enable(p && p->m_nAnzahl != 0);
        return;
    }
    case kVorspannId: {
        auto* ohne = findChild<QAbstractButton*>(ControlId::ObjectName(kOhneVorspannId));
        query.Enable(!ohne || !ohne->isChecked());
        return;
    }
    case kHinzuId:
        query.Enable(m_pFahrzeug != nullptr);
        return;
    default:
        CDlgBase::OnUpdateCommand(query);
    }
}

bool CDlgZurrmittel::OnPaintCtrl(QWidget* ctrl, int id, QPainter& painter)
{
    const QImage* bild = nullptr;
    if (id == kTypBildId) {
        const int typ = Typ();
        bild = typ == 0 ? &m_bildGurt : typ == 1 ? &m_bildKette : nullptr;
    } else if (id == kBildId)
        bild = &m_bildZurrmittel;
    else
        return CDlgBase::OnPaintCtrl(ctrl, id, painter);
    if (bild && !bild->isNull())
        painter.drawImage(0, 0, *bild);
    return true;
}
