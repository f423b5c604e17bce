// Vertex counts and sizes shared by the render devices.
#include "platform/gl/IRenderDevice.h"

#include "platform/gl/KeptVertices.h"

int IRenderDevice::VertexCount(PrimitiveType type, int count)
{
    if (count <= 0)
        return 0;
    switch (type) {
    case PrimitiveType::PointList:
        return count;
    case PrimitiveType::LineList:
        return count * 2;
    case PrimitiveType::LineStrip:
        return count + 1;
    case PrimitiveType::TriangleList:
        return count * 3;
    case PrimitiveType::TriangleStrip:
        return count + 2;
    }
    return 0;
}

int IRenderDevice::VertexSize(VertexLayout layout)
{
    switch (layout) {
    case VertexLayout::PositionColour:
        return 16;
    case VertexLayout::PositionColourTexture:
        return 24;
    case VertexLayout::PositionNormalTexture:
        return 32;
    }
    return 0;
}

void IRenderDevice::SetMaterialColour(const tbColor&) {}

tbColor IRenderDevice::GetMaterialColour() const
{
    return {1.0f, 1.0f, 1.0f, 1.0f};
}

void IRenderDevice::DrawKept(PrimitiveType type, const KeptVertices& kept, int firstIndex, int primitiveCount)
{
    const std::vector<std::uint8_t> vertices = kept.Unindexed(firstIndex, VertexCount(type, primitiveCount));
    if (!vertices.empty())
        DrawPrimitive(type, kept.Layout(), vertices.data(), primitiveCount, kept.Stride());
}
