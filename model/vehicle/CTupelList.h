// A list of curve points in ascending x. An owning list keeps its points by value in one block of memory
// that it reuses from one build to the next; a list that does not own them points to another list's.
#pragma once

#include "model/vehicle/SYs2X.h"

#include <cstddef>
#include <vector>

class CTupelList
{
public:
    explicit CTupelList(bool bOwner = true) : m_bOwner(bOwner) {}
    ~CTupelList() = default;
    CTupelList(const CTupelList&) = delete;
    CTupelList& operator=(const CTupelList&) = delete;

    bool IsOwner() const { return m_bOwner; }
    bool IsEmpty() const { return m_Punkte.empty(); }
    std::size_t GetCount() const { return m_Punkte.size(); }
    SYs2X* GetAt(std::size_t i) const { return m_Punkte[i]; }
    SYs2X* GetHead() const { return m_Punkte.empty() ? nullptr : m_Punkte.front(); }
    SYs2X* GetTail() const { return m_Punkte.empty() ? nullptr : m_Punkte.back(); }
    // The points in order. The addresses of an owning list's points hold until its next change.
    const std::vector<SYs2X*>& Punkte() const { return m_Punkte; }

    // An owning list takes a copy of the point and deletes the one handed over; a list that does not own
    // its points keeps the pointer.
    void AddTail(SYs2X* p)
    {
        if (m_bOwner)
            UebernimmTail(p);
        else
            m_Punkte.push_back(p);
    }
    void AddHead(SYs2X* p) { InsertBefore(0, p); }
    void InsertBefore(std::size_t i, SYs2X* p);
    // The same for an owning list, by value.
    void AddTail(const SYs2X& p)
    {
        if (!m_bOwner)
            return;
        const SYs2X* pAlt = m_Werte.data();
        m_Werte.push_back(p);
        if (m_Werte.data() == pAlt)
            m_Punkte.push_back(&m_Werte.back());
        else
            Verweise();
    }
    void AddHead(const SYs2X& p) { InsertBefore(0, p); }
    void InsertBefore(std::size_t i, const SYs2X& p);
    // An owning list: a new point at the tail, to be filled in place, and taking back the last point.
    SYs2X* NeuerPunkt()
    {
        const SYs2X* pAlt = m_Werte.data();
        m_Werte.emplace_back();
        if (m_Werte.data() == pAlt)
            m_Punkte.push_back(&m_Werte.back());
        else
            Verweise();
        return &m_Werte.back();
    }
    void EntferneLetzten()
    {
        m_Werte.pop_back();
        m_Punkte.pop_back();
    }
    // Empties the list; an owning list's points end with it, its memory is kept for the next build.
    void RemoveAll();
    void DeleteAll() { RemoveAll(); }

private:
    // After a change of m_Werte: m_Punkte[i] is &m_Werte[i] again.
    void Verweise();
    // AddTail of an owning list: a copy of the point, which is deleted.
    void UebernimmTail(SYs2X* p);

    std::vector<SYs2X*> m_Punkte;
    std::vector<SYs2X> m_Werte; // the points of an owning list
    bool m_bOwner;
};
