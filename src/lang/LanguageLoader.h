#pragma once
#include "lang/LanguageData.h"

#include <QPointer>
#include <QString>
#include <functional>

class Announcer;
class QWidget;
class frmLang;
struct LanguageTexts;
struct Settings;

// Loading a language file: the texts every window reads. After a load it
// announces the change; the frame, the documents and the project window
// re-caption themselves.
class LanguageLoader {
public:
    LanguageLoader(LanguageTexts &lang, Settings &settings, Announcer &changed)
        : m_lang(lang), m_settings(settings), m_changed(changed) {}
    ~LanguageLoader();

    // Tells the user a language file could not be read (path, TextFile error).
    std::function<void(const QString &path, int error)> reportOpenError;
    // Opens a file or an address with the desktop's handler (the help page).
    std::function<void(const QString &target)> openUrl;
    // The window tool windows belong to.
    std::function<QWidget *()> owner;

    // Loads Language/<fileName> from the data folder; reports a file that cannot
    // be read and then leaves everything as it was (false).
    bool LoadJazikM(const QString &fileName);
    // Options > Language: the chooser, modeless.
    void mnuOptionsLang_Click();
    // Help > Help: the current language's help page in the desktop's browser.
    void HelpCallHelp();
    // Start-up: load the remembered language, or let the user pick one.
    void applyAtStartUp();
    // Folder of the language files, ending with the separator.
    QString languageFolder() const;
    const QString &currentFile() const;
    const LanguageTexts &texts() const { return m_lang; }

    // What the last load read (captions are taken from it), and the names the
    // texts before it gave (untitled documents and the default project are renamed).
    const LanguageData &lastData() const { return m_data; }
    const QString &previousUntitled() const { return m_oldUntitled; }
    const QString &previousDefaultProject() const { return m_oldDefaultProject; }

private:
    LanguageTexts &m_lang;
    Settings &m_settings;
    Announcer &m_changed;
    LanguageData m_data;
    QString m_oldUntitled;
    QString m_oldDefaultProject;
    QPointer<frmLang> m_chooser;
};
