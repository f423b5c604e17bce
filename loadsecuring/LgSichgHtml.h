// The HTML texts of the load-securing view: the tool tips of a load unit and of the marked loads, and
// the defect list of a unit.
#pragma once

#include <string>

class CFahrzeug;
class CLadeeinheit;
class CQOR;
struct tagLGINFO;

class LgSichgHtml
{
public:
    // Over a load unit of plan q (may be null): its loads with their pictures, total mass and, with a
    // vehicle, the four free distances to the load area's edges (template 677).
    static std::string EinheitTooltip(const CLadeeinheit& le, const CQOR* q, CFahrzeug* f);
    // Over a placed load: the plan's marked loads with pGezeigt marked (template 681).
    static std::string LadungenTooltip(const CQOR* q, const tagLGINFO* pGezeigt);
    // The defect list of a unit as the text of its message box (text 609).
    static std::string MaengelText(const CLadeeinheit& le);
};
