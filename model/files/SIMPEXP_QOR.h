// The loading plan in a vehicle record (schema 2): a few plan values, its placed loads and its load
// units.
//
// Fields: int vehicle value, int plan number, text plan name, double 0.0, int plan value (the permitted
// side difference), int 0, int 0, a usable-load-area object (always null), the list of placed loads, the
// list of load units. The record owns its placed loads. Its load units are the ones it owns
// (m_Ladeeinheiten: those a reader read, until it hands them over to a plan) followed by the ones it
// borrows from a plan for writing (m_GelieheneLadeeinheiten), which stay the plan's.
#pragma once

#include "model/archive/PersistentObject.h"
#include "model/files/SIMPEXP_LADUNG2QOR2.h"
#include "model/plan/CLadeeinheit.h"
#include "model/vehicle/SNutzbareLF.h"

#include <memory>
#include <string>
#include <vector>

class SIMPEXP_QOR : public PersistentObject
{
    QOR_DECLARE_SERIAL(SIMPEXP_QOR)

public:
    SIMPEXP_QOR() = default;
    SIMPEXP_QOR(const SIMPEXP_QOR&) = delete;
    SIMPEXP_QOR& operator=(const SIMPEXP_QOR&) = delete;

    void Write(ArchiveWriter& ar) const override;
    void Read(ArchiveReader& ar, unsigned schema) override;

    int m_nFahrzeugWert = -1;
    int m_nNummer = -1;
    std::string m_strName;
    double m_dReserve = 0.0;
    int m_nSeitenProzent = 4;
    int m_nReserve[2] = {0, 0};
    std::unique_ptr<SNutzbareLF> m_pNutzLF; // written as a null object by the program
    std::vector<std::unique_ptr<SIMPEXP_LADUNG2QOR2>> m_Ladungen;
    std::vector<std::unique_ptr<CLadeeinheit>> m_Ladeeinheiten;
    // Written after the own units; the plan that lends them outlives the record.
    std::vector<const CLadeeinheit*> m_GelieheneLadeeinheiten;
};
