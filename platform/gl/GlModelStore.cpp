// Uploading model buffers once per share group of OpenGL contexts.
#include "platform/gl/GlModelStore.h"

#include "platform/gl/DeviceModel.h"

#include <QOpenGLContext>

#include <cstdint>
#include <unordered_map>

namespace {

using GroupBuffers = std::unordered_map<std::uint64_t, GlModelStore::Buffers>;

// UI thread only, like every drawing.
std::unordered_map<const QOpenGLContextGroup*, GroupBuffers>& Groups()
{
    static std::unordered_map<const QOpenGLContextGroup*, GroupBuffers> groups;
    return groups;
}

} // namespace

const GlModelStore::Buffers& GlModelStore::Get(QOpenGLFunctions_3_3_Core& gl, const DeviceModel& model)
{
    QOpenGLContextGroup* group = QOpenGLContextGroup::currentContextGroup();
    auto groupIt = Groups().find(group);
    if (groupIt == Groups().end()) {
        groupIt = Groups().emplace(group, GroupBuffers{}).first;
        // The group's GL objects go with its last context; forget them then.
        QObject::connect(group, &QObject::destroyed, [group] { Groups().erase(group); });
    }
    GroupBuffers& buffers = groupIt->second;
    const auto found = buffers.find(model.Id());
    if (found != buffers.end())
        return found->second;

    Buffers gpu;
    std::vector<Q3dModel::Vertex> vertices;
    std::vector<std::uint32_t> indices;
    for (const Q3dModel::Part& part : model.Mesh().parts) {
        gpu.firstIndex.push_back(static_cast<GLint>(indices.size()));
        gpu.baseVertex.push_back(static_cast<GLint>(vertices.size()));
        vertices.insert(vertices.end(), part.vertices.begin(), part.vertices.end());
        indices.insert(indices.end(), part.indices.begin(), part.indices.end());
    }
    static_assert(sizeof(Q3dModel::Vertex) == 32);
    gl.glGenBuffers(1, &gpu.vbo);
    gl.glBindBuffer(GL_ARRAY_BUFFER, gpu.vbo);
    gl.glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(Q3dModel::Vertex)),
                    vertices.data(), GL_STATIC_DRAW);
    gl.glGenBuffers(1, &gpu.ibo);
    gl.glBindBuffer(GL_ARRAY_BUFFER, gpu.ibo);
    gl.glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(std::uint32_t)),
                    indices.data(), GL_STATIC_DRAW);
    gl.glBindBuffer(GL_ARRAY_BUFFER, 0);
    return buffers.emplace(model.Id(), std::move(gpu)).first->second;
}

int GlModelStore::Count()
{
    const auto found = Groups().find(QOpenGLContextGroup::currentContextGroup());
    return found == Groups().end() ? 0 : static_cast<int>(found->second.size());
}
