// Tests of the value slider: placement, typing, limits, stepping, closing, two sliders, the grip
// and the hint after closing; pictures of a compact and a tall slider for people to look at.
#include "UiTestModule.h"
#include "ui/CWndSlider.h"
#include "ui/ISliderOwner.h"
#include "ui/ProgramRun.h"
#include "ui/ScriptedMessageBoxService.h"
#include "ui/SliderEvent.h"
#include "ui/SliderHint.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// A plan view stand-in: logs what its sliders send and deletes a slider that closes.
class View : public QWidget, public ISliderOwner
{
public:
    explicit View(int* gone = nullptr) : m_gone(gone)
    {
        resize(320, 260);
        other = new QLineEdit(this);
        other->setGeometry(200, 220, 100, 20);
    }

    int SliderKind1Selector() const override { return selector; }
    bool SliderKind2Flag() const override { return flag; }
    void SliderGone() override
    {
        if (m_gone)
            ++*m_gone;
    }
    ProgramRun* SliderProgramRun() override { return &run; }

    // "value <message> <value>", "close", "tab".
    std::vector<std::string> log;
    std::vector<CWndSlider*> tabbed;
    int selector = 0;
    bool flag = false;
    QLineEdit* other;
    // The run whose slider hint the sliders show.
    ProgramRun run;

protected:
    bool event(QEvent* e) override
    {
        const int type = int(e->type());
        if (type == SliderEvent::kClosingType) {
            log.push_back("close");
            delete static_cast<SliderEvent*>(e)->Slider();
            return true;
        }
        if (type == SliderEvent::kTabType) {
            log.push_back("tab");
            tabbed.push_back(static_cast<SliderEvent*>(e)->Slider());
            return true;
        }
        if (type >= 0x8066 && type <= 0x8084) {
            char text[64];
            std::snprintf(text, sizeof text, "value %X %.4g", type, static_cast<SliderEvent*>(e)->Value());
            log.push_back(text);
            return true;
        }
        return QWidget::event(e);
    }

private:
    int* m_gone;
};

class SliderTest : public testing::Test
{
protected:
    void SetUp() override
    {
        view.show();
        view.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    }

    // A slider of the kind over the view at (100, 200), shown, with its edit focused.
    CWndSlider* Open(int kind, double minimum, double maximum, double value, bool compact = true,
                     QPoint anchor = QPoint(100, 200))
    {
        auto* slider = new CWndSlider;
        slider->SetKind(kind);
        slider->SetLimits(minimum, maximum);
        slider->SetValue(value);
        EXPECT_TRUE(slider->Create(anchor, &view, compact));
        slider->show();
        slider->FocusEdit();
        return slider;
    }

    static void Type(CWndSlider* slider, const QString& text)
    {
        slider->Edit()->selectAll();
        QTest::keyClicks(slider->Edit(), text);
    }

    ScopedDialogTemplateModule module{UiTestModule()};
    View view;
};

QString ArtifactPath(const QString& name)
{
    QDir().mkpath(QStringLiteral(QOR_TEST_ARTIFACT_DIR));
    return QStringLiteral(QOR_TEST_ARTIFACT_DIR "/") + name;
}

} // namespace

TEST_F(SliderTest, CompactAndTallSlidersSitAboveTheirAnchor)
{
    CWndSlider* compact = Open(16, 0.0, 40.0, 12.5, true);
    CWndSlider* tall = Open(16, 0.0, 40.0, 12.5, false);
    EXPECT_EQ(compact->geometry(), QRect(QPoint(77, 184), QPoint(122, 199))) << "(77, 184) to (123, 200)";
    EXPECT_EQ(tall->geometry(), QRect(QPoint(90, 90), QPoint(129, 199))) << "(90, 90) to (130, 200)";
    EXPECT_EQ(compact->Edit()->text(), QStringLiteral("12500"));
    EXPECT_EQ(compact->Edit()->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_EQ(CWndSlider::Current(), tall);
    delete tall;
    delete compact;
    EXPECT_EQ(CWndSlider::Current(), nullptr);
}

TEST_F(SliderTest, ReturnAppliesTheTypedValueWithinTheLimitsAndReportsChangedHundredthsOnce)
{
    struct Case
    {
        const char* name;
        int kind;
        double minimum, maximum, value;
        QString typed;
        QString shown;
        std::vector<std::string> log;
        const char* refusal; // a part of the note of a refused entry; null when it is taken
    };
    // An entry outside the limits, or one that is no number, is refused with a note naming the range in
    // the shown units: nothing is clamped or reported, the text stays for correction.
    const Case cases[] = {
        {"above the maximum", 16, 0.0, 40.0, 12.5, "45000", "45000", {}, "from 0 to 40000"},
        {"below the minimum", 5, 2.0, 13.6, 8.0, "1500", "1500", {}, "from 2000 to 13600"},
        {"no number", 16, 0.0, 40.0, 12.5, "12x5", "12x5", {}, "cannot be read as a number"},
        {"a decimal is no whole number, never rounded",
         16,
         0.0,
         40.0,
         12.5,
         "7500.5",
         "7500.5",
         {},
         "\u201c7500.5\u201d is not a whole number. Enter a whole number from 0 to 40000."},
        {"limits named as the slider shows them",
         10,
         7.3456,
         44.0004,
         20.0,
         "7345",
         "7345",
         {},
         "from 7346 to 44000"},
        {"an empty text", 17, 0.0, 40.0, 3.0, "", "", {}, "from 0 to 40000"},
        {"same hundredth", 16, 0.0, 40.0, 12.5, "12505", "12505", {}, nullptr},
        {"next hundredth", 16, 0.0, 40.0, 12.5, "12510", "12510", {"value 8080 12.51"}, nullptr},
        {"a hundredth that is inexact in binary",
         16,
         0.0,
         40.0,
         0.28,
         "290",
         "290",
         {"value 8080 0.29"},
         nullptr},
        {"a percentage", 2, 0.0, 100.0, 50.0, "75", "75", {"value 806D 75"}, nullptr},
        {"the limit itself", 16, 0.0, 40.0, 12.5, "40000", "40000", {"value 8080 40"}, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        view.log.clear();
        CWndSlider* slider = Open(c.kind, c.minimum, c.maximum, c.value);
        if (c.typed.isEmpty())
            slider->Edit()->clear();
        else
            Type(slider, c.typed);
        QTest::keyClick(slider->Edit(), Qt::Key_Return);
        EXPECT_EQ(slider->Edit()->text(), c.shown);
        EXPECT_EQ(slider->Edit()->selectedText(), c.shown) << "the whole text is selected after Return";
        QTest::keyClick(slider->Edit(), Qt::Key_Return);
        EXPECT_EQ(view.log, c.log) << "a second Return reports nothing";
        if (c.refusal) {
            EXPECT_TRUE(slider->RefusalMessage().contains(QString::fromUtf8(c.refusal)))
                << slider->RefusalMessage().toStdString();
            EXPECT_DOUBLE_EQ(slider->Value(), c.value) << "the value stays as it was";
        } else {
            EXPECT_TRUE(slider->RefusalMessage().isEmpty());
        }
        delete slider;
    }
}

// Every kind shows whole kilograms, millimetres or percent, and takes only whole ones: a decimal is
// refused as no whole number with the range, never rounded.
TEST_F(SliderTest, EveryKindTakesWholeNumbersOnly)
{
    for (int kind = 1; kind <= 20; ++kind) {
        SCOPED_TRACE(kind);
        view.log.clear();
        CWndSlider* slider = Open(kind, 0.0, 40.0, 2.0);
        const QString shown = slider->Edit()->text();
        EXPECT_FALSE(shown.isEmpty());
        EXPECT_FALSE(shown.contains(QLatin1Char('.'))) << shown.toStdString();
        Type(slider, QStringLiteral("3.5"));
        QTest::keyClick(slider->Edit(), Qt::Key_Return);
        EXPECT_TRUE(view.log.empty());
        EXPECT_DOUBLE_EQ(slider->Value(), 2.0);
        EXPECT_TRUE(slider->RefusalMessage().contains(
            QLatin1String("is not a whole number. Enter a whole number from 0 to")))
            << slider->RefusalMessage().toStdString();
        Type(slider, QStringLiteral("3"));
        QTest::keyClick(slider->Edit(), Qt::Key_Return);
        EXPECT_TRUE(slider->RefusalMessage().isEmpty());
        EXPECT_DOUBLE_EQ(slider->Value(), slider->ConvertValue(3.0, true, nullptr))
            << "a whole number is taken";
        delete slider;
    }
}

// A field typed into and closed by Return (or left by a press elsewhere, Tab or the window losing
// activation) keeps a refused text and its note under the edit: nothing is applied and nothing closes
// until the text is corrected, or Esc drops it.
TEST_F(SliderTest, ARefusedEntryStaysWithItsNoteUntilCorrectedOrDropped)
{
    struct Case
    {
        const char* name;
        std::function<void(View&, CWndSlider*)> leave;
        bool escape; // dropped with Esc afterwards, else corrected
    };
    const Case cases[] = {
        {"Return", [](View&, CWndSlider* s) { QTest::keyPress(s->Edit(), Qt::Key_Return); }, false},
        {"a press in the view",
         [](View& v, CWndSlider*) {
             QTest::mouseClick(&v, Qt::LeftButton, {}, {10, 10});
         },
         true},
        {"a key in another window", [](View& v, CWndSlider*) { QTest::keyClick(v.other, Qt::Key_X); }, false},
        {"Tab", [](View&, CWndSlider* s) { QTest::keyPress(s->Edit(), Qt::Key_Tab); }, false},
        {"the window losing activation",
         [](View& v, CWndSlider*) {
             QEvent deactivate(QEvent::WindowDeactivate);
             QCoreApplication::sendEvent(&v, &deactivate);
         },
         true},
    };
    for (const Case& c : cases) {
        for (const char* typed : {"7.5x", "7500.5"}) {
            SCOPED_TRACE(std::string(c.name) + ", " + typed);
            view.log.clear();
            CWndSlider* slider = Open(16, 0.0, 40.0, 12.5);
            slider->SetCloseOnReturn(true);
            QPointer<CWndSlider> watch(slider);
            Type(slider, QString::fromLatin1(typed));
            c.leave(view, slider);
            ASSERT_FALSE(watch.isNull()) << "the slider stays open";
            EXPECT_TRUE(view.log.empty()) << "nothing applied, nothing closed, nothing passed on";
            EXPECT_EQ(slider->Edit()->text(), QString::fromLatin1(typed));
            EXPECT_DOUBLE_EQ(slider->Value(), 12.5);
            EXPECT_EQ(QApplication::focusWidget(), slider->Edit());
            ASSERT_TRUE(slider->RefusalNote()) << "the note shows";
            EXPECT_EQ(slider->RefusalNote()->text(), slider->RefusalMessage());
            EXPECT_TRUE(slider->RefusalMessage().contains(QLatin1String("from 0 to 40000")));
            EXPECT_TRUE(slider->RefusalNote()->geometry().top() >=
                        slider->Edit()->mapToGlobal(QPoint(0, slider->Edit()->height())).y())
                << "under the edit";
            if (c.escape) {
                QTest::keyPress(slider->Edit(), Qt::Key_Escape);
                EXPECT_TRUE(watch.isNull());
                EXPECT_EQ(view.log, (std::vector<std::string>{"close"}));
                continue;
            }
            // Typing goes on in the field, the note goes with the first change; the corrected text is
            // taken on Return and closes the field.
            QTest::keyClick(slider->Edit(), Qt::Key_Backspace);
            EXPECT_FALSE(slider->RefusalNote());
            slider->Edit()->selectAll();
            QTest::keyClicks(slider->Edit(), QStringLiteral("7500"));
            QTest::keyPress(slider->Edit(), Qt::Key_Return);
            EXPECT_TRUE(watch.isNull());
            EXPECT_EQ(view.log, (std::vector<std::string>{"value 8080 7.5", "close"}));
        }
    }
}

TEST_F(SliderTest, TheOwnersChoicesPickTheMessage)
{
    struct Case
    {
        int kind, selector;
        bool flag;
        int message;
    };
    const Case cases[] = {{1, 0, false, 0x8066}, {1, 1, false, 0x8067},  {1, 2, false, 0x806F},
                          {1, 3, false, 0x8070}, {2, 0, true, 0x806C},   {2, 0, false, 0x806D},
                          {9, 0, false, 0x8076}, {14, 0, false, 0x807E}, {20, 0, false, 0x8084}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind);
        view.selector = c.selector;
        view.flag = c.flag;
        CWndSlider* slider = Open(c.kind, 0.0, 1000.0, 1.0);
        EXPECT_EQ(int(slider->GetNotifyMessage()), c.message);
        delete slider;
    }
    EXPECT_EQ(int(CWndSlider::NotifyMessageOfKind(21, 0, false)), 0);
    EXPECT_EQ(int(CWndSlider::NotifyMessageOfKind(1, 4, false)), 0);
}

TEST_F(SliderTest, UpDownStepADigitAndLeftRightMoveBetweenDigits)
{
    struct Case
    {
        const char* name;
        int kind;
        double value;
        int selStart, selLength; // length 0: a caret at selStart
        Qt::Key key;
        QString shown;
        int afterStart, afterLength;
        std::vector<std::string> log;
    };
    const Case cases[] = {
        {"Up left of the last digit steps the tens",
         16,
         12.5,
         4,
         0,
         Qt::Key_Up,
         "12510",
         3,
         1,
         {"value 8080 12.51"}},
        {"Down on a selected thousands digit",
         16,
         12.5,
         1,
         1,
         Qt::Key_Down,
         "11500",
         1,
         1,
         {"value 8080 11.5"}},
        {"Up with everything selected does nothing", 16, 12.5, 0, 5, Qt::Key_Up, "12500", 0, 5, {}},
        {"Up with the caret at the end does nothing", 5, 2.4, 4, 0, Qt::Key_Up, "2400", 4, 0, {}},
        {"a percentage steps its last digit", 2, 50.0, 2, 0, Qt::Key_Up, "51", 1, 1, {"value 806D 51"}},
        {"a step the limit stops", 16, 39.99, 2, 0, Qt::Key_Up, "40000", 1, 1, {"value 8080 40"}},
        {"the text gets shorter", 16, 12.5, 0, 1, Qt::Key_Down, "2500", 4, 0, {"value 8080 2.5"}},
        {"Right stops before the last kilogram digit", 16, 12.5, 3, 1, Qt::Key_Right, "12500", 4, 0, {}},
        {"Right reaches the last percent digit", 2, 123.0, 1, 1, Qt::Key_Right, "123", 2, 1, {}},
        {"Left selects the digit before", 16, 12.5, 3, 1, Qt::Key_Left, "12500", 2, 1, {}},
        {"Left from the first digit moves the caret", 16, 12.5, 0, 1, Qt::Key_Left, "12500", 0, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        view.log.clear();
        CWndSlider* slider = Open(c.kind, 0.0, c.kind == 2 ? 200.0 : 40.0, c.value);
        QLineEdit* edit = slider->Edit();
        if (c.selLength > 0)
            edit->setSelection(c.selStart, c.selLength);
        else {
            edit->deselect();
            edit->setCursorPosition(c.selStart);
        }
        QTest::keyClick(edit, c.key);
        EXPECT_EQ(edit->text(), c.shown);
        if (c.afterLength > 0) {
            EXPECT_EQ(edit->selectionStart(), c.afterStart);
            EXPECT_EQ(edit->selectedText().size(), c.afterLength);
        } else {
            EXPECT_FALSE(edit->hasSelectedText());
            EXPECT_EQ(edit->cursorPosition(), c.afterStart);
        }
        EXPECT_EQ(view.log, c.log);
        EXPECT_EQ(CWndSlider::Current(), slider) << "arrow keys never close the slider";
        delete slider;
    }
}

TEST_F(SliderTest, EveryTypedCharacterReachesTheEditButNotTheClipboardKeys)
{
    CWndSlider* slider = Open(16, 0.0, 40.0, 12.5);
    QLineEdit* edit = slider->Edit();
    edit->deselect();
    edit->end(false);
    QTest::keyClicks(edit, QStringLiteral("a-.,+ e"));
    EXPECT_EQ(edit->text(), QStringLiteral("12500a-.,+ e")) << "nothing typed is dropped";
    for (int i = 0; i < 7; ++i)
        QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, QStringLiteral("7"));
    EXPECT_EQ(edit->text(), QStringLiteral("125007"));
    QApplication::clipboard()->setText(QStringLiteral("99"));
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), QStringLiteral("125007")) << "the clipboard keys stay out";
    EXPECT_TRUE(view.log.empty());
    delete slider;
}

TEST_F(SliderTest, EscClosesWithoutApplying)
{
    int gone = 0;
    View owner(&gone);
    owner.show();
    auto* slider = new CWndSlider;
    slider->SetKind(16);
    slider->SetLimits(0.0, 40.0);
    slider->SetValue(12.5);
    ASSERT_TRUE(slider->Create({100, 200}, &owner, true));
    slider->show();
    QPointer<CWndSlider> watch(slider);
    Type(slider, QStringLiteral("999"));
    QTest::keyClick(slider->Edit(), Qt::Key_Escape);
    EXPECT_TRUE(watch.isNull()) << "the owner deleted it";
    EXPECT_EQ(owner.log, (std::vector<std::string>{"close"}));
    EXPECT_EQ(gone, 1);
    EXPECT_EQ(CWndSlider::Current(), nullptr);
}

TEST_F(SliderTest, PressesOutsideApplyAndCloseArrowsAndPressesInsideDoNot)
{
    struct Case
    {
        const char* name;
        std::function<void(View&, CWndSlider*)> act;
        std::vector<std::string> log;
    };
    const Case cases[] = {
        {"left click in the view",
         [](View& v, CWndSlider*) { QTest::mouseClick(&v, Qt::LeftButton, {}, QPoint(10, 10)); },
         {"value 8080 13", "close"}},
        {"right click in the view",
         [](View& v, CWndSlider*) { QTest::mouseClick(&v, Qt::RightButton, {}, QPoint(10, 10)); },
         {"value 8080 13", "close"}},
        {"a key in another window",
         [](View& v, CWndSlider*) { QTest::keyClick(v.other, Qt::Key_X); },
         {"value 8080 13", "close"}},
        {"an arrow key in another window",
         [](View& v, CWndSlider*) { QTest::keyClick(v.other, Qt::Key_Left); },
         {}},
        {"a click into the slider's edit",
         [](View&, CWndSlider* s) { QTest::mouseClick(s->Edit(), Qt::LeftButton, {}, QPoint(3, 3)); },
         {}},
        {"a click on the slider",
         [](View&, CWndSlider* s) { QTest::mouseClick(s, Qt::LeftButton, {}, QPoint(0, 0)); },
         {}},
        {"the view's window loses activation",
         [](View& v, CWndSlider*) {
             QEvent deactivate(QEvent::WindowDeactivate);
             QCoreApplication::sendEvent(&v, &deactivate);
         },
         {"value 8080 13", "close"}},
        {"a middle click in the view",
         [](View& v, CWndSlider*) { QTest::mouseClick(&v, Qt::MiddleButton, {}, QPoint(10, 10)); },
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        view.log.clear();
        CWndSlider* slider = Open(16, 0.0, 40.0, 12.5);
        QPointer<CWndSlider> watch(slider);
        Type(slider, QStringLiteral("13000"));
        c.act(view, slider);
        EXPECT_EQ(view.log, c.log);
        EXPECT_EQ(watch.isNull(), !c.log.empty());
        delete watch.data();
    }
}

TEST_F(SliderTest, WithTwoSlidersOutsidePressesGoToTheNewestLiveOne)
{
    CWndSlider* first = Open(16, 0.0, 40.0, 12.5, true, {60, 60});
    CWndSlider* second = Open(5, 0.0, 20.0, 8.0, true, {200, 60});
    QPointer<CWndSlider> firstWatch(first);
    QPointer<CWndSlider> secondWatch(second);
    QTest::mouseClick(first->Edit(), Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseClick(second->Edit(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_FALSE(firstWatch.isNull());
    EXPECT_FALSE(secondWatch.isNull()) << "clicks into either slider close neither";
    EXPECT_EQ(CWndSlider::OpenCount(), 2);

    QTest::keyClick(second->Edit(), Qt::Key_Escape);
    ASSERT_TRUE(secondWatch.isNull());
    EXPECT_EQ(CWndSlider::Current(), first);
    view.log.clear();
    Type(first, QStringLiteral("20000"));
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(10, 150));
    EXPECT_TRUE(firstWatch.isNull()) << "the press went to the one still open";
    EXPECT_EQ(view.log, (std::vector<std::string>{"value 8080 20", "close"}));
    EXPECT_EQ(CWndSlider::OpenCount(), 0);
}

TEST_F(SliderTest, TabAppliesMovesTheFocusToTheSliderAndTellsTheOwner)
{
    CWndSlider* slider = Open(16, 0.0, 40.0, 12.5);
    Type(slider, QStringLiteral("14000"));
    QTest::keyClick(slider->Edit(), Qt::Key_Tab);
    EXPECT_EQ(view.log, (std::vector<std::string>{"value 8080 14", "tab"}));
    EXPECT_EQ(view.tabbed, (std::vector<CWndSlider*>{slider}));
    EXPECT_EQ(QApplication::focusWidget(), slider);
    EXPECT_EQ(slider->Edit()->text(), QStringLiteral("14000"));
    // Arrow keys on the slider itself are swallowed; Esc there closes it without applying.
    QPointer<CWndSlider> watch(slider);
    QTest::keyClick(slider, Qt::Key_Up);
    EXPECT_FALSE(watch.isNull());
    QTest::keyClick(slider, Qt::Key_Escape);
    EXPECT_TRUE(watch.isNull());
    EXPECT_EQ(view.log.back(), "close");
}

TEST_F(SliderTest, TheGripChangesTheHeightBetweenItsLimits)
{
    CWndSlider* slider = Open(16, 0.0, 40.0, 12.5, false);
    slider->grab(); // paints, which records the grip band
    ASSERT_EQ(slider->GripRect(), QRect(QPoint(-1, 98), QPoint(40, 108)));
    auto mouse = [slider](QEvent::Type type, int y) {
        const QPoint at(20, y);
        QMouseEvent e(type, at, slider->mapToGlobal(at),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(slider, &e);
    };
    mouse(QEvent::MouseButtonPress, 105); // 4 pixels above the client area's bottom
    ASSERT_TRUE(slider->IsDragging());
    struct Step
    {
        int y, height;
    };
    // The window's bottom follows the cursor (plus the offset) until it is taller than 200 pixels
    // (no more growing) or lower than 100 (no more shrinking).
    const Step steps[] = {{150, 154}, {196, 200}, {220, 224}, {260, 224},
                          {120, 124}, {50, 54},   {20, 54},   {70, 74}};
    for (const Step& s : steps) {
        SCOPED_TRACE(s.y);
        mouse(QEvent::MouseMove, s.y);
        EXPECT_EQ(slider->height(), s.height);
        EXPECT_EQ(slider->y(), 90) << "the top stays";
    }
    mouse(QEvent::MouseButtonRelease, 70);
    EXPECT_FALSE(slider->IsDragging());
    mouse(QEvent::MouseMove, 10);
    EXPECT_EQ(slider->height(), 74);
    delete slider;
}

TEST_F(SliderTest, PicturesOfACompactAndATallSlider)
{
    view.setAutoFillBackground(true);
    QPalette pal = view.palette();
    pal.setColor(QPalette::Window, QColor(0xC8, 0xD8, 0xED));
    view.setPalette(pal);
    view.other->hide();
    CWndSlider* compact = Open(16, 0.0, 40.0, 12.5, true, {70, 200});
    CWndSlider* tall = Open(2, 0.0, 100.0, 65.0, false, {200, 200});
    tall->SetEditBkColor(QColor(0xFF, 0xF0, 0xC0));
    QApplication::processEvents();
    const QImage picture = view.grab().toImage();
    ASSERT_TRUE(picture.save(ArtifactPath(QStringLiteral("slider_over_view.png"))));
    ASSERT_TRUE(compact->grab()
                    .toImage()
                    .scaled(46 * 4, 16 * 4)
                    .save(ArtifactPath(QStringLiteral("slider_compact.png"))));
    ASSERT_TRUE(
        tall->grab().toImage().scaled(40 * 4, 110 * 4).save(ArtifactPath(QStringLiteral("slider_tall.png"))));

    const QImage tallPicture = tall->grab().toImage();
    EXPECT_EQ(tallPicture.pixelColor(0, 50), QColor(Qt::black)) << "the border";
    EXPECT_EQ(tallPicture.pixelColor(20, 109), QColor(Qt::black));
    EXPECT_EQ(tallPicture.pixelColor(20, 99), QColor(Qt::black)) << "the line over the grip band";
    EXPECT_EQ(tallPicture.pixelColor(20, 50), QColor(Qt::white)) << "below the edit";
    EXPECT_EQ(tallPicture.pixelColor(3, 8), QColor(0xFF, 0xF0, 0xC0)) << "the edit's own background";
    std::vector<QRgb> band;
    for (int x = 1; x < 9; ++x)
        band.push_back(tallPicture.pixel(x, 104));
    EXPECT_GT(std::count_if(band.begin(), band.end(), [&](QRgb c) { return c != band.front(); }), 0)
        << "the grip band is patterned";
    const QImage compactPicture = compact->grab().toImage();
    EXPECT_EQ(compactPicture.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(compactPicture.pixelColor(45, 15), QColor(Qt::black));
    delete tall;
    delete compact;
}

namespace {

// Scripted hint services: the language, the box's answer and check box, the document opener.
struct HintScript
{
    QString language = QStringLiteral("DE");
    int answer = 668;
    bool tick = false;
    bool openWorks = true;
    int boxes = 0;
    std::vector<QString> opened;

    SliderHint::Services Services()
    {
        return {[this] { return language; },
                [this](bool* checked) {
                    ++boxes;
                    *checked = tick;
                    return answer;
                },
                [this](const QString& path, QWidget*) {
                    opened.push_back(path);
                    return openWorks;
                },
                {}}; // messages go through the program's message boxes
    }
};

} // namespace

TEST_F(SliderTest, TheHintComesOnAGermanInterfaceOncePerPendingCloseUntilTicked)
{
    struct Case
    {
        const char* name;
        QString language;
        bool pending, answered, applied;
        int answer;
        bool tick, openWorks;
        int boxes;
        int opened;
        int messages;
        bool answeredAfter;
    };
    const Case cases[] = {
        {"English interface", "EN", true, false, true, 668, false, true, 0, 0, 0, false},
        {"nothing pending", "DE", false, false, true, 668, false, true, 0, 0, 0, false},
        {"pending, closed with Esc", "de", true, false, false, 668, false, true, 1, 0, 0, false},
        {"ticked: remembered", "DE", true, false, true, 668, true, true, 1, 0, 0, true},
        {"already answered", "DE", true, true, true, 668, false, true, 0, 0, 0, true},
        {"the document is opened", "DE", true, false, true, 803, false, true, 1, 1, 0, false},
        {"a missing document gives a message", "DE", true, false, true, 803, false, false, 1, 1, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HintScript script;
        script.language = c.language;
        script.answer = c.answer;
        script.tick = c.tick;
        script.openWorks = c.openWorks;
        ScriptedMessageBoxService boxes;
        const SliderHint::Services before = SliderHint::SetServices(script.Services());
        view.run.GetAntworten().bSliderHinweisAus = c.answered;
        view.run.SetSliderHinweisAnstehend(c.pending);
        CWndSlider* slider = Open(16, 0.0, 40.0, 12.5);
        if (c.applied)
            QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(10, 10));
        else
            QTest::keyClick(slider->Edit(), Qt::Key_Escape);
        EXPECT_EQ(CWndSlider::OpenCount(), 0);
        EXPECT_EQ(script.boxes, c.boxes);
        EXPECT_EQ(int(script.opened.size()), c.opened);
        if (!script.opened.empty()) {
            EXPECT_EQ(script.opened.front(), SliderHint::DocumentPath());
        }
        EXPECT_EQ(int(boxes.Records().size()), c.messages);
        if (!boxes.Records().isEmpty()) {
            EXPECT_TRUE(boxes.Records().front().text.contains(QStringLiteral("StVZO34.pdf")));
            EXPECT_EQ(boxes.Records().front().icon, IMessageBoxService::Icon::Warning);
        }
        EXPECT_EQ(view.run.GetAntworten().bSliderHinweisAus, c.answeredAfter);
        EXPECT_FALSE(view.run.IsSliderHinweisAnstehend()) << "cleared by the closing";
        // Closing again without a new mark shows nothing.
        CWndSlider* again = Open(16, 0.0, 40.0, 12.5);
        QTest::keyClick(again->Edit(), Qt::Key_Escape);
        EXPECT_EQ(script.boxes, c.boxes);
        SliderHint::SetServices(before);
        view.run = ProgramRun();
    }
    EXPECT_TRUE(SliderHint::DocumentPath().endsWith(QStringLiteral("Samples/StVZO34.pdf")));
    EXPECT_TRUE(QDir::isAbsolutePath(SliderHint::DocumentPath()))
        << "in the program folder, not the current one";
}

TEST_F(SliderTest, AViewThatGoesTakesItsSliderWithoutBeingCalledBack)
{
    int gone = 0;
    auto owner = std::make_unique<View>(&gone);
    owner->show();
    auto* slider = new CWndSlider;
    slider->SetKind(5);
    slider->SetLimits(0.0, 10.0);
    ASSERT_TRUE(slider->Create({50, 50}, owner.get(), true));
    QPointer<CWndSlider> watch(slider);
    owner.reset();
    EXPECT_TRUE(watch.isNull());
    EXPECT_EQ(gone, 0);
    EXPECT_EQ(CWndSlider::OpenCount(), 0);
    // With no slider left, presses go nowhere.
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(view.log.empty());
}
