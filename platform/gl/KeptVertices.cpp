// Kept vertices: identity, lifetime and the unindexed copy for devices that keep nothing.
#include "platform/gl/KeptVertices.h"

#include <atomic>
#include <cstring>

namespace {
std::atomic<std::uint64_t> s_nextKeptId{1};
}

KeptVertices::KeptVertices(VertexLayout layout, std::vector<std::uint8_t> vertices,
                           std::vector<std::uint32_t> indices)
    : m_layout(layout), m_vertices(std::move(vertices)), m_indices(std::move(indices)), m_id(s_nextKeptId++)
{
    m_vertices.resize(m_vertices.size() / static_cast<std::size_t>(Stride()) *
                      static_cast<std::size_t>(Stride()));
}

std::vector<std::uint8_t> KeptVertices::Unindexed(int firstIndex, int count) const
{
    if (firstIndex < 0 || count <= 0 ||
        static_cast<std::size_t>(firstIndex) + static_cast<std::size_t>(count) > m_indices.size())
        return {};
    const auto stride = static_cast<std::size_t>(Stride());
    const auto vertexCount = static_cast<std::uint32_t>(VertexCount());
    std::vector<std::uint8_t> out(static_cast<std::size_t>(count) * stride);
    for (int i = 0; i < count; ++i) {
        const std::uint32_t index = m_indices[static_cast<std::size_t>(firstIndex + i)];
        if (index >= vertexCount)
            return {};
        std::memcpy(out.data() + static_cast<std::size_t>(i) * stride, m_vertices.data() + index * stride,
                    stride);
    }
    return out;
}
