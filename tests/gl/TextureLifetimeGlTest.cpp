// Textures on the GL device live as long as their pictures: pictures that come and go, the renderer's
// resources made and released again and again, and label figures that keep changing leave no texture behind.
#include "GlFixture.h"

#include "SampleVehicles.h"
#include "model/document/CQOR1Doc.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"
#include "view3d/CFahrzeug3D.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct Vertex
{
    float x, y, z;
    std::uint32_t colour;
    float u, v;
};

// A quad over the whole framebuffer in `picture`, unlit, in the picture's colours.
void DrawPicture(IRenderDevice& device, const QImage& picture)
{
    const Vertex quad[6] = {{-1, -1, 0.5f, 0xFFFFFFFFu, 0, 0}, {-1, 1, 0.5f, 0xFFFFFFFFu, 0, 1},
                            {1, 1, 0.5f, 0xFFFFFFFFu, 1, 1},   {-1, -1, 0.5f, 0xFFFFFFFFu, 0, 0},
                            {1, 1, 0.5f, 0xFFFFFFFFu, 1, 1},   {1, -1, 0.5f, 0xFFFFFFFFu, 1, 0}};
    device.SetTransform(TransformKind::World, tbMatrixIdentity());
    device.SetTransform(TransformKind::View, tbMatrixIdentity());
    device.SetTransform(TransformKind::Projection, tbMatrixIdentity());
    device.SetRenderState(RenderState::Lighting, 0);
    device.SetRenderState(RenderState::ColorVertex, 1);
    device.SetRenderState(RenderState::CullMode, static_cast<int>(CullMode::None));
    device.SetTexture(&picture);
    device.DrawPrimitive(PrimitiveType::TriangleList, VertexLayout::PositionColourTexture, quad, 2,
                         sizeof(Vertex));
    device.SetTexture(nullptr);
}

TEST_F(GlFixture, ATextureGoesWithItsPictureAndAChangedPictureIsUploadedAgain)
{
    const int before = m_device.UploadedTextureCount();
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        QImage picture(8, 8, QImage::Format_ARGB32);
        picture.fill(round % 2 == 0 ? Qt::red : Qt::blue);
        QImage image = Render(QSize(16, 16), [&](IRenderDevice& device) { DrawPicture(device, picture); });
        EXPECT_EQ(m_device.UploadedTextureCount(), before + 1);
        EXPECT_EQ(image.pixel(8, 8), round % 2 == 0 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
        // Changed in place, the picture is a new texture and the old one goes with the next frame.
        picture.fill(Qt::green);
        image = Render(QSize(16, 16), [&](IRenderDevice& device) { DrawPicture(device, picture); });
        EXPECT_EQ(image.pixel(8, 8), qRgb(0, 255, 0));
        EXPECT_EQ(m_device.UploadedTextureCount(), before + 1);
    }
    // The last picture went at the end of the loop: the next frame start lets its texture go.
    m_device.ApplyStates();
    EXPECT_EQ(m_device.UploadedTextureCount(), before);
}

TEST_F(GlFixture, RendererResourcesMadeAndReleasedAgainLeaveNoTextures)
{
    CFahrzeug3D renderer(ProgramFolder(), nullptr);
    const int before = m_device.UploadedTextureCount();
    for (int round = 0; round < 25; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(renderer.InitResources());
        const QImage* scale = renderer.ScaleTexture();
        ASSERT_NE(scale, nullptr);
        const QImage image = Render(QSize(32, 32), [&](IRenderDevice& device) {
            SetScene(device, {0, 3, 0.01f}, {0, 0, 0}, 1.0f);
            renderer.DrawAchslastSkala(device, {-1, 0, -1}, {1, 0, 1}, CFahrzeug3D::LABEL_COLOUR_1);
        });
        EXPECT_NE(image.pixel(16, 16), qRgb(255, 255, 255));
        EXPECT_EQ(m_device.UploadedTextureCount(), before + 1);
        renderer.ReleaseResources();
        renderer.ReleaseResources();
        m_device.ApplyStates();
        EXPECT_EQ(m_device.UploadedTextureCount(), before);
    }
}

TEST_F(GlFixture, ChangingAxleLoadLabelsKeepTheTexturesBounded)
{
    const SampleVehicle* sample = nullptr;
    for (const SampleVehicle& s : SampleVehicles())
        if (std::strcmp(s.file, "LKW") == 0)
            sample = &s;
    ASSERT_NE(sample, nullptr);
    CQOR1Doc doc;
    doc.SetFahrzeug(BuildSampleVehicle(*sample).release());
    CQOR& plan = *doc.GetFahrzeug()->GetQor();
    auto* load = new tagLGINFO;
    load->m_nTyp = 3;
    load->m_dLaenge = load->m_dBreite = load->m_dHoehe = 1.0;
    load->m_dPosX = 2.0;
    plan.AddLgInfo(std::unique_ptr<tagLGINFO>(load), false);
    doc.OnDocumentOpened();

    CFahrzeug3D renderer(ProgramFolder(), nullptr);
    ASSERT_TRUE(renderer.InitResources());
    // Only the labels: no yard, marker, area, loads' walls, chart or circles.
    for (int i = 0; i < 11; ++i)
        renderer.Flags()[i] = i == 6 ? 1 : 0;
    int most = 0;
    for (int round = 0; round < 200; ++round) {
        // Every round other figures: 10 kg more on the truck.
        load->m_dMasse = load->m_dSPMasse = 1.0 + 0.01 * round;
        plan.UpdateSchwerpunkt();
        Render(QSize(32, 32), [&](IRenderDevice& device) {
            SetScene(device, {8, 6, -3}, {0, 0, -3}, 1.0f);
            EXPECT_EQ(renderer.Render(device, m_cache, &doc, {}, nullptr, nullptr, 0), 0);
        });
        most = std::max(most, m_device.UploadedTextureCount());
    }
    // 400 figures were drawn; the renderer keeps the pictures of recent ones only, and so does the device.
    EXPECT_GE(most, 3);
    EXPECT_LE(most, 80);
}

} // namespace
