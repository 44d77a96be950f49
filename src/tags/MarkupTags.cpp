#include "tags/MarkupTags.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

using MarkupTags::isNameChar;
using MarkupTags::isSpace;

bool isLetter(QChar c) { return (c.unicode() | 0x20) >= u'a' && (c.unicode() | 0x20) <= u'z'; }

bool sameName(QStringView a, QStringView b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// "</name" at i, any case, followed by no name character.
bool endTagAt(const QString &t, qsizetype i, std::u16string_view name)
{
    if (i + 2 + qsizetype(name.size()) > t.size() || t[i] != u'<' || t[i + 1] != u'/')
        return false;
    for (size_t k = 0; k < name.size(); ++k)
        if ((t[i + 2 + qsizetype(k)].unicode() | 0x20) != name[k])
            return false;
    const qsizetype after = i + 2 + qsizetype(name.size());
    return after >= t.size() || !isNameChar(t[after]);
}

enum Mode { Text, InTag, ValueDouble, ValueSingle, ValueBare, Comment, Doctype, RawScript, RawStyle };

} // namespace

namespace MarkupTags {

bool isNameChar(QChar c)
{
    const char16_t u = c.unicode();
    return isLetter(c) || (u >= u'0' && u <= u'9') || u == u'-' || u == u'_' || u == u':';
}

bool isSpace(QChar c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == QChar(0xA0); }

bool isVoidElement(QStringView name)
{
    static constexpr std::array<std::u16string_view, 18> voids = {
        u"area", u"base", u"br", u"col", u"embed", u"hr", u"img", u"input", u"link", u"meta",
        u"param", u"source", u"track", u"wbr", u"basefont", u"frame", u"isindex", u"keygen"};
    for (auto v : voids)
        if (sameName(name, QStringView(v.data(), qsizetype(v.size()))))
            return true;
    return false;
}

MarkupScan scan(const QString &text, SyntaxContext from, int offset)
{
    MarkupScan r;
    r.text = text;
    r.offset = offset;
    Mode m = from == SyntaxContext::Comment ? Comment
        : from == SyntaxContext::Doctype    ? Doctype
        : from == SyntaxContext::Script     ? RawScript
        : from == SyntaxContext::Style      ? RawStyle
        : from == SyntaxContext::Text       ? Text
                                            : InTag;  // inside a tag begun before: read to its end
    bool current = false;  // a tag of ours is being read (not one begun before the stretch)
    MarkupTag tag;
    int raw = 0;  // the open tag read is 1 <style>, 2 <script>
    // The last character of the last bare value: a "/" there belongs to the
    // value ("<a href=x/>" is no self-closed tag).
    qsizetype bareLast = -1;
    // Whether the "/" before position end (blanks passed over) marks the tag self-closed.
    const auto slashCloses = [&](qsizetype end) {
        qsizetype k = end - 1;
        while (k > tag.nameStart && isSpace(text[k]))
            --k;
        return k >= tag.nameStart && text[k] == u'/' && k != bareLast;
    };
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        switch (m) {
        case Text:
            if (c != u'<' || i + 1 >= n)
                break;
            if (isLetter(text[i + 1]) || (text[i + 1] == u'/' && i + 2 < n && isLetter(text[i + 2]))) {
                tag = MarkupTag{};
                tag.start = int(i);
                tag.closing = text[i + 1] == u'/';
                qsizetype j = i + (tag.closing ? 2 : 1);
                tag.nameStart = int(j);
                while (j < n && isNameChar(text[j]))
                    ++j;
                tag.nameLength = int(j - tag.nameStart);
                const QStringView name = QStringView(text).mid(tag.nameStart, tag.nameLength);
                raw = tag.closing ? 0 : sameName(name, u"style") ? 1 : sameName(name, u"script") ? 2 : 0;
                current = true;
                m = InTag;
                i = j - 1;
            } else if (text[i + 1] == u'!' && i + 3 < n && text[i + 2] == u'-' && text[i + 3] == u'-') {
                m = Comment;
                i += 3;
            } else if (text[i + 1] == u'!' || text[i + 1] == u'?') {
                m = Doctype;
            }
            break;
        case InTag:
            if (c == u'>') {
                if (current) {
                    tag.end = int(i + 1);
                    tag.selfClosing = !tag.closing && slashCloses(i);
                    r.tags.push_back(tag);
                }
                m = current && raw && !tag.selfClosing ? (raw == 1 ? RawStyle : RawScript) : Text;
                current = false;
            } else if (c == u'"') {
                m = ValueDouble;
            } else if (c == u'\'') {
                m = ValueSingle;
            } else if (c == u'=') {
                qsizetype j = i + 1;
                while (j < n && isSpace(text[j]))
                    ++j;
                if (j < n && text[j] != u'"' && text[j] != u'\'' && text[j] != u'>') {
                    m = ValueBare;
                    i = j;
                }
            }
            break;
        case ValueDouble:
        case ValueSingle:
            if (c == (m == ValueDouble ? u'"' : u'\''))
                m = InTag;
            break;
        case ValueBare:
            if (isSpace(c) || c == u'>') {
                m = InTag;
                bareLast = i - 1;
                --i;
            }
            break;
        case Comment:
            if (c == u'>' && i >= 2 && text[i - 1] == u'-' && text[i - 2] == u'-')
                m = Text;
            break;
        case Doctype:
            if (c == u'>')
                m = Text;
            break;
        case RawScript:
        case RawStyle:
            if (c == u'<' && endTagAt(text, i, m == RawStyle ? u"style" : u"script")) {
                m = Text;
                --i;  // read as an end tag
            }
            break;
        }
    }
    switch (m) {
    case Text: r.end = SyntaxContext::Text; break;
    case InTag: r.end = SyntaxContext::Tag; break;
    // A bare value ends at a blank or the ">": after it the tag can end.
    case ValueBare: r.end = SyntaxContext::Tag; break;
    case ValueDouble: case ValueSingle: r.end = SyntaxContext::AttributeValue; break;
    case Comment: r.end = SyntaxContext::Comment; break;
    case Doctype: r.end = SyntaxContext::Doctype; break;
    case RawScript: r.end = SyntaxContext::Script; break;
    case RawStyle: r.end = SyntaxContext::Style; break;
    }
    if (current && (r.end == SyntaxContext::Tag || r.end == SyntaxContext::AttributeValue)) {
        r.openTag = tag.start;
        r.openClosing = tag.closing;
        if (m == ValueBare)
            bareLast = n - 1;
        r.openSelfClosing = m != ValueDouble && m != ValueSingle && !tag.closing && slashCloses(n);
    }
    // Positions of the text, not of the stretch.
    for (MarkupTag &t : r.tags) {
        t.start += offset;
        t.end += offset;
        t.nameStart += offset;
    }
    if (r.openTag >= 0)
        r.openTag += offset;
    return r;
}

} // namespace MarkupTags

QStringView MarkupScan::name(int tag) const
{
    const MarkupTag &t = tags[size_t(tag)];
    return QStringView(text).mid(t.nameStart - offset, t.nameLength);
}

int MarkupScan::tagAt(int pos) const
{
    // Tags are in text order: the last one starting at or before pos.
    auto it = std::upper_bound(tags.begin(), tags.end(), pos, [](int p, const MarkupTag &t) { return p < t.start; });
    if (it == tags.begin())
        return -1;
    --it;
    return pos < it->end ? int(it - tags.begin()) : -1;
}

int MarkupScan::partnerOf(int tag) const
{
    if (tag < 0 || tag >= int(tags.size()))
        return -1;
    const MarkupTag &t = tags[size_t(tag)];
    const QStringView n = name(tag);
    if (t.selfClosing || MarkupTags::isVoidElement(n))
        return -1;
    int depth = 0;
    const int step = t.closing ? -1 : 1;
    for (int i = tag + step; i >= 0 && i < int(tags.size()); i += step) {
        const MarkupTag &o = tags[size_t(i)];
        if (o.selfClosing || o.nameLength != t.nameLength || !sameName(name(i), n))
            continue;
        if (o.closing == t.closing)
            ++depth;
        else if (depth-- == 0)
            return i;
    }
    return -1;
}

std::vector<int> MarkupScan::openAt(int pos) const
{
    // Read forward: an end tag closes the nearest open element of its name and
    // those opened after it (<li> and <p> left open); one without an open element
    // of its name within MaxDepth is ignored.
    constexpr size_t MaxDepth = 256;
    std::vector<int> stack;
    for (int i = 0; i < int(tags.size()) && tags[size_t(i)].end <= pos; ++i) {
        const MarkupTag &t = tags[size_t(i)];
        if (t.selfClosing || MarkupTags::isVoidElement(name(i)))
            continue;
        if (!t.closing) {
            stack.push_back(i);
            continue;
        }
        const QStringView n = name(i);
        for (size_t k = stack.size(); k > 0 && stack.size() - k < MaxDepth; --k) {
            if (sameName(name(stack[k - 1]), n)) {
                stack.resize(k - 1);
                break;
            }
        }
    }
    return stack;
}

int MarkupScan::innermostOpen(int pos) const
{
    const std::vector<int> open = openAt(pos);
    return open.empty() ? -1 : open.back();
}

int MarkupScan::enclosing(int from, int to, int *closing) const
{
    const std::vector<int> open = openAt(from);
    // From the innermost out; an element left open (no partner) is passed over.
    for (size_t k = open.size(), tried = 0; k > 0 && tried < 64; --k, ++tried) {
        const int c = partnerOf(open[k - 1]);
        if (c >= 0 && tags[size_t(c)].end >= to) {
            *closing = c;
            return open[k - 1];
        }
    }
    return -1;
}
