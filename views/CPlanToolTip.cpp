// The HTML tool tip of a placed load: a template's markers filled with the load's values.
#include "views/CPlanToolTip.h"

#include "model/base/AngleMath.h"
#include "model/plan/LoadUnitTypes.h"
#include "model/plan/tagLGINFO.h"
#include "model/text/HtmlText.h"
#include "model/text/TextFormat.h"
#include "model/vehicle/CFahrzeug.h"

#include <QUrl>

#include <cmath>

namespace {

std::string Tausendstel(double d)
{
    return FormatChecked("%.0f", {d * 1000.0});
}

} // namespace

std::string CPlanToolTip::BildTag(const std::string& pfad, int w, int h, int nBoxBreite, int nBoxHoehe)
{
    int b = 0, hoehe = 0;
    FitSizeKeepAspect(w, h, nBoxBreite, nBoxHoehe, true, b, hoehe);
    if (b <= 0 || hoehe <= 0 || pfad.empty())
        return std::string();
    const std::string url =
        QUrl::fromLocalFile(QString::fromStdString(pfad)).toString(QUrl::FullyEncoded).toStdString();
    // Qt's text renderer reads the size attributes as plain numbers only ("40px" would leave the picture
    // at its own size).
    return FormatChecked("<img src=\"%s\" height=\"%d\" width=\"%d\"/>", {EscapeHtml(url), hoehe, b});
}

std::string CPlanToolTip::Html(const std::string& vorlage, const tagLGINFO& lg, const CFahrzeug* f)
{
    std::string html = vorlage;
    std::size_t pos = 0;
    // Each marker is looked for after the previous one; a marker the template lacks is skipped.
    const auto setze = [&](const char* marker, const std::string& wert) {
        std::size_t ende = pos;
        if (ReplaceHtmlMarker(html, pos, marker, ">", wert, &ende))
            pos = ende;
    };
    std::string name;
    lg.GetName(name, 1);
    setze("<!--$Bez", EscapeHtml(name));
    std::string pfad;
    int w = 0, h = 0;
    lg.GetBildDatei(pfad, &w, &h);
    std::string tag = BildTag(pfad, w, h);
    // A tag that does not fit its place is left out rather than cut.
    const std::size_t nImg = html.find("<!--$ImgTag", pos);
    if (nImg != std::string::npos && html.find('>', nImg) != std::string::npos &&
        tag.size() > html.find('>', nImg) + 1 - nImg)
        tag.clear();
    setze("<!--$ImgTag", tag);
    setze("<!--$Gew", Tausendstel(lg.m_dMasse));
    setze("<!--$Lae", Tausendstel(lg.m_dLaenge));
    setze("<!--$Bre", Tausendstel(lg.m_dBreite));
    setze("<!--$Hoe", Tausendstel(lg.m_dHoehe));
    setze("<!--$AbV", Tausendstel(lg.m_dPosX));
    if (f) {
        setze("<!--$AbR", Tausendstel(f->GetAbstandQuerLg(0, &lg)));
        setze("<!--$AbL", Tausendstel(f->GetAbstandQuerLg(2, &lg)));
    }
    if (lg.m_nTyp >= LADUNGTYP_FSM_FIRST) {
        setze("<!--$Bel", FormatChecked("%d", {lg.m_nZusatzInt}));
        setze("<!--$Absr", EscapeHtml(lg.GetEnum9Text()));
        setze("<!--$Por", EscapeHtml(lg.GetEnum12Text()));
    }
    if (!lg.m_strText.empty())
        setze("<!--$Bem", EscapeHtml(lg.m_strText));
    return html;
}
