// The fonts of the drawings: the face names the drawing code asks for, mapped to installed fonts.
#include "draw2d/FontTable.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

namespace {

std::string Lower(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

bool Contains(const std::string& text, std::string_view part)
{
    return text.find(part) != std::string::npos;
}

} // namespace

FontTable::Face FontTable::FaceOf(std::string_view faceName)
{
    const std::string name = Lower(faceName);
    if (Contains(name, "narrow") || Contains(name, "condensed"))
        return Narrow;
    if (Contains(name, "courier") || Contains(name, "consolas") || Contains(name, "console") ||
        Contains(name, "mono") || Contains(name, "fixedsys"))
        return Fixed;
    if (Contains(name, "times") || Contains(name, "georgia") ||
        (Contains(name, "serif") && !Contains(name, "sans")))
        return Serif;
    return Sans;
}

QString FontTable::Family(Face face)
{
    switch (face) {
    case Narrow:
        return QStringLiteral("DejaVu Sans Condensed");
    case Serif:
        return QStringLiteral("DejaVu Serif");
    case Fixed:
        return QStringLiteral("DejaVu Sans Mono");
    case Sans:
        break;
    }
    return QStringLiteral("DejaVu Sans");
}

QFont FontTable::MakeFont(std::string_view faceName, int height, int weight, bool italic)
{
    const Face face = FaceOf(faceName);
    QFont font(Family(face));
    font.setStyleHint(face == Fixed ? QFont::TypeWriter : face == Serif ? QFont::Serif : QFont::SansSerif);
    if (face == Narrow)
        font.setStretch(QFont::Condensed);
    font.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 100, 900)));
    font.setItalic(italic);
    int pixels = 12;
    if (height < 0) {
        pixels = -height;
    } else if (height > 0) {
        // The cell height includes the face's leading: scale from the cell of a large reference size.
        QFont reference(font);
        reference.setPixelSize(100);
        const double cell = QFontMetricsF(reference).height();
        pixels = cell > 0 ? static_cast<int>(std::lround(height * 100.0 / cell)) : height;
    }
    font.setPixelSize(std::max(1, pixels));
    return font;
}
