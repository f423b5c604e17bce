// The collected load-securing report: the reports of all load units of a vehicle and its trailer on one page.
#pragma once

#include "model/securing/CLgspReport.h"

#include <filesystem>
#include <string>

class CQOR1Doc;

class LgspsReport
{
public:
    // Joins the unit reports of the front vehicle and/or the trailer (sketches "SUP_lgsp01", ...,
    // "INF_lgsp01", ...), a page break before every unit but the first. Without a file the page goes to
    // *pOut; with a file it is written to folder / (name + ".html") ("$S LGSPs.html" with text 128 for an
    // empty name), all or nothing, with the sketches beside it, and *pOut gets the path. False when the
    // file cannot be written.
    static bool BuildLgspsReport(CQOR1Doc* pDoc, const std::string& name, bool bVorn, bool bAnhaenger,
                                 bool bDatei, int nSketch, int nMaxBreite, std::string* pOut,
                                 const std::filesystem::path& folder,
                                 const CLgspReport::SketchRenderer& skizze = {});
    // The report file's name: name + ".html", or "$S LGSPs.html" with text 128 for an empty name.
    static std::string DateiName(const std::string& name);
};
