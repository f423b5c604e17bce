// How a number field takes a typed entry, and the words of a refused one.
#include "ui/NumberRefusal.h"

#include "model/text/NumberText.h"
#include "model/text/TextFormat.h"
#include "model/text/TextProvider.h"
#include "platform/LanguageNumbers.h"

#include <cmath>

namespace {

constexpr quint32 kTextKeineZahl = 61710;
constexpr quint32 kTextBereich = 61711;
constexpr quint32 kTextZahl = 61712;
constexpr quint32 kTextAusserhalb = 61713;
constexpr quint32 kTextKeineGanzeZahl = 61714;
constexpr quint32 kTextGanzBereich = 61715;
constexpr quint32 kTextGanzeZahl = 61716;

// A text of the language module, with the English words where none is loaded.
std::string Text(quint32 id, const char* english)
{
    std::string text = LoadResString(id);
    return text.empty() ? std::string(english) : text;
}

} // namespace

NumberEntry ReadNumberEntry(const QString& typed, bool whole, const std::optional<NumberRange>& range)
{
    NumberEntry entry;
    const NumberReading reading = ReadNumberText(typed);
    switch (reading.status) {
    case NumberReading::Status::kEmpty:
        entry.status = NumberEntry::Status::kEmpty;
        return entry;
    case NumberReading::Status::kNotANumber:
        entry.status = NumberEntry::Status::kNoNumber;
        return entry;
    case NumberReading::Status::kNumber:
        break;
    }
    entry.value = reading.value;
    if (whole && reading.value != std::trunc(reading.value))
        entry.status = NumberEntry::Status::kNotWhole;
    else if (range && (reading.value < range->first || reading.value > range->second))
        entry.status = NumberEntry::Status::kOutside;
    else
        entry.status = NumberEntry::Status::kTaken;
    return entry;
}

NumberRange WholeNumberRange(double minimum, double maximum)
{
    const double lo = std::round(std::min(minimum, maximum));
    const double hi = std::round(std::max(minimum, maximum));
    // "-0" would be shown as "0" anyway; keep the figures as they are written.
    return {lo == 0.0 ? 0.0 : lo, hi == 0.0 ? 0.0 : hi};
}

QString NumberRefusalText(const QString& typed, NumberEntry::Status why, bool whole,
                          const std::optional<NumberRange>& range, int decimals)
{
    const std::string quoted = typed.trimmed().toHtmlEscaped().toStdString();
    std::string text;
    switch (why) {
    case NumberEntry::Status::kOutside:
        text = FormatChecked(Text(kTextAusserhalb, "%s lies outside the range this entry takes."), {quoted});
        break;
    case NumberEntry::Status::kNotWhole:
        text = FormatChecked(Text(kTextKeineGanzeZahl, "\u201c%s\u201d is not a whole number."), {quoted});
        break;
    default:
        text = FormatChecked(Text(kTextKeineZahl, "\u201c%s\u201d cannot be read as a number."), {quoted});
        break;
    }
    text += ' ';
    const int shown = whole ? 0 : decimals;
    if (range) {
        const std::string from = FormatNumber(range->first, shown);
        const std::string to = FormatNumber(range->second, shown);
        text += whole
                    ? FormatChecked(Text(kTextGanzBereich, "Enter a whole number from %s to %s."), {from, to})
                    : FormatChecked(Text(kTextBereich, "Enter a number from %s to %s."), {from, to});
    } else {
        text += whole ? Text(kTextGanzeZahl, "Enter a whole number.") : Text(kTextZahl, "Enter a number.");
    }
    return QString::fromStdString(text);
}
