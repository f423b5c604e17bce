// The catalogue adapter on a strip: filling, pictures, selection, deleting and adapters kept in step.
#include "StripTestSupport.h"

#include "catalogue/CHlbAdapter.h"
#include "catalogue/IHlbAdapterOwner.h"
#include "catalogue/QImageItemPicture.h"
#include "model/files/LadungEditing.h"
#include "model/files/VehicleFiles.h"
#include "model/text/TextProvider.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <thread>

namespace fs = std::filesystem;

namespace {

class NoteOwner : public IHlbAdapterOwner
{
public:
    void TypedSearchResult(const QString& text, bool found) override { searches.emplace_back(text, found); }
    void ViewModeChanged(int mode) override { modes.push_back(mode); }
    void SelectionChanged(const sHLBItemData* entry) override { selected = entry; }
    std::vector<std::pair<QString, bool>> searches;
    std::vector<int> modes;
    const sHLBItemData* selected = nullptr;
};

class HlbAdapterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::random_device rd;
        root = fs::temp_directory_path() / ("qor_adapter_" + std::to_string(rd()));
        folders = {root / "lu", root / "fsm", root / "pic", root / "samples"};
        for (const fs::path& p : {folders.loadUnits, folders.fsmItems, folders.pictures, folders.samples})
            fs::create_directories(p);
        catalogue = std::make_shared<CHlbCatalogue>(folders);
    }
    void TearDown() override { fs::remove_all(root); }

    static QImage Filled(QColor colour)
    {
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(colour);
        return image;
    }

    void Write(const fs::path& path, int type, const std::string& picture = {}, double mass = 0.5)
    {
        tagItemData item;
        item.m_nArt = type;
        item.m_dLaenge = 1.2;
        item.m_dBreite = 0.8;
        item.m_dHoehe = 1.0;
        item.m_dMasse = mass;
        item.m_strBildDatei = picture;
        ASSERT_TRUE(SaveItemDataFile(path, item)) << path;
    }

    const sHLBItemData* Find(const std::string& name) const
    {
        for (const auto& e : catalogue->Entries())
            if (e->item.m_strName == name)
                return e.get();
        return nullptr;
    }

    CTableTextProvider texts{{{286, "load unit"},
                              {425, "Please confirm"},
                              {447, "Filler item"},
                              {477, "Do you really want to delete \"%s\" (%s)?"},
                              {661, "Filler: euro pallet on edge, variant 1"},
                              {673, "Dunnage air bag"}}};
    ScopedTextProvider scopedTexts{&texts};
    fs::path root;
    CatalogueFolders folders;
    std::shared_ptr<CHlbCatalogue> catalogue;
};

TEST_F(HlbAdapterTest, FillsByCategoryAndLoadsPicturesOnlyFromThePictureFolder)
{
    ASSERT_TRUE(Filled(Qt::red).save(QString::fromStdString((folders.pictures / "red.dat").string()), "PNG"));
    // A picture outside the picture folder that a crafted name points at.
    ASSERT_TRUE(Filled(Qt::blue).save(QString::fromStdString((root / "x").string()), "PNG"));
    Write(folders.loadUnits / "Kiste.lgs", 3, "C:\\old\\place\\red.dat");
    Write(folders.loadUnits / "Anker.lgs", 4, "../x");
    Write(folders.loadUnits / "Boden.lgs", 3, "missing.dat");
    Write(folders.fsmItems / "Keil.fsm", 6);

    StripWindow strip(kHlbOwnerDrawn);
    NoteOwner owner;
    CHlbAdapter adapter(catalogue);
    adapter.Attach(strip.list, &owner);
    EXPECT_EQ(strip.list->GetItemCount(), 3);
    EXPECT_EQ(strip.list->GetCurSel(), 0);
    EXPECT_EQ(adapter.SelectedEntry(), Find("Anker"));
    EXPECT_EQ(strip.list->GetItemRect(0).width(), 110);

    strip.window->show();
    strip.list->Layout();
    DrainLoaders();
    ASSERT_TRUE(QTest::qWaitFor([&] {
        for (int i = 0; i < strip.list->GetItemCount(); ++i)
            if (strip.list->GetItem(i)->state != kTileLoaded)
                return false;
        return true;
    }));
    const QImage kiste = QImageItemPicture::Of(Find("Kiste")->item.m_pBild.get());
    ASSERT_FALSE(kiste.isNull());
    EXPECT_EQ(kiste.pixelColor(5, 5), QColor(Qt::red));
    EXPECT_EQ(Find("Anker")->item.m_pBild, nullptr) << "read a picture outside the picture folder";
    EXPECT_EQ(Find("Boden")->item.m_pBild, nullptr);
    EXPECT_EQ(CHlbAdapter::PicturePath(folders, "../x"),
              QString::fromStdString((folders.pictures / "x").string()));
    EXPECT_TRUE(CHlbAdapter::PicturePath(folders, "a/..").isEmpty());

    adapter.SetFilter(1, QString(), true);
    EXPECT_EQ(strip.list->GetItemCount(), 7); // Keil and the six built-in entries
    adapter.SetFilter(1, QStringLiteral("kei"), true);
    EXPECT_EQ(strip.list->GetItemCount(), 1);
    EXPECT_EQ(adapter.SelectedEntry(), Find("Keil"));
    EXPECT_TRUE(adapter.CanCopySelectedItem());
    EXPECT_TRUE(adapter.CanDeleteSelectedItem());
}

TEST_F(HlbAdapterTest, TwoAdaptersOnOneCatalogueStayInStep)
{
    Write(folders.loadUnits / "Anker.lgs", 3);
    Write(folders.loadUnits / "Kiste.lgs", 3);
    Write(folders.samples / "Euro.lgs", 0);

    StripWindow first(kHlbOwnerDrawn);
    StripWindow second(kHlbOwnerDrawn);
    NoteOwner owner1, owner2;
    auto one = std::make_unique<CHlbAdapter>(catalogue);
    one->Attach(first.list, &owner1);
    Write(folders.loadUnits / "Neu.lgs", 3); // not read again by the second adapter
    auto two = std::make_unique<CHlbAdapter>(catalogue);
    two->Attach(second.list, &owner2);
    EXPECT_EQ(first.list->GetItemCount(), 3);
    EXPECT_EQ(second.list->GetItemCount(), 3);

    one->SetViewMode(1);
    EXPECT_EQ(two->ViewMode(), 1);
    EXPECT_EQ(owner2.modes, std::vector<int>{1});

    // The standard sample cannot be deleted; No keeps everything.
    one->SelectItem(2);
    EXPECT_TRUE(one->IsSelectedItemStandard());
    EXPECT_FALSE(one->DeleteSelectedItem());
    int asked = 0;
    bool answer = false;
    one->SetConfirmDelete([&](const QString&, const QString& text) {
        ++asked;
        EXPECT_EQ(text, QStringLiteral("Do you really want to delete \"Kiste\" (load unit)?"));
        return answer;
    });
    one->SelectItem(1);
    EXPECT_FALSE(one->DeleteSelectedItem());
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(fs::exists(folders.loadUnits / "Kiste.lgs"));

    // A file that cannot be removed keeps its entry in both strips.
    answer = true;
    auto kiste = catalogue->Entries()[static_cast<std::size_t>(catalogue->IndexOf(Find("Kiste")))];
    const std::string realPath = kiste->path;
    kiste->path = (folders.loadUnits / std::string(300, 'k')).string() + ".lgs";
    QString error;
    EXPECT_FALSE(one->DeleteSelectedItem(&error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(second.list->GetItemCount(), 3);
    EXPECT_NE(Find("Kiste"), nullptr);

    // A delete removes the file and the tile in both strips; the other's selection stays valid.
    kiste->path = realPath;
    kiste.reset();
    two->SelectItem(1);
    EXPECT_TRUE(one->DeleteSelectedItem(&error));
    EXPECT_FALSE(fs::exists(folders.loadUnits / "Kiste.lgs"));
    EXPECT_EQ(Find("Kiste"), nullptr);
    EXPECT_EQ(first.list->GetItemCount(), 2);
    EXPECT_EQ(second.list->GetItemCount(), 2);
    EXPECT_GE(second.list->GetCurSel(), 0);
    EXPECT_NE(two->SelectedEntry(), nullptr);

    // A filter change through one refills the other.
    one->SetFilter(1, QString(), true);
    EXPECT_EQ(second.list->GetItemCount(), 6);

    // The catalogue is freed with the last adapter only.
    one.reset();
    EXPECT_FALSE(catalogue->Entries().empty());
    two.reset();
    EXPECT_TRUE(catalogue->Entries().empty());
}

TEST_F(HlbAdapterTest, AnEntryDeletedThroughOneStripWhileTheOtherLoadsItsPicture)
{
    ASSERT_TRUE(Filled(Qt::red).save(QString::fromStdString((folders.pictures / "red.dat").string()), "PNG"));
    Write(folders.loadUnits / "Alpha.lgs", 3, "red.dat");
    Write(folders.loadUnits / "Beta.lgs", 3);
    StripWindow loading(kHlbOwnerDrawn), deleting(kHlbOwnerDrawn);
    CHlbAdapter a(catalogue), b(catalogue);
    b.Attach(deleting.list);
    a.Attach(loading.list);
    b.SetConfirmDelete([](const QString&, const QString&) { return true; });
    // The loaders of the first strip wait at the gate; its tiles are made anew so that they load
    // through it (nothing loaded so far has been delivered).
    Gate gate;
    loading.list->SetItemLoader([&gate](const HListboxLoadRequest& request, QVariant* output) {
        gate.Wait();
        return CHlbAdapter::LoadItemPicture(request, output);
    });
    a.FillList();
    loading.window->show();
    loading.list->Layout();
    gate.AwaitWaiting(1);
    ASSERT_EQ(b.SelectedEntry(), Find("Alpha"));
    // The refill of the first strip waits for its loaders; the gate opens while it does.
    std::thread opener([&gate] {
        while (!CHListbox::IsWaitingForLoaders())
            std::this_thread::yield();
        gate.Open();
    });
    EXPECT_TRUE(b.DeleteSelectedItem());
    opener.join();
    DrainLoaders();
    EXPECT_EQ(Find("Alpha"), nullptr);
    ASSERT_EQ(loading.list->GetItemCount(), 1);
    const sHLBItemData* beta = Find("Beta");
    ASSERT_NE(beta, nullptr);
    EXPECT_EQ(loading.list->GetItem(0)->ownerData, beta);
    // The picture loaded for the deleted entry reached no other one.
    EXPECT_EQ(beta->item.m_pBild, nullptr);
    loading.list->Layout();
    DrainLoaders();
    EXPECT_EQ(beta->item.m_pBild, nullptr);
}

TEST_F(HlbAdapterTest, AnFsmItemMadeFromALoadUnitTakesItsSizesMassAndPicture)
{
    StripWindow strip(kHlbOwnerDrawn);
    CHlbAdapter adapter(catalogue);
    adapter.Attach(strip.list);
    tagItemData kiste;
    kiste.m_nArt = 3;
    kiste.m_strName = "Kiste";
    kiste.m_strText = "with lid";
    kiste.m_dLaenge = 1.2;
    kiste.m_dBreite = 0.8;
    kiste.m_dHoehe = 1.0;
    kiste.m_dSPLaenge = 0.2;
    kiste.m_dMasse = 0.5;
    kiste.m_strBildDatei = "old.dat";
    kiste.m_pBild = std::make_unique<QImageItemPicture>(Filled(Qt::red));
    EXPECT_EQ(adapter.AddItemFromLoadUnit(kiste, nullptr), -1) << "no FSM item editor installed";

    struct Fall
    {
        const char* name;
        bool bSpeichern;
    };
    for (const Fall& f : {Fall{"cancelled", false}, Fall{"saved", true}}) {
        SCOPED_TRACE(f.name);
        std::optional<tagItemData> gesehen;
        int nModus = -1;
        CHlbAdapter::SetFsmItemEditor([&](CHlbAdapter::FsmEditRequest& request) {
            gesehen = *request.item;
            nModus = request.mode;
            if (!f.bSpeichern)
                return false;
            request.newPath = request.itemPath(request.item->m_strName);
            request.pictureChanged = true;
            return true;
        });
        const int nIndex = adapter.AddItemFromLoadUnit(kiste, nullptr);
        CHlbAdapter::SetFsmItemEditor(nullptr);
        ASSERT_TRUE(gesehen.has_value());
        EXPECT_EQ(nModus, 1);
        EXPECT_EQ(gesehen->m_nArt, 6);
        EXPECT_EQ(gesehen->m_strName, "Kiste");
        EXPECT_EQ(gesehen->m_strText, "with lid");
        EXPECT_DOUBLE_EQ(gesehen->m_dLaenge, 1.2);
        EXPECT_DOUBLE_EQ(gesehen->m_dSPLaenge, 0.6);
        EXPECT_DOUBLE_EQ(gesehen->m_dSPBreite, 0.4);
        EXPECT_DOUBLE_EQ(gesehen->m_dSPHoehe, 0.5);
        EXPECT_DOUBLE_EQ(gesehen->m_dMasse, 0.5);
        EXPECT_NE(gesehen->m_pBild, nullptr);
        EXPECT_TRUE(gesehen->m_strBildDatei.empty()) << "the unit's picture file stays the unit's";
        int nKategorie = -1;
        adapter.GetFilter(&nKategorie, nullptr);
        if (!f.bSpeichern) {
            EXPECT_EQ(nIndex, -1);
            EXPECT_EQ(nKategorie, 0);
            continue;
        }
        ASSERT_GE(nIndex, 0);
        EXPECT_EQ(nKategorie, 1);
        const sHLBItemData* neu = adapter.SelectedEntry();
        ASSERT_NE(neu, nullptr);
        EXPECT_EQ(neu->item.m_nArt, 6);
        EXPECT_TRUE(fs::exists(neu->path));
        EXPECT_FALSE(neu->item.m_strBildDatei.empty());
        EXPECT_TRUE(fs::exists(folders.pictures / neu->item.m_strBildDatei));
    }
}

TEST_F(HlbAdapterTest, SavedEntriesAreInsertedAndEditedInBothStrips)
{
    Write(folders.loadUnits / "Anker.lgs", 3);
    Write(folders.loadUnits / "Truhe.lgs", 3);
    Write(folders.fsmItems / "Keil.fsm", 6);
    StripWindow first(kHlbOwnerDrawn);
    StripWindow second(kHlbOwnerDrawn);
    CHlbAdapter one(catalogue);
    one.Attach(first.list);
    CHlbAdapter two(catalogue);
    two.Attach(second.list);
    one.SetFilter(1, QString(), true, false); // the new load unit brings the first strip back to load units
    const PictureWriter writer = [](const ItemPicture& picture, const fs::path& path) {
        return QImageItemPicture::Of(&picture).save(QString::fromStdString(path.string()), "PNG");
    };

    // New: written by the editor's save, then inserted in its sorted place.
    auto made = std::make_shared<sHLBItemData>();
    made->item.m_strName = "Kiste";
    made->item.m_pBild = std::make_unique<QImageItemPicture>(Filled(Qt::green));
    const LadungSaveResult saved = SaveLadung(1, made->item, {}, true, folders, writer);
    ASSERT_TRUE(saved.saved);
    made->path = saved.path.string();
    EXPECT_EQ(one.EntrySaved(nullptr, made), 1);
    EXPECT_EQ(one.SelectedEntry(), made.get());
    EXPECT_EQ(second.list->GetItemCount(), 3);
    EXPECT_FALSE(QImage(CHlbAdapter::PicturePath(folders, made->item.m_strBildDatei)).isNull());

    // Edit with a rename: the other strip had the old record selected and keeps the entry selected.
    two.SelectItem(1);
    ASSERT_EQ(two.SelectedEntry(), made.get());
    auto edited = std::make_shared<sHLBItemData>(*made);
    edited->item.m_strName = "Zarge";
    ASSERT_TRUE(SaveLadung(0, edited->item, made->path, false, folders, writer).saved);
    edited->path = edited->item.m_strPfad;
    EXPECT_EQ(one.EntrySaved(made.get(), edited), 2);
    EXPECT_EQ(two.SelectedEntry(), edited.get());
    EXPECT_EQ(second.list->GetCurSel(), 2);
    EXPECT_EQ(catalogue->IndexOf(made.get()), -1);
    EXPECT_EQ(edited->item.m_strBildDatei, made->item.m_strBildDatei); // unchanged picture, same file

    // After a restart the strip shows what is on disk.
    auto restarted = std::make_shared<CHlbCatalogue>(folders);
    restarted->Build();
    std::vector<std::string> names;
    for (const auto& e : restarted->Filter(0, ""))
        names.push_back(e->item.m_strName);
    EXPECT_EQ(names, (std::vector<std::string>{"Anker", "Truhe", "Zarge"}));
}

TEST_F(HlbAdapterTest, TypedSearchSelectsTheFirstMatchAndTellsTheOwner)
{
    for (const char* name : {"Anker", "Große Kiste", "Kiste", "Ölfass"})
        Write(folders.loadUnits / (std::string(name) + ".lgs"), 3);
    StripWindow strip(kHlbOwnerDrawn);
    NoteOwner owner;
    CHlbAdapter adapter(catalogue);
    adapter.Attach(strip.list, &owner);
    struct Case
    {
        const char* text;
        int hit;
    };
    const Case cases[] = {{"Ki", 2}, {"kiste", 1}, {"öl", 3}, {"Zz", -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        adapter.TypedSearch(QString::fromUtf8(c.text));
        EXPECT_EQ(adapter.TypedHit(), c.hit);
        ASSERT_FALSE(owner.searches.empty());
        EXPECT_EQ(owner.searches.back().second, c.hit >= 0);
        if (c.hit >= 0) {
            EXPECT_EQ(strip.list->GetCurSel(), c.hit);
        }
    }
    EXPECT_EQ(owner.selected, adapter.SelectedEntry());
}

TEST_F(HlbAdapterTest, ARestingPointerMakesTheTileHotUntilItLeavesOrTheListRefills)
{
    for (const char* name : {"Anker", "Kiste"})
        Write(folders.loadUnits / (std::string(name) + ".lgs"), 3);
    StripWindow strip(kHlbOwnerDrawn);
    CHlbAdapter adapter(catalogue);
    adapter.Attach(strip.list, nullptr);
    strip.window->show();
    strip.list->Layout();
    const QRect tile = strip.list->GetItemRect(0);
    QRect area;
    EXPECT_FALSE(adapter.HoverAreaEntered(0, tile.topLeft() - QPoint(5, 0), &area));
    EXPECT_EQ(adapter.HotEntry(), nullptr);
    ASSERT_TRUE(adapter.HoverAreaEntered(0, tile.center(), &area));
    EXPECT_EQ(area, tile);
    EXPECT_EQ(adapter.HotEntry(), Find("Anker"));
    adapter.HoverAreaLeft(0);
    EXPECT_EQ(adapter.HotEntry(), nullptr);
    ASSERT_TRUE(adapter.HoverAreaEntered(0, tile.center(), &area));
    adapter.SetFilter(0, QStringLiteral("Ki"), true);
    EXPECT_EQ(adapter.HotEntry(), nullptr);
    EXPECT_FALSE(adapter.HoverAreaEntered(5, tile.center(), &area));
    DrainLoaders();
}

TEST_F(HlbAdapterTest, ScaledTilePicturesAreReusedUntilThePictureOrTheViewModeChanges)
{
    ASSERT_TRUE(Filled(Qt::red).save(QString::fromStdString((folders.pictures / "red.dat").string()), "PNG"));
    Write(folders.loadUnits / "Kiste.lgs", 3, "red.dat");
    StripWindow strip(kHlbOwnerDrawn);
    CHlbAdapter adapter(catalogue);
    adapter.Attach(strip.list);
    strip.window->resize(400, 150);
    strip.list->setGeometry(0, 0, 400, 150);
    strip.window->show();
    strip.list->Layout();
    DrainLoaders();
    ASSERT_TRUE(QTest::qWaitFor([&] { return strip.list->GetItem(0)->state == kTileLoaded; }));

    // Whether the first tile shows a pixel of `colour`.
    const auto tileShows = [&](QColor colour) {
        const QImage shot = strip.list->grab().toImage();
        const QRect tile = strip.list->GetItemRect(0).intersected(shot.rect());
        for (int y = tile.top(); y <= tile.bottom(); ++y)
            for (int x = tile.left(); x <= tile.right(); ++x)
                if (shot.pixelColor(x, y) == colour)
                    return true;
        return false;
    };
    ASSERT_TRUE(tileShows(Qt::red));
    const int first = adapter.PictureScalings();
    EXPECT_GE(first, 1);
    EXPECT_TRUE(tileShows(Qt::red));
    EXPECT_EQ(adapter.PictureScalings(), first) << "an unchanged tile picture was scaled again";

    // A new picture of the same entry is drawn, not the scaled old one.
    for (const auto& e : catalogue->Entries())
        if (e->item.m_strName == "Kiste")
            e->item.m_pBild = std::make_unique<QImageItemPicture>(Filled(Qt::blue));
    EXPECT_TRUE(tileShows(Qt::blue));
    EXPECT_FALSE(tileShows(Qt::red));
    EXPECT_EQ(adapter.PictureScalings(), first + 1);

    // The other view mode scales anew, and a refill keeps nothing of the old tiles.
    adapter.SetViewMode(1);
    EXPECT_TRUE(tileShows(Qt::blue));
    EXPECT_EQ(adapter.PictureScalings(), first + 2);
    adapter.SetFilter(0, QString(), true);
    DrainLoaders();
    EXPECT_TRUE(tileShows(Qt::blue));
    EXPECT_EQ(adapter.PictureScalings(), first + 3);
}

TEST_F(HlbAdapterTest, PictureOfUserSampleAndBuiltInTiles)
{
    QImage photo(80, 60, QImage::Format_RGB32);
    photo.fill(QColor(196, 150, 90));
    ASSERT_TRUE(photo.save(QString::fromStdString((folders.pictures / "crate.dat").string()), "PNG"));
    Write(folders.loadUnits / "Holzkiste.lgs", 3, "crate.dat", 0.25);
    Write(folders.loadUnits / "Sehr lange Bezeichnung.lgs", 4);
    Write(folders.samples / "Euro pallet.lgs", 0);
    Write(folders.fsmItems / "Keil.fsm", 6);

    // Rows: load units with a user tile selected, the same in the compact mode with the sample selected,
    // FSM items with a built-in entry selected.
    struct Row
    {
        int category, mode, selected;
    };
    const Row rows[] = {{0, 0, 0}, {0, 1, 2}, {1, 0, 2}};
    QImage sheet(900, 450, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    for (int row = 0; row < 3; ++row) {
        const int mode = rows[row].mode;
        StripWindow strip(kHlbOwnerDrawn);
        CHlbAdapter adapter(catalogue);
        adapter.Attach(strip.list);
        adapter.SetViewMode(mode);
        strip.window->resize(900, 150);
        strip.list->setGeometry(0, 0, 900, 150);
        strip.window->show();
        strip.list->Layout();
        DrainLoaders();
        ASSERT_TRUE(QTest::qWaitFor([&] { return strip.list->GetItem(0)->state == kTileLoaded; }));
        adapter.SetFilter(rows[row].category, QString(), false, false);
        adapter.SelectItem(rows[row].selected, false);
        DrainLoaders();
        EXPECT_TRUE(QTest::qWaitFor([&] { return strip.list->GetItem(0)->state == kTileLoaded; }));
        p.drawImage(0, row * 150, strip.list->grab().toImage());
    }
    p.end();
    QDir().mkpath(QStringLiteral(QOR_TEST_ARTIFACT_DIR));
    EXPECT_TRUE(sheet.save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/catalogue_strip.png")));
}

} // namespace
