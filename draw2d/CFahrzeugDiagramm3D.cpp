// The chart's surface and panel on the render device.
#include "draw2d/CFahrzeugDiagramm3D.h"

#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CTupelList.h"
#include "model/vehicle/SYs2X.h"
#include "platform/gl/IRenderDevice.h"
#include "platform/gl/KeptVertices.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cstring>

CFahrzeugDiagramm3D::CFahrzeugDiagramm3D() = default;

CFahrzeugDiagramm3D::~CFahrzeugDiagramm3D() = default;

bool CFahrzeugDiagramm3D::BuildMesh(CFahrzeug& vehicle, float maxPayload, bool reducedHeight)
{
    CTupelList* curve = vehicle.GetKurve(false);
    if (curve == nullptr || curve->IsEmpty() || !(maxPayload > 0.0f)) {
        m_surface.reset();
        m_halfIndexCount = 0;
        m_mesh.Build({}, {}, 0, 0, 0, 0);
        m_inputs = {};
        return false;
    }
    Inputs inputs;
    for (const SYs2X* p : curve->Punkte())
        if (p != nullptr && p->m_dMaxLast >= 0.0)
            inputs.records.push_back({p->m_dX, p->m_dMaxLast, p->m_dMinLast});
    const CFahrzeugDiagramm& chart = vehicle.m_Diagramm;
    for (const tbVector2& p : chart.GetPunkte())
        inputs.points.push_back({p.x, p.y});
    std::sort(inputs.points.begin(), inputs.points.end(),
              [](const auto& a, const auto& b) { return a.payload < b.payload; });
    inputs.halfWidth = vehicle.GetLFBreite() * 0.5f;
    inputs.k = chart.GetK();
    inputs.c = chart.GetC();
    inputs.scale = (reducedHeight ? 1.5f : 3.5f) / maxPayload;
    // Frames follow each other with the same chart: the surface is made again only when what it is made
    // from changed.
    if (m_inputs && *m_inputs == inputs)
        return m_built;
    m_surface.reset();
    m_halfIndexCount = 0;
    m_inputs = std::move(inputs);
    const Inputs& in = *m_inputs;
    m_built = m_mesh.Build(in.records, in.points, in.halfWidth, in.k, in.c, in.scale);
    if (!m_built)
        return false;
    std::vector<std::uint8_t> bytes(m_mesh.Vertices().size() * 32);
    std::uint8_t* out = bytes.data();
    for (const DiagrammMesh::Vertex& p : m_mesh.Vertices()) {
        const float vertex[8] = {p.x, p.y, p.z, p.nx, p.ny, p.nz, 0.0f, 0.0f};
        std::memcpy(out, vertex, sizeof vertex);
        out += sizeof vertex;
    }
    m_halfIndexCount = static_cast<int>(m_mesh.Indices().size() / 2);
    m_surface = std::make_unique<KeptVertices>(VertexLayout::PositionNormalTexture, std::move(bytes),
                                               m_mesh.Indices());
    return true;
}

bool CFahrzeugDiagramm3D::Inputs::operator==(const Inputs& o) const
{
    const auto sameRecord = [](const DiagrammMesh::Record& a, const DiagrammMesh::Record& b) {
        return a.x == b.x && a.upper == b.upper && a.lower == b.lower;
    };
    const auto samePoint = [](const DiagrammMesh::LateralPoint& a, const DiagrammMesh::LateralPoint& b) {
        return a.reach == b.reach && a.payload == b.payload;
    };
    return halfWidth == o.halfWidth && k == o.k && c == o.c && scale == o.scale &&
           std::equal(records.begin(), records.end(), o.records.begin(), o.records.end(), sameRecord) &&
           std::equal(points.begin(), points.end(), o.points.begin(), o.points.end(), samePoint);
}

void CFahrzeugDiagramm3D::DrawHalves(IRenderDevice& device)
{
    if (!m_surface || m_halfIndexCount < 3)
        return;
    for (int half = 0; half < 2; ++half)
        device.DrawKept(PrimitiveType::TriangleList, *m_surface, half * m_halfIndexCount,
                        m_halfIndexCount / 3);
}

bool CFahrzeugDiagramm3D::Render3D(IRenderDevice& device)
{
    if (!IsBuilt())
        return false;
    const RenderState saved[] = {RenderState::CullMode,         RenderState::FillMode,
                                 RenderState::Lighting,         RenderState::ColorVertex,
                                 RenderState::AlphaBlendEnable, RenderState::ZWriteEnable};
    std::array<int, std::size(saved)> values{};
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = device.GetRenderState(saved[i]);
    const tbColor material = device.GetMaterialColour();
    device.SetRenderState(RenderState::ColorVertex, 0);
    device.SetRenderState(RenderState::Lighting, 1);
    device.SetRenderState(RenderState::AlphaBlendEnable, 1);
    device.SetRenderState(RenderState::ZWriteEnable, 0);
    for (int i = 0; i < 4; ++i)
        device.LightEnable(i, false);
    for (const auto& [colour, fill] :
         {std::pair{kSurface, FillMode::Solid}, std::pair{kWire, FillMode::Wireframe}}) {
        device.SetMaterialColour(colour);
        device.SetRenderState(RenderState::FillMode, static_cast<int>(fill));
        device.SetRenderState(RenderState::CullMode, static_cast<int>(CullMode::Clockwise));
        DrawHalves(device);
        device.SetRenderState(RenderState::CullMode, static_cast<int>(CullMode::CounterClockwise));
        DrawHalves(device);
    }
    device.SetMaterialColour(material);
    for (std::size_t i = 0; i < values.size(); ++i)
        device.SetRenderState(saved[i], values[i]);
    for (int i = 0; i < 4; ++i)
        device.LightEnable(i, true);
    return true;
}

bool CFahrzeugDiagramm3D::RenderPanel(IRenderDevice& device, const tbVector3& pos, const QImage& chart,
                                      float loadAreaWidth)
{
    if (chart.isNull())
        return false;
    // A texture changed every frame would be uploaded anew every frame: only a changed chart is put in.
    if (m_texture.isNull() || m_texture.size() != QSize(kTextureSize, kTextureSize) ||
        chart != m_textureChart) {
        m_texture = QImage(kTextureSize, kTextureSize, QImage::Format_RGBA8888);
        m_texture.fill(Qt::white);
        // Textures go to the device bottom row first (v 0 is the picture's last row): the chart stands
        // upside down in the picture's lower rows, so v 0 .. 352 / 512 runs from its top to its bottom.
        QPainter p(&m_texture);
        p.drawImage(0, kTextureSize - chart.height(), chart.mirrored());
        p.end();
        m_textureChart = chart;
    }
    const float width = kPanelWidth;
    const float height = kPanelWidth * static_cast<float>(chart.height()) / static_cast<float>(chart.width());
    const float w = std::max(2.5f, loadAreaWidth);
    const tbVector3 origin{pos.x - 0.5f - w / 2.0f - width, pos.y + 0.01f, pos.z};
    return DrawTexturedQuad(device, &m_texture, origin, {1, 0, 0}, {0, 0, -1}, width, height,
                            static_cast<float>(chart.width()) / kTextureSize,
                            static_cast<float>(chart.height()) / kTextureSize);
}

const QImage* CFahrzeugDiagramm3D::PanelPicture(CFahrzeug& vehicle)
{
    const std::uint64_t stand = vehicle.m_Diagramm.GetBildStand();
    if (m_pictureOf != &vehicle || m_pictureStand != stand) {
        const int mark = vehicle.m_Diagramm.m_bNeuZeichnen;
        vehicle.GetDiagramm().m_bNeuZeichnen = 1;
        m_hasPicture = m_picture.Draw(vehicle) != 0;
        vehicle.GetDiagramm().m_bNeuZeichnen = mark;
        m_pictureOf = &vehicle;
        m_pictureStand = stand;
    }
    return m_hasPicture ? &m_picture.GetImage() : nullptr;
}

bool CFahrzeugDiagramm3D::DrawTexturedQuad(IRenderDevice& device, const QImage* texture,
                                           const tbVector3& origin, const tbVector3& edgeWidth,
                                           const tbVector3& edgeHeight, float width, float height, float u,
                                           float v)
{
    if (texture == nullptr || texture->isNull())
        return false;
    struct Vertex
    {
        float x, y, z;
        std::uint32_t colour;
        float u, v;
    };
    const tbVector3 a = origin, b = origin + width * edgeWidth, c = b + height * edgeHeight,
                    d = origin + height * edgeHeight;
    const std::uint32_t white = 0xFFFFFFFFu;
    const Vertex quad[6] = {{a.x, a.y, a.z, white, 0, 0}, {b.x, b.y, b.z, white, u, 0},
                            {c.x, c.y, c.z, white, u, v}, {a.x, a.y, a.z, white, 0, 0},
                            {c.x, c.y, c.z, white, u, v}, {d.x, d.y, d.z, white, 0, v}};
    const int lighting = device.GetRenderState(RenderState::Lighting);
    const int vertexColour = device.GetRenderState(RenderState::ColorVertex);
    device.SetRenderState(RenderState::Lighting, 0);
    device.SetRenderState(RenderState::ColorVertex, 1);
    device.SetTexture(texture);
    device.DrawPrimitive(PrimitiveType::TriangleList, VertexLayout::PositionColourTexture, quad, 2,
                         sizeof(Vertex));
    device.SetTexture(nullptr);
    device.SetRenderState(RenderState::ColorVertex, vertexColour);
    device.SetRenderState(RenderState::Lighting, lighting);
    return true;
}
