// The HTML of the load-plan report: vehicle data, loading plan and load distribution of a vehicle and its
// trailer, with the pictures the views wrote beside it.
#pragma once

#include "reports/PlanReportAuswahl.h"

#include <filesystem>
#include <string>

class CFahrzeug;
class CQOR;

class PlanReportHtml
{
public:
    // The page with "\n" line ends: the chosen sections in the order A1, B1, C1, A2, B2, C2 (the trailer's
    // only with a trailer; C only for a vehicle with a plan that is no semi-trailer tractor), a page
    // break before every section but the first. Every value is escaped.
    static std::string BuildPlanReportHtml(CFahrzeug* pVorn, CFahrzeug* pAnhaenger,
                                           const PlanReportAuswahl& auswahl);
    // Writes the page as folder / (name + ".html") with CR LF line ends, all or nothing; answers the path,
    // or an empty string when the file could not be written.
    static std::string WritePlanReportHtml(const std::string& name, CFahrzeug* pVorn, CFahrzeug* pAnhaenger,
                                           const PlanReportAuswahl& auswahl,
                                           const std::filesystem::path& folder);

    // Whether the plan's positions are given from the load area's rear (the second display block's first
    // flag); else from the front.
    static bool VomHeckGemessen(const CQOR& plan);
    static void SetVomHeckGemessen(CQOR& plan, bool bHeck);
    // The length rear-measured positions count from: the load-area length less the front and rear margin.
    static double Bezugslaenge(const CFahrzeug& fahrzeug);
};
