// The load-securing calculation against hand-computed physics, and its answers to inputs it cannot
// assess.
#include "FahrzeugTestSupport.h"

#include "model/document/CQOR1Doc.h"
#include "model/document/DocumentHost.h"
#include "model/plan/CAnschlagpunkt.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/CWizardParams.h"
#include "model/plan/sZPPtrTupel.h"
#include "model/plan/tagLGINFO.h"
#include "model/securing/CLgsMangel.h"
#include "model/securing/CLgspReport.h"
#include "model/securing/SNormParams.h"
#include "model/text/TextProvider.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CZurrpunkt.h"
#include "model/vehicle/CZurrschiene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

// Relative closeness for figures that went through single precision.
#define EXPECT_REL(a, b) EXPECT_NEAR((a), (b), 2e-4 * std::max(1.0, std::fabs(double(b))))

struct Einheit
{
    double dLaenge, dBreite, dHoehe, dMasse; // m, t
    double dX, dY;                           // plan position
};

// A euro pallet of 500 kg, 1.0 m high, centred across a 2.5 m load area; and a tall narrow crate of
// 400 kg that tips.
constexpr Einheit kPalette{1.2, 0.8, 1.0, 0.5, 1.0, 0.85};
constexpr Einheit kKiste{0.8, 0.6, 2.0, 0.4, 1.0, 0.95};

class Host : public DocumentHost
{
public:
    void InvalidateLgSicherungView() override { ++m_nInvalidiert; }
    int m_nInvalidiert = 0;
};

class LgspReportTest : public ::testing::Test
{
public:
    // A rigid truck 7.2 x 2.5 m with one load unit of one load, its centre of gravity in the middle.
    void Baue(const Einheit& e)
    {
        m_pReport.reset();
        m_pDoc = std::make_unique<CQOR1Doc>(&m_host);
        m_pReport = std::make_unique<CLgspReport>(m_pDoc.get());
        auto v = fahrzeugtest::Erzeuge({0, {{1.2, 4, 8}, {3.6, 3, 9}}, 18.0, 7.2, 2.5f});
        m_pFahrzeug = v.get();
        m_pDoc->SetFahrzeug(v.release());
        m_pPlan = new CQOR(m_pFahrzeug, 0, "Plan");
        m_pFahrzeug->m_pQor = m_pPlan;
        auto* lg = new tagLGINFO;
        lg->m_strName = "Kiste";
        lg->m_dLaenge = e.dLaenge;
        lg->m_dBreite = e.dBreite;
        lg->m_dHoehe = e.dHoehe;
        lg->m_dSPLaenge = e.dLaenge / 2;
        lg->m_dSPBreite = e.dBreite / 2;
        lg->m_dSPHoehe = e.dHoehe / 2;
        lg->m_dMasse = lg->m_dSPMasse = e.dMasse;
        lg->m_dPosX = e.dX;
        lg->m_dPosY = e.dY;
        m_pPlan->AddLgInfo(std::unique_ptr<tagLGINFO>(lg), false);
        m_pEinheit = new CLadeeinheit(1);
        m_pEinheit->AddLadung(lg->m_strName.c_str(), lg->m_nNummer, lg);
        m_pPlan->InsertLadeeinheit(std::unique_ptr<CLadeeinheit>(m_pEinheit), 0);
        m_pPlan->m_nAktiveLadeeinheit = 1;
        Norm(0);
        wp().m_fReibungOhneMatte = 0.3f;
        wp().m_nVorspannkraft = 250;
        wp().m_nZurrkraft = 500;
        wp().m_nQuerQuelle = 0;
        ASSERT_TRUE(m_pReport->SelectFahrzeug(1));
        ASSERT_TRUE(m_pReport->SetLadeeinheit(m_pEinheit));
    }

    void SetUpFall(const Einheit& e)
    {
        Baue(e);
        ZurrpunkteBeidseitig();
    }

    CWizardParams& wp() { return m_pEinheit->m_Wizard; }
    void Norm(int n)
    {
        wp().m_nNorm = n;
        ASSERT_TRUE(SNormParams::GetStandard(n, &wp().m_Norm));
    }

    // A vehicle lashing point at x (from the front) with the given lateral distance on one side.
    void Zurrpunkt(double x, double quer, bool bLinks)
    {
        auto* p = new CZurrpunkt(7.2, 2.5);
        p->m_nFlags = CZurrpunkt::kVonVorn | (bLinks ? CZurrpunkt::kLinks : 0);
        p->m_dAbstandLaengs = x;
        p->m_dAbstandQuer = quer;
        m_pFahrzeug->m_Zurrpunkte.emplace_back(p);
    }
    // Lashing points beside the unit's middle, 5 cm in from each side edge.
    void ZurrpunkteBeidseitig()
    {
        Zurrpunkt(1.5, 0.05, false);
        Zurrpunkt(1.5, 0.05, true);
    }

    // Each corner lashed down to a floor point `a` metres outward along and across from its corner.
    void DirektZurrung(double a, const bool ecken[4] = nullptr)
    {
        wp().m_nVerfahren = 1;
        m_pEinheit->CalcAbmessungen();
        for (int i = 0; i < 4; ++i) {
            if (ecken && !ecken[i])
                continue;
            double x = 0, y = 0;
            m_pEinheit->GetAnschlagpunktPos(i, &x, &y, nullptr);
            const double sx = (i == 1 || i == 3) ? 1 : -1, sy = (i >= 2) ? 1 : -1;
            CZurrpunkt p(7.2, 2.5);
            p.m_nFlags = CZurrpunkt::kVonVorn;
            p.m_dAbstandLaengs = x + sx * a;
            p.m_dAbstandQuer = y + sy * a; // from the right edge
            m_pEinheit->SetZurrpunkt(i, 0, &p);
        }
    }

    const SLgspWerte& Rechne()
    {
        EXPECT_TRUE(m_pReport->CalcLgsWerte());
        return *m_pReport->GetWerte();
    }

    CTableTextProvider m_texte{{{4141, "Cannot assess:"}, {4142, "no mass"}, {4149, "no lashing point"}}};
    ScopedTextProvider m_scope{&m_texte};
    Host m_host;
    std::unique_ptr<CQOR1Doc> m_pDoc;
    std::unique_ptr<CLgspReport> m_pReport;
    CFahrzeug* m_pFahrzeug = nullptr;
    CQOR* m_pPlan = nullptr;
    CLadeeinheit* m_pEinheit = nullptr;
};

// Every float of a block is finite.
void PruefeEndlich(const SLgspWerte& w)
{
    std::vector<float> alle = {w.m_fMasse,       w.m_fMu,         w.m_fF,          w.m_fG,
                               w.m_fLC,          w.m_fK,          w.m_fSTF,        w.m_fLCHalb,
                               w.m_fAlphaRechts, w.m_fAlphaLinks, w.m_fAlphaLaengs};
    for (int i = 0; i < 4; ++i) {
        const SLgspRichtung& r = w.m_Richtung[i];
        alle.insert(alle.end(), {r.m_fFs, r.m_fFr, r.m_fFt, r.m_fFt2, r.m_fMt, r.m_fMt2, r.m_fMs,
                                 r.m_fFbUeber, r.m_fFbKippUeber, r.m_fFbKipp2Ueber, w.m_fNRutschen[i],
                                 w.m_fNKippen[i], w.m_fAnteil[i][0], w.m_fAnteil[i][1]});
        const SLgspEcke& e = w.m_Ecke[i];
        alle.insert(alle.end(), {e.m_fAlpha, e.m_fBetaX, e.m_fBetaY});
        for (const auto& a : e.m_Richtung)
            alle.insert(alle.end(),
                        {a.m_fKraft, a.m_fKippmoment, a.m_fStandmoment, a.m_fLcRutschen, a.m_fLcKippen});
        const SLgspZusammenfassung& z = w.m_Zusammenfassung[i];
        alle.insert(alle.end(), {z.m_fLcLaengs, z.m_fLcQuer, z.m_fLcMax, z.m_fLcResultierend});
    }
    for (size_t i = 0; i < alle.size(); ++i)
        EXPECT_TRUE(std::isfinite(alle[i])) << "value " << i;
}

int MangelAnzahl(const CLadeeinheit& u, int nCode)
{
    int n = 0;
    for (const auto& p : u.m_Maengel)
        n += p->m_nCode == nCode;
    return n;
}

// Friction lashing, simple method, euro pallet on 0.3 friction, legs 0.8 m beside it: sin a =
// 1 / sqrt(1 + 0.8^2) = 0.780869. Per lashing the pre-tension holds mu k f sin a STF, and the count
// is the force left to it times the safety factor over that.
TEST_F(LgspReportTest, TopOverLashingOfAnEuroPalletPerCoefficientSet)
{
    struct Fall
    {
        int nNorm;
        bool bMatte;
        double nVorn, nZurueck, nSeite; // counts against sliding
        int nZurrmittel;
    } faelle[] = {
        // Norm 0: k 1.5, safety 1.0. Forward (0.8 - 0.3) * 4905 = 2452.5 N over 0.3 * 1.5 * 0.780869 *
        // 2500 = 878.478 N; backward and sideways (0.5 - 0.3) * 4905 = 981 N.
        {0, false, 2452.5 / 878.478, 981.0 / 878.478, 981.0 / 878.478, 3},
        // With the anti-slip mat (0.6): forward 981 N over 1756.955 N, nothing sideways, the least 2.
        {0, true, 981.0 / 1756.955, 0.0, 0.0, 2},
        // Norm 1: k 2.0, safety 1.25 forward and 1.1 otherwise; 0.3 * 2 * 0.780869 * 2500 = 1171.304 N.
        {1, false, 2452.5 / 1171.304 * 1.25, 981.0 / 1171.304 * 1.1, 981.0 / 1171.304 * 1.1, 3},
        // Norm 2 (the initial user set) slides like norm 1.
        {2, false, 2452.5 / 1171.304 * 1.25, 981.0 / 1171.304 * 1.1, 981.0 / 1171.304 * 1.1, 3},
    };
    Baue(kPalette);
    ZurrpunkteBeidseitig();
    for (const Fall& f : faelle) {
        SCOPED_TRACE(testing::Message() << "norm " << f.nNorm << (f.bMatte ? " mat" : ""));
        Norm(f.nNorm);
        wp().m_bAntirutschmatte = f.bMatte;
        const SLgspWerte& w = Rechne();
        EXPECT_EQ(w.m_nNichtBewertbar, 0);
        EXPECT_EQ(w.m_bGueltig, 1);
        EXPECT_REL(w.m_fMasse, 500.0);
        EXPECT_REL(std::sin(w.m_fAlphaRechts), 0.780869);
        EXPECT_REL(std::sin(w.m_fAlphaLaengs), 0.780869);
        EXPECT_REL(w.m_fNRutschen[SLgspWerte::kVorwaerts], f.nVorn);
        EXPECT_REL(w.m_fNRutschen[SLgspWerte::kRueckwaerts], f.nZurueck);
        EXPECT_REL(w.m_fNRutschen[SLgspWerte::kRechts], f.nSeite);
        EXPECT_REL(w.m_fNRutschen[SLgspWerte::kLinks], f.nSeite);
        // The pallet is wider than tall enough: b / h = 0.6 / 0.5 and 0.4 / 0.5 stay above every c.
        EXPECT_EQ(w.m_bKippen, 0);
        EXPECT_EQ(w.m_nZurrmittel, f.nZurrmittel);
        int n2 = 0, n3 = 0;
        EXPECT_EQ(m_pEinheit->GetZurrParameter(&n2, &n3, nullptr), f.nZurrmittel);
        EXPECT_EQ(n2, 0);
        EXPECT_EQ(n3, 250);
        EXPECT_EQ(MangelAnzahl(*m_pEinheit, CLgspReport::kMangelNichtBewertbar), 0);
    }
    EXPECT_EQ(m_host.m_nInvalidiert, 4);
}

TEST_F(LgspReportTest, BlockedPalletLeavesNothingToTheLashings)
{
    Baue(kPalette);
    ZurrpunkteBeidseitig();
    // Blocked forward only (300 daN above 2452.5 N): the other directions decide.
    wp().m_FS[2].m_nArt = 1;
    wp().m_FS[2].m_nKapazitaet = 300;
    const SLgspWerte& w = Rechne();
    const SLgspRichtung& vorn = w.m_Richtung[SLgspWerte::kVorwaerts];
    EXPECT_EQ(vorn.m_bBlockiert, 1);
    EXPECT_REL(vorn.m_fFb, 3000.0);
    EXPECT_REL(vorn.m_fFs, 2452.5);
    EXPECT_EQ(vorn.m_fFr, 0.0f);
    EXPECT_EQ(vorn.m_bNoetig, 0);
    EXPECT_REL(vorn.m_fFbUeber, 3000.0 - 2452.5);
    EXPECT_EQ(vorn.m_fFbKippUeber, 0.0f); // the blocking is below c m g = 3924 N
    EXPECT_REL(vorn.m_fFt, 0.8 * 4905.0 - 3000.0);
    EXPECT_EQ(w.m_nZurrmittel, 2);

    // Blocked everywhere above the sliding forces: no securing needed, still the least of two lashings.
    for (auto& fs : wp().m_FS) {
        fs.m_nArt = 2;
        fs.m_nKapazitaet = 300;
    }
    const SLgspWerte& w2 = Rechne();
    for (const SLgspRichtung& r : w2.m_Richtung) {
        EXPECT_EQ(r.m_fFr, 0.0f);
        EXPECT_EQ(r.m_bNoetig, 0);
        EXPECT_EQ(r.m_nBlockiertRoh, 2);
    }
    EXPECT_EQ(w2.m_bSicherungNoetig, 0);
    EXPECT_EQ(w2.m_nZurrmittel, 2);
}

// The crate (0.8 x 0.6 x 2.0 m, 400 kg, m g = 3924 N, centre of gravity 1.0 m high) tips forward
// (b / h = 0.4 < 0.8) and sideways (0.3 < 0.7); legs 0.9 m beside it: sin a = 2 / sqrt(4.81) = 0.911922.
TEST_F(LgspReportTest, TippingCrateNeedsTheLashingsThatHoldItsMoment)
{
    Baue(kKiste);
    ZurrpunkteBeidseitig();
    const SLgspWerte& w = Rechne();
    const SLgspRichtung& vorn = w.m_Richtung[SLgspWerte::kVorwaerts];
    const SLgspRichtung& rechts = w.m_Richtung[SLgspWerte::kRechts];
    EXPECT_EQ(vorn.m_bKippt, 1);
    EXPECT_EQ(rechts.m_bKippt, 1);
    EXPECT_EQ(w.m_Richtung[SLgspWerte::kRueckwaerts].m_bKippt, 1); // b / h = 0.4 < 0.5
    EXPECT_REL(w.m_fNKippen[SLgspWerte::kRueckwaerts], (0.5 * 3924.0 - 1569.6) / 3647.688);
    EXPECT_REL(vorn.m_fFt, 0.8 * 3924.0);
    EXPECT_REL(vorn.m_fMt, 0.8 * 3924.0 * 1.0);
    EXPECT_REL(vorn.m_fMs, 400 * 0.4 * 9.81);
    EXPECT_REL(rechts.m_fMt, 0.7 * 3924.0);
    EXPECT_REL(rechts.m_fMs, 400 * 0.3 * 9.81);
    // Forward: (3139.2 - 1569.6) / (0.4 * 2 * 5000 * 0.911922); sideways (2746.8 - 1177.2) / ((1.5 - 1)
    // * 0.6 * 2500 * 0.911922).
    EXPECT_REL(w.m_fNKippen[SLgspWerte::kVorwaerts], 1569.6 / 3647.688);
    EXPECT_REL(w.m_fNKippen[SLgspWerte::kRechts], 1569.6 / 683.9415);
    EXPECT_REL(w.m_fNKippen[SLgspWerte::kLinks], 1569.6 / 683.9415);
    EXPECT_REL(w.m_fNRutschen[SLgspWerte::kVorwaerts], 1962.0 / (0.3 * 1.5 * 0.911922 * 2500));
    EXPECT_EQ(w.m_bKippen, 1);
    EXPECT_EQ(w.m_nZurrmittel, 3); // 2.295
}

TEST_F(LgspReportTest, SecondSidewaysTippingUnderNormOne)
{
    Baue(kKiste);
    ZurrpunkteBeidseitig();
    Norm(1);
    const SLgspWerte& w = Rechne();
    const SLgspRichtung& rechts = w.m_Richtung[SLgspWerte::kRechts];
    // c3 = 0.5 and c4 = 0.6 both exceed b / h = 0.3.
    EXPECT_EQ(rechts.m_bKippt, 1);
    EXPECT_EQ(rechts.m_bKippt2, 1);
    EXPECT_REL(rechts.m_fFt2, 0.6 * 3924.0);
    EXPECT_REL(rechts.m_fMt2, 0.6 * 3924.0);
    // Against it: (2354.4 - 1177.2) / ((2 - 1) * 0.6 * 2500 * 0.911922) * 1.1 with the full tension
    // force, and with half the lashing capacity in its place.
    EXPECT_REL(w.m_fNKippen[SLgspWerte::kRechts], (0.5 * 3924 - 1177.2) / (0.6 * 2500 * 0.911922) * 1.1);
    EXPECT_REL(w.m_fNKippen2[1], 1177.2 / (0.6 * 2500 * 0.911922) * 1.1);
    // Forward and backward copy the first tipping figures.
    const SLgspRichtung& vorn = w.m_Richtung[SLgspWerte::kVorwaerts];
    EXPECT_EQ(vorn.m_fFt2, vorn.m_fFt);
    EXPECT_EQ(vorn.m_bKippt2, vorn.m_bKippt);
}

// Direct lashing at the four top corners to floor points 0.5 m outward along and across: d = 0.7071,
// tan a = 1.0 / 0.7071 (sin 0.816497, cos 0.577350), b = 45 degrees. Capacity per lashing = share x
// force / (cos a cos b + f mu sin a), the share 0.5 by the lever rule for a centred load.
TEST_F(LgspReportTest, DirectLashingCapacitiesPerCoefficientSet)
{
    struct Fall
    {
        int nNorm;
        double f;
        double cVorn, cZurueck, cSeite; // sliding coefficients
    } faelle[] = {{0, 1.0, 0.8, 0.5, 0.5}, {1, 0.75, 0.8, 0.5, 0.5}, {2, 1.0, 0.8, 0.5, 0.5}};
    Baue(kPalette);
    DirektZurrung(0.5);
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.nNorm);
        Norm(f.nNorm);
        const SLgspWerte& w = Rechne();
        EXPECT_EQ(w.m_nNichtBewertbar, 0);
        EXPECT_REL(w.m_fF, f.f);
        const double nenner = 0.577350 * 0.707107 + f.f * 0.3 * 0.816497;
        const double vorn = (f.cVorn - f.f * 0.3) * 4905 * 0.5 / nenner;
        const double zurueck = (f.cZurueck - f.f * 0.3) * 4905 * 0.5 / nenner;
        const double seite = (f.cSeite - f.f * 0.3) * 4905 * 0.5 / nenner;
        // Corner 1 (rear right) pulls rearward and to the right: it holds forward and to the left.
        const SLgspEcke& e1 = w.m_Ecke[1];
        EXPECT_EQ(e1.m_nRichtungen, SLgspEcke::kVorwaerts | SLgspEcke::kLinks);
        EXPECT_REL(std::tan(e1.m_fAlpha), 1.0 / std::sqrt(0.5));
        EXPECT_REL(e1.m_fBetaX, kPi / 4);
        EXPECT_REL(e1.m_Richtung[SLgspWerte::kVorwaerts].m_fLcRutschen, vorn);
        EXPECT_REL(e1.m_Richtung[SLgspWerte::kLinks].m_fLcRutschen, seite);
        EXPECT_EQ(w.m_Ecke[0].m_nRichtungen, SLgspEcke::kRueckwaerts | SLgspEcke::kLinks);
        EXPECT_EQ(w.m_Ecke[2].m_nRichtungen, SLgspEcke::kRueckwaerts | SLgspEcke::kRechts);
        EXPECT_EQ(w.m_Ecke[3].m_nRichtungen, SLgspEcke::kVorwaerts | SLgspEcke::kRechts);
        EXPECT_REL(w.m_Ecke[0].m_Richtung[SLgspWerte::kRueckwaerts].m_fLcRutschen, zurueck);
        for (const auto& a : w.m_fAnteil) {
            EXPECT_REL(a[0], 0.5);
            EXPECT_REL(a[1], 0.5);
        }
        const SLgspZusammenfassung& z = w.m_Zusammenfassung[1];
        EXPECT_EQ(z.m_nArtLaengs, 1);
        EXPECT_EQ(z.m_nRichtungLaengs, SLgspWerte::kVorwaerts);
        EXPECT_EQ(z.m_nRichtungQuer, SLgspWerte::kLinks);
        EXPECT_REL(z.m_fLcMax, vorn);
        EXPECT_EQ(z.m_nRichtungMax, SLgspWerte::kVorwaerts);
        EXPECT_REL(z.m_fLcResultierend, std::hypot(vorn, seite));
    }
}

// The crate lashed directly: a = atan(2.0 / 0.7071) (sin 0.942809, cos 1/3). Against tipping forward
// the rear lashings act with the lever 0.8 m (vertical part) and 2.0 m (horizontal part).
TEST_F(LgspReportTest, DirectLashingAgainstTipping)
{
    Baue(kKiste);
    DirektZurrung(0.5);
    const SLgspWerte& w = Rechne();
    EXPECT_EQ(w.m_nNichtBewertbar, 0);
    const auto& a = w.m_Ecke[1].m_Richtung[SLgspWerte::kVorwaerts];
    EXPECT_REL(a.m_fKippmoment, 0.5 * 3139.2);
    EXPECT_REL(a.m_fStandmoment, 0.5 * 1569.6);
    EXPECT_REL(a.m_fLcKippen, 784.8 / (0.942809 * 0.8 + (1.0 / 3) * 0.707107 * 2.0));
    EXPECT_REL(a.m_fLcRutschen, 981.0 / ((1.0 / 3) * 0.707107 + 0.3 * 0.942809));
    // Sliding needs more than tipping here: the summary takes sliding.
    EXPECT_EQ(w.m_Zusammenfassung[1].m_nArtLaengs, 1);
    // Sideways (0.3 < 0.7): the left lashings of corner 1 with the lever W - dy = 0.6.
    const auto& s = w.m_Ecke[1].m_Richtung[SLgspWerte::kLinks];
    const double Mt = 0.7 * 3924.0, Ms = 400 * 0.3 * 9.81;
    EXPECT_REL(s.m_fLcKippen, 0.5 * (Mt - Ms) / (0.942809 * 0.6 + (1.0 / 3) * 0.707107 * 2.0));
}

TEST_F(LgspReportTest, LashingsAlongOrAcrossTheAxes)
{
    Baue(kPalette);
    wp().m_nVerfahren = 1;
    m_pEinheit->CalcAbmessungen();
    // Corner 0 lashed straight to the right (only crosswise) and corner 1 straight rearward (only
    // lengthwise), both at floor level 1.0 m away: a = 45 degrees.
    double x = 0, y = 0;
    CZurrpunkt p(7.2, 2.5);
    p.m_nFlags = CZurrpunkt::kVonVorn;
    m_pEinheit->GetAnschlagpunktPos(0, &x, &y, nullptr);
    p.m_dAbstandLaengs = x + 0.0002;
    p.m_dAbstandQuer = y - 1.0;
    m_pEinheit->SetZurrpunkt(0, 0, &p);
    m_pEinheit->GetAnschlagpunktPos(1, &x, &y, nullptr);
    p.m_dAbstandLaengs = x + 1.0;
    p.m_dAbstandQuer = y + 0.0002;
    m_pEinheit->SetZurrpunkt(1, 0, &p);
    // Backward and to the right the unit is blocked above its sliding forces.
    wp().m_FS[0].m_nArt = wp().m_FS[3].m_nArt = 1;
    wp().m_FS[0].m_nKapazitaet = wp().m_FS[3].m_nKapazitaet = 1000;
    const SLgspWerte& w = Rechne();
    EXPECT_EQ(w.m_nNichtBewertbar, 0);
    EXPECT_EQ(w.m_Ecke[0].m_nRichtungen, SLgspEcke::kLinks);
    EXPECT_EQ(w.m_Ecke[0].m_fBetaY, 0.0f);
    EXPECT_EQ(w.m_Ecke[1].m_nRichtungen, SLgspEcke::kVorwaerts);
    EXPECT_EQ(w.m_Ecke[1].m_fBetaX, 0.0f);
    EXPECT_REL(w.m_Ecke[1].m_fAlpha, kPi / 4);
    // A single lashing takes the whole force of its line: corner 0 is the front one of the left
    // direction, share (D - e) / D = 0.5.
    EXPECT_REL(w.m_Ecke[0].m_Richtung[SLgspWerte::kLinks].m_fKraft, 0.5 * 981.0);

    // Mode 4 (lengthwise only): corner 0 no longer acts, and the left direction has nobody.
    wp().m_nDetailWert = 4;
    const SLgspWerte& w4 = Rechne();
    EXPECT_EQ(w4.m_Ecke[0].m_nRichtungen, 0);
    EXPECT_EQ(w4.m_Richtung[SLgspWerte::kLinks].m_bNichtBewertbar, 1);
    EXPECT_TRUE(w4.m_nNichtBewertbar & SLgspWerte::kOhneZurrpunkt);
}

// A direct lashing whose lashing point lies straight below its attachment point pulls in no horizontal
// direction: the corner is marked not assessable and the defect list says why, instead of the lashing
// being dropped without a word.
TEST_F(LgspReportTest, DirectLashingStraightDownIsReportedNotDropped)
{
    Baue(kPalette);
    m_texte.Set(4152, "a lashing runs straight down");
    DirektZurrung(0.5);
    double x = 0, y = 0;
    m_pEinheit->GetAnschlagpunktPos(0, &x, &y, nullptr);
    CZurrpunkt p(7.2, 2.5);
    p.m_nFlags = CZurrpunkt::kVonVorn;
    p.m_dAbstandLaengs = x;
    p.m_dAbstandQuer = y;
    m_pEinheit->SetZurrpunkt(0, 0, &p);
    const SLgspWerte& w = Rechne();
    EXPECT_EQ(w.m_Ecke[0].m_bNichtBewertbar, 1);
    EXPECT_EQ(w.m_Ecke[0].m_nRichtungen, 0);
    EXPECT_TRUE(w.m_nNichtBewertbar & SLgspWerte::kSenkrecht);
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(w.m_Ecke[i].m_bNichtBewertbar, 0);
    bool bGesagt = false;
    for (const auto& m : m_pEinheit->m_Maengel)
        bGesagt = bGesagt || m->m_strText.find("a lashing runs straight down") != std::string::npos;
    EXPECT_TRUE(bGesagt);
    // Moved beside the corner, the lashing counts again and the note goes.
    p.m_dAbstandLaengs = x - 0.5;
    m_pEinheit->SetZurrpunkt(0, 0, &p);
    const SLgspWerte& w2 = Rechne();
    EXPECT_EQ(w2.m_Ecke[0].m_bNichtBewertbar, 0);
    EXPECT_FALSE(w2.m_nNichtBewertbar & SLgspWerte::kSenkrecht);
}

TEST_F(LgspReportTest, LegStraightDownBesideTheUnitStandsUpright)
{
    Baue(kPalette);
    Zurrpunkt(1.5, 0.85, false); // exactly under the right face
    Zurrpunkt(1.5, 0.05, true);
    const SLgspWerte& w = Rechne();
    EXPECT_EQ(w.m_fAlphaRechts, static_cast<float>(kPi / 2));
    EXPECT_REL(std::sin(w.m_fAlphaLinks), 0.780869);
}

TEST_F(LgspReportTest, ReductionFactorOnlyForTheDetailedMethodOfNormOne)
{
    struct Fall
    {
        int nNorm, nVerfahren, bMatte, nQualifier;
        float f;
    } faelle[] = {{1, 1, 0, 0, 0.75f}, {1, 1, 1, 0, 1.0f}, {1, 1, 1, 1, 0.75f},
                  {1, 0, 0, 0, 1.0f},  {0, 1, 0, 0, 1.0f}, {2, 1, 0, 0, 1.0f}};
    Baue(kPalette);
    for (const Fall& f : faelle) {
        SCOPED_TRACE(testing::Message() << f.nNorm << f.nVerfahren << f.bMatte << f.nQualifier);
        wp().m_nNorm = f.nNorm;
        wp().m_nVerfahren = f.nVerfahren;
        wp().m_bAntirutschmatte = f.bMatte;
        wp().m_nMatteQualifier = f.nQualifier;
        EXPECT_EQ(m_pReport->GetAbminderungsFaktor(), f.f);
    }
}

TEST(LgspNorm, StandardNamesByIndex)
{
    CTableTextProvider texte{
        {{561, "European standard"}, {562, "Guideline"}, {563, "User-defined"}, {69, "unknown"}}};
    ScopedTextProvider scope(&texte);
    const std::pair<int, const char*> faelle[] = {
        {0, "European standard"}, {1, "Guideline"}, {2, "User-defined"}, {3, "unknown"}, {-1, "unknown"}};
    for (const auto& [n, name] : faelle) {
        SLgspWerte w;
        w.m_nNorm = n;
        EXPECT_EQ(w.GetNormName(), name);
    }
}

TEST(LgspRunden, LashingCountRoundsUpFromTwoTenths)
{
    const std::pair<double, int> faelle[] = {{3.19, 3}, {3.2, 4}, {0.9, 2}, {0.0, 2}, {2.0, 2}, {7.5, 8}};
    for (const auto& [n, erwartet] : faelle) {
        SCOPED_TRACE(n);
        EXPECT_EQ(CLgspReport::RundeZurrmittel(n), erwartet);
    }
}

TEST_F(LgspReportTest, LashingPairsNearestTheEvenPositionsAreMarked)
{
    Baue(kPalette);
    ZurrpunkteBeidseitig();
    // Six vehicle pairs along the unit (x 1.0 .. 2.2); three lashings at 1.3, 1.6, 1.9.
    for (double x : {1.0, 1.25, 1.45, 1.62, 2.0, 2.2}) {
        auto* a = new CZurrpunkt(7.2, 2.5);
        a->m_dAbstandLaengs = x;
        auto* b = new CZurrpunkt(*a);
        m_pEinheit->m_ZPPtrTupel.push_back(std::make_unique<sZPPtrTupel>(a, b, 1));
    }
    const SLgspWerte& w = Rechne();
    ASSERT_EQ(w.m_nZurrmittel, 3);
    std::vector<int> aktiv;
    for (const auto& p : m_pEinheit->m_ZPPtrTupel)
        aktiv.push_back(p->m_nAktiv);
    EXPECT_EQ(aktiv, (std::vector<int>{0, 1, 0, 1, 1, 0}));
    // Of the unmarked pairs the first lies nearest to the front; none is within 1000 m of 1500 m.
    EXPECT_EQ(FindNaechstenEintrag(m_pEinheit->m_ZPPtrTupel, 0.0), m_pEinheit->m_ZPPtrTupel[0].get());
    EXPECT_EQ(FindNaechstenEintrag(m_pEinheit->m_ZPPtrTupel, 1500.0), nullptr);
}

TEST_F(LgspReportTest, RailLashingsAreLaidOutEvenlyOnTheRail)
{
    Baue(kPalette);
    auto* s = new CZurrschiene;
    s->m_dPosition = 0.05;
    s->m_nZulKraft = 2000;
    m_pFahrzeug->m_Zurrschienen.emplace_back(s);
    wp().m_nQuerQuelle = 1;
    const SLgspWerte& w = Rechne();
    ASSERT_EQ(w.m_nZurrmittel, 3);
    ASSERT_EQ(m_pEinheit->m_ZPPtrTupel.size(), 3u);
    const double erwartet[] = {1.2, 1.6, 2.0}; // 1.0 + 0.4 / 2 + k * 0.4
    for (int i = 0; i < 3; ++i) {
        const sZPPtrTupel& p = *m_pEinheit->m_ZPPtrTupel[i];
        EXPECT_EQ(p.m_nAktiv, 1);
        EXPECT_NEAR(p.m_pZP1->m_dAbstandLaengs, erwartet[i], 1e-12);
        EXPECT_EQ(p.m_pZP1->m_nFlags & CZurrpunkt::kLinks, 0);
        EXPECT_NE(p.m_pZP2->m_nFlags & CZurrpunkt::kLinks, 0);
        EXPECT_EQ(p.m_pZP1->GetSchienenDaN(), 2000.0);
        EXPECT_EQ(p.m_pZP2->m_dAbstandQuer, 0.05);
    }
}

TEST_F(LgspReportTest, CursorOverTheUnitsOfTheSelectedVehicle)
{
    Baue(kPalette);
    auto* zweite = new CLadeeinheit(7);
    m_pPlan->InsertLadeeinheit(std::unique_ptr<CLadeeinheit>(zweite), 1);
    EXPECT_EQ(m_pReport->GetFirstLadeeinheit(), 1);
    EXPECT_EQ(m_pReport->GetLadeeinheit(), m_pEinheit);
    EXPECT_EQ(m_pReport->GetNextLadeeinheit(), 7);
    EXPECT_EQ(m_pReport->GetNextLadeeinheit(), 0);
    EXPECT_FALSE(m_pReport->CalcLgsWerte()); // cursor ended: no current unit
    EXPECT_FALSE(m_pReport->SetLadeeinheit(zweite));
    EXPECT_FALSE(m_pReport->SelectFahrzeug(2)); // no trailer
    EXPECT_FALSE(m_pReport->CalcLgsWerte());    // no vehicle
    EXPECT_EQ(m_pReport->GetWerte(), nullptr);
}

TEST(LgspAuswahl, TractorHasNoLoadAreaToReportOn)
{
    CQOR1Doc doc;
    auto z = fahrzeugtest::Erzeuge({4, {{1.0, 6, 8}, {3.8, 4, 11.5}}, 18.0, 0.0});
    auto a = fahrzeugtest::Erzeuge({3, {{1.5, 0, 0}, {7.0, 3, 8}, {1.3, 3, 8}}, 36.0, 13.6});
    CFahrzeug::Koppeln(*z, *a);
    CFahrzeug* pA = a.get();
    doc.SetFahrzeug(a.release());
    z.release();
    CLgspReport r(&doc);
    EXPECT_FALSE(r.SelectFahrzeug(1));
    EXPECT_TRUE(r.SelectFahrzeug(2));
    EXPECT_EQ(r.GetFahrzeug(), pA);
    r.SetFahrzeug(pA);
    EXPECT_EQ(r.GetWelchesFahrzeug(), 2);
}

// Inputs the formulas cannot use: every one gives a defined block, a reason and a defect, never a
// figure that is not finite, and no lashing count.
TEST_F(LgspReportTest, InputsThatCannotBeAssessed)
{
    struct Fall
    {
        const char* name;
        const Einheit* pEinheit;
        void (*setze)(LgspReportTest&);
        int nGrund;
    };
    static const Fall faelle[] = {
        {"default settings", &kPalette, [](LgspReportTest& t) { t.wp() = CWizardParams(); },
         SLgspWerte::kReibungFehlt},
        {"no tension force", &kPalette, [](LgspReportTest& t) { t.wp().m_nVorspannkraft = 0; },
         SLgspWerte::kVorspannkraftFehlt},
        {"friction 0", &kPalette, [](LgspReportTest& t) { t.wp().m_fReibungOhneMatte = 0.0f; },
         SLgspWerte::kNenner},
        {"friction not finite", &kPalette, [](LgspReportTest& t) { t.wp().m_fReibungOhneMatte = NAN; },
         SLgspWerte::kReibungFehlt},
        {"k = 1 with sideways tipping", &kKiste, [](LgspReportTest& t) { t.wp().m_Norm.m_fKoeff[5] = 1.0f; },
         SLgspWerte::kBeiwertUngueltig},
        {"negative coefficient", &kPalette, [](LgspReportTest& t) { t.wp().m_Norm.m_fKoeff[0] = -0.8f; },
         SLgspWerte::kBeiwertUngueltig},
        {"no lashing capacity with forward tipping", &kKiste,
         [](LgspReportTest& t) { t.wp().m_nZurrkraft = 0; }, SLgspWerte::kZurrkraftFehlt},
        {"no mass", &kPalette, [](LgspReportTest& t) { t.m_pPlan->m_LgInfos.front()->m_dSPMasse = 0.0; },
         SLgspWerte::kOhneMasse},
        {"no height", &kPalette, [](LgspReportTest& t) { t.m_pPlan->m_LgInfos.front()->m_dHoehe = 0.0; },
         SLgspWerte::kOhneAbmessungen},
        {"no lashing point on the left", &kPalette,
         [](LgspReportTest& t) {
             t.m_pFahrzeug->GetZurrpunktListe().back()->m_nFlags = CZurrpunkt::kVonVorn; // now right
         },
         SLgspWerte::kOhneZurrpunkt},
        {"rail source without rail", &kPalette, [](LgspReportTest& t) { t.wp().m_nQuerQuelle = 1; },
         SLgspWerte::kOhneZurrpunkt},
        {"too many lashings", &kPalette, [](LgspReportTest& t) { t.wp().m_nVorspannkraft = 1; },
         0}, // 100 t below
        {"detailed without lashing points", &kPalette, [](LgspReportTest& t) { t.wp().m_nVerfahren = 1; },
         SLgspWerte::kOhneZurrpunkt},
        {"detailed, attachment lines on top of each other", &kPalette,
         [](LgspReportTest& t) {
             t.DirektZurrung(0.5);
             for (int i = 0; i < 4; ++i)
                 t.m_pEinheit->GetAnschlagpunkt(i)->m_dVersatz2 = 0.4;
         },
         SLgspWerte::kNenner},
        {"detailed, flat lashings at the floor against tipping", &kKiste,
         [](LgspReportTest& t) {
             t.DirektZurrung(0.5);
             for (int i = 0; i < 4; ++i)
                 t.m_pEinheit->GetAnschlagpunkt(i)->m_dVersatz3 = 2.0; // attached at the foot
         },
         SLgspWerte::kWinkelFlach},
        {"detailed with default settings", &kKiste,
         [](LgspReportTest& t) {
             t.DirektZurrung(0.5);
             t.wp() = CWizardParams();
             t.wp().m_nVerfahren = 1;
         },
         SLgspWerte::kReibungFehlt},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        SetUpFall(*f.pEinheit);
        f.setze(*this);
        int nGrund = f.nGrund;
        if (nGrund == 0) {
            m_pPlan->m_LgInfos.front()->m_dSPMasse = 100.0;
            nGrund = SLgspWerte::kZuViele;
        }
        m_pEinheit->m_nZurrParam[0] = 5; // from an earlier calculation
        const SLgspWerte& w = Rechne();
        EXPECT_TRUE(w.m_nNichtBewertbar & nGrund) << w.m_nNichtBewertbar;
        if (w.m_nVerfahren == 0) {
            EXPECT_EQ(m_pEinheit->GetZurrParameter(nullptr, nullptr, nullptr), 0);
        }
        EXPECT_EQ(w.m_bGueltig, 0);
        EXPECT_EQ(w.m_nZurrmittel, 0);
        PruefeEndlich(w);
        bool bRichtung = false;
        for (const SLgspRichtung& r : w.m_Richtung)
            bRichtung = bRichtung || r.m_bNichtBewertbar;
        EXPECT_TRUE(bRichtung || nGrund == SLgspWerte::kZuViele);
        ASSERT_EQ(MangelAnzahl(*m_pEinheit, CLgspReport::kMangelNichtBewertbar), 1);
        EXPECT_NE(m_pEinheit->m_Maengel.front()->m_strText.find("Cannot assess:"), std::string::npos);
        // Mended inputs take the defect away again.
        Norm(0);
        wp().m_fReibungOhneMatte = 0.3f;
        wp().m_nVorspannkraft = 250;
        wp().m_nZurrkraft = 500;
        wp().m_nVerfahren = 0;
        wp().m_nQuerQuelle = 0;
        m_pPlan->m_LgInfos.front()->m_dSPMasse = f.pEinheit->dMasse;
        m_pPlan->m_LgInfos.front()->m_dHoehe = f.pEinheit->dHoehe;
        m_pFahrzeug->GetZurrpunktListe().back()->m_nFlags = CZurrpunkt::kVonVorn | CZurrpunkt::kLinks;
        const SLgspWerte& gut = Rechne();
        EXPECT_EQ(gut.m_nNichtBewertbar, 0);
        EXPECT_EQ(MangelAnzahl(*m_pEinheit, CLgspReport::kMangelNichtBewertbar), 0);
    }
}

} // namespace

TEST_F(LgspReportTest, PairsBesideTheUnitComeFromTheVehicleWhereTheUnitStands)
{
    struct Fall
    {
        const char* name;
        int nVerfahren;
        int nQuelle;
        double dVersatz; // the unit moved back by this much, metres
        int nPaare;      // -1: the unit's pairs are left alone
    };
    // Opposite points at 0.8, 1.5, 2.0, 3.0 and 4.5 m from the front, a right point alone at 1.7 m, a
    // left one alone at 1.8 m and front points at 1.2 m; the unit stands 1.2 m long from 1.0 m.
    const Fall faelle[] = {
        {"top-over to the lashing points", 0, 0, 0.0, 2},
        {"the unit moved 2 m back", 0, 0, 2.0, 1},
        {"the unit moved between the points", 0, 0, 3.6, 0},
        {"top-over to the rails", 0, 1, 0.0, -1},
        {"direct lashing", 1, 0, 0.0, -1},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        Baue(kPalette);
        for (bool bLinks : {false, true}) {
            auto* vorn = new CZurrpunkt(7.2, 2.5);
            vorn->m_nFlags = CZurrpunkt::kVonVorn | CZurrpunkt::kVorn | (bLinks ? CZurrpunkt::kLinks : 0);
            vorn->m_dAbstandLaengs = 1.2;
            vorn->m_dAbstandQuer = 0.3;
            m_pFahrzeug->m_Zurrpunkte.emplace_back(vorn);
        }
        for (bool bLinks : {false, true})
            for (double x : {0.8, 1.5, bLinks ? 1.8 : 1.7, 2.0, 3.0, 4.5})
                Zurrpunkt(x, 0.05, bLinks);
        // A pair from before, owning its points.
        auto* a = new CZurrpunkt(7.2, 2.5);
        a->m_dAbstandLaengs = 6.0;
        m_pEinheit->m_ZPPtrTupel.push_back(std::make_unique<sZPPtrTupel>(a, new CZurrpunkt(*a), 1));
        wp().m_nVerfahren = fall.nVerfahren;
        wp().m_nQuerQuelle = fall.nQuelle;
        m_pPlan->GetLgInfos().front()->m_dPosX += fall.dVersatz;

        EXPECT_EQ(m_pReport->SammleZurrpunktPaare(), fall.nPaare);
        if (fall.nPaare < 0) {
            ASSERT_EQ(m_pEinheit->m_ZPPtrTupel.size(), 1u);
            EXPECT_EQ(m_pEinheit->m_ZPPtrTupel[0]->m_pZP1, a);
            continue;
        }
        ASSERT_EQ(static_cast<int>(m_pEinheit->m_ZPPtrTupel.size()), fall.nPaare);
        double x0 = kPalette.dX + fall.dVersatz;
        m_pFahrzeug->AddRandabstand(&x0, nullptr);
        for (const auto& p : m_pEinheit->m_ZPPtrTupel) {
            ASSERT_TRUE(p->IsVollstaendig());
            EXPECT_EQ(p->m_nBesitz, 0) << "the pair refers to the vehicle's points";
            EXPECT_EQ(p->m_pZP1->m_nFlags & CZurrpunkt::kLinks, 0);
            EXPECT_NE(p->m_pZP2->m_nFlags & CZurrpunkt::kLinks, 0);
            EXPECT_DOUBLE_EQ(p->m_pZP1->GetPosX(), p->m_pZP2->GetPosX());
            EXPECT_GE(p->m_pZP1->GetPosX(), x0);
            EXPECT_LE(p->m_pZP1->GetPosX(), x0 + kPalette.dLaenge);
        }
        // The calculation marks the pairs it lashes to among them.
        const SLgspWerte& w = Rechne();
        EXPECT_EQ(std::count_if(m_pEinheit->m_ZPPtrTupel.begin(), m_pEinheit->m_ZPPtrTupel.end(),
                                [](const auto& p) { return p->m_nAktiv != 0; }),
                  std::min(fall.nPaare, w.m_nZurrmittel));
    }
}
