#include "common/CrLf.h"
#include "common/DocTextCopy.h"

#include <algorithm>

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
    // Two tight passes over the raw units: this runs for every whole-text read
    // (find, save, preview), so it must not grow a string one character at a time.
    const char16_t *src = text.utf16();
    const qsizetype n = text.size();
    qsizetype breaks = 0;
    for (qsizetype i = 0; i < n; ++i)
        breaks += (src[i] == u'\n' || src[i] == char16_t(QChar::ParagraphSeparator));
    QString out(n + breaks, Qt::Uninitialized);
    char16_t *dst = reinterpret_cast<char16_t *>(out.data());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = src[i];
        if (c == u'\n' || c == char16_t(QChar::ParagraphSeparator)) {
            *dst++ = u'\r';
            *dst++ = u'\n';
        } else {
            *dst++ = c;
        }
    }
    return out;
}

QString joinDocBlocks(QStringView raw, const std::vector<int> &softBlocks, int firstBlock, bool crlf)
{
    auto next = std::lower_bound(softBlocks.begin(), softBlocks.end(), firstBlock);
    QString out;
    out.reserve(raw.size() + raw.size() / 32);
    int block = firstBlock;
    qsizetype from = 0;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw[i] != QChar::ParagraphSeparator)
            continue;
        out += raw.mid(from, i - from);
        from = i + 1;
        if (next != softBlocks.end() && *next == block)
            ++next;
        else if (crlf)
            out += QLatin1String("\r\n");
        else
            out += u'\n';
        ++block;
    }
    out += raw.mid(from);
    return out;
}

} // namespace CrLf

QString DocTextCopy::text() const
{
    return done ? raw : softBlocks.empty() ? CrLf::fromDocText(raw) : CrLf::joinDocBlocks(raw, softBlocks);
}
