// What an animation asks of the view it plays in beyond the scroll area itself.
#pragma once

// A view that sometimes must not show its animations (while it prints or drags, for instance)
// implements this beside its QAbstractScrollArea base; views without it never suppress them.
class IAnimationView
{
public:
    virtual ~IAnimationView() = default;
    virtual bool SuppressAnimation() const = 0;
};
