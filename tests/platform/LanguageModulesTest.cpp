// The language modules built beside the program agree item for item, and the English one is English.
#include "model/text/BuiltInTexts.h"
#include "platform/MenuResource.h"
#include "platform/ResourceModule.h"
#include "platform/mail/MailSettings.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

std::unique_ptr<ResourceModule> LoadModule(const QString& code)
{
    QString error;
    auto module = ResourceModule::Load(code, QCoreApplication::applicationDirPath(), &error);
    EXPECT_TRUE(module) << code.toStdString() << ": " << error.toStdString();
    return module;
}

// The module's files by their paths inside the module ("dialogs/132.ui", "strings.tsv", ...).
QStringList Files(const ResourceModule& module)
{
    const QString root = module.ItemPath(QString());
    QStringList files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next().mid(root.size());
    files.sort();
    return files;
}

QByteArray Bytes(const ResourceModule& module, const QString& relative)
{
    QFile file(module.ItemPath(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What a translation must carry over unchanged and in order: printf conversions, Qt's numbered
// arguments, the "$S" of FormatS, escaped line breaks and tabs, HTML tags and accelerator marks.
QStringList Placeholders(const QString& text)
{
    static const QRegularExpression kPattern(
        QStringLiteral(R"(%[-+ #0]*\d*(?:\.\d+)?[diouxXeEfgGcsp%]|%\d+|\$S|\n|\t|<[^>]*>|&)"));
    QStringList found;
    for (auto it = kPattern.globalMatch(text); it.hasNext();)
        found << it.next().captured();
    return found;
}

// A dialog template's controls: object name to class.
QMap<QString, QString> Controls(const QByteArray& ui)
{
    QMap<QString, QString> controls;
    QXmlStreamReader xml(ui);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("widget"))
            controls.insert(xml.attributes().value(QLatin1String("name")).toString(),
                            xml.attributes().value(QLatin1String("class")).toString());
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return controls;
}

// A menu flattened to one line per entry: kind, id and shortcut, indented by depth.
QStringList MenuEntries(const QList<MenuResource::Item>& items, int depth = 0)
{
    QStringList lines;
    for (const MenuResource::Item& item : items) {
        lines << QStringLiteral("%1%2 %3 %4")
                     .arg(QString(depth * 2, QLatin1Char(' ')))
                     .arg(int(item.kind))
                     .arg(item.id)
                     .arg(item.shortcut.toString(QKeySequence::PortableText));
        lines << MenuEntries(item.children, depth + 1);
    }
    return lines;
}

// The places an HTML template is filled in at: "<!--...-->" markers, "<$S...>" fields and element ids.
QStringList Markers(const QString& html)
{
    static const QRegularExpression kPattern(QStringLiteral(R"(<!--.*?-->|<\$[^>]*>|\bid="[^"]*")"),
                                             QRegularExpression::DotMatchesEverythingOption);
    QStringList found;
    for (auto it = kPattern.globalMatch(html); it.hasNext();)
        found << it.next().captured();
    found.sort();
    return found;
}

class LanguageModulesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        en = LoadModule(QStringLiteral("EN"));
        de = LoadModule(QStringLiteral("DE"));
        ASSERT_TRUE(en && de);
    }

    QStringList FilesUnder(const QString& folder) const
    {
        return Files(*en).filter(QRegularExpression(QStringLiteral("^") + folder + QStringLiteral("/")));
    }

    std::unique_ptr<ResourceModule> en, de;
};

TEST_F(LanguageModulesTest, BothModulesHoldTheSameFiles)
{
    const QStringList files = Files(*en);
    EXPECT_EQ(files, Files(*de));
    for (const char* folder : {"dialogs/", "menus/", "html/", "help/", "bitmaps/", "cursors/"})
        EXPECT_FALSE(files.filter(QLatin1String(folder)).isEmpty()) << folder;
}

TEST_F(LanguageModulesTest, EveryStringIsTranslatedWithItsPlaceholdersInOrder)
{
    const QList<quint32> ids = en->StringIds();
    ASSERT_GT(ids.size(), 500);
    EXPECT_EQ(ids, de->StringIds());
    for (quint32 id : ids) {
        SCOPED_TRACE(id);
        ASSERT_TRUE(de->HasString(id));
        EXPECT_EQ(Placeholders(en->String(id)), Placeholders(de->String(id)))
            << en->String(id).toStdString() << "\n"
            << de->String(id).toStdString();
    }
}

TEST_F(LanguageModulesTest, TheBuiltInEnglishTextsAreThoseOfTheEnglishModule)
{
    const std::vector<std::uint32_t> ids = BuiltInEnglishTextIds();
    ASSERT_FALSE(ids.empty());
    EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));
    for (std::uint32_t id : ids) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(en->HasString(id));
        EXPECT_EQ(en->String(id), QString::fromUtf8(BuiltInEnglishText(id)));
    }
}

TEST_F(LanguageModulesTest, PlaceholdersAreFoundWhereATranslationCouldLoseThem)
{
    struct Case
    {
        const char* text;
        QStringList expected;
    };
    const Case cases[] = {
        {"Load: %.0f kg (%.1f %%)", {"%.0f", "%.1f", "%%"}},
        {"%s\n%25s %8.0f kg", {"%s", "\n", "%25s", "%8.0f"}},
        {"Edit lashing point $S", {"$S"}},
        {"\"%1\" already exists in \"%2\"", {"%1", "%2"}},
        {"<p>Left side:%s</p>", {"<p>", "%s", "</p>"}},
        {"Show the load area at 100 %.\n100 %", {"\n"}},
        {"&Open", {"&"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Placeholders(QString::fromUtf8(c.text)), c.expected);
    }
}

TEST_F(LanguageModulesTest, EveryDialogTemplateHasTheSameControls)
{
    const QStringList files = FilesUnder(QStringLiteral("dialogs"));
    ASSERT_FALSE(files.isEmpty());
    int count = 0;
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        const QMap<QString, QString> controls = Controls(Bytes(*en, file));
        count += int(controls.size());
        EXPECT_EQ(controls, Controls(Bytes(*de, file)));
    }
    EXPECT_GT(count, 200);
}

TEST_F(LanguageModulesTest, EveryMenuHasTheSameCommands)
{
    const QStringList files = FilesUnder(QStringLiteral("menus"));
    ASSERT_FALSE(files.isEmpty());
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        QString error;
        const auto english = MenuResource::Parse(Bytes(*en, file), &error);
        ASSERT_TRUE(english) << error.toStdString();
        const auto german = MenuResource::Parse(Bytes(*de, file), &error);
        ASSERT_TRUE(german) << error.toStdString();
        EXPECT_EQ(MenuEntries(english->Popups()), MenuEntries(german->Popups()));
    }
}

TEST_F(LanguageModulesTest, EveryHtmlTemplateAndHelpTextHasTheSameMarkers)
{
    QStringList files = FilesUnder(QStringLiteral("html")) + FilesUnder(QStringLiteral("help"));
    ASSERT_FALSE(files.isEmpty());
    int markers = 0;
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        const QStringList english = Markers(QString::fromUtf8(Bytes(*en, file)));
        markers += int(english.size());
        EXPECT_EQ(english, Markers(QString::fromUtf8(Bytes(*de, file))));
    }
    EXPECT_GT(markers, 100);
}

// German words that no English text of the program uses, matched as whole words.
const QStringList kGermanWords = {
    QStringLiteral("und"),    QStringLiteral("der"),  QStringLiteral("die"),      QStringLiteral("das"),
    QStringLiteral("nicht"),  QStringLiteral("für"),  QStringLiteral("mit"),      QStringLiteral("von"),
    QStringLiteral("ist"),    QStringLiteral("eine"), QStringLiteral("oder"),     QStringLiteral("wird"),
    QStringLiteral("werden"), QStringLiteral("sind"), QStringLiteral("bitte"),    QStringLiteral("über"),
    QStringLiteral("zum"),    QStringLiteral("zur"),  QStringLiteral("dem"),      QStringLiteral("des"),
    QStringLiteral("nach"),   QStringLiteral("auch"), QStringLiteral("wurde"),    QStringLiteral("kann"),
    QStringLiteral("keine"),  QStringLiteral("bei"),  QStringLiteral("Funktion"), QStringLiteral("Abstand"),
};

QStringList GermanWordsIn(const QString& text)
{
    static const QRegularExpression kPattern(
        QStringLiteral("\\b(") + kGermanWords.join(QLatin1Char('|')) + QStringLiteral(")\\b"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    QStringList found;
    for (auto it = kPattern.globalMatch(text); it.hasNext();)
        found << it.next().captured();
    return found;
}

TEST(GermanWordsTest, WholeGermanWordsAreFoundAndEnglishWordsContainingThemAreNot)
{
    struct Case
    {
        const char* text;
        QStringList expected;
    };
    const Case cases[] = {
        {"Funktion suspendiert - für v3D.1 neu implementieren!", {"Funktion", "für"}},
        {"Abstand von der Stirnwand", {"Abstand", "von", "der"}},
        {"Distance from the front wall", {}},
        {"Undo the order of bundles; dies, desks, canned and mitred items are kept", {}},
        {"Fürth and Überlingen", {}},
        {"<!--$Abst_von--> <td class=\"zahl\">", {}},
        {"UND", {"UND"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(GermanWordsIn(QString::fromUtf8(c.text)), c.expected);
    }
}

TEST_F(LanguageModulesTest, TheEnglishModuleHasNoGermanWords)
{
    int checked = 0;
    for (const QString& file : Files(*en)) {
        if (file.endsWith(QLatin1String(".png")))
            continue;
        SCOPED_TRACE(file.toStdString());
        const QByteArray bytes = Bytes(*en, file);
        ASSERT_FALSE(bytes.isEmpty());
        const QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QStringList words = GermanWordsIn(lines[i]);
            EXPECT_TRUE(words.isEmpty())
                << "line " << i + 1 << ": " << words.join(QLatin1String(", ")).toStdString() << "\n"
                << lines[i].toStdString();
        }
        ++checked;
    }
    EXPECT_GT(checked, 50);
}

} // namespace

TEST_F(LanguageModulesTest, TheDesktopMailClientIsNamedInTheRunningLanguage)
{
    const ResourceModule* before = ResourceModule::Current();
    const struct
    {
        const ResourceModule* module;
        QString name;
    } cases[] = {
        {en.get(), QStringLiteral("the desktop mail client")},
        {de.get(), QStringLiteral("das Mailprogramm des Desktops")},
    };
    for (const auto& c : cases) {
        ResourceModule::SetCurrent(c.module);
        EXPECT_EQ(MailSettings().ClientName(), c.name);
    }
    MailSettings smtp;
    smtp.smtpServer = QStringLiteral("smtp.example.com");
    smtp.senderAddress = QStringLiteral("planner@example.com");
    EXPECT_EQ(smtp.ClientName(), QStringLiteral("smtp.example.com"));
    ResourceModule::SetCurrent(before);
}
