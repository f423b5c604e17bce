// The picture of a catalogue item in memory; the user-interface side supplies the implementation.
#pragma once

#include <memory>

class ItemPicture
{
public:
    virtual ~ItemPicture() = default;
    // A full, independent copy (pixels, selection and alpha channel).
    virtual std::unique_ptr<ItemPicture> Clone() const = 0;
};
