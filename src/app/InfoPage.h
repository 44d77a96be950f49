#pragma once
#include "lang/LanguageTexts.h"
#include <QList>
#include <QString>
#include <functional>

// The information page of Help > Share: what the program is, and every
// keyboard shortcut of the command table under its captions in the current
// language, generated each time so it is never out of date.
namespace InfoPage {

struct ShortcutRow {
    QString command;  // menu path, "File > New"
    QString keys;     // portable key text, "Ctrl+N"
};

// Every command with a shortcut, in menu order. captionOf gives the current
// caption of a command or menu by name; access-key marks are dropped.
QList<ShortcutRow> shortcutRows(const std::function<QString(const QString &)> &captionOf);

// The whole page; every text is escaped.
// texts: the language's version line, paragraph and table heading (entries 161, 163, 164).
QString page(const QString &appTitle, const QString &version, const QList<ShortcutRow> &rows,
             const LanguageTexts &texts = LanguageTexts());

} // namespace InfoPage
