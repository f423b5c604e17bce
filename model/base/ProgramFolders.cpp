// The model's folder settings.
#include "model/base/ProgramFolders.h"

namespace {
ProgramFolders& Folders()
{
    static ProgramFolders folders;
    return folders;
}
} // namespace

const ProgramFolders& GetProgramFolders()
{
    return Folders();
}

void SetProgramFolders(const ProgramFolders& folders)
{
    Folders() = folders;
}

std::filesystem::path StandardPictureFolder()
{
    return Folders().program / "Samples" / "Load units" / "Data";
}
