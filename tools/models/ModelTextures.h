// The textures of the generated models and the scale picture of the axle-load labels.
#pragma once

#include <QImage>
#include <QString>

#include <vector>

class ModelTextures
{
public:
    struct Texture
    {
        // Folder under "Modelle/" and file name.
        QString archive;
        QString file;
        QImage image;
    };

    static std::vector<Texture> All();
};
