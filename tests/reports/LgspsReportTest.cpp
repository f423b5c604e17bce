// The collected load-securing report: the units of both vehicles in order with their sketch names, the
// page breaks between them, a tractor that adds nothing, and the report file written all or nothing.
#include "reports/LgspsReport.h"

#include "../model/FahrzeugTestSupport.h"
#include "../ui/UiTestModule.h"

#include "model/base/ProgramFolders.h"
#include "model/document/CQOR1Doc.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/securing/SNormParams.h"
#include "model/text/TextFormat.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CZurrpunkt.h"
#include "model/vehicle/FahrzeugArt.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

int Zaehle(const std::string& text, const std::string& teil)
{
    int n = 0;
    for (std::size_t pos = text.find(teil); pos != std::string::npos; pos = text.find(teil, pos + 1))
        ++n;
    return n;
}

// Gives the vehicle a plan with `anzahl` load units of one pallet each.
void Einheiten(CFahrzeug& f, int anzahl)
{
    auto* plan = new CQOR(&f, 0, "Plan");
    f.m_pQor = plan;
    for (int i = 0; i < anzahl; ++i) {
        auto* lg = new tagLGINFO;
        lg->m_strName = "Palette";
        lg->m_dLaenge = 1.2;
        lg->m_dBreite = 0.8;
        lg->m_dHoehe = 1.0;
        lg->m_dSPLaenge = 0.6;
        lg->m_dSPBreite = 0.4;
        lg->m_dSPHoehe = 0.5;
        lg->m_dMasse = lg->m_dSPMasse = 0.5;
        lg->m_dPosX = 1.0 + 2.0 * i;
        lg->m_dPosY = 0.85;
        plan->AddLgInfo(std::unique_ptr<tagLGINFO>(lg), false);
        auto* einheit = new CLadeeinheit(i + 1);
        einheit->AddLadung(lg->m_strName.c_str(), lg->m_nNummer, lg);
        plan->InsertLadeeinheit(std::unique_ptr<CLadeeinheit>(einheit), i);
        CWizardParams& wp = einheit->m_Wizard;
        SNormParams::GetStandard(0, &wp.m_Norm);
        wp.m_fReibungOhneMatte = 0.3f;
        wp.m_nVorspannkraft = 250;
        wp.m_nZurrkraft = 500;
        // Secured in the wizard and calculated: a unit with a securing report.
        einheit->m_bVorhanden = 1;
        einheit->m_nZurrParam[0] = 2;
    }
}

class LgspsReportTest : public testing::Test
{
protected:
    LgspsReportTest() : m_module(UiTestModule())
    {
        m_alteOrdner = GetProgramFolders();
        const fs::path p = m_dir.path().toStdString();
        SetProgramFolders({p, p});
    }
    ~LgspsReportTest() override { SetProgramFolders(m_alteOrdner); }

    // A document of the front vehicle (kind, units) and, when asked, a trailer (kind, units).
    std::unique_ptr<CQOR1Doc> Dokument(int artVorn, int vorn, int artHinten = -1, int hinten = 0)
    {
        using namespace fahrzeugtest;
        auto doc = std::make_unique<CQOR1Doc>();
        auto motor = Erzeuge({artVorn, {{1.2, 4, 8}, {3.6, 3, 9}}, 18.0, artVorn == 4 ? 0.0 : 7.2, 2.5f});
        if (artVorn != FahrzeugArt::kSattelzugmaschine)
            Einheiten(*motor, vorn);
        if (artHinten < 0) {
            doc->SetFahrzeug(motor.release());
            return doc;
        }
        auto anhaenger = Erzeuge({artHinten, {{1.0, 3, 9}, {6.0, 3, 9}}, 18.0, 7.2, 2.5f});
        Einheiten(*anhaenger, hinten);
        Kopple(*motor, *anhaenger);
        motor.release();
        doc->SetFahrzeug(anhaenger.release());
        return doc;
    }

    QTemporaryDir m_dir;
    ProgramFolders m_alteOrdner;
    std::vector<std::string> skizzen;
    CLgspReport::SketchRenderer Skizze()
    {
        return [this](const std::string& path, int, CFahrzeug&, CLadeeinheit&) {
            skizzen.push_back(fs::path(path).stem().string());
            return false;
        };
    }

private:
    ScopedDialogTemplateModule m_module;
};

TEST_F(LgspsReportTest, UnitsInOrderWithBreaksBetween)
{
    struct Fall
    {
        const char* was;
        int artVorn, vorn, artHinten, hinten;
        std::vector<std::string> namen;
    };
    const Fall faelle[] = {
        {"truck with two units", 0, 2, -1, 0, {"SUP_lgsp01", "SUP_lgsp02"}},
        {"truck and trailer with two each",
         0,
         2,
         FahrzeugArt::kAnhaenger,
         2,
         {"SUP_lgsp01", "SUP_lgsp02", "INF_lgsp01", "INF_lgsp02"}},
        {"tractor adds nothing",
         FahrzeugArt::kSattelzugmaschine,
         0,
         FahrzeugArt::kAuflieger,
         1,
         {"INF_lgsp01"}},
        {"no units", 0, 0, -1, 0, {}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        skizzen.clear();
        auto doc = Dokument(f.artVorn, f.vorn, f.artHinten, f.hinten);
        std::string seite;
        ASSERT_TRUE(
            LgspsReport::BuildLgspsReport(doc.get(), "x", true, true, false, 3, 800, &seite, {}, Skizze()));
        EXPECT_EQ(skizzen, f.namen);
        const int breaks = Zaehle(seite, "page-break-before: always");
        EXPECT_EQ(breaks, f.namen.empty() ? 0 : int(f.namen.size()) - 1);
        EXPECT_EQ(seite.substr(seite.size() - 15), "</body></html>\n");
        // The first unit follows the page head without a break.
        if (!f.namen.empty()) {
            const std::size_t erste = seite.find("page-break-before");
            EXPECT_TRUE(erste == std::string::npos || erste > seite.find(f.namen.front()));
        }
    }
}

TEST_F(LgspsReportTest, ReportFileIsNamedAndWrittenAllOrNothing)
{
    auto doc = Dokument(0, 1);
    const fs::path ordner = m_dir.path().toStdString();
    std::string pfad;
    ASSERT_TRUE(
        LgspsReport::BuildLgspsReport(doc.get(), "", true, false, true, 3, 800, &pfad, ordner, Skizze()));
    EXPECT_EQ(fs::path(pfad).filename().string(), FormatS("$S LGSPs.html", 1, 128u));
    std::ifstream in(pfad, std::ios::binary);
    std::stringstream inhalt;
    inhalt << in.rdbuf();
    EXPECT_EQ(inhalt.str().find('\r'), std::string::npos);
    EXPECT_EQ(Zaehle(inhalt.str(), "</body></html>"), 1);

    // A folder that does not exist: false and no file.
    std::string fehl;
    EXPECT_FALSE(LgspsReport::BuildLgspsReport(doc.get(), "r", true, false, true, 3, 800, &fehl,
                                               ordner / "gone", Skizze()));
    EXPECT_FALSE(fs::exists(ordner / "gone"));
}

} // namespace

TEST_F(LgspsReportTest, EachUnitIsLashedToThePairsBesideItOnTruckAndTrailer)
{
    // The units were saved without pairs; lashed over to the vehicles' lashing points, each finds the
    // pair of opposite points at 1.5 m beside it (1.0 .. 2.2 m), not the one at 3.5 m.
    auto doc = Dokument(0, 1, FahrzeugArt::kAnhaenger, 1);
    CFahrzeug* fahrzeuge[] = {doc->GetFahrzeug()->m_pPartner, doc->GetFahrzeug()};
    for (CFahrzeug* f : fahrzeuge) {
        f->m_pQor->GetLadeeinheiten().front()->m_Wizard.m_nQuerQuelle = 0;
        for (bool bLinks : {false, true})
            for (double x : {1.5, 3.5}) {
                auto* p = new CZurrpunkt(7.2, 2.5);
                p->m_nFlags = CZurrpunkt::kVonVorn | (bLinks ? CZurrpunkt::kLinks : 0);
                p->m_dAbstandLaengs = x;
                p->m_dAbstandQuer = 0.05;
                p->m_dZulKraft = 2000.0;
                f->m_Zurrpunkte.emplace_back(p);
            }
    }
    std::string seite;
    ASSERT_TRUE(
        LgspsReport::BuildLgspsReport(doc.get(), "x", true, true, false, 3, 800, &seite, {}, Skizze()));
    for (CFahrzeug* f : fahrzeuge) {
        SCOPED_TRACE(f == doc->GetFahrzeug() ? "trailer" : "truck");
        const CLadeeinheit* le = f->m_pQor->GetLadeeinheiten().front();
        int nQuelle = -1, nSpann = 0, nPaare = -1;
        const int nZurrmittel = le->GetZurrParameter(&nQuelle, &nSpann, &nPaare);
        EXPECT_EQ(nPaare, 1);
        ASSERT_GT(nZurrmittel, 1);
        // Too few pairs for the lashings needed: the report says how many there are.
        EXPECT_NE(seite.find(FormatResChecked(590, {1, nZurrmittel})), std::string::npos) << seite;
    }
    const std::string keine = FormatResChecked(590, {0, 2});
    EXPECT_EQ(seite.find(keine.substr(0, keine.find(';'))), std::string::npos)
        << "no unit is left without pairs";
}
