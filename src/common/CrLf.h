#pragma once
#include <QString>
#include <QStringView>
#include <vector>

// Line breaks between the program's text (CR LF) and the editor widget's text
// (one '\n' per break, which the widget stores as a paragraph separator).
namespace CrLf {

// Any line break (CR LF, LF, CR, paragraph separator) becomes '\n'. NUL is dropped
// and the two frame marks the widget would take for line breaks become U+FFFD.
// crlfOnly tells whether the text came through unchanged apart from CR LF -> '\n'.
// lines, when given, gets the number of lines of the result (its breaks + 1).
QString toDocText(const QString &text, bool *crlfOnly = nullptr, qsizetype *lines = nullptr);

// True when toDocText would report crlfOnly: every break a CR LF, nothing to
// drop or replace. A check without a copy, for texts the program made itself.
bool isCrlfOnly(QStringView text);

// The text as the widget would give it back (see toDocText): itself, shared,
// when it is in that form already.
QString inCrLf(const QString &text);

// '\n' and paragraph separators become CR LF; line separators too with lineSeparators
// (the editor's own breaks inside a block, see LinePieces).
QString fromDocText(QStringView text, bool lineSeparators = false);

// The widget's raw text (a paragraph separator between blocks) joined into the
// text: CR LF (or '\n' without crlf) after every block from firstBlock on but
// those listed in softBlocks (ascending), which end at a cut of a long line; with
// lineSeparators, also for every line separator.
QString joinDocBlocks(QStringView raw, const std::vector<int> &softBlocks, int firstBlock = 0, bool crlf = true,
                      bool lineSeparators = false);

} // namespace CrLf
