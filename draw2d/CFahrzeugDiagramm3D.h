// The chart's 3D side: the translucent payload surface over the load area and the chart lying as a panel
// beside the vehicle, drawn through the render device.
#pragma once

#include "draw2d/CFahrzeugDiagrammBild.h"
#include "draw2d/DiagrammMesh.h"
#include "model/base/tbColor.h"
#include "model/base/tbVector3.h"

#include <QImage>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class CFahrzeug;
class IRenderDevice;
class KeptVertices;

class CFahrzeugDiagramm3D
{
public:
    // The surface's colour and that of its wire overlay.
    static constexpr tbColor kSurface{0.55f, 0.85f, 0.6f, 32.0f / 255.0f};
    static constexpr tbColor kWire{0.3f, 0.45f, 0.3f, 0.1f};
    // The chart picture and the part of the 512 x 512 texture it fills.
    static constexpr int kTextureSize = 512;
    static constexpr float kPanelWidth = 3.5f;

    // Builds the surface from the vehicle's payload curve and lateral limit, heights scaled so that
    // `maxPayload` (the scene's largest payload) stands 3.5 high (1.5 with `reducedHeight`). False, with
    // nothing built, without a curve or a payload.
    CFahrzeugDiagramm3D();
    ~CFahrzeugDiagramm3D();
    CFahrzeugDiagramm3D(const CFahrzeugDiagramm3D&) = delete;
    CFahrzeugDiagramm3D& operator=(const CFahrzeugDiagramm3D&) = delete;

    bool BuildMesh(CFahrzeug& vehicle, float maxPayload, bool reducedHeight);
    bool IsBuilt() const { return m_mesh.VerticesPerHalf() > 0; }
    const DiagrammMesh& Mesh() const { return m_mesh; }

    // The surface, translucent without depth writes: back faces then front faces of both halves, then the
    // same as a wire overlay; the device's states and lights 0 to 3 are put back. False when nothing drawn.
    bool Render3D(IRenderDevice& device);
    // The chart picture (290 x 352, put into a 512 x 512 texture) lying flat just above the ground left of
    // the vehicle whose reference position is `pos`. False without a picture.
    bool RenderPanel(IRenderDevice& device, const tbVector3& pos, const QImage& chart, float loadAreaWidth);
    // The chart picture of `vehicle` for the panel: painted again only for another vehicle or when the
    // vehicle's chart has a new picture stand, without taking the redraw mark from the chart's other
    // painters. Null for a vehicle without a picture (a semi-trailer tractor).
    const QImage* PanelPicture(CFahrzeug& vehicle);
    // Two triangles from `origin` along the two edges, textured from (0, 0) to (u, v). False without a
    // texture.
    static bool DrawTexturedQuad(IRenderDevice& device, const QImage* texture, const tbVector3& origin,
                                 const tbVector3& edgeWidth, const tbVector3& edgeHeight, float width,
                                 float height, float u, float v);

private:
    void DrawHalves(IRenderDevice& device);

    // What the surface is made from: the payload curve, the lateral limit and the scale.
    struct Inputs
    {
        std::vector<DiagrammMesh::Record> records;
        std::vector<DiagrammMesh::LateralPoint> points;
        float halfWidth = 0.0f;
        float k = 0.0f;
        float c = 0.0f;
        float scale = 0.0f;
        bool operator==(const Inputs& o) const;
    };

    // The inputs of the surface built last, and whether it could be built.
    std::optional<Inputs> m_inputs;
    bool m_built = false;
    DiagrammMesh m_mesh;
    // The surface's vertices (position, normal and texture coordinates) with the indices of both halves,
    // one after the other; kept by the device between frames until the surface is made again.
    std::unique_ptr<KeptVertices> m_surface;
    int m_halfIndexCount = 0;
    // The panel's picture and the vehicle and chart stand it was painted for.
    CFahrzeugDiagrammBild m_picture;
    const CFahrzeug* m_pictureOf = nullptr;
    std::uint64_t m_pictureStand = 0;
    bool m_hasPicture = false;
    QImage m_texture;
    // The chart the texture holds: an unchanged chart keeps the texture (and the device its upload).
    QImage m_textureChart;
};
