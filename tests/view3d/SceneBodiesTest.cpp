// The vehicle scene's bodies on the recording device: models per kind in order with their passes and
// places, the trailer's offset, the further axles, the van's floor and rear, and the lights per vehicle.
#include "view3d/CFahrzeug3D.h"

#include "model/document/CQOR1Doc.h"
#include "model/files/FahrzeugImpExp.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"
#include "platform/gl/DeviceModel.h"
#include "platform/gl/RecordingDevice.h"
#include "tests/support/SampleDocument.h"
#include "view3d/ModelCache.h"
#include "view3d/TextureManager.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

using Call = RecordingDevice::Call;

std::unique_ptr<CFahrzeug> Sample(const std::string& title)
{
    const std::filesystem::path samples = QOR_SAMPLES_DIR;
    return LoadFahrzeugFromFile(samples / "Vehicles" / (title + ".qor"), 0, nullptr, nullptr, false, nullptr);
}

class SceneBodiesTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_textures.Init(256);
        m_cache.InitModellCache();
        // Only the bodies: no yard, marker, chart, walls or labels.
        for (int i : {0, 1, 2, 3, 5, 6, 9})
            m_renderer.Flags()[i] = 0;
    }
    void Open(const char* title, const char* towing = nullptr)
    {
        m_doc = std::make_unique<CQOR1Doc>();
        auto f = Sample(title);
        ASSERT_TRUE(f);
        if (towing) {
            auto z = Sample(towing);
            ASSERT_TRUE(z);
            CoupleInFront(*f, std::move(z));
        }
        m_doc->SetFahrzeug(f.release());
        m_doc->OnDocumentOpened();
    }
    // The model numbers drawn, in order, and the calls.
    std::vector<int> Render()
    {
        m_device.Clear();
        EXPECT_EQ(m_renderer.Render(m_device, m_cache, m_doc.get(), {}, nullptr, nullptr, 0), 0);
        std::vector<int> models;
        for (const Call& c : m_device.ModelDraws())
            models.push_back(Index(c.model));
        return models;
    }
    int Index(const DeviceModel* model)
    {
        for (int i = 0; i < 60; ++i) {
            const DeviceModel* m = nullptr;
            if (m_cache.GetModell(i, &m) == 0 && m == model)
                return i;
        }
        return -1;
    }
    // Where the model's origin lands, for the n-th draw of the model.
    tbVector3 Origin(int model, int n = 0)
    {
        for (const Call& c : m_device.ModelDraws())
            if (Index(c.model) == model && n-- == 0)
                return tbVector3TransformCoords({0, 0, 0}, c.matrix);
        ADD_FAILURE() << "model " << model << " not drawn";
        return {};
    }
    static void Near(const tbVector3& got, const tbVector3& want)
    {
        EXPECT_NEAR(got.x, want.x, 1e-5f);
        EXPECT_NEAR(got.y, want.y, 1e-5f);
        EXPECT_NEAR(got.z, want.z, 1e-5f);
    }

    TextureManager m_textures;
    ModelCache m_cache{QFileInfo(QStringLiteral(QOR_MODELS_DIR)).absolutePath(), m_textures};
    CFahrzeug3D m_renderer{QFileInfo(QStringLiteral(QOR_MODELS_DIR)).absolutePath(), nullptr};
    std::unique_ptr<CQOR1Doc> m_doc;
    RecordingDevice m_device;
};

TEST_F(SceneBodiesTest, EachKindDrawsItsModelsInOrder)
{
    // FH twice (opaque, then blended); a two-axle vehicle has no further axle models.
    const struct
    {
        const char* title;
        const char* towing;
        std::vector<int> models;
    } cases[] = {
        {"LKW", nullptr, {0, 0, 1, 3, 4, 16, 9}},
        {"KEP", nullptr, {23, 23, 24, 24, 25, 16}}, // van: no rear
        {"SZM", nullptr, {0, 0, 1, 4, 12, 9}},      // tractor: no load area
        {"SAH", nullptr, {14, 2, 7, 7, 7, 15, 11}}, // semi-trailer alone, three axles
        {"SAH", "SZM", {0, 0, 1, 4, 12, 9, 13, 2, 7, 7, 7, 15, 11}},
        {"GDA", "LKW", {0, 0, 1, 3, 4, 16, 9, 30, 2, 7, 15, 11}}, // two-axle drawbar: one further axle
        {"SDA", "LKW", {0, 0, 1, 3, 4, 16, 9, 26, 28, 2, 29, 7, 7, 15, 11}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.title) + (c.towing ? std::string("+") + c.towing : std::string()));
        Open(c.title, c.towing);
        // The rear model depends on the tail lift; the cases above have none.
        ASSERT_FALSE(m_doc->GetFahrzeug()->HasZLTyp1());
        m_renderer.Flags()[4] = 0;
        EXPECT_EQ(Render(), c.models);
    }
}

TEST_F(SceneBodiesTest, PlacesFollowTheVehiclesValues)
{
    Open("LKW");
    Render();
    CFahrzeug& truck = *m_doc->GetFahrzeug();
    const float d1 = static_cast<float>(truck.GetAchse1Abstand());
    const float L = static_cast<float>(truck.GetLFLaenge());
    const float a12 = static_cast<float>(truck.GetAchsPosition(1) - truck.GetAchsPosition(0));
    Near(Origin(0), {0, 0, 0});
    Near(Origin(3), {0, 0, -d1});
    Near(Origin(4), {0, 0, -a12});
    Near(Origin(16), {0, 0, -d1});
    Near(Origin(9), {0, 0, -static_cast<float>(truck.GetPosLetzteAchse() + d1 + 0.585)});
    // The load area is stretched to the width and length: its far corner lies W/2 across and L back.
    for (const Call& c : m_device.ModelDraws())
        if (Index(c.model) == 16) {
            const tbVector3 a = tbVector3TransformCoords({0, 0, 0}, c.matrix);
            const tbVector3 b = tbVector3TransformCoords({1, 0, -1}, c.matrix);
            EXPECT_NEAR(b.x - a.x, truck.GetLFBreite(), 1e-5f);
            EXPECT_NEAR(a.z - b.z, L, 1e-5f);
        }

    // The van's load area is 0.42 lower.
    Open("KEP");
    Render();
    CFahrzeug& van = *m_doc->GetFahrzeug();
    Near(Origin(16), {0, -0.42f, -static_cast<float>(van.GetAchse1Abstand())});

    // The semi-trailer stands on the tractor's fifth wheel: its origin R behind the tractor's.
    Open("SAH", "SZM");
    m_renderer.Flags()[4] = 1; // a semi-trailer combination is drawn whole all the same
    Render();
    CFahrzeug& tractor = *m_doc->GetZugfahrzeug();
    CFahrzeug& semi = *m_doc->GetFahrzeug();
    const float R = static_cast<float>(tractor.GetRadstandKorrigiert());
    EXPECT_NEAR(CFahrzeug3D::TrailerOffset(tractor, semi), -R, 1e-6f);
    Near(Origin(12), {0, 0, -R});
    Near(Origin(13), {0, 0, -R + static_cast<float>(semi.GetAchse1Abstand())});
}

TEST_F(SceneBodiesTest, LightsPerVehicle)
{
    // Which of lights 2 and 3 are on while each body model is drawn.
    const auto lit = [this]() {
        std::vector<bool> full;
        bool on2 = true;
        for (const Call& c : m_device.Calls()) {
            if (c.kind == RecordingDevice::CallKind::LightEnable && c.value == 2)
                on2 = c.on;
            if (c.kind == RecordingDevice::CallKind::DrawModel)
                full.push_back(on2);
        }
        return full;
    };
    // A drawbar combination drawn with switch 4 off: the truck worked on fully lit, the trailer by 0 and 1.
    Open("GDA", "LKW");
    ASSERT_TRUE(m_doc->SetAktivIndex(CQOR1Doc::kAktivZugfahrzeug, false, false));
    m_renderer.Flags()[4] = 0;
    std::vector<int> models = Render();
    std::vector<bool> full = lit();
    ASSERT_EQ(models.size(), full.size());
    const auto trailerStart = std::find(models.begin(), models.end(), 30) - models.begin();
    for (std::size_t i = 0; i < models.size(); ++i)
        EXPECT_EQ(full[i], static_cast<long>(i) < trailerStart) << i;
    // Switch 4 on: only the vehicle worked on, fully lit.
    m_renderer.Flags()[4] = 1;
    models = Render();
    EXPECT_EQ(std::count(models.begin(), models.end(), 30), 0);
    for (const bool b : lit())
        EXPECT_TRUE(b);

    // A semi-trailer combination with switch 4 on: both drawn and both fully lit.
    Open("SAH", "SZM");
    models = Render();
    EXPECT_EQ(std::count(models.begin(), models.end(), 13), 1);
    for (const bool b : lit())
        EXPECT_TRUE(b);
}

} // namespace
