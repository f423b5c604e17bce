// A small bounded first-in-first-out queue of entries that drops its oldest entry when full.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>

class CFifoQueue
{
public:
    // Told about an entry dropped from a non-owning queue; answers 0 to hand it back to the caller.
    using OverflowHandler = std::function<std::intptr_t(int id, void* entry)>;
    // Frees an entry of an owning queue.
    using Deleter = std::function<void(void*)>;

    CFifoQueue() = default;
    virtual ~CFifoQueue();
    CFifoQueue(const CFifoQueue&) = delete;
    CFifoQueue& operator=(const CFifoQueue&) = delete;

    // Drops any entries held and starts over with the given values.
    void Setup(int id, int capacity, bool owning, OverflowHandler notify, Deleter deleter = {});

    // Appends the entry; when the queue was full the oldest entry leaves it: an owning queue frees it
    // and answers null, a non-owning one asks OnOverflow and answers the entry when the answer is 0.
    void* Push(void* entry);
    // Empties the queue, freeing the entries of an owning queue.
    void Clear();

    int Count() const { return static_cast<int>(m_entries.size()); }
    int Capacity() const { return m_capacity; }
    bool Owning() const { return m_owning; }
    void* At(int i) const { return m_entries.at(static_cast<size_t>(i)); }

protected:
    virtual std::intptr_t OnOverflow(void* dropped);

private:
    void Free(void* entry);

    int m_id = 0;
    int m_capacity = 0;
    bool m_owning = true;
    OverflowHandler m_notify;
    Deleter m_deleter;
    std::deque<void*> m_entries;
};
