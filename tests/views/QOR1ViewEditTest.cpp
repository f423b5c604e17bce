// Editing in the template view, driven through the offscreen view's mouse, keys and slider messages and
// checked against the model: hit kinds and cursors, drag clamps, slider commits, adding axles and items,
// the weights tool tips and the figures drawn over the picture.
#include "ViewSeamFakes.h"
#include "ViewTestSupport.h"

#include "draw2d/CDIBAuflieger.h"
#include "platform/ResourceModule.h"
#include "tests/support/SampleDocument.h"
#include "views/CQOR1View.h"
#include "views/CTTFrameAnimation.h"
#include "views/CTabbedViewView.h"
#include "views/CViewsDocumentHost.h"
#include "views/CWndSliderFactory.h"
#include "views/CWndValueSlider.h"
#include "views/IFrameAnimation.h"

#include "SampleVehicles.h"
#include "model/document/CQOR1Doc.h"
#include "model/document/DocumentHost.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/text/TextFormat.h"
#include "model/vehicle/CAuflieger.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"
#include "model/vehicle/SNutzbareLF.h"
#include "model/vehicle/tagZLINFO.h"
#include "platform/MenuResource.h"
#include "ui/CWndSlider.h"
#include "ui/CommandEvent.h"
#include "ui/ProgramRun.h"
#include "ui/RegionalVersion.h"
#include "ui/ScriptedMessageBoxService.h"
#include "ui/SliderHint.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPaintEvent>
#include <QPointer>
#include <QScreen>
#include <QSettings>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

const QString kArtefakte = QStringLiteral(QOR_TEST_ARTIFACT_DIR "/views");

void Speichere(const QImage& img, const QString& name)
{
    QDir().mkpath(kArtefakte);
    EXPECT_TRUE(img.save(kArtefakte + "/" + name)) << name.toStdString();
}

// Records the hints and titles the document sends its window.
class HinweisHost : public DocumentHost
{
public:
    void UpdateAllViews(UpdateHinweis eHinweis, bool) override { hints.push_back(eHinweis); }
    void SetFrameTitle(const std::string& title) override
    {
        ++nTitel;
        letzterTitel = title;
    }
    int Anzahl(UpdateHinweis eHinweis) const
    {
        int n = 0;
        for (UpdateHinweis h : hints)
            n += h == eHinweis ? 1 : 0;
        return n;
    }
    std::vector<UpdateHinweis> hints;
    int nTitel = 0;
    std::string letzterTitel;
};

// A load dialog stand-in that counts the messages it receives.
class LadeDialog : public QWidget
{
public:
    bool event(QEvent* e) override
    {
        const int t = static_cast<int>(e->type());
        if (t >= CQOR1View::kMsgLastEnter && t <= CQOR1View::kMsgLastMinus) {
            empfangen.push_back(t);
            return true;
        }
        return QWidget::event(e);
    }
    std::vector<int> empfangen;
};

class ShellMitDialog : public ScriptedViewShell
{
public:
    using ScriptedViewShell::ScriptedViewShell;
    QWidget* GetLoadDialog() const override { return m_pDialog; }
    QWidget* m_pDialog = nullptr;
};

// Sliders that answer with the messages the real slider sends for their kind and owner.
class ReglerFabrik : public ScriptedSliderFactory
{
public:
    using ScriptedSliderFactory::ScriptedSliderFactory;
    std::unique_ptr<IValueSlider> Create(int nKind, double dValue, double dMin, double dMax, QPoint at,
                                         QWidget* pOwner, bool bCompact) override
    {
        auto s = ScriptedSliderFactory::Create(nKind, dValue, dMin, dMax, at, pOwner, bCompact);
        const auto* owner = dynamic_cast<const ISliderOwner*>(pOwner);
        m_pLast->m_nMessage = CWndSlider::NotifyMessageOfKind(nKind, owner ? owner->SliderKind1Selector() : 0,
                                                              owner && owner->SliderKind2Flag());
        m_dMin = dMin;
        m_dMax = dMax;
        return s;
    }
    double m_dMin = 0.0;
    double m_dMax = 0.0;
};

// Puts the regional version setting back as it was when the test is done.
class ScopedRegionalVersion
{
public:
    ScopedRegionalVersion() : m_vorher(QSettings().value(QStringLiteral("Settings/ver"))) {}
    ~ScopedRegionalVersion()
    {
        if (m_vorher.isValid())
            QSettings().setValue(QStringLiteral("Settings/ver"), m_vorher);
        else
            QSettings().remove(QStringLiteral("Settings/ver"));
    }
    ScopedRegionalVersion(const ScopedRegionalVersion&) = delete;
    ScopedRegionalVersion& operator=(const ScopedRegionalVersion&) = delete;

private:
    QVariant m_vorher;
};

class TemplateEditTest : public ::testing::Test
{
protected:
    void Oeffne(const char* title, const char* zug = nullptr)
    {
        auto f = LoadSampleVehicle(title);
        ASSERT_TRUE(f);
        if (zug) {
            auto z = LoadSampleVehicle(zug);
            ASSERT_TRUE(z);
            CoupleInFront(*f, std::move(z));
        }
        D().SetHost(&host);
        D().SetFahrzeug(f.release());
        D().OnDocumentOpened();
        view = std::make_unique<CQOR1View>(&D());
        view->SetProgramRun(&run);
        view->resize(1400, 700);
        view->OnInitialUpdate();
        Male();
        host.hints.clear();
        host.nTitel = 0;
    }

    // Paints once, as the window would, so the drawings leave their hot spots.
    QImage Male() { return view->RenderFrame(); }

    CFahrzeug& F() { return *D().GetAktivFahrzeug(false); }

    QWidget* VP() { return view->viewport(); }

    // The pointer moves with no button down.
    void Bewege(QPoint pt)
    {
        QMouseEvent e(QEvent::MouseMove, pt, VP()->mapToGlobal(pt), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
        QCoreApplication::sendEvent(VP(), &e);
    }
    void Druecke(QPoint pt, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        Bewege(pt);
        QTest::mousePress(VP(), Qt::LeftButton, mods, pt);
    }
    void Ziehe(QPoint pt, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QMouseEvent e(QEvent::MouseMove, pt, VP()->mapToGlobal(pt), Qt::NoButton, Qt::LeftButton, mods);
        QCoreApplication::sendEvent(VP(), &e);
    }
    void LasseLos(QPoint pt) { QTest::mouseRelease(VP(), Qt::LeftButton, Qt::NoModifier, pt); }
    void Klicke(QPoint pt)
    {
        Bewege(pt);
        QTest::mouseClick(VP(), Qt::LeftButton, Qt::NoModifier, pt);
    }
    // A point well inside a rectangle.
    static QPoint Mitte(const QRect& rc) { return rc.center(); }

    // Adds a load to the plan of the vehicle worked on.
    void Last(double x, double t)
    {
        CFahrzeug& f = *D().GetFahrzeug();
        AddBoxLoad(f, x, t);
        D().OnFahrzeugChanged(false);
    }

    tagZLINFO* Item(int nTyp, double x, double t)
    {
        auto* p = new tagZLINFO;
        p->m_nTyp = nTyp;
        p->m_strName = "Item";
        p->m_dPosX = x;
        p->m_dMasse = t;
        F().AddZL(std::unique_ptr<tagZLINFO>(p));
        D().OnFahrzeugChanged(false);
        Male();
        return p;
    }

    EnglishModule module;
    ProgramRun run;
    ShellMitDialog shell{run};
    ReglerFabrik sliders{run};
    ScriptedPlanDialogs dialogs{run};
    ScriptedMessageBoxService boxes;
    HinweisHost host;
    std::unique_ptr<CQOR1Doc> m_pDoc = std::make_unique<CQOR1Doc>();
    std::unique_ptr<CQOR1View> view;

    CQOR1Doc& D() { return *m_pDoc; }
    // A fresh document for the next case.
    void Neu()
    {
        view.reset();
        host.hints.clear();
        m_pDoc = std::make_unique<CQOR1Doc>();
    }
};

// --- hit kinds and cursors --------------------------------------------------------------------------------

TEST_F(TemplateEditTest, FirstAxleHitKindCursorAndDragByVehicleKind)
{
    struct Fall
    {
        const char* fahrzeug;
        bool bTreffer; // hit kind 3
        int nCursor;
        bool bZiehbar;
    };
    const Fall faelle[] = {
        {"LKW", true, 196, false}, // a truck's front axle shows the hand but stays
        {"SDA", false, 0, false},  // a centre-axle trailer's first axle is no hit
        {"SZM", true, 196, true},  // a tractor's front axle moves
        {"GDA", true, 197, true},  // a drawbar trailer's front axle moves with the others
        {"SAH", true, 175, true},  // a semi-trailer alone
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.fahrzeug);
        Neu();
        Oeffne(fall.fahrzeug);
        CDIBFahrzeug* dib = view->GetDIBFahrzeug();
        ASSERT_TRUE(dib);
        ASSERT_FALSE(dib->GetAchsen().empty());
        const QPoint pt = Mitte(dib->GetAchsen().front().m_rc);
        const int nCursor = view->HitTest(pt);
        EXPECT_EQ(view->GetHitKind() == CQOR1View::kHitAchse1, fall.bTreffer);
        if (fall.bTreffer)
            EXPECT_EQ(nCursor, fall.nCursor);
        else
            EXPECT_NE(view->m_nDrawMode, CQOR1View::kModusZiehbar);

        const double a1 = F().GetAchse1Abstand(), d12 = F().m_Achsen[1].dAbstand;
        Druecke(pt);
        Ziehe(pt + QPoint(-40, 0));
        Ziehe(pt + QPoint(40, 0));
        LasseLos(pt + QPoint(40, 0));
        const bool bBewegt = F().GetAchse1Abstand() != a1 || F().m_Achsen[1].dAbstand != d12;
        EXPECT_EQ(bBewegt, fall.bZiehbar);
        EXPECT_EQ(D().IsModified(), fall.bZiehbar);
        view.reset();
    }
}

TEST_F(TemplateEditTest, MovingToTheSamePointOrTheSameMetreChangesNothing)
{
    Oeffne("LKW");
    const QRect ende = view->GetHotRect(1);
    ASSERT_FALSE(ende.isEmpty());
    const QPoint pt = Mitte(ende);
    Druecke(pt);
    const double L = F().GetLFLaenge();
    Ziehe(pt); // the same point
    EXPECT_TRUE(host.hints.empty());
    Ziehe(pt + QPoint(30, 0));
    const double L2 = F().GetLFLaenge();
    EXPECT_GT(L2, L);
    const std::size_t n = host.hints.size();
    Ziehe(pt + QPoint(30, 0));
    EXPECT_EQ(host.hints.size(), n);
    EXPECT_EQ(F().GetLFLaenge(), L2);
    LasseLos(pt + QPoint(30, 0));
}

// --- drag clamps --------------------------------------------------------------------------------------

TEST_F(TemplateEditTest, DragsKeepTheClampsAndMarkTheDocumentOnlyAtTheRelease)
{
    struct Fall
    {
        const char* fahrzeug;
        int nHot;  // where the drag starts
        int nKind; // the hit kind expected there
    };
    const Fall faelle[] = {
        {"LKW", 1, CQOR1View::kHitLFEnde},     {"LKW", 0, CQOR1View::kHitAchse1Vorn},
        {"GDA", 1, CQOR1View::kHitLFEnde},     {"SAH", 1, CQOR1View::kHitLFEnde},
        {"KEP", 1, CQOR1View::kHitLFEnde},     {"KEP", 0, CQOR1View::kHitAchse1Vorn},
        {"SDA", 0, CQOR1View::kHitAchse1Vorn},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(std::string(fall.fahrzeug) + " hot " + std::to_string(fall.nHot));
        Neu();
        Oeffne(fall.fahrzeug);
        const QRect rc = view->GetHotRect(fall.nHot);
        if (rc.isEmpty()) {
            ADD_FAILURE() << "no hot rectangle";
            view.reset();
            continue;
        }
        const QPoint pt = Mitte(rc);
        view->HitTest(pt);
        ASSERT_EQ(view->GetHitKind(), fall.nKind);
        const double p2 = F().GetAchsPosition(1);
        Druecke(pt);
        for (int dx : {-2000, -30, 15, 3000, 400, -5000}) {
            Ziehe(pt + QPoint(dx, 0));
            SCOPED_TRACE(dx);
            CFahrzeug& f = F();
            EXPECT_FALSE(D().IsModified());
            if (fall.nKind == CQOR1View::kHitLFEnde) {
                const double P = f.GetPosLetzteAchse();
                EXPECT_LE(f.GetLFLaenge(), 20.0 + 1e-9);
                EXPECT_GE(f.GetLFLaenge(), P - 1e-9);
                if (dx == 3000) {
                    EXPECT_DOUBLE_EQ(f.GetLFLaenge(), 20.0);
                }
            } else {
                const double a1 = f.GetAchse1Abstand();
                if (f.GetArt() == FahrzeugArt::kZugmaschine) {
                    EXPECT_GE(a1, f.IsArt5() ? 1.2 - 1e-9 : 0.25 - 1e-9);
                    EXPECT_LE(a1, 5.0 + 1e-9);
                    if (!f.IsArt5()) {
                        EXPECT_GE(f.m_Achsen[1].dAbstand, 1.0 - 1e-9);
                    }
                } else {
                    EXPECT_GE(a1, 0.5 - 1e-9);
                }
                // Axle 1 moves, axle 2 keeps its place.
                EXPECT_NEAR(f.GetAchsPosition(1), p2, 1e-9);
            }
        }
        LasseLos(pt + QPoint(-5000, 0));
        EXPECT_TRUE(D().IsModified());
        EXPECT_TRUE(F().m_bModified);
        EXPECT_GT(host.Anzahl(UpdateHinweis::kBearbeitet), 0);
        view.reset();
    }
}

TEST_F(TemplateEditTest, AxleDragsStayBetweenTheirNeighbours)
{
    Oeffne("GDA");
    CDIBFahrzeug* dib = view->GetDIBFahrzeug();
    ASSERT_TRUE(dib);
    ASSERT_GE(dib->GetAchsen().size(), 2u);
    const QPoint pt = Mitte(dib->GetAchsen()[1].m_rc);
    view->HitTest(pt);
    ASSERT_EQ(view->GetHitKind(), 4);
    const double L = F().GetLFLaenge();
    const double o = L - F().GetPosLetzteAchse();
    const double p2 = F().GetAchsPosition(1);
    double lo = 0.0, hi = 0.0;
    Druecke(pt);
    for (int dx : {-3000, 25, 3000}) {
        SCOPED_TRACE(dx);
        Ziehe(pt + QPoint(dx, 0));
        const double p1 = F().GetAchsPosition(0);
        EXPECT_GE(F().GetAchsPosition(1), p1 + 1.0 - 1e-9);
        EXPECT_LE(F().GetAchsPosition(1), p2 + o + 1e-9);
    }
    LasseLos(pt + QPoint(3000, 0));
    EXPECT_NEAR(F().GetAchsPosition(1), p2 + o, 0.011);
    // The slider's range of the same distance agrees with the drag.
    ASSERT_TRUE(view->GetLaengenRange(3, &lo, &hi));
    EXPECT_DOUBLE_EQ(lo, 1.0);
    EXPECT_NEAR(hi, F().m_Achsen[1].dAbstand, 0.011);
}

// --- sliders
// ------------------------------------------------------------------------------------------------

TEST_F(TemplateEditTest, SliderMessagesCommitAsTheirKindSays)
{
    Oeffne("LKW");
    CFahrzeug& f = F();

    // Axle-1 offset: axle 2 keeps its place.
    Klicke(Mitte(view->GetHotRect(45)));
    ASSERT_EQ(sliders.m_nLastKind, 8);
    ASSERT_TRUE(view->GetSlider());
    const double a1 = f.GetAchse1Abstand(), d12 = f.m_Achsen[1].dAbstand;
    sliders.m_pLast->Move(a1 + 0.5);
    EXPECT_DOUBLE_EQ(f.GetAchse1Abstand(), a1 + 0.5);
    EXPECT_DOUBLE_EQ(f.m_Achsen[1].dAbstand, d12 + 0.5);
    EXPECT_TRUE(D().IsModified());
    EXPECT_EQ(host.Anzahl(UpdateHinweis::kBearbeitet), 1);
    EXPECT_GE(host.nTitel, 1);
    // While one is open no other slider opens.
    EXPECT_FALSE(view->OpenSlider(QPoint(10, 10), 10, true));
    SliderValueEvent zu(SliderValueEvent::kClosed, 0.0);
    QCoreApplication::sendEvent(view.get(), &zu);
    EXPECT_FALSE(view->GetSlider());

    // A share is whole percent.
    Male();
    const QRect anteil = view->GetHotRect(41);
    ASSERT_FALSE(anteil.isEmpty());
    Klicke(Mitte(anteil));
    ASSERT_EQ(sliders.m_nLastKind, 2);
    sliders.m_pLast->Move(37.9);
    EXPECT_EQ(f.m_nMinAnteilVorn, 37u);
    QCoreApplication::sendEvent(view.get(), &zu);

    // The load-area length and the permissible total mass.
    Male();
    Klicke(Mitte(view->GetHotRect(46)));
    ASSERT_EQ(sliders.m_nLastKind, 9);
    sliders.m_pLast->Move(9.25);
    EXPECT_DOUBLE_EQ(f.GetLFLaenge(), 9.25);
    QCoreApplication::sendEvent(view.get(), &zu);
    Male();
    Klicke(Mitte(view->GetHotRect(49)));
    ASSERT_EQ(sliders.m_nLastKind, 10);
    sliders.m_pLast->Move(19.5);
    EXPECT_DOUBLE_EQ(f.m_dZulGesamtgewicht, 19.5);
    QCoreApplication::sendEvent(view.get(), &zu);

    // An axle's empty load.
    Male();
    const QRect leer = view->GetHotRect(31);
    ASSERT_FALSE(leer.isEmpty());
    Klicke(Mitte(leer));
    ASSERT_EQ(sliders.m_nLastKind, 1);
    sliders.m_pLast->Move(3.125);
    EXPECT_DOUBLE_EQ(f.m_Achsen[0].dLeerlast, 3.125);
}

// The value field of the vehicle tab, in either language: a refused entry stays with its note under the
// field until it is corrected or dropped with Esc; a good entry and Return take the value, move the axle
// and close the field, as on the loading plan.
TEST_F(TemplateEditTest, TheValueFieldKeepsARefusedEntryAndClosesOnAGoodOne)
{
    CWndSliderFactory echte;
    ServiceInstallation<ISliderFactory> installiert(run, echte);
    const SliderHint::Services hinweisVorher = SliderHint::SetServices({[] { return QStringLiteral("EN"); },
                                                                        [](bool* checked) {
                                                                            *checked = false;
                                                                            return 668;
                                                                        },
                                                                        {},
                                                                        {}});
    struct Sprache
    {
        const char* code;
        const char* keineZahl;
        const char* keineGanze;
        QChar komma;
    };
    const Sprache sprachen[] = {
        {"EN", "cannot be read as a number. Enter a whole number from", "is not a whole number.",
         QLatin1Char('.')},
        {"DE", "ist keine g\u00fcltige Zahl. Geben Sie eine ganze Zahl von", "ist keine ganze Zahl.",
         QLatin1Char(',')},
    };
    for (const Sprache& sprache : sprachen) {
        const std::unique_ptr<ResourceModule> modul = ResourceModule::Load(
            QString::fromLatin1(sprache.code), QCoreApplication::applicationDirPath(), nullptr);
        ASSERT_TRUE(modul);
        ResourceModule::SetCurrent(modul.get());
        for (bool bEsc : {false, true}) {
            SCOPED_TRACE(std::string(sprache.code) + (bEsc ? ", dropped with Esc" : ", corrected"));
            Neu();
            Oeffne("LKW");
            view->show();
            view->activateWindow();
            QCoreApplication::processEvents();
            Male();
            CFahrzeug& f = F();
            const double vorher = f.m_Achsen[1].dAbstand;
            Klicke(Mitte(view->GetHotRect(12)));
            ASSERT_EQ(view->GetSliderKind(), 6);
            auto* regler = dynamic_cast<CWndValueSlider*>(view->GetSlider());
            ASSERT_TRUE(regler);
            QPointer<CWndSlider> s = regler->Window();
            ASSERT_TRUE(s);
            const long gut = std::lround(vorher * 1000.0) + 100;
            const QString dezimal = QString::number(gut) + sprache.komma + QLatin1Char('5');
            for (const QString& falsch : {QStringLiteral("7,5x"), dezimal}) {
                s->FocusEdit();
                QTest::keyClicks(s->Edit(), falsch);
                QTest::keyPress(s->Edit(), Qt::Key_Return); // no release: a closed field is gone
                ASSERT_TRUE(s) << "the field stays open";
                EXPECT_EQ(s->Edit()->text(), falsch);
                EXPECT_DOUBLE_EQ(f.m_Achsen[1].dAbstand, vorher);
                ASSERT_TRUE(s->RefusalNote());
                const QString note = s->RefusalNote()->text();
                EXPECT_TRUE(note.contains(
                    QString::fromUtf8(falsch == dezimal ? sprache.keineGanze : sprache.keineZahl)))
                    << note.toStdString();
            }
            if (bEsc) {
                QTest::keyPress(s->Edit(), Qt::Key_Escape);
                EXPECT_FALSE(s);
                EXPECT_DOUBLE_EQ(f.m_Achsen[1].dAbstand, vorher);
            } else {
                s->FocusEdit();
                QTest::keyClicks(s->Edit(), QString::number(gut));
                QTest::keyPress(s->Edit(), Qt::Key_Return);
                EXPECT_FALSE(s) << "Return takes a good entry and closes the field";
                EXPECT_NEAR(f.m_Achsen[1].dAbstand, gut / 1000.0, 1e-9) << "the axle moved";
            }
            EXPECT_FALSE(view->GetSlider());
            EXPECT_EQ(CWndSlider::OpenCount(), 0);
        }
        ResourceModule::SetCurrent(module.Module());
    }
    SliderHint::SetServices(hinweisVorher);
}

TEST_F(TemplateEditTest, PermissibleAxleLoadsAndAxleDistancesAskForTheRegulationsHint)
{
    Oeffne("LKW");
    const struct
    {
        int nMsg;
        double dWert;
        bool bHinweis;
    } faelle[] = {
        {0x8066, 3.0, false},                        // an empty axle load
        {0x8067, 7.5, true},                         // a permissible axle load
        {0x806C, 30.0, false}, {0x8074, 3.6, false}, // the axle distance of the first kind
        {0x8075, 1.4, true},                         // the axle distance of the second kind
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.nMsg);
        view->GetProgramRun().SetSliderHinweisAnstehend(false);
        SliderValueEvent e(f.nMsg, f.dWert);
        QCoreApplication::sendEvent(view.get(), &e);
        EXPECT_EQ(view->GetProgramRun().IsSliderHinweisAnstehend(), f.bHinweis);
    }
}

// The note on German regulations after an axle change follows the regional version of the settings,
// whatever the language of the interface.
TEST_F(TemplateEditTest, AxleEditsShowTheRegulationsHintWithTheGermanVersionUntilItIsTicked)
{
    QString sprache;
    int nBoxen = 0;
    bool bAnkreuzen = false;
    SliderHint::Services vorher = SliderHint::SetServices({[&sprache] { return sprache; },
                                                           [&](bool* checked) {
                                                               ++nBoxen;
                                                               *checked = bAnkreuzen;
                                                               return 668;
                                                           },
                                                           {},
                                                           {}});
    const auto ziehe = [this] {
        CDIBFahrzeug* dib = view->GetDIBFahrzeug();
        const QPoint pt = Mitte(dib->GetAchsen()[1].m_rc);
        Druecke(pt);
        Ziehe(pt + QPoint(-20, 0));
        LasseLos(pt + QPoint(-20, 0));
    };
    const struct
    {
        const char* name;
        const char* version;
        const char* sprache;
        bool bZiehen;    // drag the second axle, else add one
        bool bAnkreuzen; // the user ticks the box
        int nBoxen;      // boxes shown so far
    } faelle[] = {
        {"EU, English: added, no hint", "EU", "EN", false, false, 0},
        {"EU, German: dragged, no hint", "EU", "DE", true, false, 0},
        {"DE, English: added", "de", "EN", false, false, 1},
        {"DE, German: dragged, ticked", "DE", "DE", true, true, 2},
        {"ticked: not again in this run", "DE", "DE", true, false, 2},
    };
    const ScopedRegionalVersion version;
    Oeffne("GDA");
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        RegionalVersion::Set(QString::fromLatin1(f.version));
        sprache = QString::fromLatin1(f.sprache);
        bAnkreuzen = f.bAnkreuzen;
        const int nAchsen = F().GetAchsanzahl();
        if (f.bZiehen) {
            ziehe();
        } else {
            ASSERT_TRUE(view->AddAchse());
            EXPECT_EQ(F().GetAchsanzahl(), nAchsen + 1);
        }
        EXPECT_EQ(nBoxen, f.nBoxen);
        Male();
    }
    EXPECT_TRUE(view->GetProgramRun().GetAntworten().bSliderHinweisAus);
    SliderHint::SetServices(vorher);
}

// Over a semi-trailer on a German interface, the front swing label's tooltip (tool 12347) explains the
// figures when the regional version is "DE": the sample is 2480 mm wide, with 200 mm corners the kingpin
// may lie up to sqrt(2.04^2 - 1.24^2) + 0.1 = 1.720 m behind the front wall.
TEST_F(TemplateEditTest, FrontSwingTooltipWithTheGermanVersion)
{
    const std::unique_ptr<ResourceModule> de =
        ResourceModule::Load(QStringLiteral("DE"), QCoreApplication::applicationDirPath(), nullptr);
    ASSERT_TRUE(de);
    const ResourceModule* vorher = ResourceModule::Current();
    ResourceModule::SetCurrent(de.get());
    Oeffne("SAH");
    dynamic_cast<CAuflieger&>(F()).m_dAufliegerMass = 0.2;
    Male();
    auto* d = dynamic_cast<CDIBAuflieger*>(view->GetDIBFahrzeug());
    ASSERT_TRUE(d);
    const QRect rc = d->GetSchwenkradiusRect();
    ASSERT_FALSE(rc.isEmpty());
    const ScopedRegionalVersion guard;
    for (const char* version : {"EU", "DE"}) {
        SCOPED_TRACE(version);
        RegionalVersion::Set(QString::fromLatin1(version));
        QToolTip::hideText();
        const QPoint pt = VP()->mapTo(view.get(), rc.center());
        QHelpEvent e(QEvent::ToolTip, pt, view->mapToGlobal(pt));
        QCoreApplication::sendEvent(view.get(), &e);
        const QString tip = QToolTip::text();
        if (QString::fromLatin1(version) == QLatin1String("DE")) {
            EXPECT_TRUE(tip.startsWith(de->String(207) + QStringLiteral(". "))) << tip.toStdString();
            EXPECT_TRUE(tip.contains(QStringLiteral("2480 mm"))) << tip.toStdString();
            EXPECT_TRUE(tip.contains(QStringLiteral("100 mm"))) << tip.toStdString();
            EXPECT_TRUE(tip.contains(QStringLiteral("1720 mm"))) << tip.toStdString();
        } else {
            EXPECT_TRUE(tip.isEmpty()) << tip.toStdString();
        }
    }
    QToolTip::hideText();
    view.reset();
    ResourceModule::SetCurrent(vorher);
}

TEST_F(TemplateEditTest, ItemSlidersNeedASelectedItem)
{
    Oeffne("LKW");
    struct Fall
    {
        int nKind;
        bool bAuswahl;
        bool bOffen;
    };
    const Fall faelle[] = {{11, false, false}, {18, false, false}, {11, true, true}, {18, true, true}};
    tagZLINFO* p = Item(2, 3.0, 0.4);
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.nKind * 10 + fall.bAuswahl);
        view->ClearSelection(false);
        if (fall.bAuswahl) {
            ASSERT_FALSE(view->GetDIBFahrzeug()->GetZL().empty());
            QTest::mouseClick(VP(), Qt::RightButton, Qt::NoModifier,
                              Mitte(view->GetDIBFahrzeug()->GetZL().front().m_rc));
            ASSERT_EQ(view->GetSelZL(), p);
        }
        EXPECT_EQ(view->OpenSlider(QPoint(20, 20), fall.nKind, true), fall.bOffen);
        if (view->GetSlider()) {
            sliders.m_pLast->Move(fall.nKind == 11 ? 4.5 : 0.75);
            SliderValueEvent zu(SliderValueEvent::kClosed, 0.0);
            QCoreApplication::sendEvent(view.get(), &zu);
        }
    }
    EXPECT_DOUBLE_EQ(p->m_dPosX, 4.5);
    EXPECT_DOUBLE_EQ(p->m_dMasse, 0.75);
    // The commands that need an item do nothing without one.
    view->ClearSelection(false);
    for (int nId : {369, 32846, 32847, 32848})
        EXPECT_FALSE(view->OnBefehl(nId)) << nId;
}

TEST_F(TemplateEditTest, ValuesWithoutAVehicleFieldOpenNoSliderAndStoreNothing)
{
    Oeffne("LKW");
    // Command 344 stays disabled; a stray message of its kind is taken and dropped without marking the
    // vehicle as changed.
    EXPECT_FALSE(view->IsBefehlAktiv(344));
    EXPECT_FALSE(view->OnBefehl(344));
    EXPECT_FALSE(view->OpenSlider(QPoint(10, 10), 17, true));
    SliderValueEvent e(0x8081, 0.42);
    QCoreApplication::sendEvent(view.get(), &e);
    EXPECT_FALSE(D().IsModified());
    EXPECT_TRUE(host.hints.empty());
}

TEST_F(TemplateEditTest, TheRemarksCommandAndLinkEditTheRemarksOfTheVehicleWorkedOn)
{
    Oeffne("LKW");
    EXPECT_TRUE(view->IsBefehlAktiv(321));
    F().m_strBemerkung = "old";
    struct Fall
    {
        const char* name;
        bool bAbbruch;
        bool bGeaendert;
        const char* eingabe;
        const char* erwartet;
        bool bModified;
    } faelle[] = {
        {"trimmed", false, true, "  Tail lift checked\n\n", "Tail lift checked", true},
        {"cancelled", true, true, "ignored", "old", false},
        {"not changed", false, false, "ignored", "old", false},
        {"emptied", false, true, " \n", "", true},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        F().m_strBemerkung = "old";
        F().m_bModified = 0;
        D().SetModifiedFlag(false);
        dialogs.m_bCancel = fall.bAbbruch;
        dialogs.m_bBemerkungGeaendert = fall.bGeaendert;
        dialogs.m_strBemerkung = fall.eingabe;
        dialogs.m_nOpened = 0;
        EXPECT_TRUE(view->OnBefehl(321));
        EXPECT_EQ(dialogs.m_nOpened, 1);
        EXPECT_EQ(dialogs.m_strBemerkungTitel, "Remarks on LKW");
        EXPECT_EQ(dialogs.m_strBemerkungGezeigt, "old");
        EXPECT_EQ(F().m_strBemerkung, fall.erwartet);
        EXPECT_EQ(D().IsModified(), fall.bModified);
        EXPECT_EQ(F().m_bModified != 0, fall.bModified);
    }

    // A click on the link opens the same dialog; the link then shows in blue.
    dialogs.m_bCancel = false;
    dialogs.m_bBemerkungGeaendert = true;
    dialogs.m_strBemerkung = "Clicked";
    dialogs.m_nOpened = 0;
    Male();
    const QRect link = view->GetHotSpot(IPlanDrawView::kHotBemerkung);
    ASSERT_FALSE(link.isEmpty());
    Klicke(Mitte(link));
    EXPECT_EQ(dialogs.m_nOpened, 1);
    EXPECT_EQ(F().m_strBemerkung, "Clicked");
    const QImage bild = Male();
    int blau = 0;
    for (int y = link.top(); y <= link.bottom(); ++y)
        for (int x = link.left(); x <= link.right(); ++x)
            blau += bild.pixel(x, y) == qRgb(0, 0, 255);
    EXPECT_GT(blau, 10);
}

// --- length ranges ----------------------------------------------------------------------------------------

TEST_F(TemplateEditTest, LengthRangesHoldTheVehicleAsItStands)
{
    for (const char* name : {"LKW", "KEP", "GDA", "SDA", "SAH", "SZM"}) {
        SCOPED_TRACE(name);
        Neu();
        Oeffne(name);
        CFahrzeug& f = F();
        double lo = 0.0, hi = 0.0;
        ASSERT_TRUE(view->GetLaengenRange(2, &lo, &hi));
        // A tractor has no load area of its own to compare with.
        if (f.GetArt() != FahrzeugArt::kSattelzugmaschine) {
            EXPECT_LE(lo, f.GetLFLaenge() + 1e-9);
        }
        EXPECT_DOUBLE_EQ(hi, f.GetArt() == FahrzeugArt::kSattelzugmaschine ? 7.0 : 15.0);
        ASSERT_TRUE(view->GetLaengenRange(1, &lo, &hi));
        EXPECT_LE(lo, hi);
        for (int t = 3; t < 3 + f.GetRecordAnzahl() - 1 && t <= 8; ++t) {
            ASSERT_TRUE(view->GetLaengenRange(t, &lo, &hi));
            EXPECT_GE(f.m_Achsen[t - 2].dAbstand, lo - 1e-9) << t;
            EXPECT_LE(f.m_Achsen[t - 2].dAbstand, hi + 1e-9) << t;
        }
        EXPECT_FALSE(view->GetLaengenRange(20, &lo, &hi));
        view.reset();
    }
}

// --- adding axles -------------------------------------------------------------------------------------

TEST_F(TemplateEditTest, AddedAxleIsTheVehiclesOwnUpToTheKindsMaximum)
{
    struct Fall
    {
        const char* fahrzeug;
        double dKuerzer; // the load area is cut to end this far behind the last axle (0: as it is)
    };
    const Fall faelle[] = {{"LKW", 0.0}, {"LKW", 1.0}, {"LKW", 0.2},
                           {"GDA", 0.5}, {"SDA", 0.0}, {"SAH", 0.0}};
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(std::string(fall.fahrzeug) + " " + std::to_string(fall.dKuerzer));
        Neu();
        Oeffne(fall.fahrzeug);
        CFahrzeug& f = F();
        // The same vehicle outside any view: the view's axle must be the one the vehicle adds itself.
        std::unique_ptr<CFahrzeug> zwilling = LoadSampleVehicle(fall.fahrzeug);
        ASSERT_TRUE(zwilling);
        for (CFahrzeug* v : {&f, zwilling.get()}) {
            v->m_dKupplungslast1 = 0.0;
            if (fall.dKuerzer > 0.0)
                v->m_dLFLaenge = v->GetPosLetzteAchse() + fall.dKuerzer;
        }
        const int n = f.GetAchsanzahl();
        if (n >= CFahrzeug::GetMaxAchsen(f.GetArt())) {
            EXPECT_FALSE(view->AddAchse());
            EXPECT_EQ(f.GetAchsanzahl(), n);
            view.reset();
            continue;
        }
        ASSERT_TRUE(view->AddAchse());
        ASSERT_TRUE(zwilling->AddAchse());
        EXPECT_EQ(f.GetAchsanzahl(), n + 1);
        EXPECT_EQ(f.GetRecordAnzahl(), zwilling->GetRecordAnzahl());
        for (int i = 0; i < CFahrzeug::MAX_ACHSEN; ++i) {
            SCOPED_TRACE(i);
            EXPECT_DOUBLE_EQ(f.m_Achsen[i].dAbstand, zwilling->m_Achsen[i].dAbstand);
            EXPECT_DOUBLE_EQ(f.m_Achsen[i].dLeerlast, zwilling->m_Achsen[i].dLeerlast);
            EXPECT_DOUBLE_EQ(f.m_Achsen[i].dZulLast, zwilling->m_Achsen[i].dZulLast);
        }
        EXPECT_DOUBLE_EQ(f.m_Achsen[f.GetRecordAnzahl() - 1].dAbstand, CFahrzeug::kNeuerAchsAbstand);
        EXPECT_DOUBLE_EQ(f.GetLFLaenge(), zwilling->GetLFLaenge());
        EXPECT_TRUE(D().IsModified());
        // The count stops at the kind's maximum.
        while (view->AddAchse())
            ;
        EXPECT_EQ(f.GetAchsanzahl(), CFahrzeug::GetMaxAchsen(f.GetArt()));
        view.reset();
    }
}

// --- additional items ------------------------------------------------------------------------------------

TEST_F(TemplateEditTest, AddingAnItemFollowsItsKindsRules)
{
    struct Fall
    {
        int nArt;
        bool bErlaubt;
        int nMeldung; // message shown, 0 none
    };
    const Fall faelle[] = {{1, true, 0}, {1, false, 631}, {5, true, 0}, {5, false, 631}, {2, true, 632}};
    Oeffne("LKW");
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.nArt);
        boxes.Clear();
        const std::size_t vorher = F().m_ZLInfos.size();
        dialogs.m_zl.nArt = fall.nArt;
        dialogs.m_zl.strName = "New";
        dialogs.m_zl.dMasse = 0.3;
        view->AddZL();
        EXPECT_EQ(F().m_ZLInfos.size(), vorher + (fall.bErlaubt ? 1 : 0));
        if (fall.nMeldung) {
            ASSERT_EQ(boxes.Records().size(), 1);
            EXPECT_EQ(boxes.Records().front().html.textId, fall.nMeldung);
        } else {
            EXPECT_TRUE(boxes.Records().empty());
        }
    }
}

TEST_F(TemplateEditTest, DeletingAnItemAsksFirst)
{
    Oeffne("LKW");
    tagZLINFO* p = Item(2, 3.0, 0.4);
    ASSERT_FALSE(view->GetDIBFahrzeug()->GetZL().empty());
    QTest::mouseClick(VP(), Qt::RightButton, Qt::NoModifier,
                      Mitte(view->GetDIBFahrzeug()->GetZL().front().m_rc));
    ASSERT_EQ(view->GetSelZL(), p);
    boxes.AddAnswer(IMessageBoxService::kNo);
    EXPECT_TRUE(view->OnBefehl(32847));
    ASSERT_EQ(boxes.Records().size(), 1);
    EXPECT_EQ(boxes.Records().front().buttons, IMessageBoxService::Buttons::YesNo);
    EXPECT_TRUE(F().HasZL(p));
    EXPECT_FALSE(D().IsModified());
    boxes.AddAnswer(IMessageBoxService::kYes);
    EXPECT_TRUE(view->OnBefehl(32847));
    EXPECT_FALSE(F().HasZL(p));
    EXPECT_EQ(view->GetSelZL(), nullptr);
    EXPECT_TRUE(D().IsModified());
    Male(); // the drawing no longer knows the item
}

TEST_F(TemplateEditTest, FrontVehicleOfACombinationTakesNoLoadingCrane)
{
    Oeffne("GDA", "LKW");
    ASSERT_TRUE(D().SetAktivIndex(CQOR1Doc::kAktivZugfahrzeug, false, false));
    ASSERT_EQ(D().GetAktivFahrzeug(false), D().GetFirstFahrzeug());
    EXPECT_EQ(view->CanAddZL(5), 0);
    EXPECT_EQ(view->CanAddZL(2), 1);
    ASSERT_TRUE(D().SetAktivIndex(CQOR1Doc::kAktivAnhaenger, false, false));
    EXPECT_EQ(view->CanAddZL(5), 1);
}

// --- weights tool tips ------------------------------------------------------------------------------------

TEST_F(TemplateEditTest, WeightsTipsKeepTheirLineFormats)
{
    struct Fall
    {
        const char* fahrzeug;
        const char* zug;
        int nTool;
        bool bKupplung; // coupling-load line expected
    };
    const Fall faelle[] = {
        {"LKW", nullptr, 1, true}, {"LKW", nullptr, 2, false}, {"GDA", "LKW", 1, false},
        {"GDA", "LKW", 2, false},  {"GDA", "LKW", 3, false},   {"SAH", "SZM", 1, true},
        {"SAH", "SZM", 2, false},  {"SAH", "SZM", 4, false},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(std::string(fall.fahrzeug) + " tool " + std::to_string(fall.nTool));
        Neu();
        Oeffne(fall.fahrzeug, fall.zug);
        Last(2.0, 3.0);
        CFahrzeug* v = fall.nTool <= 2 ? D().GetFirstFahrzeug() : D().GetAnhaenger();
        ASSERT_TRUE(v);
        std::string titel;
        const std::string tip = view->GetGewichtsTip(fall.nTool, &titel);
        EXPECT_FALSE(titel.empty());
        const bool bKombi = fall.nTool == 2 && D().GetAnhaenger();
        std::vector<std::string> zeilen;
        std::istringstream in(tip);
        for (std::string z; std::getline(in, z);)
            zeilen.push_back(z);
        const auto hat = [&](const std::string& z) {
            return std::find(zeilen.begin(), zeilen.end(), z) != zeilen.end();
        };
        // The payload line.
        if (v->GetArt() != FahrzeugArt::kSattelzugmaschine) {
            std::string last =
                FormatChecked("%25s %8.0f kg", {FormatS("$S:", 1, 246u), v->GetQorMasse() * 1000.0});
            EXPECT_TRUE(hat(last)) << tip;
        }
        const std::string kupplung =
            FormatChecked("%25s %8.0f kg", {FormatS("$S:", 1, 2u), v->GetKupplungslast() * 1000.0});
        EXPECT_EQ(hat(kupplung), fall.bKupplung) << tip;
        // The sum block.
        const double gesamt = v->GetGesamtmasse(fall.nTool == 2);
        EXPECT_TRUE(hat(std::string(29, ' ') + "-----")) << tip;
        EXPECT_TRUE(hat(FormatChecked("%34.0f kg", {gesamt * 1000.0}))) << tip;
        // The closing line.
        double vorn = 0.0, hinten = 0.0;
        v->CalcAchslastenBeladen(&vorn, &hinten);
        const double last = fall.nTool % 2 ? vorn : hinten;
        const std::string schluss =
            FormatResChecked(bKombi ? 254 : 3, {last * 1000.0, last / gesamt * 100.0});
        ASSERT_FALSE(zeilen.empty());
        EXPECT_EQ(zeilen.back(), schluss);
        // Every "kg" of the table stands in one column.
        std::size_t spalte = std::string::npos;
        for (const std::string& z : zeilen) {
            const std::size_t k = z.find(" kg");
            if (k == std::string::npos)
                continue;
            if (spalte == std::string::npos)
                spalte = k;
            EXPECT_EQ(k, spalte) << z;
        }
        // The rich-text form keeps the table in a fixed-pitch block under a bold title.
        const QString html = view->GetGewichtsTipHtml(fall.nTool);
        EXPECT_TRUE(html.startsWith(QStringLiteral("<b>")));
        EXPECT_TRUE(html.contains(QStringLiteral("<pre")));
        view.reset();
    }
}

TEST_F(TemplateEditTest, PayloadAreaTipGivesTheCentreOfGravityRangeAndTheLoad)
{
    Oeffne("LKW");
    Last(2.5, 3.0);
    Male();
    CDIBFahrzeug* dib = view->GetDIBFahrzeug();
    ASSERT_TRUE(dib);
    const QPolygon& kurve = dib->GetKurvenPunkte();
    ASSERT_FALSE(kurve.isEmpty());
    const QRect lf = view->GetLadeflaecheRect();
    const QPoint innen(lf.left() + lf.width() / 2, lf.bottom() - 3);
    ASSERT_TRUE(kurve.containsPoint(innen, Qt::OddEvenFill));
    Bewege(innen);
    const auto it = view->GetTools().find(12348);
    ASSERT_NE(it, view->GetTools().end());
    CFahrzeug& f = F();
    const double r = f.GetRandabstand(0);
    EXPECT_EQ(it->second.text, FormatResChecked(203, {(f.GetNutzlastKurve().GetNutzbarVon() - r) * 1000.0,
                                                      (f.GetNutzlastKurve().GetNutzbarBis() - r) * 1000.0,
                                                      f.GetQorMasse() * 1000.0}));
    EXPECT_TRUE(it->second.rc.contains(innen));
    // The text is the program's, with no conversion left unfilled.
    EXPECT_EQ(it->second.text.find('%'), std::string::npos);
}

TEST_F(TemplateEditTest, DoubleClickOnAnItemOpensItsMassSliderAndElsewhereNothing)
{
    Oeffne("LKW");
    tagZLINFO* p = Item(2, 3.0, 0.4);
    const QPoint item = Mitte(view->GetDIBFahrzeug()->GetZL().front().m_rc);
    // Elsewhere: no slider.
    Bewege(QPoint(5, 5));
    QTest::mouseDClick(VP(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(view->GetSlider());
    // On the item: it is selected and its mass slider opens.
    Bewege(item);
    QTest::mouseClick(VP(), Qt::LeftButton, Qt::NoModifier, item);
    QTest::mouseDClick(VP(), Qt::LeftButton, Qt::NoModifier, item);
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(view->GetSelZL(), p);
    EXPECT_EQ(view->GetSliderKind(), 18);
}

TEST_F(TemplateEditTest, DeleteKeyRemovesTheSelectedAxleOnlyWhenTheFrameAllowsIt)
{
    Oeffne("GDA");
    CDIBFahrzeug* dib = view->GetDIBFahrzeug();
    ASSERT_GE(dib->GetAchsen().size(), 2u);
    QTest::mouseClick(VP(), Qt::RightButton, Qt::NoModifier, Mitte(dib->GetAchsen()[1].m_rc));
    ASSERT_TRUE(view->IsAchseSelected());
    EXPECT_EQ(view->GetHitAchse(), 1);
    for (bool bErlaubt : {false, true}) {
        SCOPED_TRACE(bErlaubt);
        shell.m_bCanRemoveAchse = bErlaubt;
        shell.m_calls.clear();
        QTest::keyClick(view.get(), Qt::Key_Delete);
        EXPECT_EQ(shell.Count("OnRemoveAchse"), bErlaubt ? 1 : 0);
    }
}

TEST_F(TemplateEditTest, ContextMenuByWhatLiesUnderThePointer)
{
    Oeffne("LKW");
    tagZLINFO* p = Item(2, 3.0, 0.4);
    const QPoint item = Mitte(view->GetDIBFahrzeug()->GetZL().front().m_rc);
    const auto ids = [](QMenu* m) {
        std::vector<int> v;
        for (QAction* a : m->actions())
            if (const int id = MenuResource::CommandOf(a))
                v.push_back(id);
        return v;
    };
    // The item: its commands, the mass in the caption.
    QTest::mouseClick(VP(), Qt::RightButton, Qt::NoModifier, item);
    ASSERT_EQ(view->GetSelZL(), p);
    std::unique_ptr<QMenu> m(view->KontextMenu(item));
    ASSERT_TRUE(m);
    EXPECT_EQ(ids(m.get()), (std::vector<int>{32846, 32847, 32848, 369}));
    bool bMasse = false;
    for (QAction* a : m->actions())
        if (MenuResource::CommandOf(a) == 369)
            bMasse = a->text() == QString::fromStdString(FormatResChecked(236, {400.0}));
    EXPECT_TRUE(bMasse);
    // The body: the vehicle's menu with the chart's mark.
    view->ClearSelection(false);
    const QPoint koerper = Mitte(view->GetHotRect(5)) + QPoint(40, 0);
    view->HitTest(koerper);
    ASSERT_EQ(view->GetHitKind(), CQOR1View::kHitKoerper);
    view->ShowDiagramm(true);
    m.reset(view->KontextMenu(koerper));
    ASSERT_TRUE(m);
    bool bDiagramm = false;
    for (QAction* a : m->actions())
        if (MenuResource::CommandOf(a) == 33255)
            bDiagramm = a->isChecked();
    EXPECT_TRUE(bDiagramm);
    // Nothing under the pointer: no menu.
    view->HitTest(QPoint(2, 690));
    EXPECT_EQ(view->KontextMenu(QPoint(2, 690)), nullptr);
}

TEST_F(TemplateEditTest, UsableLoadAreaEditKeepsTheLoadsInPlaceAndTellsTheViews)
{
    Oeffne("LKW");
    Last(2.0, 1.0);
    CFahrzeug& f = F();
    const SNutzbareLF alt = f.m_NutzLF[0];
    const double x = f.GetQor()->GetLgInfos().front()->m_dPosX;
    struct Fall
    {
        bool bAbbruch;
        double dHinten; // the third margin entered
    };
    for (const Fall& fall :
         {Fall{true, 0.4}, Fall{false, alt.m_dRand[2]}, Fall{false, alt.m_dRand[2] + 0.3}}) {
        SCOPED_TRACE(fall.dHinten);
        D().SetModifiedFlag(false);
        dialogs.m_bCancel = fall.bAbbruch;
        for (int i = 0; i < 4; ++i)
            dialogs.m_nutzLF.dLaengen[i] = alt.m_dRand[i];
        dialogs.m_nutzLF.dLaengen[0] = alt.m_dRand[0] + 0.1;
        dialogs.m_nutzLF.dLaengen[2] = fall.dHinten;
        const double vorn = f.m_NutzLF[0].m_dRand[0];
        EXPECT_TRUE(view->OnBefehl(32950));
        EXPECT_DOUBLE_EQ(dialogs.m_nutzLFGezeigt.dLaengen[0], vorn);
        if (fall.bAbbruch) {
            EXPECT_TRUE(f.m_NutzLF[0] == alt);
            EXPECT_FALSE(D().IsModified());
            continue;
        }
        EXPECT_DOUBLE_EQ(f.m_NutzLF[0].m_dRand[0], alt.m_dRand[0] + 0.1);
        EXPECT_TRUE(f.m_NutzLF[0] == f.m_NutzLF[1]);
        EXPECT_TRUE(D().IsModified());
        EXPECT_NEAR(f.GetQor()->GetLgInfos().front()->m_dPosX, x - (fall.dHinten - alt.m_dRand[2]), 1e-12);
        EXPECT_GT(host.Anzahl(UpdateHinweis::kBearbeitet), 0);
    }
    // A negative margin is not taken.
    dialogs.m_bCancel = false;
    const SNutzbareLF vorher = f.m_NutzLF[0];
    dialogs.m_nutzLF.dLaengen[1] = -1.0;
    view->OnBefehl(32950);
    EXPECT_TRUE(f.m_NutzLF[0] == vorher);
}

// After the usable area was edited the document tells every view of the host, and the load-securing view
// also hears it as its own view notification, with the dialog's mode.
TEST_F(TemplateEditTest, UsableLoadAreaEditTellsTheViewsOfTheHostAndTheSecuringViewItsMode)
{
    auto f = LoadSampleVehicle("LKW");
    ASSERT_TRUE(f);
    D().SetHost(&host);
    D().SetFahrzeug(f.release());
    D().OnDocumentOpened();
    std::vector<NotifyCall> log;
    CTabbedViewView tabs(&D(), [&](int nKind, CQOR1Doc* pDoc) -> CGetAnsView* {
        if (nKind == CTabbedViewView::kTemplate)
            return new CQOR1View(pDoc);
        return new ProbeView(pDoc, &log);
    });
    tabs.SetProgramRun(&run);
    auto* vorlage = dynamic_cast<CQOR1View*>(tabs.GetView(CTabbedViewView::kTemplate));
    ASSERT_TRUE(vorlage);
    CViewsDocumentHost bridge(&tabs);
    D().SetHost(&bridge);
    dialogs.m_bCancel = false;
    const SNutzbareLF alt = F().m_NutzLF[0];
    for (int i = 0; i < 4; ++i)
        dialogs.m_nutzLF.dLaengen[i] = alt.m_dRand[i];
    dialogs.m_nutzLF.dLaengen[0] = alt.m_dRand[0] + 0.1;
    for (const int nModus : {0, 1}) {
        SCOPED_TRACE(nModus);
        log.clear();
        vorlage->EditNutzbareLF(nModus);
        const int nGeaendert = -int(DokumentMeldung::kLadeflaecheGeaendert);
        const std::vector<NotifyCall> gesagt = {{CTabbedViewView::kPlan, nGeaendert, 0},
                                                {CTabbedViewView::k3D, nGeaendert, 0},
                                                {CTabbedViewView::kLgSicherung, nGeaendert, 0}};
        std::vector<NotifyCall> meldungen;
        for (const NotifyCall& c : log)
            if (c.nCode < 0)
                meldungen.push_back(c);
        EXPECT_EQ(meldungen, gesagt);
        std::vector<NotifyCall> sichg;
        for (const NotifyCall& c : log)
            if (c.nCode == int(AnsichtMeldung::kNutzflaecheBearbeitet))
                sichg.push_back(c);
        EXPECT_EQ(sichg, (std::vector<NotifyCall>{{CTabbedViewView::kLgSicherung,
                                                   int(AnsichtMeldung::kNutzflaecheBearbeitet), nModus}}));
    }
    D().SetHost(&host);
}

// The template view with its help recorded instead of shown.
// The document with the sample rigid truck open, as the program opens it.
void OeffneLkw(CQOR1Doc& doc)
{
    auto f = LoadSampleVehicle("LKW");
    ASSERT_TRUE(f);
    doc.SetFahrzeug(f.release());
    doc.OnDocumentOpened();
}

class HilfeView : public CQOR1View
{
public:
    using CQOR1View::CQOR1View;
    int nHilfe = 0;

protected:
    void ZeigeHilfe() override { ++nHilfe; }
};

TEST(TemplateViewCommands, StripButtonAndCommandsReachTheView)
{
    EnglishModule module;
    CQOR1Doc doc;
    ASSERT_NO_FATAL_FAILURE(OeffneLkw(doc));
    HilfeView view(&doc);
    view.OnInitialUpdate();
    CommandEvent hilfe(827);
    QCoreApplication::sendEvent(&view, &hilfe);
    EXPECT_EQ(view.nHilfe, 1);
    CommandEvent diagramm(33255);
    QCoreApplication::sendEvent(&view, &diagramm);
    EXPECT_TRUE(view.IsDiagrammShown());
}

TEST(TemplateViewAnimations, HintAnimationsStandBesideTheGroupLoadsAndStepThroughTheirSequence)
{
    EnglishModule module;
    CQOR1Doc doc;
    ASSERT_NO_FATAL_FAILURE(OeffneLkw(doc));
    std::vector<RecordingAnimation*> anims;
    IFrameAnimation::SetCreator([&anims] {
        auto a = std::make_unique<RecordingAnimation>();
        anims.push_back(a.get());
        return a;
    });
    CQOR1View view(&doc);
    IFrameAnimation::SetCreator({});
    ASSERT_EQ(anims.size(), 4u);
    for (RecordingAnimation* a : anims) {
        EXPECT_EQ(a->m_nFrames, 8);
        EXPECT_EQ(a->m_sequence.size(), 31u);
        EXPECT_EQ(a->m_nStart, 0);
    }
    view.resize(1400, 700);
    view.OnInitialUpdate();
    const QImage bild = view.RenderFrame();
    // The front and the rear group have theirs; a single vehicle leaves the trailer's two empty.
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(view.GetAnimRect(i).isEmpty(), i >= 2);
        EXPECT_EQ(anims[static_cast<std::size_t>(i)]->m_nDraws, i < 2 ? 1 : 0);
    }
    EXPECT_FALSE(view.GetAnimRect(0).intersects(view.GetAnimRect(1)));
    // One round of 31 steps repaints only where the frame changes.
    int nNeu = 0;
    for (int k = 0; k < 31; ++k)
        nNeu += view.AnimSchritt() ? 1 : 0;
    // 0 → 1 … 6 → 7, 7 → 6 … 2 → 1 and 1 → 0 at the wrap.
    EXPECT_EQ(nNeu, 14);
    for (RecordingAnimation* a : anims)
        EXPECT_EQ(a->m_nSteps, 31);
    // Export pictures carry no animation.
    view.RenderExport(648);
    EXPECT_EQ(anims[0]->m_nDraws, 1);
}

TEST(TemplateViewAnimations, StillAnimationsShowTheirRestFrameInThePicture)
{
    EnglishModule module;
    CQOR1Doc doc;
    ASSERT_NO_FATAL_FAILURE(OeffneLkw(doc));
    CQOR1View view(&doc);
    view.resize(1400, 700);
    view.OnInitialUpdate();
    const QImage bild = view.RenderPicture(QSize(1400, 700));
    Speichere(bild, "template_hint_animations.png");
    const QRect rc = view.GetAnimRect(0);
    ASSERT_FALSE(rc.isEmpty());
    int farbig = 0;
    for (int y = rc.top(); y <= rc.bottom(); ++y)
        for (int x = rc.left(); x <= rc.right(); ++x)
            farbig += (bild.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF ? 1 : 0;
    EXPECT_GT(farbig, 30);
}

TEST(TemplateViewAnimations, AStepRepaintsOnlyTheFramesAndTheWindowShowsWhatAFullPaintWould)
{
    EnglishModule module;
    CQOR1Doc doc;
    ASSERT_NO_FATAL_FAILURE(OeffneLkw(doc));
    IFrameAnimation::SetViewCreator(
        [](QAbstractScrollArea* pView) { return std::make_unique<CTTFrameAnimation>(pView); });
    CQOR1View view(&doc);
    IFrameAnimation::SetViewCreator({});
    view.resize(1400, 700);
    view.OnInitialUpdate();
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QCoreApplication::processEvents();
    ASSERT_FALSE(view.GetAnimRect(0).isEmpty());
    // What the window holds: the offscreen screen gives the backing store's picture, not a new paint.
    const auto shown = [&view] {
        const QRect client(view.viewport()->mapTo(&view, QPoint()), view.viewport()->size());
        return QGuiApplication::primaryScreen()
            ->grabWindow(view.winId())
            .toImage()
            .copy(client)
            .convertToFormat(QImage::Format_RGB32);
    };
    // The places the viewport is asked to paint.
    struct Bereiche : QObject
    {
        QRegion region;
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::Paint)
                region += static_cast<QPaintEvent*>(e)->region();
            return false;
        }
    } bereiche;
    view.viewport()->installEventFilter(&bereiche);
    const QRegion orte = QRegion(view.GetAnimRect(0)) + view.GetAnimRect(1);
    int nGeaendert = 0;
    for (int k = 0; k < 31 && nGeaendert < 3; ++k) {
        bereiche.region = QRegion();
        const bool neu = view.AnimSchritt();
        // The window paints what was asked for now, not when its update timer comes round.
        QEvent jetzt(QEvent::UpdateRequest);
        QCoreApplication::sendEvent(&view, &jetzt);
        SCOPED_TRACE(k);
        // A step that holds the frame asks for no paint; a new frame for the shown animations' places
        // alone (the trailer's animations have none: a single truck).
        EXPECT_EQ(bereiche.region.isEmpty(), !neu);
        EXPECT_TRUE((bereiche.region - orte).isEmpty());
        if (!neu)
            continue;
        ++nGeaendert;
        const QImage fenster = shown();
        const QImage voll = view.RenderFrame().convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(fenster.size(), voll.size());
        // The view's strips are widgets of their own, not part of its picture.
        QRegion kinder;
        for (const QWidget* kind : view.viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (kind->isVisible())
                kinder += kind->geometry();
        QRect anders;
        for (int y = 0; y < voll.height(); ++y)
            for (int x = 0; x < voll.width(); ++x)
                if (fenster.pixel(x, y) != voll.pixel(x, y) && !kinder.contains(QPoint(x, y)))
                    anders |= QRect(x, y, 1, 1);
        EXPECT_TRUE(anders.isEmpty())
            << anders.x() << "," << anders.y() << " " << anders.width() << "x" << anders.height();
        if (!anders.isEmpty()) {
            Speichere(fenster, "template_anim_step_window.png");
            Speichere(voll, "template_anim_step_full_paint.png");
        }
    }
    EXPECT_EQ(nGeaendert, 3);
}

TEST(TemplateViewAnimations, TheAnimationsRestWhileTheWindowIsInactiveOrMinimised)
{
    EnglishModule module;
    CQOR1Doc doc;
    ASSERT_NO_FATAL_FAILURE(OeffneLkw(doc));
    CQOR1View view(&doc);
    view.resize(800, 600);
    view.OnInitialUpdate();
    EXPECT_FALSE(view.AnimLaeuft());
    view.show();
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    EXPECT_TRUE(view.AnimLaeuft());
    // Another window takes the activation, then gives it back.
    QWidget andere;
    andere.resize(200, 100);
    andere.show();
    andere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&andere));
    EXPECT_FALSE(view.AnimLaeuft());
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    EXPECT_TRUE(view.AnimLaeuft());
    view.showMinimized();
    QCoreApplication::processEvents();
    EXPECT_FALSE(view.AnimLaeuft());
    view.hide();
    EXPECT_FALSE(view.AnimLaeuft());
}

// --- keys
// ---------------------------------------------------------------------------------------------------

TEST_F(TemplateEditTest, EnterPlusAndMinusGoToTheLoadDialogWhileItIsOpen)
{
    Oeffne("LKW");
    LadeDialog dlg;
    struct Fall
    {
        Qt::Key key;
        const char* text;
        int nMsg;
    };
    const Fall faelle[] = {{Qt::Key_Return, "\r", CQOR1View::kMsgLastEnter},
                           {Qt::Key_Plus, "+", CQOR1View::kMsgLastPlus},
                           {Qt::Key_Minus, "-", CQOR1View::kMsgLastMinus}};
    for (bool bOffen : {false, true}) {
        shell.m_pDialog = bOffen ? &dlg : nullptr;
        for (const Fall& fall : faelle) {
            SCOPED_TRACE(std::string(fall.text) + (bOffen ? " open" : " closed"));
            dlg.empfangen.clear();
            QKeyEvent e(QEvent::KeyPress, fall.key, Qt::NoModifier, QString::fromLatin1(fall.text));
            QCoreApplication::sendEvent(view.get(), &e);
            QCoreApplication::sendPostedEvents();
            if (bOffen) {
                ASSERT_EQ(dlg.empfangen.size(), 1u);
                EXPECT_EQ(dlg.empfangen.front(), fall.nMsg);
            } else {
                EXPECT_TRUE(dlg.empfangen.empty());
            }
        }
    }
    shell.m_pDialog = nullptr;
}

// --- figures over the picture ------------------------------------------------------------------------------

TEST_F(TemplateEditTest, HoverFramePickLineAndPositionMarkerAreDrawnOverThePicture)
{
    Oeffne("LKW");
    // Hover frame over the load-area length label.
    const QRect label = view->GetHotRect(46);
    ASSERT_FALSE(label.isEmpty());
    const QImage ohne = Male();
    Bewege(Mitte(label));
    ASSERT_EQ(view->GetFocusRect(), label);
    const QImage rahmen = Male();
    Speichere(rahmen, "template_hover_frame.png");
    const QPoint ecke(label.left() - 2, label.top() - 1);
    EXPECT_NE(rahmen.pixel(ecke), ohne.pixel(ecke));
    Bewege(QPoint(5, 690));
    EXPECT_TRUE(view->GetFocusRect().isEmpty());
    // Leaving the view over the label takes the frame away, also from the next picture.
    Bewege(Mitte(label));
    ASSERT_EQ(view->GetFocusRect(), label);
    QEvent weg(QEvent::Leave);
    QCoreApplication::sendEvent(VP(), &weg);
    EXPECT_TRUE(view->GetFocusRect().isEmpty());
    EXPECT_EQ(Male().pixel(ecke), ohne.pixel(ecke));

    // The pick line follows the pointer over the load area while the load dialog is open.
    LadeDialog dlg;
    shell.m_pDialog = &dlg;
    const QRect lf = view->GetLadeflaecheRect();
    const QPoint ueber(lf.left() + lf.width() / 3, lf.bottom() - 10);
    Bewege(ueber);
    EXPECT_EQ(view->GetPickX(), ueber.x());
    const QImage pick = Male();
    Speichere(pick, "template_pick_line.png");
    EXPECT_NE(pick.pixel(ueber.x() - 1, lf.top() + 5), ohne.pixel(ueber.x() - 1, lf.top() + 5));
    EXPECT_EQ(pick.pixel(ueber.x(), lf.top() + 5), ohne.pixel(ueber.x(), lf.top() + 5));
    shell.m_pDialog = nullptr;

    // The position marker of an item being moved.
    tagZLINFO* p = Item(2, 4.0, 0.5);
    QTest::mouseClick(VP(), Qt::RightButton, Qt::NoModifier,
                      Mitte(view->GetDIBFahrzeug()->GetZL().front().m_rc));
    ASSERT_EQ(view->GetSelZL(), p);
    ASSERT_TRUE(view->OnBefehl(32848));
    EXPECT_EQ(sliders.m_nLastKind, 11);
    EXPECT_TRUE(view->IsPositionMarkerShown());
    const QImage marker = Male();
    Speichere(marker, "template_position_marker.png");
    int blau = 0;
    for (int y = 0; y < marker.height(); ++y)
        for (int x = 0; x < marker.width(); ++x) {
            const QRgb c = marker.pixel(x, y);
            blau += qBlue(c) > 200 && qRed(c) < 80 && qGreen(c) < 80 ? 1 : 0;
        }
    EXPECT_GT(blau, 20);
    SliderValueEvent zu(SliderValueEvent::kClosed, 0.0);
    QCoreApplication::sendEvent(view.get(), &zu);
    EXPECT_FALSE(view->IsPositionMarkerShown());
}

// --- a long load area -----------------------------------------------------------------------------------

TEST_F(TemplateEditTest, TwentyMetreLoadAreaRecalculatesDrawsAndEdits)
{
    Oeffne("SAH");
    Last(17.0, 4.0);
    view->ShowDiagramm(true);
    const QRect ende = view->GetHotRect(1);
    ASSERT_FALSE(ende.isEmpty());
    Druecke(Mitte(ende));
    Ziehe(Mitte(ende) + QPoint(4000, 0));
    LasseLos(Mitte(ende) + QPoint(4000, 0));
    EXPECT_DOUBLE_EQ(F().GetLFLaenge(), 20.0);
    D().OnFahrzeugChanged(true);
    const QImage img = view->RenderPicture(QSize(2600, 700));
    Speichere(img, "template_20m.png");
    EXPECT_GE(view->GetLadeflaecheRect().width(), view->MetresToPixels(19.99));
    // The lateral samples reach the end of the usable range.
    const CFahrzeugDiagramm& d = F().m_Diagramm;
    ASSERT_GT(d.GetLaengenAnzahl(), 0);
    EXPECT_NEAR(d.GetLaengenPunkt(d.GetLaengenAnzahl() - 1).y, F().GetNutzlastKurve().GetNutzbarBis(), 0.01);
}

} // namespace
