// The load-unit editor without a window: field checks, presets, centre of gravity and saving.
#include "model/files/LadungEditing.h"
#include "model/files/VehicleFiles.h"
#include "model/text/TextProvider.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace {

class Picture : public ItemPicture
{
public:
    std::unique_ptr<ItemPicture> Clone() const override { return std::make_unique<Picture>(); }
};

LadungFieldTexts Fields()
{
    return {"1200", "800", "1000", "500", "600", "400", "500"};
}

TEST(LadungValidate, RefusesInFieldOrderAndAcceptsZero)
{
    struct Case
    {
        int field;
        const char* text;
        int refusedField;
        int textId;
    };
    const Case cases[] = {
        {kFieldLength, "", kFieldLength, 469},  {kFieldWidth, "-1", kFieldWidth, 99},
        {kFieldHeight, "x", kFieldHeight, 471}, {kFieldMass, "", kFieldMass, 141},
        {kFieldCogX, "", kFieldCogX, 472},      {kFieldCogY, "", kFieldCogY, 473},
        {kFieldCogZ, "", kFieldCogZ, 474},      {kFieldMass, "0", -1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        LadungFieldTexts fields = Fields();
        fields[static_cast<std::size_t>(c.field)] = c.text;
        tagItemData item;
        const LadungRefusal r = ValidateLadung(fields, "Kiste", item);
        EXPECT_EQ(r.field, c.refusedField);
        EXPECT_EQ(r.textId, c.textId);
    }
    // Two refusals: the first in field order is reported.
    LadungFieldTexts two = Fields();
    two[kFieldMass] = "";
    two[kFieldWidth] = "";
    tagItemData first;
    EXPECT_EQ(ValidateLadung(two, "", first).textId, 470);
    // Every number right: the name is checked last; the values are stored in metres and tonnes.
    tagItemData item;
    EXPECT_EQ(ValidateLadung(Fields(), "", item).textId, 219);
    const LadungRefusal ok = ValidateLadung(Fields(), "Kiste", item);
    EXPECT_EQ(ok.field, -1);
    EXPECT_DOUBLE_EQ(item.m_dLaenge, 1.2);
    EXPECT_DOUBLE_EQ(item.m_dMasse, 0.5);
    EXPECT_DOUBLE_EQ(item.m_dSPBreite, 0.4);
    EXPECT_EQ(item.m_strName, "Kiste");
    EXPECT_EQ(FormatLadungField(0.835), "835");
}

// The bounds of a real load unit: each field takes its bounds and refuses the next value beyond them,
// with a message that names them; a centre of gravity lies within the size typed for it. A number too
// large for any unit (a 309-digit length, 1e305 m) is refused the same way, nothing is taken from it.
TEST(LadungValidate, ValuesOutsideTheBoundsOfARealLoadUnitAreRefusedNamingThem)
{
    CTableTextProvider texts{{{290, "The length must lie between %d and %d mm"},
                              {99, "The width must lie between %d and %d mm"},
                              {340, "The height must be above 0 and at most %d mm"},
                              {291, "The mass must lie between %d and %d kg"},
                              {61990, "CoG along within 0 and %d mm"},
                              {61991, "CoG across within 0 and %d mm"},
                              {61992, "CoG height within 0 and %d mm"}}};
    ScopedTextProvider scope(&texts);
    const std::string huge = "1" + std::string(308, '0');
    struct Case
    {
        int field;
        std::string text;
        const char* message; // empty: taken
    };
    const Case cases[] = {
        {kFieldLength, "1", ""},
        {kFieldLength, "25000", ""},
        {kFieldLength, "25001", "The length must lie between 1 and 25000 mm."},
        {kFieldLength, "0", "The length must lie between 1 and 25000 mm."},
        {kFieldLength, huge, "The length must lie between 1 and 25000 mm."},
        {kFieldWidth, "5000", ""},
        {kFieldWidth, "5001", "The width must lie between 1 and 5000 mm."},
        {kFieldWidth, "0", "The width must lie between 1 and 5000 mm."},
        {kFieldHeight, "5000", ""},
        {kFieldHeight, "5001", "The height must be above 0 and at most 5000 mm."},
        {kFieldHeight, "0", "The height must be above 0 and at most 5000 mm."},
        {kFieldMass, "0", ""},
        {kFieldMass, "99990", ""},
        {kFieldMass, "99991", "The mass must lie between 0 and 99990 kg."},
        {kFieldMass, huge, "The mass must lie between 0 and 99990 kg."},
        // The sizes are 1200 x 800 x 1000 mm.
        {kFieldCogX, "1200", ""},
        {kFieldCogX, "1201", "CoG along within 0 and 1200 mm."},
        {kFieldCogY, "801", "CoG across within 0 and 800 mm."},
        {kFieldCogZ, "0", ""},
        {kFieldCogZ, huge, "CoG height within 0 and 1000 mm."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.field) + " " + c.text.substr(0, 12));
        // The centre of gravity at the unit's corner, so that every size may change alone.
        LadungFieldTexts fields = {"1200", "800", "1000", "500", "0", "0", "0"};
        fields[static_cast<std::size_t>(c.field)] = c.text;
        tagItemData item;
        const LadungRefusal r = ValidateLadung(fields, "Kiste", item);
        EXPECT_EQ(r.text, c.message);
        EXPECT_EQ(r.field, *c.message ? c.field : -1);
        // What the record took is always a value of a real unit.
        for (double d : {item.m_dLaenge, item.m_dBreite, item.m_dHoehe, item.m_dMasse, item.m_dSPLaenge})
            EXPECT_LE(d, 99.99);
    }
}

TEST(LadungPresets, SizesAndCentreOfGravity)
{
    struct Case
    {
        int preset;
        bool centred;
        LadungFieldTexts expected;
    };
    const Case cases[] = {
        {0, true, {"1200", "800", "777", "500", "600", "400", "1"}},
        {1, false, {"1200", "1000", "777", "500", "1", "1", "1"}},
        {2, true, {"1240", "835", "970", "500", "620", "418", "485"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.preset);
        LadungFieldTexts fields = {"1", "1", "777", "500", "1", "1", "1"};
        EXPECT_TRUE(ApplyLadungPreset(c.preset, c.centred, fields));
        EXPECT_EQ(fields, c.expected);
    }
    LadungFieldTexts fields = Fields();
    EXPECT_FALSE(ApplyLadungPreset(3, true, fields));
    EXPECT_EQ(fields, Fields());

    fields = {"1001", "835", "", "0", "1", "1", "1"};
    CentreLadungGravity(fields);
    EXPECT_EQ(fields[kFieldCogX], "501");
    EXPECT_EQ(fields[kFieldCogY], "418");
    EXPECT_EQ(fields[kFieldCogZ], "1"); // no height to halve

    fields = Fields();
    fields[kFieldCogY] = "900";
    fields[kFieldCogX] = "1200";
    CutLadungGravity(fields, kFieldCogY);
    CutLadungGravity(fields, kFieldCogX);
    EXPECT_EQ(fields[kFieldCogY], "800");
    EXPECT_EQ(fields[kFieldCogX], "1200");
}

class LadungSaveTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::random_device rd;
        root = fs::temp_directory_path() / ("qor_ladung_" + std::to_string(rd()));
        folders = {root / "lu", root / "fsm", root / "pic", root / "samples"};
        fs::create_directories(folders.loadUnits);
        writer = [this](const ItemPicture&, const fs::path& path) {
            ++writes;
            if (failPicture)
                return false;
            std::ofstream(path) << "png";
            return true;
        };
    }
    void TearDown() override { fs::remove_all(root); }

    tagItemData Unit(const std::string& name, bool picture)
    {
        tagItemData item;
        item.m_strName = name;
        item.m_dLaenge = 1.2;
        if (picture)
            item.m_pBild = std::make_unique<Picture>();
        return item;
    }
    std::size_t PictureCount() const
    {
        std::error_code ec;
        std::size_t n = 0;
        for (auto it = fs::directory_iterator(folders.pictures, ec); !ec && it != fs::directory_iterator();
             ++it)
            ++n;
        return n;
    }

    fs::path root;
    CatalogueFolders folders;
    PictureWriter writer;
    int writes = 0;
    bool failPicture = false;
};

TEST_F(LadungSaveTest, NewUnitWithPictureAndATakenName)
{
    tagItemData item = Unit("Kiste", true);
    const LadungSaveResult r = SaveLadung(1, item, {}, true, folders, writer);
    ASSERT_TRUE(r.saved);
    EXPECT_EQ(r.path, folders.loadUnits / "Kiste.lgs");
    EXPECT_EQ(item.m_nArt, 3);
    EXPECT_TRUE(fs::exists(folders.pictures / item.m_strBildDatei));
    EXPECT_EQ(item.m_strBildDatei.size(), 36u + 4u);
    tagItemData read;
    ASSERT_TRUE(LoadItemDataFile(r.path, read));
    EXPECT_EQ(read.m_strBildDatei, item.m_strBildDatei);

    // The same name again is refused; both files stay as they are.
    const auto before = fs::file_size(r.path);
    tagItemData copy = Unit("Kiste", true);
    copy.m_dLaenge = 9.0;
    const LadungSaveResult taken = SaveLadung(2, copy, {}, true, folders, writer);
    EXPECT_FALSE(taken.saved);
    EXPECT_EQ(taken.textId, 476);
    EXPECT_EQ(fs::file_size(r.path), before);
    EXPECT_EQ(PictureCount(), 1u);
    EXPECT_EQ(writes, 1);
}

TEST_F(LadungSaveTest, EditKeepsAnUnchangedPictureAndRenames)
{
    tagItemData item = Unit("Kiste", true);
    ASSERT_TRUE(SaveLadung(1, item, {}, true, folders, writer).saved);
    const std::string picture = item.m_strBildDatei;

    item.m_strName = "Truhe";
    const LadungSaveResult r = SaveLadung(0, item, folders.loadUnits / "Kiste.lgs", false, folders, writer);
    ASSERT_TRUE(r.saved);
    EXPECT_EQ(item.m_strBildDatei, picture);
    EXPECT_EQ(writes, 1);
    EXPECT_FALSE(fs::exists(folders.loadUnits / "Kiste.lgs"));
    EXPECT_TRUE(fs::exists(folders.loadUnits / "Truhe.lgs"));

    // A changed picture that cannot be written keeps the old one and says so.
    failPicture = true;
    const LadungSaveResult kept = SaveLadung(0, item, r.path, true, folders, writer);
    EXPECT_TRUE(kept.saved);
    EXPECT_TRUE(kept.pictureKept);
    EXPECT_EQ(item.m_strBildDatei, picture);
    EXPECT_EQ(PictureCount(), 1u);
}

TEST_F(LadungSaveTest, AFailedRecordWriteRemovesTheNewPicture)
{
    tagItemData item = Unit("Kiste", true);
    item.m_strBildDatei = "old.dat";
    // A folder where the record file should be: the write fails.
    fs::create_directories(folders.loadUnits / "Kiste.lgs");
    const LadungSaveResult r = SaveLadung(0, item, folders.loadUnits / "Kiste.lgs", true, folders, writer);
    EXPECT_FALSE(r.saved);
    EXPECT_EQ(writes, 1);
    EXPECT_EQ(PictureCount(), 0u);
    EXPECT_EQ(item.m_strBildDatei, "old.dat");
}

} // namespace
