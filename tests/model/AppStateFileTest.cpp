// The application-state file: reading, the default entry, damaged files.
#include "ByteHelpers.h"

#include "model/archive/ArchiveWriter.h"
#include "model/files/AppStateFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class AppStateFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_file = fs::temp_directory_path() / ("qor-appstate-" + std::to_string(::getpid()) + ".ser");
        fs::remove(m_file);
    }
    void TearDown() override { fs::remove(m_file); }
    void Write(const Bytes& b)
    {
        std::ofstream(m_file, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), b.size());
    }
    Bytes Read()
    {
        std::ifstream in(m_file, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    fs::path m_file;
};

} // namespace

TEST_F(AppStateFileTest, FileWithoutDefaultGetsItInMemoryOnly)
{
    AppStateMap stored;
    auto p = std::make_unique<CAppStateParams>();
    p->m_Werte = {7, 8};
    p->m_nWert[3] = 250;
    p->m_Ansichten.push_back(std::make_unique<CANSICHT3DParams>());
    p->m_Ansichten.back()->m_v2.z = -4.5f;
    stored["plan"] = std::move(p);
    const Bytes bytes = StoreAppStateMap(stored);
    Write(bytes);

    AppStateMap map;
    EXPECT_TRUE(LoadAppStateParams(m_file, map));
    ASSERT_EQ(map.size(), 2u);
    const CAppStateParams* plan = GetAppStateParams(map, "plan");
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->m_Werte, (std::vector<unsigned>{7, 8}));
    EXPECT_EQ(plan->m_nWert[3], 250);
    EXPECT_EQ(plan->m_nWert[0], -1);
    ASSERT_EQ(plan->m_Ansichten.size(), 1u);
    EXPECT_FLOAT_EQ(plan->m_Ansichten[0]->m_v2.z, -4.5f);

    const CAppStateParams* def = GetAppStateParams(map, "default");
    ASSERT_TRUE(def);
    EXPECT_EQ(GetAppStateParams(map, "unknown"), def);
    EXPECT_EQ(GetAppStateParams(map, nullptr), def);
    EXPECT_EQ(def->m_Werte, (std::vector<unsigned>{0, 1, 2, 4}));
    const int werte[5] = {0, 0, 1, 400, 0};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(def->m_nWert[i], werte[i]);
    ASSERT_EQ(def->m_Ansichten.size(), 2u);
    EXPECT_FLOAT_EQ(def->m_Ansichten[1]->m_v1.y, 1.5f);
    EXPECT_FLOAT_EQ(def->m_Ansichten[1]->m_v2.z, -2.99f);
    EXPECT_EQ(Read(), bytes);
}

TEST_F(AppStateFileTest, MissingOrDamagedFileCountsAsMissing)
{
    AppStateMap stored;
    stored["default"] = std::make_unique<CAppStateParams>();
    stored["x"] = std::make_unique<CAppStateParams>();
    const Bytes good = StoreAppStateMap(stored);
    // Two states of one name, then a third that refers back to the first, which the second replaced.
    Bytes zurueck;
    {
        CAppStateParams erster, zweiter;
        ArchiveWriter ar;
        ar.WriteCount(3);
        ar.WriteString("a");
        ar.WriteObject(&erster);
        ar.WriteString("a");
        ar.WriteObject(&zweiter);
        ar.WriteString("b");
        ar.WriteObject(&erster);
        zurueck = ar.TakeData();
    }
    const Bytes faelle[] = {Bytes(good.begin(), good.end() - 3), Ascii("not an archive at all"),
                            Word(1) + Ascii("\x01x") + ClassRecord(1, "CANSICHT3DParams") + Zeros(24),
                            zurueck};
    {
        AppStateMap map;
        EXPECT_FALSE(LoadAppStateParams(m_file, map));
        ASSERT_EQ(map.size(), 1u);
        EXPECT_EQ(map.begin()->first, "default");
    }
    for (const Bytes& b : faelle) {
        Write(b);
        AppStateMap map;
        EXPECT_FALSE(LoadAppStateParams(m_file, map));
        ASSERT_EQ(map.size(), 1u);
        EXPECT_EQ(GetAppStateParams(map, "x"), GetAppStateParams(map, "default"));
        EXPECT_EQ(GetAppStateParams(map, "default")->m_nWert[3], 400);
        EXPECT_EQ(Read(), b);
    }
}
