// One stored 3D-view state: two vectors (schema 1: six floats, x, y, z of each).
#pragma once

#include "model/archive/PersistentObject.h"
#include "model/base/tbVector3.h"

class CANSICHT3DParams : public PersistentObject
{
    QOR_DECLARE_SERIAL(CANSICHT3DParams)

public:
    void Write(ArchiveWriter& ar) const override;
    void Read(ArchiveReader& ar, unsigned schema) override;

    tbVector3 m_v1;
    tbVector3 m_v2;
};
