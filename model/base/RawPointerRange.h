// A non-owning view of a container of std::unique_ptr: iterating it gives the plain pointers.
#pragma once

#include <cstddef>
#include <iterator>
#include <memory>

// Lets callers loop `for (T* p : range)` over an owning container without touching the ownership. The
// view refers to the container: it stays valid while the container lives, and sees its changes.
template <class Container> class RawPointerRange
{
public:
    using Base = typename Container::const_iterator;
    using Pointer = typename Container::value_type::pointer;

    class iterator
    {
    public:
        // The elements are handed out by value; the tag lets std::prev and std::advance step back.
        using iterator_category = std::bidirectional_iterator_tag;
        using iterator_concept = std::bidirectional_iterator_tag;
        using value_type = Pointer;
        using difference_type = std::ptrdiff_t;
        using reference = Pointer;
        using pointer = void;

        iterator() = default;
        explicit iterator(Base it) : m_it(it) {}

        Pointer operator*() const { return m_it->get(); }
        iterator& operator++()
        {
            ++m_it;
            return *this;
        }
        iterator operator++(int)
        {
            iterator vorher = *this;
            ++m_it;
            return vorher;
        }
        iterator& operator--()
        {
            --m_it;
            return *this;
        }
        iterator operator--(int)
        {
            iterator vorher = *this;
            --m_it;
            return vorher;
        }
        bool operator==(const iterator&) const = default;
        // The position in the owning container.
        Base base() const { return m_it; }

    private:
        Base m_it{};
    };

    explicit RawPointerRange(const Container& c) : m_pContainer(&c) {}

    iterator begin() const { return iterator(m_pContainer->begin()); }
    iterator end() const { return iterator(m_pContainer->end()); }
    std::size_t size() const { return m_pContainer->size(); }
    bool empty() const { return m_pContainer->empty(); }
    Pointer front() const { return m_pContainer->front().get(); }
    Pointer back() const { return m_pContainer->back().get(); }

private:
    const Container* m_pContainer;
};
