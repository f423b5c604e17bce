// Numbers in the interface language's format for the Qt side: the model's one reader and writer of
// numbers over QString, and the locale of the running language module.
#pragma once

#include "model/text/NumberText.h"

#include <QLocale>
#include <QString>

// The locale of a language module's code ("DE", "EN"; English for a code that names no language), and
// of the running module (English when none is loaded): never the desktop's.
QLocale LanguageLocale(const QString& code);
QLocale LanguageLocale();

// `value` with `decimals` places and the language's decimal separator.
QString NumberText(double value, int decimals);

// A typed text read as ReadNumber reads it, with the language's separator.
NumberReading ReadNumberText(const QString& text);
