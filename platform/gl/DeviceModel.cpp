// A parsed model with its part textures, ready for a render device.
#include "platform/gl/DeviceModel.h"

#include <atomic>

namespace {
std::atomic<std::uint64_t> g_nextId{1};
}

DeviceModel::DeviceModel(std::string name, Q3dModel mesh, std::vector<QImage> textures)
    : m_name(std::move(name)), m_mesh(std::move(mesh)), m_textures(std::move(textures)), m_id(g_nextId++)
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
