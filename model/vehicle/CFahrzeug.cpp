// The vehicle of the loading model: construction, accessors, axle loads, geometry and limit checks.
#include "model/vehicle/CFahrzeug.h"

#include "model/plan/CQOR.h"
#include "model/plan/SLadung.h"
#include "model/plan/tagLGINFO.h"
#include "model/text/TextFormat.h"
#include "model/vehicle/CZurrmittel.h"
#include "model/vehicle/CZurrpunkt.h"
#include "model/vehicle/CZurrschiene.h"
#include "model/vehicle/CZusLast.h"
#include "model/vehicle/Grenzwert.h"
#include "model/vehicle/SYs2X.h"
#include "model/vehicle/tagZLINFO.h"

#include <algorithm>
#include <cmath>

CFahrzeug::CFahrzeug() : m_Diagramm(this)
{
    Reset();
    m_strName.clear();
    m_nArt = -1;
    m_nAchsanzahl = 0;
    m_dLeergewicht = 0.0;
    m_dZulGesamtgewicht = 0.0;
    m_dLFLaenge = 0.0;
    for (SAchse& a : m_Achsen)
        a = SAchse{};
    m_strBemerkung.clear();
    m_strReserveTexte[0].clear();
    m_strReserveTexte[1].clear();
    m_bMitArbeitswerten = 1;
    std::fill(std::begin(m_nAchsFlags), std::end(m_nAchsFlags), 0);
    std::fill(std::begin(m_dKupplungswert), std::end(m_dKupplungswert), -1.0);
    m_bKupplungslast2 = 1;
}

CFahrzeug::~CFahrzeug()
{
    delete m_pQor; // the plan clears m_pQor itself
    m_pQor = nullptr;
    delete m_pFahrerhausBild;
    m_pFahrerhausBild = nullptr;
}

int CFahrzeug::Reset()
{
    m_Diagramm.CreateBuffers();
    m_NutzlastKurve.Reset();
    for (int i = 0; i < MAX_ACHSEN; ++i) {
        m_Achsen[i].dLeerlast = 0.0;
        m_Achsen[i].dZulLast = 0.0;
        if (i > 0)
            m_Achsen[i].dAbstand = 0.0;
        m_nAchsFlags[i] = 0;
    }
    m_dGrundmasse = 0.0;
    m_dKupplungslast1 = 0.0;
    m_dKupplungslast2 = 0.0;
    m_dKupplungsabstand = 0.0;
    m_dKupplungsabstandGeo = 0.0;
    delete m_pFahrerhausBild;
    m_pFahrerhausBild = nullptr;
    m_pPartner = nullptr;
    m_pDoc = nullptr;
    m_bKombiFlag = 0;
    m_bMaskeHalten = 0;
    m_bKupplungslast2 = 0;
    m_bKupplungslast = 0;
    m_nGeladen = 0;
    m_bDiagrammVeraltet = 1;

    struct Geraet
    {
        int nTyp;
        std::uint32_t nText;
        double dVorspannkraft, dZurrkraft;
    };
    // The catalogue is the defaults alone (no file stores it): a repeated reset starts it again.
    m_ZurrmittelKatalog.clear();
    static const Geraet katalog[] = {{0, 393, 250, 2500},  {0, 393, 350, 3500},  {1, 394, 1500, 3000},
                                     {1, 394, 2500, 5000}, {1, 394, 2800, 8000}, {1, 394, 3600, 13000},
                                     {1, 394, 3600, 20000}};
    for (const Geraet& g : katalog) {
        auto p = std::make_unique<CZurrmittel>();
        p->m_nKennung = 1;
        p->m_nTyp = g.nTyp;
        p->m_nTypZusatz = 0;
        p->m_strName = FormatS("$S", 1, g.nText);
        p->m_dVorspannkraft = g.dVorspannkraft;
        p->m_dZurrkraft = g.dZurrkraft;
        p->m_dWert3 = 0.0;
        p->m_nAnzahl = 0;
        m_ZurrmittelKatalog.push_back(std::move(p));
    }
    return 1;
}

// ---- accessors -------------------------------------------------------------------------------------

std::string CFahrzeug::GetArtName() const
{
    std::uint32_t nText = 69;
    switch (m_nArt) {
    case FahrzeugArt::kZugmaschine:
        nText = IsArt5() ? 266 : 294;
        break;
    case FahrzeugArt::kAnhaenger:
        nText = 242;
        break;
    case FahrzeugArt::kStarrdeichsel:
        nText = 241;
        break;
    case FahrzeugArt::kAuflieger:
        nText = 243;
        break;
    case FahrzeugArt::kSattelzugmaschine:
        nText = 293;
        break;
    default:
        break;
    }
    return FormatS("$S", 1, nText);
}

float CFahrzeug::GetAchse1Position() const
{
    const float f = static_cast<float>(m_Achsen[0].dAbstand);
    return (m_nArt == FahrzeugArt::kAnhaenger || m_nArt == FahrzeugArt::kAuflieger) ? -f : f;
}

bool CFahrzeug::GetNutzbareLF(double* pLaenge, double* pBreite) const
{
    if (m_nArt == FahrzeugArt::kSattelzugmaschine)
        return false;
    const SNutzbareLF& n = m_NutzLF[1];
    if (pLaenge)
        *pLaenge = m_dLFLaenge - n.m_dRand[0] - n.m_dRand[2];
    if (pBreite)
        *pBreite = m_fLFBreite - n.m_dRand[3] - n.m_dRand[1];
    return true;
}

bool CFahrzeug::GetNutzbareLFFloat(float* pLaenge, float* pBreite) const
{
    double l = 0.0, b = 0.0;
    if (!GetNutzbareLF(&l, &b))
        return false;
    if (pLaenge)
        *pLaenge = static_cast<float>(l);
    if (pBreite)
        *pBreite = static_cast<float>(b);
    return true;
}

double CFahrzeug::GetRadstandKorrigiert() const
{
    double d = m_Achsen[1].dAbstand;
    if (m_nAchsanzahl == 3)
        d += m_Achsen[2].dAbstand;
    return d - m_dRadstandKorrektur;
}

void CFahrzeug::AddRandabstand(double* pX, double* pY) const
{
    if (pX)
        *pX += GetRandabstand(0);
    if (pY)
        *pY += GetRandabstand(1);
}

double CFahrzeug::GetRandabstand(int i) const
{
    const SNutzbareLF& n = m_NutzLF[0];
    if (i >= 0 && i <= 3)
        return n.m_dRand[i];
    if (i == 4)
        return n.m_dRand[0] + n.m_dRand[2];
    if (i == 5)
        return n.m_dRand[1] + n.m_dRand[3];
    return 0.0;
}

void CFahrzeug::SetLFRaender(const SNutzbareLF& lf)
{
    for (int i = 0; i < 4; ++i) {
        m_NutzLF[1].m_dRand[i] = lf.m_dRand[i];
        m_NutzLF[1].m_fWert[i] = lf.m_fWert[i];
        m_NutzLF[1].m_nRaster[i] = lf.m_nRaster[i];
        m_NutzLF[0].m_dRand[i] = lf.m_dRand[i];
    }
}

void CFahrzeug::SetUeberstaende(const double* pWerte, bool bMit)
{
    static constexpr int kRand[4] = {0, 2, 3, 1};
    for (int i = 0; i < 4; ++i) {
        m_Ueberstand.m_dWert[i] = bMit ? pWerte[i] : 0.0;
        const double dBasis = m_NutzLF[1].m_dRand[kRand[i]];
        m_NutzLF[0].m_dRand[kRand[i]] = bMit && pWerte[i] != 0.0 ? 0.0 : dBasis;
    }
}

int CFahrzeug::GetRasterAnzahl(int nSeite) const
{
    if (nSeite < 1 || nSeite > 4)
        return 0;
    return m_NutzLF[0].m_nRaster[nSeite - 1];
}

double CFahrzeug::GetAbstandLaengs(int nSeite, double x, double dLaenge) const
{
    if (nSeite == 3)
        return x;
    if (nSeite == 4)
        return m_dLFLaenge - GetRandabstand(0) - GetRandabstand(2) - x - dLaenge;
    return 0.0;
}

double CFahrzeug::GetAbstandQuer(int nSeite, double y, double dBreite) const
{
    if (nSeite == 2)
        return m_fLFBreite - GetRandabstand(1) - GetRandabstand(3) - y - dBreite;
    if (nSeite == 1)
        return m_fLFBreite / 2.0 - GetRandabstand(1) - y;
    return y;
}

double CFahrzeug::GetAbstandQuerLg(int nSeite, const tagLGINFO* p) const
{
    double dQuer = -1.0;
    if (p->m_nDrehung == 0 || p->m_nDrehung == 180)
        dQuer = p->m_dBreite;
    else if (p->m_nDrehung == 90 || p->m_nDrehung == 270)
        dQuer = p->m_dLaenge;
    return GetAbstandQuer(nSeite, p->m_dPosY, dQuer);
}

double CFahrzeug::GetVorbauLaenge() const
{
    switch (m_nArt) {
    case FahrzeugArt::kZugmaschine:
    case FahrzeugArt::kSattelzugmaschine:
        if (m_pFahrerhausBild && m_pFahrerhausBild->HatBild())
            return m_pFahrerhausBild->GetVorbauLaenge();
        return IsArt5() ? 0.71 : 1.46;
    case FahrzeugArt::kAnhaenger:
        return 0.5;
    case FahrzeugArt::kStarrdeichsel:
    case FahrzeugArt::kAuflieger:
        return m_Achsen[0].dAbstand;
    default:
        return 0.0;
    }
}

double CFahrzeug::GetAchse9Leerlast() const
{
    if (m_nArt == FahrzeugArt::kAnhaenger || m_nArt == FahrzeugArt::kStarrdeichsel ||
        m_nArt == FahrzeugArt::kAuflieger)
        return 0.0;
    return m_Achsen[9].dLeerlast;
}

int CFahrzeug::AchsRecordOf(int n) const
{
    const int record =
        (m_nArt == FahrzeugArt::kStarrdeichsel || m_nArt == FahrzeugArt::kAuflieger) ? n : n - 1;
    return (record >= 0 && record <= 3) ? record : -1;
}

double CFahrzeug::GetAchsLeerlast(int n) const
{
    const int record = AchsRecordOf(n);
    return record >= 0 ? m_Achsen[record].dLeerlast : 0.0;
}

double CFahrzeug::GetAchsZulLast(int n) const
{
    const int record = AchsRecordOf(n);
    return record >= 0 ? m_Achsen[record].dZulLast : 0.0;
}

void CFahrzeug::SetAchsLeerlast(int i, double v)
{
    if (i >= 0 && i < MAX_ACHSEN)
        m_Achsen[i].dLeerlast = v;
}

void CFahrzeug::SetAchsZulLast(int i, double v)
{
    if (i >= 0 && i < MAX_ACHSEN)
        m_Achsen[i].dZulLast = v;
}

int CFahrzeug::GetRecordAnzahl() const
{
    int n = m_nAchsanzahl +
            ((m_nArt == FahrzeugArt::kStarrdeichsel || m_nArt == FahrzeugArt::kAuflieger) ? 1 : 0);
    return std::clamp(n, 0, MAX_ACHSEN);
}

int CFahrzeug::GetAchsgruppenTrennung(int* pAnzahl) const
{
    const int n = GetRecordAnzahl();
    int nAnzahl = 0;
    int i = 0;
    for (; i < n; ++i) {
        if (m_nAchsFlags[i] == 0) {
            ++nAnzahl;
            if (nAnzahl > m_nAnzahlVorderachsen)
                break;
        }
    }
    if (pAnzahl)
        *pAnzahl = nAnzahl;
    return i;
}

bool CFahrzeug::IsVorderachse(int i) const
{
    if (GetRecordAnzahl() == 0)
        return i < 0;
    return i < GetAchsgruppenTrennung();
}

bool CFahrzeug::HasZLTyp(int nTyp) const
{
    for (const auto& pItem : m_ZLInfos)
        if (pItem && pItem->m_nTyp == nTyp)
            return true;
    return false;
}

tagZLINFO* CFahrzeug::AddZL(std::unique_ptr<tagZLINFO> pItem)
{
    if (!pItem)
        return nullptr;
    m_ZLInfos.push_back(std::move(pItem));
    return m_ZLInfos.back().get();
}

bool CFahrzeug::HasZL(const tagZLINFO* pItem) const
{
    return pItem && std::any_of(m_ZLInfos.begin(), m_ZLInfos.end(),
                                [pItem](const auto& p) { return p.get() == pItem; });
}

std::unique_ptr<tagZLINFO> CFahrzeug::RemoveZL(const tagZLINFO* pItem)
{
    auto it =
        std::find_if(m_ZLInfos.begin(), m_ZLInfos.end(), [pItem](const auto& p) { return p.get() == pItem; });
    if (!pItem || it == m_ZLInfos.end())
        return nullptr;
    std::unique_ptr<tagZLINFO> p = std::move(*it);
    m_ZLInfos.erase(it);
    return p;
}

bool CFahrzeug::HasUeberstand() const
{
    for (double d : m_Ueberstand.m_dWert)
        if (d != 0.0)
            return true;
    return false;
}

bool CFahrzeug::GetStatusFlag() const
{
    return m_bMaskeHalten != 0 || (m_pQor && m_pQor->m_bStatusFlag != 0);
}

float CFahrzeug::GetQorAnzahl() const
{
    return m_pQor ? static_cast<float>(m_pQor->m_nAnzahl) : 4.0f;
}

double CFahrzeug::GetMaxNutzlast(bool bNurEigene) const
{
    if (!bNurEigene && m_pPartner)
        return std::min(m_NutzlastKurve.GetMaxNutzlast(), m_pPartner->m_NutzlastKurve.GetMaxNutzlast());
    return m_NutzlastKurve.GetMaxNutzlast();
}

CFahrzeug* CFahrzeug::GetDokAnhaenger() const
{
    if (IsMotorfahrzeug() && m_pPartner && m_pPartner->IsAnhaengerArt())
        return m_pPartner;
    return nullptr;
}

CFahrzeug* CFahrzeug::GetDokZugfahrzeug() const
{
    if (IsAnhaengerArt() && m_pPartner && m_pPartner->IsMotorfahrzeug())
        return m_pPartner;
    return nullptr;
}

double CFahrzeug::GetQorMasse() const
{
    return m_pQor ? m_pQor->GetMasse() : 0.0;
}

double CFahrzeug::GetKupplungslast() const
{
    if (!m_bKupplungslast)
        return 0.0;
    return m_bKupplungslast2 ? m_dKupplungslast2 : m_dKupplungslast1;
}

// ---- working values ---------------------------------------------------------------------------------

double CFahrzeug::CalcLeergewicht()
{
    const int n = GetRecordAnzahl();
    double d = m_Achsen[0].dLeerlast + m_Achsen[1].dLeerlast;
    if (n == 3 || n == 4)
        d += m_Achsen[2].dLeerlast;
    if (n == 4)
        d += m_Achsen[3].dLeerlast;
    m_dLeergewicht = d;
    return d;
}

void CFahrzeug::PrepareBerechnung()
{
    std::fill(std::begin(m_nGrenzeAktiv), std::end(m_nGrenzeAktiv), 0);
    CalcLeergewicht();
    m_dAchse1Abstand = (m_nArt == FahrzeugArt::kZugmaschine || m_nArt == FahrzeugArt::kStarrdeichsel)
                           ? m_Achsen[0].dAbstand
                           : -m_Achsen[0].dAbstand;
    m_dMinAnteilVorn = static_cast<double>(m_nMinAnteilVorn) / 100.0;
    m_dMinAnteilHinten = static_cast<double>(m_nMinAnteilHinten) / 100.0;
    if (!m_bMitArbeitswerten) {
        m_dNutzlast = m_dZulGesamtgewicht - m_dLeergewicht - m_dZusLastMasse;
        return;
    }
    // Rear group: every record behind record 0, its centre weighted by the permissible loads.
    const int n = GetRecordAnzahl();
    double s = 0.0, dMoment = 0.0, dZul = 0.0, dLeer = 0.0;
    for (int i = 1; i < n; ++i) {
        s += m_Achsen[i].dAbstand;
        dMoment += s * m_Achsen[i].dZulLast;
        dZul += m_Achsen[i].dZulLast;
        dLeer += m_Achsen[i].dLeerlast;
    }
    m_dRadstand = n >= 2 ? dMoment / dZul : 0.0;
    m_dHinterLeerSumme = dLeer;
    m_dHinterZulSummePrep = dZul;

    m_dZusLastMasse = m_dZusMomentVorn = m_dZusMomentHinten = 0.0;
    for (const auto& p : m_ZusLasten) {
        const double pos = p->m_dPosition, m = p->m_dMasse;
        m_dZusLastMasse += m;
        m_dZusMomentVorn += (pos + m_dAchse1Abstand) * m;
        m_dZusMomentHinten += (m_dRadstand - m_dAchse1Abstand - pos) * m;
    }
    m_Geo.dLeerSchwerpunktRel = m_dHinterLeerSumme * m_dRadstand / m_dLeergewicht;
    m_dNutzlast = m_dZulGesamtgewicht - m_dLeergewicht - m_dZusLastMasse;
}

double CFahrzeug::CalcSchwerpunkt(bool bMitLadung)
{
    double m = m_dLeergewicht;
    double M = m_dLeerPos * m;
    if (m_bKupplungslast) {
        const double c = GetKupplungslast();
        m += c;
        M += c * (m_dLFLaenge - m_dKupplungsabstand - m_dVorderachsPos);
    }
    m += m_dZLMasse;
    M += m_dZLMasse * m_dZLPos;
    if (bMitLadung && m_pQor) {
        const double dLast = m_pQor->GetMasse();
        m += dLast;
        M += dLast * (m_pQor->GetSchwerpunktX() + GetRandabstand(0) - m_dVorderachsPos);
    }
    return M / m;
}

float CFahrzeug::GetSummeAchslasten()
{
    float v = 0.0f, h = 0.0f;
    CalcAchslasten(&v, &h);
    return v + h;
}

// The coupling load counts into the mass as it counts into the centre of gravity, so that the two group
// loads always add up to what stands on the axles.
void CFahrzeug::CalcAchslasten(float* pVorn, float* pHinten)
{
    const double m = m_dGrundmasse + GetKupplungslast();
    const double x = CalcSchwerpunkt(false);
    const float fHinten = static_cast<float>(m * x / m_dRadstand);
    if (pHinten)
        *pHinten = fHinten;
    if (pVorn)
        *pVorn = static_cast<float>(m - fHinten);
}

void CFahrzeug::CalcAchslastenBeladen(double* pVorn, double* pHinten)
{
    const double m = m_dGrundmasse + GetKupplungslast() + GetQorMasse();
    const double x = CalcSchwerpunkt(true);
    const double dHinten = m * x / m_dRadstand;
    if (pHinten)
        *pHinten = dHinten;
    if (pVorn)
        *pVorn = m - dHinten;
}

double CFahrzeug::GetZulAchsgruppenlast(bool bHinten)
{
    if (!bHinten)
        return m_Achsen[0].dZulLast;
    const int n = GetRecordAnzahl();
    if (n == 4)
        return m_Achsen[1].dZulLast + m_Achsen[2].dZulLast + m_Achsen[3].dZulLast;
    if (n == 3)
        return m_Achsen[1].dZulLast + m_Achsen[2].dZulLast;
    return m_Achsen[1].dZulLast;
}

double CFahrzeug::GetGesamtmasse(bool bMitPartner)
{
    double d = m_dGrundmasse + GetKupplungslast() + GetQorMasse();
    if (bMitPartner)
        if (CFahrzeug* pAnh = GetDokAnhaenger())
            d += pAnh->GetGesamtmasse(false);
    return d;
}

void CFahrzeug::GetAchslastAnteile(float* pVorn, float* pHinten)
{
    double T = 0.0;
    if (GetDokZugfahrzeug())
        T = GetGesamtmasse(false);
    else
        T = GetGesamtmasse(true);
    if (pVorn)
        *pVorn = static_cast<float>(m_dAchslastVorn / T * 100.0);
    if (pHinten)
        *pHinten = static_cast<float>(m_dAchslastHinten / T * 100.0);
}

// ---- limit checks -----------------------------------------------------------------------------------

int CFahrzeug::CheckGrenzwerte(bool bNurEigene)
{
    return CheckGrenzwerteMotor(bNurEigene);
}

int CFahrzeug::CheckGrenzwerteMotor(bool bNurEigene)
{
    CFahrzeug* pAnh = GetDokAnhaenger();
    int nMaske = 0;
    if ((!m_NutzlastKurve.IsGueltig() && m_nArt != FahrzeugArt::kSattelzugmaschine) || !IsBerechenbar())
        nMaske |= Grenzwert::kKurveUngueltig;
    if (m_dAchslastVorn > m_dVorderZulSumme || m_dAchslastHinten > m_Geo.dHinterZulSumme)
        nMaske |= Grenzwert::kAchsgruppeUeberlastet;
    if (m_dAnteilVorn * GetGesamtmasse(false) > m_dAchslastVorn ||
        m_dAnteilHinten * GetGesamtmasse(true) > m_dAchslastHinten)
        nMaske |= Grenzwert::kMindestanteil;
    if (m_dAchslastVorn + m_dAchslastHinten > m_dZulGesamtgewicht)
        nMaske |= Grenzwert::kGesamtgewicht;
    if (m_nArt == FahrzeugArt::kZugmaschine && pAnh && pAnh->GetArt() != FahrzeugArt::kAnhaenger &&
        pAnh->m_dAchslastVorn > m_dKupplungslast1)
        nMaske |= Grenzwert::kStuetzlast;
    if (m_nArt == FahrzeugArt::kSattelzugmaschine && pAnh && pAnh->m_dAchslastVorn > m_dKupplungslast1)
        nMaske |= Grenzwert::kSattellast;
    nMaske = PruefePartnerGrenzwerte(nMaske, bNurEigene, pAnh, Grenzwert::kBeimAnhaenger);
    if (m_pQor && m_nArt != FahrzeugArt::kSattelzugmaschine)
        nMaske = PruefeQuerGrenze(nMaske, Grenzwert::kBeimAnhaenger);
    return GrenzwertAntwort(nMaske, bNurEigene, Grenzwert::kBeimAnhaenger, Grenzwert::kBeimZugfahrzeug);
}

int CFahrzeug::CheckGrenzwerteAnhaenger(bool bNurEigene, bool bMitPartnerMasse)
{
    int nMaske = 0;
    if (!m_NutzlastKurve.IsGueltig() || !IsBerechenbar())
        nMaske |= Grenzwert::kKurveUngueltig;
    if (m_dAchslastVorn > m_dVorderZulSumme || m_dAchslastHinten > m_Geo.dHinterZulSumme)
        nMaske |= Grenzwert::kAchsgruppeUeberlastet;
    if (m_dAchslastVorn + m_dAchslastHinten > m_dZulGesamtgewicht)
        nMaske |= Grenzwert::kGesamtgewicht;
    const double T = GetGesamtmasse(bMitPartnerMasse);
    if (m_dAchslastVorn / T < m_dAnteilVorn || m_dAchslastHinten / T < m_dAnteilHinten)
        nMaske |= Grenzwert::kMindestanteil;
    nMaske = PruefePartnerGrenzwerte(nMaske, bNurEigene, m_pPartner, Grenzwert::kBeimZugfahrzeug);
    if (!m_pQor)
        nMaske |= Grenzwert::kKeinPlan;
    else
        nMaske = PruefeQuerGrenze(nMaske, Grenzwert::kBeimZugfahrzeug);
    return GrenzwertAntwort(nMaske, bNurEigene, Grenzwert::kBeimZugfahrzeug, Grenzwert::kBeimAnhaenger);
}

// When this vehicle's own records hold and the whole combination is asked, the partner's own check
// decides; its faults are marked with nPartnerBit.
int CFahrzeug::PruefePartnerGrenzwerte(int nMaske, bool bNurEigene, CFahrzeug* pPartner, int nPartnerBit)
{
    if (!bNurEigene && nMaske == 0 && pPartner) {
        const int n = pPartner->CheckGrenzwerte(true);
        if (n != 0)
            nMaske = n | nPartnerBit;
    }
    return nMaske;
}

// With nothing else wrong (or only the partner's lateral fault), a load whose lateral centre of gravity
// fails marks Grenzwert::kQuerSchwerpunkt and the fault as this vehicle's. Needs the load.
int CFahrzeug::PruefeQuerGrenze(int nMaske, int nPartnerBit)
{
    if ((nMaske == 0 || nMaske == (nPartnerBit | Grenzwert::kQuerSchwerpunkt)) && m_pQor->GetMasse() != 0.0 &&
        CheckQuerSchwerpunkt() == 0) {
        nMaske &= ~nPartnerBit;
        nMaske |= Grenzwert::kQuerSchwerpunkt;
    }
    return nMaske;
}

// The answer of a limit check: the mask alone for the own records; else 1 when all holds, or the mask
// marked with whose fault it is (nPartnerBit already set, or nEigenBit).
int CFahrzeug::GrenzwertAntwort(int nMaske, bool bNurEigene, int nPartnerBit, int nEigenBit)
{
    if (bNurEigene)
        return nMaske;
    if (nMaske == 0)
        return Grenzwert::kAllesHaelt;
    return (nMaske & nPartnerBit) ? nMaske : nMaske | nEigenBit;
}

int CFahrzeug::CheckLadung()
{
    if (!m_pQor)
        return 1;
    return CheckLadung(m_pQor->GetSchwerpunktX(), m_pQor->GetMasse());
}

int CFahrzeug::CheckLadung(double x, double m)
{
    // Nothing fits a vehicle whose axle data give no finite loads.
    if (!IsBerechenbar())
        return 0;
    SYs2X pt;
    pt.m_dX = x + GetRandabstand(0);
    if (CalcKurvenpunkt(&pt) != 1)
        return 0;
    if (!(pt.m_dMaxLast >= m))
        return 0;
    return (pt.m_dMinLast == -1.0 || m >= pt.m_dMinLast) ? 1 : 0;
}

int CFahrzeug::CheckQuerSchwerpunkt()
{
    if (!m_pQor)
        return 1;
    const float m = static_cast<float>(m_pQor->GetMasse());
    // An empty plan has nothing to tip over.
    if (m == 0.0f)
        return 1;
    const float y = static_cast<float>(m_pQor->GetSchwerpunktY());
    const float W = m_fLFBreite;
    const float e = static_cast<float>(GetRandabstand(1));
    const float K = m_Diagramm.GetK();
    const float c = m_Diagramm.GetC();
    return (K - c * m) / m >= std::fabs(W * 0.5f - y - e) ? 1 : 0;
}

int CFahrzeug::CalcAktiveGrenzen()
{
    return CalcAktiveGrenzenMit(true);
}

int CFahrzeug::CalcAktiveGrenzenMit(bool bAnteile)
{
    const double L = m_dRadstand;
    int nMaske = 0;
    if (CalcZulLast(1, L - 2.0) > CalcZulLast(1, L - 1.0))
        nMaske |= 1;
    if (CalcZulLast(0, 2.0) > CalcZulLast(0, 1.0))
        nMaske |= 4;
    if (bAnteile) {
        const double aV = m_dAnteilVorn, aH = m_dAnteilHinten;
        if (CalcNutzlastAnteilgrenze(0, (1.0 - aV) * L + 2.0, aV) >
            CalcNutzlastAnteilgrenze(0, (1.0 - aV) * L + 1.0, aV))
            nMaske |= 2;
        if (CalcNutzlastAnteilgrenze(1, aH * L - 2.0, aH) > CalcNutzlastAnteilgrenze(1, aH * L - 1.0, aH))
            nMaske |= 8;
    }
    m_nGrenzMaske = nMaske;
    return nMaske;
}

// ---- combination --------------------------------------------------------------------------------------

double CFahrzeug::CalcKombination1(int nFall, CFahrzeug* A, CFahrzeug* B, double x)
{
    if (!A || !B)
        return 0.0;
    const double LA = A->m_dRadstand, LB = B->m_dRadstand, L0A = A->m_dSattelVersatz;
    const double k = m_dKupplungsabstandGeo;
    if (nFall == 1)
        return ((B->m_dVorderLeerSumme + x) * (LA - L0A) + B->m_dMomentHinten -
                (B->m_dGekoppelteMasse + x) * A->m_dAnteilVorn * LA) *
               LB / (LA - L0A) / x;
    if (nFall == 2)
        return (A->m_dMomentHinten * LB + B->m_dMomentHinten * (LA - k) -
                LB * LA * A->m_dAnteilVorn * A->m_dGrundmasse) /
               (((A->m_dAnteilVorn - 1.0) * LA + k) * LB + (LA - k) * x);
    return 0.0;
}

double CFahrzeug::CalcKombination2(int nFall, CFahrzeug* A, CFahrzeug* B, double x)
{
    if (!A || !B)
        return 0.0;
    const double LA = A->m_dRadstand, LB = B->m_dRadstand, L0A = A->m_dSattelVersatz;
    if (nFall == 1)
        return ((B->m_dVorderLeerSumme + x) * L0A + B->m_dMomentVorn -
                A->m_dAnteilHinten * LA * (B->m_dGekoppelteMasse + x)) *
               LB / L0A / x;
    if (nFall == 2)
        return Kombination2Bruch(A, B).An(x);
    return 0.0;
}

CFahrzeug::SBruch CFahrzeug::Kombination2Bruch(CFahrzeug* A, CFahrzeug* B) const
{
    const double LA = A->m_dRadstand, LB = B->m_dRadstand, k = m_dKupplungsabstandGeo;
    const double h = A->m_dAnteilHinten * LA;
    return {(A->m_dMomentVorn - B->m_dGekoppelteMasse * h) * LB + B->m_dMomentHinten * k, (h - k) * LB, k};
}

CFahrzeug::SBruch CFahrzeug::Kupplungsgrenze()
{
    if (!m_pPartner)
        return {0.0, 0.0, 0.0, false};
    return Kombination2Bruch(m_pPartner, this);
}

void CFahrzeug::CalcKupplungsdaten() {}

// ---- geometry -----------------------------------------------------------------------------------------

double CFahrzeug::CalcPosRelAchse1()
{
    const double d0 = m_Achsen[0].dAbstand;
    m_Geo.dLeerSchwerpunkt =
        m_Geo.dLeerSchwerpunktRel +
        ((m_nArt == FahrzeugArt::kAnhaenger || m_nArt == FahrzeugArt::kAuflieger) ? d0 : -d0);
    return m_Geo.dLeerSchwerpunkt;
}

int CFahrzeug::CalcAnzahlVorderachsen()
{
    if (m_nArt == FahrzeugArt::kStarrdeichsel || m_nArt == FahrzeugArt::kAuflieger)
        m_nAnzahlVorderachsen = 1;
    else
        m_nAnzahlVorderachsen =
            SAchsGeometrie::VorderGruppenAnzahl(m_Geo.dMergeAbstand + 1, m_Geo.nMergeAnzahl);
    return m_nAnzahlVorderachsen;
}

double CFahrzeug::CalcHinterachsgruppe(bool bCached)
{
    if (!bCached) {
        double pos[MAX_ACHSEN] = {};
        m_Geo.MergePositionen(GetAchsPosition(0), pos);
        m_Geo.dHinterachsPos = SAchsGeometrie::GewichtetesMittel(
            pos, m_Geo.dMergeZulLast, m_nAnzahlVorderachsen, m_Geo.nMergeAnzahl, &m_Geo.dHinterLastSumme);
        m_Geo.dHinterZulSumme = m_Geo.dHinterLastSumme;
    }
    return m_Geo.dHinterachsPos - m_dVorderachsPos;
}

void CFahrzeug::CalcAchsPositionen(double x0, bool bZusammengefasst)
{
    const double* d = bZusammengefasst ? m_Geo.dMergeAbstand : m_Geo.dAbstand;
    const double s = (m_nArt == FahrzeugArt::kAnhaenger || m_nArt == FahrzeugArt::kAuflieger) ? 1.0 : -1.0;
    m_Geo.dAchsPos[0] = s * m_Achsen[0].dAbstand - x0;
    for (int i = 1; i < MAX_ACHSEN; ++i)
        m_Geo.dAchsPos[i] = m_Geo.dAchsPos[i - 1] + d[i];
}

double CFahrzeug::GetAchsPosition(int i)
{
    const double d0 = m_Achsen[0].dAbstand;
    const double s = (m_nArt == FahrzeugArt::kAnhaenger || m_nArt == FahrzeugArt::kAuflieger) ? d0 : -d0;
    if (i < 0 || i >= MAX_ACHSEN)
        return 0.0;
    double x = s;
    for (int j = 1; j <= i; ++j)
        x += m_Achsen[j].dAbstand;
    return x;
}

double CFahrzeug::GetPosLetzteAchse()
{
    const double d0 = m_Achsen[0].dAbstand;
    double x = m_nArt == FahrzeugArt::kSattelzugmaschine
                   ? 0.0
                   : ((m_nArt == FahrzeugArt::kAnhaenger || m_nArt == FahrzeugArt::kAuflieger) ? d0 : -d0);
    const int n = GetRecordAnzahl();
    if (n >= 3 && n <= 7) {
        for (int j = 1; j < n; ++j)
            x += m_Achsen[j].dAbstand;
    } else {
        x += m_Achsen[1].dAbstand;
    }
    return x;
}

double CFahrzeug::GetZLPosition(tagZLINFO* p) const
{
    if (p->m_nTyp == 5)
        p->m_dPosX = -p->m_dAbstand;
    else if (p->m_nTyp == 1)
        p->m_dPosX = p->m_dAbstand;
    if (!p->m_nVomEnde)
        return p->m_dPosX;
    double x = m_dLFLaenge - p->m_dPosX;
    if (m_nArt == FahrzeugArt::kSattelzugmaschine)
        x += m_Achsen[0].dAbstand;
    return x;
}

void CFahrzeug::BuildGeometrie()
{
    BuildGeometrieBasis();
    PruefeBerechenbar();
}

void CFahrzeug::BuildGeometrieBasis()
{
    m_NutzlastKurve.SetGueltig(true);
    m_bBerechenbar = 1;
    m_dLeergewicht = m_Geo.Uebernimm(m_Achsen, m_nAchsFlags, GetRecordAnzahl());
    CalcPosRelAchse1();

    m_dGrundmasse = m_dLeergewicht;
    CalcAnzahlVorderachsen();
    {
        double pos[MAX_ACHSEN] = {};
        m_Geo.MergePositionen(GetAchsPosition(0), pos);
        const int nV = std::min(m_nAnzahlVorderachsen, m_Geo.nMergeAnzahl);
        m_dVorderachsPos =
            SAchsGeometrie::GewichtetesMittel(pos, m_Geo.dMergeLeerlast, 0, nV, &m_dVorderLeerSumme);
        m_dVorderZulSumme = 0.0;
        for (int i = 0; i < nV; ++i)
            m_dVorderZulSumme += m_Geo.dMergeZulLast[i];
    }
    m_dRadstand = CalcHinterachsgruppe(false);

    m_dLeerPos = m_Geo.dLeerSchwerpunkt - m_dVorderachsPos;
    m_dKupplungsX = m_dLFLaenge - m_dKupplungsabstand - m_dVorderachsPos;

    m_dZLMasse = 0.0;
    double dZLMoment = 0.0;
    for (const auto& pItem : m_ZLInfos) {
        if (!pItem)
            continue;
        double x = GetZLPosition(pItem.get());
        if (m_nArt != FahrzeugArt::kSattelzugmaschine)
            x -= m_dVorderachsPos;
        m_dZLMasse += pItem->m_dMasse;
        dZLMoment += pItem->m_dMasse * x;
    }
    m_dZLPos = m_dZLMasse != 0.0 ? dZLMoment / m_dZLMasse : 0.0;

    m_dGrundmasse += m_dZLMasse;
    const double c = GetKupplungslast();
    m_dKupplungslastGeo = c;
    m_dGrundSchwerpunkt = (m_dZLPos * m_dZLMasse + m_dLeerPos * m_dLeergewicht + c * m_dKupplungsX) /
                          (m_dLeergewicht + m_dZLMasse + c);
    m_dNutzlast = m_dZulGesamtgewicht - m_dLeergewicht - m_dZLMasse;

    CalcAchslastenBeladen(&m_dAchslastVorn, &m_dAchslastHinten);

    m_dZulLastHinten = m_Geo.dHinterZulSumme;
    m_dZulLastVorn = m_dVorderZulSumme;
    m_dZulLastVorn2 = m_dVorderZulSumme;
    m_dAnteilVorn = static_cast<double>(m_nMinAnteilVorn) / 100.0;
    m_dMinLastVorn = m_dAnteilVorn * m_dGrundmasse;
    m_dAnteilHinten = static_cast<double>(m_nMinAnteilHinten) / 100.0;
    m_dMinLastHinten = m_dAnteilHinten * m_dGrundmasse;
    m_dPlanLast = (m_nArt != FahrzeugArt::kSattelzugmaschine && m_pQor) ? m_pQor->GetMasse() : 0.0;

    m_bMaskeHalten = 0;
}

void CFahrzeug::CalcMomente()
{
    const double L = m_dRadstand;
    m_dMomentVorn = m_dZLMasse * m_dZLPos + m_dLeergewicht * m_dLeerPos;
    m_dMomentHinten = (L - m_dZLPos) * m_dZLMasse + (L - m_dLeerPos) * m_dLeergewicht;
    m_dMomentVornBeladen = m_dMomentVorn;
    m_dMomentHintenBeladen = m_dMomentHinten;
}

void CFahrzeug::PruefeBerechenbar()
{
    // The laden group loads come last: the class parts of the geometry may have changed their inputs.
    CalcAchslastenBeladen(&m_dAchslastVorn, &m_dAchslastHinten);
    const double werte[] = {m_dLeergewicht, m_dRadstand,         m_dVorderachsPos, m_dLeerPos,
                            m_dGrundmasse,  m_dGrundSchwerpunkt, m_dAchslastVorn,  m_dAchslastHinten,
                            m_dMomentVorn,  m_dMomentHinten,     m_dNutzlast};
    bool bOk = m_dRadstand > 0.0 && m_dLeergewicht > 0.0 && m_nAnzahlVorderachsen >= 1 &&
               m_Geo.nMergeAnzahl > m_nAnzahlVorderachsen;
    for (double d : werte)
        if (!std::isfinite(d))
            bOk = false;
    m_bBerechenbar = bOk ? 1 : 0;
    if (!bOk)
        m_NutzlastKurve.SetGueltig(false);
}

double CFahrzeug::GetGesamtlaenge(bool)
{
    return 0.0;
}
