// A rigid truck with one pallet as load unit, ready for the load-securing tests.
#pragma once

#include "model/document/CQOR1Doc.h"

#include <memory>

class CFahrzeug;
class CLadeeinheit;
class CQOR;

namespace fahrzeugtest {

struct Sicherungsaufbau
{
    std::unique_ptr<CQOR1Doc> pDoc;
    CFahrzeug* pFahrzeug = nullptr;
    CQOR* pPlan = nullptr;
    CLadeeinheit* pEinheit = nullptr;
    bool bNormGeladen = false; // the coefficient set was found
};

// A document holding a rigid truck 7.2 x 2.5 m whose plan carries one 500 kg pallet (1.2 x 0.8 x 1.0 m)
// as load unit 1, the active unit, secured under the first coefficient set with friction 0.3,
// pre-tension 250 daN and lashing capacity 500 daN.
Sicherungsaufbau BaueSicherungsaufbau();

} // namespace fahrzeugtest
