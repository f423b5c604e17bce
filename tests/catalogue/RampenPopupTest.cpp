// The add-several and align popups: their limits, what they send their owners and what they do with the
// answers.
#include "catalogue/CDlgTooltipAddMultiLg.h"
#include "catalogue/CDlgTooltipLgAusrichten.h"
#include "catalogue/CRampenDialogs.h"
#include "catalogue/IAddMultiLgOwner.h"
#include "ui/CEditLast.h"
#include "views/IAusrichtenOwner.h"

#include "../ui/UiTestModule.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

namespace {

class MehrereOwner : public IAddMultiLgOwner
{
public:
    void AnzahlGeaendert(int nAnzahl) override { anzahlen.push_back(nAnzahl); }
    void MehrereHinzufuegen(int nAnzahl, double dTonnen) override { hinzu.emplace_back(nAnzahl, dTonnen); }
    std::vector<int> anzahlen;
    std::vector<std::pair<int, double>> hinzu;
};

class AusrichtOwner : public QWidget, public IAusrichtenOwner
{
public:
    int AusrichtenAbstand(int nEintrag) override
    {
        fragen.push_back(nEintrag);
        return nAntwort;
    }
    void Ausrichten(int nEintrag, double dMeter) override { auftraege.emplace_back(nEintrag, dMeter); }
    int nAntwort = 0;
    std::vector<int> fragen;
    std::vector<std::pair<int, double>> auftraege;
};

class RampenPopupTest : public ::testing::Test
{
protected:
    RampenPopupTest() : m_module(UiTestModule()) { besitzer.resize(300, 200); }

    QWidget besitzer;
    MehrereOwner owner;

private:
    ScopedDialogTemplateModule m_module;
};

TEST_F(RampenPopupTest, CountAndMassKeepTheirLimitsAlsoWhenTypedAndAddedAtOnce)
{
    CDlgTooltipAddMultiLg popup(&besitzer, &owner);
    ASSERT_NE(popup.AnzahlFeld(), nullptr);
    ASSERT_NE(popup.MasseFeld(), nullptr);
    ASSERT_NE(popup.HinzufuegenKnopf(), nullptr);
    popup.SetMasse(0.025);
    popup.ShowAtCursor(-35, 35, CDlgTooltip::kAbove);
    EXPECT_EQ(popup.AnzahlFeld()->text(), QStringLiteral("1")) << "a count of 0 counts as 1";
    EXPECT_EQ(popup.MasseFeld()->text(), QStringLiteral("25"));
    struct Fall
    {
        const char* anzahl;
        const char* masse;
        int nAnzahl;
        double dTonnen;
    };
    for (const Fall& f :
         {Fall{"0", "5", 1, 0.01}, Fall{"101", "50000", 100, 48.0}, Fall{"12", "480", 12, 0.48},
          Fall{"100", "48000", 100, 48.0}, Fall{"1", "10", 1, 0.01}}) {
        SCOPED_TRACE(std::string(f.anzahl) + " copies of " + f.masse + " kg");
        // Typed, then added before either field lost the focus.
        popup.AnzahlFeld()->setText(QString::fromLatin1(f.anzahl));
        popup.MasseFeld()->setText(QString::fromLatin1(f.masse));
        owner.hinzu.clear();
        QTest::mouseClick(popup.HinzufuegenKnopf(), Qt::LeftButton);
        ASSERT_EQ(owner.hinzu.size(), 1u);
        EXPECT_EQ(owner.hinzu[0].first, f.nAnzahl);
        EXPECT_DOUBLE_EQ(owner.hinzu[0].second, f.dTonnen);
        EXPECT_EQ(popup.AnzahlFeld()->GetInt(), f.nAnzahl);
        EXPECT_DOUBLE_EQ(popup.MasseFeld()->GetDouble(), f.dTonnen * 1000.0);
    }
    // A mass field left empty sends nothing.
    popup.MasseFeld()->setText(QString());
    owner.hinzu.clear();
    popup.Hinzufuegen();
    EXPECT_TRUE(owner.hinzu.empty());
}

TEST_F(RampenPopupTest, ClosingReportsTheCountAndAnEmptyCountAsOne)
{
    besitzer.show();
    CDlgTooltipAddMultiLg popup(&besitzer, &owner);
    struct Fall
    {
        const char* anzahl;
        int nGemeldet;
    };
    for (const Fall& f : {Fall{"", 1}, Fall{"7", 7}, Fall{"0", 1}, Fall{"250", 100}}) {
        SCOPED_TRACE(f.anzahl);
        popup.ShowAtCursor(0, 0, CDlgTooltip::kRightBelow);
        popup.AnzahlFeld()->setText(QString::fromLatin1(f.anzahl));
        owner.anzahlen.clear();
        popup.HidePopup();
        EXPECT_EQ(owner.anzahlen, std::vector<int>{f.nGemeldet});
        EXPECT_EQ(popup.GetAnzahl(), f.nGemeldet);
        EXPECT_FALSE(popup.isVisible());
    }
    // The mass follows the selection while the panel shows.
    popup.ShowAtCursor(0, 0, CDlgTooltip::kRightBelow);
    popup.SetMasse(1.5);
    EXPECT_EQ(popup.MasseFeld()->text(), QStringLiteral("1500"));
    // An owner window that is not visible hears nothing.
    besitzer.hide();
    owner.anzahlen.clear();
    popup.HidePopup();
    EXPECT_TRUE(owner.anzahlen.empty());
}

TEST_F(RampenPopupTest, ThePopupIsLegible)
{
    CDlgTooltipAddMultiLg popup(&besitzer, &owner);
    popup.SetMasse(0.025);
    popup.ShowAtCursor(0, 0, CDlgTooltip::kRightBelow);
    popup.AnzahlFeld()->setText(QStringLiteral("12"));
    const QString ordner = QStringLiteral(QOR_TEST_ARTIFACT_DIR "/catalogue");
    QDir().mkpath(ordner);
    const QImage bild = popup.grab().toImage();
    EXPECT_FALSE(bild.isNull());
    bild.save(ordner + QStringLiteral("/add_several_popup.png"));
}

TEST_F(RampenPopupTest, TheAlignPopupProposesAndSendsDistances)
{
    AusrichtOwner view;
    view.resize(400, 300);
    CDlgTooltipLgAusrichten popup(&view, &view);
    ASSERT_EQ(popup.SeitenListe()->count(), 5);
    ASSERT_EQ(popup.BeschreibungsListe()->count(), 5);
    popup.SetWerte(0, 0.5004);
    popup.ShowAtCursor(0, 0, CDlgTooltip::kRightBelow);
    EXPECT_EQ(popup.AbstandFeld()->text(), QStringLiteral("500"));
    EXPECT_TRUE(view.fragen.empty()) << "opening asks nothing";

    struct Fall
    {
        int nEintrag;
        int nAntwort;
        std::optional<QString> feld; // none: emptied
    };
    for (const Fall& f :
         {Fall{2, 0, std::nullopt}, Fall{1, 1, QStringLiteral("0")}, Fall{3, 1201, QStringLiteral("1200")}}) {
        SCOPED_TRACE(f.nEintrag);
        view.nAntwort = f.nAntwort;
        popup.SeitenListe()->setCurrentIndex(f.nEintrag);
        EXPECT_EQ(view.fragen.back(), f.nEintrag);
        EXPECT_EQ(popup.BeschreibungsListe()->currentIndex(), f.nEintrag);
        EXPECT_EQ(popup.AbstandFeld()->text(), f.feld.value_or(QString()));
    }
    // Apply: an empty distance sends nothing, a typed one goes in metres with the border.
    popup.SeitenListe()->setCurrentIndex(2);
    popup.AbstandFeld()->setText(QString());
    QTest::mouseClick(popup.AnwendenKnopf(), Qt::LeftButton);
    EXPECT_TRUE(view.auftraege.empty());
    popup.AbstandFeld()->setText(QStringLiteral("750"));
    QTest::mouseClick(popup.AnwendenKnopf(), Qt::LeftButton);
    ASSERT_EQ(view.auftraege.size(), 1u);
    EXPECT_EQ(view.auftraege[0].first, 2);
    EXPECT_DOUBLE_EQ(view.auftraege[0].second, 0.75);
}

TEST_F(RampenPopupTest, TheDialogsMakeOneAlignPopupPerView)
{
    CRampenDialogs dialoge(nullptr);
    AusrichtOwner view;
    EXPECT_EQ(CRampenDialogs::AlignPopup(&view), nullptr);
    dialoge.ShowAlignPopup(&view, QPoint(50, 60), -1.0);
    CDlgTooltipLgAusrichten* erstes = CRampenDialogs::AlignPopup(&view);
    ASSERT_NE(erstes, nullptr);
    EXPECT_TRUE(erstes->isVisible());
    EXPECT_TRUE(erstes->AbstandFeld()->text().isEmpty()) << "no selection, no distance";
    dialoge.ShowAlignPopup(&view, QPoint(50, 60), 1.25);
    EXPECT_EQ(CRampenDialogs::AlignPopup(&view), erstes);
    EXPECT_EQ(erstes->AbstandFeld()->text(), QStringLiteral("1250"));
    // A widget that cannot answer gets none.
    QWidget fremd;
    dialoge.ShowAlignPopup(&fremd, QPoint(), 1.0);
    EXPECT_EQ(fremd.findChild<CDlgTooltipLgAusrichten*>(), nullptr);
}

} // namespace
