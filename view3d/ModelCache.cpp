// Reading the scene's models into the program-wide table on demand.
#include "view3d/ModelCache.h"

#include "model/mesh/ModelTable.h"
#include "model/mesh/Q3dFile.h"
#include "view3d/TextureManager.h"

#include <QDir>
#include <QFile>

#include <algorithm>

static_assert(ModelCache::COUNT == ModelTable::COUNT);

ModelCache::ModelCache(QString programFolder, TextureManager& textures)
    : m_folder(std::move(programFolder)), m_textures(textures)
{
}

int ModelCache::InitModellCache()
{
    for (auto& model : m_models)
        model.reset();
    m_initialised = true;
    return 0;
}

QString ModelCache::ModelPath(int index) const
{
    const std::string relative = ModelTable::RelativePath(index);
    return relative.empty()
               ? QString()
               : QDir(m_folder).filePath(QStringLiteral("Modelle/") + QString::fromStdString(relative));
}

QString ModelCache::TextureFolder(int index) const
{
    const ModelTable::Entry* entry = ModelTable::Find(index);
    return entry ? QDir(m_folder).filePath(QStringLiteral("Modelle/") +
                                           QString::fromUtf8(entry->textureArchive))
                 : QString();
}

std::unique_ptr<DeviceModel> ModelCache::Load(int index)
{
    QFile file(ModelPath(index));
    if (!file.open(QIODevice::ReadOnly)) {
        m_lastError = QStringLiteral("The model file \"%1\" cannot be opened.").arg(file.fileName());
        return nullptr;
    }
    const QByteArray data = file.readAll();
    const std::vector<std::uint8_t> bytes(data.begin(), data.end());
    Q3dModel mesh;
    std::string error;
    if (!Q3dFile::Read(bytes, mesh, error)) {
        m_lastError = file.fileName() + QStringLiteral(": ") + QString::fromStdString(error);
        return nullptr;
    }
    std::vector<QImage> textures;
    const QDir textureFolder(TextureFolder(index));
    for (const Q3dModel::Part& part : mesh.parts) {
        if (part.texture.empty()) {
            textures.emplace_back();
            continue;
        }
        const QString path = textureFolder.filePath(QString::fromStdString(part.texture));
        const QImage* texture = m_textures.Load(path);
        if (!texture) {
            m_lastError = QStringLiteral("The texture \"%1\" cannot be loaded.").arg(path);
            return nullptr;
        }
        textures.push_back(*texture); // shares the picture's data
    }
    ++m_loads;
    return std::make_unique<DeviceModel>(ModelTable::Find(index)->part, std::move(mesh), std::move(textures));
}

int ModelCache::GetModell(int index, const DeviceModel** model)
{
    if (!m_initialised || index < 0 || index >= COUNT)
        return 1;
    std::unique_ptr<DeviceModel>& entry = m_models[static_cast<std::size_t>(index)];
    if (!entry)
        entry = Load(index);
    if (model)
        *model = entry.get();
    return entry ? 0 : 1;
}

int ModelCache::CachedCount() const
{
    return static_cast<int>(
        std::count_if(m_models.begin(), m_models.end(), [](const auto& m) { return m != nullptr; }));
}

int ModelCache::ReleaseModellCache()
{
    if (!m_initialised)
        return 1;
    for (auto& model : m_models)
        model.reset();
    return 0;
}
