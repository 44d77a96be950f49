#pragma once
#include <QString>
#include <QStringView>

// Line breaks between the program's text (CR LF) and the editor widget's text
// (one '\n' per break, which the widget stores as a paragraph separator).
namespace CrLf {

// Any line break (CR LF, LF, CR, paragraph separator) becomes '\n'. NUL is dropped
// and the two frame marks the widget would take for line breaks become U+FFFD.
// crlfOnly tells whether the text came through unchanged apart from CR LF -> '\n'.
QString toDocText(const QString &text, bool *crlfOnly = nullptr);

// '\n' and paragraph separators become CR LF.
QString fromDocText(QStringView text);

} // namespace CrLf
