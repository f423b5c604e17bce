// Pairs of lashing points: ownership of the two points and the archive layout.
#include "model/sZPPtrTupel.h"

#include "model/ArchiveReader.h"
#include "model/ArchiveWriter.h"
#include "model/CZurrpunkt.h"

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
    bool bNeu = false;
    m_pZP1 = ar.ReadSharedObject<CZurrpunkt>(&bNeu);
    m_bGeliehen[0] = m_pZP1 && !bNeu;
    // Owned from here on, so that a failure further on does not lose the first point.
    if (m_pZP1 && bNeu)
        m_nEigen = 1;
    m_pZP2 = ar.ReadSharedObject<CZurrpunkt>(&bNeu);
    m_bGeliehen[1] = m_pZP2 && !bNeu;
    if (m_pZP2 && bNeu)
        m_nEigen = 1;
    if (schema >= 2)
        m_nAktiv = ar.ReadInt();
}
