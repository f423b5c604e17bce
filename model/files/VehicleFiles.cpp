// Opening, reading and writing vehicle, combination and catalogue item files.
#include "model/files/VehicleFiles.h"

#include "model/archive/ArchiveError.h"
#include "model/base/ProgramFolders.h"
#include "model/files/CImpExp.h"
#include "model/files/CImpExpException.h"
#include "model/files/FahrzeugImpExp.h"
#include "model/files/tagItemData.h"
#include "model/text/TextFormat.h"
#include "model/vehicle/CFahrzeug.h"

namespace fs = std::filesystem;

namespace {

IFahrzeugSpeicherMeldung* s_pMeldung = nullptr;

// The longest catalogue item file taken; an item takes a few kilobytes.
constexpr std::size_t kGroessteItemDatei = std::size_t{4} << 20;

// Reads the root of the file at `path`; nothing on any failure.
std::optional<LoadAnswer> ReadRoot(const fs::path& path, CImpExp& root)
{
    const auto file = LockedFile::Open(path, LockedFile::Mode::Read);
    if (!file)
        return std::nullopt;
    return ::ReadRoot(*file, root);
}

// The text of a vehicle's kind for the root's kind suffix.
std::string ArtZusatz(int nArt)
{
    static const std::uint32_t ids[5] = {190, 194, 195, 193, 192};
    if (nArt < FahrzeugArt::kZugmaschine || nArt > FahrzeugArt::kSattelzugmaschine)
        return " [???]";
    return FormatS(" [$S]", 1, ids[nArt]);
}

} // namespace

IFahrzeugSpeicherMeldung* GetFahrzeugSpeicherMeldung()
{
    return s_pMeldung;
}

void SetFahrzeugSpeicherMeldung(IFahrzeugSpeicherMeldung* pMeldung)
{
    s_pMeldung = pMeldung;
}

LoadAnswer ReadImpExpFile(const LockedFile& file, CImpExp& root)
{
    std::vector<std::uint8_t> data;
    std::string error;
    if (!file.ReadAll(data, &error, kGroessteFahrzeugDatei))
        throw ArchiveError(ArchiveError::Kind::EndOfFile, 0, error);
    return root.Load(data, file.GetPath().string());
}

std::optional<LoadAnswer> ReadRoot(const LockedFile& file, CImpExp& root)
{
    try {
        return ReadImpExpFile(file, root);
    } catch (const ArchiveError&) {
    } catch (const CImpExpException&) {
    }
    return std::nullopt;
}

int ReadFileFahrzeugTyp(const fs::path& path, int index, int* pCount, bool bWriteBack)
{
    CImpExp root;
    const std::optional<LoadAnswer> answer = ReadRoot(path, root);
    if (!answer)
        return -1;
    if (root.m_nSchema < CImpExp::kSchema) {
        if (pCount)
            *pCount = 0;
        return root.m_Records.empty() ? -1 : root.m_Records.front()->GetFahrzeugTyp();
    }
    if (pCount)
        *pCount = static_cast<int>(root.m_Verzeichnis.size()) - 1;
    if (*answer == LoadAnswer::NeedsRewriting && bWriteBack)
        SaveImpExpFile(path, root);
    if (index < 0 || static_cast<std::size_t>(index) >= root.m_Verzeichnis.size())
        return -1;
    return root.m_Verzeichnis[static_cast<std::size_t>(index)]->m_nTyp;
}

bool SaveImpExpFile(const fs::path& path, const CImpExp& root)
{
    const auto file = LockedFile::Open(path, LockedFile::Mode::ReadWrite);
    return file && file->WriteAll(root.Store());
}

bool WriteFahrzeugToFile(CFahrzeug* pFahrzeug, const fs::path& folder, int* pIndex,
                         const std::string& fileName, std::unique_ptr<LockedFile>* pFile, int nWert,
                         const std::string& text)
{
    const FahrzeugEintrag eintrag{pFahrzeug, pIndex, text};
    return WriteFahrzeugeToFile({&eintrag, 1}, folder, fileName, pFile, nWert);
}

bool WriteFahrzeugeToFile(std::span<const FahrzeugEintrag> fahrzeuge, const fs::path& folder,
                          const std::string& fileName, std::unique_ptr<LockedFile>* pFile, int nWert)
{
    if (s_pMeldung)
        s_pMeldung->SpeichernBeginnt();
    const bool bOk = [&]() {
        if (fahrzeuge.empty() || !pFile)
            return false;
        for (const FahrzeugEintrag& e : fahrzeuge) {
            if (!e.pFahrzeug || !e.pIndex)
                return false;
        }
        const bool bNeu = !fileName.empty();
        CImpExp root;
        const fs::path path = bNeu ? folder / fileName : fs::path();
        if (bNeu) {
            if (fs::exists(path))
                return false;
        } else if (!*pFile || !(*pFile)->IsWritable() || !ReadRoot(**pFile, root)) {
            return false;
        }
        root.m_nWert = nWert;
        // The entries are given back only once the file holds them.
        std::vector<int> indizes;
        for (const FahrzeugEintrag& e : fahrzeuge) {
            auto record = std::make_unique<SIMPEXP_FZG>();
            if (!CopyFahrzeugToImpExp(e.pFahrzeug, record.get()))
                return false;
            int nIndex = *e.pIndex;
            if (!bNeu && nIndex != -1) {
                int nPos = -1;
                if (!root.GetFahrzeugRecord(nIndex, &nPos) || nPos < 0)
                    return false;
                // A file of an older layout is written back in the current one, with the entry it implies.
                root.m_nSchema = CImpExp::kSchema;
                root.m_Records[static_cast<std::size_t>(nPos)] = std::move(record);
            } else {
                root.m_nSchema = CImpExp::kSchema;
                auto entry = std::make_unique<SFileFhzgInfo>();
                entry->m_strName = e.pFahrzeug->m_strName;
                entry->m_strTitel = e.text;
                entry->m_nIndex = static_cast<int>(root.m_Records.size());
                entry->m_nTyp = e.pFahrzeug->GetFahrzeugTyp();
                // The new file's path is stored with its first entry only.
                entry->m_strPfad = bNeu && indizes.empty() ? path.string() : std::string();
                nIndex = entry->m_nIndex;
                root.m_Verzeichnis.push_back(std::move(entry));
                root.m_Records.push_back(std::move(record));
            }
            indizes.push_back(nIndex);
        }
        if (bNeu) {
            const CFahrzeug* pErstes = fahrzeuge.front().pFahrzeug;
            root.m_strFahrzeug = pErstes->m_strName;
            root.m_strTitel = FormatS("$S", 1, 189u);
            root.m_strArt = ArtZusatz(pErstes->GetArt());
            auto file = LockedFile::Create(path, root.Store());
            if (!file)
                return false;
            *pFile = std::move(file);
        } else if (!(*pFile)->WriteAll(root.Store())) {
            return false;
        }
        for (std::size_t i = 0; i < fahrzeuge.size(); ++i)
            *fahrzeuge[i].pIndex = indizes[i];
        return true;
    }();
    if (s_pMeldung)
        s_pMeldung->SpeichernEndet(bOk);
    return bOk;
}

std::string NormalizePictureFileName(const std::string& name)
{
    const auto at = name.find_last_of("\\/");
    const std::string file = at == std::string::npos ? name : name.substr(at + 1);
    if (file.empty())
        return {};
    const fs::path folder = GetProgramFolders().pictures;
    std::error_code ec;
    if (folder.empty() || !fs::is_regular_file(folder / file, ec))
        return {};
    return file;
}

bool CollectReferencedFiles(const fs::path& path, std::vector<std::string>& list)
{
    CImpExp root;
    if (!ReadRoot(path, root))
        return false;
    bool bGeaendert = false;
    for (const auto& record : root.m_Records) {
        if (!record)
            return false;
        if (record->m_Qors.empty())
            continue;
        for (const auto& lg : record->m_Qors.front()->m_Ladungen) {
            if (lg->m_strBildDatei.empty())
                continue;
            const std::string name = NormalizePictureFileName(lg->m_strBildDatei);
            if (name != lg->m_strBildDatei) {
                lg->m_strBildDatei = name;
                bGeaendert = true;
            }
            if (!name.empty())
                list.push_back(name);
        }
    }
    if (bGeaendert)
        SaveImpExpFile(path, root);
    return bGeaendert;
}

namespace {

// Reads an item file and answers whether it was converted; nothing when it cannot be read.
std::optional<LoadAnswer> ReadItemData(const fs::path& path, tagItemData& item)
{
    const auto file = LockedFile::Open(path, LockedFile::Mode::Read);
    std::vector<std::uint8_t> data;
    if (!file || !file->ReadAll(data, nullptr, kGroessteItemDatei))
        return std::nullopt;
    try {
        return item.Load(data, path.string());
    } catch (const ArchiveError&) {
        return std::nullopt;
    }
}

} // namespace

int ReadFileItemDataKind(const fs::path& path)
{
    tagItemData item;
    const std::optional<LoadAnswer> answer = ReadItemData(path, item);
    if (!answer)
        return -1;
    if (*answer == LoadAnswer::NeedsRewriting)
        SaveItemDataFile(path, item);
    return item.m_nArt;
}

bool LoadItemDataFile(const fs::path& path, tagItemData& item)
{
    const std::optional<LoadAnswer> answer = ReadItemData(path, item);
    if (!answer)
        return false;
    if (*answer == LoadAnswer::NeedsRewriting)
        SaveItemDataFile(path, item);
    return true;
}

bool SaveItemDataFile(const fs::path& path, tagItemData& item)
{
    item.m_strPfad = path.string();
    return LockedFile::WriteFile(path, item.Store());
}

bool UpdateItemDataFilePath(const fs::path& path, tagItemData& item)
{
    const std::string title = path.stem().string();
    bool bGeaendert = false;
    if (title != item.m_strName) {
        item.m_strName = title;
        bGeaendert = true;
    }
    if (path.string() != item.m_strPfad)
        bGeaendert = true;
    if (bGeaendert)
        SaveItemDataFile(path, item);
    return true;
}
