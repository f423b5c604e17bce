// A catalogue item's picture held as a QImage.
#pragma once

#include "model/files/ItemPicture.h"

#include <QImage>

class QImageItemPicture : public ItemPicture
{
public:
    explicit QImageItemPicture(QImage image) : m_image(std::move(image)) {}
    std::unique_ptr<ItemPicture> Clone() const override;
    const QImage& Image() const { return m_image; }

    // The picture of a record, or a null image when it has none.
    static QImage Of(const ItemPicture* picture);

private:
    QImage m_image;
};
