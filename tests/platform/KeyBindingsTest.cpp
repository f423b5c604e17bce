// The key table of the commands: which keys can be bound, a key taken from the command that had it,
// and tables that cannot be taken.
#include "platform/ribbon/KeyBindings.h"

#include <gtest/gtest.h>

namespace {

QKeySequence Key(const char* text)
{
    return QKeySequence::fromString(QString::fromLatin1(text), QKeySequence::PortableText);
}

KeyBindings Defaults()
{
    KeyBindings keys;
    keys.SetDefaults({{101, Key("Ctrl+O")}, {102, Key("Ctrl+W")}, {103, Key("F1")}});
    return keys;
}

TEST(KeyBindingsTest, OnlyOneChordWithARealKeyCanBeBound)
{
    struct Fall
    {
        QKeySequence key;
        bool bindable;
    };
    const Fall faelle[] = {
        {Key("Ctrl+O"), true},
        {Key("F5"), true},
        {Key("Shift+Del"), true},
        {Key("A"), true},
        {QKeySequence(), false},
        {QKeySequence(Qt::CTRL | Qt::Key_Control), false},
        {QKeySequence(Qt::Key_Shift), false},
        {QKeySequence(Qt::Key_Tab), false},
        {QKeySequence(Qt::SHIFT | Qt::Key_Backtab), false},
        {Key("Ctrl+K, Ctrl+C"), false},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.key.toString().toStdString());
        EXPECT_EQ(KeyBindings::IsBindable(f.key), f.bindable);
        KeyBindings keys;
        EXPECT_EQ(keys.Bind(104, f.key), f.bindable ? 0 : -1);
        EXPECT_EQ(keys.CommandOf(f.key), f.bindable ? 104 : 0);
    }
}

TEST(KeyBindingsTest, BindingATakenKeyMovesItAndSaysFromWhom)
{
    KeyBindings keys = Defaults();
    EXPECT_EQ(keys.KeysOf(101), QList<QKeySequence>{Key("Ctrl+O")});

    // A second key for a command keeps the first.
    EXPECT_EQ(keys.Bind(101, Key("F3")), 0);
    EXPECT_EQ(keys.KeysOf(101), (QList<QKeySequence>{Key("Ctrl+O"), Key("F3")}));
    // The same key again changes nothing.
    EXPECT_EQ(keys.Bind(101, Key("F3")), 101);
    EXPECT_EQ(keys.Bindings().size(), 4);
    // Another command's key: it leaves that command, which then has none.
    EXPECT_EQ(keys.Bind(101, Key("Ctrl+W")), 102);
    EXPECT_EQ(keys.CommandOf(Key("Ctrl+W")), 101);
    EXPECT_TRUE(keys.KeysOf(102).isEmpty());
    EXPECT_TRUE(KeyBindings::IsValid(keys.Bindings()));
    EXPECT_FALSE(keys.IsDefault());

    EXPECT_FALSE(keys.Unbind(102, Key("Ctrl+W"))); // no longer its key
    EXPECT_TRUE(keys.Unbind(101, Key("Ctrl+W")));
    EXPECT_EQ(keys.CommandOf(Key("Ctrl+W")), 0);

    keys.Reset();
    EXPECT_TRUE(keys.IsDefault());
    EXPECT_EQ(keys.CommandOf(Key("Ctrl+W")), 102);
    EXPECT_EQ(keys.CommandOf(Key("F3")), 0);
}

TEST(KeyBindingsTest, ATableWithAKeyTwiceOrANonCommandIsNotTaken)
{
    struct Fall
    {
        const char* what;
        QList<KeyBindings::Binding> table;
        bool taken;
    };
    const Fall faelle[] = {
        {"empty", {}, true},
        {"two keys of one command", {{7, Key("F2")}, {7, Key("F3")}}, true},
        {"one key for two commands", {{7, Key("F2")}, {8, Key("F2")}}, false},
        {"command 0", {{0, Key("F2")}}, false},
        {"a negative command", {{-3, Key("F2")}}, false},
        {"no key", {{7, QKeySequence()}}, false},
        {"two chords", {{7, Key("Ctrl+K, Ctrl+C")}}, false},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.what);
        KeyBindings keys = Defaults();
        EXPECT_EQ(keys.SetBindings(f.table), f.taken);
        EXPECT_EQ(keys.Bindings(), f.taken ? f.table : Defaults().Bindings());
    }
}

TEST(KeyBindingsTest, DefaultsThatRepeatAKeyKeepTheFirst)
{
    KeyBindings keys;
    keys.SetDefaults({{1, Key("Ctrl+N")}, {2, Key("Ctrl+N")}, {3, QKeySequence()}, {4, Key("Ctrl+P")}});
    EXPECT_EQ(keys.Defaults(), (QList<KeyBindings::Binding>{{1, Key("Ctrl+N")}, {4, Key("Ctrl+P")}}));
    EXPECT_TRUE(keys.IsDefault());
}

} // namespace
