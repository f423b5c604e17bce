// The typed edit field: character filters, commit, notifications, formats and the user's locale.
#include "UiTestModule.h"

#include "model/text/NumberText.h"
#include "ui/CEditLast.h"
#include "ui/ControlId.h"
#include "ui/EditCommitEvent.h"
#include "ui/NotifyEvent.h"
#include "ui/ScriptedMessageBoxService.h"

#include <QLocale>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

namespace {

// The field's parent: records what the field tells it and can answer or change values.
class Recorder : public QWidget
{
public:
    struct Note
    {
        int code;
        int wParam;
        int flagA;
        int flag;
        EditValue before;
        EditValue after;
    };
    std::vector<Note> notes;
    std::vector<EditValue> commits;
    std::function<void(EditValue&)> onCommit;
    int returnAnswer = 0;

    int Count(int code) const
    {
        return int(
            std::count_if(notes.begin(), notes.end(), [code](const Note& n) { return n.code == code; }));
    }

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == NotifyEvent::kType) {
            auto* note = static_cast<NotifyEvent*>(event);
            Note n{note->Code(), note->wParam, note->flagA, note->flag, {}, {}};
            if (note->Code() == CEditLast::kNotifyChanged) {
                n.before = *static_cast<const EditValue*>(note->a);
                n.after = *static_cast<const EditValue*>(note->b);
            }
            if (note->Code() == CEditLast::kNotifyReturn)
                note->result = returnAnswer;
            notes.push_back(n);
            return true;
        }
        if (event->type() == EditCommitEvent::kType) {
            auto* commit = static_cast<EditCommitEvent*>(event);
            if (onCommit)
                onCommit(commit->Value());
            commits.push_back(commit->Value());
            return true;
        }
        return QWidget::event(event);
    }
};

// Runs a test in an interface language with the decimal separator of `locale`, while the desktop's
// locale is the other one: the field follows the language, never the desktop.
class ScopedLocale
{
public:
    explicit ScopedLocale(const QLocale& locale)
        : m_previous(QLocale()), m_separator(locale.decimalPoint() == QLatin1String(",") ? ',' : '.')
    {
        QLocale::setDefault(locale.decimalPoint() == QLatin1String(",") ? QLocale(QLocale::English)
                                                                        : QLocale(QLocale::German));
    }
    ~ScopedLocale() { QLocale::setDefault(m_previous); }

private:
    QLocale m_previous;
    ScopedDecimalSeparator m_separator;
};

const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);
const QLocale kGerman(QLocale::German, QLocale::Germany);

struct Fixture
{
    ScriptedMessageBoxService boxes;
    Recorder parent;
    CEditLast* edit = new CEditLast(&parent);
    QLineEdit* other = new QLineEdit(&parent);

    Fixture()
    {
        ControlId::Set(edit, 1103);
        parent.resize(300, 80);
        edit->setGeometry(10, 10, 120, 22);
        other->setGeometry(10, 40, 120, 22);
    }
    // Shows the parent and puts the focus into the field.
    void Focus()
    {
        parent.show();
        parent.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&parent));
        edit->setFocus();
        EXPECT_TRUE(edit->hasFocus());
    }
    // Types into the field as a user would, then leaves it.
    void TypeAndLeave(const QString& text)
    {
        Focus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        edit->insert(text);
        other->setFocus();
    }
};

TEST(CEditLastTest, TypedCharactersPassTheFilters)
{
    struct Case
    {
        const char* name;
        QLocale locale;
        std::function<void(CEditLast&)> setup;
        const char* start;
        int selFrom, selLength;
        const char* typed;
        const char* expected;
    };
    const Case cases[] = {
        // A number field drops nothing typed: its commit reads the text and refuses what is no number.
        {"int keeps sign and point", kEnglish, [](CEditLast& e) { e.SetFormat(1); }, "", 0, 0, "1-2.3a",
         "1-2.3a"},
        {"float keeps every point", kEnglish, [](CEditLast& e) { e.SetFormat(2); }, "", 0, 0, "1.2.3",
         "1.2.3"},
        {"the built-in sets filter no number field", kEnglish,
         [](CEditLast& e) { e.SetFormat(3), e.SetAllowedChars(CEditLast::kDigits); }, "", 0, 0, "0,5x",
         "0,5x"},
        {"a selected point may be replaced", kEnglish, [](CEditLast& e) { e.SetFormat(3); }, "1.5", 1, 2, ".",
         "1."},
        {"German comma and point kept", kGerman, [](CEditLast& e) { e.SetFormat(3); }, "", 0, 0, "1,2.,5",
         "1,2.,5"},
        {"a text field keeps its digit filter", kEnglish,
         [](CEditLast& e) { e.SetFormat(4), e.SetAllowedChars(CEditLast::kDigits); }, "", 0, 0, "1a2", "12"},
        {"map point to comma", kEnglish, [](CEditLast& e) { e.SetFormat(4), e.SetCharMap(".", ","); }, "", 0,
         0, "1.5", "1,5"},
        {"refused characters", kEnglish, [](CEditLast& e) { e.SetFormat(4), e.SetRefusedChars("/\\"); }, "",
         0, 0, "a/b\\c", "abc"},
        {"allowed set of the caller", kEnglish,
         [](CEditLast& e) { e.SetFormat(4), e.SetAllowedChars("abc"); }, "", 0, 0, "abcd", "abc"},
        {"once-only of the caller", kEnglish, [](CEditLast& e) { e.SetFormat(4), e.SetOnceOnlyChars("@"); },
         "a@", 0, 0, "b@c", "a@bc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScopedLocale locale(c.locale);
        Fixture f;
        c.setup(*f.edit);
        f.edit->setText(QString::fromUtf8(c.start));
        if (c.selLength)
            f.edit->setSelection(c.selFrom, c.selLength);
        else
            f.edit->setCursorPosition(int(f.edit->text().size()));
        QTest::keyClicks(f.edit, QString::fromUtf8(c.typed));
        EXPECT_EQ(f.edit->text().toStdString(), c.expected);
    }
}

TEST(CEditLastTest, CommitParsesStoresAndShows)
{
    struct Case
    {
        const char* name;
        QLocale locale;
        int mode;
        const char* format;
        std::optional<double> restore;
        std::optional<double> marker;
        const char* typed;
        bool empty; // also when refused: the getters answer as for an empty field
        double value;
        const char* shown; // unfocused
    };
    const Case cases[] = {
        {"int", kEnglish, 1, nullptr, {}, {}, "42", false, 42, "42"},
        {"int refuses a fraction", kEnglish, 1, nullptr, {}, {}, "12.5", true, 0, "12.5"},
        {"a format without decimals refuses a fraction, never rounds it",
         kGerman,
         3,
         "%.0f",
         {},
         {},
         "300,5",
         true,
         0,
         "300,5"},
        {"a float format without decimals too", kEnglish, 2, "%.0f mm", {}, {}, "0.5", true, 0, "0.5"},
        {"a format without decimals takes a whole number written with decimals",
         kEnglish,
         3,
         "%.0f",
         {},
         {},
         "300.0",
         false,
         300,
         "300"},
        {"int refuses a fraction despite a restore value",
         kEnglish,
         1,
         nullptr,
         7.0,
         {},
         "12.5",
         true,
         0,
         "12.5"},
        {"int empty text takes the restore value", kEnglish, 1, nullptr, 7.0, {}, "", false, 7, "7"},
        {"int empty text", kEnglish, 1, nullptr, {}, {}, "", true, 0, "(none)"},
        {"int out of range", kEnglish, 1, nullptr, {}, {}, "99999999999", true, 0, "99999999999"},
        {"float overflow",
         kEnglish,
         2,
         nullptr,
         {},
         {},
         "1000000000000000000000000000000000000000",
         true,
         0,
         "1000000000000000000000000000000000000000"},
        {"no exponent", kEnglish, 3, nullptr, {}, {}, "5e-1", true, 0, "5e-1"},
        {"double infinity", kEnglish, 3, nullptr, {}, {}, "inf", true, 0, "inf"},
        {"double not a number", kEnglish, 3, nullptr, {}, {}, "nan", true, 0, "nan"},
        {"a comma that cannot be misread", kEnglish, 3, "%.2f", {}, {}, "0,5", false, 0.5, "0.50"},
        {"German refuses a thousands group", kGerman, 3, "%.2f", {}, {}, "1.234", true, 0, "1.234"},
        {"double with blanks and sign", kEnglish, 3, "%.2f", {}, {}, " +2.5", false, 2.5, "2.50"},
        {"German comma", kGerman, 3, "%.2f", {}, {}, "2,5", false, 2.5, "2,50"},
        {"German reads a point too", kGerman, 3, "%.1f", {}, {}, "2.5", false, 2.5, "2,5"},
        {"prefix and suffix", kEnglish, 3, "L = \n%.1f\n m", {}, {}, "2.5", false, 2.5, "L = 2.5 m"},
        {"suffix only", kEnglish, 1, "%i\n kg", {}, {}, "300", false, 300, "300 kg"},
        {"marker counts as empty", kEnglish, 2, "%.2f", {}, -1.0, "-1.004", true, 0, "(none)"},
        {"marker only within 0.005", kEnglish, 2, "%.2f", {}, -1.0, "-1.006", false, -1.006, "-1.01"},
        {"format of another type falls back", kEnglish, 3, "%s", {}, {}, "1.5", false, 1.5, "1.500000"},
        {"literal percent", kEnglish, 3, "%.0f%%", {}, {}, "15", false, 15, "15%"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScopedLocale locale(c.locale);
        Fixture f;
        if (c.format)
            f.edit->SetFormat(c.mode, QString::fromUtf8(c.format), QStringLiteral("(none)"));
        else
            f.edit->SetFormat(c.mode, std::nullopt, QStringLiteral("(none)"));
        if (c.restore)
            f.edit->SetRestoreValueDouble(*c.restore);
        if (c.marker)
            f.edit->SetEmptyValueDouble(*c.marker);
        f.TypeAndLeave(QString::fromUtf8(c.typed));
        EXPECT_EQ(f.edit->IsEmpty(), c.empty);
        if (!c.empty) {
            EXPECT_NEAR(f.edit->GetDoubleOr(-999), c.value, 1e-6);
        }
        EXPECT_EQ(f.edit->text().toStdString(), c.shown);
        EXPECT_TRUE(std::isfinite(f.edit->GetDouble()));
        EXPECT_EQ(f.edit->LastText().toStdString(), c.typed);
    }
}

TEST(CEditLastTest, ChangeNotificationOnlyForChangesExceptOnReturn)
{
    ScopedLocale locale(kEnglish);
    Fixture f;
    f.edit->SetFormat(3, QStringLiteral("%.1f"));
    f.edit->SetDouble(1.5);
    EXPECT_EQ(f.parent.Count(CEditLast::kNotifyChanged), 0); // SetDouble sends none

    f.TypeAndLeave(QStringLiteral("1.5"));
    EXPECT_EQ(f.parent.Count(CEditLast::kNotifyChanged), 0);

    f.TypeAndLeave(QStringLiteral("2.5"));
    ASSERT_EQ(f.parent.Count(CEditLast::kNotifyChanged), 1);
    EXPECT_EQ(f.parent.notes.back().before.d, 1.5);
    EXPECT_EQ(f.parent.notes.back().after.d, 2.5);
    EXPECT_EQ(f.parent.notes.back().flag, 0);
    EXPECT_EQ(f.parent.notes.back().wParam, 1103);

    // Return always notifies, with the flag set, and the key goes on to the dialog.
    f.Focus();
    QKeyEvent ret(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QCoreApplication::sendEvent(f.edit, &ret);
    EXPECT_FALSE(ret.isAccepted());
    ASSERT_EQ(f.parent.Count(CEditLast::kNotifyChanged), 2);
    EXPECT_EQ(f.parent.notes.back().flag, 1);
    EXPECT_EQ(f.edit->selectedText(), f.edit->text());

    // With the return notification the parent may swallow the key.
    f.edit->SetReturnNotification(true);
    f.parent.returnAnswer = 1;
    QKeyEvent swallowed(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QCoreApplication::sendEvent(f.edit, &swallowed);
    EXPECT_TRUE(swallowed.isAccepted());
    EXPECT_EQ(f.parent.Count(CEditLast::kNotifyReturn), 1);

    // From empty to empty: nothing.
    f.TypeAndLeave(QString());
    const int afterEmptying = f.parent.Count(CEditLast::kNotifyChanged);
    f.TypeAndLeave(QStringLiteral("x"));
    EXPECT_EQ(f.parent.Count(CEditLast::kNotifyChanged), afterEmptying);
}

TEST(CEditLastTest, ParentSeesAndMayChangeTheCommittedValue)
{
    ScopedLocale locale(kEnglish);
    Fixture f;
    f.edit->SetFormat(3, QStringLiteral("%.1f"));
    f.parent.onCommit = [](EditValue& v) {
        if (v.d > 100)
            v.d = 100;
    };
    f.TypeAndLeave(QStringLiteral("250"));
    ASSERT_EQ(f.parent.commits.size(), 1u);
    EXPECT_EQ(f.parent.commits.back().d, 100);
    EXPECT_EQ(f.edit->GetDouble(), 100);
    EXPECT_EQ(f.edit->text(), QStringLiteral("100.0"));

    // A handler that writes a non-finite number cannot put it into the field.
    f.parent.onCommit = [](EditValue& v) { v.d = std::numeric_limits<double>::quiet_NaN(); };
    f.TypeAndLeave(QStringLiteral("3"));
    EXPECT_TRUE(std::isfinite(f.edit->GetDouble()));

    // No commit message for text that does not parse.
    const size_t commits = f.parent.commits.size();
    f.parent.onCommit = nullptr;
    f.TypeAndLeave(QStringLiteral("abc"));
    EXPECT_EQ(f.parent.commits.size(), commits);
}

TEST(CEditLastTest, ClickAndEscapeAreAnnounced)
{
    Fixture f;
    f.edit->SetFormat(1);
    f.parent.show();
    QTest::mouseClick(f.edit, Qt::LeftButton);
    ASSERT_EQ(f.parent.Count(CEditLast::kNotifyClicked), 1);
    EXPECT_EQ(f.parent.notes.back().flagA, 1);
    QTest::keyClick(f.edit, Qt::Key_Escape);
    ASSERT_EQ(f.parent.Count(CEditLast::kNotifyChar), 1);
    EXPECT_EQ(f.parent.notes.back().wParam, 27);
}

TEST(CEditLastTest, SettersAndGetters)
{
    ScopedLocale locale(kEnglish);
    {
        SCOPED_TRACE("SetText reads a point in int mode and truncates");
        Fixture f;
        f.edit->SetFormat(1);
        f.edit->SetText(QStringLiteral("12.5"));
        EXPECT_EQ(f.edit->GetInt(), 12);
        EXPECT_EQ(f.edit->text(), QStringLiteral("12"));
        f.edit->SetText(std::nullopt);
        EXPECT_TRUE(f.edit->IsEmpty());
        EXPECT_EQ(f.edit->GetIntOr(-3), -3);
    }
    {
        SCOPED_TRACE("SetFloat notifies changes only");
        Fixture f;
        f.edit->SetFormat(2);
        f.edit->SetFloat(1.0f);
        f.edit->SetFloat(1.0f);
        f.edit->SetInt(4);
        EXPECT_EQ(f.parent.Count(CEditLast::kNotifyChanged), 1);
        EXPECT_EQ(f.edit->GetFloat(), 4.0f);
        f.edit->SetFloat(std::numeric_limits<float>::infinity());
        EXPECT_TRUE(f.edit->IsEmpty());
    }
    {
        SCOPED_TRACE("empty marker");
        Fixture f;
        f.edit->SetFormat(2, QStringLiteral("%.2f"), QStringLiteral("-"));
        f.edit->SetEmptyValueFloat(-1.0f);
        EXPECT_FALSE(f.edit->IsEmpty()); // the value 0 is not the marker
        f.edit->SetFloat(-1.004f);
        EXPECT_TRUE(f.edit->IsEmpty());
        EXPECT_TRUE(f.edit->EqualsEmptyValue());
        EXPECT_EQ(f.edit->text(), QStringLiteral("-"));
        EXPECT_EQ(f.edit->GetFloatOr(5.0f), 5.0f);
        EXPECT_EQ(f.edit->GetFloat(), -1.0f);
    }
    {
        SCOPED_TRACE("GetText with prefix and suffix, focused and not");
        Fixture f;
        f.edit->SetFormat(3, QStringLiteral("L \n%.1f\n m"));
        f.edit->SetDouble(2.24);
        EXPECT_EQ(f.edit->GetText(), QStringLiteral("L 2.2 m"));
        f.Focus();
        EXPECT_EQ(f.edit->GetText(), QStringLiteral("2.2"));
        EXPECT_EQ(f.edit->text(), QStringLiteral("2.2"));
    }
    {
        SCOPED_TRACE("numbers too large for an int");
        Fixture f;
        f.edit->SetFormat(3);
        f.edit->SetDouble(1e12);
        EXPECT_EQ(f.edit->GetIntOr(-1), -1);
        EXPECT_EQ(f.edit->GetDouble(), 1e12);
    }
}

TEST(CEditLastTest, NumbersInATextFieldReadBackInEveryLocale)
{
    for (const QLocale& l : {kEnglish, kGerman}) {
        SCOPED_TRACE(l.name().toStdString());
        ScopedLocale locale(l);
        Fixture f;
        f.edit->SetFormat(4);
        f.edit->SetFloat(2.5f);
        const QString expected = l == kGerman ? QStringLiteral("2,500000") : QStringLiteral("2.500000");
        EXPECT_EQ(f.edit->GetText(), expected);
        EXPECT_EQ(f.edit->GetDoubleOr(-1), 2.5);
        f.edit->SetRestoreValueDouble(0.25);
        f.TypeAndLeave(QString());
        EXPECT_EQ(f.edit->GetDoubleOr(-1), 0.25);
    }
}

// A refused entry: the message names the range in the language's format, comes once however often
// the focus moves (the message box itself takes it), again on Return, and the dialog is not given the
// Return; the typed text stays, the value stays, and the getters answer as for an empty field.
TEST(CEditLastTest, ARefusedEntryKeepsItsTextAndTellsTheRangeOnce)
{
    ScopedLocale locale(kGerman);
    Fixture f;
    f.edit->SetFormat(3, QStringLiteral("%.1f"));
    f.edit->SetRange(0.0, 10.0, QStringLiteral("The length"));
    f.edit->SetDouble(5.0);
    f.TypeAndLeave(QStringLiteral("12,5"));
    EXPECT_TRUE(f.edit->IsRefused());
    EXPECT_EQ(f.edit->text(), QStringLiteral("12,5"));
    EXPECT_EQ(f.parent.Count(CEditLast::kNotifyChanged), 0);
    EXPECT_TRUE(f.boxes.Records().isEmpty()) << "told after the focus change, not inside it";
    QCoreApplication::sendPostedEvents();
    QTest::qWait(0);
    ASSERT_EQ(f.boxes.Records().size(), 1);
    const QString text = f.boxes.Records()[0].html.text;
    EXPECT_TRUE(text.contains(QStringLiteral("The length"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("from 0,0 to 10,0"))) << text.toStdString();
    EXPECT_TRUE(f.edit->hasFocus()) << "back in the field to correct it";
    EXPECT_EQ(f.edit->selectedText(), QStringLiteral("12,5"));
    EXPECT_EQ(f.edit->GetDoubleOr(-1), -1);
    // Leaving again with the same text tells nothing more; Return tells again and stays in the field.
    f.other->setFocus();
    QTest::qWait(0);
    EXPECT_EQ(f.boxes.Records().size(), 1);
    f.Focus();
    QKeyEvent ret(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QCoreApplication::sendEvent(f.edit, &ret);
    EXPECT_TRUE(ret.isAccepted()) << "the dialog's default button is not pressed";
    EXPECT_EQ(f.boxes.Records().size(), 2);
    // A dialog's check tells once more; a readable text outside the range says so.
    EXPECT_FALSE(f.edit->CommitPending());
    EXPECT_EQ(f.boxes.Records().size(), 3);
    f.edit->selectAll();
    f.edit->insert(QStringLiteral("abc"));
    EXPECT_FALSE(f.edit->CommitPending());
    ASSERT_EQ(f.boxes.Records().size(), 4);
    EXPECT_TRUE(f.boxes.Records()[3].html.text.contains(QStringLiteral("cannot be read as a number")));
    // A good entry ends the refusal; the program's own value does too.
    f.edit->selectAll();
    f.edit->insert(QStringLiteral("7,5"));
    EXPECT_TRUE(f.edit->CommitPending());
    EXPECT_EQ(f.edit->GetDoubleOr(-1), 7.5);
    f.TypeAndLeave(QStringLiteral("-1"));
    EXPECT_TRUE(f.edit->IsRefused());
    f.edit->SetDouble(2.0);
    EXPECT_FALSE(f.edit->IsRefused());
    EXPECT_EQ(f.edit->text(), QStringLiteral("2,0"));
    QTest::qWait(0);
    EXPECT_EQ(f.boxes.Records().size(), 4) << "a refusal the program ended is not told";
}

// A field showing whole numbers says so when it refuses: a decimal is "no whole number", and the range it
// names is written without decimals, in the language's words.
TEST(CEditLastTest, AWholeNumberFieldNamesWholeNumbersWhenItRefuses)
{
    struct Case
    {
        const char* name;
        QLocale locale;
        int mode;
        const char* format;
        std::optional<std::pair<double, double>> range;
        const char* typed;
        const char* message;
    };
    const Case cases[] = {
        {"a decimal in an int field", kEnglish, 1, "%i", std::pair{0.0, 250.0}, "250.5",
         "\u201c250.5\u201d is not a whole number. Enter a whole number from 0 to 250."},
        {"a decimal in a %.0f field", kEnglish, 3, "%.0f", std::pair{0.0, 99999.0}, "300.5",
         "\u201c300.5\u201d is not a whole number. Enter a whole number from 0 to 99999."},
        {"outside the range", kEnglish, 1, "%i", std::pair{0.0, 250.0}, "300",
         "300 lies outside the range this entry takes. Enter a whole number from 0 to 250."},
        {"no number", kEnglish, 1, "%i", std::pair{0.0, 250.0}, "25x",
         "\u201c25x\u201d cannot be read as a number. Enter a whole number from 0 to 250."},
        {"without a range", kEnglish, 3, "%.0f", std::nullopt, "2.5",
         "\u201c2.5\u201d is not a whole number. Enter a whole number."},
        {"a field with decimals still takes them", kEnglish, 3, "%.1f", std::pair{0.0, 10.0}, "12.5",
         "12.5 lies outside the range this entry takes. Enter a number from 0.0 to 10.0."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScopedLocale locale(c.locale);
        Fixture f;
        f.edit->SetFormat(c.mode, QString::fromUtf8(c.format));
        if (c.range)
            f.edit->SetRange(c.range->first, c.range->second);
        f.TypeAndLeave(QString::fromUtf8(c.typed));
        EXPECT_TRUE(f.edit->IsRefused());
        EXPECT_TRUE(f.edit->RefusalMessage().contains(QString::fromUtf8(c.message)))
            << f.edit->RefusalMessage().toStdString();
    }
}

TEST(CEditLastTest, ParseFunctions)
{
    struct Case
    {
        const char* text;
        bool error;
        int value;
    };
    const Case cases[] = {{"12.5", false, 12}, {" 7", false, 7},  {"+3", false, 3}, {"-2.9", false, -2},
                          {"1e3", true, 0},    {"", true, 0},     {"abc", true, 0}, {"1x", true, 0},
                          {"inf", true, 0},    {"3e10", true, 0}, {"+-1", true, 0}, {"0x10", true, 0}};
    ScopedLocale locale(kEnglish);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        bool error = false;
        EXPECT_EQ(CEditLast::ParseInt(QString::fromUtf8(c.text), &error), c.value);
        EXPECT_EQ(error, c.error);
        EditValue v;
        EXPECT_EQ(CEditLast::ParseValue(&v, EditValue::kInt, QString::fromUtf8(c.text)), c.error);
        if (!c.error) {
            EXPECT_EQ(v.i, c.value);
        }
    }
    EditValue text;
    EXPECT_FALSE(CEditLast::ParseValue(&text, EditValue::kText, QStringLiteral("free text")));
    EXPECT_EQ(text.s, QStringLiteral("free text"));
}

} // namespace
