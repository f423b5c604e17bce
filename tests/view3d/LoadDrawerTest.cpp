// Placed loads on the recording device: models per type, their world matrices, passes and bad values.
#include "view3d/LoadDrawer.h"

#include "model/plan/tagLGINFO.h"
#include "platform/gl/RecordingDevice.h"
#include "view3d/ModelCache.h"
#include "view3d/TextureManager.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using Call = RecordingDevice::Call;

tbVector3 Apply(const tbMatrix& m, const tbVector3& p)
{
    return tbVector3TransformCoords(p, m);
}

void ExpectNear(const tbVector3& got, const tbVector3& want)
{
    EXPECT_NEAR(got.x, want.x, 1e-5f);
    EXPECT_NEAR(got.y, want.y, 1e-5f);
    EXPECT_NEAR(got.z, want.z, 1e-5f);
}

bool AllFinite(const tbMatrix& m)
{
    for (const auto& row : m.m)
        for (const float v : row)
            if (!std::isfinite(v))
                return false;
    return true;
}

class LoadDrawerTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_textures.Init(256);
        m_cache.InitModellCache();
        // 1 m of the vehicle ahead in the scene, load area starting 0.5 behind it, 2.4 wide, 0.1 side offset.
        m_area.sceneOffset = 1.0;
        m_area.start = 0.5;
        m_area.sideOffset = 0.1;
        m_area.width = 2.4;
    }
    static tagLGINFO Load(int type, double length, double width, double height, int rotation = 0)
    {
        tagLGINFO load;
        load.m_nTyp = type;
        load.m_dLaenge = length;
        load.m_dBreite = width;
        load.m_dHoehe = height;
        load.m_dPosX = 2.0;
        load.m_dPosY = 0.3;
        load.m_nDrehung = rotation;
        return load;
    }
    std::vector<Call> Draw(const tagLGINFO& load, bool opaque = true, bool blended = true)
    {
        m_device.Clear();
        EXPECT_EQ(m_drawer.DrawLadung(m_device, load, m_area, opaque, blended), 0);
        return m_device.ModelDraws();
    }

    TextureManager m_textures;
    ModelCache m_cache{QFileInfo(QStringLiteral(QOR_MODELS_DIR)).absolutePath(), m_textures};
    LoadDrawer m_drawer{m_cache};
    LoadDrawer::LoadArea m_area;
    RecordingDevice m_device;
};

TEST_F(LoadDrawerTest, ACrateFillsItsFootprintOnTheFloorAtEachRotation)
{
    // 1.2 long, 0.8 wide, 1 high at 2.0 along and 0.3 across. Along the vehicle it covers
    // z -(1 + 0.5 + 2.0) .. minus its extent along; across, x = (2.4 - extent across) / 2 - 0.1 - 0.3 is its
    // centre. Rotation 90 swaps the extents.
    struct Case
    {
        int rotation;
        tbVector3 centre;
        float halfAcross, halfAlong;
    };
    const Case cases[] = {
        {0, {0.4f, 1.181f, -4.1f}, 0.4f, 0.6f},
        {90, {0.2f, 1.181f, -3.9f}, 0.6f, 0.4f},
        {180, {0.4f, 1.181f, -4.1f}, 0.4f, 0.6f},
        {270, {0.2f, 1.181f, -3.9f}, 0.6f, 0.4f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rotation);
        const std::vector<Call> draws = Draw(Load(3, 1.2, 0.8, 1.0, c.rotation));
        ASSERT_EQ(draws.size(), 1u);
        EXPECT_EQ(draws[0].modelName, "Kiste");
        const tbMatrix& w = draws[0].matrix;
        ExpectNear(Apply(w, {0, 0, 0}), c.centre);
        ExpectNear(Apply(w, {0, 1, 0}), c.centre + tbVector3{0, 1.0f, 0});
        // The unit box's corner lands on a corner of the footprint.
        const tbVector3 corner = Apply(w, {0.5f, 0, 0.5f}) - c.centre;
        EXPECT_NEAR(std::fabs(corner.x), c.halfAcross, 1e-5f);
        EXPECT_NEAR(std::fabs(corner.z), c.halfAlong, 1e-5f);
        EXPECT_TRUE(draws[0].on);
        EXPECT_TRUE(draws[0].blended);
    }
}

TEST_F(LoadDrawerTest, APalletLoadIsAPalletWithACartonOnTopMakingUpTheHeight)
{
    const std::vector<Call> draws = Draw(Load(0, 1.2, 0.8, 1.5));
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0].modelName, "Palette");
    EXPECT_EQ(draws[1].modelName, "Karton");
    // The pallet unscaled on the floor: its 0.8 across, 1.2 along.
    ExpectNear(Apply(draws[0].matrix, {0.4f, 0, 0.6f}), {0.8f, 1.181f, -3.5f});
    // The carton from the pallet's top to the load's height, as wide and long as the load.
    ExpectNear(Apply(draws[1].matrix, {0.5f, 0, 0.5f}), {0.8f, 1.325f, -3.5f});
    ExpectNear(Apply(draws[1].matrix, {-0.5f, 1, -0.5f}), {0.0f, 2.681f, -4.7f});

    // A load no higher than its pallet: the pallet alone.
    const std::vector<Call> low = Draw(Load(0, 1.2, 0.8, 0.1));
    ASSERT_EQ(low.size(), 1u);
    EXPECT_EQ(low[0].modelName, "Palette");
}

TEST_F(LoadDrawerTest, ARowOfThreePalletsRunsAlongTheLoadAndAcrossAfterAQuarterTurn)
{
    // Type 12: three 0.8 pallets under a load 2.4 long and 1.2 wide.
    for (const int rotation : {0, 90}) {
        SCOPED_TRACE(rotation);
        const tagLGINFO load = Load(12, 2.4, 1.2, 1.0, rotation);
        const tbVector3 centre = LoadDrawer::FootprintCentre(load, m_area);
        const std::vector<Call> draws = Draw(load);
        ASSERT_EQ(draws.size(), 4u);
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE(i);
            const Call& pallet = draws[static_cast<size_t>(i)];
            EXPECT_EQ(pallet.modelName, "Palette");
            const tbVector3 offset = Apply(pallet.matrix, {0, 0, 0}) - centre;
            const float step = (static_cast<float>(i) - 1.0f) * 0.8f;
            // Along the vehicle (z) unturned, across it (x) after the quarter turn.
            ExpectNear(offset, rotation == 0 ? tbVector3{0, 0, step} : tbVector3{step, 0, 0});
            // Upright: its top 0.144 above the floor; its 0.8 side runs along the row.
            EXPECT_NEAR(Apply(pallet.matrix, {0, 0.144f, 0}).y, 1.181f + 0.144f, 1e-5f);
            const tbVector3 side = Apply(pallet.matrix, {0.4f, 0, 0}) - Apply(pallet.matrix, {-0.4f, 0, 0});
            EXPECT_NEAR(std::fabs(rotation == 0 ? side.z : side.x), 0.8f, 1e-5f);
        }
        EXPECT_EQ(draws[3].modelName, "Formschlussmittel");
        EXPECT_NEAR(Apply(draws[3].matrix, {0, 0, 0}).y, 1.181f + 0.144f, 1e-5f);
        EXPECT_NEAR(Apply(draws[3].matrix, {0, 1, 0}).y, 1.181f + 1.0f, 1e-5f);
    }
}

TEST_F(LoadDrawerTest, RowPalletCountsAndLengthsByType)
{
    const struct
    {
        int type, count;
        float length;
    } table[] = {{8, 1, 0.8f},  {9, 1, 1.2f}, {10, 2, 1.2f}, {11, 2, 0.8f},
                 {12, 3, 0.8f}, {7, 0, 0.0f}, {13, 0, 0.0f}};
    for (const auto& row : table) {
        SCOPED_TRACE(row.type);
        EXPECT_EQ(LoadDrawer::RowPalletCount(row.type), row.count);
        EXPECT_FLOAT_EQ(LoadDrawer::RowPalletLength(row.type), row.length);
    }
}

TEST_F(LoadDrawerTest, EachKindDrawsInItsOwnPass)
{
    const struct
    {
        int type;
        const char* model;
        bool inOpaque, inBlended;
    } table[] = {
        {0, "Palette", true, false}, {2, "Gitterbox", true, false},   {3, "Kiste", true, false},
        {4, "Kiste", true, false},   {5, "FSMVariabel", false, true}, {6, "Formschlussmittel", false, true},
        {9, "Palette", true, false},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.type);
        const tagLGINFO load = Load(row.type, 1.2, 0.8, 1.0);
        const std::vector<Call> opaque = Draw(load, true, false);
        const std::vector<Call> blended = Draw(load, false, true);
        EXPECT_EQ(!opaque.empty(), row.inOpaque);
        EXPECT_EQ(!blended.empty(), row.inBlended);
        const std::vector<Call>& drawn = row.inOpaque ? opaque : blended;
        ASSERT_FALSE(drawn.empty());
        EXPECT_EQ(drawn[0].modelName, row.model);
    }
}

TEST_F(LoadDrawerTest, BadValuesDrawNothingAndNeverReachAMatrix)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case
    {
        const char* what;
        tagLGINFO load;
    };
    std::vector<Case> cases = {
        {"rotation 45", Load(3, 1.2, 0.8, 1.0, 45)}, {"NaN length", Load(3, nan, 0.8, 1.0)},
        {"infinite height", Load(0, 1.2, 0.8, inf)}, {"negative width", Load(3, 1.2, -0.8, 1.0)},
        {"zero height", Load(6, 1.2, 0.8, 0.0)},     {"NaN position", Load(12, 2.4, 1.2, 1.0)},
    };
    cases.back().load.m_dPosX = nan;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_TRUE(Draw(c.load).empty());
    }
    // A row load lower than its pallets keeps its pallets and leaves out the body.
    const std::vector<Call> low = Draw(Load(11, 1.6, 1.2, 0.1));
    ASSERT_EQ(low.size(), 2u);
    for (const Call& call : low)
        EXPECT_TRUE(AllFinite(call.matrix));
}

TEST_F(LoadDrawerTest, TheVanFloorAndTheCallersMatricesEndEveryWorldMatrix)
{
    m_area.van = true;
    m_area.a = tbMatrixTranslation({10.0f, 0, 0});
    m_area.b = tbMatrixScaling({1, 2, 1});
    const std::vector<Call> draws = Draw(Load(3, 1.2, 0.8, 1.0));
    ASSERT_EQ(draws.size(), 1u);
    // Floor 0.781, moved 10 across by A, then doubled in height by B.
    ExpectNear(Apply(draws[0].matrix, {0, 0, 0}), {10.4f, 1.562f, -4.1f});
}

TEST_F(LoadDrawerTest, AModelThatCannotBeHadStopsTheLoads)
{
    QTemporaryDir empty;
    TextureManager textures;
    textures.Init(16);
    ModelCache cache(empty.path(), textures);
    cache.InitModellCache();
    LoadDrawer drawer(cache);
    tagLGINFO a = Load(3, 1.2, 0.8, 1.0);
    tagLGINFO b = Load(0, 1.2, 0.8, 1.0);
    const std::list<tagLGINFO*> loads{&a, &b};
    EXPECT_EQ(drawer.DrawLadungen(m_device, loads, m_area, true, true), 1);
    EXPECT_TRUE(m_device.ModelDraws().empty());
    // With the models there, both are drawn in order.
    EXPECT_EQ(m_drawer.DrawLadungen(m_device, loads, m_area, true, true), 0);
    ASSERT_EQ(m_device.ModelDraws().size(), 3u);
    EXPECT_EQ(m_device.ModelDraws()[0].modelName, "Kiste");
}

} // namespace

namespace {

TEST_F(LoadDrawerTest, FourWallsStandJustInsideTheLoadAreaEdge)
{
    // Load area from z -1.5 to -8.5, x from 1.1 to -1.3 (2.4 wide, side offset 0.1); floor top 1.181.
    m_area.length = 7.0;
    m_device.Clear();
    ASSERT_EQ(m_drawer.DrawLadeflaeche(m_device, m_area, true, true), 0);
    const std::vector<Call> walls = m_device.ModelDraws();
    ASSERT_EQ(walls.size(), 4u);
    for (const Call& wall : walls)
        EXPECT_EQ(wall.modelName, "Laderaumbegrenzung");
    const float t = 0.05f * 0.85f;
    // Front: across the whole width, its outer face 0.001 behind the front edge, 1.2 high.
    ExpectNear(Apply(walls[0].matrix, {0.5f, 0, 0.025f}), {1.1f, 1.181f, -1.501f});
    ExpectNear(Apply(walls[0].matrix, {-0.5f, 1, -0.025f}), {-1.3f, 2.381f, -1.501f - t});
    // Sides: along the whole length, outer faces 0.001 inside the side edges.
    for (int side = 1; side <= 2; ++side) {
        SCOPED_TRACE(side);
        const tbVector3 a = Apply(walls[static_cast<size_t>(side)].matrix, {0.5f, 0, 0});
        const tbVector3 b = Apply(walls[static_cast<size_t>(side)].matrix, {-0.5f, 0, 0});
        EXPECT_NEAR(std::fabs(a.z - b.z), 7.0f, 1e-5f);
        EXPECT_NEAR(std::max(a.z, b.z), -1.5f, 1e-5f);
        const float outer = side == 1 ? 1.1f - 0.001f : -1.3f + 0.001f;
        const float centre = side == 1 ? outer - t / 2 : outer + t / 2;
        EXPECT_NEAR(a.x, centre, 1e-5f);
    }
    // End: its outer face 0.001 inside the end edge.
    ExpectNear(Apply(walls[3].matrix, {0.5f, 0, -0.025f}), {1.1f, 1.181f, -8.499f});
}

TEST_F(LoadDrawerTest, WallsOfNoLengthAreLeftOut)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct
    {
        double width, length;
        size_t walls;
    } table[] = {{2.4, 0.0, 2u}, {0.0, 7.0, 2u}, {-2.4, 7.0, 2u},
                 {nan, 7.0, 2u}, {2.4, nan, 2u}, {0.0, 0.0, 0u}};
    for (const auto& row : table) {
        SCOPED_TRACE(testing::Message() << row.width << " x " << row.length);
        m_area.width = row.width;
        m_area.length = row.length;
        m_device.Clear();
        EXPECT_EQ(m_drawer.DrawLadeflaeche(m_device, m_area, true, true), 0);
        const std::vector<Call> walls = m_device.ModelDraws();
        EXPECT_EQ(walls.size(), row.walls);
        for (const Call& wall : walls)
            EXPECT_TRUE(AllFinite(wall.matrix));
    }
}

} // namespace

namespace {

TEST_F(LoadDrawerTest, ALashingLaysTheModelsLineFromTheLashingPointToTheLoadUnit)
{
    const struct
    {
        const char* what;
        tbVector3 from, to;
        float length, slope;
    } table[] = {
        {"rising rearwards 3-4-5", {0.5f, 1.18f, -2.0f}, {0.5f, 1.48f, -2.4f}, 0.5f, 0.643501f},
        {"across and up", {1.2f, 1.18f, -3.0f}, {0.0f, 2.08f, -3.0f}, 1.5f, 0.643501f},
        {"level, forwards", {0.0f, 1.2f, -5.0f}, {0.0f, 1.2f, -3.0f}, 2.0f, 0.0f},
        {"straight up", {0.0f, 1.2f, -1.0f}, {0.0f, 2.2f, -1.0f}, 1.0f, 1.570796f},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.what);
        const std::optional<LoadDrawer::Lashing> lashing = LoadDrawer::MakeLashing(row.from, row.to);
        ASSERT_TRUE(lashing.has_value());
        EXPECT_NEAR(lashing->length, row.length, 1e-5f);
        EXPECT_NEAR(lashing->slope, row.slope, 1e-5f);
        const tbMatrix world =
            tbMatrixScaling({1, 1, lashing->length}) * lashing->rotation * tbMatrixTranslation(row.from);
        ExpectNear(Apply(world, {0, 0, 0}), row.from);
        ExpectNear(Apply(world, {0, 0, -1}), row.to);
        // The model's width stays level and square to the line; nothing is stretched.
        const tbVector3 side = Apply(lashing->rotation, {1, 0, 0});
        EXPECT_NEAR(side.y, 0.0f, 1e-6f);
        EXPECT_NEAR(side.x * side.x + side.z * side.z, 1.0f, 1e-5f);
        const tbVector3 up = Apply(lashing->rotation, {0, 1, 0});
        EXPECT_NEAR(up.x * up.x + up.y * up.y + up.z * up.z, 1.0f, 1e-5f);
    }
}

TEST_F(LoadDrawerTest, ALashingOfNoLengthOrWithBadPointsIsNone)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(LoadDrawer::MakeLashing({1, 2, 3}, {1, 2, 3}).has_value());
    EXPECT_FALSE(LoadDrawer::MakeLashing({1, 2, 3}, {nan, 2, 3}).has_value());
    EXPECT_FALSE(
        LoadDrawer::MakeLashing({std::numeric_limits<float>::infinity(), 0, 0}, {1, 2, 3}).has_value());
}

TEST_F(LoadDrawerTest, ChainLinksCountAroundTheThresholds)
{
    // 0.69 + 0.13 + 0.035 = 0.855 m take no link; each 0.06 beyond adds one.
    const struct
    {
        float length;
        int links;
    } table[] = {{0.3f, 0},
                 {0.855f, 0},
                 {0.914f, 0},
                 {0.915f, 1},
                 {0.974f, 1},
                 {0.975f, 2},
                 {2.055f, 20},
                 {std::numeric_limits<float>::quiet_NaN(), 0},
                 {std::numeric_limits<float>::infinity(), 0}};
    for (const auto& row : table) {
        SCOPED_TRACE(row.length);
        EXPECT_EQ(LoadDrawer::ChainLinkCount(row.length), row.links);
    }
}

TEST_F(LoadDrawerTest, ALashingPointAtTheEdgeMovesInByHalfItsMarker)
{
    const struct
    {
        double x, y, wantX, wantY;
    } table[] = {{0.0, 0.0, 0.05, 0.04},
                 {7.0, 2.48, 6.95, 2.44},
                 {-1.0, 3.0, 0.05, 2.44},
                 {3.0, 1.2, 3.0, 1.2},
                 {0.05, 0.04, 0.05, 0.04}};
    for (const auto& row : table) {
        SCOPED_TRACE(testing::Message() << row.x << ", " << row.y);
        double x = -9, y = -9, z = -9;
        LoadDrawer::ClampZurrpunktPos(7.0, 2.48, row.x, row.y, 0.25, &x, &y, &z);
        EXPECT_DOUBLE_EQ(x, row.wantX);
        EXPECT_DOUBLE_EQ(y, row.wantY);
        EXPECT_DOUBLE_EQ(z, 0.25);
    }
}

TEST_F(LoadDrawerTest, AStrapHasItsHooksAtBothEndsAndTheRatchetJustInside)
{
    const LoadDrawer::Lashing lashing = *LoadDrawer::MakeLashing({0.5f, 1.18f, -2.0f}, {0.5f, 1.48f, -2.4f});
    m_device.Clear();
    ASSERT_EQ(m_drawer.DrawStrap(m_device, lashing, m_area, true, true), 0);
    const std::vector<Call> draws = m_device.ModelDraws();
    ASSERT_EQ(draws.size(), 4u);
    EXPECT_EQ(draws[0].modelName, "Gurt1m");
    ExpectNear(Apply(draws[0].matrix, {0, 0, -1}), lashing.to);
    EXPECT_EQ(draws[1].modelName, "HakenSchlaufe");
    ExpectNear(Apply(draws[1].matrix, {0, 0, 0}), lashing.from);
    EXPECT_EQ(draws[2].modelName, "HakenSchlaufe");
    ExpectNear(Apply(draws[2].matrix, {0, 0, 0}), lashing.to);
    EXPECT_EQ(draws[3].modelName, "Ratsche");
    ExpectNear(Apply(draws[3].matrix, {0, 0, 0}), {0.5f, 1.186f, -2.008f});
    // Straps have no see-through parts.
    m_device.Clear();
    EXPECT_EQ(m_drawer.DrawStrap(m_device, lashing, m_area, false, true), 0);
    EXPECT_TRUE(m_device.ModelDraws().empty());
}

TEST_F(LoadDrawerTest, AChainRunsEyeTensionerLinksAndHookAlongTheLine)
{
    // 1 m level along -z: two links at 0.69 and 0.75.
    const LoadDrawer::Lashing lashing = *LoadDrawer::MakeLashing({0.0f, 1.2f, -2.0f}, {0.0f, 1.2f, -3.0f});
    m_device.Clear();
    ASSERT_EQ(m_drawer.DrawChain(m_device, lashing, m_area, true, true), 0);
    const std::vector<Call> draws = m_device.ModelDraws();
    const char* const names[] = {"Zurrpunktoese",  "KetteHakenSpindel", "Kettenendglied131", "Kettenglied161",
                                 "Kettenglied161", "Kettenmittelglied", "HakenKetteEnde",    "Anschlagpunkt"};
    ASSERT_EQ(draws.size(), std::size(names));
    for (size_t i = 0; i < draws.size(); ++i)
        EXPECT_EQ(draws[i].modelName, names[i]) << i;
    ExpectNear(Apply(draws[0].matrix, {0, 0, 0}), {0.0f, 1.2f, -2.0f});
    ExpectNear(Apply(draws[3].matrix, {0, 0, 0}), {0.0f, 1.2f, -2.69f});
    ExpectNear(Apply(draws[4].matrix, {0, 0, 0}), {0.0f, 1.2f, -2.75f});
    ExpectNear(Apply(draws[4].matrix, {0, 0, -0.06f}), {0.0f, 1.2f, -2.81f});
    ExpectNear(Apply(draws[6].matrix, {0, 0, 0}), {0.0f, 1.2f, -2.87f});
    ExpectNear(Apply(draws[7].matrix, {0, 0, 0}), {0.0f, 1.2f, -3.0f});
}

TEST_F(LoadDrawerTest, LashingsStopWhenTheirModelsCannotBeHad)
{
    QTemporaryDir empty;
    TextureManager textures;
    textures.Init(16);
    ModelCache cache(empty.path(), textures);
    cache.InitModellCache();
    LoadDrawer drawer(cache);
    const LoadDrawer::Lashing lashing = *LoadDrawer::MakeLashing({0, 1.2f, -2}, {0, 1.5f, -3});
    EXPECT_EQ(drawer.DrawStrap(m_device, lashing, m_area, true, true), 1);
    EXPECT_EQ(drawer.DrawChain(m_device, lashing, m_area, true, true), 1);
    EXPECT_EQ(drawer.DrawLadeflaeche(m_device, m_area, true, true), 1);
    EXPECT_TRUE(m_device.ModelDraws().empty());
}

} // namespace
