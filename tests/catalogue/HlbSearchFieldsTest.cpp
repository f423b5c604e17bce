// The search and filter fields of a catalogue strip: typed search after its pause, the colours and their
// reset, Return before and after the pause, the filter after its pause and the clear button.
#include "StripTestSupport.h"

#include "catalogue/CHlbAdapter.h"
#include "catalogue/CHlbSearchFields.h"
#include "model/files/VehicleFiles.h"
#include "model/text/TextProvider.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <random>

namespace fs = std::filesystem;

namespace {

class HlbSearchFieldsTest : public ::testing::Test
{
protected:
    HlbSearchFieldsTest()
    {
        std::random_device rd;
        root = fs::temp_directory_path() / ("qor_searchfields_" + std::to_string(rd()));
        folders = {root / "lu", root / "fsm", root / "pic", root / "samples"};
        for (const fs::path& p : {folders.loadUnits, folders.fsmItems, folders.pictures, folders.samples})
            fs::create_directories(p);
        for (const char* name : {"Anker", "Barrel", "Kiste", "Klotz", "Rolle"}) {
            tagItemData item;
            item.m_nArt = 3;
            item.m_dLaenge = item.m_dBreite = item.m_dHoehe = 1.0;
            EXPECT_TRUE(SaveItemDataFile(folders.loadUnits / (std::string(name) + ".lgs"), item));
        }
        catalogue = std::make_shared<CHlbCatalogue>(folders);
        window.resize(300, 100);
        search = new QLineEdit(&window);
        filter = new QLineEdit(&window);
        clear = new QPushButton(QStringLiteral("x"), &window);
        adapter = std::make_unique<CHlbAdapter>(catalogue);
        fields = std::make_unique<CHlbSearchFields>(*adapter);
        fields->AttachSearchEdit(search);
        fields->AttachFilterEdit(filter, clear);
        adapter->Attach(strip.list);
    }
    ~HlbSearchFieldsTest() override
    {
        fields.reset();
        adapter.reset();
        fs::remove_all(root);
    }

    QString Selected() const
    {
        const sHLBItemData* e = adapter->SelectedEntry();
        return e ? QString::fromStdString(e->item.m_strName) : QString();
    }
    void Settle()
    {
        if (strip.list->HasDeferredSelection())
            strip.list->PerformDeferredSelection();
    }

    CTableTextProvider texts{{{447, "Filler item"}}};
    ScopedTextProvider scopedTexts{&texts};
    fs::path root;
    CatalogueFolders folders;
    std::shared_ptr<CHlbCatalogue> catalogue;
    StripWindow strip{kHlbOwnerDrawn};
    QWidget window;
    QLineEdit* search = nullptr;
    QLineEdit* filter = nullptr;
    QPushButton* clear = nullptr;
    std::unique_ptr<CHlbAdapter> adapter;
    std::unique_ptr<CHlbSearchFields> fields;
};

TEST_F(HlbSearchFieldsTest, TypedTextIsSearchedAfterThePauseAndColouredByItsResult)
{
    struct Fall
    {
        const char* typed;
        bool found;
        const char* selected;
    };
    for (const Fall& f : {Fall{"Kl", true, "Klotz"}, Fall{"zz", false, "Klotz"}, Fall{"rel", true, "Barrel"},
                          Fall{"K", true, "Kiste"}}) {
        SCOPED_TRACE(f.typed);
        search->clear();
        QTest::keyClicks(search, QString::fromLatin1(f.typed));
        EXPECT_TRUE(fields->SearchPending()) << "nothing is searched while the user types";
        fields->OnSearchTimer();
        Settle();
        EXPECT_EQ(Selected(), QString::fromLatin1(f.selected));
        EXPECT_EQ(adapter->TypedHit() >= 0, f.found);
        EXPECT_EQ(search->text(), QString::fromLatin1(f.typed));
        EXPECT_EQ(search->selectedText(), search->text());
        EXPECT_EQ(fields->SearchColour(),
                  f.found ? CHlbSearchFields::FoundColour() : CHlbSearchFields::NotFoundColour());
        EXPECT_TRUE(fields->ColourPending());
        fields->OnColourTimer();
        EXPECT_EQ(fields->SearchColour(), QColor(Qt::white));
    }
    // A search the strip runs itself (typing on the tiles) shows in the field too.
    adapter->TypedSearch(QStringLiteral("Ro"));
    EXPECT_EQ(search->text(), QStringLiteral("Ro"));
    EXPECT_EQ(fields->SearchColour(), CHlbSearchFields::FoundColour());
}

TEST_F(HlbSearchFieldsTest, ReturnSelectsTheHitAlsoWhenPressedDuringThePause)
{
    // Pressed during the pause: the hit is selected once the search ran.
    QTest::keyClicks(search, QStringLiteral("Kiste"));
    adapter->SelectItem(0, false);
    Settle();
    QTest::keyClick(search, Qt::Key_Return);
    EXPECT_EQ(Selected(), QStringLiteral("Anker")) << "no search has run yet";
    fields->OnSearchTimer();
    Settle();
    EXPECT_EQ(Selected(), QStringLiteral("Kiste"));
    // Pressed after the search: the hit is selected again at once.
    adapter->SelectItem(0, false);
    Settle();
    QTest::keyClick(search, Qt::Key_Return);
    Settle();
    EXPECT_EQ(Selected(), QStringLiteral("Kiste"));
    // Focus entering the field starts a new search from an empty field.
    window.show();
    filter->setFocus();
    search->setFocus();
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(search, &in);
    EXPECT_TRUE(search->text().isEmpty());
}

TEST_F(HlbSearchFieldsTest, TheFilterRefillsAfterItsPauseAndTheClearButtonEmptiesIt)
{
    StripWindow zweite(kHlbOwnerDrawn);
    CHlbAdapter andere(catalogue);
    andere.Attach(zweite.list);
    ASSERT_EQ(strip.list->GetItemCount(), 5);
    QTest::keyClicks(filter, QStringLiteral(" K "));
    EXPECT_TRUE(fields->FilterPending());
    EXPECT_EQ(strip.list->GetItemCount(), 5) << "nothing is filtered while the user types";
    fields->OnFilterTimer();
    EXPECT_EQ(strip.list->GetItemCount(), 2);
    EXPECT_EQ(zweite.list->GetItemCount(), 2) << "the other strip follows";
    QString text;
    adapter->GetFilter(nullptr, &text);
    EXPECT_EQ(text, QStringLiteral("K"));
    // A refill from elsewhere shows its search text in the field.
    andere.SetFilter(0, QStringLiteral("e"), true);
    EXPECT_EQ(filter->text(), QStringLiteral("e"));
    EXPECT_EQ(strip.list->GetItemCount(), 4);
    QTest::mouseClick(clear, Qt::LeftButton);
    EXPECT_TRUE(filter->text().isEmpty());
    EXPECT_EQ(strip.list->GetItemCount(), 5);
    EXPECT_EQ(zweite.list->GetItemCount(), 5);
}

} // namespace
