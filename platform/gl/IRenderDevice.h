// What the 3D drawing code calls on a render device: transforms, lights, render states, textures,
// models and vertex arrays. The GL device draws; the recording device keeps the calls for tests.
#pragma once

#include "model/base/tbColor.h"
#include "model/base/tbMatrix.h"

class DeviceModel;
class KeptVertices;
class QImage;

enum class TransformKind
{
    World,
    View,
    Projection,
};

enum class RenderState
{
    ZEnable,          // depth test on (1) or off (0)
    ZWriteEnable,     // depth written
    Lighting,         // lights applied; off: the material or vertex colour as it is
    AlphaBlendEnable, // source alpha, inverse source alpha
    CullMode,         // a CullMode value
    FillMode,         // a FillMode value
    ColorVertex,      // a vertex array's own colours replace the material colour
};
inline constexpr int RENDER_STATE_COUNT = 7;

// Which faces are left out: front faces run clockwise, so the default leaves out counter-clockwise ones.
enum class CullMode
{
    None = 1,
    Clockwise = 2,
    CounterClockwise = 3,
};

enum class FillMode
{
    Wireframe = 2,
    Solid = 3,
};

enum class PrimitiveType
{
    PointList,
    LineList,
    LineStrip,
    TriangleList,
    TriangleStrip,
};

// Layouts of vertex arrays, packed, little-endian. A colour is 32 bits 0xAARRGGBB.
enum class VertexLayout
{
    PositionColour,        // 3 floats, colour: 16 bytes
    PositionColourTexture, // 3 floats, colour, u, v: 24 bytes
    PositionNormalTexture, // 3 floats, 3 floats, u, v: 32 bytes
};

// A directional light; `direction` is the way the light travels.
struct DeviceLight
{
    tbColor diffuse{0, 0, 0, 1};
    tbColor specular{0, 0, 0, 1};
    tbColor ambient{0, 0, 0, 1};
    tbVector3 direction{0, 0, 1};
};

class IRenderDevice
{
public:
    static constexpr int LIGHT_COUNT = 5;
    // Every part of a model, for DrawModel's part range.
    static constexpr int ALL_PARTS = -1;

    virtual ~IRenderDevice() = default;

    virtual void SetTransform(TransformKind kind, const tbMatrix& m) = 0;
    virtual tbMatrix GetTransform(TransformKind kind) const = 0;

    // Lights 0 .. 4; other indices are ignored.
    virtual void SetLight(int index, const DeviceLight& light) = 0;
    virtual void LightEnable(int index, bool on) = 0;
    virtual bool IsLightEnabled(int index) const = 0;

    virtual void SetRenderState(RenderState state, int value) = 0;
    virtual int GetRenderState(RenderState state) const = 0;

    // The colour that vertex arrays without their own colours are drawn in (its alpha blends when blending
    // is on); white until set. Devices without materials ignore it.
    virtual void SetMaterialColour(const tbColor& colour);
    virtual tbColor GetMaterialColour() const;

    // Texture of stage 0 for the vertex arrays drawn next; null for none. The picture must outlive its use.
    virtual void SetTexture(const QImage* texture) = 0;

    // Draws the parts firstPart .. lastPart (ALL_PARTS, ALL_PARTS for every part) of `model` with the
    // current world transform: first its opaque parts when `opaque` (depth written, no blending), then its
    // blended parts when `blended` (depth not written, alpha-blended). `diffuse`, when given, replaces
    // each part's colour. The device's own states are as before afterwards.
    virtual void DrawModel(const DeviceModel& model, int firstPart, int lastPart, bool opaque, bool blended,
                           const tbColor* diffuse = nullptr) = 0;

    // Draws `primitiveCount` primitives from `vertices`, `stride` bytes apart, with the current states.
    virtual void DrawPrimitive(PrimitiveType type, VertexLayout layout, const void* vertices,
                               int primitiveCount, int stride) = 0;

    // Draws `primitiveCount` primitives of `type` from the indices of `kept` that start at `firstIndex`,
    // with the current states, as DrawPrimitive would draw the vertices those indices name. A device may
    // keep the vertices between frames; this one hands them to DrawPrimitive.
    virtual void DrawKept(PrimitiveType type, const KeptVertices& kept, int firstIndex, int primitiveCount);

    // Vertices that `count` primitives of `type` take.
    static int VertexCount(PrimitiveType type, int count);
    // Bytes of one vertex of `layout`.
    static int VertexSize(VertexLayout layout);
};
