// A list of curve points in ascending x; an owning list deletes its points.
#pragma once

#include "model/vehicle/SYs2X.h"

#include <cstddef>
#include <vector>

class CTupelList
{
public:
    explicit CTupelList(bool bOwner = true) : m_bOwner(bOwner) {}
    ~CTupelList();
    CTupelList(const CTupelList&) = delete;
    CTupelList& operator=(const CTupelList&) = delete;

    bool IsOwner() const { return m_bOwner; }
    bool IsEmpty() const { return m_Punkte.empty(); }
    std::size_t GetCount() const { return m_Punkte.size(); }
    SYs2X* GetAt(std::size_t i) const { return m_Punkte[i]; }
    SYs2X* GetHead() const { return m_Punkte.empty() ? nullptr : m_Punkte.front(); }
    SYs2X* GetTail() const { return m_Punkte.empty() ? nullptr : m_Punkte.back(); }
    const std::vector<SYs2X*>& Punkte() const { return m_Punkte; }

    void AddTail(SYs2X* p) { m_Punkte.push_back(p); }
    void AddHead(SYs2X* p) { m_Punkte.insert(m_Punkte.begin(), p); }
    void InsertBefore(std::size_t i, SYs2X* p);
    // Empties the list without deleting the points.
    void RemoveAll() { m_Punkte.clear(); }
    // Deletes the points when the list owns them, then empties the list.
    void DeleteAll();

private:
    std::vector<SYs2X*> m_Punkte;
    bool m_bOwner;
};
