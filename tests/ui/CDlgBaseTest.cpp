// The dialog base: strips from placeholders, keyboard order, commands, idle update, look.
#include "UiTestModule.h"

#include "PlainButtonStrip.h"
#include "PlainStripFactory.h"
#include "model/text/TextProvider.h"
#include "ui/CDlgBase.h"
#include "ui/CEditLast.h"
#include "ui/CRbcPlaceholder.h"
#include "ui/CommandUpdateEvent.h"
#include "ui/ControlId.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

class TestDialog : public CDlgBase
{
public:
    // The dialog base's tests look at the plain stand-in strips, whose buttons are ordinary push buttons.
    TestDialog() : CDlgBase(kToolkitTestDialog) { SetStripFactory(&PlainStripFactory::Instance()); }

    std::vector<int> commands;
    std::vector<std::pair<IButtonStrip*, int>> created;
    std::vector<int> added;
    std::vector<std::pair<int, double>> editCommits;
    std::function<void(CommandUpdateEvent&)> update;
    int swallowInHook = -1;
    int oks = 0;
    int cancels = 0;
    int paintedId = -1;
    int seenMouseDown = 0;
    bool swallowMouse = false;

protected:
    bool OnCommandHook(int id) override { return id == swallowInHook; }
    bool OnCommand(int id, int code, QObject* control) override
    {
        commands.push_back(id);
        return CDlgBase::OnCommand(id, code, control);
    }
    void OnRibBtnContainerCreated(IButtonStrip* strip, int id) override { created.emplace_back(strip, id); }
    void OnRibBtnAdded(IButtonStrip* strip, int id) override
    {
        added.push_back(id);
        CDlgBase::OnRibBtnAdded(strip, id);
    }
    void OnEditCommit(int id, EditValue& value, int) override
    {
        editCommits.emplace_back(id, value.d);
        value.d = std::min(value.d, 10.0);
    }
    void OnUpdateCommand(CommandUpdateEvent& query) override
    {
        if (update)
            update(query);
    }
    void OnOK() override
    {
        ++oks;
        CDlgBase::OnOK();
    }
    void OnCancel() override
    {
        ++cancels;
        CDlgBase::OnCancel();
    }
    bool OnPaintCtrl(QWidget*, int id, QPainter& painter) override
    {
        paintedId = id;
        painter.fillRect(QRect(0, 0, 4, 4), Qt::red);
        return true;
    }
    bool OnCtrlMessage(QWidget*, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress) {
            ++seenMouseDown;
            return swallowMouse;
        }
        return false;
    }
};

class CDlgBaseTest : public ::testing::Test
{
public:
    CDlgBaseTest()
        : m_templates(UiTestModule()), m_texts(std::map<std::uint32_t, std::string>{
                                           {668, "OK"}, {705, "Leave without saving\nCancel\nCancel"}}),
          m_scopedTexts(&m_texts)
    {
    }

    QWidget* Ctrl(int id)
    {
        return dialog->findChild<QWidget*>(ControlId::ObjectName(id), Qt::FindDirectChildrenOnly);
    }
    QWidget* Button(int id)
    {
        IButtonStrip* strip = dialog->FindRibBtnContainer(id);
        return strip ? strip->ButtonWindow(id) : nullptr;
    }
    PlainButtonStrip* Strip(int index) { return static_cast<PlainButtonStrip*>(dialog->Strip(index)); }
    void ShowActive()
    {
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    }
    void Press(QWidget* focus, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        focus->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), focus);
        QTest::keyClick(focus, Qt::Key(key), modifiers);
    }

    ScopedDialogTemplateModule m_templates;
    CTableTextProvider m_texts;
    ScopedTextProvider m_scopedTexts;
    std::unique_ptr<TestDialog> dialog = std::make_unique<TestDialog>();
};

TEST_F(CDlgBaseTest, PlaceholdersBecomeStripsCaptionsAndSeparators)
{
    ASSERT_TRUE(dialog->TemplateError().isEmpty()) << dialog->TemplateError().toStdString();
    dialog->InitDialog();

    struct Case
    {
        int index;
        bool autoWidth, iconBeside, titleBand;
        const char* title;
        QList<int> entries;
        QList<QString> captions;
    };
    const Case cases[] = {
        {0, true, true, false, "", {2020, -1, 668}, {"Apply", "OK"}}, // two placeholders, one strip
        {1, true, false, true, "", {705}, {"Cancel"}},                // eight characters: texts by id
        {2, true, true, true, "Options", {2030}, {"More"}},           // title and caption
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        PlainButtonStrip* strip = Strip(c.index);
        ASSERT_TRUE(strip);
        EXPECT_EQ(strip->AutoWidth(), c.autoWidth);
        EXPECT_EQ(strip->IconBesideText(), c.iconBeside);
        EXPECT_EQ(strip->TitleBand(), c.titleBand);
        EXPECT_EQ(strip->Title(), QString::fromUtf8(c.title));
        EXPECT_EQ(strip->Title().isNull(), *c.title == 0);
        EXPECT_EQ(strip->Entries(), c.entries);
        QList<QString> captions;
        for (int id : strip->ButtonIds())
            captions.append(strip->Caption(id));
        EXPECT_EQ(captions, c.captions);
        for (int id : strip->ButtonIds()) {
            EXPECT_EQ(strip->ToolTipMode(id), 0); // OnRibBtnAdded's default
            EXPECT_EQ(dialog->FindRibBtnContainer(id), strip);
        }
    }
    for (int i = 3; i < CDlgBase::kStripCount; ++i)
        EXPECT_EQ(dialog->Strip(i), nullptr);
    EXPECT_EQ(dialog->FindRibBtnContainer(4242), nullptr);

    // The strip stands on the placeholder's bottom edge.
    EXPECT_EQ(Strip(0)->Window()->x(), 10);
    EXPECT_EQ(Strip(0)->Window()->geometry().bottom() + 1, 270);

    // Used placeholders are gone; those with a bad index or bad flags stay visible as they were.
    QList<int> left;
    for (CRbcPlaceholder* p : dialog->findChildren<CRbcPlaceholder*>()) {
        left.append(ControlId::Of(p));
        EXPECT_FALSE(p->isHidden());
    }
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (QList<int>{2031, 2032}));

    ASSERT_EQ(dialog->created.size(), 3u);
    EXPECT_EQ(dialog->created[0], std::make_pair(dialog->Strip(0), 2020));
    EXPECT_EQ(dialog->created[1], std::make_pair(dialog->Strip(1), 705));
    EXPECT_EQ(dialog->created[2], std::make_pair(dialog->Strip(2), 2030));
    EXPECT_EQ(dialog->added, (std::vector<int>{2020, 668, 705, 2030}));

    // Anchors: after the radio run, then each after the button made before it.
    EXPECT_EQ(Strip(0)->GetButtonRadioGroup(2020), 2010);
    EXPECT_EQ(Strip(0)->GetButtonRadioGroup(668), 2020);
    EXPECT_EQ(Strip(1)->GetButtonRadioGroup(705), 668);
    EXPECT_EQ(Strip(2)->GetButtonRadioGroup(2030), 705);
}

TEST_F(CDlgBaseTest, AStripThatCannotBeMadeLeavesItsPlaceholder)
{
    PlainStripFactory::Instance().FailNextCreate();
    dialog->InitDialog();
    // The first placeholder of strip 0 failed and stays; the second one made the strip.
    EXPECT_TRUE(Ctrl(2020) && qobject_cast<CRbcPlaceholder*>(Ctrl(2020)));
    ASSERT_TRUE(Strip(0));
    EXPECT_EQ(Strip(0)->Entries(), (QList<int>{668}));
}

TEST_F(CDlgBaseTest, NavigationListJoinsControlsAndStripButtons)
{
    dialog->InitDialog();
    QList<QWidget*> expected;
    for (int id : {2003, 2004, 2005, 2010})
        expected.append(Ctrl(id));
    for (int id : {2020, 668, 705, 2030})
        expected.append(Button(id));
    for (int id : {2040, 2050})
        expected.append(Ctrl(id));
    EXPECT_EQ(dialog->NavigationList(), expected);
}

TEST_F(CDlgBaseTest, TabShiftTabAndArrowsMoveThroughOneOrder)
{
    struct Case
    {
        const char* name;
        int from; // negative: the strip button of that id
        int key;
        Qt::KeyboardModifiers modifiers;
        std::function<void(CDlgBaseTest&)> setup;
        int expected; // negative: the strip button of that id
    };
    auto disable = [](int id) { return [id](CDlgBaseTest& t) { t.Ctrl(id)->setEnabled(false); }; };
    auto none = [](CDlgBaseTest&) {};
    auto uncheckAll = [](CDlgBaseTest& t) {
        int index = -1;
        t.dialog->DDXRadioGroup(false, 2010, &index);
    };
    const Case cases[] = {
        {"Tab to the next control", 2003, Qt::Key_Tab, {}, none, 2004},
        {"Shift+Tab wraps round to the last", 2003, Qt::Key_Tab, Qt::ShiftModifier, none, 2050},
        {"Backtab wraps round to the last", 2003, Qt::Key_Backtab, Qt::ShiftModifier, none, 2050},
        {"disabled controls are skipped", 2003, Qt::Key_Tab, Qt::ShiftModifier, disable(2050), 2040},
        {"Tab into a radio run goes to the checked one", 2005, Qt::Key_Tab, {}, none, 2011},
        {"Right on the last radio leaves the group", 2012, Qt::Key_Right, {}, none, -2020},
        {"Left on the first radio leaves the group", 2010, Qt::Key_Left, {}, none, 2005},
        {"Tab from a strip button to a control", -2030, Qt::Key_Tab, {}, none, 2040},
        {"Tab from strip button to strip button", -705, Qt::Key_Tab, {}, none, -2030},
        {"Down from strip button to strip button", -2020, Qt::Key_Down, {}, none, -668},
        {"Shift+Tab from a control to a strip button", 2040, Qt::Key_Tab, Qt::ShiftModifier, none, -2030},
        {"from a strip into a radio run: the checked one", -2020, Qt::Key_Tab, Qt::ShiftModifier, none, 2011},
        {"from a strip into a run without check: stays", -2020, Qt::Key_Left, {}, uncheckAll, -2020},
        {"disabled control skipped after a strip", -2030, Qt::Key_Tab, {}, disable(2040), 2050},
        {"arrows stay in an edit field", 2004, Qt::Key_Right, {}, none, 2004},
    };
    ShowActive();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dialog = std::make_unique<TestDialog>();
        ShowActive();
        c.setup(*this);
        QWidget* from = c.from < 0 ? Button(-c.from) : Ctrl(c.from);
        QWidget* expected = c.expected < 0 ? Button(-c.expected) : Ctrl(c.expected);
        ASSERT_TRUE(from && expected);
        Press(from, c.key, c.modifiers);
        EXPECT_EQ(QApplication::focusWidget(), expected)
            << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString()
                                            : "none");
    }
}

TEST_F(CDlgBaseTest, ArrowsInsideARadioRunStayWithTheRun)
{
    ShowActive();
    Press(Ctrl(2011), Qt::Key_Left);
    QWidget* focus = QApplication::focusWidget();
    EXPECT_TRUE(focus == Ctrl(2010) || focus == Ctrl(2011) || focus == Ctrl(2012));
}

TEST_F(CDlgBaseTest, ReturnPressesWhatHasTheFocusOrTheDefaultStripButton)
{
    ShowActive();
    // A focused push button gives its command; the dialog stays open.
    Press(Ctrl(2040), Qt::Key_Return);
    EXPECT_EQ(dialog->commands, std::vector<int>{2040});
    EXPECT_TRUE(dialog->isVisible());

    // A multi-line edit takes the line break itself.
    Press(Ctrl(2050), Qt::Key_Return);
    EXPECT_TRUE(static_cast<QPlainTextEdit*>(Ctrl(2050))->toPlainText().contains(QLatin1Char('\n')));
    EXPECT_EQ(dialog->commands.size(), 1u);

    // Elsewhere: the default strip button when it is enabled, nothing when it is not or there is none.
    Press(Ctrl(2005), Qt::Key_Return);
    EXPECT_EQ(dialog->commands.size(), 1u);
    Strip(2)->SetDefaultButton(2030);
    Press(Ctrl(2005), Qt::Key_Return);
    EXPECT_EQ(dialog->commands.back(), 2030);
    Button(2030)->setEnabled(false);
    Press(Ctrl(2005), Qt::Key_Return);
    EXPECT_EQ(dialog->commands.size(), 2u);
    Button(2030)->setEnabled(true);

    // An edit field commits first, then the default button is pressed.
    auto* edit = static_cast<CEditLast*>(Ctrl(2003));
    edit->SetFormat(3, QStringLiteral("%.1f"));
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("25"));
    QTest::keyClick(edit, Qt::Key_Return);
    ASSERT_EQ(dialog->editCommits.size(), 1u);
    EXPECT_EQ(dialog->editCommits[0], std::make_pair(2003, 25.0));
    EXPECT_EQ(edit->GetDouble(), 10.0); // the dialog changed the value through the message
    EXPECT_EQ(dialog->commands.back(), 2030);
    EXPECT_EQ(dialog->commands.size(), 3u);

    // A focused strip button with id 668 closes the dialog through OnOK.
    Press(Button(668), Qt::Key_Return);
    EXPECT_EQ(dialog->oks, 1);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(CDlgBaseTest, OkAndCancelCloseTheDialogFromAnyButton)
{
    struct Case
    {
        const char* name;
        int id;
        int swallow;
        int oks, cancels;
        QDialog::DialogCode result;
    };
    const Case cases[] = {
        {"strip button 705", 705, -1, 0, 1, QDialog::Rejected},
        {"strip button 668", 668, -1, 1, 0, QDialog::Accepted},
        {"a hook may keep the dialog open", 668, 668, 0, 0, QDialog::Rejected},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dialog = std::make_unique<TestDialog>();
        dialog->swallowInHook = c.swallow;
        dialog->show();
        static_cast<QPushButton*>(Button(c.id))->click();
        EXPECT_EQ(dialog->oks, c.oks);
        EXPECT_EQ(dialog->cancels, c.cancels);
        EXPECT_EQ(dialog->result(), c.result);
        EXPECT_EQ(dialog->isVisible(), c.oks + c.cancels == 0);
    }
    // An ordinary button with id 705 closes it too.
    dialog = std::make_unique<TestDialog>();
    auto* close = new QPushButton(QStringLiteral("Close"), dialog.get());
    ControlId::Set(close, CDlgBase::kIdCancel);
    dialog->show();
    close->click();
    EXPECT_EQ(dialog->cancels, 1);
}

TEST_F(CDlgBaseTest, IdleUpdateReachesControlsAndStripButtons)
{
    dialog->show();
    std::vector<int> asked;
    dialog->update = [&asked](CommandUpdateEvent& query) {
        asked.push_back(int(query.Id()));
        if (query.Id() == 2040 || query.Id() == 2030)
            query.Enable(false);
        if (query.Id() == 2005)
            query.SetCheck(1);
        if (query.Id() == 2002)
            query.SetText(QStringLiteral("Length (mm)"));
    };
    dialog->KickIdle();
    EXPECT_FALSE(Ctrl(2040)->isEnabled());
    EXPECT_FALSE(Button(2030)->isEnabled());
    EXPECT_TRUE(static_cast<QCheckBox*>(Ctrl(2005))->isChecked());
    EXPECT_EQ(Ctrl(2002)->property("text").toString(), QStringLiteral("Length (mm)"));
    EXPECT_NE(std::find(asked.begin(), asked.end(), 2003), asked.end());

    asked.clear();
    dialog->SetIdleUpdate(false);
    dialog->KickIdle();
    EXPECT_TRUE(asked.empty());
}

TEST_F(CDlgBaseTest, RadioGroupExchangeAndSubclassedControls)
{
    dialog->InitDialog();
    int index = -2;
    EXPECT_TRUE(dialog->DDXRadioGroup(true, 2010, &index));
    EXPECT_EQ(index, 1);
    index = 2;
    dialog->DDXRadioGroup(false, 2010, &index);
    EXPECT_TRUE(static_cast<QRadioButton*>(Ctrl(2012))->isChecked());
    EXPECT_FALSE(static_cast<QRadioButton*>(Ctrl(2011))->isChecked());
    index = -1;
    dialog->DDXRadioGroup(false, 2010, &index);
    dialog->DDXRadioGroup(true, 2010, &index);
    EXPECT_EQ(index, -1);

    EXPECT_FALSE(dialog->SubclassCtrl(4242));
    dialog->InvalidateCtrl(4242);
    ASSERT_TRUE(dialog->SubclassCtrl(2002));
    const QImage picture = Ctrl(2002)->grab().toImage();
    EXPECT_EQ(dialog->paintedId, 2002);
    EXPECT_EQ(picture.pixelColor(1, 1), QColor(Qt::red));
    EXPECT_EQ(picture.pixelColor(10, 10), CDlgBase::BackgroundColor());

    dialog->show();
    QTest::mouseClick(Ctrl(2002), Qt::LeftButton);
    EXPECT_EQ(dialog->seenMouseDown, 1);

    // The dialog sees a subclassed control's events first and may swallow them.
    auto* box = static_cast<QCheckBox*>(Ctrl(2005));
    ASSERT_TRUE(dialog->SubclassCtrl(2005));
    dialog->swallowMouse = true;
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, 10));
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(dialog->seenMouseDown, 2);
    dialog->swallowMouse = false;
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, 10));
    EXPECT_TRUE(box->isChecked());
}

TEST_F(CDlgBaseTest, PictureShowsBackgroundFramesAndFonts)
{
    dialog->InitDialog();
    static_cast<CEditLast*>(Ctrl(2003))->SetFormat(3, QStringLiteral("%.2f\n m"));
    static_cast<CEditLast*>(Ctrl(2003))->SetDouble(7.5);
    static_cast<CEditLast*>(Ctrl(2004))->SetBkColor(QColor(0xFF, 0xF0, 0xB0)); // a field's own background
    dialog->show();
    const QImage picture = dialog->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QString dir = QStringLiteral(QOR_TEST_ARTIFACT_DIR);
    QDir().mkpath(dir);
    picture.save(dir + QStringLiteral("/dialog_base.png"));

    EXPECT_EQ(picture.size(), QSize(450, 290));
    const QColor background = CDlgBase::BackgroundColor();
    EXPECT_EQ(background, QColor(0xC8, 0xD8, 0xED));
    EXPECT_EQ(picture.pixelColor(5, 5), background);
    EXPECT_EQ(picture.pixelColor(440, 280), background);
    // The edit field's inside is white.
    EXPECT_EQ(picture.pixelColor(100 + 60, 34 + 11), QColor(Qt::white));
    EXPECT_EQ(picture.pixelColor(100 + 60, 62 + 11), QColor(0xFF, 0xF0, 0xB0));
    // The group box frame at (10, 8): the dark line outside, the light line inside, left edge mid-height.
    EXPECT_EQ(picture.pixelColor(10, 8 + 60), dialog->FrameColor2());
    EXPECT_EQ(picture.pixelColor(11, 8 + 60), dialog->FrameColor1());
    EXPECT_EQ(picture.pixelColor(12, 8 + 60), background);
    // The bottom: dark line, then the light line under it.
    EXPECT_EQ(picture.pixelColor(10 + 150, 8 + 118 - 2), dialog->FrameColor2());
    EXPECT_EQ(picture.pixelColor(10 + 150, 8 + 118 - 1), dialog->FrameColor1());
    // The caption interrupts the top line: some pixel of the line there is not the frame colour.
    int captionInk = 0;
    for (int x = 10 + 9; x < 10 + 60; ++x)
        captionInk += picture.pixelColor(x, 8 + 6) != dialog->FrameColor2();
    EXPECT_GT(captionInk, 20);
    EXPECT_EQ(picture.pixelColor(10 + 200, 8 + 6), dialog->FrameColor2());
}

TEST_F(CDlgBaseTest, OpensCentredOverItsParentOnItsScreenUnlessPlaced)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QSize size(450, 290); // the template's size
    ASSERT_GE(screen.width(), 600);
    ASSERT_GE(screen.height(), 400);
    struct Case
    {
        const char* what;
        QRect parent;
        QPoint placed; // (-1, -1): the code does not place it
        QRect expected;
    };
    const QRect centre(screen.center() - QPoint(size.width() / 2, size.height() / 2), size);
    const Case cases[] = {
        {"over the parent", QRect(screen.x() + 100, screen.y() + 80, 500, 320), QPoint(-1, -1),
         QRect(QRect(screen.x() + 100, screen.y() + 80, 500, 320).center() -
                   QPoint(size.width() / 2 - 1, size.height() / 2 - 1),
               size)},
        {"a parent at the screen's corner keeps the dialog on the screen",
         QRect(screen.right() - 150, screen.bottom() - 100, 150, 100), QPoint(-1, -1),
         QRect(screen.bottomRight() - QPoint(size.width() - 1, size.height() - 1), size)},
        {"placed by its code", QRect(screen.x() + 100, screen.y() + 80, 500, 320),
         QPoint(screen.x() + 7, screen.y() + 9), QRect(QPoint(screen.x() + 7, screen.y() + 9), size)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QWidget parent;
        parent.setGeometry(c.parent);
        parent.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
        CDlgBase placedDialog(kToolkitTestDialog, &parent);
        placedDialog.SetStripFactory(&PlainStripFactory::Instance());
        ASSERT_TRUE(placedDialog.TemplateError().isEmpty());
        if (c.placed != QPoint(-1, -1))
            placedDialog.move(c.placed);
        placedDialog.show();
        const QRect got = placedDialog.frameGeometry();
        // Centring may round and the frame may add a few pixels.
        EXPECT_LE((got.topLeft() - c.expected.topLeft()).manhattanLength(), 6)
            << got.x() << "," << got.y() << " instead of " << c.expected.x() << "," << c.expected.y();
        EXPECT_TRUE(screen.contains(placedDialog.geometry())) << got.x() << "," << got.y();
        // Shown again after closing, it comes back over the parent, not where it was first drawn.
        placedDialog.hide();
        parent.move(parent.pos() + QPoint(-20, -10));
        placedDialog.show();
        if (&c == &cases[0]) {
            const QPoint moved = c.expected.topLeft() - QPoint(20, 10);
            EXPECT_LE((placedDialog.frameGeometry().topLeft() - moved).manhattanLength(), 6);
        }
    }

    // Without a parent, over the screen's middle (no other window is active).
    CDlgBase lonely(kToolkitTestDialog);
    lonely.SetStripFactory(&PlainStripFactory::Instance());
    lonely.show();
    EXPECT_LE((lonely.frameGeometry().topLeft() - centre.topLeft()).manhattanLength(), 6);
}

} // namespace
