// One named application state of "AppParams.ser": a list of unsigned ints, five ints and the 3D-view
// states (schema 1). Layout: the unsigned ints as a count and dwords, the five ints, the object list.
#pragma once

#include "model/archive/PersistentObject.h"
#include "model/files/CANSICHT3DParams.h"

#include <memory>
#include <vector>

class CAppStateParams : public PersistentObject
{
    QOR_DECLARE_SERIAL(CAppStateParams)

public:
    void Write(ArchiveWriter& ar) const override;
    void Read(ArchiveReader& ar, unsigned schema) override;

    std::vector<unsigned> m_Werte;
    int m_nWert[5] = {-1, -1, -1, 0, -1};
    std::vector<std::unique_ptr<CANSICHT3DParams>> m_Ansichten;
};
