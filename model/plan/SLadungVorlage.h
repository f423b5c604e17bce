// The values of a catalogue item that a load placed from it takes over.
#pragma once

#include <string>

struct SLadungVorlage
{
    int nArt = -1; // load-unit type code
    std::string strName;
    double dLaenge = 0.0; // metres
    double dBreite = 0.0;
    double dHoehe = 0.0;
    double dSPLaenge = 0.0; // centre of gravity along length, width, height
    double dSPBreite = 0.0;
    double dSPHoehe = 0.0;
    double dMasse = 0.0; // tonnes
    std::string strText;
    std::string strBildDatei;
    std::string strBildQuelle;
};
