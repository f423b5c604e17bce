// Pictures used as textures, loaded once by path and kept up to a fixed number.
#pragma once

#include <QHash>
#include <QImage>
#include <QString>

#include <memory>

class TextureManager
{
public:
    // Empties the manager and lets it hold up to `capacity` textures.
    void Init(int capacity);
    // The picture at `path`, loaded on the first request; null when it cannot be read or the manager is
    // full (or was never initialised).
    const QImage* Load(const QString& path);
    // Drops every texture; the capacity stays.
    void Release();
    int Count() const { return static_cast<int>(m_images.size()); }
    int Capacity() const { return m_capacity; }

private:
    int m_capacity = 0;
    QHash<QString, std::shared_ptr<QImage>> m_images;
};
