// The HTML tool tip of a placed load: a template's markers filled with the load's values.
#pragma once

#include <string>

class CFahrzeug;
struct tagLGINFO;

class CPlanToolTip
{
public:
    // Box the picture of the load's type is fitted into, never enlarged.
    static constexpr int kBildBreite = 125;
    static constexpr int kBildHoehe = 80;

    // The template `vorlage` (881 for ordinary loads, 882 for special items) with its markers filled
    // from `lg` and its distances to the long edges of `f` (none without a vehicle). Every value is
    // escaped; an empty remark leaves its marker as the template has it.
    static std::string Html(const std::string& vorlage, const tagLGINFO& lg, const CFahrzeug* f);
    // The picture tag of a local file of w x h pixels fitted into a box (the tool tip's unless given),
    // never enlarged, its path as a file URL; empty for a picture without size.
    static std::string BildTag(const std::string& pfad, int w, int h, int nBoxBreite = kBildBreite,
                               int nBoxHoehe = kBildHoehe);
};
