// The root of a vehicle or combination file.
#include "model/files/CImpExp.h"

#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"
#include "model/files/CImpExpException.h"
#include "model/text/TextFormat.h"
#include "model/vehicle/CFahrzeug.h"

QOR_IMPLEMENT_SERIAL(CImpExp, 6, true)

void CImpExp::Write(ArchiveWriter& ar) const
{
    ar.WriteString(m_strVorTitel);
    ar.WriteString(m_strTitel);
    ar.WriteString(m_strNachTitel);
    ar.WriteString(m_strFahrzeug);
    ar.WriteString(m_strArt);
    ar.WriteInt(m_nWert);
    ar.WriteObjectList(m_Verzeichnis);
    ar.WriteObjectList(m_Records);
}

void CImpExp::Read(ArchiveReader& ar, unsigned schema)
{
    m_nSchema = schema;
    if (schema > kSchema)
        ar.Fail(ArchiveError::Kind::BadSchema, ar.Position(),
                "vehicle file root stored with schema " + std::to_string(schema) +
                    ", newer than this program reads");
    m_strVorTitel = ar.ReadString();
    m_strTitel = ar.ReadString();
    m_strNachTitel = ar.ReadString();
    m_strFahrzeug = ar.ReadString();
    m_strArt = ar.ReadString();
    if (schema == kSchema) {
        m_nWert = ar.ReadInt();
        ar.ReadObjectList(m_Verzeichnis);
        ar.ReadObjectList(m_Records);
        return;
    }
    m_nWert = 0;
    ar.ReadObjectList(m_Records);
    if (!m_Records.empty()) {
        const SIMPEXP_FZG& first = *m_Records.front();
        auto entry = std::make_unique<SFileFhzgInfo>();
        entry->m_strName = first.m_strName;
        entry->m_nIndex = 0;
        entry->m_nTyp = first.GetFahrzeugTyp();
        m_Verzeichnis.push_back(std::move(entry));
    }
}

std::vector<std::uint8_t> CImpExp::Store() const
{
    ArchiveWriter ar;
    ar.WriteClass(classInfo);
    Write(ar);
    return ar.TakeData();
}

LoadAnswer CImpExp::Load(std::span<const std::uint8_t> file, const std::string& source)
{
    unsigned schema = 0;
    {
        ArchiveReader ar(file, source);
        bool root = false;
        try {
            ar.ReadClass(&classInfo, &schema);
            root = true;
        } catch (const ArchiveError&) {
        }
        if (root) {
            if (schema > kSchema)
                throw CImpExpException(FormatResChecked(373u, {static_cast<int>(schema)}),
                                       static_cast<int>(schema));
            Read(ar, schema);
            // Bytes after the end are damage: a file that took them in would lose them on its next save.
            if (!ar.AtEnd())
                ar.Fail(ArchiveError::Kind::Corrupt, ar.Position(), "data after the end of the vehicle file");
            return ar.Answer();
        }
    }
    // No root record: the version-1 format, one vehicle object. The class is checked before the object
    // is read, so an object of another class (a catalogue item, whose reader asks for a re-save) is
    // refused as a bad class.
    ArchiveReader ar(file, source);
    const std::size_t at = ar.Position();
    std::unique_ptr<CFahrzeug> fahrzeug = ar.ReadOwnedObject<CFahrzeug>();
    if (!fahrzeug)
        ar.Fail(ArchiveError::Kind::BadClass, at, "the file holds neither a vehicle file root nor a vehicle");
    throw CImpExpException("Version 1 detected.", 1, std::shared_ptr<CFahrzeug>(std::move(fahrzeug)));
}

SIMPEXP_FZG* CImpExp::GetFahrzeugRecord(int index, int* pPos, std::string* pName) const
{
    if (m_nSchema < kSchema) {
        if (pName)
            pName->clear();
        if (m_Records.empty())
            return nullptr;
        if (pPos)
            *pPos = 0;
        return m_Records.front().get();
    }
    if (m_nSchema != kSchema || index < 0 || static_cast<std::size_t>(index) >= m_Verzeichnis.size())
        return nullptr;
    const SFileFhzgInfo& entry = *m_Verzeichnis[static_cast<std::size_t>(index)];
    if (entry.m_nIndex < 0 || static_cast<std::size_t>(entry.m_nIndex) >= m_Records.size())
        return nullptr;
    if (pName)
        *pName = entry.m_strTitel;
    if (pPos)
        *pPos = entry.m_nIndex;
    return m_Records[static_cast<std::size_t>(entry.m_nIndex)].get();
}
