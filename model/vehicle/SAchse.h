// One axle record of a vehicle: its distance from the record before, its empty and its permissible load.
#pragma once

// Record 0 holds the distance from the load-area front (the coupling point of kinds 2 and 3).
struct SAchse
{
    double dAbstand = 0.0;
    double dLeerlast = 0.0;
    double dZulLast = 0.0;
};
