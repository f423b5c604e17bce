// Loading the language module and reading its items by number.
#include "platform/ResourceModule.h"
#include "model/text/TextFormat.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

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

} // namespace
