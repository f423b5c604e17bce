// A pair of lashing points that secures a load unit.
#pragma once

#include "model/archive/PersistentObject.h"

#include <memory>

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

    // Set for a point the pair does not delete itself: a point owned elsewhere, or one read from a file.
    bool m_bGeliehen[2] = {false, false};
    // The points read from a file. A point that the file names once and refers to again from other
    // pairs (of this or of another load unit) is shared by all of them, so that it lives as long as the
    // last of them, whichever unit is removed first.
    std::shared_ptr<CZurrpunkt> m_Geteilt[2];

private:
    // Reads point i (0 or 1) and shares in it; a reference to a point that no pair shares is refused.
    CZurrpunkt* LiesPunkt(ArchiveReader& ar, int i);
};
