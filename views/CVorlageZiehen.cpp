// The template view's drags: the clamps of each step of an axle, the axle-1 offset, the load-area end, a
// coupling or an item, and the values the step sets.
#include "views/CVorlageZiehen.h"

#include "views/CVorlageRegler.h"
#include "views/IVorlageReglerQuelle.h"
#include "views/VorlageTreffer.h"

#include "model/document/CQOR1Doc.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"

#include <algorithm>

using namespace VorlageTreffer;

namespace {

// Axle 1 of these kinds stands ahead of the load-area front, so its offset counts forwards.
bool Achse1Vorn(const CFahrzeug* f)
{
    const int art = f ? f->GetArt() : -1;
    return art != FahrzeugArt::kAnhaenger && art != FahrzeugArt::kAuflieger;
}

} // namespace

CVorlageZiehen::CVorlageZiehen(IVorlageReglerQuelle& quelle, CVorlageRegler& regler)
    : m_Quelle(quelle), m_Regler(regler)
{
}

bool CVorlageZiehen::Schritt(int nKind, double x, bool bShift, bool bKombi)
{
    CQOR1Doc* pDoc = m_Quelle.GetReglerDokument();
    CFahrzeug* f = m_Quelle.GetEditFahrzeug();
    if (!pDoc || !f)
        return false;
    if (m_bLetztesXGueltig && x == m_dLetztesX)
        return false;
    const double xAlt = m_bLetztesXGueltig ? m_dLetztesX : x;
    m_dLetztesX = x;
    m_bLetztesXGueltig = true;

    const int art = f->GetArt();
    const bool bUnter = f->IsArt5();
    const double L = f->GetLFLaenge();
    const double P = f->GetPosLetzteAchse();
    const bool bKupplung =
        art == FahrzeugArt::kZugmaschine && (f->m_dKupplungslast1 > 0.0 || pDoc->GetAnhaenger());
    // A vehicle whose last axle stands behind its load-area end has no overhang to give.
    double o = std::max(0.0, L - P);
    if (bKupplung)
        o -= f->m_dKupplungsabstand;
    // The distances of axle records 0 and 1 as the drag moves them; the vehicle takes them below.
    double a1 = f->m_Achsen[0].dAbstand;
    double d12 = f->m_Achsen[1].dAbstand;
    const CFahrzeug* zug = pDoc->GetZugfahrzeug();

    if (nKind == kHitAchse1Vorn) {
        // The front of the axle-1 offset moves; with it axle 1, while axle 2 keeps its place.
        double d = x - xAlt;
        if (!bShift) {
            if (art == FahrzeugArt::kAuflieger && bKombi && zug) {
                const double hi = const_cast<CFahrzeug*>(zug)->GetPosLetzteAchse() - zug->m_dKupplungsabstand;
                d = a1 - std::clamp(a1 - d, 0.5, std::max(0.5, hi));
                a1 -= d;
                d12 += d;
            } else if (art == FahrzeugArt::kStarrdeichsel && zug) {
                const double lo = zug->IsArt5() ? 0.5 : zug->m_dKupplungsabstand + 0.5;
                d = std::max(a1 + d, lo) - a1;
                a1 += d;
                d12 += d;
            } else {
                double lo = art == FahrzeugArt::kZugmaschine ? 0.25 : 0.5;
                if (art == FahrzeugArt::kZugmaschine && bUnter)
                    lo = std::max(lo, 1.2);
                double dNeu = std::max(a1 + d, lo) - a1;
                if (art == FahrzeugArt::kZugmaschine && !bUnter && d12 + dNeu < 1.0)
                    dNeu = 1.0 - d12;
                if (a1 + dNeu > 5.0)
                    dNeu = 5.0 - a1;
                a1 += dNeu;
                d12 += dNeu;
            }
        } else if (art == FahrzeugArt::kZugmaschine) {
            d = std::max(d, -o);
            a1 = std::clamp(a1 + d, 0.5, 5.0);
        } else if (art == FahrzeugArt::kStarrdeichsel) {
            d = std::max(d, -o);
            a1 = std::clamp(a1 + d, 0.5, std::max(0.5, d12));
        } else {
            a1 += d;
        }
    } else if (nKind == kHitLFEnde) {
        double v = x + (art == FahrzeugArt::kSattelzugmaschine ? a1 : 0.0);
        double lo = P;
        // A coupling behind the load-area end (negative offset) does not let the end pass the last axle.
        if (bKupplung)
            lo = P + std::max(0.0, bUnter ? 0.35 : f->m_dKupplungsabstand);
        v = std::clamp(v, lo, std::max(lo, 20.0));
        m_Regler.SetLFLaenge(v);
        return true;
    } else if (nKind == kHitAchse1) {
        // Axle 1 alone: the others follow it.
        const double xa = Achse1Vorn(f) ? -x : x;
        if (!bShift) {
            a1 = xa < 0.5 ? 0.5 : std::min(xa, a1 + o);
        } else {
            double d = xa - a1;
            d = std::max(d, 0.5 - a1);
            d = std::min(d, d12 - 1.0);
            a1 += d;
            d12 -= d;
        }
    } else if (nKind == 4) {
        const double p1 = f->GetAchsPosition(0);
        double xn = x;
        if (art == FahrzeugArt::kStarrdeichsel && xn < 0.0)
            xn = 0.0;
        else if (art == FahrzeugArt::kZugmaschine && bUnter)
            xn = std::clamp(xn, 0.35, std::max(0.35, L - 0.35));
        else
            xn = std::clamp(xn, p1 + 1.0, std::max(p1 + 1.0, f->GetAchsPosition(1) + o));
        d12 = xn - p1;
    } else if (nKind >= 5 && nKind <= 8) {
        const int i = nKind - 3; // record of the dragged axle
        double g = 1.0;
        if (nKind <= 6 && art == FahrzeugArt::kStarrdeichsel && zug && zug->IsArt5())
            g = 0.7;
        const double pv = f->GetAchsPosition(i - 1);
        const double xn = std::clamp(x, pv + g, std::max(pv + g, f->GetAchsPosition(i) + o));
        f->SetAchsAbstand(i, xn - pv);
    } else if (nKind == kHitKupplung) {
        if (bUnter)
            return true;
        double xn = std::clamp(x, P, std::max(P, L));
        if (const CFahrzeug* anh = pDoc->GetAnhaenger();
            anh && f == pDoc->GetZugfahrzeug() && anh->GetArt() == FahrzeugArt::kStarrdeichsel)
            xn = std::max(xn, L + 0.5 - anh->GetAchse1Abstand());
        m_Regler.SetKupplung(L - xn);
        return true;
    } else if (nKind == kHitZL) {
        const double xn =
            std::clamp(x + (art == FahrzeugArt::kSattelzugmaschine ? a1 : 0.0), 0.0, std::max(0.0, L));
        m_Regler.SetZLPosition(xn);
        return true;
    } else if (nKind == kHitSattel) {
        const double a = bKombi && pDoc->GetFahrzeug() ? pDoc->GetFahrzeug()->GetAchse1Abstand() - 0.5 : 0.0;
        const double lo = P - L + 0.5, hi = P - a - 0.5;
        m_Regler.SetKupplungsversatz(std::clamp(P - x, lo, std::max(lo, hi)));
        return true;
    } else {
        return true; // axles 7 to 10 and the click-only objects do not move
    }
    f->SetAchsAbstand(0, a1);
    f->SetAchsAbstand(1, d12);
    pDoc->OnFahrzeugChanged(false);
    m_Quelle.ReglerNeuzeichnen();
    pDoc->UpdateOtherViews(UpdateHinweis::kBearbeitet);
    return true;
}
