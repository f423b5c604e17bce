// Makes the value sliders of the views; the application installs the real one in its run.
#pragma once

#include "views/IValueSlider.h"

#include <QPoint>

#include <memory>

class ProgramRun;
class QWidget;

// The default makes no slider (null), so a view simply does not offer one.
class ISliderFactory
{
public:
    virtual ~ISliderFactory() = default;

    // A slider of `nKind` (1 to 20) with its value and range above the anchor in the owner's client
    // coordinates, compact (46 x 16) or tall (40 x 110).
    virtual std::unique_ptr<IValueSlider> Create(int /*nKind*/, double /*dValue*/, double /*dMin*/,
                                                 double /*dMax*/, QPoint /*anchor*/, QWidget* /*pOwner*/,
                                                 bool /*bCompact*/)
    {
        return nullptr;
    }

    // The factory of the run's windows: the one installed in the run, else the default.
    static ISliderFactory& Of(const ProgramRun* pRun);
};
