// Measured and fitted texts of the plan's load labels, kept per font so a repaint shapes each text once.
#include "views/LabelLayoutCache.h"

#include "views/CPlanPainter.h"

#include <functional>

namespace {

// Past this many texts of one font (zooming through many widths) the entries start over.
constexpr std::size_t kHoechstensTexte = 8192;

} // namespace

std::size_t LabelLayoutCache::SchluesselHash::operator()(const Schluessel& k) const
{
    std::size_t h = std::hash<std::string>()(k.name);
    h ^= std::hash<int>()(k.nNummer) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
    h ^= std::hash<int>()(k.nMax) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
    return h;
}

LabelLayoutCache::ProSchrift::ProSchrift(const QFont& f)
    : font(f), fm(f), ascent(fm.ascent()), height(fm.height())
{
}

LabelLayoutCache::ProSchrift& LabelLayoutCache::Of(const QFont& font)
{
    for (const std::unique_ptr<ProSchrift>& s : m_fonts)
        if (s->font == font)
            return *s;
    m_fonts.push_back(std::make_unique<ProSchrift>(font));
    return *m_fonts.back();
}

const QString& LabelLayoutCache::Fitted(const QFont& font, const std::string& name, int nNummer, int nMax)
{
    ProSchrift& s = Of(font);
    Schluessel k{name, nNummer, nMax};
    auto it = s.fitted.find(k);
    if (it != s.fitted.end())
        return it->second;
    if (s.fitted.size() >= kHoechstensTexte)
        s.fitted.clear();
    QString t = CPlanPainter::FitLabelToWidth(s.fm, name, nNummer, nMax);
    return s.fitted.emplace(std::move(k), std::move(t)).first->second;
}

int LabelLayoutCache::Advance(const QFont& font, const QString& text)
{
    ProSchrift& s = Of(font);
    auto it = s.advance.constFind(text);
    if (it != s.advance.constEnd())
        return *it;
    if (static_cast<std::size_t>(s.advance.size()) >= kHoechstensTexte)
        s.advance.clear();
    const int w = s.fm.horizontalAdvance(text);
    s.advance.insert(text, w);
    return w;
}

const QStaticText& LabelLayoutCache::Layout(const QFont& font, const QString& text)
{
    ProSchrift& s = Of(font);
    auto it = s.layout.find(text);
    if (it != s.layout.end())
        return *it;
    if (static_cast<std::size_t>(s.layout.size()) >= kHoechstensTexte)
        s.layout.clear();
    QStaticText t(text);
    t.setTextFormat(Qt::PlainText);
    t.prepare(QTransform(), font);
    return *s.layout.insert(text, t);
}

std::size_t LabelLayoutCache::Size() const
{
    std::size_t n = 0;
    for (const std::unique_ptr<ProSchrift>& s : m_fonts)
        n += s->fitted.size() + static_cast<std::size_t>(s->advance.size() + s->layout.size());
    return n;
}
