// Placement of loads on the loading plan: grid rectangles, collision resolution and the commits.
#include "model/plan/CPlanPlatzierung.h"

#include "model/base/tbMatrix.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/SchwerpunktVersatz.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Centimetres of a typed value: a nanometre is added so that a value typed as a whole centimetre, stored
// a hair below it, counts as that centimetre.
int EingabeZentimeter(double v)
{
    return static_cast<int>(std::floor((v + 1e-9) * 100.0));
}

PlanGridRect Geordnet(int l, int t, int r, int b)
{
    return {std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b)};
}

// Turns `v` about the z axis by `fWinkel` with the 3D maths' matrix, in 4-byte reals as the 3D side
// turns the same points. z stays out of the product (a NaN height would spoil x and y).
void DreheZ(float fWinkel, tbVector3& v)
{
    const tbVector3 r = tbVector3TransformCoords({v.x, v.y, 0.0f}, tbMatrixRotationZ(fWinkel));
    v.x = r.x;
    v.y = r.y;
}

struct Kandidat
{
    long long nSchluessel;
    int cx;
    int cy;
};

struct EingabeKandidat
{
    double dAbstand;
    int x;
    int y;
};

// Metres of the allowed area of `f` (the usable area, widened by the permitted overhangs).
void ErlaubteFlaeche(const CFahrzeug& f, double* xmin, double* ymin, double* xmax, double* ymax)
{
    const double L = f.GetLFLaenge();
    const double W = f.GetLFBreite();
    const double mF = f.GetRandabstand(0), mA = f.GetRandabstand(1), mR = f.GetRandabstand(2),
                 mB = f.GetRandabstand(3);
    const double oF = f.m_Ueberstand.m_dWert[0], oR = f.m_Ueberstand.m_dWert[1],
                 oB = f.m_Ueberstand.m_dWert[2], oA = f.m_Ueberstand.m_dWert[3];
    *xmin = oF != 0.0 ? -(mF + oF) : 0.0;
    *ymin = oA != 0.0 ? -(mA + oA) : 0.0;
    *xmax = L - mF - mR;
    if (oR != 0.0)
        *xmax += mR + oR;
    *ymax = W - mA - mB;
    if (oB != 0.0)
        *ymax += mB + oB;
}

} // namespace

void CPlanPlatzierung::SetPlan(CQOR* pPlan)
{
    m_pPlan = pPlan;
    m_pAuswahl = nullptr;
    m_ZiehRects.clear();
    m_FestRects.clear();
    m_GruppenRects.clear();
    m_GruppenStartRects.clear();
}

CFahrzeug* CPlanPlatzierung::GetFahrzeug() const
{
    return m_pPlan ? m_pPlan->GetFahrzeug() : nullptr;
}

tagPlatzRect CPlanPlatzierung::PlanToClientRect(double x, double y, double dx, double dy)
{
    tagPlatzRect r;
    static_cast<PlanGridRect&>(r) = PlanToGridRect(x, y, dx, dy);
    return r;
}

tagPlatzRect CPlanPlatzierung::PlanToClientRect(tagLGINFO* pLg)
{
    tagPlatzRect r = PlanToClientRect(pLg->m_dPosX, pLg->m_dPosY, pLg->GetDimX(), pLg->GetDimY());
    r.pLg = pLg;
    r.nRotation = pLg->m_nDrehung;
    return r;
}

PlanGridRect CPlanPlatzierung::GetErlaubteFlaeche() const
{
    const CFahrzeug* f = GetFahrzeug();
    if (!f)
        return {};
    double xmin, ymin, xmax, ymax;
    ErlaubteFlaeche(*f, &xmin, &ymin, &xmax, &ymax);
    return PlanToGridRect(xmin, ymin, xmax - xmin, ymax - ymin);
}

void CPlanPlatzierung::FillRandStreifen(const PlanGridRect& a, int d, tagPlatzRect out[4])
{
    const PlanGridRect s[4] = {{a.left - d, a.top - d, a.right + d, a.top},
                               {a.right, a.top, a.right + d, a.bottom},
                               {a.left - d, a.bottom, a.right + d, a.bottom + d},
                               {a.left - d, a.top, a.left, a.bottom}};
    for (int i = 0; i < 4; ++i) {
        out[i] = tagPlatzRect{};
        static_cast<PlanGridRect&>(out[i]) = s[i];
    }
}

bool CPlanPlatzierung::IsBewegt(const tagLGINFO* p, bool bAuswahl) const
{
    return bAuswahl ? p->m_bSelected != 0 : p == m_pAuswahl;
}

void CPlanPlatzierung::FillFestRects()
{
    m_FestRects.clear();
    if (!m_pPlan)
        return;
    m_FestRects.resize(4);
    FillRandStreifen(GetErlaubteFlaeche(), kStreifen, m_FestRects.data());
    const bool bAuswahl = m_pPlan->CountSelectedLgInfo(true) > 0;
    for (tagLGINFO* p : m_pPlan->GetLgInfos())
        if (!IsBewegt(p, bAuswahl))
            m_FestRects.push_back(PlanToClientRect(p));
}

void CPlanPlatzierung::FillZiehRects()
{
    m_ZiehRects.clear();
    if (!m_pPlan)
        return;
    const bool bAuswahl = m_pPlan->CountSelectedLgInfo(true) > 0;
    for (tagLGINFO* p : m_pPlan->GetLgInfos())
        if (IsBewegt(p, bAuswahl))
            m_ZiehRects.push_back(PlanToClientRect(p));
}

bool CPlanPlatzierung::FillGruppenRects()
{
    m_GruppenStartRects.clear();
    m_GruppenRects.clear();
    if (!m_pPlan)
        return false;
    const bool bAuswahl = m_pPlan->CountSelectedLgInfo(true) > 0;
    for (tagLGINFO* p : m_pPlan->GetLgInfos())
        if (IsBewegt(p, bAuswahl))
            m_GruppenStartRects.push_back(PlanToClientRect(p));
    if (m_GruppenStartRects.empty())
        return false;
    m_GruppenRects = m_GruppenStartRects;
    GetAuswahlMittelpunkt(&m_dDrehMitteX, &m_dDrehMitteY);
    return true;
}

bool CPlanPlatzierung::HasKollision(int dx, int dy) const
{
    for (const tagPlatzRect& r : Bewegte()) {
        const PlanGridRect v = r.Verschoben(dx, dy);
        for (const tagPlatzRect& f : m_FestRects)
            if (IntersectGridRect(v, f))
                return true;
    }
    return false;
}

void CPlanPlatzierung::Ergebnis(int nStatus, int dx, int dy)
{
    m_nPlatzStatus = nStatus;
    m_nVersatz[0] = dx;
    m_nVersatz[1] = dy;
    m_dVersatzX = dx / 100.0;
    m_dVersatzY = dy / 100.0;
}

int CPlanPlatzierung::FindFreiePosition(int dx, int dy)
{
    std::set<int> kx{0}, ky{0};
    const size_t nFest = m_FestRects.size();
    for (const tagPlatzRect& r : Bewegte()) {
        const PlanGridRect v = r.Verschoben(dx, dy);
        if (!m_bAutoPlatzieren) {
            if (nFest >= 4) {
                if (IntersectGridRect(v, m_FestRects[0]))
                    ky.insert(m_FestRects[0].bottom - v.top);
                if (IntersectGridRect(v, m_FestRects[1]))
                    kx.insert(m_FestRects[1].left - v.right);
                if (IntersectGridRect(v, m_FestRects[2]))
                    ky.insert(m_FestRects[2].top - v.bottom);
                if (IntersectGridRect(v, m_FestRects[3]))
                    kx.insert(m_FestRects[3].right - v.left);
            }
            for (size_t i = 4; i < nFest; ++i) {
                const tagPlatzRect& f = m_FestRects[i];
                if (!IntersectGridRect(v, f))
                    continue;
                kx.insert(f.right - v.left);
                kx.insert(f.left - v.right);
                ky.insert(f.bottom - v.top);
                ky.insert(f.top - v.bottom);
            }
        } else {
            if (nFest >= 4) {
                ky.insert(m_FestRects[0].bottom - v.top);
                kx.insert(m_FestRects[3].right - v.left);
            }
            for (size_t i = 4; i < nFest; ++i) {
                kx.insert(m_FestRects[i].right - v.left);
                ky.insert(m_FestRects[i].bottom - v.top);
            }
        }
    }

    if (kx.size() <= 1 && ky.size() <= 1) {
        // Nothing touched (or, placing automatically, nothing to line up with): free unless the
        // requested place itself is taken.
        if (HasKollision(dx, dy))
            Ergebnis(kBlockiert, 0, 0);
        else
            Ergebnis(kFrei, dx, dy);
        return m_nPlatzStatus;
    }

    std::vector<Kandidat> kand;
    kand.reserve(kx.size() * ky.size());
    for (int cx : kx)
        for (int cy : ky)
            kand.push_back({static_cast<long long>(cx) * cx + static_cast<long long>(cy) * cy, cx, cy});
    std::stable_sort(kand.begin(), kand.end(),
                     [](const Kandidat& a, const Kandidat& b) { return a.nSchluessel < b.nSchluessel; });
    for (const Kandidat& k : kand) {
        if (k.cx == 0 && k.cy == 0)
            continue; // the requested place, known to collide
        if (!HasKollision(dx + k.cx, dy + k.cy)) {
            Ergebnis(kVerschoben, dx + k.cx, dy + k.cy);
            return m_nPlatzStatus;
        }
    }
    Ergebnis(kBlockiert, 0, 0);
    return m_nPlatzStatus;
}

int CPlanPlatzierung::GetCursorId() const
{
    switch (m_nPlatzStatus) {
    case kFrei:
        return m_bKopieren ? kCursorKopie : kCursorFrei;
    case kVerschoben:
        return kCursorVerschoben;
    default:
        return kCursorBlockiert;
    }
}

void CPlanPlatzierung::CommitVersatz()
{
    for (const tagPlatzRect& r : m_ZiehRects) {
        tagLGINFO* p = r.pLg;
        if (!p)
            continue;
        p->m_dPosX = std::floor((p->m_dPosX + m_dVersatzX) * 100.0 + 0.5) / 100.0;
        p->m_dPosY = std::floor((p->m_dPosY + m_dVersatzY) * 100.0 + 0.5) / 100.0;
    }
}

bool CPlanPlatzierung::VerschiebeAuswahl(int dx, int dy, bool bMitFsm, bool bNurVorhandene)
{
    if (!m_pPlan)
        return false;
    m_pPlan->SelectAssignedLgInfo(0, bNurVorhandene);
    if (!bMitFsm)
        m_pPlan->SelectAllFsm(0);
    if (m_pPlan->CountSelectedLgInfo(true) == 0)
        return false;

    m_bGruppenModus = false;
    FillZiehRects();
    FillFestRects();
    bool bBewegt = false;
    if (FindFreiePosition(dx, dy) != kBlockiert) {
        CommitVersatz();
        if (const int nId = m_ZiehRects.front().pLg->GetLeId())
            if (CLadeeinheit* pEinheit = m_pPlan->FindLadeeinheit(nId))
                pEinheit->CalcAbmessungen();
        m_pPlan->m_bModified = 1;
        m_nPlatzStatus = kFrei;
        bBewegt = true;
    }
    m_ZiehRects.clear();
    m_FestRects.clear();
    return bBewegt;
}

void CPlanPlatzierung::RotatePunkte(float cx, float cy, float fWinkel, int n, tbVector3* p)
{
    for (int i = 0; i < n; ++i) {
        tbVector3 v{p[i].x - cx, p[i].y - cy, p[i].z};
        DreheZ(fWinkel, v);
        p[i].x = v.x + cx;
        p[i].y = v.y + cy;
    }
}

void CPlanPlatzierung::RotateRect(float cx, float cy, float fWinkel, const PlanGridRect& r, Punkt out[4])
{
    tbVector3 v[4] = {{float(r.left), float(r.top), 0.0f},
                      {float(r.right), float(r.top), 0.0f},
                      {float(r.right), float(r.bottom), 0.0f},
                      {float(r.left), float(r.bottom), 0.0f}};
    RotatePunkte(cx, cy, fWinkel, 4, v);
    for (int i = 0; i < 4; ++i)
        out[i] = {static_cast<int>(std::floor(v[i].x + 0.5f)), static_cast<int>(std::floor(v[i].y + 0.5f))};
}

tagPlatzRect CPlanPlatzierung::DreheRect(const tagPlatzRect& r, int cx, int cy, int nGrad)
{
    const float fWinkel = static_cast<float>(nGrad) * 0.017453292f;
    Punkt p[4];
    RotateRect(static_cast<float>(cx), static_cast<float>(cy), fWinkel, r, p);
    tagPlatzRect n = r;
    int a = 0, b = 0;
    switch (nGrad) {
    case 90:
        a = 3, b = 1;
        n.nRotation += 90;
        break;
    case -90:
        a = 1, b = 3;
        n.nRotation -= 90;
        break;
    case 180:
    case -180:
        a = 2, b = 0;
        n.nRotation += 180;
        break;
    default:
        return r;
    }
    n.left = p[a].x;
    n.top = p[a].y;
    n.right = p[b].x;
    n.bottom = p[b].y;
    if (n.nRotation >= 360)
        n.nRotation -= 360;
    if (n.nRotation < 0)
        n.nRotation += 360;
    return n;
}

int CPlanPlatzierung::DreheGruppe(int q)
{
    q = ((q % 4) + 4) % 4;
    if (q == 0) {
        m_GruppenRects = m_GruppenStartRects;
        Ergebnis(kBlockiert, 0, 0);
        return m_nPlatzStatus;
    }
    const int cx = static_cast<int>(std::floor(m_dDrehMitteX * 100.0 + 1e-6));
    const int cy = static_cast<int>(std::floor(m_dDrehMitteY * 100.0 + 1e-6));
    const int nGrad = q == 1 ? 90 : q == 2 ? 180 : -90;
    m_GruppenRects.resize(m_GruppenStartRects.size());
    for (size_t i = 0; i < m_GruppenStartRects.size(); ++i)
        m_GruppenRects[i] = DreheRect(m_GruppenStartRects[i], cx, cy, nGrad);
    const bool bGruppe = m_bGruppenModus;
    m_bGruppenModus = true;
    FindFreiePosition(0, 0);
    m_bGruppenModus = bGruppe;
    return m_nPlatzStatus;
}

void CPlanPlatzierung::CommitGruppe()
{
    for (const tagPlatzRect& r : m_GruppenRects) {
        tagLGINFO* p = r.pLg;
        if (!p)
            continue;
        p->m_dPosX = (r.left + m_nVersatz[0]) / 100.0;
        p->m_dPosY = (r.top + m_nVersatz[1]) / 100.0;
        p->m_nDrehung = r.nRotation;
    }
}

bool CPlanPlatzierung::DreheAuswahl(int nGrad)
{
    if (!m_pPlan || (nGrad != 90 && nGrad != -90 && nGrad != 180 && nGrad != -180))
        return false;
    if (!FillGruppenRects())
        return false; // nothing selected and no current load
    m_bGruppenModus = true;
    FillFestRects();
    const int cx = static_cast<int>(std::floor(m_dDrehMitteX * 100.0 + 1e-6));
    const int cy = static_cast<int>(std::floor(m_dDrehMitteY * 100.0 + 1e-6));
    for (size_t i = 0; i < m_GruppenStartRects.size(); ++i)
        m_GruppenRects[i] = DreheRect(m_GruppenStartRects[i], cx, cy, nGrad);
    const bool bGedreht = FindFreiePosition(0, 0) != kBlockiert;
    if (bGedreht) {
        CommitGruppe();
        m_pPlan->m_bModified = 1;
        m_nPlatzStatus = kFrei;
    }
    m_GruppenRects.clear();
    m_GruppenStartRects.clear();
    m_FestRects.clear();
    m_bGruppenModus = false;
    return bGedreht;
}

bool CPlanPlatzierung::CalcMittelpunkt(tagLGINFO* const* pp, int n, double* x, double* y)
{
    if (!pp || n <= 0)
        return false;
    double sx = 0.0, sy = 0.0;
    for (int i = 0; i < n; ++i) {
        sx += pp[i]->m_dPosX + pp[i]->GetDimX() / 2.0;
        sy += pp[i]->m_dPosY + pp[i]->GetDimY() / 2.0;
    }
    if (x)
        *x = sx / n;
    if (y)
        *y = sy / n;
    return true;
}

bool CPlanPlatzierung::GetAuswahlMittelpunkt(double* x, double* y) const
{
    if (!m_pPlan)
        return false;
    std::vector<tagLGINFO*> loads;
    for (tagLGINFO* p : m_pPlan->GetLgInfos())
        if (p->m_bSelected)
            loads.push_back(p);
    if (loads.empty() && m_pAuswahl)
        loads.push_back(m_pAuswahl);
    return CalcMittelpunkt(loads.data(), static_cast<int>(loads.size()), x, y);
}

std::unique_ptr<tagLGINFO> CPlanPlatzierung::NeueLadung(const SLadungVorlage& item, int nRotation,
                                                        double dMasse)
{
    auto p = std::make_unique<tagLGINFO>();
    p->m_nStatus = 1;
    p->m_nIndex = -1;
    p->m_nTyp = item.nArt;
    p->m_strName = item.strName;
    p->m_dLaenge = item.dLaenge;
    p->m_dBreite = item.dBreite;
    p->m_dHoehe = item.dHoehe;
    p->m_dSPLaenge = item.dSPLaenge;
    p->m_dSPBreite = item.dSPBreite;
    p->m_dSPHoehe = item.dSPHoehe;
    p->m_dMasse = item.dMasse;
    // The item's text goes into both text fields of the load.
    p->m_strText = item.strText;
    p->m_strZusatzText = item.strText;
    p->m_strBildDatei = item.strBildDatei;
    p->m_strBildQuelle = item.strBildQuelle;
    p->m_nKatalog = -1;
    p->m_nDrehung = nRotation;
    p->m_dSPMasse = dMasse;
    p->m_dPosZ = 0.0;
    return p;
}

int CPlanPlatzierung::AddMultipleLadungen(const SLadungVorlage& item, int n, double dMasse, int nRotation)
{
    const CFahrzeug* f = GetFahrzeug();
    if (!f || n <= 0)
        return 0;
    m_bAutoPlatzieren = true;
    m_bGruppenModus = false;
    double xmin, ymin, xmax, ymax;
    ErlaubteFlaeche(*f, &xmin, &ymin, &xmax, &ymax);
    m_FestRects.assign(4, tagPlatzRect{});
    FillRandStreifen(GetErlaubteFlaeche(), kStreifen, m_FestRects.data());
    for (tagLGINFO* p : m_pPlan->GetLgInfos())
        m_FestRects.push_back(PlanToClientRect(p));

    std::vector<tagLGINFO*> neu;
    for (int i = 0; i < n; ++i) {
        std::unique_ptr<tagLGINFO> p = NeueLadung(item, nRotation, dMasse);
        // A load without extent (or turned by an angle that has none) has no place to stand.
        if (!(p->GetDimX() > 0.0 && p->GetDimY() > 0.0))
            break;
        p->m_dPosX = xmin - p->GetDimX() - 2.0;
        p->m_dPosY = ymin - p->GetDimY();
        m_ZiehRects.assign(1, PlanToClientRect(p.get()));
        if (FindFreiePosition(0, 0) == kBlockiert)
            break;
        p->m_dPosX = std::floor((m_dVersatzX + p->m_dPosX) * 100.0 + 0.5) / 100.0;
        p->m_dPosY = std::floor((m_dVersatzY + p->m_dPosY) * 100.0 + 0.5) / 100.0;
        tagLGINFO* pNeu = p.get();
        m_pPlan->AddLgInfo(std::move(p), false);
        neu.push_back(pNeu);
        m_FestRects.push_back(PlanToClientRect(pNeu));
    }
    m_ZiehRects.clear();
    m_FestRects.clear();

    if (!neu.empty()) {
        for (tagLGINFO* p : m_pPlan->GetLgInfos())
            p->m_bSelected = std::find(neu.begin(), neu.end(), p) != neu.end() ? 1 : 0;
        m_pPlan->m_pAktuell = nullptr;
        m_pAuswahl = nullptr;
        m_pPlan->m_bModified = 1;
        m_nPlatzStatus = kFrei;
    }
    m_bAutoPlatzieren = false;
    return static_cast<int>(neu.size());
}

void CPlanPlatzierung::GetRampenStartVersatz(const tagLGINFO& lg, int out[2])
{
    out[0] = 0;
    out[1] = -static_cast<int>(std::floor(lg.GetDimY() / 2.0)) * 100;
}

std::unique_ptr<tagLGINFO> CPlanPlatzierung::DragLadungFromRampe(const SLadungVorlage& item, double x,
                                                                 double y, int nRotation, double dMasse,
                                                                 bool bOhneKollision)
{
    if (!m_pPlan)
        return nullptr;
    m_bGruppenModus = false;
    m_bAutoPlatzieren = false;
    m_FestRects.assign(4, tagPlatzRect{});
    FillRandStreifen(GetErlaubteFlaeche(), kStreifen, m_FestRects.data());
    for (tagLGINFO* p : m_pPlan->GetLgInfos())
        m_FestRects.push_back(PlanToClientRect(p));
    std::unique_ptr<tagLGINFO> p = NeueLadung(item, nRotation, dMasse);
    p->m_dPosX = x;
    p->m_dPosY = y;
    m_ZiehRects.assign(1, PlanToClientRect(p.get()));
    if (!bOhneKollision) {
        int v[2];
        GetRampenStartVersatz(*p, v);
        FindFreiePosition(v);
    }
    return p;
}

bool CPlanPlatzierung::IsRectFrei(const PlanGridRect* p, int n, int x, int y, int cx, int cy)
{
    const PlanGridRect box{x, y, x + cx, y + cy};
    for (int i = 0; i < n; ++i)
        if (IntersectGridRect(box, p[i]))
            return false;
    return true;
}

int CPlanPlatzierung::FindFreieEingabePosition(double* x, double* y, const double* pDx, const double* pDy)
{
    const CFahrzeug* f = GetFahrzeug();
    if (!f || !x || !y || !pDx || !pDy)
        return kBlockiert;
    int l = EingabeZentimeter(*x);
    int t = EingabeZentimeter(*y);
    int r = l + EingabeZentimeter(*pDx);
    int b = t + EingabeZentimeter(*pDy);
    const PlanGridRect box = Geordnet(l, t, r, b);
    l = box.left, t = box.top, r = box.right, b = box.bottom;
    *x = l / 100.0 + 1e-15;
    *y = t / 100.0 + 1e-15;

    const double Lu = f->GetLFLaenge() - f->GetRandabstand(0) - f->GetRandabstand(2);
    const double Wu = f->GetLFBreite() - f->GetRandabstand(1) - f->GetRandabstand(3);
    double ax = 0.0, ay = 0.0, aw = Lu, ah = Wu;
    if (!m_bNurInnerhalb) {
        // Widened on every side by the box's own size; the plan's coordinates start at the usable
        // corner on both axes, so the widening starts at -extent on both.
        const double ex = (r - l) / 100.0, ey = (b - t) / 100.0;
        ax = -ex;
        ay = -ey;
        aw = Lu + 2.0 * ex;
        ah = Wu + 2.0 * ey;
    }
    const int al = EingabeZentimeter(ax), at = EingabeZentimeter(ay);
    const PlanGridRect area = Geordnet(al, at, al + EingabeZentimeter(aw), at + EingabeZentimeter(ah));

    std::vector<PlanGridRect> hind(4);
    {
        tagPlatzRect s[4];
        FillRandStreifen(area, kEingabeStreifen, s);
        for (int i = 0; i < 4; ++i)
            hind[i] = Geordnet(s[i].left, s[i].top, s[i].right, s[i].bottom);
    }
    // The obstacles are the loads of the plan itself, so that loads the view does not show count too.
    if (m_pPlan)
        for (const tagLGINFO* p : m_pPlan->GetLgInfos()) {
            if (p == m_pAuswahl)
                continue;
            const int ol = EingabeZentimeter(p->m_dPosX), ot = EingabeZentimeter(p->m_dPosY);
            hind.push_back(
                Geordnet(ol, ot, ol + EingabeZentimeter(p->GetDimX()), ot + EingabeZentimeter(p->GetDimY())));
        }

    m_mapKandX.clear();
    m_mapKandY.clear();
    for (const PlanGridRect& o : hind) {
        PlanGridRect i;
        if (!IntersectGridRect(box, o, &i))
            continue;
        const PlanGridRect u{std::min(box.left, o.left), std::min(box.top, o.top),
                             std::max(box.right, o.right), std::max(box.bottom, o.bottom)};
        if (u == o || u == box)
            return kBlockiert;
        if (o.left == i.left)
            m_mapKandX.insert(o.left);
        if (o.right == i.right)
            m_mapKandX.insert(o.right);
        if (o.top == i.top)
            m_mapKandY.insert(o.top);
        if (o.bottom == i.bottom)
            m_mapKandY.insert(o.bottom);
    }
    if (m_mapKandX.empty() && m_mapKandY.empty())
        return kFrei;

    m_mapKandX.insert(l);
    m_mapKandY.insert(t);
    m_mapKandX.erase(r);
    m_mapKandY.erase(b);
    std::vector<int> links, oben;
    for (int k : m_mapKandX) {
        links.push_back(k);
        links.push_back(k - (r - l));
    }
    links.push_back(r);
    for (int k : m_mapKandY) {
        oben.push_back(k);
        oben.push_back(k - (b - t));
    }
    oben.push_back(b);

    std::vector<EingabeKandidat> kand;
    kand.reserve(links.size() * oben.size());
    for (int lx : links)
        for (int ty : oben)
            kand.push_back({std::sqrt(double(lx - l) * (lx - l) + double(ty - t) * (ty - t)), lx, ty});
    std::stable_sort(kand.begin(), kand.end(), [](const EingabeKandidat& a, const EingabeKandidat& c) {
        return a.dAbstand < c.dAbstand;
    });
    for (const EingabeKandidat& k : kand)
        if (IsRectFrei(hind.data(), static_cast<int>(hind.size()), k.x, k.y, r - l, b - t)) {
            m_dFreiX = k.x / 100.0 + 1e-15;
            m_dFreiY = k.y / 100.0 + 1e-15;
            return kVerschoben;
        }
    return kBlockiert;
}

void CPlanPlatzierung::CalcZiehMomente()
{
    m_dMomentX = m_dMomentY = m_dMasseFest = 0.0;
    for (size_t i = 4; i < m_FestRects.size(); ++i) {
        const tagLGINFO* p = m_FestRects[i].pLg;
        if (!p)
            continue;
        double dx, dy;
        GetSchwerpunktVersatz(*p, p->m_nDrehung, &dx, &dy);
        m_dMomentX += p->m_dSPMasse * (p->m_dPosX + dx);
        m_dMomentY += p->m_dSPMasse * (p->m_dPosY + dy);
        m_dMasseFest += p->m_dSPMasse;
    }
    m_dMasseGesamt = m_dMasseFest;
    for (const tagPlatzRect& r : Bewegte())
        if (r.pLg)
            m_dMasseGesamt += r.pLg->m_dSPMasse;
    m_bLetztBlockiert = false;
    if (!m_pPlan)
        return;
    m_dGespeichertX = m_pPlan->m_dSchwerpunkt[0];
    m_dGespeichertY = m_pPlan->m_dSchwerpunkt[1];
    m_dGespeichertMasse = m_pPlan->m_dMasse;
    m_pPlan->m_dMasse = m_dMasseGesamt;
}

bool CPlanPlatzierung::UpdateZiehSchwerpunkt()
{
    const bool bBlockiert = m_nPlatzStatus == kBlockiert;
    if (m_pPlan) {
        if (bBlockiert) {
            RestoreSchwerpunkt();
        } else {
            double mx = m_dMomentX, my = m_dMomentY;
            for (const tagPlatzRect& r : Bewegte()) {
                const tagLGINFO* p = r.pLg;
                if (!p)
                    continue;
                // In a group the load stands where its rectangle was resolved, at the rectangle's rotation.
                const double x =
                    m_bGruppenModus ? (r.left + m_nVersatz[0]) / 100.0 : p->m_dPosX + m_dVersatzX;
                const double y = m_bGruppenModus ? (r.top + m_nVersatz[1]) / 100.0 : p->m_dPosY + m_dVersatzY;
                double dx, dy;
                GetSchwerpunktVersatz(*p, m_bGruppenModus ? r.nRotation : p->m_nDrehung, &dx, &dy);
                mx += p->m_dSPMasse * (x + dx);
                my += p->m_dSPMasse * (y + dy);
            }
            m_pPlan->m_dMasse = m_dMasseGesamt;
            m_pPlan->m_dSchwerpunkt[0] = m_dMasseGesamt != 0.0 ? mx / m_dMasseGesamt : 0.0;
            m_pPlan->m_dSchwerpunkt[1] = m_dMasseGesamt != 0.0 ? my / m_dMasseGesamt : 0.0;
        }
    }
    const bool bWechsel = bBlockiert != m_bLetztBlockiert;
    m_bLetztBlockiert = bBlockiert;
    return bWechsel;
}

void CPlanPlatzierung::RestoreSchwerpunkt()
{
    if (!m_pPlan)
        return;
    m_pPlan->m_dSchwerpunkt[0] = m_dGespeichertX;
    m_pPlan->m_dSchwerpunkt[1] = m_dGespeichertY;
    m_pPlan->m_dMasse = m_dGespeichertMasse;
}
