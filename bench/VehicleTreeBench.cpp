// Speed of filling the filtered vehicle tree: 360 vehicle files, each read for its kind and its use.
#include "catalogue/CFileTreeCtrlFilter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void BM_VehicleTreeFill(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString root = QDir(dir.path()).canonicalPath();
    const QString folder = root + QStringLiteral("/My vehicles");
    QDir().mkpath(folder);
    const char* const samples[] = {"LKW", "GDA", "SDA", "SAH", "SZM", "KEP"};
    for (int i = 0; i < 360; ++i) {
        const QString source =
            QStringLiteral(QOR_SAMPLES_DIR "/Vehicles/%1.qor").arg(QLatin1String(samples[i % 6]));
        if (!QFile::copy(source, folder + QStringLiteral("/vehicle%1.qor").arg(i, 3, 10, QLatin1Char('0')))) {
            state.SkipWithError("the samples cannot be copied");
            return;
        }
    }
    CFileTreeCtrlFilter tree;
    tree.SetFilePatterns(QStringLiteral("*.qor"));
    tree.SetExtensionMode(0);
    tree.SetRootFolder(root);
    for (auto _ : state) {
        // What a file dialog does when it opens on the folder: build the tree and list the folder.
        tree.Refresh();
        tree.SelectPath(folder, true);
    }
    QTreeWidgetItem* item = tree.currentItem();
    if (!item || item->childCount() != 300) // kind 5 is hidden by default
        state.SkipWithError("the folder was not listed");
}
BENCHMARK(BM_VehicleTreeFill)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
