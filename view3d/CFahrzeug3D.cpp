// Vehicle renderer resources: font, textures and texture effects, circle tables and the circle marker.
#include "view3d/CFahrzeug3D.h"

#include "draw2d/CFahrzeugDiagramm3D.h"
#include "platform/ResourceModule.h"
#include "platform/gl/IRenderDevice.h"

#include <QDir>
#include <QFontMetricsF>
#include <QPainter>

#include <cmath>
#include <numbers>

namespace {

constexpr quint32 BITMAP_MARKER = 509;
constexpr int LABEL_PIXEL_HEIGHT = 64;

} // namespace

tbColor LerpColor(const tbColor& from, const tbColor& to, float t)
{
    return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t,
            from.a + (to.a - from.a) * t};
}

tbMatrix IdentityMatrix()
{
    return tbMatrixIdentity();
}

CFahrzeug3D::CFahrzeug3D(QString programFolder, const ResourceModule* module)
    : m_programFolder(std::move(programFolder)), m_module(module)
{
    m_grid.SetOptions(1, 1, 3);
    m_grid.Create(50.0f, 0.4f);
}

CFahrzeug3D::~CFahrzeug3D()
{
    ReleaseResources();
}

bool CFahrzeug3D::InitResources()
{
    if (m_bResources)
        return true;
    m_scaleIcon = {};
    m_scaleCorner1 = {-0.53f, -0.26f, -0.005f};
    m_scaleCorner2 = {3.69f, 1.37f, -0.005f};
    m_scaleSize = 0.26042f;

    // A failed earlier attempt may have left these: they are made once and kept for the retry.
    if (m_font == nullptr) {
        m_font = std::make_unique<QFont>(QStringLiteral("DejaVu Sans Mono"));
        m_font->setPixelSize(LABEL_PIXEL_HEIGHT);
        m_font->setBold(true);
    }
    if (m_blendedEffect == nullptr && m_module != nullptr) {
        QImage bitmap = m_module->Bitmap(BITMAP_MARKER);
        if (!bitmap.isNull()) {
            // Pure opaque red is the transparent colour of the picture.
            bitmap = bitmap.convertToFormat(QImage::Format_ARGB32);
            for (int y = 0; y < bitmap.height(); ++y) {
                auto* line = reinterpret_cast<QRgb*>(bitmap.scanLine(y));
                for (int x = 0; x < bitmap.width(); ++x)
                    if (line[x] == 0xFFFF0000u)
                        line[x] = 0;
            }
            m_bitmapTexture = std::make_unique<QImage>(std::move(bitmap));
            m_blendedEffect = std::make_unique<TextureEffect>(true, m_bitmapTexture.get());
        }
    }

    const QString scalePath = QDir(m_programFolder).filePath(QStringLiteral("Modelle/TEX/Waage.bmp"));
    auto scale = std::make_unique<QImage>(scalePath);
    if (scale->isNull())
        return false;
    m_scaleTexture = std::move(scale);
    m_opaqueEffect = std::make_unique<TextureEffect>(false, m_scaleTexture.get());
    FillCircles();
    m_bResources = true;
    return true;
}

void CFahrzeug3D::ReleaseResources()
{
    if (m_opaqueEffect != nullptr)
        m_opaqueEffect->SetTexture(nullptr);
    if (m_blendedEffect != nullptr)
        m_blendedEffect->SetTexture(nullptr);
    m_font.reset();
    m_opaqueEffect.reset();
    m_blendedEffect.reset();
    m_scaleTexture.reset();
    m_bitmapTexture.reset();
    m_bResources = false;
}

void CFahrzeug3D::FillCircles()
{
    for (int i = 0; i < CIRCLE_VERTICES; ++i) {
        const float a = static_cast<float>(i) * std::numbers::pi_v<float> / 16.0f;
        // The last vertex repeats the first exactly, so the strip closes without a gap.
        const float c = i == CIRCLE_VERTICES - 1 ? 1.0f : std::cos(a);
        const float s = i == CIRCLE_VERTICES - 1 ? 0.0f : std::sin(a);
        const auto k = static_cast<std::size_t>(i);
        m_circles[0][k] = {c, s, 0.0f, 0};
        m_circles[1][k] = {0.0f, s, c, 0};
        m_circles[2][k] = {s, 0.0f, c, 0};
    }
}

int CFahrzeug3D::DrawKreise(IRenderDevice& device, const tbVector3& position, std::uint32_t colour,
                            float radius)
{
    if (colour != 0)
        for (Circle& circle : m_circles)
            for (ColourVertex& v : circle)
                v.colour = colour;
    device.SetTransform(TransformKind::World,
                        tbMatrixScaling({radius, radius, radius}) * tbMatrixTranslation(position));
    const int lighting = device.GetRenderState(RenderState::Lighting);
    const int vertexColour = device.GetRenderState(RenderState::ColorVertex);
    device.SetRenderState(RenderState::Lighting, 0);
    device.SetRenderState(RenderState::ColorVertex, 1);
    device.SetRenderState(RenderState::ZEnable, 0);
    for (const Circle& circle : m_circles)
        device.DrawPrimitive(PrimitiveType::LineStrip, VertexLayout::PositionColour, circle.data(),
                             CIRCLE_VERTICES - 1, sizeof(ColourVertex));
    device.SetRenderState(RenderState::ZEnable, 1);
    device.SetRenderState(RenderState::ColorVertex, vertexColour);
    device.SetRenderState(RenderState::Lighting, lighting);
    return 1;
}

CFahrzeug3D::Label CFahrzeug3D::MakeLabel(const QString& text, float height) const
{
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setPixelSize(LABEL_PIXEL_HEIGHT);
    font.setBold(true);
    if (m_font != nullptr)
        font = *m_font;
    const QFontMetricsF metrics(font);
    const int pixelWidth = std::max(1, static_cast<int>(std::ceil(metrics.horizontalAdvance(text))));
    const int pixelHeight = std::max(1, static_cast<int>(std::ceil(metrics.height())));
    Label label;
    label.image = QImage(pixelWidth, pixelHeight, QImage::Format_ARGB32_Premultiplied);
    label.image.fill(Qt::transparent);
    QPainter painter(&label.image);
    painter.setFont(font);
    painter.setPen(Qt::white); // tinted by the vertex colour
    painter.drawText(QPointF(0.0, metrics.ascent()), text);
    painter.end();
    label.width = height * static_cast<float>(pixelWidth) / static_cast<float>(pixelHeight);
    return label;
}
