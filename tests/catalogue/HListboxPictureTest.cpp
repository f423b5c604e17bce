// A picture of the tile strip with loaded, loading, failed and selected tiles, kept for people to look at.
#include "StripTestSupport.h"

#include "ui/FadeClock.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Draws loaded tiles as picture and name; leaves the others to the strip.
class PictureOwner : public RecordingOwner
{
public:
    bool DrawItem(HListboxDraw& draw) override
    {
        if (draw.loadState != kTileLoaded || !draw.item)
            return false;
        QPainter& p = *draw.painter;
        const QImage picture = draw.item->loadOutput.value<QImage>();
        const bool selected = draw.stateBits & kDrawSelected;
        const QPalette colours = QApplication::palette();
        if (selected)
            p.fillRect(draw.rect, colours.color(QPalette::Active, QPalette::Highlight));
        const QRect pictureArea = draw.rect.adjusted(6, 6, -6, -24);
        const QImage scaled =
            picture.scaled(pictureArea.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
        p.drawImage(pictureArea.left() + (pictureArea.width() - scaled.width()) / 2, pictureArea.top(),
                    scaled);
        p.setPen(
            colours.color(QPalette::Active, selected ? QPalette::HighlightedText : QPalette::WindowText));
        p.drawText(draw.rect.adjusted(2, 0, -2, -4), Qt::AlignHCenter | Qt::AlignBottom, draw.item->text);
        if (selected && (draw.stateBits & kDrawFocused)) {
            p.setPen(QPen(colours.color(QPalette::Active, QPalette::HighlightedText), 1, Qt::DotLine));
            p.drawRect(draw.rect.adjusted(1, 1, -2, -2));
        }
        return true;
    }
};

QImage DrawPallet(const QString& name, QColor colour)
{
    QImage image(640, 480, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(colour);
    p.setPen(QPen(colour.darker(160), 8));
    p.drawRect(60, 150, 520, 200);
    for (int x : {60, 290, 520})
        p.drawRect(x, 350, 60, 60);
    p.setPen(Qt::black);
    QFont font = p.font();
    font.setPixelSize(60);
    p.setFont(font);
    p.drawText(QRect(60, 150, 520, 200), Qt::AlignCenter, name);
    return image;
}

TEST(HListboxPicture, StripShowsEveryTileState)
{
    ScopedFadeClock clock;
    Gate gate;
    PictureOwner owner;
    owner.widths = {{0, 110}, {1, 110}, {2, 110}, {3, 110}, {4, 110}};
    StripWindow strip(kHlbOwnerDrawn, &owner);
    CHListbox& list = *strip.list;
    list.SetItemLoader([&gate](const HListboxLoadRequest& request, QVariant* output) {
        const QString name = request.input.toString();
        if (name == QLatin1String("Crate"))
            gate.Wait();
        if (name == QLatin1String("Damaged"))
            return false;
        const QColor colours[] = {QColor(196, 150, 90), QColor(120, 170, 220), QColor(150, 200, 120)};
        *output = DrawPallet(name.left(4), colours[request.index % 3]);
        return true;
    });
    for (const char* name : {"Euro", "Half", "Damaged", "Crate", "Block"})
        list.AddItem(QString::fromLatin1(name), nullptr, list.GetItemCount());
    // Wide enough for the four states side by side.
    strip.window->resize(600, 150);
    list.setGeometry(10, 10, 580, 130);
    strip.window->show();
    QApplication::setActiveWindow(strip.window.get());
    list.Canvas()->setFocus();
    list.Layout();
    ASSERT_TRUE(gate.AwaitWaiting(1));
    ASSERT_TRUE(QTest::qWaitFor([&] {
        for (int i : {0, 1, 2, 4}) {
            if (list.GetItem(i)->state == kTileLoading)
                return false;
        }
        return true;
    }));
    list.SelectItem(1);
    HListboxScroll to;
    to.kind = 1;
    to.index = 0;
    list.Scroll(to);
    clock.Advance(900); // the loading tile shows three dots

    ASSERT_EQ(list.GetItem(0)->state, kTileLoaded);
    ASSERT_EQ(list.GetItem(2)->state, kTileFailed);
    ASSERT_EQ(list.GetItem(3)->state, kTileLoading);
    const QImage picture = strip.list->grab().toImage();
    QDir().mkpath(QStringLiteral(QOR_TEST_ARTIFACT_DIR));
    EXPECT_TRUE(picture.save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/tile_strip.png")));

    // The selected tile is drawn in the highlight colour, the failed one is not.
    const QColor highlight = QApplication::palette().color(QPalette::Active, QPalette::Highlight);
    const QPoint canvasAt = list.Canvas()->pos();
    const QRect selected = list.GetItemRect(1).translated(canvasAt);
    const QRect failed = list.GetItemRect(2).translated(canvasAt);
    EXPECT_EQ(picture.pixelColor(selected.left() + 3, selected.top() + 3), highlight);
    EXPECT_NE(picture.pixelColor(failed.left() + 3, failed.top() + 3), highlight);
    gate.Open();
}

} // namespace
