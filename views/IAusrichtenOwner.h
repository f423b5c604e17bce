// What the align popup asks of the loading-plan view that owns it.
#pragma once

class IAusrichtenOwner
{
public:
    virtual ~IAusrichtenOwner() = default;

    // The distance of the selection to the border of `nEintrag` (0 front, 1 side A, 2 rear, 3 side B):
    // 0 when there is none, else 1 + the distance in whole millimetres.
    virtual int AusrichtenAbstand(int nEintrag) = 0;
    // Moves the selection so that its distance to that border becomes `dMeter`.
    virtual void Ausrichten(int nEintrag, double dMeter) = 0;
};
