// Draws the pictures of the editing dialogs by number: the ZL kinds, the placement choices and the
// lashing devices' kinds and forces.
#pragma once

#include <QImage>
#include <QList>

class DialogPicturePainter
{
public:
    // The numbers drawn, each kept as "bitmaps/<number>.png".
    static QList<int> Ids();
    // The picture of a number on white, the key colour of its drawing; null for any other number.
    static QImage Draw(int id);
};
