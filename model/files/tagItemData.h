// A catalogue item: one load unit or FSM item of the user's catalogues, one per ".lgs" or ".fsm" file.
//
// File layout: the class record of tagItemData (schema 8), then the fields in member order; the picture
// name and source exist from schema 7 on. Files of schema 4 and earlier have no class
// record at all. Older layouts are converted on loading, and the load then answers that the file should
// be written again.
#pragma once

#include "model/archive/LoadAnswer.h"
#include "model/archive/PersistentObject.h"
#include "model/files/ItemPicture.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

class tagItemData : public PersistentObject
{
    QOR_DECLARE_SERIAL(tagItemData)

public:
    tagItemData() = default;
    tagItemData(const tagItemData& other) : PersistentObject() { *this = other; }
    // Copies every stored field and gives this record its own copy of the source's picture.
    tagItemData& operator=(const tagItemData& other);

    // The whole file: class record and fields.
    std::vector<std::uint8_t> Store() const;
    // Reads a whole file. A file whose class record cannot be read is taken for a headerless old
    // record; it is accepted only when that reading ends exactly at the end of the data. In any layout
    // a kind outside -1 to 12 is refused, and so is a size, centre of gravity or mass that no load can
    // have (LadungGrenzen::DateiWertGueltig: not a number, infinite, negative or absurdly large). Bad
    // data throws ArchiveError and leaves the record unchanged; an older layout fills and converts the
    // record and answers LoadAnswer::NeedsRewriting. The picture is left as it is.
    LoadAnswer Load(std::span<const std::uint8_t> file, const std::string& source = {});

    // The stored fields (the class record is written by the caller).
    void Write(ArchiveWriter& ar) const override;
    // Fields by stored schema, then the conversion of older layouts (which marks the read as needing
    // rewriting).
    void Read(ArchiveReader& ar, unsigned schema) override;

    // Extent along the vehicle for a rotation of 0/180 (length) or 90/270 degrees (width); else -1.0.
    double GetLaengeGedreht(int rotation) const;
    // Extent across the vehicle: width for 0/180, length for 90/270; else -1.0.
    double GetBreiteGedreht(int rotation) const;

    std::int32_t m_nNummer = -1; // carried, stored and copied unchanged
    std::int32_t m_nArt = -1;    // load-unit type code
    double m_dLaenge = 0.0;      // metres
    double m_dBreite = 0.0;
    double m_dHoehe = 0.0;
    double m_dSPLaenge = 0.0; // centre of gravity, at most the matching dimension
    double m_dSPBreite = 0.0;
    double m_dSPHoehe = 0.0;
    double m_dMasse = 0.0; // tonnes
    std::string m_strText;
    std::string m_strName; // the file's title
    bool m_bFlag = false;
    std::string m_strPfad;                // full path of the item's file, set on every save
    std::string m_strBildDatei;           // picture file name in the picture folder ("<uuid>.dat"), or empty
    std::string m_strBildQuelle;          // path of the picture the user chose
    std::unique_ptr<ItemPicture> m_pBild; // never stored

private:
    // Reads the fields the schema has; answers the raw flag byte.
    std::uint8_t ReadFields(ArchiveReader& ar, unsigned schema);
    void CopyFields(const tagItemData& other);
    // Answers whether the record changed, so that its file is to be written again.
    bool ConvertOlderLayout(unsigned schema);
};
