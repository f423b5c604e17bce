// Loading and keeping texture pictures by path.
#include "view3d/TextureManager.h"

#include <QFileInfo>

void TextureManager::Init(int capacity)
{
    m_images.clear();
    m_capacity = capacity > 0 ? capacity : 0;
}

const QImage* TextureManager::Load(const QString& path)
{
    const QString key = QFileInfo(path).absoluteFilePath();
    const auto found = m_images.constFind(key);
    if (found != m_images.constEnd())
        return found->get();
    if (m_images.size() >= m_capacity)
        return nullptr;
    auto image = std::make_shared<QImage>();
    if (!image->load(key) || image->isNull())
        return nullptr;
    m_images.insert(key, image);
    return image.get();
}

void TextureManager::Release()
{
    m_images.clear();
}
