// One placed load of a plan record (versionable, schema 9).
//
// Fields: int index (-1), int, WORD type code, name, 6 doubles (size and centre of gravity), double mass
// counted by the plan, 3 doubles position, int rotation, WORD, text, int 0; from schema 5 the running
// number, from 7 the state word, from 8 the picture file name and source path. Older layouts are
// converted on reading (see Read).
#pragma once

#include "model/archive/PersistentObject.h"

#include <string>

struct tagLGINFO;

class SIMPEXP_LADUNG2QOR2 : public PersistentObject
{
    QOR_DECLARE_SERIAL(SIMPEXP_LADUNG2QOR2)

public:
    void Write(ArchiveWriter& ar) const override;
    // Schema 8 cuts the picture name to its file name and marks the read as needing
    // rewriting; below 6 the type codes
    // 1, 2, 4 become 2, 4, 1. A schema above 9 is refused, and so is a load whose size, centre of
    // gravity or mass is not LadungGrenzen::DateiWertGueltig or whose position is not
    // LadungGrenzen::DateiPositionGueltig (damage, ArchiveError::Kind::Corrupt).
    void Read(ArchiveReader& ar, unsigned schema) override;

    void SetFrom(const tagLGINFO& lg);
    // The load as the plan had it: the record keeps one mass and one text, so the load's mass is the
    // mass the plan counts and its catalogue text the stored text (the plan sets both pairs alike).
    void CopyTo(tagLGINFO& lg) const;

    int m_nIndex = -1;
    int m_nZusatzInt = 0;
    int m_nTyp = -1;
    std::string m_strName;
    double m_dLaenge = 0.0, m_dBreite = 0.0, m_dHoehe = 0.0;
    double m_dSPLaenge = 0.0, m_dSPBreite = 0.0, m_dSPHoehe = 0.0;
    double m_dSPMasse = 0.0;
    double m_dPosX = 0.0, m_dPosY = 0.0, m_dPosZ = 0.0;
    int m_nDrehung = 0;
    int m_nZusatzWort = 0;
    std::string m_strZusatzText;
    int m_nReserve = 0;
    int m_nNummer = 0;
    int m_nState = 0;
    std::string m_strBildDatei;
    std::string m_strBildQuelle;
};
