// The lashing-points page of the load-securing wizard.
#include "loadsecuring/CPgLgSichgPage10.h"

#include "loadsecuring/CPgLgSichgPage4.h"
#include "loadsecuring/CPshLgSichgWizard.h"
#include "loadsecuring/ILgSicherungView.h"
#include "loadsecuring/SZurrschienenKlick.h"
#include "model/base/AppHelpers.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/securing/ZurrGeometrie.h"
#include "model/text/FormatArg.h"
#include "model/text/TextFormat.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CZurrschiene.h"
#include "platform/ResourceModule.h"
#include "ui/CEditLast.h"
#include "ui/CommandUpdateEvent.h"
#include "ui/ControlId.h"
#include "ui/IMessageBoxService.h"
#include "ui/NotifyEvent.h"

#include <QAbstractButton>
#include <QFocusEvent>
#include <QLabel>
#include <QPainter>

#include <algorithm>
#include <iterator>
#include <list>

namespace {

constexpr int kOk = 668;

// The controls shown only while the lashings go to the rails, and only while they go to points.
constexpr int kNurSchienen[] = {1314, 1316, 1317, 1247, 1318, 1191, 1192};
constexpr int kNurPunkte[] = {1315, 1321, 1322, 1320, 1319, 1246, 1140, 1138, 1139};

// The field colours of the current corner: first and second slot.
QColor FeldFarbe(int nSub)
{
    return nSub == 1 ? QColor(255, 131, 6) : QColor(198, 90, 19);
}

std::string Text(quint32 id)
{
    const ResourceModule* m = ResourceModule::Current();
    return m ? m->String(id).toStdString() : std::string();
}

} // namespace

CPgLgSichgPage10::CPgLgSichgPage10(CPshLgSichgWizard* pWizard) : CPgLgSichgBase2(kTemplate, pWizard) {}

void CPgLgSichgPage10::GetHeaderBitmapId(quint32* pId)
{
    *pId = kHeaderBitmap;
}

bool CPgLgSichgPage10::OnInitDialog()
{
    CPgLgSichgBase2::OnInitDialog();
    SetPageTitle(kTitle, {});
    if (const ResourceModule* pModule = ResourceModule::Current()) {
        m_bildSkizze = pModule->Bitmap(kSkizze);
        const quint32 bilder[5] = {734, 790, 735, 737, 736};
        for (int i = 0; i < 5; ++i)
            m_bilder[std::size_t(i)] = pModule->Bitmap(bilder[i]);
    }
    for (int id : kIdFeld)
        if (CEditLast* e = Feld(id)) {
            e->SetFormat(EditValue::kText);
            e->SetAllowedChars(QStringLiteral("LRV0123456789"));
            e->SetCharMap(QStringLiteral("lrv"), QStringLiteral("LRV"));
            e->SetOnceOnlyChars(QStringLiteral("LRV"));
            e->SetEmptyValueText(QString());
            e->installEventFilter(this);
        }
    if (CEditLast* e = Feld(kIdSchienenPos)) {
        e->SetFormat(EditValue::kDouble, QStringLiteral("%.0f"));
        e->SetAllowedChars(CEditLast::kDigits);
        e->SetEmptyValueDouble(-1.0);
    }
    SubclassCtrl(kIdSkizze);
    SubclassCtrl(kIdWahlBild);
    return true;
}

CEditLast* CPgLgSichgPage10::Feld(int id) const
{
    return qobject_cast<CEditLast*>(ControlId::Find(this, id));
}

bool CPgLgSichgPage10::Checked(int id) const
{
    auto* b = qobject_cast<QAbstractButton*>(ControlId::Find(this, id));
    return b && b->isChecked();
}

void CPgLgSichgPage10::SetChecked(int id, bool on)
{
    if (auto* b = qobject_cast<QAbstractButton*>(ControlId::Find(this, id)))
        b->setChecked(on);
}

int CPgLgSichgPage10::Ecke() const
{
    CLadeeinheit* u = GetLadeeinheit();
    return u ? u->GetSichgModus(nullptr) : -1;
}

int CPgLgSichgPage10::Sub() const
{
    int nFlag = 0;
    if (CLadeeinheit* u = GetLadeeinheit())
        u->GetSichgModus(&nFlag);
    return nFlag == 1 ? 1 : 0;
}

int CPgLgSichgPage10::Option() const
{
    return GetWizard() && GetWizard()->GetParams().m_nQuerQuelle == 1 ? 1 : 0;
}

CZurrschiene* CPgLgSichgPage10::Schiene(int nIndex) const
{
    CFahrzeug* f = GetFahrzeug();
    if (!f || nIndex < 0 || nIndex >= int(f->m_Zurrschienen.size()))
        return nullptr;
    return std::next(f->m_Zurrschienen.begin(), nIndex)->get();
}

CZurrschiene* CPgLgSichgPage10::GewaehlteSchiene() const
{
    if (Checked(kIdSchiene1))
        return Schiene(0);
    if (Checked(kIdSchiene2))
        return Schiene(1);
    return nullptr;
}

void CPgLgSichgPage10::RepaintView(bool)
{
    CPshLgSichgWizard* wizard = GetWizard();
    if (wizard && wizard->GetView())
        wizard->GetView()->RepaintView();
}

void CPgLgSichgPage10::Meldung(int nText)
{
    IMessageBoxService::HtmlBox box;
    box.textId = nText;
    box.captionId = 273;
    box.buttons = {{kOk, kOk}};
    MessageBoxes().ShowHtml(this, box, nullptr);
}

// --- the geometry -------------------------------------------------------------------------------------

void CPgLgSichgPage10::UpdateZurrBereiche(int nWahl)
{
    CFahrzeug* f = GetFahrzeug();
    CLadeeinheit* u = GetLadeeinheit();
    if (f && u)
        ZurrGeometrie::UpdateZurrBereiche(*f, *u, nWahl, Ecke());
}

int CPgLgSichgPage10::AutoAssignZurrpunkte(int nS)
{
    CFahrzeug* f = GetFahrzeug();
    CLadeeinheit* u = GetLadeeinheit();
    if (!f || !u || !GetWizard())
        return 0;
    return ZurrGeometrie::AutoAssignZurrpunkte(*f, *u, GetWizard()->GetParams().m_nDetailWert, nS, m_scratch);
}

CZurrpunkt* CPgLgSichgPage10::FindBestZurrpunkt(int nEcke, bool bSchienen, double ideal, double a1, double a2,
                                                double dXGrenze, double dYGrenze)
{
    CFahrzeug* f = GetFahrzeug();
    CLadeeinheit* u = GetLadeeinheit();
    if (!f || !u)
        return nullptr;
    return ZurrGeometrie::FindBestZurrpunkt(*f, *u, nEcke, bSchienen, ideal, a1, a2, dXGrenze, dYGrenze,
                                            m_scratch);
}

bool CPgLgSichgPage10::AssignZurrpunktByName(const QString& strName, int nEcke, int nSub)
{
    CFahrzeug* f = GetFahrzeug();
    CLadeeinheit* u = GetLadeeinheit();
    return f && u && ZurrGeometrie::AssignZurrpunktByName(*f, *u, strName.toStdString(), nEcke, nSub);
}

void CPgLgSichgPage10::AssignRailPoint(int nEcke, int nSub, CZurrschiene* pSchiene, double dPos)
{
    CFahrzeug* f = GetFahrzeug();
    CLadeeinheit* u = GetLadeeinheit();
    if (f && u)
        ZurrGeometrie::AssignRailPoint(*f, *u, nEcke, nSub, pSchiene, dPos);
}

void CPgLgSichgPage10::CommitZurrpunktName(int nFeldId, int nSub)
{
    CEditLast* e = Feld(nFeldId);
    CFahrzeug* f = GetFahrzeug();
    CLadeeinheit* u = GetLadeeinheit();
    const auto* it = std::find(kIdFeld.begin(), kIdFeld.end(), nFeldId);
    if (!e || !f || !u || it == kIdFeld.end())
        return;
    const int nEcke = int(it - kIdFeld.begin());
    std::string strName;
    if (ZurrGeometrie::NormalisiereName(e->GetText().toStdString(), ZurrGeometrie::SeitenArt(*f), &strName)) {
        const QString name = QString::fromStdString(strName);
        e->SetText(name);
        if (AssignZurrpunktByName(name, nEcke, nSub)) {
            e->SetText(name);
            if (GetWizard())
                GetWizard()->SetReach(kIndex);
        } else {
            ShowZurrpunktNamen(nSub);
        }
    } else {
        // Not a name: the field shows the slot's point again.
        CZurrpunkt* p = u->GetZurrpunkt(nEcke, nSub);
        e->SetText(p && !(p->m_nFlags & CZurrpunkt::kAnSchiene)
                       ? std::optional<QString>(QString::fromStdString(p->GetName()))
                       : std::nullopt);
    }
    ShowRailPos();
    RepaintView(true);
}

// --- showing ------------------------------------------------------------------------------------------

void CPgLgSichgPage10::ShowZurrpunktNamen(int nSub)
{
    CLadeeinheit* u = GetLadeeinheit();
    if (GetWizard())
        GetWizard()->SetEckeSub(nSub);
    for (int i = 0; i < 4; ++i)
        if (CEditLast* e = Feld(kIdFeld[std::size_t(i)])) {
            CZurrpunkt* p = u ? u->GetZurrpunkt(i, nSub) : nullptr;
            if (p && !(p->m_nFlags & CZurrpunkt::kAnSchiene))
                e->SetText(QString::fromStdString(p->GetName()));
            else
                e->SetText(std::nullopt);
        }
}

void CPgLgSichgPage10::ColourFields()
{
    const int nEcke = Ecke();
    for (int i = 0; i < 4; ++i)
        if (CEditLast* e = Feld(kIdFeld[std::size_t(i)]))
            e->SetBkColor(i == nEcke ? FeldFarbe(Sub()) : QColor(Qt::white));
}

void CPgLgSichgPage10::ShowRailPos()
{
    CEditLast* e = Feld(kIdSchienenPos);
    CLadeeinheit* u = GetLadeeinheit();
    if (!e)
        return;
    CZurrpunkt* p = u ? u->GetZurrpunkt(Ecke(), Sub()) : nullptr;
    if (p && (p->m_nFlags & CZurrpunkt::kAnSchiene))
        e->SetDouble(p->GetPosX() * 1000.0);
    else
        e->SetText(std::nullopt);
    // The rail radios follow the slot's rail.
    if (p && p->GetZurrschiene()) {
        SetChecked(kIdSchiene1, p->GetZurrschiene() == Schiene(0));
        SetChecked(kIdSchiene2, p->GetZurrschiene() == Schiene(1));
    }
}

void CPgLgSichgPage10::ZeigeOption()
{
    const bool bSchienen = Option() == 1;
    for (int id : kNurSchienen)
        if (QWidget* w = ControlId::Find(this, id))
            w->setVisible(bSchienen);
    for (int id : kNurPunkte)
        if (QWidget* w = ControlId::Find(this, id))
            w->setVisible(!bSchienen);
    SetChecked(bSchienen ? kIdSchienen : kIdPunkte, true);
}

void CPgLgSichgPage10::SetEcke(int nEcke, int nSub)
{
    CLadeeinheit* u = GetLadeeinheit();
    if (!u)
        return;
    const int nAlt = Ecke();
    u->SetSichgModus(nEcke, nSub);
    if (GetWizard())
        GetWizard()->SetEcke(nEcke);
    SetChecked(kIdZweiter, nSub == 1);
    if (nEcke >= 0 && nEcke <= 3)
        SetChecked(kIdEcke0 + nEcke, true);
    if (nAlt != nEcke && GetWizard())
        UpdateZurrBereiche(GetWizard()->GetParams().m_nDetailWert);
    ColourFields();
    ShowRailPos();
}

void CPgLgSichgPage10::Aktualisiere(bool bSofort)
{
    ShowZurrpunktNamen(Sub());
    ColourFields();
    ShowRailPos();
    RepaintView(bSofort);
}

// --- entering -----------------------------------------------------------------------------------------

void CPgLgSichgPage10::Erstbetreten()
{
    m_bErstGetan = true;
    CPshLgSichgWizard* wizard = GetWizard();
    CLadeeinheit* u = GetLadeeinheit();
    if (!wizard)
        return;
    const int nWahl = wizard->GetParams().m_nDetailWert;
    m_bildWahl = m_bilder[std::size_t(nWahl >= 0 && nWahl <= 4 ? nWahl : 0)];
    if (auto* text = qobject_cast<QLabel*>(ControlId::Find(this, kIdWahlText)))
        text->setText(QString::fromStdString(FormatAuswahlText(unsigned(std::max(nWahl, 0)), false)));
    if (u && u->GetSichgModus(nullptr) < 0)
        u->SetSichgModus(0, 0);
    ShowZurrpunktNamen(0);
    ShowRailPos();
    UpdateZurrBereiche(nWahl);
    if (wizard->IsZurrpunkteVorschlagen() && u) {
        const int n = AutoAssignZurrpunkte(Option());
        ShowZurrpunktNamen(Sub());
        ShowRailPos();
        if (n < 4)
            Meldung(551);
    }
}

void CPgLgSichgPage10::OnFirstEnter(int)
{
    Erstbetreten();
}

void CPgLgSichgPage10::OnFirstActivate()
{
    if (GetWizard() && GetWizard()->GetStartMode() != 0 && !m_bErstGetan)
        Erstbetreten();
}

bool CPgLgSichgPage10::OnSetActive()
{
    const bool bOk = CPgLgSichgBase2::OnSetActive();
    CLadeeinheit* u = GetLadeeinheit();
    if (u) {
        int nFlag = 0;
        int nEcke = u->GetSichgModus(&nFlag);
        if (nFlag == 2)
            nFlag = 0;
        if (nEcke < 0 || nEcke > 3) {
            nEcke = 0;
            nFlag = 0;
        }
        u->SetSichgModus(nEcke, nFlag);
        if (GetWizard())
            GetWizard()->SetEcke(nEcke);
        SetChecked(kIdZweiter, nFlag == 1);
        SetChecked(kIdEcke0 + nEcke, true);
    }
    ShowZurrpunktNamen(Sub());
    ColourFields();
    ShowRailPos();
    if (GetWizard())
        UpdateZurrBereiche(GetWizard()->GetParams().m_nDetailWert);
    ZeigeOption();
    NotifyView(false, LgSichgSeitenHinweis::kQuerQuelleGewaehlt, Option());
    return bOk;
}

int CPgLgSichgPage10::BuildHintHtml(std::intptr_t nArg, QString* pHtml)
{
    CPgLgSichgBase2::BuildHintHtml(nArg, pHtml);
    const ResourceModule* pModule = ResourceModule::Current();
    if (pModule && pHtml)
        *pHtml = pModule->Html(kHint);
    return 0;
}

void CPgLgSichgPage10::GetNextCommandId(int nId, int* pNext)
{
    if (nId == CPshLgSichgWizard::kIdBack && pNext)
        *pNext = kIdFeld[3];
    else
        CPgLgSichgBase2::GetNextCommandId(nId, pNext);
}

// --- the fields ---------------------------------------------------------------------------------------

bool CPgLgSichgPage10::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn)
        for (int i = 0; i < 4; ++i)
            if (watched == Feld(kIdFeld[std::size_t(i)]))
                FeldFokus(i);
    return CPgLgSichgBase2::eventFilter(watched, event);
}

void CPgLgSichgPage10::FeldFokus(int nEcke)
{
    if (m_bFokusUeberspringen) {
        m_bFokusUeberspringen = false;
        return;
    }
    const int nPending = m_nPending;
    m_nPending = -1;
    if (nPending >= 0 && nPending != nEcke && Ecke() != nEcke) {
        // A corner was clicked in the view: its field takes the focus instead.
        if (CEditLast* e = Feld(kIdFeld[std::size_t(nPending)])) {
            m_bFokusUeberspringen = true;
            e->setFocus(Qt::OtherFocusReason);
        }
        return;
    }
    SetEcke(nEcke, Checked(kIdZweiter) ? 1 : 0);
    RepaintView(false);
}

void CPgLgSichgPage10::OnNotify(NotifyEvent& event)
{
    if (event.Code() != CEditLast::kNotifyChanged)
        return CPgLgSichgBase2::OnNotify(event);
    const int id = int(event.Id());
    if (std::find(kIdFeld.begin(), kIdFeld.end(), id) != kIdFeld.end()) {
        CommitZurrpunktName(id, Checked(kIdZweiter) ? 1 : 0);
        return;
    }
    if (id == kIdSchienenPos)
        SchienenPosGesetzt();
}

double CPgLgSichgPage10::BegrenzeSchienenPos(double dMm) const
{
    CZurrschiene* s = GewaehlteSchiene();
    CFahrzeug* f = GetFahrzeug();
    if (!s || !f)
        return dMm;
    double von = 0.0, bis = 0.0;
    if (ZurrGeometrie::RailHasRange(*s)) {
        s->GetBereich(&von, &bis);
        von = std::max(von, ZurrGeometrie::SchienenAnfang(*s));
        bis = std::min(bis, ZurrGeometrie::SchienenEnde(*f, *s));
    } else {
        von = ZurrGeometrie::SchienenAnfang(*s);
        bis = ZurrGeometrie::SchienenEnde(*f, *s);
    }
    if (bis < von)
        bis = von;
    return std::clamp(dMm, von * 1000.0, bis * 1000.0);
}

void CPgLgSichgPage10::OnEditCommit(int ctrlId, EditValue& value, int reserved)
{
    if (ctrlId == kIdSchienenPos && value.mode == EditValue::kDouble && value.d >= 0.0) {
        if (!GewaehlteSchiene()) {
            // Without a rail chosen, the only rail with a usable range is taken.
            CZurrschiene* a = Schiene(0);
            CZurrschiene* b = Schiene(1);
            const bool bA = a && ZurrGeometrie::RailHasRange(*a), bB = b && ZurrGeometrie::RailHasRange(*b);
            if (bA != bB)
                SetChecked(bA ? kIdSchiene1 : kIdSchiene2, true);
        }
        value.d = BegrenzeSchienenPos(value.d);
        return;
    }
    CPgLgSichgBase2::OnEditCommit(ctrlId, value, reserved);
}

void CPgLgSichgPage10::SchienenPosGesetzt()
{
    CEditLast* e = Feld(kIdSchienenPos);
    CFahrzeug* f = GetFahrzeug();
    CLadeeinheit* u = GetLadeeinheit();
    const int nEcke = Ecke();
    if (!e || !f || !u || f->m_Zurrschienen.empty() || nEcke < 0) {
        ShowRailPos();
        return;
    }
    bool bLeer = false;
    const double d = e->GetDoubleOrEx(-1.0, &bLeer);
    if (bLeer || d < 0.0) {
        u->SetZurrpunkt(nEcke, 0, nullptr);
    } else if (CZurrschiene* s = GewaehlteSchiene()) {
        AssignRailPoint(nEcke, 0, s, BegrenzeSchienenPos(d) / 1000.0);
        if (GetWizard())
            GetWizard()->SetReach(kIndex);
    }
    ShowZurrpunktNamen(Sub());
    ShowRailPos();
    RepaintView(false);
}

void CPgLgSichgPage10::SchienenGewaehlt(int id)
{
    CEditLast* e = Feld(kIdSchienenPos);
    const int nEcke = Ecke();
    CZurrschiene* s = id == kIdSchiene1 ? Schiene(0) : Schiene(1);
    bool bLeer = true;
    const double d = e ? e->GetDoubleOrEx(-1.0, &bLeer) : -1.0;
    if (nEcke >= 0 && s && !bLeer && d >= 0.0) {
        // The slot's rail point moves to the chosen rail at the (limited) position.
        AssignRailPoint(nEcke, 0, s, BegrenzeSchienenPos(d) / 1000.0);
        if (GetWizard())
            GetWizard()->SetReach(kIndex);
    }
    Aktualisiere(false);
}

bool CPgLgSichgPage10::OnCommand(int id, int notifyCode, QObject* control)
{
    CPshLgSichgWizard* wizard = GetWizard();
    if (id >= kIdEcke0 && id <= kIdEcke0 + 3) {
        if (Checked(id)) {
            SetEcke(id - kIdEcke0, Checked(kIdZweiter) ? 1 : 0);
            RepaintView(false);
        }
        return true;
    }
    switch (id) {
    case kIdPunkte:
    case kIdSchienen:
        if (Checked(id) && wizard) {
            wizard->GetParams().m_nQuerQuelle = id == kIdSchienen ? 1 : 0;
            InvalidateCtrl(kIdSkizze);
            ZeigeOption();
            ShowRailPos();
            NotifyView(false, LgSichgSeitenHinweis::kQuerQuelleGewaehlt, Option());
        }
        return true;
    case kIdSchiene1:
    case kIdSchiene2:
        if (Checked(id))
            SchienenGewaehlt(id);
        return true;
    case kIdZweiter: {
        const int nSub = Checked(kIdZweiter) ? 1 : 0;
        ShowZurrpunktNamen(nSub);
        if (CLadeeinheit* u = GetLadeeinheit())
            u->SetSichgModus(Ecke(), nSub);
        ColourFields();
        ShowRailPos();
        RepaintView(true);
        return true;
    }
    default:
        return CPgLgSichgBase2::OnCommand(id, notifyCode, control);
    }
}

void CPgLgSichgPage10::OnUpdateCommand(CommandUpdateEvent& query)
{
    const int id = int(query.Id());
    CFahrzeug* f = GetFahrzeug();
    const auto* it = std::find(kIdFeld.begin(), kIdFeld.end(), id);
    if (it != kIdFeld.end()) {
        query.Enable(Option() == 0 && Ecke() == int(it - kIdFeld.begin()));
        return;
    }
    switch (id) {
    case kIdPunkte:
        query.Enable(f && !f->GetZurrpunktListe().empty());
        return;
    case kIdSchienen:
        query.Enable(f && !f->m_Zurrschienen.empty());
        return;
    case kIdSchiene1:
    case kIdSchiene2: {
        CZurrschiene* s = Schiene(id == kIdSchiene1 ? 0 : 1);
        query.Enable(Option() == 1 && s && ZurrGeometrie::RailHasRange(*s));
        CLadeeinheit* u = GetLadeeinheit();
        CZurrpunkt* p = u ? u->GetZurrpunkt(Ecke(), Sub()) : nullptr;
        // The slot's rail is shown; without a rail point the user's choice stands for the next entry.
        if (p && p->GetZurrschiene())
            query.SetCheck(p->GetZurrschiene() == s ? 1 : 0);
        return;
    }
    case kIdSchienenPos:
        query.Enable(Checked(kIdSchienen));
        return;
    default:
        CPgLgSichgBase2::OnUpdateCommand(query);
    }
}

bool CPgLgSichgPage10::OnPaintCtrl(QWidget* ctrl, int id, QPainter& painter)
{
    if (id == kIdSkizze) {
        if (!m_bildSkizze.isNull())
            painter.drawImage(ctrl->rect(), m_bildSkizze);
        return true;
    }
    if (id == kIdWahlBild) {
        if (m_bildWahl.isNull())
            return true;
        const QSize halb = m_bildWahl.size() / 2;
        painter.drawImage(QRect(QPoint(1, 1), halb), m_bildWahl);
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(0, 0, halb.width() + 1, halb.height() + 1));
        return true;
    }
    return CPgLgSichgBase2::OnPaintCtrl(ctrl, id, painter);
}

// --- the view -----------------------------------------------------------------------------------------

int CPgLgSichgPage10::QueryViewAction(LgSichgAktion eAktion, const LgSichgWert& wert, QString* pMessage)
{
    CLadeeinheit* u = GetLadeeinheit();
    CPshLgSichgWizard* wizard = GetWizard();
    if (eAktion == LgSichgAktion::kZurrpunktZuordnen) {
        if (!wizard || !IsActivePage() || !u)
            return CPgLgSichgBase2::QueryViewAction(eAktion, wert, pMessage);
        CZurrpunkt* p = u->GetZurrpunkt(Ecke(), Sub());
        return p && p->m_pFahrzeugPunkt == LgSichgZeiger<CZurrpunkt*>(wert) ? 0 : 1;
    }
    if (eAktion == LgSichgAktion::kSchienenpunktZuordnen) {
        if (!IsActivePage() || !u)
            return CPgLgSichgBase2::QueryViewAction(eAktion, wert, pMessage);
        return u->GetZurrpunkt(Ecke(), Sub()) == LgSichgZeiger<CZurrpunkt*>(wert) ? 0 : 1;
    }
    return CPgLgSichgBase2::QueryViewAction(eAktion, wert, pMessage);
}

int CPgLgSichgPage10::OnViewNotify(LgSichgMeldung eMeldung, const LgSichgWert& wert)
{
    CLadeeinheit* u = GetLadeeinheit();
    CFahrzeug* f = GetFahrzeug();
    CPshLgSichgWizard* wizard = GetWizard();
    if (!u || !f || !wizard)
        return CPgLgSichgBase2::OnViewNotify(eMeldung, wert);
    const int nWahl = wizard->GetParams().m_nDetailWert;
    switch (eMeldung) {
    case LgSichgMeldung::kZurrpunktGewaehlt: {
        auto* p = LgSichgZeiger<CZurrpunkt*>(wert);
        const int nEcke = Ecke();
        if (!IsActivePage() || nEcke < 0 || !p)
            return 0;
        CZurrpunkt* pSlot = u->GetZurrpunkt(nEcke, Sub());
        if (pSlot && !(pSlot->m_nFlags & CZurrpunkt::kAnSchiene) && pSlot->GetName() == p->GetName())
            u->SetZurrpunkt(nEcke, Sub(), nullptr);
        else
            AssignZurrpunktByName(QString::fromStdString(p->GetName()), nEcke, Sub());
        Aktualisiere(true);
        wizard->SetReach(kIndex);
        return 1;
    }
    case LgSichgMeldung::kEckeGeklickt: {
        const std::intptr_t nValue = LgSichgZahl(wert);
        if (!IsActivePage() || nValue < 0 || nValue > 3)
            return 0;
        const int nEcke = int(nValue);
        m_nPending = nEcke;
        const int nSub = nEcke == Ecke() ? 1 - Sub() : (Checked(kIdZweiter) ? 1 : 0);
        SetEcke(nEcke, nSub);
        ShowZurrpunktNamen(nSub);
        RepaintView(true);
        return 1;
    }
    case LgSichgMeldung::kSchienenpunktGeklickt: {
        if (!IsActivePage())
            return 0;
        auto* p = LgSichgZeiger<CZurrpunkt*>(wert);
        for (int e = 0; e < 4; ++e)
            for (int s = 0; s < 2; ++s)
                if (p && u->GetZurrpunkt(e, s) == p) {
                    // A point of the unit: its slot becomes current, or is cleared when it was.
                    if (e == Ecke() && s == Sub()) {
                        u->SetZurrpunkt(e, s, nullptr);
                        wizard->SetReach(kIndex);
                    } else {
                        SetEcke(e, s);
                    }
                    Aktualisiere(true);
                    return 1;
                }
        CZurrschiene* pSchiene = nullptr;
        double x = 0.0;
        ILgSicherungView* pView = wizard->GetView();
        if (Ecke() >= 0 && pView && pView->GetRailPosAtCursor(&pSchiene, &x) && pSchiene) {
            AssignRailPoint(Ecke(), 0, pSchiene, x);
            wizard->SetReach(kIndex);
        }
        Aktualisiere(true);
        return 1;
    }
    case LgSichgMeldung::kSchieneGeklickt: {
        if (!IsActivePage())
            return 0;
        const auto* k = LgSichgZeiger<const SZurrschienenKlick*>(wert);
        if (k && k->pSchiene && Ecke() >= 0) {
            AssignRailPoint(Ecke(), 0, k->pSchiene,
                            ZurrGeometrie::SchienenAnfang(*k->pSchiene) + k->dVersatz);
            wizard->SetReach(kIndex);
        }
        Aktualisiere(true);
        return 1;
    }
    case LgSichgMeldung::kSchienenGeaendert: {
        const auto* liste = LgSichgZeiger<const std::list<std::unique_ptr<CZurrschiene>>*>(wert);
        const auto inListe = [liste](const CZurrschiene* s) {
            return std::any_of(liste->begin(), liste->end(), [s](const auto& p) { return p.get() == s; });
        };
        for (int e = 0; e < 4; ++e) {
            CZurrpunkt* p = u->GetZurrpunkt(e, 0);
            CZurrschiene* s = p ? p->GetZurrschiene() : nullptr;
            if (s && (!liste || inListe(s))) {
                CZurrpunkt neu(*p);
                ZurrGeometrie::MacheSchienenpunkt(*f, s, p->m_dAbstandLaengs, neu);
                u->SetZurrpunkt(e, 0, &neu);
            }
        }
        UpdateZurrBereiche(nWahl);
        Aktualisiere(false);
        return 0;
    }
    case LgSichgMeldung::kSchienenGeloescht:
        for (int e = 0; e < 4; ++e)
            if (CZurrpunkt* p = u->GetZurrpunkt(e, 0); p && (p->m_nFlags & CZurrpunkt::kAnSchiene))
                u->SetZurrpunkt(e, 0, nullptr);
        Aktualisiere(false);
        return 0;
    case LgSichgMeldung::kZurrpunktVerschoben: {
        auto* pQuelle = LgSichgZeiger<CZurrpunkt*>(wert);
        for (int e = 0; e < 4; ++e)
            if (CZurrpunkt* p = u->GetZurrpunkt(e, 0); p && pQuelle && p->m_pFahrzeugPunkt == pQuelle)
                ZurrGeometrie::AssignKopie(*u, e, 0, pQuelle);
        UpdateZurrBereiche(nWahl);
        Aktualisiere(false);
        return 0;
    }
    case LgSichgMeldung::kZurrpunkteHinzugefuegt: {
        // Points were added: the vehicle's points are numbered anew, and every copy takes its
        // source's number again.
        if (CQOR* q = f->GetQor())
            for (CLadeeinheit* le : q->GetLadeeinheiten())
                for (int e = 0; le && e < 4; ++e)
                    if (CZurrpunkt* p = le->GetZurrpunkt(e, 0); p && p->m_pFahrzeugPunkt) {
                        const auto& liste = f->GetZurrpunktListe();
                        if (std::find(liste.begin(), liste.end(), p->m_pFahrzeugPunkt) != liste.end())
                            p->m_nNummer = p->m_pFahrzeugPunkt->m_nNummer;
                    }
        UpdateZurrBereiche(nWahl);
        Aktualisiere(false);
        return 0;
    }
    case LgSichgMeldung::kZurrpunktGeloescht:
    case LgSichgMeldung::kAlleZurrpunkteGeloescht: {
        auto* pQuelle = LgSichgZeiger<CZurrpunkt*>(wert);
        for (int e = 0; e < 4; ++e) {
            CZurrpunkt* p = u->GetZurrpunkt(e, 0);
            if (p && !(p->m_nFlags & CZurrpunkt::kAnSchiene) && (!pQuelle || p->m_pFahrzeugPunkt == pQuelle))
                u->SetZurrpunkt(e, 0, nullptr);
        }
        Aktualisiere(false);
        return 0;
    }
    case LgSichgMeldung::kSchienenHinzugefuegt:
        UpdateZurrBereiche(nWahl);
        RepaintView(false);
        return 0;
    default:
        return CPgLgSichgBase2::OnViewNotify(eMeldung, wert);
    }
}

// --- leaving ------------------------------------------------------------------------------------------

int CPgLgSichgPage10::Validate(int nTarget)
{
    CPshLgSichgWizard* wizard = GetWizard();
    if (!wizard || nTarget == PageIndex() - 1)
        return CPgLgSichgBase2::Validate(nTarget);
    struct Richtung
    {
        int nRichtung;
        quint32 nName;
    };
    static constexpr Richtung kReihe[] = {{2, 426}, {0, 427}, {3, 377}, {1, 376}};
    for (const Richtung& r : kReihe) {
        int a = 0, b = 0;
        const bool bRutschen = wizard->CheckRutschen(r.nRichtung, &a, &b) && (a == 0 || b == 0);
        a = b = 0;
        const bool bKippen = wizard->CheckKippen(r.nRichtung, &a, &b) && (a == 0 || b == 0);
        if (!bRutschen && !bKippen)
            continue;
        const quint32 nText = bRutschen && bKippen ? 505 : bKippen ? 504 : 507;
        const std::string strMeldung = Text(nText), strRichtung = Text(r.nName);
        const bool bDeutsch = ResourceModule::IsGermanCode(CPgLgSichgPage4::SprachCode(GetProgramRun()));
        const std::string strText = bDeutsch ? FormatResChecked(503, {strRichtung, strMeldung})
                                             : FormatResChecked(503, {strMeldung, strRichtung});
        IMessageBoxService::HtmlBox box;
        box.text = QString::fromStdString(strText);
        box.captionId = 273;
        box.buttons = {{kOk, kOk}};
        MessageBoxes().ShowHtml(this, box, nullptr);
        return -2;
    }
    return CPgLgSichgBase2::Validate(nTarget);
}
