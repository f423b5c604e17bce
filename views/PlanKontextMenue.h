// The loading plan's context menu: a popup of menu 245 with the marks and captions of the plan's state.
#pragma once

class CFahrzeug;
class CQOR;
class QMenu;
class QWidget;
struct tagLGINFO;

class PlanKontextMenue
{
public:
    // What the marks read besides the plan and its vehicle: the loads' labels shown, ramp mode.
    struct SZustand
    {
        bool bBeschriftung = true;
        bool bRampenModus = false;
    };
    // Popup nPopup of menu 245 (0 the load area, 1 a load, 2 a form-fit item; `pLg` the load clicked)
    // marked for plan `q` of vehicle `f`, owned by the caller; null when the menu cannot be read.
    static QMenu* Baue(int nPopup, const CQOR& q, const CFahrzeug& f, const tagLGINFO* pLg, const SZustand& z,
                       QWidget* parent);
};
