// A list of curve points in ascending x; an owning list keeps its points by value.
#include "model/vehicle/CTupelList.h"

#include <memory>

void CTupelList::Verweise()
{
    if (m_Punkte.size() + 1 == m_Werte.size() && (m_Punkte.empty() || m_Punkte.front() == m_Werte.data())) {
        // One more point and the block did not move: the earlier addresses still hold.
        m_Punkte.push_back(&m_Werte.back());
        return;
    }
    m_Punkte.resize(m_Werte.size());
    for (std::size_t i = 0; i < m_Werte.size(); ++i)
        m_Punkte[i] = &m_Werte[i];
}

void CTupelList::UebernimmTail(SYs2X* p)
{
    const std::unique_ptr<SYs2X> punkt(p);
    AddTail(*punkt);
}

void CTupelList::InsertBefore(std::size_t i, SYs2X* p)
{
    if (i > m_Punkte.size())
        i = m_Punkte.size();
    if (!m_bOwner) {
        m_Punkte.insert(m_Punkte.begin() + static_cast<std::ptrdiff_t>(i), p);
        return;
    }
    const std::unique_ptr<SYs2X> punkt(p);
    InsertBefore(i, *punkt);
}

void CTupelList::InsertBefore(std::size_t i, const SYs2X& p)
{
    if (!m_bOwner)
        return;
    if (i > m_Werte.size())
        i = m_Werte.size();
    // The points behind i move up one place; the list's pointers name places, so only the new last one
    // is added, unless the block moved.
    m_Werte.insert(m_Werte.begin() + static_cast<std::ptrdiff_t>(i), p);
    Verweise();
}

void CTupelList::RemoveAll()
{
    m_Punkte.clear();
    m_Werte.clear();
}
