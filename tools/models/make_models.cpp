// make_models <Modelle folder>: writes the 54 models and their textures from code.
#include "model/mesh/ModelTable.h"
#include "model/mesh/Q3dFile.h"
#include "tools/models/ModelShapes.h"
#include "tools/models/ModelTextures.h"

#include <QDir>

#include <cstdio>
#include <filesystem>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_models <Modelle folder>\n");
        return 2;
    }
    const std::filesystem::path root = argv[1];
    for (int index = 0; index < ModelTable::COUNT; ++index) {
        const std::filesystem::path file = root / ModelTable::RelativePath(index);
        std::filesystem::create_directories(file.parent_path());
        std::string error;
        if (!Q3dFile::WriteFile(file.string(), ModelShapes::Make(index), error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
    }
    for (const ModelTextures::Texture& texture : ModelTextures::All()) {
        const QString folder = QString::fromStdString((root / texture.archive.toStdString()).string());
        QDir().mkpath(folder);
        const QString path = folder + QLatin1Char('/') + texture.file;
        if (!texture.image.save(path)) {
            std::fprintf(stderr, "The texture \"%s\" cannot be written.\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
