// The HTML report of one load unit: every marker of the page filled in order and in full, typed texts
// escaped, the sketch scaled, the defect blocks shown only with defects, and the page written as a file.
#include "FahrzeugTestSupport.h"
#include "SicherungsTestSupport.h"

#include "model/base/ProgramFolders.h"
#include "model/document/CQOR1Doc.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/CWizardParams.h"
#include "model/plan/sZPPtrTupel.h"
#include "model/plan/tagLGINFO.h"
#include "model/securing/CLgsMangel.h"
#include "model/securing/CLgspReport.h"
#include "model/securing/SNormParams.h"
#include "model/text/ResourceText.h"
#include "model/text/TextProvider.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CZurrpunkt.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::vector<std::string> kKopf = {"invisibleWarnungen",
                                        "AmtlKennz",
                                        "Norm",
                                        "Dt",
                                        "LENr",
                                        "Gewicht",
                                        "Abst_v",
                                        "Abst_h",
                                        "Abst_r",
                                        "Abst_l"};
const std::vector<std::string> kFormschluss = {"FSjn_V",  "FSjn_H",  "FSjn_R",  "FSjn_L",
                                               "FSdaN_V", "FSdaN_H", "FSdaN_R", "FSdaN_L",
                                               "FSpor_V", "FSpor_H", "FSpor_R", "FSpor_L"};
const std::vector<std::string> kKraefte = {"RDan_V", "RDan_H", "RDan_R", "RDan_L",
                                           "KMom_V", "KMom_H", "KMom_R", "KMom_L"};

std::vector<std::string> EinfachMarker()
{
    std::vector<std::string> v = kKopf;
    v.insert(v.end(), {"ZMTyp", "RHMjn", "Mue", "Stf", "Zurrw", "nZM"});
    v.insert(v.end(), kFormschluss.begin(), kFormschluss.end());
    v.insert(v.end(), {"ZStTyp", "ZStdaN_EH", "ZStdaN", "ZStY", "Sk_width", "Sk_height", "Sk_url"});
    v.insert(v.end(), kKraefte.begin(), kKraefte.end());
    v.insert(v.end(), {"invisibleWarnungen", "invisibleWarnungen"});
    return v;
}

std::vector<std::string> DetailMarker()
{
    std::vector<std::string> v = kKopf;
    v.insert(v.end(), {"DZArt", "ZMTyp", "RHMjn", "Mue"});
    for (const char* hv : {"_v", "_h"})
        for (const char* name : {"LC", "ZWv", "ZWhl", "ZWhq"})
            for (const char* lr : {"l", "r"})
                v.push_back(std::string(name) + hv + lr);
    v.insert(v.end(), kFormschluss.begin(), kFormschluss.end());
    for (const char* hv : {"_v", "_h"}) {
        for (const char* name :
             {"ZPSeite", "ZPAbstLR", "ZPAbstV", "ZschEHBez", "ZPDan", "invisibleZPPos", "ZPSkizze"}) {
            const std::string s = name;
            if (s == "ZschEHBez" || s == "invisibleZPPos") {
                if (std::string(hv) == "_v")
                    v.push_back(s);
                continue;
            }
            for (const char* lr : {"l", "r"})
                v.push_back(s + hv + lr);
        }
    }
    v.insert(v.end(), kKraefte.begin(), kKraefte.end());
    v.insert(v.end(), {"Sk_width", "Sk_height", "Sk_url", "invisibleWarnungen", "invisibleWarnungen"});
    return v;
}

// A test template: "{name=<!--$name-->}" per marker (the form-fit yes/no markers without "$"), the
// defect list last.
std::string Vorlage(const std::vector<std::string>& marker)
{
    std::string s;
    for (const std::string& m : marker)
        s += "{" + m + "=" + (m.rfind("FSjn", 0) == 0 ? "<!--" : "<!--$") + m + "-->}";
    return s + "<!--$Maengel-->";
}

// The filled values in page order, as name and value.
std::vector<std::pair<std::string, std::string>> Werte(const std::string& html)
{
    std::vector<std::pair<std::string, std::string>> v;
    std::size_t pos = 0;
    while ((pos = html.find('{', pos)) != std::string::npos) {
        const std::size_t gl = html.find('=', pos), end = html.find('}', pos);
        if (gl == std::string::npos || end == std::string::npos)
            break;
        v.emplace_back(html.substr(pos + 1, gl - pos - 1), html.substr(gl + 1, end - gl - 1));
        pos = end + 1;
    }
    return v;
}

std::map<std::string, std::string> Karte(const std::string& html)
{
    std::map<std::string, std::string> m;
    for (auto& [k, v] : Werte(html))
        m.emplace(k, v); // the first of a repeated marker
    return m;
}

class VorlagenTexte : public CTableTextProvider
{
public:
    using CTableTextProvider::CTableTextProvider;
    bool ResourceBytes(std::uint32_t id, int type, std::string& out) const override
    {
        const auto it = m_vorlagen.find(id);
        if (type != RES_TYPE_TEXT || it == m_vorlagen.end())
            return false;
        out = it->second;
        return true;
    }
    std::map<std::uint32_t, std::string> m_vorlagen;
};

// Writes a BMP file header and info header for a picture of that size (no pixels: only the size is read).
void SchreibeBmpKopf(const fs::path& p, int w, int h)
{
    unsigned char b[54] = {'B', 'M'};
    auto put = [&](int at, std::int32_t v) {
        for (int i = 0; i < 4; ++i)
            b[at + i] = static_cast<unsigned char>(static_cast<std::uint32_t>(v) >> (8 * i));
    };
    put(10, 54);
    put(14, 40);
    put(18, w);
    put(22, h);
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<char*>(b), sizeof b);
}

class LgspHtmlTest : public ::testing::Test
{
public:
    void SetUp() override
    {
        m_texte.m_vorlagen = {
            {894, "<head>"}, {897, Vorlage(EinfachMarker())}, {896, Vorlage(DetailMarker())}};
        m_alteOrdner = GetProgramFolders();
        m_ordner =
            fs::temp_directory_path() /
            ("lgsp-html-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        fs::create_directories(m_ordner);
        SetProgramFolders({m_ordner, m_ordner});

        fahrzeugtest::Sicherungsaufbau a = fahrzeugtest::BaueSicherungsaufbau();
        m_pDoc = std::move(a.pDoc);
        m_pFahrzeug = a.pFahrzeug;
        m_pPlan = a.pPlan;
        m_pEinheit = a.pEinheit;
        ASSERT_TRUE(a.bNormGeladen);
        m_pFahrzeug->m_strName = "HH <AB> & 123";
        wp().m_nNummer = 7;
        wp().m_tDatum = 1781000000; // June 2026
        for (int i = 0; i < 4; ++i) {
            for (bool bLinks : {false, true}) {
                auto* p = new CZurrpunkt(7.2, 2.5);
                p->m_nFlags = CZurrpunkt::kVonVorn | (bLinks ? CZurrpunkt::kLinks : 0);
                p->m_dAbstandLaengs = 1.0 + 0.3 * i;
                p->m_dAbstandQuer = 0.05;
                p->m_dZulKraft = 400.0;
                p->m_nNummer = i;
                m_pFahrzeug->m_Zurrpunkte.emplace_back(p);
            }
            auto it = m_pFahrzeug->GetZurrpunktListe().end();
            CZurrpunkt* l = *--it;
            CZurrpunkt* r = *--it;
            m_pEinheit->m_ZPPtrTupel.push_back(std::make_unique<sZPPtrTupel>(r, l, 0));
        }
        m_pReport = std::make_unique<CLgspReport>(m_pDoc.get());
        ASSERT_TRUE(m_pReport->SelectFahrzeug(1));
        ASSERT_TRUE(m_pReport->SetLadeeinheit(m_pEinheit));
    }
    void TearDown() override
    {
        m_pReport.reset();
        m_pDoc.reset();
        SetProgramFolders(m_alteOrdner);
        std::error_code ec;
        fs::remove_all(m_ordner, ec);
    }

    CWizardParams& wp() { return m_pEinheit->m_Wizard; }

    std::string Seite(int nMax = 400, bool bGanz = false)
    {
        std::string html;
        EXPECT_TRUE(m_pReport->WriteHtml("bericht", false, 0, nMax, bGanz, &html));
        return html;
    }

    // Each corner lashed to a floor point 0.5 m outward along and across.
    void DirektZurrung()
    {
        wp().m_nVerfahren = 1;
        m_pEinheit->CalcAbmessungen();
        for (int i = 0; i < 4; ++i) {
            double x = 0, y = 0;
            m_pEinheit->GetAnschlagpunktPos(i, &x, &y, nullptr);
            const double sx = (i == 1 || i == 3) ? 1 : -1;
            CZurrpunkt p(7.2, 2.5);
            p.m_nFlags = CZurrpunkt::kVonVorn | (i >= 2 ? CZurrpunkt::kLinks : 0);
            p.m_dAbstandLaengs = x + sx * 0.5;
            p.m_dAbstandQuer = 0.3;
            p.m_dZulKraft = 10000.0;
            p.m_nNummer = i + 1;
            m_pEinheit->SetZurrpunkt(i, 0, &p);
        }
    }

    VorlagenTexte m_texte{std::map<std::uint32_t, std::string>{{69, "unknown"},
                                                               {391, "R"},
                                                               {392, "L"},
                                                               {482, "yes"},
                                                               {483, "no"},
                                                               {524, "filler"},
                                                               {561, "EN"},
                                                               {575, "points"},
                                                               {576, "rail"},
                                                               {577, "right side"},
                                                               {578, "left side"},
                                                               {590, "pairs %d lashings %d"},
                                                               {594, "Too few"},
                                                               {152, "both ways"},
                                                               {593, "Point weak"},
                                                               {592, "<ul>%s</ul>"},
                                                               {597, "front right"},
                                                               {909, "<li>%s %.0f %s %.0f</li>"}}};
    ScopedTextProvider m_scope{&m_texte};
    ProgramFolders m_alteOrdner;
    fs::path m_ordner;
    std::unique_ptr<CQOR1Doc> m_pDoc;
    std::unique_ptr<CLgspReport> m_pReport;
    CFahrzeug* m_pFahrzeug = nullptr;
    CQOR* m_pPlan = nullptr;
    CLadeeinheit* m_pEinheit = nullptr;
};

std::string Name(const std::pair<std::string, std::string>& p)
{
    return p.first;
}

TEST_F(LgspHtmlTest, TopOverLashingFillsEveryMarkerInOrder)
{
    wp().m_FS[2].m_nArt = 1; // blocked forward by 300 daN
    wp().m_FS[2].m_nKapazitaet = 300;
    const std::string html = Seite();
    EXPECT_EQ(html.find("<!--"), html.find("<!--$Maengel-->")) << html;

    const auto werte = Werte(html);
    std::vector<std::string> namen;
    for (const auto& w : werte)
        namen.push_back(Name(w));
    EXPECT_EQ(namen, EinfachMarker());
    auto m = Karte(html);
    EXPECT_EQ(m["invisibleWarnungen"], "invisible");
    EXPECT_EQ(werte.back().second, "invisible");
    EXPECT_EQ(m["AmtlKennz"], "HH &lt;AB&gt; &amp; 123");
    EXPECT_EQ(m["Norm"], "EN");
    char datum[32];
    const std::time_t t = 1781000000;
    std::strftime(datum, sizeof datum, "%d.%m.%Y", std::localtime(&t));
    EXPECT_EQ(m["Dt"], datum);
    EXPECT_EQ(m["LENr"], "7");
    EXPECT_EQ(m["Gewicht"], "500");
    EXPECT_EQ(m["Abst_v"], "1000");
    EXPECT_EQ(m["Abst_h"], "5000"); // 7.2 - 1.0 - 1.2
    EXPECT_EQ(m["Abst_r"], "850");
    EXPECT_EQ(m["Abst_l"], "850");
    EXPECT_EQ(m["RHMjn"], "no");
    EXPECT_EQ(m["Mue"], "0.30");
    EXPECT_EQ(m["Stf"], "250");
    EXPECT_EQ(m["Zurrw"], "51"); // atan(1.0 / 0.8)
    EXPECT_EQ(m["nZM"], "2");    // blocked forward: sliding backward and sideways need 981 N each
    EXPECT_EQ(m["FSjn_V"], "yes");
    EXPECT_EQ(m["FSdaN_V"], "300");
    EXPECT_EQ(m["FSpor_V"], "filler");
    for (const char* r : {"_H", "_R", "_L"}) {
        SCOPED_TRACE(r);
        EXPECT_EQ(m[std::string("FSjn") + r], "no");
        EXPECT_EQ(m[std::string("FSdaN") + r], "-");
        EXPECT_EQ(m[std::string("FSpor") + r], "-");
    }
    EXPECT_EQ(m["ZStTyp"], "points");
    EXPECT_EQ(m["ZStdaN_EH"], "daN");
    EXPECT_EQ(m["ZStdaN"], "400");
    EXPECT_EQ(m["ZStY"], "50");
    // Forward: (0.8 - 0.3) x 4905 N less 3000 N blocked leaves nothing; backward 981 N.
    EXPECT_EQ(m["RDan_V"], "0");
    EXPECT_EQ(m["RDan_H"], "98");
    EXPECT_EQ(m["KMom_V"], "0");
    // No sketch: the largest width, no height.
    EXPECT_EQ(m["Sk_width"], "400");
    EXPECT_EQ(m["Sk_height"], "0");
    EXPECT_EQ(m["Sk_url"], (m_ordner / "bericht.bmp").string());
}

TEST_F(LgspHtmlTest, DirectLashingFillsEveryMarkerInOrder)
{
    DirektZurrung();
    const std::string html = Seite();
    EXPECT_EQ(html.find("<!--"), html.find("<!--$Maengel-->")) << html;
    std::vector<std::string> namen;
    for (const auto& w : Werte(html))
        namen.push_back(Name(w));
    EXPECT_EQ(namen, DetailMarker());

    auto m = Karte(html);
    const SLgspWerte& w = *m_pReport->GetWerte();
    auto daN = [](float f) {
        char b[32];
        std::snprintf(b, sizeof b, "%.0f", f / 10.0);
        return std::string(b);
    };
    // Corners: 0 front right, 1 rear right, 2 front left, 3 rear left.
    EXPECT_EQ(m["LC_vr"], daN(w.m_Zusammenfassung[0].m_fLcMax));
    EXPECT_EQ(m["LC_hr"], daN(w.m_Zusammenfassung[1].m_fLcMax));
    EXPECT_EQ(m["LC_vl"], daN(w.m_Zusammenfassung[2].m_fLcMax));
    EXPECT_EQ(m["LC_hl"], daN(w.m_Zusammenfassung[3].m_fLcMax));
    EXPECT_NE(m["LC_vr"], "0");
    EXPECT_EQ(m["ZPSeite_vl"], "left side");
    EXPECT_EQ(m["ZPSeite_hr"], "right side");
    EXPECT_EQ(m["ZPSkizze_hl"], "L04");
    EXPECT_EQ(m["ZPAbstLR_vr"], "300");
    EXPECT_EQ(m["ZPAbstV_vr"], "500"); // the corner at 1.0 m lashed 0.5 m ahead of it
    EXPECT_EQ(m["ZPDan_vr"], "10000");
    EXPECT_EQ(m["ZschEHBez"], "[daN] (points)");
    EXPECT_EQ(m["invisibleZPPos"], "");
    EXPECT_EQ(m["DZArt"], "both ways");
    EXPECT_EQ(m["invisibleWarnungen"], "invisible");
}

TEST_F(LgspHtmlTest, DefectsAreListedAndTheirBlocksShown)
{
    m_pEinheit->m_ZPPtrTupel.resize(1); // one pair for 3 lashings
    const std::string html = Seite();
    for (const auto& [k, v] : Werte(html))
        EXPECT_NE(v, "invisible") << k;
    EXPECT_NE(html.find("<!--$invisibleWarnungen-->"), std::string::npos);
    EXPECT_NE(html.find("<ul><li><span class=\"fett\">Too few</span>: pairs 1 lashings 3</li></ul>"),
              std::string::npos)
        << html;
    EXPECT_EQ(html.find("<!--$Maengel-->"), std::string::npos);
}

TEST_F(LgspHtmlTest, SketchIsScaledToTheLargestWidth)
{
    struct Fall
    {
        int w, h, nMax;
        const char* sw;
        const char* sh;
    } faelle[] = {
        {1200, 600, 400, "400", "200"}, {300, 150, 400, "300", "150"}, {900, 450, 800, "800", "400"}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.w);
        std::string gezeichnet;
        int nVariante = -1;
        int nAktiv = -1;
        m_pPlan->m_nAktiveLadeeinheit = 0;
        m_pReport->SetSketchRenderer([&](const std::string& path, int n, CFahrzeug&, CLadeeinheit&) {
            gezeichnet = path;
            nVariante = n;
            nAktiv = m_pPlan->m_nAktiveLadeeinheit;
            SchreibeBmpKopf(path, f.w, f.h);
            return true;
        });
        std::string html;
        ASSERT_TRUE(m_pReport->WriteHtml("skizze", false, 3, f.nMax, false, &html));
        EXPECT_EQ(gezeichnet, (m_ordner / "skizze.bmp").string());
        EXPECT_EQ(nVariante, 3);
        EXPECT_EQ(nAktiv, 1) << "the unit is active while it is drawn";
        EXPECT_EQ(m_pPlan->m_nAktiveLadeeinheit, 0) << "and the plan's own choice comes back";
        auto m = Karte(html);
        EXPECT_EQ(m["Sk_width"], f.sw);
        EXPECT_EQ(m["Sk_height"], f.sh);
    }
}

TEST_F(LgspHtmlTest, LongValuesAreWrittenWhole)
{
    const std::string lang(300, 'X');
    m_pFahrzeug->m_strName = lang + "\"&'";
    auto m = Karte(Seite());
    EXPECT_EQ(m["AmtlKennz"], lang + "&quot;&amp;&#39;");
}

TEST_F(LgspHtmlTest, FullPageAndFile)
{
    std::string html;
    ASSERT_TRUE(m_pReport->WriteHtml("datei", false, 0, 400, true, &html));
    EXPECT_EQ(html.rfind("<head>{invisibleWarnungen=", 0), 0u);
    EXPECT_EQ(html.substr(html.size() - 15), "</body></html>\n");

    std::string pfad = "unverändert";
    ASSERT_TRUE(m_pReport->WriteHtml("datei", true, 0, 400, true, &pfad));
    EXPECT_EQ(pfad, (m_ordner / "datei.html").string());
    std::ifstream in(pfad, std::ios::binary);
    const std::string inhalt((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(inhalt, html);

    // A file that cannot be written: false, and the caller's text stays.
    SetProgramFolders({m_ordner, m_ordner / "fehlt"});
    pfad = "unverändert";
    EXPECT_FALSE(m_pReport->WriteHtml("datei", true, 0, 400, true, &pfad));
    EXPECT_EQ(pfad, "unverändert");
}

TEST_F(LgspHtmlTest, NothingWithoutUnitOrVehicle)
{
    CLgspReport leer(m_pDoc.get());
    std::string html = "bleibt";
    EXPECT_FALSE(leer.WriteHtml("x", false, 0, 400, true, &html));
    EXPECT_EQ(html, "bleibt");
    // The templates come from the language module.
    EXPECT_EQ(leer.m_strKopf, "<head>");
    EXPECT_EQ(leer.m_strEinfach, Vorlage(EinfachMarker()));
    EXPECT_EQ(leer.m_strDetail, Vorlage(DetailMarker()));
}

TEST_F(LgspHtmlTest, BitmapSizeFromItsHeaders)
{
    int w = -1, h = -1;
    const fs::path p = m_ordner / "b.bmp";
    SchreibeBmpKopf(p, 640, -480); // top-down
    EXPECT_TRUE(ReadBitmapSize(p.string(), &w, &h));
    EXPECT_EQ(w, 640);
    EXPECT_EQ(h, 480);

    EXPECT_FALSE(ReadBitmapSize((m_ordner / "fehlt.bmp").string(), &w, &h));
    std::ofstream(m_ordner / "kurz.bmp", std::ios::binary) << "BM1234";
    EXPECT_FALSE(ReadBitmapSize((m_ordner / "kurz.bmp").string(), &w, &h));
    std::ofstream(m_ordner / "png.bmp", std::ios::binary) << std::string(60, 'P');
    EXPECT_FALSE(ReadBitmapSize((m_ordner / "png.bmp").string(), &w, &h));
    EXPECT_EQ(w, 640);
}

} // namespace
