// The vehicle classes as persistent objects: the vehicle record of the first file version.
#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"
#include "model/plan/SLadung.h"
#include "model/vehicle/CAnhaenger.h"
#include "model/vehicle/CAuflieger.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CSattelzugmaschine.h"
#include "model/vehicle/CStarrdeichsel.h"
#include "model/vehicle/CZugmaschine.h"
#include "model/vehicle/CZusLast.h"

QOR_IMPLEMENT_SERIAL(CFahrzeug, 1, false)
QOR_IMPLEMENT_SERIAL(CZugmaschine, 1, false)
QOR_IMPLEMENT_SERIAL(CSattelzugmaschine, 1, false)
QOR_IMPLEMENT_SERIAL(CStarrdeichsel, 1, false)
QOR_IMPLEMENT_SERIAL(CAnhaenger, 1, false)
QOR_IMPLEMENT_SERIAL(CAuflieger, 1, false)

namespace {

template <class T> void WriteList(ArchiveWriter& ar, const std::list<std::unique_ptr<T>>& list)
{
    ar.WriteCount(list.size());
    for (const auto& p : list)
        ar.WriteObject(p.get());
}

// Reads the whole list before it replaces the old one, so a failure leaves the vehicle's list whole.
template <class T> void ReadList(ArchiveReader& ar, std::list<std::unique_ptr<T>>& list)
{
    std::vector<std::unique_ptr<T>> neu;
    ar.ReadObjectList(neu);
    list.clear();
    for (auto& p : neu)
        list.push_back(std::move(p));
}

void WriteAchse(ArchiveWriter& ar, const SAchse& a)
{
    ar.WriteDouble(a.dAbstand);
    ar.WriteDouble(a.dLeerlast);
    ar.WriteDouble(a.dZulLast);
}

void ReadAchse(ArchiveReader& ar, SAchse& a)
{
    a.dAbstand = ar.ReadDouble();
    a.dLeerlast = ar.ReadDouble();
    a.dZulLast = ar.ReadDouble();
}

} // namespace

void CFahrzeug::Write(ArchiveWriter& ar) const
{
    ar.WriteString(m_strName);
    ar.WriteInt(m_nArt);
    ar.WriteInt(m_nAchsanzahl);
    ar.WriteDouble(m_dLeergewicht);
    ar.WriteDouble(m_dZulGesamtgewicht);
    ar.WriteDouble(m_dLFLaenge);
    WriteAchse(ar, m_Achsen[0]);
    ar.WriteString(m_strBemerkung);
    ar.WriteInt(static_cast<std::int32_t>(m_nMinAnteilVorn));
    ar.WriteInt(static_cast<std::int32_t>(m_nMinAnteilHinten));
    for (int i = 1; i <= 3; ++i)
        WriteAchse(ar, m_Achsen[i]);
    WriteList(ar, m_ZusLasten);
    WriteList(ar, m_Ladungen);
    ar.WriteString(m_strReserveTexte[0]);
    ar.WriteString(m_strReserveTexte[1]);
}

void CFahrzeug::Read(ArchiveReader& ar, unsigned)
{
    m_strName = ar.ReadString();
    m_nArt = ar.ReadInt();
    m_nAchsanzahl = ar.ReadInt();
    m_dLeergewicht = ar.ReadDouble();
    m_dZulGesamtgewicht = ar.ReadDouble();
    m_dLFLaenge = ar.ReadDouble();
    ReadAchse(ar, m_Achsen[0]);
    m_strBemerkung = ar.ReadString();
    m_nMinAnteilVorn = static_cast<unsigned int>(ar.ReadInt());
    m_nMinAnteilHinten = static_cast<unsigned int>(ar.ReadInt());
    for (int i = 1; i <= 3; ++i)
        ReadAchse(ar, m_Achsen[i]);
    ReadList(ar, m_ZusLasten);
    ReadList(ar, m_Ladungen);
    m_strReserveTexte[0] = ar.ReadString();
    m_strReserveTexte[1] = ar.ReadString();
}

void CAuflieger::Write(ArchiveWriter& ar) const
{
    CFahrzeug::Write(ar);
    for (int i : {0, 1, 2})
        ar.WriteDouble(m_dAufliegerWert[i]);
    ar.WriteInt(m_nAufliegerInt[1]);
    for (int i : {4, 3, 5})
        ar.WriteDouble(m_dAufliegerWert[i]);
    ar.WriteInt(m_nAufliegerInt[0]);
}

void CAuflieger::Read(ArchiveReader& ar, unsigned schema)
{
    CFahrzeug::Read(ar, schema);
    for (int i : {0, 1, 2})
        m_dAufliegerWert[i] = ar.ReadDouble();
    m_nAufliegerInt[1] = ar.ReadInt();
    for (int i : {4, 3, 5})
        m_dAufliegerWert[i] = ar.ReadDouble();
    m_nAufliegerInt[0] = ar.ReadInt();
}
