// The template view's pick line as the payload-at-position dialog places and drops it.
#include "views/CQOR1View.h"

void CQOR1View::SetPickPosition(double dPos, CFahrzeug* /*pFahrzeug*/, bool bMove)
{
    SetPickPosition(dPos, bMove);
}

void CQOR1View::ClearPickLine()
{
    m_nPickX = -1;
    m_nPickXOld = -1;
    m_dPickPos = 0.0;
    viewport()->update();
}
