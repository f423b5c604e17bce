// The loading plan's display options over the plan's display blocks.
#include "model/plan/CPlanAnzeige.h"

#include "model/plan/CQOR.h"

#include <cmath>

namespace {

// Bytes of display block A's first flag group.
enum Flag : int
{
    kKonflikt = 0,
    kSchwerpunkt = 1,
    kRichtung = 2,
    kZulBereich = 3,
    kBereichFarbig = 4,
    kRaster = 5,
    kNurUmrisse = 6,
};

// Bytes of display block A's second flag group.
enum Flag2 : int
{
    kLadungen = 0,
    kBeschriftung = 1,
};

constexpr double kMinRaster = 0.1;

} // namespace

bool CPlanAnzeige::GetAnzeigeBeiKonflikt() const
{
    return m_plan.m_AnzeigeA.bFlags[kKonflikt] != 0;
}
void CPlanAnzeige::SetAnzeigeBeiKonflikt(bool b)
{
    if (m_pSchreibbar)
        m_pSchreibbar->m_AnzeigeA.bFlags[kKonflikt] = b ? 1 : 0;
}
bool CPlanAnzeige::GetSchwerpunktZeigen() const
{
    return m_plan.m_AnzeigeA.bFlags[kSchwerpunkt] != 0;
}
void CPlanAnzeige::SetSchwerpunktZeigen(bool b)
{
    if (m_pSchreibbar)
        m_pSchreibbar->m_AnzeigeA.bFlags[kSchwerpunkt] = b ? 1 : 0;
}
bool CPlanAnzeige::GetRichtungZeigen() const
{
    return m_plan.m_AnzeigeA.bFlags[kRichtung] != 0;
}
void CPlanAnzeige::SetRichtungZeigen(bool b)
{
    if (m_pSchreibbar)
        m_pSchreibbar->m_AnzeigeA.bFlags[kRichtung] = b ? 1 : 0;
}
bool CPlanAnzeige::GetZulBereich() const
{
    return m_plan.m_AnzeigeA.bFlags[kZulBereich] != 0;
}
void CPlanAnzeige::SetZulBereich(bool b)
{
    if (m_pSchreibbar)
        m_pSchreibbar->m_AnzeigeA.bFlags[kZulBereich] = b ? 1 : 0;
}
bool CPlanAnzeige::GetBereichFarbig() const
{
    return m_plan.m_AnzeigeA.bFlags[kBereichFarbig] != 0;
}
void CPlanAnzeige::SetBereichFarbig(bool b)
{
    if (m_pSchreibbar)
        m_pSchreibbar->m_AnzeigeA.bFlags[kBereichFarbig] = b ? 1 : 0;
}
bool CPlanAnzeige::GetRasterZeigen() const
{
    return m_plan.m_AnzeigeA.bFlags[kRaster] != 0;
}
void CPlanAnzeige::SetRasterZeigen(bool b)
{
    if (m_pSchreibbar)
        m_pSchreibbar->m_AnzeigeA.bFlags[kRaster] = b ? 1 : 0;
}
bool CPlanAnzeige::GetNurUmrisse() const
{
    return m_plan.m_AnzeigeA.bFlags[kNurUmrisse] != 0;
}
void CPlanAnzeige::SetNurUmrisse(bool b)
{
    if (m_pSchreibbar)
        m_pSchreibbar->m_AnzeigeA.bFlags[kNurUmrisse] = b ? 1 : 0;
}

int CPlanAnzeige::GetRasterSeite() const
{
    return m_plan.m_AnzeigeA.nWert == 2 ? 2 : 0;
}
void CPlanAnzeige::SetRasterSeite(int n)
{
    if (m_pSchreibbar)
        m_pSchreibbar->m_AnzeigeA.nWert = n == 2 ? 2 : 0;
}

double CPlanAnzeige::GetRasterX() const
{
    const double d = m_plan.m_AnzeigeA.dWert1;
    return std::isfinite(d) && d > 0.0 ? d : kMinRaster;
}
void CPlanAnzeige::SetRasterX(double d)
{
    if (m_pSchreibbar)
        m_pSchreibbar->m_AnzeigeA.dWert1 = d;
}
double CPlanAnzeige::GetRasterY() const
{
    const double d = m_plan.m_AnzeigeA.dWert2;
    return std::isfinite(d) && d > 0.0 ? d : kMinRaster;
}
void CPlanAnzeige::SetRasterY(double d)
{
    if (m_pSchreibbar)
        m_pSchreibbar->m_AnzeigeA.dWert2 = d;
}

bool CPlanAnzeige::GetLadungenZeigen() const
{
    return m_plan.m_AnzeigeA.bFlags2[kLadungen] != 0;
}
void CPlanAnzeige::SetLadungenZeigen(bool b)
{
    if (m_pSchreibbar)
        m_pSchreibbar->m_AnzeigeA.bFlags2[kLadungen] = b ? 1 : 0;
}
bool CPlanAnzeige::GetRasterBeschriftung() const
{
    return m_plan.m_AnzeigeA.bFlags2[kBeschriftung] != 0;
}
void CPlanAnzeige::SetRasterBeschriftung(bool b)
{
    if (m_pSchreibbar)
        m_pSchreibbar->m_AnzeigeA.bFlags2[kBeschriftung] = b ? 1 : 0;
}

double CPlanAnzeige::GetZoom() const
{
    const double d = m_plan.m_AnzeigeB.dWert1;
    return std::isfinite(d) && d >= kMinZoom && d <= kMaxZoom ? d : kStandardZoom;
}
void CPlanAnzeige::SetZoom(double d)
{
    if (m_pSchreibbar)
        m_pSchreibbar->m_AnzeigeB.dWert1 = d;
}
