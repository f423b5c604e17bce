// The 54 models the build writes: each loads, has the extents its placement needs, faces outward and
// finds its textures.
#include "model/mesh/ModelTable.h"
#include "model/mesh/Q3dFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>

namespace {

const std::filesystem::path MODELS = QOR_MODELS_DIR;
constexpr float ANY = std::numeric_limits<float>::quiet_NaN();

struct Extents
{
    const char* what;
    std::vector<int> indices;
    // Expected min and max per axis (x, y, z); ANY where the placement does not care.
    float min[3];
    float max[3];
    float tolerance = 1e-4f;
};

Q3dModel Load(int index)
{
    Q3dModel model;
    std::string error;
    EXPECT_TRUE(Q3dFile::ReadFile((MODELS / ModelTable::RelativePath(index)).string(), model, error))
        << error;
    return model;
}

TEST(GeneratedModelsTest, EachModelHasTheExtentsItsPlacementNeeds)
{
    const Extents cases[] = {
        {"pieces scaled along z run 1 m from the origin backwards",
         {1, 2, 3, 24, 26, 36},
         {ANY, ANY, -1},
         {ANY, ANY, 0}},
        {"floors", {15, 16}, {-0.5f, ANY, -1}, {0.5f, 1.18f, 0}},
        {"boxes scaled to a load", {32, 38, 46, 49, 50}, {-0.5f, 0, -0.5f}, {0.5f, 1, 0.5f}},
        {"crate bands stand off the boards", {37}, {-0.5f, 0, -0.5f}, {0.5f, 1, 0.5f}, 0.006f},
        {"carton tape lies on the top", {47}, {-0.5f, 0, -0.5f}, {0.5f, 1, 0.5f}, 0.003f},
        {"pallet", {22}, {-0.4f, 0, -0.6f}, {0.4f, 0.144f, 0.6f}},
        {"lashing rail", {45}, {-0.5f, 0, -1}, {0.5f, 1, 0}},
        {"load-area wall", {48}, {-0.5f, 0, ANY}, {0.5f, 1, ANY}},
        {"axles on the ground", {4, 5, 7, 0, 30}, {-1.25f, 0, ANY}, {1.25f, ANY, ANY}, 0.002f},
        {"lifted axles", {6, 8}, {-1.25f, 0.15f, ANY}, {1.25f, ANY, ANY}, 0.002f},
        {"van front", {23}, {-1.01f, 0, ANY}, {1.01f, ANY, ANY}, 0.002f},
        {"van rear axle", {25}, {-0.95f, 0, ANY}, {0.95f, ANY, ANY}, 0.002f},
        {"lashing points 0.08 across, 0.1 along", {39, 51}, {-0.04f, 0, -0.05f}, {0.04f, ANY, 0.05f}},
        {"chain link of pitch 0.06", {40}, {ANY, ANY, -0.061f}, {ANY, ANY, 0.001f}, 0.002f},
        {"marker centred on its point", {33}, {-0.56f, -0.56f, ANY}, {0.56f, 0.56f, ANY}},
        {"semi-trailer front ends at the load-area front", {13, 14}, {-1.25f, ANY, -4}, {1.25f, 1.18f, 0}},
        {"a semi-trailer alone stands on its legs", {14}, {ANY, 0, ANY}, {ANY, ANY, ANY}},
        {"fifth wheel on a frame from under the cab to the rear end",
         {12},
         {ANY, ANY, -1.1f},
         {ANY, ANY, 3.4f}},
    };
    for (const Extents& c : cases)
        for (int index : c.indices) {
            SCOPED_TRACE(std::string(c.what) + ": " + ModelTable::Find(index)->part);
            tbVector3 min, max;
            Load(index).Bounds(min, max);
            const float got[2][3] = {{min.x, min.y, min.z}, {max.x, max.y, max.z}};
            for (int axis = 0; axis < 3; ++axis) {
                if (!std::isnan(c.min[axis])) {
                    EXPECT_NEAR(got[0][axis], c.min[axis], c.tolerance) << "min of axis " << axis;
                }
                if (!std::isnan(c.max[axis])) {
                    EXPECT_NEAR(got[1][axis], c.max[axis], c.tolerance) << "max of axis " << axis;
                }
            }
        }
}

TEST(GeneratedModelsTest, EveryModelLoadsFacesOutwardAndFindsItsTextures)
{
    std::size_t triangles = 0;
    for (int index = 0; index < ModelTable::COUNT; ++index) {
        const ModelTable::Entry& entry = *ModelTable::Find(index);
        SCOPED_TRACE(entry.part);
        const Q3dModel model = Load(index);
        ASSERT_FALSE(model.parts.empty());
        triangles += model.TriangleCount();
        tbVector3 min, max;
        model.Bounds(min, max);
        EXPECT_LT(min.x, max.x);
        EXPECT_LT(min.y, max.y);
        EXPECT_LT(min.z, max.z);
        for (const Q3dModel::Part& part : model.parts) {
            EXPECT_GT(part.indices.size(), 0u) << part.name;
            if (!part.texture.empty()) {
                EXPECT_TRUE(std::filesystem::exists(MODELS / entry.textureArchive / part.texture))
                    << part.texture;
            }
            // Clockwise front faces: the face normal of each triangle agrees with its vertex normals.
            int inward = 0;
            for (std::size_t i = 0; i + 2 < part.indices.size(); i += 3) {
                const Q3dModel::Vertex& a = part.vertices[part.indices[i]];
                const Q3dModel::Vertex& b = part.vertices[part.indices[i + 1]];
                const Q3dModel::Vertex& c = part.vertices[part.indices[i + 2]];
                const tbVector3 face = tbVector3Cross(b.position - a.position, c.position - a.position);
                if (tbVector3Dot(face, a.normal + b.normal + c.normal) < 0.0f)
                    ++inward;
            }
            EXPECT_EQ(inward, 0) << part.name;
        }
    }
    // Lean models: the whole set stays small for a software renderer.
    EXPECT_LT(triangles, 40000u);
    EXPECT_TRUE(std::filesystem::exists(MODELS / "TEX" / "Waage.bmp"));
}

} // namespace
