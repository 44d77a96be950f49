#include "tags/SelectReader.h"

#include <QStringView>

namespace {

// A range of the selection; present is false for an attribute the tag lacks.
struct Range {
    qsizetype start = 0;
    qsizetype length = 0;
    bool present = false;
};

struct Tag {
    bool closing = false;
    Range tagName;
    Range name;  // the name attribute's value
    Range value; // the value attribute's value
    qsizetype end = 0; // just after the closing ">"
};

bool isBlank(QChar c)
{
    const char16_t u = c.unicode();
    return u == u' ' || u == u'\t' || u == u'\r' || u == u'\n' || u == u'\f';
}

bool isAsciiLetter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z');
}

// ASCII-only, so no other script's letter can pass for one of the word.
bool sameWord(const QString &s, const Range &r, QLatin1StringView word)
{
    if (!r.present || r.length != word.size())
        return false;
    for (qsizetype k = 0; k < r.length; ++k) {
        char16_t c = s.at(r.start + k).unicode();
        if (c >= u'A' && c <= u'Z')
            c = char16_t(c + 32);
        if (c != char16_t(word.at(k).unicode()))
            return false;
    }
    return true;
}

// "<" starts a tag only before a letter or "/" and a letter; else it is text.
bool startsTag(const QString &s, qsizetype at)
{
    const qsizetype n = s.size();
    if (at + 1 < n && isAsciiLetter(s.at(at + 1)))
        return true;
    return at + 2 < n && s.at(at + 1) == u'/' && isAsciiLetter(s.at(at + 2));
}

// Reads the tag starting at the "<" at `pos` up to its ">", quotes honoured.
// False when the text ends first (a quote or the tag never closed).
bool readTag(const QString &s, qsizetype pos, Tag &tag)
{
    const qsizetype n = s.size();
    qsizetype i = pos + 1;
    if (i < n && s.at(i) == u'/') {
        tag.closing = true;
        ++i;
    }
    const qsizetype nameStart = i;
    while (i < n && !isBlank(s.at(i)) && s.at(i) != u'>' && s.at(i) != u'/')
        ++i;
    tag.tagName = {nameStart, i - nameStart, true};

    for (;;) {
        while (i < n && (isBlank(s.at(i)) || s.at(i) == u'/'))
            ++i;
        if (i >= n)
            return false;
        if (s.at(i) == u'>') {
            tag.end = i + 1;
            return true;
        }
        // Attribute name: at least one character, so the loop always moves on.
        const qsizetype attrStart = i;
        do
            ++i;
        while (i < n && !isBlank(s.at(i)) && s.at(i) != u'=' && s.at(i) != u'>' && s.at(i) != u'/');
        const Range attr{attrStart, i - attrStart, true};

        Range value{i, 0, true};
        qsizetype j = i;
        while (j < n && isBlank(s.at(j)))
            ++j;
        if (j < n && s.at(j) == u'=') {
            i = j + 1;
            while (i < n && isBlank(s.at(i)))
                ++i;
            if (i >= n)
                return false;
            const QChar quote = s.at(i);
            if (quote == u'"' || quote == u'\'') {
                const qsizetype close = s.indexOf(quote, i + 1);
                if (close < 0)
                    return false;
                value = {i + 1, close - i - 1, true};
                i = close + 1;
            } else {
                const qsizetype start = i;
                while (i < n && !isBlank(s.at(i)) && s.at(i) != u'>')
                    ++i;
                value = {start, i - start, true};
            }
        }
        // The first of two equal attributes counts, as in a browser.
        if (!tag.name.present && sameWord(s, attr, QLatin1StringView("name")))
            tag.name = value;
        else if (!tag.value.present && sameWord(s, attr, QLatin1StringView("value")))
            tag.value = value;
    }
}

QString text(const QString &s, const Range &r) { return s.mid(r.start, r.length); }

} // namespace

SelectReading readSelectElement(const QString &selection)
{
    const QString &s = selection;
    SelectReading found;
    bool inSelect = false;
    qsizetype i = 0;
    for (;;) {
        i = s.indexOf(u'<', i);
        if (i < 0)
            break;
        if (QStringView(s).mid(i, 4) == QLatin1StringView("<!--")) {
            // A commented-out option is no option.
            const qsizetype end = s.indexOf(QLatin1StringView("-->"), i + 4);
            if (end < 0)
                break;
            i = end + 3;
            continue;
        }
        if (!startsTag(s, i)) {
            ++i;
            continue;
        }
        Tag tag;
        if (!readTag(s, i, tag))
            break;
        i = tag.end;
        const bool isSelect = sameWord(s, tag.tagName, QLatin1StringView("select"));
        if (!inSelect) {
            if (!isSelect || tag.closing)
                continue;
            if (!tag.name.present)
                break;
            found.name = text(s, tag.name);
            inSelect = true;
            continue;
        }
        if (isSelect && tag.closing)
            break;
        if (tag.closing || !sameWord(s, tag.tagName, QLatin1StringView("option")))
            continue;
        // The option's text runs to the next "<"; with none, the option is unfinished.
        const qsizetype next = s.indexOf(u'<', i);
        if (next < 0)
            break;
        const QString optionText = s.mid(i, next - i);
        found.options.append({tag.value.present ? text(s, tag.value) : optionText, optionText});
        i = next;
    }
    return found;
}
