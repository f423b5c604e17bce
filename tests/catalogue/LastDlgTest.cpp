// The payload-at-position dialog on sample vehicles: stepping, clamping, the figures, the keys, pick mode
// and its life bound to its view.
#include "catalogue/CLastDlg.h"
#include "catalogue/CPlanEditDialogs.h"

#include "FormTestSupport.h"

#include "model/text/TextFormat.h"
#include "model/vehicle/CSattelzugmaschine.h"
#include "model/vehicle/CZugmaschine.h"
#include "model/vehicle/SYs2X.h"
#include "views/CGetAnsView.h"
#include "views/CQOR1View.h"
#include "views/ILastDlgView.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QTest>

#include <cmath>
#include <vector>

namespace {

// A template view as far as the dialog sees it: it records where the pick line goes.
class PickView : public CGetAnsView, public ILastDlgView
{
public:
    explicit PickView(CQOR1Doc* doc) : CGetAnsView(doc) { resize(800, 500); }
    void SetPickPosition(double dPos, CFahrzeug*, bool) override { positionen.push_back(dPos); }
    void ClearPickLine() override { ++geloescht; }

    std::vector<double> positionen;
    int geloescht = 0;
};

class LastDlgTest : public FormTest
{
protected:
    void Oeffne(const char* name)
    {
        auto f = Beispiel(QString::fromLatin1(name));
        ASSERT_TRUE(f);
        doc = std::make_unique<CQOR1Doc>();
        doc->SetFahrzeug(f.release());
        doc->OnDocumentOpened();
        view = std::make_unique<PickView>(doc.get());
    }
    CFahrzeug& Fahrzeug() { return *doc->GetAktivFahrzeug(true); }
    // The figures the dialog must show at x metres from the load-area front.
    static void Erwartet(CFahrzeug& f, double x, double* nutzlast, double* zweiter, bool* gueltig)
    {
        SYs2X p;
        p.m_dX = x;
        *gueltig = f.CalcKurvenpunkt(&p) == 1;
        *nutzlast = *gueltig ? std::trunc(p.m_dMaxLast * 100.0 + 1e-7) / 100.0 : 0.0;
        *zweiter = *gueltig ? std::max(0.0, std::trunc(p.m_dMinLast * 100.0 + 1e-7) / 100.0) : 0.0;
    }

    // The view goes before its document.
    void TearDown() override
    {
        view.reset();
        doc.reset();
    }

    std::unique_ptr<CQOR1Doc> doc;
    std::unique_ptr<PickView> view;
};

TEST_F(LastDlgTest, FiguresAtClampedPositionsAndTruncated)
{
    Oeffne("LKW");
    const double laenge = Fahrzeug().GetLFLaenge();
    CLastDlg dlg(view.get());
    struct Fall
    {
        double mm;
        double x; // where the figures are taken, metres
    };
    const Fall faelle[] = {{0.0, 0.0},
                           {2500.0, 2.5},
                           {laenge * 1000.0, laenge},
                           {laenge * 1000.0 + 3000.0, laenge},
                           {999999.0, laenge}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.mm);
        dlg.SetPosition(f.mm);
        dlg.UpdateFromPosition(true);
        double n = 0.0, z = 0.0;
        bool gueltig = false;
        Erwartet(Fahrzeug(), f.x, &n, &z, &gueltig);
        ASSERT_TRUE(gueltig);
        EXPECT_DOUBLE_EQ(dlg.GetPosition(), std::round(f.x * 1000.0));
        EXPECT_DOUBLE_EQ(dlg.GetNutzlast(), n);
        EXPECT_DOUBLE_EQ(dlg.GetZweiterWert(), z);
        EXPECT_GE(dlg.GetZweiterWert(), 0.0);
        EXPECT_EQ(dlg.Feld(CLastDlg::kIdNutzlast)->text(), QString::asprintf("%.0f", n * 1000.0));
        ASSERT_FALSE(view->positionen.empty());
        EXPECT_DOUBLE_EQ(view->positionen.back(), f.x);
    }
    struct Kurz
    {
        double t;
        double erwartet;
    };
    for (const Kurz& k : {Kurz{2.3, 2.3}, Kurz{2.349, 2.34}, Kurz{-0.019, -0.01}, Kurz{12.0, 12.0}}) {
        SCOPED_TRACE(k.t);
        EXPECT_DOUBLE_EQ(CLastDlg::Kuerze(k.t), k.erwartet);
    }
}

TEST_F(LastDlgTest, SteppingStaysOnTheLoadArea)
{
    Oeffne("LKW");
    const double laengeMm = std::round(Fahrzeug().GetLFLaenge() * 1000.0);
    CLastDlg dlg(view.get());
    struct Fall
    {
        double start;
        int richtung;
        double ende;
    };
    const Fall faelle[] = {{0.0, -1, 0.0},
                           {50.0, -1, 50.0},
                           {100.0, -1, 0.0},
                           {1000.0, 1, 1100.0},
                           {laengeMm - 100.0, 1, laengeMm},
                           {laengeMm - 50.0, 1, laengeMm - 50.0},
                           {laengeMm, 1, laengeMm}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(std::to_string(f.start) + " " + std::to_string(f.richtung));
        dlg.SetPosition(f.start);
        dlg.Schritt(f.richtung);
        EXPECT_DOUBLE_EQ(dlg.GetPosition(), f.ende);
    }
}

TEST_F(LastDlgTest, TractorMeasuresFromItsCoupling)
{
    Oeffne("SZM");
    auto* szm = dynamic_cast<CSattelzugmaschine*>(&Fahrzeug());
    ASSERT_NE(szm, nullptr);
    const double kupplung = szm->GetSattelX();
    CLastDlg dlg(view.get());
    dlg.SetPosition(0.0);
    dlg.UpdateFromPosition(true);
    const double x = std::clamp(kupplung, 0.0, szm->GetLFLaenge());
    double n = 0.0, z = 0.0;
    bool gueltig = false;
    Erwartet(*szm, x, &n, &z, &gueltig);
    EXPECT_EQ(dlg.IsUngueltig(), !gueltig);
    EXPECT_DOUBLE_EQ(dlg.GetNutzlast(), n);
    EXPECT_DOUBLE_EQ(dlg.GetPosition(), std::round((x - kupplung) * 1000.0));
    ASSERT_FALSE(view->positionen.empty());
    EXPECT_DOUBLE_EQ(view->positionen.back(), x);
}

TEST_F(LastDlgTest, OnlyAnAnswerOfOneIsAFigure)
{
    // A truck whose curve point answers a chosen code.
    class Kurve : public CZugmaschine
    {
    public:
        int CalcKurvenpunkt(SYs2X* p) override
        {
            p->m_dMaxLast = 7.456;
            p->m_dMinLast = -0.5;
            return code;
        }
        int code = 1;
    };
    auto* kurve = new Kurve;
    kurve->m_dLFLaenge = 6.0;
    doc = std::make_unique<CQOR1Doc>();
    doc->SetFahrzeug(kurve);
    view = std::make_unique<PickView>(doc.get());
    CLastDlg dlg(view.get());
    dlg.SetPosition(1000.0);
    for (int code : {1, 0, 2, 3, 4, 1}) {
        SCOPED_TRACE(code);
        kurve->code = code;
        dlg.UpdateFromPosition(false);
        EXPECT_EQ(dlg.IsUngueltig(), code != 1);
        EXPECT_EQ(dlg.GetNutzlast(), code == 1 ? 7.45 : 0.0);
        EXPECT_EQ(dlg.GetZweiterWert(), 0.0);
        for (int id : {CLastDlg::kIdNutzlast, CLastDlg::kIdZweiterWert})
            EXPECT_EQ(dlg.Feld(id)->text() == ResText(374), code != 1) << id;
    }
    EXPECT_EQ(dlg.Feld(CLastDlg::kIdNutzlast)->text(), QStringLiteral("7450"));
}

TEST_F(LastDlgTest, KeysOfThePositionField)
{
    Oeffne("LKW");
    CLastDlg dlg(view.get());
    dlg.SetPosition(1000.0);
    QLineEdit* feld = dlg.Feld(CLastDlg::kIdPosition);
    feld->setFocus();
    feld->setText(QStringLiteral("1000"));
    feld->end(false);
    QTest::keyClick(feld, Qt::Key_5);
    EXPECT_EQ(feld->text(), QStringLiteral("10005"));
    QTest::keyClick(feld, Qt::Key_Backspace);
    EXPECT_EQ(feld->text(), QStringLiteral("1000"));
    for (char c : {'a', '.', ' ', '*'}) {
        SCOPED_TRACE(c);
        QTest::keyClick(feld, c);
        EXPECT_EQ(feld->text(), QStringLiteral("1000"));
    }
    QTest::keyClick(feld, '+');
    EXPECT_EQ(dlg.GetPosition(), 1100.0);
    EXPECT_EQ(feld->text(), QStringLiteral("1100"));
    QTest::keyClick(feld, '-');
    QTest::keyClick(feld, '-');
    EXPECT_EQ(dlg.GetPosition(), 900.0);
    // Pasting is swallowed.
    QApplication::clipboard()->setText(QStringLiteral("77x"));
    QTest::keyClick(feld, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(feld->text(), QStringLiteral("900"));
}

TEST_F(LastDlgTest, PickModeEndsWhenItsVehicleLeavesTheDocument)
{
    Oeffne("LKW");
    CLastDlg dlg(view.get());
    auto* pick = qobject_cast<QCheckBox*>(ControlId::Find(&dlg, CLastDlg::kIdPickMode));
    dlg.TogglePickMode(nullptr);
    EXPECT_TRUE(dlg.IsPickMode());
    EXPECT_TRUE(pick->isChecked());
    dlg.UpdateFromPosition(false);
    EXPECT_TRUE(dlg.IsPickMode()) << "its vehicle is still there";

    auto neu = Beispiel(QStringLiteral("KEP"));
    ASSERT_TRUE(neu);
    std::unique_ptr<CFahrzeug> alt(doc->GetFahrzeug());
    doc->SetFahrzeug(neu.release());
    doc->OnFahrzeugChanged(false);
    dlg.UpdateFromPosition(false);
    EXPECT_FALSE(dlg.IsPickMode());
    EXPECT_FALSE(pick->isChecked());

    // Switching it off at a point clears the view's pick line.
    dlg.TogglePickMode(nullptr);
    const int vorher = view->geloescht;
    const QPoint pt(100, 100);
    dlg.TogglePickMode(&pt);
    EXPECT_FALSE(dlg.IsPickMode());
    EXPECT_EQ(view->geloescht, vorher + 1);
}

TEST_F(LastDlgTest, ClosesWithItsViewAndClearsPickLinesWhenDestroyed)
{
    Oeffne("LKW");
    CPlanEditDialogs dialogs;
    dialogs.ToggleLastDlg(view.get(), 1500.0);
    QPointer<CLastDlg> dlg = dialogs.LastDlg();
    ASSERT_TRUE(dlg);
    EXPECT_EQ(dialogs.GetLastDlg(), dlg.data());
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(dlg->GetPosition(), 1500.0);
    EXPECT_EQ(dlg->GetOwnerView(), view.get());
    EXPECT_EQ(dlg->windowTitle(),
              QString::fromStdString(FormatResChecked(375, {doc->GetAktivFahrzeug(false)->m_strName})));

    // The second toggle destroys it; every view drops its pick line.
    const int vorher = view->geloescht;
    dialogs.ToggleLastDlg(view.get(), 0.0);
    EXPECT_FALSE(dlg);
    EXPECT_EQ(dialogs.GetLastDlg(), nullptr);
    EXPECT_EQ(view->geloescht, vorher + 1);

    dialogs.ToggleLastDlg(view.get(), 0.0);
    dlg = dialogs.LastDlg();
    ASSERT_TRUE(dlg);
    view.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(dlg);
    EXPECT_EQ(dialogs.GetLastDlg(), nullptr);
}

TEST_F(LastDlgTest, OkTakesTheFieldAndCloses)
{
    Oeffne("LKW");
    CPlanEditDialogs dialogs;
    dialogs.ToggleLastDlg(view.get(), 0.0);
    QPointer<CLastDlg> dlg = dialogs.LastDlg();
    ASSERT_TRUE(dlg);
    dlg->Feld(CLastDlg::kIdPosition)->setText(QStringLiteral("2300"));
    qobject_cast<QAbstractButton*>(ControlId::Find(dlg, 1))->click();
    EXPECT_EQ(dlg->GetPosition(), 2300.0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(dlg);
}

} // namespace

namespace {

TEST_F(LastDlgTest, PictureBesideTheTemplateView)
{
    auto f = Beispiel(QStringLiteral("LKW"));
    ASSERT_TRUE(f);
    doc = std::make_unique<CQOR1Doc>();
    doc->SetFahrzeug(f.release());
    doc->OnDocumentOpened();
    CQOR1View vorlage(doc.get());
    vorlage.resize(900, 560);
    vorlage.OnInitialUpdate();
    CLastDlg dlg(&vorlage);
    dlg.SetPosition(3200.0);
    dlg.UpdateFromPosition(false);
    dlg.show();
    const QImage links = vorlage.grab().toImage();
    const QImage rechts = dlg.grab().toImage();
    QImage bild(links.width() + rechts.width() + 10, std::max(links.height(), rechts.height()),
                QImage::Format_RGB32);
    bild.fill(QColor(0xC8, 0xD8, 0xED));
    {
        QPainter p(&bild);
        p.drawImage(0, 0, links);
        p.drawImage(links.width() + 10, 0, rechts);
    }
    QDir().mkpath(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/catalogue"));
    EXPECT_TRUE(bild.save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/catalogue/payload_at_position.png")));
    EXPECT_FALSE(dlg.IsUngueltig());
    EXPECT_NE(dlg.Feld(CLastDlg::kIdNutzlast)->text(), ResText(374));
}

} // namespace

namespace {

TEST_F(LastDlgTest, TemplateViewDrawsAndDropsThePickLineAndForwardsItsKeys)
{
    auto f = Beispiel(QStringLiteral("LKW"));
    ASSERT_TRUE(f);
    doc = std::make_unique<CQOR1Doc>();
    doc->SetFahrzeug(f.release());
    doc->OnDocumentOpened();
    CQOR1View vorlage(doc.get());
    vorlage.resize(900, 560);
    vorlage.OnInitialUpdate();
    (void)vorlage.grab();
    QPointer<CLastDlg> dlg = new CLastDlg(&vorlage);
    dlg->SetPosition(2000.0);
    dlg->UpdateFromPosition(true);
    EXPECT_GE(vorlage.GetPickX(), 0);
    // The view's messages arrive as events: '+' and '-' step, Enter recomputes.
    struct Fall
    {
        int msg;
        double position;
    };
    for (const Fall& fall : {Fall{CLastDlg::kMsgPlus, 2100.0}, Fall{CLastDlg::kMsgPlus, 2200.0},
                             Fall{CLastDlg::kMsgMinus, 2100.0}, Fall{CLastDlg::kMsgEnter, 2100.0}}) {
        SCOPED_TRACE(fall.msg);
        QCoreApplication::postEvent(dlg, new QEvent(QEvent::Type(fall.msg)));
        QCoreApplication::sendPostedEvents(dlg);
        EXPECT_EQ(dlg->GetPosition(), fall.position);
    }
    delete dlg.data();
    EXPECT_EQ(vorlage.GetPickX(), -1);
}

} // namespace
