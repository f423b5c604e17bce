// A pair of lashing points that secures a load unit.
#pragma once

#include "model/PersistentObject.h"

class CZurrpunkt;

class sZPPtrTupel : public PersistentObject
{
    QOR_DECLARE_SERIAL(sZPPtrTupel)

public:
    sZPPtrTupel() = default;
    // A pair referring to two points; with nBesitz 0 it does not own them.
    sZPPtrTupel(CZurrpunkt* p1, CZurrpunkt* p2, int nBesitz);
    ~sZPPtrTupel() override;
    sZPPtrTupel(const sZPPtrTupel&) = delete;
    sZPPtrTupel& operator=(const sZPPtrTupel&) = delete;

    // int ownership; the first point; the second point (objects, a shared point written once); from
    // schema 2 the first int.
    void Write(ArchiveWriter& ar) const override;
    void Read(ArchiveReader& ar, unsigned schema) override;

    // True when the pair deletes point i (0 or 1) with itself.
    bool BesitztPunkt(int i) const;
    // Deletes the points the pair owns and leaves both references null.
    void LoeschePunkte();
    // Replaces both references by points owned elsewhere, deleting the ones the pair owns.
    void SetzeFremdePunkte(CZurrpunkt* p1, CZurrpunkt* p2);
    // True when both points are there; readers skip a pair without them.
    bool IsVollstaendig() const { return m_pZP1 && m_pZP2; }

    int m_nAktiv = 0; // set when the pair is used by the securing
    int m_nEigen = 0; // non-zero: the pair owns its points (set for pairs read from a file)
    CZurrpunkt* m_pZP1 = nullptr;
    CZurrpunkt* m_pZP2 = nullptr;
    int m_nBesitz = -1; // 1: owns its points; 0: refers to the vehicle's points

    // A point that the file gave as a reference to an object read before belongs to whoever read it
    // first; the pair never deletes it.
    bool m_bGeliehen[2] = {false, false};
};
