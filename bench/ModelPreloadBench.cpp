// Cost of the 3D start-up preload: reading and parsing all 54 models (with their textures) into a
// fresh model cache.
#include "view3d/ModelCache.h"
#include "view3d/TextureManager.h"

#include <QFileInfo>

#include <benchmark/benchmark.h>

static void BM_ModelPreload(benchmark::State& state)
{
    const QString folder = QFileInfo(QStringLiteral(QOR_MODELS_DIR)).absolutePath();
    for (auto _ : state) {
        TextureManager textures;
        textures.Init(256);
        ModelCache cache(folder, textures);
        cache.InitModellCache();
        int loaded = 0;
        for (int index = 0; index < ModelCache::COUNT; ++index) {
            const DeviceModel* model = nullptr;
            loaded += cache.GetModell(index, &model) == 0;
        }
        if (loaded != ModelCache::COUNT)
            state.SkipWithError("a model did not load");
        benchmark::DoNotOptimize(loaded);
    }
}
BENCHMARK(BM_ModelPreload)->Unit(benchmark::kMillisecond);
