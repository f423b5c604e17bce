// The 3D start-up and exit calls against a scripted 3D side.
#include "ui/Render3DServices.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class Scripted3D : public IRender3DServices
{
public:
    std::vector<std::string> calls;
    std::vector<int> models;
    QWidget* inputWindow = nullptr;

    void InitTextureManager(int capacity) override
    {
        calls.push_back("textures " + std::to_string(capacity));
    }
    int InitModellCache() override
    {
        calls.push_back("cache");
        return 0;
    }
    int GetModell(int number) override
    {
        models.push_back(number);
        calls.push_back("model " + std::to_string(number));
        return 0;
    }
    int ReleaseModellCache() override
    {
        calls.push_back("release cache");
        return 5;
    }
    int InitDirectInput(QWidget* window, unsigned flags) override
    {
        inputWindow = window;
        calls.push_back("input " + std::to_string(flags));
        return 0;
    }
    void ReleaseDirectInput() override { calls.push_back("release input"); }
};

class Render3DServicesTest : public testing::Test
{
protected:
    Scripted3D scripted;
};

// The order is what matters: models are loaded into a cache that exists, each once, before the input that
// may start drawing; the exit answers what the 3D side's release answers.
TEST_F(Render3DServicesTest, StartUpLoadsEveryModelOnceIntoTheCacheBeforeInput)
{
    QWidget* mainWindow = reinterpret_cast<QWidget*>(0x1000); // passed through, never used here
    EXPECT_EQ(InitTextureManager(&scripted, mainWindow), 1);
    std::vector<std::string> expected = {"textures 256", "cache"};
    for (int i = 0; i < IRender3DServices::MODEL_COUNT; ++i)
        expected.push_back("model " + std::to_string(i));
    expected.push_back("input 6");
    EXPECT_EQ(scripted.calls, expected);
    EXPECT_EQ(IRender3DServices::MODEL_COUNT, 54);
    EXPECT_EQ(scripted.inputWindow, mainWindow);
    EXPECT_EQ(ReleaseModelsCallback(&scripted), 5);
    EXPECT_EQ(scripted.calls.back(), "release cache");
}

TEST_F(Render3DServicesTest, LoadingCallbackFollowsItsFlags)
{
    struct Case
    {
        const char* name;
        unsigned flags;
        int quitAfter; // the pump answers false after this many calls (-1: never)
        int loaded;
        int pumped;
    };
    const Case cases[] = {
        {"without flag 2 nothing", MODEL_LOAD_PUMP_MESSAGES, -1, 0, 0},
        {"flag 2: all models, no pumping", MODEL_LOAD_MODELS, -1, 54, 0},
        {"flags 1 and 2: pumped after each", MODEL_LOAD_MODELS | MODEL_LOAD_PUMP_MESSAGES, -1, 54, 54},
        {"a quit ends the loading", MODEL_LOAD_MODELS | MODEL_LOAD_PUMP_MESSAGES, 3, 3, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        scripted.models.clear();
        int pumped = 0;
        const auto pump = [&] { return ++pumped != c.quitAfter; };
        EXPECT_EQ(LoadModelsCallback(&scripted, c.flags, pump), c.loaded);
        EXPECT_EQ(static_cast<int>(scripted.models.size()), c.loaded);
        EXPECT_EQ(pumped, c.pumped);
    }
}

TEST(Render3DServicesWithoutTest, WithoutA3DSideEverythingIsANoOp)
{
    EXPECT_EQ(InitTextureManager(nullptr, nullptr), 1);
    EXPECT_EQ(ReleaseModelsCallback(nullptr), 0);
    EXPECT_EQ(LoadModelsCallback(nullptr, MODEL_LOAD_MODELS), 0);
}

} // namespace
