// The mark of a load unit's securing verdict, drawn alike in the plan, the securing view and the
// reports' sketches.
#pragma once

#include "model/plan/SicherungsStand.h"

#include <QImage>
#include <QRect>

class QPainter;

class SicherungsMarke
{
public:
    // Red of the defect mark, grey of the mark of a unit not yet calculated.
    static constexpr QRgb kFarbeMaengel = 0xFFD32F2F;
    static constexpr QRgb kFarbeOffen = 0xFF8A8A8A;

    // Where the mark of a unit drawn in `einheit` goes: centred, the size of the tick picture
    // (`voll`), smaller in a small unit; empty when the unit is too small for one.
    static QRect Ziel(const QRect& einheit, const QSize& voll);

    // Draws the mark of `stand` into `ziel`: the tick picture for a secured unit, a red disc with
    // an exclamation mark for defects, a grey disc with a question mark for a unit not calculated,
    // nothing for a unit outside the securing.
    static void Zeichne(QPainter& p, const QRect& ziel, SicherungsStand stand, const QImage& haken);
};
