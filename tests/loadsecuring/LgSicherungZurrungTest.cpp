// Editing the vehicle's lashing equipment from the load-securing view with scripted editors: points by
// click, by row and on both sides, near points, deleting points and rails with every reference to them,
// and equipment a secured unit uses.
#include "LgSicherungViewSupport.h"

#include "model/base/LockedFile.h"
#include "model/files/VehicleFiles.h"

#include <QTemporaryDir>

#include <filesystem>

#include <algorithm>

namespace {

// Within each group the points run front to rear (front points from the middle out), numbers run
// from 1 per group, and no unit refers to a point the vehicle lost.
void PruefeInvarianten(CFahrzeug& f)
{
    int n[4] = {0, 0, 0, 0};
    double letzter[4] = {-1e9, -1e9, -1e9, -1e9};
    for (CZurrpunkt* p : f.GetZurrpunktListe()) {
        const bool bVorn = (p->m_nFlags & CZurrpunkt::kVorn) != 0;
        const int g = (bVorn ? 2 : 0) + ((p->m_nFlags & CZurrpunkt::kLinks) ? 1 : 0);
        EXPECT_EQ(p->m_nNummer, ++n[g]);
        const double wert = bVorn ? p->GetMittenAbstand() : p->GetPosX();
        EXPECT_GE(wert, letzter[g] - 0.005) << p->GetName();
        letzter[g] = wert;
    }
    const auto& l = f.GetZurrpunktListe();
    const auto bekannt = [&](const CZurrpunkt* p) {
        return !p || std::find(l.begin(), l.end(), p) != l.end();
    };
    for (CLadeeinheit* le : f.GetQor()->GetLadeeinheiten()) {
        for (const auto& t : le->m_ZPPtrTupel)
            EXPECT_TRUE(bekannt(t->m_pZP1) && bekannt(t->m_pZP2));
        for (int i = 0; i < 4; ++i) {
            if (const CZurrpunkt* z = le->GetZurrpunkt(i, 0)) {
                EXPECT_TRUE(bekannt(z->m_pFahrzeugPunkt));
            }
        }
    }
}

// The codes the wizard was told, in order.
std::vector<int> Codes(const FakeWizard& w)
{
    std::vector<int> c;
    for (const auto& [code, wert] : w.notified)
        c.push_back(int(code));
    return c;
}

} // namespace

TEST_F(LgSichgViewTest, RightClickPresetsTheNewPoint)
{
    Oeffne("LKW");
    FakeDialogs dialoge{run};
    dialoge.bAnnehmen = false;
    Bild();
    struct Fall
    {
        double x, y;
        int nFlags;
        double laengs, quer, kraft;
    };
    // The sample truck: 7.0 m x 2.48 m, 18 t.
    const Fall faelle[] = {
        {2.0, 0.3, CZurrpunkt::kVonVorn, 2.0, 0.3, 2000},
        {2.0, 2.2, CZurrpunkt::kVonVorn | CZurrpunkt::kLinks, 2.0, 0.28, 2000},
        {6.9, 0.3, 0, 0.1, 0.3, 2000},
        {0.1, 1.0, CZurrpunkt::kVonVorn, 0.1, 1.0, 1000},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(::testing::Message() << f.x << ", " << f.y);
        // A click at the pixel of the place: the preset is that place within one pixel.
        view->SetRechtsklick(view->GetUrsprung() +
                             QPoint(view->MetresToPixels(f.x) + 1, view->MetresToPixels(f.y) + 1));
        view->OnBefehl(33290);
        const ISecuringDialogs::ZurrpunktWerte& w = dialoge.gegeben;
        EXPECT_EQ(w.nFlags, f.nFlags);
        EXPECT_NEAR(w.dX, f.laengs, 0.025);
        EXPECT_NEAR(w.dY, f.quer, 0.025);
        EXPECT_EQ(w.dKraft, f.kraft);
        EXPECT_EQ(w.pPunkt, nullptr);
    }
}

TEST_F(LgSichgViewTest, NewPointsByClickRowAndBothSides)
{
    Oeffne("LKW");
    FakeDialogs dialoge{run};
    FakeWizardFactory wizards;
    view->ShowWizard(true, false, 0);
    CFahrzeug& f = Fahrzeug();
    const std::size_t n0 = f.GetZurrpunktListe().size();
    struct Fall
    {
        const char* name;
        ISecuringDialogs::ZurrpunktWerte werte;
        int nNeu; // points more than before
    };
    const auto werte = [](double x, double y, int nReihe, bool bBeide, bool bErsetzen, double abstand, int n,
                          bool bOhne) {
        ISecuringDialogs::ZurrpunktWerte w;
        w.nFlags = CZurrpunkt::kVonVorn;
        w.dX = x;
        w.dY = y;
        w.dKraft = 800;
        w.nReihe = nReihe;
        w.bBeideSeiten = bBeide;
        w.bErsetzen = bErsetzen;
        w.dAbstand = abstand;
        w.nAnzahl = n;
        w.bOhneGrenze = bOhne;
        return w;
    };
    // The sample truck has points every metre from 0.5 m, 5 cm from both sides.
    const Fall faelle[] = {
        {"a free place", werte(1.0, 0.05, 0, false, false, 1, 1, false), 1},
        {"near another point: dropped", werte(1.7, 0.05, 0, false, false, 1, 1, false), 0},
        {"near another point, replacing it", werte(1.7, 0.05, 0, false, true, 1, 1, false), 0},
        {"both sides", werte(3.0, 0.05, 0, true, false, 1, 1, false), 2},
        {"a row cut to its maximum", werte(0.05, 0.6, 1, false, false, 0.5, 4, false), 4},
        {"a row to the end on both sides", werte(0.05, 1.0, 1, true, false, 1.0, 2, true), 14},
    };
    std::size_t n = n0;
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        dialoge.punkt = fall.werte;
        wizards.last->notified.clear();
        view->OnBefehl(397);
        n += static_cast<std::size_t>(fall.nNeu);
        EXPECT_EQ(f.GetZurrpunktListe().size(), n);
        PruefeInvarianten(f);
    }
    // The replacement told the wizard of the point that went.
    view->OnBefehl(397);
    dialoge.punkt = werte(2.6, 0.05, 0, false, true, 1, 1, false);
    wizards.last->notified.clear();
    view->OnBefehl(397);
    EXPECT_EQ(Codes(*wizards.last), (std::vector<int>{39, 38}));
}

TEST_F(LgSichgViewTest, APointASecuredUnitUsesStaysPut)
{
    Oeffne("LKW");
    FakeDialogs dialoge{run};
    tagLGINFO* a = Last("Pallet", 1.0, 0.4, 1.2, 0.8, 0.6);
    CLadeeinheit* le = Einheit({a}, true, 0);
    CZurrpunkt* benutzt = Punkte().at(2); // 1.5 m, side A
    auto t = std::make_unique<sZPPtrTupel>(benutzt, Punkte().at(10), 0);
    t->m_nAktiv = 1;
    le->m_ZPPtrTupel.push_back(std::move(t));
    const std::size_t n0 = Fahrzeug().GetZurrpunktListe().size();
    // Replacing it by a new point nearby is refused with 549.
    dialoge.punkt.nFlags = CZurrpunkt::kVonVorn;
    dialoge.punkt.dX = 1.6;
    dialoge.punkt.dY = 0.05;
    dialoge.punkt.bErsetzen = true;
    view->OnBefehl(397);
    EXPECT_EQ(Fahrzeug().GetZurrpunktListe().size(), n0);
    ASSERT_FALSE(boxes.Records().empty());
    EXPECT_EQ(boxes.Records().back().html.textId, 549);
    // Editing it is refused before the editor opens; deleting it is greyed and does nothing.
    boxes.Clear();
    dialoge.runs.clear();
    view->SetAuswahlPunkt(benutzt);
    view->OnBefehl(397);
    EXPECT_TRUE(dialoge.runs.empty());
    EXPECT_EQ(boxes.Records().front().html.textId, 549);
    view->OnBefehl(33296);
    EXPECT_EQ(Fahrzeug().GetZurrpunktListe().size(), n0);
    // Another point may go; its neighbours close up their numbers.
    CZurrpunkt* frei = Punkte().at(4);
    view->SetAuswahlPunkt(frei);
    view->OnBefehl(33296);
    EXPECT_EQ(Fahrzeug().GetZurrpunktListe().size(), n0 - 1);
    EXPECT_EQ(view->GetAuswahlPunkt(), nullptr);
    PruefeInvarianten(Fahrzeug());
    // While the wizard works on a secured unit (start modes 2 and 3) every point counts as in use.
    for (int nModus : {2, 3}) {
        SCOPED_TRACE(nModus);
        FakeWizardFactory wizards;
        view->ShowWizard(true, false, nModus);
        int nOut = -1;
        EXPECT_FALSE(view->QueryAction(LgSichgAktion::kZurrpunktLoeschen, Punkte().at(5), &nOut, nullptr,
                                       true, nullptr));
        EXPECT_TRUE(view->UsesZurrschiene(*le));
        view->OnFrameNotify(DokumentMeldung::kAbgekoppelt, 3);
    }
}

TEST_F(LgSichgViewTest, DeletingAllPointsClearsEveryUnitsReferences)
{
    Oeffne("LKW");
    FakeWizardFactory wizards;
    tagLGINFO* a = Last("Pallet", 1.0, 0.4, 1.2, 0.8, 0.6);
    tagLGINFO* b = Last("Crate", 3.0, 0.4, 1.2, 0.8, 0.6);
    CLadeeinheit* offen = Einheit({a}, false, 1);
    CLadeeinheit* paar = Einheit({b}, false, 0);
    // An unsecured unit lashed directly to a vehicle point, another with a pair.
    CZurrpunkt kopie(*Punkte().at(2));
    kopie.m_pFahrzeugPunkt = Punkte().at(2);
    kopie.m_nFlags &= ~CZurrpunkt::kAnSchiene;
    offen->SetZurrpunkt(0, 0, &kopie);
    ASSERT_TRUE(offen->GetZurrpunkt(0, 0));
    offen->GetZurrpunkt(0, 0)->m_pFahrzeugPunkt = Punkte().at(2);
    paar->m_ZPPtrTupel.push_back(std::make_unique<sZPPtrTupel>(Punkte().at(3), Punkte().at(11), 0));
    view->ShowWizard(true, false, 0);
    view->OnBefehl(33307);
    EXPECT_TRUE(Fahrzeug().GetZurrpunktListe().empty());
    EXPECT_EQ(offen->GetZurrpunkt(0, 0), nullptr);
    EXPECT_TRUE(paar->m_ZPPtrTupel.empty());
    EXPECT_EQ(Codes(*wizards.last), std::vector<int>{40});
    PruefeInvarianten(Fahrzeug());
}

TEST_F(LgSichgViewTest, RailsAreMadeInPairsChangedTogetherAndDeletedTogether)
{
    Oeffne("LKW");
    FakeDialogs dialoge{run};
    FakeWizardFactory wizards;
    view->ShowWizard(true, false, 0);
    CFahrzeug& f = Fahrzeug();
    f.m_Zurrschienen.clear();
    dialoge.schiene.dAbstand = 0.1;
    dialoge.schiene.dRaster = 0.05;
    dialoge.schiene.nAnzahl = 60;
    // None yet: two rails, side 0 first and side 2 last.
    dialoge.schienenAntworten = {668};
    view->OnBefehl(748);
    ASSERT_EQ(f.m_Zurrschienen.size(), 2u);
    EXPECT_EQ(f.GetZurrschienen().front()->m_nSeite, 0);
    EXPECT_EQ(f.GetZurrschienen().back()->m_nSeite, 2);
    EXPECT_FALSE(dialoge.schieneGegeben.bEdit);
    // Changed: both take the values, and the editor was preset with the first one's.
    dialoge.schiene.dAbstand = 0.2;
    dialoge.schienenAntworten = {668};
    view->OnBefehl(748);
    EXPECT_TRUE(dialoge.schieneGegeben.bEdit);
    EXPECT_DOUBLE_EQ(dialoge.schieneGegeben.dAbstand, 0.1);
    EXPECT_EQ(dialoge.schieneGegeben.nAnzahl, 60);
    for (CZurrschiene* s : f.GetZurrschienen())
        EXPECT_DOUBLE_EQ(s->m_dPosition, 0.2);
    // Deleted: both go, and points on them let go.
    Punkte().at(2)->SetZurrschiene(f.GetZurrschienen().front());
    dialoge.schienenAntworten = {755};
    view->OnBefehl(748);
    EXPECT_TRUE(f.m_Zurrschienen.empty());
    EXPECT_EQ(Punkte().at(2)->GetZurrschiene(), nullptr);
    EXPECT_EQ(Codes(*wizards.last), (std::vector<int>{45, 31, 32}));
    // Rails a secured unit is lashed to cannot be changed: 586, no editor.
    view->OnFrameNotify(DokumentMeldung::kAbgekoppelt, 3);
    dialoge.schienenAntworten = {668};
    view->OnBefehl(748);
    tagLGINFO* a = Last("Pallet", 1.0, 0.4, 1.2, 0.8, 0.6);
    CLadeeinheit* le = Einheit({a}, true, 0);
    le->m_nZurrParam[1] = 1;
    dialoge.runs.clear();
    view->OnBefehl(748);
    EXPECT_TRUE(dialoge.runs.empty());
    EXPECT_EQ(boxes.Records().back().html.textId, 586);
}

TEST_F(LgSichgViewTest, ARowOnBothSidesIsDrawnAndKeptByTheVehicleFile)
{
    Oeffne("SAH");
    FakeDialogs dialoge{run};
    CFahrzeug& f = Fahrzeug();
    const std::size_t n0 = f.GetZurrpunktListe().size();
    dialoge.punkt.nFlags = CZurrpunkt::kVonVorn;
    dialoge.punkt.dX = 1.0;
    dialoge.punkt.dY = 0.6;
    dialoge.punkt.dKraft = 2000;
    dialoge.punkt.nReihe = 1;
    dialoge.punkt.bBeideSeiten = true;
    dialoge.punkt.dAbstand = 2.0;
    dialoge.punkt.nAnzahl = 5;
    view->OnBefehl(397);
    ASSERT_EQ(f.GetZurrpunktListe().size(), n0 + 10);
    dialoge.schiene.dAbstand = 0.2;
    dialoge.schiene.dRaster = 0.025;
    dialoge.schiene.nAnzahl = 500;
    dialoge.schienenAntworten = {668};
    view->OnBefehl(748);
    view->SetZoomIndex(3);
    const QImage img = Bild();
    Speichere(img, QStringLiteral("securing_row_both_sides.png"));
    EXPECT_EQ(view->GetPunktRechtecke().size(), n0 + 10);
    PruefeInvarianten(f);
    // Written and read back, the vehicle keeps its points and rails.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    int index = -1;
    std::unique_ptr<LockedFile> datei;
    ASSERT_TRUE(WriteFahrzeugToFile(&f, dir.path().toStdString(), &index, "rows.qor", &datei, 0, "rows"));
    datei.reset();
    auto wieder = LoadFahrzeugFromFile(std::filesystem::path(dir.path().toStdString()) / "rows.qor", 0,
                                       nullptr, nullptr, false, nullptr);
    ASSERT_TRUE(wieder);
    ASSERT_EQ(wieder->GetZurrpunktListe().size(), f.GetZurrpunktListe().size());
    auto a = f.GetZurrpunktListe().begin();
    for (CZurrpunkt* p : wieder->GetZurrpunktListe()) {
        EXPECT_EQ(p->m_nFlags, (*a)->m_nFlags);
        EXPECT_DOUBLE_EQ(p->m_dAbstandLaengs, (*a)->m_dAbstandLaengs);
        EXPECT_DOUBLE_EQ(p->m_dAbstandQuer, (*a)->m_dAbstandQuer);
        ++a;
    }
    ASSERT_EQ(wieder->m_Zurrschienen.size(), 2u);
    EXPECT_DOUBLE_EQ(wieder->GetZurrschienen().front()->m_dPosition, 0.2);
    EXPECT_EQ(wieder->GetZurrschienen().back()->m_nReserve, 500);
}
