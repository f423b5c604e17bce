// What the renderer and the GL device keep between frames never shows a stale picture: a frame after a
// change equals the frame of a renderer and device made afresh; kept vertices draw as the same vertices
// handed over with the draw and go with their owner; a model is left out only when nothing of it shows.
#include "GlFrameFixture.h"

#include "SampleVehicles.h"
#include "model/document/CQOR1Doc.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"
#include "platform/ResourceModule.h"
#include "platform/gl/KeptVertices.h"
#include "tests/support/SampleDocument.h"
#include "view3d/CCamera.h"
#include "view3d/CFahrzeug3D.h"
#include "view3d/OffscreenFrame.h"

#include <QCoreApplication>
#include <QDir>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

std::unique_ptr<CFahrzeug> Sample(const char* file)
{
    for (const SampleVehicle& s : SampleVehicles())
        if (std::strcmp(s.file, file) == 0)
            return BuildSampleVehicle(s);
    return nullptr;
}

// A document of the sample rigid truck, or of the sample tractor with its semi-trailer, with three loads.
std::unique_ptr<CQOR1Doc> Document(bool combination)
{
    std::unique_ptr<CFahrzeug> vehicle = Sample(combination ? "SAH" : "LKW");
    if (!vehicle)
        return nullptr;
    if (combination)
        CoupleInFront(*vehicle, Sample("SZM"));
    AddBoxLoad(*vehicle, 0.5, 4.0, 0.2);
    AddBoxLoad(*vehicle, 2.0, 2.0, 1.0, 3);
    AddBoxLoad(*vehicle, 3.5, 1.5, 0.4, 2);
    auto doc = std::make_unique<CQOR1Doc>();
    doc->SetFahrzeug(vehicle.release());
    doc->OnDocumentOpened();
    return doc;
}

class SceneCacheGlTest : public GlFrameFixture
{
protected:
    QImage Frame(GlDevice& device, CFahrzeug3D& renderer, CQOR1Doc& doc, const CCamera& camera)
    {
        return m_frame.Render(device, QSize(640, 400), camera, [&](IRenderDevice& d) {
            EXPECT_EQ(renderer.Render(d, m_cache, &doc, camera.Target(), nullptr, nullptr, 0), 0);
        });
    }
};

TEST_F(SceneCacheGlTest, AFrameAfterAChangeEqualsTheFrameOfAFreshRendererAndDevice)
{
    CFahrzeug3D renderer(ProgramFolder(), nullptr);
    ASSERT_TRUE(renderer.InitResources());
    std::unique_ptr<CQOR1Doc> doc = Document(false);
    ASSERT_TRUE(doc);
    CCamera camera;
    camera.Set(nullptr, {-9.0f, 9.0f, 2.0f}, {0.0f, 1.4f, -5.0f}, 0, 0, 0);
    camera.Update(0.0f, nullptr, {}, true);
    // Each step changes what the kept renderer and device drew last; the last one's load moves along the
    // semi-trailer of a combination that took the place of the truck.
    const auto moveLoad = [&](double along, double across) {
        CFahrzeug& vehicle = *doc->GetFahrzeug();
        tagLGINFO& load = *vehicle.GetQor()->GetLgInfos().front();
        load.m_dPosX = along;
        load.m_dPosY = across;
        vehicle.GetQor()->UpdateSchwerpunkt();
        vehicle.RecalcLadungMitPartner();
    };
    const struct
    {
        const char* name;
        std::function<void()> change;
    } steps[] = {
        {"first", [] {}},
        {"load moved across", [&] { moveLoad(0.5, 1.4); }},
        {"load moved along", [&] { moveLoad(4.5, 1.4); }},
        {"view turned",
         [&] {
             camera.Set(nullptr, {9.0f, 5.0f, -12.0f}, {0.0f, 1.4f, -4.0f}, 0, 0, 0);
         }},
        {"model swapped",
         [&] {
             doc.reset();
             doc = Document(true);
             ASSERT_TRUE(doc);
         }},
        {"load moved on the semi-trailer", [&] { moveLoad(7.0, 0.3); }},
    };
    QImage last;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        step.change();
        camera.Update(0.0f, nullptr, {}, true);
        const QImage kept = Frame(m_device, renderer, *doc, camera);
        GlDevice freshDevice;
        ASSERT_TRUE(freshDevice.Initialise());
        CFahrzeug3D freshRenderer(ProgramFolder(), nullptr);
        ASSERT_TRUE(freshRenderer.InitResources());
        const QImage fresh = Frame(freshDevice, freshRenderer, *doc, camera);
        freshDevice.Release();
        ASSERT_FALSE(kept.isNull());
        EXPECT_TRUE(kept == fresh);
        // The change shows, so the comparison is not of two unchanged pictures.
        EXPECT_FALSE(kept == last);
        if (kept != fresh) {
            QDir().mkpath(QStringLiteral(QOR_TEST_ARTIFACT_DIR));
            kept.save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/scene_cache_kept.png"));
            fresh.save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/scene_cache_fresh.png"));
        }
        last = kept;
    }
}

// A fan of four triangles over the framebuffer, each in its own colour, as vertices and indices.
std::unique_ptr<KeptVertices> Fan(std::vector<std::uint32_t> indices)
{
    const float v[][4] = {{0.0f, 0.0f, 0.5f, 0.0f},
                          {-0.9f, -0.9f, 0.5f, 0.0f},
                          {0.9f, -0.9f, 0.5f, 0.0f},
                          {0.9f, 0.9f, 0.5f, 0.0f},
                          {-0.9f, 0.9f, 0.5f, 0.0f}};
    const std::uint32_t colours[] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFF00u, 0xFF00FFFFu};
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < 5; ++i) {
        std::uint8_t vertex[16];
        std::memcpy(vertex, v[i], 12);
        std::memcpy(vertex + 12, &colours[i], 4);
        bytes.insert(bytes.end(), vertex, vertex + 16);
    }
    return std::make_unique<KeptVertices>(VertexLayout::PositionColour, std::move(bytes), std::move(indices));
}

void Unlit(IRenderDevice& device)
{
    device.SetTransform(TransformKind::World, tbMatrixIdentity());
    device.SetTransform(TransformKind::View, tbMatrixIdentity());
    device.SetTransform(TransformKind::Projection, tbMatrixIdentity());
    device.SetRenderState(RenderState::Lighting, 0);
    device.SetRenderState(RenderState::ColorVertex, 1);
    device.SetRenderState(RenderState::CullMode, static_cast<int>(CullMode::None));
}

TEST_F(SceneCacheGlTest, KeptVerticesDrawAsTheSameVerticesHandedOverAndGoWithTheirOwner)
{
    const std::vector<std::uint32_t> indices = {0, 1, 2, 0, 2, 3, 0, 3, 4, 0, 4, 1};
    const QSize size(64, 64);
    const int before = m_device.KeptBufferCount();
    for (const int first : {0, 3, 6}) {
        SCOPED_TRACE(first);
        auto fan = Fan(indices);
        const std::vector<std::uint8_t> handed = fan->Unindexed(first, 6);
        ASSERT_EQ(handed.size(), 6u * 16u);
        const QImage streamed = Render(size, [&](IRenderDevice& device) {
            Unlit(device);
            device.DrawPrimitive(PrimitiveType::TriangleList, VertexLayout::PositionColour, handed.data(), 2,
                                 16);
        });
        // Twice, so the second frame draws from the buffers the first one uploaded.
        for (int frame = 0; frame < 2; ++frame) {
            const QImage kept = Render(size, [&](IRenderDevice& device) {
                Unlit(device);
                device.DrawKept(PrimitiveType::TriangleList, *fan, first, 2);
            });
            EXPECT_TRUE(kept == streamed);
            EXPECT_EQ(m_device.KeptBufferCount(), before + 1);
        }
    }
    // The last fan went at the end of the loop: the next frame start lets its buffers go.
    m_device.ApplyStates();
    EXPECT_EQ(m_device.KeptBufferCount(), before);

    // Indices past the vertices or a range past the indices draw nothing, here and on a device that
    // keeps nothing.
    auto broken = Fan({0, 1, 7});
    auto fan = Fan(indices);
    const QImage blank = Render(size, [&](IRenderDevice&) {});
    const QImage nothing = Render(size, [&](IRenderDevice& device) {
        Unlit(device);
        device.DrawKept(PrimitiveType::TriangleList, *broken, 0, 1);
        device.DrawKept(PrimitiveType::TriangleList, *fan, 9, 2);
        device.DrawKept(PrimitiveType::TriangleList, *fan, -3, 1);
    });
    EXPECT_TRUE(nothing == blank);
    EXPECT_TRUE(broken->Unindexed(0, 3).empty());
    EXPECT_TRUE(fan->Unindexed(9, 6).empty());
}

TEST_F(SceneCacheGlTest, AModelPartlyInViewIsDrawn)
{
    // The yard model is far larger than the view from close by: seen from inside its box its corners lie
    // on both sides of the view's planes, and it must show as it does from far off; looking away, none
    // of it shows.
    const DeviceModel& yard = Model(31);
    const QSize size(160, 100);
    const struct
    {
        const char* name;
        tbVector3 eye, target;
        bool shows;
    } views[] = {
        {"close above", {0.0f, 2.0f, 0.0f}, {0.0f, 0.0f, -5.0f}, true},
        {"from far off", {-40.0f, 20.0f, 30.0f}, {0.0f, 0.0f, 0.0f}, true},
        {"looking away into the sky", {0.0f, 50.0f, 0.0f}, {0.0f, 100.0f, -1.0f}, false},
    };
    for (const auto& view : views) {
        SCOPED_TRACE(view.name);
        const QImage image = Render(size, [&](IRenderDevice& device) {
            SetScene(device, view.eye, view.target, 1.6f);
            device.SetTransform(TransformKind::World, tbMatrixIdentity());
            device.DrawModel(yard, IRenderDevice::ALL_PARTS, IRenderDevice::ALL_PARTS, true, true);
        });
        int drawn = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                drawn += (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF ? 1 : 0;
        EXPECT_EQ(drawn > 0, view.shows) << drawn;
    }
}

} // namespace
