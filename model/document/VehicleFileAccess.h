// How a document writes its vehicles into a vehicle or combination file and keeps that file open.
#pragma once

#include <memory>
#include <string>

class CFahrzeug;

// A vehicle or combination file held open for reading and writing while its document lives.
class OpenVehicleFile
{
public:
    virtual ~OpenVehicleFile() = default;
};

class VehicleFileAccess
{
public:
    virtual ~VehicleFileAccess() = default;

    // Writes the vehicle as directory entry *pIndex (-1: a new entry, whose index comes back in *pIndex)
    // with the value and the entry's text. With `fileName` given a new file of that name is created in
    // `folder`, handed out in *ppFile and its full path in *pPath; with `fileName` empty the vehicle goes
    // into the open file *ppFile. False when anything fails.
    virtual bool WriteFahrzeugToFile(CFahrzeug* pFahrzeug, const std::string& folder, std::string* pPath,
                                     int* pIndex, const std::string& fileName,
                                     std::unique_ptr<OpenVehicleFile>* ppFile, int nValue,
                                     const std::string& text) = 0;
    // Writes a combination's towing vehicle and trailer in one all-or-nothing write, each as
    // WriteFahrzeugToFile writes one, with its own entry and title; `nValue` becomes the root's value.
    // The file holds both new records or neither, and the indices come back only on success.
    virtual bool WriteKombinationToFile(CFahrzeug* pZug, CFahrzeug* pAnhaenger, const std::string& folder,
                                        std::string* pPath, int* pZugIndex, int* pAnhaengerIndex,
                                        const std::string& fileName, std::unique_ptr<OpenVehicleFile>* ppFile,
                                        int nValue, const std::string& zugText,
                                        const std::string& anhaengerText) = 0;
    // False for a file that was opened for reading only (another program holds it for writing).
    virtual bool IsWritable(const OpenVehicleFile& file) const = 0;
    // The int field of the file's root, read from the start of the open file.
    virtual bool ReadRootValue(OpenVehicleFile& file, int* pValue) = 0;
    // Writes the root back from the start of the open file with its int field replaced.
    virtual bool WriteRootValue(OpenVehicleFile& file, int nValue) = 0;
};
