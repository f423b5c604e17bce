// The values the plan view's dialogs edit, read from and written back to the vehicle, its plan and its loads.
#pragma once

#include "views/IPlanDialogs.h"

#include <string>

class CFahrzeug;
class CQOR;
struct tagLGINFO;

class PlanDialogWerte
{
public:
    // The form-fit edit's values of `lg`: its own, and the side, contact kind and cells that the place where
    // it lies on `f` (null: none) offers. The anchor is left empty.
    static IPlanDialogs::FsmValues FsmWerte(tagLGINFO& lg, const CFahrzeug* f, CQOR* q);
    // Takes the edited values into `lg`.
    static void UebernimmFsm(tagLGINFO& lg, const IPlanDialogs::FsmValues& werte);

    // The borders of the stored usable load area of `f`.
    static IPlanDialogs::NutzbareLFValues NutzbareLF(const CFahrzeug& f);
    // Takes new borders as the stored and the current ones; false, with nothing changed, when they are the
    // same or one of them is not a length.
    static bool UebernimmNutzbareLF(CFahrzeug& f, const IPlanDialogs::NutzbareLFValues& werte);

    // Takes the overhangs (front, rear, side B, side A; counted only with nFlag) into `f`: an overhang frees
    // the border it lies on. Loads of `q` counted from side B keep their place. False, with nothing changed,
    // when a value is not a length.
    static bool UebernimmUeberstand(CFahrzeug& f, CQOR* q, const double (&werte)[4], int nFlag);

    // Gives the selected loads of `q` (without a selection the current load `pAktuell`) the name `name`,
    // numbered on behind the loads already bearing it.
    static void BenenneUm(CQOR& q, tagLGINFO* pErste, tagLGINFO* pAktuell, const std::string& name);
};
