// The translucent payload surface of the 3D view: columns along the load area, each reaching out as far
// as the lateral limit allows at every payload height, mirrored to both sides. Plain arithmetic.
#pragma once

#include <cstdint>
#include <vector>

class DiagrammMesh
{
public:
    // A record of the longitudinal payload curve: position along the load area, upper payload and the
    // lower payload (-1 for none: the column starts on the floor).
    struct Record
    {
        double x = 0.0;
        double upper = 0.0;
        double lower = -1.0;
    };
    // A sampled point of the lateral limit curve: lateral reach at a payload.
    struct LateralPoint
    {
        float reach = 0.0f;
        float payload = 0.0f;
    };
    // Position and normal, 24 bytes.
    struct Vertex
    {
        float x = 0.0f, y = 0.0f, z = 0.0f;
        float nx = 0.0f, ny = 0.0f, nz = 0.0f;
    };
    static constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;

    // Builds both halves: false (and nothing built) without records or with a scale that is not above 0.
    // The reach at a height h is min(halfWidth, (k - c h) / h), halfWidth at h = 0.
    bool Build(const std::vector<Record>& records, const std::vector<LateralPoint>& points, float halfWidth,
               float k, float c, float scale);

    const std::vector<Vertex>& Vertices() const { return m_vertices; }
    // Three per triangle: the first half's triangles, then the mirrored half's in the opposite order.
    const std::vector<std::uint32_t>& Indices() const { return m_indices; }
    int VerticesPerHalf() const { return m_verticesPerHalf; }
    int TrianglesPerHalf() const { return m_trianglesPerHalf; }
    // The vertex numbers of a column by slot (slot 0: the last slot used; kEmpty for an empty slot).
    const std::vector<std::vector<std::uint32_t>>& Grid() const { return m_grid; }
    float Reach(float height) const;

private:
    void AddTriangle(std::uint32_t a, std::uint32_t b, std::uint32_t c);

    float m_halfWidth = 0.0f, m_k = 0.0f, m_c = 0.0f;
    std::vector<Vertex> m_vertices;
    std::vector<std::uint32_t> m_indices;
    std::vector<std::vector<std::uint32_t>> m_grid;
    std::vector<std::vector<int>> m_vertexTriangles;
    std::vector<Vertex> m_faceNormals;
    int m_verticesPerHalf = 0;
    int m_trianglesPerHalf = 0;
};
