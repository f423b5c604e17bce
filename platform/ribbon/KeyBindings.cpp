// The keys of the commands.
#include "platform/ribbon/KeyBindings.h"

#include <QSet>

bool KeyBindings::IsBindable(const QKeySequence& key)
{
    if (key.count() != 1)
        return false;
    const Qt::Key code = key[0].key();
    switch (code) {
    case Qt::Key_unknown:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_ScrollLock:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return false;
    default:
        return code != 0;
    }
}

bool KeyBindings::IsValid(const QList<Binding>& bindings)
{
    QSet<QKeySequence> seen;
    for (const Binding& binding : bindings) {
        if (binding.id <= 0 || !IsBindable(binding.key) || seen.contains(binding.key))
            return false;
        seen.insert(binding.key);
    }
    return true;
}

void KeyBindings::SetDefaults(const QList<Binding>& defaults)
{
    m_defaults.clear();
    // A default that repeats a key or cannot be bound is left out rather than making the table invalid.
    for (const Binding& binding : defaults) {
        QList<Binding> next = m_defaults;
        next.append(binding);
        if (IsValid(next))
            m_defaults = next;
    }
    m_bindings = m_defaults;
}

bool KeyBindings::SetBindings(const QList<Binding>& bindings)
{
    if (!IsValid(bindings))
        return false;
    m_bindings = bindings;
    return true;
}

QList<QKeySequence> KeyBindings::KeysOf(int id) const
{
    QList<QKeySequence> keys;
    for (const Binding& binding : m_bindings) {
        if (binding.id == id)
            keys.append(binding.key);
    }
    return keys;
}

int KeyBindings::CommandOf(const QKeySequence& key) const
{
    for (const Binding& binding : m_bindings) {
        if (binding.key == key)
            return binding.id;
    }
    return 0;
}

int KeyBindings::Bind(int id, const QKeySequence& key)
{
    if (id <= 0 || !IsBindable(key))
        return -1;
    const int previous = CommandOf(key);
    if (previous == id)
        return id;
    if (previous != 0)
        Unbind(previous, key);
    m_bindings.append({id, key});
    return previous;
}

bool KeyBindings::Unbind(int id, const QKeySequence& key)
{
    return m_bindings.removeIf([&](const Binding& b) { return b.id == id && b.key == key; }) > 0;
}
