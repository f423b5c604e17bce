// The cursors of the views by number: a picture of the language module and a hot spot from this table.
#include "draw2d/ViewCursors.h"

#include "platform/ResourceModule.h"

#include <QImage>
#include <QPixmap>

#include <map>

namespace {

const std::map<int, QPoint>& Table()
{
    static const std::map<int, QPoint> table = {
        {175, {16, 16}}, // move along the vehicle
        {192, {16, 16}}, // grabbing hand while dragging
        {194, {16, 16}}, // an edge that moves up and down
        {196, {16, 16}}, // open hand over something that can be dragged
        {197, {16, 16}}, // move in every direction
        {203, {16, 16}}, // move up and down
        {251, {16, 16}}, // move a load unit
        {252, {1, 1}},   // placement: free
        {253, {1, 1}},   // placement: refused
        {254, {1, 1}},   // another load unit or lashing point that can be chosen
        {274, {1, 1}},   // placement: shifted to the nearest free spot
        {337, {11, 1}},  // pointing hand over a link
        {555, {1, 1}},   // placement: free, copying
        {768, {1, 1}},   // a place on a lashing rail
        {769, {1, 1}},   // a lashing point that can be chosen
        {893, {1, 1}},   // marking
        {1032, {1, 1}},  // a value that can be edited
        {33310, {1, 1}}, // dragging where nothing can be dropped
        {33311, {1, 1}}, // dropping copies
        {33312, {1, 1}}, // dropping moves
    };
    return table;
}

} // namespace

QList<int> ViewCursors::Ids()
{
    QList<int> ids;
    for (const auto& [id, spot] : Table())
        ids.append(id);
    return ids;
}

std::optional<QPoint> ViewCursors::HotSpot(int id)
{
    const auto it = Table().find(id);
    if (it == Table().end())
        return std::nullopt;
    return it->second;
}

QCursor ViewCursors::Load(int id)
{
    const std::optional<QPoint> spot = HotSpot(id);
    const ResourceModule* module = ResourceModule::Current();
    if (!spot || !module)
        return QCursor(Qt::ArrowCursor);
    const QImage picture(module->ItemPath(QStringLiteral("cursors/%1.png").arg(id)));
    if (picture.isNull())
        return QCursor(Qt::ArrowCursor);
    return QCursor(QPixmap::fromImage(picture), spot->x(), spot->y());
}
