// The GL device: programs compile, faces, lights and colours come out as the conventions say, a model
// draws into a framebuffer, and a recorded frame replays to the same pixels.
#include "GlFixture.h"

#include "platform/gl/DeviceModel.h"
#include "platform/gl/GlContextProbe.h"
#include "platform/gl/GlModelStore.h"
#include "platform/gl/RecordingDevice.h"

#include <QDir>
#include <QOpenGLContext>

#include <array>
#include <cstdint>

namespace {

bool IsWhite(QRgb c)
{
    return qRed(c) > 250 && qGreen(c) > 250 && qBlue(c) > 250;
}

// A unit square at z = 0 facing -z (towards a camera at -z), clockwise as seen from there.
DeviceModel Square(const tbColor& colour, Q3dModel::Pass pass = Q3dModel::Pass::Opaque)
{
    Q3dModel mesh;
    Q3dModel::Part part;
    part.name = "square";
    part.colour = colour;
    part.pass = pass;
    const tbVector3 n{0, 0, -1};
    part.vertices = {
        {{-1, -1, 0}, n, 0, 1}, {{-1, 1, 0}, n, 0, 0}, {{1, 1, 0}, n, 1, 0}, {{1, -1, 0}, n, 1, 1}};
    part.indices = {0, 1, 2, 0, 2, 3};
    mesh.parts = {part};
    return DeviceModel("square", std::move(mesh), {});
}

TEST(GlContextProbeTest, AnswersWhetherA33CoreContextCanBeMade)
{
    QString error;
    const bool ok = GlContextProbe::Run(&error);
    if (!ok && qgetenv("CI") != "true")
        GTEST_SKIP() << error.toStdString();
    EXPECT_TRUE(ok) << error.toStdString();
    EXPECT_TRUE(error.isEmpty());
    EXPECT_EQ(GlContextProbe::Format().profile(), QSurfaceFormat::CoreProfile);
}

TEST_F(GlFixture, ProgramsCompileOnA33CoreContext)
{
    EXPECT_TRUE(m_device.IsInitialised());
    EXPECT_GE(m_context.format().version(), qMakePair(3, 3));
    EXPECT_EQ(m_context.format().profile(), QSurfaceFormat::CoreProfile);
}

TEST_F(GlFixture, FacesLightsAndVertexColoursFollowTheConventions)
{
    const DeviceModel square = Square({1, 1, 1, 1});
    struct Case
    {
        const char* what;
        tbVector3 eye;
        tbVector3 lightTravels;
        bool lit;
        bool visible;
        int grey; // expected grey level of the centre, when visible
    };
    const Case cases[] = {
        {"front, lit from behind the camera", {0, 0, -4}, {0, 0, 1}, true, true, 255},
        {"front, light from behind the square", {0, 0, -4}, {0, 0, -1}, true, true, 0},
        {"front, lighting off", {0, 0, -4}, {0, 0, -1}, false, true, 255},
        {"back faces are culled", {0, 0, 4}, {0, 0, 1}, true, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QImage image = Render(QSize(64, 64), [&](IRenderDevice& device) {
            device.SetTransform(TransformKind::View, tbMatrixCamera(c.eye, {0, 0, 0}, {0, 1, 0}));
            device.SetTransform(TransformKind::Projection, tbMatrixProjection(0.8f, 1.0f, 0.1f, 10.0f));
            device.SetLight(0, {{1, 1, 1, 1}, {0, 0, 0, 1}, {0, 0, 0, 1}, c.lightTravels});
            device.LightEnable(0, true);
            device.SetRenderState(RenderState::Lighting, c.lit ? 1 : 0);
            device.DrawModel(square, IRenderDevice::ALL_PARTS, IRenderDevice::ALL_PARTS, true, true);
        });
        const QRgb centre = image.pixel(32, 32);
        if (!c.visible) {
            EXPECT_TRUE(IsWhite(centre)) << std::hex << centre;
            continue;
        }
        EXPECT_NEAR(qRed(centre), c.grey, 3);
        EXPECT_NEAR(qBlue(centre), c.grey, 3);
        EXPECT_TRUE(IsWhite(image.pixel(1, 1)));
    }

    // A packed colour 0xAARRGGBB keeps its red, and rows of the picture keep their top at the top.
    struct V
    {
        float x, y, z;
        std::uint32_t colour;
    };
    const V triangle[3] = {{-1, 0, 0, 0xFFFF0000u}, {-1, 1, 0, 0xFFFF0000u}, {1, 1, 0, 0xFFFF0000u}};
    const QImage image = Render(QSize(64, 64), [&](IRenderDevice& device) {
        device.SetTransform(TransformKind::View, tbMatrixIdentity());
        device.SetTransform(TransformKind::Projection, tbMatrixIdentity());
        device.SetRenderState(RenderState::Lighting, 0);
        device.SetRenderState(RenderState::CullMode, static_cast<int>(CullMode::None));
        device.DrawPrimitive(PrimitiveType::TriangleList, VertexLayout::PositionColour, triangle, 1,
                             sizeof(V));
    });
    EXPECT_EQ(image.pixel(8, 4), qRgb(255, 0, 0));
    EXPECT_TRUE(IsWhite(image.pixel(8, 60)));

    // A half-transparent blended part over white reads back as the even mix, whatever the target's alpha.
    const DeviceModel glass = Square({1, 0, 0, 0.5f}, Q3dModel::Pass::Blended);
    const QImage blended = Render(QSize(64, 64), [&](IRenderDevice& device) {
        device.SetTransform(TransformKind::View, tbMatrixCamera({0, 0, -4}, {0, 0, 0}, {0, 1, 0}));
        device.SetTransform(TransformKind::Projection, tbMatrixProjection(0.8f, 1.0f, 0.1f, 10.0f));
        device.SetRenderState(RenderState::Lighting, 0);
        device.DrawModel(glass, IRenderDevice::ALL_PARTS, IRenderDevice::ALL_PARTS, false, true);
        // The opaque pass alone leaves a blended part out.
        device.SetTransform(TransformKind::World, tbMatrixTranslation({0, 0, -1}));
        device.DrawModel(glass, IRenderDevice::ALL_PARTS, IRenderDevice::ALL_PARTS, true, false);
    });
    const QRgb mix = blended.pixel(32, 32);
    EXPECT_NEAR(qRed(mix), 255, 2);
    EXPECT_NEAR(qGreen(mix), 128, 2);
    EXPECT_NEAR(qBlue(mix), 128, 2);
}

TEST_F(GlFixture, PlainAndTexturedDrawsTakeTurnsEachWithItsOwnTransformAndColour)
{
    // Plain and textured draws go through programs of their own, each holding the uniforms it was given
    // last. Draws take turns between them; the third reuses the second's world matrix, which its own
    // program has not seen yet, so a value taken as sent because the other program holds it would put
    // the third quad in the first one's place.
    struct Plain
    {
        float x, y, z;
        std::uint32_t colour;
    };
    struct Textured
    {
        float x, y, z;
        std::uint32_t colour;
        float u, v;
    };
    const auto plain = [](float dy, std::uint32_t colour) {
        std::array<Plain, 6> q{};
        const float c[6][2] = {{-0.2f, -0.2f}, {-0.2f, 0.2f}, {0.2f, 0.2f},
                               {-0.2f, -0.2f}, {0.2f, 0.2f},  {0.2f, -0.2f}};
        for (int i = 0; i < 6; ++i)
            q[static_cast<std::size_t>(i)] = {c[i][0], c[i][1] + dy, 0, colour};
        return q;
    };
    std::array<Textured, 6> textured{};
    for (std::size_t i = 0; i < 6; ++i) {
        const Plain p = plain(0, 0)[i];
        textured[i] = {p.x, p.y, 0, 0xFFFFFFFFu, p.x + 0.5f, p.y + 0.5f};
    }
    QImage green(4, 4, QImage::Format_RGB32);
    green.fill(qRgb(0, 255, 0));
    const auto red = plain(0, 0xFFFF0000u), blue = plain(-1.0f, 0xFF0000FFu);
    const QImage image = Render(QSize(64, 64), [&](IRenderDevice& device) {
        device.SetTransform(TransformKind::View, tbMatrixIdentity());
        device.SetTransform(TransformKind::Projection, tbMatrixIdentity());
        device.SetRenderState(RenderState::Lighting, 0);
        device.SetRenderState(RenderState::ColorVertex, 1);
        device.SetRenderState(RenderState::CullMode, static_cast<int>(CullMode::None));
        const auto draw = [&](const tbVector3& at, const QImage* texture, const void* vertices, int stride) {
            device.SetTransform(TransformKind::World, tbMatrixTranslation(at));
            device.SetTexture(texture);
            device.DrawPrimitive(PrimitiveType::TriangleList,
                                 texture ? VertexLayout::PositionColourTexture : VertexLayout::PositionColour,
                                 vertices, 2, stride);
        };
        draw({-0.5f, 0.5f, 0}, nullptr, red.data(), sizeof(Plain));
        draw({0.5f, 0.5f, 0}, &green, textured.data(), sizeof(Textured));
        draw({0.5f, 0.5f, 0}, nullptr, blue.data(), sizeof(Plain));
        draw({-0.5f, -0.5f, 0}, &green, textured.data(), sizeof(Textured));
        device.SetTexture(nullptr);
    });
    EXPECT_EQ(image.pixel(16, 16), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(48, 16), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(48, 48), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(16, 48), qRgb(0, 255, 0));
}

TEST_F(GlFixture, TheCrateFillsTheMiddleOfAFramebufferAndLeavesTheCornersWhite)
{
    const DeviceModel& crate = Model(37);
    const QImage image = Render(QSize(256, 256), [&](IRenderDevice& device) {
        SetScene(device, {1.6f, 1.9f, -2.6f}, {0, 0.5f, 0}, 1.0f);
        device.SetTransform(TransformKind::World, tbMatrixIdentity());
        device.DrawModel(crate, IRenderDevice::ALL_PARTS, IRenderDevice::ALL_PARTS, true, true);
    });
    const QRgb centre = image.pixel(128, 128);
    EXPECT_FALSE(IsWhite(centre)) << std::hex << centre;
    EXPECT_GT(qRed(centre), qBlue(centre)); // wood
    for (QPoint corner : {QPoint(0, 0), QPoint(255, 0), QPoint(0, 255), QPoint(255, 255)})
        EXPECT_TRUE(IsWhite(image.pixel(corner))) << corner.x() << "," << corner.y();
    EXPECT_EQ(m_device.UploadedModelCount(), 1);
}

TEST_F(GlFixture, DevicesOfSharingContextsDrawFromOneCopyOfAModel)
{
    const DeviceModel& crate = Model(37);
    auto frame = [&](IRenderDevice& device) {
        SetScene(device, {1.6f, 1.9f, -2.6f}, {0, 0.5f, 0}, 1.0f);
        device.DrawModel(crate, IRenderDevice::ALL_PARTS, IRenderDevice::ALL_PARTS, true, true);
    };
    const QImage first = Render(QSize(64, 64), frame);
    EXPECT_EQ(GlModelStore::Count(), 1);

    QOpenGLContext other;
    other.setFormat(m_context.format());
    other.setShareContext(&m_context);
    ASSERT_TRUE(other.create());
    ASSERT_TRUE(QOpenGLContext::areSharing(&other, &m_context));
    ASSERT_TRUE(other.makeCurrent(&m_surface));
    GlDevice second;
    ASSERT_TRUE(second.Initialise());
    const QImage again = Render(QSize(64, 64), frame, &second);
    EXPECT_EQ(GlModelStore::Count(), 1);
    EXPECT_EQ(second.UploadedModelCount(), 1);
    EXPECT_EQ(again, first);
    second.Release();
    ASSERT_TRUE(m_context.makeCurrent(&m_surface));
}

TEST_F(GlFixture, RecordingAndGlDevicesAgreeOnAFrame)
{
    const DeviceModel& pallet = Model(22);
    const DeviceModel& marker = Model(33);
    const DeviceModel& range = Model(32);
    const tbColor red{0.8f, 0, 0, 1};
    const QImage& scale = *m_textures.Load(m_cache.TextureFolder(33) + QStringLiteral("/Waage.bmp"));
    struct V
    {
        float x, y, z;
        std::uint32_t colour;
        float u, v;
    };
    const V icon[6] = {{-1, 1.2f, 0, 0x99FFFFFFu, 0, 0},        {-1, 1.6f, 0, 0x99FFFFFFu, 0, 0.23f},
                       {1, 1.6f, 0, 0x99FFFFFFu, 0.59f, 0.23f}, {-1, 1.2f, 0, 0x99FFFFFFu, 0, 0},
                       {1, 1.6f, 0, 0x99FFFFFFu, 0.59f, 0.23f}, {1, 1.2f, 0, 0x99FFFFFFu, 0.59f, 0}};
    auto frame = [&](IRenderDevice& device) {
        SetScene(device, {2.5f, 2.5f, -3.5f}, {0, 0.4f, 0}, 1.0f);
        device.LightEnable(2, false);
        device.SetTransform(TransformKind::World, tbMatrixRotationY(0.4f));
        device.DrawModel(pallet, IRenderDevice::ALL_PARTS, IRenderDevice::ALL_PARTS, true, false);
        device.SetTransform(TransformKind::World, tbMatrixScaling({0.5f, 0.5f, 0.5f}) *
                                                      tbMatrixRotationY(1.5708f) *
                                                      tbMatrixTranslation({0, 0.9f, 0}));
        device.DrawModel(marker, 0, 0, true, true, &red);
        device.SetTransform(TransformKind::World, tbMatrixScaling({1.2f, 0.6f, 0.8f}));
        device.DrawModel(range, IRenderDevice::ALL_PARTS, IRenderDevice::ALL_PARTS, true, true);
        device.SetTransform(TransformKind::World, tbMatrixIdentity());
        device.SetRenderState(RenderState::Lighting, 0);
        device.SetRenderState(RenderState::AlphaBlendEnable, 1);
        device.SetTexture(&scale);
        device.DrawPrimitive(PrimitiveType::TriangleList, VertexLayout::PositionColourTexture, icon, 2,
                             sizeof(V));
        device.SetTexture(nullptr);
        device.SetRenderState(RenderState::AlphaBlendEnable, 0);
        device.SetRenderState(RenderState::Lighting, 1);
    };
    const QImage direct = Render(QSize(128, 128), frame);
    RecordingDevice recording;
    frame(recording);
    ASSERT_EQ(recording.ModelDraws().size(), 3u);
    const QImage replayed = Render(QSize(128, 128), [&](IRenderDevice& device) { recording.Replay(device); });
    EXPECT_EQ(direct, replayed);
    // The frame drew something of each piece: the red marker and the pallet's wood.
    int reddish = 0, wood = 0;
    for (int y = 0; y < direct.height(); ++y)
        for (int x = 0; x < direct.width(); ++x) {
            const QRgb c = direct.pixel(x, y);
            reddish += qRed(c) > 120 && qGreen(c) < 40 && qBlue(c) < 40;
            wood += qRed(c) > qGreen(c) + 20 && qGreen(c) > qBlue(c) + 20;
        }
    EXPECT_GT(reddish, 10);
    EXPECT_GT(wood, 10);
    QDir().mkpath(QStringLiteral(QOR_TEST_ARTIFACT_DIR));
    direct.save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/gl_device_frame.png"));
}

} // namespace
