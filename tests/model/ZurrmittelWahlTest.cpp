// A lashing device taken into a unit's securing settings: its ratings in their order, the lashing count
// they give on the sample truck against hand-worked EN 12195-1 figures, and units saved with the two
// ratings the wrong way round put right on opening.
#include "model/securing/ZurrmittelWahl.h"
#include "model/base/LockedFile.h"
#include "model/document/CQOR1Doc.h"
#include "model/files/FahrzeugImpExp.h"
#include "model/files/VehicleFiles.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/CWizardParams.h"
#include "model/plan/tagLGINFO.h"
#include "model/securing/CLgspReport.h"
#include "model/securing/SLgspWerte.h"
#include "model/securing/SNormParams.h"
#include "model/text/ResourceText.h"
#include "model/text/TextProvider.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CZurrmittel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <sstream>
#include <string>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const fs::path kSamples = QOR_SAMPLES_DIR;

std::string Inhalt(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

const CZurrmittel& Katalog(const CFahrzeug& f, int i)
{
    return **std::next(f.m_ZurrmittelKatalog.begin(), i);
}

// The sample rigid truck (load area 7.0 x 2.48 m, lashing points 5 cm in from each side) with one Euro
// pallet as the plan's active unit: 1.2 x 0.8 x 1.0 m, centre of gravity in the middle, standing 1 m
// behind the front wall and centred across, so 0.84 m from each side.
struct Lkw
{
    std::unique_ptr<CQOR1Doc> pDoc = std::make_unique<CQOR1Doc>();
    CFahrzeug* pFahrzeug = nullptr;
    CLadeeinheit* pEinheit = nullptr;
    tagLGINFO* pPalette = nullptr;

    explicit Lkw(const fs::path& datei = kSamples / "Vehicles" / "LKW.qor")
    {
        std::unique_ptr<CFahrzeug> f = LoadFahrzeugFromFile(datei, 0, nullptr, nullptr, false, nullptr);
        if (!f || !f->GetQor())
            return;
        pFahrzeug = f.get();
        pDoc->SetFahrzeug(f.release());
        CQOR* q = pFahrzeug->GetQor();
        if (!q->GetLadeeinheiten().empty()) {
            pEinheit = q->GetLadeeinheiten().front();
            return;
        }
        pPalette = new tagLGINFO;
        pPalette->m_strName = "Euro pallet";
        pPalette->m_dLaenge = 1.2;
        pPalette->m_dBreite = 0.8;
        pPalette->m_dHoehe = 1.0;
        pPalette->m_dSPLaenge = 0.6;
        pPalette->m_dSPBreite = 0.4;
        pPalette->m_dSPHoehe = 0.5;
        pPalette->m_dMasse = pPalette->m_dSPMasse = 0.5;
        pPalette->m_dPosX = 1.0;
        pPalette->m_dPosY = 0.84;
        q->AddLgInfo(std::unique_ptr<tagLGINFO>(pPalette), false);
        pEinheit = new CLadeeinheit(1);
        pEinheit->AddLadung(pPalette->m_strName.c_str(), pPalette->m_nNummer, pPalette);
        pEinheit->m_bVorhanden = 1;
        q->InsertLadeeinheit(std::unique_ptr<CLadeeinheit>(pEinheit), 0);
        q->m_nAktiveLadeeinheit = 1;
        // Simple method (top-over lashing) to the lashing points, friction 0.3 without a mat, under the
        // coefficient set the English program starts with.
        CWizardParams& wp = pEinheit->m_Wizard;
        wp.m_nNorm = 1;
        SNormParams::GetStandard(1, &wp.m_Norm);
        wp.m_fReibungOhneMatte = 0.3f;
        wp.m_nVerfahren = 0;
        wp.m_nQuerQuelle = 0;
    }

    void SetMasse(double dTonnen)
    {
        pPalette->m_dMasse = pPalette->m_dSPMasse = dTonnen;
        pEinheit->CalcAbmessungen();
    }
};

} // namespace

TEST(ZurrmittelWahl, TheFirstRatingIsTheTensionForceAndTheSecondTheLashingCapacity)
{
    auto f = std::make_unique<CFahrzeug>();
    struct Fall
    {
        int nKatalog;
        int nStf, nLc;
    };
    // The vehicle's default devices: two straps, five chains.
    for (const Fall& fall : {Fall{0, 250, 2500}, Fall{1, 350, 3500}, Fall{2, 1500, 3000}, Fall{3, 2500, 5000},
                             Fall{4, 2800, 8000}, Fall{5, 3600, 13000}, Fall{6, 3600, 20000}}) {
        SCOPED_TRACE(fall.nKatalog);
        CWizardParams wp;
        const CZurrmittel& z = Katalog(*f, fall.nKatalog);
        ZurrmittelWahl::Uebernimm(wp, z);
        EXPECT_EQ(wp.m_nVorspannkraft, fall.nStf);
        EXPECT_EQ(wp.m_nZurrkraft, fall.nLc);
        EXPECT_EQ(wp.m_nZurrmittelTyp, z.m_nTyp);
        EXPECT_EQ(wp.m_strText, z.m_strName);
        EXPECT_TRUE(ZurrmittelWahl::Gleich(wp, z));
    }

    // Ratings beyond what the fields hold are limited; a missing or broken rating is none.
    struct Grenze
    {
        double dStf, dLc;
        int nStf, nLc;
    };
    for (const Grenze& g : {Grenze{12000.0, 150000.0, 9999, 99999}, Grenze{0.0, 2000.4, 0, 2000},
                            Grenze{std::numeric_limits<double>::quiet_NaN(), -5.0, 0, 0}}) {
        SCOPED_TRACE(g.dStf);
        CZurrmittel z;
        z.m_dVorspannkraft = g.dStf;
        z.m_dZurrkraft = g.dLc;
        CWizardParams wp;
        ZurrmittelWahl::Uebernimm(wp, z);
        EXPECT_EQ(wp.m_nVorspannkraft, g.nStf);
        EXPECT_EQ(wp.m_nZurrkraft, g.nLc);
        EXPECT_TRUE(ZurrmittelWahl::Gleich(wp, z));
    }
}

// The sample truck's default strap (STF 250 daN) and first chain (STF 1500 daN) chosen for the Euro
// pallet, calculated and reported as the wizard's result page does. Hand-worked top-over lashing count
// against sliding forward (EN 12195-1, friction μ = 0.3, k = 2, fs = 1.25, cx = 0.8, g = 9.81):
//   Fr = (cx − μ)·m·g,  sin α = 1.0 / √(1.0² + 0.79²) = 0.78468 (pallet 1.0 m high, 0.84 m from the
//   side less the 0.05 m inset of the lashing points),  n = Fr·fs / (μ·k·sin α·STF);
// sideways and backward need less (cy = cx backward = 0.5, fs = 1.1) and nothing tips. The count is the
// whole part of n, one more from a remainder of 0.2, and at least two.
TEST(ZurrmittelWahl, SampleTruckLashingCountsFollowTheStandard)
{
    struct Fall
    {
        const char* name;
        int nKatalog;
        double dMasse; // t
        double dN;     // by hand
        int nAnzahl;
        const char* stf; // as the report shows it
    };
    const Fall faelle[] = {
        {"strap, 500 kg", 0, 0.500, 2.6046, 3, ">250 daN<"},
        {"strap, 595 kg: 0.10 over, down", 0, 0.595, 3.0994, 3, ">250 daN<"},
        {"strap, 635 kg: 0.31 over, up", 0, 0.635, 3.3078, 4, ">250 daN<"},
        {"chain, 500 kg: at least two", 2, 0.500, 0.4341, 2, ">1500 daN<"},
        {"chain, 4720 kg: 0.10 over, down", 2, 4.720, 4.0978, 4, ">1500 daN<"},
        {"chain, 4960 kg: 0.31 over, up", 2, 4.960, 4.3062, 5, ">1500 daN<"},
    };
    // The program's own report template of the simple method.
    CTableTextProvider texte;
    const fs::path quelle = (fs::path(QOR_TEST_DATA_DIR) / ".." / ".." / "..").lexically_normal();
    std::ifstream vorlage(quelle / "resources" / "en" / "html" / "897.html");
    std::ostringstream inhalt;
    inhalt << vorlage.rdbuf();
    ASSERT_FALSE(inhalt.str().empty());
    texte.SetItem(897, RES_TYPE_TEXT, inhalt.str());
    ScopedTextProvider scope(&texte);
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        Lkw lkw;
        ASSERT_NE(lkw.pEinheit, nullptr);
        lkw.SetMasse(f.dMasse);
        // The device chosen on the devices page goes into the wizard's working settings.
        CWizardParams wp = lkw.pEinheit->m_Wizard;
        ZurrmittelWahl::Uebernimm(wp, Katalog(*lkw.pFahrzeug, f.nKatalog));
        CLgspReport report(lkw.pDoc.get());
        report.SetFahrzeug(lkw.pFahrzeug);
        report.SetLadeeinheit(lkw.pEinheit);
        report.SetWizardParams(&wp);
        std::string html;
        ASSERT_TRUE(report.WriteHtml("lgsp", false, 0, 400, true, &html));
        const SLgspWerte* w = report.GetWerte();
        ASSERT_NE(w, nullptr);
        EXPECT_NEAR(std::sin(w->m_fAlphaLaengs), 0.78468, 1e-4);
        EXPECT_NEAR(w->m_fNRutschen[SLgspWerte::kVorwaerts], f.dN, 5e-4);
        EXPECT_EQ(w->m_nZurrmittel, f.nAnzahl);
        EXPECT_NE(html.find(f.stf), std::string::npos) << html;
        EXPECT_NE(html.find("<span class=\"fett\">" + std::to_string(f.nAnzahl) + "</span>"),
                  std::string::npos)
            << html;
    }
}

TEST(ZurrmittelWahl, SwappedRatingsArePutRightFromTheirDevice)
{
    auto f = std::make_unique<CFahrzeug>();
    auto* eigen = new CZurrmittel;
    eigen->m_strName = "Ratchet";
    eigen->m_dVorspannkraft = 400;
    eigen->m_dZurrkraft = 2000;
    f->m_ZurrmittelBenutzt.emplace_back(eigen);
    const std::string gurt = Katalog(*f, 0).m_strName;
    const std::string kette = Katalog(*f, 2).m_strName;
    struct Fall
    {
        const char* name;
        int nTyp;
        std::string geraet;
        int nStf, nLc;             // as saved
        int nStfDanach, nLcDanach; // after opening
    };
    const Fall faelle[] = {
        {"default strap swapped", 0, gurt, 2500, 250, 250, 2500},
        {"second strap swapped", 0, gurt, 3500, 350, 350, 3500},
        {"chain swapped", 1, kette, 3000, 1500, 1500, 3000},
        // The STF field held at most 9999: both 3600 daN chains were saved alike; the smaller capacity
        // is taken, the safe side.
        {"chain over the field's limit", 1, kette, 9999, 3600, 3600, 13000},
        {"device of the vehicle's own list", 0, "Ratchet", 2000, 400, 400, 2000},
        {"right way round", 0, gurt, 250, 2500, 250, 2500},
        {"typed by the user", 0, gurt, 3000, 200, 3000, 200},
        {"another designation", 0, "Other strap", 2500, 250, 2500, 250},
        {"another kind", 1, gurt, 2500, 250, 2500, 250},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        CWizardParams wp;
        wp.m_nZurrmittelTyp = fall.nTyp;
        wp.m_strText = fall.geraet;
        wp.m_nVorspannkraft = fall.nStf;
        wp.m_nZurrkraft = fall.nLc;
        const bool bGerichtet = fall.nStfDanach != fall.nStf;
        EXPECT_EQ(ZurrmittelWahl::RichteVertauschte(wp, *f), bGerichtet);
        EXPECT_EQ(wp.m_nVorspannkraft, fall.nStfDanach);
        EXPECT_EQ(wp.m_nZurrkraft, fall.nLcDanach);
        EXPECT_EQ(wp.m_nZurrmittelTyp, fall.nTyp);
        EXPECT_EQ(wp.m_strText, fall.geraet);
    }
}

// A vehicle file holding the pallet unit secured with the default strap's ratings swapped (STF 2500,
// LC 250), and the lashing count worked out from them, as the earlier program saved it: opening it
// gives the unit the strap's ratings and the count they need, marks the plan changed, and a file saved
// from it opens unchanged.
TEST(ZurrmittelWahl, OpeningAUnitSavedWithSwappedRatingsCalculatesItAgain)
{
    const fs::path ordner = fs::temp_directory_path() / ("qor_zurrmittel_" + std::to_string(::getpid()));
    fs::create_directories(ordner);
    struct Fall
    {
        const char* name;
        int nStf, nLc;
        bool bGerichtet;
    };
    for (const Fall& fall : {Fall{"swapped", 2500, 250, true}, Fall{"typed", 3000, 200, false}}) {
        SCOPED_TRACE(fall.name);
        fs::path datei;
        int nAlt = 0;
        {
            Lkw lkw;
            ASSERT_NE(lkw.pEinheit, nullptr);
            CWizardParams& wp = lkw.pEinheit->m_Wizard;
            ZurrmittelWahl::Uebernimm(wp, Katalog(*lkw.pFahrzeug, 0));
            wp.m_nVorspannkraft = fall.nStf;
            wp.m_nZurrkraft = fall.nLc;
            CLgspReport report(lkw.pDoc.get());
            report.SetFahrzeug(lkw.pFahrzeug);
            report.SetLadeeinheit(lkw.pEinheit);
            ASSERT_TRUE(report.CalcLgsWerte());
            report.FindMaengel();
            nAlt = lkw.pEinheit->m_nZurrParam[0];
            int nIndex = -1;
            std::unique_ptr<LockedFile> offen;
            ASSERT_TRUE(WriteFahrzeugToFile(lkw.pFahrzeug, ordner.string(), &nIndex,
                                            std::string(fall.name) + ".qor", &offen, 0, fall.name));
            datei = offen->GetPath();
        }
        EXPECT_EQ(nAlt, 2) << "the swapped STF of 2500 daN needs the minimum only";

        const std::string vorher = Inhalt(datei);
        Lkw geoeffnet(datei);
        ASSERT_NE(geoeffnet.pEinheit, nullptr);
        geoeffnet.pDoc->OnDocumentOpened();
        const CWizardParams& wp = geoeffnet.pEinheit->m_Wizard;
        EXPECT_EQ(geoeffnet.pDoc->IsModified(), fall.bGerichtet);
        if (!fall.bGerichtet) {
            EXPECT_EQ(wp.m_nVorspannkraft, fall.nStf);
            EXPECT_EQ(wp.m_nZurrkraft, fall.nLc);
            EXPECT_EQ(geoeffnet.pEinheit->m_nZurrParam[0], nAlt);
            continue;
        }
        EXPECT_EQ(wp.m_nVorspannkraft, 250);
        EXPECT_EQ(wp.m_nZurrkraft, 2500);
        // 500 kg with 250 daN: 2.60 lashings by hand, three.
        EXPECT_EQ(geoeffnet.pEinheit->m_nZurrParam[0], 3);
        EXPECT_EQ(geoeffnet.pEinheit->m_nZurrParam[2], 250);

        // Saved again, the file holds the right ratings and opens as it is.
        int nIndex = -1;
        std::unique_ptr<LockedFile> offen;
        fs::create_directories(ordner / "again");
        ASSERT_TRUE(WriteFahrzeugToFile(geoeffnet.pFahrzeug, (ordner / "again").string(), &nIndex,
                                        std::string(fall.name) + ".qor", &offen, 0, fall.name));
        const fs::path wieder = offen->GetPath();
        offen.reset();
        // Opening wrote nothing: the file changes only when the user saves.
        EXPECT_EQ(Inhalt(datei), vorher);
        Lkw nochmal(wieder);
        ASSERT_NE(nochmal.pEinheit, nullptr);
        nochmal.pDoc->OnDocumentOpened();
        EXPECT_FALSE(nochmal.pDoc->IsModified());
        EXPECT_EQ(nochmal.pEinheit->m_Wizard.m_nVorspannkraft, 250);
        EXPECT_EQ(nochmal.pEinheit->m_nZurrParam[0], 3);
    }
    std::error_code ec;
    fs::remove_all(ordner, ec);
}
