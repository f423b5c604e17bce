// Makes the value sliders of the views; the application installs the real one in its run.
#include "views/ISliderFactory.h"

#include "ui/ProgramRun.h"

ISliderFactory& ISliderFactory::Of(const ProgramRun* pRun)
{
    static ISliderFactory fallback;
    ISliderFactory* pFactory = pRun ? pRun->Find<ISliderFactory>() : nullptr;
    return pFactory ? *pFactory : fallback;
}
