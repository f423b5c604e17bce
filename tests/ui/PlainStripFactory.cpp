// The stand-in strip factory: its strips, default buttons, command update and keyboard merge.
#include "PlainStripFactory.h"

#include "PlainButtonStrip.h"
#include "ui/CommandUpdateEvent.h"
#include "ui/ControlId.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QWidget>

PlainStripFactory& PlainStripFactory::Instance()
{
    static PlainStripFactory factory;
    return factory;
}

std::unique_ptr<IButtonStrip> PlainStripFactory::Create(bool autoWidth, bool iconBesideText, bool titleBand,
                                                        QWidget* parent, const QString& title)
{
    if (m_failNext || !parent) {
        m_failNext = false;
        return nullptr;
    }
    return std::make_unique<PlainButtonStrip>(autoWidth, iconBesideText, titleBand, parent, title);
}

void PlainStripFactory::Register(PlainButtonStrip* strip)
{
    m_strips.append(strip);
}

void PlainStripFactory::Unregister(PlainButtonStrip* strip)
{
    m_strips.removeAll(strip);
}

IButtonStrip* PlainStripFactory::StripOfButton(const QWidget* widget) const
{
    if (!widget)
        return nullptr;
    for (PlainButtonStrip* strip : m_strips)
        if (widget->parentWidget() == strip->Window() && strip->HasButton(ControlId::Of(widget)) &&
            strip->ButtonWindow(ControlId::Of(widget)) == widget)
            return strip;
    return nullptr;
}

int PlainStripFactory::DefaultButton(const QWidget* parent, IButtonStrip** strip) const
{
    for (PlainButtonStrip* s : m_strips) {
        if (s->Window() && s->Window()->parentWidget() == parent && s->DefaultButtonId() != -1) {
            if (strip)
                *strip = s;
            return s->DefaultButtonId();
        }
    }
    if (strip)
        *strip = nullptr;
    return -1;
}

void PlainStripFactory::UpdateAllStrips()
{
    const QList<PlainButtonStrip*> strips = m_strips;
    for (PlainButtonStrip* strip : strips) {
        for (int id : strip->ButtonIds()) {
            QWidget* button = strip->ButtonWindow(id);
            QObject* target = strip->Notify(id);
            if (!button || !target)
                continue;
            CommandUpdateEvent query(quint32(id), button);
            QCoreApplication::sendEvent(target, &query);
            if (query.enabled)
                button->setEnabled(*query.enabled);
            if (auto* b = qobject_cast<QAbstractButton*>(button); b && query.checked && b->isCheckable())
                b->setChecked(*query.checked != 0);
        }
    }
}

void PlainStripFactory::MergeNavigation(const QList<QWidget*>& anchoredButtons,
                                        QList<QWidget*>& navigation) const
{
    // Each button goes after the control whose id is its anchor; a button anchored on another button
    // of the collection waits until that one is placed; its own id appends it; an unknown anchor puts
    // it at the head.
    QList<QWidget*> pending = anchoredButtons;
    for (qsizetype pass = 0; pass < anchoredButtons.size() && !pending.isEmpty(); ++pass) {
        for (qsizetype i = 0; i < pending.size(); ++i) {
            QWidget* button = pending.at(i);
            IButtonStrip* strip = StripOfButton(button);
            const int id = ControlId::Of(button);
            const int anchor = strip ? strip->GetButtonRadioGroup(id) : -1;
            if (anchor == -1) {
                pending.removeAt(i--);
                continue;
            }
            qsizetype at = -1;
            for (qsizetype n = 0; n < navigation.size(); ++n)
                if (ControlId::Of(navigation.at(n)) == anchor && navigation.at(n) != button) {
                    at = n;
                    break;
                }
            if (at >= 0) {
                navigation.insert(at + 1, button);
                pending.removeAt(i);
                break;
            }
            bool waits = false;
            for (QWidget* other : pending)
                waits = waits || (other != button && ControlId::Of(other) == anchor);
            if (waits)
                continue;
            if (anchor == id)
                navigation.append(button);
            else
                navigation.prepend(button);
            pending.removeAt(i);
            break;
        }
    }
}
