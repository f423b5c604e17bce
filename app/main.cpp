// Entry point of the load-planning program.
#include "app/RunningProgram.h"

int main(int argc, char* argv[])
{
    return RunProgram(argc, argv);
}
