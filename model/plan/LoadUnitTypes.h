// Load-unit type codes: their display texts, standard pictures and the texts of FSM item states.
//
// Codes 0 to 4 are load units (0 euro pallet, 1 industrial pallet, 2 mesh box pallet, 3 user-made,
// 4 other); codes 5 and above are FSM items (form-fit securing items), numbered program-wide by the plan.
#pragma once

#include <string>

enum LoadUnitTypeCode : int
{
    LADUNGTYP_EP = 0,
    LADUNGTYP_IP = 1,
    LADUNGTYP_GB = 2,
    LADUNGTYP_USER = 3,
    LADUNGTYP_OTHER = 4,
    LADUNGTYP_FSM_FIRST = 5,
    LADUNGTYP_FSM_USER = 6,
};

// The display text of a type code; `textSet` 0 gives the long texts, any other value the short ones.
std::string GetLadungTypText(int typ, int textSet);

// The file name of the type's standard picture in the standard picture folder; empty for a code
// without one. Codes 3 and 6 answer "ni.dat", the picture used when the record has no picture of its own.
const char* GetLadungTypBild(int typ);

// The text of a blocked side (1 backward, 2 left, 3 forward, 4 right; anything else "none").
std::string FormatFsmEnumText(int value);
// The text of an FSM state value for the form-fit entries of the report.
std::string FormatFsmStateText(int value, int textSet);
