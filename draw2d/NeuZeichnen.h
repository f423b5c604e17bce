// The program-wide partial-redraw flag: set by the template view's update for an odd hint; while it is
// set the next paint keeps its scale and leaves out the dimension lines, the axle-load picture and the
// additions of the vehicle kinds; that paint clears it.
#pragma once

extern bool g_bNeuZeichnen;
