// Making button strips for the dialog base.
#include "ui/RibBtnStripFactory.h"

#include "ui/CRibBtnContainer.h"
#include "ui/RibBtnStrip.h"

RibBtnStripFactory& RibBtnStripFactory::Instance()
{
    static RibBtnStripFactory factory;
    return factory;
}

std::unique_ptr<IButtonStrip> RibBtnStripFactory::Create(bool autoWidth, bool iconBesideText, bool titleBand,
                                                         QWidget* parent, const QString& title)
{
    auto* widget = new CRibBtnContainer(autoWidth, iconBesideText, titleBand);
    if (!widget->Create(0, parent, 0, 0, 0, title)) {
        delete widget;
        return nullptr;
    }
    return std::make_unique<RibBtnStrip>(widget);
}

void RibBtnStripFactory::Register(RibBtnStrip* strip)
{
    if (strip->Strip())
        m_strips.insert(strip->Strip(), strip);
}

void RibBtnStripFactory::Unregister(RibBtnStrip* strip)
{
    for (auto it = m_strips.begin(); it != m_strips.end();) {
        if (it.value() == strip)
            it = m_strips.erase(it);
        else
            ++it;
    }
}

RibBtnStrip* RibBtnStripFactory::Find(const CRibBtnContainer* widget) const
{
    return m_strips.value(widget, nullptr);
}

IButtonStrip* RibBtnStripFactory::StripOfButton(const QWidget* widget) const
{
    const auto* button = qobject_cast<const CRibBtn*>(widget);
    return button ? Find(button->Strip()) : nullptr;
}

int RibBtnStripFactory::DefaultButton(const QWidget* parent, IButtonStrip** strip) const
{
    CRibBtnContainer* owner = nullptr;
    const int id = CRibBtnContainer::GetDefaultButton(const_cast<QWidget*>(parent), &owner);
    if (strip)
        *strip = owner ? Find(owner) : nullptr;
    return id;
}

void RibBtnStripFactory::UpdateAllStrips()
{
    CRibBtnContainer::UpdateAllStrips();
}

void RibBtnStripFactory::MergeNavigation(const QList<QWidget*>& anchoredButtons,
                                         QList<QWidget*>& navigation) const
{
    QList<CRibBtn*> buttons;
    for (QWidget* widget : anchoredButtons)
        if (auto* button = qobject_cast<CRibBtn*>(widget))
            buttons << button;
    CRibBtnContainer::MergeNavigation(buttons, navigation);
}
