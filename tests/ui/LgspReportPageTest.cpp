// The load-securing report as a person sees it: units placed on a vehicle's plan (a code-built truck and
// every sample vehicle), secured by each method, their pages written with the language module's templates
// and rendered by Qt's HTML renderer.
#include "UiTestModule.h"

#include "model/base/ProgramFolders.h"
#include "model/document/CQOR1Doc.h"
#include "model/files/FahrzeugImpExp.h"
#include "model/files/VehicleFiles.h"
#include "model/files/tagItemData.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/CWizardParams.h"
#include "model/plan/sZPPtrTupel.h"
#include "model/plan/tagLGINFO.h"
#include "model/securing/CLgsMangel.h"
#include "model/securing/CLgspReport.h"
#include "model/securing/SNormParams.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CZugmaschine.h"
#include "model/vehicle/CZurrpunkt.h"
#include "platform/BmpFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QUrl>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

namespace {

// The colour of the unit in the stand-in sketch; the rendered page shows it where the sketch is.
const QColor kEinheitFarbe(40, 90, 200);

// The sketch until the load-securing view draws it: the load area from above with the unit and the
// lashing points it uses.
bool ZeichneSkizze(const std::string& path, CFahrzeug& v, CLadeeinheit& u)
{
    const double s = 160.0; // pixels per metre
    const int w = static_cast<int>(v.GetLFLaenge() * s) + 40;
    const int h = static_cast<int>(v.GetLFBreite() * s) + 40;
    QImage img(w, h, QImage::Format_RGB888);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setPen(QPen(Qt::black, 3));
    p.drawRect(QRectF(20, 20, v.GetLFLaenge() * s, v.GetLFBreite() * s));
    double x = 0, y = 0, L = 0, B = 0, H = 0, M = 0;
    u.GetAbmessungen(&x, &y, &L, &B, &H, &M);
    v.AddRandabstand(&x, &y);
    // y runs from the right side: the right side is drawn at the bottom.
    const QRectF einheit(20 + x * s, 20 + (v.GetLFBreite() - y - B) * s, L * s, B * s);
    p.fillRect(einheit, kEinheitFarbe);
    p.setPen(QPen(QColor(200, 40, 40), 4));
    for (const auto& t : u.m_ZPPtrTupel) {
        if (!t || !t->m_nAktiv || !t->IsVollstaendig())
            continue;
        const double px = 20 + t->m_pZP1->GetPosX() * s;
        p.drawLine(QPointF(px, 20 + (v.GetLFBreite() - t->m_pZP1->GetPosY()) * s),
                   QPointF(px, 20 + (v.GetLFBreite() - t->m_pZP2->GetPosY()) * s));
    }
    for (int i = 0; i < 4; ++i) {
        CZurrpunkt* zp = u.GetZurrpunkt(i, 0);
        double ax = 0, ay = 0;
        if (!zp || !u.GetAnschlagpunktPos(i, &ax, &ay, nullptr))
            continue;
        v.AddRandabstand(&ax, &ay);
        p.drawLine(QPointF(20 + ax * s, 20 + (v.GetLFBreite() - ay) * s),
                   QPointF(20 + zp->GetPosX() * s, 20 + (v.GetLFBreite() - zp->GetPosY()) * s));
    }
    p.end();
    return WriteDIBSectionToBmp(QString::fromStdString(path), img);
}

// A load of the given box and mass placed at (x, y) of the plan as load unit nId; the document's opening
// step brings the plan's centre of gravity up to date.
CLadeeinheit* Platziere(CFahrzeug& v, int nId, const char* name, double L, double B, double H, double t,
                        double x, double y)
{
    CQOR* plan = v.GetQor();
    auto* lg = new tagLGINFO;
    lg->m_strName = name;
    lg->m_nTyp = 0;
    lg->m_dLaenge = L;
    lg->m_dBreite = B;
    lg->m_dHoehe = H;
    lg->m_dSPLaenge = L / 2;
    lg->m_dSPBreite = B / 2;
    lg->m_dSPHoehe = H / 2;
    lg->m_dMasse = lg->m_dSPMasse = t;
    lg->m_dPosX = x;
    lg->m_dPosY = y;
    plan->AddLgInfo(std::unique_ptr<tagLGINFO>(lg), false);
    auto* u = new CLadeeinheit(nId);
    u->AddLadung(lg->m_strName.c_str(), lg->m_nNummer, lg);
    plan->InsertLadeeinheit(std::unique_ptr<CLadeeinheit>(u),
                            static_cast<int>(plan->GetLadeeinheiten().size()));
    return u;
}

void Grundeinstellung(CWizardParams& wp, int nVerfahren)
{
    wp.m_nNorm = 0;
    SNormParams::GetStandard(0, &wp.m_Norm);
    wp.m_fReibungOhneMatte = 0.3f;
    wp.m_nVorspannkraft = 250;
    wp.m_nZurrkraft = 1000;
    wp.m_nQuerQuelle = 0;
    wp.m_nVerfahren = nVerfahren;
    wp.m_nNummer = 0;
}

// Top-over lashing over the vehicle's lashing-point pairs beside the unit.
void SichereEinfach(CFahrzeug& v, CLadeeinheit& u)
{
    Grundeinstellung(u.m_Wizard, 0);
    u.m_Wizard.m_nNummer = u.GetId();
    u.CalcAbmessungen();
    double x = 0, y = 0, L = 0, B = 0, H = 0, M = 0;
    u.GetAbmessungen(&x, &y, &L, &B, &H, &M);
    v.AddRandabstand(&x, &y);
    u.m_ZPPtrTupel.clear();
    v.CollectZurrpunktPaare(x, x + L, u.m_ZPPtrTupel);
}

// Direct lashing: each corner to the vehicle's lashing point of its side nearest to it.
void SichereDirekt(CFahrzeug& v, CLadeeinheit& u)
{
    Grundeinstellung(u.m_Wizard, 1);
    u.m_Wizard.m_nNummer = u.GetId();
    u.CalcAbmessungen();
    for (int i = 0; i < 4; ++i) {
        double ax = 0, ay = 0;
        u.GetAnschlagpunktPos(i, &ax, &ay, nullptr);
        v.AddRandabstand(&ax, &ay);
        const bool bLinks = i >= 2, bVorn = i == 0 || i == 2;
        // A corner's lashing leads away from the unit, forward from a front corner and back from a rear
        // one, where the load area has a point there.
        CZurrpunkt* best = nullptr;
        for (bool bRichtung : {true, false}) {
            double dBest = 1e9;
            for (CZurrpunkt* p : v.GetZurrpunktListe()) {
                if (((p->m_nFlags & CZurrpunkt::kLinks) != 0) != bLinks)
                    continue;
                const double dx = p->GetPosX() - ax;
                if (bRichtung && (bVorn ? dx > 0.0 : dx < 0.0))
                    continue;
                if (std::fabs(dx) < dBest) {
                    dBest = std::fabs(dx);
                    best = p;
                }
            }
            if (best)
                break;
        }
        u.SetZurrpunkt(i, 0, best);
    }
}

std::string Lies(const std::string& path)
{
    QFile f(QString::fromStdString(path));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll().toStdString();
}

// The page as Qt's HTML renderer shows it, `breite` pixels wide.
QImage Rendere(const std::string& html, const QString& ordner, int breite, QString* pText = nullptr)
{
    QTextDocument doc;
    doc.setBaseUrl(QUrl::fromLocalFile(ordner + QLatin1Char('/')));
    doc.setHtml(QString::fromStdString(html));
    doc.setTextWidth(breite);
    QImage img(breite, static_cast<int>(std::ceil(doc.size().height())), QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    doc.drawContents(&p);
    p.end();
    if (pText)
        *pText = doc.toPlainText();
    return img;
}

bool HatFarbe(const QImage& img, const QColor& c)
{
    for (int y = 0; y < img.height(); y += 2)
        for (int x = 0; x < img.width(); x += 2)
            if (img.pixelColor(x, y) == c)
                return true;
    return false;
}

// A rigid truck with a 7.2 x 2.48 m load area and lashing points every 0.5 m along both sides.
std::unique_ptr<CFahrzeug> Lkw()
{
    auto f = std::make_unique<CZugmaschine>();
    f->m_nArt = 0;
    f->m_strName = "HH-QR 1234 <Kühlkoffer> & Co";
    f->m_nAchsanzahl = 2;
    f->m_Achsen[0] = {1.2, 4.0, 8.0};
    f->m_Achsen[1] = {3.6, 3.0, 11.5};
    f->m_dZulGesamtgewicht = 18.0;
    f->m_dLFLaenge = 7.2;
    f->m_fLFBreite = 2.48f;
    f->m_pQor = new CQOR(f.get(), 0, "Plan");
    int nr = 1;
    for (bool bLinks : {false, true}) {
        nr = 1;
        for (double x = 0.25; x < 7.2; x += 0.5) {
            auto* p = new CZurrpunkt(7.2, 2.48);
            p->m_nFlags = CZurrpunkt::kVonVorn | (bLinks ? CZurrpunkt::kLinks : 0);
            p->m_dAbstandLaengs = x;
            p->m_dAbstandQuer = 0.04;
            p->m_dZulKraft = 2000.0;
            p->m_nNummer = nr++;
            f->m_Zurrpunkte.emplace_back(p);
        }
    }
    return f;
}

class LgspReportPageTest : public ::testing::Test
{
public:
    void SetUp() override
    {
        ASSERT_TRUE(m_ordner.isValid());
        m_alteOrdner = GetProgramFolders();
        SetProgramFolders({m_alteOrdner.program, m_ordner.path().toStdString()});
        QDir().mkpath(QStringLiteral(QOR_TEST_ARTIFACT_DIR));
    }
    void TearDown() override { SetProgramFolders(m_alteOrdner); }

    QTemporaryDir m_ordner;
    ProgramFolders m_alteOrdner;
    ScopedDialogTemplateModule m_modul{UiTestModule()};
};

// The templates hold their markers in the order the report fills them, so every one is filled.
TEST_F(LgspReportPageTest, ReportsOfACodeBuiltTruckShowTheirFigures)
{
    CQOR1Doc doc;
    doc.SetFahrzeug(Lkw().release());
    CFahrzeug& v = *doc.GetFahrzeug();
    CLadeeinheit* palette = Platziere(v, 1, "Euro pallet", 1.2, 0.8, 1.4, 0.6, 0.1, 0.84);
    CLadeeinheit* kiste = Platziere(v, 2, "Crate", 2.0, 1.2, 1.6, 1.8, 2.6, 0.64);
    doc.OnDocumentOpened();
    SichereEinfach(v, *palette);
    SichereDirekt(v, *kiste);
    // The crate's rear left point is a weak one: the page lists that defect.
    CZurrpunkt* schwach = kiste->GetZurrpunkt(3, 0);
    ASSERT_TRUE(schwach);
    schwach->m_dZulKraft = 150.0;

    CLgspReport report(&doc);
    ASSERT_FALSE(report.m_strKopf.empty());
    ASSERT_TRUE(report.SelectFahrzeug(1));
    struct Seite
    {
        CLadeeinheit* u;
        const char* name;
        std::string html;
    } seiten[] = {{palette, "lgsp_report_simple", {}}, {kiste, "lgsp_report_direct", {}}};
    for (Seite& s : seiten) {
        SCOPED_TRACE(s.name);
        report.SetLadeeinheit(s.u);
        report.SetSketchRenderer(
            [&](const std::string& path, int, CFahrzeug& fahrzeug, CLadeeinheit& einheit) {
                EXPECT_EQ(&fahrzeug, &v);
                EXPECT_EQ(&einheit, s.u);
                return ZeichneSkizze(path, fahrzeug, einheit);
            });
        std::string pfad;
        ASSERT_TRUE(report.WriteHtml(s.name, true, 0, 800, true, &pfad));
        EXPECT_EQ(pfad, m_ordner.filePath(QString::fromLatin1(s.name) + ".html").toStdString());
        s.html = Lies(pfad);
        ASSERT_FALSE(s.html.empty());
        const SLgspWerte& w = *report.GetWerte();
        EXPECT_EQ(w.m_bGueltig, 1);
        // Every marker is filled; a page with defects keeps the markers of its hidden blocks unfilled.
        std::string rest = s.html;
        for (const char* frei : {"<!--$invisibleWarnungen-->", "<!--$Maengel-->"})
            for (std::size_t at; (at = rest.find(frei)) != std::string::npos;)
                rest.erase(at, std::string(frei).size());
        EXPECT_EQ(rest.find("<!--$"), std::string::npos) << rest.substr(rest.find("<!--$"), 40);
        EXPECT_EQ(rest.find("<!--FSjn"), std::string::npos);
        EXPECT_NE(s.html.find("HH-QR 1234 &lt;Kühlkoffer&gt; &amp; Co"), std::string::npos);
        EXPECT_NE(s.html.find("width=\"800\""), std::string::npos) << "the sketch is scaled to 800 pixels";
    }

    // The simple page: no defects, its warnings hidden; the direct page lists the weak point.
    EXPECT_EQ(palette->CountMaengel(1), 0);
    EXPECT_NE(seiten[0].html.find("class=\"warnung invisible\""), std::string::npos);
    // The rear lashings of the 1.8 t crate need some 1200 daN: more than the 1000 daN device and the weak
    // point.
    ASSERT_EQ(kiste->CountMaengel(1), 2);
    EXPECT_EQ(kiste->m_Maengel[0]->m_nCode, 6);
    EXPECT_EQ(kiste->m_Maengel[1]->m_nCode, 1);
    EXPECT_EQ(seiten[1].html.find("invisible\""), std::string::npos);

    for (const Seite& s : seiten) {
        SCOPED_TRACE(s.name);
        QString text;
        const QImage bild = Rendere(s.html, m_ordner.path(), 860, &text);
        EXPECT_TRUE(bild.save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/") + s.name + ".png"));
        QFile seite(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/") + s.name + ".html");
        EXPECT_TRUE(seite.open(QIODevice::WriteOnly) && seite.write(s.html.data(), s.html.size()) > 0);
        EXPECT_TRUE(HatFarbe(bild, kEinheitFarbe)) << "the sketch shows";
        EXPECT_TRUE(text.contains(QStringLiteral("HH-QR 1234 <Kühlkoffer> & Co")));
    }
}

// End to end over the sample files the program ships: each sample vehicle loaded from its file, a euro
// pallet and a mesh box pallet from the sample load units placed on its plan, the document opened over it,
// the pallet secured by top-over lashing and the mesh box by direct lashing, and both reports written.
TEST_F(LgspReportPageTest, EverySampleVehicleEndToEnd)
{
    const QString samples = QCoreApplication::applicationDirPath() + QStringLiteral("/Samples");
    const QStringList dateien = QDir(samples + QStringLiteral("/Vehicles"))
                                    .entryList({QStringLiteral("*.qor")}, QDir::Files, QDir::Name);
    ASSERT_FALSE(dateien.isEmpty()) << "no sample vehicles in " << samples.toStdString();
    tagItemData ep, gb;
    ASSERT_TRUE(LoadItemDataFile((samples + QStringLiteral("/Load units/EP.lgs")).toStdString(), ep));
    ASSERT_TRUE(LoadItemDataFile((samples + QStringLiteral("/Load units/GB.lgs")).toStdString(), gb));

    int nBerichte = 0;
    for (const QString& datei : dateien) {
        SCOPED_TRACE(datei.toStdString());
        std::unique_ptr<CFahrzeug> f =
            LoadFahrzeugFromFile((samples + QStringLiteral("/Vehicles/") + datei).toStdString(), 0, nullptr,
                                 nullptr, false, nullptr);
        ASSERT_TRUE(f);
        CQOR1Doc doc;
        const bool bZugmaschine = f->GetArt() == FahrzeugArt::kSattelzugmaschine;
        doc.SetFahrzeug(f.release());
        CFahrzeug& v = *doc.GetFahrzeug();
        CLgspReport report(&doc);
        if (bZugmaschine) {
            EXPECT_FALSE(report.SelectFahrzeug(1)) << "a semi-trailer tractor has no load area";
            continue;
        }
        ASSERT_TRUE(v.GetQor());
        const double b = v.GetLFBreite() - v.GetRandabstand(5);
        // The mesh box near the front wall, whose front points take its forward lashings; the pallet behind.
        CLadeeinheit* gitterbox = Platziere(v, 1, gb.m_strName.c_str(), gb.m_dLaenge, gb.m_dBreite,
                                            gb.m_dHoehe, gb.m_dMasse, 0.3, (b - gb.m_dBreite) / 2);
        CLadeeinheit* palette = Platziere(v, 2, ep.m_strName.c_str(), ep.m_dLaenge, ep.m_dBreite, ep.m_dHoehe,
                                          ep.m_dMasse, 0.3 + gb.m_dLaenge + 0.5, (b - ep.m_dBreite) / 2);
        doc.OnDocumentOpened();
        EXPECT_NEAR(v.GetQorMasse(), ep.m_dMasse + gb.m_dMasse, 1e-9);
        SichereEinfach(v, *palette);
        SichereDirekt(v, *gitterbox);

        ASSERT_TRUE(report.SelectFahrzeug(1));
        for (CLadeeinheit* u : {palette, gitterbox}) {
            const bool bEinfach = u == palette;
            SCOPED_TRACE(bEinfach ? "top-over lashing" : "direct lashing");
            report.SetLadeeinheit(u);
            report.SetSketchRenderer(
                [](const std::string& path, int, CFahrzeug& fahrzeug, CLadeeinheit& einheit) {
                    return ZeichneSkizze(path, fahrzeug, einheit);
                });
            const std::string name =
                datei.section(QLatin1Char('.'), 0, 0).toStdString() + (bEinfach ? "_simple" : "_direct");
            std::string pfad;
            ASSERT_TRUE(report.WriteHtml(name, true, 0, 800, true, &pfad));
            const std::string html = Lies(pfad);
            ASSERT_FALSE(html.empty());
            ++nBerichte;
            const SLgspWerte& w = *report.GetWerte();
            EXPECT_EQ(w.m_nVerfahren, bEinfach ? 0 : 1);
            EXPECT_EQ(w.m_bGueltig, 1) << "the sample's lashing points allow the calculation";
            std::string rest = html;
            for (const char* frei : {"<!--$invisibleWarnungen-->", "<!--$Maengel-->"})
                for (std::size_t at; (at = rest.find(frei)) != std::string::npos;)
                    rest.erase(at, std::string(frei).size());
            EXPECT_EQ(rest.find("<!--$"), std::string::npos);

            // The page shows the figures computed.
            QString text;
            const QImage bild = Rendere(html, m_ordner.path(), 860, &text);
            EXPECT_TRUE(HatFarbe(bild, kEinheitFarbe)) << "the sketch shows";
            EXPECT_TRUE(text.contains(QString::fromStdString(v.m_strName)));
            EXPECT_TRUE(text.contains(QStringLiteral("%1 kg").arg(w.m_fMasse, 0, 'f', 0)));
            if (bEinfach) {
                EXPECT_GE(w.m_nZurrmittel, 2);
                EXPECT_NE(html.find("<span class=\"fett\">" + std::to_string(w.m_nZurrmittel) + "</span>"),
                          std::string::npos);
            } else {
                for (int i = 0; i < 4; ++i)
                    EXPECT_GT(w.m_Zusammenfassung[i].m_fLcMax, 0.0f) << "corner " << i;
                char lc[32];
                std::snprintf(lc, sizeof lc, "%.0f", w.m_Zusammenfassung[0].m_fLcMax / 10.0);
                EXPECT_TRUE(text.contains(QString::fromLatin1(lc)));
            }
            // Defects found are listed, none hidden.
            EXPECT_EQ(html.find("class=\"warnung invisible\"") != std::string::npos, u->CountMaengel(1) == 0);
            if (nBerichte <= 2 || datei.startsWith(QStringLiteral("SAH"))) {
                EXPECT_TRUE(bild.save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/lgsp_sample_") +
                                      QString::fromStdString(name) + QStringLiteral(".png")));
            }
        }
    }
    EXPECT_GE(nBerichte, 2 * (dateien.size() - 1));
}

} // namespace
