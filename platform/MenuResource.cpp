// Menus of the language module.
#include "platform/MenuResource.h"

#include "model/text/TextProvider.h"
#include "platform/ResourceModule.h"

#include <QAction>
#include <QMenu>

std::optional<MenuResource> MenuResource::Parse(const QByteArray& text, QString* error)
{
    MenuResource menu;
    QList<Item> pending; // the popups opened, in the same order
    const QList<QByteArray> lines = text.split('\n');
    auto fail = [&](int line, const QString& what) {
        if (error)
            *error = QStringLiteral("line %1: %2").arg(line).arg(what);
        return std::nullopt;
    };
    auto number = [](const QByteArray& word, int* value) {
        bool ok = false;
        *value = word.toInt(&ok);
        return ok && *value > 0;
    };
    for (int n = 0; n < lines.size(); ++n) {
        QByteArray line = lines[n];
        const qsizetype hash = line.indexOf('#');
        if (hash >= 0)
            line.truncate(hash);
        const QList<QByteArray> words = line.simplified().split(' ');
        const QByteArray keyword = words.value(0);
        if (keyword.isEmpty())
            continue;
        if (keyword == "popup") {
            Item item;
            item.kind = Item::POPUP;
            if (words.size() != 2 || !number(words[1], &item.id)) {
                // A popup without a caption of its own: 0.
                if (words.size() != 2 || words[1] != "0")
                    return fail(n + 1, QStringLiteral("\"popup\" needs one caption id"));
                item.id = 0;
            }
            pending.append(item);
            continue;
        }
        if (keyword == "end") {
            if (pending.isEmpty())
                return fail(n + 1, QStringLiteral("\"end\" without \"popup\""));
            Item done = pending.takeLast();
            if (pending.isEmpty())
                menu.m_popups.append(done);
            else
                pending.last().children.append(done);
            continue;
        }
        if (pending.isEmpty())
            return fail(n + 1, QStringLiteral("\"%1\" outside a popup").arg(QString::fromUtf8(keyword)));
        if (keyword == "separator" && words.size() == 1) {
            Item item;
            item.kind = Item::SEPARATOR;
            pending.last().children.append(item);
            continue;
        }
        if (keyword == "item" && (words.size() == 2 || words.size() == 3)) {
            Item item;
            if (!number(words[1], &item.id))
                return fail(n + 1, QStringLiteral("\"item\" needs a command id"));
            if (words.size() == 3) {
                const QString keys = QString::fromUtf8(words[2]);
                item.shortcut = QKeySequence::fromString(keys, QKeySequence::PortableText);
                if (item.shortcut.count() != 1 ||
                    item.shortcut.toString(QKeySequence::PortableText).compare(keys, Qt::CaseInsensitive) !=
                        0)
                    return fail(n + 1,
                                QStringLiteral("unknown shortcut %1").arg(QString::fromUtf8(words[2])));
            }
            pending.last().children.append(item);
            continue;
        }
        return fail(n + 1, QStringLiteral("cannot read \"%1\"").arg(QString::fromUtf8(line.trimmed())));
    }
    if (!pending.isEmpty())
        return fail(int(lines.size()), QStringLiteral("a popup is not closed by \"end\""));
    return menu;
}

std::optional<MenuResource> MenuResource::Load(quint32 id, QString* error)
{
    const ResourceModule* module = ResourceModule::Current();
    const QByteArray text = module ? module->Menu(id) : QByteArray();
    if (text.isEmpty()) {
        if (error)
            *error = QStringLiteral("The language module has no menu %1.").arg(id);
        return std::nullopt;
    }
    QString why;
    std::optional<MenuResource> menu = Parse(text, &why);
    if (!menu && error)
        *error = QStringLiteral("Menu %1 of the language module cannot be read: %2.").arg(id).arg(why);
    return menu;
}

QString MenuResource::Caption(int id)
{
    const QString text = QString::fromStdString(LoadResString(std::uint32_t(id)));
    if (text.isEmpty())
        return QStringLiteral("#%1").arg(id);
    return text.section(QLatin1Char('\n'), -1);
}

int MenuResource::CommandOf(const QAction* action)
{
    bool ok = false;
    const int id = action ? action->data().toInt(&ok) : 0;
    return ok ? id : 0;
}

void MenuResource::Fill(QMenu* menu, const QList<Item>& items)
{
    for (const Item& item : items) {
        switch (item.kind) {
        case Item::SEPARATOR:
            menu->addSeparator();
            break;
        case Item::POPUP: {
            QMenu* sub = menu->addMenu(item.id > 0 ? Caption(item.id) : QString());
            Fill(sub, item.children);
            break;
        }
        case Item::ITEM: {
            QAction* action = menu->addAction(Caption(item.id));
            action->setData(item.id);
            if (!item.shortcut.isEmpty())
                action->setShortcut(item.shortcut);
            break;
        }
        }
    }
}

QMenu* MenuResource::BuildPopup(int index, QWidget* parent) const
{
    if (index < 0 || index >= m_popups.size())
        return nullptr;
    auto* menu = new QMenu(parent);
    FillPopup(index, menu);
    return menu;
}

bool MenuResource::FillPopup(int index, QMenu* menu) const
{
    if (index < 0 || index >= m_popups.size())
        return false;
    const Item& popup = m_popups[index];
    menu->setTitle(popup.id > 0 ? Caption(popup.id) : QString());
    Fill(menu, popup.children);
    return true;
}
