// Vehicle renderer resources: create, release and retry; circle tables; the circle marker's draws.
#include "view3d/CFahrzeug3D.h"

#include "platform/ResourceModule.h"
#include "platform/gl/RecordingDevice.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class Fahrzeug3DTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_module =
            ResourceModule::Load(QStringLiteral("EN"), QCoreApplication::applicationDirPath(), nullptr);
        ASSERT_NE(m_module, nullptr);
    }
    fs::path Tex() const { return fs::path(m_dir.path().toStdString()) / "Modelle" / "TEX"; }
    void CopyScalePicture() const
    {
        fs::create_directories(Tex());
        fs::copy_file(fs::path(QOR_MODELS_DIR) / "TEX" / "Waage.bmp", Tex() / "Waage.bmp",
                      fs::copy_options::overwrite_existing);
    }

    QTemporaryDir m_dir;
    std::unique_ptr<ResourceModule> m_module;
};

TEST_F(Fahrzeug3DTest, InitReleaseAndReleaseAgain)
{
    CopyScalePicture();
    CFahrzeug3D renderer(m_dir.path(), m_module.get());
    EXPECT_FALSE(renderer.HasResources());
    EXPECT_EQ(renderer.ScaleTexture(), nullptr); // the constructor makes no resource
    ASSERT_TRUE(renderer.InitResources());
    EXPECT_TRUE(renderer.HasResources());
    ASSERT_NE(renderer.ScaleTexture(), nullptr);
    EXPECT_EQ(renderer.ScaleTexture()->size(), QSize(512, 256));
    ASSERT_NE(renderer.OpaqueEffect(), nullptr);
    EXPECT_FALSE(renderer.OpaqueEffect()->Blended());
    EXPECT_EQ(renderer.OpaqueEffect()->Texture(), renderer.ScaleTexture());
    ASSERT_NE(renderer.BlendedEffect(), nullptr);
    EXPECT_TRUE(renderer.BlendedEffect()->Blended());
    ASSERT_NE(renderer.BitmapTexture(), nullptr);
    // Pure red of the marker picture became transparent; the rest stayed opaque.
    EXPECT_EQ(qAlpha(renderer.BitmapTexture()->pixel(0, 0)), 0);
    const QSize size = renderer.BitmapTexture()->size();
    EXPECT_EQ(qAlpha(renderer.BitmapTexture()->pixel(size.width() / 2, size.height() / 2)), 255);
    EXPECT_NE(renderer.Font(), nullptr);
    EXPECT_FLOAT_EQ(renderer.ScaleCorner(1).x, 3.69f);
    EXPECT_FLOAT_EQ(renderer.ScaleSize(), 0.26042f);

    const QImage* before = renderer.ScaleTexture();
    EXPECT_TRUE(renderer.InitResources()); // already there: nothing made again
    EXPECT_EQ(renderer.ScaleTexture(), before);

    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        renderer.ReleaseResources();
        EXPECT_FALSE(renderer.HasResources());
        EXPECT_EQ(renderer.ScaleTexture(), nullptr);
        EXPECT_EQ(renderer.BitmapTexture(), nullptr);
        EXPECT_EQ(renderer.OpaqueEffect(), nullptr);
        EXPECT_EQ(renderer.BlendedEffect(), nullptr);
        EXPECT_EQ(renderer.Font(), nullptr);
    }
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(renderer.InitResources());
        renderer.ReleaseResources();
    }
}

TEST_F(Fahrzeug3DTest, MissingScalePictureLeavesResourcesAbsentUntilALaterInit)
{
    CFahrzeug3D renderer(m_dir.path(), m_module.get());
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_FALSE(renderer.InitResources());
        EXPECT_FALSE(renderer.HasResources());
        EXPECT_EQ(renderer.ScaleTexture(), nullptr);
        EXPECT_EQ(renderer.OpaqueEffect(), nullptr);
        EXPECT_EQ(renderer.GetCircle(0)[1].y, 0.0f); // circles not filled
    }
    const TextureEffect* blended = renderer.BlendedEffect();
    ASSERT_NE(blended, nullptr); // made once, kept for the retries
    fs::create_directories(Tex());
    {
        std::ofstream(Tex() / "Waage.bmp") << "not a picture";
    }
    EXPECT_FALSE(renderer.InitResources());
    EXPECT_EQ(renderer.BlendedEffect(), blended);

    CopyScalePicture();
    EXPECT_TRUE(renderer.InitResources());
    EXPECT_TRUE(renderer.HasResources());
    EXPECT_EQ(renderer.BlendedEffect(), blended);
}

TEST_F(Fahrzeug3DTest, CircleTablesAreClosedUnitCirclesInTheirPlanes)
{
    CopyScalePicture();
    CFahrzeug3D renderer(m_dir.path(), m_module.get());
    ASSERT_TRUE(renderer.InitResources());
    for (int c = 0; c < 3; ++c) {
        SCOPED_TRACE(c);
        const CFahrzeug3D::Circle& circle = renderer.GetCircle(c);
        ASSERT_EQ(circle.size(), 33u);
        EXPECT_EQ(circle.front().x, circle.back().x);
        EXPECT_EQ(circle.front().y, circle.back().y);
        EXPECT_EQ(circle.front().z, circle.back().z);
        for (const CFahrzeug3D::ColourVertex& v : circle) {
            EXPECT_NEAR(std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z), 1.0f, 1e-6f);
            EXPECT_EQ(v.colour, 0u);
            const float plane[] = {v.z, v.x, v.y}; // the axis each circle leaves out
            EXPECT_EQ(plane[c], 0.0f);
        }
    }
    EXPECT_NEAR(renderer.GetCircle(0)[8].y, 1.0f, 1e-6f); // a quarter turn
}

TEST_F(Fahrzeug3DTest, DrawKreiseDrawsThreeStripsAtThePointAndRestoresStates)
{
    CopyScalePicture();
    CFahrzeug3D renderer(m_dir.path(), m_module.get());
    ASSERT_TRUE(renderer.InitResources());
    RecordingDevice device;
    device.SetRenderState(RenderState::Lighting, 1);
    device.SetRenderState(RenderState::ColorVertex, 0);
    device.Clear();
    EXPECT_EQ(renderer.DrawKreise(device, {1.0f, 2.0f, 3.0f}, 0xFF00FF00u, 0.25f), 1);
    int strips = 0;
    for (const RecordingDevice::Call& call : device.Calls()) {
        if (call.kind != RecordingDevice::CallKind::DrawPrimitive)
            continue;
        ++strips;
        EXPECT_EQ(call.primitive, PrimitiveType::LineStrip);
        EXPECT_EQ(call.primitiveCount, 32);
        EXPECT_EQ(call.stride, 16);
        const tbVector3 p = tbVector3TransformCoords({1.0f, 0.0f, 0.0f}, call.matrix);
        EXPECT_NEAR(p.x, 1.25f, 1e-6f);
        EXPECT_NEAR(p.y, 2.0f, 1e-6f);
        EXPECT_NEAR(p.z, 3.0f, 1e-6f);
        EXPECT_EQ(device.GetRenderState(RenderState::Lighting), 1);
    }
    EXPECT_EQ(strips, 3);
    EXPECT_EQ(renderer.GetCircle(2)[5].colour, 0xFF00FF00u);
    EXPECT_EQ(device.GetRenderState(RenderState::Lighting), 1);
    EXPECT_EQ(device.GetRenderState(RenderState::ColorVertex), 0);
    EXPECT_EQ(device.GetRenderState(RenderState::ZEnable), 1);
    // Colour 0 keeps the last colour.
    renderer.DrawKreise(device, {}, 0, 1.0f);
    EXPECT_EQ(renderer.GetCircle(0)[0].colour, 0xFF00FF00u);
}

TEST(Fahrzeug3DPureTest, FlagsDefaultsLerpAndLabel)
{
    const SAnsicht3DFlags flags;
    const int defaults[] = {1, 1, 1, 1, 0, 1, 1, 0, 0, 1, 0};
    for (int i = 0; i < SAnsicht3DFlags::COUNT; ++i)
        EXPECT_EQ(flags[i], defaults[i]) << i;

    const tbColor from{0.0f, 1.0f, 0.5f, 0.0f};
    const tbColor to{1.0f, 0.0f, 0.5f, 1.0f};
    const struct
    {
        float t;
        tbColor expected;
    } cases[] = {
        {0.0f, from}, {1.0f, to}, {0.25f, {0.25f, 0.75f, 0.5f, 0.25f}}, {2.0f, {2.0f, -1.0f, 0.5f, 2.0f}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.t);
        const tbColor got = LerpColor(from, to, c.t);
        EXPECT_FLOAT_EQ(got.r, c.expected.r);
        EXPECT_FLOAT_EQ(got.g, c.expected.g);
        EXPECT_FLOAT_EQ(got.b, c.expected.b);
        EXPECT_FLOAT_EQ(got.a, c.expected.a);
    }
    const tbMatrix identity = IdentityMatrix();
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(identity.m[r][c], r == c ? 1.0f : 0.0f);

    CFahrzeug3D renderer(QString{}, nullptr);
    const CFahrzeug3D::Label shortLabel = renderer.MakeLabel(QStringLiteral("1.2 t"), 0.5f);
    const CFahrzeug3D::Label longLabel = renderer.MakeLabel(QStringLiteral("12 345.6 kg"), 0.5f);
    EXPECT_FALSE(shortLabel.image.isNull());
    EXPECT_GT(shortLabel.width, 0.0f);
    EXPECT_GT(longLabel.width, 1.5f * shortLabel.width);
    EXPECT_NEAR(longLabel.width / 0.5f,
                static_cast<float>(longLabel.image.width()) / static_cast<float>(longLabel.image.height()),
                1e-4f);
    bool inked = false;
    for (int y = 0; y < longLabel.image.height() && !inked; ++y)
        for (int x = 0; x < longLabel.image.width() && !inked; ++x)
            inked = qAlpha(longLabel.image.pixel(x, y)) > 0;
    EXPECT_TRUE(inked);
}

} // namespace
