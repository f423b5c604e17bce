// The model's folder settings.
#include "model/base/ProgramFolders.h"

namespace {
ProgramFolders& Folders()
{
    static ProgramFolders folders;
    return folders;
}

std::filesystem::path& Reports()
{
    static std::filesystem::path folder;
    return folder;
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

const std::filesystem::path& GetReportFolder()
{
    return Reports();
}

void SetReportFolder(const std::filesystem::path& folder)
{
    Reports() = folder;
}
