// "$S" placeholder replacement and printf formatting without a fixed buffer.
#include "model/text/TextFormat.h"

#include "model/text/BuiltInTexts.h"
#include "model/text/NumberText.h"
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

namespace {

std::string FormatV2(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    std::string text = FormatV(fmt, args);
    va_end(args);
    return text;
}

// One specifier of a format: where it stands and what it needs.
struct Spec
{
    std::size_t begin = 0;
    std::size_t end = 0;
    std::string directive; // '%', flags, width, precision and the conversion; no length modifier
    FormatArg::Kind kind = FormatArg::Kind::Int;
};

// Splits `fmt` into its specifiers. False for a specifier this formatter refuses or cannot read.
bool ParseSpecs(std::string_view fmt, std::vector<Spec>& specs)
{
    for (std::size_t i = 0; i < fmt.size(); ++i) {
        if (fmt[i] != '%')
            continue;
        Spec spec;
        spec.begin = i;
        std::size_t j = i + 1;
        if (j < fmt.size() && fmt[j] == '%') {
            i = j;
            continue;
        }
        spec.directive = "%";
        while (j < fmt.size() && std::string_view("-+ #0'").find(fmt[j]) != std::string_view::npos)
            spec.directive += fmt[j++];
        // Widths and precisions of more than three digits would only make a huge string.
        auto digits = [&] {
            int n = 0;
            while (j < fmt.size() && fmt[j] >= '0' && fmt[j] <= '9') {
                spec.directive += fmt[j++];
                ++n;
            }
            return n <= 3;
        };
        if (!digits())
            return false;
        if (j < fmt.size() && fmt[j] == '.') {
            spec.directive += fmt[j++];
            if (!digits())
                return false;
        }
        while (j < fmt.size() && std::string_view("hlLqjzt").find(fmt[j]) != std::string_view::npos)
            ++j;
        if (j >= fmt.size())
            return false;
        const char conversion = fmt[j];
        if (std::string_view("diuoxXc").find(conversion) != std::string_view::npos)
            spec.kind = FormatArg::Kind::Int;
        else if (std::string_view("fFeEgGaA").find(conversion) != std::string_view::npos)
            spec.kind = FormatArg::Kind::Double;
        else if (conversion == 's')
            spec.kind = FormatArg::Kind::String;
        else
            return false;
        spec.directive += conversion;
        spec.end = j + 1;
        specs.push_back(std::move(spec));
        i = j;
    }
    return true;
}

std::string FormatOne(const Spec& spec, const FormatArg& arg)
{
    std::string directive = spec.directive;
    switch (spec.kind) {
    case FormatArg::Kind::Int: {
        if (directive.back() == 'c')
            return FormatV2(directive.c_str(), static_cast<int>(arg.GetInt()));
        // Integers go through "ll" so any int-like argument is read at its full width.
        directive.insert(directive.size() - 1, "ll");
        return FormatV2(directive.c_str(), arg.GetInt());
    }
    case FormatArg::Kind::Double:
        // Numbers are texts a user reads: with the interface language's decimal separator.
        return WithDecimalSeparator(FormatV2(directive.c_str(), arg.GetDouble()), DecimalSeparator());
    case FormatArg::Kind::String:
        break;
    }
    return FormatV2(directive.c_str(), arg.GetText().c_str());
}

std::string PlainFallback(std::string_view fmt, std::initializer_list<FormatArg> args)
{
    std::string out;
    for (std::size_t i = 0; i < fmt.size(); ++i) {
        out += fmt[i];
        if (fmt[i] == '%' && i + 1 < fmt.size() && fmt[i + 1] == '%')
            ++i;
    }
    if (args.size() == 0)
        return out;
    out += " (";
    bool first = true;
    for (const FormatArg& arg : args) {
        if (!first)
            out += ", ";
        out += arg.Plain();
        first = false;
    }
    out += ')';
    return out;
}

// Splits `fmt` into its specifiers and answers whether they take `args`, one for one and kind for kind.
bool ParseFitting(std::string_view fmt, std::initializer_list<FormatArg> args, std::vector<Spec>& specs)
{
    if (!ParseSpecs(fmt, specs) || specs.size() != args.size())
        return false;
    std::size_t n = 0;
    for (const FormatArg& arg : args)
        if (specs[n++].kind != arg.GetKind())
            return false;
    return true;
}

} // namespace

bool FormatFits(std::string_view fmt, std::initializer_list<FormatArg::Kind> kinds)
{
    std::vector<Spec> specs;
    if (!ParseSpecs(fmt, specs) || specs.size() != kinds.size())
        return false;
    std::size_t n = 0;
    for (FormatArg::Kind kind : kinds)
        if (specs[n++].kind != kind)
            return false;
    return true;
}

std::string FormatChecked(std::string_view fmt, std::initializer_list<FormatArg> args)
{
    std::vector<Spec> specs;
    if (!ParseFitting(fmt, args, specs))
        return PlainFallback(fmt, args);

    std::string out;
    std::size_t pos = 0;
    const FormatArg* arg = args.begin();
    for (const Spec& spec : specs) {
        for (std::size_t i = pos; i < spec.begin; ++i) {
            out += fmt[i];
            if (fmt[i] == '%')
                ++i; // "%%" between specifiers
        }
        out += FormatOne(spec, *arg++);
        pos = spec.end;
    }
    for (std::size_t i = pos; i < fmt.size(); ++i) {
        out += fmt[i];
        if (fmt[i] == '%')
            ++i;
    }
    return out;
}

// A text that does not fit the arguments gives way to the program's built-in English text of `id`
// (BuiltInEnglishText) when that fits; without one it gives FormatChecked's plain fallback.
std::string FormatResChecked(std::uint32_t id, std::initializer_list<FormatArg> args)
{
    const auto fits = [&args](std::string_view fmt) {
        std::vector<Spec> specs;
        return ParseFitting(fmt, args, specs);
    };
    const std::string text = LoadResString(id);
    if (!fits(text))
        if (const char* english = BuiltInEnglishText(id); english && fits(english))
            return FormatChecked(english, args);
    return FormatChecked(text, args);
}
