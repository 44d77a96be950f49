#pragma once
#include <QString>

class CommandRegistry;

// Loading a language file: the texts other windows read, and at once the
// captions of the main frame and the names of untitled documents.
namespace LanguageLoader {
// Loads Language/<fileName> from the data folder; reports a file that cannot be read
// and then leaves everything as it was.
void LoadJazikM(const QString &fileName);
// Options > Language: the chooser, modeless.
void mnuOptionsLang_Click();
// Help > Help: the current language's help page in the desktop's browser.
void HelpCallHelp();
// Start-up: load the remembered language, or let the user pick one.
void applyAtStartUp();
void install(CommandRegistry &commands);
// Folder of the language files, ending with the separator.
QString languageFolder();
}
