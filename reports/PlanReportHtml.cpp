// The load-plan report's HTML: title tables, the vehicle data with its ZL items, the loading-plan picture,
// the load distribution with the placed loads; every value escaped, the file written all or nothing.
#include "reports/PlanReportHtml.h"

#include "model/plan/CQOR.h"
#include "model/plan/LoadUnitTypes.h"
#include "model/plan/tagLGINFO.h"
#include "model/text/HtmlText.h"
#include "model/text/TextFormat.h"
#include "model/text/TextProvider.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"
#include "model/vehicle/tagZLINFO.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <system_error>
#include <tuple>
#include <vector>

namespace {

// Texts of the report whose usual numbers already hold other wordings of the program.
constexpr std::uint32_t kTitelLastverteilung = 1394;
constexpr std::uint32_t kSpalteName = 1395;
constexpr std::uint32_t kVonHinten = 1396;
constexpr std::uint32_t kTitelWaende = 1397;
constexpr std::uint32_t kZeileBlockierung = 1398;
constexpr std::uint32_t kSpalteAbstand = 1466;
constexpr std::uint32_t kKeineZL = 1467;
constexpr std::uint32_t kSpalteNummer = 1468;

// A numbered text, escaped.
std::string T(std::uint32_t id)
{
    return EscapeHtml(LoadResString(id));
}

// Metres or tonnes as whole millimetres or kilograms.
std::string Tausend(double wert)
{
    char puffer[64];
    std::snprintf(puffer, sizeof puffer, "%.0f", wert * 1000.0);
    return puffer;
}

// A stored value that may be unset (a negative number): 0 then.
double Gesetzt(double wert)
{
    return wert < 0.0 ? 0.0 : wert;
}

// The coupling distance of a motor vehicle as the template view shows and edits it: from the coupling to
// the load area's end (stored negated for the small-vehicle sub-type).
double Kupplungsabstand(const CFahrzeug& f)
{
    return f.IsArt5() ? -f.m_dKupplungsabstand : f.m_dKupplungsabstand;
}

std::string Ganz(int wert)
{
    return std::to_string(wert);
}

class Seite
{
public:
    Seite(CFahrzeug* pVorn, CFahrzeug* pAnhaenger) : m_pVorn(pVorn), m_pAnhaenger(pAnhaenger) {}

    std::string Baue(const PlanReportAuswahl& a)
    {
        m_html = "<HTML>\n<HEAD>\n";
        // Without it the converter reads the page as Latin-1 and umlauts break.
        m_html += "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\n";
        m_html += "<TITLE>" + EscapeHtml(FormatS("$S $S $S", 3, 387u, 128u, 210u)) + "</TITLE>\n";
        m_html += "<meta content=\"True\" name=\"vs_showGrid\">\n</HEAD>\n<BODY>\n";
        if (m_pVorn) {
            if (a.bA1)
                Abschnitt('A', 1);
            if (a.bB1)
                Abschnitt('B', 1);
            if (a.bC1 && MitVerteilung(*m_pVorn))
                Abschnitt('C', 1);
        }
        if (m_pAnhaenger) {
            if (a.bA2)
                Abschnitt('A', 2);
            if (a.bB2)
                Abschnitt('B', 2);
            if (a.bC2 && MitVerteilung(*m_pAnhaenger))
                Abschnitt('C', 2);
        }
        m_html += "</BODY>\n</HTML>\n";
        return m_html;
    }

private:
    static bool MitVerteilung(const CFahrzeug& f)
    {
        return f.GetQor() && f.GetArt() != FahrzeugArt::kSattelzugmaschine;
    }

    void Abschnitt(char typ, int nTeil)
    {
        CFahrzeug& f = nTeil == 1 ? *m_pVorn : *m_pAnhaenger;
        if (m_nAbschnitte++ > 0)
            m_html += "<p style=\"page-break-before: always\">\n";
        Titel(typ, nTeil, f);
        const char* endung = nTeil == 1 ? "SUP" : "INF";
        switch (typ) {
        case 'A':
            Fahrzeugdaten(nTeil, f, endung);
            break;
        case 'B':
            // The loading plan: the load area from above with the placed loads.
            Bild("BP_", endung);
            break;
        default:
            Lastverteilung(f, endung);
            break;
        }
        m_html += "<p><HR align=\"left\" width=\"285\" noShade SIZE=\"1\"></p>\n";
        m_html += "<FONT size=\"1\">" + EscapeHtml(FormatS("$S $S", 2, 128u, 210u)) + "</FONT>\n";
    }

    void Titel(char typ, int nTeil, CFahrzeug& f)
    {
        if (typ == 'C')
            m_html +=
                "<TABLE height=\"75\" cellSpacing=\"1\" cellPadding=\"1\" width=\"648\" border=\"0\">\n";
        else
            m_html +=
                "<TABLE cellSpacing=\"1\" cellPadding=\"1\" width=\"648\" border=\"0\" height=\"75\">\n";
        const std::uint32_t titel = typ == 'A' ? 213 : typ == 'B' ? 206 : kTitelLastverteilung;
        m_html += "<TR><TD><FONT size=\"6\"><STRONG>" + T(titel) + "</STRONG></FONT></TD></TR>\n";
        m_html += "<TR><TD><FONT size=\"5\"><U>" + EscapeHtml(f.m_strName) +
                  "</U></FONT> <FONT size=\"4\">(" + EscapeHtml(f.GetArtName()) + ")</FONT></TD></TR>\n";
        CFahrzeug* pPartner = nTeil == 1 ? m_pAnhaenger : m_pVorn;
        if (typ == 'A' && pPartner)
            m_html += "<TR><TD><FONT size=\"3\">" + T(nTeil == 1 ? 215 : 216) +
                      ":</FONT> <FONT size=\"4\"><U>" + EscapeHtml(pPartner->m_strName) + "</U> (" +
                      EscapeHtml(pPartner->GetArtName()) + ")</FONT></TD></TR>\n";
        m_html += "</TABLE>\n<HR align=\"left\" width=\"641\" SIZE=\"1\">\n";
    }

    // A report picture "<name><endung>.bmp" in a paragraph of its own. Appended piece by piece: GCC 12
    // warns wrongly about the bounds of a concatenated temporary here.
    void Bild(const char* name, const char* endung)
    {
        m_html += "<P><IMG src=\"";
        m_html += name;
        m_html += endung;
        m_html += ".bmp\" align=\"top\" border=\"0\"></P>\n";
    }

    void Fahrzeugdaten(int nTeil, CFahrzeug& f, const char* endung)
    {
        Bild("Fahrzeug_", endung);
        m_html += "<TABLE id=\"Table1\" cellSpacing=\"1\" cellPadding=\"1\" width=\"640\" border=\"1\">\n";
        const bool bItems = !f.m_ZLInfos.empty();
        m_html += "<CAPTION>" + (bItems ? T(218) : EscapeHtml(FormatS("$S: $S", 2, 218u, kKeineZL))) +
                  "</CAPTION>\n";
        if (bItems) {
            m_html += "<TR><TD width=\"311\"><STRONG>" + T(kSpalteName) +
                      "</STRONG></TD><TD width=\"80\"><STRONG>" + T(220) +
                      "</STRONG></TD><TD width=\"90\"><STRONG>" + T(221) + "</STRONG></TD><TD><STRONG>" +
                      T(222) + "</STRONG></TD></TR>\n";
            // The vehicle keeps its items in the order they were added; the report lists them in an order of
            // their own: those measured from the front first, each side by distance, then by name.
            std::vector<const tagZLINFO*> items;
            for (const auto& item : f.m_ZLInfos)
                items.push_back(item.get());
            std::stable_sort(items.begin(), items.end(), [](const tagZLINFO* a, const tagZLINFO* b) {
                return std::tie(a->m_nVomEnde, a->m_dAbstand, a->m_strName) <
                       std::tie(b->m_nVomEnde, b->m_dAbstand, b->m_strName);
            });
            for (const tagZLINFO* item : items) {
                m_html += "<TR><TD>" + EscapeHtml(item->m_strName) + "</TD><TD>" + Tausend(item->m_dMasse) +
                          "</TD><TD>" + Tausend(item->m_dAbstand) + "</TD><TD>" +
                          T(item->m_nVomEnde ? 224 : 223) + "</TD></TR>\n";
            }
        }
        m_html += "</TABLE>\n";
        CFahrzeug* pPartner = nTeil == 1 ? m_pAnhaenger : m_pVorn;
        // The motor vehicle's own coupling length as the template view shows and edits it, and the
        // coupling distance entered for the combination (kept by the trailer) for any kind of trailer.
        if (f.GetArt() == FahrzeugArt::kZugmaschine) {
            const double dZweiter = Gesetzt(pPartner ? pPartner->m_dKupplungswert[0] : f.m_dKupplungswert[1]);
            Absatz(226, FormatResChecked(225, {Kupplungsabstand(f) * 1000.0, dZweiter * 1000.0}));
        } else if (f.GetArt() == FahrzeugArt::kSattelzugmaschine) {
            const double dAuflieger = pPartner ? Gesetzt(pPartner->m_dKupplungswert[0]) : 0.0;
            Absatz(228, FormatResChecked(227, {f.m_dSattelVersatz * 1000.0, dAuflieger * 1000.0}));
        }
        const std::string& bemerkung = f.m_strBemerkung;
        m_html += "<TABLE id=\"Table3\" cellSpacing=\"1\" cellPadding=\"1\" width=\"641\" border=\"0\">\n";
        m_html += "<TR><TD width=\"113\"><STRONG>" + T(202) + "</STRONG></TD><TD>" +
                  (bemerkung.empty() ? std::string("./.") : EscapeHtml(bemerkung)) + "</TD></TR>\n</TABLE>\n";
    }

    void Absatz(std::uint32_t label, const std::string& text)
    {
        m_html += "<TABLE cellSpacing=\"1\" cellPadding=\"1\" width=\"641\" border=\"0\">\n";
        m_html += "<TR><TD width=\"113\"><STRONG>" + T(label) + "</STRONG></TD><TD>" + EscapeHtml(text) +
                  "</TD></TR>\n</TABLE>\n";
    }

    void Lastverteilung(CFahrzeug& f, const char* endung)
    {
        CQOR& plan = *f.GetQor();
        const bool bHeck = PlanReportHtml::VomHeckGemessen(plan);
        const double dBezug = PlanReportHtml::Bezugslaenge(f);
        m_html += "<HR width=\"641\">\n";
        // The load distribution: the payload the vehicle may carry along its load area.
        m_html += std::string("<IMG src=\"Rld_") + endung + ".bmp\" align=\"middle\" border=\"0\">\n";
        m_html += "<HR width=\"641\">\n";
        m_html +=
            "<TABLE id=\"Table2\" cellSpacing=\"1\" cellPadding=\"1\" width=\"640\" border=\"0\">\n<TR>\n";

        // Left: the vehicle's lengths and the blocking values of the load-area walls.
        double dNutzLaenge = 0.0, dNutzBreite = 0.0;
        f.GetNutzbareLF(&dNutzLaenge, &dNutzBreite);
        m_html += "<TD width=\"393\" vAlign=\"top\">\n";
        m_html += "<TABLE id=\"Table4\" cellSpacing=\"1\" cellPadding=\"1\" width=\"378\" border=\"1\">\n";
        m_html += "<TR><TD colSpan=\"6\"><STRONG>" + T(303) + "</STRONG></TD></TR>\n";
        m_html += "<TR><TD width=\"43\" rowSpan=\"2\">" + T(304) + "</TD><TD width=\"43\" rowSpan=\"2\">" +
                  T(305) + "</TD><TD colSpan=\"4\">" + T(306) + "</TD></TR>\n";
        m_html += "<TR><TD width=\"67\">" + T(307) + "</TD><TD width=\"65\">" + T(308) +
                  "</TD><TD width=\"60\">" + T(309) + "</TD><TD>" + T(310) + "</TD></TR>\n";
        m_html += "<TR><TD>" + Tausend(f.GetGesamtlaenge(false)) + "</TD><TD>" + Tausend(f.GetLFLaenge()) +
                  "</TD><TD>" + Tausend(dNutzLaenge) + "</TD><TD>" + Tausend(dNutzBreite) + "</TD><TD>" +
                  Tausend(f.GetRandabstand(0)) + "</TD><TD>" + Tausend(f.GetRandabstand(2)) + "</TD></TR>\n";
        m_html += "<TR><TD colSpan=\"6\"><STRONG>" + T(kTitelWaende) + "</STRONG></TD></TR>\n";
        m_html += "<TR><TD colSpan=\"2\">" + T(kZeileBlockierung) + "</TD><TD>" + T(426) + "</TD><TD>" +
                  T(427) + "</TD><TD>" + T(376) + "</TD><TD>" + T(377) + "</TD></TR>\n";
        // The vehicle keeps no blocking values of its walls: the cells say so instead of showing 0.
        m_html += "<TR><TD colSpan=\"2\">[daN]</TD><TD>./.</TD><TD>./.</TD><TD>./.</TD><TD>./.</TD></TR>\n";
        m_html += "</TABLE>\n</TD>\n";

        // Right: mass, length and centre of gravity of the plan's load.
        m_html += "<TD width=\"235\" vAlign=\"top\">\n";
        m_html += "<TABLE id=\"Table5\" cellSpacing=\"1\" cellPadding=\"1\" width=\"100%\" border=\"1\">\n";
        m_html += "<TR><TD colSpan=\"3\"><STRONG>" + T(311) + "</STRONG> <FONT size=\"2\">" + T(312) +
                  "</FONT></TD></TR>\n";
        m_html += "<TR><TD width=\"70\">" + T(220) + "</TD><TD width=\"69\">" + T(313) + "</TD><TD>" +
                  T(bHeck ? 315 : 314) + "</TD></TR>\n";
        if (plan.GetLgInfos().empty())
            m_html += "<TR><TD colSpan=\"3\">" + T(316) + "</TD></TR>\n";
        else if (plan.GetMasse() == 0.0)
            m_html += "<TR><TD colSpan=\"3\">" + T(317) + "</TD></TR>\n";
        else {
            const double x = plan.GetSchwerpunktX();
            m_html += "<TR><TD>" + Tausend(plan.GetMasse()) + "</TD><TD>" + Tausend(dBezug) + "</TD><TD>" +
                      Tausend(bHeck ? dBezug - x : x) + "</TD></TR>\n";
        }
        m_html += "</TABLE>\n</TD>\n</TR>\n</TABLE>\n";

        Ladungen(plan, bHeck, dBezug);
    }

    void Ladungen(const CQOR& plan, bool bHeck, double dBezug)
    {
        m_html += "<TABLE id=\"Table1\" cellSpacing=\"1\" cellPadding=\"1\" width=\"640\" border=\"1\">\n";
        m_html += "<TR><TD colSpan=\"7\"><STRONG>" + T(318) + " " + T(bHeck ? kVonHinten : 319) +
                  "</STRONG></TD></TR>\n";
        m_html += "<TR><TD width=\"17\">" + T(kSpalteNummer) + "</TD><TD width=\"103\">" + T(kSpalteName) +
                  "</TD><TD width=\"66\">" + T(313) + "</TD><TD width=\"66\">" +
                  EscapeHtml(FormatResChecked(kSpalteAbstand, {LoadResString(bHeck ? 310 : 309)})) +
                  "</TD><TD width=\"54\">" + T(220) + "</TD><TD width=\"117\">" + T(325) + "</TD><TD>" +
                  T(202) + "</TD></TR>\n";
        if (plan.GetLgInfos().empty()) {
            m_html += "<TR><TD colSpan=\"7\">" + T(316) + "</TD></TR>\n";
        } else {
            int nr = 0;
            for (const tagLGINFO* lg : plan.GetLgInfos()) {
                double pos = lg->m_dPosX;
                if (bHeck) {
                    double dAusdehnung = 1.0;
                    if (lg->m_nDrehung == 90 || lg->m_nDrehung == 270)
                        dAusdehnung = lg->m_dBreite;
                    else if (lg->m_nDrehung == 0 || lg->m_nDrehung == 180)
                        dAusdehnung = lg->m_dLaenge;
                    pos = dBezug - lg->m_dPosX - dAusdehnung;
                }
                m_html += "<TR><TD><STRONG>" + Ganz(++nr) + "</STRONG></TD><TD>" +
                          EscapeHtml(lg->GetDisplayName()) + "</TD><TD>" + Tausend(lg->m_dLaenge) +
                          "</TD><TD>" + Tausend(pos) + "</TD><TD>" + Tausend(lg->m_dMasse) + "</TD>";
                if (lg->m_nTyp < 5) {
                    const std::uint32_t lage = lg->m_nDrehung == 90    ? 326
                                               : lg->m_nDrehung == 270 ? 327
                                               : lg->m_nDrehung == 180 ? 329
                                                                       : 328;
                    m_html += "<TD>" + T(lage) + "</TD><TD>" + EscapeHtml(lg->m_strText) + "</TD></TR>\n";
                } else {
                    m_html += "<TD colSpan=\"2\" width=\"334\">" +
                              EscapeHtml(GetLadungTypText(lg->m_nTyp, 1)) + "</TD></TR>\n";
                }
            }
        }
        m_html += "</TABLE>\n";
    }

    CFahrzeug* m_pVorn;
    CFahrzeug* m_pAnhaenger;
    std::string m_html;
    int m_nAbschnitte = 0;
};

} // namespace

bool PlanReportHtml::VomHeckGemessen(const CQOR& plan)
{
    return plan.m_AnzeigeB.bFlags[0] != 0;
}

void PlanReportHtml::SetVomHeckGemessen(CQOR& plan, bool bHeck)
{
    plan.m_AnzeigeB.bFlags[0] = bHeck ? 1 : 0;
}

double PlanReportHtml::Bezugslaenge(const CFahrzeug& fahrzeug)
{
    return static_cast<float>(fahrzeug.GetLFLaenge()) - fahrzeug.GetRandabstand(0) -
           fahrzeug.GetRandabstand(2);
}

std::string PlanReportHtml::BuildPlanReportHtml(CFahrzeug* pVorn, CFahrzeug* pAnhaenger,
                                                const PlanReportAuswahl& auswahl)
{
    return Seite(pVorn, pAnhaenger).Baue(auswahl);
}

std::string PlanReportHtml::WritePlanReportHtml(const std::string& name, CFahrzeug* pVorn,
                                                CFahrzeug* pAnhaenger, const PlanReportAuswahl& auswahl,
                                                const std::filesystem::path& folder)
{
    const std::string seite = BuildPlanReportHtml(pVorn, pAnhaenger, auswahl);
    std::string crlf;
    crlf.reserve(seite.size() + seite.size() / 16);
    for (char c : seite) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    const std::filesystem::path ziel = folder / (name + ".html");
    // Written beside the target and renamed, so a failure leaves no half-written report.
    const std::filesystem::path neu = ziel.string() + ".tmp";
    std::error_code ec;
    {
        std::ofstream out(neu, std::ios::binary | std::ios::trunc);
        if (!out)
            return std::string();
        out.write(crlf.data(), static_cast<std::streamsize>(crlf.size()));
        out.close();
        if (!out) {
            std::filesystem::remove(neu, ec);
            return std::string();
        }
    }
    std::filesystem::rename(neu, ziel, ec);
    if (ec) {
        std::filesystem::remove(neu, ec);
        return std::string();
    }
    return ziel.string();
}
