// The screen records of the loads a plan view drew, kept for the plan and the loads it held when drawn.
#include "views/PlanAufzeichnung.h"

#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"

bool PlanAufzeichnung::Gilt(const CQOR& plan) const
{
    if (&plan != m_pPlan)
        return false;
    auto it = m_stand.begin();
    for (const tagLGINFO* lg : plan.GetLgInfos()) {
        if (it == m_stand.end() || *it != lg)
            return false;
        ++it;
    }
    return it == m_stand.end();
}

void PlanAufzeichnung::Uebernimm(const CQOR& plan, const Ladungen& gezeichnet)
{
    if (!Gilt(plan)) {
        Verwirf();
        m_pPlan = &plan;
        for (const tagLGINFO* lg : plan.GetLgInfos())
            m_stand.push_back(lg);
    }
    for (const auto& [lg, gui] : gezeichnet)
        m_ladungen[lg] = gui;
}

const PlanAufzeichnung::Ladungen& PlanAufzeichnung::Fuer(const CQOR* pPlan) const
{
    return !m_ladungen.empty() && pPlan && Gilt(*pPlan) ? m_ladungen : m_keine;
}

void PlanAufzeichnung::Verwirf()
{
    m_pPlan = nullptr;
    m_stand.clear();
    m_ladungen.clear();
}
