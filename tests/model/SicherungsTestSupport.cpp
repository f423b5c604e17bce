// The shared set-up of the load-securing tests.
#include "SicherungsTestSupport.h"

#include "FahrzeugTestSupport.h"

#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/CWizardParams.h"
#include "model/plan/tagLGINFO.h"
#include "model/securing/SNormParams.h"

namespace fahrzeugtest {

Sicherungsaufbau BaueSicherungsaufbau()
{
    Sicherungsaufbau a;
    a.pDoc = std::make_unique<CQOR1Doc>();
    auto v = Erzeuge({0, {{1.2, 4, 8}, {3.6, 3, 9}}, 18.0, 7.2, 2.5f});
    a.pFahrzeug = v.get();
    a.pDoc->SetFahrzeug(v.release());
    a.pPlan = new CQOR(a.pFahrzeug, 0, "Plan");
    a.pFahrzeug->m_pQor = a.pPlan;
    auto* lg = new tagLGINFO;
    lg->m_strName = "Palette";
    lg->m_dLaenge = 1.2;
    lg->m_dBreite = 0.8;
    lg->m_dHoehe = 1.0;
    lg->m_dSPLaenge = 0.6;
    lg->m_dSPBreite = 0.4;
    lg->m_dSPHoehe = 0.5;
    lg->m_dMasse = lg->m_dSPMasse = 0.5;
    lg->m_dPosX = 1.0;
    lg->m_dPosY = 0.85;
    a.pPlan->AddLgInfo(std::unique_ptr<tagLGINFO>(lg), false);
    a.pEinheit = new CLadeeinheit(1);
    a.pEinheit->AddLadung(lg->m_strName.c_str(), lg->m_nNummer, lg);
    a.pPlan->InsertLadeeinheit(std::unique_ptr<CLadeeinheit>(a.pEinheit), 0);
    a.pPlan->m_nAktiveLadeeinheit = 1;
    CWizardParams& wp = a.pEinheit->m_Wizard;
    wp.m_nNorm = 0;
    a.bNormGeladen = SNormParams::GetStandard(0, &wp.m_Norm);
    wp.m_fReibungOhneMatte = 0.3f;
    wp.m_nVorspannkraft = 250;
    wp.m_nZurrkraft = 500;
    wp.m_nQuerQuelle = 0;
    return a;
}

} // namespace fahrzeugtest
