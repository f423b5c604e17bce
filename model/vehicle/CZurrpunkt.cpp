// Lashing points: derived positions, names and the archive layout.
#include "model/vehicle/CZurrpunkt.h"

#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"
#include "model/text/TextFormat.h"
#include "model/vehicle/CZurrschiene.h"

#include <cstdio>

QOR_IMPLEMENT_SERIAL(CZurrpunkt, 2, true)

namespace {

std::string Text(std::uint32_t id)
{
    return FormatS("$S", 1, id);
}

std::string Zweistellig(int n)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02i", n);
    return buf;
}

} // namespace

std::string FormatZurrpunktName(bool bFront, bool bLinks, int nNr)
{
    return (bFront ? Text(389) : std::string()) + Text(bLinks ? 392 : 391) + Zweistellig(nNr);
}

CZurrpunkt::CZurrpunkt(double dLaenge, double dBreite)
    : m_nFlags(0), m_dBezugsLaenge(dLaenge), m_dBezugsBreite(dBreite), m_nReserveNummer(1)
{
}

void CZurrpunkt::Write(ArchiveWriter& ar) const
{
    ar.WriteInt(m_nFlags);
    ar.WriteDouble(m_dAbstandLaengs);
    ar.WriteDouble(m_dAbstandQuer);
    ar.WriteDouble(m_dHoehe);
    ar.WriteDouble(m_dZulKraft);
    ar.WriteDouble(m_dSchienenKraft);
}

void CZurrpunkt::Read(ArchiveReader& ar, unsigned schema)
{
    m_nFlags = ar.ReadInt();
    m_dAbstandLaengs = ar.ReadDouble();
    m_dAbstandQuer = ar.ReadDouble();
    m_dHoehe = ar.ReadDouble();
    m_dZulKraft = ar.ReadDouble();
    m_dSchienenKraft = schema >= 2 ? ar.ReadDouble() : 0.0;
    m_bPosGueltig = 0;
}

void CZurrpunkt::SetBezugsmasse(double dLaenge, double dBreite)
{
    m_dBezugsLaenge = dLaenge;
    m_dBezugsBreite = dBreite;
    m_bPosGueltig = 0;
}

void CZurrpunkt::CalcPositionen()
{
    m_dPosX = (m_nFlags & kVonVorn) ? m_dAbstandLaengs : m_dBezugsLaenge - m_dAbstandLaengs;
    m_dPosY = (m_nFlags & kLinks) ? m_dBezugsBreite - m_dAbstandQuer : m_dAbstandQuer;
    if (m_nFlags & kVorn)
        m_dMittenAbstand = m_dBezugsBreite * 0.5 - m_dAbstandQuer;
    m_bPosGueltig = 1;
}

double CZurrpunkt::GetPosX()
{
    if (!m_bPosGueltig)
        CalcPositionen();
    return m_dPosX;
}

double CZurrpunkt::GetPosY()
{
    if (!m_bPosGueltig)
        CalcPositionen();
    return m_dPosY;
}

double CZurrpunkt::GetMittenAbstand()
{
    if (!m_bPosGueltig)
        CalcPositionen();
    return m_dMittenAbstand;
}

double CZurrpunkt::GetSeitenAbstand(double dBreite) const
{
    if (m_nFlags == 0)
        return m_dAbstandLaengs;
    if (m_nFlags == kLinks)
        return dBreite - m_dAbstandLaengs;
    return -1.0;
}

void CZurrpunkt::SetZurrschiene(CZurrschiene* p)
{
    m_pZurrschiene = p;
    if (p)
        m_nFlags |= kAnSchiene;
    else
        m_nFlags &= ~kAnSchiene;
}

double CZurrpunkt::GetSchienenDaN() const
{
    return m_pZurrschiene ? static_cast<double>(m_pZurrschiene->m_nZulKraft) : m_dSchienenKraft;
}

std::string CZurrpunkt::GetName() const
{
    std::string prefix = (m_nFlags & kVorn) ? Text(389) : std::string();
    prefix += Text((m_nFlags & kLinks) ? 392 : 391);
    return prefix + Zweistellig(m_nNummer);
}

std::string CZurrpunkt::GetLabel() const
{
    return FormatZurrpunktName((m_nFlags & kVorn) != 0, (m_nFlags & kLinks) != 0, m_nNummer);
}
