// A picture held in memory, ready to be drawn onto any painter; loaded by number or copied from a picture.
#include "draw2d/CMemBm.h"

#include "ui/ResourcePictures.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>

CMemBm::CMemBm(const CMemBm& source, std::uint32_t rop)
{
    CreateCopy(source, rop);
}

CMemBm::~CMemBm()
{
    Destroy();
}

bool CMemBm::LoadBitmap(std::uint32_t id)
{
    if (m_bLoaded)
        return true;
    const QImage picture = LoadCxImageFromResource(id, PICTURE_FORMAT_BITMAP);
    if (picture.isNull())
        return false;
    m_image = picture.convertToFormat(QImage::Format_RGB32);
    m_keyed = QImage();
    m_nWidth = m_image.width();
    m_nHeight = m_image.height();
    m_bLoaded = true;
    return true;
}

bool CMemBm::CreateFromDC(const QImage* source, int x, int y, int cx, int cy, std::uint32_t rop)
{
    if (m_bLoaded)
        return true;
    const std::optional<QPainter::CompositionMode> mode = CompositionModeOf(rop);
    if (!mode || cx <= 0 || cy <= 0)
        return false;
    QImage screen;
    if (!source) {
        if (QScreen* primary = QGuiApplication::primaryScreen())
            screen = primary->grabWindow(0).toImage();
        source = &screen;
    }
    if (source->isNull() || !source->rect().contains(QRect(x, y, cx, cy)))
        return false;
    QImage copy(cx, cy, QImage::Format_RGB32);
    if (copy.isNull())
        return false;
    copy.fill(Qt::black);
    {
        QPainter painter(&copy);
        painter.setCompositionMode(*mode);
        painter.drawImage(QPoint(0, 0), *source, QRect(x, y, cx, cy));
    }
    m_image = std::move(copy);
    m_keyed = QImage();
    m_nWidth = cx;
    m_nHeight = cy;
    m_bLoaded = true;
    return true;
}

bool CMemBm::CreateCopy(const CMemBm& source, std::uint32_t rop)
{
    if (m_bLoaded)
        return true;
    if (!source.m_bLoaded)
        return false;
    return CreateFromDC(&source.m_image, 0, 0, source.m_nWidth, source.m_nHeight, rop);
}

void CMemBm::Draw(QPainter& target, int x, int y, std::uint32_t rop) const
{
    const std::optional<QPainter::CompositionMode> mode = CompositionModeOf(rop);
    if (!m_bLoaded || !mode)
        return;
    target.save();
    target.setCompositionMode(*mode);
    target.drawImage(QPoint(x, y), m_image);
    target.restore();
}

void CMemBm::StretchDraw(QPainter& target, int x, int y, int cx, int cy, std::uint32_t rop,
                         int stretchMode) const
{
    if (cx == m_nWidth && cy == m_nHeight) {
        Draw(target, x, y, rop);
        return;
    }
    const std::optional<QPainter::CompositionMode> mode = CompositionModeOf(rop);
    if (!m_bLoaded || !mode || cx == 0 || cy == 0)
        return;
    const QImage source = (cx < 0 || cy < 0) ? m_image.mirrored(cx < 0, cy < 0) : m_image;
    const QRect rect = QRect(x, y, cx, cy).normalized();
    target.save();
    target.setRenderHint(QPainter::SmoothPixmapTransform, stretchMode == HALFTONE);
    target.setCompositionMode(*mode);
    target.drawImage(QRect(rect.topLeft(), QSize(std::abs(cx), std::abs(cy))), source);
    target.restore();
}

void CMemBm::DrawTransparent(QPainter& target, int x, int y, int cx, int cy, COLORREF transparent) const
{
    if (!m_bLoaded || cx <= 0 || cy <= 0)
        return;
    const QRgb key = ToQRgb(transparent) & 0x00FFFFFF;
    // The keyed picture is made once per picture and colour: a plan draws it on every load.
    if (m_keyed.isNull() || m_keyedFarbe != key) {
        QImage keyed = m_image.convertToFormat(QImage::Format_ARGB32);
        for (int row = 0; row < keyed.height(); ++row) {
            auto* line = reinterpret_cast<QRgb*>(keyed.scanLine(row));
            for (int col = 0; col < keyed.width(); ++col)
                if ((line[col] & 0x00FFFFFF) == key)
                    line[col] = 0;
        }
        m_keyed = std::move(keyed);
        m_keyedFarbe = key;
    }
    const QImage& keyed = m_keyed;
    target.save();
    target.setRenderHint(QPainter::SmoothPixmapTransform, false);
    target.setCompositionMode(QPainter::CompositionMode_SourceOver);
    target.drawImage(QRect(x, y, cx, cy), keyed);
    target.restore();
}

COLORREF CMemBm::GetPixel(int x, int y) const
{
    if (!m_bLoaded || !m_image.valid(x, y))
        return CLR_INVALID;
    return FromQRgb(m_image.pixel(x, y));
}

bool CMemBm::Destroy()
{
    const bool had = m_bLoaded || !m_image.isNull();
    m_image = QImage();
    m_keyed = QImage();
    m_nWidth = 0;
    m_nHeight = 0;
    m_bLoaded = false;
    return had;
}
