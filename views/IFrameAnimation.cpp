// A frame animation of memory pictures, drawn by the views at a place of their choosing.
#include "views/IFrameAnimation.h"

#include "views/CStillAnimation.h"

namespace {

IFrameAnimation::Creator& InstalledCreator()
{
    static IFrameAnimation::Creator creator;
    return creator;
}

} // namespace

std::unique_ptr<IFrameAnimation> IFrameAnimation::Create()
{
    if (InstalledCreator())
        if (std::unique_ptr<IFrameAnimation> made = InstalledCreator()())
            return made;
    return std::make_unique<CStillAnimation>();
}

void IFrameAnimation::SetCreator(Creator creator)
{
    InstalledCreator() = std::move(creator);
}
