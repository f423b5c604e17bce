// Pictures of the toolkit by number: bitmaps of the current language module and the 32 x 32 command
// icons with their disabled look.
#pragma once

#include <QHash>
#include <QImage>

class ResourceModule;

class ImageManager
{
public:
    // The module bitmaps come from: the program's current language module (ResourceModule::Current).
    static const ResourceModule* Module();

    // A bitmap of the module; a null image when there is none or no module is current.
    static QImage Bitmap(quint32 id);

    // Icons by command id, loaded from the bitmap with the same number when they are registered. The
    // store starts again when the current module changes.
    static bool HasIcon(quint32 id);
    static void SetIcons(quint32 id);
    // The 32 x 32 icon of `id`, or its disabled look; null when the icon is missing.
    static QImage Icon(quint32 id, bool disabled = false);

    // The disabled look of an image: grey, lighter and half transparent.
    static QImage DisabledImage(const QImage& image);

private:
    struct IconSet
    {
        QImage normal;
        QImage disabled;
    };
    static QHash<quint32, IconSet>& Icons();
};
