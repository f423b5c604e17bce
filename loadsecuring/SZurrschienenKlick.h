// A click on a lashing rail in the load-securing view, as the view hands it to the wizard (code 28).
#pragma once

class CZurrschiene;

struct SZurrschienenKlick
{
    CZurrschiene* pSchiene = nullptr;
    // The place clicked along the rail, in metres from the rail's start.
    double dVersatz = 0.0;
};
