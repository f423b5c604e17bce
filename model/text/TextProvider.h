// Texts by number for the model: an interface the application fills from the language module.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>

// Answers the text of a resource string id, UTF-8 encoded. An id that does not load answers an empty
// string, exactly as an empty text would: callers treat both as "not loaded".
class ITextProvider
{
public:
    virtual ~ITextProvider() = default;
    virtual std::string Text(std::uint32_t id) const = 0;

    // The bytes of item `id` of resource type `type` (the numbers of ResourceText.h). Answers false when
    // the provider holds no such item; a provider of texts only holds none.
    virtual bool ResourceBytes(std::uint32_t id, int type, std::string& out) const
    {
        (void)id;
        (void)type;
        (void)out;
        return false;
    }
};

// The provider that resource texts are loaded from: the language module chosen at start-up. Without
// one every id fails to load.
const ITextProvider* CurrentTextProvider();
void SetCurrentTextProvider(const ITextProvider* provider);

// Installs a provider for the lifetime of the object and restores the previous one afterwards.
class ScopedTextProvider
{
public:
    explicit ScopedTextProvider(const ITextProvider* provider);
    ~ScopedTextProvider();
    ScopedTextProvider(const ScopedTextProvider&) = delete;
    ScopedTextProvider& operator=(const ScopedTextProvider&) = delete;

private:
    const ITextProvider* m_previous;
};

// A provider that answers from a table; for tools and tests.
class CTableTextProvider : public ITextProvider
{
public:
    CTableTextProvider() = default;
    explicit CTableTextProvider(std::map<std::uint32_t, std::string> texts) : m_texts(std::move(texts)) {}

    void Set(std::uint32_t id, std::string text) { m_texts[id] = std::move(text); }
    std::string Text(std::uint32_t id) const override;

    // Items of other types (templates, help texts); the text table answers type 6 (RES_TYPE_STRING).
    void SetItem(std::uint32_t id, int type, std::string bytes) { m_items[{type, id}] = std::move(bytes); }
    bool ResourceBytes(std::uint32_t id, int type, std::string& out) const override;

private:
    std::map<std::uint32_t, std::string> m_texts;
    std::map<std::pair<int, std::uint32_t>, std::string> m_items;
};

// The text of `id` from the current provider; empty when it does not load.
std::string LoadResString(std::uint32_t id);
