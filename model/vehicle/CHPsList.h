// The payload heights of a sampled curve, kept for the 3D surface.
#pragma once

#include <cstddef>
#include <vector>

class CHPsList
{
public:
    // Removes every height; an empty list stays as it is.
    void DeleteAll() { m_items.clear(); }

    void AddTail(float h) { m_items.push_back(h); }
    std::size_t GetCount() const { return m_items.size(); }
    bool IsEmpty() const { return m_items.empty(); }
    float operator[](std::size_t i) const { return m_items[i]; }
    float& operator[](std::size_t i) { return m_items[i]; }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    std::vector<float> m_items;
};
