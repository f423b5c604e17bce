// The permissible-payload curve against the statics of the vehicles: every curve point, loaded with its
// payload, brings the limit its code names to its bound and breaks no other; 1 % more breaks one. The
// statics here are worked out from the entered axle data, not from the vehicle's working values.
#include "FahrzeugTestSupport.h"

#include "model/vehicle/CSattelzugmaschine.h"
#include "model/vehicle/SYs2X.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <random>
#include <set>
#include <sstream>

using namespace fahrzeugtest;

namespace {

constexpr double KG = 0.001; // tonnes

// One vehicle as a beam on its front and rear axle groups.
struct Balken
{
    double v = 0.0;  // front-group centre from the load-area front
    double L = 0.0;  // front-group centre to rear-group centre
    double G = 0.0;  // unladen mass
    double Mv = 0.0; // unladen moment about the front-group centre
    double Zv = 0.0, Zh = 0.0, Zges = 0.0;
    double pv = 0.0, ph = 0.0;

    // Front and rear group loads with a mass m at a behind the front-group centre.
    double Hinten(double m, double a) const { return (Mv + m * a) / L; }
    double Vorn(double m, double a) const { return G + m - Hinten(m, a); }
};

// The front group is record 0 (the coupling point of a trailer, or the single front axle); every other
// record belongs to the rear group, whose centre is weighted by the permissible loads.
Balken Statik(const Daten& d)
{
    Balken b;
    const double s = (d.nArt == FahrzeugArt::kAnhaenger || d.nArt == FahrzeugArt::kAuflieger) ? 1.0 : -1.0;
    std::vector<double> pos;
    double x = s * d.achsen[0].dAbstand;
    for (size_t i = 0; i < d.achsen.size(); ++i) {
        if (i > 0)
            x += d.achsen[i].dAbstand;
        pos.push_back(x);
    }
    b.v = pos[0];
    double dZul = 0.0, dMoment = 0.0;
    for (size_t i = 1; i < d.achsen.size(); ++i) {
        dZul += d.achsen[i].dZul;
        dMoment += d.achsen[i].dZul * pos[i];
    }
    b.L = dMoment / dZul - b.v;
    for (size_t i = 0; i < d.achsen.size(); ++i) {
        b.G += d.achsen[i].dLeer;
        b.Mv += d.achsen[i].dLeer * (pos[i] - b.v);
    }
    b.Zv = d.achsen[0].dZul;
    b.Zh = dZul;
    b.Zges = d.dZulGesamt;
    b.pv = d.nMinVorn / 100.0;
    b.ph = d.nMinHinten / 100.0;
    return b;
}

// A limit at a payload: its reserve (negative when broken) and the curve codes that may name it.
struct Grenze
{
    const char* name;
    std::vector<int> codes;
    double dReserve;
};

struct Zug
{
    const char* art;
    Daten fahrzeug;           // the vehicle whose curve is checked
    std::optional<Daten> zug; // its towing vehicle
    double dSattelVersatz = 0.0, dZulKupplung = 0.0, dKupplungsabstand = 0.0;
};

// Every limit of the vehicle (and its towing vehicle) with payload p at x (load-area coordinates).
std::vector<Grenze> Grenzen(const Zug& z, double p, double x)
{
    const Balken t = Statik(z.fahrzeug);
    const double a = x - t.v;
    const double Fv = t.Vorn(p, a), Fh = t.Hinten(p, a), m = t.G + p;
    std::vector<Grenze> g = {
        {"rear group", {4}, t.Zh - Fh}, {"front group", {2}, t.Zv - Fv}, {"total mass", {3}, t.Zges - m}};
    const int nArt = z.fahrzeug.nArt;
    // A share of 0 still keeps the group on the ground.
    g.push_back({"rear share", {1}, Fh - t.ph * m});
    g.push_back({"front share", {5}, Fv - t.pv * m});
    if (!z.zug)
        return g;
    const Balken P = Statik(*z.zug);
    if (nArt == FahrzeugArt::kAnhaenger) {
        // No vertical load: the truck's rear group keeps its share of the whole combination.
        const double FhP = P.Hinten(0.0, 0.0);
        g.push_back({"truck rear share of the combination", {6}, FhP - P.ph * (P.G + m)});
        return g;
    }
    // Semi-trailer and rigid-drawbar trailer: the front group stands on the towing vehicle at k. The
    // fifth-wheel offset counts from the rear-group centre, also with a rear pair.
    const double k = nArt == FahrzeugArt::kAuflieger ? P.L - z.dSattelVersatz
                                                     : (z.zug->dLFLaenge - z.dKupplungsabstand) - P.v;
    const double F = Fv;
    const double FvP = P.Vorn(F, k), FhP = P.Hinten(F, k);
    g.push_back({"towing rear group", {2}, P.Zh - FhP});
    g.push_back({"permissible coupling load", {2}, z.dZulKupplung - F});
    g.push_back({"towing front share", {2, 6}, FvP - P.pv * (P.G + F)});
    g.push_back({"towing rear share of the combination", {7}, FhP - P.ph * (P.G + m)});
    // Limits the combination keeps by its dimensions; named by the trailer's front group when at all.
    g.push_back({"towing front group", {2}, P.Zv - FvP});
    g.push_back({"towing total mass", {2}, P.Zges - P.G - F});
    return g;
}

double KleinsteReserve(const std::vector<Grenze>& g, int nCode, const char** pName)
{
    double d = 1e300;
    for (const Grenze& x : g)
        if (nCode < 0 || std::find(x.codes.begin(), x.codes.end(), nCode) != x.codes.end())
            if (x.dReserve < d) {
                d = x.dReserve;
                if (pName)
                    *pName = x.name;
            }
    return d;
}

std::string Beschreibe(const std::vector<Grenze>& g)
{
    std::ostringstream s;
    s.precision(6);
    for (const Grenze& x : g)
        s << "  " << x.name << ": " << x.dReserve << "\n";
    return s.str();
}

// Builds the vehicle (and its towing vehicle), recalculates them in the document's order and checks every
// point of the curve. Answers false when the vehicle has no valid curve.
bool PruefeKurve(const Zug& z, int* pPunkte = nullptr, std::set<int>* pCodes = nullptr)
{
    auto f = Erzeuge(z.fahrzeug);
    std::unique_ptr<CFahrzeug> zug;
    if (z.zug) {
        zug = Erzeuge(*z.zug);
        zug->m_dSattelVersatz = z.dSattelVersatz;
        zug->m_dKupplungslast1 = z.dZulKupplung;
        zug->m_dKupplungsabstand = z.dKupplungsabstand;
        Kopple(*zug, *f);
    } else {
        f->Recalc();
    }
    if (!f->GetNutzlastKurve().IsGueltig() || f->GetNutzlastKurve().GetPunkte().IsEmpty())
        return false;
    int n = 0;
    for (const SYs2X* pt : f->GetNutzlastKurve().GetPunkte().Punkte()) {
        ++n;
        if (pCodes) {
            pCodes->insert(pt->m_nGrenze);
            if (pt->m_dMinLast > 0.0)
                pCodes->insert(-pt->m_nMinGrenze);
        }
        const double p = pt->m_dMaxLast, x = pt->m_dX;
        std::ostringstream s;
        s << z.art << ": point x = " << x << ", payload " << p << ", code " << pt->m_nGrenze << ", minimum "
          << pt->m_dMinLast << " (code " << pt->m_nMinGrenze << ")";
        SCOPED_TRACE(s.str());
        EXPECT_TRUE(std::isfinite(p) && std::isfinite(pt->m_dMinLast));
        EXPECT_GE(p, 0.0);
        const auto g = Grenzen(z, p, x);
        const char* pName = "";
        const double dMin = KleinsteReserve(g, -1, &pName);
        EXPECT_GE(dMin, -KG) << "broken: " << pName << "\n" << Beschreibe(g);
        // A point of the refinement is not named after a limit, but one limit stands at its bound.
        const int nCode = pt->m_nGrenze == 8 ? -1 : pt->m_nGrenze;
        const double dGenannt = KleinsteReserve(g, nCode, nullptr);
        EXPECT_NEAR(dGenannt, 0.0, KG) << Beschreibe(g);
        const auto schwerer = Grenzen(z, std::max(p * 1.01, p + KG), x);
        EXPECT_LT(KleinsteReserve(schwerer, -1, nullptr), 0.0) << Beschreibe(schwerer);
        if (pt->m_dMinLast > 0.0) {
            // The smallest payload brings its own limit to the bound; 1 % less breaks one.
            const auto gMin = Grenzen(z, pt->m_dMinLast, x);
            EXPECT_GE(KleinsteReserve(gMin, -1, nullptr), -KG) << Beschreibe(gMin);
            EXPECT_NEAR(KleinsteReserve(gMin, pt->m_nMinGrenze, nullptr), 0.0, KG) << Beschreibe(gMin);
            EXPECT_LT(KleinsteReserve(Grenzen(z, pt->m_dMinLast * 0.99, x), -1, nullptr), 0.0);
        }
        if (::testing::Test::HasFailure())
            return true;
    }
    if (pPunkte)
        *pPunkte = n;
    return true;
}

// ---- generated vehicles ---------------------------------------------------------------------------

class Zufall
{
public:
    explicit Zufall(unsigned n) : m_gen(n) {}
    double operator()(double a, double b) { return std::uniform_real_distribution<double>(a, b)(m_gen); }
    unsigned Wahl(std::initializer_list<unsigned> l)
    {
        std::uniform_int_distribution<size_t> d(0, l.size() - 1);
        return *(l.begin() + d(m_gen));
    }

private:
    std::mt19937 m_gen;
};

Daten ZufallsLkw(Zufall& r, bool bTandem)
{
    Daten d;
    d.nArt = 0;
    const double zv = r(6.5, 9.0), zh = r(10.0, 13.0);
    d.achsen.push_back({r(0.8, 1.6), r(3.5, 5.5), zv});
    if (bTandem) {
        const double e = r(1.4, 2.6);
        d.achsen.push_back({r(3.4, 4.8), e, 9.5});
        d.achsen.push_back({1.35, e, 9.5});
    } else {
        d.achsen.push_back({r(3.5, 6.0), r(2.5, 4.5), zh});
    }
    double zul = 0.0;
    for (const Achse& a : d.achsen)
        zul += a.dZul;
    d.dZulGesamt = zul * r(0.8, 1.0);
    d.dLFLaenge = r(5.0, 9.0);
    d.nMinVorn = r.Wahl({0, 20, 25, 30});
    d.nMinHinten = r.Wahl({0, 20, 25, 40});
    return d;
}

Zug ZufallsTransporter(Zufall& r)
{
    Daten d;
    d.nArt = 0;
    d.achsen = {{r(0.5, 0.9), r(1.1, 1.4), r(1.6, 1.9)}, {r(3.0, 4.0), r(0.7, 1.0), r(1.8, 2.2)}};
    d.dZulGesamt = 3.5;
    d.dLFLaenge = r(3.0, 4.5);
    d.fLFBreite = 1.8f;
    d.nMinVorn = r.Wahl({0, 25, 30});
    d.nMinHinten = r.Wahl({0, 25, 40, 45});
    return {"van", d, std::nullopt};
}

// A two-axle tractor, or one with a rear pair (equal tandem or drive axle with a lighter tag axle) whose
// fifth wheel stands ahead of the middle of the pair.
Zug ZufallsSattelzug(Zufall& r, bool bDreiachser)
{
    Daten sz;
    sz.nArt = 4;
    if (bDreiachser) {
        const double zh = r.Wahl({0, 1}) ? 9.5 : 7.5;
        sz.achsen = {{r(0.5, 1.0), r(5.0, 6.5), r(7.5, 8.0)},
                     {r(3.2, 3.8), r(2.0, 3.0), 11.5},
                     {r(1.3, 1.4), r(1.2, 2.0), zh}};
        sz.dZulGesamt = r(24.0, 26.0);
    } else {
        sz.achsen = {{r(0.5, 1.0), r(4.5, 5.5), r(7.5, 8.0)}, {r(3.5, 3.9), r(2.5, 3.5), 11.5}};
        sz.dZulGesamt = r(18.0, 20.0);
    }
    sz.dLFLaenge = 0.0;
    sz.nMinVorn = r.Wahl({0, 20, 25});
    sz.nMinHinten = r.Wahl({0, 20, 25});
    Daten auf;
    auf.nArt = 3;
    const double e = r(1.4, 2.0), z = r(8.0, 9.0);
    auf.achsen = {{r(1.0, 1.8), r(2.5, 4.0), r(10.0, 14.0)}, {r(6.5, 8.0), e, z}, {1.31, e, z}, {1.31, e, z}};
    auf.dZulGesamt = r(32.0, 39.0);
    auf.dLFLaenge = 13.6;
    return {bDreiachser ? "three-axle tractor with semi-trailer" : "tractor with semi-trailer",
            auf,
            sz,
            r(0.3, 0.7),
            r(10.0, 14.0),
            0.0};
}

Zug ZufallsGliederzug(Zufall& r)
{
    Daten lkw = ZufallsLkw(r, r(0.0, 1.0) < 0.5);
    lkw.nMinHinten = r.Wahl({20, 25});
    Daten anh;
    anh.nArt = 1;
    anh.achsen = {{r(0.8, 1.5), r(2.0, 3.0), r(9.0, 10.0)}, {r(4.0, 6.0), r(2.0, 3.0), r(9.0, 10.0)}};
    anh.dZulGesamt = r(16.0, 18.0);
    anh.dLFLaenge = r(7.0, 8.5);
    anh.nMinVorn = r.Wahl({0, 20, 25});
    anh.nMinHinten = r.Wahl({0, 20, 25});
    return {"truck with drawbar trailer", anh, lkw};
}

Zug ZufallsTandemzug(Zufall& r)
{
    Daten lkw = ZufallsLkw(r, r(0.0, 1.0) < 0.5);
    lkw.dZulGesamt = 26.0;
    Daten anh;
    anh.nArt = 2;
    const double d0 = r(1.5, 3.0), lf = r(6.0, 8.0), e = r(1.2, 1.6);
    anh.achsen = {{d0, r(0.1, 0.3), r(0.8, 1.0)}, {d0 + lf / 2.0 - r(0.3, 0.9), e, 9.0}, {1.3, e, 9.0}};
    anh.dZulGesamt = r(16.0, 18.0);
    anh.dLFLaenge = lf;
    return {"truck with rigid-drawbar trailer", anh, lkw, 0.0, r(0.7, 1.0), r(-0.5, 0.2)};
}

} // namespace

TEST(NutzlastKurvePhysik, HandMadeVehiclesKeepEveryLimit)
{
    const Daten lkw = {0, {{1.0, 4.0, 7.5}, {4.0, 4.0, 10.0}}, 18.0, 7.0, 2.5f, 25, 25};
    const Daten dreiachser = {0, {{1.0, 5.0, 8.0}, {3.7, 2.5, 9.5}, {1.3, 2.5, 9.5}}, 26.0, 7.2, 2.5f, 20, 0};
    const Daten transporter = {0, {{0.6, 1.2, 1.8}, {3.0, 0.8, 2.0}}, 3.5, 3.2, 1.8f, 30, 25};
    const Daten sz = {4, {{0.8, 4.5, 7.5}, {3.6, 3.0, 11.5}}, 18.0, 0.0, 2.5f, 20, 25};
    // Drive axle and a lighter tag axle: the centre of the rear group lies nearer the drive axle.
    const Daten sz3 = {4, {{0.8, 5.5, 7.5}, {3.4, 2.5, 11.5}, {1.35, 1.5, 7.5}}, 26.0, 0.0, 2.5f, 20, 25};
    const Daten auf = {
        3, {{1.2, 3.0, 12.0}, {6.0, 1.5, 9.0}, {1.31, 1.5, 9.0}, {1.31, 1.5, 9.0}}, 36.0, 13.6, 2.5f, 0, 0};
    // A kingpin rated above what the tractor carries, so that the tractor's limits cut it.
    Daten auf18 = auf;
    auf18.achsen[0].dZul = 18.0;
    const Daten anh = {1, {{1.0, 2.0, 9.0}, {5.0, 2.0, 9.0}}, 18.0, 7.2, 2.5f, 0, 0};
    const Daten tandem = {2, {{2.0, 0.2, 1.0}, {4.9, 1.4, 9.0}, {1.3, 1.4, 9.0}}, 18.0, 7.0, 2.5f, 0, 0};
    // Its front axle is overloaded empty: only a load behind the rear axle relieves it.
    Daten vorderlastig = lkw;
    vorderlastig.achsen[0].dZul = 3.9;
    vorderlastig.nMinVorn = 0;
    const Zug faelle[] = {
        {"rigid truck", lkw, std::nullopt},
        {"rigid truck with an overloaded front axle", vorderlastig, std::nullopt},
        {"three-axle truck", dreiachser, std::nullopt},
        {"van", transporter, std::nullopt},
        {"tractor with semi-trailer", auf, sz, 0.5, 12.0, 0.0},
        {"three-axle tractor with semi-trailer", auf18, sz3, 0.45, 20.0, 0.0},
        {"truck with drawbar trailer", anh, lkw},
        {"truck with rigid-drawbar trailer", tandem, dreiachser, 0.0, 1.0, -0.3},
    };
    for (const Zug& z : faelle) {
        SCOPED_TRACE(z.art);
        int n = 0;
        EXPECT_TRUE(PruefeKurve(z, &n));
        EXPECT_GT(n, z.fahrzeug.achsen[0].dZul < 4.0 ? 5 : 20);
    }
}

TEST(NutzlastKurvePhysik, GeneratedVehiclesKeepEveryLimit)
{
    Zufall r(20261209);
    struct Art
    {
        const char* name;
        std::function<Zug(Zufall&)> erzeuge;
        std::vector<int> codes;
    };
    const Art arten[] = {
        {"rigid truck",
         [](Zufall& z) {
             return Zug{"rigid truck", ZufallsLkw(z, z(0.0, 1.0) < 0.4), {}};
         },
         {1, 2, 3, 4, 5, 8, -1}},
        {"van", ZufallsTransporter, {1, 2, 3, 4, 5, 8, -1}},
        {"tractor with semi-trailer", [](Zufall& z) { return ZufallsSattelzug(z, false); }, {2, 3, 4, 7, 8}},
        {"truck with drawbar trailer", ZufallsGliederzug, {1, 2, 4, 6, 8}},
        {"truck with rigid-drawbar trailer", ZufallsTandemzug, {2, 3, 6, 7, 8, -7}},
        // Last, so that the vehicles generated before it stay the same.
        {"three-axle tractor with semi-trailer",
         [](Zufall& z) { return ZufallsSattelzug(z, true); },
         {2, 3, 4, 7, 8}},
    };
    for (const Art& a : arten) {
        int nGueltig = 0;
        std::set<int> codes;
        for (int i = 0; i < 80; ++i) {
            const Zug z = a.erzeuge(r);
            std::ostringstream s;
            s << a.name << " #" << i;
            SCOPED_TRACE(s.str());
            if (PruefeKurve(z, nullptr, &codes))
                ++nGueltig;
            if (::testing::Test::HasFailure())
                return;
        }
        // Most generated vehicles can carry something.
        EXPECT_GE(nGueltig, 60) << a.name;
        // The limits of the kind, maxima and (negative) minima, all decide somewhere.
        for (int c : a.codes)
            EXPECT_TRUE(codes.count(c)) << a.name << ": no point of code " << c;
    }
}
