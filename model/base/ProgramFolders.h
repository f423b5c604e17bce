// The folders the model finds files in: the program folder and the picture folder of the catalogues.
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
