// What a value slider asks of the view that opens it.
#pragma once

class ProgramRun;

// A view that opens sliders implements this beside its widget base. The slider reads the two
// choices when it reports a value and calls SliderGone when it is deleted while the view lives (the
// view then invalidates its highlight rectangle and removes its position marker). Views without it
// report kind 1 with selector 0 and kind 2 with the flag off.
class ISliderOwner
{
public:
    ISliderOwner();
    virtual ~ISliderOwner();
    ISliderOwner(const ISliderOwner&) = delete;
    ISliderOwner& operator=(const ISliderOwner&) = delete;

    // Which message kind-1 values go out with: 0 to 3.
    virtual int SliderKind1Selector() const { return 0; }
    // Whether kind-2 values go out as 0x806C (set) or 0x806D.
    virtual bool SliderKind2Flag() const { return false; }
    virtual void SliderGone() {}
    // The program run whose slider hint the closing of the owner's sliders shows; none by default.
    virtual ProgramRun* SliderProgramRun() { return nullptr; }

    // Whether the owner is still whole (not yet in or past its destructor).
    static bool IsAlive(const ISliderOwner* owner);
};
