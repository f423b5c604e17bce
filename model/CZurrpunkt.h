// A lashing point of a vehicle's load area.
#pragma once

class CZurrpunkt
{
public:
    virtual ~CZurrpunkt() = default;
};
