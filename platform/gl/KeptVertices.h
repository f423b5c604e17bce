// Indexed vertices that their owner keeps unchanged from frame to frame, so a device may hold a copy of
// its own (a GPU buffer) for as long as the object lives instead of receiving them with every draw.
// Changed vertices are a new object: the device's copy of the old one goes once the old object is gone.
#pragma once

#include "platform/gl/IRenderDevice.h"

#include <cstdint>
#include <memory>
#include <vector>

class KeptVertices
{
public:
    // `vertices` holds whole vertices of `layout`; every index must name one of them.
    KeptVertices(VertexLayout layout, std::vector<std::uint8_t> vertices, std::vector<std::uint32_t> indices);
    KeptVertices(const KeptVertices&) = delete;
    KeptVertices& operator=(const KeptVertices&) = delete;

    VertexLayout Layout() const { return m_layout; }
    int Stride() const { return IRenderDevice::VertexSize(m_layout); }
    int VertexCount() const { return static_cast<int>(m_vertices.size()) / Stride(); }
    const std::vector<std::uint8_t>& Vertices() const { return m_vertices; }
    const std::vector<std::uint32_t>& Indices() const { return m_indices; }
    // Unique over the program's run.
    std::uint64_t Id() const { return m_id; }
    // Expires when this object goes; a device checks it to let its copy go.
    std::weak_ptr<const void> Lifetime() const { return m_alive; }
    // The vertices of indices firstIndex .. firstIndex + count - 1 one after the other, as a draw without
    // indices takes them; empty when the range is not inside the indices.
    std::vector<std::uint8_t> Unindexed(int firstIndex, int count) const;

private:
    VertexLayout m_layout;
    std::vector<std::uint8_t> m_vertices;
    std::vector<std::uint32_t> m_indices;
    std::uint64_t m_id;
    std::shared_ptr<const int> m_alive = std::make_shared<const int>(0);
};
