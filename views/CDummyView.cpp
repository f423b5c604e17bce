// A view that shows nothing: the tabbed view host's stand-in in a splitter pane.
#include "views/CDummyView.h"

void CDummyView::OnInitialUpdate()
{
    CGetAnsView::OnInitialUpdate();
    SetScrollSizes(QSize(0, 0));
}
