// Building the payload surface: one column of vertices per curve record, triangles between neighbouring
// columns, vertex normals from however many triangles meet at a vertex, then the mirrored half.
#include "draw2d/DiagrammMesh.h"

#include <algorithm>
#include <cmath>

namespace {

void Normalise(float& x, float& y, float& z)
{
    const float length = std::sqrt(x * x + y * y + z * z);
    if (length > 0.0f && std::isfinite(length)) {
        x /= length;
        y /= length;
        z /= length;
    }
}

} // namespace

float DiagrammMesh::Reach(float height) const
{
    if (!(height > 0.0f))
        return m_halfWidth;
    const float reach = (m_k - m_c * height) / height;
    return std::isfinite(reach) ? std::min(m_halfWidth, reach) : m_halfWidth;
}

void DiagrammMesh::AddTriangle(std::uint32_t a, std::uint32_t b, std::uint32_t c)
{
    const int number = static_cast<int>(m_faceNormals.size());
    for (std::uint32_t v : {a, b, c}) {
        m_indices.push_back(v);
        m_vertexTriangles[v].push_back(number);
    }
    const Vertex& p0 = m_vertices[a];
    const Vertex& p1 = m_vertices[b];
    const Vertex& p2 = m_vertices[c];
    const float ux = p1.x - p0.x, uy = p1.y - p0.y, uz = p1.z - p0.z;
    const float vx = p2.x - p0.x, vy = p2.y - p0.y, vz = p2.z - p0.z;
    Vertex n;
    n.x = uy * vz - uz * vy;
    n.y = uz * vx - ux * vz;
    n.z = ux * vy - uy * vx;
    Normalise(n.x, n.y, n.z);
    m_faceNormals.push_back(n);
}

bool DiagrammMesh::Build(const std::vector<Record>& records, const std::vector<LateralPoint>& points,
                         float halfWidth, float k, float c, float scale)
{
    m_vertices.clear();
    m_indices.clear();
    m_grid.clear();
    m_vertexTriangles.clear();
    m_faceNormals.clear();
    m_verticesPerHalf = m_trianglesPerHalf = 0;
    if (records.empty() || !(scale > 0.0f) || !std::isfinite(scale))
        return false;
    m_halfWidth = halfWidth;
    m_k = k;
    m_c = c;
    // Slot 1 holds the column's foot, slot p + 2 the sampled point p, the slot after the last point the top.
    const std::size_t slotCount = points.size() + 3;
    for (const Record& r : records) {
        std::vector<std::uint32_t> column(slotCount, kEmpty);
        const float x = static_cast<float>(r.x);
        const float upper = static_cast<float>(r.upper);
        const float low = r.lower < 0.0 ? 0.0f : static_cast<float>(r.lower);
        auto add = [&](std::size_t slot, float reach, float payload) {
            column[slot] = static_cast<std::uint32_t>(m_vertices.size());
            m_vertices.push_back({reach, payload * scale, -x, 0, 0, 0});
        };
        add(1, Reach(low), low);
        std::size_t top = points.size() + 2;
        for (std::size_t p = 0; p < points.size(); ++p) {
            if (points[p].payload > upper) {
                top = p + 2;
                break;
            }
            if (points[p].payload > low)
                add(p + 2, points[p].reach, points[p].payload);
        }
        add(top, Reach(upper), upper);
        column[0] = static_cast<std::uint32_t>(top);
        m_grid.push_back(std::move(column));
    }
    m_vertexTriangles.resize(m_vertices.size());
    const auto at = [](const std::vector<std::uint32_t>& column, std::size_t slot) {
        return slot < column.size() ? column[slot] : kEmpty;
    };
    for (std::size_t i = 0; i < m_grid.size(); ++i) {
        const std::vector<std::uint32_t>& cur = m_grid[i];
        const std::size_t nCur = cur[0];
        if (i > 0) {
            const std::vector<std::uint32_t>& prev = m_grid[i - 1];
            for (std::size_t s = 1; s < std::min<std::size_t>(prev[0] + 1, nCur); ++s) {
                std::uint32_t b = at(prev, s + 1);
                if (b == kEmpty)
                    b = at(prev, s);
                if (cur[s] == kEmpty || at(cur, s + 1) == kEmpty || b == kEmpty)
                    continue;
                AddTriangle(cur[s], cur[s + 1], b);
            }
        }
        if (i + 1 < m_grid.size()) {
            const std::vector<std::uint32_t>& next = m_grid[i + 1];
            for (std::size_t s = 1; s < std::min<std::size_t>(next[0] + 1, nCur); ++s) {
                std::uint32_t b = at(next, s);
                if (b == kEmpty)
                    b = at(next, s + 1);
                if (cur[s] == kEmpty || at(cur, s + 1) == kEmpty || b == kEmpty)
                    continue;
                AddTriangle(cur[s], b, cur[s + 1]);
            }
        }
    }
    for (std::size_t v = 0; v < m_vertices.size(); ++v) {
        Vertex& vertex = m_vertices[v];
        for (int t : m_vertexTriangles[v]) {
            vertex.nx += m_faceNormals[static_cast<std::size_t>(t)].x;
            vertex.ny += m_faceNormals[static_cast<std::size_t>(t)].y;
            vertex.nz += m_faceNormals[static_cast<std::size_t>(t)].z;
        }
        Normalise(vertex.nx, vertex.ny, vertex.nz);
    }
    m_verticesPerHalf = static_cast<int>(m_vertices.size());
    m_trianglesPerHalf = static_cast<int>(m_indices.size() / 3);
    // The mirrored half: lateral coordinate and normal negated, each triangle in the opposite order.
    for (int v = 0; v < m_verticesPerHalf; ++v) {
        Vertex mirrored = m_vertices[static_cast<std::size_t>(v)];
        mirrored.x = -mirrored.x;
        mirrored.nx = -mirrored.nx;
        m_vertices.push_back(mirrored);
    }
    const auto offset = static_cast<std::uint32_t>(m_verticesPerHalf);
    for (int t = 0; t < m_trianglesPerHalf; ++t)
        for (int corner = 2; corner >= 0; --corner)
            m_indices.push_back(m_indices[static_cast<std::size_t>(3 * t + corner)] + offset);
    return true;
}
