// Pairs of lashing points: ownership of the two points and the archive layout.
#include "model/plan/sZPPtrTupel.h"

#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"
#include "model/vehicle/CZurrpunkt.h"

QOR_IMPLEMENT_SERIAL(sZPPtrTupel, 2, true)

sZPPtrTupel::sZPPtrTupel(CZurrpunkt* p1, CZurrpunkt* p2, int nBesitz)
    : m_pZP1(p1), m_pZP2(p2), m_nBesitz(nBesitz)
{
}

sZPPtrTupel::~sZPPtrTupel()
{
    LoeschePunkte();
}

bool sZPPtrTupel::BesitztPunkt(int i) const
{
    const CZurrpunkt* p = i == 0 ? m_pZP1 : m_pZP2;
    if (!p || m_bGeliehen[i])
        return false;
    if (i == 1 && p == m_pZP1)
        return false; // one object taken twice is deleted once
    return m_nBesitz == 1 || m_nEigen != 0;
}

void sZPPtrTupel::LoeschePunkte()
{
    const bool b1 = BesitztPunkt(0), b2 = BesitztPunkt(1);
    if (b1)
        delete m_pZP1;
    if (b2)
        delete m_pZP2;
    m_pZP1 = m_pZP2 = nullptr;
    m_bGeliehen[0] = m_bGeliehen[1] = false;
    m_Geteilt[0].reset();
    m_Geteilt[1].reset();
}

void sZPPtrTupel::SetzeFremdePunkte(CZurrpunkt* p1, CZurrpunkt* p2)
{
    LoeschePunkte();
    m_pZP1 = p1;
    m_pZP2 = p2;
    m_bGeliehen[0] = m_bGeliehen[1] = true;
}

void sZPPtrTupel::Write(ArchiveWriter& ar) const
{
    ar.WriteInt(m_nBesitz);
    ar.WriteObject(m_pZP1);
    ar.WriteObject(m_pZP2);
    ar.WriteInt(m_nAktiv);
}

void sZPPtrTupel::Read(ArchiveReader& ar, unsigned schema)
{
    LoeschePunkte();
    m_nBesitz = ar.ReadInt();
    m_pZP1 = LiesPunkt(ar, 0);
    m_pZP2 = LiesPunkt(ar, 1);
    if (schema >= 2)
        m_nAktiv = ar.ReadInt();
}

CZurrpunkt* sZPPtrTupel::LiesPunkt(ArchiveReader& ar, int i)
{
    const std::size_t at = ar.Position();
    bool bNeu = false;
    CZurrpunkt* p = ar.ReadSharedObject<CZurrpunkt>(&bNeu);
    if (!p)
        return nullptr;
    if (bNeu) {
        m_Geteilt[i].reset(p);
    } else {
        // Only a point that an earlier pair read can be shared; any other point (an attachment point's,
        // say) has one owner that may go before this pair does.
        m_Geteilt[i] = p->weak_from_this().lock();
        if (!m_Geteilt[i])
            ar.Fail(ArchiveError::Kind::BadIndex, at,
                    "a lashing-point pair refers to a point that is not a lashing-point pair's");
    }
    m_bGeliehen[i] = true;
    return p;
}
