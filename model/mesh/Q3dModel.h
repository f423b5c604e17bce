// A 3D model as the program's own model files hold it: named parts, each with its pass, material,
// vertices and triangle indices.
#pragma once

#include "model/base/tbColor.h"
#include "model/base/tbVector3.h"

#include <cstdint>
#include <string>
#include <vector>

class Q3dModel
{
public:
    // Which pass draws a part: the opaque pass (depth written) or the blended pass (alpha-blended).
    enum class Pass : std::uint8_t
    {
        Opaque = 0,
        Blended = 1,
    };

    struct Vertex
    {
        tbVector3 position;
        tbVector3 normal;
        float u = 0.0f;
        float v = 0.0f;
    };

    struct Part
    {
        std::string name;
        Pass pass = Pass::Opaque;
        tbColor colour;
        // File name of the texture in the model's texture folder; empty for none.
        std::string texture;
        std::vector<Vertex> vertices;
        // Three per triangle, each below the vertex count; front faces run clockwise.
        std::vector<std::uint32_t> indices;
    };

    std::vector<Part> parts;

    // Smallest and largest corner over every vertex of every part; both zero for a model without vertices.
    void Bounds(tbVector3& min, tbVector3& max) const;
    std::size_t TriangleCount() const;
};
