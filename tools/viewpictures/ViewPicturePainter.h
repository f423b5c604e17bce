// Draws the views' pictures by number: the cursors and the tab icons.
#pragma once

#include <QImage>
#include <QList>
#include <QString>

class ViewPicturePainter
{
public:
    // Every picture as its path in the language folder ("cursors/252.png", "bitmaps/542.png").
    static QList<QString> Paths();
    // The picture of a path; a null image for a path the painter does not draw.
    static QImage Draw(const QString& path);
    // The cursor numbers drawn, each 32 x 32 with a transparent background.
    static QList<int> CursorIds();
    static QImage Cursor(int id);
    // The five 16 x 16 tab icons side by side: vehicle, loading plan, load securing, split view, 3D.
    static QImage TabIcons();
};
