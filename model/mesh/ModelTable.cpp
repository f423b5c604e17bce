// The table of the 54 models of the 3D scene.
#include "model/mesh/ModelTable.h"

namespace {

const ModelTable::Entry ENTRIES[ModelTable::COUNT] = {
    {"FH", "FH", false, "FH"},
    {"HT SZM", "FHZG", true, "FHZG"},
    {"HT_ANH", "FHZG", true, "FHZG"},
    {"HT LKW", "FHZG", true, "FHZG"},
    {"AA", "ZAS", true, "ZAS"},
    {"ZA_ZUG", "ZAS", true, "ZAS"},
    {"ZA_ZUG_L", "ZAS", true, "ZAS"},
    {"ZA_ANH", "ZAS", true, "ZAS"},
    {"ZA_ANH_L", "ZAS", true, "ZAS"},
    {"HECK ZUG", "ANH", false, "ANH"},
    {"HECK ANH", "ANH", false, "ANH"},
    {"HECK ANH mUFS", "ANH", false, "ANH"},
    {"SAT", "SAT", true, "SAT"},
    {"SAH_V_MITZUG", "ANH", false, "ANH"},
    {"SAH_V_NURANH", "ANH", false, "ANH"},
    {"LF", "FHZG", true, "FHZG"},
    {"LF LKW", "FHZG", true, "FHZG"},
    {"MS lp", "ZLS", true, "ZLS"},
    {"LK ZUG", "ZLS", true, "ZLS"},
    {"LK ANH", "ZLS", true, "ZLS"},
    {"Sliderlift", "ZLS", true, "ZLS"},
    {"Gitterbox", "LGS", false, "LGS"},
    {"Palette", "Palette", false, "Palette"},
    {"Daily", "KEP", false, "KEP"},
    {"KEP HT", "KEP", false, "KEP"},
    {"KEP AA", "KEP", false, "KEP"},
    {"SDA Deichsel", "SDA", false, "SDA"},
    {"SDA Halterung solo", "SDA", false, "SDA"},
    {"SDA Halterung angekuppelt", "SDA", false, "SDA"},
    {"Zugoese", "SDA", false, "SDA"},
    {"GDA Schemel", "GDA", false, "GDA"},
    {"Verladehof2", "VH", false, "VH"},
    {"GLSPArea2", "GLSP", false, "VH"},
    {"GLSP2", "GLSP", false, "TEX"},
    {"Ratsche", "LGSICHG", false, "LGSICHG"},
    {"HakenSchlaufe", "LGSICHG", false, "LGSICHG"},
    {"Gurt1m", "LGSICHG", false, "LGSICHG"},
    {"Kiste", "LGSICHG", false, "LGSICHG"},
    {"RHM", "LGSICHG", false, "LGSICHG"},
    {"Zurrpunkt", "LGSICHG", false, "LGSICHG"},
    {"Kettenglied161", "LGSICHG", false, "LGSICHG"},
    {"KetteHakenSpindel", "LGSICHG", false, "LGSICHG"},
    {"HakenKetteEnde", "LGSICHG", false, "LGSICHG"},
    {"Kettenendglied131", "LGSICHG", false, "LGSICHG"},
    {"Kettenmittelglied", "LGSICHG", false, "LGSICHG"},
    {"Zurrschiene", "LGSICHG", false, "LGSICHG"},
    {"Formschlussmittel", "LGSICHG", false, "LGSICHG"},
    {"Karton", "LGSICHG", false, "LGSICHG"},
    {"Laderaumbegrenzung", "LGSICHG", false, "LGSICHG"},
    {"LadeeinheitBR", "LGSICHG", false, "LGSICHG"},
    {"FSMVariabel", "LGSICHG", false, "LGSICHG"},
    {"ZurrpunktUnbenutzt", "LGSICHG", false, "LGSICHG"},
    {"Zurrpunktoese", "LGSICHG", false, "LGSICHG"},
    {"Anschlagpunkt", "LGSICHG", false, "LGSICHG"},
};

} // namespace

const ModelTable::Entry* ModelTable::Find(int index)
{
    return index >= 0 && index < COUNT ? &ENTRIES[index] : nullptr;
}

std::string ModelTable::RelativePath(int index)
{
    const Entry* entry = Find(index);
    return entry ? std::string(entry->archive) + "/" + entry->part + ".q3d" : std::string();
}
