// The load-securing view's stand-in: answers the view notifications as that view does.
#include "tests/support/views/CLgSicherungStandIn.h"

CLgSicherungStandIn::CLgSicherungStandIn(CQOR1Doc* pDoc, QWidget* parent)
    : CPlaceholderView(pDoc, 199, 3, parent)
{
}

int CLgSicherungStandIn::OnViewNotify(AnsichtMeldung eMeldung, const AnsichtWert& wert)
{
    switch (eMeldung) {
    case AnsichtMeldung::kFahrzeugGewechselt:
        m_nRefreshSteps += 2;
        viewport()->update();
        return 0;
    case AnsichtMeldung::kDateiWirdGeschrieben:
        m_nLastOwnCode = 65;
        return 0;
    case AnsichtMeldung::kDateiGeschrieben:
        m_nLastOwnCode = 66;
        return 0;
    case AnsichtMeldung::kNutzflaecheBearbeitet:
        m_nLastOwnCode = 52;
        return 0;
    default:
        return CPlaceholderView::OnViewNotify(eMeldung, wert);
    }
}

bool CLgSicherungStandIn::CanLeave(VerlassenGrund /*eGrund*/, int /*nArg*/, std::string* /*pMessage*/)
{
    return false;
}
