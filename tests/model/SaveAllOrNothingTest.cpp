// Saves of vehicle, combination, catalogue-item and app-state files are all-or-nothing: a write that
// fails or dies at any byte leaves the old file (or none) or the new one, the write lock moves with the
// new file, and the file keeps its permissions.
#include "ByteHelpers.h"
#include "FahrzeugTestSupport.h"

#include "model/base/LockedFile.h"
#include "model/files/AppStateFile.h"
#include "model/files/CImpExp.h"
#include "model/files/FahrzeugImpExp.h"
#include "model/files/VehicleFiles.h"
#include "model/files/tagItemData.h"
#include "model/vehicle/CFahrzeug.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sys/stat.h>
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

std::unique_ptr<CFahrzeug> Lkw(const std::string& name)
{
    auto f = Erzeuge({0, {{1.2, 4.0, 7.5}, {4.6, 3.0, 11.5}}, 24.0, 7.2});
    f->m_strName = name;
    return f;
}

// Clears a planted fault however the test ends.
struct FaultGuard
{
    ~FaultGuard() { LockedFile::SetWriteFault(std::nullopt); }
};

class SaveAllOrNothingTest : public testing::Test
{
protected:
    void SetUp() override
    {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        m_dir = fs::temp_directory_path() /
                ("qor_save_" + std::string(info->name()) + "_" + std::to_string(::getpid()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    // The names in the folder, hidden ones included.
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(m_dir))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path m_dir;
};

// One writer of a file kind: `prepare` puts the old state in place (old bytes, or no file), `write`
// writes the new content and answers whether it succeeded.
struct Writer
{
    const char* name;
    fs::path path;
    std::function<void()> prepare;
    std::function<bool()> write;
    std::optional<Bytes> old; // none: the file does not exist before
};

TEST_F(SaveAllOrNothingTest, AWriteStoppedAtAnyByteLeavesTheOldFileOrTheNewOne)
{
    FaultGuard guard;
    const fs::path vehicle = m_dir / "lkw.qor";
    const fs::path combination = m_dir / "zug.kmb";
    const fs::path item = m_dir / "kiste.lgs";
    const fs::path state = m_dir / "AppParams.ser";

    // The old files: a vehicle file, a combination of two entries, a catalogue item, an app-state file.
    auto lkw = Lkw("alt");
    std::unique_ptr<LockedFile> offen;
    int index = -1;
    ASSERT_TRUE(WriteFahrzeugToFile(lkw.get(), m_dir, &index, "lkw.qor", &offen, 0, "alt"));
    offen.reset();
    const Bytes altesFahrzeug = ReadBytes(vehicle);
    index = -1;
    ASSERT_TRUE(WriteFahrzeugToFile(lkw.get(), m_dir, &index, "zug.kmb", &offen, 0, "Zug"));
    auto anh = Erzeuge({1, {{1.5, 2, 8}, {4.0, 2, 8}}, 18.0, 6.0});
    index = -1;
    ASSERT_TRUE(WriteFahrzeugToFile(anh.get(), m_dir, &index, "", &offen, 2, "Anhänger"));
    offen.reset();
    const Bytes alteKombination = ReadBytes(combination);
    tagItemData kiste;
    kiste.m_nArt = 3;
    kiste.m_dLaenge = 1.2;
    kiste.m_strName = "kiste";
    ASSERT_TRUE(SaveItemDataFile(item, kiste));
    const Bytes alteKiste = ReadBytes(item);
    AppStateMap zustaende;
    LoadAppStateParams(state, zustaende);
    ASSERT_TRUE(SaveAppStateParams(state, zustaende));
    const Bytes alterZustand = ReadBytes(state);

    // What each writer writes over them: a longer vehicle, a changed trailer entry, a renamed item, one
    // more app state, and a new vehicle file where none was.
    auto neu = Lkw("ein neuer, längerer Name");
    fahrzeugtest::GibLast(*neu, 2.0, 3.0, 1.2);
    auto anhNeu = Erzeuge({1, {{1.5, 2, 8}, {4.5, 2, 8}}, 18.0, 6.5});
    tagItemData kisteNeu = kiste;
    kisteNeu.m_strName = "Kiste mit neuem Namen";
    kisteNeu.m_dMasse = 0.4;
    AppStateMap zustaendeNeu;
    LoadAppStateParams(state, zustaendeNeu);
    zustaendeNeu["zweiter"] = std::make_unique<CAppStateParams>();
    const auto zuruecksetzen = [&](const fs::path& p, const Bytes& b) {
        offen.reset();
        fs::remove(p);
        WriteBytes(p, b);
    };
    const Writer writers[] = {
        {"vehicle file through its open file", vehicle,
         [&] {
             zuruecksetzen(vehicle, altesFahrzeug);
             offen = LockedFile::Open(vehicle, LockedFile::Mode::ReadWrite);
         },
         [&] {
             int i = 0;
             return WriteFahrzeugToFile(neu.get(), fs::path(), &i, "", &offen, 0, "neu");
         },
         altesFahrzeug},
        {"second entry of a combination", combination,
         [&] {
             zuruecksetzen(combination, alteKombination);
             offen = LockedFile::Open(combination, LockedFile::Mode::ReadWrite);
         },
         [&] {
             int i = 1;
             return WriteFahrzeugToFile(anhNeu.get(), fs::path(), &i, "", &offen, 2, "");
         },
         alteKombination},
        {"vehicle file by path", vehicle, [&] { zuruecksetzen(vehicle, altesFahrzeug); },
         [&] {
             CImpExp root;
             auto f = LockedFile::Open(vehicle, LockedFile::Mode::Read);
             if (!f || !ReadRoot(*f, root))
                 return false;
             root.m_nWert = 17;
             return SaveImpExpFile(vehicle, root);
         },
         altesFahrzeug},
        {"catalogue item", item, [&] { zuruecksetzen(item, alteKiste); },
         [&] { return SaveItemDataFile(item, kisteNeu); }, alteKiste},
        {"app-state file", state, [&] { zuruecksetzen(state, alterZustand); },
         [&] { return SaveAppStateParams(state, zustaendeNeu); }, alterZustand},
        {"new vehicle file", m_dir / "neu.qor",
         [&] {
             offen.reset();
             fs::remove(m_dir / "neu.qor");
         },
         [&] {
             int i = -1;
             return WriteFahrzeugToFile(neu.get(), m_dir, &i, "neu.qor", &offen, 0, "neu");
         },
         std::nullopt},
        {"new catalogue item", m_dir / "neu.lgs", [&] { fs::remove(m_dir / "neu.lgs"); },
         [&] { return SaveItemDataFile(m_dir / "neu.lgs", kisteNeu); }, std::nullopt},
    };
    for (const Writer& w : writers) {
        SCOPED_TRACE(w.name);
        const fs::path& p = w.path;
        w.prepare();
        ASSERT_TRUE(w.write());
        const Bytes neuInhalt = ReadBytes(p);
        ASSERT_NE(std::optional<Bytes>(neuInhalt), w.old);
        // The other names in the folder.
        const auto andere = [&] {
            auto namen = Names();
            std::erase(namen, p.filename().string());
            return namen;
        };

        // Every byte count of the first stretch, then steps over the rest, the end, and past the end (after
        // the new file took the name).
        std::vector<std::size_t> punkte;
        const std::size_t n = neuInhalt.size();
        for (std::size_t i = 0; i <= n + 1; i += i < 16 ? 1 : std::max<std::size_t>(1, n / 40))
            punkte.push_back(i);
        for (std::size_t i : {n - 1, n, n + 1})
            punkte.push_back(i);
        for (const auto action :
             {LockedFile::WriteFault::Action::Fail, LockedFile::WriteFault::Action::Stop}) {
            for (std::size_t nach : punkte) {
                const bool stop = action == LockedFile::WriteFault::Action::Stop;
                SCOPED_TRACE(testing::Message() << (stop ? "stopped" : "failed") << " after " << nach
                                                << " of " << n << " bytes");
                w.prepare();
                const auto vorher = andere();
                LockedFile::SetWriteFault(LockedFile::WriteFault{nach, action, {}});
                const bool ok = w.write();
                LockedFile::SetWriteFault(std::nullopt);
                EXPECT_FALSE(ok) << "a write that did not complete is reported as failed";
                if (nach <= n && w.old) {
                    EXPECT_EQ(ReadBytes(p), *w.old);
                } else if (nach <= n) {
                    EXPECT_FALSE(fs::exists(p));
                } else {
                    EXPECT_EQ(ReadBytes(p), neuInhalt);
                }
                if (!stop) {
                    EXPECT_EQ(andere(), vorher) << "a failed write leaves no file behind";
                }
                offen.reset();
                // A stopped write leaves its unfinished file, as a killed program would; it never takes a
                // name the program reads.
                for (const auto& e : fs::directory_iterator(m_dir))
                    if (e.path().filename().string().front() == '.')
                        fs::remove(e.path());
            }
        }
    }
}

TEST_F(SaveAllOrNothingTest, TheLockAndThePermissionsMoveWithTheNewContent)
{
    const fs::path p = m_dir / "lkw.qor";
    WriteBytes(p, Ascii("old content"));
    ASSERT_EQ(::chmod(p.c_str(), 0640), 0);
    auto leser = LockedFile::Open(p, LockedFile::Mode::Read);
    auto schreiber = LockedFile::Open(p, LockedFile::Mode::ReadWrite);
    ASSERT_TRUE(leser && schreiber);
    ASSERT_TRUE(schreiber->WriteAll(Ascii("the new content")));

    EXPECT_FALSE(LockedFile::Open(p, LockedFile::Mode::ReadWrite)) << "a second writer is still kept out";
    EXPECT_FALSE(LockedFile::WriteFile(p, Ascii("third")));
    Bytes gelesen;
    ASSERT_TRUE(schreiber->ReadAll(gelesen));
    EXPECT_EQ(gelesen, Ascii("the new content"));
    ASSERT_TRUE(leser->ReadAll(gelesen));
    EXPECT_EQ(gelesen, Ascii("old content")) << "a copy opened for reading is never written";
    struct stat st
    {
    };
    ASSERT_EQ(::stat(p.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    ASSERT_TRUE(schreiber->WriteAll(Ascii("again")));
    EXPECT_EQ(ReadBytes(p), Ascii("again"));
    schreiber.reset();
    EXPECT_TRUE(LockedFile::Open(p, LockedFile::Mode::ReadWrite));

    // Through a link, the file it points to is replaced and the link stays.
    const fs::path link = m_dir / "link.qor";
    fs::create_symlink(p, link);
    auto ueberLink = LockedFile::Open(link, LockedFile::Mode::ReadWrite);
    ASSERT_TRUE(ueberLink);
    ASSERT_TRUE(ueberLink->WriteAll(Ascii("via the link")));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadBytes(p), Ascii("via the link"));
    EXPECT_FALSE(LockedFile::Open(p, LockedFile::Mode::ReadWrite));
    ueberLink.reset();

    // A new file is never made over an existing one.
    EXPECT_FALSE(LockedFile::Create(p, Ascii("x")));
    EXPECT_EQ(ReadBytes(p), Ascii("via the link"));
    std::vector<std::string> erwartet = {"link.qor", "lkw.qor"};
    EXPECT_EQ(Names(), erwartet);
}

TEST_F(SaveAllOrNothingTest, ASaveKilledInAnotherProcessLeavesTheOldFile)
{
    // A combination of many entries, a few megabytes, replaced in a child process that is killed while
    // it writes.
    const fs::path p = m_dir / "gross.kmb";
    auto lkw = Lkw("alt");
    fahrzeugtest::GibLast(*lkw, 2.0, 3.0, 1.2);
    std::unique_ptr<LockedFile> offen;
    int index = -1;
    ASSERT_TRUE(WriteFahrzeugToFile(lkw.get(), m_dir, &index, "gross.kmb", &offen, 0, "0"));
    for (int i = 1; i < 40; ++i) {
        index = -1;
        ASSERT_TRUE(
            WriteFahrzeugToFile(lkw.get(), fs::path(), &index, "", &offen, 0, std::string(40000, 'x')));
    }
    offen.reset();
    const Bytes alt = ReadBytes(p);
    ASSERT_GT(alt.size(), 1500000u);

    int rohr[2];
    ASSERT_EQ(::pipe(rohr), 0);
    const pid_t kind = ::fork();
    ASSERT_GE(kind, 0);
    if (kind == 0) {
        ::close(rohr[0]);
        const int schreibEnde = rohr[1];
        LockedFile::SetWriteFault(
            LockedFile::WriteFault{alt.size() / 2, LockedFile::WriteFault::Action::Call, [=] {
                                       const char c = 'x';
                                       if (::write(schreibEnde, &c, 1) != 1)
                                           ::_exit(3);
                                       for (;;)
                                           ::pause();
                                   }});
        std::unique_ptr<LockedFile> datei;
        auto f = LoadFahrzeugFromFile(p, 0, &datei, nullptr, true, nullptr);
        if (!f || !datei || !datei->IsWritable())
            ::_exit(2);
        f->m_strName = "neu";
        int i = 0;
        WriteFahrzeugToFile(f.get(), fs::path(), &i, "", &datei, 1, "");
        ::_exit(1);
    }
    ::close(rohr[1]);
    char c = 0;
    const bool mitten = ::read(rohr[0], &c, 1) == 1;
    ::close(rohr[0]);
    if (mitten) {
        EXPECT_FALSE(LockedFile::Open(p, LockedFile::Mode::ReadWrite)) << "the child holds the write lock";
    }
    ::kill(kind, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(kind, &status, 0), kind);
    ASSERT_TRUE(mitten) << "the child ended before it wrote, status " << status;
    EXPECT_TRUE(WIFSIGNALED(status));

    EXPECT_EQ(ReadBytes(p), alt);
    std::unique_ptr<LockedFile> datei;
    auto f = LoadFahrzeugFromFile(p, 39, &datei, nullptr, true, nullptr);
    ASSERT_TRUE(f);
    ASSERT_TRUE(datei && datei->IsWritable()) << "the lock died with the child";
}

} // namespace
