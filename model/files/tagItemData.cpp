// The catalogue item record, its file layout and the conversion of older layouts.
#include "model/files/tagItemData.h"

#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"
#include "model/files/LadungGrenzen.h"

QOR_IMPLEMENT_SERIAL(tagItemData, 8, true)

namespace {

// The schema taken for files without a class record.
constexpr unsigned kHeaderlessSchema = 4;
// The kinds a record may hold: -1 (none yet) and the load-unit type codes 0 to 12.
constexpr int kKindNone = -1;
constexpr int kLargestKind = 12;

bool KnownKind(int kind)
{
    return kind >= kKindNone && kind <= kLargestKind;
}

// Every size, centre-of-gravity distance and the mass is one a load can have (LadungGrenzen).
bool PlausibleValues(const tagItemData& item)
{
    for (double d : {item.m_dLaenge, item.m_dBreite, item.m_dHoehe, item.m_dSPLaenge, item.m_dSPBreite,
                     item.m_dSPHoehe, item.m_dMasse})
        if (!LadungGrenzen::DateiWertGueltig(d))
            return false;
    return true;
}

} // namespace

tagItemData& tagItemData::operator=(const tagItemData& other)
{
    if (this == &other)
        return *this;
    CopyFields(other);
    m_pBild = other.m_pBild ? other.m_pBild->Clone() : nullptr;
    return *this;
}

void tagItemData::CopyFields(const tagItemData& o)
{
    m_nNummer = o.m_nNummer;
    m_nArt = o.m_nArt;
    m_dLaenge = o.m_dLaenge;
    m_dBreite = o.m_dBreite;
    m_dHoehe = o.m_dHoehe;
    m_dSPLaenge = o.m_dSPLaenge;
    m_dSPBreite = o.m_dSPBreite;
    m_dSPHoehe = o.m_dSPHoehe;
    m_dMasse = o.m_dMasse;
    m_strText = o.m_strText;
    m_strName = o.m_strName;
    m_bFlag = o.m_bFlag;
    m_strPfad = o.m_strPfad;
    m_strBildDatei = o.m_strBildDatei;
    m_strBildQuelle = o.m_strBildQuelle;
}

void tagItemData::Write(ArchiveWriter& ar) const
{
    ar.WriteInt(m_nNummer);
    ar.WriteInt(m_nArt);
    for (double d : {m_dLaenge, m_dBreite, m_dHoehe, m_dSPLaenge, m_dSPBreite, m_dSPHoehe, m_dMasse})
        ar.WriteDouble(d);
    ar.WriteString(m_strText);
    ar.WriteString(m_strName);
    ar.WriteBool(m_bFlag);
    ar.WriteString(m_strPfad);
    ar.WriteString(m_strBildDatei);
    ar.WriteString(m_strBildQuelle);
}

std::uint8_t tagItemData::ReadFields(ArchiveReader& ar, unsigned schema)
{
    m_nNummer = ar.ReadInt();
    m_nArt = ar.ReadInt();
    for (double* d : {&m_dLaenge, &m_dBreite, &m_dHoehe, &m_dSPLaenge, &m_dSPBreite, &m_dSPHoehe, &m_dMasse})
        *d = ar.ReadDouble();
    m_strText = ar.ReadString();
    m_strName = ar.ReadString();
    const std::uint8_t flag = ar.ReadByte();
    m_bFlag = flag != 0;
    m_strPfad = ar.ReadString();
    if (schema >= 7) {
        m_strBildDatei = ar.ReadString();
        m_strBildQuelle = ar.ReadString();
    }
    return flag;
}

bool tagItemData::ConvertOlderLayout(unsigned schema)
{
    bool resave = false;
    if (schema == 7 && !m_strBildDatei.empty()) {
        // Schema 7 stored the picture's path; the field now holds the bare name in the picture folder.
        const auto cut = m_strBildDatei.find_last_of("\\/");
        if (cut != std::string::npos)
            m_strBildDatei.erase(0, cut + 1);
        resave = true;
    }
    if (schema < 6) {
        switch (m_nArt) {
        case 1:
            m_nArt = 2;
            break;
        case 2:
            m_nArt = 4;
            break;
        case 4:
            m_nArt = 1;
            break;
        default:
            break;
        }
        resave = true;
    }
    return resave;
}

void tagItemData::Read(ArchiveReader& ar, unsigned schema)
{
    ReadFields(ar, schema);
    if (ConvertOlderLayout(schema))
        ar.MarkNeedsRewriting();
}

std::vector<std::uint8_t> tagItemData::Store() const
{
    ArchiveWriter ar;
    ar.WriteClass(classInfo);
    Write(ar);
    return ar.TakeData();
}

LoadAnswer tagItemData::Load(std::span<const std::uint8_t> file, const std::string& source)
{
    tagItemData read;
    unsigned schema = 0;
    bool headerless = false;
    {
        ArchiveReader ar(file, source);
        try {
            ar.ReadClass(&classInfo, &schema);
        } catch (const ArchiveError&) {
            headerless = true;
        }
        if (!headerless) {
            read.ReadFields(ar, schema);
            if (!KnownKind(read.m_nArt))
                ar.Fail(ArchiveError::Kind::Corrupt, 0,
                        "catalogue item of unknown kind " + std::to_string(read.m_nArt));
            // Taken in, a size of 1e305 m or a mass that is not a number would reach the plan, its
            // calculations and the 3D view.
            if (!PlausibleValues(read))
                ar.Fail(ArchiveError::Kind::Corrupt, 0,
                        "catalogue item with a size or mass that no load can have");
            // Bytes after the end are damage: a file that took them in would lose them on its next save.
            if (!ar.AtEnd())
                ar.Fail(ArchiveError::Kind::Corrupt, ar.Position(),
                        "data after the end of the catalogue item");
        }
    }
    if (headerless) {
        // Files of the oldest layouts begin directly with the fields. A file that is neither (damaged,
        // or another kind of file with this extension) must not be taken for one and overwritten.
        ArchiveReader ar(file, source);
        schema = kHeaderlessSchema;
        const std::uint8_t flag = read.ReadFields(ar, schema);
        const bool plausible = ar.AtEnd() && flag <= 1 && KnownKind(read.m_nArt) && PlausibleValues(read);
        if (!plausible)
            ar.Fail(ArchiveError::Kind::Corrupt, 0,
                    "neither a catalogue item nor a catalogue item of the oldest layout");
    }
    CopyFields(read);
    return ConvertOlderLayout(schema) ? LoadAnswer::NeedsRewriting : LoadAnswer::Current;
}

double tagItemData::GetLaengeGedreht(int rotation) const
{
    if (rotation == 0 || rotation == 180)
        return m_dLaenge;
    if (rotation == 90 || rotation == 270)
        return m_dBreite;
    return -1.0;
}

double tagItemData::GetBreiteGedreht(int rotation) const
{
    if (rotation == 0 || rotation == 180)
        return m_dBreite;
    if (rotation == 90 || rotation == 270)
        return m_dLaenge;
    return -1.0;
}
