// The loading-plan view's context menu: which popup of menu 245 a click gets.
#include "views/CQOR2View.h"

#include "views/PlanKontextMenue.h"

#include "model/plan/LoadUnitTypes.h"
#include "model/plan/tagLGINFO.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>

QMenu* CQOR2View::KontextMenu(QPoint pt)
{
    if (QGuiApplication::keyboardModifiers().testFlag(Qt::ControlModifier))
        return nullptr;
    CQOR* q = GetPlan();
    CFahrzeug* f = GetFahrzeug();
    if (!q || !f)
        return nullptr;
    tagLGINFO* pLg = nullptr;
    for (const auto& [p, gui] : GetGuiLg())
        if (tagLGINFO* pGueltig = gui.rc.contains(pt) ? Gueltig(p) : nullptr)
            pLg = pGueltig;
    int nPopup = -1;
    if (pLg) {
        if (pLg->m_nTyp < LADUNGTYP_FSM_FIRST && (pLg->GetLeId() != 0 || !pLg->m_bSelected))
            return nullptr;
        nPopup = pLg->m_nTyp < LADUNGTYP_FSM_FIRST ? 1 : 2;
        SetKontext(pLg);
    } else if (m_treffer.rcLadeflaeche.contains(pt))
        nPopup = 0;
    else
        return nullptr;

    return PlanKontextMenue::Baue(nPopup, *q, *f, pLg, {m_bAnzeige33285, m_bRampenModus}, this);
}

void CQOR2View::contextMenuEvent(QContextMenuEvent* e)
{
    ZeigeKontextMenu(KontextMenu(viewport()->mapFrom(this, e->pos())), e->globalPos(),
                     [this](int nId) { OnBefehl(nId); });
}
