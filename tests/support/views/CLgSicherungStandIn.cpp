// The load-securing view's stand-in: answers the view notifications as that view does.
#include "tests/support/views/CLgSicherungStandIn.h"

CLgSicherungStandIn::CLgSicherungStandIn(CQOR1Doc* pDoc, QWidget* parent)
    : CPlaceholderView(pDoc, 199, 3, parent)
{
}

int CLgSicherungStandIn::OnViewNotify(int nCode, int nValue)
{
    switch (nCode) {
    case kNotifyVehicleSwitched:
        m_nRefreshSteps += 2;
        viewport()->update();
        return 0;
    case kNotifyFileWriting:
        m_nLastOwnCode = 65;
        return 0;
    case kNotifyFileWritten:
        m_nLastOwnCode = 66;
        return 0;
    case kNotifyUsableAreaEdited:
        m_nLastOwnCode = 52;
        return 0;
    default:
        return CPlaceholderView::OnViewNotify(nCode, nValue);
    }
}

bool CLgSicherungStandIn::CanLeave(VerlassenGrund /*eGrund*/, int /*nArg*/, std::string* /*pMessage*/)
{
    return false;
}
