// Adding and removing axles of a vehicle.
#include "app/AchsEdit.h"

#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"

#include <algorithm>

int AchsEdit::Versatz(const CFahrzeug& f)
{
    // Record 0 of a rigid-drawbar trailer and a semi-trailer is the coupling point.
    return f.GetArt() == FahrzeugArt::kStarrdeichsel || f.GetArt() == FahrzeugArt::kAuflieger ? 1 : 0;
}

int AchsEdit::GetMaxAchsen(int nArt)
{
    return nArt == FahrzeugArt::kZugmaschine || nArt == FahrzeugArt::kAnhaenger ? 4 : 3;
}

bool AchsEdit::CanAdd(const CFahrzeug& f)
{
    return f.GetArt() >= FahrzeugArt::kZugmaschine && f.GetAchsanzahl() < GetMaxAchsen(f.GetArt()) &&
           !f.IsArt5();
}

bool AchsEdit::AddAchse(CFahrzeug& f)
{
    const int nNeu = f.m_nAchsanzahl + Versatz(f);
    if (nNeu < 1 || nNeu >= CFahrzeug::MAX_ACHSEN)
        return false;
    f.m_Achsen[nNeu].dAbstand = kNeuerAbstand;
    f.m_Achsen[nNeu].dLeerlast = f.m_Achsen[nNeu - 1].dLeerlast;
    f.m_Achsen[nNeu].dZulLast = f.m_Achsen[nNeu - 1].dZulLast;
    f.m_nAchsFlags[nNeu] = 0;
    ++f.m_nAchsanzahl;

    // The last axle's position from the front of the load area: the first record's distance and the
    // distances between the records after it.
    double dPos = 0.0;
    for (int i = 0; i <= nNeu; ++i)
        dPos += f.m_Achsen[i].dAbstand;
    double dLaenge = f.m_dLFLaenge;
    if (f.GetArt() == FahrzeugArt::kZugmaschine)
        dLaenge -= f.GetVorbauLaenge();
    const double dFrei = dLaenge - (dPos + kFreiHinten);
    if (dFrei < 0.0) {
        const int k = std::clamp(f.GetAchsgruppenTrennung(), 1, std::min(5, nNeu));
        double dAbstand = f.m_Achsen[k].dAbstand + dFrei;
        if (dAbstand < kMindestAbstand) {
            f.m_dLFLaenge += kMindestAbstand - dAbstand;
            dAbstand = kMindestAbstand;
        }
        f.m_Achsen[k].dAbstand = dAbstand;
    }
    f.m_bModified = 1;
    return true;
}

bool AchsEdit::CanRemove(const CFahrzeug& f, int nSelected)
{
    const int n = f.m_nAchsanzahl + Versatz(f);
    if (nSelected <= 0 || nSelected >= n)
        return false;
    const int nFrei = static_cast<int>(std::count(f.m_nAchsFlags, f.m_nAchsFlags + n, 0));
    return nFrei > 2 || f.m_nAchsFlags[nSelected] != 0;
}

bool AchsEdit::RemoveAchse(CFahrzeug& f, int nSelected)
{
    const int n = f.m_nAchsanzahl + Versatz(f);
    if (nSelected < 1 || nSelected > 4 || nSelected >= n)
        return false;
    for (int i = nSelected; i + 1 < n; ++i) {
        f.m_Achsen[i] = f.m_Achsen[i + 1];
        f.m_nAchsFlags[i] = f.m_nAchsFlags[i + 1];
    }
    f.m_Achsen[n - 1] = SAchse();
    f.m_nAchsFlags[n - 1] = 0;
    --f.m_nAchsanzahl;
    if (f.m_nAchsanzahl + Versatz(f) == 2)
        f.m_nAchsFlags[1] = 0;
    f.m_bModified = 1;
    return true;
}
