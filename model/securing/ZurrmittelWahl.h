// A lashing device taken into a load unit's securing settings, and units saved with its ratings swapped.
#pragma once

class CFahrzeug;
class CLadeeinheit;
class CWizardParams;
class CZurrmittel;

class ZurrmittelWahl
{
public:
    // The settings' device fields can hold at most these figures (daN).
    static constexpr int kMaxVorspannkraft = 9999;
    static constexpr int kMaxZurrkraft = 99999;

    // The device's kind, designation, tension force STF and lashing capacity LC into the settings, each
    // rating rounded to whole daN and limited to what its field holds.
    static void Uebernimm(CWizardParams& wp, const CZurrmittel& z);
    // The settings hold this device: same kind and designation, both ratings within 0.05 daN of what
    // `Uebernimm` would write.
    static bool Gleich(const CWizardParams& wp, const CZurrmittel& z);

    // The settings hold this device's ratings the wrong way round, as a unit saved by an earlier program
    // does: its LC (limited to the STF field's 9999) as STF and its STF as LC, with the STF so written
    // above the LC, which no real device has.
    static bool Vertauscht(const CWizardParams& wp, const CZurrmittel& z);
    // Puts a unit's swapped ratings right from the device they came from, looked for among the vehicle's
    // default devices and its own; of several, the one with the smaller capacity. Answers whether it
    // changed the settings; settings that match no device (typed by the user) stay as they are.
    static bool RichteVertauschte(CWizardParams& wp, const CFahrzeug& fahrzeug);
    // Every unit of the vehicle's plan; a calculated unit whose ratings were put right is calculated again
    // (lashing count, lashing points, defects) as the wizard's result page does. Answers how many units
    // were put right.
    static int RichteVertauschte(CFahrzeug& fahrzeug);
};
