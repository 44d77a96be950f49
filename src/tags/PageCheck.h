#pragma once
#include <QList>
#include <QString>

// One finding of the page check, placed the way the editor's gutter counts:
// line 1 is the first line, column 1 the first character of that line (a
// character outside the BMP counts as two, like everywhere in the editor).
struct PageMessage {
    enum Level { Info, Warning, Error };
    Level level = Warning;
    int line = 0;     // 0: the message is about the whole page
    int column = 0;
    QString text;     // HTML Tidy's own wording (English)
};

// What checking a page found. The counts hold every finding, also those past
// MaxMessages that the list leaves out.
struct PageCheckResult {
    QList<PageMessage> messages;  // in the order the checker reported them
    int errors = 0;
    int warnings = 0;
    int dropped = 0;              // findings past MaxMessages
    bool failed = false;          // the checker could not run at all
    static constexpr int MaxMessages = 5000;

    bool clean() const { return !failed && errors == 0 && warnings == 0; }
};

// Runs HTML Tidy's diagnostics on a copy of the text: the text is never
// changed and no repaired page is written anywhere. Any thread; checks run one
// at a time. About 0.1-0.3 s for a 1 MB page.
PageCheckResult checkPage(const QString &text);
