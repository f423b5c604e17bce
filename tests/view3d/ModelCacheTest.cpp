// The model cache over a copy of the generated models: the table, failures that retry, release, and
// the texture folders.
#include "view3d/ModelCache.h"
#include "model/mesh/ModelTable.h"
#include "view3d/Render3DServiceProvider.h"
#include "view3d/TextureManager.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class ModelCacheTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        fs::copy(QOR_MODELS_DIR, Modelle(), fs::copy_options::recursive);
        m_textures.Init(256);
    }
    fs::path Modelle() const { return fs::path(m_dir.path().toStdString()) / "Modelle"; }
    fs::path FileOf(int index) const { return Modelle() / ModelTable::RelativePath(index); }

    QTemporaryDir m_dir;
    TextureManager m_textures;
    ModelCache m_cache{m_dir.path(), m_textures};
};

const DeviceModel* const UNTOUCHED = reinterpret_cast<const DeviceModel*>(0x1);

TEST_F(ModelCacheTest, RefusesIndicesOutsideTheTableAndEveryRequestBeforeInit)
{
    const DeviceModel* model = UNTOUCHED;
    EXPECT_EQ(m_cache.GetModell(0, &model), 1);
    EXPECT_EQ(model, UNTOUCHED);
    EXPECT_EQ(m_cache.ReleaseModellCache(), 1);
    EXPECT_EQ(m_cache.InitModellCache(), 0);
    for (int index : {-1, 54, -1000, 1000}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(m_cache.GetModell(index, &model), 1);
        EXPECT_EQ(model, UNTOUCHED);
    }
    EXPECT_EQ(m_cache.LoadCount(), 0);
}

TEST_F(ModelCacheTest, LoadsEachModelOnceAndReleaseEmptiesTheTable)
{
    m_cache.InitModellCache();
    std::vector<const DeviceModel*> first(ModelCache::COUNT);
    for (int index = 0; index < ModelCache::COUNT; ++index) {
        SCOPED_TRACE(index);
        ASSERT_EQ(m_cache.GetModell(index, &first[index]), 0) << m_cache.LastError().toStdString();
        EXPECT_EQ(first[index]->Name(), ModelTable::Find(index)->part);
    }
    EXPECT_EQ(m_cache.LoadCount(), ModelCache::COUNT);
    // Once loaded, a model no longer needs its file.
    fs::remove_all(Modelle());
    const DeviceModel* again = nullptr;
    EXPECT_EQ(m_cache.GetModell(37, &again), 0);
    EXPECT_EQ(again, first[37]);
    EXPECT_EQ(m_cache.LoadCount(), ModelCache::COUNT);

    EXPECT_EQ(m_cache.ReleaseModellCache(), 0);
    EXPECT_TRUE(m_cache.IsInitialised());
    EXPECT_EQ(m_cache.GetModell(37, &again), 1);
    EXPECT_EQ(again, nullptr);
    EXPECT_EQ(m_cache.ReleaseModellCache(), 0);
}

TEST_F(ModelCacheTest, AMissingOrDamagedFileFailsEachTimeUntilItIsThereThenLoadsOnce)
{
    m_cache.InitModellCache();
    const fs::path file = FileOf(37);
    const fs::path kept = m_dir.path().toStdString() + "/kept.q3d";
    fs::rename(file, kept);
    const DeviceModel* model = UNTOUCHED;
    for (int attempt = 0; attempt < 2; ++attempt) {
        SCOPED_TRACE(attempt);
        EXPECT_EQ(m_cache.GetModell(37, &model), 1);
        EXPECT_EQ(model, nullptr);
        EXPECT_TRUE(m_cache.LastError().contains(QStringLiteral("Kiste.q3d")))
            << m_cache.LastError().toStdString();
    }
    std::ofstream(file, std::ios::binary) << "Q3DM garbage";
    EXPECT_EQ(m_cache.GetModell(37, &model), 1);
    EXPECT_TRUE(m_cache.LastError().contains(QStringLiteral("Not a valid model file")))
        << m_cache.LastError().toStdString();
    EXPECT_EQ(m_cache.LoadCount(), 0);

    fs::remove(file);
    fs::rename(kept, file);
    ASSERT_EQ(m_cache.GetModell(37, &model), 0);
    ASSERT_NE(model, nullptr);
    const DeviceModel* again = nullptr;
    EXPECT_EQ(m_cache.GetModell(37, &again), 0);
    EXPECT_EQ(again, model);
    EXPECT_EQ(m_cache.LoadCount(), 1);
}

TEST_F(ModelCacheTest, TexturesComeFromTheTableFolderAndAMissingOneFailsTheModel)
{
    struct Case
    {
        int index;
        const char* folder;
    };
    for (const Case& c :
         {Case{32, "VH"}, Case{33, "TEX"}, Case{31, "VH"}, Case{37, "LGSICHG"}, Case{0, "FH"}}) {
        SCOPED_TRACE(c.index);
        EXPECT_TRUE(
            m_cache.TextureFolder(c.index).endsWith(QStringLiteral("Modelle/") + QLatin1String(c.folder)));
    }
    // Both live in GLSP although their textures do not.
    EXPECT_TRUE(m_cache.ModelPath(32).endsWith(QStringLiteral("Modelle/GLSP/GLSPArea2.q3d")));
    EXPECT_TRUE(m_cache.ModelPath(33).endsWith(QStringLiteral("Modelle/GLSP/GLSP2.q3d")));
    EXPECT_TRUE(m_cache.ModelPath(54).isEmpty());

    m_cache.InitModellCache();
    const DeviceModel* area = nullptr;
    ASSERT_EQ(m_cache.GetModell(32, &area), 0) << m_cache.LastError().toStdString();
    ASSERT_NE(area->Texture(0), nullptr);
    EXPECT_FALSE(area->Texture(0)->isNull());

    fs::remove(Modelle() / "TEX" / "Kreuz.png");
    const DeviceModel* marker = UNTOUCHED;
    EXPECT_EQ(m_cache.GetModell(33, &marker), 1);
    EXPECT_EQ(marker, nullptr);
    EXPECT_TRUE(m_cache.LastError().contains(QStringLiteral("TEX/Kreuz.png")))
        << m_cache.LastError().toStdString();
}

TEST(ModelTableTest, ProtectedSetsAndFolders)
{
    for (int index = 0; index < ModelTable::COUNT; ++index) {
        SCOPED_TRACE(index);
        const bool expected = (index >= 1 && index <= 8) || index == 12 || (index >= 15 && index <= 20);
        EXPECT_EQ(ModelTable::Find(index)->isProtected, expected);
    }
    EXPECT_EQ(ModelTable::Find(-1), nullptr);
    EXPECT_EQ(ModelTable::Find(54), nullptr);
    EXPECT_EQ(ModelTable::RelativePath(11), "ANH/HECK ANH mUFS.q3d");
}

TEST(TextureManagerTest, LoadsOncePerPathUpToItsCapacity)
{
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.png")), b = dir.filePath(QStringLiteral("b.png"));
    QImage(2, 2, QImage::Format_RGB32).save(a);
    QImage(2, 2, QImage::Format_RGB32).save(b);
    TextureManager textures;
    EXPECT_EQ(textures.Load(a), nullptr); // never initialised
    textures.Init(1);
    const QImage* first = textures.Load(a);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(textures.Load(dir.filePath(QStringLiteral("./a.png"))), first);
    EXPECT_EQ(textures.Load(b), nullptr); // full
    EXPECT_EQ(textures.Load(dir.filePath(QStringLiteral("missing.png"))), nullptr);
    EXPECT_EQ(textures.Count(), 1);
    textures.Release();
    EXPECT_EQ(textures.Count(), 0);
    EXPECT_NE(textures.Load(b), nullptr);
}

TEST(Render3DServiceProviderTest, StartUpLoadsEveryGeneratedModel)
{
    QTemporaryDir dir;
    fs::copy(QOR_MODELS_DIR, fs::path(dir.path().toStdString()) / "Modelle", fs::copy_options::recursive);
    Render3DServiceProvider services(dir.path());
    EXPECT_EQ(InitTextureManager(&services, nullptr), 1);
    EXPECT_EQ(services.Textures().Capacity(), 256);
    EXPECT_EQ(services.Cache().LoadCount(), ModelCache::COUNT);
    EXPECT_EQ(services.GetModell(54), 1);
    EXPECT_EQ(services.GetModell(-1), 1);
    EXPECT_EQ(services.ReleaseModellCache(), 0);
}

} // namespace
