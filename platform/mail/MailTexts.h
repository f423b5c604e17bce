// The wording of mail errors: the language module's text, or the English given beside the number when
// no module is loaded (tests and tools that send without the program).
#pragma once

#include "model/text/TextProvider.h"

#include <QString>

#include <cstdint>
#include <string>

inline QString MailText(std::uint32_t id, const char* english)
{
    const std::string text = LoadResString(id);
    return text.empty() ? QString::fromUtf8(english) : QString::fromStdString(text);
}
