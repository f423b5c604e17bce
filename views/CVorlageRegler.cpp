// The template view's value sliders: which value each kind edits and in which range, and what the value
// messages do to the vehicle.
#include "views/CVorlageRegler.h"

#include "views/ISliderFactory.h"
#include "views/IVorlageReglerQuelle.h"
#include "views/SliderValueEvent.h"

#include "ui/ProgramRun.h"

#include "model/document/CQOR1Doc.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CSattelzugmaschine.h"
#include "model/vehicle/FahrzeugArt.h"
#include "model/vehicle/tagZLINFO.h"

#include <algorithm>
#include <cmath>

namespace {

bool HatKupplung(const CFahrzeug& f, const CQOR1Doc* pDoc)
{
    return f.GetArt() == FahrzeugArt::kZugmaschine &&
           (f.m_dKupplungslast1 > 0.0 || (pDoc && pDoc->GetAnhaenger() && pDoc->GetZugfahrzeug() == &f));
}

// The records of one axle group: the front group up to the split, or the rest.
void Gruppe(const CFahrzeug& f, int nGruppe, int* pVon, int* pBis)
{
    const int trenn = f.GetAchsgruppenTrennung();
    if (nGruppe == 0) {
        *pVon = 0;
        *pBis = std::clamp(trenn, 0, CFahrzeug::MAX_ACHSEN);
    } else {
        *pVon = std::clamp(trenn, 0, CFahrzeug::MAX_ACHSEN);
        *pBis = std::min(f.GetRecordAnzahl(), CFahrzeug::MAX_ACHSEN);
    }
}

} // namespace

CVorlageRegler::CVorlageRegler(IVorlageReglerQuelle& quelle, QWidget* pOwner)
    : m_Quelle(quelle), m_pOwner(pOwner)
{
}

CVorlageRegler::~CVorlageRegler() = default;

void CVorlageRegler::SetEditZL(tagZLINFO* pZL, const QRect& rc)
{
    m_pEditZL = pZL;
    m_rcEditZL = rc;
}

void CVorlageRegler::VergissZL(const tagZLINFO* pZL)
{
    if (m_pSlider && (m_pEditZL == pZL)) {
        m_pSlider.reset();
        m_nSliderKind = 0;
    }
    if (m_pEditZL == pZL)
        m_pEditZL = nullptr;
}

bool CVorlageRegler::GetLaengenRange(int nTarget, double* pMin, double* pMax) const
{
    CQOR1Doc* pDoc = m_Quelle.GetReglerDokument();
    CFahrzeug* f = m_Quelle.GetEditFahrzeug();
    if (!f || !pMin || !pMax)
        return false;
    const int art = f->GetArt();
    const double L = f->GetLFLaenge();
    const double P = f->GetPosLetzteAchse();
    const bool bKupplung = HatKupplung(*f, pDoc);
    // A vehicle whose last axle stands behind its load-area end has no overhang to give.
    double o = std::max(0.0, L - P);
    if (bKupplung)
        o -= f->IsArt5() ? 0.35 : f->m_dKupplungsabstand;
    const double a1 = f->GetAchse1Abstand();
    const CFahrzeug* zug = pDoc ? pDoc->GetZugfahrzeug() : nullptr;
    const CFahrzeug* partner = f->GetPartner();
    switch (nTarget) {
    case 1:
        if (art == FahrzeugArt::kZugmaschine) {
            *pMin = f->IsArt5() ? 1.2 : std::max(0.25, a1 - o + (bKupplung ? f->m_dKupplungsabstand : 0.0));
            *pMax = 5.0;
        } else if (art == FahrzeugArt::kStarrdeichsel) {
            *pMin = std::max(0.5, a1 - o);
            if (partner)
                *pMin = partner->IsArt5() ? 0.5 : partner->m_dKupplungsabstand + 0.5;
            *pMax = f->m_Achsen[1].dAbstand;
        } else {
            *pMin = 0.5;
            *pMax = a1 + o;
        }
        break;
    case 2:
        *pMin = P + (bKupplung ? std::max(0.0, f->IsArt5() ? 0.35 : f->m_dKupplungsabstand) : 0.0);
        *pMax = art == FahrzeugArt::kSattelzugmaschine ? 7.0 : 15.0;
        break;
    case 14: {
        *pMin = 0.0;
        const CFahrzeug* anh = pDoc ? pDoc->GetAnhaenger() : nullptr;
        if (f->IsArt5())
            *pMax = 0.5;
        else if (anh && zug == f)
            *pMax = anh->GetAchse1Abstand() - 0.5;
        else
            *pMax = o;
        break;
    }
    case 15: {
        *pMin = P - L + 0.5;
        const CFahrzeug* anh = pDoc ? pDoc->GetAnhaenger() : nullptr;
        *pMax = anh && zug == f ? P - anh->GetAchse1Abstand() : P - 0.5;
        break;
    }
    default:
        if (nTarget < 3 || nTarget > 8)
            return false;
        *pMin = art == FahrzeugArt::kStarrdeichsel && partner && partner->IsArt5() ? 0.7 : 1.0;
        *pMax = f->m_Achsen[std::clamp(nTarget - 2, 0, CFahrzeug::MAX_ACHSEN - 1)].dAbstand + o;
        break;
    }
    // A vehicle already outside its range keeps its value within reach.
    *pMax = std::max(*pMax, *pMin);
    return true;
}

bool CVorlageRegler::OpenSlider(const QPoint& anchor, int nKind, bool bCompact)
{
    if (m_pSlider)
        return false;
    CQOR1Doc* pDoc = m_Quelle.GetReglerDokument();
    CFahrzeug* f = m_Quelle.GetEditFahrzeug();
    if (!pDoc || !f)
        return false;
    m_nEditTarget = m_Quelle.GetTarget();
    double v = 0.0, lo = 0.0, hi = 0.0;
    const int rec = std::clamp(m_nEditTarget - 3, 0, CFahrzeug::MAX_ACHSEN - 1);
    switch (nKind) {
    case 1: {
        const SAchse& a = f->m_Achsen[rec];
        if (m_nLastMode == 0) {
            v = a.dLeerlast, lo = 0.01, hi = a.dZulLast;
        } else if (m_nLastMode == 1) {
            v = a.dZulLast, lo = a.dLeerlast, hi = 999.999f;
        } else {
            int von = 0, bis = 0;
            Gruppe(*f, m_nGruppe, &von, &bis);
            double maxLeer = 0.0, minZul = 999.999;
            for (int i = von; i < bis; ++i) {
                maxLeer = std::max(maxLeer, f->m_Achsen[i].dLeerlast);
                minZul = std::min(minZul, f->m_Achsen[i].dZulLast);
            }
            if (m_nLastMode == 2)
                v = maxLeer, lo = 0.01, hi = std::max(v, minZul);
            else
                v = minZul, lo = std::min(v, maxLeer), hi = 999.999f;
        }
        break;
    }
    case 2:
        v = m_bAnteil1 ? f->m_nMinAnteilVorn : f->m_nMinAnteilHinten, lo = 1, hi = 99;
        break;
    case 5: {
        const CFahrzeug* partner = f->GetPartner();
        v = f->m_Achsen[std::clamp(m_nEditTarget - 3, 0, CFahrzeug::MAX_ACHSEN - 1)].dAbstand;
        lo = f->GetArt() == FahrzeugArt::kStarrdeichsel && partner && partner->IsArt5() ? 0.7 : 1.0;
        hi = 9.99;
        break;
    }
    case 6:
        v = f->m_Achsen[std::clamp(m_nEditTarget - 2, 0, CFahrzeug::MAX_ACHSEN - 1)].dAbstand;
        GetLaengenRange(m_nEditTarget, &lo, &hi);
        break;
    case 7:
        v = f->IsArt5() ? -f->m_dKupplungsabstand : f->m_dKupplungsabstand;
        GetLaengenRange(14, &lo, &hi);
        break;
    case 8:
        v = f->GetAchse1Abstand();
        GetLaengenRange(1, &lo, &hi);
        break;
    case 9: {
        const double a1 = f->GetArt() == FahrzeugArt::kSattelzugmaschine ? f->GetAchse1Abstand() : 0.0;
        v = f->GetLFLaenge() + a1;
        GetLaengenRange(2, &lo, &hi);
        break;
    }
    case 10:
        v = f->m_dZulGesamtgewicht, lo = f->CalcLeergewicht(), hi = 999;
        break;
    case 11:
        if (!m_Quelle.GetSelZL())
            return false;
        m_pEditZL = m_Quelle.GetSelZL();
        m_rcEditZL = m_Quelle.GetSelZLRect();
        v = f->GetZLPosition(m_pEditZL), lo = 0.0, hi = f->GetLFLaenge();
        break;
    case 15:
        if (auto* s = dynamic_cast<CSattelzugmaschine*>(f))
            v = s->m_dSattelVersatz;
        GetLaengenRange(15, &lo, &hi);
        break;
    case 18:
        if (!m_Quelle.GetSelZL())
            return false;
        m_pEditZL = m_Quelle.GetSelZL();
        m_rcEditZL = m_Quelle.GetSelZLRect();
        v = m_pEditZL->m_dMasse, lo = 0.01, hi = 9.99;
        break;
    case 19:
        if (f->GetFahrzeugTyp() != FahrzeugArt::kSattelzugmaschine)
            return false;
        v = f->m_dKupplungslast1, lo = 0.001f, hi = 99;
        break;
    case 20: {
        const CFahrzeug* vorn = pDoc->GetFirstFahrzeug();
        if (!vorn)
            return false;
        v = vorn->GetAchse9Leerlast(), lo = 0, hi = 100;
        break;
    }
    default:
        // Kinds 3, 4 and 17 stand for values the vehicle does not hold: no slider rather than one
        // whose entries would be dropped.
        return false;
    }
    m_pSlider = ISliderFactory::Of(&m_Quelle.GetReglerProgramRun())
                    .Create(nKind, v, lo, std::max(lo, hi), anchor, m_pOwner, bCompact);
    m_nSliderKind = m_pSlider ? nKind : 0;
    // A field typed into: Return applies the value and closes it, as on the loading plan.
    if (m_pSlider)
        m_pSlider->SetCloseOnReturn(true);
    return m_pSlider != nullptr;
}

void CVorlageRegler::CommitChange()
{
    CQOR1Doc* pDoc = m_Quelle.GetReglerDokument();
    if (!pDoc)
        return;
    pDoc->OnFahrzeugChanged(false);
    m_Quelle.ReglerNeuzeichnen();
    m_Quelle.Geaendert(false);
    pDoc->UpdateOtherViews(UpdateHinweis::kBearbeitet);
}

void CVorlageRegler::SetLFLaenge(double dWert)
{
    CQOR1Doc* pDoc = m_Quelle.GetReglerDokument();
    CFahrzeug* f = m_Quelle.GetEditFahrzeug();
    if (!pDoc || !f)
        return;
    if (f->GetArt() == FahrzeugArt::kSattelzugmaschine)
        dWert -= f->GetAchse1Abstand();
    f->SetLFLaenge(dWert);
    CommitChange();
}

void CVorlageRegler::SetKupplungsversatz(double dWert)
{
    CQOR1Doc* pDoc = m_Quelle.GetReglerDokument();
    auto* s = dynamic_cast<CSattelzugmaschine*>(m_Quelle.GetEditFahrzeug());
    if (!pDoc || !s)
        return;
    s->SetSattelVersatz(dWert);
    CommitChange();
}

void CVorlageRegler::SetAchse1Abstand(double dWert)
{
    CQOR1Doc* pDoc = m_Quelle.GetReglerDokument();
    CFahrzeug* f = m_Quelle.GetEditFahrzeug();
    if (!pDoc || !f)
        return;
    // Axle 2 keeps its place.
    const double alt = f->m_Achsen[0].dAbstand;
    f->SetAchsAbstand(0, dWert);
    f->SetAchsAbstand(1, f->m_Achsen[1].dAbstand + dWert - alt);
    CommitChange();
}

void CVorlageRegler::SetKupplung(double dWert)
{
    CQOR1Doc* pDoc = m_Quelle.GetReglerDokument();
    CFahrzeug* f = m_Quelle.GetEditFahrzeug();
    if (!pDoc || !f)
        return;
    f->SetKupplungsabstand(f->IsArt5() ? -dWert : dWert);
    CommitChange();
}

void CVorlageRegler::SetZLPosition(double dWert)
{
    CQOR1Doc* pDoc = m_Quelle.GetReglerDokument();
    CFahrzeug* f = m_Quelle.GetEditFahrzeug();
    tagZLINFO* p = m_pEditZL ? m_pEditZL : m_Quelle.GetSelZL();
    if (!pDoc || !f || !p || !f->HasZL(p))
        return;
    double x = dWert;
    if (p->m_nVomEnde) {
        x = f->GetLFLaenge() - dWert;
        if (f->GetArt() == FahrzeugArt::kSattelzugmaschine)
            x += f->GetAchse1Abstand();
    }
    p->m_dPosX = x;
    if (p->m_nTyp == 1)
        p->m_dAbstand = x;
    else if (p->m_nTyp == 5)
        p->m_dAbstand = -x;
    pDoc->OnFahrzeugChanged(true);
    if (!m_pSlider) {
        m_pEditZL = p;
        m_rcEditZL = m_Quelle.GetSelZLRect();
        m_pSlider =
            ISliderFactory::Of(&m_Quelle.GetReglerProgramRun())
                .Create(11, dWert, -2.0, f->GetLFLaenge(),
                        QPoint(m_Quelle.GetSelZLRect().center().x(), m_Quelle.GetSelZLRect().bottom() + 1),
                        m_pOwner, true);
        m_nSliderKind = m_pSlider ? 11 : 0;
        if (m_pSlider)
            m_pSlider->SetCloseOnReturn(true);
    } else {
        m_pSlider->SetValue(dWert);
    }
    m_Quelle.ReglerNeuzeichnen();
    pDoc->UpdateOtherViews(UpdateHinweis::kBearbeitet);
    m_Quelle.DrawPositionMarker(p);
    m_Quelle.Geaendert(false);
}

bool CVorlageRegler::Nachricht(int nMsg, double dWert)
{
    CQOR1Doc* pDoc = m_Quelle.GetReglerDokument();
    CFahrzeug* f = m_Quelle.GetEditFahrzeug();
    if (nMsg == SliderValueEvent::kClosed) {
        m_pSlider.reset();
        m_nSliderKind = 0;
        m_nEditTarget = 0;
        m_pEditZL = nullptr;
        m_Quelle.DrawPositionMarker(nullptr);
        m_Quelle.ReglerNeuzeichnen();
        return true;
    }
    if (!pDoc || !f || !std::isfinite(dWert))
        return nMsg >= SliderValueEvent::kFirstValue && nMsg <= SliderValueEvent::kLastValue;
    const int rec = std::clamp(m_nEditTarget - 3, 0, CFahrzeug::MAX_ACHSEN - 1);
    switch (nMsg) {
    case 0x8066:
        f->SetAchsLeerlast(rec, dWert);
        CommitChange();
        return true;
    case 0x8067:
        f->SetAchsZulLast(rec, dWert);
        CommitChange();
        // A permissible axle load changed: the regulations hint follows when the slider closes.
        m_Quelle.GetReglerProgramRun().SetSliderHinweisAnstehend(true);
        return true;
    case 0x806F:
    case 0x8070: {
        int von = 0, bis = 0;
        Gruppe(*f, m_nGruppe, &von, &bis);
        for (int i = von; i < bis; ++i)
            if (f->m_nAchsFlags[i] == 0) {
                if (nMsg == 0x806F)
                    f->SetAchsLeerlast(i, dWert);
                else
                    f->SetAchsZulLast(i, dWert);
            }
        CommitChange();
        return true;
    }
    case 0x806C:
    case 0x806D: {
        // Shares are whole percent, cut towards zero.
        const auto n = static_cast<unsigned>(std::clamp(static_cast<int>(dWert), 0, 100));
        if (nMsg == 0x806C)
            f->SetMinAnteilVorn(n);
        else
            f->SetMinAnteilHinten(n);
        CommitChange();
        return true;
    }
    case 0x8074:
        f->SetAchsAbstand(rec, dWert);
        pDoc->OnFahrzeugChanged(true);
        m_Quelle.ReglerNeuzeichnen();
        m_Quelle.Geaendert(false);
        return true;
    case 0x8075:
        f->SetAchsAbstand(std::clamp(m_nEditTarget - 2, 0, CFahrzeug::MAX_ACHSEN - 1), dWert);
        pDoc->OnFahrzeugChanged(true);
        m_Quelle.ReglerNeuzeichnen();
        m_Quelle.Geaendert(false);
        // So does an axle distance.
        m_Quelle.GetReglerProgramRun().SetSliderHinweisAnstehend(true);
        return true;
    case 0x8076:
        SetLFLaenge(dWert);
        return true;
    case 0x8077:
        SetKupplung(f->IsArt5() ? -dWert : dWert);
        return true;
    case 0x8078:
        f->SetZulGesamtgewicht(dWert);
        pDoc->OnFahrzeugChanged(true);
        m_Quelle.ReglerNeuzeichnen();
        m_Quelle.Geaendert(false);
        return true;
    case 0x8079:
        SetAchse1Abstand(dWert);
        return true;
    case 0x807A:
        SetZLPosition(dWert);
        return true;
    case 0x807F:
        SetKupplungsversatz(dWert);
        return true;
    case 0x8082:
        if (m_pEditZL && f->HasZL(m_pEditZL)) {
            m_pEditZL->m_dMasse = dWert;
            CommitChange();
        }
        return true;
    case 0x8083:
        if (f->GetFahrzeugTyp() == FahrzeugArt::kSattelzugmaschine) {
            f->SetKupplungslast1(dWert);
            pDoc->OnFahrzeugChanged(false);
            m_Quelle.ReglerNeuzeichnen();
            m_Quelle.Geaendert(false);
        }
        return true;
    case 0x8084:
        if (CFahrzeug* vorn = pDoc->GetFirstFahrzeug(); vorn && !vorn->IsAnhaengerArt()) {
            vorn->SetAchse9Leerlast(dWert);
            pDoc->OnFahrzeugChanged(true);
            m_Quelle.ReglerNeuzeichnen();
            m_Quelle.Geaendert(false);
        }
        return true;
    default:
        // 0x8071, 0x8072 and 0x8081 stand for values the vehicle does not hold; nothing is taken, so
        // nothing looks saved that was not.
        return nMsg >= SliderValueEvent::kFirstValue && nMsg <= SliderValueEvent::kLastValue;
    }
}
