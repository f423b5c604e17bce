// The current text provider and the table provider.
#include "model/text/TextProvider.h"

#include <atomic>

namespace {
std::atomic<const ITextProvider*> g_provider{nullptr};
}

const ITextProvider* CurrentTextProvider()
{
    return g_provider.load();
}

void SetCurrentTextProvider(const ITextProvider* provider)
{
    g_provider.store(provider);
}

ScopedTextProvider::ScopedTextProvider(const ITextProvider* provider)
    : m_previous(g_provider.exchange(provider))
{
}

ScopedTextProvider::~ScopedTextProvider()
{
    g_provider.store(m_previous);
}

std::string CTableTextProvider::Text(std::uint32_t id) const
{
    auto it = m_texts.find(id);
    return it == m_texts.end() ? std::string() : it->second;
}

bool CTableTextProvider::ResourceBytes(std::uint32_t id, int type, std::string& out) const
{
    if (type == 6) {
        auto it = m_texts.find(id);
        if (it == m_texts.end())
            return false;
        out = it->second;
        return true;
    }
    auto it = m_items.find({type, id});
    if (it == m_items.end())
        return false;
    out = it->second;
    return true;
}

std::string LoadResString(std::uint32_t id)
{
    const ITextProvider* provider = g_provider.load();
    return provider ? provider->Text(id) : std::string();
}
