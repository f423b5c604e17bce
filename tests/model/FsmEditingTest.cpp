// The FSM item editor without a window: which names are looked up, and saving an entry to its file.
#include "model/files/FsmEditing.h"
#include "model/files/VehicleFiles.h"
#include "model/text/TextProvider.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace {

TEST(FsmEditing, NamesLookedUpByModeAndChange)
{
    struct Case
    {
        int modus;
        bool platziert;
        const char* name;
        bool pruefen;
    };
    const Case cases[] = {
        {0, false, "Keil", false}, // an edited entry that keeps its name
        {0, false, "Kiel", true},  {1, false, "Keil", true},
        {2, false, "Keil", true},  {0, true, "Kiel", false}, // placed mode never renames a file
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FsmEditorWerte werte;
        werte.nModus = c.modus;
        werte.bPlatziert = c.platziert;
        werte.strStartName = "Keil";
        werte.strName = c.name;
        EXPECT_EQ(FsmNameZuPruefen(werte), c.pruefen);
    }
}

TEST(FsmEditing, RenamedEntryIsWrittenWhereThePathSaysAndTheOldFileGoes)
{
    CTableTextProvider texts({{518, "own"}});
    ScopedTextProvider scope(&texts);
    std::random_device rd;
    const fs::path root = fs::temp_directory_path() / ("qor_fsm_" + std::to_string(rd()));
    const fs::path fsm = root / "fsm";
    EXPECT_EQ(FsmItemPath(fsm, "Keil"), fsm / "own" / "Keil.fsm");

    tagItemData item;
    item.m_nArt = 6;
    item.m_strName = "Keil";
    item.m_dLaenge = 0.2;
    const PictureWriter writer = [](const ItemPicture&, const fs::path& path) {
        std::ofstream(path) << "png";
        return true;
    };
    ASSERT_TRUE(SaveFsmItem(item, {}, FsmItemPath(fsm, "Keil"), false, root / "pic", writer));
    ASSERT_TRUE(fs::exists(fsm / "own" / "Keil.fsm"));

    // Edited in place: the same file. Renamed: the new one is written, then the old one removed.
    item.m_dHoehe = 0.5;
    ASSERT_TRUE(SaveFsmItem(item, fsm / "own" / "Keil.fsm", {}, false, root / "pic", writer));
    item.m_strName = "Kiel";
    ASSERT_TRUE(
        SaveFsmItem(item, fsm / "own" / "Keil.fsm", FsmItemPath(fsm, "Kiel"), false, root / "pic", writer));
    EXPECT_FALSE(fs::exists(fsm / "own" / "Keil.fsm"));
    tagItemData read;
    ASSERT_TRUE(LoadItemDataFile(fsm / "own" / "Kiel.fsm", read));
    EXPECT_EQ(read.m_nArt, 6);
    EXPECT_DOUBLE_EQ(read.m_dHoehe, 0.5);

    // Nowhere to write: refused, nothing touched.
    EXPECT_FALSE(SaveFsmItem(item, {}, {}, false, root / "pic", writer));
    fs::remove_all(root);
}

} // namespace
