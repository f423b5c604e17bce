// A load unit: placed loads grouped for load securing, found by its id.
#pragma once

class CLadeeinheit
{
public:
    CLadeeinheit() = default;
    explicit CLadeeinheit(int nId) : m_nId(nId) {}

    int GetId() const { return m_nId; }

    // Id 1..63; 0 = none.
    int m_nId = 0;
    // Set when the unit exists as such for the selections of the plan.
    int m_bVorhanden = 0;
};
