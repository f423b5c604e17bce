// A view that shows nothing: the tabbed view host's stand-in in a splitter pane.
#pragma once

#include "views/CGetAnsView.h"

class CDummyView : public CGetAnsView
{
    Q_OBJECT

public:
    using CGetAnsView::CGetAnsView;

    // No scrolled area.
    void OnInitialUpdate() override;
};
