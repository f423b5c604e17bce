// Text items of the language module by number and type.
#include "model/text/ResourceText.h"

#include "model/text/TextProvider.h"

bool LoadResourceText(std::string& out, std::uint32_t id, int type)
{
    out.clear();
    const ITextProvider* provider = CurrentTextProvider();
    if (!provider)
        return false;
    if (!provider->ResourceBytes(id, type, out)) {
        out.clear();
        return false;
    }
    return true;
}
