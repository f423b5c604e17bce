// The slider owner's registry of live owners.
#include "ui/ISliderOwner.h"

#include <unordered_set>

namespace {

std::unordered_set<const ISliderOwner*>& LiveOwners()
{
    static std::unordered_set<const ISliderOwner*> owners;
    return owners;
}

} // namespace

ISliderOwner::ISliderOwner()
{
    LiveOwners().insert(this);
}

ISliderOwner::~ISliderOwner()
{
    LiveOwners().erase(this);
}

bool ISliderOwner::IsAlive(const ISliderOwner* owner)
{
    return owner && LiveOwners().count(owner) != 0;
}
