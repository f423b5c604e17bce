// Documents of sample vehicles for the view tests: a towing vehicle coupled in front, and box-shaped
// loads put on a plan.
#pragma once

#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"

#include <memory>

// Couples `towing` in front of `vehicle` as a combination's document holds them: each names the other,
// and a tractor shows its semi-trailer's plan (a truck keeps its own). The document that takes
// `vehicle` owns both.
inline void CoupleInFront(CFahrzeug& vehicle, std::unique_ptr<CFahrzeug> towing)
{
    CFahrzeug::Koppeln(*towing, vehicle);
    if (towing->GetArt() == FahrzeugArt::kSattelzugmaschine)
        towing->m_pQor = vehicle.GetQor();
    towing.release();
}

// Puts a load of 1 m x 1 m x 1 m and `mass` t on the plan of `vehicle` (made when it has none), its
// front at `x` and its side at `y`, and updates the plan's centre of gravity. The caller tells the
// document that the vehicle changed.
inline void AddBoxLoad(CFahrzeug& vehicle, double x, double mass, double y = 0.5, int type = 0)
{
    if (!vehicle.GetQor())
        vehicle.m_pQor = new CQOR(&vehicle, 0, "Plan");
    auto* p = new tagLGINFO;
    p->m_strName = "Load";
    p->m_nTyp = type;
    p->m_dLaenge = 1.0;
    p->m_dBreite = 1.0;
    p->m_dHoehe = 1.0;
    p->m_dSPLaenge = 0.5;
    p->m_dSPBreite = 0.5;
    p->m_dMasse = mass;
    p->m_dSPMasse = mass;
    p->m_dPosX = x;
    p->m_dPosY = y;
    vehicle.GetQor()->AddLgInfo(std::unique_ptr<tagLGINFO>(p), false);
    vehicle.GetQor()->UpdateSchwerpunkt();
}
