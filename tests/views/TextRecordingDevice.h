// A paint device that draws nothing and keeps every text drawn on it: its string and the rectangle it
// covers on the device (advance width by ascent plus descent, through the painter's transformation);
// and where pictures were drawn.
#pragma once

#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QRectF>
#include <QString>
#include <QTransform>

#include <memory>
#include <vector>

struct DrawnText
{
    QString text;
    QRectF rect;
};

class TextRecordingDevice : public QPaintDevice
{
public:
    explicit TextRecordingDevice(const QSize& size) : m_metrics(size, QImage::Format_RGB32), m_engine(this) {}
    ~TextRecordingDevice() override = default;

    QPaintEngine* paintEngine() const override { return &m_engine; }
    const std::vector<DrawnText>& Texts() const { return m_texts; }
    // Where pictures were drawn on the device.
    const std::vector<QRectF>& Pictures() const { return m_pictures; }

protected:
    // Sizes and resolution of a picture of the same size, so fonts measure as on the screen's picture.
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth:
            return m_metrics.width();
        case PdmHeight:
            return m_metrics.height();
        case PdmWidthMM:
            return m_metrics.widthMM();
        case PdmHeightMM:
            return m_metrics.heightMM();
        case PdmNumColors:
            return m_metrics.colorCount();
        case PdmDepth:
            return m_metrics.depth();
        case PdmDpiX:
        case PdmPhysicalDpiX:
            return m_metrics.logicalDpiX();
        case PdmDpiY:
        case PdmPhysicalDpiY:
            return m_metrics.logicalDpiY();
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        default:
            return 0;
        }
    }

private:
    class Engine : public QPaintEngine
    {
    public:
        explicit Engine(TextRecordingDevice* device)
            : QPaintEngine(QPaintEngine::AllFeatures), m_device(device)
        {
        }
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        Type type() const override { return QPaintEngine::User; }
        void updateState(const QPaintEngineState& changed) override
        {
            if (changed.state() & QPaintEngine::DirtyTransform)
                m_transform = changed.transform();
        }
        void drawPixmap(const QRectF& r, const QPixmap&, const QRectF&) override
        {
            m_device->m_pictures.push_back(m_transform.mapRect(r));
        }
        void drawImage(const QRectF& r, const QImage&, const QRectF&, Qt::ImageConversionFlags) override
        {
            m_device->m_pictures.push_back(m_transform.mapRect(r));
        }
        void drawTiledPixmap(const QRectF&, const QPixmap&, const QPointF&) override {}
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawPolygon(const QPoint*, int, PolygonDrawMode) override {}
        void drawLines(const QLineF*, int) override {}
        void drawLines(const QLine*, int) override {}
        void drawRects(const QRectF*, int) override {}
        void drawRects(const QRect*, int) override {}
        void drawEllipse(const QRectF&) override {}
        void drawPath(const QPainterPath&) override {}
        void drawPoints(const QPointF*, int) override {}
        void drawTextItem(const QPointF& p, const QTextItem& item) override
        {
            const QString s = item.text();
            if (s.trimmed().isEmpty())
                return;
            const QRectF local(p.x(), p.y() - item.ascent(), item.width(), item.ascent() + item.descent());
            m_device->m_texts.push_back({s, m_transform.mapRect(local)});
        }

    private:
        TextRecordingDevice* m_device;
        QTransform m_transform;
    };

    QImage m_metrics;
    mutable Engine m_engine;
    std::vector<DrawnText> m_texts;
    std::vector<QRectF> m_pictures;
};
