// The program-wide partial-redraw flag.
#include "draw2d/NeuZeichnen.h"

bool g_bNeuZeichnen = false;
