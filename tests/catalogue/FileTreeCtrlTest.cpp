// The file tree over temporary folders: filling, order, lookups, history, watcher and editing.
#include "catalogue/CFileTreeCtrl.h"

#include "catalogue/CDlgFileProperties.h"

#include "platform/CCmdUI.h"
#include "platform/MenuResource.h"
#include "platform/ShellFileOperation.h"
#include "tests/support/RecordingCmdUI.h"
#include "ui/DialogTemplateLoader.h"
#include "ui/IMessageBoxService.h"

#include "../ui/UiTestModule.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <gtest/gtest.h>

namespace {

// The tree as a holder would use it, with the user's answers scripted.
class ScriptedTree : public CFileTreeCtrl
{
public:
    using CFileTreeCtrl::FindChildByName;

    bool Editing() const { return state() == EditingState; }
    QStringList opened;
    void Open(QTreeWidgetItem* item) override { opened.append(GetItemPath(item)); }

    mutable QStringList asked;
    mutable QList<int> answers;
    bool permanent = false;

protected:
    int Ask(const QString& text, bool yesNo) const override
    {
        asked.append(text);
        if (!yesNo)
            return IMessageBoxService::kOk;
        return answers.isEmpty() ? IMessageBoxService::kNo : answers.takeFirst();
    }
    bool WantsPermanentDelete() const override { return permanent; }
    // A trash that takes nothing, as on a volume without one.
    int RunFileOperation(const QString& source, const QString& target, unsigned operation,
                         unsigned flags) override
    {
        if (trashRefuses && operation == FO_DELETE && (flags & FOF_ALLOWUNDO))
            return SFO_TRASH_FAILED;
        return CFileTreeCtrl::RunFileOperation(source, target, operation, flags);
    }

public:
    bool trashRefuses = false;
};

void Touch(const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
}

QStringList ChildTexts(QTreeWidgetItem* item)
{
    QStringList texts;
    for (int i = 0; i < item->childCount(); ++i)
        texts.append(item->child(i)->text(0));
    return texts;
}

class FileTree : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        root = QDir(dir.path()).canonicalPath();
        tree = std::make_unique<ScriptedTree>();
    }
    QString At(const QString& relative) const { return root + QLatin1Char('/') + relative; }
    void Build(const QString& patterns = QStringLiteral("*.*"))
    {
        tree->SetFilePatterns(patterns);
        tree->SetRootFolder(root, true);
    }
    QTreeWidgetItem* Top() const { return tree->topLevelItem(0); }

    QTemporaryDir dir;
    QString root;
    std::unique_ptr<ScriptedTree> tree;
};

TEST_F(FileTree, FillsWithPatternsInKindFolderNameOrder)
{
    for (const char* name : {"b.qor", "A.qov", "c.txt", "Zeta/x.qor", "alpha/readme.txt", ".hidden.qor",
                             ".secret/x.qor", "empty/.keep"})
        Touch(At(QString::fromLatin1(name)));
    Build(QStringLiteral(" *.qor ; ;*.qov,"));
    EXPECT_EQ(tree->FilePatterns(), (QStringList{"*.qor", "*.qov"}));
    QTreeWidgetItem* top = Top();
    ASSERT_NE(top, nullptr);
    EXPECT_TRUE(top->isExpanded());
    // Folders first, then files, each by name ignoring case; dot-names never show.
    EXPECT_EQ(ChildTexts(top), (QStringList{"alpha", "empty", "Zeta", "A.qov", "b.qor"}));

    // Folders with nothing to show have no indicator at all or lose it when opened.
    CFileTreeCtrlItem* alpha = tree->FindChildByName(top, QStringLiteral("alpha"));
    CFileTreeCtrlItem* empty = tree->FindChildByName(top, QStringLiteral("empty"));
    CFileTreeCtrlItem* zeta = tree->FindChildByName(top, QStringLiteral("Zeta"));
    ASSERT_TRUE(alpha && empty && zeta);
    EXPECT_NE(alpha->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
    EXPECT_EQ(zeta->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
    alpha->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    alpha->setExpanded(true);
    EXPECT_EQ(alpha->childCount(), 0);
    EXPECT_EQ(alpha->childIndicatorPolicy(), QTreeWidgetItem::DontShowIndicator);
    zeta->setExpanded(true);
    EXPECT_EQ(ChildTexts(zeta), QStringList{"x.qor"});
    // Collapsing drops the children so the next opening reads the disk again.
    zeta->setExpanded(false);
    EXPECT_EQ(zeta->childCount(), 0);
    Touch(At("Zeta/y.qor"));
    zeta->setExpanded(true);
    EXPECT_EQ(ChildTexts(zeta), (QStringList{"x.qor", "y.qor"}));
}

TEST_F(FileTree, ExtensionModesAndHiddenExtensionFlag)
{
    Touch(At("truck.qor"));
    Touch(At("plain"));
    Touch(At("two.part.qov"));
    struct Case
    {
        int mode;
        QStringList texts;
        bool hidden;
    };
    for (const Case& c : {Case{0, {"plain", "truck", "two.part"}, true},
                          Case{1, {"plain", "truck.qor", "two.part.qov"}, false},
                          Case{2, {"plain", "truck.qor", "two.part.qov"}, false}}) {
        SCOPED_TRACE(c.mode);
        tree->SetExtensionMode(c.mode);
        Build();
        EXPECT_EQ(ChildTexts(Top()), c.texts);
        CFileTreeCtrlItem* truck = tree->FindChildByName(Top(), c.texts[1]);
        ASSERT_NE(truck, nullptr);
        EXPECT_EQ(truck->Info().m_bExtensionHidden, c.hidden);
        EXPECT_EQ(truck->Info().m_strFilePath, At("truck.qor"));
        EXPECT_FALSE(tree->FindChildByName(Top(), QStringLiteral("plain"))->Info().m_bExtensionHidden);
    }
}

TEST_F(FileTree, SelectPathFindsExactNamesBeforeFoldedOnes)
{
    Touch(At("Sub/Deep/file.qor"));
    Touch(At("Sub/Deep/FILE.qor"));
    Touch(At("Sub/other.qor"));
    Build();
    struct Case
    {
        QString path;
        QString expected; // empty: nothing is selected
    };
    const QList<Case> cases{
        {At("Sub/Deep"), At("Sub/Deep")},
        {At("Sub/Deep/"), At("Sub/Deep")},
        {root, root},
        {root + "/", root},
        {At("Sub/Deep/file.qor"), At("Sub/Deep/file.qor")},
        {At("Sub/Deep/FILE.qor"), At("Sub/Deep/FILE.qor")},
        {At("sub/deep/File.qor"), At("Sub/Deep/file.qor")},
        {At("Sub/OTHER.QOR"), At("Sub/other.qor")},
        {At("Sub/missing.qor"), QString()},
        {root + "x/Sub", QString()},
        {QStringLiteral("/"), QString()},
        {QFileInfo(root).absolutePath(), QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        CFileTreeCtrlItem* item = tree->SelectPath(c.path);
        EXPECT_EQ(item ? item->Info().m_strFilePath : QString(), c.expected);
        if (item) {
            EXPECT_EQ(tree->GetSelectedPath(), c.expected);
        }
    }
}

TEST_F(FileTree, SelectingAPathGoneFromDiskRemovesItAndKeepsTheSelection)
{
    Touch(At("keep.qor"));
    Touch(At("gone.qor"));
    Build();
    ASSERT_NE(tree->SelectPath(At("keep.qor")), nullptr);
    CFileTreeCtrlItem* gone = tree->FindChildByName(Top(), QStringLiteral("gone.qor"));
    ASSERT_NE(gone, nullptr);
    ASSERT_TRUE(QFile::remove(At("gone.qor")));
    tree->setCurrentItem(gone);
    EXPECT_EQ(tree->GetSelectedPath(), At("keep.qor"));
    EXPECT_EQ(ChildTexts(Top()), QStringList{"keep.qor"});
}

TEST_F(FileTree, HistoryKeepsOneMoreThanItsLimitAndShrinksFromTheNewestEnd)
{
    for (int i = 0; i < 23; ++i)
        Touch(At(QStringLiteral("f%1.qor").arg(i, 2, 10, QLatin1Char('0'))));
    Build();
    for (int i = 0; i < 23; ++i)
        tree->SelectPath(At(QStringLiteral("f%1.qor").arg(i, 2, 10, QLatin1Char('0'))));
    // 22 changes of selection from f00 on; the oldest goes only once more than 20 are held.
    QStringList back = tree->BackHistory();
    ASSERT_EQ(back.size(), 21);
    EXPECT_EQ(back.first(), At("f01.qor"));
    EXPECT_EQ(back.last(), At("f21.qor"));

    tree->GoBack();
    tree->GoBack();
    EXPECT_EQ(tree->GetSelectedPath(), At("f20.qor"));
    EXPECT_EQ(tree->ForwardHistory(), (QStringList{At("f22.qor"), At("f21.qor")}));
    tree->GoForward();
    EXPECT_EQ(tree->GetSelectedPath(), At("f21.qor"));

    tree->SetHistoryLimit(5);
    EXPECT_EQ(tree->BackHistory(), back.mid(0, 5));
    EXPECT_EQ(tree->ForwardHistory(), QStringList{At("f22.qor")});
}

class FileTreeWatcher : public FileTree
{
protected:
    void StartWatching(const QStringList& folders)
    {
        for (const QString& folder : folders)
            tree->AddWatchedFolder(folder);
        tree->StartWatcher();
    }
};

TEST_F(FileTreeWatcher, NewFileInWatchedSubFolderRebuildsKeepingOpenFoldersAndSelection)
{
    Touch(At("a/b/one.qor"));
    Touch(At("c/two.qor"));
    Build();
    ASSERT_NE(tree->SelectPath(At("a/b/one.qor")), nullptr);
    tree->SelectPath(At("c"), true);
    tree->SelectPath(At("a/b/one.qor"));
    StartWatching({At("a"), At("missing"), At("c")});
    EXPECT_TRUE(tree->WatchedDirectories().contains(At("a/b")));
    EXPECT_TRUE(tree->WatchedDirectories().contains(At("c")));

    QSignalSpy rebuilt(tree.get(), &CFileTreeCtrl::folderRebuilt);
    Touch(At("a/b/new.qor"));
    ASSERT_TRUE(rebuilt.wait());
    CFileTreeCtrlItem* b = tree->FindItemByPath(At("a/b"));
    ASSERT_NE(b, nullptr);
    EXPECT_TRUE(b->isExpanded());
    EXPECT_EQ(ChildTexts(b), (QStringList{"new.qor", "one.qor"}));
    CFileTreeCtrlItem* c = tree->FindItemByPath(At("c"));
    ASSERT_NE(c, nullptr);
    EXPECT_TRUE(c->isExpanded());
    EXPECT_EQ(tree->GetSelectedPath(), At("a/b/one.qor"));

    // A folder made after the start is watched too, and a rename does not end the watching.
    QDir().mkpath(At("a/b/later"));
    QTRY_VERIFY(tree->WatchedDirectories().contains(At("a/b/later")));
    ASSERT_TRUE(QFile::rename(At("a/b/later"), At("a/b/renamed")));
    QTRY_VERIFY(tree->WatchedDirectories().contains(At("a/b/renamed")));
    const int before = int(rebuilt.size());
    Touch(At("a/b/renamed/inside.qor"));
    QTRY_VERIFY(rebuilt.size() > before);
    EXPECT_NE(tree->FindItemByPath(At("a/b/renamed")), nullptr);
}

TEST_F(FileTreeWatcher, BurstOfChangesGivesFewerRebuildsThanFiles)
{
    QDir().mkpath(At("burst"));
    Build();
    StartWatching({At("burst")});
    QSignalSpy rebuilt(tree.get(), &CFileTreeCtrl::folderRebuilt);
    for (int i = 0; i < 48; ++i)
        Touch(At(QStringLiteral("burst/f%1.qor").arg(i)));
    ASSERT_TRUE(rebuilt.wait());
    QTRY_COMPARE(tree->SelectPath(At("burst"), true)->childCount(), 48);
    EXPECT_LT(rebuilt.size(), 48);
}

TEST_F(FileTreeWatcher, OneFolderFormRefreshesAndTreeDiesCleanWithANotificationPending)
{
    Build();
    tree->SetWatchedPath(root);
    tree->StartWatcher();
    EXPECT_EQ(tree->WatchedDirectories(), QStringList{root});
    QSignalSpy rebuilt(tree.get(), &CFileTreeCtrl::folderRebuilt);
    Touch(At("one.qor"));
    ASSERT_TRUE(rebuilt.wait());
    EXPECT_EQ(ChildTexts(Top()), QStringList{"one.qor"});

    // The change is noticed, the tree goes before the rebuild runs.
    Touch(At("two.qor"));
    QTRY_VERIFY(QFileInfo::exists(At("two.qor")));
    QCoreApplication::processEvents();
    tree.reset();
    QCoreApplication::processEvents();
}

TEST_F(FileTree, RenameRefusesAnExistingNameAndKeepsAHiddenExtension)
{
    Touch(At("truck.qor"));
    Touch(At("trailer.qor"));
    tree->SetExtensionMode(0);
    Build();
    tree->m_bAllowRename = true;
    tree->SetWatchedPath(root);
    tree->StartWatcher();
    CFileTreeCtrlItem* truck = tree->FindChildByName(Top(), QStringLiteral("truck"));
    ASSERT_NE(truck, nullptr);

    EXPECT_FALSE(tree->EndLabelEdit(truck, QStringLiteral("trailer")));
    EXPECT_EQ(tree->asked.size(), 1);
    EXPECT_EQ(truck->text(0), QStringLiteral("truck"));
    EXPECT_TRUE(QFileInfo::exists(At("truck.qor")));
    EXPECT_TRUE(QFileInfo::exists(At("trailer.qor")));

    for (const QString& bad : {QString(), QStringLiteral("a/b"), QStringLiteral("..")}) {
        SCOPED_TRACE(bad.toStdString());
        EXPECT_FALSE(tree->EndLabelEdit(truck, bad));
        EXPECT_TRUE(QFileInfo::exists(At("truck.qor")));
    }

    ASSERT_TRUE(tree->EndLabelEdit(truck, QStringLiteral("lorry")));
    EXPECT_TRUE(QFileInfo::exists(At("lorry.qor")));
    EXPECT_FALSE(QFileInfo::exists(At("truck.qor")));
    EXPECT_EQ(truck->text(0), QStringLiteral("lorry"));
    EXPECT_EQ(truck->Info().m_strFilePath, At("lorry.qor"));
    EXPECT_TRUE(tree->IsWatching());
    EXPECT_EQ(tree->WatchedDirectories(), QStringList{root});
}

TEST_F(FileTree, DeleteGoesToTheTrashOrAsksBeforeDeletingForGood)
{
    Touch(At("a.qor"));
    Touch(At("b.qor"));
    Touch(At("c.qor"));
    Build();
    tree->m_bAllowDelete = true;
    auto item = [&](const char* name) { return tree->FindChildByName(Top(), QString::fromLatin1(name)); };

    // "No" keeps the file.
    EXPECT_FALSE(tree->Delete(item("a.qor")));
    EXPECT_TRUE(QFileInfo::exists(At("a.qor")));

    const QString trash = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Trash";
    tree->answers = {IMessageBoxService::kYes};
    tree->SelectPath(At("b.qor"));
    EXPECT_TRUE(tree->Delete(item("b.qor")));
    EXPECT_FALSE(QFileInfo::exists(At("b.qor")));
    EXPECT_TRUE(QFileInfo::exists(trash + "/files/b.qor"));
    EXPECT_EQ(tree->GetSelectedPath(), At("a.qor"));

    tree->permanent = true;
    tree->answers = {IMessageBoxService::kYes};
    EXPECT_TRUE(tree->Delete(item("c.qor")));
    EXPECT_FALSE(QFileInfo::exists(At("c.qor")));
    EXPECT_FALSE(QFileInfo::exists(trash + "/files/c.qor"));
    EXPECT_EQ(ChildTexts(Top()), QStringList{"a.qor"});
}

TEST_F(FileTree, TrashThatCannotTakeAFileAsksForAPermanentDelete)
{
    Touch(At("a.qor"));
    Build();
    tree->m_bAllowDelete = true;
    tree->trashRefuses = true;

    tree->answers = {IMessageBoxService::kYes, IMessageBoxService::kNo};
    EXPECT_FALSE(tree->Delete(tree->FindChildByName(Top(), QStringLiteral("a.qor"))));
    EXPECT_TRUE(QFileInfo::exists(At("a.qor")));
    ASSERT_EQ(tree->asked.size(), 2);
    EXPECT_TRUE(tree->asked[1].contains(QStringLiteral("cannot be moved to the trash")));
    EXPECT_EQ(tree->topLevelItem(0)->childCount(), 1);

    tree->answers = {IMessageBoxService::kYes, IMessageBoxService::kYes};
    EXPECT_TRUE(tree->Delete(tree->FindChildByName(Top(), QStringLiteral("a.qor"))));
    EXPECT_FALSE(QFileInfo::exists(At("a.qor")));
    EXPECT_EQ(tree->topLevelItem(0)->childCount(), 0);
}

TEST_F(FileTree, NewFoldersCountUpFromTwo)
{
    Build();
    tree->m_bAllowNewFolder = true;
    const QString base = QFileInfo(tree->MakeNewFolderName(root)).fileName();
    for (const QString& expected : {base, base + " (2)", base + " (3)"}) {
        SCOPED_TRACE(expected.toStdString());
        CFileTreeCtrlItem* made = tree->CreateNewFolder(Top());
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(made->Info().m_strFilePath, At(expected));
        EXPECT_TRUE(QFileInfo(At(expected)).isDir());
        EXPECT_EQ(tree->GetSelectedPath(), At(expected));
    }
}

TEST_F(FileTree, DropsMoveOrCopyOnlyOntoOtherFoldersAndAskBeforeReplacing)
{
    Touch(At("src/sub/deep.qor"));
    Touch(At("src/file.qor"));
    Touch(At("dst/file.qor"));
    Touch(At("other/x.qor"));
    Build();
    auto find = [&](const char* relative) { return tree->FindItemByPath(At(QString::fromLatin1(relative))); };
    tree->SelectPath(At("src/sub/deep.qor"));
    tree->SelectPath(At("dst/file.qor"));
    tree->SelectPath(At("other"), true);

    // Onto itself, its parent, its own sub-folder or a file: nothing happens.
    struct Refused
    {
        const char* dragged;
        const char* target;
    };
    for (const Refused& c : {Refused{"src", "src"}, Refused{"src/sub", "src"}, Refused{"src", "src/sub"},
                             Refused{"src/file.qor", "dst/file.qor"}}) {
        SCOPED_TRACE(std::string(c.dragged) + " onto " + c.target);
        EXPECT_FALSE(tree->DropOnto(find(c.dragged), find(c.target), false));
    }
    EXPECT_TRUE(QFileInfo::exists(At("src/sub/deep.qor")));
    EXPECT_TRUE(tree->asked.isEmpty());

    // A name already in the target: "no" keeps both files as they were.
    QFile marked(At("dst/file.qor"));
    ASSERT_TRUE(marked.open(QIODevice::WriteOnly));
    marked.write("kept");
    marked.close();
    tree->answers = {IMessageBoxService::kNo};
    EXPECT_FALSE(tree->DropOnto(find("src/file.qor"), find("dst"), false));
    EXPECT_EQ(tree->asked.size(), 1);
    EXPECT_TRUE(QFileInfo::exists(At("src/file.qor")));
    EXPECT_EQ(QFileInfo(At("dst/file.qor")).size(), 4);

    // A copy leaves the source; a move takes the item out and the target shows it.
    EXPECT_TRUE(tree->DropOnto(find("src/sub/deep.qor"), find("other"), true));
    EXPECT_TRUE(QFileInfo::exists(At("src/sub/deep.qor")));
    EXPECT_TRUE(QFileInfo::exists(At("other/deep.qor")));
    EXPECT_EQ(ChildTexts(find("other")), (QStringList{"deep.qor", "x.qor"}));
    EXPECT_TRUE(tree->DropOnto(find("src/sub"), find("other"), false));
    EXPECT_TRUE(QFileInfo::exists(At("other/sub/deep.qor")));
    EXPECT_FALSE(QFileInfo::exists(At("src/sub")));
    EXPECT_EQ(find("src/sub"), nullptr);
    EXPECT_EQ(ChildTexts(find("other")), (QStringList{"sub", "deep.qor", "x.qor"}));
}

TEST_F(FileTree, CommandsAreEnabledBySelectionAndSwitches)
{
    Touch(At("folder/inner.qor"));
    Touch(At("file.qor"));
    Build();
    struct Case
    {
        const char* selection; // relative path; "" the root folder; nullptr nothing
        bool allow;            // every allow switch set or cleared
        bool withHistory;
        QList<bool> enabled; // 1340 1341 1342 1343 33300 33301 33302 33304
    };
    const QList<unsigned> commands{1340, 1341, 1342, 1343, 33300, 33301, 33302, 33304};
    const QList<Case> cases{
        {nullptr, true, false, {false, false, false, false, false, false, false, false}},
        {"", true, false, {true, false, false, false, true, false, false, true}},
        {"folder", true, false, {true, true, false, false, true, true, true, true}},
        {"folder", false, false, {false, true, false, false, false, false, false, false}},
        {"file.qor", true, true, {true, true, true, true, true, true, true, false}},
        {"file.qor", false, true, {false, true, true, true, false, false, false, false}},
        {"folder/inner.qor", true, false, {true, true, false, false, true, true, true, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.selection ? c.selection : "(none)");
        SCOPED_TRACE(c.allow);
        tree->setCurrentItem(nullptr);
        tree->Refresh();
        if (c.withHistory) {
            tree->SelectPath(At("folder"));
            tree->SelectPath(At("folder/inner.qor"));
            tree->SelectPath(At("file.qor"));
            tree->GoBack();
        }
        if (c.selection) {
            ASSERT_NE(tree->SelectPath(QString::fromLatin1(c.selection).isEmpty() ? root : At(c.selection)),
                      nullptr);
        }
        tree->m_bAllowProperties = tree->m_bAllowOpen = tree->m_bAllowDelete = tree->m_bAllowRename =
            tree->m_bAllowNewFolder = c.allow;
        for (int i = 0; i < commands.size(); ++i) {
            SCOPED_TRACE(commands[i]);
            RecordingCmdUI query;
            tree->UpdateCommand(&query, commands[i]);
            EXPECT_TRUE(query.m_bEnableChanged);
            EXPECT_EQ(query.enabled, c.enabled[i]);
        }
    }

    // A menu of these commands is updated item by item, also inside sub-menus.
    QString error;
    const auto menu =
        MenuResource::Parse("popup 1344\n item 33301\n popup 1344\n  item 33302\n end\nend\n", &error);
    ASSERT_TRUE(menu.has_value()) << error.toStdString();
    std::unique_ptr<QMenu> popup(menu->BuildPopup(0, nullptr));
    tree->m_bAllowDelete = true;
    tree->m_bAllowRename = false;
    tree->UpdateMenu(popup.get());
    EXPECT_TRUE(popup->actions().at(0)->isEnabled());
    EXPECT_FALSE(popup->actions().at(1)->menu()->actions().at(0)->isEnabled());
}

TEST_F(FileTree, KeysRunTheirCommands)
{
    Touch(At("a/one.qor"));
    Touch(At("b.qor"));
    Build();
    tree->m_bAllowRename = true;
    tree->m_bAllowDelete = true;
    tree->show();
    ASSERT_NE(tree->SelectPath(At("a/one.qor")), nullptr);

    QTest::keyClick(tree.get(), Qt::Key_Backspace);
    EXPECT_EQ(tree->GetSelectedPath(), At("a"));
    QTest::keyClick(tree.get(), Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(tree->GetSelectedPath(), At("a/one.qor"));
    QTest::keyClick(tree.get(), Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(tree->GetSelectedPath(), At("a"));
    QTest::keyClick(tree.get(), Qt::Key_Return);
    EXPECT_EQ(tree->opened, QStringList{At("a")});

    Touch(At("c.qor"));
    QTest::keyClick(tree.get(), Qt::Key_F5);
    EXPECT_EQ(ChildTexts(Top()), (QStringList{"a", "b.qor", "c.qor"}));
    EXPECT_EQ(tree->GetSelectedPath(), At("a"));

    tree->SelectPath(At("b.qor"));
    tree->answers = {IMessageBoxService::kNo};
    QTest::keyClick(tree.get(), Qt::Key_Delete);
    ASSERT_EQ(tree->asked.size(), 1);
    EXPECT_TRUE(QFileInfo::exists(At("b.qor")));

    QTest::keyClick(tree.get(), Qt::Key_F2);
    EXPECT_TRUE(tree->Editing());
    auto* editor = tree->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("other"));
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_FALSE(tree->Editing());
    EXPECT_TRUE(QFileInfo::exists(At("b.qor")));
    EXPECT_EQ(tree->currentItem()->text(0), QStringLiteral("b.qor"));

    // Return ends the edit with the typed name.
    QTest::keyClick(tree.get(), Qt::Key_F2);
    ASSERT_TRUE(tree->Editing());
    editor = nullptr;
    for (QLineEdit* open : tree->findChildren<QLineEdit*>())
        if (open->isVisible())
            editor = open;
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("lorry.qor"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(QFileInfo::exists(At("lorry.qor")));
    EXPECT_FALSE(QFileInfo::exists(At("b.qor")));
    EXPECT_EQ(tree->GetSelectedPath(), At("lorry.qor"));
}

// A tree whose file system reports attributes and volume numbers as the test says.
class AttributeTree : public ScriptedTree
{
public:
    QStringList compressed;
    QStringList encrypted;
    quint64 serial = 7;
    mutable int filled = 0; // folders read for the drive "/"

    bool IsCompressed(const QString& path) const override
    {
        return compressed.contains(QFileInfo(path).fileName());
    }
    bool IsEncrypted(const QString& path) const override
    {
        return encrypted.contains(QFileInfo(path).fileName());
    }
    quint64 GetVolumeSerial(const QString&) const override { return serial; }

protected:
    void FillFolder(const QString& path, QTreeWidgetItem* parent, bool deleteChildren) override
    {
        if (path == QLatin1String("/"))
            ++filled;
        CFileTreeCtrl::FillFolder(path, parent, deleteChildren);
    }
};

// Compressed and encrypted entries get their colours while the switches are set; drives never do.
TEST_F(FileTree, CompressedAndEncryptedEntriesAreColoured)
{
    Touch(At("packed.qor"));
    Touch(At("secret.qor"));
    Touch(At("both.qor"));
    Touch(At("plain.qor"));
    QDir().mkpath(At("sealed"));
    auto attributed = std::make_unique<AttributeTree>();
    attributed->compressed = {"packed.qor", "both.qor"};
    attributed->encrypted = {"secret.qor", "both.qor", "sealed"};
    struct Case
    {
        const char* name;
        bool compressedOn, encryptedOn;
        QColor packed, secret, both, sealed;
    };
    const QColor none;
    const QColor blue(0, 0, 255), red(255, 0, 0);
    for (const Case& c : {Case{"both switches", true, true, blue, red, red, red},
                          Case{"compressed only", true, false, blue, none, blue, none},
                          Case{"neither", false, false, none, none, none, none}}) {
        SCOPED_TRACE(c.name);
        attributed->m_bColourCompressed = c.compressedOn;
        attributed->m_bColourEncrypted = c.encryptedOn;
        attributed->SetRootFolder(root, true);
        auto colour = [&](const char* name) {
            QTreeWidgetItem* item =
                attributed->FindChildByName(attributed->topLevelItem(0), QLatin1String(name));
            const QVariant v = item ? item->data(0, Qt::ForegroundRole) : QVariant();
            return v.isValid() ? v.value<QBrush>().color() : QColor();
        };
        EXPECT_EQ(colour("packed.qor"), c.packed);
        EXPECT_EQ(colour("secret.qor"), c.secret);
        EXPECT_EQ(colour("both.qor"), c.both);
        EXPECT_EQ(colour("sealed"), c.sealed);
        EXPECT_EQ(colour("plain.qor"), none);
    }
    // The real attributes: an ordinary file on the test's file system is neither.
    EXPECT_FALSE(tree->IsCompressed(At("plain.qor")));
    EXPECT_FALSE(tree->IsEncrypted(At("plain.qor")));
    EXPECT_FALSE(tree->IsCompressed(At("missing")));
}

// Another medium at a drive's place is read again when the drive is selected or opened.
TEST(FileTreeDrives, AnExchangedMediumIsReadAgain)
{
    AttributeTree tree;
    tree.SetFilePatterns(QStringLiteral("*.qor"));
    tree.Refresh();
    QTreeWidgetItem* computer = tree.topLevelItem(1);
    ASSERT_NE(computer, nullptr);
    computer->setExpanded(true);
    ASSERT_GT(computer->childCount(), 0);
    QTreeWidgetItem* slash = computer->child(0);
    ASSERT_TRUE(tree.IsDriveItem(slash));
    tree.setCurrentItem(slash);
    slash->setExpanded(true);
    EXPECT_EQ(tree.filled, 1);
    // Selected again with the same medium: nothing is read.
    tree.setCurrentItem(computer);
    tree.setCurrentItem(slash);
    EXPECT_EQ(tree.filled, 1);
    // The medium changes: selecting the drive reads it again, once.
    tree.serial = 8;
    tree.setCurrentItem(computer);
    tree.setCurrentItem(slash);
    EXPECT_EQ(tree.filled, 2);
    tree.setCurrentItem(computer);
    tree.setCurrentItem(slash);
    EXPECT_EQ(tree.filled, 2);
    // Opening an open drive after a change reads it again as well; a volume that cannot be read (0)
    // counts as unchanged.
    tree.serial = 9;
    slash->setExpanded(false);
    slash->setExpanded(true);
    EXPECT_EQ(tree.filled, 3);
    tree.serial = 0;
    tree.setCurrentItem(computer);
    tree.setCurrentItem(slash);
    EXPECT_EQ(tree.filled, 3);
    // The real number of the file-system root is readable and stays the same.
    CFileTreeCtrl plain;
    EXPECT_NE(plain.GetVolumeSerial(QStringLiteral("/")), 0u);
    EXPECT_EQ(plain.GetVolumeSerial(QStringLiteral("/")), plain.GetVolumeSerial(QStringLiteral("/")));
    EXPECT_EQ(plain.GetVolumeSerial(QStringLiteral("/no/such/folder")), 0u);
}

// The properties window shows the file's place, size, dates and rights, and does not block.
TEST_F(FileTree, PropertiesShowWhatTheFileSystemTells)
{
    const ScopedDialogTemplateModule module(UiTestModule());
    {
        QFile file(At("truck.qor"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(1234, 'x'));
    }
    QFile::setPermissions(At("truck.qor"), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    QDir().mkpath(At("Trailers/a"));
    Touch(At("Trailers/b.qor"));
    Build();
    struct Case
    {
        const char* path;
        QString size;            // part of the size row
        const char* permissions; // start of the rights row
    };
    for (const Case& c :
         {Case{"truck.qor", QLocale().toString(qint64(1234)) + QStringLiteral(" bytes"), "rw-r-----"},
          Case{"Trailers", QStringLiteral("2 entries"), "rwx"}}) {
        SCOPED_TRACE(c.path);
        ASSERT_NE(tree->SelectPath(At(QString::fromLatin1(c.path))), nullptr);
        ASSERT_TRUE(tree->OnCommand(CFileTreeCtrl::kCmdProperties));
        auto* dialog = tree->findChild<CDlgFileProperties*>();
        ASSERT_NE(dialog, nullptr) << "shown without waiting for it";
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->Value(CDlgFileProperties::kLocation), At(QString::fromLatin1(c.path)));
        EXPECT_TRUE(dialog->Value(CDlgFileProperties::kSize).contains(c.size))
            << dialog->Value(CDlgFileProperties::kSize).toStdString();
        EXPECT_TRUE(dialog->Value(CDlgFileProperties::kPermissions).startsWith(QLatin1String(c.permissions)))
            << dialog->Value(CDlgFileProperties::kPermissions).toStdString();
        EXPECT_NE(dialog->Value(CDlgFileProperties::kModified), QStringLiteral("-"));
        if (std::string(c.path) == "truck.qor") {
            const QString folder = QStringLiteral(QOR_TEST_ARTIFACT_DIR "/catalogue");
            QDir().mkpath(folder);
            EXPECT_TRUE(dialog->grab().save(folder + QStringLiteral("/file_properties.png")));
        }
        dialog->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(tree->findChild<CDlgFileProperties*>(), nullptr) << "the window goes when closed";
    }
    tree->m_bAllowProperties = false;
    tree->OnCommand(CFileTreeCtrl::kCmdProperties);
    EXPECT_EQ(tree->findChild<CDlgFileProperties*>(), nullptr);
}

// The drag cursors: their pictures, padded so that the arrow's tip lies at the centre.
TEST(FileTreeDrag, CursorsHaveTheirHotSpotAtTheCentre)
{
    const ScopedDialogTemplateModule module(UiTestModule());
    for (int id : {33310, 33311, 33312}) {
        SCOPED_TRACE(id);
        const QPixmap picture = CFileTreeCtrl::DragCursorPicture(id);
        ASSERT_FALSE(picture.isNull());
        const QImage image = picture.toImage();
        EXPECT_EQ(image.width(), image.height());
        EXPECT_GT(qAlpha(image.pixel(image.width() / 2, image.height() / 2)), 0)
            << "the tip is at the centre";
        EXPECT_EQ(qAlpha(image.pixel(image.width() / 2 - 2, image.height() / 2 - 2)), 0)
            << "nothing above it";
    }
    EXPECT_NE(CFileTreeCtrl::DragCursorPicture(33311).toImage(),
              CFileTreeCtrl::DragCursorPicture(33312).toImage());
    EXPECT_TRUE(CFileTreeCtrl::DragCursorPicture(1).isNull()) << "a number without a cursor picture";
}

TEST_F(FileTree, TemplatesMakeTheTree)
{
    CFileTreeCtrl::RegisterTemplateClass();
    EXPECT_TRUE(DialogTemplateLoader::IsRegistered(QStringLiteral("CFileTreeCtrl")));
}

} // namespace

namespace {

TEST(FileTreeRoots, ProfileThenComputerWithTheFileSystemRootAndMounts)
{
    CFileTreeCtrl tree;
    tree.SetFilePatterns(QStringLiteral("*.qor"));
    tree.Refresh();
    ASSERT_EQ(tree.topLevelItemCount(), 2);
    auto* profile = CFileTreeCtrl::Item(tree.topLevelItem(0));
    auto* computer = CFileTreeCtrl::Item(tree.topLevelItem(1));
    EXPECT_EQ(profile->Info().m_nItemKind, CFileTreeCtrlItemInfo::kProfile);
    EXPECT_EQ(profile->Info().m_strFilePath, QDir::homePath());
    EXPECT_EQ(computer->Info().m_nItemKind, CFileTreeCtrlItemInfo::kComputer);
    computer->setExpanded(true);
    ASSERT_GT(computer->childCount(), 0);
    EXPECT_EQ(computer->child(0)->text(0), QStringLiteral("/"));
    EXPECT_TRUE(tree.IsDriveItem(computer->child(0)));

    // A path outside the profile starts at the computer; "/" itself is the file-system root.
    CFileTreeCtrlItem* slash = tree.SelectPath(QStringLiteral("/"));
    ASSERT_NE(slash, nullptr);
    EXPECT_EQ(slash->parent(), computer);
    QTemporaryDir dir;
    const QString folder = QDir(dir.path()).canonicalPath();
    if (!folder.startsWith(QDir::homePath() + QLatin1Char('/'))) {
        CFileTreeCtrlItem* item = tree.SelectPath(folder + QLatin1Char('/'));
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->Info().m_strFilePath, folder);
    }
    // A drive is neither renamed nor deleted.
    tree.m_bAllowDelete = tree.m_bAllowRename = true;
    tree.setCurrentItem(slash);
    RecordingCmdUI query;
    tree.UpdateCommand(&query, CFileTreeCtrl::kCmdDelete);
    EXPECT_FALSE(query.enabled);
}

TEST(FileTreePicture, RootsAndAnOpenFolder)
{
    QTemporaryDir dir;
    const QString root = QDir(dir.path()).canonicalPath();
    for (const char* name : {"Vehicles/truck.qor", "Vehicles/Trailers/drawbar.qor", "Vehicles/tractor.qor",
                             "Combinations/a.qor", "notes.txt"})
        Touch(root + QLatin1Char('/') + QString::fromLatin1(name));
    CFileTreeCtrl tree;
    tree.SetFilePatterns(QStringLiteral("*.qor"));
    tree.SetExtensionMode(0);
    tree.SetRootFolder(root, true);
    tree.SelectPath(root + QStringLiteral("/Vehicles/truck.qor"));
    // "Combinations" is shown as the target of a drag going on.
    tree.SetDropHighlight(tree.FindItemByPath(root + QStringLiteral("/Combinations")));
    ASSERT_NE(tree.DropHighlight(), nullptr);
    tree.resize(320, 220);
    tree.show();
    const QString folder = QStringLiteral(QOR_TEST_ARTIFACT_DIR "/catalogue");
    QDir().mkpath(folder);
    const QImage picture = tree.grab().toImage();
    EXPECT_FALSE(picture.isNull());
    EXPECT_TRUE(picture.save(folder + QStringLiteral("/file_tree.png")));
}

} // namespace
