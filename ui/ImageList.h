// A list of small pictures of one size, addressed by index, for lists, trees and menus.
#pragma once

#include <QImage>
#include <QList>
#include <QSize>

class ImageList
{
public:
    explicit ImageList(QSize size) : m_size(size) {}

    // Adds the pictures of `bitmap`, cut into pieces of the list's width from left to right (a strip of
    // several pictures gives several entries), and answers the index of the first. Where `mask` is given,
    // its light pixels make the picture transparent. Answers -1 for a null bitmap or one narrower than
    // the list's pictures.
    int Add(const QImage& bitmap, const QImage* mask = nullptr);

    int Count() const { return static_cast<int>(m_images.size()); }
    QSize Size() const { return m_size; }
    // The picture at `index` (ARGB32); null for an index outside the list.
    QImage Image(int index) const;

private:
    QSize m_size;
    QList<QImage> m_images;
};

// Adds a bitmap with its mask to `list`; answers the new index or -1 (also for a null bitmap).
int AddBitmapToImageList(ImageList& list, const QImage* bitmap, const QImage* mask);
