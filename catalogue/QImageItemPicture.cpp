// A catalogue item's picture held as a QImage.
#include "catalogue/QImageItemPicture.h"

std::unique_ptr<ItemPicture> QImageItemPicture::Clone() const
{
    return std::make_unique<QImageItemPicture>(m_image.copy());
}

QImage QImageItemPicture::Of(const ItemPicture* picture)
{
    const auto* image = dynamic_cast<const QImageItemPicture*>(picture);
    return image ? image->Image() : QImage();
}
