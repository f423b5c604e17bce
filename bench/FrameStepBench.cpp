// One frame step of the render managers with three registered managers that render nothing.
#include "view3d/CTimerManager.h"
#include "view3d/InputState.h"

#include <benchmark/benchmark.h>

#include <array>

namespace {

class IdleManager : public CTimerManager
{
public:
    int NeedsRender(float, int) override { return 0; }
};

void BM_FrameStepThreeIdleManagers(benchmark::State& state)
{
    CTimerManager::SetD3DDevice({[]() { return CTimerManager::DeviceState::Ready; }, []() { return true; }},
                                {}, {});
    InitDirectInput(nullptr, 6);
    std::array<IdleManager, 3> managers;
    benchmark::DoNotOptimize(managers);
    for (auto _ : state)
        CTimerManager::RenderAll(0.016f, 1);
    ReleaseDirectInput();
    CTimerManager::SetD3DDevice({}, {}, {});
}
BENCHMARK(BM_FrameStepThreeIdleManagers);

} // namespace
