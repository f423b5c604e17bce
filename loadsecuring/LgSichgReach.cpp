// The reach marker of the load-securing wizard and the answer of a page change.
#include "loadsecuring/LgSichgReach.h"

void LgSichgReach::Enter(int nTarget)
{
    const int R = Reach();
    if (nTarget > R)
        m_nMarker = -(nTarget + 1);
    else if (nTarget == R && m_nMarker < 0)
        m_nMarker = R + 1;
}

bool LgSichgReach::IsNew(int nIndex) const
{
    const int R = Reach();
    return nIndex > R || (nIndex == R && m_nMarker < 0);
}

int LgSichgReach::ResolveTarget(int nTarget, int nAnswer, int nPageCount)
{
    if (nAnswer == -1)
        return nTarget;
    if (nAnswer >= 0 && nAnswer < nPageCount)
        return nAnswer;
    return -1;
}
