#include "tags/CharCodes.h"

#include "tags/TagSnippet.h"

QString charCodes(const QString &text)
{
    QString out;
    out.reserve(text.size() * 7);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        char32_t code = c.unicode();
        if (c.isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate()) {
            code = QChar::surrogateToUcs4(c, text.at(i + 1));
            ++i;
        } else if (c.isSurrogate()) {
            code = 0xFFFD;
        }
        out += QLatin1String("&#");
        out += QString::number(quint32(code));
        out += QLatin1Char(';');
    }
    return out;
}

bool insertCharCodes(const QString &text, TextTarget &target)
{
    if (text.isEmpty())
        return false;
    insertSnippet(TagSnippet::atEnd(charCodes(text)), target);
    return true;
}
