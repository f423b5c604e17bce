// A combination's save is one write: a save killed at any point leaves the old combination or the new
// one, never the new towing vehicle beside the old trailer; and the unfinished files that killed saves
// leave, and the write probes of saves killed during the folder check, are cleared away by the next
// write in their folder.
#include "ByteHelpers.h"
#include "FahrzeugTestSupport.h"

#include "model/base/LockedFile.h"
#include "model/document/CQOR1Doc.h"
#include "model/document/DocumentHost.h"
#include "model/document/LockedVehicleFileAccess.h"
#include "model/files/VehicleFiles.h"
#include "model/vehicle/CFahrzeug.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using fahrzeugtest::Erzeuge;

namespace {

Bytes ReadBytes(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const fs::path& p, const Bytes& b)
{
    std::ofstream(p, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

// The towing vehicle and trailer of the combination, in their old or their new state.
std::unique_ptr<CFahrzeug> Zug(bool bNeu)
{
    auto f = Erzeuge({0, {{1.2, 4.0, 7.5}, {4.6, 3.0, bNeu ? 11.0 : 11.5}}, 24.0, 7.2});
    f->m_strName = bNeu ? "Zug neu" : "Zug alt";
    return f;
}

std::unique_ptr<CFahrzeug> Anhaenger(bool bNeu)
{
    auto a = Erzeuge({1, {{1.5, 2, 8}, {4.0, 2, bNeu ? 9.0 : 8.0}}, 18.0, bNeu ? 6.5 : 6.0});
    a->m_strName = bNeu ? "Anhänger neu" : "Anhänger alt";
    return a;
}

class KombinationKillTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("qor_kombi_kill_" + std::to_string(::getpid()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        m_path = m_dir / "zug.kmb";
    }
    void TearDown() override
    {
        LockedFile::SetWriteFault(std::nullopt);
        fs::remove_all(m_dir);
    }

    std::vector<std::string> HiddenNames() const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(m_dir)) {
            const std::string name = e.path().filename().string();
            if (name.front() == '.')
                names.push_back(name);
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    // Opens the combination file in a document, as the program does, changes both vehicles and saves.
    bool SaveNewCombination()
    {
        auto zug = Zug(true);
        auto anh = Anhaenger(true);
        fahrzeugtest::Kopple(*zug, *anh);
        DocumentHost host;
        LockedVehicleFileAccess access;
        CQOR1Doc doc(&host, &access);
        doc.SetFahrzeug(anh.release()); // the document's vehicle is the trailer; it owns its partner
        zug.release();
        auto file = LockedFile::Open(m_path, LockedFile::Mode::ReadWrite);
        if (!file)
            return false;
        doc.SetOpenFile(std::make_unique<LockedVehicleFile>(std::move(file)), m_path.string(), 0, 1);
        doc.GetFirstFahrzeug()->m_bModified = 1;
        doc.GetAnhaenger()->m_bModified = 1;
        const bool ok = doc.SaveFahrzeugDateien(false, false, false) == CQOR1Doc::kGespeichert;
        doc.SetFileAccess(nullptr); // no write-back of the last entry when the document closes
        return ok;
    }

    fs::path m_dir;
    fs::path m_path;
};

TEST_F(KombinationKillTest, ASaveKilledAtAnyPointLeavesTheOldOrTheNewCombination)
{
    {
        auto zug = Zug(false);
        auto anh = Anhaenger(false);
        int nZug = -1, nAnh = -1;
        const FahrzeugEintrag eintraege[] = {{zug.get(), &nZug, m_path.string()},
                                             {anh.get(), &nAnh, "Anhänger"}};
        std::unique_ptr<LockedFile> offen;
        ASSERT_TRUE(WriteFahrzeugeToFile(eintraege, m_dir, "zug.kmb", &offen, 2));
        ASSERT_EQ(nZug, 0);
        ASSERT_EQ(nAnh, 1);
    }
    const Bytes alt = ReadBytes(m_path);
    ASSERT_TRUE(SaveNewCombination());
    const Bytes neu = ReadBytes(m_path);
    ASSERT_NE(neu, alt);

    // The child saves with a fault planted after `nach` bytes of the new content (past the end: right
    // after the new file took the name); there it tells the parent and waits to be killed.
    const std::size_t n = neu.size();
    int nAlt = 0, nNeu = 0;
    pid_t letzterTot = 0;
    constexpr int kPunkte = 200;
    for (int i = 0; i < kPunkte; ++i) {
        const std::size_t nach = static_cast<std::size_t>(i) * (n + 1) / (kPunkte - 1);
        SCOPED_TRACE(testing::Message() << "killed after " << nach << " of " << n << " bytes");
        fs::remove(m_path);
        WriteBytes(m_path, alt);
        int rohr[2];
        ASSERT_EQ(::pipe(rohr), 0);
        const pid_t kind = ::fork();
        ASSERT_GE(kind, 0);
        if (kind == 0) {
            ::close(rohr[0]);
            const int schreibEnde = rohr[1];
            LockedFile::SetWriteFault(LockedFile::WriteFault{nach, LockedFile::WriteFault::Action::Call, [=] {
                                                                 const char c = 'x';
                                                                 if (::write(schreibEnde, &c, 1) != 1)
                                                                     ::_exit(3);
                                                                 for (;;)
                                                                     ::pause();
                                                             }});
            ::_exit(SaveNewCombination() ? 0 : 1);
        }
        ::close(rohr[1]);
        char c = 0;
        const bool getroffen = ::read(rohr[0], &c, 1) == 1;
        ::close(rohr[0]);
        ::kill(kind, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(kind, &status, 0), kind);
        ASSERT_TRUE(getroffen) << "the child ended before the fault, status " << status;
        letzterTot = kind;

        const Bytes jetzt = ReadBytes(m_path);
        if (jetzt == alt) {
            ++nAlt;
            // Killed before its new file took the name, the child left it (the next save removes it).
            EXPECT_EQ(HiddenNames().size(), 1u);
        } else if (jetzt == neu) {
            ++nNeu;
        } else {
            ADD_FAILURE() << "the file holds neither the old nor the new combination";
        }
    }
    // The points reach both sides of the moment the new file takes the name.
    EXPECT_GT(nAlt, 0);
    EXPECT_GT(nNeu, 0);

    // What a killed save leaves is removed by the next write in the folder, but never a file of a running
    // process or a name of another kind.
    WriteBytes(m_dir / (".zug.kmb.new-" + std::to_string(letzterTot) + "-3"), Ascii("unfinished"));
    WriteBytes(m_dir / (".anderer.qor.new-" + std::to_string(letzterTot) + "-4"), Ascii("unfinished"));
    // The empty probe of the folder's writability that a save killed during the check leaves.
    WriteBytes(m_dir / ".qor-write-probe-00c0ffee12345678.tmp", {});
    const std::vector<std::string> fremde = {
        ".zug.kmb.new-" + std::to_string(::getppid()) + "-7", // a write of a running process
        ".notizen.new-abc",                                   // not a name the program makes
        ".zug.kmb.new-12-x",
        ".qor-write-probe-00c0ffee12345678.tmp.bak", // not a probe's name
        ".qor-write-probe-0123456789abcdef.tmp",     // a probe's name, but content: not a probe
    };
    for (const auto& name : fremde)
        WriteBytes(m_dir / name, Ascii("x"));
    WriteBytes(m_dir / "zug.kmb.new-1-1", Ascii("not hidden"));
    fs::remove(m_path);
    WriteBytes(m_path, alt);
    ASSERT_TRUE(SaveNewCombination());
    EXPECT_EQ(ReadBytes(m_path), neu);
    std::vector<std::string> bleiben = fremde;
    std::sort(bleiben.begin(), bleiben.end());
    EXPECT_EQ(HiddenNames(), bleiben);
    EXPECT_TRUE(fs::exists(m_dir / "zug.kmb.new-1-1"));
}

} // namespace
