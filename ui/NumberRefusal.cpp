// The words of a refused number entry.
#include "ui/NumberRefusal.h"

#include "model/text/NumberText.h"
#include "model/text/TextFormat.h"
#include "model/text/TextProvider.h"

namespace {

constexpr quint32 kTextKeineZahl = 61710;
constexpr quint32 kTextBereich = 61711;
constexpr quint32 kTextZahl = 61712;
constexpr quint32 kTextAusserhalb = 61713;

// A text of the language module, with the English words where none is loaded.
std::string Text(quint32 id, const char* english)
{
    std::string text = LoadResString(id);
    return text.empty() ? std::string(english) : text;
}

} // namespace

QString NumberRefusalText(const QString& typed, bool readable,
                          const std::optional<std::pair<double, double>>& range, int decimals)
{
    const std::string quoted = typed.trimmed().toHtmlEscaped().toStdString();
    std::string text =
        readable
            ? FormatChecked(Text(kTextAusserhalb, "%s lies outside the range this entry takes."), {quoted})
            : FormatChecked(Text(kTextKeineZahl, "\u201c%s\u201d cannot be read as a number."), {quoted});
    text += ' ';
    if (range)
        text += FormatChecked(Text(kTextBereich, "Enter a number from %s to %s."),
                              {FormatNumber(range->first, decimals), FormatNumber(range->second, decimals)});
    else
        text += Text(kTextZahl, "Enter a number.");
    return QString::fromStdString(text);
}
