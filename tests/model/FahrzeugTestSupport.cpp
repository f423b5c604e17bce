// Builders for vehicles and plans in the model tests, and the invariant checker of a recalculated vehicle.
#include "FahrzeugTestSupport.h"

#include "model/files/FahrzeugImpExp.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/SYs2X.h"

#include <cmath>
#include <map>
#include <set>
#include <sstream>

namespace fahrzeugtest {

void Setze(CFahrzeug& f, const Daten& d)
{
    f.m_nArt = d.nArt;
    const int nKupplung =
        (d.nArt == FahrzeugArt::kStarrdeichsel || d.nArt == FahrzeugArt::kAuflieger) ? 1 : 0;
    f.m_nAchsanzahl = static_cast<int>(d.achsen.size()) - nKupplung;
    for (size_t i = 0; i < d.achsen.size(); ++i) {
        f.m_Achsen[i].dAbstand = d.achsen[i].dAbstand;
        f.m_Achsen[i].dLeerlast = d.achsen[i].dLeer;
        f.m_Achsen[i].dZulLast = d.achsen[i].dZul;
    }
    f.m_dZulGesamtgewicht = d.dZulGesamt;
    f.m_dLFLaenge = d.dLFLaenge;
    f.m_fLFBreite = d.fLFBreite;
    f.m_nMinAnteilVorn = d.nMinVorn;
    f.m_nMinAnteilHinten = d.nMinHinten;
}

std::unique_ptr<CFahrzeug> Erzeuge(const Daten& d)
{
    std::unique_ptr<CFahrzeug> f = ErzeugeFahrzeug(d.nArt);
    if (!f)
        f = std::make_unique<CFahrzeug>();
    Setze(*f, d);
    return f;
}

CQOR* GibLast(CFahrzeug& f, double m, double x, double y)
{
    if (!f.m_pQor)
        f.m_pQor = new CQOR(&f, 0, "Plan");
    auto* p = new tagLGINFO;
    p->m_strName = "Last";
    p->m_nTyp = 0;
    p->m_dLaenge = 1.0;
    p->m_dBreite = 1.0;
    p->m_dSPLaenge = 0.5;
    p->m_dSPBreite = 0.5;
    p->m_dSPMasse = m;
    p->m_dMasse = m;
    p->m_dPosX = x - 0.5;
    p->m_dPosY = y - 0.5;
    f.m_pQor->AddLgInfo(std::unique_ptr<tagLGINFO>(p), false);
    f.m_pQor->UpdateSchwerpunkt();
    return f.m_pQor;
}

void Berechne(CFahrzeug& f)
{
    f.Recalc();
}

void Kopple(CFahrzeug& motor, CFahrzeug& anhaenger)
{
    CFahrzeug::Koppeln(motor, anhaenger);
    anhaenger.RecalcMitPartner();
}

namespace {

bool Nah(double a, double b)
{
    return std::fabs(a - b) <= 1e-9 * std::max(1.0, std::fabs(a) + std::fabs(b));
}

} // namespace

std::vector<double> Ergebnis(CFahrzeug& f)
{
    std::vector<double> v{f.m_dAchslastVorn,
                          f.m_dAchslastHinten,
                          f.GetGesamtmasse(false),
                          f.m_dStuetzlast,
                          f.m_dZulLastVorn,
                          f.m_dZulStuetzlast,
                          static_cast<double>(f.CheckGrenzwerte(true)),
                          static_cast<double>(f.CheckGrenzwerte(false)),
                          static_cast<double>(f.GetNutzlastKurve().IsGueltig()),
                          static_cast<double>(f.m_nGrenzMaske),
                          f.GetNutzlastKurve().GetMaxNutzlast(),
                          static_cast<double>(f.GetNutzlastKurve().GetMaxNutzlastPos()),
                          static_cast<double>(f.GetNutzlastKurve().GetBereichStatus()),
                          f.GetNutzlastKurve().GetNutzbarVon(),
                          f.GetNutzlastKurve().GetNutzbarBis(),
                          f.GetNutzlastKurve().GetNutzbarQuerVon(),
                          f.GetNutzlastKurve().GetNutzbarQuerBis(),
                          static_cast<double>(f.GetNutzlastKurve().GetPunkte().GetCount()),
                          static_cast<double>(f.GetNutzlastKurve().GetTeilkurve().GetCount())};
    for (const SYs2X* p : f.GetNutzlastKurve().GetPunkte().Punkte())
        v.insert(v.end(), {p->m_dX, p->m_dMaxLast, p->m_dMinLast, static_cast<double>(p->m_nGrenze),
                           static_cast<double>(p->m_nMinGrenze)});
    return v;
}

std::vector<std::string> Unterschiede(const std::vector<double>& a, const std::vector<double>& b)
{
    if (a.size() != b.size())
        return {"the results have " + std::to_string(a.size()) + " and " + std::to_string(b.size()) +
                " values"};
    std::vector<std::string> v;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!(a[i] == b[i] || (std::isnan(a[i]) && std::isnan(b[i])))) {
            std::ostringstream os;
            os.precision(17);
            os << "value " << i << " is " << a[i] << " against " << b[i];
            v.push_back(os.str());
        }
    return v;
}

std::vector<std::string> Invariantenverletzungen(CFahrzeug& f)
{
    std::vector<std::string> v;
    const auto melde = [&](const std::string& regel, double a, double b) {
        std::ostringstream s;
        s.precision(12);
        s << "vehicle of kind " << f.GetArt() << ": " << regel << " (" << a << " vs " << b << ")";
        v.push_back(s.str());
    };
    double dLeer = 0.0;
    for (int i = 0; i < f.GetRecordAnzahl(); ++i)
        dLeer += f.m_Achsen[i].dLeerlast;
    if (!Nah(f.m_dLeergewicht, dLeer))
        melde("empty mass is the sum of the empty axle loads in use", f.m_dLeergewicht, dLeer);
    if (!Nah(f.m_dGrundmasse, f.m_dLeergewicht + f.m_dZLMasse))
        melde("unladen mass is the empty mass plus the ZL items", f.m_dGrundmasse,
              f.m_dLeergewicht + f.m_dZLMasse);
    if (!f.IsBerechenbar()) {
        if ((f.CheckGrenzwerte(true) & 0x2) == 0)
            melde("a vehicle that cannot be computed reports bit 0x2", f.CheckGrenzwerte(true), 0x2);
        if (f.GetNutzlastKurve().IsGueltig())
            melde("a vehicle that cannot be computed has no valid curve", f.GetNutzlastKurve().IsGueltig(),
                  0);
        return v;
    }
    const double dSumme = f.m_dAchslastVorn + f.m_dAchslastHinten;
    const double dGesamt = f.GetGesamtmasse(false);
    if (!Nah(dSumme, dGesamt))
        melde("axle-group loads add up to the total mass", dSumme, dGesamt);
    if (!(f.m_dRadstand > 0.0))
        melde("the rear group lies behind the front group", f.m_dRadstand, 0.0);
    if (!Nah(f.m_dRadstand, f.GetAchsGeometrie().dHinterachsPos - f.m_dVorderachsPos))
        melde("the wheelbase is the distance of the group centres", f.m_dRadstand,
              f.GetAchsGeometrie().dHinterachsPos - f.m_dVorderachsPos);
    {
        // Lever rule about the front-group centre (a motor vehicle's mass holds the load at its coupling).
        const double dMoment = dGesamt * f.CalcSchwerpunkt(true);
        if (!Nah(f.m_dAchslastHinten * f.m_dRadstand, dMoment))
            melde("rear-group load times wheelbase is the moment about the front group",
                  f.m_dAchslastHinten * f.m_dRadstand, dMoment);
    }
    if (const CQOR* q = f.GetQor()) {
        double m = 0.0;
        for (const tagLGINFO* p : q->GetLgInfos())
            m += p->m_dSPMasse;
        if (!Nah(q->GetMasse(), m))
            melde("the plan's mass is the sum of its loads", q->GetMasse(), m);
    }
    return v;
}

std::vector<std::string> PlanInvariantenverletzungen(const CQOR& q)
{
    std::vector<std::string> v;
    std::map<std::string, std::vector<int>> nummern;
    std::set<std::string> abgeschlossen;
    std::set<int> fsm;
    std::string vorher;
    bool bErster = true;
    for (const tagLGINFO* p : q.GetLgInfos()) {
        if (!bErster && p->m_strName != vorher)
            abgeschlossen.insert(vorher);
        if (abgeschlossen.count(p->m_strName))
            v.push_back("loads named \"" + p->m_strName + "\" do not stand together");
        vorher = p->m_strName;
        bErster = false;
        if (p->IsFsm()) {
            if (p->m_nNummer < 1 || !fsm.insert(p->m_nNummer).second)
                v.push_back("FSM item number " + std::to_string(p->m_nNummer) +
                            " is not a new number from 1");
        } else {
            nummern[p->m_strName].push_back(p->m_nNummer);
        }
    }
    for (const auto& [name, n] : nummern) {
        if (n.size() == 1) {
            if (n[0] != 0)
                v.push_back("the single load named \"" + name + "\" carries a number");
            continue;
        }
        std::set<int> einzeln(n.begin(), n.end());
        if (einzeln.size() != n.size() || *einzeln.begin() < 1)
            v.push_back("the loads named \"" + name + "\" have no distinct numbers from 1");
    }
    return v;
}

} // namespace fahrzeugtest
