#include "common/CrLf.h"

namespace CrLf {

QString toDocText(const QString &text, bool *crlfOnly)
{
    QString out;
    out.reserve(text.size());
    bool pairs = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r') {
            out += u'\n';
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            else
                pairs = false;
        } else if (c == QChar::ParagraphSeparator || c == u'\n') {
            out += u'\n';
            pairs = false;
        } else if (c.isNull()) {
            // A NUL character would make the saved file unreadable as text.
            pairs = false;
        } else if (c.unicode() == 0xFDD0 || c.unicode() == 0xFDD1) {
            // The widget turns these into block breaks: the text would gain a line.
            out += QChar::ReplacementCharacter;
            pairs = false;
        } else {
            out += c;
        }
    }
    if (crlfOnly)
        *crlfOnly = pairs;
    return out;
}

QString fromDocText(QStringView text)
{
    QString out;
    out.reserve(text.size() + text.size() / 32);
    for (QChar c : text) {
        if (c == QChar::ParagraphSeparator || c == u'\n')
            out += QLatin1String("\r\n");
        else
            out += c;
    }
    return out;
}

} // namespace CrLf
