// An attachment point at one corner of a load unit, with the lashing point it is lashed to.
#pragma once

#include "model/archive/PersistentObject.h"

#include <memory>

class CZurrpunkt;

class CAnschlagpunkt : public PersistentObject
{
    QOR_DECLARE_SERIAL(CAnschlagpunkt)

public:
    CAnschlagpunkt();
    explicit CAnschlagpunkt(int nEcke);
    ~CAnschlagpunkt() override;
    CAnschlagpunkt(const CAnschlagpunkt&) = delete;
    CAnschlagpunkt& operator=(const CAnschlagpunkt&) = delete;

    // int corner; three doubles offsets; int; the lashing point as an object (null allowed).
    void Write(ArchiveWriter& ar) const override;
    void Read(ArchiveReader& ar, unsigned schema) override;

    // The lashing point for sub-index 0; null for any other.
    CZurrpunkt* GetZurrpunkt(int nSub) const;
    // Sub-index 0 only: drops the attached point and attaches a copy of p (none when p is null).
    void SetZurrpunkt(int nSub, const CZurrpunkt* p);

    int m_nEcke = -1; // corner 0..3 of the load unit
    // Offsets from the box corner along x, y and down from the top.
    double m_dVersatz1 = 0.0;
    double m_dVersatz2 = 0.0;
    double m_dVersatz3 = 0.0;
    int m_nReserve = 0;

private:
    std::unique_ptr<CZurrpunkt> m_pZurrpunkt;
};
