// The coefficient set of a load-securing standard.
#pragma once

#include "model/archive/PersistentObject.h"

#include <string>

class SNormParams : public PersistentObject
{
    QOR_DECLARE_SERIAL(SNormParams)

public:
    static constexpr int kAnzahl = 10;

    SNormParams() = default;
    SNormParams(const SNormParams&) = default;
    SNormParams& operator=(const SNormParams&) = default;

    // The built-in set of norm index 0, 1 or 2 (2: the initial user set); false for another index.
    static bool GetStandard(int nNorm, SNormParams* pOut);
    // The display name of a norm index.
    static std::string GetNormName(int nNorm);

    // Copies ten coefficients; gravity stays.
    void SetKoeffizienten(const float* p);

    // Floats c0, c1, c2, c3, c5, c6, c7; schema 2: c4, c8; schema 3: c9. Gravity is not stored.
    void Write(ArchiveWriter& ar) const override;
    void Read(ArchiveReader& ar, unsigned schema) override;

    // 0-2 acceleration forward, backward, sideways; 3 tipping sideways; 4 second tipping sideways
    // (simple method, norm 1); 5 transmission k; 6 safety forward; 7 safety backward and sideways; 8 kept;
    // 9 tipping sideways of the detailed method under norm 1.
    float m_fKoeff[kAnzahl] = {};
    float m_fGravitation = 9.81f;
};
