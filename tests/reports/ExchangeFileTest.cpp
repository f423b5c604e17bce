// Exchange files: the bytes written, the private folder, the round trip and the reader's refusals.
#include "model/files/CImpExp.h"
#include "model/files/SIMPEXP_FZG.h"
#include "model/files/SIMPEXP_LADUNG2QOR2.h"
#include "model/files/SIMPEXP_QOR.h"
#include "reports/ExchangeFileReader.h"
#include "reports/ExchangeFileWriter.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

// A root with one vehicle and one plan whose load units show `pictures` (one unit per entry).
std::unique_ptr<CImpExp> Root(const std::vector<std::string>& pictures)
{
    auto root = std::make_unique<CImpExp>();
    root->m_strTitel = "Tour";
    auto fzg = std::make_unique<SIMPEXP_FZG>();
    fzg->m_strName = "Truck";
    auto qor = std::make_unique<SIMPEXP_QOR>();
    qor->m_strName = "Plan";
    for (const std::string& p : pictures) {
        auto l = std::make_unique<SIMPEXP_LADUNG2QOR2>();
        l->m_strName = "Box";
        l->m_strBildDatei = p;
        qor->m_Ladungen.push_back(std::move(l));
    }
    fzg->m_Qors.push_back(std::move(qor));
    root->m_Records.push_back(std::move(fzg));
    return root;
}

void WriteBytes(const fs::path& path, const Bytes& data)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
}

Bytes ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void Dword(Bytes& b, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void Name(Bytes& b, const std::string& s)
{
    b.push_back(static_cast<std::uint8_t>(s.size()));
    b.insert(b.end(), s.begin(), s.end());
}

class ExchangeFileTest : public ::testing::Test
{
protected:
    fs::path Dir(const char* sub)
    {
        const fs::path p = fs::path(m_tmp.path().toStdString()) / sub;
        fs::create_directories(p);
        return p;
    }
    QTemporaryDir m_tmp;
};

} // namespace

TEST_F(ExchangeFileTest, BytesOfASmallCase)
{
    const fs::path pics = Dir("pics");
    const Bytes png = {0x89, 'P', 'N', 'G', 0, 0xFF};
    WriteBytes(pics / "a.png", png);
    WriteBytes(Dir("other") / "secret.txt", {'s', 'e', 'c'});
    // "a.png" twice (once in the file), "b.png" missing, a name reaching out of the folder.
    const auto root = Root({"a.png", "b.png", "a.png", "../other/secret.txt", ""});
    const Bytes rootBytes = root->Store();
    const fs::path src = Dir("src") / "truck.qor";
    WriteBytes(src, rootBytes);

    const auto built = ExchangeFileWriter::Build(src, pics);
    ASSERT_TRUE(built);
    Bytes expected;
    Dword(expected, 1);
    expected.insert(expected.end(), rootBytes.begin(), rootBytes.end());
    Dword(expected, 3);
    Dword(expected, 0);
    Name(expected, "../other/secret.txt");
    Dword(expected, static_cast<std::uint32_t>(png.size()));
    Name(expected, "a.png");
    expected.insert(expected.end(), png.begin(), png.end());
    Dword(expected, 0);
    Name(expected, "b.png");
    EXPECT_EQ(*built, expected);
}

TEST_F(ExchangeFileTest, NoLoadUnitsEndsAfterTheRoot)
{
    const auto root = Root({});
    const Bytes rootBytes = root->Store();
    const fs::path src = Dir("src") / "empty.kmb";
    WriteBytes(src, rootBytes);
    const auto built = ExchangeFileWriter::Build(src, Dir("pics"));
    ASSERT_TRUE(built);
    ASSERT_EQ(built->size(), 4 + rootBytes.size() + 4);
    EXPECT_EQ(Bytes(built->end() - 4, built->end()), Bytes(4, 0));
}

TEST_F(ExchangeFileTest, ExportWritesIntoAPrivateFolderRemovedAtTheEnd)
{
    const fs::path src = Dir("src");
    WriteBytes(src / "truck.qor", Root({"a.png"})->Store());
    WriteBytes(src / "garbage.qor", {1, 2, 3});
    WriteBytes(src / "combo.kmb", Root({})->Store());
    fs::path folder;
    {
        ExchangeFileWriter writer(Dir("pics"));
        EXPECT_EQ(writer.WriteExportTempFiles(
                      {src / "truck.qor", src / "missing.qor", src / "garbage.qor", src / "combo.kmb"}),
                  2);
        folder = writer.Folder();
        ASSERT_FALSE(folder.empty());
        EXPECT_NE(folder, fs::path(QDir::tempPath().toStdString()));
        EXPECT_EQ(QFileInfo(QString::fromStdString(folder.string())).permissions() &
                      (QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ReadGroup |
                       QFileDevice::WriteGroup),
                  0);
        const std::vector<fs::path> expected = {folder / "truck.qorei", {}, {}, folder / "combo.kmbei"};
        EXPECT_EQ(writer.ExchangePaths(), expected);
        EXPECT_TRUE(fs::exists(folder / "truck.qorei"));
    }
    EXPECT_FALSE(fs::exists(folder));
}

TEST_F(ExchangeFileTest, RoundTripWritesPicturesButNeverOverwritesADifferentOne)
{
    const fs::path pics = Dir("pics");
    WriteBytes(pics / "a.png", {1, 2, 3});
    WriteBytes(pics / "b.png", {4, 5});
    WriteBytes(pics / "c.png", {6});
    const auto root = Root({"a.png", "b.png", "c.png", "gone.png"});
    const fs::path src = Dir("src") / "truck.qor";
    WriteBytes(src, root->Store());
    const auto built = ExchangeFileWriter::Build(src, pics);
    ASSERT_TRUE(built);
    const fs::path file = Dir("in") / "truck.qorei";
    WriteBytes(file, *built);

    const fs::path target = Dir("target");
    WriteBytes(target / "b.png", {4, 5}); // the same picture
    WriteBytes(target / "c.png", {9, 9}); // a different one of the same name
    CImpExp read;
    std::vector<std::string> kept;
    std::string error;
    ASSERT_TRUE(ExchangeFileReader::Read(file, target, read, kept, error)) << error;
    EXPECT_EQ(read.Store(), root->Store());
    EXPECT_EQ(ReadBytes(target / "a.png"), (Bytes{1, 2, 3}));
    EXPECT_EQ(ReadBytes(target / "b.png"), (Bytes{4, 5}));
    EXPECT_EQ(ReadBytes(target / "c.png"), (Bytes{9, 9}));
    EXPECT_FALSE(fs::exists(target / "gone.png"));
    EXPECT_EQ(kept, std::vector<std::string>{"c.png"});
}

TEST_F(ExchangeFileTest, ReaderRefusesBadFilesAndWritesNothing)
{
    const Bytes rootBytes = Root({})->Store();
    auto file = [&](std::uint32_t format, const std::vector<std::pair<std::uint32_t, std::string>>& pics,
                    std::uint32_t count, std::size_t contentBytes, const Bytes& tail = {}) {
        Bytes b;
        Dword(b, format);
        b.insert(b.end(), rootBytes.begin(), rootBytes.end());
        Dword(b, count);
        for (const auto& [size, name] : pics) {
            Dword(b, size);
            Name(b, name);
            b.insert(b.end(), std::min<std::size_t>(size, contentBytes), 7);
        }
        b.insert(b.end(), tail.begin(), tail.end());
        return b;
    };
    const struct
    {
        const char* what;
        Bytes data;
    } cases[] = {
        {"too short", {1, 0}},
        {"format 2", file(2, {{1, "a.png"}}, 1, 1)},
        {"root cut off",
         [&] {
             Bytes b = file(1, {}, 0, 0);
             b.resize(10);
             return b;
         }()},
        {"count beyond the file", file(1, {{1, "a.png"}}, 1000, 1)},
        {"size beyond the file", file(1, {{1, "b.png"}, {50, "a.png"}}, 2, 3)},
        {"parent folder", file(1, {{1, "ok.png"}, {1, ".."}}, 2, 1)},
        {"path", file(1, {{1, "ok.png"}, {1, "sub/a.png"}}, 2, 1)},
        {"backslash path", file(1, {{1, "ok.png"}, {1, "C:\\x.png"}}, 2, 1)},
        {"empty name", file(1, {{1, "ok.png"}, {1, ""}}, 2, 1)},
        {"name twice", file(1, {{1, "ok.png"}, {1, "ok.png"}}, 2, 1)},
        {"trailing bytes", file(1, {{1, "ok.png"}}, 1, 1, {0})},
    };
    const fs::path target = Dir("target");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path path = Dir("in") / "bad.qorei";
        WriteBytes(path, c.data);
        CImpExp root;
        std::vector<std::string> kept;
        std::string error;
        EXPECT_FALSE(ExchangeFileReader::Read(path, target, root, kept, error));
        EXPECT_FALSE(error.empty());
        EXPECT_TRUE(fs::is_empty(target));
    }
    // Nothing but a regular file is read: a named pipe would block the reader for good.
    {
        const fs::path pipe = Dir("in") / "pipe.qorei";
        ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
        CImpExp root;
        std::vector<std::string> kept;
        std::string error;
        EXPECT_FALSE(ExchangeFileReader::Read(pipe, target, root, kept, error));
        EXPECT_FALSE(error.empty());
    }
    // The well-formed neighbour of those cases reads.
    const fs::path path = Dir("in") / "good.qorei";
    WriteBytes(path, file(1, {{1, "ok.png"}, {0, "empty.png"}}, 2, 1));
    CImpExp root;
    std::vector<std::string> kept;
    std::string error;
    EXPECT_TRUE(ExchangeFileReader::Read(path, target, root, kept, error)) << error;
    EXPECT_EQ(ReadBytes(target / "ok.png"), Bytes{7});
    EXPECT_FALSE(fs::exists(target / "empty.png"));
}
