// How a number field takes a typed entry, and the words of a refused one: shared by the edit field and
// the value slider, so that every field reads, limits and refuses alike.
#pragma once

#include <QString>

#include <optional>
#include <utility>

// A number field's limits in the units it shows.
using NumberRange = std::pair<double, double>;

// What a number field makes of a typed text.
struct NumberEntry
{
    enum class Status
    {
        kTaken,    // a number the field takes
        kEmpty,    // nothing typed (the field decides what that means)
        kNoNumber, // cannot be read as a number
        kNotWhole, // a decimal in a field that takes whole numbers only
        kOutside,  // a number outside the field's range
    };
    Status status = Status::kEmpty;
    double value = 0.0; // the number read, when there is one

    bool IsTaken() const { return status == Status::kTaken; }
    bool IsRefused() const { return status != Status::kTaken && status != Status::kEmpty; }
};

// Reads `typed` as every number field does (ReadNumberText). A field that shows no decimals takes whole
// numbers only: a decimal is refused, never rounded, so what is kept is what was typed. `range` (none:
// any number) limits what is taken.
NumberEntry ReadNumberEntry(const QString& typed, bool whole, const std::optional<NumberRange>& range);

// The range a whole-number field takes and names: its limits as the field shows them (rounded to whole
// numbers), so that every figure the field shows inside its limits is taken.
NumberRange WholeNumberRange(double minimum, double maximum);

// The note of a refused entry: "“typed” cannot be read as a number.", "“typed” is not a whole number."
// or "typed lies outside the range this entry takes.", then "Enter a number from min to max." (a whole
// number for a whole-number field; without a range "Enter a number."), the figures in the interface
// language's format with `decimals` places (none for a whole-number field). HTML: the typed text is
// escaped.
QString NumberRefusalText(const QString& typed, NumberEntry::Status why, bool whole,
                          const std::optional<NumberRange>& range, int decimals);
