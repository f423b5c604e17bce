// The data of the sample vehicles: typical European vehicles.
#include "SampleVehicles.h"

#include "model/files/FahrzeugImpExp.h"
#include "model/plan/CQOR.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CZurrpunkt.h"
#include "model/vehicle/CZurrschiene.h"

#include <stdexcept>

const std::vector<SampleVehicle>& SampleVehicles()
{
    static const std::vector<SampleVehicle> samples = {
        // 18 t two-axle rigid truck, 7.0 m body, front axle 1.0 m ahead of the body, wheelbase 4.8 m;
        // coupling 0.5 m behind the body for a support load of up to 1.0 t.
        {"LKW",
         "Rigid truck 18 t",
         0,
         false,
         {{1.0, 4.3, 7.5}, {4.8, 3.2, 11.5}},
         18.0,
         7.0,
         2.48f,
         20,
         25,
         -0.5,
         1.0,
         0.0},
        // 3.5 t van, load space 3.4 m x 1.75 m.
        {"KEP",
         "Van 3.5 t",
         0,
         true,
         {{0.7, 1.25, 1.75}, {3.2, 0.95, 2.0}},
         3.5,
         3.4,
         1.75f,
         20,
         25,
         0.0,
         0.0,
         0.0},
        // 4x2 tractor, wheelbase 3.6 m, fifth wheel 0.5 m ahead of the rear axle, 10 t on the fifth wheel.
        {"SZM",
         "Semi-trailer tractor 4x2",
         4,
         false,
         {{1.0, 4.8, 7.5}, {3.6, 2.6, 11.5}},
         18.0,
         0.0,
         0.0f,
         20,
         25,
         0.0,
         10.0,
         0.5},
        // Two-axle drawbar trailer, 7.2 m body.
        {"GDA",
         "Drawbar trailer 2 axles",
         1,
         false,
         {{1.2, 2.3, 9.0}, {4.8, 2.2, 10.0}},
         18.0,
         7.2,
         2.48f,
         0,
         0,
         0.0,
         0.0,
         0.0},
        // Three-axle drawbar trailer, 8.2 m body.
        {"GDA_2",
         "Drawbar trailer 3 axles",
         1,
         false,
         {{1.2, 2.5, 9.0}, {4.6, 2.0, 9.0}, {1.31, 2.0, 9.0}},
         24.0,
         8.2,
         2.48f,
         0,
         0,
         0.0,
         0.0,
         0.0},
        // Two-axle rigid-drawbar trailer, 7.2 m body, drawbar eye 2.0 m ahead of it (1.0 t support load).
        {"SDA",
         "Rigid-drawbar trailer 2 axles",
         2,
         false,
         {{2.0, 0.4, 1.0}, {5.4, 1.6, 9.0}, {1.31, 1.6, 9.0}},
         18.0,
         7.2,
         2.48f,
         0,
         0,
         0.0,
         0.0,
         0.0},
        // Three-axle 13.6 m semi-trailers, kingpin 1.6 m behind the body front.
        {"SAH",
         "Semi-trailer 13.6 m",
         3,
         false,
         {{1.6, 2.4, 12.0}, {6.4, 1.5, 9.0}, {1.31, 1.5, 9.0}, {1.31, 1.5, 9.0}},
         36.0,
         13.6,
         2.48f,
         0,
         0,
         0.0,
         0.0,
         0.0},
        // Refrigerated three-axle semi-trailer: a heavier body, 13.3 m x 2.46 m inside.
        {"SAH_2",
         "Refrigerated semi-trailer 13.3 m",
         3,
         false,
         {{1.6, 2.8, 12.0}, {6.2, 2.0, 9.0}, {1.31, 2.0, 9.0}, {1.31, 2.0, 9.0}},
         36.0,
         13.3,
         2.46f,
         0,
         0,
         0.0,
         0.0,
         0.0},
    };
    return samples;
}

namespace {

// Lashing points along both sides, 5 cm in from the edge, from 0.5 m behind the front wall about every
// metre to the rear end; two front points at the front wall; a lashing rail along each side.
void AddLashingEquipment(CFahrzeug& f, double dDaN)
{
    const double l = f.m_dLFLaenge;
    const double b = f.m_fLFBreite;
    const int n = static_cast<int>((l - 0.5) / 1.0) + 1;
    const double schritt = n > 1 ? (l - 1.0) / (n - 1) : 0.0;
    for (int links = 0; links < 2; ++links) {
        auto* vorn = new CZurrpunkt(l, b);
        vorn->m_nFlags = CZurrpunkt::kVonVorn | CZurrpunkt::kVorn | (links ? CZurrpunkt::kLinks : 0);
        vorn->m_dAbstandLaengs = 0.1;
        vorn->m_dAbstandQuer = 0.3;
        vorn->m_dZulKraft = dDaN;
        f.m_Zurrpunkte.emplace_back(vorn);
        for (int i = 0; i < n; ++i) {
            auto* zp = new CZurrpunkt(l, b);
            zp->m_nFlags = CZurrpunkt::kVonVorn | (links ? CZurrpunkt::kLinks : 0);
            zp->m_dAbstandLaengs = 0.5 + i * schritt;
            zp->m_dAbstandQuer = 0.05;
            zp->m_dZulKraft = dDaN;
            f.m_Zurrpunkte.emplace_back(zp);
        }
        auto* schiene = new CZurrschiene;
        schiene->m_nSeite = links ? 2 : 0;
        schiene->m_dPosition = 0.05;
        schiene->m_nZulKraft = static_cast<int>(dDaN);
        f.m_Zurrschienen.emplace_back(schiene);
    }
}

} // namespace

std::unique_ptr<CFahrzeug> BuildSampleVehicle(const SampleVehicle& s)
{
    std::unique_ptr<CFahrzeug> f = ErzeugeFahrzeug(s.nArt);
    if (!f)
        throw std::invalid_argument(std::string("sample vehicle with no known kind: ") + s.name);
    f->m_nArt = s.nArt;
    f->m_strName = s.name;
    const int nKupplung =
        (s.nArt == FahrzeugArt::kStarrdeichsel || s.nArt == FahrzeugArt::kAuflieger) ? 1 : 0;
    f->m_nAchsanzahl = static_cast<int>(s.axles.size()) - nKupplung;
    double dLeer = 0.0;
    for (std::size_t i = 0; i < s.axles.size(); ++i) {
        f->m_Achsen[i].dAbstand = s.axles[i].dAbstand;
        f->m_Achsen[i].dLeerlast = s.axles[i].dLeer;
        f->m_Achsen[i].dZulLast = s.axles[i].dZul;
        dLeer += s.axles[i].dLeer;
    }
    if (s.bArt5)
        f->m_nAchsFlags[9] = 1;
    f->m_dLeergewicht = dLeer;
    f->m_dZulGesamtgewicht = s.dZulGesamt;
    f->m_dLFLaenge = s.dLFLaenge;
    f->m_fLFBreite = s.fLFBreite;
    f->m_nMinAnteilVorn = s.nMinVorn;
    f->m_nMinAnteilHinten = s.nMinHinten;
    f->m_dKupplungsabstand = s.dKupplungsabstand;
    f->m_dKupplungslast1 = s.dKupplungslast1;
    f->m_dSattelVersatz = s.dSattelVersatz;
    if (s.nArt == FahrzeugArt::kZugmaschine || s.nArt == FahrzeugArt::kSattelzugmaschine)
        f->m_Achsen[9].dLeerlast = 40.0; // the permitted train mass the program checks against
    if (s.nArt != FahrzeugArt::kSattelzugmaschine) {
        // The usable area starts 5 cm behind the front wall.
        f->m_NutzLF[0].m_dRand[0] = f->m_NutzLF[1].m_dRand[0] = 0.05;
        f->m_pQor = new CQOR(f.get(), -1, s.name);
        AddLashingEquipment(*f, s.dZulGesamt <= 3.5 ? 500.0 : (s.dZulGesamt <= 12.0 ? 800.0 : 2000.0));
    }
    return f;
}
