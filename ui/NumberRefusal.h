// The words of a refused number entry, shared by the edit field and the value slider.
#pragma once

#include <QString>

#include <optional>
#include <utility>

// "“typed” cannot be read as a number." or "typed lies outside the range this entry takes.", then
// "Enter a number from min to max." (or "Enter a number." without a range), the figures in the
// interface language's format with `decimals` places. HTML: the typed text is escaped.
QString NumberRefusalText(const QString& typed, bool readable,
                          const std::optional<std::pair<double, double>>& range, int decimals);
