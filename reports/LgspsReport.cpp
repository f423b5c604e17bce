// The collected load-securing report: unit after unit, page breaks between them, written all or nothing.
#include "reports/LgspsReport.h"

#include "model/document/CQOR1Doc.h"
#include "model/plan/SicherungsStand.h"
#include "model/securing/CLgspReport.h"
#include "model/text/TextFormat.h"

#include <cstdio>
#include <fstream>
#include <system_error>

std::string LgspsReport::DateiName(const std::string& name)
{
    return name.empty() ? FormatS("$S LGSPs.html", 1, 128u) : name + ".html";
}

bool LgspsReport::BuildLgspsReport(CQOR1Doc* pDoc, const std::string& name, bool bVorn, bool bAnhaenger,
                                   bool bDatei, int nSketch, int nMaxBreite, std::string* pOut,
                                   const std::filesystem::path& folder,
                                   const CLgspReport::SketchRenderer& skizze)
{
    if (!pDoc || !pOut)
        return false;
    CLgspReport report(pDoc);
    if (skizze)
        report.SetSketchRenderer(skizze);
    // The sketches stand beside the report file, where the PDF converter may read them.
    if (bDatei)
        report.SetSkizzenOrdner(folder);
    std::string seite = report.m_strKopf;
    bool bErste = true;
    const struct
    {
        bool bGewollt;
        int nWelches;
        const char* prefix;
    } teile[] = {{bVorn, 1, "SUP_lgsp"}, {bAnhaenger, 2, "INF_lgsp"}};
    for (const auto& teil : teile) {
        if (!teil.bGewollt || !report.SelectFahrzeug(teil.nWelches))
            continue;
        int nNummer = 0;
        for (int id = report.GetFirstLadeeinheit(); id != 0; id = report.GetNextLadeeinheit()) {
            // A unit whose securing was never calculated has no report (and printing does not calculate it).
            if (!report.GetLadeeinheit() ||
                !HatSicherungsBericht(GetSicherungsStand(*report.GetLadeeinheit())))
                continue;
            char skizzenName[32];
            std::snprintf(skizzenName, sizeof skizzenName, "%s%02i", teil.prefix, ++nNummer);
            std::string html;
            // Top-over lashings to the vehicle's lashing points go to the pairs beside the unit now.
            report.SammleZurrpunktPaare();
            if (!report.WriteHtml(skizzenName, false, nSketch, nMaxBreite, false, &html))
                continue;
            if (!bErste)
                seite += "\n<div style=\"page-break-before: always\"></div>\n\n";
            bErste = false;
            seite += html;
        }
    }
    seite += "</body></html>\n";
    if (!bDatei) {
        *pOut = seite;
        return true;
    }
    const std::filesystem::path ziel = folder / DateiName(name);
    *pOut = ziel.string();
    // Written beside the target and renamed, so a failure leaves no half-written report.
    const std::filesystem::path neu = ziel.string() + ".tmp";
    {
        std::ofstream out(neu, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out.write(seite.data(), static_cast<std::streamsize>(seite.size()));
        out.close();
        if (!out) {
            std::error_code ec;
            std::filesystem::remove(neu, ec);
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(neu, ziel, ec);
    if (ec) {
        std::filesystem::remove(neu, ec);
        return false;
    }
    return true;
}
