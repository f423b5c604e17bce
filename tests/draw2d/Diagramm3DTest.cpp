// The chart's 3D side on the recording device: the surface's passes in order, the panel's place, and
// nothing drawn without a curve or a picture.
#include "PlanDrawingFixture.h"
#include "draw2d/CFahrzeugDiagramm3D.h"
#include "draw2d/CFahrzeugDiagrammBild.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CTupelList.h"
#include "model/vehicle/SYs2X.h"
#include "platform/gl/RecordingDevice.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

using Kind = RecordingDevice::CallKind;

class Diagramm3DTest : public PlanDrawingFixture
{
protected:
    CFahrzeugDiagramm3D m_chart;
    RecordingDevice m_device;
};

TEST_F(Diagramm3DTest, TheSurfaceIsDrawnBackThenFrontFacesThenAsWire)
{
    Open("LKW");
    CFahrzeug& truck = *m_doc->GetFahrzeug();
    ASSERT_TRUE(m_chart.BuildMesh(truck, static_cast<float>(truck.GetMaxNutzlast(true)), false));
    m_device.SetRenderState(RenderState::ZWriteEnable, 1);
    m_device.SetRenderState(RenderState::CullMode, static_cast<int>(CullMode::CounterClockwise));
    for (int i = 0; i < 4; ++i)
        m_device.LightEnable(i, true);
    m_device.Clear();
    ASSERT_TRUE(m_chart.Render3D(m_device));
    // Each draw with the cull mode, fill mode and material alpha in force then.
    struct Draw
    {
        int cull, fill;
        float alpha;
    };
    std::vector<Draw> draws;
    int cull = -1, fill = -1;
    float alpha = -1.0f;
    for (const RecordingDevice::Call& call : m_device.Calls()) {
        if (call.kind == Kind::SetRenderState && call.state == RenderState::CullMode)
            cull = call.value;
        if (call.kind == Kind::SetRenderState && call.state == RenderState::FillMode)
            fill = call.value;
        if (call.kind == Kind::SetMaterialColour && call.diffuse)
            alpha = call.diffuse->a;
        if (call.kind == Kind::DrawPrimitive) {
            draws.push_back({cull, fill, alpha});
            EXPECT_EQ(call.layout, VertexLayout::PositionNormalTexture);
            EXPECT_EQ(call.primitiveCount, m_chart.Mesh().TrianglesPerHalf());
        }
    }
    const int cw = static_cast<int>(CullMode::Clockwise), ccw = static_cast<int>(CullMode::CounterClockwise);
    const int solid = static_cast<int>(FillMode::Solid), wire = static_cast<int>(FillMode::Wireframe);
    const Draw expected[] = {
        {cw, solid, CFahrzeugDiagramm3D::kSurface.a},  {cw, solid, CFahrzeugDiagramm3D::kSurface.a},
        {ccw, solid, CFahrzeugDiagramm3D::kSurface.a}, {ccw, solid, CFahrzeugDiagramm3D::kSurface.a},
        {cw, wire, CFahrzeugDiagramm3D::kWire.a},      {cw, wire, CFahrzeugDiagramm3D::kWire.a},
        {ccw, wire, CFahrzeugDiagramm3D::kWire.a},     {ccw, wire, CFahrzeugDiagramm3D::kWire.a}};
    ASSERT_EQ(draws.size(), std::size(expected));
    for (std::size_t i = 0; i < draws.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(draws[i].cull, expected[i].cull);
        EXPECT_EQ(draws[i].fill, expected[i].fill);
        EXPECT_FLOAT_EQ(draws[i].alpha, expected[i].alpha);
    }
    // Depth writes off while drawing; everything put back after.
    EXPECT_EQ(m_device.GetRenderState(RenderState::ZWriteEnable), 1);
    EXPECT_EQ(m_device.GetRenderState(RenderState::CullMode), ccw);
    EXPECT_EQ(m_device.GetMaterialColour().a, 1.0f);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(m_device.IsLightEnabled(i));
}

TEST_F(Diagramm3DTest, FrontVehicleAndTrailerShareOneHeightScale)
{
    Open("GDA");
    CFahrzeug& trailer = *m_doc->GetFahrzeug();
    const float scale = 20.0f;
    ASSERT_TRUE(m_chart.BuildMesh(trailer, scale, false));
    float top = 0.0f;
    for (const DiagrammMesh::Vertex& v : m_chart.Mesh().Vertices())
        top = std::max(top, v.y);
    // The highest payload of the trailer's curve stands at payload x 3.5 / scale.
    double highest = 0.0;
    for (const SYs2X* p : trailer.GetKurve(false)->Punkte())
        highest = std::max(highest, p->m_dMaxLast);
    EXPECT_NEAR(top, static_cast<float>(highest) * 3.5f / scale, 1e-4f);
}

TEST_F(Diagramm3DTest, ASurfaceKeptBetweenFramesIsTheOneItsInputsGiveNow)
{
    // One chart object through changing inputs, each result against a chart made afresh from them.
    const auto same = [](const DiagrammMesh& a, const DiagrammMesh& b) {
        if (a.Vertices().size() != b.Vertices().size() || a.Indices() != b.Indices())
            return false;
        for (std::size_t i = 0; i < a.Vertices().size(); ++i) {
            const DiagrammMesh::Vertex &p = a.Vertices()[i], &q = b.Vertices()[i];
            if (p.x != q.x || p.y != q.y || p.z != q.z || p.nx != q.nx || p.ny != q.ny || p.nz != q.nz)
                return false;
        }
        return true;
    };
    const struct
    {
        const char* vehicle;
        float maxPayload;
        bool reduced;
        bool built;
    } steps[] = {{"LKW", 12.0f, false, true}, {"LKW", 12.0f, false, true}, {"LKW", 24.0f, false, true},
                 {"LKW", 24.0f, true, true},  {"GDA", 24.0f, true, true},  {"SZM", 24.0f, true, false},
                 {"LKW", 12.0f, false, true}};
    for (const auto& step : steps) {
        SCOPED_TRACE(std::string(step.vehicle) + " " + std::to_string(step.maxPayload) +
                     (step.reduced ? " reduced" : ""));
        Open(step.vehicle);
        CFahrzeug& vehicle = *m_doc->GetFahrzeug();
        EXPECT_EQ(m_chart.BuildMesh(vehicle, step.maxPayload, step.reduced), step.built);
        EXPECT_EQ(m_chart.IsBuilt(), step.built);
        if (!step.built)
            continue;
        CFahrzeugDiagramm3D fresh;
        ASSERT_TRUE(fresh.BuildMesh(vehicle, step.maxPayload, step.reduced));
        EXPECT_TRUE(same(m_chart.Mesh(), fresh.Mesh()));
        m_device.Clear();
        ASSERT_TRUE(m_chart.Render3D(m_device));
        for (const RecordingDevice::Call& call : m_device.Calls()) {
            if (call.kind == Kind::DrawPrimitive) {
                EXPECT_EQ(call.primitiveCount, fresh.Mesh().TrianglesPerHalf());
            }
        }
    }
}

TEST_F(Diagramm3DTest, NothingIsDrawnWithoutACurveOrAPicture)
{
    Open("SZM");
    EXPECT_FALSE(m_chart.BuildMesh(*m_doc->GetFahrzeug(), 10.0f, false));
    EXPECT_FALSE(m_chart.Render3D(m_device));
    EXPECT_FALSE(m_chart.RenderPanel(m_device, {0, 0, 0}, QImage(), 2.4f));
    EXPECT_FALSE(
        CFahrzeugDiagramm3D::DrawTexturedQuad(m_device, nullptr, {}, {1, 0, 0}, {0, 0, -1}, 1, 1, 1, 1));
    EXPECT_TRUE(m_device.Calls().empty());
}

TEST_F(Diagramm3DTest, ThePanelLiesFlatLeftOfTheVehicle)
{
    const struct
    {
        float width;
        float left;
    } cases[] = {{2.48f, -0.5f - 1.25f - 3.5f}, {3.0f, -0.5f - 1.5f - 3.5f}};
    QImage chart(CFahrzeugDiagrammBild::kBreite, CFahrzeugDiagrammBild::kHoehe, QImage::Format_RGB32);
    chart.fill(Qt::white);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        m_device.SetRenderState(RenderState::Lighting, 1);
        m_device.Clear();
        ASSERT_TRUE(m_chart.RenderPanel(m_device, {0.0f, 0.0f, -2.0f}, chart, c.width));
        const RecordingDevice::Call* draw = nullptr;
        for (const RecordingDevice::Call& call : m_device.Calls())
            if (call.kind == Kind::DrawPrimitive)
                draw = &call;
        ASSERT_NE(draw, nullptr);
        ASSERT_EQ(draw->primitiveCount, 2);
        float corner[6];
        std::memcpy(corner, draw->vertices.data(), sizeof(corner));
        EXPECT_FLOAT_EQ(corner[0], c.left);
        EXPECT_FLOAT_EQ(corner[1], 0.01f);
        EXPECT_FLOAT_EQ(corner[2], -2.0f);
        // The far corner: 3.5 wide, 3.5 x 352 / 290 deep, texture to 290 / 512 and 352 / 512.
        float far[6];
        std::memcpy(far, draw->vertices.data() + 2 * 24, sizeof(far));
        EXPECT_FLOAT_EQ(far[0], c.left + 3.5f);
        EXPECT_NEAR(far[2], -2.0f - 3.5f * 352.0f / 290.0f, 1e-5f);
        EXPECT_FLOAT_EQ(far[4], 290.0f / 512.0f);
        EXPECT_FLOAT_EQ(far[5], 352.0f / 512.0f);
        // Drawn unlit with the texture, both put back after.
        EXPECT_EQ(m_device.GetRenderState(RenderState::Lighting), 1);
        EXPECT_EQ(m_device.Calls().back().kind, Kind::SetRenderState);
    }
}

TEST_F(Diagramm3DTest, ThePanelPictureIsPaintedAgainOnlyForANewChartStand)
{
    Open("LKW");
    CFahrzeug& truck = *m_doc->GetFahrzeug();
    ASSERT_NE(truck.GetQor(), nullptr);
    auto owned = std::make_unique<tagLGINFO>();
    tagLGINFO* load = owned.get();
    load->m_nTyp = 0;
    load->m_dLaenge = 1.2;
    load->m_dBreite = 0.8;
    load->m_dHoehe = 1.0;
    load->m_dMasse = load->m_dSPMasse = 3.0;
    load->m_dPosX = 1.0;
    load->m_dPosY = 0.1;
    truck.GetQor()->AddLgInfo(std::move(owned), false);
    truck.GetQor()->UpdateSchwerpunkt();
    m_doc->OnFahrzeugChanged(false);
    // What a picture painted now from the same vehicle shows.
    const auto fresh = [&] {
        CFahrzeugDiagrammBild picture;
        const int mark = truck.m_Diagramm.m_bNeuZeichnen;
        truck.m_Diagramm.m_bNeuZeichnen = 1;
        EXPECT_EQ(picture.Draw(truck), 1);
        truck.m_Diagramm.m_bNeuZeichnen = mark;
        return picture.GetImage();
    };
    const QImage* first = m_chart.PanelPicture(truck);
    ASSERT_NE(first, nullptr);
    const qint64 painted = first->cacheKey();
    const QImage before = *first;
    EXPECT_EQ(before, fresh());
    // Nothing changed: the same picture, and the chart's redraw mark left to its other painters.
    for (const int mark : {0, 1}) {
        truck.m_Diagramm.m_bNeuZeichnen = mark;
        ASSERT_NE(m_chart.PanelPicture(truck), nullptr);
        EXPECT_EQ(m_chart.PanelPicture(truck)->cacheKey(), painted);
        EXPECT_EQ(truck.m_Diagramm.m_bNeuZeichnen, mark);
    }
    // The load moved across and the vehicle recalculated, as the plan does: painted again, as now.
    load->m_dPosY = 1.2;
    truck.GetQor()->UpdateSchwerpunkt();
    truck.RecalcLadungMitPartner();
    truck.m_Diagramm.m_bNeuZeichnen = 0;
    const QImage* moved = m_chart.PanelPicture(truck);
    ASSERT_NE(moved, nullptr);
    EXPECT_NE(moved->cacheKey(), painted);
    EXPECT_EQ(*moved, fresh());
    EXPECT_NE(*moved, before);
    EXPECT_EQ(truck.m_Diagramm.m_bNeuZeichnen, 0);
    const std::uint64_t truckStand = truck.m_Diagramm.GetBildStand();
    // Every chart made has a stand of its own, so another vehicle gets its own picture; a semi-trailer
    // tractor none.
    Open("GDA");
    CFahrzeug& trailer = *m_doc->GetFahrzeug();
    EXPECT_NE(trailer.m_Diagramm.GetBildStand(), truckStand);
    ASSERT_NE(m_chart.PanelPicture(trailer), nullptr);
    Open("SZM");
    EXPECT_EQ(m_chart.PanelPicture(*m_doc->GetFahrzeug()), nullptr);
}

} // namespace
