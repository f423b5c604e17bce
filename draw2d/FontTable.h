// The fonts of the drawings: the face names the drawing code asks for, mapped to installed fonts.
#pragma once

#include <QFont>
#include <QString>

#include <string_view>

// Four kinds of face serve every picture: a sans, a narrow sans, a serif and a fixed-pitch face, all
// from the DejaVu families (Debian packages fonts-dejavu-core and fonts-dejavu-extra).
class FontTable
{
public:
    enum Face
    {
        Sans,
        Narrow,
        Serif,
        Fixed,
    };

    // The kind of a face name: "Arial Narrow" or "narrow" a narrow sans, "Times New Roman" and other
    // serif faces a serif, "Courier New" and other typewriter faces fixed-pitch, anything else a sans.
    static Face FaceOf(std::string_view faceName);
    // The installed family of a kind.
    static QString Family(Face face);
    // A font of the face name. A negative height is the character height in pixels, a positive one the
    // cell height (ascent plus descent) in pixels, 0 the default of 12 pixels; weights as 100..900.
    static QFont MakeFont(std::string_view faceName, int height, int weight = 400, bool italic = false);
};
