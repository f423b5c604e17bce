// The folders the model finds files in: the program folder, the catalogues' pictures and the reports.
#pragma once

#include <filesystem>

struct ProgramFolders
{
    std::filesystem::path program;  // the executable's folder, which holds Samples/
    std::filesystem::path pictures; // the users' picture folder of load units and FSM items
};

// The folders set at start-up (empty paths until then).
const ProgramFolders& GetProgramFolders();
void SetProgramFolders(const ProgramFolders& folders);

// The folder of the standard load-unit pictures: the program folder + "Samples/Load units/Data".
std::filesystem::path StandardPictureFolder();

// The users' "Print" folder that the reports and their pictures are written to (empty until set).
const std::filesystem::path& GetReportFolder();
void SetReportFolder(const std::filesystem::path& folder);
