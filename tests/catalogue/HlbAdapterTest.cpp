// The catalogue adapter on a strip: filling, pictures, selection, deleting and adapters kept in step.
#include "../ui/UiTestModule.h"
#include "StripTestSupport.h"

#include "catalogue/CDlgLadung.h"
#include "catalogue/CHlbAdapter.h"
#include "catalogue/IHlbAdapterOwner.h"
#include "catalogue/QImageItemPicture.h"
#include "model/files/LadungEditing.h"
#include "model/files/VehicleFiles.h"
#include "model/text/TextProvider.h"
#include "ui/CommandEvent.h"
#include "ui/ScriptedMessageBoxService.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
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
    // At least the standard width; wider where the name or the dimensions need it, within reason.
    EXPECT_GE(strip.list->GetItemRect(0).width(), 110);
    EXPECT_LE(strip.list->GetItemRect(0).width(), 220);

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

TEST_F(HlbAdapterTest, TheDeleteQuestionShowsTheNameAsPlainText)
{
    // A file name is the user's text: shown in the program's plain box, its markup stays visible.
    Write(folders.loadUnits / "<font color=red>Kiste.lgs", 3);
    StripWindow strip(kHlbOwnerDrawn);
    CHlbAdapter adapter(catalogue);
    adapter.Attach(strip.list);
    adapter.SelectItem(0);
    ScriptedMessageBoxService boxes;
    boxes.AddAnswer(IMessageBoxService::kNo);
    // A box of Qt's own would wait for a user: it is closed and counted as a failure.
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            ADD_FAILURE() << "a box outside the program's message boxes";
            box->close();
        }
    });
    guard.start(20);
    EXPECT_FALSE(adapter.DeleteSelectedItem());
    ASSERT_EQ(boxes.Records().size(), 1);
    EXPECT_FALSE(boxes.Records()[0].isHtml);
    EXPECT_EQ(boxes.Records()[0].text,
              QStringLiteral("Do you really want to delete \"<font color=red>Kiste\" (load unit)?"));
    EXPECT_TRUE(fs::exists(folders.loadUnits / "<font color=red>Kiste.lgs"));
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
    ASSERT_TRUE(gate.AwaitWaiting(1));
    ASSERT_EQ(b.SelectedEntry(), Find("Alpha"));
    // The refill of the first strip waits for its loaders; the gate opens while it does.
    std::thread opener = OpenGateWhenAStripWaits(gate);
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

// Answers the load-unit editor that the adapter opens modally: `fill` types into it, then 714 saves it.
// A save the editor refuses closes it unsaved, so the test fails instead of waiting.
int RunLoadUnitEditor(CHlbAdapter& adapter, int mode, const std::function<void(CDlgLadung&)>& fill)
{
    bool answered = false;
    std::function<void()> answer = [&] {
        CDlgLadung* dialog = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = dynamic_cast<CDlgLadung*>(w); d && d->isVisible())
                dialog = d;
        if (!dialog) {
            QTimer::singleShot(10, answer);
            return;
        }
        answered = true;
        fill(*dialog);
        CommandEvent save(CDlgLadung::kIdSave);
        QCoreApplication::sendEvent(dialog, &save);
        if (dialog->isVisible()) {
            ADD_FAILURE() << "the editor refused the save";
            dialog->reject();
        }
    };
    QTimer::singleShot(0, answer);
    const int index = adapter.EditItem(mode, nullptr);
    EXPECT_TRUE(answered);
    return index;
}

TEST_F(HlbAdapterTest, AUserCreatesCopiesEditsAndDeletesLoadUnitsAndARestartShowsTheDisk)
{
    ScopedDialogTemplateModule module(UiTestModule());
    Write(folders.samples / "Euro pallet.lgs", 0);
    StripWindow strip(kHlbOwnerDrawn);
    CHlbAdapter adapter(catalogue);
    adapter.Attach(strip.list);
    adapter.SetConfirmDelete([](const QString&, const QString&) { return true; });
    auto typeUnit = [](CDlgLadung& d, const char* name, const char* mass) {
        for (const auto& [id, text] : std::vector<std::pair<int, const char*>>{
                 {1014, name}, {1041, "1200"}, {1015, "800"}, {1043, "1000"}, {1018, mass}})
            d.Field(id)->setText(QString::fromUtf8(text));
        d.SizeFieldLeft();
    };
    auto names = [&] {
        std::vector<std::string> out;
        for (int i = 0; i < strip.list->GetItemCount(); ++i)
            out.push_back(
                static_cast<const sHLBItemData*>(strip.list->GetItem(i)->ownerData)->item.m_strName);
        return out;
    };

    // New, with a picture.
    ASSERT_TRUE(adapter.CanEditItem(1));
    const int made = RunLoadUnitEditor(adapter, 1, [&](CDlgLadung& d) {
        typeUnit(d, "Kiste", "250");
        d.SetPicture(Filled(Qt::green));
    });
    ASSERT_GE(made, 0);
    ASSERT_NE(adapter.SelectedEntry(), nullptr);
    const std::string kistePicture = adapter.SelectedEntry()->item.m_strBildDatei;
    ASSERT_FALSE(kistePicture.empty());
    EXPECT_EQ(QImage(CHlbAdapter::PicturePath(folders, kistePicture)).pixelColor(1, 1), QColor(Qt::green));

    // A copy gets a file of its own; its unchanged picture is the same file.
    ASSERT_TRUE(adapter.CanEditItem(2));
    ASSERT_GE(RunLoadUnitEditor(adapter, 2,
                                [&](CDlgLadung& d) { d.Field(1014)->setText(QStringLiteral("Kopie")); }),
              0);
    EXPECT_EQ(adapter.SelectedEntry()->item.m_strBildDatei, kistePicture);
    EXPECT_TRUE(fs::exists(folders.loadUnits / "Kopie.lgs"));
    EXPECT_EQ(names(), (std::vector<std::string>{"Kiste", "Kopie", "Euro pallet"}));

    // Editing "Kiste": renamed and heavier, its picture file unchanged.
    adapter.SelectItem(0);
    ASSERT_TRUE(adapter.CanEditItem(0));
    ASSERT_GE(RunLoadUnitEditor(adapter, 0, [&](CDlgLadung& d) { typeUnit(d, "Truhe", "300"); }), 0);
    EXPECT_EQ(adapter.SelectedEntry()->item.m_strName, "Truhe");
    EXPECT_EQ(adapter.SelectedEntry()->item.m_strBildDatei, kistePicture);
    EXPECT_FALSE(fs::exists(folders.loadUnits / "Kiste.lgs"));
    EXPECT_EQ(names(), (std::vector<std::string>{"Kopie", "Truhe", "Euro pallet"}));

    // Deleting the copy removes its file, not the picture the other unit shows.
    adapter.SelectItem(0);
    ASSERT_TRUE(adapter.DeleteSelectedItem());
    EXPECT_FALSE(fs::exists(folders.loadUnits / "Kopie.lgs"));
    EXPECT_TRUE(fs::exists(folders.pictures / kistePicture));

    // After a restart the strip shows what is on disk, the picture read again.
    DrainLoaders();
    auto restarted = std::make_shared<CHlbCatalogue>(folders);
    StripWindow again(kHlbOwnerDrawn);
    CHlbAdapter fresh(restarted);
    fresh.Attach(again.list);
    again.window->show();
    again.list->Layout();
    ASSERT_EQ(again.list->GetItemCount(), 2);
    const auto* truhe = static_cast<const sHLBItemData*>(again.list->GetItem(0)->ownerData);
    EXPECT_EQ(truhe->item.m_strName, "Truhe");
    EXPECT_DOUBLE_EQ(truhe->item.m_dMasse, 0.3);
    EXPECT_EQ(truhe->item.m_strBildDatei, kistePicture);
    ASSERT_TRUE(QTest::qWaitFor([&] { return again.list->GetItem(0)->state == kTileLoaded; }));
    EXPECT_EQ(QImageItemPicture::Of(truhe->item.m_pBild.get()).pixelColor(1, 1), QColor(Qt::green));
    EXPECT_TRUE(static_cast<const sHLBItemData*>(again.list->GetItem(1)->ownerData)->standard);
    DrainLoaders();
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

TEST_F(HlbAdapterTest, PlaceholderOfATileWithoutPicture)
{
    // What stands in the picture's place: loading, a named picture that cannot be read, else the type.
    struct Case
    {
        const char* name;
        int type;
        const char* picture;
        int loadState;
        int viewMode;
        quint32 expected;
    };
    const Case cases[] = {
        {"still loading", 3, "", kTileLoading, 0, CHlbAdapter::kBildLaedt},
        {"not loaded yet", 3, "x.dat", kTileNotLoaded, 1, CHlbAdapter::kBildLaedt},
        {"named picture unreadable", 3, "x.dat", kTileLoaded, 0, CHlbAdapter::kBildFehlt},
        {"loader failed", 3, "x.dat", kTileFailed, 0, CHlbAdapter::kBildFehlt},
        {"named picture unreadable, compact", 8, "x.dat", kTileLoaded, 1, CHlbAdapter::kBildFehlt},
        {"load unit without picture", 3, "", kTileLoaded, 0, CHlbAdapter::kBildLadeeinheit},
        {"sample pallet without picture", 0, "", kTileLoaded, 0, CHlbAdapter::kBildLadeeinheit},
        {"FSM item without picture", 6, "", kTileLoaded, 0, CHlbAdapter::kBildFsm},
        {"built-in FSM item without picture", 12, "", kTileLoaded, 0, CHlbAdapter::kBildFsm},
        {"compact, any type", 12, "", kTileLoaded, 1, CHlbAdapter::kBildKeinBildKlein},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sHLBItemData entry;
        entry.item.m_nArt = c.type;
        entry.item.m_strBildDatei = c.picture;
        EXPECT_EQ(CHlbAdapter::PlatzhalterBild(entry, c.loadState, c.viewMode), c.expected);
    }
    sHLBItemData withPicture;
    withPicture.item.m_pBild = std::make_unique<QImageItemPicture>(Filled(Qt::red));
    EXPECT_EQ(CHlbAdapter::PlatzhalterBild(withPicture, kTileLoaded, 0), 0u);
}

TEST_F(HlbAdapterTest, EveryTileStateIsDrawnWithItsMarks)
{
    ScopedDialogTemplateModule module(UiTestModule());
    QImage photo(80, 60, QImage::Format_RGB32);
    photo.fill(QColor(196, 150, 90));
    ASSERT_TRUE(photo.save(QString::fromStdString((folders.pictures / "crate.dat").string()), "PNG"));
    Write(folders.loadUnits / "Holzkiste.lgs", 3, "crate.dat", 0.25);
    Write(folders.loadUnits / "Ohne Bild.lgs", 3, "", 0.1);
    Write(folders.loadUnits / "Verloren.lgs", 3, "gone.dat", 0.1);
    Write(folders.samples / "Euro pallet.lgs", 0);
    Write(folders.fsmItems / "Keil.fsm", 6);

    StripWindow strip(kHlbOwnerDrawn);
    CHlbAdapter adapter(catalogue);
    adapter.Attach(strip.list);
    strip.window->resize(900, 150);
    strip.list->setGeometry(0, 0, 900, 150);
    strip.window->show();
    strip.list->Layout();
    DrainLoaders();
    for (int category : {0, 1}) {
        adapter.SetFilter(category, QString(), false, false);
        strip.list->Layout();
        DrainLoaders();
        ASSERT_TRUE(QTest::qWaitFor([&] {
            for (int i = 0; i < strip.list->GetItemCount(); ++i)
                if (strip.list->GetItem(i)->state == kTileNotLoaded ||
                    strip.list->GetItem(i)->state == kTileLoading)
                    return false;
            return true;
        }));
    }
    adapter.SetFilter(0, QString(), false, false);

    // Each tile drawn alone: columns are the states, rows the entries in each view mode.
    struct State
    {
        const char* name;
        int bits;
        bool hot;
        int loadState; // -1: as loaded
    };
    const State states[] = {{"plain", 0, false, -1},
                            {"hovered", 0, true, -1},
                            {"selected", kDrawSelected, false, -1},
                            {"selected, focused", kDrawSelected | kDrawFocused, false, -1},
                            {"loading", 0, false, kTileLoading}};
    const QSize tileSize(110, 140);
    const int labelWidth = 150, headHeight = 18;
    std::vector<std::pair<int, std::string>> rows; // category and name, per view mode
    for (const char* name : {"Holzkiste", "Ohne Bild", "Verloren", "Euro pallet"})
        rows.emplace_back(0, name);
    rows.emplace_back(1, "Keil");
    rows.emplace_back(1, "");
    const int stateCount = static_cast<int>(std::size(states));
    QImage sheet(labelWidth + stateCount * (tileSize.width() + 6),
                 headHeight + 2 * static_cast<int>(rows.size()) * (tileSize.height() + 6),
                 QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter sp(&sheet);
    sp.setPen(Qt::black);
    for (int s = 0; s < stateCount; ++s)
        sp.drawText(QRect(labelWidth + s * (tileSize.width() + 6), 0, tileSize.width(), headHeight),
                    Qt::AlignCenter, QString::fromLatin1(states[s].name));

    auto tileOf = [&](int category, const std::string& name) -> int {
        adapter.SetFilter(category, QString(), false, false);
        for (int i = 0; i < strip.list->GetItemCount(); ++i) {
            const auto* e = static_cast<const sHLBItemData*>(strip.list->GetItem(i)->ownerData);
            if (name.empty() ? e->standard : e->item.m_strName == name)
                return i;
        }
        return -1;
    };
    auto drawTile = [&](int index, const State& state) {
        QImage tile(tileSize, QImage::Format_RGB32);
        tile.fill(Qt::magenta);
        QPainter p(&tile);
        if (state.hot) {
            QRect area;
            EXPECT_TRUE(adapter.HoverAreaEntered(index, strip.list->GetItemRect(index).center(), &area));
        } else {
            adapter.HoverAreaLeft(index);
        }
        const HListboxItem* item = strip.list->GetItem(index);
        HListboxDraw draw;
        draw.painter = &p;
        draw.rect = QRect(QPoint(0, 0), tileSize);
        draw.stateBits = state.bits;
        // The entry keeps the picture its tile loaded before the refill that made this tile.
        draw.loadState = state.loadState < 0 ? int(kTileLoaded) : state.loadState;
        draw.ownerData = item->ownerData;
        draw.index = index;
        draw.item = item;
        EXPECT_TRUE(adapter.DrawItem(draw));
        p.end();
        adapter.HoverAreaLeft(index);
        return tile;
    };
    auto count = [](const QImage& image, QRect area, QColor colour, int tolerance) {
        int n = 0;
        area &= image.rect();
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                n += std::abs(c.red() - colour.red()) <= tolerance &&
                     std::abs(c.green() - colour.green()) <= tolerance &&
                     std::abs(c.blue() - colour.blue()) <= tolerance;
            }
        return n;
    };
    const QColor userBlue(57, 107, 181), standardGreen(50, 111, 47), sand(230, 140, 30), strike(210, 30, 30),
        wood(205, 160, 95), magnifierGlass(200, 225, 250);
    int y = headHeight;
    for (int mode : {0, 1}) {
        adapter.SetViewMode(mode, true);
        for (const auto& [category, name] : rows) {
            const int index = tileOf(category, name);
            ASSERT_GE(index, 0) << name;
            const auto* entry = static_cast<const sHLBItemData*>(strip.list->GetItem(index)->ownerData);
            const std::string shown = CHlbCatalogue::DisplayName(entry->item);
            SCOPED_TRACE(shown + (mode ? " compact" : " large"));
            sp.drawText(QRect(4, y, labelWidth - 8, tileSize.height()), Qt::AlignVCenter | Qt::TextWordWrap,
                        QString::fromStdString(shown) +
                            (mode ? QStringLiteral("\n(compact)") : QStringLiteral("\n(large)")));
            for (int s = 0; s < stateCount; ++s) {
                SCOPED_TRACE(states[s].name);
                const QImage tile = drawTile(index, states[s]);
                sp.drawImage(labelWidth + s * (tileSize.width() + 6), y, tile);
                EXPECT_EQ(count(tile, tile.rect(), Qt::magenta, 0), 0) << "the whole tile is drawn";
                // The selection mark at the top right: on the band colour in the compact tiles only.
                const QRect tickArea(tileSize.width() - 20, 0, 20, 22);
                const QColor band = entry->standard ? standardGreen : userBlue;
                if (mode == 1)
                    EXPECT_EQ(count(tile, tickArea, band, 6) > 10, (states[s].bits & kDrawSelected) != 0);
                else
                    EXPECT_EQ(count(tile, tickArea.adjusted(0, 1, 0, -8), Qt::white, 20) > 20,
                              (states[s].bits & kDrawSelected) != 0);
                // In the picture's place: the hourglass while loading, the struck picture when it cannot
                // be read, the crate of a large load-unit tile without picture.
                const QRect picture(0, 20, tileSize.width(), 70);
                const bool hasPicture = entry->item.m_pBild != nullptr;
                EXPECT_EQ(count(tile, picture, sand, 40) > 2,
                          !hasPicture && states[s].loadState == kTileLoading);
                const bool lost = name == "Verloren" && states[s].loadState != kTileLoading;
                EXPECT_EQ(count(tile, picture, strike, 20) > 4, lost);
                if (name == "Ohne Bild" && mode == 0 && states[s].loadState != kTileLoading) {
                    EXPECT_GT(count(tile, picture, wood, 10), 40);
                }
                EXPECT_EQ(count(tile, picture, magnifierGlass, 6) > 4, name == "Holzkiste" && states[s].hot);
            }
            y += tileSize.height() + 6;
        }
    }
    sp.end();
    QDir().mkpath(QStringLiteral(QOR_TEST_ARTIFACT_DIR));
    EXPECT_TRUE(sheet.save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/catalogue_tile_states.png")));
    DrainLoaders();
}

} // namespace
