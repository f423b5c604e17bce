// Bounds and size of a model of the program's own model files.
#include "model/mesh/Q3dModel.h"

#include <algorithm>

void Q3dModel::Bounds(tbVector3& min, tbVector3& max) const
{
    bool first = true;
    min = max = tbVector3{};
    for (const Part& part : parts)
        for (const Vertex& v : part.vertices) {
            if (first) {
                min = max = v.position;
                first = false;
                continue;
            }
            min = {std::min(min.x, v.position.x), std::min(min.y, v.position.y),
                   std::min(min.z, v.position.z)};
            max = {std::max(max.x, v.position.x), std::max(max.y, v.position.y),
                   std::max(max.z, v.position.z)};
        }
}

std::size_t Q3dModel::TriangleCount() const
{
    std::size_t count = 0;
    for (const Part& part : parts)
        count += part.indices.size() / 3;
    return count;
}
