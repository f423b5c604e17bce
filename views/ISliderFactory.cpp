// Makes the value sliders of the views; the shell installs the real one at start-up.
#include "views/ISliderFactory.h"

namespace {

ISliderFactory* g_pFactory = nullptr;

} // namespace

ISliderFactory& ISliderFactory::Current()
{
    static ISliderFactory fallback;
    return g_pFactory ? *g_pFactory : fallback;
}

void ISliderFactory::SetCurrent(ISliderFactory* pFactory)
{
    g_pFactory = pFactory;
}
