// The dialog base's face of a button strip.
#include "ui/RibBtnStrip.h"

#include "ui/RibBtnStripFactory.h"

RibBtnStrip::RibBtnStrip(CRibBtnContainer* strip) : m_strip(strip)
{
    RibBtnStripFactory::Instance().Register(this);
}

RibBtnStrip::~RibBtnStrip()
{
    RibBtnStripFactory::Instance().Unregister(this);
    delete m_strip.data();
}

QWidget* RibBtnStrip::Window()
{
    return m_strip;
}

bool RibBtnStrip::AddButton(int id, QObject* notify, const QString& caption)
{
    if (!m_strip || id < 0)
        return false;
    std::optional<QString> text;
    if (!caption.isEmpty())
        text = caption;
    return m_strip->AddButton(static_cast<quint32>(id), notify, text);
}

int RibBtnStrip::AddSeparator(int id)
{
    return m_strip ? m_strip->AddSeparator(id) : -1;
}

bool RibBtnStrip::HasButton(int id) const
{
    return m_strip && id >= 0 && m_strip->HasButton(static_cast<quint32>(id));
}

QWidget* RibBtnStrip::ButtonWindow(int id) const
{
    return m_strip && id >= 0 ? m_strip->FindButton(static_cast<quint32>(id)) : nullptr;
}

QList<int> RibBtnStrip::ButtonIds() const
{
    QList<int> ids;
    if (!m_strip)
        return ids;
    for (int i = 0; i < m_strip->EntryCount(); ++i)
        if (const CRibBtn* button = m_strip->EntryButton(i))
            ids << static_cast<int>(button->CommandId());
    return ids;
}

void RibBtnStrip::SetButtonRadioGroup(int id, int anchorId)
{
    if (m_strip && id >= 0)
        m_strip->SetButtonRadioGroup(static_cast<quint32>(id), anchorId);
}

int RibBtnStrip::GetButtonRadioGroup(int id) const
{
    return m_strip && id >= 0 ? m_strip->GetButtonRadioGroup(static_cast<quint32>(id)) : -1;
}

void RibBtnStrip::SetButtonSize(int id, int cx, int cy)
{
    if (m_strip && id >= 0)
        m_strip->SetButtonSize(static_cast<quint32>(id), cx, cy);
}

void RibBtnStrip::SetButtonToolTipMode(int id, int mode)
{
    if (m_strip && id >= 0)
        m_strip->SetButtonToolTipMode(static_cast<quint32>(id), mode);
}

void RibBtnStrip::SetWindowPosAndShape(int x, int y, int width)
{
    if (m_strip)
        m_strip->SetWindowPosAndShape(x, y, width);
}
