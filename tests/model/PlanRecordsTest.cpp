// The small vehicle records, ZL items, tree entries, placed loads and load-unit type texts.
#include "ByteHelpers.h"

#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"
#include "model/base/ProgramFolders.h"
#include "model/files/STVEEntry.h"
#include "model/plan/LoadUnitTypes.h"
#include "model/plan/SLadung.h"
#include "model/plan/tagLGINFO.h"
#include "model/text/TextProvider.h"
#include "model/vehicle/CHPsList.h"
#include "model/vehicle/CZusLast.h"
#include "model/vehicle/STupel.h"
#include "model/vehicle/tagZLINFO.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Every text is "#<id>", so a test sees which id was used.
class TextIds : public ITextProvider
{
public:
    std::string Text(std::uint32_t id) const override { return "#" + std::to_string(id); }
};

std::string T(int id)
{
    return "#" + std::to_string(id);
}

Bytes WriteObject(const PersistentObject& o)
{
    ArchiveWriter ar;
    ar.WriteObject(&o);
    return ar.TakeData();
}

template <class T> std::unique_ptr<T> ReadBack(const Bytes& bytes)
{
    ArchiveReader in(bytes);
    auto p = in.ReadOwnedObject<T>();
    EXPECT_TRUE(in.AtEnd());
    return p;
}

TEST(PlanRecordsTest, SmallVehicleRecords)
{
    const STupel scale(1.5, 2.0, -1);
    STupel copy(0, 0, 0);
    copy = scale;
    EXPECT_EQ(copy.m_dFaktorX, 1.5);
    EXPECT_EQ(copy.m_dFaktorY, 2.0);
    EXPECT_EQ(copy.m_n, -1);

    CZusLast zus;
    zus.m_strName = "Kran";
    zus.m_dPosition = 0.5;
    zus.m_dMasse = 1.25;
    const Bytes zusBytes = WriteObject(zus);
    const Bytes zusExpected = ClassRecord(1, "CZusLast") + Bytes{4, 'K', 'r', 'a', 'n'} + Zeros(6) +
                              Bytes{0xE0, 0x3F} + Zeros(6) + Bytes{0xF4, 0x3F};
    EXPECT_EQ(zusBytes, zusExpected);
    auto zusRead = ReadBack<CZusLast>(zusBytes);
    EXPECT_EQ(zusRead->m_strName, "Kran");
    EXPECT_EQ(zusRead->m_dMasse, 1.25);
    EXPECT_EQ(WriteObject(*zusRead), zusBytes);

    SLadung ladung;
    EXPECT_EQ(ladung.m_dPosition, 0.0);
    ladung.m_strName = "Ladung";
    ladung.m_dPosition = 3.0;
    const Bytes ladungBytes = WriteObject(ladung);
    EXPECT_EQ(ladungBytes.size(), 6 + 7 + 7 + 16u);
    EXPECT_EQ(WriteObject(*ReadBack<SLadung>(ladungBytes)), ladungBytes);

    CHPsList heights;
    heights.DeleteAll();
    heights.AddTail(1.0f);
    heights.AddTail(2.0f);
    EXPECT_EQ(heights.GetCount(), 2u);
    heights.DeleteAll();
    EXPECT_TRUE(heights.IsEmpty());
}

TEST(PlanRecordsTest, ZlItemKeepsEveryFieldAndStoresItsFlagAsOneByte)
{
    const tagZLINFO fresh;
    const Bytes freshBytes = WriteObject(fresh);
    // Defaults: -1, "", -1, 4 x 0.0, 0, 0, 0.0, -1, 0.0, 0, 0, 0, byte 0, "".
    const Bytes expected = ClassRecord(4, "tagZLINFO") + Dword(0xFFFFFFFF) + Bytes{0} + Dword(0xFFFFFFFF) +
                           Zeros(32) + Zeros(8) + Zeros(8) + Dword(0xFFFFFFFF) + Zeros(8) + Zeros(12) +
                           Bytes{0} + Bytes{0};
    EXPECT_EQ(freshBytes, expected) << Hex(freshBytes, 200);

    tagZLINFO zl;
    zl.m_nEigenWert = 7;
    zl.m_strName = "Ladekran";
    zl.m_nTyp = 5;
    zl.m_dLaenge = 1.1;
    zl.m_dBreite = 2.2;
    zl.m_dAbstand = 3.3;
    zl.m_dMasse = 4.4;
    zl.m_nWert = 8;
    zl.m_nReserveWert = 9;
    zl.m_dHoehe = 10.5;
    zl.m_nReservePos = 11;
    zl.m_dPosX = -3.3;
    zl.m_nVomEnde = 1;
    zl.m_nTyp1 = 1;
    zl.m_nWertKopie = 8;
    zl.m_bFlag = true;
    zl.m_strText = "Text";
    const Bytes bytes = WriteObject(zl);
    EXPECT_EQ(bytes.size(), freshBytes.size() + 8 + 4);
    EXPECT_EQ(bytes[bytes.size() - 6], 1) << "the flag is one byte before the text";
    auto read = ReadBack<tagZLINFO>(bytes);
    EXPECT_EQ(read->m_strName, "Ladekran");
    EXPECT_EQ(read->m_dPosX, -3.3);
    EXPECT_TRUE(read->m_bFlag);
    EXPECT_EQ(read->m_strText, "Text");
    EXPECT_EQ(WriteObject(*read), bytes);

    tagZLINFO assigned;
    assigned = zl;
    EXPECT_EQ(WriteObject(assigned), bytes);
}

TEST(PlanRecordsTest, TreeEntryWithChildren)
{
    STVEEntry root;
    EXPECT_EQ(root.m_nKopfIndex, -1);
    EXPECT_EQ(root.m_anWerte, (std::array<int, 9>{0, 0, 0, 0, 1, 0, 0, 0, 1}));
    root.m_strName = "Wurzel";
    root.m_Children.push_back(std::make_unique<STVEEntry>());
    root.m_Children.push_back(std::make_unique<STVEEntry>());
    root.m_Children[1]->m_strText = "Enkel";
    root.m_Children[1]->m_Children.push_back(std::make_unique<STVEEntry>());
    const Bytes bytes = WriteObject(root);

    const Bytes fields = Dword(0) + Dword(0xFFFFFFFF);
    const Bytes nine = Zeros(16) + Dword(1) + Zeros(12) + Dword(1);
    const Bytes leaf = fields + Bytes{0} + nine + Bytes{0} + Dword(0) + Word(0);
    const Bytes expected = ClassRecord(4, "STVEEntry") + fields + Bytes{6} + Ascii("Wurzel") + nine +
                           Bytes{0} + Dword(0) + Word(2) + Word(0x8001) + leaf + Word(0x8001) + fields +
                           Bytes{0} + nine + Bytes{5} + Ascii("Enkel") + Dword(0) + Word(1) + Word(0x8001) +
                           leaf;
    EXPECT_EQ(bytes, expected) << Hex(bytes, 400);

    auto read = ReadBack<STVEEntry>(bytes);
    ASSERT_EQ(read->m_Children.size(), 2u);
    EXPECT_EQ(read->m_Children[1]->m_Children.size(), 1u);
    EXPECT_EQ(WriteObject(*read), bytes);
}

TEST(PlanRecordsTest, LoadUnitTypeTexts)
{
    TextIds ids;
    ScopedTextProvider scope(&ids);
    struct Case
    {
        int typ;
        int long_, short_;
    };
    const Case cases[] = {{0, 57, 57},    {1, 59, 59},    {2, 58, 58},    {3, 60, 60},   {4, 61, 61},
                          {5, 673, 450},  {6, 512, 512},  {7, 61, 61},    {8, 661, 510}, {9, 665, 511},
                          {10, 670, 517}, {11, 663, 515}, {12, 664, 516}, {13, 61, 61},  {-1, 61, 61}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typ);
        EXPECT_EQ(GetLadungTypText(c.typ, 0), T(c.long_));
        EXPECT_EQ(GetLadungTypText(c.typ, 2), T(c.short_));
    }

    const std::pair<int, int> enums[] = {{1, 427}, {2, 376}, {3, 426}, {4, 377}, {0, 374}, {5, 374}};
    for (const auto& [value, id] : enums) {
        SCOPED_TRACE(value);
        EXPECT_EQ(FormatFsmEnumText(value), T(id));
        tagLGINFO lg;
        lg.m_nState = 0x1FF | (value << 9);
        EXPECT_EQ(lg.GetEnum9Text(), T(id));
    }
    const std::tuple<int, int, int> states[] = {{1, 0, 524}, {2, 0, 447}, {3, 0, 69},
                                                {1, 1, 565}, {2, 1, 566}, {0, 1, 69}};
    for (const auto& [value, set, id] : states) {
        SCOPED_TRACE(value * 10 + set);
        EXPECT_EQ(FormatFsmStateText(value, set), T(id));
    }
    const std::pair<int, int> enum12[] = {{1, 524}, {2, 525}, {0, 374}, {7, 374}};
    for (const auto& [value, id] : enum12) {
        SCOPED_TRACE(value);
        tagLGINFO lg;
        lg.m_nState = (value << 12) | 0x0FFF;
        EXPECT_EQ(lg.GetEnum12Text(), T(id));
    }
}

TEST(PlanRecordsTest, PlacedLoadNames)
{
    TextIds ids;
    ScopedTextProvider scope(&ids);
    struct Case
    {
        int typ;
        int nummer;
        std::string expected;
    };
    const Case cases[] = {
        {5, 3, T(673)},       {8, -1, T(661)},  {12, 4, T(664)}, {3, 2, "Kiste02"},
        {3, 123, "Kiste123"}, {0, -1, "Kiste"}, {0, 0, "Kiste"}, {6, 1, "Kiste01"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typ * 1000 + c.nummer);
        tagLGINFO lg;
        lg.m_strName = "Kiste";
        lg.m_nTyp = c.typ;
        lg.m_nNummer = c.nummer;
        std::string name = "old";
        lg.GetName(name, 0);
        EXPECT_EQ(name, c.expected);
    }
    tagLGINFO lg;
    lg.m_nTyp = 5;
    std::string name;
    lg.GetName(name, 1);
    EXPECT_EQ(name, T(450));

    lg.m_nState = 0x7F;
    EXPECT_EQ(lg.GetLeId(), 63);
    lg.SetLeId(0);
    EXPECT_EQ(lg.m_nState, 1);
    const tagLGINFO copy(lg);
    EXPECT_EQ(copy.m_nState, 1);
    EXPECT_EQ(copy.m_nNummer, -1);
    EXPECT_EQ(copy.m_nFreiInt, -1);
}

class PictureTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_root = fs::temp_directory_path() / ("qor-pictures-" + std::to_string(std::random_device{}()) + "-" +
                                              std::to_string(::getpid()));
        fs::create_directories(m_root / "program" / "Samples" / "Load units" / "Data");
        fs::create_directories(m_root / "pictures");
        m_saved = GetProgramFolders();
        SetProgramFolders({m_root / "program", m_root / "pictures"});
    }
    void TearDown() override
    {
        SetProgramFolders(m_saved);
        std::error_code ec;
        fs::remove_all(m_root, ec);
    }
    static void WritePng(const fs::path& file, std::uint32_t w, std::uint32_t h)
    {
        const Bytes be = {std::uint8_t(w >> 24), std::uint8_t(w >> 16), std::uint8_t(w >> 8),
                          std::uint8_t(w),       std::uint8_t(h >> 24), std::uint8_t(h >> 16),
                          std::uint8_t(h >> 8),  std::uint8_t(h)};
        const Bytes head = Bytes{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13} + Ascii("IHDR") +
                           be + Bytes{8, 6, 0, 0, 0} + Zeros(4);
        std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(head.data()), head.size());
    }

    fs::path m_root;
    ProgramFolders m_saved;
};

TEST_F(PictureTest, PicturePathAndSizeByType)
{
    const fs::path data = m_root / "program" / "Samples" / "Load units" / "Data";
    WritePng(data / "ep.dat", 120, 80);
    WritePng(data / "ni.dat", 64, 32);
    WritePng(m_root / "pictures" / "own.dat", 300, 200);
    std::ofstream(data / "gb.dat") << "not a picture";
    struct Case
    {
        int typ;
        std::string bild;
        fs::path expected;
        int w, h;
    };
    const Case cases[] = {
        {0, "", data / "ep.dat", 120, 80},
        {1, "", data / "ip.dat", 0, 0},   // missing file
        {2, "", data / "gb.dat", 0, 0},   // not a PNG
        {3, "", data / "ni.dat", 64, 32}, // no picture of its own
        {3, "own.dat", m_root / "pictures" / "own.dat", 300, 200},
        {6, "own.dat", m_root / "pictures" / "own.dat", 300, 200},
        {5, "own.dat", data / "luva.dat", 0, 0},
        {4, "own.dat", "caller", 0, 0},
        {7, "", "caller", 0, 0},
        {13, "", "caller", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typ);
        tagLGINFO lg;
        lg.m_nTyp = c.typ;
        lg.m_strBildDatei = c.bild;
        std::string path = "caller";
        int w = -1, h = -1;
        EXPECT_TRUE(lg.GetBildDatei(path));
        EXPECT_EQ(path, c.expected.string());
        EXPECT_TRUE(lg.GetBildDatei(path, &w, &h));
        EXPECT_EQ(w, c.w);
        EXPECT_EQ(h, c.h);
    }
}

} // namespace
