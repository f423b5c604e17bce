// Shapes of the generated models as triangles with clockwise front faces.
#include "tools/models/MeshBuilder.h"

#include <cmath>
#include <numbers>

MeshBuilder& MeshBuilder::Part(const std::string& name, tbColor colour, Q3dModel::Pass pass,
                               const std::string& texture)
{
    Q3dModel::Part part;
    part.name = name;
    part.colour = colour;
    part.pass = pass;
    part.texture = texture;
    m_model.parts.push_back(std::move(part));
    return *this;
}

Q3dModel::Part& MeshBuilder::Current()
{
    if (m_model.parts.empty())
        Part("body", {0.5f, 0.5f, 0.5f, 1.0f});
    return m_model.parts.back();
}

std::uint32_t MeshBuilder::Vertex(tbVector3 p, tbVector3 n, float u, float v)
{
    Q3dModel::Part& part = Current();
    part.vertices.push_back({p, tbVector3Normalize(n), u, v});
    return static_cast<std::uint32_t>(part.vertices.size() - 1);
}

void MeshBuilder::Triangle(std::uint32_t a, std::uint32_t b, std::uint32_t c, tbVector3 outward)
{
    Q3dModel::Part& part = Current();
    const tbVector3 pa = part.vertices[a].position;
    const tbVector3 face = tbVector3Cross(part.vertices[b].position - pa, part.vertices[c].position - pa);
    if (tbVector3Dot(face, outward) < 0.0f)
        std::swap(b, c);
    part.indices.insert(part.indices.end(), {a, b, c});
}

MeshBuilder& MeshBuilder::Quad(tbVector3 a, tbVector3 b, tbVector3 c, tbVector3 d, tbVector3 normal,
                               float uMax, float vMax)
{
    const std::uint32_t i0 = Vertex(a, normal, 0, vMax);
    const std::uint32_t i1 = Vertex(b, normal, 0, 0);
    const std::uint32_t i2 = Vertex(c, normal, uMax, 0);
    const std::uint32_t i3 = Vertex(d, normal, uMax, vMax);
    Triangle(i0, i1, i2, normal);
    Triangle(i0, i2, i3, normal);
    return *this;
}

MeshBuilder& MeshBuilder::Block(const tbVector3 (&p)[8])
{
    tbVector3 centre;
    for (const tbVector3& c : p)
        centre += c * 0.125f;
    static constexpr int FACES[6][4] = {{0, 1, 2, 3}, {4, 5, 6, 7}, {0, 1, 5, 4},
                                        {3, 2, 6, 7}, {0, 3, 7, 4}, {1, 2, 6, 5}};
    for (const auto& f : FACES) {
        const tbVector3 a = p[f[0]], b = p[f[1]], c = p[f[2]], d = p[f[3]];
        tbVector3 normal = tbVector3Cross(c - a, d - b);
        const tbVector3 faceCentre = (a + b + c + d) * 0.25f;
        if (tbVector3Dot(normal, faceCentre - centre) < 0.0f)
            normal = -normal;
        Quad(a, b, c, d, normal);
    }
    return *this;
}

MeshBuilder& MeshBuilder::Box(tbVector3 min, tbVector3 max, float uvScale)
{
    const tbVector3 corners[8] = {{min.x, min.y, min.z}, {min.x, max.y, min.z}, {max.x, max.y, min.z},
                                  {max.x, min.y, min.z}, {min.x, min.y, max.z}, {min.x, max.y, max.z},
                                  {max.x, max.y, max.z}, {max.x, min.y, max.z}};
    const std::size_t first = Current().vertices.size();
    Block(corners);
    if (uvScale != 1.0f)
        for (std::size_t i = first; i < Current().vertices.size(); ++i) {
            Current().vertices[i].u *= uvScale;
            Current().vertices[i].v *= uvScale;
        }
    return *this;
}

namespace {
// Two unit vectors perpendicular to `axis` and to each other.
void Basis(tbVector3 axis, tbVector3& u, tbVector3& v)
{
    const tbVector3 w = tbVector3Normalize(axis);
    const tbVector3 helper = std::fabs(w.y) < 0.9f ? tbVector3{0, 1, 0} : tbVector3{1, 0, 0};
    u = tbVector3Normalize(tbVector3Cross(helper, w));
    v = tbVector3Cross(w, u);
}
} // namespace

MeshBuilder& MeshBuilder::Cylinder(tbVector3 from, tbVector3 to, float radius, int segments)
{
    const tbVector3 axis = to - from;
    tbVector3 u, v;
    Basis(axis, u, v);
    const float step = 2.0f * std::numbers::pi_v<float> / static_cast<float>(segments);
    const std::uint32_t centres[2] = {Vertex(from, -axis, 0.5f, 0.5f), Vertex(to, axis, 0.5f, 0.5f)};
    for (int i = 0; i < segments; ++i) {
        const float a0 = step * static_cast<float>(i), a1 = step * static_cast<float>(i + 1);
        const tbVector3 r0 = (u * std::cos(a0) + v * std::sin(a0)),
                        r1 = (u * std::cos(a1) + v * std::sin(a1));
        const float s0 = static_cast<float>(i) / static_cast<float>(segments);
        const float s1 = static_cast<float>(i + 1) / static_cast<float>(segments);
        // Side, smooth.
        const std::uint32_t b0 = Vertex(from + r0 * radius, r0, s0, 1),
                            b1 = Vertex(from + r1 * radius, r1, s1, 1);
        const std::uint32_t t0 = Vertex(to + r0 * radius, r0, s0, 0),
                            t1 = Vertex(to + r1 * radius, r1, s1, 0);
        Triangle(b0, t0, t1, r0 + r1);
        Triangle(b0, t1, b1, r0 + r1);
        // Caps, flat.
        const std::uint32_t c0 =
            Vertex(from + r0 * radius, -axis, 0.5f + 0.5f * std::cos(a0), 0.5f + 0.5f * std::sin(a0));
        const std::uint32_t c1 =
            Vertex(from + r1 * radius, -axis, 0.5f + 0.5f * std::cos(a1), 0.5f + 0.5f * std::sin(a1));
        Triangle(centres[0], c0, c1, -axis);
        const std::uint32_t d0 =
            Vertex(to + r0 * radius, axis, 0.5f + 0.5f * std::cos(a0), 0.5f + 0.5f * std::sin(a0));
        const std::uint32_t d1 =
            Vertex(to + r1 * radius, axis, 0.5f + 0.5f * std::cos(a1), 0.5f + 0.5f * std::sin(a1));
        Triangle(centres[1], d0, d1, axis);
    }
    return *this;
}

MeshBuilder& MeshBuilder::Torus(tbVector3 centre, tbVector3 axis, float radius, float tube, int segments,
                                int tubeSegments, tbVector3 along, float stretch)
{
    tbVector3 u, v;
    Basis(axis, u, v);
    const tbVector3 w = tbVector3Normalize(axis);
    const tbVector3 alongUnit = tbVector3Normalize(along);
    const float pi2 = 2.0f * std::numbers::pi_v<float>;
    const std::uint32_t base = static_cast<std::uint32_t>(Current().vertices.size());
    for (int i = 0; i < segments; ++i) {
        const float a = pi2 * static_cast<float>(i) / static_cast<float>(segments);
        const tbVector3 dir = u * std::cos(a) + v * std::sin(a);
        // Stretching pushes each half of the ring apart along `along`.
        const float side = tbVector3Dot(dir, alongUnit);
        const tbVector3 ringCentre = centre + dir * radius +
                                     alongUnit * (side > 1e-4f    ? stretch * 0.5f
                                                  : side < -1e-4f ? -stretch * 0.5f
                                                                  : 0.0f);
        for (int j = 0; j < tubeSegments; ++j) {
            const float b = pi2 * static_cast<float>(j) / static_cast<float>(tubeSegments);
            const tbVector3 n = dir * std::cos(b) + w * std::sin(b);
            Vertex(ringCentre + n * tube, n, static_cast<float>(i) / static_cast<float>(segments),
                   static_cast<float>(j) / static_cast<float>(tubeSegments));
        }
    }
    const auto at = [&](int i, int j) {
        return base + static_cast<std::uint32_t>((i % segments) * tubeSegments + (j % tubeSegments));
    };
    for (int i = 0; i < segments; ++i)
        for (int j = 0; j < tubeSegments; ++j) {
            const std::uint32_t a = at(i, j), b = at(i + 1, j), c = at(i + 1, j + 1), d = at(i, j + 1);
            const tbVector3 outward = Current().vertices[a].normal + Current().vertices[c].normal;
            Triangle(a, b, c, outward);
            Triangle(a, c, d, outward);
        }
    return *this;
}

std::size_t MeshBuilder::Mark() const
{
    return m_model.parts.empty() ? 0 : m_model.parts.back().vertices.size();
}

void MeshBuilder::TransformSince(std::size_t mark, const tbMatrix& m)
{
    Q3dModel::Part& part = Current();
    for (std::size_t i = mark; i < part.vertices.size(); ++i) {
        part.vertices[i].position = tbVector3TransformCoords(part.vertices[i].position, m);
        part.vertices[i].normal = tbVector3Normalize(tbVector3TransformNormal(part.vertices[i].normal, m));
    }
}
