#pragma once
#include <QString>

// Qt's own texts (the buttons of message boxes, the standard file, colour and
// font dialogs) in the interface language, from the translations the system
// ships with Qt.
namespace QtTranslations {
// Switches to the translations of locale ("de", "ru_RU"); "" or one Qt has no
// translations for leaves Qt's English texts. True when a translation is in use.
bool use(const QString &locale);
// The locale in use, "" for English.
QString current();
}
