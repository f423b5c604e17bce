// Items of the language module by number and type: bytes, URLs and the current module.
#include "model/text/ResourceText.h"
#include "model/text/TextFormat.h"
#include "platform/ResourceModule.h"

#include <QFile>
#include <QImage>
#include <QImageReader>

#include <gtest/gtest.h>

namespace {

std::unique_ptr<ResourceModule> LoadItemsModule()
{
    QString error;
    auto module = ResourceModule::Load(QStringLiteral("XT"), QStringLiteral(QOR_TEST_MODULE_DIR), &error);
    EXPECT_TRUE(module) << error.toStdString();
    return module;
}

TEST(ResourceItemsTest, ItemsLoadByTypeThroughTheModelsLoader)
{
    auto module = LoadItemsModule();
    ASSERT_TRUE(module);
    ResourceModule::SetCurrent(module.get());
    struct Case
    {
        std::uint32_t id;
        int type;
        bool found;
        std::string start;
    };
    const Case cases[] = {
        {436, RES_TYPE_STRING, true, "<html><body>"},
        {23, RES_TYPE_HTML, true, "<html><body><p>Load <!--$Bez-->"},
        {23, RES_TYPE_TEXT, true, "<html><body><p>Load"}, // report templates lie beside the HTML ones
        {7, RES_TYPE_HELP, true, "<html><body><h1>Help</h1><p>K\xc3\xa4se"},
        {5, RES_TYPE_PNG, true, "\x89PNG"},
        {23, RES_TYPE_HELP, false, ""},
        {437, RES_TYPE_STRING, false, ""},
        {23, 77, false, ""}, // unknown type
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.id << " type " << c.type);
        std::string out;
        EXPECT_EQ(LoadResourceText(out, c.id, c.type), c.found);
        EXPECT_EQ(out.substr(0, c.start.size()), c.start);
    }
    EXPECT_EQ(FormatS("$S", 1, 69u), "unknown"); // the current module also answers texts
    ResourceModule::SetCurrent(nullptr);
}

TEST(ResourceItemsTest, UrlsPointIntoTheModuleAndQtOpensThem)
{
    auto module = LoadItemsModule();
    ASSERT_TRUE(module);
    const QUrl html = module->ItemUrl(23, RES_TYPE_HTML);
    EXPECT_EQ(html.scheme(), QStringLiteral("qrc"));
    EXPECT_TRUE(html.path().endsWith(QStringLiteral("/html/23.html")));
    QFile file(QLatin1Char(':') + html.path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("<!--$Gew-->"));

    const QUrl bitmap = module->ItemUrl(5, RES_TYPE_BITMAP);
    EXPECT_EQ(QImage(QLatin1Char(':') + bitmap.path()).size(), QSize(4, 3));
    EXPECT_TRUE(module->ItemUrl(5, RES_TYPE_STRING).isEmpty());
    EXPECT_EQ(module->Bitmap(5).pixel(0, 0), qRgb(255, 0, 0));
}

TEST(ResourceItemsTest, ACurrentModuleThatGoesAwayIsNoLongerCurrent)
{
    auto module = LoadItemsModule();
    ASSERT_TRUE(module);
    ResourceModule::SetCurrent(module.get());
    EXPECT_EQ(ResourceModule::Current(), module.get());
    EXPECT_EQ(CurrentTextProvider(), module.get());
    module.reset();
    EXPECT_EQ(ResourceModule::Current(), nullptr);
    EXPECT_EQ(CurrentTextProvider(), nullptr);
    std::string out;
    EXPECT_FALSE(LoadResourceText(out, 436, RES_TYPE_STRING));
}

} // namespace
