// A list of curve points in ascending x; an owning list deletes its points.
#include "model/vehicle/CTupelList.h"

CTupelList::~CTupelList()
{
    DeleteAll();
}

void CTupelList::InsertBefore(std::size_t i, SYs2X* p)
{
    if (i > m_Punkte.size())
        i = m_Punkte.size();
    m_Punkte.insert(m_Punkte.begin() + static_cast<std::ptrdiff_t>(i), p);
}

void CTupelList::DeleteAll()
{
    if (m_Punkte.empty())
        return;
    if (m_bOwner)
        for (SYs2X* p : m_Punkte)
            delete p;
    m_Punkte.clear();
}
