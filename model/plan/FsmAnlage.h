// Where a form-fit securing element rests: the boundary side or neighbouring load it lies against, and
// how many grid cells of that side it covers.
#pragma once

class CFahrzeug;
class CQOR;
struct tagLGINFO;

// The side the element rests on: 1 behind the goods (rear), 2 beside them towards side B, 3 in front of
// them, 4 beside them towards side A, 0 none. *pArt becomes 1 when it rests on the load-area boundary,
// 2 otherwise (a neighbouring load, or nothing).
int GetFsmAnlage(const CFahrzeug& f, const CQOR* pPlan, const tagLGINFO& lg, int* pArt);

// The cells the element covers on `nSeite`: *pAnzahl the vehicle's grid divisions of that side,
// *pBelegt the element's share of the usable width (sides 1 and 3) or length (2 and 4) in cells.
void GetFsmRaster(const CFahrzeug& f, const tagLGINFO& lg, int nSeite, int* pAnzahl, int* pBelegt);
