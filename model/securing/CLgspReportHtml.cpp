// The HTML report of the load securing of one load unit: the page template filled with the figures,
// the defects and the sketch.
#include "model/securing/CLgspReport.h"

#include "model/base/AppHelpers.h"
#include "model/base/LockedFile.h"
#include "model/base/ProgramFolders.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/LoadUnitTypes.h"
#include "model/securing/CLgsMangel.h"
#include "model/text/HtmlText.h"
#include "model/text/NumberText.h"
#include "model/text/TextFormat.h"
#include "model/text/TextSplit.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CZurrmittel.h"
#include "model/vehicle/CZurrpunkt.h"

#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>

namespace {

// Overwrites the template's comment markers one after the other: a marker runs from its name to the
// next ">" and is replaced by its whole value; each search starts where the last value ended.
class MarkerFueller
{
public:
    explicit MarkerFueller(std::string& html) : m_html(html) {}

    // False, and nothing changed, when the marker does not follow.
    bool Fuelle(const std::string& marker, const std::string& value)
    {
        const std::size_t at = m_html.find(marker, m_pos);
        if (at == std::string::npos)
            return false;
        const std::size_t end = m_html.find('>', at + marker.size());
        if (end == std::string::npos)
            return false;
        m_html.replace(at, end + 1 - at, value);
        m_pos = at + value.size();
        return true;
    }

private:
    std::string& m_html;
    std::size_t m_pos = 0;
};

std::string Zahl(const char* fmt, double d)
{
    if (!std::isfinite(d))
        return "-";
    char buf[64];
    std::snprintf(buf, sizeof buf, fmt, d);
    std::string s = buf;
    // A value that rounds to zero is shown without a sign.
    if (s.size() > 1 && s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos)
        s.erase(0, 1);
    return WithDecimalSeparator(std::move(s), DecimalSeparator());
}

std::string Zahl(double d)
{
    return Zahl("%.0f", d);
}

std::string Int(int n)
{
    return std::to_string(n);
}

std::string Text(unsigned id)
{
    return FormatS("$S", 1, id);
}

std::string Datum(std::int64_t t)
{
    const std::time_t tt = static_cast<std::time_t>(t);
    std::tm tm{};
    if (!localtime_r(&tt, &tm))
        return "-";
    char buf[32];
    std::strftime(buf, sizeof buf, "%d.%m.%Y", &tm);
    return buf;
}

constexpr double kGrad = 180.0 / 3.1415927;

// Direction blocks in the order of the markers' suffixes: forward, backward, right, left.
constexpr int kRichtungen[4] = {SLgspWerte::kVorwaerts, SLgspWerte::kRueckwaerts, SLgspWerte::kRechts,
                                SLgspWerte::kLinks};
constexpr const char* kRichtungsSuffix[4] = {"_V", "_H", "_R", "_L"};

// Corners by the markers' suffixes: front left, front right, rear left, rear right.
constexpr int kEckeVL = 2, kEckeVR = 0, kEckeHL = 3, kEckeHR = 1;

// The sketch's file and its size on the page.
struct SkizzenBild
{
    std::string pfad;
    int nBreite = 0, nHoehe = 0;
    double dSkala = 1.0;
};

std::string Reibwert(const SLgspWerte& w)
{
    return w.m_fMu >= 0.0f ? Zahl("%.2f", w.m_fMu) : std::string("-");
}

void FuelleFormschluss(MarkerFueller& f, const SLgspWerte& w)
{
    for (int i = 0; i < 4; ++i)
        f.Fuelle(std::string("<!--FSjn") + kRichtungsSuffix[i],
                 Text(w.m_Richtung[kRichtungen[i]].m_bBlockiert ? 482 : 483));
    for (int i = 0; i < 4; ++i) {
        const SLgspRichtung& r = w.m_Richtung[kRichtungen[i]];
        f.Fuelle(std::string("<!--$FSdaN") + kRichtungsSuffix[i],
                 r.m_bBlockiert ? Zahl(r.m_fFb / 10.0) : "-");
    }
    for (int i = 0; i < 4; ++i) {
        const SLgspRichtung& r = w.m_Richtung[kRichtungen[i]];
        f.Fuelle(std::string("<!--$FSpor") + kRichtungsSuffix[i],
                 r.m_bBlockiert ? EscapeHtml(FormatFsmStateText(r.m_nBlockiertRoh, 0)) : "-");
    }
}

void FuelleSkizze(MarkerFueller& f, const SkizzenBild& sk)
{
    f.Fuelle("<!--$Sk_width", Zahl(sk.nBreite * sk.dSkala));
    f.Fuelle("<!--$Sk_height", Zahl(sk.nHoehe * sk.dSkala));
    f.Fuelle("<!--$Sk_url", EscapeHtml(sk.pfad));
}

void FuelleRestkraefte(MarkerFueller& f, const SLgspWerte& w)
{
    for (int i = 0; i < 4; ++i)
        f.Fuelle(std::string("<!--$RDan") + kRichtungsSuffix[i],
                 Zahl(w.m_Richtung[kRichtungen[i]].m_fFr / 10.0));
    for (int i = 0; i < 4; ++i)
        f.Fuelle(std::string("<!--$KMom") + kRichtungsSuffix[i],
                 Zahl(w.m_Richtung[kRichtungen[i]].m_fMt / 10.0));
}

// The figures of the simple method.
void FuelleEinfach(MarkerFueller& f, const SLgspWerte& w, const CLadeeinheit& u, const SkizzenBild& sk)
{
    f.Fuelle("<!--$ZMTyp", EscapeHtml(GetZurrmittelTypText(w.m_nZurrmittelTyp)));
    f.Fuelle("<!--$RHMjn", Text(w.m_bAntirutschmatte ? 482 : 483));
    f.Fuelle("<!--$Mue", Reibwert(w));
    f.Fuelle("<!--$Stf", Zahl(w.m_fSTF / 10.0));
    f.Fuelle("<!--$Zurrw", Zahl(w.m_fAlphaLaengs * kGrad));
    f.Fuelle("<!--$nZM", Int(w.m_nZurrmittel));
    FuelleFormschluss(f, w);
    const int nQuelle = w.m_nQuerQuelle;
    f.Fuelle("<!--$ZStTyp", Text(nQuelle == 0 ? 575 : 576));
    f.Fuelle("<!--$ZStdaN_EH", nQuelle == 0 ? "daN" : "daN/m");
    const double dMin = u.GetMinZurrpunktWert(nQuelle);
    const double dMin2 = u.GetMinZurrpunktWert2(nQuelle);
    f.Fuelle("<!--$ZStdaN", dMin < 0.0 ? "-" : Zahl(dMin));
    f.Fuelle("<!--$ZStY", dMin2 < 0.0 ? "-" : Zahl(dMin2 * 1000.0));
    FuelleSkizze(f, sk);
    FuelleRestkraefte(f, w);
}

// The capacity and the angles of the lashings at two corners (the left one first).
void FuelleEckWerte(MarkerFueller& f, const SLgspWerte& w, int links, int rechts, const char* sl,
                    const char* sr)
{
    const SLgspEcke* e[2] = {&w.m_Ecke[links], &w.m_Ecke[rechts]};
    const char* s[2] = {sl, sr};
    for (int i = 0; i < 2; ++i)
        f.Fuelle(std::string("<!--$LC") + s[i],
                 Zahl(w.m_Zusammenfassung[i == 0 ? links : rechts].m_fLcMax / 10.0));
    for (int i = 0; i < 2; ++i)
        f.Fuelle(std::string("<!--$ZWv") + s[i],
                 e[i]->m_bNichtBewertbar ? std::string("-") : Zahl(e[i]->m_fAlpha * kGrad));
    for (int i = 0; i < 2; ++i)
        f.Fuelle(std::string("<!--$ZWhl") + s[i],
                 e[i]->m_bNichtBewertbar ? std::string("-") : Zahl(e[i]->m_fBetaX * kGrad));
    for (int i = 0; i < 2; ++i)
        f.Fuelle(std::string("<!--$ZWhq") + s[i],
                 e[i]->m_bNichtBewertbar ? std::string("-") : Zahl(e[i]->m_fBetaY * kGrad));
}

// The lashing points of the four corners: lashing points (bPunkte) or rails.
struct EckPunkte
{
    CZurrpunkt* zp[4] = {};
    bool bPunkte = true;
    bool bIrgendeiner = false;
};

// The lashing points at two corners (the left one first); the first pair also fills the unit marker.
void FuellePunktWerte(MarkerFueller& f, const EckPunkte& ep, int links, int rechts, const char* sl,
                      const char* sr, bool bMitBezeichnung)
{
    // A lashing point's own force, or the rail's force per metre.
    auto kraft = [&](CZurrpunkt* p) { return ep.bPunkte ? p->m_dZulKraft : p->GetSchienenDaN(); };
    CZurrpunkt* p[2] = {ep.zp[links], ep.zp[rechts]};
    const char* s[2] = {sl, sr};
    for (int i = 0; i < 2; ++i)
        f.Fuelle(std::string("<!--$ZPSeite") + s[i],
                 p[i] ? Text((p[i]->m_nFlags & CZurrpunkt::kLinks) ? 578 : 577) : "-");
    for (int i = 0; i < 2; ++i)
        f.Fuelle(std::string("<!--$ZPAbstLR") + s[i], p[i] ? Zahl(p[i]->m_dAbstandQuer * 1000.0) : "-");
    for (int i = 0; i < 2; ++i)
        f.Fuelle(std::string("<!--$ZPAbstV") + s[i], p[i] ? Zahl(p[i]->GetPosX() * 1000.0) : "-");
    if (bMitBezeichnung)
        f.Fuelle("<!--$ZschEHBez",
                 EscapeHtml(ep.bPunkte ? FormatS("[daN] ($S)", 1, 575u) : FormatS("[daN/m] ($S)", 1, 576u)));
    for (int i = 0; i < 2; ++i)
        f.Fuelle(std::string("<!--$ZPDan") + s[i], p[i] ? Zahl(kraft(p[i])) : "-");
    if (bMitBezeichnung)
        f.Fuelle("<!--$invisibleZPPos", ep.bIrgendeiner ? "" : "invisible");
    for (int i = 0; i < 2; ++i)
        f.Fuelle(std::string("<!--$ZPSkizze") + s[i], p[i] ? EscapeHtml(p[i]->GetName()) : "-");
}

// The figures of the detailed method.
void FuelleDetail(MarkerFueller& f, const SLgspWerte& w, CLadeeinheit& u, const SkizzenBild& sk)
{
    f.Fuelle("<!--$DZArt", EscapeHtml(FormatAuswahlText(static_cast<unsigned>(w.m_nModus), true)));
    f.Fuelle("<!--$ZMTyp", EscapeHtml(GetZurrmittelTypText(w.m_nZurrmittelTyp)));
    f.Fuelle("<!--$RHMjn", w.m_bAntirutschmatte ? "<b>" + Text(482) + "</b>" : Text(483));
    f.Fuelle("<!--$Mue", Reibwert(w));
    FuelleEckWerte(f, w, kEckeVL, kEckeVR, "_vl", "_vr");
    FuelleEckWerte(f, w, kEckeHL, kEckeHR, "_hl", "_hr");
    FuelleFormschluss(f, w);

    EckPunkte ep;
    ep.bPunkte = w.m_nQuerQuelle == 0;
    for (int i = 0; i < 4; ++i) {
        ep.zp[i] = u.GetZurrpunkt(i, 0);
        ep.bIrgendeiner = ep.bIrgendeiner || ep.zp[i];
    }
    FuellePunktWerte(f, ep, kEckeVL, kEckeVR, "_vl", "_vr", true);
    FuellePunktWerte(f, ep, kEckeHL, kEckeHR, "_hl", "_hr", false);
    FuelleRestkraefte(f, w);
    FuelleSkizze(f, sk);
}

// The unit's defects as a list.
std::string MaengelListe(const CLadeeinheit& u)
{
    std::string liste = "<ul>";
    for (const auto& m : u.m_Maengel) {
        if (!m)
            continue;
        liste +=
            "<li><span class=\"fett\">" + EscapeHtml(m->GetText()) + "</span>: " + m->GetHtml() + "</li>";
    }
    liste += "</ul>";
    return liste;
}

} // namespace

bool ReadBitmapSize(const std::string& path, int* pBreite, int* pHoehe)
{
    std::vector<std::uint8_t> h;
    if (!LockedFile::ReadStart(path, 54, h) || h.size() != 54)
        return false;
    if (h[0] != 'B' || h[1] != 'M')
        return false;
    auto int32 = [&](int at) {
        return static_cast<std::int32_t>(
            static_cast<std::uint32_t>(h[at]) | static_cast<std::uint32_t>(h[at + 1]) << 8 |
            static_cast<std::uint32_t>(h[at + 2]) << 16 | static_cast<std::uint32_t>(h[at + 3]) << 24);
    };
    const std::int32_t w = int32(18);
    std::int32_t hh = int32(22);
    // A top-down bitmap gives its height negative.
    if (hh < 0 && hh != INT32_MIN)
        hh = -hh;
    if (w <= 0 || hh <= 0)
        return false;
    if (pBreite)
        *pBreite = w;
    if (pHoehe)
        *pHoehe = hh;
    return true;
}

std::string CLgspReport::ZeichneSkizze(const std::string& name, int nSketch)
{
    const std::filesystem::path& ordner =
        m_skizzenOrdner.empty() ? GetProgramFolders().pictures : m_skizzenOrdner;
    const std::string path = (ordner / (name + ".bmp")).string();
    if (!m_Sketch)
        return path;
    // The renderer gets the report's vehicle and unit; the unit is its plan's active one meanwhile.
    CQOR* pPlan = m_pFahrzeug->GetQor();
    const int nAktiveEinheit = pPlan ? pPlan->m_nAktiveLadeeinheit : 0;
    if (pPlan)
        pPlan->m_nAktiveLadeeinheit = m_pEinheit->GetId();
    m_Sketch(path, nSketch, *m_pFahrzeug, *m_pEinheit);
    if (pPlan)
        pPlan->m_nAktiveLadeeinheit = nAktiveEinheit;
    return path;
}

bool CLgspReport::WriteHtml(const std::string& name, bool bFile, int nSketch, int nMaxBildBreite,
                            bool bFullPage, std::string* pHtml)
{
    if (!CalcLgsWerte() || !m_pWerte)
        return false;
    FindMaengel();
    const SLgspWerte& w = *m_pWerte;
    CLadeeinheit& u = *m_pEinheit;
    CFahrzeug& v = *m_pFahrzeug;

    SkizzenBild sk;
    sk.pfad = ZeichneSkizze(name, nSketch);

    const bool bEinfach = w.m_nVerfahren == 0;
    std::string html = bEinfach ? m_strEinfach : m_strDetail;
    if (bFullPage)
        html = m_strKopf + html + m_strEnde;

    if (!ReadBitmapSize(sk.pfad, &sk.nBreite, &sk.nHoehe)) {
        sk.nBreite = nMaxBildBreite;
        sk.nHoehe = 0;
    }
    sk.dSkala = sk.nBreite > nMaxBildBreite && sk.nBreite > 0 ? double(nMaxBildBreite) / sk.nBreite : 1.0;

    double x = 0.0, y = 0.0, L = 0.0, B = 0.0, H = 0.0, M = 0.0;
    u.GetAbmessungen(&x, &y, &L, &B, &H, &M);

    const bool bOhneMaengel = u.CountMaengel(1) == 0;
    MarkerFueller f(html);
    if (bOhneMaengel)
        f.Fuelle("<!--$invisibleWarnungen", "invisible");
    f.Fuelle("<!--$AmtlKennz", EscapeHtml(v.m_strName));
    f.Fuelle("<!--$Norm", EscapeHtml(w.GetNormName()));
    f.Fuelle("<!--$Dt", Datum(w.m_tDatum));
    f.Fuelle("<!--$LENr", Int(w.m_nNummer));
    f.Fuelle("<!--$Gewicht", Zahl(w.m_fMasse));
    f.Fuelle("<!--$Abst_v", Zahl(x * 1000.0));
    f.Fuelle("<!--$Abst_h", Zahl((v.GetLFLaenge() - v.GetRandabstand(4) - x - L) * 1000.0));
    f.Fuelle("<!--$Abst_r", Zahl(y * 1000.0));
    f.Fuelle("<!--$Abst_l", Zahl((v.GetLFBreite() - v.GetRandabstand(5) - y - B) * 1000.0));
    if (bEinfach)
        FuelleEinfach(f, w, u, sk);
    else
        FuelleDetail(f, w, u, sk);
    if (bOhneMaengel) {
        f.Fuelle("<!--$invisibleWarnungen", "invisible");
        f.Fuelle("<!--$invisibleWarnungen", "invisible");
    } else {
        html = ReplaceAllText(html, "<!--$Maengel-->", MaengelListe(u));
    }

    if (!bFile) {
        if (pHtml)
            *pHtml = html;
        return true;
    }
    const std::filesystem::path& ordner =
        m_skizzenOrdner.empty() ? GetProgramFolders().pictures : m_skizzenOrdner;
    const std::string path = (ordner / (name + ".html")).string();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out.write(html.data(), static_cast<std::streamsize>(html.size()));
        out.close();
        if (!out)
            return false;
    }
    if (pHtml)
        *pHtml = path;
    return true;
}
