// The font table's faces and sizes, the cursors by number, and the committed view pictures.
#include "ViewPicturePainter.h"

#include "draw2d/FontTable.h"
#include "draw2d/ViewCursors.h"

#include "platform/ResourceModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPixmap>

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(FontTableTest, FaceNamesMapToInstalledFamilies)
{
    struct Case
    {
        const char* face;
        FontTable::Face expected;
    };
    const Case cases[] = {
        {"Segoe UI", FontTable::Sans},         {"Arial", FontTable::Sans},
        {"MS Sans Serif", FontTable::Sans},    {"Tahoma", FontTable::Sans},
        {"Arial Narrow", FontTable::Narrow},   {"narrow", FontTable::Narrow},
        {"Times New Roman", FontTable::Serif}, {"Courier New", FontTable::Fixed},
        {"Consolas", FontTable::Fixed},        {"", FontTable::Sans},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.face);
        EXPECT_EQ(FontTable::FaceOf(c.face), c.expected);
        // The family resolves to itself: the font is installed, not replaced by a fallback.
        const QFont font = FontTable::MakeFont(c.face, -12);
        EXPECT_EQ(QFontInfo(font).family(), FontTable::Family(c.expected));
    }
    EXPECT_TRUE(QFontInfo(FontTable::MakeFont("Courier New", -11)).fixedPitch());
}

TEST(FontTableTest, HeightsBecomePixelSizes)
{
    EXPECT_EQ(FontTable::MakeFont("Segoe UI", -11).pixelSize(), 11);
    EXPECT_EQ(FontTable::MakeFont("Segoe UI", 0).pixelSize(), 12);
    for (int cell : {12, 16, 20, 33}) {
        SCOPED_TRACE(cell);
        for (const char* face : {"Arial", "Arial Narrow", "Times New Roman", "Courier New"}) {
            SCOPED_TRACE(face);
            EXPECT_NEAR(QFontMetrics(FontTable::MakeFont(face, cell)).height(), cell, 1);
        }
    }
    const QFont bold = FontTable::MakeFont("Arial", -14, 700, true);
    EXPECT_EQ(bold.weight(), QFont::Bold);
    EXPECT_TRUE(bold.italic());
    // The narrow face is narrower than the sans at the same size.
    EXPECT_LT(
        QFontMetrics(FontTable::MakeFont("Arial Narrow", -20))
            .horizontalAdvance(QStringLiteral("Payload 1250 kg")),
        QFontMetrics(FontTable::MakeFont("Arial", -20)).horizontalAdvance(QStringLiteral("Payload 1250 kg")));
}

class ModuleTest : public ::testing::Test
{
protected:
    ModuleTest()
        : m_module(
              ResourceModule::Load(QStringLiteral("EN"), QCoreApplication::applicationDirPath(), nullptr)),
          m_previous(ResourceModule::Current())
    {
        ResourceModule::SetCurrent(m_module.get());
    }
    ~ModuleTest() override { ResourceModule::SetCurrent(m_previous); }

    std::unique_ptr<ResourceModule> m_module;
    const ResourceModule* m_previous;
};

TEST_F(ModuleTest, CursorsByNumberCarryTheirPictureAndHotSpot)
{
    ASSERT_NE(m_module, nullptr);
    EXPECT_EQ(ViewCursors::Ids(), ViewPicturePainter::CursorIds());
    for (int id : ViewCursors::Ids()) {
        SCOPED_TRACE(id);
        const QPoint spot = *ViewCursors::HotSpot(id);
        const QCursor cursor = ViewCursors::Load(id);
        ASSERT_EQ(cursor.shape(), Qt::BitmapCursor);
        EXPECT_EQ(cursor.hotSpot(), spot);
        const QImage picture = cursor.pixmap().toImage();
        ASSERT_EQ(picture.size(), QSize(32, 32));
        // The hot spot lies on the drawing, not on the transparent background around it.
        EXPECT_GT(qAlpha(picture.pixel(spot)), 0);
    }
    // A sheet of every cursor, enlarged, with its hot spot marked, for people to look at.
    const QList<int> ids = ViewCursors::Ids();
    QImage sheet(static_cast<int>(ids.size()) * 72 + 8, 80, QImage::Format_RGB32);
    sheet.fill(qRgb(200, 210, 220));
    {
        QPainter p(&sheet);
        for (int i = 0; i < ids.size(); ++i) {
            const QCursor cursor = ViewCursors::Load(ids[i]);
            p.drawImage(QRect(8 + i * 72, 8, 64, 64), cursor.pixmap().toImage());
            p.fillRect(QRect(8 + i * 72 + cursor.hotSpot().x() * 2, 8 + cursor.hotSpot().y() * 2, 2, 2),
                       Qt::magenta);
        }
    }
    const QString out = QStringLiteral(QOR_TEST_ARTIFACT_DIR "/draw2d");
    QDir().mkpath(out);
    EXPECT_TRUE(sheet.save(out + QStringLiteral("/cursors.png")));
    EXPECT_TRUE(ViewPicturePainter::TabIcons().scaled(320, 64).save(out + QStringLiteral("/tab_icons.png")));

    EXPECT_FALSE(ViewCursors::HotSpot(1));
    EXPECT_EQ(ViewCursors::Load(1).shape(), Qt::ArrowCursor);
}

TEST_F(ModuleTest, CommittedViewPicturesAreWhatTheGeneratorDraws)
{
    ASSERT_NE(m_module, nullptr);
    const QString out = QStringLiteral(QOR_TEST_ARTIFACT_DIR "/draw2d");
    QDir().mkpath(out);
    for (const QString& path : ViewPicturePainter::Paths()) {
        SCOPED_TRACE(path.toStdString());
        const QImage drawn = ViewPicturePainter::Draw(path).convertToFormat(QImage::Format_ARGB32);
        const QImage stored = QImage(m_module->ItemPath(path)).convertToFormat(QImage::Format_ARGB32);
        ASSERT_FALSE(stored.isNull()) << "run qor_view_pictures resources/en";
        ASSERT_EQ(stored.size(), drawn.size());
        int worst = 0;
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x) {
                const QRgb a = drawn.pixel(x, y), b = stored.pixel(x, y);
                worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                  std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
            }
        EXPECT_LE(worst, 8) << "the committed picture is out of date: run qor_view_pictures resources/en";
        if (worst > 8)
            drawn.save(out + QLatin1Char('/') + QString(path).replace(QLatin1Char('/'), QLatin1Char('_')));
    }
}

} // namespace
