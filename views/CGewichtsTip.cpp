// The weights tool tips of the template picture: the masses and axle-group loads of a vehicle's group
// beside its hint animation, as a table with its title.
#include "views/CGewichtsTip.h"

#include "model/document/CQOR1Doc.h"
#include "model/text/TextFormat.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"

#include <cstdint>

namespace {

std::string ResText(std::uint32_t id)
{
    return FormatS("$S", 1, id);
}

std::string Etikett(std::uint32_t id)
{
    return FormatS("$S:", 1, id);
}

} // namespace

std::string CGewichtsTip::Text(CQOR1Doc* pDoc, int nTool, std::string* pTitel)
{
    if (!pDoc || nTool < 1 || nTool > 4)
        return {};
    CFahrzeug* vorn = pDoc->GetFirstFahrzeug();
    CFahrzeug* anh = pDoc->GetAnhaenger();
    CFahrzeug* v = nTool <= 2 ? vorn : anh;
    if (!v)
        return {};
    const bool bHinten = nTool == 2 || nTool == 4;
    const bool bKombi = nTool == 2 && anh != nullptr;
    const int art = v->GetArt();
    // Columns: rigid-drawbar trailer, semi-trailer, drawbar trailer, other.
    const int spalte = art == FahrzeugArt::kStarrdeichsel ? 0
                       : art == FahrzeugArt::kAuflieger   ? 1
                       : art == FahrzeugArt::kAnhaenger   ? 2
                                                          : 3;
    static const std::uint32_t kTitelVorn[] = {296, 297, 298, 299};
    static const std::uint32_t kArtName[] = {241, 243, 242, 294};
    static const std::uint32_t kGruppe[] = {255, 255, 257, 256};
    const int sp = (nTool >= 3 && spalte == 3) ? 2 : spalte;
    std::string titel;
    if (!bHinten)
        titel = ResText(kTitelVorn[sp]);
    else if (sp == 0)
        titel = ResText(4);
    else if (sp == 3)
        titel = ResText(249);
    else
        titel = FormatS("$S: $S", 2, kArtName[sp], 256u);
    if (pTitel)
        *pTitel = titel;

    std::string body;
    const std::string gruppe = ResText(bHinten ? kGruppe[sp] : 255u);
    if (bKombi)
        body +=
            FormatResChecked(5, {std::string(), std::string(), Etikett(244), vorn->m_dLeergewicht * 1000.0});
    else
        body +=
            FormatResChecked(556, {gruppe, ResText(kArtName[sp]), Etikett(244), v->m_dLeergewicht * 1000.0});
    if (art != FahrzeugArt::kSattelzugmaschine)
        body += FormatChecked("%25s %8.0f kg\n", {Etikett(246), v->GetQorMasse() * 1000.0});
    if (bKombi)
        body += FormatResChecked(
            301, {Etikett(244), anh->m_dLeergewicht * 1000.0, Etikett(246), anh->GetQorMasse() * 1000.0});
    if (nTool == 1 && (art == FahrzeugArt::kZugmaschine || art == FahrzeugArt::kSattelzugmaschine) &&
        !(anh && anh->GetArt() == FahrzeugArt::kAnhaenger))
        body += FormatChecked("%25s %8.0f kg\n", {Etikett(2), v->GetKupplungslast() * 1000.0});
    const double gesamt = v->GetGesamtmasse(nTool == 2);
    body += FormatChecked("%34s\n%34.0f kg\n\n", {std::string("-----"), gesamt * 1000.0});
    double dVorn = 0.0, dHinten = 0.0;
    v->CalcAchslastenBeladen(&dVorn, &dHinten);
    const double last = bHinten ? dHinten : dVorn;
    const double anteil = gesamt > 0.0 ? last / gesamt * 100.0 : 0.0;
    body += FormatResChecked(bKombi ? 254 : 3, {last * 1000.0, anteil});
    return body;
}

QString CGewichtsTip::Html(CQOR1Doc* pDoc, int nTool)
{
    std::string titel;
    const std::string body = Text(pDoc, nTool, &titel);
    if (body.empty())
        return {};
    return QStringLiteral("<b>%1</b><pre style=\"font-family:'Courier New',monospace\">%2</pre>")
        .arg(QString::fromStdString(titel).toHtmlEscaped(), QString::fromStdString(body).toHtmlEscaped());
}
