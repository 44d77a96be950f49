#pragma once
#include "lang/LanguageData.h"
#include "lang/LanguageTexts.h"
#include <QList>
#include <QString>

// One main-frame text the language loader sets (each command of the command table has one): the caption or the tooltip of the
// action registered under objectName, made of a fixed prefix, a language entry and
// a fixed suffix.
struct CaptionBinding {
    enum Target { Caption, ToolTip };

    // entry value standing for field 1 of the file (the language's own name).
    static constexpr int LanguageName = 0;
    // entry value of a text that no language file changes.
    static constexpr int NoEntry = -1;

    QString objectName;   // "mnuFileNew", "CodeFrm1", "PicKnopki0" (toolbar button 0)...
    int entry = 0;
    QString prefix;
    QString suffix;
    Target target = Caption;
    int suffixEntry = NoEntry;   // a text after the suffix, after a blank ("New" + " Script")
};

// The text a binding gets after data was applied to texts: the entry's text as
// texts keep it (the file's own, or the built-in one where the file gave none, so
// no command is ever blank); field 1 for the language name. Tooltips lose the
// mnemonic ampersands and a trailing ellipsis.
QString captionText(const CaptionBinding &binding, const LanguageData &data,
                    const LanguageTexts &texts);

// A caption as plain text: "&&" becomes "&", any other "&" goes. Window titles
// and message texts built from a menu caption ("&File" in the file error
// messages, "&Find..." as the find window's title) need this.
QString withoutMnemonics(const QString &caption);
