// Whether a load unit needs securing in a direction, and which of its lashing points serve it.
#pragma once

class CFahrzeug;
class CLadeeinheit;
class CWizardParams;

// Directions as in the calculation: 0 rearward, 1 and 3 the sides, 2 forward. The checks work on the
// settings given (the wizard's working copy), not on the unit's own.
class SicherungsBedarf
{
public:
    // Bits of the need mask: sliding and tipping per direction, forward first.
    static constexpr int kRutschenVorn = 0x01;
    static constexpr int kKippenVorn = 0x02;
    static constexpr int kRutschenRechts = 0x04;
    static constexpr int kKippenRechts = 0x08;
    static constexpr int kRutschenHinten = 0x10;
    static constexpr int kKippenHinten = 0x20;
    static constexpr int kRutschenLinks = 0x40;
    static constexpr int kKippenLinks = 0x80;
    static constexpr int kLaengs = 0x33;
    static constexpr int kQuer = 0xCC;

    // True when what friction and blocking leave of the sliding force is above 0. A friction that is
    // still unset (negative) counts as no friction at all, so the need shows before it is chosen.
    static bool CheckRutschen(CLadeeinheit* pEinheit, const CWizardParams& wp, int nRichtung);
    // True when the unit tips over the edge of direction nRichtung; sideways under the second standard
    // with the simple method also against the second coefficient.
    static bool CheckKippen(CLadeeinheit* pEinheit, const CWizardParams& wp, int nRichtung);
    // The mask of all eight checks; 0 without a unit.
    static int GetMaske(CLadeeinheit* pEinheit, const CWizardParams& wp);

    // Counts the unit's lashing points by the direction their lashing pulls in: per direction the
    // points at the first two corners of that direction (0 and 1 lengthwise, 0 and 2 across), those at
    // the other two, and those pulling exactly across it. nZaehler is zeroed first.
    static void ZaehleZurrpunkte(CLadeeinheit* pEinheit, const CFahrzeug* pFahrzeug, int nZaehler[4][3]);
};
