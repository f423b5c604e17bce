// The load-plan report of a document: the template and loading-plan views write their pictures, then
// the HTML that shows them is written beside them.
#pragma once

#include "reports/PlanReportAuswahl.h"

#include <filesystem>
#include <string>

class CFahrzeug;
class CQOR1Doc;

class PlanReport
{
public:
    // The width of the vehicle pictures in the report, in pixels.
    static constexpr int kBildBreite = 648;

    // Has the views picture the chosen sections (the front vehicle's "_SUP", the trailer's "_INF"
    // pictures) into `folder`, then writes folder / (name + ".html"); *pPfad gets its path, empty when the
    // file could not be written. False without a template or loading-plan view. The vehicle worked on,
    // the views' zoom and their state are as before when it returns, and the views are repainted.
    static bool CreatePlanReport(CQOR1Doc* pDoc, const std::string& name, CFahrzeug* pVorn,
                                 CFahrzeug* pAnhaenger, const PlanReportAuswahl& auswahl,
                                 const std::filesystem::path& folder, std::string* pPfad);
};
