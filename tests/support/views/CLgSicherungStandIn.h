// The load-securing view's stand-in: answers the view notifications as that view does.
#pragma once

#include "tests/support/views/CPlaceholderView.h"

class CLgSicherungStandIn : public CPlaceholderView
{
    Q_OBJECT

public:
    explicit CLgSicherungStandIn(CQOR1Doc* pDoc, QWidget* parent = nullptr);

    // Code 1 runs two refresh steps; codes 3 and 4 become its own codes 65 and 66, code 52 stays 52;
    // code 2 places its three strips.
    int OnViewNotify(AnsichtMeldung eMeldung, const AnsichtWert& wert) override;
    // Refuses no change.
    bool CanLeave(VerlassenGrund eGrund, int nArg, std::string* pMessage) override;

    int GetRefreshSteps() const { return m_nRefreshSteps; }
    // The last of its own codes a notification became, 0 before any.
    int GetLastOwnCode() const { return m_nLastOwnCode; }

private:
    int m_nRefreshSteps = 0;
    int m_nLastOwnCode = 0;
};
