#pragma once
#include <QString>

class Dialogs;
class QWidget;
struct LanguageTexts;

// Language entries the program's messages use (texts of Messages).
namespace MessageEntry {
constexpr int SearchFinished = 90;    // find next passed the last match
constexpr int ReplaceCount = 91;      // replacements made, the count follows
constexpr int FileExists = 92;        // Save As onto an existing file...
constexpr int ReplaceIt = 93;         // ...replace it?
constexpr int PathOrAccess = 94;      // a write failed on the path or access
constexpr int WriteFailed = 95;       // any other write failure
constexpr int NotFound = 96;          // a file to open was not found
constexpr int ReadFailed = 97;        // any other open failure
constexpr int SaveChanges = 98;       // a changed document closes: save it?
constexpr int SaveProject = 102;      // a changed project closes: save it?
constexpr int LinePastEnd = 105;      // go to line: no such line
constexpr int ReplaceOnce = 107;      // caption of the find window's replace-once button
}

// The program's messages and questions: message boxes titled AppTitle whose
// texts come from the current language. Every command group gets one.
class Messenger {
public:
    Messenger(const LanguageTexts &lang, Dialogs &dialogs) : m_lang(lang), m_dialogs(dialogs) {}

    // Text of a language entry 63..107 (the built-in text until a file gives one).
    QString message(int entry) const;
    // Caption of the File menu without its accelerator mark, for error messages.
    QString fileMenuCaption() const;
    // A message box titled AppTitle; the answer (Dialogs::Answer).
    int ask(const QString &text, int style) const;
    const LanguageTexts &lang() const { return m_lang; }
    Dialogs &dialogs() const { return m_dialogs; }
    // The window that owns tool windows and dialogs (the main frame), or nullptr.
    QWidget *owner() const;

private:
    const LanguageTexts &m_lang;
    Dialogs &m_dialogs;
};
