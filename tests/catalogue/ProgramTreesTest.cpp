// The program's trees over copies of the sample vehicles: pictures, in-use marks, the filter switches,
// protected sample folders and the catalogue tree's holder.
#include "catalogue/CFileTreeCtrlFilter.h"
#include "catalogue/CFileTreeCtrlLg.h"
#include "catalogue/CFileTreeCtrlMM.h"
#include "catalogue/CFileTreeCtrlQor.h"
#include "catalogue/CatalogueImages.h"
#include "catalogue/IFileTreeHolder.h"
#include "model/base/LockedFile.h"
#include "model/files/VehicleFiles.h"
#include "model/files/tagItemData.h"
#include "platform/MenuResource.h"
#include "platform/ShellFileOperation.h"
#include "ui/IMessageBoxService.h"

#include "VehicleCatalogueSandbox.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <memory>

#include <gtest/gtest.h>

namespace {

QString Artifacts()
{
    const QString folder = QStringLiteral(QOR_TEST_ARTIFACT_DIR "/catalogue");
    QDir().mkpath(folder);
    return folder;
}

// A vehicle tree whose questions are answered by the test.
template <class Tree> class Quiet : public Tree
{
public:
    using Tree::CanChangeItem;
    mutable QStringList asked;

protected:
    int Ask(const QString& text, bool yesNo) const override
    {
        asked.append(text);
        return yesNo ? IMessageBoxService::kYes : IMessageBoxService::kOk;
    }
    bool WantsPermanentDelete() const override { return true; }
};

class ProgramTrees : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const VehicleFolders& f = m_box.Folders();
        m_my = f.vehicles + QStringLiteral("/My vehicles");
        for (int kind = 0; kind <= 5; ++kind)
            m_kinds[kind] = m_box.CopyVehicle(kind, m_my, QStringLiteral("k%1.qor").arg(kind));
        m_truckKombi = m_my + QStringLiteral("/truck.qor");
        m_tractorKombi = m_my + QStringLiteral("/tractor.qor");
        ASSERT_TRUE(m_box.WriteKombination(0, 1, m_truckKombi));
        ASSERT_TRUE(m_box.WriteKombination(4, 3, m_tractorKombi));
        VehicleCatalogueSandbox::WriteBytes(m_my + QStringLiteral("/broken.qor"), "not a vehicle");
        m_sample = m_box.CopyVehicle(0, f.sampleVehicleRoot, QStringLiteral("Sample truck.qor"));
    }

    template <class Tree> void Configure(Tree& tree)
    {
        const VehicleFolders& f = m_box.Folders();
        tree.SetRootFolder(f.vehicles);
        tree.AddRootFolder(f.sampleVehicleRoot, true);
        tree.SetFilePatterns(QStringLiteral("*.qor"));
        tree.SetExtensionMode(0);
        tree.m_bAllowDelete = true;
        tree.m_bAllowNewFolder = true;
        tree.Initialise();
    }

    VehicleCatalogueSandbox m_box;
    QString m_my;
    QString m_kinds[6];
    QString m_truckKombi;
    QString m_tractorKombi;
    QString m_sample;
};

} // namespace

TEST_F(ProgramTrees, EveryCataloguePictureDiffersAtSixteenPixels)
{
    const ImageList& images = m_box.Images();
    ASSERT_EQ(images.Count(), CatalogueImages::kCount);
    QImage sheet(CatalogueImages::kCount * 20, 20, QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    for (int i = 0; i < images.Count(); ++i) {
        EXPECT_EQ(images.Image(i).size(), QSize(16, 16));
        painter.drawImage(i * 20 + 2, 2, images.Image(i));
        for (int j = 0; j < i; ++j)
            EXPECT_NE(images.Image(i), images.Image(j)) << i << " and " << j;
    }
    painter.end();
    sheet.scaled(sheet.size() * 3).save(Artifacts() + QStringLiteral("/catalogue_pictures.png"));
}

TEST_F(ProgramTrees, VehicleFilesShowTheirKindCombinationAndUse)
{
    // Held by other writers: a drawbar trailer and the tractor combination.
    auto heldTrailer = LockedFile::Open(m_kinds[1].toStdString(), LockedFile::Mode::ReadWrite);
    auto heldKombi = LockedFile::Open(m_tractorKombi.toStdString(), LockedFile::Mode::ReadWrite);
    ASSERT_TRUE(heldTrailer && heldKombi);
    Quiet<CFileTreeCtrlMM> tree;
    Configure(tree);
    const int b = m_box.First();
    struct Case
    {
        QString path;
        int icon;
        bool inUse;
    };
    const QList<Case> cases{
        {m_kinds[0], b + 0, false},    {m_kinds[1], b + 1 + 6, true},
        {m_kinds[2], b + 2, false},    {m_kinds[3], b + 3, false},
        {m_kinds[4], b + 4, false},    {m_kinds[5], b + 5, false},
        {m_truckKombi, b + 12, false}, {m_tractorKombi, b + 15, true},
        {m_my, b + 16, false},         {m_box.Folders().sampleVehicleRoot, b + 17, false},
        {m_sample, b + 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        QTreeWidgetItem* item = VehicleCatalogueSandbox::ItemOf(tree, c.path);
        ASSERT_NE(item, nullptr);
        const CFileTreeCtrlItemInfoMM* info = CFileTreeCtrlMM::InfoOf(item);
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(info->m_nIcon, c.icon);
        EXPECT_EQ(info->m_bInUse, c.inUse);
        EXPECT_FALSE(item->icon(0).isNull());
    }
    EXPECT_EQ(VehicleCatalogueSandbox::ItemOf(tree, m_my + QStringLiteral("/broken.qor")), nullptr)
        << "an unreadable vehicle file is left out";
    EXPECT_EQ(tree.SelectPath(m_my)->text(0), QStringLiteral("My vehicles"));
    EXPECT_EQ(tree.SelectPath(m_kinds[0])->text(0), QStringLiteral("k0")) << "no extension shown";
}

TEST_F(ProgramTrees, TheFilteredTreeShowsKindsUseAndTheDropTarget)
{
    auto held = LockedFile::Open(m_kinds[0].toStdString(), LockedFile::Mode::ReadWrite);
    ASSERT_TRUE(held);
    QDir().mkpath(m_box.Folders().vehicles + QStringLiteral("/Trailers"));
    Quiet<CFileTreeCtrlFilter> tree;
    tree.m_bShowKombi = true;
    tree.m_bShowArt[5] = true;
    Configure(tree);
    tree.resize(260, 330);
    tree.SelectPath(m_kinds[4]);
    tree.SelectPath(m_sample);
    QTreeWidgetItem* target =
        VehicleCatalogueSandbox::ItemOf(tree, m_box.Folders().vehicles + QStringLiteral("/Trailers"));
    ASSERT_NE(target, nullptr);
    tree.SetDropHighlight(target);
    EXPECT_EQ(tree.DropHighlight(), target);
    tree.show();
    const QImage picture = tree.grab().toImage();
    picture.save(Artifacts() + QStringLiteral("/filtered_vehicle_tree.png"));
    // The drop target's row is drawn highlighted (right of its text, where a plain row is blank).
    const QRect row = tree.visualItemRect(target);
    const QColor highlight = tree.palette().color(QPalette::Highlight);
    const QColor seen =
        picture.pixelColor(tree.viewport()->mapTo(&tree, QPoint(row.right() - 4, row.center().y())));
    EXPECT_LT(std::abs(seen.red() - highlight.red()) + std::abs(seen.green() - highlight.green()) +
                  std::abs(seen.blue() - highlight.blue()),
              60);
    tree.SetDropHighlight(nullptr);
    EXPECT_EQ(tree.DropHighlight(), nullptr);
}

TEST_F(ProgramTrees, AFileInUseIsReadButNeverWrittenBack)
{
    // An older layout of a vehicle file would be written again in the current one when it is listed.
    const QString old = m_box.CopyVehicle(0, m_my, QStringLiteral("old.qor"));
    QFile file(old);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    auto held = LockedFile::Open(old.toStdString(), LockedFile::Mode::ReadWrite);
    ASSERT_TRUE(held);
    Quiet<CFileTreeCtrlMM> tree;
    Configure(tree);
    QTreeWidgetItem* item = VehicleCatalogueSandbox::ItemOf(tree, old);
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(CFileTreeCtrlMM::InfoOf(item)->m_bInUse);
    std::vector<std::uint8_t> after;
    ASSERT_TRUE(held->ReadAll(after));
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(after.data()), qsizetype(after.size())), before);
}

TEST_F(ProgramTrees, TheFilterSwitchesListAndMark)
{
    struct Case
    {
        const char* name;
        std::function<void(CFileTreeCtrlFilter&)> setup;
        QString path;
        bool listed;
        bool inUse;
    };
    const auto defaults = [](CFileTreeCtrlFilter&) {};
    const QList<Case> cases{
        {"truck listed and free", defaults, m_kinds[0], true, false},
        {"semi-trailer listed but not selectable", defaults, m_kinds[3], true, true},
        {"drawbar trailer listed but not selectable", defaults, m_kinds[1], true, true},
        {"tractor free", defaults, m_kinds[4], true, false},
        {"short-front vehicle hidden", defaults, m_kinds[5], false, false},
        {"combination hidden", defaults, m_truckKombi, false, false},
        {"short-front vehicle shown is never marked",
         [](CFileTreeCtrlFilter& t) {
             t.m_bShowArt[5] = true;
             for (bool& s : t.m_bSelectableArt)
                 s = false;
         },
         m_kinds[5], true, false},
        {"combination shown", [](CFileTreeCtrlFilter& t) { t.m_bShowKombi = true; }, m_truckKombi, true,
         false},
        {"kind switched off", [](CFileTreeCtrlFilter& t) { t.m_bShowArt[0] = false; }, m_kinds[0], false,
         false},
        {"selectable semi-trailer", [](CFileTreeCtrlFilter& t) { t.m_bSelectableArt[3] = true; }, m_kinds[3],
         true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Quiet<CFileTreeCtrlFilter> tree;
        c.setup(tree);
        Configure(tree);
        QTreeWidgetItem* item = VehicleCatalogueSandbox::ItemOf(tree, c.path);
        EXPECT_EQ(item != nullptr, c.listed);
        if (item) {
            EXPECT_EQ(CFileTreeCtrlMM::InfoOf(item)->m_bInUse, c.inUse);
        }
    }
}

TEST_F(ProgramTrees, TheExpandIndicatorCountsOnlyAcceptedFiles)
{
    const QString onlyKombi = m_my + QStringLiteral("/only combination");
    const QString withTruck = m_my + QStringLiteral("/with truck");
    ASSERT_TRUE(m_box.WriteKombination(0, 2, onlyKombi + QStringLiteral("/z.qor")));
    m_box.CopyVehicle(0, withTruck, QStringLiteral("t.qor"));
    Quiet<CFileTreeCtrlFilter> tree;
    Configure(tree);
    QTreeWidgetItem* hidden = VehicleCatalogueSandbox::ItemOf(tree, onlyKombi);
    QTreeWidgetItem* shown = VehicleCatalogueSandbox::ItemOf(tree, withTruck);
    ASSERT_TRUE(hidden && shown);
    EXPECT_NE(hidden->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
    EXPECT_EQ(shown->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
    shown->setExpanded(true);
    EXPECT_EQ(shown->childCount(), 1);
    hidden->setExpanded(true);
    EXPECT_EQ(hidden->childCount(), 0) << "the combination is not listed";
}

TEST_F(ProgramTrees, AFileInUseCannotBeRenamedDeletedOrMoved)
{
    auto held = LockedFile::Open(m_kinds[0].toStdString(), LockedFile::Mode::ReadWrite);
    ASSERT_TRUE(held);
    Quiet<CFileTreeCtrlMM> tree;
    Configure(tree);
    QTreeWidgetItem* item = VehicleCatalogueSandbox::ItemOf(tree, m_kinds[0]);
    QTreeWidgetItem* folder = VehicleCatalogueSandbox::ItemOf(tree, m_box.Folders().vehicles);
    ASSERT_TRUE(item && folder);
    tree.setCurrentItem(item);
    EXPECT_FALSE(tree.CanChangeItem(item));
    EXPECT_FALSE(tree.EndLabelEdit(item, QStringLiteral("renamed")));
    EXPECT_FALSE(tree.Delete(item));
    EXPECT_FALSE(tree.DropOnto(item, folder, false));
    EXPECT_TRUE(QFile::exists(m_kinds[0]));
    EXPECT_FALSE(QFile::exists(m_my + QStringLiteral("/renamed.qor")));
    held.reset();
    EXPECT_TRUE(tree.CanChangeItem(item)) << "free again once the writer let go";
}

TEST_F(ProgramTrees, SampleItemsAreProtected)
{
    Quiet<CFileTreeCtrlMM> tree;
    Configure(tree);
    const QString sampleRoot = m_box.Folders().sampleVehicleRoot;
    QTreeWidgetItem* sample = VehicleCatalogueSandbox::ItemOf(tree, m_sample);
    QTreeWidgetItem* sampleFolder = VehicleCatalogueSandbox::ItemOf(tree, sampleRoot);
    QTreeWidgetItem* own = VehicleCatalogueSandbox::ItemOf(tree, m_kinds[2]);
    QTreeWidgetItem* my = VehicleCatalogueSandbox::ItemOf(tree, m_my);
    ASSERT_TRUE(sample && sampleFolder && own && my);
    EXPECT_TRUE(tree.IsSampleItem(sample));
    EXPECT_FALSE(tree.CanChangeItem(sample));
    EXPECT_FALSE(tree.Delete(sample));
    tree.setCurrentItem(sample);
    EXPECT_FALSE(tree.m_bAllowRename) << "a sample item cannot be renamed";
    EXPECT_EQ(tree.CreateNewFolder(sampleFolder), nullptr);
    EXPECT_FALSE(tree.IsDropTarget(sampleFolder));
    EXPECT_FALSE(tree.DropOnto(own, sampleFolder, true)) << "nothing is dropped into the samples";
    EXPECT_FALSE(tree.DropOnto(sample, my, false)) << "a sample is not moved out";
    EXPECT_TRUE(QFile::exists(m_sample));
    EXPECT_TRUE(tree.DropOnto(sample, my, true)) << "a sample leaves as a copy";
    EXPECT_TRUE(QFile::exists(m_sample));
    EXPECT_TRUE(QFile::exists(m_my + QStringLiteral("/Sample truck.qor")));
    // The drop read the target folder again; the items of its files that are still there are the same.
    ASSERT_EQ(VehicleCatalogueSandbox::ItemOf(tree, m_kinds[2]), own);
    EXPECT_NE(VehicleCatalogueSandbox::ItemOf(tree, m_my + QStringLiteral("/Sample truck.qor")), nullptr);
    tree.setCurrentItem(own);
    EXPECT_TRUE(tree.m_bAllowRename);
}

TEST_F(ProgramTrees, LoadUnitFilesShowTheirKind)
{
    const QString folder = m_box.Folders().loadUnits;
    for (int kind = 0; kind <= 4; ++kind) {
        tagItemData item;
        item.m_nArt = kind;
        item.m_strName = "unit";
        ASSERT_TRUE(SaveItemDataFile((folder + QStringLiteral("/u%1.lgs").arg(kind)).toStdString(), item));
    }
    VehicleCatalogueSandbox::WriteBytes(folder + QStringLiteral("/broken.lgs"), "damaged");
    VehicleCatalogueSandbox::WriteBytes(folder + QStringLiteral("/note.txt"), "other");
    Quiet<CFileTreeCtrlLg> tree;
    tree.SetRootFolder(folder);
    tree.SetFilePatterns(QStringLiteral("*.*"));
    tree.Initialise();
    for (int kind = 0; kind <= 4; ++kind) {
        SCOPED_TRACE(kind);
        QTreeWidgetItem* item =
            VehicleCatalogueSandbox::ItemOf(tree, folder + QStringLiteral("/u%1.lgs").arg(kind));
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(CFileTreeCtrlQor::InfoOf(item)->m_nIcon, m_box.First() + 18 + kind);
    }
    QTreeWidgetItem* broken = VehicleCatalogueSandbox::ItemOf(tree, folder + QStringLiteral("/broken.lgs"));
    ASSERT_NE(broken, nullptr) << "an unreadable load unit is shown";
    EXPECT_EQ(CFileTreeCtrlQor::InfoOf(broken)->m_nIcon, -1);
    EXPECT_FALSE(broken->icon(0).isNull()) << "with the system's icon";
    EXPECT_EQ(VehicleCatalogueSandbox::ItemOf(tree, folder + QStringLiteral("/note.txt")), nullptr);
}

namespace {

// A holder that records what it is told and answers as the test says.
class ScriptedHolder : public IFileTreeHolder
{
public:
    bool veto = false;
    bool noConfirmation = false;
    bool wantMenu = true;
    int changed = 0;
    QList<unsigned> commands;
    QStringList events;

    bool VetoDelete(QTreeWidgetItem*, bool* flag) override
    {
        *flag = noConfirmation;
        return veto;
    }
    void CatalogueChanged() override { ++changed; }
    bool WantsMenu(MenuRequest& request) override
    {
        request.menuId = 1344;
        request.subMenu = 0;
        return wantMenu;
    }
    bool RemoveMenuEntry(MenuEntry& entry) override
    {
        if (entry.id == 33300)
            return true; // open is left out
        if (entry.id == 33302)
            entry.enabled = false;
        if (entry.id == 1340)
            entry.checked = true;
        return false;
    }
    void MenuShowing() override { events.append(QStringLiteral("showing")); }
    void MenuClosed() override { events.append(QStringLiteral("closed")); }
    void TreeCommand(unsigned command) override { commands.append(command); }
};

class HeldTree : public CFileTreeCtrlQor
{
public:
    using CFileTreeCtrlQor::mouseDoubleClickEvent;
    mutable QStringList asked;
    QStringList shownTexts;
    QList<bool> shownEnabled;
    QList<bool> shownChecked;
    unsigned choose = 0;

protected:
    int Ask(const QString& text, bool yesNo) const override
    {
        asked.append(text);
        return yesNo ? IMessageBoxService::kYes : IMessageBoxService::kOk;
    }
    bool WantsPermanentDelete() const override { return true; }
    QAction* ExecMenu(QMenu* menu, const QPoint&) override
    {
        QAction* chosen = nullptr;
        for (QAction* action : menu->actions()) {
            if (action->isSeparator())
                continue;
            shownTexts.append(action->text());
            shownEnabled.append(action->isEnabled());
            shownChecked.append(action->isChecked());
            if (action->data().toUInt() == choose)
                chosen = action;
        }
        return chosen;
    }
};

} // namespace

TEST_F(ProgramTrees, TheCatalogueTreeAsksAndTellsItsHolder)
{
    const QString folder = m_box.Folders().loadUnits;
    QDir().mkpath(folder + QStringLiteral("/Boxes"));
    for (const char* name : {"a.lgs", "b.lgs", "Boxes/c.lgs"})
        VehicleCatalogueSandbox::WriteBytes(folder + QLatin1Char('/') + QLatin1String(name), "x");
    ScriptedHolder holder;
    HeldTree tree;
    tree.SetHolder(&holder);
    tree.SetRootFolder(folder);
    tree.m_bAllowDelete = true;
    tree.Initialise();

    // A veto keeps the file; without one the holder's flag skips the question.
    QTreeWidgetItem* a = VehicleCatalogueSandbox::ItemOf(tree, folder + QStringLiteral("/a.lgs"));
    holder.veto = true;
    EXPECT_FALSE(tree.Delete(a));
    EXPECT_TRUE(QFile::exists(folder + QStringLiteral("/a.lgs")));
    holder.veto = false;
    holder.noConfirmation = true;
    EXPECT_TRUE(tree.Delete(a));
    EXPECT_TRUE(tree.asked.isEmpty());
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("/a.lgs")));
    EXPECT_EQ(holder.changed, 1);
    holder.noConfirmation = false;
    EXPECT_TRUE(tree.Delete(VehicleCatalogueSandbox::ItemOf(tree, folder + QStringLiteral("/b.lgs"))));
    EXPECT_EQ(tree.asked.size(), 1) << "without the flag the user is asked";

    // Renaming a folder moves the paths of the items already listed below it.
    QTreeWidgetItem* boxes =
        VehicleCatalogueSandbox::ItemOf(tree, folder + QStringLiteral("/Boxes/c.lgs"))->parent();
    ASSERT_TRUE(tree.EndLabelEdit(boxes, QStringLiteral("Crates")));
    ASSERT_EQ(boxes->childCount(), 1);
    EXPECT_EQ(tree.GetItemPath(boxes->child(0)), folder + QStringLiteral("/Crates/c.lgs"));
    EXPECT_EQ(holder.changed, 3);

    // The menu: entries removed, greyed and checked by the holder; a command the tree does not know
    // goes to the holder.
    tree.setCurrentItem(boxes);
    tree.choose = 1341;
    tree.ShowContextMenu(boxes, QPoint(1, 1));
    EXPECT_FALSE(tree.shownTexts.isEmpty());
    EXPECT_EQ(holder.events, (QStringList{QStringLiteral("showing"), QStringLiteral("closed")}));
    const QString openText = MenuResource::Caption(33300);
    EXPECT_FALSE(tree.shownTexts.contains(openText));
    const qsizetype rename = tree.shownTexts.indexOf(MenuResource::Caption(33302));
    const qsizetype properties = tree.shownTexts.indexOf(MenuResource::Caption(1340));
    ASSERT_GE(rename, 0);
    ASSERT_GE(properties, 0);
    EXPECT_FALSE(tree.shownEnabled[rename]);
    EXPECT_TRUE(tree.shownChecked[properties]);
    EXPECT_EQ(tree.GetSelectedPath(), folder) << "the chosen Up ran in the tree";
    EXPECT_TRUE(holder.commands.isEmpty());
    holder.wantMenu = false;
    tree.shownTexts.clear();
    tree.ShowContextMenu(boxes, QPoint(1, 1));
    EXPECT_TRUE(tree.shownTexts.isEmpty()) << "no answer, no menu";
    EXPECT_TRUE(tree.OnCommand(4711));
    EXPECT_EQ(holder.commands, QList<unsigned>{4711});

    // A double click on a file gives the holder 33287.
    QTreeWidgetItem* c = VehicleCatalogueSandbox::ItemOf(tree, folder + QStringLiteral("/Crates/c.lgs"));
    ASSERT_NE(c, nullptr);
    tree.resize(300, 300);
    tree.show();
    tree.scrollToItem(c);
    QTest::mouseDClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(c).center());
    QCoreApplication::processEvents();
    EXPECT_EQ(holder.commands, (QList<unsigned>{4711, CFileTreeCtrlQor::kCmdFileDoubleClicked}));
}

TEST_F(ProgramTrees, TheWatcherTellsTheHolderUnlessItIsToldNotTo)
{
    const QString folder = m_box.Folders().loadUnits;
    ScriptedHolder holder;
    HeldTree tree;
    tree.SetHolder(&holder);
    tree.SetRootFolder(folder);
    tree.AddWatchedFolder(folder);
    tree.Initialise();
    tree.StartWatcher();
    QSignalSpy rebuilt(&tree, &CFileTreeCtrl::folderRebuilt);
    VehicleCatalogueSandbox::WriteBytes(folder + QStringLiteral("/new.lgs"), "x");
    ASSERT_TRUE(rebuilt.wait());
    EXPECT_EQ(holder.changed, 1);
    EXPECT_NE(VehicleCatalogueSandbox::ItemOf(tree, folder + QStringLiteral("/new.lgs")), nullptr);
    tree.RefreshCatalogue(true);
    EXPECT_EQ(holder.changed, 1);
    tree.RefreshCatalogue(false);
    EXPECT_EQ(holder.changed, 2);
}
