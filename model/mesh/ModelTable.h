// The table of the 54 models that the 3D scene draws: part name, folder, protection and texture folder.
#pragma once

#include <string>

class ModelTable
{
public:
    static constexpr int COUNT = 54;

    struct Entry
    {
        const char* part;
        // Folder under "Modelle/" that holds the model file "<part>.q3d".
        const char* archive;
        // The model belongs to a protected set; kept for the record, it changes nothing for our files.
        bool isProtected;
        // Folder under "Modelle/" that holds the model's textures.
        const char* textureArchive;
    };

    // The entry of `index`, or null outside 0 .. 53.
    static const Entry* Find(int index);
    // "<archive>/<part>.q3d" relative to the "Modelle" folder; empty outside 0 .. 53.
    static std::string RelativePath(int index);
};
