// The lashing equipment of a vehicle: used devices, finding and pairing lashing points, re-attaching
// load units after loading, and whether a point is in use.
#include "model/plan/CAnschlagpunkt.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/sZPPtrTupel.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CSattelzugmaschine.h"
#include "model/vehicle/CZurrmittel.h"
#include "model/vehicle/CZurrpunkt.h"
#include "model/vehicle/CZurrschiene.h"

#include <gtest/gtest.h>

namespace {

CZurrmittel Geraet(int typ, double w1, double w2, int anzahl, const char* name = "")
{
    CZurrmittel m;
    m.m_nTyp = typ;
    m.m_dVorspannkraft = w1;
    m.m_dZurrkraft = w2;
    m.m_nAnzahl = anzahl;
    m.m_strName = name;
    return m;
}

// A point at distance x from the load-area front: bit 1 set for the second side.
CZurrpunkt* Punkt(CFahrzeug& f, double x, bool bZweiteSeite, double quer = 0.1, double kraft = 2000)
{
    auto* p = new CZurrpunkt;
    p->m_nFlags = CZurrpunkt::kVonVorn | (bZweiteSeite ? CZurrpunkt::kLinks : 0);
    p->m_dAbstandLaengs = x;
    p->m_dAbstandQuer = quer;
    p->m_dZulKraft = kraft;
    f.m_Zurrpunkte.emplace_back(p);
    return p;
}

void Ladeflaeche(CFahrzeug& f)
{
    f.m_nArt = 1;
    f.m_dLFLaenge = 7.0;
    f.m_fLFBreite = 2.4f;
}

} // namespace

TEST(LashingEquipmentTest, UsedDevicesMergeByTypeValuesAndName)
{
    CFahrzeug f;
    EXPECT_EQ(f.AddZurrmittel(Geraet(0, 250, 2500, 3), false), -3);
    // 0.04 apart: the same device, counts add up.
    EXPECT_EQ(f.AddZurrmittel(Geraet(0, 250.04, 2499.96, 2), false), 5);
    ASSERT_EQ(f.m_ZurrmittelBenutzt.size(), 1u);
    // 0.06 apart: a new entry.
    EXPECT_EQ(f.AddZurrmittel(Geraet(0, 250.06, 2500, 2), false), -2);
    EXPECT_EQ(f.m_ZurrmittelBenutzt.size(), 2u);
    // Another type is another device.
    EXPECT_EQ(f.AddZurrmittel(Geraet(1, 250, 2500, 1), false), -1);
    // Without names compared, a named device renames the entry; with names compared it does not match.
    EXPECT_EQ(f.AddZurrmittel(Geraet(0, 250, 2500, 1, "Gurt"), false), 6);
    EXPECT_EQ(f.GetZurrmittelBenutzt().front()->m_strName, "Gurt");
    EXPECT_EQ(f.AddZurrmittel(Geraet(0, 250, 2500, 1, "Anders"), true), -1);
    EXPECT_EQ(f.AddZurrmittel(Geraet(0, 250, 2500, 1, "Gurt"), true), 7);
    // Count 0 zeroes the entry; a zeroed entry takes no more.
    EXPECT_EQ(f.AddZurrmittel(Geraet(0, 250, 2500, 0), false), 0);
    EXPECT_EQ(f.GetZurrmittelBenutzt().front()->m_nAnzahl, 0);
    EXPECT_EQ(f.AddZurrmittel(Geraet(0, 250, 2500, 4), false), 0);
    EXPECT_EQ(f.GetZurrmittelBenutzt().front()->m_nAnzahl, 0);
    // The new entry's first int stays as constructed.
    EXPECT_EQ(f.GetZurrmittelBenutzt().back()->m_nKennung, 0);
}

TEST(LashingEquipmentTest, DefaultCatalogueMergesIntoTheUsedDevices)
{
    CFahrzeug f;
    ASSERT_EQ(f.m_ZurrmittelKatalog.size(), 7u);
    for (const CZurrmittel* k : f.GetZurrmittelKatalog()) {
        CZurrmittel m = *k;
        m.m_nAnzahl = 2;
        EXPECT_EQ(f.AddZurrmittel(m, true), -2);
    }
    // The second round finds every catalogue device again.
    for (const CZurrmittel* k : f.GetZurrmittelKatalog()) {
        CZurrmittel m = *k;
        m.m_nAnzahl = 1;
        EXPECT_EQ(f.AddZurrmittel(m, true), 3);
    }
    EXPECT_EQ(f.m_ZurrmittelBenutzt.size(), 7u);
}

TEST(LashingEquipmentTest, FindAndPairLashingPoints)
{
    CFahrzeug f;
    Ladeflaeche(f);
    CZurrpunkt* a1 = Punkt(f, 1.0, false);
    Punkt(f, 1.004, false); // 0.004 after a1: skipped
    CZurrpunkt* a3 = Punkt(f, 2.0, false);
    CZurrpunkt* a4 = Punkt(f, 3.0, false);
    CZurrpunkt* mitte = Punkt(f, 4.0, false);
    mitte->m_nFlags |= CZurrpunkt::kVorn; // centre-line point: skipped
    CZurrpunkt* b1 = Punkt(f, 1.0, true);
    Punkt(f, 2.006, true); // 0.006 from a3: not its partner
    CZurrpunkt* b4 = Punkt(f, 2.996, true);

    std::vector<std::unique_ptr<sZPPtrTupel>> paare;
    EXPECT_EQ(f.CollectZurrpunktPaare(0.0, 7.0, paare), 2);
    ASSERT_EQ(paare.size(), 2u);
    EXPECT_EQ(paare[0]->m_pZP1, a1);
    EXPECT_EQ(paare[0]->m_pZP2, b1);
    EXPECT_EQ(paare[1]->m_pZP1, a4);
    EXPECT_EQ(paare[1]->m_pZP2, b4);
    EXPECT_EQ(paare[1]->m_nBesitz, 0);
    EXPECT_FALSE(paare[1]->BesitztPunkt(0));
    // Range limits.
    paare.clear();
    EXPECT_EQ(f.CollectZurrpunktPaare(1.5, 3.5, paare), 1);
    EXPECT_EQ(paare[0]->m_pZP1, a4);
    CFahrzeug leer;
    EXPECT_EQ(leer.CollectZurrpunktPaare(0.0, 7.0, paare), 0);
    EXPECT_EQ(leer.GetMinSeitenabstand(0.0, 7.0, true, nullptr), -1000.0);
    EXPECT_EQ(leer.GetSchienenPosition(), -1.0);

    CZurrpunkt suche = *a3;
    suche.m_dAbstandLaengs += 0.005;
    EXPECT_EQ(f.FindZurrpunkt(suche, 0.005), a3);
    suche.m_dAbstandLaengs += 0.001;
    EXPECT_EQ(f.FindZurrpunkt(suche, 0.005), nullptr);
    suche = *a3;
    suche.m_nFlags |= CZurrpunkt::kLinks;
    EXPECT_EQ(f.FindZurrpunkt(suche, 0.005), nullptr);

    b4->m_dAbstandQuer = 0.05;
    int n = 0;
    EXPECT_DOUBLE_EQ(f.GetMinSeitenabstand(0.0, 7.0, true, &n), 0.05);
    EXPECT_EQ(n, 3);
    EXPECT_DOUBLE_EQ(f.GetMinSeitenabstand(5.0, 7.0, false, &n), -1000.0);
    EXPECT_EQ(n, 0);

    auto* s = new CZurrschiene;
    s->m_dPosition = 0.08;
    f.m_Zurrschienen.emplace_back(s);
    EXPECT_EQ(f.GetSchienenPosition(), 0.08);
}

TEST(LashingEquipmentTest, RelinkAfterLoading)
{
    CFahrzeug f;
    Ladeflaeche(f);
    CZurrpunkt* a = Punkt(f, 1.0, false, 0.1, 2000);
    CZurrpunkt* b = Punkt(f, 1.0, true, 0.1, 2500);
    auto* schiene1 = new CZurrschiene;
    schiene1->m_nSeite = 2;
    schiene1->m_dPosition = 0.05;
    schiene1->m_nZulKraft = 1600;
    auto* schiene2 = new CZurrschiene;
    schiene2->m_nSeite = 0;
    schiene2->m_dPosition = 0.05;
    f.m_Zurrschienen.emplace_back(schiene1);
    f.m_Zurrschienen.emplace_back(schiene2);
    f.m_pQor = new CQOR(&f, 0, "Plan");
    auto* fsm = new tagLGINFO;
    fsm->m_strName = "Keil";
    fsm->m_nTyp = 5;
    f.m_pQor->AddLgInfo(std::unique_ptr<tagLGINFO>(fsm), false);

    auto* le = new CLadeeinheit(1);
    // Copies as a file gives them: one pair that the vehicle still has, one it lost, one shared copy.
    auto* kopieA = new CZurrpunkt(*a);
    auto* kopieB = new CZurrpunkt(*b);
    auto* verloren = new CZurrpunkt(*a);
    verloren->m_dAbstandLaengs = 5.0;
    auto gut = std::make_unique<sZPPtrTupel>(kopieA, kopieB, 0);
    gut->m_nEigen = 1;
    gut->m_nAktiv = 1;
    auto weg = std::make_unique<sZPPtrTupel>(verloren, kopieA, 0);
    weg->m_nEigen = 1;
    weg->m_bGeliehen[1] = true; // the first pair owns the shared copy
    sZPPtrTupel* pGut = gut.get();
    sZPPtrTupel* pWeg = weg.get();
    le->m_ZPPtrTupel.push_back(std::move(gut));
    le->m_ZPPtrTupel.push_back(std::move(weg));
    // Corner 0 matches vehicle point b, corner 1 sits on the second rail's line, corner 2 matches nothing.
    le->SetZurrpunkt(0, 0, b);
    CZurrpunkt anSchiene(*a);
    anSchiene.m_nFlags |= CZurrpunkt::kAnSchiene;
    anSchiene.m_dAbstandQuer = 2.35;
    le->SetZurrpunkt(1, 0, &anSchiene);
    CZurrpunkt fremd(*a);
    fremd.m_dAbstandLaengs = 6.0;
    le->SetZurrpunkt(2, 0, &fremd);
    le->m_Wizard.m_FS[1].m_nArt = 2;
    le->m_Wizard.m_FS[1].m_nNummer = fsm->m_nNummer;
    le->m_Wizard.m_FS[3].m_nArt = 2;
    le->m_Wizard.m_FS[3].m_nNummer = 77; // no such item: left as it was
    f.m_pQor->InsertLadeeinheit(std::unique_ptr<CLadeeinheit>(le), -1);

    f.RelinkZurrpunkte();
    EXPECT_EQ(pGut->m_pZP1, a);
    EXPECT_EQ(pGut->m_pZP2, b);
    EXPECT_EQ(pGut->m_nEigen, 0);
    EXPECT_FALSE(pWeg->IsVollstaendig());
    EXPECT_EQ(pWeg->m_pZP1, nullptr);
    EXPECT_EQ(pWeg->m_pZP2, nullptr);
    EXPECT_DOUBLE_EQ(a->GetPosX(), 1.0);
    EXPECT_EQ(le->GetZurrpunkt(0, 0)->m_pFahrzeugPunkt, b);
    EXPECT_EQ(le->GetZurrpunkt(0, 0)->m_dFahrzeugPunktKraft, 0.0);
    EXPECT_EQ(le->GetZurrpunkt(1, 0)->GetZurrschiene(), schiene2);
    EXPECT_EQ(le->GetZurrpunkt(2, 0)->m_pFahrzeugPunkt, nullptr);
    EXPECT_EQ(le->m_Wizard.m_FS[1].GetLg(), fsm);
    EXPECT_EQ(le->m_Wizard.m_FS[3].GetLg(), nullptr);
    EXPECT_EQ(le->m_Wizard.m_FS[3].m_nNummer, 77);
    // Readers skip the pair that lost its points.
    EXPECT_EQ(le->GetMinZurrpunktWert(0), 2000.0);

    // In use: the active pair's points by the pair method, b by the corner method.
    EXPECT_EQ(f.IsZurrpunktBelegt(a, nullptr, false, 0), 1);
    EXPECT_EQ(f.IsZurrpunktBelegt(a, nullptr, false, 1), 0);
    EXPECT_EQ(f.IsZurrpunktBelegt(b, nullptr, false, 1), 1);
    EXPECT_EQ(f.IsZurrpunktBelegt(nullptr, le, false, -1), 1);
    EXPECT_EQ(f.IsZurrpunktBelegt(a, nullptr, true, 0), 0); // the unit's securing flag is clear
    le->m_nSichgFlag = 1;
    le->m_Wizard.m_nVerfahren = 1;
    EXPECT_EQ(f.IsZurrpunktBelegt(a, nullptr, true, 0), 0);
    EXPECT_EQ(f.IsZurrpunktBelegt(b, nullptr, true, 0), 1);
    pGut->m_nAktiv = 0;
    le->m_nSichgFlag = 0;
    EXPECT_EQ(f.IsZurrpunktBelegt(a, nullptr, false, 0), 0);

    // A semi-trailer tractor never reports a point in use.
    CSattelzugmaschine szm;
    EXPECT_EQ(szm.IsZurrpunktBelegt(nullptr, nullptr, false, -1), 0);
}

TEST(LashingEquipmentTest, ChartMeshIsRebuiltOnlyWhenOutOfDate)
{
    struct Netz : IDiagrammNetz
    {
        int n = 0;
        void BaueNetz(CFahrzeug&) override { ++n; }
    } netz;
    CFahrzeug f;
    f.m_nArt = 1;
    f.m_bDiagrammVeraltet = 1;
    EXPECT_EQ(f.UpdateDiagramm(&netz), 1);
    EXPECT_EQ(netz.n, 1);
    EXPECT_EQ(f.m_bDiagrammNetz, 1);
    EXPECT_EQ(f.UpdateDiagramm(&netz), 0);
    EXPECT_EQ(netz.n, 1);

    // A semi-trailer tractor that tows its document's semi-trailer has no chart of its own.
    CSattelzugmaschine szm;
    CFahrzeug auflieger;
    szm.m_nArt = 4;
    auflieger.m_nArt = 3;
    CFahrzeug::Koppeln(szm, auflieger);
    szm.m_bDiagrammVeraltet = 1;
    EXPECT_EQ(szm.UpdateDiagramm(&netz), 0);
    EXPECT_EQ(szm.m_bDiagrammVeraltet, 0);
    EXPECT_EQ(netz.n, 1);
    szm.Entkoppeln();
}
