// The wizard's answers to the view's action questions: one row per code, and how the pages are asked.
#include "loadsecuring/LgSichgViewQuery.h"

#include <gtest/gtest.h>

#include <functional>
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
    int nCode;
    long nWert;
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

} // namespace

TEST(LgSichgViewQuery, EveryCodeOfTheTable)
{
    // The pages answer 5 (a refusal), so a row that asks them shows it; the view's check finds the
    // points in use.
    const auto keine = [](Lage&) {};
    const std::vector<Row> rows = {
        {"33 before the lashing-point pages", [](Lage& l) { l.nReach = 3; }, 33, 1, 0, kDirekt},
        {"35 from the method page on asks the view", keine, 35, 1, 1, kAnsicht},
        {"36 at reach 4 asks the view", [](Lage& l) { l.nReach = 4; }, 36, 1, 1, kAnsicht},
        {"48 own securing mode on page 6", keine, 48, 2, 0, kDirekt},
        {"48 another mode", keine, 48, 1, 1, kDirekt},
        {"48 on page 5", Aktiv(5), 48, 2, 1, kDirekt},
        {"48 without unit", [](Lage& l) { l.bEinheit = false; }, 48, 0, 1, kDirekt},
        {"19 own unit, detailed", keine, 19, 7, 0, kDirekt},
        {"19 other unit", keine, 19, 8, 1, kDirekt},
        {"19 simple method", [](Lage& l) { l.nVerfahren = 0; }, 19, 7, 1, kDirekt},
        {"20 simple, reach 8", [](Lage& l) { l.nVerfahren = 0; }, 20, 7, 0, kDirekt},
        {"20 simple, reach 7", [](Lage& l) { l.nVerfahren = 0, l.nReach = 7; }, 20, 7, 1, kDirekt},
        {"20 mode 3 looks at the page", [](Lage& l) { l.nVerfahren = 0, l.nStartModus = 3, l.nAktiv = 8; },
         20, 7, 0, kDirekt},
        {"20 mode 3 elsewhere", [](Lage& l) { l.nVerfahren = 0, l.nStartModus = 3; }, 20, 7, 1, kDirekt},
        {"20 detailed", keine, 20, 7, 1, kDirekt},
        {"15 page 6 detailed", keine, 15, 7, 0, kDirekt},
        {"15 page 4 with detailed checked", [](Lage& l) { l.nAktiv = 4, l.nMethodeSeite11 = 1; }, 15, 7, 0,
         kDirekt},
        {"15 page 4 with simple checked", Aktiv(4), 15, 7, 1, kDirekt},
        {"15 another unit", keine, 15, 3, 1, kDirekt},
        {"22 option 1 on page 6", [](Lage& l) { l.nOptionS = 1; }, 22, 0, 0, kDirekt},
        {"25 option unset", keine, 25, 0, 1, kDirekt},
        {"23 option 0 on page 6", [](Lage& l) { l.nOptionS = 0; }, 23, 0, 0, kDirekt},
        {"23 option 1 on page 6", [](Lage& l) { l.nOptionS = 1; }, 23, 0, 1, kDirekt},
        {"23 elsewhere", Aktiv(2), 23, 0, 0, kDirekt},
        {"24", keine, 24, 0, 1, kDirekt},
        {"53", Aktiv(0), 53, 0, 1, kDirekt},
        {"54", Aktiv(0), 54, 0, 1, kDirekt},
        {"44 on page 0 without unit", [](Lage& l) { l.nAktiv = 0, l.bEinheit = false; }, 44, 0, 0, kDirekt},
        {"44 on page 0 with unit", Aktiv(0), 44, 0, 1, kDirekt},
        {"16 page 4", Aktiv(4), 16, 0, 0, kDirekt},
        {"16 page 5", Aktiv(5), 16, 0, 1, kDirekt},
        {"21 other mode on page 6", keine, 21, 1, 1, kDirekt},
        {"21 other mode on page 7", Aktiv(7), 21, 1, 0, kDirekt},
        {"26 page 3", Aktiv(3), 26, 0, 1, kDirekt},
        {"26 page 4 with option 1", [](Lage& l) { l.nAktiv = 4, l.nOptionSeite11 = 1; }, 26, 0, 1, kDirekt},
        {"26 page 4 with option 0", Aktiv(4), 26, 0, 0, kDirekt},
        {"26 page 7 with S 1", [](Lage& l) { l.nAktiv = 7, l.nOptionS = 1; }, 26, 0, 1, kDirekt},
        {"27 page 7 with S 1", [](Lage& l) { l.nAktiv = 7, l.nOptionS = 1; }, 27, 0, 0, kDirekt},
        {"27 page 4 with option 0", Aktiv(4), 27, 0, 1, kDirekt},
        {"27 page 8", Aktiv(8), 27, 0, 1, kDirekt},
        {"47 page 6", keine, 47, 0, 0, kDirekt},
        {"49 page 5", Aktiv(5), 49, 0, 1, kDirekt},
        {"30 S 1 from page 5", [](Lage& l) { l.nOptionS = 1; }, 30, 0, 1, kDirekt},
        {"30 S 1 before page 5", [](Lage& l) { l.nOptionS = 1, l.nAktiv = 4; }, 30, 0, 5, kSeiten},
        {"12 not blocked", keine, 12, 0, 0, kDirekt},
        {"12 blocked on page 1", [](Lage& l) { l.nZweitesWort = 1, l.nAktiv = 1; }, 12, 0, 0, kDirekt},
        {"12 blocked elsewhere", [](Lage& l) { l.nZweitesWort = 1; }, 12, 0, 1, kGesagt},
        {"61 page 4", Aktiv(4), 61, 0, 0, kDirekt},
        {"61 page 6", keine, 61, 0, 1, kDirekt},
        {"62 page 1", Aktiv(1), 62, 0, 5, kSeiten},
        {"62 page 2", Aktiv(2), 62, 0, 1, kGesagt},
        {"5 page 1, tab 2", Aktiv(1), 5, 2, 5, kSeiten},
        {"5 page 1, tab 0", Aktiv(1), 5, 0, 1, kGesagt},
        {"5 elsewhere, the selected tab", keine, 5, 2, 5, kSeiten},
        {"5 elsewhere, another tab", keine, 5, 1, 1, kGesagt},
        {"64", Aktiv(0), 64, 0, 1, kGesagt},
        {"41 asks the pages", keine, 41, 0, 5, kSeiten},
        {"42 asks the pages", keine, 42, 0, 5, kSeiten},
        {"other code at state word 0", [](Lage& l) { l.nStatusWort = 0; }, 1, 0, 5, kSeiten},
        {"other code at state word 2", keine, 1, 0, 1, kGesagt},
        {"11 for a motor vehicle", [](Lage& l) { l.bMotorfahrzeug = true; }, 11, 0, 5, kSeiten},
        {"14 for a trailer", keine, 14, 0, 1, kGesagt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Lage lage = Grundlage();
        row.setze(lage);
        int nGefragt = 0, nGesagt = 0, nAnsicht = 0;
        int nMethode = -9;
        LgSichgViewQuery q;
        q.m_askPages = [&](int, const LgSichgWert&, QString* pMessage) {
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
        EXPECT_EQ(q.Query(lage, row.nCode, row.nWert, &message, 0, &out), row.nErgebnis);
        EXPECT_EQ(nGefragt, row.weg == kSeiten ? 1 : 0);
        EXPECT_EQ(nGesagt, row.weg == kGesagt ? 1 : 0);
        EXPECT_EQ(nAnsicht, row.weg == kAnsicht ? 1 : 0);
        EXPECT_EQ(message, row.weg == kSeiten ? QStringLiteral("page says no") : QString());
        if (row.nCode == 47 && row.nErgebnis == 0) {
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
        q.m_askPages = [nSeiten](int, const LgSichgWert&, QString*) { return nSeiten; };
        for (int nDefault : {0, 1}) {
            const int n = q.Query(lage, 41, 0, nullptr, nDefault, nullptr);
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
