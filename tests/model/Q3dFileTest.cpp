// The program's own model files: round trips and the refusal of damaged files.
#include "model/mesh/Q3dFile.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <filesystem>
#include <limits>

namespace {

Q3dModel TwoPartModel()
{
    Q3dModel model;
    Q3dModel::Part body;
    body.name = "body";
    body.colour = {0.8f, 0.1f, 0.1f, 1.0f};
    body.vertices = {
        {{0, 0, 0}, {0, 0, -1}, 0, 0}, {{0, 1, 0}, {0, 0, -1}, 0, 1}, {{1, 0, 0}, {0, 0, -1}, 1, 0}};
    body.indices = {0, 1, 2};
    Q3dModel::Part glass;
    glass.name = "Gläser"; // UTF-8 names survive
    glass.pass = Q3dModel::Pass::Blended;
    glass.colour = {0.2f, 0.3f, 0.4f, 0.5f};
    glass.texture = "glass.png";
    glass.vertices = body.vertices;
    glass.indices = {2, 1, 0, 0, 1, 2};
    model.parts = {body, glass};
    return model;
}

// Offsets into TwoPartModel's file.
constexpr std::size_t HEADER = 12;
constexpr std::size_t FIRST_VERTEX_COUNT = HEADER + 2 + 4 + 1 + 16 + 2;

void PutU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

TEST(Q3dFileTest, WriteReadWriteGivesTheSameBytesAndTheSameModel)
{
    const std::vector<std::uint8_t> first = Q3dFile::Write(TwoPartModel());
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(std::memcmp(first.data(), "Q3DM\x01\0\0\0\x02\0\0\0", 12), 0);
    Q3dModel read;
    std::string error;
    ASSERT_TRUE(Q3dFile::Read(first, read, error)) << error;
    EXPECT_EQ(Q3dFile::Write(read), first);
    ASSERT_EQ(read.parts.size(), 2u);
    EXPECT_EQ(read.parts[1].name, "Gläser");
    EXPECT_EQ(read.parts[1].pass, Q3dModel::Pass::Blended);
    EXPECT_EQ(read.parts[1].texture, "glass.png");
    EXPECT_EQ(read.parts[1].colour, (tbColor{0.2f, 0.3f, 0.4f, 0.5f}));
    EXPECT_EQ(read.parts[1].indices, (std::vector<std::uint32_t>{2, 1, 0, 0, 1, 2}));
    EXPECT_EQ(read.parts[0].vertices[2].position, (tbVector3{1, 0, 0}));
    EXPECT_EQ(read.parts[0].vertices[1].v, 1.0f);
    EXPECT_EQ(read.TriangleCount(), 3u);

    // An empty model is a valid file too.
    Q3dModel empty;
    ASSERT_TRUE(Q3dFile::Read(Q3dFile::Write(empty), empty, error)) << error;
    EXPECT_TRUE(empty.parts.empty());
}

TEST(Q3dFileTest, EveryTruncationAndAnyTrailingByteIsRefusedWithAnEmptyModel)
{
    const std::vector<std::uint8_t> whole = Q3dFile::Write(TwoPartModel());
    for (std::size_t size = 0; size < whole.size(); ++size) {
        SCOPED_TRACE(size);
        Q3dModel model = TwoPartModel();
        std::string error;
        EXPECT_FALSE(
            Q3dFile::Read({whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size)}, model, error));
        EXPECT_TRUE(model.parts.empty());
        EXPECT_FALSE(error.empty());
    }
    std::vector<std::uint8_t> longer = whole;
    longer.push_back(0);
    Q3dModel model;
    std::string error;
    EXPECT_FALSE(Q3dFile::Read(longer, model, error));
    EXPECT_NE(error.find("1 bytes follow"), std::string::npos) << error;
}

TEST(Q3dFileTest, DamagedFieldsAreRefusedClearly)
{
    struct Case
    {
        const char* what;
        std::size_t at;
        std::uint32_t value;
        const char* message;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::size_t firstIndexCount = FIRST_VERTEX_COUNT + 4 + 3 * 32;
    const Case cases[] = {
        {"magic", 0, 0x4D443351u + 1, "model file mark"},
        {"version", 4, 2, "version 2"},
        {"part count beyond the limit", 8, 100000, "claims 100000 parts"},
        {"part count beyond the data", 8, 3, "ends inside"},
        {"vertex count beyond the limit", FIRST_VERTEX_COUNT, 0xFFFFFFFFu, "too many vertices"},
        {"vertex count beyond the data", FIRST_VERTEX_COUNT, 1000, "ends inside the vertices"},
        {"index count not a multiple of 3", firstIndexCount, 4, "bad index count"},
        {"index count beyond the data", firstIndexCount, 3000, "ends inside the indices"},
        {"index past the vertices", firstIndexCount + 4, 3, "refers to vertex 3 of 3"},
        {"not-a-number colour", HEADER + 2 + 4 + 1, std::bit_cast<std::uint32_t>(nan), "not finite"},
        {"infinite position", FIRST_VERTEX_COUNT + 4,
         std::bit_cast<std::uint32_t>(std::numeric_limits<float>::infinity()), "not finite"},
    };
    const std::vector<std::uint8_t> whole = Q3dFile::Write(TwoPartModel());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::uint8_t> bytes = whole;
        PutU32(bytes, c.at, c.value);
        Q3dModel model;
        std::string error;
        EXPECT_FALSE(Q3dFile::Read(bytes, model, error));
        EXPECT_TRUE(model.parts.empty());
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
    }
    // An unknown pass.
    std::vector<std::uint8_t> bytes = whole;
    bytes[HEADER + 2 + 4] = 7;
    Q3dModel model;
    std::string error;
    EXPECT_FALSE(Q3dFile::Read(bytes, model, error));
    EXPECT_NE(error.find("unknown pass 7"), std::string::npos) << error;
}

TEST(Q3dFileTest, AModelThatCouldNotBeReadBackIsNotWritten)
{
    Q3dModel bad = TwoPartModel();
    bad.parts[0].indices = {0, 1, 3};
    EXPECT_TRUE(Q3dFile::Write(bad).empty());
    bad = TwoPartModel();
    bad.parts[1].vertices[0].normal.x = std::numeric_limits<float>::infinity();
    EXPECT_TRUE(Q3dFile::Write(bad).empty());

    const std::filesystem::path dir = std::filesystem::path(testing::TempDir()) / "q3d_write_test";
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "model.q3d").string();
    std::string error;
    ASSERT_TRUE(Q3dFile::WriteFile(path, TwoPartModel(), error)) << error;
    EXPECT_FALSE(Q3dFile::WriteFile(path, bad, error));
    EXPECT_NE(error.find("not finite"), std::string::npos) << error;
    // The good file is still there and whole, and no temporary file is left.
    Q3dModel read;
    ASSERT_TRUE(Q3dFile::ReadFile(path, read, error)) << error;
    EXPECT_EQ(read.parts.size(), 2u);
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
    EXPECT_FALSE(Q3dFile::ReadFile((dir / "missing.q3d").string(), read, error));
    EXPECT_NE(error.find("missing.q3d"), std::string::npos) << error;
    std::filesystem::remove_all(dir);
}

} // namespace
