// "$S" placeholder replacement and printf formatting without a fixed buffer.
#include "model/text/TextFormat.h"

#include "model/text/TextProvider.h"

#include <cstdio>
#include <vector>

namespace {

// vsnprintf into a string of exactly the needed length. A format error answers an empty string.
std::string FormatV(const char* fmt, va_list args)
{
    if (!fmt)
        return std::string();
    va_list probe;
    va_copy(probe, args);
    const int needed = std::vsnprintf(nullptr, 0, fmt, probe);
    va_end(probe);
    if (needed <= 0)
        return std::string();
    std::string out(static_cast<std::size_t>(needed) + 1, '\0');
    std::vsnprintf(out.data(), out.size(), fmt, args);
    out.resize(static_cast<std::size_t>(needed));
    return out;
}

std::vector<std::uint32_t> TakeIds(int idCount, va_list& args)
{
    std::vector<std::uint32_t> ids;
    if (idCount > 0)
        ids.reserve(static_cast<std::size_t>(idCount));
    for (int i = 0; i < idCount; ++i)
        ids.push_back(va_arg(args, std::uint32_t));
    return ids;
}

} // namespace

std::string ReplaceResPlaceholders(std::string text, const std::uint32_t* ids, int idCount)
{
    static constexpr std::string_view placeholder = "$S";
    for (int i = 0; i < idCount; ++i) {
        const std::size_t at = text.find(placeholder);
        if (at == std::string::npos)
            break;
        const std::string inserted = LoadResString(ids[i]);
        if (inserted.empty())
            continue;
        text.replace(at, placeholder.size(), inserted);
    }
    return text;
}

std::string FormatS(const char* fmt, int idCount, ...)
{
    va_list args;
    va_start(args, idCount);
    const std::vector<std::uint32_t> ids = TakeIds(idCount, args);
    std::string text = FormatV(fmt, args);
    va_end(args);
    return ReplaceResPlaceholders(std::move(text), ids.data(), static_cast<int>(ids.size()));
}

std::string FormatSPreV(const char* fmt, int idCount, va_list args)
{
    va_list rest;
    va_copy(rest, args);
    const std::vector<std::uint32_t> ids = TakeIds(idCount, rest);
    const std::string expanded = ReplaceResPlaceholders(fmt ? std::string(fmt) : std::string(), ids.data(),
                                                        static_cast<int>(ids.size()));
    std::string text = FormatV(expanded.c_str(), rest);
    va_end(rest);
    return text;
}

std::string FormatSPre(const char* fmt, int idCount, ...)
{
    va_list args;
    va_start(args, idCount);
    std::string text = FormatSPreV(fmt, idCount, args);
    va_end(args);
    return text;
}
