// A list of curve points in ascending x. An owning list keeps its points by value in one block of memory
// that it reuses from one build to the next. A borrowing list (built with the owning flag clear) refers
// to points of one owning list and never deletes them; the owning list empties it whenever it changes or
// ends, so that a borrowing list never points to a point that moved or is gone.
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
    // The points in order. The addresses of an owning list's points hold until its next change.
    const std::vector<SYs2X*>& Punkte() const { return m_Punkte; }

    // An owning list: a copy of the point (a borrowing list ignores these).
    void AddTail(const SYs2X& p)
    {
        if (!m_bOwner)
            return;
        GibLeihenZurueck();
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
        GibLeihenZurueck();
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
        GibLeihenZurueck();
        m_Werte.pop_back();
        m_Punkte.pop_back();
    }

    // A borrowing list: point `i` of the owning list `quelle` at the tail. A list borrows from one owning
    // list at a time; borrowing from another one empties it first. An owning list ignores this.
    void AddTail(CTupelList& quelle, std::size_t i);

    // Empties the list; an owning list's points end with it, its memory is kept for the next build.
    void RemoveAll();
    void DeleteAll() { RemoveAll(); }

private:
    // After a change of m_Werte: m_Punkte[i] is &m_Werte[i] again.
    void Verweise();
    // Before an owning list changes: the lists that borrow its points are emptied.
    void GibLeihenZurueck()
    {
        if (!m_Leiher.empty())
            LoeseLeiher();
    }
    void LoeseLeiher();
    // A borrowing list lets go of its owning list.
    void LoeseQuelle();

    std::vector<SYs2X*> m_Punkte;
    std::vector<SYs2X> m_Werte;        // the points of an owning list
    CTupelList* m_pQuelle = nullptr;   // the owning list a borrowing list refers to
    std::vector<CTupelList*> m_Leiher; // the borrowing lists that refer to an owning list's points
    bool m_bOwner;
};
