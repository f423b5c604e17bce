// Measured and fitted texts of the plan's load labels, kept per font so a repaint shapes each text once.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QStaticText>
#include <QString>

#include <cstddef>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class LabelLayoutCache
{
public:
    // The label of a load as FitLabelToWidth gives it for this name, number and width in this font.
    const QString& Fitted(const QFont& font, const std::string& name, int nNummer, int nMax);
    // The advance of a text in this font.
    int Advance(const QFont& font, const QString& text);
    // The text laid out once in this font, to be drawn with its top left corner at a point.
    const QStaticText& Layout(const QFont& font, const QString& text);
    // Ascent and height of this font.
    int Ascent(const QFont& font) { return Of(font).ascent; }
    int Height(const QFont& font) { return Of(font).height; }
    // Drops everything (a font changed in place, or to free the memory).
    void Clear() { m_fonts.clear(); }
    // Texts kept over all fonts.
    std::size_t Size() const;

private:
    struct Schluessel
    {
        std::string name;
        int nNummer;
        int nMax;
        bool operator==(const Schluessel&) const = default;
    };
    struct SchluesselHash
    {
        std::size_t operator()(const Schluessel& k) const;
    };
    struct ProSchrift
    {
        explicit ProSchrift(const QFont& f);
        QFont font;
        QFontMetrics fm;
        int ascent;
        int height;
        std::unordered_map<Schluessel, QString, SchluesselHash> fitted;
        QHash<QString, int> advance;
        QHash<QString, QStaticText> layout;
    };
    ProSchrift& Of(const QFont& font);

    // A handful of fonts; a font that compares different (family, size, weight, ...) has its own entry.
    std::vector<std::unique_ptr<ProSchrift>> m_fonts;
};
