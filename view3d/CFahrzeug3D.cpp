// Vehicle renderer resources: font, textures and texture effects, circle tables and the circle marker.
#include "view3d/CFahrzeug3D.h"

#include "draw2d/CFahrzeugDiagramm3D.h"
#include "draw2d/FontTable.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"
#include "platform/ResourceModule.h"
#include "platform/gl/IRenderDevice.h"
#include "view3d/SceneMarkers.h"

#include <QDir>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <optional>

namespace {

constexpr quint32 BITMAP_MARKER = 509;
constexpr int LABEL_PIXEL_HEIGHT = 64;

// The labels' face: the drawings' fixed-pitch face, bold.
QFont LabelFont()
{
    return FontTable::MakeFont("Courier New", -LABEL_PIXEL_HEIGHT, 700);
}

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
        m_font = std::make_unique<QFont>(LabelFont());
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
    const QFont font = m_font != nullptr ? *m_font : LabelFont();
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

int CFahrzeug3D::IsLgSichgFlagSet(const CLadeeinheit* unit)
{
    return unit != nullptr && unit->m_bVorhanden != 0 && unit->m_Wizard.m_nZurrmittelTyp == 1 ? 1 : 0;
}

int CFahrzeug3D::GetLgSichgValue(const CLadeeinheit* unit)
{
    return unit != nullptr && unit->m_bVorhanden != 0 ? unit->m_Wizard.m_bAntirutschmatte : 0;
}

int CFahrzeug3D::GetLgSichgValueLg(const tagLGINFO* load, const CFahrzeug* vehicle)
{
    if (load == nullptr || vehicle == nullptr || load->m_nTyp >= 5 || load->GetLeId() == 0)
        return 0;
    const CQOR* plan = vehicle->GetQor();
    return plan != nullptr ? GetLgSichgValue(plan->FindLadeeinheit(load->GetLeId())) : 0;
}

float CFahrzeug3D::LabelSide(float width, bool van)
{
    return std::max(van ? 1.3f : 1.75f, width * 0.5f + (van ? 0.3f : 0.5f));
}

const CFahrzeug3D::Label& CFahrzeug3D::CachedLabel(const QString& text)
{
    auto it = m_labels.find(text);
    if (it == m_labels.end())
        it = m_labels.emplace(text, MakeLabel(text, AXLE_LABEL_HEIGHT)).first;
    return it->second;
}

namespace {

std::uint32_t Argb(const tbColor& c)
{
    const auto channel = [](float v) {
        return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
    };
    return channel(c.a) << 24 | channel(c.r) << 16 | channel(c.g) << 8 | channel(c.b);
}

// Two triangles of a quad lying on the ground: `a` the corner of texture (u0, v0), `along` to the
// corner of (u1, v0), `across` to that of (u0, v1).
std::array<CFahrzeug3D::TexturedVertex, 6> GroundQuad(const tbVector3& a, const tbVector3& along,
                                                      const tbVector3& across, std::uint32_t colour, float u0,
                                                      float v0, float u1, float v1)
{
    const tbVector3 b = a + along, c = a + along + across, d = a + across;
    return {{{a.x, a.y, a.z, colour, u0, v0},
             {b.x, b.y, b.z, colour, u1, v0},
             {c.x, c.y, c.z, colour, u1, v1},
             {a.x, a.y, a.z, colour, u0, v0},
             {c.x, c.y, c.z, colour, u1, v1},
             {d.x, d.y, d.z, colour, u0, v1}}};
}

} // namespace

void CFahrzeug3D::DrawAchslastSkala(IRenderDevice& device, const tbVector3& corner1, const tbVector3& corner2,
                                    const tbColor& colour)
{
    if (m_opaqueEffect == nullptr)
        return;
    const tbVector3 middle = (corner1 + corner2) * 0.5f;
    const tbVector3 a = middle + (corner1 - middle) * 1.02f;
    const tbVector3 c = middle + (corner2 - middle) * 1.02f;
    // At 0.6 over the light ground: the plate shows the colour lightened, the figure stays readable on it.
    const tbColor white{1.0f, 1.0f, 1.0f, 1.0f};
    tbColor plate = LerpColor(white, colour, 0.6f);
    plate.a = 0.6f;
    // Textures are uploaded bottom row first, so the picture's top part lies at v 1.
    const auto quad = GroundQuad(a, {0.0f, 0.0f, c.z - a.z}, {c.x - a.x, 0.0f, 0.0f}, Argb(plate), 0.00195f,
                                 1.0f, 0.59375f, 1.0f - 0.23047f);
    m_opaqueEffect->Begin(device);
    device.DrawPrimitive(PrimitiveType::TriangleList, VertexLayout::PositionColourTexture, quad.data(), 2,
                         sizeof(TexturedVertex));
    m_opaqueEffect->End(device);
}

int CFahrzeug3D::DrawAchslastLabels(IRenderDevice& device, CFahrzeug& v, const tbVector3& o,
                                    bool behindTowing, const tbMatrix& world)
{
    double loadFront = 0.0, loadRear = 0.0;
    v.CalcAchslastenBeladen(&loadFront, &loadRear);
    const int kind = v.GetArt();
    const int axles = v.GetAchsanzahl();
    if (axles <= 0)
        return 0;
    const float p1 = v.GetAchse1Position();
    const auto axleZ = [&](int i) { return o.z - static_cast<float>(v.GetAchsPosition(i) + p1); };
    const int frontAxles = std::clamp(v.CalcAnzahlVorderachsen(), 1, axles);
    float zFront = 0.0f;
    for (int i = 0; i < frontAxles; ++i)
        zFront += axleZ(i);
    zFront /= static_cast<float>(frontAxles);
    float zRear = 0.0f;
    const double distance = v.CalcHinterachsgruppe(true);
    if (std::isfinite(distance) && distance > 0.0) {
        zRear = zFront - static_cast<float>(distance);
    } else {
        for (int i = frontAxles; i < axles; ++i)
            zRear += axleZ(i);
        zRear = axles > frontAxles ? zRear / static_cast<float>(axles - frontAxles) : axleZ(axles - 1);
    }
    const bool trailerBehind =
        behindTowing && (kind == FahrzeugArt::kStarrdeichsel || kind == FahrzeugArt::kAuflieger);
    const float x = LabelSide(v.GetLFBreite(), v.IsArt5());

    int drawn = 0;
    device.SetTransform(TransformKind::World, world);
    const int lighting = device.GetRenderState(RenderState::Lighting);
    const int vertexColour = device.GetRenderState(RenderState::ColorVertex);
    const int cull = device.GetRenderState(RenderState::CullMode);
    device.SetRenderState(RenderState::Lighting, 0);
    device.SetRenderState(RenderState::ColorVertex, 1);
    // The labels are read from above whichever way the quads wind.
    device.SetRenderState(RenderState::CullMode, static_cast<int>(CullMode::None));
    for (const bool rear : {false, true}) {
        if (!rear && trailerBehind)
            continue;
        const double load = rear ? loadRear : loadFront;
        const std::optional<tbColor> colour = SceneMarkers::LabelColour(
            static_cast<float>(load), static_cast<float>(v.GetZulAchsgruppenlast(rear)));
        if (!colour || !std::isfinite(load))
            continue;
        const Label& label = CachedLabel(QString::asprintf("%.0f", load * 1000.0));
        const float z = rear ? zRear : zFront;
        const float w = label.width, h = AXLE_LABEL_HEIGHT, margin = AXLE_LABEL_MARGIN;
        // The plate first, then the figure a little above it; both read from the side of the vehicle.
        // Seen from that side the front (+z) is on the right, so the text runs towards it.
        // The plate's left end holds the scale picture, so it reaches further out before the text.
        DrawAchslastSkala(device, {x - margin, 0.01f, z - w * 0.5f - h * 0.7f},
                          {x + h + margin, 0.01f, z + w * 0.5f + margin}, *colour);
        const auto text = GroundQuad({x, 0.015f, z - w * 0.5f}, {0.0f, 0.0f, w}, {h, 0.0f, 0.0f},
                                     Argb(*colour), 0.0f, 1.0f, 1.0f, 0.0f);
        TextureEffect effect(true, &label.image);
        effect.Begin(device);
        device.DrawPrimitive(PrimitiveType::TriangleList, VertexLayout::PositionColourTexture, text.data(), 2,
                             sizeof(TexturedVertex));
        effect.End(device);
        ++drawn;
    }
    device.SetRenderState(RenderState::CullMode, cull);
    device.SetRenderState(RenderState::ColorVertex, vertexColour);
    device.SetRenderState(RenderState::Lighting, lighting);
    return drawn;
}
