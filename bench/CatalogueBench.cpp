// Speed of the tile strip: painting a wide strip, and loading many pictures on the worker threads.
#include "bench/BenchMain.h"
#include "catalogue/CHListbox.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

// Draws each loaded tile as its thumbnail and name, as a catalogue owner does.
class ThumbnailOwner : public IHListboxOwner
{
public:
    bool MayLoad(const HListboxItem&) override { return true; }
    QVariant LoadInput(const HListboxItem& tile) override { return tile.ownerValue; }
    bool MeasureItem(const HListboxItem&, int, int* width) override
    {
        *width = 96;
        return true;
    }
    bool DrawItem(HListboxDraw& draw) override
    {
        if (draw.loadState != kTileLoaded)
            return false;
        const QImage picture = draw.item->loadOutput.value<QImage>();
        draw.painter->drawImage(QPoint(3, 3), picture);
        draw.painter->drawText(draw.rect.adjusted(2, 0, -2, -4), Qt::AlignHCenter | Qt::AlignBottom,
                               draw.item->text);
        return true;
    }
};

QByteArray EncodedPicture(int seed)
{
    QImage image(640, 480, QImage::Format_RGB32);
    image.fill(QColor::fromHsv(seed * 37 % 360, 120, 230));
    QPainter p(&image);
    p.setBrush(QColor(150, 100, 60));
    p.drawRect(40 + seed % 50, 120, 520, 220);
    p.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

void BM_PaintStrip(benchmark::State& state)
{
    ThumbnailOwner owner;
    CHListbox list;
    list.SetOwner(&owner);
    list.Create(kHlbOwnerDrawn, QRect(0, 0, 1280 + 2 * 16, 150), nullptr, 1341);
    list.SetItemLoader([](const HListboxLoadRequest&, QVariant* output) {
        QImage thumbnail(90, 100, QImage::Format_RGB32);
        thumbnail.fill(QColor(200, 170, 120));
        *output = thumbnail;
        return true;
    });
    for (int i = 0; i < 40; ++i)
        list.AddItem(QStringLiteral("Load unit %1").arg(i), nullptr, i);
    list.Layout();
    CHListbox::WaitForLoaderPool(60000);
    QCoreApplication::sendPostedEvents();
    HListboxScroll to;
    to.kind = 7;
    to.position = list.LeadingMargin();
    to.durationMs = 0;
    list.Scroll(to);
    QImage frame(list.Canvas()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&frame);
        list.PaintCanvas(painter, frame.rect());
        painter.end();
        benchmark::DoNotOptimize(frame.bits());
    }
    state.counters["canvas_px"] = list.Canvas()->width();
}
BENCHMARK(BM_PaintStrip)->Unit(benchmark::kMicrosecond);

void BM_Load200Pictures(benchmark::State& state)
{
    std::vector<QByteArray> pictures;
    for (int i = 0; i < 200; ++i)
        pictures.push_back(EncodedPicture(i));
    double uiSeconds = 0;
    for (auto _ : state) {
        ThumbnailOwner owner;
        CHListbox list;
        list.SetOwner(&owner);
        list.Create(kHlbOwnerDrawn, QRect(0, 0, 1312, 150), nullptr, 1341);
        list.SetItemLoader([&pictures](const HListboxLoadRequest& request, QVariant* output) {
            QImage image = QImage::fromData(pictures[static_cast<size_t>(request.input.toInt())], "PNG");
            *output = image;
            return !image.isNull();
        });
        for (int i = 0; i < 200; ++i)
            list.AddItem(QStringLiteral("Load unit %1").arg(i), nullptr, i);
        QElapsedTimer ui;
        ui.start();
        list.Layout(); // starts the 200 loaders
        qint64 uiNs = ui.nsecsElapsed();
        CHListbox::WaitForLoaderPool(60000);
        ui.restart();
        QCoreApplication::sendPostedEvents(); // the 200 completions
        uiNs += ui.nsecsElapsed();
        uiSeconds += uiNs / 1e9;
        if (list.GetItem(199)->state != kTileLoaded)
            state.SkipWithError("a picture did not load");
    }
    state.counters["ui_us_per_picture"] =
        benchmark::Counter(uiSeconds * 1e6 / 200, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_Load200Pictures)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    return RunOffscreenBenchmarks(argc, argv, BenchModule::None);
}
