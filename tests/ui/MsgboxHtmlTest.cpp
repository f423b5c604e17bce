// Tests of the HTML message box: results, buttons, confirm question, attached functions, check box,
// body and picture.
#include "draw2d/core/BitmapExImage.h"
#include "model/text/TextProvider.h"
#include "ui/CDlgMsgboxHtml.h"
#include "ui/CQorBrowser.h"
#include "ui/CRibBtn.h"
#include "ui/CRibBtnContainer.h"
#include "ui/CommandEvent.h"
#include "ui/ControlId.h"

#include "UiTestModule.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <array>
#include <functional>

namespace {

constexpr int kBodyItem = 9913; // a toolkit test message of the language module

// A box whose confirm question is answered by the test.
class TestBox : public CDlgMsgboxHtml
{
public:
    using CDlgMsgboxHtml::CDlgMsgboxHtml;
    std::vector<bool> answers;
    std::vector<QString> questions;

protected:
    bool AskConfirm(const QString& question, const QString& caption) override
    {
        questions.push_back(caption + "|" + question);
        const bool yes = !answers.empty() && answers.front();
        if (!answers.empty())
            answers.erase(answers.begin());
        return yes;
    }
};

class MsgboxHtmlTest : public testing::Test
{
protected:
    MsgboxHtmlTest() : m_templates(UiTestModule()) { ResourceModule::SetCurrent(UiTestModule()); }
    ~MsgboxHtmlTest() override { ResourceModule::SetCurrent(nullptr); }

    // Runs `steps` one after the other inside the box's modal loop.
    static void WhileOpen(std::vector<std::function<void()>> steps)
    {
        QTimer::singleShot(0, [steps] {
            for (const auto& step : steps)
                step();
        });
    }

    static void Press(CDlgMsgboxHtml& box, int id)
    {
        CommandEvent click{quint32(id)};
        QCoreApplication::sendEvent(&box, &click);
    }

private:
    ScopedDialogTemplateModule m_templates;
};

QString ArtifactPath(const QString& name)
{
    QDir().mkpath(QOR_TEST_ARTIFACT_DIR);
    return QStringLiteral(QOR_TEST_ARTIFACT_DIR "/") + name;
}

} // namespace

TEST_F(MsgboxHtmlTest, ReturnsTheClickedButtonAndShowsItsHtmlBody)
{
    TestBox box;
    box.SetIconImage(814, CDlgMsgboxHtml::kIconPng);
    box.SetHeaderFooter(true);
    box.SetShowCheckBox(true);
    QImage picture;
    QString shownText;
    WhileOpen({[&] {
        shownText = box.Browser()->toPlainText();
        picture = box.grab().toImage();
        // A real click on the second button of the strip.
        CRibBtn* button = box.ButtonStrip()->FindButton(803);
        ASSERT_NE(button, nullptr);
        const QPoint at = button->rect().center();
        QMouseEvent press(QEvent::MouseButtonPress, at, button->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, button->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(button, &press);
        QCoreApplication::sendEvent(button, &release);
    }});
    EXPECT_EQ(box.DoModalIds(kBodyItem, 273, 668, -1, 803, 425), 803);
    EXPECT_EQ(box.windowTitle(), QString::fromStdString(LoadResString(273)));
    EXPECT_TRUE(box.BodyHtml().startsWith(QString::fromStdString(LoadResString(436))));
    EXPECT_TRUE(box.BodyHtml().endsWith(QString::fromStdString(LoadResString(437))));
    EXPECT_TRUE(shownText.contains("Pallet 3 is not secured")) << shownText.toStdString();
    ASSERT_FALSE(picture.isNull());
    EXPECT_TRUE(picture.save(ArtifactPath("message_box.png")));
    // The picture column is white where neither the side picture nor the icon reach... (checked
    // in PictureColumnTintsTheSidePictureUnderAnIcon); here: the icon sits in the column's middle.
    const QWidget* column = box.findChild<QWidget*>(ControlId::ObjectName(CDlgMsgboxHtml::kPictureId));
    ASSERT_NE(column, nullptr);
    const QColor middle = picture.pixelColor(column->geometry().center() + QPoint(-12, 0));
    EXPECT_GT(middle.blue(), middle.red() + 60) << "the blue hint icon";
}

TEST_F(MsgboxHtmlTest, ButtonsCaptionsAndSeparators)
{
    struct Case
    {
        const char* what;
        bool texts;
        std::vector<int> ids;
        int entries;
    };
    const Case cases[] = {
        {"one button, no separator", false, {668}, 1},
        {"two buttons, one separator", false, {668, 803}, 3},
        {"three buttons in texts mode", true, {668, 803, 705}, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestBox box;
        int entries = -1;
        QString caption803;
        WhileOpen({[&] {
            entries = box.ButtonStrip()->EntryCount();
            if (CRibBtn* b = box.ButtonStrip()->FindButton(803))
                caption803 = b->Caption();
            Press(box, c.ids.back());
        }});
        int result = 0;
        const int b2 = c.ids.size() > 1 ? c.ids[1] : -1;
        const int b3 = c.ids.size() > 2 ? c.ids[2] : -1;
        if (c.texts)
            result = box.DoModalTexts("<p>Body</p>", "Title", c.ids[0], QString(), b2, "Open", b3, QString());
        else
            result = box.DoModalIds(kBodyItem, 273, c.ids[0], -1, b2, 425, b3, -1);
        EXPECT_EQ(result, c.ids.back());
        EXPECT_EQ(entries, c.entries);
        if (b2 == 803) {
            EXPECT_EQ(caption803, c.texts ? QString("Open") : QString::fromStdString(LoadResString(425)));
        }
    }
}

TEST_F(MsgboxHtmlTest, EveryButtonOfAFullStripShowsItsWholeCaptionInsideTheBox)
{
    struct Case
    {
        const char* what;
        std::array<int, 8> buttons; // id, caption id; -1 unused
    };
    const Case cases[] = {
        {"one button", {668, -1, -1, -1, -1, -1, -1, -1}},
        {"the securing question's four buttons", {879, 874, 821, 883, 880, 877, 705, 705}},
        {"four buttons with two-word captions", {397, 537, 748, 536, 770, 538, 705, 705}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestBox box;
        std::vector<std::string> faults;
        int boxWidth = 0;
        int browserRight = 0;
        WhileOpen({[&] {
            boxWidth = box.width();
            const QRect inside = box.rect();
            if (auto* browser = box.findChild<CQorBrowser*>())
                browserRight = browser->geometry().right();
            for (CRibBtn* button : box.ButtonStrip()->findChildren<CRibBtn*>()) {
                const QRect place(button->mapTo(&box, QPoint(0, 0)), button->size());
                if (!inside.contains(place))
                    faults.push_back(button->Caption().toStdString() + " runs past the box's edge");
                if (button->Record().CaptionMode() != CRibBtn::kFullCaption ||
                    button->width() < button->PreferredWidth())
                    faults.push_back(button->Caption().toStdString() + " is cut");
            }
            Press(box, c.buttons[0]);
        }});
        const auto& b = c.buttons;
        EXPECT_EQ(box.DoModalIds(kBodyItem, 273, b[0], b[1], b[2], b[3], b[4], b[5], b[6], b[7]), b[0]);
        EXPECT_TRUE(faults.empty()) << faults.front();
        EXPECT_GE(boxWidth, 470); // never narrower than its template
        EXPECT_LT(browserRight, boxWidth - 1);
    }
}

TEST_F(MsgboxHtmlTest, NullCaptionInTextsModeShowsTheButtonsOwnTexts)
{
    TestBox box;
    QString caption;
    WhileOpen({[&] {
        caption = box.ButtonStrip()->FindButton(668)->Caption();
        Press(box, 668);
    }});
    EXPECT_EQ(box.DoModalTexts("<p>x</p>", QString(), 668, QString()), 668);
    EXPECT_EQ(caption, "OK");
    EXPECT_EQ(box.windowTitle(), "");
}

TEST_F(MsgboxHtmlTest, ConfirmButtonAsksFirst)
{
    TestBox box;
    box.answers = {false, true};
    box.SetConfirmButton(803, "Delete the plan?", QString());
    bool openAfterNo = false;
    WhileOpen({[&] {
        Press(box, 803);
        openAfterNo = box.isVisible() && box.result() == 0;
        Press(box, 803);
    }});
    EXPECT_EQ(box.DoModalIds(kBodyItem, 273, 668, -1, 803, -1), 803);
    EXPECT_TRUE(openAfterNo);
    ASSERT_EQ(box.questions.size(), 2u);
    EXPECT_EQ(box.questions[0], QString::fromStdString(LoadResString(425)) + "|Delete the plan?");
}

// The box's own question: Yes and No carry the module's captions (a German module's "Ja" and "Nein").
TEST_F(MsgboxHtmlTest, TheConfirmQuestionShowsTheModulesYesAndNo)
{
    class ConfirmBox : public CDlgMsgboxHtml
    {
    public:
        using CDlgMsgboxHtml::CDlgMsgboxHtml;
        bool Ask(const QString& question) { return AskConfirm(question, QStringLiteral("QOR")); }
    };
    CTableTextProvider texte({{1560, "&Ja"}, {1561, "&Nein"}});
    ScopedTextProvider scope(&texte);
    ConfirmBox box;
    QStringList captions;
    int versuche = 0;
    std::function<void()> antworte = [&] {
        auto* frage = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!frage) {
            if (++versuche < 200)
                QTimer::singleShot(10, antworte);
            return;
        }
        for (QMessageBox::StandardButton b : {QMessageBox::Yes, QMessageBox::No})
            captions.append(frage->button(b) ? frage->button(b)->text() : QString());
        frage->button(QMessageBox::No)->click();
    };
    QTimer::singleShot(0, antworte);
    EXPECT_FALSE(box.Ask(QStringLiteral("Den Plan löschen?")));
    EXPECT_EQ(captions, (QStringList{QStringLiteral("&Ja"), QStringLiteral("&Nein")}));
}

TEST_F(MsgboxHtmlTest, AttachedFunctionsKeepTheBoxOpenOrCloseIt)
{
    TestBox box;
    std::vector<std::pair<int, bool>> calls; // id, box visible during the call
    box.AddCmdHandler(
        900,
        [&](int id, quintptr param) {
            calls.push_back({id, box.isVisible()});
            EXPECT_EQ(param, 42u);
            return 0;
        },
        true, 42);
    box.AddCmdHandler(901, [&](int id, quintptr) {
        calls.push_back({id, box.isVisible()});
        return 0;
    });
    // A second handler for 901 replaces the first and closes the box with its answer.
    box.AddCmdHandler(901, [&](int id, quintptr) {
        calls.push_back({-id, box.isVisible()});
        return 77;
    });
    bool visibleAfterHidden = false;
    WhileOpen({[&] {
        Press(box, 900);
        visibleAfterHidden = box.isVisible();
        Press(box, 901);
    }});
    EXPECT_EQ(box.DoModalIds(kBodyItem, 273, 900, -1, 901, -1), 77);
    EXPECT_EQ(calls, (std::vector<std::pair<int, bool>>{{900, false}, {-901, true}}));
    EXPECT_TRUE(visibleAfterHidden);
}

TEST_F(MsgboxHtmlTest, CheckBoxStateFollowsTheClicks)
{
    for (int clicks : {1, 2}) {
        SCOPED_TRACE(clicks);
        TestBox box;
        box.SetShowCheckBox(true);
        bool shown = false;
        WhileOpen({[&] {
            auto* check = box.findChild<QCheckBox*>(ControlId::ObjectName(CDlgMsgboxHtml::kCheckBoxId));
            shown = check && check->isVisible();
            for (int i = 0; i < clicks; ++i)
                check->click();
            Press(box, 668);
        }});
        EXPECT_EQ(box.DoModalIds(kBodyItem, 273, 668, -1), 668);
        EXPECT_TRUE(shown);
        EXPECT_EQ(box.CheckState(), clicks == 1);
    }
}

TEST_F(MsgboxHtmlTest, ReturnPressesTheDefaultButtonAndOkWithoutOneAccepts)
{
    {
        TestBox box;
        box.SetDefaultButton(803);
        WhileOpen({[&] {
            QKeyEvent key(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QCoreApplication::sendEvent(box.focusWidget() ? box.focusWidget() : &box, &key);
        }});
        EXPECT_EQ(box.DoModalIds(kBodyItem, 273, 668, -1, 803, -1), 803);
    }
    {
        // Command 668 when it is not one of the box's buttons: the box's OK closes it as accepted.
        TestBox box;
        WhileOpen({[&] { Press(box, CDlgBase::kIdOk); }});
        EXPECT_EQ(box.DoModalIds(kBodyItem, 273, 900, -1), int(QDialog::Accepted));
    }
}

// Return in a question with no default set answers with one of its own buttons: the first, unless OK
// is one of them; a box with one button closes as accepted.
TEST_F(MsgboxHtmlTest, ReturnInAQuestionWithoutADefaultAnswersWithItsFirstButton)
{
    struct Case
    {
        const char* what;
        int btn1, btn2;
        int answer;
    };
    const Case cases[] = {
        {"yes and cancel", 668, 708, 668},
        {"cancel first", 708, 668, 708},
        {"OK among the buttons", 708, int(QDialog::Accepted), int(QDialog::Accepted)},
        {"one button", 668, CDlgMsgboxHtml::kUnused, int(QDialog::Accepted)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestBox box;
        WhileOpen({[&] {
            QKeyEvent key(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QCoreApplication::sendEvent(box.focusWidget() ? box.focusWidget() : &box, &key);
            // A box that Return left open fails the case instead of waiting for ever.
            QTimer::singleShot(2000, &box, [&box] {
                if (box.isVisible())
                    box.done(-99);
            });
        }});
        EXPECT_EQ(box.DoModalIds(kBodyItem, 273, c.btn1, -1, c.btn2, -1), c.answer);
    }
}

TEST_F(MsgboxHtmlTest, DisabledCommandsSwallowEverythingButItsButtons)
{
    TestBox box;
    box.SetCommandsEnabled(false);
    bool openAfterCancel = false;
    WhileOpen({[&] {
        Press(box, CDlgBase::kIdCancel);
        openAfterCancel = box.isVisible();
        Press(box, 803);
    }});
    EXPECT_EQ(box.DoModalIds(kBodyItem, 273, 803, -1), 803);
    EXPECT_TRUE(openAfterCancel);
}

TEST_F(MsgboxHtmlTest, StringBodiesAndMissingBodies)
{
    struct Case
    {
        int msg, type;
        QString expected;
    };
    const Case cases[] = {
        {273, CDlgMsgboxHtml::kBodyString, QString::fromStdString(LoadResString(273))},
        {9999, CDlgMsgboxHtml::kBodyHtml, QString()},
        {9999, CDlgMsgboxHtml::kBodyString, QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.msg);
        TestBox box;
        box.SetBodyType(c.type);
        WhileOpen({[&] { Press(box, 668); }});
        EXPECT_EQ(box.DoModalIds(c.msg, -1, 668, -1), 668);
        EXPECT_EQ(box.Browser()->toPlainText(), c.expected);
    }
}

TEST_F(MsgboxHtmlTest, PictureColumnTintsTheSidePictureUnderAnIcon)
{
    QImage side(20, 40, QImage::Format_RGB32);
    side.fill(QColor(0x40, 0x60, 0x90));
    QImage icon(8, 8, QImage::Format_ARGB32);
    icon.fill(QColor(255, 0, 0));
    const QImage plain = CDlgMsgboxHtml::ComposePictureColumn(QSize(40, 60), side, QImage());
    const QImage withIcon = CDlgMsgboxHtml::ComposePictureColumn(QSize(40, 60), side, icon);
    EXPECT_EQ(plain.pixelColor(0, 0), QColor(Qt::white));
    EXPECT_EQ(plain.pixelColor(12, 12), QColor(0x40, 0x60, 0x90));
    EXPECT_EQ(withIcon.pixelColor(20, 30), QColor(255, 0, 0));
    const QColor tinted = withIcon.pixelColor(12, 12);
    EXPECT_GT(tinted.red(), 0xC0) << "moved far towards the light grey";
    EXPECT_EQ(withIcon.pixelColor(0, 0), QColor(Qt::white));
}

TEST_F(MsgboxHtmlTest, PictureColumnSmoothsAndTintsWithThePixelBitmap)
{
    // A side picture with an edge, so that the smoothing shows.
    QImage side(10, 10, QImage::Format_RGB32);
    side.fill(QColor(0x20, 0x30, 0x40));
    for (int y = 0; y < 10; ++y)
        for (int x = 5; x < 10; ++x)
            side.setPixelColor(x, y, QColor(0xF0, 0xA0, 0x10));
    QImage icon(2, 2, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    CBitmapEx bm;
    LoadBitmapExFromImage(bm, side);
    bm.Blur();
    bm.Colorize(0xE6E6E6);
    const QImage expected = BitmapExToImage(bm);
    const QImage column = CDlgMsgboxHtml::ComposePictureColumn(QSize(10, 10), side, icon);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            if (x >= 4 && x < 6 && y >= 4 && y < 6)
                continue; // under the (transparent) icon
            ASSERT_EQ(column.pixelColor(x, y), expected.pixelColor(x, y)) << x << "," << y;
        }
    EXPECT_NE(column.pixelColor(4, 0), column.pixelColor(0, 0)) << "the edge is smoothed";
}

TEST_F(MsgboxHtmlTest, TabRunsThroughBodyButtonsAndCheckBox)
{
    TestBox box;
    box.SetShowCheckBox(true);
    box.SetFocusId(803);
    std::vector<QString> visited;
    QWidget* first = nullptr;
    auto name = [&box](QWidget* w) {
        if (!w)
            return QString("none");
        if (auto* button = qobject_cast<CRibBtn*>(w))
            return QString::number(button->CommandId());
        return w == box.Browser() ? QString("html") : w->objectName();
    };
    WhileOpen({[&] {
        box.activateWindow();
        first = box.focusWidget();
        for (auto [key, mods] : {std::pair{Qt::Key_Tab, Qt::NoModifier},
                                 {Qt::Key_Tab, Qt::NoModifier},
                                 {Qt::Key_Tab, Qt::NoModifier},
                                 {Qt::Key_Tab, Qt::NoModifier},
                                 {Qt::Key_Backtab, Qt::ShiftModifier},
                                 {Qt::Key_Left, Qt::NoModifier}}) {
            QKeyEvent press(QEvent::KeyPress, key, mods);
            QCoreApplication::sendEvent(box.focusWidget(), &press);
            visited.push_back(name(box.focusWidget()));
        }
        Press(box, 668);
    }});
    EXPECT_EQ(box.DoModalIds(kBodyItem, 273, 668, -1, 803, -1), 668);
    EXPECT_EQ(name(first), "803");
    // From 803: the check box, round to the body, the first button, the second; back; Left.
    EXPECT_EQ(visited, (std::vector<QString>{ControlId::ObjectName(CDlgMsgboxHtml::kCheckBoxId), "html",
                                             "668", "803", "668", "html"}));
}

TEST_F(MsgboxHtmlTest, ArrowsMoveBetweenButtonsButStayInTheBody)
{
    TestBox box;
    box.SetFocusId(668);
    std::vector<QWidget*> focused;
    WhileOpen({[&] {
        box.activateWindow();
        auto press = [&box](Qt::Key key) {
            QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
            QCoreApplication::sendEvent(box.focusWidget(), &event);
            return box.focusWidget();
        };
        focused.push_back(press(Qt::Key_Right));
        focused.push_back(press(Qt::Key_Down)); // past the last button: round to the body
        focused.push_back(press(Qt::Key_Down)); // in the body the arrow scrolls, the focus stays
        focused.push_back(press(Qt::Key_Up));
        Press(box, 668);
    }});
    EXPECT_EQ(box.DoModalIds(kBodyItem, 273, 668, -1, 803, -1), 668);
    ASSERT_EQ(focused.size(), 4u);
    ASSERT_NE(box.ButtonStrip(), nullptr);
    EXPECT_EQ(focused[0], box.ButtonStrip()->FindButton(803));
    EXPECT_EQ(focused[1], box.Browser());
    EXPECT_EQ(focused[2], box.Browser());
    EXPECT_EQ(focused[3], box.Browser());
}
