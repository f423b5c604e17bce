// One frame step of the render managers with three registered managers that render nothing.
#include "view3d/CTimerManager.h"
#include "view3d/View3DDevice.h"

#include <benchmark/benchmark.h>

namespace {

class IdleManager : public CTimerManager
{
public:
    using CTimerManager::CTimerManager;
    int NeedsRender(float, int) override { return 0; }
};

void BM_FrameStepThreeIdleManagers(benchmark::State& state)
{
    View3DDevice device;
    device.SetDevice({[]() { return View3DDevice::DeviceState::Ready; }, []() { return true; }}, {}, {});
    device.Input().Init(nullptr, 6);
    IdleManager first(device), second(device), third(device);
    benchmark::DoNotOptimize(first);
    for (auto _ : state)
        device.RenderAll(0.016f, 1);
}
BENCHMARK(BM_FrameStepThreeIdleManagers);

} // namespace
