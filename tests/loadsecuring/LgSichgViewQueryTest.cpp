// The wizard's answers to the view's action questions: one row per code, and how the pages are asked.
#include "loadsecuring/LgSichgViewQuery.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

using Lage = LgSichgViewQuery::Lage;

// What a row expects besides the answer: whether the pages were asked, the user told, the view's own
// check run.
enum Weg
{
    kDirekt,
    kSeiten,
    kGesagt,
    kAnsicht,
};

struct Row
{
    const char* name;
    std::function<void(Lage&)> setze;
    LgSichgAktion eAktion;
    long nWert; // a number; actions that take an object get a null one of their kind
    int nErgebnis;
    Weg weg;
};

// A unit 7 in securing mode 2 on the securing-choice page of a detailed wizard that reached the
// result page, option S unset.
Lage Grundlage()
{
    Lage l;
    l.nAktiv = 6;
    l.nReach = 8;
    l.nVerfahren = 1;
    l.nOptionS = -1;
    l.nFeldNachS = 3;
    l.nStatusWort = 2;
    l.bEinheit = true;
    l.nEinheitId = 7;
    l.nEinheitModus = 2;
    l.nGewaehlterTab = 2;
    return l;
}

auto Aktiv(int a)
{
    return [a](Lage& l) { l.nAktiv = a; };
}

using A = LgSichgAktion;

// The number as a value of the kind the action takes: objects are null ones of their kind.
LgSichgWert WertFuer(LgSichgAktion eAktion, long nWert)
{
    switch (LgSichgAktionWertArt(eAktion)) {
    case LgSichgWertArt::kLadung:
        return static_cast<tagLGINFO*>(nullptr);
    case LgSichgWertArt::kZurrpunkt:
        return static_cast<CZurrpunkt*>(nullptr);
    case LgSichgWertArt::kSchiene:
        return static_cast<CZurrschiene*>(nullptr);
    case LgSichgWertArt::kZahl:
        break;
    }
    return std::intptr_t(nWert);
}

} // namespace

TEST(LgSichgViewQuery, EveryCodeOfTheTable)
{
    // The pages answer 5 (a refusal), so a row that asks them shows it; the view's check finds the
    // points in use.
    const auto keine = [](Lage&) {};
    const std::vector<Row> rows = {
        {"33 before the lashing-point pages", [](Lage& l) { l.nReach = 3; }, A::kZurrpunktBearbeiten, 1, 0,
         kDirekt},
        {"35 from the method page on asks the view", keine, A::kZurrpunktLoeschen, 1, 1, kAnsicht},
        {"36 at reach 4 asks the view", [](Lage& l) { l.nReach = 4; }, A::kAlleZurrpunkteLoeschen, 1, 1,
         kAnsicht},
        {"48 own securing mode on page 6", keine, A::kEckePunktZeigen, 2, 0, kDirekt},
        {"48 another mode", keine, A::kEckePunktZeigen, 1, 1, kDirekt},
        {"48 on page 5", Aktiv(5), A::kEckePunktZeigen, 2, 1, kDirekt},
        {"48 without unit", [](Lage& l) { l.bEinheit = false; }, A::kEckePunktZeigen, 0, 1, kDirekt},
        {"19 own unit, detailed", keine, A::kEinheitPunkteZeigen, 7, 0, kDirekt},
        {"19 other unit", keine, A::kEinheitPunkteZeigen, 8, 1, kDirekt},
        {"19 simple method", [](Lage& l) { l.nVerfahren = 0; }, A::kEinheitPunkteZeigen, 7, 1, kDirekt},
        {"20 simple, reach 8", [](Lage& l) { l.nVerfahren = 0; }, A::kZurrungenZeigen, 7, 0, kDirekt},
        {"20 simple, reach 7", [](Lage& l) { l.nVerfahren = 0, l.nReach = 7; }, A::kZurrungenZeigen, 7, 1,
         kDirekt},
        {"20 mode 3 looks at the page", [](Lage& l) { l.nVerfahren = 0, l.nStartModus = 3, l.nAktiv = 8; },
         A::kZurrungenZeigen, 7, 0, kDirekt},
        {"20 mode 3 elsewhere", [](Lage& l) { l.nVerfahren = 0, l.nStartModus = 3; }, A::kZurrungenZeigen, 7,
         1, kDirekt},
        {"20 detailed", keine, A::kZurrungenZeigen, 7, 1, kDirekt},
        {"15 page 6 detailed", keine, A::kModusEckeZeigen, 7, 0, kDirekt},
        {"15 page 4 with detailed checked", [](Lage& l) { l.nAktiv = 4, l.nMethodeSeite11 = 1; },
         A::kModusEckeZeigen, 7, 0, kDirekt},
        {"15 page 4 with simple checked", Aktiv(4), A::kModusEckeZeigen, 7, 1, kDirekt},
        {"15 another unit", keine, A::kModusEckeZeigen, 3, 1, kDirekt},
        {"22 option 1 on page 6", [](Lage& l) { l.nOptionS = 1; }, A::kSchieneWaehlbar, 0, 0, kDirekt},
        {"25 option unset", keine, A::kSchienenpunktWaehlbar, 0, 1, kDirekt},
        {"23 option 0 on page 6", [](Lage& l) { l.nOptionS = 0; }, A::kZurrpunktWaehlbar, 0, 0, kDirekt},
        {"23 option 1 on page 6", [](Lage& l) { l.nOptionS = 1; }, A::kZurrpunktWaehlbar, 0, 1, kDirekt},
        {"23 elsewhere", Aktiv(2), A::kZurrpunktWaehlbar, 0, 0, kDirekt},
        {"24", keine, A::kEckeWaehlbar, 0, 1, kDirekt},
        {"53", Aktiv(0), A::kEinheitAbwaehlen, 0, 1, kDirekt},
        {"54", Aktiv(0), A::kEinheitWaehlen, 0, 1, kDirekt},
        {"44 on page 0 without unit", [](Lage& l) { l.nAktiv = 0, l.bEinheit = false; }, A::kLadungAnklickbar,
         0, 0, kDirekt},
        {"44 on page 0 with unit", Aktiv(0), A::kLadungAnklickbar, 0, 1, kDirekt},
        {"16 page 4", Aktiv(4), A::kModusEckeSeite, 0, 0, kDirekt},
        {"16 page 5", Aktiv(5), A::kModusEckeSeite, 0, 1, kDirekt},
        {"21 other mode on page 6", keine, A::kEckeZurrungHervorheben, 1, 1, kDirekt},
        {"21 other mode on page 7", Aktiv(7), A::kEckeZurrungHervorheben, 1, 0, kDirekt},
        {"26 page 3", Aktiv(3), A::kZurrpunkteBlass, 0, 1, kDirekt},
        {"26 page 4 with option 1", [](Lage& l) { l.nAktiv = 4, l.nOptionSeite11 = 1; }, A::kZurrpunkteBlass,
         0, 1, kDirekt},
        {"26 page 4 with option 0", Aktiv(4), A::kZurrpunkteBlass, 0, 0, kDirekt},
        {"26 page 7 with S 1", [](Lage& l) { l.nAktiv = 7, l.nOptionS = 1; }, A::kZurrpunkteBlass, 0, 1,
         kDirekt},
        {"27 page 7 with S 1", [](Lage& l) { l.nAktiv = 7, l.nOptionS = 1; }, A::kSchienenBlass, 0, 0,
         kDirekt},
        {"27 page 4 with option 0", Aktiv(4), A::kSchienenBlass, 0, 1, kDirekt},
        {"27 page 8", Aktiv(8), A::kSchienenBlass, 0, 1, kDirekt},
        {"47 page 6", keine, A::kSichgWahl, 0, 0, kDirekt},
        {"49 page 5", Aktiv(5), A::kZurrpunktWahlPruefen, 0, 1, kDirekt},
        {"30 S 1 from page 5", [](Lage& l) { l.nOptionS = 1; }, A::kSchienenAendern, 0, 1, kDirekt},
        {"30 S 1 before page 5", [](Lage& l) { l.nOptionS = 1, l.nAktiv = 4; }, A::kSchienenAendern, 0, 5,
         kSeiten},
        {"12 not blocked", keine, A::kNutzflaecheBearbeiten, 0, 0, kDirekt},
        {"12 blocked on page 1", [](Lage& l) { l.nZweitesWort = 1, l.nAktiv = 1; }, A::kNutzflaecheBearbeiten,
         0, 0, kDirekt},
        {"12 blocked elsewhere", [](Lage& l) { l.nZweitesWort = 1; }, A::kNutzflaecheBearbeiten, 0, 1,
         kGesagt},
        {"61 page 4", Aktiv(4), A::kFreieFlaeche, 0, 0, kDirekt},
        {"61 page 6", keine, A::kFreieFlaeche, 0, 1, kDirekt},
        {"62 page 1", Aktiv(1), A::kVerlassenGrund12, 0, 5, kSeiten},
        {"62 page 2", Aktiv(2), A::kVerlassenGrund12, 0, 1, kGesagt},
        {"5 page 1, tab 2", Aktiv(1), A::kTabWechseln, 2, 5, kSeiten},
        {"5 page 1, tab 0", Aktiv(1), A::kTabWechseln, 0, 1, kGesagt},
        {"5 elsewhere, the selected tab", keine, A::kTabWechseln, 2, 5, kSeiten},
        {"5 elsewhere, another tab", keine, A::kTabWechseln, 1, 1, kGesagt},
        {"64", Aktiv(0), A::kProgrammBeenden, 0, 1, kGesagt},
        {"41 asks the pages", keine, A::kZurrpunktZuordnen, 0, 5, kSeiten},
        {"42 asks the pages", keine, A::kSchienenpunktZuordnen, 0, 5, kSeiten},
        {"other code at state word 0", [](Lage& l) { l.nStatusWort = 0; }, A::kLadungMarkieren, 0, 5,
         kSeiten},
        {"other code at state word 2", keine, A::kLadungMarkieren, 0, 1, kGesagt},
        {"11 for a motor vehicle", [](Lage& l) { l.bMotorfahrzeug = true; }, A::kAbkoppeln, 0, 5, kSeiten},
        {"14 for a trailer", keine, A::kVerlassenGrund11, 0, 1, kGesagt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Lage lage = Grundlage();
        row.setze(lage);
        int nGefragt = 0, nGesagt = 0, nAnsicht = 0;
        int nMethode = -9;
        LgSichgViewQuery q;
        q.m_askPages = [&](LgSichgAktion, const LgSichgWert&, QString* pMessage) {
            ++nGefragt;
            *pMessage = QStringLiteral("page says no");
            return 5;
        };
        q.m_viewCheck = [&](const LgSichgWert&, int m) {
            ++nAnsicht;
            nMethode = m;
            return true;
        };
        q.m_tell = [&] { ++nGesagt; };
        QString message = QStringLiteral("stale");
        int out = -1;
        EXPECT_EQ(q.Query(lage, row.eAktion, WertFuer(row.eAktion, row.nWert), &message, 0, &out),
                  row.nErgebnis);
        EXPECT_EQ(nGefragt, row.weg == kSeiten ? 1 : 0);
        EXPECT_EQ(nGesagt, row.weg == kGesagt ? 1 : 0);
        EXPECT_EQ(nAnsicht, row.weg == kAnsicht ? 1 : 0);
        EXPECT_EQ(message, row.weg == kSeiten ? QStringLiteral("page says no") : QString());
        if (row.eAktion == A::kSichgWahl && row.nErgebnis == 0) {
            EXPECT_EQ(out, 3) << "the securing choice comes out";
        }
        if (row.weg == kAnsicht) {
            EXPECT_EQ(nMethode, lage.nReach == 4 ? lage.nMethodeSeite11 : lage.nVerfahren);
        }
    }
}

TEST(LgSichgViewQuery, WithoutAnOpinionOfThePagesTheDefaultStands)
{
    LgSichgViewQuery q;
    Lage lage = Grundlage();
    for (int nSeiten : {-1, 0}) {
        SCOPED_TRACE(nSeiten);
        q.m_askPages = [nSeiten](LgSichgAktion, const LgSichgWert&, QString*) { return nSeiten; };
        for (int nDefault : {0, 1}) {
            const int n = q.Query(lage, A::kZurrpunktZuordnen, static_cast<CZurrpunkt*>(nullptr), nullptr,
                                  nDefault, nullptr);
            EXPECT_EQ(n, nSeiten == -1 ? nDefault : 0);
        }
    }
}

TEST(LgSichgViewQuery, PagesAreAskedInOrderUntilOneRefuses)
{
    struct Case
    {
        const char* name;
        std::vector<int> answers;
        int nErgebnis;
        int nGefragt;
        const char* message;
    };
    const Case cases[] = {
        {"all without opinion", {-1, -1, -1}, -1, 3, ""},
        {"one allows", {-1, 0, -1}, 0, 3, ""},
        {"the first refusal wins", {-1, 3, 4}, 3, 2, "page 1"},
        {"a refusal after an allowance", {0, -1, 2}, 2, 3, "page 2"},
        {"no pages", {}, -1, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int nGefragt = 0;
        std::vector<std::function<int(QString*)>> pages;
        for (std::size_t i = 0; i < c.answers.size(); ++i)
            pages.push_back([&, i](QString* m) {
                ++nGefragt;
                *m = QStringLiteral("page %1").arg(i);
                return c.answers[i];
            });
        QString message;
        EXPECT_EQ(LgSichgViewQuery::AskInOrder(pages, &message), c.nErgebnis);
        EXPECT_EQ(nGefragt, c.nGefragt);
        EXPECT_EQ(message, QString::fromLatin1(c.message));
    }
}

// A value of another kind than the action takes is refused before any rule runs: nobody is asked or
// told, and no out value is given. The right kind passes the check.
TEST(LgSichgViewQuery, AValueOfTheWrongKindIsRefused)
{
    for (LgSichgAktion eAktion : kAlleLgSichgAktionen) {
        SCOPED_TRACE(static_cast<int>(eAktion));
        const bool bZahl = LgSichgAktionWertArt(eAktion) == LgSichgWertArt::kZahl;
        EXPECT_TRUE(LgSichgWertPasst(eAktion, WertFuer(eAktion, 0)));
        // A number for an object, an object (of any kind but the one taken) for a number.
        std::vector<LgSichgWert> falsch;
        if (bZahl)
            falsch = {static_cast<CZurrpunkt*>(nullptr), static_cast<tagLGINFO*>(nullptr),
                      static_cast<CLadeeinheit*>(nullptr)};
        else
            falsch = {std::intptr_t(0), static_cast<CLadeeinheit*>(nullptr),
                      static_cast<const SZurrschienenKlick*>(nullptr)};
        for (const LgSichgWert& wert : falsch) {
            SCOPED_TRACE(wert.index());
            EXPECT_FALSE(LgSichgWertPasst(eAktion, wert));
            int nGerufen = 0;
            LgSichgViewQuery q;
            q.m_askPages = [&](LgSichgAktion, const LgSichgWert&, QString*) { return ++nGerufen, 0; };
            q.m_viewCheck = [&](const LgSichgWert&, int) { return ++nGerufen, false; };
            q.m_tell = [&] { ++nGerufen; };
            Lage lage = Grundlage();
            lage.nStatusWort = 0; // the fallback asks the pages
            QString message = QStringLiteral("stale");
            int out = -7;
            EXPECT_EQ(q.Query(lage, eAktion, wert, &message, 0, &out), 1);
            EXPECT_EQ(nGerufen, 0);
            EXPECT_EQ(out, -7);
            EXPECT_TRUE(message.isEmpty());
        }
    }
}

// Every action keeps its number, the numbers are unique, and a number that names no action gives none.
TEST(LgSichgViewQuery, ActionsByNumber)
{
    std::set<int> gesehen;
    for (LgSichgAktion eAktion : kAlleLgSichgAktionen) {
        const int n = static_cast<int>(eAktion);
        EXPECT_TRUE(gesehen.insert(n).second) << n;
        EXPECT_EQ(LgSichgAktionAusZahl(n), eAktion);
    }
    for (std::intptr_t n : {0, 3, 6, 7, 17, 18, 28, 65, -1, 1 << 20})
        EXPECT_EQ(LgSichgAktionAusZahl(n), std::nullopt) << n;
    EXPECT_EQ(static_cast<int>(LgSichgAktion::kZurrpunktBearbeiten), 33);
    EXPECT_EQ(static_cast<int>(LgSichgAktion::kProgrammBeenden), 64);
}
