// The load-plan report's HTML against golden pages written with a text table whose text n reads "T<n>", so
// wording changes leave them alone; the figures are checked against the model, names are escaped and the
// file is written with CR LF, all or nothing.
#include "reports/PlanReportHtml.h"

#include "../model/FahrzeugTestSupport.h"

#include "model/document/CQOR1Doc.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/text/HtmlText.h"
#include "model/text/TextProvider.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"
#include "model/vehicle/tagZLINFO.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// Text n reads "T<n>".
class NummernTexte : public ITextProvider
{
public:
    std::string Text(std::uint32_t id) const override { return "T" + std::to_string(id); }
};

std::string Lies(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string Tausend(double wert)
{
    char puffer[64];
    std::snprintf(puffer, sizeof puffer, "%.0f", wert * 1000.0);
    return puffer;
}

int Zaehle(const std::string& text, const std::string& teil)
{
    int n = 0;
    for (std::size_t pos = text.find(teil); pos != std::string::npos; pos = text.find(teil, pos + 1))
        ++n;
    return n;
}

tagZLINFO* ZL(CFahrzeug& f, const std::string& name, double masse, double abstand, bool vomEnde)
{
    auto* item = new tagZLINFO;
    item->m_strName = name;
    item->m_nTyp = 1;
    item->m_dMasse = masse;
    item->m_dAbstand = abstand;
    item->m_nVomEnde = vomEnde ? 1 : 0;
    f.AddZL(std::unique_ptr<tagZLINFO>(item));
    return item;
}

tagLGINFO* Last(CQOR& plan, const std::string& name, double x, double masse, int drehung, int typ = 0)
{
    auto* lg = new tagLGINFO;
    lg->m_strName = name;
    lg->m_nTyp = typ;
    lg->m_dLaenge = 1.2;
    lg->m_dBreite = 0.8;
    lg->m_dHoehe = 1.0;
    lg->m_dSPLaenge = 0.6;
    lg->m_dSPBreite = 0.4;
    lg->m_dMasse = lg->m_dSPMasse = masse;
    lg->m_dPosX = x;
    lg->m_dPosY = 0.1;
    lg->m_nDrehung = drehung;
    lg->m_strText = "Bemerkung";
    plan.AddLgInfo(std::unique_ptr<tagLGINFO>(lg), false);
    plan.UpdateSchwerpunkt();
    return lg;
}

class PlanReportHtmlTest : public testing::Test
{
protected:
    PlanReportHtmlTest() : m_texte(&m_nummern) {}

    // A document with a front vehicle of `artVorn` and, with artHinten >= 0, a trailer of that kind.
    void Baue(int artVorn, int artHinten = -1)
    {
        using namespace fahrzeugtest;
        doc = std::make_unique<CQOR1Doc>();
        pVorn = pAnhaenger = nullptr;
        auto motor = Erzeuge({artVorn, {{1.2, 4, 8}, {3.6, 3, 9}}, 18.0, artVorn == 4 ? 0.0 : 7.2, 2.5f});
        motor->m_strName = artVorn == FahrzeugArt::kSattelzugmaschine ? "Zugmaschine" : "Motorwagen";
        motor->m_dKupplungswert[0] = 1.5;
        motor->m_dKupplungswert[1] = 0.75;
        // The coupling distance and the fifth wheel's offset as the template view edits them.
        motor->m_dKupplungsabstand = 1.0;
        motor->m_dSattelVersatz = 0.4;
        pVorn = motor.get();
        if (artVorn != FahrzeugArt::kSattelzugmaschine)
            motor->m_pQor = new CQOR(motor.get(), 0, "Plan");
        if (artHinten < 0) {
            Berechne(*motor);
            doc->SetFahrzeug(motor.release());
            return;
        }
        auto anhaenger = Erzeuge({artHinten, {{1.0, 3, 9}, {6.0, 3, 9}}, 18.0, 7.2, 2.5f});
        anhaenger->m_strName = "Anhaenger";
        anhaenger->m_dKupplungswert[0] = 2.25;
        anhaenger->m_pQor = new CQOR(anhaenger.get(), 0, "Plan");
        if (artVorn == FahrzeugArt::kSattelzugmaschine)
            motor->m_pQor = anhaenger->m_pQor;
        pAnhaenger = anhaenger.get();
        Kopple(*motor, *anhaenger);
        motor.release();
        doc->SetFahrzeug(anhaenger.release());
    }

    std::string Golden(const std::string& name, const std::string& html)
    {
        const fs::path datei = fs::path(QOR_GOLDEN_DIR) / (name + ".html");
        if (std::getenv("QOR_UPDATE_GOLDEN")) {
            std::ofstream(datei, std::ios::binary) << html;
            return html;
        }
        return Lies(datei);
    }

    NummernTexte m_nummern;
    ScopedTextProvider m_texte;
    std::unique_ptr<CQOR1Doc> doc;
    CFahrzeug* pVorn = nullptr;
    CFahrzeug* pAnhaenger = nullptr;
};

PlanReportAuswahl Alle()
{
    return {true, true, true, true, true, true};
}

TEST_F(PlanReportHtmlTest, PagesMatchTheirGoldenFiles)
{
    struct Fall
    {
        const char* name;
        int artVorn, artHinten;
        bool bZL, bLasten, bHeck;
    };
    const Fall faelle[] = {
        {"truck", FahrzeugArt::kZugmaschine, -1, true, true, false},
        {"truck_drawbar_trailer", FahrzeugArt::kZugmaschine, FahrzeugArt::kAnhaenger, true, true, false},
        {"tractor_alone", FahrzeugArt::kSattelzugmaschine, -1, false, false, false},
        {"tractor_semitrailer", FahrzeugArt::kSattelzugmaschine, FahrzeugArt::kAuflieger, true, true, false},
        {"empty_plan", FahrzeugArt::kZugmaschine, -1, true, false, false},
        {"no_zl_items", FahrzeugArt::kZugmaschine, -1, false, true, false},
        {"rear_measured", FahrzeugArt::kZugmaschine, -1, true, true, true},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        Baue(f.artVorn, f.artHinten);
        for (CFahrzeug* v : {pVorn, pAnhaenger}) {
            if (!v || v->GetArt() == FahrzeugArt::kSattelzugmaschine)
                continue;
            if (f.bZL)
                ZL(*v, "Ladebordwand", 0.45, 0.3, v == pAnhaenger);
            if (f.bLasten) {
                Last(*v->GetQor(), "Palette", 0.5, 0.8, 0);
                Last(*v->GetQor(), "Kiste", 2.5, 0.35, 90);
                Last(*v->GetQor(), "Keil", 4.0, 0.0, 0, 7);
            }
            PlanReportHtml::SetVomHeckGemessen(*v->GetQor(), f.bHeck);
        }
        if (pVorn->GetArt() == FahrzeugArt::kZugmaschine && !f.bLasten && f.bZL)
            pVorn->m_strBemerkung = "Nur Leergewicht";
        const std::string html = PlanReportHtml::BuildPlanReportHtml(pVorn, pAnhaenger, Alle());
        EXPECT_EQ(html, Golden(f.name, html));
    }
}

TEST_F(PlanReportHtmlTest, SectionsFollowTheChoiceWithBreaksBetween)
{
    Baue(FahrzeugArt::kZugmaschine, FahrzeugArt::kAnhaenger);
    struct Fall
    {
        PlanReportAuswahl auswahl;
        int nAbschnitte;
        const char* erstesBild;
    };
    const Fall faelle[] = {
        {Alle(), 6, "Fahrzeug_SUP.bmp"},
        // The loading plan is the plan from above, the load distribution the payload chart.
        {{false, true, false, false, false, false}, 1, "BP_SUP.bmp"},
        {{false, false, false, false, false, true}, 1, "Rld_INF.bmp"},
        {{false, false, true, false, false, false}, 1, "Rld_SUP.bmp"},
        {{false, false, false, false, true, false}, 1, "BP_INF.bmp"},
        {{true, false, true, false, true, false}, 3, "Fahrzeug_SUP.bmp"},
    };
    for (const Fall& f : faelle) {
        const std::string html = PlanReportHtml::BuildPlanReportHtml(pVorn, pAnhaenger, f.auswahl);
        EXPECT_EQ(Zaehle(html, "page-break-before"), f.nAbschnitte - 1);
        EXPECT_EQ(Zaehle(html, "<p><HR align=\"left\" width=\"285\""), f.nAbschnitte);
        const std::size_t bild = html.find("<IMG src=");
        ASSERT_NE(bild, std::string::npos);
        EXPECT_EQ(html.compare(bild + 10, std::strlen(f.erstesBild), f.erstesBild), 0);
        // No section starts with a break.
        EXPECT_LT(html.find("<TABLE"), html.find("page-break-before") == std::string::npos
                                           ? html.size()
                                           : html.find("page-break-before"));
    }
    // Without a trailer its sections are left out whatever is chosen.
    const std::string allein = PlanReportHtml::BuildPlanReportHtml(pVorn, nullptr, Alle());
    EXPECT_EQ(Zaehle(allein, "_INF.bmp"), 0);
    EXPECT_EQ(Zaehle(allein, "page-break-before"), 2);
}

TEST_F(PlanReportHtmlTest, FiguresComeFromTheModel)
{
    Baue(FahrzeugArt::kZugmaschine);
    CQOR& plan = *pVorn->GetQor();
    Last(plan, "Palette", 0.5, 0.8, 0);
    Last(plan, "Kiste", 2.5, 0.35, 90);
    ZL(*pVorn, "Kran", 1.25, 0.6, true);
    for (bool bHeck : {false, true}) {
        SCOPED_TRACE(bHeck);
        PlanReportHtml::SetVomHeckGemessen(plan, bHeck);
        const std::string html = PlanReportHtml::BuildPlanReportHtml(pVorn, nullptr, Alle());
        double dL = 0.0, dB = 0.0;
        ASSERT_TRUE(pVorn->GetNutzbareLF(&dL, &dB));
        const std::string laengen = "<TR><TD>" + Tausend(pVorn->GetGesamtlaenge(false)) + "</TD><TD>" +
                                    Tausend(pVorn->GetLFLaenge()) + "</TD><TD>" + Tausend(dL) + "</TD><TD>" +
                                    Tausend(dB) + "</TD><TD>" + Tausend(pVorn->GetRandabstand(0)) +
                                    "</TD><TD>" + Tausend(pVorn->GetRandabstand(2)) + "</TD></TR>";
        EXPECT_NE(html.find(laengen), std::string::npos);
        const double bezug = PlanReportHtml::Bezugslaenge(*pVorn);
        const double x = plan.GetSchwerpunktX();
        const std::string schwerpunkt = "<TR><TD>" + Tausend(plan.GetMasse()) + "</TD><TD>" + Tausend(bezug) +
                                        "</TD><TD>" + Tausend(bHeck ? bezug - x : x) + "</TD></TR>";
        EXPECT_NE(html.find(schwerpunkt), std::string::npos);
        EXPECT_EQ(Tausend(plan.GetMasse()), "1150");
        EXPECT_NE(html.find(bHeck ? "T315" : "T314"), std::string::npos);
        EXPECT_NE(html.find(bHeck ? "T1396" : "T319"), std::string::npos);
        // The column of the positions is a text of the module like every other.
        EXPECT_NE(html.find(std::string("T1466 (T") + (bHeck ? "310" : "309") + ")"), std::string::npos);
        EXPECT_EQ(html.find("Abstand"), std::string::npos);
        EXPECT_NE(html.find("<TD width=\"17\">T1468</TD>"), std::string::npos);
        // Each load's position: from the front as stored, from the rear less its extent along the vehicle
        // (the length unturned, the width turned by 90 degrees).
        for (const tagLGINFO* lg : plan.GetLgInfos()) {
            const double ausdehnung = lg->m_nDrehung == 90 ? lg->m_dBreite : lg->m_dLaenge;
            const double pos = bHeck ? bezug - lg->m_dPosX - ausdehnung : lg->m_dPosX;
            const std::string zeile = "</TD><TD>" + EscapeHtml(lg->GetDisplayName()) + "</TD><TD>" +
                                      Tausend(lg->m_dLaenge) + "</TD><TD>" + Tausend(pos) + "</TD><TD>" +
                                      Tausend(lg->m_dMasse) + "</TD><TD>T" +
                                      (lg->m_nDrehung == 90 ? "326" : "328");
            EXPECT_NE(html.find(zeile), std::string::npos) << zeile;
        }
        EXPECT_NE(html.find("<TR><TD>Kran</TD><TD>1250</TD><TD>600</TD><TD>T224</TD></TR>"),
                  std::string::npos);
    }
}

TEST_F(PlanReportHtmlTest, NamesAndTextsAreEscaped)
{
    Baue(FahrzeugArt::kZugmaschine, FahrzeugArt::kStarrdeichsel);
    const std::string boese = "<b>A&B \"C\" 'D'</b>";
    pVorn->m_strName = boese;
    pAnhaenger->m_strName = boese;
    pVorn->m_strBemerkung = boese;
    ZL(*pVorn, boese, 0.1, 0.1, false);
    tagLGINFO* lg = Last(*pVorn->GetQor(), boese, 0.5, 0.8, 0);
    lg->m_strText = boese;
    const std::string html = PlanReportHtml::BuildPlanReportHtml(pVorn, pAnhaenger, Alle());
    EXPECT_EQ(html.find("<b>"), std::string::npos);
    EXPECT_EQ(html.find("\"C\""), std::string::npos);
    const std::string escaped = "&lt;b&gt;A&amp;B &quot;C&quot; &#39;D&#39;&lt;/b&gt;";
    // Names in the titles (two sections each and the partner rows), the ZL item, the remark, the load.
    EXPECT_GE(Zaehle(html, escaped), 8);
}

// The coupling rows give the motor vehicle's own length as the template view shows it (the truck's coupling
// distance, the tractor's fifth-wheel offset) and the coupling distance entered for the combination, which
// the trailer keeps, whatever kind of trailer it is.
TEST_F(PlanReportHtmlTest, CouplingRowsShowTheVehiclesLengthAndTheCombinationsCouplingDistance)
{
    const struct
    {
        int artVorn, artHinten;
        const char* zeile;
    } faelle[] = {
        {FahrzeugArt::kZugmaschine, -1, "T225 (1000, 750)"},
        {FahrzeugArt::kZugmaschine, FahrzeugArt::kAnhaenger, "T225 (1000, 2250)"},
        {FahrzeugArt::kZugmaschine, FahrzeugArt::kStarrdeichsel, "T225 (1000, 2250)"},
        {FahrzeugArt::kSattelzugmaschine, -1, "T227 (400, 0)"},
        {FahrzeugArt::kSattelzugmaschine, FahrzeugArt::kAuflieger, "T227 (400, 2250)"},
    };
    for (const auto& c : faelle) {
        SCOPED_TRACE(c.zeile);
        Baue(c.artVorn, c.artHinten);
        const std::string html = PlanReportHtml::BuildPlanReportHtml(pVorn, pAnhaenger, Alle());
        EXPECT_EQ(Zaehle(html, c.zeile), 1) << html;
    }
}

// A vehicle without ZL items says so in the report's own words, not in those of the remarks.
TEST_F(PlanReportHtmlTest, AVehicleWithoutZLItemsSaysNone)
{
    Baue(FahrzeugArt::kZugmaschine);
    const std::string ohne = PlanReportHtml::BuildPlanReportHtml(pVorn, nullptr, Alle());
    EXPECT_NE(ohne.find("<CAPTION>T218: T1467</CAPTION>"), std::string::npos);
    EXPECT_EQ(ohne.find("T217"), std::string::npos);
    ZL(*pVorn, "Kran", 1.25, 0.6, false);
    const std::string mit = PlanReportHtml::BuildPlanReportHtml(pVorn, nullptr, Alle());
    EXPECT_NE(mit.find("<CAPTION>T218</CAPTION>"), std::string::npos);
}

TEST_F(PlanReportHtmlTest, ItemsAreListedFrontMeasuredFirstByDistanceWhereverTheyLieInMemory)
{
    Baue(FahrzeugArt::kZugmaschine);
    // The vehicle keeps its items by address: each pair is named so that the address order is the
    // opposite of the listed order.
    struct Fall
    {
        double abstandA, abstandB;
        bool vomEndeA, vomEndeB;
        const char* erster; // the name listed first
    };
    const Fall faelle[] = {
        {0.3, 0.3, false, false, "Anton"}, // same side and distance: by name
        {0.9, 0.2, false, false, "Bert"},  // by distance
        {0.1, 0.8, true, false, "Bert"},   // measured from the front first
    };
    for (const Fall& f : faelle) {
        tagZLINFO* a = ZL(*pVorn, "Anton", 0.1, f.abstandA, f.vomEndeA);
        tagZLINFO* b = ZL(*pVorn, "Bert", 0.1, f.abstandB, f.vomEndeB);
        const bool bErsterIstA = std::string(f.erster) == "Anton";
        // The record listed first goes to the higher address.
        if (std::less<tagZLINFO*>()(bErsterIstA ? a : b, bErsterIstA ? b : a))
            std::swap(*a, *b);
        SCOPED_TRACE(f.erster);
        const std::string html = PlanReportHtml::BuildPlanReportHtml(pVorn, nullptr, Alle());
        const std::size_t anton = html.find("<TR><TD>Anton</TD>");
        const std::size_t bert = html.find("<TR><TD>Bert</TD>");
        ASSERT_NE(anton, std::string::npos);
        ASSERT_NE(bert, std::string::npos);
        EXPECT_EQ(anton < bert, bErsterIstA);
        pVorn->m_ZLInfos.clear();
    }
}

TEST_F(PlanReportHtmlTest, FileHasCrLfAndIsWrittenWholeOrNotAtAll)
{
    Baue(FahrzeugArt::kZugmaschine);
    QTemporaryDir dir;
    const fs::path folder = dir.path().toStdString();
    const std::string pfad =
        PlanReportHtml::WritePlanReportHtml("Bericht 'LKW'", pVorn, nullptr, Alle(), folder);
    ASSERT_EQ(pfad, (folder / "Bericht 'LKW'.html").string());
    const std::string inhalt = Lies(pfad);
    std::string erwartet;
    for (char c : PlanReportHtml::BuildPlanReportHtml(pVorn, nullptr, Alle())) {
        if (c == '\n')
            erwartet += '\r';
        erwartet += c;
    }
    EXPECT_EQ(inhalt, erwartet);
    EXPECT_EQ(
        inhalt.find(
            "<HTML>\r\n<HEAD>\r\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"),
        0u);
    EXPECT_EQ(PlanReportHtml::WritePlanReportHtml("x", pVorn, nullptr, Alle(), folder / "missing"), "");
    EXPECT_FALSE(fs::exists(folder / "missing"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

} // namespace
