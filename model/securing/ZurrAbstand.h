// Spacing of lashings along a load unit.
#pragma once

class CLadeeinheit;

// The number of lashings and their spacing along the unit's length L. With an edge distance of 0
// (within 1e-4) the spacing is L / (n + 1) and the usable length L minus two spacings; otherwise the
// usable length is L minus twice the edge distance and the spacing usable length / (n - 1). The count
// is (floor(n / usable length) + 1) * factor. Writes the non-null outputs; true when the count exceeds
// the limit. A usable length of 0 or less counts as no length (count = factor), and a single lashing
// with an edge distance has spacing 0.
bool CalcZurrAbstand(const CLadeeinheit* pEinheit, int nLimit, int n, int nFaktor, double dRandabstand,
                     int* pCount, double* pAbstand);
