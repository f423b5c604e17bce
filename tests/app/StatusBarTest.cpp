// The status bar: mass panes, the state message's rules and its blinking.
#include "app/CQOR2StatusBar.h"

#include "model/document/CQOR1Doc.h"
#include "model/plan/CQOR.h"
#include "model/text/TextProvider.h"
#include "model/vehicle/CFahrzeug.h"

#include <QLabel>

#include <gtest/gtest.h>

namespace {

// A vehicle whose limit check and masses are set by the test.
class FixtureFahrzeug : public CFahrzeug
{
public:
    explicit FixtureFahrzeug(int art) { m_nArt = art; }
    int CheckGrenzwerte(bool) override { return bits; }
    double GetGesamtmasse(bool bMitPartner) override { return bMitPartner ? massWithPartner : mass; }
    int bits = 1;
    double mass = 0.0;
    double massWithPartner = 0.0;
};

class StatusBarTest : public testing::Test
{
protected:
    StatusBarTest()
        : m_texts({{40, "load %.0f"},
                   {42, "combination %.0f"},
                   {43, "vehicle %.0f"},
                   {44, "TOWING"},
                   {45, "TRAILER"},
                   {46, "[46]%s"},
                   {47, "[47]%s"},
                   {48, "[48]%s"},
                   {49, "[49]%s"},
                   {50, "[50]%s"},
                   {51, "[51]%s"},
                   {52, "[52]%s%d"},
                   {53, "[53]"},
                   {320, "[320]%.0f"}}),
          m_scoped(&m_texts)
    {
        m_bar.BlinkTimer().stop();
        m_bar.SetDocumentSource([this] { return m_doc.get(); });
    }

    // A single truck, or a tractor (kind 4) with a semi-trailer when `combination`.
    void Open(bool combination)
    {
        m_doc = std::make_unique<CQOR1Doc>();
        m_front = new FixtureFahrzeug(combination ? 4 : 0);
        m_front->m_nSeitenProzent = 5;
        if (!combination) {
            m_doc->SetFahrzeug(m_front);
            m_trailer = nullptr;
            return;
        }
        m_trailer = new FixtureFahrzeug(3);
        m_trailer->m_nSeitenProzent = 10;
        CFahrzeug::Koppeln(*m_front, *m_trailer);
        m_doc->SetFahrzeug(m_trailer);
    }

    CTableTextProvider m_texts;
    ScopedTextProvider m_scoped;
    std::unique_ptr<CQOR1Doc> m_doc;
    FixtureFahrzeug* m_front = nullptr;
    FixtureFahrzeug* m_trailer = nullptr;
    CQOR2StatusBar m_bar;
};

TEST_F(StatusBarTest, WithoutADocumentThePanesAreEmpty)
{
    m_bar.UpdatePanes();
    for (int pane : {CQOR2StatusBar::kMassPane, CQOR2StatusBar::kLoadPane})
        EXPECT_TRUE(m_bar.Pane(pane)->text().isEmpty()) << pane;
    EXPECT_TRUE(m_bar.StateText().isEmpty());
    EXPECT_FALSE(m_bar.IsBlinking());
    EXPECT_EQ(m_bar.MessageStyle(), CQOR2StatusBar::kStyleNone);
}

TEST_F(StatusBarTest, MassPanesShowTheVehicleOrTheCombinationInKilograms)
{
    Open(false);
    m_front->mass = 11.5;
    m_front->m_pQor = new CQOR(m_front, -1, "plan");
    m_front->m_pQor->m_dMasse = 4.25;
    m_bar.UpdatePanes();
    EXPECT_EQ(m_bar.Pane(CQOR2StatusBar::kMassPane)->text(), QStringLiteral("vehicle 11500"));
    EXPECT_EQ(m_bar.Pane(CQOR2StatusBar::kLoadPane)->text(), QStringLiteral("load 4250"));

    // A combination shows the towing vehicle's mass with its partner; a tractor's plan carries no load.
    Open(true);
    m_front->massWithPartner = 38.0;
    m_trailer->m_pQor = new CQOR(m_trailer, -1, "plan");
    m_trailer->m_pQor->m_dMasse = 20.0;
    m_front->m_pQor = new CQOR(m_front, -1, "plan");
    m_front->m_pQor->m_dMasse = 3.0;
    m_bar.UpdatePanes();
    EXPECT_EQ(m_bar.Pane(CQOR2StatusBar::kMassPane)->text(), QStringLiteral("combination 38000"));
    EXPECT_EQ(m_bar.Pane(CQOR2StatusBar::kLoadPane)->text(), QStringLiteral("load 20000"));
}

TEST_F(StatusBarTest, TheFirstRuleThatHoldsGivesTextColourBlinkAndAlarm)
{
    struct Case
    {
        const char* name;
        bool combination;
        int bits;
        bool overloaded;
        const char* text;
        QColor colour;
        bool blink;
        bool alarm;
    };
    const QColor red(255, 0, 0), pink(255, 0, 128), orange(255, 128, 64), violet(243, 58, 243),
        yellow(245, 251, 55), green(193, 250, 137);
    const Case cases[] = {
        {"nothing wrong", false, 1, false, "[53]", green, false, false},
        {"not computable", false, 0x2, false, "[46]", red, true, false},
        {"not computable beats axle load", false, 0x2 | 0x8, false, "[46]", red, true, false},
        {"axle load", false, 0x8 | 0x10, false, "[47]", pink, true, true},
        {"support load", false, 0x2000, false, "[48]", pink, true, true},
        {"fifth-wheel load", false, 0x4000 | 0x100, false, "[49]", pink, true, true},
        {"minimum share", false, 0x10 | 0x100, false, "[50]", orange, true, false},
        {"total mass", false, 0x100 | 0x80, false, "[51]", violet, true, true},
        {"side difference of the truck", false, 0x80, false, "[52]5", yellow, true, false},
        {"combination overloaded", true, 0x8 | 0x40000, true, "[320]40000", pink, true, true},
        {"towing vehicle's fault", true, 0x8 | 0x40000, false, "[47]TOWING ", pink, true, true},
        {"trailer's side difference", true, 0x80 | 0x20000, false, "[52]TRAILER 10", yellow, true, false},
        {"combination in order", true, 1, false, "[53]", green, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Open(c.combination);
        FixtureFahrzeug* worked = c.combination ? m_trailer : m_front;
        worked->bits = c.bits;
        if (c.combination) {
            m_front->m_Achsen[9].dLeerlast = 40.0;
            m_front->massWithPartner = c.overloaded ? 40.5 : 39.5;
        }
        m_bar.BuildStateMessage(0);
        EXPECT_EQ(m_bar.StateText(), QString::fromUtf8(c.text));
        EXPECT_EQ(m_bar.StateColour(), c.colour);
        EXPECT_EQ(m_bar.IsBlinking(), c.blink);
        EXPECT_EQ(m_bar.Alarm(), c.alarm);
        EXPECT_EQ(m_bar.StateBits(), c.bits);
        EXPECT_TRUE(m_bar.Pane(CQOR2StatusBar::kStatePane)
                        ->text()
                        .contains(QString::fromUtf8(c.text).toHtmlEscaped()));
    }
    EXPECT_EQ(m_bar.MessageStyle(), CQOR2StatusBar::kStyleMessage);
}

TEST_F(StatusBarTest, ATractorWorkedOnInACombinationIsNotReportedAsUncomputable)
{
    Open(true);
    m_doc->SetAktivIndex(CQOR1Doc::kAktivZugfahrzeug, false, false);
    ASSERT_EQ(m_doc->GetAktivFahrzeug(false), m_front);
    m_front->bits = 0x2 | 0x10;
    m_front->m_Achsen[9].dLeerlast = 40.0;
    m_bar.BuildStateMessage(0);
    EXPECT_EQ(m_bar.StateText(), QStringLiteral("[50]"));
}

TEST_F(StatusBarTest, MessageBlinksEightStepsShownAndTwoHidden)
{
    Open(false);
    m_front->bits = 0x8;
    m_bar.BuildStateMessage(0);
    ASSERT_TRUE(m_bar.IsBlinking());
    QLabel* pane = m_bar.Pane(CQOR2StatusBar::kStatePane);
    std::string seen;
    for (int step = 0; step < 20; ++step) {
        m_bar.OnTimer();
        seen += pane->text().contains(QStringLiteral("[47]")) ? 'S' : '-';
    }
    // 100 ms steps: shown 800 ms, hidden 200 ms.
    EXPECT_EQ(seen, "SSSSSSS--SSSSSSSS--S");

    // Mode 1 builds the same message without blinking: it stays shown.
    m_bar.BuildStateMessage(1);
    EXPECT_FALSE(m_bar.IsBlinking());
    for (int step = 0; step < 10; ++step) {
        m_bar.OnTimer();
        EXPECT_TRUE(pane->text().contains(QStringLiteral("[47]")));
    }
}

TEST_F(StatusBarTest, SuspendedBuildingKeepsTheMessageUntilResumed)
{
    Open(false);
    m_front->bits = 0x8;
    m_bar.BuildStateMessage(0);
    m_bar.BuildStateMessage(3);
    m_front->bits = 1;
    m_bar.BuildStateMessage(0);
    EXPECT_EQ(m_bar.StateText(), QStringLiteral("[47]"));
    m_bar.BuildStateMessage(1); // an explicit build still runs
    EXPECT_EQ(m_bar.StateText(), QStringLiteral("[53]"));
    m_front->bits = 0x100;
    m_bar.BuildStateMessage(2);
    m_bar.BuildStateMessage(0);
    EXPECT_EQ(m_bar.StateText(), QStringLiteral("[51]"));
}

} // namespace
