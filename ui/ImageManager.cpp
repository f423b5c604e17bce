// Bitmaps and command icons of the toolkit.
#include "ui/ImageManager.h"

#include "platform/ResourceModule.h"

QHash<quint32, ImageManager::IconSet>& ImageManager::Icons()
{
    // The icons of one module: another module current means another set of pictures.
    static QHash<quint32, IconSet> icons;
    static const ResourceModule* iconModule = nullptr;
    if (iconModule != ResourceModule::Current()) {
        icons.clear();
        iconModule = ResourceModule::Current();
    }
    return icons;
}

const ResourceModule* ImageManager::Module()
{
    return ResourceModule::Current();
}

QImage ImageManager::Bitmap(quint32 id)
{
    const ResourceModule* module = Module();
    if (!module)
        return {};
    QImage image = module->Bitmap(id);
    if (image.isNull())
        return {};
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

bool ImageManager::HasIcon(quint32 id)
{
    return Icons().contains(id);
}

void ImageManager::SetIcons(quint32 id)
{
    IconSet set;
    set.normal = Bitmap(id);
    if (!set.normal.isNull() && set.normal.size() != QSize(32, 32))
        set.normal = set.normal.scaled(32, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    set.disabled = DisabledImage(set.normal);
    Icons().insert(id, set);
}

QImage ImageManager::Icon(quint32 id, bool disabled)
{
    const auto it = Icons().constFind(id);
    if (it == Icons().constEnd())
        return {};
    return disabled ? it->disabled : it->normal;
}

QImage ImageManager::DisabledImage(const QImage& image)
{
    if (image.isNull())
        return {};
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb p = line[x];
            const int grey = qGray(p);
            const int light = grey + (255 - grey) * 2 / 5;
            line[x] = qRgba(light, light, light, qAlpha(p) / 2);
        }
    }
    return out.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}
