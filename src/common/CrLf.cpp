#include "common/CrLf.h"
#include "common/DocTextCopy.h"

#include <algorithm>

namespace CrLf {

QString toDocText(const QString &text, bool *crlfOnly, qsizetype *lines)
{
    // One tight pass over the raw units into a buffer of the full size (a text
    // only gets shorter here): this runs on every open of a file.
    const char16_t *src = reinterpret_cast<const char16_t *>(text.utf16());
    const qsizetype n = text.size();
    QString out(n, Qt::Uninitialized);
    char16_t *const start = reinterpret_cast<char16_t *>(out.data());
    char16_t *dst = start;
    bool pairs = true;
    qsizetype breaks = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = src[i];
        if (c > u'\r' && c < 0x2029) {   // the common case: nothing to change
            *dst++ = c;
        } else if (c == u'\r') {
            *dst++ = u'\n';
            ++breaks;
            if (i + 1 < n && src[i + 1] == u'\n')
                ++i;
            else
                pairs = false;
        } else if (c == char16_t(QChar::ParagraphSeparator) || c == u'\n') {
            *dst++ = u'\n';
            ++breaks;
            pairs = false;
        } else if (c == 0) {
            // A NUL character would make the saved file unreadable as text.
            pairs = false;
        } else if (c == 0xFDD0 || c == 0xFDD1) {
            // The widget turns these into block breaks: the text would gain a line.
            *dst++ = char16_t(QChar::ReplacementCharacter);
            pairs = false;
        } else {
            *dst++ = c;
        }
    }
    out.truncate(dst - start);
    if (crlfOnly)
        *crlfOnly = pairs;
    if (lines)
        *lines = breaks + 1;
    return out;
}

bool isCrlfOnly(QStringView text)
{
    const char16_t *src = text.utf16();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = src[i];
        if (c > u'\r' && c < 0x2029)
            continue;
        if (c == u'\r') {
            if (i + 1 >= n || src[i + 1] != u'\n')
                return false;
            ++i;
        } else if (c == u'\n' || c == 0 || c == char16_t(QChar::ParagraphSeparator) || c == 0xFDD0 || c == 0xFDD1) {
            return false;
        }
    }
    return true;
}

QString inCrLf(const QString &text)
{
    return isCrlfOnly(text) ? text : fromDocText(toDocText(text));
}

QString fromDocText(QStringView text, bool lineSeparators)
{
    // Two tight passes over the raw units: this runs for every whole-text read
    // (find, save, preview), so it must not grow a string one character at a time.
    const char16_t *src = text.utf16();
    const qsizetype n = text.size();
    const char16_t inner = lineSeparators ? char16_t(QChar::LineSeparator) : u'\n';
    qsizetype breaks = 0;
    for (qsizetype i = 0; i < n; ++i)
        breaks += (src[i] == u'\n' || src[i] == char16_t(QChar::ParagraphSeparator) || src[i] == inner);
    QString out(n + breaks, Qt::Uninitialized);
    char16_t *dst = reinterpret_cast<char16_t *>(out.data());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = src[i];
        if (c == u'\n' || c == char16_t(QChar::ParagraphSeparator) || c == inner) {
            *dst++ = u'\r';
            *dst++ = u'\n';
        } else {
            *dst++ = c;
        }
    }
    return out;
}

QString joinDocBlocks(QStringView raw, const std::vector<int> &softBlocks, int firstBlock, bool crlf,
                      bool lineSeparators)
{
    if (softBlocks.empty() && crlf)
        return fromDocText(raw, lineSeparators);
    auto next = std::lower_bound(softBlocks.begin(), softBlocks.end(), firstBlock);
    QString out;
    out.reserve(raw.size() + raw.size() / 32);
    int block = firstBlock;
    qsizetype from = 0;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (lineSeparators && raw[i] == QChar::LineSeparator) {
            out += raw.mid(from, i - from);
            from = i + 1;
            if (crlf)
                out += QLatin1String("\r\n");
            else
                out += u'\n';
            continue;
        }
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
    QString text = done ? raw : CrLf::joinDocBlocks(raw, softBlocks, 0, true, lineSeparators);
    if (tailFrom < tail.size())
        text.append(QStringView(tail).sliced(tailFrom));
    return text;
}
