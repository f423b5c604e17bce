// The user's own coefficient set, kept in the per-user file "CustomNormParams.ser".
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

class SNormParams;

// The file holds the class record of SNormParams and its coefficients in that record's schema,
// nothing else.
class CustomNormParamsFile
{
public:
    static constexpr const char* kDateiName = "CustomNormParams.ser";

    enum class Status
    {
        kGelesen,     // the file's set
        kFehlt,       // no file: the built-in first set
        kBeschaedigt, // short, damaged or of another class: the built-in first set
    };

    // Reads the set into *pOut. Without a usable file *pOut becomes the built-in set 0 and the file
    // stays as it is. Read values are limited as an entry in the wizard would be.
    static Status Load(const std::filesystem::path& path, SNormParams* pOut);
    // The file's bytes for a set, in the current schema.
    static std::vector<std::uint8_t> Store(const SNormParams& set);
    // Writes the file all-or-nothing: a failed write keeps the old file and answers false with *pError.
    static bool Save(const std::filesystem::path& path, const SNormParams& set,
                     std::string* pError = nullptr);
};
