// The data of the sample vehicles and how a vehicle is built from it.
#pragma once

#include <memory>
#include <vector>

class CFahrzeug;

struct SampleAxle
{
    double dAbstand, dLeer, dZul;
};

struct SampleVehicle
{
    const char* file; // file title in Samples/Vehicles
    const char* name;
    int nArt;
    bool bArt5;                    // the van sub-type of a rigid truck
    std::vector<SampleAxle> axles; // records in use; for kinds 2 and 3 record 0 is the coupling point
    double dZulGesamt;
    double dLFLaenge;
    float fLFBreite;
    unsigned nMinVorn, nMinHinten;
    double dKupplungsabstand; // a motor vehicle's coupling: this far ahead of the load-area end
    double dKupplungslast1;   // permissible support load, or the tractor's permissible fifth-wheel load
    double dSattelVersatz;    // a tractor's fifth wheel ahead of its rear axle
};

const std::vector<SampleVehicle>& SampleVehicles();

// The vehicle of a sample with its plan, lashing points and lashing rails; not recalculated.
std::unique_ptr<CFahrzeug> BuildSampleVehicle(const SampleVehicle& s);
