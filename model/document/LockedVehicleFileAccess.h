// The document's file access over the vehicle-file functions: a document's file stays open with a write
// lock while the document lives.
#pragma once

#include "model/base/LockedFile.h"
#include "model/document/VehicleFileAccess.h"
#include "model/files/VehicleFiles.h"

#include <memory>
#include <span>

// A document's vehicle or combination file.
class LockedVehicleFile : public OpenVehicleFile
{
public:
    explicit LockedVehicleFile(std::unique_ptr<LockedFile> pFile) : m_pFile(std::move(pFile)) {}
    LockedFile* GetFile() const { return m_pFile.get(); }

    std::unique_ptr<LockedFile> m_pFile;
};

class LockedVehicleFileAccess : public VehicleFileAccess
{
public:
    bool WriteFahrzeugToFile(CFahrzeug* pFahrzeug, const std::string& folder, std::string* pPath, int* pIndex,
                             const std::string& fileName, std::unique_ptr<OpenVehicleFile>* ppFile,
                             int nValue, const std::string& text) override;
    bool WriteKombinationToFile(CFahrzeug* pZug, CFahrzeug* pAnhaenger, const std::string& folder,
                                std::string* pPath, int* pZugIndex, int* pAnhaengerIndex,
                                const std::string& fileName, std::unique_ptr<OpenVehicleFile>* ppFile,
                                int nValue, const std::string& zugText,
                                const std::string& anhaengerText) override;
    bool IsWritable(const OpenVehicleFile& file) const override;
    bool ReadRootValue(OpenVehicleFile& file, int* pValue) override;
    bool WriteRootValue(OpenVehicleFile& file, int nValue) override;

private:
    static bool Schreibe(std::span<const FahrzeugEintrag> fahrzeuge, const std::string& folder,
                         std::string* pPath, const std::string& fileName,
                         std::unique_ptr<OpenVehicleFile>* ppFile, int nValue);
};
