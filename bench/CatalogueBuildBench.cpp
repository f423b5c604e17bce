// Speed of the shared catalogue: building it from 2,000 load units and 72 FSM items on disk, and a refill
// of a strip for a search text over it.
#include "catalogue/CHListbox.h"
#include "catalogue/CHlbAdapter.h"
#include "model/files/CHlbCatalogue.h"
#include "model/files/VehicleFiles.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>

namespace fs = std::filesystem;

namespace {

// The catalogue folders in a temporary place, filled once for all runs.
class CatalogueOnDisk
{
public:
    explicit CatalogueOnDisk(int nEinheiten)
    {
        std::random_device rd;
        m_root = fs::temp_directory_path() / ("qor_bench_catalogue_" + std::to_string(rd()));
        folders = {m_root / "lu", m_root / "fsm", m_root / "pic", m_root / "samples"};
        for (const fs::path& p : {folders.loadUnits, folders.fsmItems, folders.pictures, folders.samples})
            fs::create_directories(p);
        const char* words[] = {"Pallet", "Crate", "Drum", "Coil", "Box", "Roll", "Bag", "Frame"};
        for (int i = 0; i < nEinheiten; ++i) {
            tagItemData item;
            item.m_nArt = i % 5;
            item.m_dLaenge = 0.4 + (i % 30) * 0.1;
            item.m_dBreite = 0.4 + (i % 20) * 0.1;
            item.m_dHoehe = 1.0;
            item.m_dMasse = 0.05 + (i % 40) * 0.025;
            item.m_strBildDatei = "p" + std::to_string(i) + ".dat";
            const std::string name = std::string(words[i % 8]) + " " + std::to_string(i);
            SaveItemDataFile(folders.loadUnits / (name + ".lgs"), item);
        }
        for (int i = 0; i < 72; ++i) {
            tagItemData item;
            item.m_nArt = 6;
            item.m_dLaenge = 0.2;
            item.m_dBreite = 0.4 + (i % 6) * 0.2;
            item.m_dHoehe = 0.8;
            const fs::path sub = folders.fsmItems / ("group " + std::to_string(i % 4));
            fs::create_directories(sub);
            SaveItemDataFile(sub / ("Wedge " + std::to_string(i) + ".fsm"), item);
        }
    }
    ~CatalogueOnDisk() { fs::remove_all(m_root); }
    CatalogueOnDisk(const CatalogueOnDisk&) = delete;
    CatalogueOnDisk& operator=(const CatalogueOnDisk&) = delete;

    CatalogueFolders folders;

private:
    fs::path m_root;
};

// The catalogue of that many load units, written once for all runs.
CatalogueOnDisk& Disk(int nEinheiten = 2000)
{
    static std::map<int, std::unique_ptr<CatalogueOnDisk>> disks;
    std::unique_ptr<CatalogueOnDisk>& disk = disks[nEinheiten];
    if (!disk)
        disk = std::make_unique<CatalogueOnDisk>(nEinheiten);
    return *disk;
}

void Build(benchmark::State& state, int nEinheiten)
{
    CHlbCatalogue catalogue(Disk(nEinheiten).folders);
    // The first build writes the files' paths into them once; the runs measure the builds after it.
    catalogue.Build();
    for (auto _ : state) {
        catalogue.Build();
        benchmark::DoNotOptimize(catalogue.Entries().size());
    }
    state.counters["entries"] = static_cast<double>(catalogue.Entries().size());
}

void BM_CatalogueBuild(benchmark::State& state)
{
    Build(state, 2000);
}
BENCHMARK(BM_CatalogueBuild)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same build over 100, 2,000 and 10,000 load units: the cost per unit shows as the slope.
void BM_CatalogueBuildUnits(benchmark::State& state)
{
    Build(state, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_CatalogueBuildUnits)
    ->Arg(100)
    ->Arg(2000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// A strip refilled for a search text that matches an eighth of the load units, as typing in the filter
// field does; the searches alternate so that every run refills.
void BM_CatalogueFilter(benchmark::State& state)
{
    auto catalogue = std::make_shared<CHlbCatalogue>(Disk().folders);
    CHListbox list;
    list.Create(kHlbOwnerDrawn, QRect(0, 0, 1280, 150), nullptr, 1341);
    CHlbAdapter adapter(catalogue);
    adapter.Attach(&list);
    const QString searches[] = {QStringLiteral("Pallet"), QStringLiteral("ox")};
    int n = 0;
    for (auto _ : state) {
        adapter.SetFilter(0, searches[n++ % 2], true, false);
        benchmark::DoNotOptimize(list.GetItemCount());
    }
    state.counters["tiles"] = static_cast<double>(list.GetItemCount());
    CHListbox::WaitForLoaderPool(30000);
}
BENCHMARK(BM_CatalogueFilter)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
