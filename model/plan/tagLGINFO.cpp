// Names, texts and the picture of a placed load.
#include "model/plan/tagLGINFO.h"

#include "model/base/PngSize.h"
#include "model/base/ProgramFolders.h"
#include "model/plan/LoadUnitTypes.h"
#include "model/text/TextFormat.h"

#include <cstdio>

void tagLGINFO::GetName(std::string& name, int textSet) const
{
    if (m_nTyp == 5 || (m_nTyp >= 8 && m_nTyp <= 12))
        name = GetLadungTypText(m_nTyp, textSet);
    else
        name = GetDisplayName();
}

double tagLGINFO::GetDimX() const
{
    switch (m_nDrehung) {
    case 0:
    case 180:
        return m_dLaenge;
    case 90:
    case 270:
        return m_dBreite;
    default:
        return -1.0;
    }
}

double tagLGINFO::GetDimY() const
{
    switch (m_nDrehung) {
    case 0:
    case 180:
        return m_dBreite;
    case 90:
    case 270:
        return m_dLaenge;
    default:
        return -1.0;
    }
}

std::string tagLGINFO::GetDisplayName() const
{
    if (m_nNummer < 1)
        return m_strName;
    char digits[16];
    std::snprintf(digits, sizeof digits, "%02i", m_nNummer);
    return m_strName + digits;
}

std::string tagLGINFO::GetEnum9Text() const
{
    return FormatFsmEnumText(GetFsmSeite());
}

std::string tagLGINFO::GetEnum12Text() const
{
    switch (GetFuellmittel()) {
    case 1:
        return FormatS("$S", 1, 524u);
    case 2:
        return FormatS("$S", 1, 525u);
    default:
        return FormatS("$S", 1, 374u);
    }
}

bool tagLGINFO::GetBildDatei(std::string& path, int* width, int* height) const
{
    const std::string standard = GetLadungTypBild(m_nTyp);
    if ((m_nTyp == 3 || m_nTyp == 6) && !m_strBildDatei.empty())
        path = (GetProgramFolders().pictures / m_strBildDatei).string();
    else if (!standard.empty())
        path = (StandardPictureFolder() / standard).string();
    if (!width && !height)
        return true;
    const auto size = ReadPngSize(path);
    if (width)
        *width = size ? size->first : 0;
    if (height)
        *height = size ? size->second : 0;
    return true;
}
