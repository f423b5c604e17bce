// The lashing-devices page of the load-securing wizard.
#include "loadsecuring/CPgLgSichgPage6.h"

#include "loadsecuring/CPshLgSichgWizard.h"
#include "loadsecuring/ILgSicherungView.h"
#include "loadsecuring/ZurrmittelListe.h"
#include "model/plan/CWizardParams.h"
#include "model/securing/ZurrmittelWahl.h"
#include "model/text/FormatArg.h"
#include "model/text/TextFormat.h"
#include "model/text/TextProvider.h"
#include "model/vehicle/CZurrmittel.h"
#include "platform/ResourceModule.h"
#include "ui/CEditLast.h"
#include "ui/ControlId.h"
#include "ui/IMessageBoxService.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QTreeWidget>

#include <algorithm>
#include <cmath>

CPgLgSichgPage6::CPgLgSichgPage6(CPshLgSichgWizard* pWizard) : CPgLgSichgBase2(kTemplate, pWizard) {}

void CPgLgSichgPage6::GetHeaderBitmapId(quint32* pId)
{
    *pId = kHeaderBitmap;
}

QTreeWidget* CPgLgSichgPage6::Liste() const
{
    return findChild<QTreeWidget*>(ControlId::ObjectName(kListeId));
}

CEditLast* CPgLgSichgPage6::Edit(int id) const
{
    return findChild<CEditLast*>(ControlId::ObjectName(id));
}

bool CPgLgSichgPage6::Angekreuzt(int id) const
{
    auto* b = findChild<QAbstractButton*>(ControlId::ObjectName(id));
    return b && b->isChecked();
}

void CPgLgSichgPage6::Kreuze(int id, bool bAn)
{
    if (auto* b = findChild<QAbstractButton*>(ControlId::ObjectName(id)))
        b->setChecked(bAn);
}

bool CPgLgSichgPage6::OnInitDialog()
{
    CPgLgSichgBase2::OnInitDialog();
    SetPageTitle(kTitle, {});
    if (CEditLast* e = Edit(kNameId))
        e->SetFormat(4, QStringLiteral("%s"));
    for (int id : {kVorspannId, kZurrkraftId, kAnzahlId}) {
        if (CEditLast* e = Edit(id)) {
            e->SetFormat(1, QStringLiteral("%i"), QStringLiteral("?"), QStringLiteral("?"));
            e->SetAllowedChars(CEditLast::kDigits);
            e->SetEmptyValueInt(0);
            if (id != kAnzahlId)
                e->SetRange(0, ZurrmittelListe::kHoechsteKraft);
        }
    }
    if (QTreeWidget* l = Liste()) {
        ZurrmittelListe::Einrichten(l);
        connect(l->header(), &QHeaderView::sectionClicked, this, [this](int s) { KopfKlick(s); });
        // Only a row the user selects takes its device: the list makes its first row current without
        // selecting it when it gets the focus, and that must not choose a device for the user.
        connect(l, &QTreeWidget::itemSelectionChanged, this, [this, l] {
            const QList<QTreeWidgetItem*> zeilen = l->selectedItems();
            if (!m_bFuellt && !zeilen.isEmpty())
                ZeileGewaehlt(zeilen.first());
        });
    }
    Fuelle();
    return true;
}

void CPgLgSichgPage6::Fuelle()
{
    m_bFuellt = true;
    QTreeWidget* l = Liste();
    ZurrmittelListe::Fuelle(l, GetFahrzeug(), m_nSortSpalte, m_bAufsteigend);
    // The row of the entry's device is the chosen one.
    if (l && GetWizard()) {
        for (int r = 0; r < l->topLevelItemCount(); ++r) {
            const CZurrmittel* p = ZurrmittelListe::Geraet(l->topLevelItem(r));
            if (p && ZurrmittelWahl::Gleich(GetWizard()->GetParams(), *p)) {
                l->setCurrentItem(l->topLevelItem(r));
                break;
            }
        }
    }
    m_bFuellt = false;
}

void CPgLgSichgPage6::KopfKlick(int nSpalte)
{
    m_bFuellt = true;
    ZurrmittelListe::KopfKlick(nSpalte, m_nSortSpalte, m_bAufsteigend);
    ZurrmittelListe::Sortiere(Liste(), m_nSortSpalte, m_bAufsteigend);
    m_bFuellt = false;
}

void CPgLgSichgPage6::ZeigeEintrag()
{
    if (!GetWizard())
        return;
    const CWizardParams& wp = GetWizard()->GetParams();
    if (CEditLast* e = Edit(kNameId))
        e->SetText(QString::fromStdString(wp.m_strText));
    if (CEditLast* e = Edit(kVorspannId))
        e->SetInt(wp.m_nVorspannkraft);
    if (CEditLast* e = Edit(kZurrkraftId))
        e->SetInt(wp.m_nZurrkraft);
    if (CEditLast* e = Edit(kAnzahlId))
        e->SetInt(wp.m_nReserveKraft);
    Kreuze(kGurtId, wp.m_nZurrmittelTyp == 0);
    Kreuze(kKetteId, wp.m_nZurrmittelTyp != 0);
}

void CPgLgSichgPage6::ZeileGewaehlt(QTreeWidgetItem* pZeile)
{
    const CZurrmittel* p = ZurrmittelListe::Geraet(pZeile);
    if (!p || !GetWizard())
        return;
    CWizardParams& wp = GetWizard()->GetParams();
    if (ZurrmittelWahl::Gleich(wp, *p))
        return;
    ZurrmittelWahl::Uebernimm(wp, *p);
    ZeigeEintrag();
    GetWizard()->SetReach(PageIndex());
    m_bHintDirty = true;
}

void CPgLgSichgPage6::Vergleiche()
{
    QTreeWidget* l = Liste();
    if (!l || !GetWizard())
        return;
    const CZurrmittel* p = ZurrmittelListe::Geraet(l->currentItem());
    if (p && !ZurrmittelWahl::Gleich(GetWizard()->GetParams(), *p)) {
        m_bFuellt = true;
        l->setCurrentItem(nullptr);
        l->clearSelection();
        m_bFuellt = false;
    }
}

void CPgLgSichgPage6::OnFirstActivate()
{
    if (GetWizard() && GetWizard()->GetStartMode() == 0)
        Kreuze(kOhneZurrkraftId, false);
}

bool CPgLgSichgPage6::OnSetActive()
{
    ZeigeEintrag();
    const bool bSchiene = GetWizard() && GetWizard()->GetParams().m_nQuerQuelle != 0;
    if (!bSchiene)
        Kreuze(kSchieneId, false);
    if (auto* b = findChild<QWidget*>(ControlId::ObjectName(kSchieneId)))
        b->setEnabled(bSchiene);
    Fuelle();
    if (ILgSicherungView* v = GetView()) {
        v->ClearLoadMarks();
        v->RepaintView();
    }
    return CPgLgSichgBase2::OnSetActive();
}

int CPgLgSichgPage6::OnViewNotify(LgSichgMeldung eMeldung, const LgSichgWert&)
{
    // The vehicle's devices changed in the device editor.
    if (eMeldung == LgSichgMeldung::kZurrmittelGeaendert) {
        Fuelle();
        return 1;
    }
    return 0;
}

bool CPgLgSichgPage6::OnCommand(int id, int notifyCode, QObject* control)
{
    if ((id == kGurtId || id == kKetteId) && GetWizard()) {
        GetWizard()->GetParams().m_nZurrmittelTyp = id == kGurtId ? 0 : 1;
        Vergleiche();
        return true;
    }
    return CPgLgSichgBase2::OnCommand(id, notifyCode, control);
}

void CPgLgSichgPage6::OnEditCommit(int ctrlId, EditValue& value, int reserved)
{
    CPgLgSichgBase2::OnEditCommit(ctrlId, value, reserved);
    if (!GetWizard())
        return;
    CWizardParams& wp = GetWizard()->GetParams();
    switch (ctrlId) {
    case kVorspannId:
        value.i = std::clamp(value.i, 0, 9999);
        wp.m_nVorspannkraft = value.i;
        break;
    case kZurrkraftId:
        value.i = std::clamp(value.i, 0, 99999);
        wp.m_nZurrkraft = value.i;
        break;
    case kAnzahlId:
        value.i = std::clamp(value.i, 0, 99);
        wp.m_nReserveKraft = value.i;
        return;
    case kNameId:
        wp.m_strText = value.s.toStdString();
        break;
    default:
        return;
    }
    m_bHintDirty = true;
    Vergleiche();
}

void CPgLgSichgPage6::Verweigere(int id, quint32 nText)
{
    IMessageBoxService::HtmlBox box;
    box.text = QString::fromStdString(FormatResChecked(455, {LoadResString(nText)}));
    box.captionId = 273;
    box.buttons = {{668, 668}};
    MessageBoxes().ShowHtml(this, box, nullptr);
    if (CEditLast* e = Edit(id)) {
        e->setFocus();
        e->selectAll();
    }
}

int CPgLgSichgPage6::Validate(int nTarget)
{
    if (nTarget != PageIndex() + 1 || !GetWizard())
        return nTarget;
    const CWizardParams& wp = GetWizard()->GetParams();
    const bool bZurrkraftFehlt = wp.m_nZurrkraft <= 0;
    if (wp.m_nVerfahren == 1) {
        if (bZurrkraftFehlt && !Angekreuzt(kOhneZurrkraftId)) {
            IMessageBoxService::HtmlBox box;
            box.textId = 560;
            box.captionId = 263;
            box.buttons = {{668, 668}, {798, 799}};
            if (MessageBoxes().ShowHtml(this, box, nullptr) != 798) {
                if (CEditLast* e = Edit(kZurrkraftId)) {
                    e->setFocus();
                    e->selectAll();
                }
                return -2;
            }
            Kreuze(kOhneZurrkraftId, true);
        }
        return nTarget;
    }
    if (bZurrkraftFehlt) {
        Verweigere(kZurrkraftId, 456);
        return -2;
    }
    if (wp.m_nVorspannkraft <= 0) {
        Verweigere(kVorspannId, 458);
        return -2;
    }
    return nTarget;
}

void CPgLgSichgPage6::GetNextCommandId(int nId, int* pNext)
{
    if (nId == CPshLgSichgWizard::kIdBack)
        *pNext = kOhneZurrkraftId;
}

int CPgLgSichgPage6::BuildHintHtml(std::intptr_t nArg, QString* pHtml)
{
    CPgLgSichgBase2::BuildHintHtml(nArg, pHtml);
    if (pHtml)
        *pHtml = (ResourceModule::Current() ? ResourceModule::Current()->Html(kHintTemplate) : QString())
                     .replace(QStringLiteral("/*$endColor*/"), QStringLiteral("#CAD9EF"));
    return 0;
}
