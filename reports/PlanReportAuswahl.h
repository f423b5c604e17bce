// The sections of the load-plan report the user chose: vehicle data, loading plan and load distribution
// of the front vehicle (1) and of the trailer (2).
#pragma once

struct PlanReportAuswahl
{
    bool bA1 = false; // front vehicle, vehicle data
    bool bB1 = false; // front vehicle, loading plan
    bool bC1 = false; // front vehicle, load distribution
    bool bA2 = false; // trailer, vehicle data
    bool bB2 = false; // trailer, loading plan
    bool bC2 = false; // trailer, load distribution

    bool Irgendeine() const { return bA1 || bB1 || bC1 || bA2 || bB2 || bC2; }
};
