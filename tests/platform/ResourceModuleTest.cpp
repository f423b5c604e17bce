// Loading the language module and reading its items by number.
#include "platform/ResourceModule.h"
#include "model/text/TextFormat.h"
#include "platform/LanguageNumbers.h"
#include "platform/RccBundle.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <sys/stat.h>

#include <functional>

#include <gtest/gtest.h>

namespace {

QByteArray BuiltModule()
{
    QFile file(QCoreApplication::applicationDirPath() + QStringLiteral("/Resource_EN.rcc"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void PutBe(QByteArray& bytes, qsizetype at, quint32 value, int count = 4)
{
    for (int i = count - 1; i >= 0; --i, value >>= 8)
        bytes[at + i] = static_cast<char>(value & 0xFF);
}

// The hash of a name in a bundle, as the resource compiler computes it.
quint32 NameHash(const QString& name)
{
    quint32 h = 0;
    for (QChar c : name) {
        h = (h << 4) + c.unicode();
        h ^= (h & 0xF0000000u) >> 23;
        h &= 0x0FFFFFFFu;
    }
    return h;
}

quint32 Be(const QByteArray& bytes, qsizetype at)
{
    return qFromBigEndian<quint32>(bytes.constData() + at);
}

// A bundle of format 3 as the resource compiler writes it: a root folder with one file "strings.tsv"
// holding `text`, stored as `flags` (0 plain, 1 zlib, 4 zstd) with `stored` as the item's bytes (the
// text itself when empty). Layout: header 24, tree at 24 (two nodes of 22), names at 68, data after.
QByteArray SmallBundle(const QByteArray& text, quint16 flags = 0, QByteArray stored = {})
{
    if (stored.isEmpty())
        stored = text;
    QByteArray b(24 + 2 * 22, '\0');
    b.replace(0, 4, "qres");
    PutBe(b, 4, 3);
    PutBe(b, 8, 24);
    PutBe(b, 20, flags);
    // The root: name 0, a folder with one child, node 1.
    PutBe(b, 24 + 4, 2, 2);
    PutBe(b, 24 + 6, 1);
    PutBe(b, 24 + 10, 1);
    // The file: name 0, its flags, its locale, its data at 0.
    PutBe(b, 46 + 4, flags, 2);
    PutBe(b, 46 + 8, 1, 2); // language C, any territory
    PutBe(b, 16, static_cast<quint32>(b.size()));
    const QString name = QStringLiteral("strings.tsv");
    QByteArray names(6, '\0');
    PutBe(names, 0, static_cast<quint32>(name.size()), 2);
    PutBe(names, 2, NameHash(name));
    for (QChar c : name) {
        names.append('\0');
        names.append(static_cast<char>(c.unicode()));
    }
    b += names;
    PutBe(b, 12, static_cast<quint32>(b.size()));
    QByteArray item(4, '\0');
    PutBe(item, 0, static_cast<quint32>(stored.size()));
    b += item + stored;
    return b;
}

// Reads every item of a loaded module, as the program's windows would.
void ReadEveryItem(const ResourceModule& module)
{
    QDirIterator it(module.ItemPath(QString()), QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile item(it.next());
        if (item.open(QIODevice::ReadOnly))
            item.readAll();
    }
}

TEST(ResourceModuleTest, EnglishModuleLoadsBesideTheProgramAndFeedsFormatS)
{
    QString error;
    auto module = ResourceModule::Load(QStringLiteral("en"), QCoreApplication::applicationDirPath(), &error);
    ASSERT_TRUE(module) << error.toStdString();
    EXPECT_EQ(module->Code(), QStringLiteral("EN"));
    EXPECT_EQ(module->String(294), QStringLiteral("Rigid truck"));
    EXPECT_FALSE(module->HasString(4000000000u));
    EXPECT_TRUE(module->String(4000000000u).isEmpty());

    ScopedTextProvider texts(module.get());
    EXPECT_EQ(FormatS("%d x $S", 1, 294u, 2), "2 x Rigid truck");
    EXPECT_EQ(FormatS("$S", 1, 4000000000u), "$S");
}

// The module in use sets how numbers are read and shown, whatever the desktop's locale is; a module
// that goes away takes its separator with it.
TEST(ResourceModuleTest, TheCurrentModuleSetsTheDecimalSeparator)
{
    const QLocale desktop = QLocale();
    QLocale::setDefault(QLocale(QLocale::English));
    const ResourceModule* before = ResourceModule::Current();
    {
        auto de = ResourceModule::Load(QStringLiteral("DE"), QCoreApplication::applicationDirPath(), nullptr);
        ASSERT_TRUE(de);
        ResourceModule::SetCurrent(de.get());
        EXPECT_EQ(DecimalSeparator(), ',');
        EXPECT_EQ(NumberText(0.5, 2), QStringLiteral("0,50"));
        EXPECT_EQ(LanguageLocale().language(), QLocale::German);
    }
    EXPECT_EQ(ResourceModule::Current(), nullptr);
    EXPECT_EQ(DecimalSeparator(), '.');
    QLocale::setDefault(QLocale(QLocale::German));
    auto en = ResourceModule::Load(QStringLiteral("EN"), QCoreApplication::applicationDirPath(), nullptr);
    ASSERT_TRUE(en);
    ResourceModule::SetCurrent(en.get());
    EXPECT_EQ(DecimalSeparator(), '.');
    EXPECT_EQ(ReadNumberText(QStringLiteral("0.5")).value, 0.5);
    ResourceModule::SetCurrent(before);
    QLocale::setDefault(desktop);
}

TEST(ResourceModuleTest, ItemsThatAreNotInTheModuleAnswerEmpty)
{
    auto module = ResourceModule::Load(QStringLiteral("EN"), QCoreApplication::applicationDirPath(), nullptr);
    ASSERT_TRUE(module);
    EXPECT_TRUE(module->DialogTemplate(123456).isEmpty());
    EXPECT_TRUE(module->Bitmap(123456).isNull());
    EXPECT_TRUE(module->Html(123456).isEmpty());
    EXPECT_TRUE(module->Help(123456).isEmpty());
}

TEST(ResourceModuleTest, TwoModulesOfOneFileLiveSideBySide)
{
    auto first = ResourceModule::Load(QStringLiteral("EN"), QCoreApplication::applicationDirPath(), nullptr);
    auto second = ResourceModule::Load(QStringLiteral("EN"), QCoreApplication::applicationDirPath(), nullptr);
    ASSERT_TRUE(first && second);
    first.reset();
    EXPECT_EQ(second->String(294), QStringLiteral("Rigid truck"));
}

TEST(ResourceModuleTest, BadModulesFailWithAMessageThatNamesTheProblem)
{
    QTemporaryDir dir;
    QFile garbage(dir.filePath(QStringLiteral("Resource_XX.rcc")));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("this is no resource bundle");
    garbage.close();

    struct Case
    {
        QString code, folder, expectedPart;
    };
    const Case cases[] = {
        {QStringLiteral("DE"), dir.path(), QStringLiteral("was not found")},
        {QStringLiteral("XX"), dir.path(), QStringLiteral("damaged")},
        {QStringLiteral("ZZ"), QStringLiteral(QOR_TEST_MODULE_DIR), QStringLiteral("line 2")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code.toStdString());
        QString error;
        EXPECT_FALSE(ResourceModule::Load(c.code, c.folder, &error));
        EXPECT_TRUE(error.contains(c.expectedPart)) << error.toStdString();
    }
}

TEST(ResourceModuleTest, BundleOfTheCompilersLayoutLoadsPlainAndCompressed)
{
    const QByteArray text("1\tOne\n2\tTwo\n");
    const QByteArray zlib = qCompress(text);
    // The checked layout is the one Qt reads: a bundle written by the rules of the check loads.
    const std::pair<quint16, QByteArray> kinds[] = {{0, {}}, {1, zlib}};
    for (const auto& [flags, stored] : kinds) {
        SCOPED_TRACE(flags);
        QString error;
        auto module = ResourceModule::FromBytes(QStringLiteral("XX"), QStringLiteral("small.rcc"),
                                                SmallBundle(text, flags, stored), &error);
        ASSERT_TRUE(module) << error.toStdString();
        EXPECT_EQ(module->String(2), QStringLiteral("Two"));
    }
}

TEST(ResourceModuleTest, DamagedBundlesAreRefusedBeforeQtReadsThem)
{
    const QByteArray text("1\tOne\n");
    const QByteArray good = SmallBundle(text);
    const QByteArray built = BuiltModule();
    ASSERT_GT(built.size(), 1000);
    // Offsets of the small bundle: root node at 24, file node at 46, names at 68, data at 68 + 28.
    using Change = std::function<void(QByteArray&)>;
    struct Case
    {
        const char* name;
        QByteArray start;
        Change change;
    };
    const Case cases[] = {
        {"empty", {}, nullptr},
        {"200 bytes of the program's module", built.left(200), nullptr},
        {"half of the program's module", built.left(built.size() / 2), nullptr},
        {"the program's module but its last byte", built.left(built.size() - 1), nullptr},
        {"no resource bundle", QByteArray("this is no resource bundle at all"), nullptr},
        {"version 4", good, [](QByteArray& b) { PutBe(b, 4, 4); }},
        {"unknown bundle flag", good, [](QByteArray& b) { PutBe(b, 20, 8); }},
        {"tree beyond the end", good, [](QByteArray& b) { PutBe(b, 8, static_cast<quint32>(b.size())); }},
        {"data offset beyond the end", good, [](QByteArray& b) { PutBe(b, 12, 0xFFFFFFF0u); }},
        {"root is a file", good, [](QByteArray& b) { PutBe(b, 24 + 4, 0, 2); }},
        {"root is its own child", good, [](QByteArray& b) { PutBe(b, 24 + 10, 0); }},
        {"a folder that holds itself", good,
         [](QByteArray& b) {
             PutBe(b, 46 + 4, 2, 2);
             PutBe(b, 46 + 6, 1);
             PutBe(b, 46 + 10, 1);
         }},
        {"children beyond the tree", good, [](QByteArray& b) { PutBe(b, 24 + 6, 0x7FFFFFFF); }},
        // A folder walk would come back to the folder of a name that is no part of a path, for ever.
        {"empty name", good, [](QByteArray& b) { PutBe(b, 68, 0, 2); }},
        {"name \"..\"", good,
         [](QByteArray& b) {
             PutBe(b, 68, 2, 2);
             b.replace(74, 4, QByteArray("\0.\0.", 4));
         }},
        {"name with a slash", good, [](QByteArray& b) { b[75] = '/'; }},
        {"name beyond the end", good, [](QByteArray& b) { PutBe(b, 46, 0x00FFFFFF); }},
        {"name longer than the file", good, [](QByteArray& b) { PutBe(b, 68, 0xFFFF, 2); }},
        {"item longer than the file", good, [](QByteArray& b) { PutBe(b, 96, 0x7FFFFFFF); }},
        {"item data beyond the end", good, [](QByteArray& b) { PutBe(b, 46 + 10, 0x7FFFFFF0); }},
        {"zlib item unpacking to 4 GB", SmallBundle(text, 1, qCompress(text)),
         [](QByteArray& b) { PutBe(b, 100, 0xFFFFFFFFu); }},
        {"zlib item of two bytes", SmallBundle(text, 1, "xy"), nullptr},
        {"zstd item without a frame", SmallBundle(text, 4, "no zstd frame"), nullptr},
        // A zstd frame header that leaves the unpacked length open (descriptor 0, window byte).
        {"zstd frame without its length", SmallBundle(text, 4, QByteArray::fromHex("28b52ffd00480100")),
         nullptr},
        {"zstd frame unpacking to 2 GB", SmallBundle(text, 4, QByteArray::fromHex("28b52ffd800000000080")),
         nullptr},
        {"both compressions", good, [](QByteArray& b) { PutBe(b, 46 + 4, 5, 2); }},
        {"unknown node flag", good, [](QByteArray& b) { PutBe(b, 46 + 4, 0x10, 2); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QByteArray bytes = c.start;
        if (c.change)
            c.change(bytes);
        EXPECT_FALSE(CheckRccBundle(bytes, ResourceModule::kGroessterEintrag));
        QString error;
        EXPECT_FALSE(ResourceModule::FromBytes(QStringLiteral("XX"), QStringLiteral("/p/Resource_XX.rcc"),
                                               bytes, &error));
        EXPECT_EQ(error,
                  QStringLiteral("The language module \"/p/Resource_XX.rcc\" is damaged or cannot be read."));
    }
}

TEST(ResourceModuleTest, BitFlipsInTheProgramsModuleNeverReachQtUnchecked)
{
    // One flipped bit at a time over the header, the tree, the names and a sample of the data: the module
    // either loads and reads every item, or fails with a message. The sanitizers watch the reading.
    const QByteArray built = BuiltModule();
    ASSERT_GT(built.size(), 1000);
    const qsizetype tree = Be(built, 8), names = Be(built, 16);
    std::vector<qsizetype> positions;
    for (qsizetype i = 0; i < 24; ++i)
        positions.push_back(i);
    for (qsizetype i = tree; i < built.size(); i += 7)
        positions.push_back(i);
    for (qsizetype i = names; i < tree; i += 97)
        positions.push_back(i);
    for (qsizetype i = 24; i < names; i += 4999)
        positions.push_back(i);
    int refused = 0;
    for (std::size_t n = 0; n < positions.size(); ++n) {
        QByteArray bytes = built;
        bytes[positions[n]] = static_cast<char>(bytes[positions[n]] ^ (1 << (n % 8)));
        QString error;
        const auto module =
            ResourceModule::FromBytes(QStringLiteral("XX"), QStringLiteral("x.rcc"), bytes, &error);
        if (module)
            ReadEveryItem(*module);
        else
            ++refused;
        EXPECT_EQ(!module, !error.isEmpty()) << "flip at " << positions[n];
    }
    EXPECT_GT(refused, 0);
}

TEST(ResourceModuleTest, ModuleFilesThatAreNoFittingFileAreDamaged)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pipe = dir.filePath(QStringLiteral("Resource_PI.rcc"));
    ASSERT_EQ(::mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
    {
        // Longer than any module may be, the program's own module at its start (a sparse file).
        QFile big(dir.filePath(QStringLiteral("Resource_BI.rcc")));
        ASSERT_TRUE(big.open(QIODevice::WriteOnly));
        big.write(BuiltModule());
        ASSERT_TRUE(big.resize(ResourceModule::kGroessterModul + 1));
    }
    for (const char* code : {"PI", "BI"}) {
        SCOPED_TRACE(code);
        QString error;
        EXPECT_FALSE(ResourceModule::Load(QLatin1String(code), dir.path(), &error));
        EXPECT_TRUE(error.contains(QStringLiteral("is damaged or cannot be read"))) << error.toStdString();
    }
}

} // namespace
