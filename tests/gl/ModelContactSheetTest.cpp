// A contact sheet of all 54 models, each in its own tile framed by its bounding box, kept as a build
// artefact; every tile must show its model.
#include "GlFixture.h"

#include "model/mesh/ModelTable.h"
#include "platform/gl/DeviceModel.h"

#include <QDir>
#include <QOpenGLFramebufferObject>
#include <QPainter>

#include <cmath>

namespace {

constexpr int COLUMNS = 9, ROWS = 6, TILE = 200;

struct LineVertex
{
    float x, y, z;
    std::uint32_t colour;
};

// The twelve edges of the box from `a` to `b`.
std::vector<LineVertex> BoxEdges(const tbVector3& a, const tbVector3& b, std::uint32_t colour)
{
    std::vector<LineVertex> lines;
    const float xs[2] = {a.x, b.x}, ys[2] = {a.y, b.y}, zs[2] = {a.z, b.z};
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j) {
            lines.push_back({xs[0], ys[i], zs[j], colour});
            lines.push_back({xs[1], ys[i], zs[j], colour});
            lines.push_back({xs[i], ys[0], zs[j], colour});
            lines.push_back({xs[i], ys[1], zs[j], colour});
            lines.push_back({xs[i], ys[j], zs[0], colour});
            lines.push_back({xs[i], ys[j], zs[1], colour});
        }
    return lines;
}

TEST_F(GlFixture, ContactSheetShowsEveryModel)
{
    const QSize size(COLUMNS * TILE, ROWS * TILE);
    QImage sheet = Render(size, [&](IRenderDevice& device) {
        for (int index = 0; index < ModelTable::COUNT; ++index) {
            const DeviceModel& model = Model(index);
            tbVector3 min, max;
            model.Mesh().Bounds(min, max);
            const tbVector3 centre = (min + max) * 0.5f;
            const float radius = std::max(tbVector3Length(max - min) * 0.5f, 0.01f);
            // From the front left, above; GL's rows run bottom-up.
            SetViewport(index % COLUMNS * TILE, (ROWS - 1 - index / COLUMNS) * TILE, TILE, TILE);
            const tbVector3 eye = centre + tbVector3Normalize({-1.1f, 0.8f, 1.5f}) * (radius * 2.7f);
            SetScene(device, eye, centre, 1.0f);
            device.SetTransform(TransformKind::Projection,
                                tbMatrixProjection(0.8f, 1.0f, radius * 0.05f, radius * 10.0f));
            device.SetTransform(TransformKind::World, tbMatrixIdentity());
            device.DrawModel(model, IRenderDevice::ALL_PARTS, IRenderDevice::ALL_PARTS, true, true);
            const std::vector<LineVertex> edges = BoxEdges(min, max, 0xFF3070C0u);
            device.SetRenderState(RenderState::Lighting, 0);
            device.DrawPrimitive(PrimitiveType::LineList, VertexLayout::PositionColour, edges.data(),
                                 static_cast<int>(edges.size() / 2), sizeof(LineVertex));
            device.SetRenderState(RenderState::Lighting, 1);
        }
    });
    // Every tile holds more than its frame: some pixel that is neither white nor the frame's blue.
    for (int index = 0; index < ModelTable::COUNT; ++index) {
        SCOPED_TRACE(ModelTable::Find(index)->part);
        const QRect tile(index % COLUMNS * TILE, index / COLUMNS * TILE, TILE, TILE);
        int drawn = 0;
        for (int y = tile.top(); y <= tile.bottom(); ++y)
            for (int x = tile.left(); x <= tile.right(); ++x) {
                const QRgb c = sheet.pixel(x, y);
                const bool white = qRed(c) > 245 && qGreen(c) > 245 && qBlue(c) > 245;
                const bool frame = std::abs(qRed(c) - 0x30) < 8 && std::abs(qGreen(c) - 0x70) < 8 &&
                                   std::abs(qBlue(c) - 0xC0) < 8;
                drawn += !white && !frame;
            }
        EXPECT_GT(drawn, 100);
    }
    QPainter painter(&sheet);
    painter.setPen(Qt::black);
    for (int index = 0; index < ModelTable::COUNT; ++index)
        painter.drawText(
            QRect(index % COLUMNS * TILE + 4, index / COLUMNS * TILE + 2, TILE - 8, 16),
            Qt::AlignLeft | Qt::AlignTop,
            QStringLiteral("%1 %2").arg(index).arg(QString::fromUtf8(ModelTable::Find(index)->part)));
    painter.end();
    QDir().mkpath(QStringLiteral(QOR_TEST_ARTIFACT_DIR));
    EXPECT_TRUE(sheet.save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/models_contact_sheet.png")));
}

} // namespace
