// The lashing geometry of the securing wizard: windows, rail ranges, candidates and names.
#include "model/securing/ZurrGeometrie.h"

#include "model/plan/CLadeeinheit.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CZurrpunkt.h"
#include "model/vehicle/CZurrschiene.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace {

// Degrees as the single-precision radian value, widened.
constexpr double Grad(double d)
{
    return static_cast<double>(static_cast<float>(d * 3.14159265358979323846 / 180.0));
}

// Lower bound, upper bound and ideal bearing per choice and corner.
constexpr double kFenster[5][4][3] = {
    {{Grad(185), Grad(265), Grad(225)},
     {Grad(95), Grad(175), Grad(135)},
     {Grad(275), Grad(355), Grad(315)},
     {Grad(5), Grad(85), Grad(45)}},
    {{Grad(1), Grad(89), Grad(45)},
     {Grad(271), Grad(359), Grad(315)},
     {Grad(91), Grad(179), Grad(135)},
     {Grad(181), Grad(269), Grad(225)}},
    {{Grad(275), Grad(355), Grad(315)},
     {Grad(5), Grad(85), Grad(45)},
     {Grad(185), Grad(265), Grad(225)},
     {Grad(95), Grad(175), Grad(135)}},
    {{Grad(-15), Grad(15), Grad(0)},
     {Grad(-15), Grad(15), Grad(0)},
     {Grad(165), Grad(195), Grad(180)},
     {Grad(165), Grad(195), Grad(180)}},
    {{Grad(255), Grad(285), Grad(270)},
     {Grad(75), Grad(105), Grad(90)},
     {Grad(255), Grad(285), Grad(270)},
     {Grad(75), Grad(105), Grad(90)}},
};

constexpr double kSchritt = 0.01; // the rail walk's step, metres

bool Nahe(double a, double b, double tol)
{
    return std::fabs(a - b) <= tol;
}

bool IstZiffer(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

bool ZurrGeometrie::GetFenster(int nWahl, int nEcke, Fenster* pFenster)
{
    if (nEcke < 0 || nEcke > 3 || !pFenster)
        return false;
    if (nWahl < 0 || nWahl > 4)
        nWahl = 0;
    pFenster->a1 = kFenster[nWahl][nEcke][0];
    pFenster->a2 = kFenster[nWahl][nEcke][1];
    pFenster->ideal = kFenster[nWahl][nEcke][2];
    return true;
}

double ZurrGeometrie::Steigung(double t)
{
    if (Nahe(t, 0.0, kSteigungToleranz) || Nahe(t, PI_SINGLE, kSteigungToleranz))
        return 0.0;
    const double t2 = t > PI_SINGLE ? t - PI_SINGLE : t;
    if (Nahe(t2, HALF_PI_SINGLE, kSteigungToleranz))
        return 0.0;
    if (t2 > HALF_PI_SINGLE)
        return -std::tan(t2 - HALF_PI_SINGLE);
    return std::tan(HALF_PI_SINGLE - t2);
}

int ZurrGeometrie::SchneideKante(double px, double py, double t, double x1, double y1, double x2, double y2,
                                 double* pX, double* pY)
{
    const double e = kToleranz;
    if (std::fabs(x2 - x1) < e && std::fabs(y2 - y1) < e)
        return kKeiner;
    if (std::fabs(x2 - x1) < e)
        return kKeiner; // the edges are rails along x; a vertical edge has no line y = k x + c
    const double xmin = std::min(x1, x2), xmax = std::max(x1, x2);
    const double ymin = std::min(y1, y2), ymax = std::max(y1, y2);
    const double k = (ymax - ymin) / (x2 - x1);
    const double c = ymin - k * x1;
    double cx = 0.0, cy = 0.0;
    auto ergebnis = [&](int r) {
        if (pX)
            *pX = cx;
        if (pY)
            *pY = cy;
        return r;
    };
    const bool bNull = Nahe(t, 0.0, e), bPi = Nahe(t, PI_SINGLE, e);
    if (bNull || bPi) {
        cx = px;
        cy = k * px + c;
        if ((bPi && cy > py) || (bNull && cy < py))
            return ergebnis(kKeiner);
        return ergebnis(px < xmin || px > xmax ? kAusserhalb : kTreffer);
    }
    const double m = Steigung(t);
    const double b = py - m * px;
    if (Nahe(m, k, e))
        return ergebnis(kKeiner);
    cx = (b - c) / (k - m);
    cy = (b * k - m * c) / (k - m);
    const double yLinie = k * px + c;
    if (Nahe(py, yLinie, e))
        return ergebnis(cx >= xmin && cx <= xmax ? kAufLinie : kAusserhalb);
    const double n = k > 0.0 ? HALF_PI_SINGLE - std::atan(k)
                             : (k < 0.0 ? std::atan(std::fabs(k)) + HALF_PI_SINGLE : HALF_PI_SINGLE);
    const bool bZwischen = n < t && t < n + PI_SINGLE;
    if (py > yLinie ? !bZwischen : bZwischen)
        return ergebnis(kKeiner);
    return ergebnis(cx < xmin || cx > xmax ? kAusserhalb : kTreffer);
}

void ZurrGeometrie::SchienenBereich(int r1, double p1, int r2, double p2, double a1, double a2, double L,
                                    double* pVon, double* pBis)
{
    double von = -1.0, bis = -1.0;
    if (r1 == kTreffer && r2 == kTreffer) {
        von = std::min(p1, p2);
        bis = std::max(p1, p2);
    } else if (r1 != kAufLinie && r2 != kAufLinie) {
        if (r1 == kTreffer || r2 == kTreffer) {
            const bool bErste = r1 == kTreffer;
            const double p = bErste ? p1 : p2;
            const bool bNachVorn = bErste ? (HALF_PI_SINGLE < a1 && a1 < THREE_HALF_PI_SINGLE)
                                          : !(HALF_PI_SINGLE < a2 && a2 < THREE_HALF_PI_SINGLE);
            if (bNachVorn) {
                von = 0.0;
                bis = p;
            } else {
                von = p;
                bis = L;
            }
        }
    } else if (a1 <= THREE_HALF_PI_SINGLE && THREE_HALF_PI_SINGLE <= a2) {
        von = 0.0;
        bis = p1;
    } else if (a1 <= HALF_PI_SINGLE && HALF_PI_SINGLE <= a2) {
        von = p1;
        bis = L;
    }
    if (pVon)
        *pVon = von;
    if (pBis)
        *pBis = bis;
}

bool ZurrGeometrie::Normalisiere(double* pA1, double* pA2)
{
    bool bWrap = false;
    for (double* a : {pA1, pA2}) {
        if (*a < 0.0) {
            *a += TWO_PI_SINGLE;
            bWrap = true;
        } else if (*a > TWO_PI_SINGLE) {
            *a -= TWO_PI_SINGLE;
            bWrap = true;
        }
    }
    return bWrap;
}

bool ZurrGeometrie::ImFenster(double b, double a1, double a2, bool bWrap)
{
    return bWrap ? !(a2 < b && b < a1) : (a1 <= b && b <= a2);
}

bool ZurrGeometrie::EckePosition(const CFahrzeug& f, const CLadeeinheit& u, int nEcke, double* pX, double* pY,
                                 double* pZ)
{
    double x = 0.0, y = 0.0, z = 0.0;
    if (!u.GetAnschlagpunktPos(nEcke, &x, &y, &z))
        return false;
    f.AddRandabstand(&x, &y);
    if (pX)
        *pX = x;
    if (pY)
        *pY = y;
    if (pZ)
        *pZ = z;
    return true;
}

double ZurrGeometrie::SchienenY(const CFahrzeug& f, const CZurrschiene& s)
{
    // The rail's lateral distance: where the view draws it and where its points lie across the area.
    return s.GetSeitenAbstand(f.GetLFBreite());
}

double ZurrGeometrie::SchienenHoehe(const CZurrschiene&)
{
    // The rails lie on the load area's floor; the rail record holds no height of its own.
    return 0.0;
}

double ZurrGeometrie::SchienenAnfang(const CZurrschiene& s)
{
    return s.GetAnfang();
}

double ZurrGeometrie::SchienenEnde(const CFahrzeug& f, const CZurrschiene& s)
{
    return f.GetLFLaenge() - s.GetEndAbstand();
}

bool ZurrGeometrie::RailHasRange(const CZurrschiene& s)
{
    double von = 0.0, bis = 0.0;
    return s.GetBereich(&von, &bis) && von >= 0.0 && bis > von;
}

void ZurrGeometrie::UpdateZurrBereiche(CFahrzeug& f, const CLadeeinheit& u, int nWahl, int nEcke)
{
    Fenster fe;
    double px = 0.0, py = 0.0;
    if (!GetFenster(nWahl, nEcke, &fe) || !EckePosition(f, u, nEcke, &px, &py, nullptr)) {
        for (CZurrschiene* s : f.GetZurrschienen())
            if (s) {
                s->m_dVon = -1.0;
                s->m_dBis = -1.0;
            }
        return;
    }
    const double W = f.GetLFBreite(), L = f.GetLFLaenge();
    // The crossings are worked out in a frame whose y runs from the far edge (the bearings' slopes are
    // those of that frame): the corner and the rail are both taken into it, so that the range lies where
    // the rail and its points lie.
    const double yr = W - py;
    for (CZurrschiene* s : f.GetZurrschienen()) {
        if (!s)
            continue;
        const double d = W - SchienenY(f, *s);
        const double x1 = SchienenAnfang(*s), x2 = SchienenEnde(f, *s);
        double p1 = 0.0, p2 = 0.0;
        const int r1 = SchneideKante(px, yr, fe.a1, x1, d, x2, d, &p1, nullptr);
        const int r2 = SchneideKante(px, yr, fe.a2, x1, d, x2, d, &p2, nullptr);
        SchienenBereich(r1, p1, r2, p2, fe.a1, fe.a2, L, &s->m_dVon, &s->m_dBis);
    }
    double a1 = fe.a1, a2 = fe.a2;
    const bool bWrap = Normalisiere(&a1, &a2);
    for (CZurrpunkt* p : f.GetZurrpunktListe()) {
        if (!p)
            continue;
        const double b = CalcBearing(px, py, p->GetPosX(), p->GetPosY());
        p->m_nReserveNummer = ImFenster(b, a1, a2, bWrap) ? 1 : 0;
    }
}

bool ZurrGeometrie::Bester::Nimm(double dDiff, double dV, double dL)
{
    const double tol = kKandidatToleranz;
    bool bBesser = false;
    if (dDiff < diff - tol)
        bBesser = true;
    else if (std::fabs(dDiff - diff) <= tol)
        bBesser = dV < v - tol || (std::fabs(dV - v) <= tol && dL > l);
    if (bBesser) {
        diff = dDiff;
        v = dV;
        l = dL;
    }
    return bBesser;
}

CZurrpunkt* ZurrGeometrie::FindBestZurrpunkt(CFahrzeug& f, const CLadeeinheit& u, int nEcke, bool bSchienen,
                                             double ideal, double a1, double a2, double dXGrenze,
                                             double dYGrenze, CZurrpunkt& rScratch)
{
    double px = 0.0, py = 0.0, pz = 0.0;
    if (!EckePosition(f, u, nEcke, &px, &py, &pz))
        return nullptr;
    const bool bWrap = Normalisiere(&a1, &a2);
    auto grenze = [](double g, double v) { return (g > 0.0 && g > v) || (g < 0.0 && -g < v); };
    Bester best;
    // The figures of a candidate, or false when it is not one.
    auto pruefe = [&](double cx, double cy, double cz) {
        if (grenze(dXGrenze, cx) || grenze(dYGrenze, cy))
            return false;
        const double b = CalcBearing(px, py, cx, cy);
        if (!ImFenster(b, a1, a2, bWrap))
            return false;
        const double h = std::hypot(px - cx, py - cy);
        // A point straight below the corner gives a lashing that holds in no direction.
        if (!(h > kToleranz))
            return false;
        const double v = std::atan((pz - cz) / h);
        const double l = std::sqrt(h * h + (pz - cz) * (pz - cz));
        return best.Nimm(CalcAngleDiff(b, ideal), v, l);
    };
    if (bSchienen) {
        CZurrschiene* pBesteSchiene = nullptr;
        double xBest = 0.0;
        for (CZurrschiene* s : f.GetZurrschienen()) {
            if (!s || (s->m_nSeite != 0 && s->m_nSeite != 2))
                continue;
            const double y = SchienenY(f, *s);
            if (grenze(dYGrenze, y))
                continue;
            const double x0 = SchienenAnfang(*s), xEnde = SchienenEnde(f, *s);
            if (xEnde < x0)
                continue;
            // Counted steps, so that the rail's last centimetre is reached whatever the rounding.
            const long nSchritte = std::lround(std::floor((xEnde - x0) / kSchritt + 1e-6));
            for (long i = 0; i <= nSchritte; ++i) {
                double x = std::min(x0 + double(i) * kSchritt, xEnde);
                if (i == nSchritte && xEnde - x < 1e-9)
                    x = xEnde;
                if (pruefe(x, y, SchienenHoehe(*s))) {
                    pBesteSchiene = s;
                    xBest = x;
                }
            }
        }
        if (!pBesteSchiene)
            return nullptr;
        rScratch.SetBezugsmasse(f.GetLFLaenge(), f.GetLFBreite());
        MacheSchienenpunkt(f, pBesteSchiene, xBest, rScratch);
        return &rScratch;
    }
    CZurrpunkt* pBester = nullptr;
    for (CZurrpunkt* p : f.GetZurrpunktListe())
        if (p && pruefe(p->GetPosX(), p->GetPosY(), p->m_dHoehe))
            pBester = p;
    return pBester;
}

int ZurrGeometrie::AutoAssignZurrpunkte(CFahrzeug& f, CLadeeinheit& u, int nWahl, int nS,
                                        CZurrpunkt& rScratch)
{
    const double W = f.GetLFBreite();
    double x = 0.0, y = 0.0, l = 0.0, b = 0.0;
    u.GetRechteck(&x, &y, &l, &b);
    const double xs = x + f.GetRandabstand(0), xe = xs + l;
    const double yGrenze0 = nWahl == 0 ? W / 2.0 : nWahl == 4 ? -W / 2.0 : 0.0;
    int nAnzahl = 0;
    for (int nEcke = 0; nEcke < 4; ++nEcke) {
        double xGrenze = 0.0;
        if (nWahl == 1)
            xGrenze = (nEcke == 0 || nEcke == 2) ? xe : -xs;
        const double yGrenze = nEcke < 2 ? yGrenze0 : -yGrenze0;
        Fenster fe;
        GetFenster(nWahl, nEcke, &fe);
        CZurrpunkt* p =
            FindBestZurrpunkt(f, u, nEcke, nS == 1, fe.ideal, fe.a1, fe.a2, xGrenze, yGrenze, rScratch);
        if (!p)
            continue;
        if (p == &rScratch)
            u.SetZurrpunkt(nEcke, 0, p);
        else
            AssignKopie(u, nEcke, 0, p);
        ++nAnzahl;
    }
    return nAnzahl;
}

bool ZurrGeometrie::NormalisiereName(const std::string& strText, int nArt, std::string* pName)
{
    std::string s;
    for (char c : strText)
        s += char(std::toupper(static_cast<unsigned char>(c)));
    if (s.empty()) {
        if (pName)
            pName->clear();
        return true;
    }
    int nL = 0, nR = 0, nV = 0;
    for (char c : s) {
        if (c == 'L')
            ++nL;
        else if (c == 'R')
            ++nR;
        else if (c == 'V')
            ++nV;
        else if (!IstZiffer(c))
            return false;
    }
    if (nL > 1 || nR > 1 || nV > 1)
        return false;
    bool bLinks = false;
    std::size_t nStart = 0;
    if (nL + nR + nV == 0) {
        if (nArt < 0)
            return false;
        bLinks = nArt == 1;
    } else {
        if (nL + nR != 1)
            return false;
        const char seite = nL ? 'L' : 'R';
        if (nV == 0) {
            if (s[0] != seite)
                return false;
            nStart = 1;
        } else {
            // V and the side letter make up the first two characters, in either order.
            if (s.size() < 2 || !((s[0] == 'V' && s[1] == seite) || (s[0] == seite && s[1] == 'V')))
                return false;
            nStart = 2;
        }
        bLinks = nL == 1;
    }
    const std::string ziffern = s.substr(nStart);
    if (ziffern.size() > 9)
        return false;
    const int nNr = ziffern.empty() ? 0 : std::stoi(ziffern);
    if (pName)
        *pName = FormatZurrpunktName(nV == 1, bLinks, nNr);
    return true;
}

int ZurrGeometrie::SeitenArt(CFahrzeug& f)
{
    bool bMit = false, bOhne = false;
    for (CZurrpunkt* p : f.GetZurrpunktListe())
        if (p && p->IsWaehlbar())
            ((p->m_nFlags & CZurrpunkt::kLinks) ? bMit : bOhne) = true;
    if (bMit && bOhne)
        return -1;
    return bOhne ? 0 : 1;
}

bool ZurrGeometrie::AssignKopie(CLadeeinheit& u, int nEcke, int nSub, CZurrpunkt* pQuelle)
{
    if (!pQuelle)
        return false;
    CZurrpunkt kopie(*pQuelle);
    kopie.m_pFahrzeugPunkt = pQuelle;
    kopie.m_dFahrzeugPunktKraft = pQuelle->GetSchienenDaN();
    u.SetZurrpunkt(nEcke, nSub, &kopie);
    CZurrpunkt* p = u.GetZurrpunkt(nEcke, nSub);
    return p && p->m_pFahrzeugPunkt == pQuelle;
}

bool ZurrGeometrie::AssignZurrpunktByName(CFahrzeug& f, CLadeeinheit& u, const std::string& strName,
                                          int nEcke, int nSub)
{
    if (strName.empty()) {
        u.SetZurrpunkt(nEcke, nSub, nullptr);
        return true;
    }
    for (CZurrpunkt* p : f.GetZurrpunktListe())
        if (p && p->IsWaehlbar() && p->GetName() == strName)
            return AssignKopie(u, nEcke, nSub, p);
    return false;
}

void ZurrGeometrie::MacheSchienenpunkt(CFahrzeug& f, CZurrschiene* pSchiene, double dPos, CZurrpunkt& p)
{
    p.SetZurrschiene(pSchiene);
    p.m_nFlags = CZurrpunkt::kVonVorn | CZurrpunkt::kAnSchiene;
    if (pSchiene && pSchiene->m_nSeite == 2)
        p.m_nFlags |= CZurrpunkt::kLinks;
    p.m_dAbstandLaengs = dPos;
    // The lateral distance is measured from the edge the side flag names, so that the point lies on the
    // rail's line.
    const double y = pSchiene ? SchienenY(f, *pSchiene) : 0.0;
    p.m_dAbstandQuer = (p.m_nFlags & CZurrpunkt::kLinks) ? double(f.GetLFBreite()) - y : y;
    p.m_dHoehe = pSchiene ? SchienenHoehe(*pSchiene) : 0.0;
    p.m_dZulKraft = 0.0;
    p.m_dSchienenKraft = pSchiene ? double(pSchiene->m_nZulKraft) : 0.0;
    p.m_pFahrzeugPunkt = nullptr;
    p.SetBezugsmasse(f.GetLFLaenge(), f.GetLFBreite());
}

void ZurrGeometrie::AssignRailPoint(CFahrzeug& f, CLadeeinheit& u, int nEcke, int nSub,
                                    CZurrschiene* pSchiene, double dPos)
{
    u.SetZurrpunkt(nEcke, nSub, nullptr);
    if (!pSchiene)
        return;
    CZurrpunkt p(f.GetLFLaenge(), f.GetLFBreite());
    MacheSchienenpunkt(f, pSchiene, dPos, p);
    u.SetZurrpunkt(nEcke, nSub, &p);
}
