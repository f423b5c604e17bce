// A list of curve points in ascending x; an owning list keeps its points by value and lends them.
#include "model/vehicle/CTupelList.h"

#include <algorithm>

CTupelList::~CTupelList()
{
    LoeseLeiher();
    LoeseQuelle();
}

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

void CTupelList::InsertBefore(std::size_t i, const SYs2X& p)
{
    if (!m_bOwner)
        return;
    GibLeihenZurueck();
    if (i > m_Werte.size())
        i = m_Werte.size();
    // The points behind i move up one place; the list's pointers name places, so only the new last one
    // is added, unless the block moved.
    m_Werte.insert(m_Werte.begin() + static_cast<std::ptrdiff_t>(i), p);
    Verweise();
}

void CTupelList::AddTail(CTupelList& quelle, std::size_t i)
{
    if (m_bOwner || !quelle.m_bOwner || i >= quelle.m_Punkte.size())
        return;
    if (m_pQuelle != &quelle) {
        RemoveAll();
        m_pQuelle = &quelle;
        quelle.m_Leiher.push_back(this);
    }
    m_Punkte.push_back(quelle.m_Punkte[i]);
}

void CTupelList::RemoveAll()
{
    GibLeihenZurueck();
    LoeseQuelle();
    m_Punkte.clear();
    m_Werte.clear();
}

void CTupelList::LoeseLeiher()
{
    for (CTupelList* pLeiher : m_Leiher) {
        pLeiher->m_Punkte.clear();
        pLeiher->m_pQuelle = nullptr;
    }
    m_Leiher.clear();
}

void CTupelList::LoeseQuelle()
{
    if (!m_pQuelle)
        return;
    std::erase(m_pQuelle->m_Leiher, this);
    m_pQuelle = nullptr;
}
