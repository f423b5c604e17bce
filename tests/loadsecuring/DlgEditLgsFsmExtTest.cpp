// The catalogue browser: categories, button states, start values and position, and FSM entries
// created, edited, copied and deleted through the real editor.
#include "catalogue/CDlgLadung.h"
#include "catalogue/CHListbox.h"
#include "loadsecuring/CDlgEditLgsFsmExt.h"
#include "loadsecuring/CDlgFSM.h"
#include "loadsecuring/DialogPlacement.h"
#include "loadsecuring/LgsFsmEditors.h"
#include "model/files/FsmEditing.h"
#include "model/files/VehicleFiles.h"
#include "ui/CEditLast.h"
#include "ui/CRibBtnContainer.h"
#include "ui/CommandEvent.h"
#include "ui/ControlId.h"
#include "ui/ProgramRun.h"
#include "ui/RibBtnStrip.h"
#include "ui/ScriptedMessageBoxService.h"

#include "../ui/UiTestModule.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <random>

namespace fs = std::filesystem;

namespace {

void Drain()
{
    EXPECT_TRUE(CHListbox::WaitForLoaderPool(30000)) << "a loader thread is still running";
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

class DlgEditLgsFsmExtTest : public testing::Test
{
protected:
    DlgEditLgsFsmExtTest() : m_templates(UiTestModule())
    {
        std::random_device rd;
        root = fs::temp_directory_path() / ("qor_browser_" + std::to_string(rd()));
        folders = {root / "lu", root / "fsm", root / "pic", root / "samples"};
        for (const fs::path& p : {folders.loadUnits, folders.fsmItems, folders.pictures, folders.samples})
            fs::create_directories(p);
        Write(folders.loadUnits / "Kiste.lgs", 3);
        Write(folders.loadUnits / "Fass.lgs", 3);
        Write(folders.samples / "EP.lgs", 0);
        Write(folders.fsmItems / "own" / "Keil.fsm", 6);
        catalogue = std::make_shared<CHlbCatalogue>(folders);
        LgsFsmEditors::Install(run);
    }
    ~DlgEditLgsFsmExtTest() override
    {
        Drain();
        LgsFsmEditors::SetRunner(nullptr);
        LgsFsmEditors::Uninstall();
        fs::remove_all(root);
    }

    static void Write(const fs::path& path, int type)
    {
        fs::create_directories(path.parent_path());
        tagItemData item;
        item.m_nArt = type;
        item.m_dLaenge = 1.2;
        item.m_dBreite = 0.8;
        item.m_dHoehe = 1.0;
        item.m_dMasse = 0.02;
        ASSERT_TRUE(SaveItemDataFile(path, item)) << path;
    }
    static CRibBtnContainer* StripOf(CDlgEditLgsFsmExt& dialog, int id)
    {
        auto* face = dynamic_cast<RibBtnStrip*>(dialog.FindRibBtnContainer(id));
        return face ? face->Strip() : nullptr;
    }
    static int Enabled(CDlgEditLgsFsmExt& dialog, int id)
    {
        CRibBtnContainer* strip = StripOf(dialog, id);
        return strip ? strip->IsButtonEnabled(quint32(id)) : -1;
    }
    static void Press(QObject* target, int id)
    {
        CommandEvent command(static_cast<quint32>(id));
        QCoreApplication::sendEvent(target, &command);
    }
    // Selects the first tile whose entry has the name and type; false when there is none.
    static bool Select(CDlgEditLgsFsmExt& dialog, const std::string& name, int type)
    {
        CHListbox* list = dialog.List();
        for (int i = 0; i < list->GetItemCount(); ++i) {
            const auto* entry = static_cast<const sHLBItemData*>(list->GetItem(i)->ownerData);
            if (entry && entry->item.m_strName == name && entry->item.m_nArt == type) {
                dialog.Adapter().SelectItem(i);
                dialog.KickIdle();
                return true;
            }
        }
        return false;
    }
    QString FilterText(CDlgEditLgsFsmExt& dialog) const
    {
        return dialog.findChild<QLineEdit*>(QStringLiteral("id_1343"))->text();
    }

    fs::path root;
    CatalogueFolders folders;
    ProgramRun run;
    std::shared_ptr<CHlbCatalogue> catalogue;
    ScriptedMessageBoxService boxes;

private:
    ScopedDialogTemplateModule m_templates;
};

TEST_F(DlgEditLgsFsmExtTest, CategoryButtonsKeepOrResetTheSearch)
{
    CDlgEditLgsFsmExt dialog(catalogue);
    dialog.m_bStartWerte = true;
    dialog.m_strStartSuche = QStringLiteral("Ki");
    dialog.InitDialog();
    int category = -1;
    QString text;
    dialog.Adapter().GetFilter(&category, &text);
    EXPECT_EQ(category, 0);
    EXPECT_EQ(text, QStringLiteral("Ki"));
    EXPECT_EQ(FilterText(dialog), QStringLiteral("Ki"));
    EXPECT_EQ(dialog.List()->GetItemCount(), 1);

    // The category already shown: nothing changes, the search text included.
    dialog.RunCommand(716);
    dialog.Adapter().GetFilter(&category, &text);
    EXPECT_EQ(text, QStringLiteral("Ki"));
    EXPECT_EQ(FilterText(dialog), QStringLiteral("Ki"));
    EXPECT_EQ(StripOf(dialog, 732)->GetButtonValue(732), 732);

    // The other category: its entries, no search text, the buttons of FSM items.
    dialog.RunCommand(715);
    dialog.Adapter().GetFilter(&category, &text);
    EXPECT_EQ(category, 1);
    EXPECT_TRUE(text.isEmpty());
    EXPECT_TRUE(FilterText(dialog).isEmpty());
    const std::pair<int, int> fsmButtons[] = {{732, 733}, {721, 865}, {875, 876}, {872, 873}};
    for (const auto& [id, resource] : fsmButtons)
        EXPECT_EQ(StripOf(dialog, id)->GetButtonValue(quint32(id)), resource) << id;
    dialog.KickIdle();
    EXPECT_FALSE(StripOf(dialog, 716)->FindButton(716)->Checked() != 0);
    EXPECT_TRUE(StripOf(dialog, 715)->FindButton(715)->Checked() != 0);

    // A typed filter replaces the search text after its delay.
    dialog.findChild<QLineEdit*>(QStringLiteral("id_1343"))->setText(QStringLiteral(" Keil "));
    dialog.ApplyFilterText();
    dialog.Adapter().GetFilter(&category, &text);
    EXPECT_EQ(text, QStringLiteral("Keil"));
}

TEST_F(DlgEditLgsFsmExtTest, ButtonsFollowCategoryAndSelection)
{
    struct Case
    {
        int category;
        const char* name;
        int type;
        bool editor;
        int enabled[4]; // new, edit, copy, delete
    };
    const std::string builtIn = LoadResString(447);
    const Case cases[] = {
        {0, "Kiste", 3, true, {1, 1, 1, 1}},
        {0, "EP", 0, true, {1, 0, 1, 0}}, // a sample: copied, never edited or deleted
        {1, "Keil", 6, true, {1, 1, 1, 1}},
        {1, builtIn.c_str(), 8, true, {1, 0, 0, 0}},
        {1, "Keil", 6, false, {0, 0, 0, 1}}, // no FSM editor installed
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (c.editor ? "" : " without editor"));
        if (!c.editor)
            LgsFsmEditors::Uninstall();
        CDlgEditLgsFsmExt dialog(catalogue);
        dialog.m_bStartWerte = true;
        dialog.m_nStartKategorie = c.category;
        dialog.InitDialog();
        ASSERT_TRUE(Select(dialog, c.name, c.type));
        const int ids[] = {732, 721, 875, 872};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(Enabled(dialog, ids[i]), c.enabled[i]) << ids[i];
        LgsFsmEditors::Install(run);
    }
}

TEST_F(DlgEditLgsFsmExtTest, StartValuesAndEditingAtOnce)
{
    std::vector<std::pair<int, std::string>> edited;
    LgsFsmEditors::SetRunner([&](CDlgFSM& editor) {
        edited.emplace_back(editor.m_werte.nModus, editor.m_werte.strName);
        return 0;
    });
    CDlgEditLgsFsmExt dialog(catalogue);
    dialog.m_bStartWerte = true;
    dialog.m_nStartKategorie = 1;
    dialog.m_nStartAnsicht = 1;
    dialog.m_nStartIndex = 0;
    dialog.m_bSofortBearbeiten = true;
    dialog.InitDialog();
    EXPECT_EQ(dialog.Adapter().ViewMode(), 1);
    EXPECT_EQ(dialog.List()->GetCurSel(), 0);
    EXPECT_TRUE(StripOf(dialog, 1344)->FindButton(1344)->Checked() != 0);
    ASSERT_NE(dialog.Adapter().SelectedEntry(), nullptr);
    EXPECT_EQ(dialog.Adapter().SelectedEntry()->item.m_strName, "Keil");
    // 721 was posted: the editor opens once the events run.
    EXPECT_TRUE(edited.empty());
    QCoreApplication::sendPostedEvents(&dialog);
    ASSERT_EQ(edited.size(), 1u);
    EXPECT_EQ(edited[0], std::make_pair(0, std::string("Keil")));

    // A double click edits a user's entry at once, never a built-in one.
    dialog.EntryActivated(dialog.Adapter().SelectedEntry());
    EXPECT_EQ(edited.size(), 2u);
    ASSERT_TRUE(Select(dialog, LoadResString(447), 8));
    dialog.EntryActivated(dialog.Adapter().SelectedEntry());
    EXPECT_EQ(edited.size(), 2u);
}

TEST_F(DlgEditLgsFsmExtTest, LoadUnitsAreCreatedWithTheLoadUnitEditor)
{
    CDlgEditLgsFsmExt dialog(catalogue);
    dialog.InitDialog();
    bool seen = false;
    // The load-unit editor runs modally: fill it in once it is up and save.
    QTimer::singleShot(0, &dialog, [&] {
        auto* editor = dynamic_cast<CDlgLadung*>(QApplication::activeModalWidget());
        ASSERT_NE(editor, nullptr);
        seen = true;
        const std::pair<int, const char*> fields[] = {{1014, "Regal"}, {1041, "1200"}, {1015, "800"},
                                                      {1043, "1000"},  {1018, "300"},  {1042, "600"},
                                                      {1016, "400"},   {1019, "500"}};
        for (const auto& [id, text] : fields)
            editor->Field(id)->setText(QString::fromLatin1(text));
        CommandEvent save(714);
        QCoreApplication::sendEvent(editor, &save);
        if (editor->isVisible())
            editor->reject();
    });
    dialog.RunCommand(732);
    EXPECT_TRUE(seen);
    EXPECT_TRUE(fs::exists(folders.loadUnits / "Regal.lgs"));
    ASSERT_NE(dialog.Adapter().SelectedEntry(), nullptr);
    EXPECT_EQ(dialog.Adapter().SelectedEntry()->item.m_strName, "Regal");
    EXPECT_EQ(dialog.Adapter().SelectedEntry()->path, (folders.loadUnits / "Regal.lgs").string());
}

TEST_F(DlgEditLgsFsmExtTest, AnEntryEditedBeforeItsTileLoadedKeepsItsPicture)
{
    QImage image(80, 60, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    ASSERT_TRUE(image.save(QString::fromStdString((folders.pictures / "cyan.dat").string()), "PNG"));
    tagItemData item;
    item.m_nArt = 6;
    item.m_dLaenge = 0.3;
    item.m_dBreite = 0.2;
    item.m_dHoehe = 0.1;
    item.m_strBildDatei = "cyan.dat";
    const fs::path file = folders.fsmItems / "Anker.fsm";
    ASSERT_TRUE(SaveItemDataFile(file, item));

    CDlgEditLgsFsmExt dialog(catalogue);
    dialog.m_bStartWerte = true;
    dialog.m_nStartKategorie = 1;
    dialog.InitDialog();
    ASSERT_TRUE(Select(dialog, "Anker", 6));
    ASSERT_EQ(dialog.Adapter().SelectedEntry()->item.m_pBild, nullptr); // no loader result taken yet
    bool shown = false;
    LgsFsmEditors::SetRunner([&](CDlgFSM& editor) {
        editor.InitDialog();
        shown = !editor.Bild().isNull();
        editor.Edit(1018)->SetText(QStringLiteral("7"));
        CommandEvent save(714);
        QCoreApplication::sendEvent(&editor, &save);
        return editor.result();
    });
    dialog.RunCommand(721);
    EXPECT_TRUE(shown);
    tagItemData read;
    ASSERT_TRUE(LoadItemDataFile(file, read));
    EXPECT_EQ(read.m_strBildDatei, "cyan.dat");
    EXPECT_DOUBLE_EQ(read.m_dMasse, 0.007);
}

TEST_F(DlgEditLgsFsmExtTest, TypedTextShowsInTheSearchFieldUntilTheSearchEnds)
{
    CDlgEditLgsFsmExt dialog(catalogue);
    dialog.InitDialog();
    CEditLast* search = dialog.findChild<CEditLast*>(QStringLiteral("id_1345"));
    ASSERT_NE(search, nullptr);
    QWidget* canvas = dialog.List()->Canvas();
    struct Case
    {
        const char* typed;
        QColor colour;
        const char* selected;
    };
    const Case cases[] = {{"Ki", QColor(200, 242, 169), "Kiste"}, {"zz", QColor(254, 136, 146), "Kiste"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        for (const char* ch = c.typed; *ch; ++ch) {
            QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(QLatin1Char(*ch)));
            QCoreApplication::sendEvent(canvas, &key);
        }
        dialog.List()->OnTypedSearchTimer();
        QCoreApplication::sendPostedEvents(); // a selection during a scroll runs from the event loop
        EXPECT_EQ(search->text(), QString::fromLatin1(c.typed));
        EXPECT_EQ(search->BkColor(), c.colour);
        EXPECT_EQ(dialog.Adapter().SelectedEntry()->item.m_strName, c.selected);
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(canvas, &esc);
        EXPECT_TRUE(search->text().isEmpty());
        EXPECT_EQ(dialog.Adapter().TypedHit(), -1);
    }
}

TEST_F(DlgEditLgsFsmExtTest, TheSearchFieldSearchesAfterItsDelayAndReturnTakesTheHit)
{
    CDlgEditLgsFsmExt dialog(catalogue);
    dialog.show();
    CEditLast* search = dialog.findChild<CEditLast*>(QStringLiteral("id_1345"));
    ASSERT_NE(search, nullptr);
    ASSERT_TRUE(Select(dialog, "Fass", 3));

    QTest::keyClicks(search, QStringLiteral("Ki"));
    EXPECT_TRUE(dialog.SearchPending());
    EXPECT_EQ(dialog.Adapter().TypedHit(), -1); // nothing searched before the delay
    dialog.RunSearchText();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(dialog.Adapter().TypedHit(), 1) << search->text().toStdString();
    EXPECT_EQ(dialog.Adapter().SelectedEntry()->item.m_strName, "Kiste");
    EXPECT_EQ(search->selectedText(), QStringLiteral("Ki"));
    EXPECT_EQ(search->BkColor(), QColor(200, 242, 169));
    dialog.ResetSearchColour();
    EXPECT_FALSE(search->BkColor().isValid());

    // Return while the delay runs searches at once and takes the hit; the dialog stays open.
    ASSERT_TRUE(Select(dialog, "Kiste", 3));
    search->clear();
    QTest::keyClicks(search, QStringLiteral("Fa"));
    QTest::keyClick(search, Qt::Key_Return);
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(dialog.SearchPending());
    EXPECT_EQ(dialog.Adapter().SelectedEntry()->item.m_strName, "Fass");
    EXPECT_TRUE(dialog.isVisible());

    // Entering the field again starts afresh.
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(search, &in);
    EXPECT_TRUE(search->text().isEmpty());
}

TEST_F(DlgEditLgsFsmExtTest, OpenedFromAStripWithItsCategoryAndSearchKeepingItsViewMode)
{
    // A strip of the same catalogue in compact view, as the loading ramp has one.
    QWidget window;
    auto* list = new CHListbox(&window);
    list->Create(kHlbOwnerDrawn, QRect(0, 0, 400, 120), &window, CDlgEditLgsFsmExt::kListId);
    CHlbAdapter ramp(catalogue);
    ramp.Attach(list);
    ramp.SetViewMode(1);

    const QRect screen = AvailableScreenAt(QPoint(0, 0));
    const QPoint start(screen.left() + 20, screen.top() + 400);
    int category = -1;
    QString text;
    QPoint bottomLeft;
    int mode = -1;
    QTimer::singleShot(0, &window, [&] {
        auto* browser = dynamic_cast<CDlgEditLgsFsmExt*>(QApplication::activeModalWidget());
        ASSERT_NE(browser, nullptr);
        browser->Adapter().GetFilter(&category, &text);
        bottomLeft = browser->frameGeometry().bottomLeft();
        mode = browser->Adapter().ViewMode();
        browser->reject();
    });
    LgsFsmEditors::OpenBrowserAt(nullptr, catalogue, start, 1, QStringLiteral("Ke"));
    EXPECT_EQ(category, 1);
    EXPECT_EQ(text, QStringLiteral("Ke"));
    EXPECT_EQ(mode, 0);
    EXPECT_EQ(bottomLeft.x(), start.x() + 4);
    EXPECT_EQ(ramp.ViewMode(), 1);
    Drain();
}

namespace {

// The window the browser is opened from, taking the tiles dragged out of it as the loading ramp does.
class ZiehZiel : public QWidget, public IHlbAdapterOwner
{
public:
    bool TileDragStart(const CHlbCatalogue::Entry& entry, QPoint /*global*/) override
    {
        namen.push_back(entry ? entry->item.m_strName : std::string());
        return true;
    }
    void TileDragMove(QPoint global) override { wege.push_back(global); }
    void TileDragEnd(QPoint global) override { ende.push_back(global); }
    std::vector<std::string> namen;
    std::vector<QPoint> wege, ende;
};

} // namespace

TEST_F(DlgEditLgsFsmExtTest, ATileDraggedOutOfTheBrowserGoesToTheWindowItWasOpenedFrom)
{
    ZiehZiel ziel;
    std::string gewaehlt;
    QPoint aussen;
    QTimer::singleShot(0, &ziel, [&] {
        auto* browser = dynamic_cast<CDlgEditLgsFsmExt*>(QApplication::activeModalWidget());
        ASSERT_NE(browser, nullptr);
        Drain();
        CHListbox* list = browser->List();
        const int i = list->GetCurSel();
        ASSERT_GE(i, 0);
        gewaehlt = static_cast<const sHLBItemData*>(list->GetItem(i)->ownerData)->item.m_strName;
        QWidget* canvas = list->Canvas();
        const QPoint tile = list->GetItemRect(i).center();
        aussen = canvas->mapToGlobal(QPoint(tile.x(), -60));
        QTest::mousePress(canvas, Qt::LeftButton, {}, tile);
        QMouseEvent move(QEvent::MouseMove, QPointF(canvas->mapFromGlobal(aussen)), QPointF(aussen),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(canvas, &move);
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, canvas->mapFromGlobal(aussen));
        browser->reject();
    });
    LgsFsmEditors::OpenBrowserAt(&ziel, catalogue, QPoint(), 0, QString());
    ASSERT_FALSE(gewaehlt.empty());
    EXPECT_EQ(ziel.namen, std::vector<std::string>{gewaehlt});
    EXPECT_EQ(ziel.wege, std::vector<QPoint>{aussen});
    EXPECT_EQ(ziel.ende, std::vector<QPoint>{aussen});
    Drain();
}

TEST(DialogPlacement, BesideTheAnchorAndAtTheStartPoint)
{
    const QRect screen(0, 0, 1000, 700);
    const QSize size(300, 200);
    struct Case
    {
        const char* what;
        QRect anchor;
        QPoint expected;
    };
    const Case beside[] = {
        {"right of it, bottoms aligned", QRect(100, 400, 50, 30), QPoint(150, 230)},
        {"left of it at the right edge", QRect(800, 400, 50, 30), QPoint(500, 230)},
        {"not above the screen", QRect(100, 20, 50, 30), QPoint(150, 0)},
        {"not left of the screen", QRect(150, 400, 800, 30), QPoint(0, 230)},
    };
    for (const Case& c : beside) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(PlaceBesideAnchor(size, c.anchor, screen), c.expected);
    }
    struct Start
    {
        const char* what;
        QPoint start;
        QPoint expected;
    };
    const Start starts[] = {
        {"left edge 4 right of it, bottom on it", QPoint(100, 500), QPoint(104, 301)},
        {"shifted left near the right edge", QPoint(900, 500), QPoint(700, 301)},
        {"kept below the screen's top", QPoint(100, 50), QPoint(104, 0)},
    };
    for (const Start& c : starts) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(PlaceAtStartPoint(size, c.start, screen), c.expected);
    }
}

TEST_F(DlgEditLgsFsmExtTest, StartPositionNearTheRightEdgeStaysOnTheScreen)
{
    const QRect screen = AvailableScreenAt(QPoint(0, 0));
    ASSERT_FALSE(screen.isEmpty());
    CDlgEditLgsFsmExt dialog(catalogue);
    dialog.m_ptStart = QPoint(screen.right() - 10, screen.bottom() - 10);
    dialog.InitDialog();
    EXPECT_GE(dialog.x(), screen.left());
    EXPECT_LE(dialog.x() + dialog.width() - 1, screen.right());
}

TEST_F(DlgEditLgsFsmExtTest, FsmEntriesAreCreatedEditedCopiedAndDeletedWithTheirPictures)
{
    const QString picture = QString::fromStdString((root / "wedge.png").string());
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(QColor(180, 120, 60));
    ASSERT_TRUE(image.save(picture, "PNG"));

    CDlgEditLgsFsmExt dialog(catalogue);
    dialog.m_bStartWerte = true;
    dialog.m_nStartKategorie = 1;
    dialog.InitDialog();
    Drain();

    std::string name = "Block";
    bool withPicture = true;
    LgsFsmEditors::SetRunner([&](CDlgFSM& editor) {
        editor.InitDialog();
        for (const auto& [id, value] : {std::pair{1041, "150"}, {1015, "100"}, {1043, "80"}, {1018, "2"}})
            editor.Edit(id)->SetText(QString::fromLatin1(value));
        editor.Edit(1014)->SetText(QString::fromStdString(name));
        if (withPicture) {
            EXPECT_TRUE(editor.LoadPictureFile(picture));
        }
        CommandEvent save(714);
        QCoreApplication::sendEvent(&editor, &save);
        return editor.result();
    });
    auto selected = [&dialog]() { return dialog.Adapter().SelectedEntry(); };
    const fs::path own = FsmItemPath(folders.fsmItems, "x").parent_path();

    dialog.RunCommand(732);
    ASSERT_NE(selected(), nullptr);
    EXPECT_EQ(selected()->item.m_strName, "Block");
    EXPECT_EQ(selected()->item.m_nArt, 6);
    EXPECT_TRUE(fs::exists(own / "Block.fsm"));
    const std::string pictureFile = selected()->item.m_strBildDatei;
    ASSERT_FALSE(pictureFile.empty());
    EXPECT_EQ(QImage(QString::fromStdString((folders.pictures / pictureFile).string())).size(),
              QSize(172, 129));

    // Renamed without a new picture: the new file is written, the old one goes, the picture stays.
    name = "Block2";
    withPicture = false;
    dialog.RunCommand(721);
    EXPECT_FALSE(fs::exists(own / "Block.fsm"));
    ASSERT_TRUE(fs::exists(own / "Block2.fsm"));
    tagItemData read;
    ASSERT_TRUE(LoadItemDataFile(own / "Block2.fsm", read));
    EXPECT_EQ(read.m_strBildDatei, pictureFile);
    EXPECT_DOUBLE_EQ(read.m_dLaenge, 0.15);

    // A copy under a new name; the original stays.
    name = "Block3";
    dialog.RunCommand(875);
    EXPECT_TRUE(fs::exists(own / "Block2.fsm"));
    ASSERT_TRUE(fs::exists(own / "Block3.fsm"));
    EXPECT_EQ(selected()->item.m_strName, "Block3");

    // Deleted after the question.
    dialog.Adapter().SetConfirmDelete([](const QString&, const QString&) { return true; });
    dialog.RunCommand(872);
    EXPECT_FALSE(fs::exists(own / "Block3.fsm"));
    EXPECT_EQ(catalogue->Filter(1, "Block3").size(), 0u);
    EXPECT_EQ(catalogue->Filter(1, "Block2").size(), 1u);

    // The browser with its tiles, kept for people to look at.
    ASSERT_TRUE(Select(dialog, "Block2", 6));
    dialog.show();
    dialog.List()->Layout();
    Drain();
    dialog.KickIdle();
    const QString dir = QStringLiteral(QOR_TEST_ARTIFACT_DIR);
    QDir().mkpath(dir);
    EXPECT_TRUE(dialog.grab().save(dir + QStringLiteral("/catalogue_browser.png")));
}

} // namespace
