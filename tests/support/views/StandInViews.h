// The stand-in views of the tests: a template and a loading-plan stand-in, the load-securing and 3D
// stand-ins, for a view host whose tests need no real view of a kind.
#pragma once

class CGetAnsView;
class CQOR1Doc;

// The stand-in of a view kind 0 to 3 of CTabbedViewView for a document, or null for another kind; the
// host owns it. A view factory for CTabbedViewView.
CGetAnsView* MakeStandInView(int nKind, CQOR1Doc* pDoc);
