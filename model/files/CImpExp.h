// The root of a vehicle (".qor") or combination (".kmb") file: a short header, the directory of the
// vehicles the file holds and their records.
//
// File layout: the class record of CImpExp (schema 6) with nothing ahead of it, five texts, the value
// int, the directory (list of SFileFhzgInfo), the records (list of SIMPEXP_FZG). Files of schema 5 and
// below have no value and no directory: their directory is made up on reading from the first record. A
// file that does not begin with the class record is a version-1 file holding one vehicle object; it is
// read and reported by CImpExpException. A newer schema is refused by CImpExpException too.
//
// Older record layouts: Load answers LoadAnswer::NeedsRewriting when a record's reader converted one;
// the caller then writes the file again in the current layout.
#pragma once

#include "model/archive/LoadAnswer.h"
#include "model/archive/PersistentObject.h"
#include "model/files/SFileFhzgInfo.h"
#include "model/files/SIMPEXP_FZG.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

class CImpExp : public PersistentObject
{
    QOR_DECLARE_SERIAL(CImpExp)

public:
    static constexpr unsigned kSchema = 6;

    CImpExp() = default;
    CImpExp(const CImpExp&) = delete;
    CImpExp& operator=(const CImpExp&) = delete;

    // The fields after the class record (the stream's writer and reader handle the class record).
    void Write(ArchiveWriter& ar) const override;
    void Read(ArchiveReader& ar, unsigned schema) override;

    // The whole file.
    std::vector<std::uint8_t> Store() const;
    // Reads a whole file into this fresh root. Throws ArchiveError on bad data and CImpExpException for a
    // version-1 file (with its vehicle) or a newer schema (text 373, the schema found). Answers whether
    // the file should be written again in the current layout.
    LoadAnswer Load(std::span<const std::uint8_t> file, const std::string& source = {});

    // The record of directory entry `index`: schema 6 takes the entry's record index and hands out the
    // entry's title as `pName`; older files answer their first record and an empty name. Null when the
    // entry or its record is missing. `pPos` receives the record's position in the record list.
    SIMPEXP_FZG* GetFahrzeugRecord(int index, int* pPos = nullptr, std::string* pName = nullptr) const;

    std::string m_strVorTitel;
    std::string m_strTitel;
    std::string m_strNachTitel;
    std::string m_strFahrzeug; // name of the vehicle with which the file was created
    std::string m_strArt;      // " [kind]" of that vehicle
    int m_nWert = 0;           // the value the document carries and writes back
    std::vector<std::unique_ptr<SFileFhzgInfo>> m_Verzeichnis;
    std::vector<std::unique_ptr<SIMPEXP_FZG>> m_Records;
    unsigned m_nSchema = kSchema; // the schema read
};
