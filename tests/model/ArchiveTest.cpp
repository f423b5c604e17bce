// The archive encoding: values, texts, counts, class records, object tags and the errors of bad data.
#include "ByteHelpers.h"

#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"
#include "model/archive/ClassRegistry.h"
#include "model/files/STVEEntry.h"
#include "model/plan/SLadung.h"
#include "model/vehicle/CZusLast.h"
#include "model/vehicle/tagZLINFO.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// Refers to two loads it does not own, as records that share objects do.
class ArchiveTestPair : public PersistentObject
{
    QOR_DECLARE_SERIAL(ArchiveTestPair)

public:
    void Write(ArchiveWriter& ar) const override
    {
        ar.WriteObject(m_first);
        ar.WriteObject(m_second);
    }
    void Read(ArchiveReader& ar, unsigned) override
    {
        bool isNew = false;
        m_first = ar.ReadSharedObject<CZusLast>(&isNew);
        if (isNew)
            m_owned.emplace_back(m_first);
        m_second = ar.ReadSharedObject<CZusLast>(&isNew);
        if (isNew)
            m_owned.emplace_back(m_second);
    }

    CZusLast* m_first = nullptr;
    CZusLast* m_second = nullptr;
    std::vector<std::unique_ptr<CZusLast>> m_owned;
};
QOR_IMPLEMENT_SERIAL(ArchiveTestPair, 1, false)

Bytes Written(const std::function<void(ArchiveWriter&)>& write)
{
    ArchiveWriter ar;
    write(ar);
    return ar.TakeData();
}

TEST(ArchiveTest, WritesNumbersLittleEndian)
{
    const Bytes bytes = Written([](ArchiveWriter& ar) {
        ar.WriteByte(0xAB);
        ar.WriteBool(true);
        ar.WriteBool(false);
        ar.WriteWord(0x1234);
        ar.WriteInt(-2);
        ar.WriteFloat(1.0f);
        ar.WriteDouble(1.0);
    });
    EXPECT_EQ(bytes, (Bytes{0xAB, 1,    0, 0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 0,   0,
                            0x80, 0x3F, 0, 0,    0,    0,    0,    0,    0xF0, 0x3F}));
    ArchiveReader in(bytes);
    EXPECT_EQ(in.ReadByte(), 0xAB);
    EXPECT_TRUE(in.ReadBool());
    EXPECT_FALSE(in.ReadBool());
    EXPECT_EQ(in.ReadWord(), 0x1234);
    EXPECT_EQ(in.ReadInt(), -2);
    EXPECT_EQ(in.ReadFloat(), 1.0f);
    EXPECT_EQ(in.ReadDouble(), 1.0);
    EXPECT_TRUE(in.AtEnd());
    const Bytes seven = {7};
    EXPECT_TRUE(ArchiveReader(seven).ReadBool()) << "any non-zero byte reads as set";
}

TEST(ArchiveTest, TextLengthFormsAndRoundTrip)
{
    struct Case
    {
        std::size_t length;
        Bytes prefix;
    };
    const Case cases[] = {
        {0, {0x00}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {65533, {0xFF, 0xFD, 0xFF}},
        {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {65535, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        const std::string text(c.length, 'a');
        const Bytes bytes = Written([&](ArchiveWriter& ar) { ar.WriteString(text); });
        ASSERT_EQ(bytes.size(), c.prefix.size() + c.length);
        EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + c.prefix.size()), c.prefix);
        ArchiveReader in(bytes);
        EXPECT_EQ(in.ReadString(), text);
        EXPECT_TRUE(in.AtEnd());
    }
}

TEST(ArchiveTest, TextsInWindows1252AndUnicodeForms)
{
    struct Case
    {
        const char* name;
        std::string utf8;
        Bytes bytes;
    };
    const Case cases[] = {
        {"Windows-1252", "Müller €", Bytes{8, 'M', 0xFC, 'l', 'l', 'e', 'r', ' ', 0x80}},
        {"Polish", "Łódź", Bytes{0xFF, 0xFE, 0xFF, 4} + Word(0x141) + Word(0xF3) + Word('d') + Word(0x17A)},
        {"Greek", "Ωx", Bytes{0xFF, 0xFE, 0xFF, 2} + Word(0x3A9) + Word('x')},
        {"outside the BMP", "\xF0\x9F\x9A\x9A", Bytes{0xFF, 0xFE, 0xFF, 2} + Word(0xD83D) + Word(0xDE9A)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes bytes = Written([&](ArchiveWriter& ar) { ar.WriteString(c.utf8); });
        EXPECT_EQ(bytes, c.bytes) << Hex(bytes);
        ArchiveReader in(bytes);
        EXPECT_EQ(in.ReadString(), c.utf8);
        EXPECT_TRUE(in.AtEnd());
    }
}

TEST(ArchiveTest, ReadsUnicodeTextsOfEveryLengthForm)
{
    std::u16string longText(300, u'\u00E9');
    Bytes longBytes = Bytes{0xFF, 0xFE, 0xFF, 0xFF} + Word(300);
    for (char16_t c : longText)
        longBytes = longBytes + Word(c);
    ArchiveReader in(longBytes);
    std::string expected;
    for (int i = 0; i < 300; ++i)
        expected += "é";
    EXPECT_EQ(in.ReadString(), expected);
    EXPECT_TRUE(in.AtEnd());

    const Bytes loneSurrogate = Bytes{0xFF, 0xFE, 0xFF, 1} + Word(0xD800);
    EXPECT_EQ(ArchiveReader(loneSurrogate).ReadString(), "\xEF\xBF\xBD") << "becomes U+FFFD";

    // Bytes the code page leaves unassigned read as the control of the same number and write back.
    const Bytes unassigned = {2, 0x81, 0x9D};
    const std::string text = ArchiveReader(unassigned).ReadString();
    EXPECT_EQ(Written([&](ArchiveWriter& ar) { ar.WriteString(text); }), unassigned);
}

TEST(ArchiveTest, CountForms)
{
    struct Case
    {
        std::uint32_t count;
        Bytes bytes;
    };
    const Case cases[] = {
        {0, Word(0)},
        {0xFFFE, Word(0xFFFE)},
        {0xFFFF, Word(0xFFFF) + Dword(0xFFFF)},
        {0x10000, Word(0xFFFF) + Dword(0x10000)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        const Bytes bytes = Written([&](ArchiveWriter& ar) { ar.WriteCount(c.count); });
        EXPECT_EQ(bytes, c.bytes);
        ArchiveReader in(bytes);
        EXPECT_EQ(in.ReadCount(0), c.count);
    }
}

TEST(ArchiveTest, ObjectStreamTagsAndNumbers)
{
    CZusLast a, b;
    a.m_strName = "A";
    a.m_dPosition = 1.0;
    b.m_strName = "B";
    SLadung c;
    const Bytes bytes = Written([&](ArchiveWriter& ar) {
        ar.WriteObject(&a);      // class 1, object 2
        ar.WriteObject(&b);      // class reference 1, object 3
        ar.WriteObject(nullptr); // null
        ar.WriteObject(&c);      // class 4, object 5
        ar.WriteObject(&a);      // back-reference 2
    });
    const Bytes fieldsA = Bytes{1, 'A'} + Bytes{0, 0, 0, 0, 0, 0, 0xF0, 0x3F} + Zeros(8);
    const Bytes fieldsB = Bytes{1, 'B'} + Zeros(16);
    const Bytes expected = ClassRecord(1, "CZusLast") + fieldsA + Word(0x8001) + fieldsB + Word(0) +
                           ClassRecord(1, "SLadung") + Bytes{0} + Zeros(16) + Word(2);
    EXPECT_EQ(bytes, expected) << Hex(bytes, 200);

    ArchiveReader in(bytes);
    auto ra = in.ReadOwnedObject<CZusLast>();
    auto rb = in.ReadOwnedObject<CZusLast>();
    EXPECT_EQ(in.ReadObject(), nullptr);
    auto rc = in.ReadOwnedObject<SLadung>();
    bool isNew = true;
    EXPECT_EQ(in.ReadSharedObject<CZusLast>(&isNew), ra.get());
    EXPECT_FALSE(isNew);
    EXPECT_TRUE(in.AtEnd());
    ASSERT_TRUE(ra && rb && rc);
    EXPECT_EQ(ra->m_strName, "A");
    EXPECT_EQ(ra->m_dPosition, 1.0);
    EXPECT_EQ(rb->m_strName, "B");
}

TEST(ArchiveTest, SharedObjectsAreWrittenOnceAndReadAsOne)
{
    CZusLast point;
    point.m_strName = "P";
    ArchiveTestPair first, second;
    first.m_first = first.m_second = &point;
    second.m_first = &point;
    const Bytes bytes = Written([&](ArchiveWriter& ar) {
        ar.WriteObject(&first);
        ar.WriteObject(&second);
    });
    // Pair class 1, pair 2, load class 3, load 4, back-reference 4, pair class ref, pair 5, ref 4, null.
    const Bytes expected = ClassRecord(1, "ArchiveTestPair") + ClassRecord(1, "CZusLast") + Bytes{1, 'P'} +
                           Zeros(16) + Word(4) + Word(0x8001) + Word(4) + Word(0);
    EXPECT_EQ(bytes, expected) << Hex(bytes, 200);

    ArchiveReader in(bytes);
    auto r1 = in.ReadOwnedObject<ArchiveTestPair>();
    auto r2 = in.ReadOwnedObject<ArchiveTestPair>();
    ASSERT_TRUE(r1 && r2);
    EXPECT_EQ(r1->m_first, r1->m_second);
    EXPECT_EQ(r2->m_first, r1->m_first);
    EXPECT_EQ(r2->m_second, nullptr);
    EXPECT_EQ(r1->m_owned.size(), 1u);
    EXPECT_TRUE(r2->m_owned.empty());
}

TEST(ArchiveTest, BigNumberForms)
{
    // Class 1 and objects 2 .. 0x7FFF, so the second class gets 0x8000 and its first object 0x8001.
    std::vector<std::unique_ptr<CZusLast>> many(0x7FFE);
    for (auto& p : many)
        p = std::make_unique<CZusLast>();
    SLadung x, y;
    ArchiveWriter ar;
    for (const auto& p : many)
        ar.WriteObject(p.get());
    const std::size_t tail = ar.Data().size();
    ar.WriteObject(&x);
    ar.WriteObject(&y);
    ar.WriteObject(&x);
    ar.WriteObject(many.back().get());
    const Bytes bytes = ar.TakeData();
    const Bytes expected = ClassRecord(1, "SLadung") + Bytes{0} + Zeros(16) + Word(0x7FFF) +
                           Dword(0x80008000) + Bytes{0} + Zeros(16) + Word(0x7FFF) + Dword(0x8001) +
                           Word(0x7FFF) + Dword(0x7FFF);
    EXPECT_EQ(Bytes(bytes.begin() + tail, bytes.end()), expected);

    ArchiveReader in(bytes);
    std::vector<std::unique_ptr<CZusLast>> read;
    for (std::size_t i = 0; i < many.size(); ++i)
        read.push_back(in.ReadOwnedObject<CZusLast>());
    auto rx = in.ReadOwnedObject<SLadung>();
    auto ry = in.ReadOwnedObject<SLadung>();
    bool isNew = true;
    EXPECT_EQ(in.ReadSharedObject<SLadung>(&isNew), rx.get());
    EXPECT_EQ(in.ReadSharedObject<CZusLast>(&isNew), read.back().get());
    EXPECT_TRUE(in.AtEnd());
}

TEST(ArchiveTest, ListsOfObjects)
{
    std::vector<std::unique_ptr<CZusLast>> list;
    for (int i = 0; i < 3; ++i) {
        list.push_back(std::make_unique<CZusLast>());
        list.back()->m_dMasse = i;
    }
    const Bytes bytes = Written([&](ArchiveWriter& ar) { ar.WriteObjectList(list); });
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 2), Word(3));
    ArchiveReader in(bytes);
    std::vector<std::unique_ptr<CZusLast>> read;
    in.ReadObjectList(read);
    ASSERT_EQ(read.size(), 3u);
    EXPECT_EQ(read[2]->m_dMasse, 2.0);
    EXPECT_TRUE(in.AtEnd());
}

TEST(ArchiveTest, ClassRecordsAndSchemas)
{
    // A versionable class hands its stored schema to the record; a class read twice keeps its first.
    const Bytes zl = ClassRecord(3, "tagZLINFO") + Written([](ArchiveWriter& ar) { tagZLINFO().Write(ar); });
    ArchiveReader in(zl);
    auto p = in.ReadOwnedObject<tagZLINFO>();
    EXPECT_TRUE(p && in.AtEnd());

    const Bytes twice = ClassRecord(7, "tagZLINFO") + Word(0x8001);
    ArchiveReader classes(twice);
    unsigned schema = 0;
    EXPECT_EQ(&classes.ReadClass(&tagZLINFO::classInfo, &schema), &tagZLINFO::classInfo);
    EXPECT_EQ(schema, 7u);
    schema = 0;
    classes.ReadClass(nullptr, &schema);
    EXPECT_EQ(schema, 7u);

    // Registered by name even though nothing here creates one by code.
    const ClassInfo* tree = ClassRegistry::Find("STVEEntry");
    ASSERT_NE(tree, nullptr);
    std::unique_ptr<PersistentObject> made(tree->create());
    EXPECT_NE(dynamic_cast<STVEEntry*>(made.get()), nullptr);
    EXPECT_EQ(ClassRegistry::Find("stveentry"), nullptr);
}

TEST(ArchiveTest, BadDataEndsInOneDefinedError)
{
    using Kind = ArchiveError::Kind;
    const Bytes load = ClassRecord(1, "CZusLast") + Bytes{0} + Zeros(16);
    struct Case
    {
        const char* name;
        Bytes bytes;
        std::function<void(ArchiveReader&)> read;
        Kind kind;
        std::size_t offset;
    };
    const auto owned = [](ArchiveReader& in) { in.ReadOwnedObject<CZusLast>(); };
    const auto text = [](ArchiveReader& in) { in.ReadString(); };
    const Case cases[] = {
        {"empty", {}, owned, Kind::EndOfFile, 0},
        {"unknown class", ClassRecord(1, "CNoSuchClass") + Zeros(17), owned, Kind::BadClass, 0},
        {"class name of 64", ClassRecord(1, std::string(64, 'C')), owned, Kind::BadClass, 0},
        {"wrong schema", ClassRecord(2, "CZusLast") + Bytes{0} + Zeros(16), owned, Kind::BadSchema, 0},
        {"other class than the field takes", ClassRecord(1, "SLadung") + Bytes{0} + Zeros(16), owned,
         Kind::BadClass, 0},
        {"back-reference into an owning field", load + Word(2),
         [](ArchiveReader& in) {
             auto a = in.ReadOwnedObject<CZusLast>();
             in.ReadOwnedObject<CZusLast>();
         },
         Kind::BadIndex, 31},
        {"back-reference to an object of another class", load + Word(2),
         [](ArchiveReader& in) {
             auto a = in.ReadOwnedObject<CZusLast>();
             bool isNew = false;
             in.ReadSharedObject<SLadung>(&isNew);
         },
         Kind::BadClass, 31},
        {"reference to nothing", Word(5), [](ArchiveReader& in) { in.ReadObject(); }, Kind::BadIndex, 0},
        {"big reference to nothing", Word(0x7FFF) + Dword(0x12345),
         [](ArchiveReader& in) { in.ReadObject(); }, Kind::BadIndex, 0},
        {"class reference to nothing", Word(0x8003), owned, Kind::BadIndex, 0},
        {"class reference to an object", load + Word(0x8002),
         [](ArchiveReader& in) {
             auto a = in.ReadOwnedObject<CZusLast>();
             in.ReadOwnedObject<CZusLast>();
         },
         Kind::BadIndex, 31},
        {"object where a class is expected", Word(3), [](ArchiveReader& in) { in.ReadClass(); },
         Kind::BadIndex, 0},
        {"class other than requested", ClassRecord(1, "SLadung"),
         [](ArchiveReader& in) { in.ReadClass(&CZusLast::classInfo); }, Kind::BadClass, 0},
        {"text longer than the data", Bytes{0xFF, 0xFF, 0xFF} + Dword(0xFFFFFFF0) + Ascii("abc"), text,
         Kind::EndOfFile, 0},
        {"unicode text longer than the data", Bytes{0xFF, 0xFE, 0xFF, 3} + Word('a'), text, Kind::EndOfFile,
         0},
        {"count larger than the data", Word(0xFFFF) + Dword(0x7FFFFFFF) + Zeros(8),
         [](ArchiveReader& in) {
             std::vector<std::unique_ptr<CZusLast>> list;
             in.ReadObjectList(list);
         },
         Kind::Corrupt, 0},
        {"null entry in a list", Word(1) + Word(0),
         [](ArchiveReader& in) {
             std::vector<std::unique_ptr<CZusLast>> list;
             in.ReadObjectList(list);
         },
         Kind::Corrupt, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ArchiveReader in(c.bytes, "file.dat");
        try {
            c.read(in);
            ADD_FAILURE() << "no error";
        } catch (const ArchiveError& e) {
            EXPECT_EQ(e.GetKind(), c.kind) << e.what();
            EXPECT_EQ(e.GetOffset(), c.offset) << e.what();
            EXPECT_NE(std::string(e.what()).find("file.dat"), std::string::npos);
        }
    }
}

TEST(ArchiveTest, EveryTruncationOfAStreamFailsCleanly)
{
    STVEEntry root;
    root.m_strName = "Wurzel";
    for (int i = 0; i < 3; ++i) {
        root.m_Children.push_back(std::make_unique<STVEEntry>());
        root.m_Children.back()->m_Children.push_back(std::make_unique<STVEEntry>());
    }
    const Bytes bytes = Written([&](ArchiveWriter& ar) { ar.WriteObject(&root); });
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        SCOPED_TRACE(n);
        const Bytes cut(bytes.begin(), bytes.begin() + n);
        ArchiveReader in(cut);
        EXPECT_THROW(in.ReadOwnedObject<STVEEntry>(), ArchiveError);
    }
}

TEST(ArchiveTest, DeepNestingIsRefused)
{
    STVEEntry root;
    STVEEntry* leaf = &root;
    for (int i = 0; i < ArchiveReader::kMaxDepth + 5; ++i) {
        leaf->m_Children.push_back(std::make_unique<STVEEntry>());
        leaf = leaf->m_Children.back().get();
    }
    const Bytes bytes = Written([&](ArchiveWriter& ar) { ar.WriteObject(&root); });
    ArchiveReader in(bytes);
    try {
        in.ReadOwnedObject<STVEEntry>();
        ADD_FAILURE() << "no error";
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.GetKind(), ArchiveError::Kind::Corrupt);
    }
}

} // namespace
