// The loading ramp beside the loading plan, from which loads are dropped onto the plan.
#pragma once

#include <QPoint>
#include <QRect>

class QWidget;

// The default is no ramp: hidden, no extent, CalcExtent answers false.
class ILoadingRamp
{
public:
    virtual ~ILoadingRamp() = default;

    // Creates the ramp window as a child of the owner view.
    virtual bool Create(QWidget* /*pOwnerView*/, int /*nId*/, int /*nX*/, int /*nY*/) { return false; }
    // Layout offsets of its controls.
    virtual void SetOffsets(int /*nX*/, int /*nY*/) {}
    // The extent for a plan origin (-1, -1 keeps the stored origin); false without a vehicle.
    virtual bool CalcExtent(int /*nX*/, int /*nY*/) { return false; }
    // Moves the ramp to y (-1 keeps its y).
    virtual void Reposition(int /*nY*/) {}
    virtual bool IsVisible() const { return false; }
    virtual QPoint GetPlanOrigin() const { return QPoint(); }
    virtual bool IsRepositionPending() const { return false; }
    virtual int GetExtentX() const { return 0; }
    virtual QRect GetWindowRect() const { return QRect(); }
    // The height of the band along the bottom of the view that the ramp's panel and strip take while
    // the ramp shows; the plan's scroll area reaches that far below the ramp.
    virtual int GetLeistenHoehe() const { return 0; }
    // The ramp's height in metres below the load area.
    virtual double GetHoeheMeter() const { return 0.0; }
    // Two indices the plan view resets to -1 when the vehicle worked on changes.
    virtual void ResetIndices() {}
    // Shows the ramp under the plan (laid out for the vehicle worked on) or hides it.
    virtual void Show(bool /*bShow*/) {}
};
