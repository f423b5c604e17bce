// A fixed-capacity ring of numbers whose average the sleep controller reads.
#pragma once

#include <vector>

class CAvVals
{
public:
    explicit CAvVals(unsigned capacity);
    virtual ~CAvVals() = default;
    CAvVals(const CAvVals&) = delete;
    CAvVals& operator=(const CAvVals&) = delete;

    // Stores `x` at the next place; the oldest value goes once the ring is full.
    void Add(double x);
    // The mean of the stored values; 0.0 for an empty ring.
    double GetAverage() const;
    // Forgets the stored values.
    void Reset();
    int Count() const { return m_count; }

private:
    std::vector<double> m_values;
    int m_next = 0;
    int m_count = 0;
};
