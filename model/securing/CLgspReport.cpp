// The load-securing calculation of a load unit by the simple or the detailed method.
#include "model/securing/CLgspReport.h"

#include "model/base/AngleMath.h"
#include "model/plan/CAnschlagpunkt.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/CWizardParams.h"
#include "model/plan/sZPPtrTupel.h"
#include "model/securing/CLgsMangel.h"
#include "model/securing/ILgspReportDokument.h"
#include "model/securing/SNormParams.h"
#include "model/text/ResourceText.h"
#include "model/text/TextFormat.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CZurrpunkt.h"
#include "model/vehicle/CZurrschiene.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

constexpr double kWinkelToleranz = 0.0005;
constexpr double kMinAbstand = 5e-05;
// A denominator at or below this counts as 0.
constexpr double kNennerMin = 1e-12;

// The flag of a corner record that acts in each direction block.
constexpr int kRichtungsFlag[4] = {SLgspEcke::kRueckwaerts, SLgspEcke::kLinks, SLgspEcke::kVorwaerts,
                                   SLgspEcke::kRechts};

bool Endlich(double a)
{
    return std::isfinite(a);
}

// Vertical angle of a top-over lashing whose leg reaches the floor `g` beside the unit of height H.
double VertikalWinkel(double H, double g)
{
    if (std::fabs(g) < kMinAbstand)
        return HALF_PI_SINGLE;
    return std::atan(H / std::fabs(g));
}

// A quotient of the calculation: 0 when nothing is to be held (a numerator not above 0 over no
// usable denominator), else num / den; `bOk` false when a positive numerator meets no usable
// denominator.
double Quotient(double num, double den, bool& bOk)
{
    if (Endlich(den) && den > kNennerMin)
        return num / den;
    if (num > 0.0) {
        bOk = false;
        return 0.0;
    }
    return 0.0;
}

float F(double d)
{
    return static_cast<float>(d);
}

// The corners on the right side and at the front.
constexpr bool kRechtsEcke[4] = {true, true, false, false};
constexpr bool kVornEcke[4] = {true, false, true, false};

// The larger of the lashing capacities against sliding (a) and tipping (t); nArt says which (1, 2),
// or 0 for none.
float Waehle(float a, float t, int& nArt)
{
    if (a == 0.0f && t > 0.0f) {
        nArt = 2;
        return t;
    }
    if ((a > 0.0f && t == 0.0f) || (a > t && t > 0.0f)) {
        nArt = 1;
        return a;
    }
    if (a > 0.0f && a <= t) {
        nArt = 2;
        return t;
    }
    nArt = 0;
    return 0.0f;
}

} // namespace

sZPPtrTupel* FindNaechstenEintrag(const std::vector<std::unique_ptr<sZPPtrTupel>>& liste, double x)
{
    sZPPtrTupel* pBest = nullptr;
    double dBest = 1000.0;
    for (const auto& p : liste) {
        if (!p || p->m_nAktiv != 0 || !p->m_pZP1)
            continue;
        const double d = std::fabs(p->m_pZP1->m_dAbstandLaengs - x);
        if (d < dBest) {
            dBest = d;
            pBest = p.get();
        }
    }
    return pBest;
}

std::string SLgspWerte::GetNormName() const
{
    static const unsigned kText[3] = {561, 562, 563};
    return FormatS("$S", 1, (m_nNorm >= 0 && m_nNorm <= 2) ? kText[m_nNorm] : 69u);
}

CLgspReport::CLgspReport(ILgspReportDokument* pDoc) : m_strEnde("</body></html>\n"), m_pDoc(pDoc)
{
    // A template that does not load stays empty.
    LoadResourceText(m_strKopf, 894, RES_TYPE_TEXT);
    LoadResourceText(m_strEinfach, 897, RES_TYPE_TEXT);
    LoadResourceText(m_strDetail, 896, RES_TYPE_TEXT);
}

CLgspReport::~CLgspReport() = default;

bool CLgspReport::SelectFahrzeug(int nWelches)
{
    m_pFahrzeug = nullptr;
    m_nWelches = 0;
    m_pEinheit = nullptr;
    m_bCursor = false;
    if (!m_pDoc)
        return false;
    CFahrzeug* p = nullptr;
    if (nWelches == 1) {
        p = m_pDoc->GetFirstFahrzeug();
        if (!p || p->GetArt() == FahrzeugArt::kSattelzugmaschine)
            return false;
    } else if (nWelches == 2) {
        p = m_pDoc->GetAnhaenger();
        if (!p)
            return false;
    } else {
        return false;
    }
    m_pFahrzeug = p;
    m_nWelches = nWelches;
    return true;
}

void CLgspReport::SetFahrzeug(CFahrzeug* pFahrzeug)
{
    m_pFahrzeug = pFahrzeug;
    m_nWelches = (m_pDoc && pFahrzeug && m_pDoc->GetAnhaenger() == pFahrzeug) ? 2 : 1;
    m_pEinheit = nullptr;
    m_bCursor = false;
}

int CLgspReport::GetFirstLadeeinheit()
{
    m_pEinheit = nullptr;
    m_bCursor = false;
    if (!m_pFahrzeug || !m_pFahrzeug->GetQor())
        return 0;
    const auto& liste = m_pFahrzeug->GetQor()->m_Ladeeinheiten;
    m_itPos = liste.begin();
    m_bCursor = true;
    return GetNextLadeeinheit();
}

int CLgspReport::GetNextLadeeinheit()
{
    if (!m_bCursor || !m_pFahrzeug || !m_pFahrzeug->GetQor()) {
        m_pEinheit = nullptr;
        return 0;
    }
    const auto& liste = m_pFahrzeug->GetQor()->m_Ladeeinheiten;
    while (m_itPos != liste.end() && !*m_itPos)
        ++m_itPos;
    if (m_itPos == liste.end()) {
        m_pEinheit = nullptr;
        m_bCursor = false;
        return 0;
    }
    m_pEinheit = (m_itPos++)->get();
    return m_pEinheit->GetId();
}

bool CLgspReport::SetLadeeinheit(CLadeeinheit* pEinheit)
{
    m_pEinheit = pEinheit;
    m_bCursor = false;
    const CQOR* pPlan = m_pFahrzeug ? m_pFahrzeug->GetQor() : nullptr;
    return pEinheit && pPlan && pPlan->GetAktiveLadeeinheit() == pEinheit;
}

CWizardParams* CLgspReport::GetWizardParams() const
{
    if (m_pWizardParams)
        return m_pWizardParams;
    return m_pEinheit ? &m_pEinheit->m_Wizard : nullptr;
}

float CLgspReport::GetAbminderungsFaktor() const
{
    const CWizardParams* wp = GetWizardParams();
    return wp ? AbminderungsFaktor(*wp) : 1.0f;
}

float CLgspReport::AbminderungsFaktor(const CWizardParams& wp)
{
    if (wp.m_nNorm != 1 || wp.m_nVerfahren != 1)
        return 1.0f;
    if (wp.m_bAntirutschmatte && wp.m_nMatteQualifier == 0)
        return 1.0f;
    return 0.75f;
}

int CLgspReport::RundeZurrmittel(double n)
{
    const double ganz = std::floor(n);
    int nAnzahl = static_cast<int>(ganz);
    if (n - ganz >= 0.2)
        ++nAnzahl;
    return std::max(nAnzahl, 2);
}

bool CLgspReport::CalcLgsWerte()
{
    if (!m_pEinheit || !m_pFahrzeug)
        return false;
    const CWizardParams* pwp = GetWizardParams();
    if (!pwp)
        return false;
    const CWizardParams& wp = *pwp;
    SLgspWerte& w = wp.m_nVerfahren == 0 ? m_Einfach : m_Detail;
    w = SLgspWerte{};
    m_pWerte = &w;

    CLadeeinheit& u = *m_pEinheit;
    u.CalcAbmessungen();
    double L = 0.0, W = 0.0, H = 0.0, dMasse = 0.0;
    u.GetAbmessungen(&m_dX, &m_dY, &L, &W, &H, &dMasse);
    double xs = 0.0, ys = 0.0, hs = 0.0;
    const bool bSchwerpunkt = u.CalcSchwerpunkt(&xs, &ys, &hs);

    const SNormParams& np = wp.m_Norm;
    const float* c = np.m_fKoeff;
    const double m = dMasse * 1000.0;
    const double g = np.m_fGravitation;
    const double mu = wp.m_bAntirutschmatte ? wp.m_fReibungMitMatte : wp.m_fReibungOhneMatte;
    const double f = GetAbminderungsFaktor();
    const bool bEinfach = wp.m_nVerfahren == 0;

    w.m_tDatum = wp.m_tDatum;
    w.m_nNummer = wp.m_nNummer;
    w.m_pEinheit = &u;
    w.m_nVerfahren = wp.m_nVerfahren;
    w.m_nNorm = wp.m_nNorm;
    w.m_fMasse = F(m);
    w.m_bAntirutschmatte = wp.m_bAntirutschmatte;
    w.m_fMu = Endlich(mu) ? F(mu) : 0.0f;
    w.m_fF = F(f);
    w.m_nReserve = 0;
    w.m_fG = F(g);
    w.m_fLC = F(wp.m_nZurrkraft * 10.0);
    w.m_nZurrmittelTyp = wp.m_nZurrmittelTyp;
    w.m_nQuerQuelle = wp.m_nQuerQuelle;

    // The inputs every figure rests on.
    int& nb = w.m_nNichtBewertbar;
    if (!bSchwerpunkt || !(m > 0.0) || !Endlich(m) || !Endlich(xs) || !Endlich(ys) || !Endlich(hs))
        nb |= SLgspWerte::kOhneMasse;
    if (!(L > 0.0 && W > 0.0 && H > 0.0) || !Endlich(L) || !Endlich(W) || !Endlich(H))
        nb |= SLgspWerte::kOhneAbmessungen;
    if (!(g > 0.0) || !Endlich(g))
        nb |= SLgspWerte::kNenner;
    for (int i = 0; i < SNormParams::kAnzahl; ++i)
        if (!Endlich(c[i]) || c[i] < 0.0f)
            nb |= SLgspWerte::kBeiwertUngueltig;
    const bool bGrundlage = nb == 0;
    const bool bMu = Endlich(mu) && mu >= 0.0;
    if (!bMu)
        nb |= SLgspWerte::kReibungFehlt;

    // From here the unit counts as calculated (GetSicherungsStand): the simple method writes its count
    // below, the detailed one keeps none.
    if (!bEinfach && u.m_nZurrParam[0] < 0)
        u.m_nZurrParam[0] = 0;
    if (!bGrundlage) {
        for (SLgspRichtung& r : w.m_Richtung)
            r.m_bNichtBewertbar = 1;
        if (bEinfach) {
            // No count: none of an earlier calculation may stay behind in the unit.
            u.m_nZurrParam[0] = 0;
            u.m_nZurrParam[1] = wp.m_nQuerQuelle;
            u.m_nZurrParam[2] = wp.m_nVorspannkraft;
        }
        MeldeNichtBewertbar(w);
        return true;
    }

    const bool bZweitesKippen = bEinfach && wp.m_nNorm == 1;
    for (int d = 0; d < 4; ++d) {
        SLgspRichtung& r = w.m_Richtung[d];
        const bool bSeite = d == SLgspWerte::kLinks || d == SLgspWerte::kRechts;
        r.m_fC = d == SLgspWerte::kRueckwaerts ? c[1] : d == SLgspWerte::kVorwaerts ? c[0] : c[2];
        r.m_fCt = d == SLgspWerte::kRueckwaerts    ? c[1]
                  : d == SLgspWerte::kVorwaerts    ? c[0]
                  : (!bEinfach && wp.m_nNorm == 1) ? c[9]
                                                   : c[3];
        r.m_fCt2 = bSeite ? c[4] : 0.0f;
        const sFSParam& fs = wp.m_FS[d];
        r.m_nBlockiertRoh = fs.m_nArt;
        r.m_bBlockiert = fs.m_nArt != 0 ? 1 : 0;
        const double Fb = r.m_bBlockiert ? fs.m_nKapazitaet * 10.0 : 0.0;
        r.m_fFb = F(Fb);
        const double b = d == SLgspWerte::kVorwaerts     ? xs
                         : d == SLgspWerte::kRueckwaerts ? L - xs
                         : d == SLgspWerte::kLinks       ? W - ys
                                                         : ys;
        const double ct = r.m_fCt, ct2 = r.m_fCt2;

        if (bMu) {
            const double Fs = std::max(0.0, (r.m_fC - f * mu) * m * g);
            const double Fr = std::max(0.0, Fs - Fb);
            r.m_fFs = F(Fs);
            r.m_fFr = F(Fr);
            r.m_bNoetig = Fr > 0.0;
            r.m_fFbUeber = F(std::max(0.0, Fb - Fs));
        } else {
            r.m_bNichtBewertbar = 1;
        }
        // Tips when the tipping coefficient exceeds b / h; a centre of gravity on the floor never does.
        auto kippt = [&](double k, double Ft) { return Ft > 0.0 && hs > 0.0 && k > b / hs; };
        const double Ft = std::max(0.0, ct * m * g - Fb);
        r.m_fFt = F(Ft);
        r.m_bKippt = kippt(ct, Ft);
        r.m_fMt = F(Ft * hs * r.m_bKippt);
        r.m_fMs = F(m * b * g);
        r.m_fFbKippUeber = F(std::max(0.0, Fb - ct * m * g));
        if (bZweitesKippen) {
            if (bSeite) {
                const double Ft2 = std::max(0.0, ct2 * m * g - Fb);
                r.m_fFt2 = F(Ft2);
                r.m_bKippt2 = kippt(ct2, Ft2);
                r.m_fMt2 = F(Ft2 * hs * r.m_bKippt2);
                r.m_fFbKipp2Ueber = F(std::max(0.0, Fb - ct2 * m * g));
            } else {
                r.m_fFt2 = r.m_fFt;
                r.m_bKippt2 = r.m_bKippt;
                r.m_fMt2 = r.m_fMt;
                r.m_fFbKipp2Ueber = r.m_fFbKippUeber;
            }
        }
        if (r.m_bKippt || r.m_bKippt2)
            w.m_bKippen = 1;
        if (r.m_bNoetig)
            w.m_bSicherungNoetig = 1;
    }

    if (bEinfach)
        CalcEinfach(w, wp, L, W, H, xs);
    else
        CalcDetail(w, wp, L, W, H, xs, ys);

    w.m_bGueltig = nb == 0 ? 1 : 0;
    MeldeNichtBewertbar(w);
    return true;
}

int CLgspReport::SammleZurrpunktPaare()
{
    const CWizardParams* wp = GetWizardParams();
    if (!m_pEinheit || !m_pFahrzeug || !wp || wp->m_nVerfahren != 0 || wp->m_nQuerQuelle != 0)
        return -1;
    CLadeeinheit& u = *m_pEinheit;
    u.CalcAbmessungen();
    double x = 0.0, y = 0.0, L = 0.0, W = 0.0, H = 0.0, dMasse = 0.0;
    u.GetAbmessungen(&x, &y, &L, &W, &H, &dMasse);
    m_pFahrzeug->AddRandabstand(&x, nullptr);
    u.ClearZPPtrTupel();
    return m_pFahrzeug->CollectZurrpunktPaare(x, x + L, u.m_ZPPtrTupel);
}

void CLgspReport::CalcEinfach(SLgspWerte& w, const CWizardParams& wp, double L, double W, double H, double xs)
{
    CFahrzeug& v = *m_pFahrzeug;
    const float* c = wp.m_Norm.m_fKoeff;
    int& nb = w.m_nNichtBewertbar;

    // Where the legs of the top-over lashings reach the floor beside the unit.
    double dInsetR = -1000.0, dInsetL = -1000.0;
    bool bRechts = false, bLinks = false;
    double x0 = m_dX, yR = m_dY;
    v.AddRandabstand(&x0, &yR);
    if (wp.m_nQuerQuelle == 0) {
        for (CZurrpunkt* p : v.GetZurrpunktListe()) {
            if (!p)
                continue;
            const double px = p->GetPosX();
            if (px < x0 || px > x0 + L)
                continue;
            const bool bL = (p->m_nFlags & CZurrpunkt::kLinks) != 0;
            double& inset = bL ? dInsetL : dInsetR;
            bool& bDa = bL ? bLinks : bRechts;
            if (!bDa || p->m_dAbstandQuer < inset)
                inset = p->m_dAbstandQuer;
            bDa = true;
        }
    } else {
        const CZurrschiene* pSchiene = v.m_Zurrschienen.empty() ? nullptr : v.GetZurrschienen().front();
        dInsetR = dInsetL = pSchiene ? pSchiene->m_dPosition : -1.0;
        bRechts = bLinks = pSchiene != nullptr;
    }
    const double gR = yR - dInsetR;
    const double gL = (v.GetLFBreite() - (yR + W)) - dInsetL;
    const double gLang = std::max(gR, gL);
    const double aR = VertikalWinkel(H, gR), aL = VertikalWinkel(H, gL), aLang = VertikalWinkel(H, gLang);
    w.m_fAlphaRechts = F(aR);
    w.m_fAlphaLinks = F(aL);
    w.m_fAlphaLaengs = F(aLang);

    const double k = c[5];
    const double STF = wp.m_nVorspannkraft * 10.0;
    const double LC = wp.m_nZurrkraft * 10.0;
    w.m_fK = F(k);
    w.m_fSTF = F(STF);
    w.m_fLCHalb = F(LC / 2.0);
    w.m_fSicherheitVorn = c[6];
    w.m_fSicherheit = c[7];

    const double mu = w.m_fMu, f = w.m_fF;
    const bool bSeitenOk[4] = {bRechts && bLinks, bLinks, bRechts && bLinks, bRechts};
    const double sinA[4] = {std::sin(aLang), std::sin(aL), std::sin(aLang), std::sin(aR)};

    // Why a count could not be made: every factor of its denominator that is 0. `dKraft` is the device
    // force the count divides by, `nKraftGrund` the reason when it is 0.
    auto grund = [&](int d, double dKraft, int nKraftGrund) {
        int n = 0;
        if (!bSeitenOk[d])
            n |= SLgspWerte::kOhneZurrpunkt;
        if (!(dKraft > 0.0))
            n |= nKraftGrund;
        if (!(sinA[d] > kNennerMin))
            n |= SLgspWerte::kWinkelFlach;
        return n;
    };

    double n = 0.0;
    bool bAlleOk = true;
    auto zaehle = [&](int d, double num, double den, double fs, int nGrund, float& out) {
        bool bOk = bSeitenOk[d] || !(num > 0.0);
        double q = bSeitenOk[d] ? Quotient(num, den, bOk) * fs : 0.0;
        if (!bOk) {
            nb |= nGrund != 0 ? nGrund : SLgspWerte::kNenner;
            w.m_Richtung[d].m_bNichtBewertbar = 1;
            bAlleOk = false;
            q = 0.0;
        }
        out = F(q);
        n = std::max(n, q);
    };

    // Against sliding: n = Fr / (mu k f sin a STF) fs.
    const int nMuKF =
        (mu * f > 0.0 ? 0 : SLgspWerte::kNenner) | (k > 0.0 ? 0 : SLgspWerte::kBeiwertUngueltig);
    for (int d = 0; d < 4; ++d) {
        if (nb & SLgspWerte::kReibungFehlt) {
            bAlleOk = false; // sliding cannot be assessed; the blocks are marked already
            continue;
        }
        const double fs = d == SLgspWerte::kVorwaerts ? c[6] : c[7];
        zaehle(d, w.m_Richtung[d].m_fFr, mu * k * f * sinA[d] * STF, fs,
               grund(d, STF, SLgspWerte::kVorspannkraftFehlt) | nMuKF, w.m_fNRutschen[d]);
    }
    // Against tipping forward and backward: (Mt - Ms) / (lever 2 LC sin a) fs.
    for (int d : {SLgspWerte::kVorwaerts, SLgspWerte::kRueckwaerts}) {
        const SLgspRichtung& r = w.m_Richtung[d];
        const double hebel = d == SLgspWerte::kVorwaerts ? xs : L - xs;
        zaehle(d, double(r.m_fMt) - r.m_fMs, hebel * 2.0 * LC * sinA[d],
               d == SLgspWerte::kVorwaerts ? c[6] : c[7],
               grund(d, LC, SLgspWerte::kZurrkraftFehlt) | (hebel > 0.0 ? 0 : SLgspWerte::kNenner),
               w.m_fNKippen[d]);
    }
    // Against tipping sideways: (Mt - Ms) / ((k - 1) W STF sin a) fs; under norm 1 also with the second
    // tipping moment and half the lashing capacity.
    const int kBeiwert = k > 1.0 ? 0 : SLgspWerte::kBeiwertUngueltig;
    for (int d : {SLgspWerte::kRechts, SLgspWerte::kLinks}) {
        const SLgspRichtung& r = w.m_Richtung[d];
        zaehle(d, double(r.m_fMt) - r.m_fMs, (k - 1.0) * W * STF * sinA[d], c[7],
               grund(d, STF, SLgspWerte::kVorspannkraftFehlt) | kBeiwert, w.m_fNKippen[d]);
    }
    if (wp.m_nNorm == 1) {
        for (int d : {SLgspWerte::kRechts, SLgspWerte::kLinks}) {
            const SLgspRichtung& r = w.m_Richtung[d];
            zaehle(d, double(r.m_fMt2) - r.m_fMs, (k - 1.0) * W * (LC / 2.0) * sinA[d], c[7],
                   grund(d, LC, SLgspWerte::kZurrkraftFehlt) | kBeiwert,
                   w.m_fNKippen2[d == SLgspWerte::kLinks ? 0 : 1]);
        }
    }

    if (bAlleOk && !(Endlich(n) && n < kMaxZurrmittel)) {
        nb |= SLgspWerte::kZuViele;
        bAlleOk = false;
    }
    w.m_nZurrmittel = bAlleOk ? RundeZurrmittel(n) : 0;

    m_pEinheit->m_nZurrParam[0] = w.m_nZurrmittel;
    m_pEinheit->m_nZurrParam[1] = wp.m_nQuerQuelle;
    m_pEinheit->m_nZurrParam[2] = wp.m_nVorspannkraft;
    if (w.m_nZurrmittel > 0)
        SetZurrpunkte(w, wp, L);
    if (m_pDoc)
        m_pDoc->InvalidateLgSicherungView();
}

void CLgspReport::SetZurrpunkte(const SLgspWerte& w, const CWizardParams& wp, double L)
{
    CLadeeinheit& u = *m_pEinheit;
    CFahrzeug& v = *m_pFahrzeug;
    const int n = w.m_nZurrmittel;
    double vorn = m_dX;
    v.AddRandabstand(&vorn, nullptr);
    const double hinten = vorn + L;
    auto& paare = u.m_ZPPtrTupel;

    if (wp.m_nQuerQuelle == 0) {
        if (static_cast<int>(paare.size()) > n) {
            const double dAbstand = L / (n + 1);
            const sZPPtrTupel* pErstes = paare.front().get();
            const sZPPtrTupel* pLetztes = paare.back().get();
            bool bVonVorn = true;
            if (pErstes && pErstes->m_pZP1 && pLetztes && pLetztes->m_pZP1)
                bVonVorn = std::fabs(pErstes->m_pZP1->m_dAbstandLaengs - vorn) <=
                           std::fabs(pLetztes->m_pZP1->m_dAbstandLaengs - hinten);
            for (auto& p : paare)
                if (p)
                    p->m_nAktiv = 0;
            for (int i = 1; i <= n; ++i) {
                const double x = bVonVorn ? vorn + i * dAbstand : hinten - i * dAbstand;
                if (sZPPtrTupel* p = FindNaechstenEintrag(paare, x))
                    p->m_nAktiv = 1;
            }
        } else {
            for (auto& p : paare)
                if (p)
                    p->m_nAktiv = 1;
        }
        return;
    }

    u.ClearZPPtrTupel();
    CZurrschiene* pErste = v.m_Zurrschienen.empty() ? nullptr : v.GetZurrschienen().front();
    CZurrschiene* pLetzte = v.m_Zurrschienen.empty() ? nullptr : v.GetZurrschienen().back();
    const double dInset = pErste ? pErste->m_dPosition : -1.0;
    const double dAbstand = L / n;
    for (int i = 0; i < n; ++i) {
        const double x = vorn + dAbstand / 2.0 + i * dAbstand;
        auto* p1 = new CZurrpunkt(v.GetLFLaenge(), v.GetLFBreite());
        auto* p2 = new CZurrpunkt(v.GetLFLaenge(), v.GetLFBreite());
        for (CZurrpunkt* p : {p1, p2}) {
            p->m_dAbstandLaengs = x;
            p->m_dAbstandQuer = dInset;
            p->m_nFlags = CZurrpunkt::kVonVorn;
        }
        p2->m_nFlags |= CZurrpunkt::kLinks;
        p1->SetZurrschiene(pErste);
        p2->SetZurrschiene(pLetzte);
        auto pPaar = std::make_unique<sZPPtrTupel>(p1, p2, 1);
        pPaar->m_nAktiv = 1;
        paare.push_back(std::move(pPaar));
    }
}

void CLgspReport::CalcDetail(SLgspWerte& w, const CWizardParams& wp, double L, double W, double H, double xs,
                             double ys)
{
    w.m_nModus = wp.m_nDetailWert;
    if (w.m_nNichtBewertbar & SLgspWerte::kReibungFehlt)
        return; // every capacity depends on the friction; the blocks are marked already
    bool bEcke[4] = {false, false, false, false};
    CalcDetailEcken(w, wp.m_nDetailWert, bEcke);
    CalcDetailRichtungen(w, bEcke, L, W, H, xs, ys);
    FasseEckenZusammen(w);
}

// The lashings of the attachment points: angles and the directions they act in; bEcke tells which
// corners hold a lashing that counts.
void CLgspReport::CalcDetailEcken(SLgspWerte& w, int nDetailWert, bool bEcke[4])
{
    CLadeeinheit& u = *m_pEinheit;
    int& nb = w.m_nNichtBewertbar;
    CZurrpunkt* pPunkt = nullptr;
    int nEcke = 0;
    for (bool b = u.GetFirstZurrpunkt(&pPunkt, &nEcke, nullptr); b;
         b = u.GetNextZurrpunkt(&pPunkt, &nEcke, nullptr)) {
        if (!pPunkt || nEcke < 0 || nEcke > 3)
            continue;
        double ax = 0.0, ay = 0.0, az = 0.0;
        if (!u.GetAnschlagpunktPos(nEcke, &ax, &ay, &az))
            continue;
        m_pFahrzeug->AddRandabstand(&ax, &ay);
        double d = 0.0;
        const double theta = CalcBearing(ax, ay, pPunkt->GetPosX(), pPunkt->GetPosY(), &d);
        const double dz = az - pPunkt->m_dHoehe;
        SLgspEcke& e = w.m_Ecke[nEcke];
        if (!(d > kNennerMin)) {
            // A lashing straight above or below its attachment point pulls in no horizontal direction:
            // the corner holds nothing, and the user is told rather than the lashing silently ignored.
            e.m_bNichtBewertbar = 1;
            nb |= SLgspWerte::kSenkrecht;
            continue;
        }
        e.m_fAlpha = F(dz >= 0.0 ? (d > kNennerMin ? std::atan(dz / d) : HALF_PI_SINGLE) : 0.0);
        if (d > kNennerMin && nDetailWert != 3) {
            const double beta = CalcAngleDiff(theta, HALF_PI_SINGLE);
            if (std::fabs(beta - HALF_PI_SINGLE) >= kWinkelToleranz) {
                if (beta <= HALF_PI_SINGLE) {
                    e.m_nRichtungen |= SLgspEcke::kVorwaerts;
                    e.m_fBetaX = F(beta < kWinkelToleranz ? 0.0 : beta);
                } else {
                    e.m_nRichtungen |= SLgspEcke::kRueckwaerts;
                    e.m_fBetaX = F(std::fabs(beta - PI_SINGLE) < kWinkelToleranz ? 0.0 : PI_SINGLE - beta);
                }
            }
        }
        if (d > kNennerMin && nDetailWert != 4) {
            const double beta = CalcAngleDiff(theta, PI_SINGLE);
            if (std::fabs(beta - HALF_PI_SINGLE) >= kWinkelToleranz) {
                if (beta > HALF_PI_SINGLE) {
                    e.m_nRichtungen |= SLgspEcke::kLinks;
                    e.m_fBetaY = F(std::fabs(beta - PI_SINGLE) < kWinkelToleranz ? 0.0 : PI_SINGLE - beta);
                } else {
                    e.m_nRichtungen |= SLgspEcke::kRechts;
                    e.m_fBetaY = F(beta < kWinkelToleranz ? 0.0 : beta);
                }
            }
        }
        bEcke[nEcke] = true;
    }
}

// The share of each direction's force and moments on the two attachment lines (lever rule), and the
// lashing capacity each corner needs for them.
void CLgspReport::CalcDetailRichtungen(SLgspWerte& w, const bool bEcke[4], double L, double W, double H,
                                       double xs, double ys) const
{
    int& nb = w.m_nNichtBewertbar;
    const double mu = w.m_fMu, f = w.m_fF;
    for (int d = 0; d < 4; ++d) {
        SLgspRichtung& r = w.m_Richtung[d];
        const bool bLaengs = d == SLgspWerte::kVorwaerts || d == SLgspWerte::kRueckwaerts;
        int nErste = -1;
        for (int i = 0; i < 4 && nErste < 0; ++i)
            if (bEcke[i] && (w.m_Ecke[i].m_nRichtungen & kRichtungsFlag[d]))
                nErste = i;
        const bool bZuHalten = r.m_fFr > 0.0f || r.m_fMt > 0.0f;
        if (nErste < 0) {
            if (bZuHalten) {
                r.m_bNichtBewertbar = 1;
                nb |= SLgspWerte::kOhneZurrpunkt;
            }
            continue;
        }
        // Lever rule between the two attachment lines.
        double D = 0.0, e = 0.0;
        if (bLaengs) {
            const int nR = kRechtsEcke[nErste] ? nErste : nErste - 2;
            D = W - AnschlagVersatz(nR, 2) - AnschlagVersatz(nR + 2, 2);
            e = ys - AnschlagVersatz(nR, 2);
        } else {
            const int nV = kVornEcke[nErste] ? nErste : nErste - 1;
            D = L - AnschlagVersatz(nV, 1) - AnschlagVersatz(nV + 1, 1);
            e = xs - AnschlagVersatz(nV, 1);
        }
        if (!(D > kNennerMin)) {
            if (bZuHalten) {
                r.m_bNichtBewertbar = 1;
                nb |= SLgspWerte::kNenner;
            }
            continue;
        }
        w.m_fAnteil[d][0] = F((D - e) / D);
        w.m_fAnteil[d][1] = F(e / D);

        for (int i = 0; i < 4; ++i) {
            SLgspEcke& k = w.m_Ecke[i];
            if (!bEcke[i] || !(k.m_nRichtungen & kRichtungsFlag[d]))
                continue;
            const bool bErster = bLaengs ? kRechtsEcke[i] : kVornEcke[i];
            const double anteil = bErster ? (D - e) / D : e / D;
            const double alpha = k.m_fAlpha;
            const double cosB = std::cos(bLaengs ? k.m_fBetaX : k.m_fBetaY);
            SLgspEcke::Anteil& a = k.m_Richtung[d];
            bool bOk = true;
            const double Fa = anteil * r.m_fFr;
            a.m_fKraft = F(Fa);
            a.m_fKippmoment = F(anteil * r.m_fMt);
            a.m_fStandmoment = F(anteil * r.m_fMs);
            a.m_fLcRutschen = F(Quotient(Fa, std::cos(alpha) * cosB + f * mu * std::sin(alpha), bOk));
            if (r.m_fMt > 0.0f) {
                const double dx = AnschlagVersatz(i, 1), dy = AnschlagVersatz(i, 2);
                double hebel = 0.0;
                switch (d) {
                case SLgspWerte::kVorwaerts:
                    hebel = kVornEcke[i] ? dx : L - dx;
                    break;
                case SLgspWerte::kRueckwaerts:
                    hebel = kVornEcke[i] ? L - dx : dx;
                    break;
                case SLgspWerte::kRechts:
                    hebel = kRechtsEcke[i] ? dy : W - dy;
                    break;
                default:
                    hebel = kRechtsEcke[i] ? W - dy : dy;
                    break;
                }
                const double ha = H - AnschlagVersatz(i, 3);
                a.m_fLcKippen = F(Quotient(anteil * r.m_fMt - anteil * r.m_fMs,
                                           std::sin(alpha) * hebel + std::cos(alpha) * cosB * ha, bOk));
            }
            if (!bOk) {
                r.m_bNichtBewertbar = 1;
                nb |= std::sin(alpha) > kNennerMin ? SLgspWerte::kNenner : SLgspWerte::kWinkelFlach;
            }
        }
    }
}

double CLgspReport::AnschlagVersatz(int ecke, int i) const
{
    const CAnschlagpunkt* p = m_pEinheit->GetAnschlagpunkt(ecke);
    if (!p)
        return 0.0;
    return i == 1 ? p->m_dVersatz1 : i == 2 ? p->m_dVersatz2 : p->m_dVersatz3;
}

// What each attachment point's lashing must carry.
void CLgspReport::FasseEckenZusammen(SLgspWerte& w)
{
    for (int i = 0; i < 4; ++i) {
        const SLgspEcke& k = w.m_Ecke[i];
        SLgspZusammenfassung& z = w.m_Zusammenfassung[i];
        if (k.m_nRichtungen & (SLgspEcke::kVorwaerts | SLgspEcke::kRueckwaerts)) {
            const int d =
                (k.m_nRichtungen & SLgspEcke::kVorwaerts) ? SLgspWerte::kVorwaerts : SLgspWerte::kRueckwaerts;
            z.m_nRichtungLaengs = d;
            z.m_fLcLaengs =
                Waehle(k.m_Richtung[d].m_fLcRutschen, k.m_Richtung[d].m_fLcKippen, z.m_nArtLaengs);
        }
        if (k.m_nRichtungen & (SLgspEcke::kLinks | SLgspEcke::kRechts)) {
            const int d = (k.m_nRichtungen & SLgspEcke::kRechts) ? SLgspWerte::kRechts : SLgspWerte::kLinks;
            z.m_nRichtungQuer = d;
            z.m_fLcQuer = Waehle(k.m_Richtung[d].m_fLcRutschen, k.m_Richtung[d].m_fLcKippen, z.m_nArtQuer);
        }
        if (z.m_fLcLaengs >= z.m_fLcQuer) {
            z.m_fLcMax = z.m_fLcLaengs;
            z.m_nRichtungMax = z.m_nRichtungLaengs;
            z.m_nArtMax = z.m_nArtLaengs;
        } else {
            z.m_fLcMax = z.m_fLcQuer;
            z.m_nRichtungMax = z.m_nRichtungQuer;
            z.m_nArtMax = z.m_nArtQuer;
        }
        z.m_fLcResultierend =
            F(std::sqrt(double(z.m_fLcLaengs) * z.m_fLcLaengs + double(z.m_fLcQuer) * z.m_fLcQuer));
    }
}

void CLgspReport::MeldeNichtBewertbar(const SLgspWerte& w)
{
    CLadeeinheit& u = *m_pEinheit;
    if (w.m_nNichtBewertbar == 0) {
        std::erase_if(u.m_Maengel, [](const auto& p) { return p && p->m_nCode == kMangelNichtBewertbar; });
        return;
    }
    std::string text = "<p>" + FormatS("$S", 1, 4141u) + "</p><ul>";
    for (unsigned i = 0; i < unsigned(SLgspWerte::kGrundAnzahl); ++i)
        if (w.m_nNichtBewertbar & (1 << i))
            text += "<li>" + FormatS("$S", 1, 4142u + i) + "</li>";
    text += "</ul>";
    auto* p = new CLgsMangel(kMangelNichtBewertbar, 1, &u);
    p->m_strText = text;
    u.AddMangel(p, true);
}
