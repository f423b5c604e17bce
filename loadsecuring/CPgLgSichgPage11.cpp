// The method page: the method, what the lashings go to, and the check before the attachment points
// are placed automatically.
#include "loadsecuring/CPgLgSichgPage11.h"

#include "loadsecuring/CPshLgSichgWizard.h"
#include "loadsecuring/ILgSicherungView.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/sZPPtrTupel.h"
#include "model/securing/AutoPlatzierung.h"
#include "model/text/FormatArg.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CZurrpunkt.h"
#include "model/vehicle/CZurrschiene.h"
#include "ui/CommandEvent.h"
#include "ui/ControlId.h"
#include "ui/IMessageBoxService.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QPointer>

namespace {

constexpr int kZurueck = 12323;
constexpr int kSchliessen = 705;

// The answers to the questions about missing equipment the user wants kept for the program run
// (0: ask), for the lashing points and the lashing rails.
int g_nAntwortPunkte = 0;
int g_nAntwortSchienen = 0;

} // namespace

CPgLgSichgPage11::CPgLgSichgPage11(CPshLgSichgWizard* pWizard) : CPgLgSichgBase2(kTemplate, pWizard) {}

void CPgLgSichgPage11::ResetNachfragen()
{
    g_nAntwortPunkte = 0;
    g_nAntwortSchienen = 0;
}

void CPgLgSichgPage11::GetHeaderBitmapId(quint32* pId)
{
    *pId = kHeaderBitmap;
}

bool CPgLgSichgPage11::OnInitDialog()
{
    CPgLgSichgBase2::OnInitDialog();
    SetPageTitle(kTitle, {});
    return true;
}

bool CPgLgSichgPage11::Checked(int id) const
{
    auto* b = qobject_cast<QAbstractButton*>(ControlId::Find(this, id));
    return b && b->isChecked();
}

void CPgLgSichgPage11::SetChecked(int id, bool on)
{
    if (auto* b = qobject_cast<QAbstractButton*>(ControlId::Find(this, id)))
        b->setChecked(on);
}

bool CPgLgSichgPage11::HatPunkte() const
{
    CFahrzeug* pFahrzeug = GetFahrzeug();
    return pFahrzeug && !pFahrzeug->GetZurrpunktListe().empty();
}

bool CPgLgSichgPage11::HatSchienen() const
{
    CFahrzeug* pFahrzeug = GetFahrzeug();
    return pFahrzeug && !pFahrzeug->m_Zurrschienen.empty();
}

void CPgLgSichgPage11::Meldung(int nText, int nCaption)
{
    IMessageBoxService::HtmlBox box;
    box.textId = nText;
    box.captionId = nCaption;
    box.buttons = {{668, 668}};
    MessageBoxes().ShowHtml(this, box, nullptr);
}

void CPgLgSichgPage11::OnFirstEnter(int)
{
    m_nOption = HatPunkte() ? 0 : HatSchienen() ? 1 : -1;
    if (CPshLgSichgWizard* wizard = GetWizard())
        wizard->GetParams().m_nQuerQuelle = m_nOption;
}

void CPgLgSichgPage11::OnFirstActivate()
{
    SetChecked(kIdAutomatisch, true);
}

bool CPgLgSichgPage11::OnSetActive()
{
    const bool bOk = CPgLgSichgBase2::OnSetActive();
    if (CPshLgSichgWizard* wizard = GetWizard()) {
        const CWizardParams& wp = wizard->GetParams();
        m_nOption = wp.m_nQuerQuelle < 0 ? -1 : wp.m_nQuerQuelle == 0 ? 0 : 1;
        SetChecked(wp.m_nVerfahren == 1 ? kIdDetail : kIdEinfach, true);
        wizard->SetMethodPageChoice(wp.m_nVerfahren, m_nOption);
    }
    SetChecked(kIdPunkte, m_nOption == 0 && HatPunkte());
    SetChecked(kIdSchienen, m_nOption == 1 && HatSchienen());
    return bOk;
}

bool CPgLgSichgPage11::OnKillActive()
{
    if (CPshLgSichgWizard* wizard = GetWizard()) {
        CWizardParams& wp = wizard->GetParams();
        wp.m_nVerfahren = Checked(kIdDetail) ? 1 : 0;
        wp.m_nQuerQuelle = m_nOption;
        wizard->SetMethodPageChoice(wp.m_nVerfahren, m_nOption);
    }
    return CPgLgSichgBase2::OnKillActive();
}

void CPgLgSichgPage11::GetNextCommandId(int nId, int* pNext)
{
    if (nId == 12323 && pNext)
        *pNext = kIdEinfach;
    else
        CPgLgSichgBase2::GetNextCommandId(nId, pNext);
}

void CPgLgSichgPage11::OptionGeklickt(int id)
{
    CPshLgSichgWizard* wizard = GetWizard();
    const bool bPunkte = id == kIdPunkte;
    if (Checked(id) && !(bPunkte ? HatPunkte() : HatSchienen())) {
        int& nBehalten = bPunkte ? g_nAntwortPunkte : g_nAntwortSchienen;
        int nAntwort = nBehalten;
        if (nAntwort == 0) {
            IMessageBoxService::HtmlBox box;
            box.textId = bPunkte ? 540 : 541;
            box.captionId = 273;
            box.buttons = {{kZurueck, 708}, {kSchliessen, bPunkte ? 690 : 691}};
            box.checkBox = true;
            bool bNichtMehr = false;
            nAntwort = MessageBoxes().ShowHtml(this, box, &bNichtMehr);
            if (bNichtMehr)
                nBehalten = nAntwort;
        }
        if (nAntwort == kSchliessen && wizard) {
            // The user adds the equipment in the view: the wizard closes and the view opens its editor.
            ILgSicherungView* pView = wizard->GetView();
            QPointer<QWidget> window = pView ? pView->GetViewWindow() : nullptr;
            wizard->CloseWizard(kSchliessen);
            if (window)
                QCoreApplication::postEvent(window, new CommandEvent(397));
            return;
        }
        SetChecked(id, false);
    }
    const int nAlt = m_nOption;
    const int nAndere = bPunkte ? kIdSchienen : kIdPunkte;
    if (Checked(id)) {
        m_nOption = bPunkte ? 0 : 1;
        SetChecked(nAndere, false);
    } else {
        m_nOption = Checked(nAndere) ? (bPunkte ? 1 : 0) : -1;
    }
    if (!wizard)
        return;
    wizard->SetMethodPageChoice(Checked(kIdDetail) ? 1 : 0, m_nOption);
    if (nAlt == 1 && m_nOption == 0) {
        wizard->SetReach(PageIndex());
        if (ILgSicherungView* pView = wizard->GetView())
            pView->RepaintView();
    }
}

bool CPgLgSichgPage11::OnCommand(int id, int notifyCode, QObject* control)
{
    switch (id) {
    case kIdEinfach:
    case kIdDetail:
        if (CPshLgSichgWizard* wizard = GetWizard()) {
            const int nMethode = Checked(kIdDetail) ? 1 : 0;
            wizard->SetReach(PageIndex());
            wizard->SetMethodPageChoice(nMethode, m_nOption);
            NotifyView(false, 0, nMethode);
        }
        return true;
    case kIdPunkte:
    case kIdSchienen:
        OptionGeklickt(id);
        return true;
    default:
        return CPgLgSichgBase2::OnCommand(id, notifyCode, control);
    }
}

int CPgLgSichgPage11::Validate(int nTarget)
{
    if (nTarget <= PageIndex())
        return CPgLgSichgBase2::Validate(nTarget);
    if (m_nOption < 0) {
        Meldung(501, 263);
        return -2;
    }
    if (!Checked(kIdAutomatisch))
        return CPgLgSichgBase2::Validate(nTarget);
    CLadeeinheit* pEinheit = GetLadeeinheit();
    CFahrzeug* pFahrzeug = GetFahrzeug();
    if (!pEinheit || !pFahrzeug)
        return CPgLgSichgBase2::Validate(nTarget);
    double x = 0.0, y = 0.0, l = 0.0, b = 0.0;
    pEinheit->GetRechteck(&x, &y, &l, &b);
    pFahrzeug->AddRandabstand(&x, &y);
    const AutoPlatzierung::Bereich bereich{x, y, x + l, y + b};
    std::vector<double> schienen;
    for (const CZurrschiene* s : pFahrzeug->m_Zurrschienen)
        if (s && (s->m_nSeite == 0 || s->m_nSeite == 2))
            schienen.push_back(s->GetSeitenAbstand(pFahrzeug->GetLFBreite()));
    std::vector<AutoPlatzierung::Punkt> punkte;
    for (CZurrpunkt* p : pFahrzeug->GetZurrpunktListe())
        if (p)
            punkte.emplace_back(p->GetPosX(), p->GetPosY());
    std::vector<AutoPlatzierung::Punkt> paare;
    CZurrpunkt* p = nullptr;
    int nEcke = 0;
    for (bool bMehr = pEinheit->GetFirstZurrpunkt(&p, &nEcke, nullptr); bMehr;
         bMehr = pEinheit->GetNextZurrpunkt(&p, &nEcke, nullptr))
        if (p)
            paare.emplace_back(p->GetPosX(), p->GetPosY());
    const int nText = AutoPlatzierung::Pruefe(bereich, m_nOption, schienen, punkte, paare);
    if (nText != 0) {
        Meldung(nText, nText == 884 ? 187 : 273);
        return -2;
    }
    return kNachAutomatik;
}
