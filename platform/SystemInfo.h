// What the program asks of the system: the per-user data folder, the screen's resolution, new UUIDs and
// the user's language.
#pragma once

#include <QLocale>
#include <QString>

// The per-user application-data folder (created when missing) with `file` appended, or the folder with a
// trailing "/" when `file` is empty. When that folder cannot be had, the program's folder takes its place.
QString GetUserDataPath(const QString& file = QString());

// Pixels per inch of the primary screen in the horizontal as the system sets it (96 at a scale of 100%,
// 144 at 150%), whether or not Qt scales the program; 0 without a screen.
int GetScreenDpi();

// A new UUID in its standard text form ("1b4e28ba-2fa1-11d2-883f-0016d3cca427"). Answers false and an
// empty text when none can be made; false at once for a null `out`.
bool CreateUuidString(QString* out);

// The two-letter code of the program's language module for a locale: "DE", "FR", "ES", "IT", "PT",
// "RU", "SE", "GR", "FI", "PL", "TR" or "UA" by the locale's language, "EN" for every other language.
QString LanguageCodeForLocale(const QLocale& locale);

// The code for the user's own locale.
QString GetUserLanguageCode();
