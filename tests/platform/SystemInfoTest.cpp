// The per-user data folder, UUIDs, the screen's resolution and the language code of a locale.
#include "platform/SystemInfo.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

TEST(SystemInfoTest, UserDataPathLiesInTheApplicationDataFolder)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    ASSERT_FALSE(folder.isEmpty());
    EXPECT_EQ(GetUserDataPath(QStringLiteral("Direct3D.tbc")), folder + QStringLiteral("/Direct3D.tbc"));
    EXPECT_EQ(GetUserDataPath(), folder + QLatin1Char('/'));
    EXPECT_TRUE(QFileInfo(folder).isDir()); // created on demand
}

TEST(SystemInfoTest, UuidsAreNewEachTimeInStandardForm)
{
    QString first, second;
    ASSERT_TRUE(CreateUuidString(&first));
    ASSERT_TRUE(CreateUuidString(&second));
    const QRegularExpression form(
        QStringLiteral("^[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}$"));
    EXPECT_TRUE(form.match(first).hasMatch()) << first.toStdString();
    EXPECT_NE(first, second);
    EXPECT_FALSE(CreateUuidString(nullptr));
}

// The offscreen screen has 96 DPI unless the run configures another screen (ctest runs this once more on a
// screen of 144 DPI) and says so in QOR_EXPECTED_SCREEN_DPI.
TEST(SystemInfoTest, ScreenDpiIsTheLogicalResolutionOfTheScreen)
{
    const QByteArray expected = qgetenv("QOR_EXPECTED_SCREEN_DPI");
    EXPECT_EQ(GetScreenDpi(), expected.isEmpty() ? 96 : expected.toInt());
}

TEST(SystemInfoTest, LanguageCodeFollowsTheLocalesLanguage)
{
    struct Case
    {
        const char* locale;
        const char* code;
    };
    const Case cases[] = {
        {"de_DE", "DE"}, {"de_AT", "DE"}, {"de_CH", "DE"}, {"fr_FR", "FR"}, {"fr_CA", "FR"}, {"es_ES", "ES"},
        {"es_MX", "ES"}, {"it_IT", "IT"}, {"pt_BR", "PT"}, {"pt_PT", "PT"}, {"ru_RU", "RU"}, {"sv_SE", "SE"},
        {"sv_FI", "SE"}, {"el_GR", "GR"}, {"fi_FI", "FI"}, {"pl_PL", "PL"}, {"tr_TR", "TR"}, {"uk_UA", "UA"},
        {"en_GB", "EN"}, {"nl_NL", "EN"}, {"ja_JP", "EN"}, {"C", "EN"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale);
        EXPECT_EQ(LanguageCodeForLocale(QLocale(QString::fromLatin1(c.locale))), QString::fromLatin1(c.code));
    }
    EXPECT_EQ(GetUserLanguageCode().size(), 2);
}

} // namespace
