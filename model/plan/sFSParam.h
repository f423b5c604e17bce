// A form-fit blocking record: which placed load blocks a load unit on one side, and how.
#pragma once

#include "model/archive/PersistentObject.h"

struct tagLGINFO;

class sFSParam : public PersistentObject
{
    QOR_DECLARE_SERIAL(sFSParam)

public:
    // Kinds of blocking.
    static constexpr int kKeine = 0;
    static constexpr int kLadeflaechenRand = 1;
    static constexpr int kFsmItem = 2;

    sFSParam() = default;
    sFSParam(const sFSParam&) = default;
    sFSParam& operator=(const sFSParam&) = default;

    // Schema 3: int kind, int capacity, int running number. Schema 2 has a dropped text before the
    // number, schema 1 only the two ints.
    void Write(ArchiveWriter& ar) const override;
    void Read(ArchiveReader& ar, unsigned schema) override;

    // Points the record at a placed load and takes its running number.
    void SetLg(tagLGINFO* p);
    tagLGINFO* GetLg() const { return m_pLg; }

    tagLGINFO* m_pLg = nullptr; // in memory only
    int m_nNummer = -1;         // running number of the load
    int m_nArt = kKeine;        // 0 none, 1 the load-area edge, 2 an FSM item
    // Blocking capacity in daN. A record found by the placement search has kind 2 and capacity 0; the
    // blocking item is m_pLg and the capacity is left to the caller.
    int m_nKapazitaet = 0;
};
