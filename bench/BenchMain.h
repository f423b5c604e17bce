// The main function of the benchmarks on Qt widgets: the offscreen platform, one application object and,
// where the measured code reads texts, dialogs or pictures, the English language module of the program
// folder as the current module.
#pragma once

#include "platform/ResourceModule.h"

#include <QApplication>
#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <benchmark/benchmark.h>

#include <memory>

enum class BenchModule
{
    None,
    English
};

inline int RunOffscreenBenchmarks(int argc, char** argv, BenchModule module)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::unique_ptr<ResourceModule> loaded;
    if (module == BenchModule::English) {
        loaded = ResourceModule::Load(QStringLiteral("EN"), QCoreApplication::applicationDirPath(), nullptr);
        ResourceModule::SetCurrent(loaded.get());
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (loaded)
        ResourceModule::SetCurrent(nullptr);
    return 0;
}
