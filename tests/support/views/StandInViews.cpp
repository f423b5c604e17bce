#include "tests/support/views/StandInViews.h"

#include "tests/support/views/C3DStandIn.h"
#include "tests/support/views/CLgSicherungStandIn.h"
#include "tests/support/views/CPlaceholderView.h"
#include "views/CTabbedViewView.h"

CGetAnsView* MakeStandInView(int nKind, CQOR1Doc* pDoc)
{
    switch (nKind) {
    case CTabbedViewView::kTemplate:
        return new CPlaceholderView(pDoc, 196, 1);
    case CTabbedViewView::kPlan:
        return new CPlaceholderView(pDoc, 197, 2);
    case CTabbedViewView::kLgSicherung:
        return new CLgSicherungStandIn(pDoc);
    case CTabbedViewView::k3D:
        return new C3DStandIn(pDoc);
    default:
        return nullptr;
    }
}
