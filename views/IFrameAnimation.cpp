// A frame animation of memory pictures, drawn by the views at a place of their choosing.
#include "views/IFrameAnimation.h"

#include "views/CStillAnimation.h"

namespace {

IFrameAnimation::Creator& InstalledCreator()
{
    static IFrameAnimation::Creator creator;
    return creator;
}

IFrameAnimation::ViewCreator& InstalledViewCreator()
{
    static IFrameAnimation::ViewCreator creator;
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

std::unique_ptr<IFrameAnimation> IFrameAnimation::Create(QAbstractScrollArea* pView)
{
    if (InstalledViewCreator())
        if (std::unique_ptr<IFrameAnimation> made = InstalledViewCreator()(pView))
            return made;
    return Create();
}

void IFrameAnimation::SetViewCreator(ViewCreator creator)
{
    InstalledViewCreator() = std::move(creator);
}

bool IFrameAnimation::HasViewCreator()
{
    return static_cast<bool>(InstalledViewCreator());
}
