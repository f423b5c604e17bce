// The document over real vehicle files: saving a new combination, reopening, and the close-time
// write-back of the entry last worked on, never into a file opened for reading only.
#include "FahrzeugTestSupport.h"

#include "model/base/LockedFile.h"
#include "model/document/CQOR1Doc.h"
#include "model/document/DocumentHost.h"
#include "model/document/LockedVehicleFileAccess.h"
#include "model/files/CImpExp.h"
#include "model/files/FahrzeugImpExp.h"
#include "model/files/VehicleFiles.h"
#include "model/vehicle/CFahrzeug.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>

namespace {

namespace fs = std::filesystem;

class SpeichernHost : public DocumentHost
{
public:
    int AskFileName(bool, const std::string&, const std::string&, std::string& folder,
                    std::string& name) override
    {
        folder = m_strOrdner;
        name = "Zug";
        return kButtonOk;
    }
    std::string m_strOrdner;
};

int RootWert(const fs::path& path)
{
    auto f = LockedFile::Open(path, LockedFile::Mode::Read);
    CImpExp root;
    ReadImpExpFile(*f, root);
    return root.m_nWert;
}

class LockedVehicleFileAccessTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // A folder of this test's own: ctest runs the tests of this file side by side.
        m_ordner =
            fs::temp_directory_path() /
            ("qor_docfile_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
             "_" + std::to_string(std::random_device{}()));
        fs::remove_all(m_ordner);
        fs::create_directories(m_ordner);
        m_host.m_strOrdner = m_ordner.string() + "/";
    }
    void TearDown() override { fs::remove_all(m_ordner); }

    fs::path m_ordner;
    SpeichernHost m_host;
    LockedVehicleFileAccess m_access;
};

TEST_F(LockedVehicleFileAccessTest, NewCombinationIsSavedReopenedAndRemembersItsLastEntry)
{
    const fs::path path = m_ordner / "Zug.kmb";
    {
        CQOR1Doc doc(&m_host, &m_access);
        auto z = fahrzeugtest::Erzeuge({0, {{1.2, 4, 8}, {3.6, 3, 9}}, 18.0, 7.2});
        auto t = fahrzeugtest::Erzeuge({1, {{1.5, 2, 8}, {4.0, 2, 8}}, 18.0, 6.0});
        z->m_strName = "Motorwagen";
        CFahrzeug::Koppeln(*z, *t);
        doc.SetFahrzeug(t.release());
        z.release();
        doc.GetFahrzeug()->m_bModified = 1;
        ASSERT_EQ(doc.SaveFahrzeugDateien(false, false, true), CQOR1Doc::kGespeichert);
        EXPECT_EQ(doc.GetPathName(), path.string());
        EXPECT_EQ(doc.GetVornIndex(), 0);
        EXPECT_EQ(doc.GetAnhaengerIndex(), 1);
        // While the document holds the file, another opener gets it for reading only.
        std::unique_ptr<LockedFile> zweite;
        int nWert = -1;
        std::string name;
        auto v = LoadFahrzeugFromFile(path, 1, &zweite, &nWert, true, &name);
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(v->m_strName, "Zug");
        EXPECT_EQ(v->GetArt(), 1);
        ASSERT_NE(zweite, nullptr);
        EXPECT_FALSE(zweite->IsWritable());
    }
    // Closed with the trailer's entry 1: bit 0 of the value stays, entry 1 above it.
    EXPECT_EQ(RootWert(path), (2 & 1) | (1 << 1));

    // Reopened as a single vehicle of entry 0, and closed again.
    {
        std::unique_ptr<LockedFile> datei;
        int nWert = 0;
        auto v = LoadFahrzeugFromFile(path, 0, &datei, &nWert, true, nullptr);
        ASSERT_NE(v, nullptr);
        ASSERT_TRUE(datei && datei->IsWritable());
        CQOR1Doc doc(&m_host, &m_access);
        doc.SetFahrzeug(v.release());
        doc.SetOpenFile(std::make_unique<LockedVehicleFile>(std::move(datei)), path.string(), 0, -1);
    }
    EXPECT_EQ(RootWert(path), 0);

    // A document that could only read the file leaves it alone.
    {
        auto halter = LockedFile::Open(path, LockedFile::Mode::ReadWrite);
        ASSERT_NE(halter, nullptr);
        std::unique_ptr<LockedFile> datei;
        int nWert = 0;
        auto v = LoadFahrzeugFromFile(path, 1, &datei, &nWert, true, nullptr);
        ASSERT_NE(v, nullptr);
        ASSERT_FALSE(datei->IsWritable());
        CQOR1Doc doc(&m_host, &m_access);
        doc.SetFahrzeug(v.release());
        doc.SetOpenFile(std::make_unique<LockedVehicleFile>(std::move(datei)), path.string(), 1, -1);
        doc.GetFahrzeug()->m_bModified = 1;
        EXPECT_EQ(doc.SaveFahrzeugDateien(false, false, true), CQOR1Doc::kFehler);
    }
    EXPECT_EQ(RootWert(path), 0);
}

// A combination saved with loads on both plans and opened again through the document shows the laden
// axle loads it had before: the plans' centres of gravity are brought up to date on opening.
TEST_F(LockedVehicleFileAccessTest, OpenedCombinationKeepsTheAxleLoadsOfItsLoads)
{
    struct Achslasten
    {
        double vorn[2], hinten[2], plan[2];
    };
    const auto messe = [](CQOR1Doc& doc) {
        Achslasten a{};
        const CFahrzeug* v[2] = {doc.GetZugfahrzeug(), doc.GetAnhaenger()};
        for (int i = 0; i < 2; ++i) {
            a.vorn[i] = v[i]->m_dAchslastVorn;
            a.hinten[i] = v[i]->m_dAchslastHinten;
            a.plan[i] = v[i]->GetQorMasse();
        }
        return a;
    };
    const fs::path path = m_ordner / "Zug.kmb";
    Achslasten vorher{};
    {
        CQOR1Doc doc(&m_host, &m_access);
        auto z = fahrzeugtest::Erzeuge({0, {{1.2, 4, 8}, {3.6, 3, 9}}, 18.0, 7.2});
        auto t = fahrzeugtest::Erzeuge({1, {{1.5, 2, 8}, {4.0, 2, 8}}, 18.0, 6.0});
        fahrzeugtest::GibLast(*z, 4.0, 5.5, 1.2);
        fahrzeugtest::GibLast(*t, 3.0, 1.0, 1.0);
        CFahrzeug::Koppeln(*z, *t);
        doc.SetFahrzeug(t.release());
        z.release();
        doc.OnFahrzeugChanged(false);
        vorher = messe(doc);
        ASSERT_NEAR(vorher.plan[0], 4.0, 1e-9);
        ASSERT_NEAR(vorher.plan[1], 3.0, 1e-9);
        doc.GetFahrzeug()->m_bModified = 1;
        ASSERT_EQ(doc.SaveFahrzeugDateien(false, false, true), CQOR1Doc::kGespeichert);
    }

    std::unique_ptr<LockedFile> datei;
    auto z = LoadFahrzeugFromFile(path, 0, nullptr, nullptr, false, nullptr);
    auto t = LoadFahrzeugFromFile(path, 1, &datei, nullptr, true, nullptr);
    ASSERT_TRUE(z && t && datei);
    ASSERT_EQ(z->GetQor()->GetLgInfos().size(), 1u) << "the load is in the file";
    CFahrzeug::Koppeln(*z, *t);
    CQOR1Doc doc(&m_host, &m_access);
    doc.SetFahrzeug(t.release());
    z.release();
    doc.SetOpenFile(std::make_unique<LockedVehicleFile>(std::move(datei)), path.string(), 0, 1);
    doc.OnDocumentOpened();
    const Achslasten nachher = messe(doc);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i == 0 ? "towing vehicle" : "trailer");
        EXPECT_NEAR(nachher.plan[i], vorher.plan[i], 1e-9);
        EXPECT_NEAR(nachher.vorn[i], vorher.vorn[i], 1e-9);
        EXPECT_NEAR(nachher.hinten[i], vorher.hinten[i], 1e-9);
    }
    EXPECT_FALSE(doc.IsModified());
}

} // namespace
