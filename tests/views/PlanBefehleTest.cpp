// The loading plan's commands, keys and private messages, sent to an offscreen view of the sample truck.
#include "ViewSeamFakes.h"
#include "ViewTestSupport.h"

#include "tests/support/views/StandInViews.h"
#include "views/CPlanToolTip.h"
#include "views/CQOR1View.h"
#include "views/CQOR2View.h"
#include "views/CTabbedViewView.h"
#include "views/CViewDruck.h"
#include "views/CWndSliderFactory.h"
#include "views/CWndValueSlider.h"
#include "views/PlanAusrichtEvent.h"
#include "views/PlanMasseEvent.h"
#include "views/PositionsReglerEvent.h"
#include "views/SliderValueEvent.h"

#include "SampleVehicles.h"
#include "model/base/AngleMath.h"
#include "model/base/ProgramFolders.h"
#include "model/document/CQOR1Doc.h"
#include "model/document/DocumentHost.h"
#include "model/files/FahrzeugImpExp.h"
#include "model/plan/CPlanAnzeige.h"
#include "model/plan/CQOR.h"
#include "model/plan/FsmAnlage.h"
#include "model/plan/LoadUnitTypes.h"
#include "model/plan/PlanEingabe.h"
#include "model/plan/tagLGINFO.h"
#include "model/text/HtmlText.h"
#include "model/text/TextFormat.h"
#include "model/text/TextProvider.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"
#include "model/vehicle/SNutzbareLF.h"
#include "platform/MenuResource.h"
#include "platform/ResourceModule.h"
#include "tests/support/SampleDocument.h"
#include "ui/CWndSlider.h"
#include "ui/CommandEvent.h"
#include "ui/ProgramRun.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// The plan view with its questions and messages answered and recorded instead of shown.
class BefehlsView : public CQOR2View
{
public:
    using CQOR2View::CQOR2View;
    std::vector<std::string> fragen;
    bool bAntwort = true;
    bool bHaken = false;
    std::vector<std::string> stopps;
    std::vector<std::string> einheiten;

protected:
    bool FrageLoeschen(const std::string& /*caption*/, const std::string& text, bool& bNichtMehr) override
    {
        fragen.push_back(text);
        bNichtMehr = bHaken;
        return bAntwort;
    }
    void MeldeStopp(const std::string& /*caption*/, const std::string& text) override
    {
        stopps.push_back(text);
    }
    void MeldeLadeeinheit(const std::string& /*caption*/, const std::string& text) override
    {
        einheiten.push_back(text);
    }
    void MeldeInfo(const std::string& /*caption*/, const std::string& /*text*/) override {}
    void ZeigeHilfe() override { ++nHilfe; }

public:
    int nHilfe = 0;
};

class PlanBefehleTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto f = LoadSampleVehicle("LKW");
        ASSERT_TRUE(f);
        ASSERT_TRUE(f->GetQor());
        doc.SetHost(&host);
        doc.SetFahrzeug(f.release());
        doc.OnDocumentOpened();
        view = std::make_unique<BefehlsView>(&doc);
        view->SetProgramRun(&run);
        view->resize(1400, 700);
    }

    CQOR& Plan() { return *doc.GetFahrzeug()->GetQor(); }

    tagLGINFO* Last(const char* name, double x, double y, double t, int nTyp = 0, int nNummer = -1)
    {
        auto* p = new tagLGINFO;
        p->m_strName = name;
        p->m_nTyp = nTyp;
        p->m_dLaenge = 1.0;
        p->m_dBreite = 0.8;
        p->m_dHoehe = 1.0;
        p->m_dSPLaenge = 0.5;
        p->m_dSPBreite = 0.4;
        p->m_dMasse = t;
        p->m_dSPMasse = t;
        p->m_dPosX = x;
        p->m_dPosY = y;
        Plan().AddLgInfo(std::unique_ptr<tagLGINFO>(p), false);
        p->m_nNummer = nNummer;
        return p;
    }

    void Taste(int nKey, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QKeyEvent e(QEvent::KeyPress, nKey, mods);
        QCoreApplication::sendEvent(view.get(), &e);
    }

    void Aktuell(tagLGINFO* p)
    {
        view->SetHover(p);
        view->SetAktuellFromHover();
        view->SetHover(nullptr);
    }

    size_t Anzahl() { return Plan().GetLgInfos().size(); }

    EnglishModule module;
    DocumentHost host;
    CQOR1Doc doc;
    ProgramRun run;
    std::unique_ptr<BefehlsView> view;
};

} // namespace

TEST_F(PlanBefehleTest, DeleteAsksByTheSelectionAndDeletesOnlyOnYes)
{
    struct Fall
    {
        const char* name;
        std::vector<int> typen; // selected loads by type code
        int nNummer;
        std::function<std::string()> text;
    };
    const std::string typ0 = GetLadungTypText(0, 0);
    const std::vector<Fall> faelle = {
        {"several loads", {0, 1, 2}, -1, [] { return FormatResChecked(33, {3}); }},
        {"form-fit among them", {0, 5}, -1, [] { return FormatResChecked(451, {2}); }},
        {"all form-fit", {5, 6}, -1, [] { return FormatResChecked(449, {2}); }},
        {"one with number",
         {0},
         4,
         [&] {
             return FormatResChecked(35, {std::string("L0"), 4, typ0});
         }},
        {"one without number",
         {0},
         -1,
         [&] {
             return FormatResChecked(34, {std::string("L0"), typ0});
         }},
        {"one user form-fit by name", {6}, -1, [] { return FormatResChecked(529, {std::string("L0")}); }},
        {"one form-fit by type", {5}, -1, [] { return FormatResChecked(529, {GetLadungTypText(5, 0)}); }},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        Plan().m_LgInfos.clear();
        Last("Other", 7.0, 0.0, 0.3); // not selected, stays
        for (size_t i = 0; i < fall.typen.size(); ++i)
            Last(("L" + std::to_string(i)).c_str(), 1.1 * static_cast<double>(i), 0.0, 0.5, fall.typen[i],
                 fall.nNummer)
                ->m_bSelected = 1;
        view->fragen.clear();
        view->bAntwort = false;
        view->OnBefehl(32863);
        ASSERT_EQ(view->fragen.size(), 1u);
        EXPECT_EQ(view->fragen[0], fall.text());
        EXPECT_EQ(Anzahl(), fall.typen.size() + 1) << "no keeps every load";
        view->bAntwort = true;
        Taste(Qt::Key_Delete);
        EXPECT_EQ(view->fragen.size(), 2u);
        EXPECT_EQ(Anzahl(), 1u);
    }
}

TEST_F(PlanBefehleTest, ShiftAndTheTickedBoxSkipTheQuestion)
{
    Last("A", 0.0, 0.0, 0.5)->m_bSelected = 1;
    Taste(Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_TRUE(view->fragen.empty());
    EXPECT_EQ(Anzahl(), 0u);

    // A plain key lets the application see Shift released again.
    Taste(Qt::Key_A);
    // Ticked but answered no: nothing deleted, and the question does not come again.
    Last("B", 0.0, 0.0, 0.5)->m_bSelected = 1;
    view->bHaken = true;
    view->bAntwort = false;
    view->OnBefehl(33311);
    EXPECT_EQ(view->fragen.size(), 1u);
    EXPECT_EQ(Anzahl(), 1u);
    view->OnBefehl(33311);
    EXPECT_EQ(view->fragen.size(), 1u);
    EXPECT_EQ(Anzahl(), 0u);
}

TEST_F(PlanBefehleTest, TheTickedDeleteQuestionStaysOffForItsRunOnly)
{
    // Two runs of the program, each with a view; a view of the first run made later.
    ProgramRun erster, zweiter;
    view->SetProgramRun(&erster);
    BefehlsView andere(&doc);
    andere.SetProgramRun(&zweiter);
    view->bHaken = true;
    Last("A", 0.0, 0.0, 0.5)->m_bSelected = 1;
    view->OnBefehl(33311);
    ASSERT_EQ(view->fragen.size(), 1u);
    EXPECT_TRUE(erster.GetAntworten().bLoeschenNichtFragen);
    EXPECT_FALSE(zweiter.GetAntworten().bLoeschenNichtFragen);

    struct Fall
    {
        const char* name;
        BefehlsView* pView;
        bool bGefragt;
    };
    BefehlsView spaeter(&doc);
    spaeter.SetProgramRun(&erster);
    const Fall faelle[] = {{"the same view", view.get(), false},
                           {"another view of the run", &spaeter, false},
                           {"a view of the next run", &andere, true}};
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        const std::size_t vorher = fall.pView->fragen.size();
        Last("B", 0.0, 0.0, 0.5)->m_bSelected = 1;
        fall.pView->OnBefehl(33311);
        EXPECT_EQ(fall.pView->fragen.size(), vorher + (fall.bGefragt ? 1 : 0));
        EXPECT_EQ(Anzahl(), 0u);
    }
}

TEST_F(PlanBefehleTest, AFormFitItemOfALoadUnitIsNotDeleted)
{
    tagLGINFO* p = Last("Wedge", 0.0, 0.0, 0.1, LADUNGTYP_FSM_FIRST);
    p->SetLeId(3);
    p->m_bSelected = 1;
    view->SetHover(p);
    Taste(Qt::Key_Delete, Qt::ShiftModifier);
    ASSERT_EQ(view->einheiten.size(), 1u);
    EXPECT_EQ(view->einheiten[0], FormatResChecked(621, {3}));
    EXPECT_EQ(Anzahl(), 1u);
    // Its edit is refused the same way.
    view->OnBefehl(33310);
    ASSERT_EQ(view->einheiten.size(), 2u);
    EXPECT_TRUE(view->stopps.empty());
    // Nothing selected: nothing asked, nothing deleted.
    view->SetHover(nullptr);
    p->m_bSelected = 0;
    Taste(Qt::Key_Delete);
    EXPECT_TRUE(view->fragen.empty());
    EXPECT_EQ(Anzahl(), 1u);
}

TEST_F(PlanBefehleTest, ArrowsMoveTheSelectionByTheirStep)
{
    struct Fall
    {
        int nKey;
        Qt::KeyboardModifiers mods;
        double dx, dy;
    };
    const Fall faelle[] = {
        {Qt::Key_Right, Qt::NoModifier, 0.01, 0.0},
        {Qt::Key_Left, Qt::NoModifier, -0.01, 0.0},
        {Qt::Key_Down, Qt::ShiftModifier, 0.0, 0.1},
        {Qt::Key_Up, Qt::ShiftModifier, 0.0, -0.1},
        {Qt::Key_Right, Qt::ShiftModifier | Qt::ControlModifier, 1.0, 0.0},
        // Ctrl alone without a current load moves by one centimetre.
        {Qt::Key_Down, Qt::ControlModifier, 0.0, 0.01},
    };
    tagLGINFO* p = Last("Box", 3.0, 0.5, 0.5);
    p->m_bSelected = 1;
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.nKey);
        const double x = p->m_dPosX, y = p->m_dPosY;
        const int n = view->m_nBenachrichtigungen;
        Taste(f.nKey, f.mods);
        EXPECT_NEAR(p->m_dPosX, x + f.dx, 1e-9);
        EXPECT_NEAR(p->m_dPosY, y + f.dy, 1e-9);
        EXPECT_EQ(view->m_nBenachrichtigungen, n + 1);
    }
}

TEST_F(PlanBefehleTest, CtrlUpAndDownChangeTheCurrentLoadsMassWithinItsLimits)
{
    struct Fall
    {
        double t;
        int nKey;
        double erwartet;
    };
    const Fall faelle[] = {{39.95, Qt::Key_Down, 40.0}, {0.05, Qt::Key_Up, 0.0}, {1.0, Qt::Key_Down, 1.1}};
    tagLGINFO* p = Last("Box", 3.0, 0.5, 0.5);
    Aktuell(p);
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.t);
        p->m_dMasse = f.t;
        Taste(f.nKey, Qt::ControlModifier);
        EXPECT_NEAR(p->m_dMasse, f.erwartet, 1e-9);
        EXPECT_NEAR(p->m_dSPMasse, f.erwartet, 1e-9);
        EXPECT_DOUBLE_EQ(p->m_dPosX, 3.0) << "the load does not move";
    }
    // Ctrl+Right turns the current load.
    Taste(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(p->m_nDrehung, 90);
}

TEST_F(PlanBefehleTest, TheMassSliderMessageTakesOnlyAValueInRange)
{
    tagLGINFO* p = Last("Box", 3.0, 0.5, 0.5);
    Aktuell(p);
    SliderValueEvent gut(0x8080, 2.5);
    QCoreApplication::sendEvent(view.get(), &gut);
    EXPECT_DOUBLE_EQ(p->m_dMasse, 2.5);
    double zuViel = 120.0;
    EXPECT_FALSE(view->SetzeMasse(zuViel));
    EXPECT_DOUBLE_EQ(zuViel, 2.5) << "the slider gets the load's mass back";
    SliderValueEvent schlecht(0x8080, -1.0);
    QCoreApplication::sendEvent(view.get(), &schlecht);
    EXPECT_DOUBLE_EQ(p->m_dMasse, 2.5);
}

TEST_F(PlanBefehleTest, DisplayCommandsWriteThePlansOptions)
{
    CPlanAnzeige anz(Plan());
    struct Fall
    {
        int nId;
        std::function<bool()> lesen;
    };
    const Fall toggles[] = {
        {32875, [&] { return anz.GetRichtungZeigen(); }},    {32892, [&] { return anz.GetZulBereich(); }},
        {32907, [&] { return anz.GetLadungenZeigen(); }},    {2000, [&] { return anz.GetNurUmrisse(); }},
        {32872, [&] { return anz.GetSchwerpunktZeigen(); }},
    };
    for (const Fall& f : toggles) {
        SCOPED_TRACE(f.nId);
        const bool vorher = f.lesen();
        EXPECT_TRUE(view->OnBefehl(f.nId));
        EXPECT_EQ(f.lesen(), !vorher);
        view->OnBefehl(f.nId);
        EXPECT_EQ(f.lesen(), vorher);
    }
    // The grid toggle sets its labels alike; labels on switch the grid on.
    anz.SetRasterZeigen(false);
    anz.SetRasterBeschriftung(true);
    view->OnBefehl(32894);
    EXPECT_TRUE(anz.GetRasterZeigen());
    EXPECT_TRUE(anz.GetRasterBeschriftung());
    view->OnBefehl(32894);
    EXPECT_FALSE(anz.GetRasterBeschriftung());
    view->OnBefehl(32908);
    EXPECT_TRUE(anz.GetRasterZeigen());
    // Origin sides and a preset, each showing the grid.
    anz.SetRasterZeigen(false);
    view->OnBefehl(32897);
    EXPECT_EQ(anz.GetRasterSeite(), 2);
    EXPECT_TRUE(anz.GetRasterZeigen());
    view->OnBefehl(32895);
    EXPECT_EQ(anz.GetRasterSeite(), 0);
    anz.SetRasterZeigen(false);
    view->OnBefehl(33340);
    EXPECT_DOUBLE_EQ(anz.GetRasterX(), 0.8);
    EXPECT_DOUBLE_EQ(anz.GetRasterY(), 1.2);
    EXPECT_TRUE(anz.GetRasterZeigen());
    // View toggles and an unknown id.
    const bool bRampe = view->m_bRampenModus;
    view->OnBefehl(32862);
    EXPECT_NE(view->m_bRampenModus, bRampe);
    EXPECT_FALSE(view->OnBefehl(12345));
}

TEST_F(PlanBefehleTest, ARefusedTurnTellsWhyAndLeavesTheLoad)
{
    // 3.0 m long across a 2.4 m wide area cannot turn.
    tagLGINFO* p = Last("Beam", 2.0, 0.0, 0.5);
    p->m_dLaenge = 3.0;
    p->m_bSelected = 1;
    view->OnBefehl(32867);
    ASSERT_EQ(view->stopps.size(), 1u);
    EXPECT_EQ(view->stopps[0], FormatS("$S $S", 2, 38u, 300u));
    EXPECT_EQ(p->m_nDrehung, 0);
    // Turning by 180 keeps it in place.
    view->OnBefehl(32868);
    EXPECT_EQ(view->stopps.size(), 1u);
}

TEST_F(PlanBefehleTest, AlignAndCentreAcrossMoveTheSelection)
{
    tagLGINFO* p = Last("Box", 3.0, 0.5, 0.5);
    EXPECT_EQ(view->AntwortAusrichten(0), 0) << "no selection";
    p->m_bSelected = 1;
    view->AusrichtenAuf(0, 0.5004);
    EXPECT_NEAR(p->m_dPosX, 0.5, 1e-9);
    EXPECT_EQ(view->AntwortAusrichten(0), 501);
    view->OnBefehl(33345);
    // Side A and side B now lie within a centimetre of each other.
    EXPECT_LE(std::abs(view->AntwortAusrichten(1) - view->AntwortAusrichten(3)), 10);
}

TEST_F(PlanBefehleTest, ToolTipFillsEveryMarkerEscaped)
{
    tagLGINFO* p = Last("Box <b>&\"", 1.234, 0.5, 0.75);
    p->m_strText = "<script>x</script>";
    const std::string html = CPlanToolTip::Html(view->GetHtmlVorlageLg(), *p, doc.GetFahrzeug());
    EXPECT_EQ(html.find("<!--$"), std::string::npos) << html;
    EXPECT_NE(html.find(EscapeHtml("Box <b>&\"")), std::string::npos);
    EXPECT_EQ(html.find("<b>&"), std::string::npos);
    EXPECT_NE(html.find(EscapeHtml("<script>x</script>")), std::string::npos);
    EXPECT_EQ(html.find("<script>"), std::string::npos);
    EXPECT_NE(html.find("From the front: 1234 "), std::string::npos) << "distance from the front in mm";
    EXPECT_NE(html.find("Mass: 750 "), std::string::npos) << "mass in kg";

    // A special item fills its own markers; an empty remark keeps its marker.
    tagLGINFO* s = Last("Wedge", 3.0, 0.0, 0.1, LADUNGTYP_FSM_USER);
    const std::string fsm = CPlanToolTip::Html(view->GetHtmlVorlageFsm(), *s, doc.GetFahrzeug());
    const size_t bem = fsm.find("<!--$");
    ASSERT_NE(bem, std::string::npos);
    EXPECT_EQ(fsm.compare(bem, 9, "<!--$Bem "), 0) << fsm;
    EXPECT_EQ(fsm.find("<!--$", bem + 1), std::string::npos);
    const std::string vorlage = view->GetHtmlVorlageFsm();
    EXPECT_EQ(fsm.substr(bem), vorlage.substr(vorlage.find("<!--$Bem")));

    // Kept for people to look at.
    QTextDocument d;
    d.setHtml(QString::fromStdString(html));
    d.setTextWidth(350);
    QImage img(d.size().toSize(), QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter painter(&img);
    d.drawContents(&painter);
    painter.end();
    QDir().mkpath(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/views"));
    EXPECT_TRUE(img.save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/views/plan_tooltip.png")));
}

TEST_F(PlanBefehleTest, ToolTipShowsThePictureOfTheLoadsType)
{
    // The standard pictures lie beside the program, under Samples.
    struct Ordner
    {
        const ProgramFolders alt = GetProgramFolders();
        Ordner()
        {
            ProgramFolders neu = alt;
            neu.program = std::filesystem::path(QOR_SAMPLES_DIR).parent_path();
            SetProgramFolders(neu);
        }
        ~Ordner() { SetProgramFolders(alt); }
    } ordner;
    tagLGINFO* p = Last("Pallet", 1.0, 0.5, 0.4);
    std::string pfad;
    int w = 0, h = 0;
    p->GetBildDatei(pfad, &w, &h);
    ASSERT_GT(w, 0) << pfad;
    const std::string html = CPlanToolTip::Html(view->GetHtmlVorlageLg(), *p, doc.GetFahrzeug());
    ASSERT_NE(html.find("<img src=\"file:"), std::string::npos) << html;

    // Qt's text renderer, which the tool tip uses, loads the local file: the picture's cell is not blank.
    QTextDocument d;
    d.setHtml(QString::fromStdString(html));
    d.setTextWidth(350);
    QImage img(d.size().toSize(), QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter painter(&img);
    d.drawContents(&painter);
    painter.end();
    QDir().mkpath(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/views"));
    EXPECT_TRUE(img.save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/views/plan_tooltip_picture.png")));
    int w2 = 0, h2 = 0;
    FitSizeKeepAspect(w, h, CPlanToolTip::kBildBreite, CPlanToolTip::kBildHoehe, true, w2, h2);
    EXPECT_GE(img.height(), h2) << "the row holds the picture";
    // Below the name row the first column holds the picture alone, fitted into its box: coloured pixels
    // (the text is black on grey or white) only there, and more than a broken-picture sign has.
    const auto farbig = [](QRgb c) { return qRed(c) != qGreen(c) || qGreen(c) != qBlue(c); };
    int nBild = 0, nDaneben = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (farbig(img.pixel(x, y)))
                ++(x < w2 + 6 && y < h2 + 40 ? nBild : nDaneben);
    EXPECT_GT(nBild, w2 * h2 / 4);
    EXPECT_EQ(nDaneben, 0) << "the picture keeps to its box";
}

TEST(PlanToolTip, PictureFitsTheBoxAsAFileUrl)
{
    struct Fall
    {
        int w, h;
        const char* hw;
    };
    const Fall faelle[] = {
        {250, 80, "height=\"40\" width=\"125\""}, {50, 20, "height=\"20\" width=\"50\""}, {0, 20, nullptr}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.w);
        const std::string tag = CPlanToolTip::BildTag("/pics/a b\"><x.png", f.w, f.h);
        if (!f.hw) {
            EXPECT_TRUE(tag.empty());
            continue;
        }
        EXPECT_NE(tag.find(f.hw), std::string::npos) << tag;
        EXPECT_EQ(tag.rfind("<img src=\"file:///pics/a%20b%22%3E%3Cx.png\"", 0), 0u) << tag;
    }
}

namespace {

QAction* Finde(QMenu* m, int nId)
{
    for (QAction* a : m->actions()) {
        if (MenuResource::CommandOf(a) == nId)
            return a;
        if (a->menu())
            if (QAction* b = Finde(a->menu(), nId))
                return b;
    }
    return nullptr;
}

} // namespace

TEST_F(PlanBefehleTest, ContextMenuShowsThePlansStateReadBackFromTheMenu)
{
    tagLGINFO* p = Last("Box", 3.0, 0.5, 0.75);
    tagLGINFO* r = Last("Rest", 6.0, 0.5, 0.25);
    view->RenderPicture(QSize(1400, 700));
    const QPoint leer(view->m_treffer.rcLadeflaeche.left() + 5, view->m_treffer.rcLadeflaeche.top() + 5);
    Taste(Qt::Key_A); // no Ctrl left over from earlier keys
    QString fehler;
    ASSERT_TRUE(MenuResource::Load(245, &fehler)) << fehler.toStdString();
    ASSERT_FALSE(view->m_treffer.rcLadeflaeche.isEmpty());
    const QPoint aufP = view->GetGuiLg().at(p).rc.center();
    CPlanAnzeige anz(Plan());

    // Cell presets: 33340 is marked only within 0.001 of 0.8 x 1.2.
    struct Fall
    {
        double x, y;
        bool b33340;
    };
    const Fall faelle[] = {{0.8, 1.2, true}, {0.8009, 1.1991, true}, {0.802, 1.2, false}, {1.2, 0.8, false}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.x);
        anz.SetRasterX(f.x);
        anz.SetRasterY(f.y);
        std::unique_ptr<QMenu> m(view->KontextMenu(leer));
        ASSERT_TRUE(m);
        EXPECT_EQ(Finde(m.get(), 33340)->isChecked(), f.b33340);
        EXPECT_EQ(Finde(m.get(), 33342)->isChecked(), f.x == 1.2);
    }
    anz.SetRasterZeigen(false);
    anz.SetRasterSeite(2);
    anz.SetLadungenZeigen(true);
    {
        std::unique_ptr<QMenu> m(view->KontextMenu(leer));
        ASSERT_TRUE(m);
        EXPECT_TRUE(Finde(m.get(), 32907)->isChecked());
        EXPECT_TRUE(Finde(m.get(), 32872)->isEnabled());
        EXPECT_FALSE(Finde(m.get(), 32894)->isChecked());
        EXPECT_FALSE(Finde(m.get(), 32895)->isChecked());
        EXPECT_TRUE(Finde(m.get(), 32896)->isChecked());
        EXPECT_EQ(qobject_cast<QMenu*>(Finde(m.get(), 32894)->parent())->title().toStdString(),
                  FormatS("$S ($S)", 2, 28u, 29u));
    }

    // Over a load: only a selected one has a menu; one selected names it, several are a selection.
    EXPECT_EQ(view->KontextMenu(aufP), nullptr);
    p->m_bSelected = 1;
    {
        std::unique_ptr<QMenu> m(view->KontextMenu(aufP));
        ASSERT_TRUE(m);
        EXPECT_EQ(Finde(m.get(), 33010)->text().toStdString(), FormatResChecked(32, {750.0}));
        EXPECT_EQ(Finde(m.get(), 33283)->text().toStdString(), FormatResChecked(31, {std::string("Box")}));
        EXPECT_TRUE(Finde(m.get(), 33283)->isEnabled());
        EXPECT_EQ(view->GetKontext(), p);
    }
    r->m_bSelected = 1;
    {
        std::unique_ptr<QMenu> m(view->KontextMenu(aufP));
        ASSERT_TRUE(m);
        EXPECT_EQ(Finde(m.get(), 33279)->text().toStdString(), FormatS("$S: $S", 2, 33075u, 33076u));
        EXPECT_FALSE(Finde(m.get(), 33283)->isEnabled());
    }
    // Ctrl held: no menu.
    Taste(Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(view->KontextMenu(leer), nullptr);
    Taste(Qt::Key_A);
    std::unique_ptr<QMenu> m(view->KontextMenu(leer));
    EXPECT_TRUE(m);
}

TEST(PlanRegler, StatusColours)
{
    const std::pair<int, COLORREF> faelle[] = {{0, RGB(255, 0, 0)},
                                               {1, RGB(193, 250, 137)},
                                               {2, RGB(249, 241, 136)},
                                               {7, RGB(193, 250, 137)},
                                               {-1, RGB(193, 250, 137)}};
    for (const auto& [n, farbe] : faelle) {
        SCOPED_TRACE(n);
        EXPECT_EQ(CQOR2View::GetStatusFarbe(n), farbe);
    }
}

TEST_F(PlanBefehleTest, PositionSlidersMoveTheCurrentLoadAndColourByTheResult)
{
    ScriptedSliderFactory regler{run};
    tagLGINFO* p = Last("Box", 3.0, 0.5, 0.5);
    tagLGINFO* versteckt = Last("Hidden", 6.0, 0.0, 0.5);
    CPlanAnzeige(Plan()).SetLadungenZeigen(false);
    Aktuell(p);
    const double x = p->m_dPosX, y = view->GetAuswahlY();
    view->ShowPositionsSlider(&x, &y, 1);
    ASSERT_TRUE(view->GetReglerX());
    EXPECT_EQ(regler.m_nLastKind, 12);
    auto* sx = regler.m_pLast;

    SliderValueEvent frei(0x807B, 1.5);
    QCoreApplication::sendEvent(view.get(), &frei);
    EXPECT_DOUBLE_EQ(p->m_dPosX, 1.5);
    EXPECT_EQ(sx->m_colour, CQOR2View::GetStatusFarbe(1));
    // On top of a load the plan does not show: still refused.
    SliderValueEvent belegt(0x807B, versteckt->m_dPosX);
    QCoreApplication::sendEvent(view.get(), &belegt);
    EXPECT_EQ(view->m_nPlatzStatus, 0);
    EXPECT_EQ(sx->m_colour, CQOR2View::GetStatusFarbe(0));

    // Closing with a refused position switches the conflict display on.
    CPlanAnzeige(Plan()).SetAnzeigeBeiKonflikt(false);
    SliderValueEvent zu(SliderValueEvent::kClosed, 0.0);
    QCoreApplication::sendEvent(view.get(), &zu);
    EXPECT_FALSE(view->GetReglerX());
    EXPECT_TRUE(CPlanAnzeige(Plan()).GetAnzeigeBeiKonflikt());

    // Grid side 2: the y slider shows and takes the distance from side B.
    CPlanAnzeige(Plan()).SetRasterSeite(2);
    const CFahrzeug& f = *doc.GetFahrzeug();
    const double W = f.GetLFBreite() - f.GetRandabstand(5);
    p->m_dPosX = 3.0;
    p->m_dPosY = 0.5;
    EXPECT_NEAR(view->GetAuswahlY(), W - 0.5 - 0.8, 1e-6);
    const double yb = view->GetAuswahlY();
    view->ShowPositionsSlider(nullptr, &yb, 2);
    EXPECT_EQ(regler.m_nLastKind, 13);
    SliderValueEvent yEv(0x807C, 0.2);
    QCoreApplication::sendEvent(view.get(), &yEv);
    EXPECT_NEAR(p->m_dPosY, W - 0.2 - 0.8, 1e-6);
    EXPECT_NEAR(view->GetAuswahlY(), 0.2, 1e-6);
}

TEST_F(PlanBefehleTest, WidthSliderClampsAndRecalculatesOncePerChange)
{
    ScriptedSliderFactory regler{run};
    view->OnBefehl(32909);
    EXPECT_EQ(regler.m_nLastKind, 14);
    CFahrzeug& f = *doc.GetFahrzeug();
    struct Fall
    {
        double w, erwartet;
    };
    for (const Fall& fall : {Fall{5.0, 4.0}, Fall{0.5, 0.8}, Fall{2.45, 2.45}}) {
        SCOPED_TRACE(fall.w);
        SliderValueEvent e(0x807E, fall.w);
        QCoreApplication::sendEvent(view.get(), &e);
        EXPECT_NEAR(f.GetLFBreite(), fall.erwartet, 1e-6);
    }
    const int n = view->m_nBenachrichtigungen;
    EXPECT_FALSE(view->SetLadeflaechenBreite(2.45));
    EXPECT_EQ(view->m_nBenachrichtigungen, n);

    // Grid side 2: widening by 0.1 m moves every load 0.1 m across.
    tagLGINFO* p = Last("Box", 3.0, 0.5, 0.5);
    CPlanAnzeige(Plan()).SetRasterSeite(2);
    EXPECT_TRUE(view->SetLadeflaechenBreite(2.55));
    EXPECT_NEAR(p->m_dPosY, 0.6, 1e-6);
    EXPECT_EQ(view->m_nBenachrichtigungen, n + 1);
}

TEST_F(PlanBefehleTest, TheSameWidthIsComparedWithEachVehiclesOwn)
{
    // A width set on one vehicle is still a change for another one.
    ASSERT_TRUE(view->SetLadeflaechenBreite(2.3));
    auto f = LoadSampleVehicle("LKW");
    ASSERT_TRUE(f && f->GetLFBreite() != 2.3f);
    CQOR1Doc andere;
    andere.SetFahrzeug(f.release());
    andere.OnDocumentOpened();
    BefehlsView zweite(&andere);
    const int n = zweite.m_nBenachrichtigungen;
    EXPECT_TRUE(zweite.SetLadeflaechenBreite(2.3));
    EXPECT_NEAR(andere.GetFahrzeug()->GetLFBreite(), 2.3, 1e-6);
    EXPECT_EQ(zweite.m_nBenachrichtigungen, n + 1);
    EXPECT_FALSE(zweite.SetLadeflaechenBreite(2.3));
    EXPECT_EQ(zweite.m_nBenachrichtigungen, n + 1);
}

namespace {

// Counts the paints of a widget.
class PaintZaehler : public QObject
{
public:
    int n = 0;

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++n;
        return QObject::eventFilter(o, e);
    }
};

} // namespace

TEST(PlanBreite, ASemitrailersTemplateViewRepaintsWithTheNewWidth)
{
    EnglishModule module;
    ProgramRun run;
    ScriptedViewShell shell{run};
    ScriptedSliderFactory regler{run};
    CQOR1Doc doc;
    doc.SetFahrzeug(LoadSampleVehicle("SAH").release());
    doc.OnDocumentOpened();
    ASSERT_EQ(doc.GetFahrzeug()->GetArt(), FahrzeugArt::kAuflieger);
    CQOR1View* vorlage = nullptr;
    CQOR2View* plan = nullptr;
    CTabbedViewView host(&doc, [&](int kind, CQOR1Doc* pDoc) -> CGetAnsView* {
        if (kind == CTabbedViewView::kTemplate)
            return vorlage = new CQOR1View(pDoc);
        if (kind == CTabbedViewView::kPlan)
            return plan = new CQOR2View(pDoc);
        return MakeStandInView(kind, pDoc);
    });
    shell.m_pHost = &host;
    host.SetProgramRun(&run);
    host.resize(1200, 900);
    host.show();
    ASSERT_TRUE(vorlage && plan);
    // The template view shown on its own tab, the plan view hidden behind it.
    ASSERT_TRUE(host.SelectTab(host.FindTabOfKind(CTabbedViewView::kTemplate)));
    QCoreApplication::processEvents();
    PaintZaehler zaehler;
    vorlage->viewport()->installEventFilter(&zaehler);
    ASSERT_TRUE(plan->SetLadeflaechenBreite(2.3));
    QCoreApplication::processEvents();
    EXPECT_GT(zaehler.n, 0);
    EXPECT_NEAR(doc.GetFahrzeug()->GetLFBreite(), 2.3, 1e-6);
}

TEST_F(PlanBefehleTest, MassSliderMessageForADeletedLoadDoesNothing)
{
    ScriptedSliderFactory regler{run};
    tagLGINFO* p = Last("Box", 3.0, 0.5, 0.5);
    tagLGINFO* weg = Last("Gone", 6.0, 0.5, 0.5);
    QCoreApplication::postEvent(view.get(), new PlanMasseEvent(weg, 2.0));
    Plan().RemoveLgInfo(weg);
    QCoreApplication::sendPostedEvents(view.get());
    EXPECT_FALSE(view->GetRegler());

    QCoreApplication::postEvent(view.get(), new PlanMasseEvent(p, 1.23456));
    QCoreApplication::sendPostedEvents(view.get());
    ASSERT_TRUE(view->GetRegler());
    EXPECT_EQ(regler.m_nLastKind, 16);
    EXPECT_DOUBLE_EQ(view->GetRegler()->GetValue(), PlanMasseFuerRegler(1.23456));
}

TEST_F(PlanBefehleTest, MassEditUsesTheSliderForOneLoadAndTheDialogForSeveral)
{
    ScriptedSliderFactory regler{run};
    ScriptedPlanDialogs dialoge{run};
    tagLGINFO* p = Last("Box", 3.0, 0.5, 0.5);
    tagLGINFO* r = Last("Rest", 6.0, 0.5, 0.25);
    p->m_bSelected = 1;
    view->OnBefehl(33010);
    ASSERT_TRUE(view->GetRegler());
    EXPECT_EQ(regler.m_nLastKind, 16);
    EXPECT_EQ(dialoge.m_nOpened, 0);
    view->SchliesseRegler();

    r->m_bSelected = 1;
    dialoge.m_dGewicht = 1.75;
    // The weight key of the English module posts the mass edit.
    Taste(Qt::Key_G);
    QCoreApplication::sendPostedEvents(view.get());
    EXPECT_EQ(dialoge.m_nOpened, 0);
    Taste(Qt::Key_W);
    EXPECT_EQ(dialoge.m_nOpened, 0);
    QCoreApplication::sendPostedEvents(view.get());
    EXPECT_EQ(dialoge.m_nOpened, 1);
    EXPECT_DOUBLE_EQ(p->m_dMasse, 1.75);
    EXPECT_DOUBLE_EQ(r->m_dSPMasse, 1.75);
    dialoge.m_bCancel = true;
    view->OnBefehl(33010);
    EXPECT_DOUBLE_EQ(p->m_dMasse, 1.75);
}

namespace {

// Installs the program's real slider factory for one test.
class EchteRegler
{
public:
    explicit EchteRegler(ProgramRun& run) : m_installation(run, m_factory) {}
    EchteRegler(const EchteRegler&) = delete;
    EchteRegler& operator=(const EchteRegler&) = delete;

    static CWndSlider* Fenster(IValueSlider* pRegler)
    {
        auto* p = dynamic_cast<CWndValueSlider*>(pRegler);
        return p ? p->Window() : nullptr;
    }

private:
    CWndSliderFactory m_factory;
    ServiceInstallation<ISliderFactory> m_installation;
};

} // namespace

TEST_F(PlanBefehleTest, AValueTypedIntoARealSliderReachesTheView)
{
    EchteRegler regler{run};
    view->show();
    CFahrzeug& f = *doc.GetFahrzeug();
    tagLGINFO* p = Last("Box", 3.0, 0.5, 0.5);
    struct Fall
    {
        const char* name;
        int nBefehl;
        const char* text;
        std::function<double()> gelesen;
        double erwartet;
        bool bAbgelehnt; // the field stays open with its note until Esc
    };
    const Fall faelle[] = {
        {"width in mm", 32909, "3000", [&] { return f.GetLFBreite(); }, 3.0, false},
        {"width out of range is refused", 32909, "9000", [&] { return f.GetLFBreite(); }, 3.0, true},
        {"mass in kg", 33010, "2500", [&] { return p->m_dMasse; }, 2.5, false},
        {"mass out of range is refused", 33010, "75000", [&] { return p->m_dMasse; }, 2.5, true},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        p->m_bSelected = 1;
        Aktuell(p);
        view->OnBefehl(fall.nBefehl);
        CWndSlider* s = EchteRegler::Fenster(view->GetRegler());
        ASSERT_TRUE(s);
        EXPECT_TRUE(s->isVisible());
        EXPECT_EQ(s->parentWidget(), view.get());
        s->Edit()->setText(QString::fromLatin1(fall.text));
        // Every field is typed into: Return applies a good entry and closes the field; a refused one
        // stays until Esc drops it, which closes the field through the view's closing handler.
        QTest::keyPress(s->Edit(), Qt::Key_Return); // no release: a closed field is gone
        EXPECT_NEAR(fall.gelesen(), fall.erwartet, 1e-9);
        EXPECT_EQ(view->GetRegler() != nullptr, fall.bAbgelehnt);
        if (fall.bAbgelehnt)
            QTest::keyPress(s->Edit(), Qt::Key_Escape);
        EXPECT_FALSE(view->GetRegler());
        EXPECT_TRUE(view->findChildren<CWndSlider*>().isEmpty());
    }
}

TEST_F(PlanBefehleTest, TheDrawnPositionButtonsOpenSlidersThatTakeTheKeyboard)
{
    EchteRegler regler{run};
    view->show();
    view->activateWindow();
    QCoreApplication::processEvents();
    tagLGINFO* p = Last("Box", 3.0, 0.5, 0.5);
    view->RenderFrame();
    EXPECT_TRUE(view->m_treffer.rcBtnX.isEmpty() && view->m_treffer.rcBtnY.isEmpty())
        << "no current load, no buttons";
    Aktuell(p);
    view->RenderFrame();
    const QRect last = view->GetGuiLg().at(p).rc, la = view->m_treffer.rcLadeflaeche;
    // Outside the load area, where no load covers them, lined up with the load's front and upper edge.
    EXPECT_EQ(view->m_treffer.rcBtnX.left(), last.left());
    EXPECT_LT(view->m_treffer.rcBtnX.bottom(), la.top());
    EXPECT_EQ(view->m_treffer.rcBtnY.top(), last.top());
    EXPECT_LT(view->m_treffer.rcBtnY.right(), la.left());
    EXPECT_GE(view->m_treffer.rcBtnY.left(), 0);
    EXPECT_GE(view->m_treffer.rcBtnX.top(), 0);

    // A click on the x button: the slider opens over it and the typed value goes into its edit.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, view->m_treffer.rcBtnX.center());
    CWndSlider* sx = EchteRegler::Fenster(view->GetReglerX());
    ASSERT_TRUE(sx);
    ASSERT_EQ(QApplication::focusWidget(), sx->Edit());
    QTest::keyClicks(sx->Edit(), QStringLiteral("2500"));
    // Tab applies it, opens the y slider beside it and goes on into that one.
    QTest::keyClick(sx->Edit(), Qt::Key_Tab);
    EXPECT_DOUBLE_EQ(p->m_dPosX, 2.5);
    CWndSlider* sy = EchteRegler::Fenster(view->GetRegler());
    ASSERT_TRUE(sy);
    EXPECT_EQ(EchteRegler::Fenster(view->GetReglerX()), sx);
    ASSERT_EQ(QApplication::focusWidget(), sy->Edit());
    QTest::keyClicks(sy->Edit(), QStringLiteral("300"));
    // Tab back into the x slider opens nothing more.
    QTest::keyClick(sy->Edit(), Qt::Key_Tab);
    EXPECT_DOUBLE_EQ(p->m_dPosY, 0.3);
    EXPECT_EQ(QApplication::focusWidget(), sx->Edit());
    EXPECT_EQ(CWndSlider::OpenCount(), 2);
    // Return applies what was typed and closes the fields: the user is done with them.
    QTest::keyClicks(sx->Edit(), QStringLiteral("1750"));
    QTest::keyPress(sx->Edit(), Qt::Key_Return); // no release: the window is gone
    EXPECT_DOUBLE_EQ(p->m_dPosX, 1.75);
    EXPECT_FALSE(view->GetReglerX());
    EXPECT_FALSE(view->GetRegler());
    EXPECT_EQ(CWndSlider::OpenCount(), 0);
}

// An open position field stays at its button when its load moves, and closes when its load is no
// longer the current one.
TEST_F(PlanBefehleTest, APositionFieldFollowsItsLoadOrCloses)
{
    EchteRegler regler{run};
    view->show();
    view->activateWindow();
    QCoreApplication::processEvents();
    tagLGINFO* p = Last("Box", 3.0, 0.5, 0.5);
    Aktuell(p);
    view->RenderFrame();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, view->m_treffer.rcBtnX.center());
    CWndSlider* sx = EchteRegler::Fenster(view->GetReglerX());
    ASSERT_TRUE(sx);
    const auto amKnopf = [&] {
        return sx->geometry().topLeft() ==
               view->viewport()->mapTo(view.get(), view->m_treffer.rcBtnX.topLeft() + QPoint(-2, -1));
    };
    EXPECT_TRUE(amKnopf());
    const int xVorher = view->m_treffer.rcBtnX.left();
    // The arrow keys in the field move the load by a step of its digit; the field goes along.
    sx->Edit()->setSelection(0, 1);
    QTest::keyClick(sx->Edit(), Qt::Key_Up);
    EXPECT_GT(p->m_dPosX, 3.0);
    view->RenderFrame();
    QCoreApplication::processEvents();
    EXPECT_GT(view->m_treffer.rcBtnX.left(), xVorher);
    EXPECT_TRUE(amKnopf());
    // Without a current load there is no button, and the field closes.
    view->ClearAktuell(true);
    view->RenderFrame();
    QCoreApplication::processEvents();
    EXPECT_FALSE(view->GetReglerX());
    EXPECT_EQ(CWndSlider::OpenCount(), 0);
}

TEST_F(PlanBefehleTest, TheMassCommandGivesTheKeyboardToTheMassSlider)
{
    EchteRegler regler{run};
    view->show();
    view->activateWindow();
    QCoreApplication::processEvents();
    tagLGINFO* p = Last("Box", 3.0, 0.5, 0.5);
    p->m_bSelected = 1;
    Aktuell(p);
    view->OnBefehl(33010);
    CWndSlider* s = EchteRegler::Fenster(view->GetRegler());
    ASSERT_TRUE(s);
    ASSERT_EQ(QApplication::focusWidget(), s->Edit());
    QTest::keyClicks(s->Edit(), QStringLiteral("750"));
    QTest::keyPress(s->Edit(), Qt::Key_Return); // no release: the window is gone
    EXPECT_DOUBLE_EQ(p->m_dMasse, 0.75);
    EXPECT_FALSE(view->GetRegler());
}

// The plan's fields typed into and closed by Return (the mass field of the mass key, the position fields
// of the buttons beside the current load) keep a refused entry with its note under the field, in either
// language, until it is corrected (then Return takes it and closes the field) or dropped with Esc.
TEST_F(PlanBefehleTest, APlanFieldKeepsARefusedEntryWithItsNoteUntilCorrectedOrDropped)
{
    EchteRegler regler{run};
    view->show();
    view->activateWindow();
    QCoreApplication::processEvents();
    tagLGINFO* p = Last("Box", 3.0, 0.5, 0.5);
    struct Sprache
    {
        const char* code;
        Qt::Key masseTaste;
        const char* keineZahl;  // the note on "7,5x"
        const char* keineGanze; // the note on a decimal
        QString dezimal;
    };
    const Sprache sprachen[] = {
        {"EN", Qt::Key_W, "\u201c7,5x\u201d cannot be read as a number.",
         "is not a whole number. Enter a whole number from", QStringLiteral("2500.5")},
        {"DE", Qt::Key_G, "\u201e7,5x\u201c ist keine g\u00fcltige Zahl.",
         "ist keine ganze Zahl. Geben Sie eine ganze Zahl von", QStringLiteral("2500,5")},
    };
    enum class Feld
    {
        Masse,
        X,
        Y
    };
    struct Fall
    {
        const char* name;
        Feld feld;
        const char* gut;
        std::function<double()> wert;
        double erwartet;
    };
    const Fall faelle[] = {
        {"mass", Feld::Masse, "750", [&] { return p->m_dMasse; }, 0.75},
        {"along", Feld::X, "2500", [&] { return p->m_dPosX; }, 2.5},
        {"across", Feld::Y, "300", [&] { return p->m_dPosY; }, 0.3},
    };
    for (const Sprache& sprache : sprachen) {
        SCOPED_TRACE(sprache.code);
        const std::unique_ptr<ResourceModule> modul = ResourceModule::Load(
            QString::fromLatin1(sprache.code), QCoreApplication::applicationDirPath(), nullptr);
        ASSERT_TRUE(modul);
        ResourceModule::SetCurrent(modul.get());
        for (const Fall& fall : faelle) {
            for (bool bEsc : {false, true}) {
                SCOPED_TRACE(std::string(fall.name) + (bEsc ? ", dropped with Esc" : ", corrected"));
                p->m_dMasse = p->m_dSPMasse = 0.5;
                p->m_dPosX = 3.0;
                p->m_dPosY = 0.5;
                p->m_bSelected = 1;
                Aktuell(p);
                view->RenderFrame();
                IValueSlider* pFeld = nullptr;
                if (fall.feld == Feld::Masse) {
                    Taste(sprache.masseTaste);
                    QCoreApplication::sendPostedEvents(view.get());
                    pFeld = view->GetRegler();
                } else {
                    const QRect knopf =
                        fall.feld == Feld::X ? view->m_treffer.rcBtnX : view->m_treffer.rcBtnY;
                    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, knopf.center());
                    pFeld = fall.feld == Feld::X ? view->GetReglerX() : view->GetRegler();
                }
                QPointer<CWndSlider> s = EchteRegler::Fenster(pFeld);
                ASSERT_TRUE(s);
                ASSERT_EQ(QApplication::focusWidget(), s->Edit());
                const double vorher = fall.wert();
                for (const QString& falsch : {QStringLiteral("7,5x"), sprache.dezimal}) {
                    s->Edit()->selectAll();
                    QTest::keyClicks(s->Edit(), falsch);
                    QTest::keyPress(s->Edit(), Qt::Key_Return); // no release: a closed field is gone
                    ASSERT_TRUE(s) << "the field stays open";
                    EXPECT_EQ(s->Edit()->text(), falsch) << "with the typed text";
                    EXPECT_DOUBLE_EQ(fall.wert(), vorher) << "nothing taken";
                    EXPECT_EQ(QApplication::focusWidget(), s->Edit());
                    ASSERT_TRUE(s->RefusalNote()) << "the note shows";
                    const QString note = s->RefusalNote()->text();
                    EXPECT_TRUE(note.contains(QString::fromUtf8(
                        falsch == sprache.dezimal ? sprache.keineGanze : sprache.keineZahl)))
                        << note.toStdString();
                }
                if (bEsc) {
                    QTest::keyPress(s->Edit(), Qt::Key_Escape);
                    EXPECT_FALSE(s);
                    EXPECT_DOUBLE_EQ(fall.wert(), vorher);
                } else {
                    s->Edit()->selectAll();
                    QTest::keyClicks(s->Edit(), QString::fromLatin1(fall.gut));
                    EXPECT_FALSE(s->RefusalNote()) << "the note goes as the text is corrected";
                    QTest::keyPress(s->Edit(), Qt::Key_Return);
                    EXPECT_FALSE(s) << "Return takes a good entry and closes the field";
                    EXPECT_NEAR(fall.wert(), fall.erwartet, 1e-9);
                }
                EXPECT_EQ(CWndSlider::OpenCount(), 0);
                view->SchliesseRegler();
            }
        }
        ResourceModule::SetCurrent(module.Module());
    }
}

TEST_F(PlanBefehleTest, ARealSliderClosesApplyingOnlyWhereItShould)
{
    EchteRegler regler{run};
    view->show();
    tagLGINFO* p = Last("Box", 3.0, 0.5, 0.5);
    enum class Weg
    {
        Esc,
        DruckDaneben,
        Close,
        ViewSchliesst
    };
    struct Fall
    {
        const char* name;
        Weg weg;
        double erwartet;
    };
    for (const Fall& fall : {Fall{"Esc drops the text", Weg::Esc, 0.5},
                             Fall{"a press elsewhere applies it", Weg::DruckDaneben, 1.25},
                             Fall{"Close applies it", Weg::Close, 1.25},
                             Fall{"the view closing drops it", Weg::ViewSchliesst, 0.5}}) {
        SCOPED_TRACE(fall.name);
        p->m_dMasse = p->m_dSPMasse = 0.5;
        p->m_bSelected = 1;
        Aktuell(p);
        view->OnBefehl(33010);
        CWndSlider* s = EchteRegler::Fenster(view->GetRegler());
        ASSERT_TRUE(s);
        s->Edit()->setText(QStringLiteral("1250"));
        switch (fall.weg) {
        case Weg::Esc:
            QTest::keyPress(s->Edit(), Qt::Key_Escape);
            break;
        case Weg::DruckDaneben:
            QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(600, 400));
            break;
        case Weg::Close:
            view->GetRegler()->Close();
            break;
        case Weg::ViewSchliesst:
            view->SchliesseRegler();
            break;
        }
        EXPECT_DOUBLE_EQ(p->m_dMasse, fall.erwartet);
        EXPECT_FALSE(view->GetRegler());
        EXPECT_EQ(CWndSlider::OpenCount(), 0);
    }
}

TEST_F(PlanBefehleTest, RealSlidersShowThePlacementColourAndGoWithTheView)
{
    EchteRegler regler{run};
    tagLGINFO* p = Last("Box", 3.0, 0.5, 0.5);
    Aktuell(p);
    view->m_treffer.rcBtnX = QRect(300, 100, 24, 14);
    view->m_treffer.rcBtnY = QRect(200, 300, 24, 14);
    const double x = p->m_dPosX, y = view->GetAuswahlY();
    view->ShowPositionsSlider(&x, &y, 3);
    CWndSlider* sx = EchteRegler::Fenster(view->GetReglerX());
    CWndSlider* sy = EchteRegler::Fenster(view->GetRegler());
    ASSERT_TRUE(sx && sy);
    EXPECT_EQ(CWndSlider::OpenCount(), 2);
    // Each window sits at its button, its size kept.
    const QSize gross = sx->size();
    EXPECT_EQ(sx->geometry().topLeft(), view->viewport()->mapTo(view.get(), QPoint(298, 99)));
    EXPECT_EQ(sy->geometry().topRight(), view->viewport()->mapTo(view.get(), QPoint(223, 299)));
    EXPECT_EQ(sy->size(), gross);
    const COLORREF frei = CQOR2View::GetStatusFarbe(view->m_nPlatzStatus);
    EXPECT_EQ(view->GetReglerX()->SetEditBkColor(frei), frei);
    EXPECT_DOUBLE_EQ(view->GetReglerX()->GetValue(), 3.0);
    view->GetReglerX()->SetValue(2.0);
    EXPECT_EQ(sx->Edit()->text(), QStringLiteral("2000"));
    // The view goes with both sliders open: nothing is left behind or freed twice.
    view.reset();
    EXPECT_EQ(CWndSlider::OpenCount(), 0);
}

namespace {

// Offers what the view puts in and answers with the test's values, or cancels.
class FsmDialoge : public IPlanDialogs
{
public:
    explicit FsmDialoge(ProgramRun& run) : m_installation(run, *this) {}
    bool EditFsm(QWidget*, FsmValues& values) override
    {
        angeboten = values;
        if (!bOk)
            return false;
        values = antwort;
        return true;
    }
    bool bOk = true;
    FsmValues angeboten, antwort;

private:
    ServiceInstallation<IPlanDialogs> m_installation;
};

} // namespace

TEST_F(PlanBefehleTest, FormFitEditOffersWhereItLiesAndTakesBackOnlyOnOk)
{
    FsmDialoge dialoge{run};
    tagLGINFO* p = Last("Wedge", 0.01, 0.0, 0.05, LADUNGTYP_FSM_FIRST);
    p->m_dLaenge = 0.2;
    p->m_dBreite = 2.4;
    p->m_strZusatzText = "old";
    dialoge.antwort.strName = "New wedge";
    dialoge.antwort.dHoehe = 0.7;
    dialoge.antwort.dMasse = 0.08;
    dialoge.antwort.strText = "new";
    dialoge.antwort.nZellen = 5;
    dialoge.antwort.nSeite = 1;
    dialoge.antwort.nKontakt = 2;

    dialoge.bOk = false;
    view->SetHover(p);
    view->OnBefehl(33310);
    // Resting on the front wall: side 3 against the boundary found, the height of that side offered;
    // the chosen side, contact kind and cells are still the item's own.
    EXPECT_EQ(dialoge.angeboten.nKatSeite, 3);
    EXPECT_EQ(dialoge.angeboten.nKatKontakt, 1);
    int nAnzahl = 0, nBelegt = -1;
    GetFsmRaster(*view->GetFahrzeug(), *p, 3, &nAnzahl, &nBelegt);
    EXPECT_EQ(dialoge.angeboten.nKatZellen, nBelegt);
    EXPECT_EQ(dialoge.angeboten.nSeite, 0);
    EXPECT_EQ(dialoge.angeboten.nKontakt, 0);
    EXPECT_EQ(dialoge.angeboten.nZellen, 0);
    EXPECT_FALSE(dialoge.angeboten.rcAnker.isEmpty());
    EXPECT_DOUBLE_EQ(dialoge.angeboten.dHoehe, static_cast<double>(1.2f));
    EXPECT_EQ(dialoge.angeboten.strText, "old");
    EXPECT_EQ(p->m_strName, "Wedge");
    EXPECT_EQ(p->m_strZusatzText, "old");

    dialoge.bOk = true;
    const int n = view->m_nBenachrichtigungen;
    view->OnBefehl(33310);
    EXPECT_EQ(p->m_strName, "New wedge");
    EXPECT_DOUBLE_EQ(p->m_dHoehe, 0.7);
    EXPECT_DOUBLE_EQ(p->m_dMasse, 0.08);
    EXPECT_EQ(p->m_strZusatzText, "new");
    EXPECT_EQ(p->m_nZusatzInt, 5);
    EXPECT_EQ(p->GetFsmSeite(), 1);
    EXPECT_EQ((p->m_nState >> 12) & 7, 2);
    EXPECT_EQ(view->m_nBenachrichtigungen, n + 1);
}

namespace {

class NamensDialoge : public IPlanDialogs
{
public:
    explicit NamensDialoge(ProgramRun& run) : m_installation(run, *this) {}
    bool EditName(QWidget*, std::string& name) override
    {
        angeboten = name;
        name = antwort;
        return true;
    }
    std::string angeboten, antwort;

private:
    ServiceInstallation<IPlanDialogs> m_installation;
};

} // namespace

TEST_F(PlanBefehleTest, RenameToANameBorneOnceNumbersThatLoadFirst)
{
    NamensDialoge dialoge{run};
    tagLGINFO* einzeln = Last("Drum", 0.0, 0.0, 0.2);
    tagLGINFO* a = Last("Box", 2.0, 0.0, 0.2);
    tagLGINFO* b = Last("Box", 4.0, 0.0, 0.2);
    a->m_bSelected = b->m_bSelected = 1;
    dialoge.antwort = "Drum";
    view->OnBefehl(33281);
    EXPECT_EQ(dialoge.angeboten, "Box");
    EXPECT_EQ(einzeln->m_nNummer, 1);
    EXPECT_EQ(a->m_strName, "Drum");
    EXPECT_EQ(a->m_nNummer, 2);
    EXPECT_EQ(b->m_nNummer, 3);
    EXPECT_EQ(Plan().CountSelectedLgInfo(true), 0);

    // Renumbering from the right-clicked load: the loads of its name count from 1 again.
    a->m_nNummer = 7;
    view->SetKontext(b);
    view->OnBefehl(33283);
    EXPECT_EQ(einzeln->m_nNummer, 1);
    EXPECT_EQ(a->m_nNummer, 2);
    EXPECT_EQ(b->m_nNummer, 3);
}

TEST(PlanTab, TabSwitchesBetweenTruckAndDrawbarTrailerOnly)
{
    EnglishModule module;
    const auto laden = [](const char* t) { return LoadSampleVehicle(t); };
    struct Fall
    {
        const char* zug;
        const char* anh;
        bool bWechsel;
    };
    for (const Fall& fall : {Fall{"LKW", "GDA", true}, Fall{"SZM", "SAH", false}}) {
        SCOPED_TRACE(fall.anh);
        auto z = laden(fall.zug);
        auto a = laden(fall.anh);
        ASSERT_TRUE(z && a);
        CoupleInFront(*a, std::move(z)); // the document owns both
        CQOR1Doc doc;
        doc.SetFahrzeug(a.release());
        doc.OnDocumentOpened();
        CQOR2View view(&doc);
        const CFahrzeug* vorher = view.GetFahrzeug();
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &tab);
        EXPECT_EQ(view.GetFahrzeug() != vorher, fall.bWechsel);
        QCoreApplication::sendEvent(&view, &tab);
        EXPECT_EQ(view.GetFahrzeug(), vorher);
    }
}

namespace {

class AusrichtDialoge : public IPlanDialogs
{
public:
    explicit AusrichtDialoge(ProgramRun& run) : m_installation(run, *this) {}
    void ShowAlignPopup(QWidget*, QPoint, double dDistance) override { abstaende.push_back(dDistance); }
    std::vector<double> abstaende;

private:
    ServiceInstallation<IPlanDialogs> m_installation;
};

} // namespace

TEST_F(PlanBefehleTest, AlignPopupGetsTheDistanceAndItsMessageMovesTheSelection)
{
    AusrichtDialoge dialoge{run};
    tagLGINFO* p = Last("Box", 3.0, 0.5, 0.5);
    view->OnBefehl(33357);
    p->m_bSelected = 1;
    view->OnBefehl(33357);
    ASSERT_EQ(dialoge.abstaende.size(), 2u);
    EXPECT_DOUBLE_EQ(dialoge.abstaende[0], -1.0);
    EXPECT_NEAR(dialoge.abstaende[1], 3.0, 1e-9);

    struct Fall
    {
        int nSeite;
        double dWert;
        double x, y;
    };
    // Side 1 to 0.1 m from side A; side 0 to 2.0 m from the front; side 9 does nothing.
    for (const Fall& f : {Fall{1, 0.1, 3.0, 0.1}, Fall{0, 2.0, 2.0, 0.1}, Fall{9, 1.0, 2.0, 0.1}}) {
        SCOPED_TRACE(f.nSeite);
        PlanAusrichtEvent e(f.nSeite, f.dWert);
        QCoreApplication::sendEvent(view.get(), &e);
        EXPECT_NEAR(p->m_dPosX, f.x, 1e-9);
        EXPECT_NEAR(p->m_dPosY, f.y, 1e-9);
    }
}

TEST_F(PlanBefehleTest, StripButtonsReachTheView)
{
    CommandEvent hilfe(827);
    QCoreApplication::sendEvent(view.get(), &hilfe);
    EXPECT_EQ(view->nHilfe, 1);
    const bool bRampe = view->m_bRampenModus;
    CommandEvent rampe(400);
    QCoreApplication::sendEvent(view.get(), &rampe);
    EXPECT_NE(view->m_bRampenModus, bRampe);
}

TEST_F(PlanBefehleTest, UsableAreaDialogTakesChangedBordersOnly)
{
    ScriptedPlanDialogs dialogs{run};
    CFahrzeug& f = *doc.GetFahrzeug();
    const SNutzbareLF alt = f.m_NutzLF[1];
    struct Fall
    {
        bool bAbbruch;
        double dVorn;
        bool bUebernommen;
    };
    const Fall faelle[] = {{true, alt.m_dRand[0] + 0.2, false},
                           {false, alt.m_dRand[0], false},
                           {false, -0.5, false},
                           {false, alt.m_dRand[0] + 0.2, true}};
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.dVorn);
        doc.SetModifiedFlag(false);
        dialogs.m_bCancel = fall.bAbbruch;
        for (int i = 0; i < 4; ++i) {
            dialogs.m_nutzLF.dLaengen[i] = alt.m_dRand[i];
            dialogs.m_nutzLF.fWerte[i] = alt.m_fWert[i];
            dialogs.m_nutzLF.nWerte[i] = alt.m_nRaster[i] + 1;
        }
        dialogs.m_nutzLF.dLaengen[0] = fall.dVorn;
        EXPECT_TRUE(view->OnBefehl(32952));
        EXPECT_DOUBLE_EQ(dialogs.m_nutzLFGezeigt.dLaengen[0], alt.m_dRand[0]);
        EXPECT_EQ(doc.IsModified(), fall.bUebernommen);
        if (fall.bUebernommen) {
            EXPECT_DOUBLE_EQ(f.m_NutzLF[1].m_dRand[0], fall.dVorn);
            EXPECT_DOUBLE_EQ(f.m_NutzLF[0].m_dRand[0], fall.dVorn);
            EXPECT_EQ(f.m_NutzLF[1].m_nRaster[0], alt.m_nRaster[0] + 1);
        } else {
            EXPECT_TRUE(f.m_NutzLF[1] == alt);
        }
    }
}

TEST_F(PlanBefehleTest, OverhangsFreeTheirBordersAndLoadsFromSideBKeepTheirPlace)
{
    ScriptedPlanDialogs dialogs{run};
    CFahrzeug& f = *doc.GetFahrzeug();
    for (int i = 0; i < 4; ++i)
        f.m_NutzLF[0].m_dRand[i] = f.m_NutzLF[1].m_dRand[i] = 0.05 * (i + 1);
    tagLGINFO* p = Last("A", 1.0, 0.5, 1.0);
    CPlanAnzeige(Plan()).SetRasterSeite(2);
    struct Fall
    {
        int nFlag;
        double werte[4];
        double raender[4]; // the current borders afterwards
    };
    const Fall faelle[] = {
        {1, {0.3, 0.0, 0.2, 0.0}, {0.0, 0.1, 0.15, 0.0}},  // front and side B freed
        {1, {0.0, 0.4, 0.0, 0.1}, {0.05, 0.0, 0.0, 0.2}},  // rear and side A freed
        {0, {0.3, 0.3, 0.3, 0.3}, {0.05, 0.1, 0.15, 0.2}}, // flag off: base borders, no overhang
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.nFlag * 100 + fall.raender[0] * 10);
        const double y = p->m_dPosY;
        const double b = f.m_NutzLF[0].m_dRand[3];
        dialogs.m_nUeberstandFlag = fall.nFlag;
        for (int i = 0; i < 4; ++i)
            dialogs.m_dUeberstand[i] = fall.werte[i];
        EXPECT_TRUE(view->OnBefehl(33265));
        for (int i = 0; i < 4; ++i)
            EXPECT_DOUBLE_EQ(f.m_NutzLF[0].m_dRand[i], fall.raender[i]) << i;
        EXPECT_EQ(f.HasUeberstand(), fall.nFlag != 0);
        EXPECT_NEAR(p->m_dPosY, y + (b - fall.raender[3]), 1e-12);
        EXPECT_TRUE(doc.IsModified());
    }
}

TEST_F(PlanBefehleTest, GridStepCommandsStoreTheStepAndTheMenuMarksIt)
{
    Last("Box", 3.0, 0.5, 0.75);
    view->RenderPicture(QSize(1400, 700));
    const QPoint leer(view->m_treffer.rcLadeflaeche.left() + 5, view->m_treffer.rcLadeflaeche.top() + 5);
    Taste(Qt::Key_A);
    QString fehler;
    ASSERT_TRUE(MenuResource::Load(245, &fehler)) << fehler.toStdString();
    const int schritte[] = {1, 2, 3, 4, 5, 10, 15, 20, 25, 30, 40, 50, 75, 100};
    for (int i = 0; i < 14; ++i) {
        SCOPED_TRACE(schritte[i]);
        doc.SetModifiedFlag(false);
        ASSERT_TRUE(view->OnBefehl(32878 + i));
        EXPECT_EQ(Plan().m_nRasterSchritt, schritte[i]);
        EXPECT_EQ(doc.GetFahrzeug()->m_nRasterSchritt, schritte[i]);
        EXPECT_TRUE(doc.IsModified());
        std::unique_ptr<QMenu> m(view->KontextMenu(leer));
        ASSERT_TRUE(m);
        QMenu* popup = qobject_cast<QMenu*>(Finde(m.get(), 32878)->parent());
        ASSERT_NE(popup, nullptr);
        EXPECT_TRUE(popup->isEnabled());
        EXPECT_EQ(popup->title().toStdString(), FormatResChecked(27, {schritte[i]}));
        for (int k = 0; k < 14; ++k)
            EXPECT_EQ(Finde(m.get(), 32878 + k)->isChecked(), k == i) << k;
    }
    // A step without an item marks the first.
    Plan().m_nRasterSchritt = 7;
    std::unique_ptr<QMenu> m(view->KontextMenu(leer));
    ASSERT_TRUE(m);
    EXPECT_TRUE(Finde(m.get(), 32878)->isChecked());
}

TEST_F(PlanBefehleTest, CopyCommandStartsACopyDragThatTheNextClickPlaces)
{
    view->show();
    tagLGINFO* p = Last("Box", 3.0, 0.5, 0.75);
    p->m_bSelected = 1;
    Aktuell(p);
    view->RenderPicture(view->viewport()->size());
    const QPoint mitte = view->GetAuswahlMittelpunkt();
    EXPECT_EQ(mitte, view->GetGuiLg().at(p).rc.center());
    ASSERT_TRUE(view->OnBefehl(33279));
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(view->GetGesten().IsAktiv()) << "the posted move started the drag";
    EXPECT_TRUE(view->GetGesten().IsKopie());
    // Two metres further back, where the area is free, the click places the copy.
    const QPoint ziel = mitte + QPoint(view->MetresToPixels(2.0), 0);
    QMouseEvent bewegt(QEvent::MouseMove, QPointF(ziel), view->viewport()->mapToGlobal(QPointF(ziel)),
                       Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view->viewport(), &bewegt);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, ziel);
    EXPECT_FALSE(view->GetGesten().IsAktiv());
    ASSERT_EQ(Anzahl(), 2u);
    EXPECT_DOUBLE_EQ(p->m_dPosX, 3.0) << "the source stays";
    double xKopie = 0.0;
    for (tagLGINFO* q : Plan().GetLgInfos())
        if (q != p)
            xKopie = q->m_dPosX;
    EXPECT_NEAR(xKopie, 5.0, 0.1);

    // Without a selection there is nothing to copy.
    for (tagLGINFO* q : Plan().GetLgInfos())
        q->m_bSelected = 0;
    view->ClearAktuell(true);
    view->OnBefehl(33279);
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(view->GetGesten().IsAktiv());
}

TEST_F(PlanBefehleTest, PrintingAsksForPageOneUnlessTheDocumentPrintsDirectly)
{
    Last("Box", 3.0, 0.5, 0.75);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    std::vector<std::pair<int, int>> gefragt;
    bool bOk = true;
    QString ziel;
    CViewDruck::SetDialogHook([&](QPrinter& printer, int nVon, int nBis) {
        gefragt.emplace_back(nVon, nBis);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(ziel);
        return bOk;
    });
    struct Fall
    {
        const char* name;
        int nFlags;
        bool bOk;
        bool bGefragt;
        bool bGedruckt;
    };
    const Fall faelle[] = {
        {"dialog with page 1, printed", 0, true, true, true},
        {"dialog cancelled", 0, false, true, false},
        {"direct: no dialog", 1, true, false, true},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        gefragt.clear();
        bOk = f.bOk;
        doc.m_nDruckFlags = f.nFlags;
        ziel = dir.filePath(QString::fromLatin1(f.name) + QStringLiteral(".pdf"));
        QPrinter printer(QPrinter::HighResolution);
        if (f.nFlags & 1) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(ziel);
        }
        const bool bBereit = view->OnPreparePrinting(printer);
        EXPECT_EQ(bBereit, f.bOk);
        EXPECT_EQ(gefragt.size(), f.bGefragt ? 1u : 0u);
        if (f.bGefragt && !gefragt.empty()) {
            EXPECT_EQ(gefragt.front(), std::make_pair(1, 1));
        }
        if (bBereit) {
            EXPECT_TRUE(view->PrintPlan(printer));
        }
        QFile pdf(ziel);
        EXPECT_EQ(pdf.exists(), f.bGedruckt);
        if (pdf.open(QIODevice::ReadOnly)) {
            EXPECT_TRUE(pdf.read(4) == "%PDF");
        }
    }
    // The print command itself: the dialog's answer decides.
    doc.m_nDruckFlags = 0;
    bOk = true;
    ziel = dir.filePath(QStringLiteral("command.pdf"));
    view->OnBefehl(57607);
    EXPECT_TRUE(QFile::exists(ziel));
    CViewDruck::SetDialogHook({});
}

TEST_F(PlanBefehleTest, TheTemplateViewOffersTwoPagesOnlyWhenTheDocumentAsksForThem)
{
    CQOR1View vorlage(&doc);
    std::vector<std::pair<int, int>> gefragt;
    bool bOk = true;
    CViewDruck::SetDialogHook([&](QPrinter&, int nVon, int nBis) {
        gefragt.emplace_back(nVon, nBis);
        return bOk;
    });
    struct Fall
    {
        int nFlags;
        bool bVorschau, bOk;
        int nBis;
    };
    for (const Fall& f : {Fall{0, false, true, 1}, Fall{2, true, true, 2}, Fall{2, false, false, 2}}) {
        SCOPED_TRACE(f.nFlags * 10 + (f.bOk ? 1 : 0));
        gefragt.clear();
        bOk = f.bOk;
        doc.m_nDruckFlags = f.nFlags;
        doc.m_bDruckAbgebrochen = false;
        QPrinter printer;
        EXPECT_EQ(vorlage.OnPreparePrinting(printer, f.bVorschau), f.bOk);
        ASSERT_EQ(gefragt.size(), 1u);
        EXPECT_EQ(gefragt.front(), std::make_pair(1, f.nBis));
        EXPECT_EQ(printer.toPage(), 1) << "one page is printed";
        EXPECT_EQ(doc.m_bDruckAbgebrochen, !f.bOk);
        EXPECT_EQ(vorlage.GetRulerFlag(), f.bVorschau);
    }
    CViewDruck::SetDialogHook({});
}

TEST_F(PlanBefehleTest, PositionSlidersOpenByMessageAndPassTheFocusOnTab)
{
    ScriptedSliderFactory regler{run};
    tagLGINFO* p = Last("Box", 3.0, 0.5, 0.75);
    Aktuell(p);
    QCoreApplication::postEvent(view.get(), new PositionsReglerEvent(2.0, 0.3));
    QCoreApplication::sendPostedEvents(view.get());
    auto* x = dynamic_cast<ScriptedSlider*>(view->GetReglerX());
    auto* y = dynamic_cast<ScriptedSlider*>(view->GetRegler());
    ASSERT_TRUE(x && y);
    EXPECT_DOUBLE_EQ(x->GetValue(), 2.0);
    EXPECT_DOUBLE_EQ(y->GetValue(), 0.3);
    // Open already: the same sliders take the new values.
    QCoreApplication::postEvent(view.get(), new PositionsReglerEvent(4.0, 0.5));
    QCoreApplication::sendPostedEvents(view.get());
    EXPECT_EQ(view->GetReglerX(), x);
    EXPECT_EQ(view->GetRegler(), y);
    EXPECT_DOUBLE_EQ(x->GetValue(), 4.0);
    EXPECT_DOUBLE_EQ(y->GetValue(), 0.5);

    // Tab: from x to y and back; a width slider and an unknown sender keep the focus where it is.
    struct Fall
    {
        const char* name;
        const QObject* sender;
        int nArt;
        int nFokusX, nFokusY;
    };
    QObject fremd;
    const Fall faelle[] = {
        {"x slider", &x->m_sender, 12, 0, 1},
        {"y slider", &y->m_sender, 13, 1, 0},
        {"width slider", &y->m_sender, 14, 0, 0},
        {"someone else", &fremd, 12, 0, 0},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        x->m_nFocus = y->m_nFocus = 0;
        view->TabZwischenReglern(f.sender, f.nArt);
        EXPECT_EQ(x->m_nFocus, f.nFokusX);
        EXPECT_EQ(y->m_nFocus, f.nFokusY);
    }
    // The slider's own message with no window does nothing.
    SliderEvent tab(SliderEvent::kTabType, nullptr);
    QCoreApplication::sendEvent(view.get(), &tab);
    EXPECT_EQ(x->m_nFocus + y->m_nFocus, 0);
}
