// The payload surface builder: columns, triangles, normals and the mirrored half, without a display.
#include "draw2d/DiagrammMesh.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const std::vector<DiagrammMesh::LateralPoint> kPoints = {{1.2f, 2.0f}, {1.0f, 4.0f}, {0.8f, 6.0f}};

TEST(DiagrammMeshTest, AThreeRecordCurveGivesItsColumnsAndTriangles)
{
    DiagrammMesh mesh;
    ASSERT_TRUE(
        mesh.Build({{0.0, 5.0, -1.0}, {1.0, 5.0, -1.0}, {2.0, 3.0, 1.0}}, kPoints, 1.25f, 10.0f, 1.0f, 0.5f));
    // Foot, the points below the top, the top: 4, 4 and 3 vertices.
    EXPECT_EQ(mesh.VerticesPerHalf(), 11);
    EXPECT_EQ(mesh.TrianglesPerHalf(), 11);
    EXPECT_EQ(mesh.Vertices().size(), 22u);
    EXPECT_EQ(mesh.Indices().size(), 66u);
    const struct
    {
        std::size_t column;
        std::uint32_t last;
    } columns[] = {{0, 4}, {1, 4}, {2, 3}};
    for (const auto& c : columns) {
        SCOPED_TRACE(c.column);
        EXPECT_EQ(mesh.Grid()[c.column][0], c.last);
    }
    for (std::uint32_t index : mesh.Indices())
        EXPECT_LT(index, mesh.Vertices().size());
}

TEST(DiagrammMeshTest, ColumnsStartOnTheFloorOrAtTheLowerPayload)
{
    DiagrammMesh mesh;
    const float scale = 0.5f;
    ASSERT_TRUE(mesh.Build({{0.0, 5.0, -1.0}, {1.5, 5.0, 3.0}}, kPoints, 1.25f, 10.0f, 1.0f, scale));
    const struct
    {
        std::size_t column;
        float height;
        float reach;
        float z;
    } feet[] = {
        {0, 0.0f, 1.25f, 0.0f},                          // no lower payload: the full half width on the floor
        {1, 3.0f * scale, (10.0f - 3.0f) / 3.0f, -1.5f}, // at the lower payload, reach (k - c h) / h
    };
    for (const auto& f : feet) {
        SCOPED_TRACE(f.column);
        const DiagrammMesh::Vertex& foot = mesh.Vertices()[mesh.Grid()[f.column][1]];
        EXPECT_FLOAT_EQ(foot.y, f.height);
        EXPECT_FLOAT_EQ(foot.x, std::min(1.25f, f.reach));
        EXPECT_FLOAT_EQ(foot.z, f.z);
    }
    // The column above the lower payload 3 skips the point at 2.
    EXPECT_EQ(mesh.Grid()[1][2], DiagrammMesh::kEmpty);
}

TEST(DiagrammMeshTest, TheSecondHalfIsTheMirrorWithReversedWinding)
{
    DiagrammMesh mesh;
    ASSERT_TRUE(
        mesh.Build({{0.0, 5.0, -1.0}, {1.0, 5.0, -1.0}, {2.0, 3.0, 1.0}}, kPoints, 1.25f, 10.0f, 1.0f, 0.5f));
    const int half = mesh.VerticesPerHalf();
    for (int v = 0; v < half; ++v) {
        const DiagrammMesh::Vertex& a = mesh.Vertices()[static_cast<std::size_t>(v)];
        const DiagrammMesh::Vertex& b = mesh.Vertices()[static_cast<std::size_t>(v + half)];
        EXPECT_FLOAT_EQ(b.x, -a.x);
        EXPECT_FLOAT_EQ(b.y, a.y);
        EXPECT_FLOAT_EQ(b.nx, -a.nx);
        EXPECT_NEAR(std::sqrt(a.nx * a.nx + a.ny * a.ny + a.nz * a.nz), 1.0f, 1e-5f);
    }
    const std::size_t second = static_cast<std::size_t>(3 * mesh.TrianglesPerHalf());
    for (std::size_t t = 0; t < second; t += 3)
        for (std::size_t corner = 0; corner < 3; ++corner)
            EXPECT_EQ(mesh.Indices()[second + t + corner],
                      mesh.Indices()[t + 2 - corner] + static_cast<std::uint32_t>(half));
}

TEST(DiagrammMeshTest, ALongCurveWithManyPointsBuildsWithinItsArrays)
{
    // 20 m in steps of 0.1 and 30 lateral points: beyond 183 columns and six triangles per vertex.
    std::vector<DiagrammMesh::Record> records;
    for (int i = 0; i <= 200; ++i)
        records.push_back({i * 0.1, 8.0 + std::sin(i * 0.1), i % 7 == 0 ? 1.0 : -1.0});
    std::vector<DiagrammMesh::LateralPoint> points;
    for (int p = 0; p < 30; ++p)
        points.push_back({1.25f - p * 0.03f, 0.3f * static_cast<float>(p + 1)});
    DiagrammMesh mesh;
    ASSERT_TRUE(mesh.Build(records, points, 1.25f, 12.0f, 0.5f, 0.35f));
    EXPECT_EQ(mesh.Grid().size(), 201u);
    EXPECT_GT(mesh.TrianglesPerHalf(), 182 * 13 * 2);
    for (std::uint32_t index : mesh.Indices())
        ASSERT_LT(index, mesh.Vertices().size());
    for (const DiagrammMesh::Vertex& v : mesh.Vertices())
        ASSERT_TRUE(std::isfinite(v.nx) && std::isfinite(v.ny) && std::isfinite(v.nz));
}

TEST(DiagrammMeshTest, NothingIsBuiltWithoutACurveOrAScale)
{
    DiagrammMesh mesh;
    EXPECT_FALSE(mesh.Build({}, kPoints, 1.25f, 10.0f, 1.0f, 0.5f));
    EXPECT_FALSE(mesh.Build({{0.0, 5.0, -1.0}}, kPoints, 1.25f, 10.0f, 1.0f, 0.0f));
    EXPECT_TRUE(mesh.Vertices().empty());
    EXPECT_TRUE(mesh.Indices().empty());
}

} // namespace
