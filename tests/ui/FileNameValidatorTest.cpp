// File-name fields: forbidden characters neither typed nor pasted.
#include "ui/FileNameValidator.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

void Type(QLineEdit& edit, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(&edit, &press);
    }
}

TEST(FileNameValidatorTest, ForbiddenCharactersAreDroppedWhateverWayTheyCome)
{
    struct Case
    {
        const char* name;
        const char* input;
        const char* text;
    };
    const Case cases[] = {
        {"typed", "a/b:c*d", "abcd"},
        {"every forbidden character", "\"*/:<>?\\|", ""},
        {"allowed punctuation stays", "Truck 7.5 t (2) - copy", "Truck 7.5 t (2) - copy"},
        {"umlauts stay", "Kühlkoffer", "Kühlkoffer"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QLineEdit typed;
        SubclassFileNameEdit(&typed);
        Type(typed, QString::fromUtf8(c.input));
        EXPECT_EQ(typed.text(), QString::fromUtf8(c.text));

        QLineEdit pasted; // insert() is what a paste does
        SubclassFileNameEdit(&pasted);
        pasted.insert(QString::fromUtf8(c.input));
        EXPECT_EQ(pasted.text(), QString::fromUtf8(c.text));
    }
}

TEST(FileNameValidatorTest, PastingIntoTheMiddleKeepsTheCursorAfterThePastedText)
{
    QLineEdit edit;
    SubclassFileNameEdit(&edit);
    edit.setText(QStringLiteral("ab"));
    edit.setCursorPosition(1);
    QApplication::clipboard()->setText(QStringLiteral("../x"));
    edit.paste();
    EXPECT_EQ(edit.text(), QStringLiteral("a..xb"));
    EXPECT_EQ(edit.cursorPosition(), 4);
}

TEST(FileNameValidatorTest, ATextAlreadyInTheFieldIsCleanedAndNullIsRefused)
{
    QLineEdit edit(QStringLiteral("load/plan?"));
    ASSERT_NE(SubclassFileNameEdit(&edit), nullptr);
    EXPECT_EQ(edit.text(), QStringLiteral("loadplan"));
    EXPECT_EQ(SubclassFileNameEdit(nullptr), nullptr);
}

} // namespace
