// Where a load's centre of gravity lies from its position, by the rotation it lies at.
#pragma once

struct tagLGINFO;

// The offset of the centre of gravity of `lg` from its position (its corner at the smallest x and y)
// along x and across, with the load lying at rotation `nDrehung` (its own or one it is tried at). The
// centre of gravity is given from the load's rear left corner: along x at 0 degrees it is m_dSPLaenge,
// across it m_dBreite - m_dSPBreite. Any rotation but 90, 180 and 270 counts as 0. The plan, its load
// units, a drag and the plan's picture all count it through here.
void GetSchwerpunktVersatz(const tagLGINFO& lg, int nDrehung, double* pDx, double* pDy);
