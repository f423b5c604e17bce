// The user's coefficient set in "CustomNormParams.ser": its bytes, older schemas, damaged files and a
// failed save.
#include "model/files/CustomNormParamsFile.h"
#include "model/base/LockedFile.h"
#include "model/securing/SNormParams.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// The set as the file keeps it: c0 c1 c2 c3 c5 c6 c7 c4 c8 c9.
constexpr float kDateiFolge[10] = {0.9f, 0.6f, 0.55f, 0.65f, 1.75f, 1.2f, 1.05f, 0.3f, 0.95f, 0.4f};

void Word(Bytes& b, unsigned w)
{
    b.push_back(std::uint8_t(w & 0xFF));
    b.push_back(std::uint8_t(w >> 8));
}

// The file by hand: the class record with `schema`, then the coefficients that schema holds.
Bytes Fixture(unsigned schema, const char* name = "SNormParams", const float* werte = kDateiFolge)
{
    Bytes b;
    Word(b, 0xFFFF);
    Word(b, schema);
    Word(b, unsigned(std::strlen(name)));
    b.insert(b.end(), name, name + std::strlen(name));
    const int n = schema == 1 ? 7 : schema == 2 ? 9 : 10;
    for (int i = 0; i < n; ++i) {
        std::uint8_t raw[4];
        std::memcpy(raw, &werte[i], 4);
        b.insert(b.end(), raw, raw + 4);
    }
    return b;
}

class CustomNormParamsFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() /
                ("qor_norm_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        m_path = m_dir / CustomNormParamsFile::kDateiName;
    }
    void TearDown() override
    {
        LockedFile::SetWriteFault(std::nullopt);
        fs::remove_all(m_dir);
    }
    void Put(const Bytes& b)
    {
        std::ofstream out(m_path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
    }
    Bytes Get() const
    {
        std::ifstream in(m_path, std::ios::binary);
        return Bytes{std::istreambuf_iterator<char>(in), {}};
    }
    static SNormParams Set0()
    {
        SNormParams s;
        SNormParams::GetStandard(0, &s);
        return s;
    }
    static void ExpectSet(const SNormParams& a, const SNormParams& b)
    {
        for (int i = 0; i < SNormParams::kAnzahl; ++i)
            EXPECT_FLOAT_EQ(a.m_fKoeff[i], b.m_fKoeff[i]) << "c" << i;
    }

    fs::path m_dir;
    fs::path m_path;
};

} // namespace

TEST_F(CustomNormParamsFileTest, AWrittenFileIsTheClassRecordAndTheTenCoefficients)
{
    SNormParams set;
    const float koeff[10] = {0.9f, 0.6f, 0.55f, 0.65f, 0.3f, 1.75f, 1.2f, 1.05f, 0.95f, 0.4f};
    set.SetKoeffizienten(koeff);
    EXPECT_EQ(CustomNormParamsFile::Store(set), Fixture(3));
    ASSERT_TRUE(CustomNormParamsFile::Save(m_path, set));
    EXPECT_EQ(Get(), Fixture(3));
    SNormParams gelesen;
    EXPECT_EQ(CustomNormParamsFile::Load(m_path, &gelesen), CustomNormParamsFile::Status::kGelesen);
    ExpectSet(gelesen, set);
}

TEST_F(CustomNormParamsFileTest, OlderSchemasRead)
{
    struct Case
    {
        unsigned schema;
        float c4, c8, c9;
    };
    for (const Case& c :
         {Case{1, 0.0f, 1.0f, 0.0f}, Case{2, 0.3f, 0.95f, 0.0f}, Case{3, 0.3f, 0.95f, 0.4f}}) {
        SCOPED_TRACE(c.schema);
        Put(Fixture(c.schema));
        SNormParams s;
        ASSERT_EQ(CustomNormParamsFile::Load(m_path, &s), CustomNormParamsFile::Status::kGelesen);
        EXPECT_FLOAT_EQ(s.m_fKoeff[0], 0.9f);
        EXPECT_FLOAT_EQ(s.m_fKoeff[3], 0.65f);
        EXPECT_FLOAT_EQ(s.m_fKoeff[5], 1.75f);
        EXPECT_FLOAT_EQ(s.m_fKoeff[7], 1.05f);
        EXPECT_FLOAT_EQ(s.m_fKoeff[4], c.c4);
        EXPECT_FLOAT_EQ(s.m_fKoeff[8], c.c8);
        EXPECT_FLOAT_EQ(s.m_fKoeff[9], c.c9);
    }
}

TEST_F(CustomNormParamsFileTest, MissingDamagedOrForeignFilesGiveTheFirstSetAndStayAsTheyAre)
{
    SNormParams s;
    EXPECT_EQ(CustomNormParamsFile::Load(m_path, &s), CustomNormParamsFile::Status::kFehlt);
    ExpectSet(s, Set0());
    EXPECT_FALSE(fs::exists(m_path));

    std::vector<std::pair<std::string, Bytes>> faelle;
    const Bytes voll = Fixture(3);
    for (std::size_t n = 0; n < voll.size(); ++n)
        faelle.emplace_back("cut to " + std::to_string(n) + " bytes",
                            Bytes(voll.begin(), voll.begin() + long(n)));
    faelle.emplace_back("another class", Fixture(3, "SNormParamX"));
    faelle.emplace_back("a newer schema", Fixture(9));
    Bytes mehr = voll;
    mehr.push_back(0);
    faelle.emplace_back("a byte too many", mehr);
    for (const auto& [name, bytes] : faelle) {
        SCOPED_TRACE(name);
        Put(bytes);
        SNormParams t;
        t.m_fKoeff[0] = 7.0f;
        EXPECT_EQ(CustomNormParamsFile::Load(m_path, &t), CustomNormParamsFile::Status::kBeschaedigt);
        ExpectSet(t, Set0());
        EXPECT_EQ(Get(), bytes);
    }
}

TEST_F(CustomNormParamsFileTest, ReadValuesAreLimitedAsEntriesAre)
{
    const float werte[10] = {0.05f, 1.5f, 0.5f, 0.5f, 2.5f, 0.5f, 1.0f, 0.2f, 0.9f, 0.1f};
    Put(Fixture(3, "SNormParams", werte));
    SNormParams s;
    ASSERT_EQ(CustomNormParamsFile::Load(m_path, &s), CustomNormParamsFile::Status::kGelesen);
    EXPECT_FLOAT_EQ(s.m_fKoeff[0], 0.1f);
    EXPECT_FLOAT_EQ(s.m_fKoeff[1], 1.0f);
    EXPECT_FLOAT_EQ(s.m_fKoeff[5], 2.0f);
    EXPECT_FLOAT_EQ(s.m_fKoeff[6], 1.0f);
    EXPECT_FLOAT_EQ(s.m_fKoeff[4], 0.2f);
}

TEST_F(CustomNormParamsFileTest, AFailedSaveReportsAndKeepsTheOldFile)
{
    Put(Fixture(2));
    SNormParams set = Set0();
    LockedFile::SetWriteFault(LockedFile::WriteFault{4, LockedFile::WriteFault::Action::Fail, {}});
    std::string error;
    EXPECT_FALSE(CustomNormParamsFile::Save(m_path, set, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(Get(), Fixture(2));
}
