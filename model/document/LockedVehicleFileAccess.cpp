// The document's file access over the vehicle-file functions.
#include "model/document/LockedVehicleFileAccess.h"

#include "model/archive/ArchiveError.h"
#include "model/files/CImpExp.h"
#include "model/files/CImpExpException.h"
#include "model/files/VehicleFiles.h"

namespace {

LockedFile* Datei(const OpenVehicleFile& file)
{
    const auto* p = dynamic_cast<const LockedVehicleFile*>(&file);
    return p ? p->GetFile() : nullptr;
}

} // namespace

bool LockedVehicleFileAccess::WriteFahrzeugToFile(CFahrzeug* pFahrzeug, const std::string& folder,
                                                  std::string* pPath, int* pIndex,
                                                  const std::string& fileName,
                                                  std::unique_ptr<OpenVehicleFile>* ppFile, int nValue,
                                                  const std::string& text)
{
    const FahrzeugEintrag eintrag{pFahrzeug, pIndex, text};
    return Schreibe({&eintrag, 1}, folder, pPath, fileName, ppFile, nValue);
}

bool LockedVehicleFileAccess::WriteKombinationToFile(
    CFahrzeug* pZug, CFahrzeug* pAnhaenger, const std::string& folder, std::string* pPath, int* pZugIndex,
    int* pAnhaengerIndex, const std::string& fileName, std::unique_ptr<OpenVehicleFile>* ppFile, int nValue,
    const std::string& zugText, const std::string& anhaengerText)
{
    const FahrzeugEintrag eintraege[] = {{pZug, pZugIndex, zugText},
                                         {pAnhaenger, pAnhaengerIndex, anhaengerText}};
    return Schreibe(eintraege, folder, pPath, fileName, ppFile, nValue);
}

bool LockedVehicleFileAccess::Schreibe(std::span<const FahrzeugEintrag> fahrzeuge, const std::string& folder,
                                       std::string* pPath, const std::string& fileName,
                                       std::unique_ptr<OpenVehicleFile>* ppFile, int nValue)
{
    if (!ppFile)
        return false;
    if (fileName.empty()) {
        auto* pOffen = dynamic_cast<LockedVehicleFile*>(ppFile->get());
        if (!pOffen || !pOffen->m_pFile)
            return false;
        if (!WriteFahrzeugeToFile(fahrzeuge, folder, fileName, &pOffen->m_pFile, nValue))
            return false;
        if (pPath)
            *pPath = pOffen->m_pFile->GetPath().string();
        return true;
    }
    std::unique_ptr<LockedFile> pNeu;
    if (!WriteFahrzeugeToFile(fahrzeuge, folder, fileName, &pNeu, nValue) || !pNeu)
        return false;
    if (pPath)
        *pPath = pNeu->GetPath().string();
    *ppFile = std::make_unique<LockedVehicleFile>(std::move(pNeu));
    return true;
}

bool LockedVehicleFileAccess::IsWritable(const OpenVehicleFile& file) const
{
    const LockedFile* p = Datei(file);
    return p && p->IsWritable();
}

bool LockedVehicleFileAccess::ReadRootValue(OpenVehicleFile& file, int* pValue)
{
    const LockedFile* p = Datei(file);
    CImpExp root;
    if (!p || !pValue || !ReadRoot(*p, root))
        return false;
    *pValue = root.m_nWert;
    return true;
}

bool LockedVehicleFileAccess::WriteRootValue(OpenVehicleFile& file, int nValue)
{
    LockedFile* p = Datei(file);
    CImpExp root;
    if (!p || !p->IsWritable() || !ReadRoot(*p, root))
        return false;
    root.m_nWert = nValue;
    return p->WriteAll(root.Store());
}
