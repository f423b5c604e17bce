// The defect record of the load-securing check and its archive layouts.
#include "model/securing/CLgsMangel.h"

#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"
#include "model/plan/CAnschlagpunkt.h"
#include "model/plan/CLadeeinheit.h"
#include "model/text/HtmlText.h"
#include "model/text/TextFormat.h"
#include "model/vehicle/CZurrpunkt.h"

#include <cstdio>
#include <cstring>

QOR_IMPLEMENT_SERIAL(CLgsMangel, 2, true)

namespace {

void SetzeInt(std::uint8_t* p, std::int32_t v)
{
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(u >> (8 * i));
}

std::int32_t LiesInt(const std::uint8_t* p)
{
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i)
        u |= static_cast<std::uint32_t>(p[i]) << (8 * i);
    return static_cast<std::int32_t>(u);
}

std::uint64_t LiesMaske(const std::uint8_t* p)
{
    std::uint64_t u = 0;
    for (int i = 0; i < 8; ++i)
        u |= static_cast<std::uint64_t>(p[i]) << (8 * i);
    return u;
}

void SetzeMaske(std::uint8_t* p, std::uint64_t u)
{
    for (int i = 0; i < 8; ++i)
        p[i] = static_cast<std::uint8_t>(u >> (8 * i));
}

// Corner names, corners 0..3: front right, rear right, front left, rear left.
constexpr unsigned kEckText[4] = {597, 886, 887, 888};

std::string Eckname(int i)
{
    return FormatS("$S", 1, kEckText[i]);
}

// The set bits of a mask slot as " R%02i" (or " L%02i") each, in ascending order.
std::string MaskenListe(const std::uint8_t* pSlot, bool bLinks)
{
    std::string s;
    char buf[32];
    for (int n = 0; n < 64; ++n) {
        if (TestMaskenBit(pSlot, n) > 0) {
            std::snprintf(buf, sizeof buf, bLinks ? " L%02i" : " R%02i", n);
            s += buf;
        }
    }
    return s;
}

double Tausendstel(int n)
{
    return n / 1000.0;
}

} // namespace

void SetMaskenBit(std::uint8_t* pSlot, int n)
{
    if (!pSlot || n < 0 || n > 63)
        return;
    SetzeMaske(pSlot, LiesMaske(pSlot) | (std::uint64_t{1} << n));
}

int TestMaskenBit(const std::uint8_t* pSlot, int n)
{
    if (!pSlot || n < 0 || n > 63)
        return -1;
    return (LiesMaske(pSlot) >> n) & 1u ? 1 : 0;
}

CLgsMangel::CLgsMangel(int nCode, int nIndex, CLadeeinheit* pEinheit)
    : m_nCode(nCode), m_nIndex(nIndex), m_pEinheit(pEinheit)
{
}

void CLgsMangel::Write(ArchiveWriter& ar) const
{
    ar.WriteInt(m_nCode);
    ar.WriteInt(m_nIndex);
    ar.WriteString(m_strText);
    ar.WriteInt(32);
    ar.WriteBytes(m_abWerte, sizeof m_abWerte);
}

void CLgsMangel::Read(ArchiveReader& ar, unsigned schema)
{
    if (schema == 0)
        return;
    m_nCode = ar.ReadInt();
    m_nIndex = ar.ReadInt();
    m_strText = ar.ReadString();
    std::uint8_t* p = &m_abWerte[0][0];
    if (schema >= 2) {
        const std::size_t at = ar.Position();
        const std::int32_t n = ar.ReadInt();
        if (n < 0 || static_cast<std::size_t>(n) > ar.Remaining())
            ar.Fail(ArchiveError::Kind::Corrupt, at, "defect data longer than the file");
        for (std::int32_t i = 0; i < n; ++i) {
            const std::uint8_t b = ar.ReadByte();
            if (i < 32)
                p[i] = b;
        }
        return;
    }
    for (int i = 0; i < 4; ++i) {
        const std::uint32_t w = ar.ReadDword();
        SetzeInt(m_abWerte[i], static_cast<std::int32_t>((w & 0xFFFF) * 1000));
        SetzeInt(m_abWerte[i] + 4, static_cast<std::int32_t>((w >> 16) * 1000));
    }
}

int CLgsMangel::GetWert(int i) const
{
    if (i < 0 || i > 3)
        return -1;
    return LiesInt(m_abWerte[i]);
}

int CLgsMangel::GetHigh(int i) const
{
    if (i < 0 || i > 3)
        return -1;
    return LiesInt(m_abWerte[i] + 4);
}

std::uint8_t* CLgsMangel::GetWertPtr(int i)
{
    return i < 0 || i > 3 ? nullptr : m_abWerte[i];
}

const std::uint8_t* CLgsMangel::GetWertPtr(int i) const
{
    return i < 0 || i > 3 ? nullptr : m_abWerte[i];
}

void CLgsMangel::SetWert(int i, const void* p)
{
    if (i < 0 || i > 3 || !p)
        return;
    std::memcpy(m_abWerte[i], p, 8);
}

void CLgsMangel::SetPaar(int i, int nLow, int nHigh)
{
    if (i < 0 || i > 3)
        return;
    SetzeInt(m_abWerte[i], nLow);
    SetzeInt(m_abWerte[i] + 4, nHigh);
}

void CLgsMangel::SetDouble(int i, double d)
{
    SetWert(i, &d);
}

double CLgsMangel::GetDouble(int i) const
{
    double d = 0.0;
    if (i >= 0 && i <= 3)
        std::memcpy(&d, m_abWerte[i], 8);
    return d;
}

std::string CLgsMangel::GetText() const
{
    unsigned id = 69;
    switch (m_nCode) {
    case 1:
        id = 593;
        break;
    case 2:
        id = 606;
        break;
    case 3:
        id = 595;
        break;
    case 4:
        id = 594;
        break;
    case 6:
        id = 604;
        break;
    case 8:
        id = 619;
        break;
    case 9:
        // Made by the calculation when the securing cannot be assessed; it carries its own text.
        id = 4140;
        break;
    default:
        break;
    }
    return FormatS("$S", 1, id);
}

std::string CLgsMangel::GetHtml() const
{
    if (!m_strText.empty())
        return m_strText;
    switch (m_nCode) {
    case 1: {
        std::string liste;
        for (int i = 0; i < 4; ++i) {
            if (GetWert(i) == 0 && GetHigh(i) == 0)
                continue;
            const CZurrpunkt* p = m_pEinheit ? m_pEinheit->GetZurrpunkt(i, 0) : nullptr;
            const std::string label = p ? EscapeHtml(p->GetLabel()) : std::string();
            liste += FormatResChecked(
                909u, {EscapeHtml(Eckname(i)), Tausendstel(GetHigh(i)), label, Tausendstel(GetWert(i))});
        }
        return FormatResChecked(592u, {liste});
    }
    case 2: {
        std::string teile;
        const std::string rechts = MaskenListe(m_abWerte[0], false);
        const std::string links = MaskenListe(m_abWerte[1], true);
        if (!rechts.empty())
            teile += FormatResChecked(607u, {rechts});
        if (!links.empty())
            teile += FormatResChecked(891u, {links});
        return FormatResChecked(605u, {teile});
    }
    case 3:
        return FormatResChecked(885u, {GetWert(0), GetWert(1), GetWert(2), GetWert(3)});
    case 4:
        return FormatResChecked(590u, {GetWert(0), GetWert(1)});
    case 5:
        return FormatS("$S", 1, 585u);
    case 6: {
        std::string liste;
        double dLC = 0.0;
        for (int i = 0; i < 4; ++i) {
            if (GetWert(i) == 0 && GetHigh(i) == 0)
                continue;
            dLC = Tausendstel(GetWert(i));
            liste += FormatResChecked(890u, {EscapeHtml(Eckname(i)), Tausendstel(GetHigh(i))});
        }
        return FormatResChecked(603u, {dLC, liste});
    }
    case 7:
        return FormatS("$S", 1, 588u);
    case 8: {
        std::string liste = "<ul>";
        if (GetWert(0) == 1)
            liste += "<li>" + FormatS("$S", 1, 377u) + "</li>";
        if (GetWert(1) == 1)
            liste += "<li>" + FormatS("$S", 1, 376u) + "</li>";
        liste += "</ul>";
        return FormatResChecked(620u, {GetDouble(2), liste});
    }
    default:
        return FormatS("$S", 1, 69u);
    }
}
