// Qt's own texts (key names, standard buttons and menus) in the language of the interface.
#pragma once

#include <QString>

class QObject;
class QTranslator;

// Loads Qt's translation of its own texts for a language code ("DE" gives "Strg" and "Umschalt" for
// the key names of menus, tooltips and the customise sheet) from Qt's translation folder and installs
// it in the application; `owner` owns it, and it stays installed until the owner goes. Null for English,
// and when no translation is installed (Qt's texts then stay English).
QTranslator* InstallToolkitTranslation(const QString& code, QObject* owner);
