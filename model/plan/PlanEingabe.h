// Rules of the loading plan's input that compute without drawing: mouse displacement and rotation
// gesture, distances of the selection to the borders and the align moves, the mass keys, the y value
// measured from side B and the load-area width.
#pragma once

class CFahrzeug;
class CQOR;

// Mouse displacement of (dxPix, dyPix) pixels in centimetres: metres = pixels / scale / zoom, then
// floor(metres x 100 + 1e-6).
void PlanMausVersatz(int dxPix, int dyPix, int nPixelProMeterX, int nPixelProMeterY, double dZoom,
                     int out[2]);

// Signed angle in radians from the vector pivot-to-press to pivot-to-cursor (positive turning from x
// towards y); 0 when either vector has no length.
double PlanDrehWinkel(double pivotX, double pivotY, double pressX, double pressY, double curX, double curY);
// Quarter turns (0..3) of a rotation gesture: floor((|a| + pi/4) / (pi/2)), counted backwards (4 - q)
// for a negative angle.
int PlanVierteldrehungen(double dWinkel);

// Distances of the selected loads: mode 0 the smallest x, 1 the smallest y, 2 the room behind the
// selection to the rear edge of the usable area, 3 the room beside it to side B. -1.0 without a
// selected load or for another mode.
double GetAbstand(const CQOR& plan, const CFahrzeug& f, int nModus);

// The move that brings the selection's distance to border `nSeite` (0 front, 1 side A, 2 rear, 3 side
// B) to dWert metres, in centimetres. False for another side.
bool PlanAusrichtVersatz(int nSeite, double dWert, double dAbstand, int out[2]);
// The align popup's answer for a distance: 0 when it is negative (no selection gives -1), else 1 + the
// distance in whole millimetres.
int PlanAusrichtAntwort(double dAbstand);

// The move across (centimetres) that centres the selection between side A and side B; false when the
// selection is off centre by 0.01 m or less (or nothing is selected).
bool PlanMitteQuerVersatz(const CQOR& plan, const CFahrzeug& f, int* pDy);

// Mass after Ctrl+Up (lighter) or Ctrl+Down (heavier): 0.1 t per press, kept within 0 and 40 t.
double PlanMasseNachTaste(double dMasse, bool bSchwerer);
// The value the mass slider shows: rounded down to 0.001 t after adding 0.00001.
double PlanMasseFuerRegler(double dMasse);
// Whether the mass slider's value is taken: 0 <= value <= 99.99 t.
bool PlanMasseGueltig(double dMasse);
// The step of an arrow key in centimetres: 1, with Shift 10, with Shift and Ctrl 100.
int PlanPfeilSchritt(bool bShift, bool bCtrl);

// y of a load as the position slider shows and takes it: from side A, or with grid side 2 the distance
// from side B (W - mA - mB - y - extent across). The rule is its own inverse.
double PlanYVonSeite(const CFahrzeug& f, int nRasterSeite, double y, double dExtentY);

// The load-area width kept within 0.8 and 4.0 m.
double PlanKlemmeBreite(double dBreite);
// Sets the load-area width of `f` (kept within its limits); with grid side 2 every load of the plan
// moves across by the change, so its distance from side B stays. False when the width equals the
// vehicle's own width, nothing changes then.
bool PlanSetLadeflaechenBreite(CFahrzeug& f, double dBreite, int nRasterSeite);
