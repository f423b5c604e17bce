// The load-securing settings of one load unit: standard, friction, form-fit blocking, method, device.
#pragma once

#include "model/archive/PersistentObject.h"
#include "model/plan/sFSParam.h"
#include "model/securing/SNormParams.h"

#include <cstdint>
#include <string>

class CWizardParams : public PersistentObject
{
    QOR_DECLARE_SERIAL(CWizardParams)

public:
    CWizardParams();
    CWizardParams(const CWizardParams&) = default;
    CWizardParams& operator=(const CWizardParams&) = default;

    // See the source for the layout; schema 2 adds the calculation date.
    void Write(ArchiveWriter& ar) const override;
    void Read(ArchiveReader& ar, unsigned schema) override;

    int m_nNummer = 0;    // the load unit's number
    int m_bBlockiert = 0; // the unit is blocked by form fit (the blocking page's box)
    // Blocking per direction: backward, to the left, forward, to the right.
    sFSParam m_FS[4];
    int m_nNorm = 0; // 0, 1 or 2
    SNormParams m_Norm;
    int m_bAntirutschmatte = 0;
    float m_fReibungMitMatte = 0.6f;
    int m_nMatteQualifier = 0;
    float m_fReibungOhneMatte = -1.0f; // -1: not yet chosen
    int m_bReibungUeber02 = 1;         // a friction above 0.2 may be entered under the second standard
    int m_nVerfahren = 0;              // 0 simple (top-over), 1 detailed (direct lashing)
    int m_nQuerQuelle = -1;   // simple method: 0 lateral distances from lashing points, else the rail
    int m_nDetailWert = 0;    // detailed method: 3 only sideways, 4 only lengthwise
    int m_nZurrmittelTyp = 0; // 0, 1, 2
    std::string m_strText;
    int m_nVorspannkraft = 0;  // daN
    int m_nZurrkraft = 0;      // daN
    int m_nReserveKraft = 0;   // stored, read by no calculation
    std::int64_t m_tDatum = 0; // seconds since 1970, set to now by the constructor
};
