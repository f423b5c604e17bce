// The ribbon's customise sheet: its pages and categories, the quick access commands and the keys it
// edits on copies, and what OK and Cancel leave on the ribbon.
#include "platform/ribbon/RibbonCustomizeSheet.h"

#include "model/text/TextProvider.h"
#include "platform/ToolkitTranslation.h"
#include "platform/ribbon/RibbonBar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace {

QKeySequence Key(const char* text)
{
    return QKeySequence::fromString(QString::fromLatin1(text), QKeySequence::PortableText);
}

QStringList Texts(const QListWidget* list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text();
    return texts;
}

class RibbonCustomizeSheetTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_ribbon.SetCommandDescriber([](int id) -> std::optional<RibbonControlSpec> {
            if (id < 1 || id > 20)
                return std::nullopt;
            RibbonControlSpec spec;
            spec.id = id;
            spec.caption = QStringLiteral("Command %1").arg(id);
            spec.tipText = QStringLiteral("Does %1.").arg(id);
            return spec;
        });
        m_ribbon.Keys().SetDefaults({{1, Key("Ctrl+O")}, {2, Key("F1")}});
        m_ribbon.SetDefaultQuickAccess({1});
        m_ribbon.SetQuickAccessCommands({3});
    }

    std::unique_ptr<RibbonCustomizeSheet> Open()
    {
        return std::make_unique<RibbonCustomizeSheet>(
            &m_ribbon, QList<RibbonCustomizeSheet::Category>{{QStringLiteral("File"), {1, 2, 99}},
                                                             {QStringLiteral("Vehicle"), {3, 13, 2}},
                                                             {QStringLiteral("Elsewhere"), {98}}});
    }

    template <class T> static T* Child(const QWidget* sheet, const char* name)
    {
        T* child = sheet->findChild<T*>(QLatin1String(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }

    CTableTextProvider m_texts{{{1521, "Quick Access Toolbar"},
                                {1522, "Keyboard"},
                                {1523, "Options"},
                                {1524, "Commands"},
                                {1536, "Currently assigned to: %1"},
                                {1537, "Not assigned"},
                                {1538, "Cannot be assigned"},
                                {1541, "All commands"}}};
    ScopedTextProvider m_scoped{&m_texts};
    RibbonBar m_ribbon;
};

TEST_F(RibbonCustomizeSheetTest, OpensOnItsOptionsPageWithTheCategoriesAndAllTheirCommands)
{
    m_ribbon.SetQuickAccessBelow(true);
    auto sheet = Open();
    QTabWidget* pages = sheet->Pages();
    ASSERT_EQ(pages->count(), 4);
    EXPECT_EQ(pages->currentIndex(), RibbonCustomizeSheet::kOptionsPage);
    EXPECT_EQ(pages->tabText(2), QStringLiteral("Options"));
    EXPECT_TRUE(Child<QCheckBox>(sheet.get(), "optionBelow")->isChecked());
    EXPECT_FALSE(Child<QCheckBox>(sheet.get(), "optionMinimized")->isChecked());

    // Commands the ribbon does not know are left out, and a category left empty with them; the last
    // category holds every command once, by caption.
    const QList<RibbonCustomizeSheet::Category>& categories = sheet->Categories();
    ASSERT_EQ(categories.size(), 3);
    EXPECT_EQ(categories[0].commands, (QList<int>{1, 2}));
    EXPECT_EQ(categories[1].commands, (QList<int>{3, 13, 2}));
    EXPECT_EQ(categories[2].name, QStringLiteral("All commands"));
    EXPECT_EQ(categories[2].commands, (QList<int>{1, 13, 2, 3}));

    auto* qaCategories = Child<QComboBox>(sheet.get(), "quickAccessCategories");
    EXPECT_EQ(qaCategories->count(), 3);
    auto* commands = Child<QListWidget>(sheet.get(), "commandCommands");
    Child<QListWidget>(sheet.get(), "commandCategories")->setCurrentRow(1);
    EXPECT_EQ(Texts(commands), (QStringList{QStringLiteral("Command 3"), QStringLiteral("Command 13"),
                                            QStringLiteral("Command 2")}));
    // The commands page describes the chosen command with its keys.
    sheet->SelectCommand(RibbonCustomizeSheet::kCommandsPage, 2);
    EXPECT_EQ(Child<QLabel>(sheet.get(), "commandDescription")->text(), QStringLiteral("Does 2.\nF1"));
}

TEST_F(RibbonCustomizeSheetTest, QuickAccessChangesReachTheRibbonOnlyWithOk)
{
    {
        auto sheet = Open();
        sheet->SelectCategory(RibbonCustomizeSheet::kQuickAccessPage, 1);
        sheet->SelectCommand(RibbonCustomizeSheet::kQuickAccessPage, 13);
        Child<QPushButton>(sheet.get(), "quickAccessAdd")->click();
        sheet->AddToQuickAccess(13); // not twice
        sheet->AddToQuickAccess(99); // unknown
        EXPECT_EQ(sheet->QuickAccess(), (QList<int>{3, 13}));
        EXPECT_EQ(Texts(Child<QListWidget>(sheet.get(), "quickAccessList")),
                  (QStringList{QStringLiteral("Command 3"), QStringLiteral("Command 13")}));
        Child<QCheckBox>(sheet.get(), "optionBelow")->click();
        Child<QCheckBox>(sheet.get(), "optionMinimized")->click();
        sheet->reject(); // Cancel
    }
    EXPECT_EQ(m_ribbon.QuickAccessCommands(), QList<int>{3});
    EXPECT_FALSE(m_ribbon.IsQuickAccessBelow());
    EXPECT_FALSE(m_ribbon.IsMinimized());

    auto sheet = Open();
    auto* list = Child<QListWidget>(sheet.get(), "quickAccessList");
    sheet->AddToQuickAccess(2);
    sheet->AddToQuickAccess(1);
    list->setCurrentRow(1);
    Child<QPushButton>(sheet.get(), "quickAccessRemove")->click();
    EXPECT_EQ(sheet->QuickAccess(), (QList<int>{3, 1}));
    EXPECT_EQ(list->currentItem()->text(), QStringLiteral("Command 1")); // the next one is chosen
    Child<QPushButton>(sheet.get(), "quickAccessReset")->click();
    EXPECT_EQ(sheet->QuickAccess(), QList<int>{1});
    sheet->AddToQuickAccess(13);
    // The commands page adds the command chosen there.
    sheet->SelectCategory(RibbonCustomizeSheet::kCommandsPage, 0);
    sheet->SelectCommand(RibbonCustomizeSheet::kCommandsPage, 2);
    Child<QPushButton>(sheet.get(), "commandAdd")->click();
    Child<QCheckBox>(sheet.get(), "optionBelow")->click();
    Child<QPushButton>(sheet.get(), "customizeOk")->click();
    EXPECT_EQ(sheet->result(), QDialog::Accepted);
    EXPECT_EQ(m_ribbon.QuickAccessCommands(), (QList<int>{1, 13, 2}));
    EXPECT_TRUE(m_ribbon.IsQuickAccessBelow());
    EXPECT_FALSE(m_ribbon.IsMinimized());
}

TEST_F(RibbonCustomizeSheetTest, TheKeyboardPageShowsWhoHasAKeyAndAssigningMovesIt)
{
    int keysChanged = 0;
    QObject::connect(&m_ribbon, &RibbonBar::KeysChanged, [&] { ++keysChanged; });
    auto sheet = Open();
    auto* keyList = Child<QListWidget>(sheet.get(), "keyList");
    auto* assign = Child<QPushButton>(sheet.get(), "keyAssign");
    auto* edit = Child<QLineEdit>(sheet.get(), "keyEdit");
    sheet->SelectCategory(RibbonCustomizeSheet::kKeyboardPage, 0);
    sheet->SelectCommand(RibbonCustomizeSheet::kKeyboardPage, 2);
    EXPECT_EQ(Texts(keyList), QStringList{QStringLiteral("F1")});
    EXPECT_FALSE(assign->isEnabled()); // no key pressed yet

    struct Fall
    {
        const char* what;
        QKeySequence key;
        const char* conflict;
        bool assignable;
    };
    const Fall faelle[] = {
        {"another command's key", Key("Ctrl+O"), "Currently assigned to: Command 1", true},
        {"its own key", Key("F1"), "Currently assigned to: Command 2", false},
        {"a free key", Key("Shift+F7"), "Not assigned", true},
        {"Tab", QKeySequence(Qt::Key_Tab), "Cannot be assigned", false},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.what);
        sheet->SetPendingKey(f.key);
        EXPECT_EQ(sheet->ConflictText(), QString::fromLatin1(f.conflict));
        EXPECT_EQ(assign->isEnabled(), f.assignable);
    }

    // A key pressed in the key field (a modifier alone waits for its key): the conflict shows at once;
    // assigning takes the key from command 1.
    sheet->SetPendingKey(QKeySequence());
    QKeyEvent control(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier);
    QCoreApplication::sendEvent(edit, &control);
    EXPECT_TRUE(sheet->ConflictText().isEmpty());
    QKeyEvent press(QEvent::KeyPress, Qt::Key_O, Qt::ControlModifier);
    QCoreApplication::sendEvent(edit, &press);
    EXPECT_EQ(edit->text(), QKeySequence(Qt::CTRL | Qt::Key_O).toString(QKeySequence::NativeText));
    EXPECT_EQ(sheet->ConflictText(), QStringLiteral("Currently assigned to: Command 1"));
    assign->click();
    EXPECT_EQ(sheet->Keys().KeysOf(2), (QList<QKeySequence>{Key("F1"), Key("Ctrl+O")}));
    EXPECT_TRUE(sheet->Keys().KeysOf(1).isEmpty());
    EXPECT_EQ(keyList->count(), 2);
    EXPECT_TRUE(edit->text().isEmpty());
    EXPECT_FALSE(assign->isEnabled());

    keyList->setCurrentRow(0);
    Child<QPushButton>(sheet.get(), "keyRemove")->click();
    EXPECT_EQ(sheet->Keys().KeysOf(2), QList<QKeySequence>{Key("Ctrl+O")});
    EXPECT_EQ(m_ribbon.Keys().KeysOf(2), QList<QKeySequence>{Key("F1")}); // the ribbon's until OK
    EXPECT_EQ(keysChanged, 0);

    sheet->Apply();
    EXPECT_EQ(m_ribbon.Keys().Bindings(), (QList<KeyBindings::Binding>{{2, Key("Ctrl+O")}}));
    EXPECT_EQ(keysChanged, 1);

    Child<QPushButton>(sheet.get(), "keyReset")->click();
    EXPECT_TRUE(sheet->Keys().IsDefault());
    EXPECT_EQ(Texts(keyList), QStringList{QStringLiteral("F1")});
}

} // namespace

// The key field shows a key with its modifiers whole beside the keyboard page's German buttons, whose
// "Reset all keys" widens the buttons' column: "Strg+Umschalt+Z" and one with all three modifiers.
TEST_F(RibbonCustomizeSheetTest, TheKeyFieldShowsAKeyWithItsModifiersWhole)
{
    CTableTextProvider deutsch{{{1522, "Tastatur"},
                                {1530, "&Zurücksetzen"},
                                {1531, "&Aktuelle Tasten:"},
                                {1532, "&Neue Tastenkombination drücken:"},
                                {1533, "&Zuweisen"},
                                {1534, "Ent&fernen"},
                                {1535, "A&lle Tasten zurücksetzen"},
                                {1536, "Zurzeit zugewiesen an: %1"},
                                {1537, "Keinem Befehl zugewiesen"}}};
    ScopedTextProvider scoped{&deutsch};
    QObject owner;
    if (!InstallToolkitTranslation(QStringLiteral("DE"), &owner))
        GTEST_SKIP() << "no German translation of Qt's texts installed";
    auto sheet = Open();
    sheet->Pages()->setCurrentIndex(RibbonCustomizeSheet::kKeyboardPage);
    sheet->show();
    QCoreApplication::processEvents();
    auto* edit = Child<QLineEdit>(sheet.get(), "keyEdit");
    for (const QKeySequence& key : {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                                    QKeySequence(Qt::CTRL | Qt::ALT | Qt::SHIFT | Qt::Key_Backspace)}) {
        sheet->SetPendingKey(key);
        const QString text = edit->text();
        SCOPED_TRACE(text.toStdString());
        EXPECT_TRUE(text.startsWith(QStringLiteral("Strg+")));
        // The field's frame and its margins of two pixels each side take their part of the width.
        const int frame = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
        const QMargins m = edit->textMargins();
        EXPECT_GE(edit->contentsRect().width() - 2 * frame - 4 - m.left() - m.right(),
                  edit->fontMetrics().horizontalAdvance(text));
    }
}
