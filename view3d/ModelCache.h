// The program-wide table of the 54 models of the 3D scene, read from "Modelle/" under the program
// folder on their first request and kept until released. Reading needs no GL context; a device
// uploads a model when it first draws it.
#pragma once

#include "platform/gl/DeviceModel.h"

#include <QString>

#include <array>
#include <memory>

class TextureManager;

class ModelCache
{
public:
    static constexpr int COUNT = 54;

    // `programFolder` holds "Modelle/"; `textures` loads the models' textures.
    ModelCache(QString programFolder, TextureManager& textures);

    // Empties the table and makes it ready; answers 0.
    int InitModellCache();
    // 0 with `*model` set to the cached model; 1 when the cache is not ready, `index` lies outside
    // 0 .. 53 (`*model` left alone), or the model cannot be read (`*model` null; the next request tries
    // again).
    int GetModell(int index, const DeviceModel** model);
    // 1 when never initialised; otherwise deletes every model and answers 0. The cache stays ready.
    int ReleaseModellCache();

    bool IsInitialised() const { return m_initialised; }
    // How many times a model file was read successfully.
    int LoadCount() const { return m_loads; }
    // How many models the cache holds now.
    int CachedCount() const;
    // Why the last failed load failed.
    const QString& LastError() const { return m_lastError; }

    // Where the model file of `index` lies, and the folder of its textures.
    QString ModelPath(int index) const;
    QString TextureFolder(int index) const;

private:
    std::unique_ptr<DeviceModel> Load(int index);

    QString m_folder;
    TextureManager& m_textures;
    bool m_initialised = false;
    std::array<std::unique_ptr<DeviceModel>, COUNT> m_models;
    int m_loads = 0;
    QString m_lastError;
};
