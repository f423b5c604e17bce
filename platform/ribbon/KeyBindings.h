// The keys of the commands: which key runs which command, the program's defaults, and what binding a
// key to a command takes away from another.
#pragma once

#include <QKeySequence>
#include <QList>

class KeyBindings
{
public:
    struct Binding
    {
        int id = 0; // the command
        QKeySequence key;
        bool operator==(const Binding&) const = default;
    };

    // A key a command can carry: one chord with a key that is not only a modifier, and not Tab, which
    // moves the focus.
    static bool IsBindable(const QKeySequence& key);
    // A table the program can take: commands above 0, bindable keys, no key twice.
    static bool IsValid(const QList<Binding>& bindings);

    // The program's keys; the table starts over from them.
    void SetDefaults(const QList<Binding>& defaults);
    const QList<Binding>& Defaults() const { return m_defaults; }
    // The table as it is now, in the order the keys were bound.
    const QList<Binding>& Bindings() const { return m_bindings; }
    // Takes a whole table; one that is not valid changes nothing and answers false.
    bool SetBindings(const QList<Binding>& bindings);
    void Reset() { m_bindings = m_defaults; }
    bool IsDefault() const { return m_bindings == m_defaults; }

    // The keys of a command, in the order they were bound.
    QList<QKeySequence> KeysOf(int id) const;
    // The command a key runs; 0 for none.
    int CommandOf(const QKeySequence& key) const;
    // Binds `key` to `id`. The command that had the key loses it; answers that command (0 when the key
    // was free, `id` when it was already this command's), -1 for a key that cannot be bound.
    int Bind(int id, const QKeySequence& key);
    // Takes `key` from `id`; false when the command did not have it.
    bool Unbind(int id, const QKeySequence& key);

private:
    QList<Binding> m_defaults;
    QList<Binding> m_bindings;
};
