// A model as the render devices draw it: the parsed model, the texture of each part and an identity
// under which a device keeps its uploaded copy.
#pragma once

#include "model/mesh/Q3dModel.h"

#include <QImage>

#include <cstdint>
#include <string>
#include <vector>

class DeviceModel
{
public:
    // `textures` holds one picture per part (a null image for a part without texture).
    DeviceModel(std::string name, Q3dModel mesh, std::vector<QImage> textures);

    const std::string& Name() const { return m_name; }
    const Q3dModel& Mesh() const { return m_mesh; }
    int PartCount() const { return static_cast<int>(m_mesh.parts.size()); }
    // The part's texture, or null when it has none.
    const QImage* Texture(int part) const;
    // Unique over the program's run; a device keys its buffers by it.
    std::uint64_t Id() const { return m_id; }

private:
    std::string m_name;
    Q3dModel m_mesh;
    std::vector<QImage> m_textures;
    std::uint64_t m_id;
};
