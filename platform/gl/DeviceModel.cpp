// A parsed model with its part textures, ready for a render device.
#include "platform/gl/DeviceModel.h"

#include <atomic>

namespace {
// Model ids are unique in the process: every OpenGL context shares the one store of uploaded buffers,
// keyed by them, so an id must never come back for another model.
std::uint64_t NextModelId()
{
    static std::atomic<std::uint64_t> next{1};
    return next++;
}
} // namespace

DeviceModel::DeviceModel(std::string name, Q3dModel mesh, std::vector<QImage> textures)
    : m_name(std::move(name)), m_mesh(std::move(mesh)), m_textures(std::move(textures)), m_id(NextModelId())
{
    m_textures.resize(m_mesh.parts.size());
}

const QImage* DeviceModel::Texture(int part) const
{
    if (part < 0 || part >= static_cast<int>(m_textures.size()) ||
        m_textures[static_cast<std::size_t>(part)].isNull())
        return nullptr;
    return &m_textures[static_cast<std::size_t>(part)];
}
