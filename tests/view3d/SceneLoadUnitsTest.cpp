// The vehicle scene on the recording device: load units with mats, see-through body and lashing, the
// securing queries, lashing rails and points in the securing mode, the permissible area and the
// axle-load labels.
#include "tests/support/SampleDocument.h"
#include "view3d/CFahrzeug3D.h"
#include "view3d/LoadDrawer.h"

#include "model/document/CQOR1Doc.h"
#include "model/files/FahrzeugImpExp.h"
#include "model/plan/CAnschlagpunkt.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CZurrpunkt.h"
#include "model/vehicle/FahrzeugArt.h"
#include "platform/ResourceModule.h"
#include "platform/gl/DeviceModel.h"
#include "platform/gl/RecordingDevice.h"
#include "view3d/ModelCache.h"
#include "view3d/SceneMarkers.h"
#include "view3d/TextureManager.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <map>
#include <memory>
#include <string>

namespace {

using Call = RecordingDevice::Call;

std::unique_ptr<CFahrzeug> Sample(const std::string& title)
{
    const std::filesystem::path samples = QOR_SAMPLES_DIR;
    return LoadFahrzeugFromFile(samples / "Vehicles" / (title + ".qor"), 0, nullptr, nullptr, false, nullptr);
}

class SceneLoadUnitsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_textures.Init(256);
        m_cache.InitModellCache();
        m_area.sceneOffset = 1.0;
        m_area.width = 2.4;
        m_area.length = 7.0;
    }

    const DeviceModel* Model(int index)
    {
        const DeviceModel* m = nullptr;
        EXPECT_EQ(m_cache.GetModell(index, &m), 0);
        return m;
    }
    int Count(const std::vector<Call>& draws, int index)
    {
        const DeviceModel* m = Model(index);
        int n = 0;
        for (const Call& c : draws)
            n += c.model == m ? 1 : 0;
        return n;
    }

    // A secured unit of 2 x 1.6 x 1.2 at (1, 0.4), lashed at its four corners to lashing points beside it.
    std::unique_ptr<CLadeeinheit> Unit(bool chains, bool mats)
    {
        auto unit = std::make_unique<CLadeeinheit>(1);
        unit->m_bVorhanden = 1;
        unit->m_dMinX = 1.0;
        unit->m_dMaxXEnde = 3.0;
        unit->m_dMinY = 0.4;
        unit->m_dMaxYEnde = 2.0;
        unit->m_dHoehe = 1.2;
        unit->m_Wizard.m_nZurrmittelTyp = chains ? 1 : 0;
        unit->m_Wizard.m_bAntirutschmatte = mats ? 1 : 0;
        for (int corner = 0; corner < 4; ++corner) {
            unit->m_Anschlagpunkte[static_cast<std::size_t>(corner)] =
                std::make_unique<CAnschlagpunkt>(corner);
            CZurrpunkt point(m_area.length, m_area.width);
            point.m_nFlags = CZurrpunkt::kVonVorn | (corner >= 2 ? CZurrpunkt::kLinks : 0);
            point.m_dAbstandLaengs = corner % 2 == 0 ? 0.5 : 3.5;
            point.m_dAbstandQuer = 0.05;
            unit->m_Anschlagpunkte[static_cast<std::size_t>(corner)]->SetZurrpunkt(0, &point);
        }
        return unit;
    }

    std::vector<Call> Draw(const CLadeeinheit& unit, bool opaque = true, bool blended = true)
    {
        m_device.Clear();
        std::list<CLadeeinheit*> units{const_cast<CLadeeinheit*>(&unit)};
        EXPECT_EQ(m_drawer.DrawLadeeinheiten(m_device, units, m_area, opaque, blended), 0);
        return m_device.ModelDraws();
    }

    TextureManager m_textures;
    ModelCache m_cache{QFileInfo(QStringLiteral(QOR_MODELS_DIR)).absolutePath(), m_textures};
    LoadDrawer m_drawer{m_cache};
    LoadDrawer::LoadArea m_area;
    RecordingDevice m_device;
};

TEST_F(SceneLoadUnitsTest, SecuringQueriesReadTheUnitsSettings)
{
    auto strapped = Unit(false, true);
    auto chained = Unit(true, false);
    auto unsecured = Unit(true, true);
    unsecured->m_bVorhanden = 0;
    const struct
    {
        const CLadeeinheit* unit;
        int chains;
        int mats;
    } cases[] = {{nullptr, 0, 0}, {strapped.get(), 0, 1}, {chained.get(), 1, 0}, {unsecured.get(), 0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chains * 10 + c.mats);
        EXPECT_EQ(CFahrzeug3D::IsLgSichgFlagSet(c.unit), c.chains);
        EXPECT_EQ(CFahrzeug3D::GetLgSichgValue(c.unit), c.mats);
    }

    // A placed load asks through its unit's number in the vehicle's plan.
    auto vehicle = Sample("LKW");
    ASSERT_TRUE(vehicle);
    if (!vehicle->GetQor())
        vehicle->m_pQor = new CQOR(vehicle.get(), 0, "Plan");
    CLadeeinheit* unit = strapped.release();
    vehicle->GetQor()->InsertLadeeinheit(std::unique_ptr<CLadeeinheit>(unit), -1);
    tagLGINFO load;
    load.m_nTyp = 0;
    load.m_nState = unit->GetId() << 1;
    EXPECT_EQ(CFahrzeug3D::GetLgSichgValueLg(&load, vehicle.get()), 1);
    load.m_nTyp = 5; // a form-fit item has no securing of its own
    EXPECT_EQ(CFahrzeug3D::GetLgSichgValueLg(&load, vehicle.get()), 0);
    load.m_nTyp = 0;
    load.m_nState = 7 << 1; // no such unit
    EXPECT_EQ(CFahrzeug3D::GetLgSichgValueLg(&load, vehicle.get()), 0);
    load.m_nState = 0;
    EXPECT_EQ(CFahrzeug3D::GetLgSichgValueLg(&load, vehicle.get()), 0);
    EXPECT_EQ(CFahrzeug3D::GetLgSichgValueLg(nullptr, vehicle.get()), 0);
}

TEST_F(SceneLoadUnitsTest, StrappedUnitWithMatsBodyAndFourStraps)
{
    auto unit = Unit(false, true);
    const std::vector<Call> draws = Draw(*unit);
    EXPECT_EQ(Count(draws, LoadDrawer::MODEL_MAT), 2);
    EXPECT_EQ(Count(draws, LoadDrawer::MODEL_UNIT_BODY), 1);
    EXPECT_EQ(Count(draws, LoadDrawer::MODEL_STRAP), 4);
    EXPECT_EQ(Count(draws, LoadDrawer::MODEL_RATCHET), 4);
    EXPECT_EQ(Count(draws, LoadDrawer::MODEL_STRAP_HOOK), 8);
    EXPECT_EQ(Count(draws, LoadDrawer::MODEL_TENSIONER), 0);

    // The body spans the unit: 1.6 across, 1.2 high, 2 along, centred over (2, 1.2) of the plan.
    for (const Call& c : draws) {
        if (c.model != Model(LoadDrawer::MODEL_UNIT_BODY))
            continue;
        EXPECT_FALSE(c.on);
        EXPECT_TRUE(c.blended);
        const tbVector3 lo = tbVector3TransformCoords({-0.5f, 0.0f, -0.5f}, c.matrix);
        const tbVector3 hi = tbVector3TransformCoords({0.5f, 1.0f, 0.5f}, c.matrix);
        EXPECT_NEAR(std::fabs(hi.x - lo.x), 1.6f, 1e-5f);
        EXPECT_NEAR(hi.y - lo.y, 1.2f, 1e-5f);
        EXPECT_NEAR(std::fabs(hi.z - lo.z), 2.0f, 1e-5f);
        EXPECT_NEAR((lo.x + hi.x) * 0.5f, 1.2f - 1.2f, 1e-5f); // width / 2 - (0.4 + 0.8)
        EXPECT_NEAR((lo.z + hi.z) * 0.5f, -(1.0f + 2.0f), 1e-5f);
        EXPECT_NEAR(lo.y, static_cast<float>(m_area.FloorHeight()), 1e-5f);
    }
    // The mats lie on the floor under the front and the rear quarter, 0.05 thick.
    std::vector<float> matZ;
    for (const Call& c : draws)
        if (c.model == Model(LoadDrawer::MODEL_MAT)) {
            const tbVector3 lo = tbVector3TransformCoords({-0.5f, 0.0f, -0.5f}, c.matrix);
            const tbVector3 hi = tbVector3TransformCoords({0.5f, 1.0f, 0.5f}, c.matrix);
            EXPECT_NEAR(hi.y - lo.y, LoadDrawer::MAT_THICKNESS, 1e-5f);
            EXPECT_NEAR(std::fabs(hi.z - lo.z), 0.5f, 1e-5f);
            matZ.push_back((lo.z + hi.z) * 0.5f);
        }
    ASSERT_EQ(matZ.size(), 2u);
    EXPECT_NEAR(matZ[0], -(1.0f + 1.25f), 1e-5f);
    EXPECT_NEAR(matZ[1], -(1.0f + 2.75f), 1e-5f);

    // Each strap runs from its lashing point (kept inside the area) to its corner's attachment point.
    int checked = 0;
    for (const Call& c : draws) {
        if (c.model != Model(LoadDrawer::MODEL_STRAP))
            continue;
        const tbVector3 from = tbVector3TransformCoords({0, 0, 0}, c.matrix);
        const tbVector3 to = tbVector3TransformCoords({0, 0, -1}, c.matrix);
        EXPECT_NEAR(from.y, static_cast<float>(m_area.FloorHeight()), 1e-5f);
        EXPECT_NEAR(to.y, static_cast<float>(m_area.FloorHeight()) + 1.2f, 1e-4f);
        ++checked;
    }
    EXPECT_EQ(checked, 4);

    // Only the blended pass: the body alone; only the opaque: mats and straps, no body.
    EXPECT_EQ(Count(Draw(*unit, false, true), LoadDrawer::MODEL_MAT), 0);
    EXPECT_EQ(Count(Draw(*unit, true, false), LoadDrawer::MODEL_UNIT_BODY), 0);
}

TEST_F(SceneLoadUnitsTest, ChainsMatsAndUnitsWithoutSecuringData)
{
    auto chained = Unit(true, false);
    std::vector<Call> draws = Draw(*chained);
    EXPECT_EQ(Count(draws, LoadDrawer::MODEL_MAT), 0);
    EXPECT_EQ(Count(draws, LoadDrawer::MODEL_TENSIONER), 4);
    EXPECT_EQ(Count(draws, LoadDrawer::MODEL_STRAP), 0);
    EXPECT_GT(Count(draws, LoadDrawer::MODEL_CHAIN_LINK), 0);

    // Without securing data: neither mats, body nor lashing.
    auto unsecured = Unit(false, true);
    unsecured->m_bVorhanden = 0;
    EXPECT_TRUE(Draw(*unsecured).empty());

    // A corner without a lashing point gets no lashing; a unit outside the load area draws nothing.
    auto partial = Unit(false, false);
    partial->m_Anschlagpunkte[1]->SetZurrpunkt(0, nullptr);
    EXPECT_EQ(Count(Draw(*partial), LoadDrawer::MODEL_STRAP), 3);
    auto outside = Unit(false, true);
    outside->m_dMinX = 8.0;
    outside->m_dMaxXEnde = 9.0;
    EXPECT_EQ(Count(Draw(*outside), LoadDrawer::MODEL_UNIT_BODY), 0);
}

TEST_F(SceneLoadUnitsTest, FootprintIsKeptInsideTheLoadArea)
{
    const struct
    {
        double x0, x1, y0, y1;
        bool drawn;
        double x, y, l, w;
    } cases[] = {
        {1.0, 3.0, 0.4, 2.0, true, 1.0, 0.4, 2.0, 1.6},   // inside
        {-0.5, 1.0, -0.2, 1.0, true, 0.0, 0.0, 1.0, 1.0}, // starts before the area
        {6.0, 8.0, 2.0, 3.0, true, 6.0, 2.0, 1.0, 0.4},   // ends beyond it
        {7.5, 8.0, 0.0, 1.0, false, 0, 0, 0, 0},          // wholly behind it
        {1.0, 1.0, 0.0, 1.0, false, 0, 0, 0, 0},          // no length
        {std::numeric_limits<double>::quiet_NaN(), 1.0, 0.0, 1.0, false, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.x0);
        CLadeeinheit unit(1);
        unit.m_dMinX = c.x0;
        unit.m_dMaxXEnde = c.x1;
        unit.m_dMinY = c.y0;
        unit.m_dMaxYEnde = c.y1;
        double x = -1, y = -1, l = -1, w = -1;
        ASSERT_EQ(LoadDrawer::UnitFootprint(unit, m_area, &x, &y, &l, &w), c.drawn);
        if (!c.drawn)
            continue;
        EXPECT_DOUBLE_EQ(x, c.x);
        EXPECT_DOUBLE_EQ(y, c.y);
        EXPECT_DOUBLE_EQ(l, c.l);
        EXPECT_DOUBLE_EQ(w, c.w);
    }
}

// --- the whole scene ------------------------------------------------------------------------------------

class SceneRenderTest : public SceneLoadUnitsTest
{
protected:
    void Open(const char* title, const char* towing = nullptr)
    {
        auto f = Sample(title);
        ASSERT_TRUE(f);
        if (towing) {
            auto z = Sample(towing);
            ASSERT_TRUE(z);
            CoupleInFront(*f, std::move(z));
        }
        m_doc.SetFahrzeug(f.release());
        m_doc.OnDocumentOpened();
    }
    void Load(double x, double t)
    {
        CFahrzeug& f = *m_doc.GetFahrzeug();
        AddBoxLoad(f, x, t, 0.7, 3);
        m_doc.OnFahrzeugChanged(false);
    }
    std::vector<Call> Render(int mode)
    {
        m_device.Clear();
        EXPECT_EQ(m_renderer.Render(m_device, m_cache, &m_doc, {}, nullptr, nullptr, mode), 0);
        return m_device.ModelDraws();
    }
    // The text quads of the labels: textured triangle pairs lying on the ground.
    std::vector<Call> Labels() const
    {
        std::vector<Call> labels;
        for (const Call& c : m_device.Calls())
            if (c.kind == RecordingDevice::CallKind::DrawPrimitive &&
                c.layout == VertexLayout::PositionColourTexture && c.texture != nullptr &&
                c.texture != m_renderer.ScaleTexture())
                labels.push_back(c);
        return labels;
    }

    CQOR1Doc m_doc;
    CFahrzeug3D m_renderer{QFileInfo(QStringLiteral(QOR_MODELS_DIR)).absolutePath(), nullptr};
};

TEST_F(SceneRenderTest, SecuringModeDrawsRailsAndLashingPointsInsteadOfTheMarker)
{
    Open("LKW");
    Load(2.0, 2.0);
    CFahrzeug& f = *m_doc.GetFahrzeug();
    ASSERT_FALSE(f.m_Zurrschienen.empty());
    ASSERT_FALSE(f.GetZurrpunktListe().empty());
    std::vector<Call> normal = Render(0);
    EXPECT_EQ(Count(normal, LoadDrawer::MODEL_RAIL), 0);
    EXPECT_EQ(Count(normal, LoadDrawer::MODEL_POINT_FREE) + Count(normal, LoadDrawer::MODEL_POINT_USED), 0);
    EXPECT_GT(Count(normal, 33), 0); // the centre-of-gravity marker

    std::vector<Call> securing = Render(1);
    EXPECT_EQ(Count(securing, LoadDrawer::MODEL_RAIL), static_cast<int>(f.m_Zurrschienen.size()));
    EXPECT_EQ(Count(securing, LoadDrawer::MODEL_POINT_FREE),
              static_cast<int>(f.GetZurrpunktListe().size())); // none is used by a unit
    EXPECT_EQ(Count(securing, 33), 0);
    EXPECT_EQ(Count(securing, 32), 0);
    // Every lashing point lies inside the load area, on its floor.
    const float floor = 1.18f + 0.001f;
    for (const Call& c : securing)
        if (c.model == Model(LoadDrawer::MODEL_POINT_FREE)) {
            const tbVector3 p = tbVector3TransformCoords({0, 0, 0}, c.matrix);
            EXPECT_NEAR(p.y, floor, 1e-5f);
            EXPECT_LE(std::fabs(p.x), f.GetLFBreite() * 0.5f - 0.04f + 1e-5f);
        }
}

TEST_F(SceneRenderTest, PermissibleAreaOnlyForALoadWithinThePayload)
{
    Open("LKW");
    Load(2.0, 2.0);
    CFahrzeug& f = *m_doc.GetFahrzeug();
    f.CalcNutzbarerBereich();
    ASSERT_GT(f.GetNutzlastKurve().GetNutzbarBis(), f.GetNutzlastKurve().GetNutzbarVon());
    std::vector<Call> draws = Render(0);
    ASSERT_EQ(Count(draws, 32), 1);
    for (const Call& c : draws)
        if (c.model == Model(32)) {
            EXPECT_TRUE(c.on);
            EXPECT_TRUE(c.blended);
            // Length of the permissible range along the load area, standing on the floor.
            const tbVector3 lo = tbVector3TransformCoords({-0.5f, 0.0f, -0.5f}, c.matrix);
            const tbVector3 hi = tbVector3TransformCoords({0.5f, 1.0f, 0.5f}, c.matrix);
            EXPECT_NEAR(std::fabs(hi.z - lo.z),
                        f.GetNutzlastKurve().GetNutzbarBis() - f.GetNutzlastKurve().GetNutzbarVon(), 1e-4);
            EXPECT_NEAR(lo.y, 1.19f, 1e-5f);
            EXPECT_LE(std::fabs(hi.x - lo.x), f.GetLFBreite() + 1e-5f);
        }
    // Switch 0 off: no area.
    m_renderer.Flags()[0] = 0;
    EXPECT_EQ(Count(Render(0), 32), 0);
    m_renderer.Flags()[0] = 1;

    // Heavier than the payload: the marker stays, the area goes.
    Load(3.0, f.GetMaxNutzlast(true) + 1.0);
    draws = Render(0);
    EXPECT_EQ(Count(draws, 32), 0);
    EXPECT_GT(Count(draws, 33), 0);
}

TEST_F(SceneRenderTest, AxleLoadLabelsPerGroupInTheirColour)
{
    // A truck: front and rear group.
    Open("LKW");
    Load(2.0, 3.0);
    m_renderer.Flags()[6] = 1;
    m_renderer.Flags()[5] = 0; // the chart panel is a textured quad too
    Render(0);
    std::vector<Call> labels = Labels();
    ASSERT_EQ(labels.size(), 2u);
    CFahrzeug& f = *m_doc.GetFahrzeug();
    double front = 0.0, rear = 0.0;
    f.CalcAchslastenBeladen(&front, &rear);
    const float side = CFahrzeug3D::LabelSide(f.GetLFBreite(), false);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        SCOPED_TRACE(i);
        const Call& c = labels[i];
        EXPECT_EQ(c.primitiveCount, 2);
        const auto* v = reinterpret_cast<const CFahrzeug3D::TexturedVertex*>(c.vertices.data());
        // Beside the vehicle on the ground, in the colour of the group's share of its permissible load.
        EXPECT_NEAR(v[0].x, side, 1e-5f);
        EXPECT_NEAR(v[0].y, 0.015f, 1e-6f);
        const double load = i == 0 ? front : rear;
        const tbColor want = *SceneMarkers::LabelColour(static_cast<float>(load),
                                                        static_cast<float>(f.GetZulAchsgruppenlast(i == 1)));
        const std::uint32_t argb = v[0].colour;
        EXPECT_NEAR(((argb >> 16) & 0xFF) / 255.0f, want.r, 0.003f);
        EXPECT_NEAR(((argb >> 8) & 0xFF) / 255.0f, want.g, 0.003f);
        EXPECT_NEAR((argb & 0xFF) / 255.0f, want.b, 0.003f);
    }
    // The rear label stands behind the front one; the text runs towards the front.
    const auto* a = reinterpret_cast<const CFahrzeug3D::TexturedVertex*>(labels[0].vertices.data());
    const auto* b = reinterpret_cast<const CFahrzeug3D::TexturedVertex*>(labels[1].vertices.data());
    EXPECT_GT(a[0].z, b[0].z);
    EXPECT_GT(a[1].z, a[0].z);

    // Switch 6 off: none.
    m_renderer.Flags()[6] = 0;
    Render(0);
    EXPECT_TRUE(Labels().empty());
}

TEST_F(SceneRenderTest, SemiTrailerBehindItsTractorHasNoFrontLabel)
{
    Open("SAH", "SZM");
    m_renderer.Flags()[6] = 1;
    m_renderer.Flags()[5] = 0; // the chart panel is a textured quad too
    Render(0);
    // Tractor: front and rear; semi-trailer: rear only.
    EXPECT_EQ(Labels().size(), 3u);
}

} // namespace
