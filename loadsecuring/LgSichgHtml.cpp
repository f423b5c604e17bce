// The HTML texts of the load-securing view: the tool tips of a load unit and of the marked loads, and
// the defect list of a unit.
#include "loadsecuring/LgSichgHtml.h"

#include "views/CPlanToolTip.h"

#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/securing/CLgsMangel.h"
#include "model/text/HtmlText.h"
#include "model/text/TextFormat.h"
#include "model/text/TextSplit.h"
#include "model/vehicle/CFahrzeug.h"
#include "platform/ResourceModule.h"

namespace {

std::string Vorlage(quint32 nId)
{
    const ResourceModule* m = ResourceModule::Current();
    return m ? m->Html(nId).toStdString() : std::string();
}

// The box a load's picture is fitted into in the tool tips.
constexpr int kBildKasten = 64;

// The picture of a load fitted into its box, never enlarged, as a file URL (Qt's rich text takes the
// tag's size only as plain numbers).
std::string BildZelle(const tagLGINFO& lg)
{
    std::string pfad;
    int w = 0, h = 0;
    if (!lg.GetBildDatei(pfad, &w, &h))
        return std::string();
    return CPlanToolTip::BildTag(pfad, w, h, kBildKasten, kBildKasten);
}

std::string Kg(double dTonnen)
{
    return FormatChecked("%.0f kg", {dTonnen * 1000.0});
}

// Replaces the whole marker from `oeffnend` to the next ">" (searching from *pPos) by `wert`; the next
// search starts after the value.
void ErsetzeMarke(std::string& html, std::size_t* pPos, const char* oeffnend, const std::string& wert)
{
    const std::size_t a = html.find(oeffnend, *pPos);
    if (a == std::string::npos)
        return;
    const std::size_t e = html.find('>', a);
    if (e == std::string::npos)
        return;
    html.replace(a, e + 1 - a, wert);
    *pPos = a + wert.size();
}

} // namespace

std::string LgSichgHtml::LadungenTooltip(const CQOR* q, const tagLGINFO* pGezeigt)
{
    std::string zeilen;
    if (q)
        for (tagLGINFO* lg : q->GetLgInfos())
            if (lg && (lg->m_nState & tagLGINFO::kStateMarked) != 0)
                AppendHtmlTableRow(zeilen,
                                   {EscapeHtml(lg->GetDisplayName()), BildZelle(*lg), Kg(lg->m_dMasse),
                                    EscapeHtml(lg->m_strText)},
                                   lg == pGezeigt, "#F7F7F7");
    std::string html = Vorlage(681);
    html = ReplaceAllText(html, "<!--$tbodyrows-->", zeilen);
    html = ReplaceAllText(html, "<!--$endColor-->", "#C8D8ED");
    return html;
}

std::string LgSichgHtml::EinheitTooltip(const CLadeeinheit& le, const CQOR* q, CFahrzeug* f)
{
    const bool bAktiv = q && le.GetId() == q->m_nAktiveLadeeinheit;
    std::string zeilen;
    double dMasse = 0.0;
    for (std::size_t pos = 0; pos < le.m_Lgs.size();) {
        const tagLGINFO* lg = le.GetNextLadung(pos);
        if (!lg)
            continue;
        std::string name;
        lg->GetName(name, 1);
        AppendHtmlTableRow(zeilen,
                           {EscapeHtml(name), BildZelle(*lg), Kg(lg->m_dMasse), EscapeHtml(lg->m_strText)},
                           false, bAktiv ? "#9CB4F1" : "#CDDBE9");
        dMasse += lg->m_dMasse;
    }
    std::string html = Vorlage(677);
    html = ReplaceAllText(html, "<!--$endColor-->", "#C8D8ED");
    html = ReplaceAllText(html, "<!--$caption-->", FormatResChecked(bAktiv ? 410u : 411u, {le.GetId()}));
    html = ReplaceAllText(html, "<!--LEGG-->", Kg(dMasse));
    html = ReplaceAllText(html, "<!--tbodyrows-->", zeilen);
    // The four free distances, each written whole in place of its marker.
    if (f) {
        double x = 0.0, y = 0.0, l = 0.0, b = 0.0;
        le.GetRechteck(&x, &y, &l, &b);
        const auto mm = [](double d) { return FormatChecked("%.0f", {d * 1000.0}); };
        std::size_t pos = 0;
        ErsetzeMarke(html, &pos, "<$SAbst_v", mm(f->GetAbstandLaengs(3, x, l)));
        ErsetzeMarke(html, &pos, "<$SAbst_r", mm(f->GetAbstandQuer(0, y, b)));
        ErsetzeMarke(html, &pos, "<$SAbst_l", mm(f->GetAbstandQuer(2, y, b)));
        ErsetzeMarke(html, &pos, "<$SAbst_h", mm(f->GetAbstandLaengs(4, x, l)));
    }
    return html;
}

std::string LgSichgHtml::MaengelText(const CLadeeinheit& le)
{
    std::string punkte;
    for (const auto& m : le.m_Maengel)
        if (m)
            punkte += FormatChecked("<li style=\"margin-bottom:0.5em\"><b>%s</b>: %s</li>",
                                    {EscapeHtml(m->GetText()), m->GetHtml()});
    return FormatResChecked(609, {le.GetId(), punkte});
}
