// A small bounded first-in-first-out queue of entries that drops its oldest entry when full.
#include "CFifoQueue.h"

CFifoQueue::~CFifoQueue()
{
    Clear();
}

void CFifoQueue::Setup(int id, int capacity, bool owning, OverflowHandler notify, Deleter deleter)
{
    Clear();
    m_id = id;
    m_capacity = capacity < 1 ? 1 : capacity;
    m_owning = owning;
    m_notify = std::move(notify);
    m_deleter = std::move(deleter);
}

void* CFifoQueue::Push(void* entry)
{
    void* handedBack = nullptr;
    if (static_cast<int>(m_entries.size()) >= m_capacity) {
        void* oldest = m_entries.front();
        m_entries.pop_front();
        if (m_owning)
            Free(oldest);
        else if (OnOverflow(oldest) == 0)
            handedBack = oldest;
    }
    m_entries.push_back(entry);
    return handedBack;
}

void CFifoQueue::Clear()
{
    if (m_owning) {
        for (void* entry : m_entries)
            Free(entry);
    }
    m_entries.clear();
}

std::intptr_t CFifoQueue::OnOverflow(void* dropped)
{
    return m_notify ? m_notify(m_id, dropped) : 0;
}

void CFifoQueue::Free(void* entry)
{
    if (m_deleter)
        m_deleter(entry);
}
