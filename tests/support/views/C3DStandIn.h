// The 3D view's stand-in: a title and the view's two floating strips.
#pragma once

#include "tests/support/views/CPlaceholderView.h"

class C3DStandIn : public CPlaceholderView
{
    Q_OBJECT

public:
    explicit C3DStandIn(CQOR1Doc* pDoc, QWidget* parent = nullptr) : CPlaceholderView(pDoc, 198, 2, parent) {}
};
