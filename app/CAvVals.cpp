// A fixed-capacity ring of numbers whose average the sleep controller reads.
#include "app/CAvVals.h"

CAvVals::CAvVals(unsigned capacity) : m_values(capacity == 0 ? 1 : capacity, 0.0) {}

void CAvVals::Add(double x)
{
    m_values[static_cast<std::size_t>(m_next)] = x;
    m_next = (m_next + 1) % static_cast<int>(m_values.size());
    if (m_count < static_cast<int>(m_values.size()))
        ++m_count;
}

double CAvVals::GetAverage() const
{
    if (m_count == 0)
        return 0.0;
    double sum = 0.0;
    for (int i = 0; i < m_count; ++i)
        sum += m_values[static_cast<std::size_t>(i)];
    return sum / m_count;
}

void CAvVals::Reset()
{
    m_count = 0;
    m_next = 0;
}
