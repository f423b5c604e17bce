// The loading yard around the vehicles: what of it rises above the ground stands beyond the camera's reach,
// so that it never comes between the camera and the vehicles, at the start or after any turn.
#include "model/mesh/ModelTable.h"
#include "model/mesh/Q3dFile.h"
#include "model/mesh/Q3dModel.h"
#include "view3d/CCamera.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

TEST(Verladehof, NothingOfTheYardCanComeBetweenTheCameraAndTheVehicles)
{
    constexpr int kVerladehof = 31;
    const std::filesystem::path datei =
        std::filesystem::path(QOR_MODELS_DIR) / ModelTable::RelativePath(kVerladehof);
    Q3dModel hof;
    std::string fehler;
    ASSERT_TRUE(Q3dFile::ReadFile(datei.string(), hof, fehler)) << fehler;
    // Where the eye can be: its target at most TARGET_X_LIMIT beside the vehicles and between the front
    // limit and the rear margin behind a scene of up to 30 m (longer than any road train), the eye at
    // most MAX_DISTANCE from it. The vehicles stand inside that area too.
    constexpr float kSzene = 30.0f;
    const float xMax = CCamera::TARGET_X_LIMIT + CCamera::MAX_DISTANCE;
    const float zVorn = CCamera::TARGET_Z_FRONT + CCamera::MAX_DISTANCE;
    const float zHinten = -(CCamera::TARGET_Z_REAR_MARGIN + kSzene + CCamera::MAX_DISTANCE);
    int nHoch = 0;
    for (const Q3dModel::Part& teil : hof.parts) {
        SCOPED_TRACE(teil.name);
        ASSERT_FALSE(teil.vertices.empty());
        tbVector3 lo = teil.vertices.front().position, hi = lo;
        for (const Q3dModel::Vertex& v : teil.vertices) {
            lo = {std::min(lo.x, v.position.x), std::min(lo.y, v.position.y), std::min(lo.z, v.position.z)};
            hi = {std::max(hi.x, v.position.x), std::max(hi.y, v.position.y), std::max(hi.z, v.position.z)};
        }
        if (hi.y <= 0.01f)
            continue; // the paving: under the vehicles, never in front of them
        ++nHoch;
        const bool bAusserhalb = hi.x < -xMax || lo.x > xMax || hi.z < zHinten || lo.z > zVorn;
        EXPECT_TRUE(bAusserhalb) << "x " << lo.x << " .. " << hi.x << ", z " << lo.z << " .. " << hi.z
                                 << " lies within the camera's reach (|x| <= " << xMax << ", z " << zHinten
                                 << " .. " << zVorn << ")";
    }
    EXPECT_GT(nHoch, 0) << "the yard has its dock and hall";
}
