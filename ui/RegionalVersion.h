// The regional version of the settings ("ver"), apart from the language of the interface.
#pragma once

#include <QString>

// The program writes "ver" at its first start ("EU" by default, or the machine-wide value); the notes on
// German regulations follow it, whatever the language. Read from the user's settings when asked, so a
// changed setting counts at once.
class RegionalVersion
{
public:
    // The value upper-cased and trimmed; empty when none is set.
    static QString Current();
    static bool IsDE() { return Current() == QLatin1String("DE"); }
    // Writes the setting (tests and the settings of a first start).
    static void Set(const QString& version);
};
