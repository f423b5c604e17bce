// The template view's drags of axles, the axle-1 offset, the load-area end, the couplings and the
// additional items: each step's clamps and the values it sets on the vehicle worked on.
#pragma once

class CVorlageRegler;
class IVorlageReglerQuelle;

class CVorlageZiehen
{
public:
    // The lengths and positions a drag shares with the sliders are set through `regler`.
    CVorlageZiehen(IVorlageReglerQuelle& quelle, CVorlageRegler& regler);

    // A drag starts: its first step measures from x (metres from the load area's front), or, without
    // a start, moves nothing.
    void Beginne() { m_bLetztesXGueltig = false; }
    void Beginne(double x)
    {
        m_dLetztesX = x;
        m_bLetztesXGueltig = true;
    }
    // One step of the drag of an object of the kind (VorlageTreffer) to x, in metres from the load
    // area's front; bShift moves axle 1 against axle 2, bKombi says a combination is shown. False when
    // nothing was taken: no vehicle, or x where the last step left it.
    bool Schritt(int nKind, double x, bool bShift, bool bKombi);

private:
    IVorlageReglerQuelle& m_Quelle;
    CVorlageRegler& m_Regler;
    double m_dLetztesX = 0.0;
    bool m_bLetztesXGueltig = false;
};
