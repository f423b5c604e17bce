// A lashing rail along one side of a vehicle's load area.
#pragma once

class CZurrschiene
{
public:
    virtual ~CZurrschiene() = default;
};
