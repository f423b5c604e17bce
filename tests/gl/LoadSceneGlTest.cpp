// Loads on the sample rigid truck drawn offscreen: they stand on the load floor, a load unit shows its
// lashing and the axle-load labels lie beside the truck; the pictures are kept.
#include "GlFixture.h"

#include "SampleVehicles.h"
#include "model/document/CQOR1Doc.h"
#include "model/files/FahrzeugImpExp.h"
#include "model/plan/CAnschlagpunkt.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CZurrpunkt.h"
#include "model/vehicle/FahrzeugArt.h"
#include "tests/support/SampleDocument.h"
#include "view3d/CCamera.h"
#include "view3d/CFahrzeug3D.h"
#include "view3d/LoadDrawer.h"
#include "view3d/OffscreenFrame.h"

#include <QDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

bool IsWhite(QRgb c)
{
    return qRed(c) == 255 && qGreen(c) == 255 && qBlue(c) == 255;
}

tagLGINFO* Placed(int type, double length, double width, double height, double along, double across,
                  int rotation = 0)
{
    auto* load = new tagLGINFO;
    load->m_nTyp = type;
    load->m_dLaenge = length;
    load->m_dBreite = width;
    load->m_dHoehe = height;
    load->m_dPosX = along;
    load->m_dPosY = across;
    load->m_nDrehung = rotation;
    return load;
}

class LoadSceneGlTest : public GlFixture
{
protected:
    void TearDown() override
    {
        if (QOpenGLContext::currentContext() == &m_context)
            m_frame.Release();
        GlFixture::TearDown();
    }
    void DrawModel(IRenderDevice& device, int index, const tbMatrix& world, bool blended = false)
    {
        device.SetTransform(TransformKind::World, world);
        device.DrawModel(Model(index), IRenderDevice::ALL_PARTS, IRenderDevice::ALL_PARTS, true, blended);
    }
    OffscreenFrame m_frame;
};

TEST_F(LoadSceneGlTest, TheSampleTruckCarriesItsLoadsOnTheFloor)
{
    const SampleVehicle* sample = nullptr;
    for (const SampleVehicle& s : SampleVehicles())
        if (std::strcmp(s.file, "LKW") == 0)
            sample = &s;
    ASSERT_NE(sample, nullptr);
    std::unique_ptr<CFahrzeug> truck = BuildSampleVehicle(*sample);
    ASSERT_NE(truck->GetQor(), nullptr);
    CQOR& plan = *truck->GetQor();
    plan.AddLgInfo(std::unique_ptr<tagLGINFO>(Placed(0, 1.2, 0.8, 1.6, 0.0, 0.0)), false);
    plan.AddLgInfo(std::unique_ptr<tagLGINFO>(Placed(3, 1.0, 1.0, 0.9, 0.0, 1.2)), false);
    plan.AddLgInfo(std::unique_ptr<tagLGINFO>(Placed(12, 2.4, 1.2, 1.2, 1.3, 0.0)), false);
    plan.AddLgInfo(std::unique_ptr<tagLGINFO>(Placed(2, 1.24, 0.835, 0.97, 1.3, 1.4)), false);
    plan.AddLgInfo(std::unique_ptr<tagLGINFO>(Placed(10, 2.4, 0.8, 1.0, 4.0, 0.0, 90)), false);
    plan.AddLgInfo(std::unique_ptr<tagLGINFO>(Placed(6, 0.2, 2.4, 0.6, 4.9, 0.0, 0)), false);
    plan.AddLgInfo(std::unique_ptr<tagLGINFO>(Placed(8, 0.8, 1.2, 1.4, 5.4, 0.0)), false);

    const float d1 = static_cast<float>(truck->GetAchse1Abstand());
    const float p1 = truck->GetAchse1Position();
    const float length = static_cast<float>(truck->GetLFLaenge());
    const float width = truck->GetLFBreite();
    const float a12 = static_cast<float>(sample->axles[1].dAbstand);
    LoadDrawer::LoadArea area;
    area.sceneOffset = p1;
    area.width = width;
    area.length = length;
    LoadDrawer loads(m_cache);

    CCamera camera;
    camera.Set(nullptr, {6.5f, 3.8f, -10.5f}, {0.0f, 1.2f, -4.0f}, 0, 0, 0);
    const QSize size(800, 500);
    int drawn = -1;
    const QImage image = m_frame.Render(m_device, size, camera, [&](IRenderDevice& device) {
        for (int i = 0; i < 4; ++i)
            device.LightEnable(i, true);
        DrawModel(device, 0, tbMatrixIdentity(), true);
        DrawModel(device, 1, tbMatrixScaling({1, 1, d1}));
        DrawModel(device, 3, tbMatrixScaling({1, 1, length}) * tbMatrixTranslation({0, 0, -d1}));
        DrawModel(device, 4, tbMatrixTranslation({0, 0, -a12}));
        DrawModel(device, 16, tbMatrixScaling({width, 1, length}) * tbMatrixTranslation({0, 0, -p1}));
        const auto lgs = plan.GetLgInfos();
        drawn = loads.DrawLadungen(device, std::list<tagLGINFO*>(lgs.begin(), lgs.end()), area, true, true) +
                loads.DrawLadeflaeche(device, area, true, true);
        // A strap from a lashing point at the floor edge up to the carton's rear top edge, and a chain to
        // the rear top corner of the row of two pallets.
        const float edge = width * 0.5f - 0.04f;
        const auto strap = LoadDrawer::MakeLashing({edge, 1.181f, -p1 - 1.6f}, {edge, 2.7f, -p1 - 1.2f});
        const auto chain = LoadDrawer::MakeLashing({edge, 1.181f, -p1 - 6.2f}, {1.1f, 2.3f, -p1 - 5.2f});
        ASSERT_TRUE(strap && chain);
        drawn += loads.DrawStrap(device, *strap, area, true, true) +
                 loads.DrawChain(device, *chain, area, true, true);
    });
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(drawn, 0);
    QDir().mkpath(QStringLiteral(QOR_TEST_ARTIFACT_DIR));
    image.save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/scene_truck_loads.png"));

    // The crate's top face, seen from above, is drawn; the picture's corners are background.
    const tbMatrix viewProjection = camera.GetViewMatrix() * OffscreenFrame::Projection(size, false, 0);
    const tagLGINFO* crate = *std::next(plan.GetLgInfos().begin());
    const tbVector3 top = LoadDrawer::FootprintCentre(*crate, area) + tbVector3{0, 0.9f, 0};
    const tbVector3 ndc = tbVector3TransformCoords(top, viewProjection);
    const QPoint pixel(static_cast<int>((ndc.x + 1) / 2 * 800), static_cast<int>((1 - ndc.y) / 2 * 500));
    ASSERT_TRUE(image.rect().contains(pixel));
    EXPECT_FALSE(IsWhite(image.pixel(pixel)));
    EXPECT_TRUE(IsWhite(image.pixel(0, 0)));
    EXPECT_TRUE(IsWhite(image.pixel(799, 0)));
}

} // namespace

// The whole scene of the sample truck with a secured load unit: its mats, see-through body and straps,
// the axle-load labels on their plates beside the truck, and the securing mode's rails and lashing points.
TEST_F(LoadSceneGlTest, TheSceneShowsALoadUnitItsLashingAndTheAxleLoadLabels)
{
    const SampleVehicle* sample = nullptr;
    for (const SampleVehicle& s : SampleVehicles())
        if (std::strcmp(s.file, "LKW") == 0)
            sample = &s;
    ASSERT_NE(sample, nullptr);
    CQOR1Doc doc;
    doc.SetFahrzeug(BuildSampleVehicle(*sample).release());
    CFahrzeug& truck = *doc.GetFahrzeug();
    ASSERT_NE(truck.GetQor(), nullptr);
    CQOR& plan = *truck.GetQor();
    plan.AddLgInfo(std::unique_ptr<tagLGINFO>(Placed(3, 2.0, 1.6, 1.2, 1.0, 0.4)), false);
    plan.AddLgInfo(std::unique_ptr<tagLGINFO>(Placed(0, 1.2, 0.8, 1.6, 4.0, 0.0)), false);
    for (tagLGINFO* load : plan.GetLgInfos())
        load->m_dMasse = load->m_dSPMasse = 2.5;
    plan.UpdateSchwerpunkt();
    doc.OnDocumentOpened();

    // The crate is a unit lashed with straps at its four corners, standing on anti-skid mats.
    auto* unit = new CLadeeinheit(1);
    unit->m_bVorhanden = 1;
    unit->m_dMinX = 1.0;
    unit->m_dMaxXEnde = 3.0;
    unit->m_dMinY = 0.4;
    unit->m_dMaxYEnde = 2.0;
    unit->m_dHoehe = 1.2;
    unit->m_Wizard.m_bAntirutschmatte = 1;
    const double length = truck.GetLFLaenge(), width = truck.GetLFBreite();
    for (int corner = 0; corner < 4; ++corner) {
        unit->m_Anschlagpunkte[static_cast<std::size_t>(corner)] = std::make_unique<CAnschlagpunkt>(corner);
        CZurrpunkt point(length, width);
        point.m_nFlags = CZurrpunkt::kVonVorn | (corner >= 2 ? CZurrpunkt::kLinks : 0);
        point.m_dAbstandLaengs = corner % 2 == 0 ? 0.6 : 3.4;
        point.m_dAbstandQuer = 0.05;
        unit->m_Anschlagpunkte[static_cast<std::size_t>(corner)]->SetZurrpunkt(0, &point);
    }
    plan.InsertLadeeinheit(std::unique_ptr<CLadeeinheit>(unit), -1);

    CFahrzeug3D renderer(ProgramFolder(), nullptr);
    ASSERT_TRUE(renderer.InitResources());
    renderer.Flags()[3] = 0; // no yard, so the labels lie on white
    renderer.Flags()[5] = 0;
    CCamera camera;
    camera.Set(nullptr, {7.5f, 6.0f, -1.5f}, {0.5f, 0.6f, -4.0f}, 0, 0, 0);
    const QSize size(960, 600);
    const tbMatrix viewProjection = camera.GetViewMatrix() * OffscreenFrame::Projection(size, false, 0);
    const auto pixelOf = [&](const tbVector3& p) {
        const tbVector3 ndc = tbVector3TransformCoords(p, viewProjection);
        return QPoint(static_cast<int>((ndc.x + 1) / 2 * size.width()),
                      static_cast<int>((1 - ndc.y) / 2 * size.height()));
    };
    QDir().mkpath(QStringLiteral(QOR_TEST_ARTIFACT_DIR));
    for (const int mode : {0, 1}) {
        SCOPED_TRACE(mode);
        int result = -1;
        const QImage image = m_frame.Render(m_device, size, camera, [&](IRenderDevice& device) {
            result = renderer.Render(device, m_cache, &doc, {}, nullptr, nullptr, mode);
        });
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(result, 0);
        image.save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/scene_truck_unit_mode%1.png").arg(mode));
        EXPECT_TRUE(IsWhite(image.pixel(0, 0)));
        // The rear group's label lies on the ground beside the truck, in its colour over its plate.
        double front = 0.0, rear = 0.0;
        truck.CalcAchslastenBeladen(&front, &rear);
        const float side = CFahrzeug3D::LabelSide(static_cast<float>(width), false);
        const float zRear = -static_cast<float>(truck.CalcHinterachsgruppe(true));
        const QPoint label = pixelOf({side + CFahrzeug3D::AXLE_LABEL_HEIGHT * 0.5f, 0.01f, zRear});
        ASSERT_TRUE(image.rect().contains(label));
        EXPECT_FALSE(IsWhite(image.pixel(label)));
    }
}

namespace {

// A pallet with cartons at the front of the load area, a crate lashed as a load unit in the middle (chains
// or straps at its four corners, to lashing points at both floor edges, on anti-skid mats), and a load on
// a row of pallets at the rear when the load area is long enough.
void LoadAndLash(CFahrzeug& v, bool chains, int unitId)
{
    CQOR* plan = v.GetQor();
    if (plan == nullptr || v.GetArt() == FahrzeugArt::kSattelzugmaschine)
        return;
    const double length = v.GetLFLaenge(), width = v.GetLFBreite();
    plan->AddLgInfo(std::unique_ptr<tagLGINFO>(Placed(0, 1.2, 0.8, 1.4, 0.1, 0.1)), false);
    const double unitLength = 1.4, unitStart = std::min(1.6, length - unitLength - 0.2);
    plan->AddLgInfo(
        std::unique_ptr<tagLGINFO>(Placed(3, unitLength, 1.2, 1.0, unitStart, (width - 1.2) * 0.5)), false);
    if (length >= 6.0)
        plan->AddLgInfo(std::unique_ptr<tagLGINFO>(Placed(12, 2.4, 1.2, 1.2, length - 2.6, 0.2, 0)), false);
    for (tagLGINFO* load : plan->GetLgInfos())
        load->m_dMasse = load->m_dSPMasse = 1.0;
    plan->UpdateSchwerpunkt();

    auto* unit = new CLadeeinheit(unitId);
    unit->m_bVorhanden = 1;
    unit->m_dMinX = unitStart;
    unit->m_dMaxXEnde = unitStart + unitLength;
    unit->m_dMinY = (width - 1.2) * 0.5;
    unit->m_dMaxYEnde = (width + 1.2) * 0.5;
    unit->m_dHoehe = 1.0;
    unit->m_Wizard.m_nZurrmittelTyp = chains ? 1 : 0;
    unit->m_Wizard.m_bAntirutschmatte = 1;
    for (int corner = 0; corner < 4; ++corner) {
        unit->m_Anschlagpunkte[static_cast<std::size_t>(corner)] = std::make_unique<CAnschlagpunkt>(corner);
        CZurrpunkt point(length, width);
        point.m_nFlags = CZurrpunkt::kVonVorn | (corner >= 2 ? CZurrpunkt::kLinks : 0);
        point.m_dAbstandLaengs = corner % 2 == 0 ? unitStart - 0.4 : unitStart + unitLength + 0.4;
        point.m_dAbstandQuer = 0.05;
        unit->m_Anschlagpunkte[static_cast<std::size_t>(corner)]->SetZurrpunkt(0, &point);
    }
    plan->InsertLadeeinheit(std::unique_ptr<CLadeeinheit>(unit), -1);
}

} // namespace

// Every vehicle kind of the samples alone and coupled, drawn whole by the scene, each with loads and a
// lashed load unit on its load area, seen from the side and from above behind: the bodies are whole and
// joined, the trailers stand behind their towing vehicles, the loads stand on the floors and the lashings
// reach their points. Each picture is kept.
TEST_F(LoadSceneGlTest, EveryVehicleKindIsDrawnWholeWithLoadsAndLashing)
{
    const auto load = [](const char* title) {
        const std::filesystem::path samples = QOR_SAMPLES_DIR;
        return LoadFahrzeugFromFile(samples / "Vehicles" / (std::string(title) + ".qor"), 0, nullptr, nullptr,
                                    false, nullptr);
    };
    const struct
    {
        const char* title;
        const char* towing;
        const char* picture;
    } cases[] = {{"LKW", nullptr, "scene_kind_truck"},
                 {"KEP", nullptr, "scene_kind_van"},
                 {"SZM", nullptr, "scene_kind_tractor"},
                 {"SAH", nullptr, "scene_kind_semitrailer_alone"},
                 {"SAH", "SZM", "scene_kind_tractor_semitrailer"},
                 {"SDA", "LKW", "scene_kind_truck_centre_axle"},
                 {"GDA", "LKW", "scene_kind_truck_drawbar"},
                 {"GDA_2", "LKW", "scene_kind_truck_drawbar3"}};
    CFahrzeug3D renderer(ProgramFolder(), nullptr);
    ASSERT_TRUE(renderer.InitResources());
    renderer.Flags()[3] = 0; // no yard: the background stays white
    renderer.Flags()[4] = 0; // both vehicles of a combination
    renderer.Flags()[2] = 0; // no chart surface over the loads
    renderer.Flags()[5] = 0;
    QDir().mkpath(QStringLiteral(QOR_TEST_ARTIFACT_DIR));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.picture);
        CQOR1Doc doc;
        auto f = load(c.title);
        ASSERT_TRUE(f);
        LoadAndLash(*f, true, 1);
        if (c.towing) {
            auto z = load(c.towing);
            ASSERT_TRUE(z);
            if (z->GetArt() != FahrzeugArt::kSattelzugmaschine)
                LoadAndLash(*z, false, 2);
            CoupleInFront(*f, std::move(z));
        }
        doc.SetFahrzeug(f.release());
        doc.OnDocumentOpened();
        const float length = doc.GetGesamtlaenge();
        const struct
        {
            const char* suffix;
            tbVector3 eye;
            tbVector3 target;
        } views[] = {{"", {7.0f + length * 0.55f, 3.5f, -length * 0.45f}, {0.0f, 1.2f, -length * 0.45f}},
                     {"_above", {5.0f, 5.0f + length * 0.3f, -length - 4.0f}, {0.0f, 1.2f, -length * 0.5f}}};
        for (const auto& view : views) {
            CCamera camera;
            camera.Set(nullptr, view.eye, view.target, 0, 0, 0);
            const QSize size(960, 420);
            int result = -1;
            const QImage image = m_frame.Render(m_device, size, camera, [&](IRenderDevice& device) {
                result = renderer.Render(device, m_cache, &doc, {}, nullptr, nullptr, 0);
            });
            ASSERT_FALSE(image.isNull());
            EXPECT_EQ(result, 0);
            image.save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/") + QString::fromLatin1(c.picture) +
                       QString::fromLatin1(view.suffix) + QStringLiteral(".png"));
            EXPECT_TRUE(IsWhite(image.pixel(0, 0)));
            // A good part of the picture is the vehicle.
            int drawn = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    drawn += IsWhite(image.pixel(x, y)) ? 0 : 1;
            EXPECT_GT(drawn, image.width() * image.height() / 50);
        }
    }
}
