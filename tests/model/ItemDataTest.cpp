// Catalogue item records: the file layout, older layouts with their conversion, and bad files.
#include "ByteHelpers.h"

#include "model/archive/ArchiveError.h"
#include "model/archive/ArchiveWriter.h"
#include "model/files/tagItemData.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <limits>
#include <optional>

namespace {

// Fields 1 to 13 as files of every schema store them, and optionally fields 14 and 15.
Bytes Fields(int kind, const std::string& path = "C:\\Kat\\Kiste.lgs", std::optional<Bytes> picture = {},
             double length = 1.2)
{
    ArchiveWriter ar;
    ar.WriteInt(17);
    ar.WriteInt(kind);
    for (double d : {length, 0.8, 1.0, 0.6, 0.4, 0.5, 0.75})
        ar.WriteDouble(d);
    ar.WriteString("Text");
    ar.WriteString("Kiste");
    ar.WriteBool(true);
    ar.WriteString(path);
    Bytes b = ar.TakeData();
    return picture ? b + *picture : b;
}

// Fields 1 to 13 of a kind-1 record with the seven numbers given (sizes, centre of gravity, mass).
Bytes FieldsWithValues(const std::array<double, 7>& values)
{
    ArchiveWriter ar;
    ar.WriteInt(17);
    ar.WriteInt(1);
    for (double d : values)
        ar.WriteDouble(d);
    ar.WriteString("Text");
    ar.WriteString("Kiste");
    ar.WriteBool(true);
    ar.WriteString("p");
    return ar.TakeData();
}

Bytes Text(const std::string& s)
{
    ArchiveWriter ar;
    ar.WriteString(s);
    return ar.TakeData();
}

Bytes Header(std::uint16_t schema)
{
    return ClassRecord(schema, "tagItemData");
}

class CountedPicture : public ItemPicture
{
public:
    explicit CountedPicture(int id) : m_id(id) { ++s_alive; }
    ~CountedPicture() override { --s_alive; }
    std::unique_ptr<ItemPicture> Clone() const override { return std::make_unique<CountedPicture>(m_id); }
    int m_id;
    static inline int s_alive = 0;
};

TEST(ItemDataTest, DefaultRecordWritesTheListedBytes)
{
    const tagItemData item;
    const Bytes expected = Bytes{0xFF, 0xFF, 0x08, 0x00, 0x0B, 0x00} + Ascii("tagItemData") + Bytes(8, 0xFF) +
                           Zeros(56) + Bytes{0, 0} + Bytes{0} + Bytes{0, 0, 0};
    EXPECT_EQ(item.Store(), expected) << Hex(item.Store(), 100);
}

TEST(ItemDataTest, RecordRoundTripsToIdenticalBytes)
{
    tagItemData item;
    item.m_nNummer = 4;
    item.m_nArt = 3;
    item.m_dLaenge = 1.2;
    item.m_dBreite = 0.8;
    item.m_dHoehe = 0.97;
    item.m_dSPLaenge = 0.6;
    item.m_dSPBreite = 0.4;
    item.m_dSPHoehe = 0.3;
    item.m_dMasse = 0.25;
    item.m_strText = std::string(255, 't');
    item.m_strName = "Skrzynia Łódź";
    item.m_bFlag = true;
    item.m_strPfad = "/home/u/load units/Skrzynia Łódź.lgs";
    item.m_strBildDatei = "0f8fad5b-d9cb-469f-a165-70867728950e.dat";
    item.m_strBildQuelle = "/home/u/Bilder/kiste.png";
    const Bytes bytes = item.Store();
    // Field 10 holds 255 characters: prefix FF FF 00.
    EXPECT_EQ(Bytes(bytes.begin() + 81, bytes.begin() + 84), (Bytes{0xFF, 0xFF, 0x00}));

    tagItemData read;
    ASSERT_NO_THROW(read.Load(bytes));
    EXPECT_EQ(read.m_strName, item.m_strName);
    EXPECT_EQ(read.m_dHoehe, 0.97);
    EXPECT_EQ(read.m_strBildQuelle, item.m_strBildQuelle);
    EXPECT_EQ(read.Store(), bytes);
}

TEST(ItemDataTest, OlderLayoutsConvertAndAskForResave)
{
    struct Case
    {
        const char* name;
        Bytes file;
        int kind;
        bool resave;
        std::string picture;
    };
    const Bytes noPicture = Text("") + Text("");
    const Case cases[] = {
        {"headerless, kind 1", Fields(1), 2, true, ""},
        {"headerless, kind 2", Fields(2), 4, true, ""},
        {"headerless, kind 4", Fields(4), 1, true, ""},
        {"headerless, kind 0", Fields(0), 0, true, ""},
        {"schema 1, kind 2", Header(1) + Fields(2), 4, true, ""},
        {"schema 5, kind 3", Header(5) + Fields(3), 3, true, ""},
        {"schema 5, kind 1", Header(5) + Fields(1), 2, true, ""},
        {"schema 6, kind 1", Header(6) + Fields(1), 1, false, ""},
        {"schema 7, picture path", Header(7) + Fields(1, "p", Text("C:\\Bilder\\ab.dat") + Text("q")), 1,
         true, "ab.dat"},
        {"schema 7, picture name", Header(7) + Fields(1, "p", Text("ab.dat") + Text("q")), 1, true, "ab.dat"},
        {"schema 7, no picture", Header(7) + Fields(1, "p", noPicture), 1, false, ""},
        {"schema 8, picture path kept", Header(8) + Fields(1, "p", Text("a/b.dat") + Text("")), 1, false,
         "a/b.dat"},
        {"schema 9", Header(9) + Fields(1, "p", noPicture), 1, false, ""},
        {"schema 8, the largest kind", Header(8) + Fields(12, "p", noPicture), 12, false, ""},
        {"schema 8, no kind yet", Header(8) + Fields(-1, "p", noPicture), -1, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tagItemData item;
        EXPECT_EQ(item.Load(c.file), c.resave ? LoadAnswer::NeedsRewriting : LoadAnswer::Current);
        EXPECT_EQ(item.m_nArt, c.kind);
        EXPECT_EQ(item.m_strName, "Kiste");
        EXPECT_TRUE(item.m_bFlag);
        EXPECT_EQ(item.m_dMasse, 0.75);
        EXPECT_EQ(item.m_strBildDatei, c.picture);

        // Written again, it is a current file that reads without conversion.
        const Bytes again = item.Store();
        EXPECT_EQ(Bytes(again.begin(), again.begin() + 17), Header(8));
        tagItemData reread;
        EXPECT_EQ(reread.Load(again), LoadAnswer::Current);
        EXPECT_EQ(reread.Store(), again);
    }
}

TEST(ItemDataTest, BadFilesFailAndLeaveTheRecordAlone)
{
    const Bytes good = Header(8) + Fields(3, "p", Text("") + Text(""));
    Bytes garbage(200);
    for (std::size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = std::uint8_t(i * 37 + 11);
    Bytes nanLength = Fields(1, "p", {}, std::numeric_limits<double>::quiet_NaN());
    Bytes flagTwo = Fields(1);
    flagTwo[4 + 4 + 56 + 5 + 6] = 2; // the flag byte after "Text" and "Kiste"
    struct Case
    {
        const char* name;
        Bytes file;
    };
    const Case cases[] = {
        {"empty", {}},
        {"ends inside field 9", Bytes(good.begin(), good.begin() + 17 + 8 + 50)},
        {"ends inside the class header", Bytes(good.begin(), good.begin() + 10)},
        {"garbage", garbage},
        {"text of another program",
         Ascii("Hello, this is a text file that happens to have the extension.\n")},
        {"headerless with bytes after it", Fields(1) + Bytes{0}},
        // Taken in, the bytes after the end would be lost at the next save (a conversion saves at once).
        {"current layout with bytes after it", good + Bytes{0}},
        {"schema 5 with bytes after it", Header(5) + Fields(3) + Bytes{1, 2, 3}},
        {"headerless, a length that is not a number", nanLength},
        {"headerless, flag byte 2", flagTwo},
        {"headerless, negative mass", Fields(1, "p", {}, -5.0)},
        {"headerless, kind 99", Fields(99)},
        // Kinds outside -1 to 12 are no catalogue item in any layout.
        {"current layout, kind 13", Header(8) + Fields(13, "p", Text("") + Text(""))},
        {"current layout, kind -2", Header(8) + Fields(-2, "p", Text("") + Text(""))},
        {"schema 5, kind 40", Header(5) + Fields(40)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tagItemData item;
        item.m_strName = "unchanged";
        try {
            item.Load(c.file, "item.lgs");
            ADD_FAILURE() << "loaded";
        } catch (const ArchiveError& e) {
            EXPECT_NE(std::string(e.what()).find("item.lgs"), std::string::npos) << e.what();
        }
        EXPECT_EQ(item.m_strName, "unchanged");
    }
    // No cut of a good file is taken for an item.
    for (std::size_t n = 0; n < good.size(); ++n) {
        SCOPED_TRACE(n);
        tagItemData item;
        EXPECT_THROW(item.Load(Bytes(good.begin(), good.begin() + n)), ArchiveError);
    }
}

// A size, centre of gravity or mass that no load can have (not a number, infinite, negative, 1e305) is
// damage in every layout, the current one as much as the oldest: the file is refused and the record
// stays as it was. Values up to the largest a file may hold are taken.
TEST(ItemDataTest, AbsurdSizesAndMassesAreRefusedInEveryLayout)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::array<double, 7> good = {1.2, 0.8, 1.0, 0.6, 0.4, 0.5, 0.75};
    struct Layout
    {
        const char* name;
        Bytes head, tail;
    };
    const Layout layouts[] = {
        {"headerless", {}, {}},
        {"schema 5", Header(5), {}},
        {"current layout", Header(8), Text("") + Text("")},
    };
    const std::pair<int, const char*> fields[] = {{0, "length"}, {1, "width"},     {2, "height"},
                                                  {6, "mass"},   {3, "cog along"}, {5, "cog height"}};
    const double absurd[] = {nan, inf, -inf, -0.001, 1e305, 1000.001};
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(layout.name);
        {
            tagItemData item;
            ASSERT_NO_THROW(item.Load(layout.head + FieldsWithValues(good) + layout.tail));
            EXPECT_EQ(item.m_dMasse, 0.75);
            std::array<double, 7> largest = good;
            largest[0] = largest[6] = 1000.0;
            EXPECT_NO_THROW(item.Load(layout.head + FieldsWithValues(largest) + layout.tail));
        }
        for (const auto& [index, field] : fields)
            for (double value : absurd) {
                SCOPED_TRACE(std::string(field) + " " + std::to_string(value));
                std::array<double, 7> values = good;
                values[static_cast<std::size_t>(index)] = value;
                tagItemData item;
                item.m_strName = "unchanged";
                item.m_dLaenge = 2.5;
                EXPECT_THROW(item.Load(layout.head + FieldsWithValues(values) + layout.tail, "item.lgs"),
                             ArchiveError);
                EXPECT_EQ(item.m_strName, "unchanged");
                EXPECT_EQ(item.m_dLaenge, 2.5);
            }
    }
}

TEST(ItemDataTest, AssignmentCopiesThePicture)
{
    {
        auto source = std::make_unique<tagItemData>();
        source->m_strName = "Kiste";
        source->m_pBild = std::make_unique<CountedPicture>(7);
        tagItemData target;
        target.m_pBild = std::make_unique<CountedPicture>(1);
        target = *source;
        EXPECT_EQ(CountedPicture::s_alive, 2);
        ASSERT_NE(target.m_pBild, nullptr);
        EXPECT_NE(target.m_pBild.get(), source->m_pBild.get());
        source.reset();
        EXPECT_EQ(static_cast<CountedPicture&>(*target.m_pBild).m_id, 7);
        EXPECT_EQ(target.m_strName, "Kiste");

        tagItemData none;
        target = none;
        EXPECT_EQ(target.m_pBild, nullptr);
    }
    EXPECT_EQ(CountedPicture::s_alive, 0);
}

TEST(ItemDataTest, ExtentsByRotation)
{
    tagItemData item;
    item.m_dLaenge = 1.2;
    item.m_dBreite = 0.8;
    const std::tuple<int, double, double> cases[] = {{0, 1.2, 0.8},   {180, 1.2, 0.8},  {90, 0.8, 1.2},
                                                     {270, 0.8, 1.2}, {45, -1.0, -1.0}, {360, -1.0, -1.0}};
    for (const auto& [rotation, along, across] : cases) {
        SCOPED_TRACE(rotation);
        EXPECT_EQ(item.GetLaengeGedreht(rotation), along);
        EXPECT_EQ(item.GetBreiteGedreht(rotation), across);
    }
}

} // namespace
