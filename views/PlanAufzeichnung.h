// The screen records of the loads a plan view drew, kept for the plan and the loads it held when drawn.
#pragma once

#include "views/CPlanPainter.h"

#include <map>
#include <vector>

class CQOR;
struct tagLGINFO;

class PlanAufzeichnung
{
public:
    using Ladungen = std::map<const tagLGINFO*, CPlanPainter::SGuiLg>;

    // Takes over the records of the loads a paint of `plan` drew. Those of earlier paints stay for the
    // loads this one did not draw (the loads being dragged) while the plan holds the loads it held then;
    // of another plan, or once a load came or went, they go.
    void Uebernimm(const CQOR& plan, const Ladungen& gezeichnet);
    // The records, when they are of `pPlan` holding the loads it held when they were drawn; none
    // otherwise (another plan, or a load came or went since), until a paint draws them anew: a deleted
    // load is never reached.
    const Ladungen& Fuer(const CQOR* pPlan) const;
    bool IstLeer() const { return m_ladungen.empty(); }
    void Verwirf();

private:
    bool Gilt(const CQOR& plan) const;

    const CQOR* m_pPlan = nullptr;
    // The plan's loads, in its order, when the records were begun.
    std::vector<const tagLGINFO*> m_stand;
    Ladungen m_ladungen;
    Ladungen m_keine;
};
