// Margins and grid counts of a vehicle's load area, per side (front, left, rear, right).
//
// File layout (schema 2): the four margins as doubles, the four reals as floats, the four grid counts as
// ints; within each group the sides are stored in the order front, left, right, rear (1, 2, 4, 3).
#pragma once

#include "model/archive/PersistentObject.h"

#include <array>

class SNutzbareLF : public PersistentObject
{
    QOR_DECLARE_SERIAL(SNutzbareLF)

public:
    SNutzbareLF() = default;
    SNutzbareLF(const std::array<double, 4>& rand, const std::array<float, 4>& wert,
                const std::array<int, 4>& raster)
    {
        for (int i = 0; i < 4; ++i) {
            m_dRand[i] = rand[i];
            m_fWert[i] = wert[i];
            m_nRaster[i] = raster[i];
        }
    }
    SNutzbareLF(const SNutzbareLF&) = default;
    SNutzbareLF& operator=(const SNutzbareLF&) = default;

    void Write(ArchiveWriter& ar) const override;
    void Read(ArchiveReader& ar, unsigned schema) override;

    bool operator==(const SNutzbareLF& o) const;

    // Index 0..3 = side 1..4: front, left, rear, right.
    double m_dRand[4] = {0.0, 0.0, 0.0, 0.0};
    float m_fWert[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    int m_nRaster[4] = {0, 0, 0, 0};
};
