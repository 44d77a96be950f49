#include "editing/PageElements.h"

#include <QHash>
#include <QList>

namespace PageElements {
namespace {

bool isNameStart(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}
bool isNameChar(QChar c)
{
    return isNameStart(c) || (c >= u'0' && c <= u'9') || c == u'-' || c == u':' || c == u'_' || c == u'.';
}
bool isVoid(const QString &tag)
{
    static const QStringList voids = {"area", "base", "br", "col", "embed", "hr", "img", "input", "link",
                                      "meta", "param", "source", "track", "wbr", "basefont", "frame", "isindex", "keygen"};
    return voids.contains(tag);
}
bool isRawText(const QString &tag)
{
    return tag == QLatin1String("script") || tag == QLatin1String("style") || tag == QLatin1String("textarea")
        || tag == QLatin1String("title") || tag == QLatin1String("xmp");
}
qsizetype find(QStringView text, QStringView what, qsizetype from, Qt::CaseSensitivity cs = Qt::CaseSensitive)
{
    return text.indexOf(what, from, cs);
}

// Reads the tag whose "<" is at i; returns the offset after its ">" (or the end).
qsizetype tagEnd(QStringView text, qsizetype i)
{
    QChar quote;
    for (qsizetype j = i + 1; j < text.size(); ++j) {
        const QChar c = text[j];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u'>') {
            return j + 1;
        }
    }
    return text.size();
}

struct Open {
    QString tag;
    int index;
};

// Walks the start and end tags up to stop (or the end), calling visit(tag, index,
// offset, end) for each start tag; stops early when visit returns false.
template <typename Visit>
void walk(QStringView text, qsizetype stop, QList<Open> *stack, Visit visit)
{
    QHash<QString, int> counts;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && i < stop) {
        const qsizetype lt = text.indexOf(u'<', i);
        if (lt < 0 || lt >= stop)
            return;
        if (text.mid(lt, 4) == QLatin1String("<!--")) {
            const qsizetype e = find(text, u"-->", lt + 4);
            i = e < 0 ? n : e + 3;
            continue;
        }
        if (lt + 1 < n && (text[lt + 1] == u'!' || text[lt + 1] == u'?')) {
            i = tagEnd(text, lt);
            continue;
        }
        const bool closing = lt + 1 < n && text[lt + 1] == u'/';
        qsizetype s = lt + (closing ? 2 : 1);
        if (s >= n || !isNameStart(text[s])) {
            i = lt + 1;
            continue;
        }
        qsizetype e = s;
        while (e < n && isNameChar(text[e]))
            ++e;
        const QString tag = text.mid(s, e - s).toString().toLower();
        const qsizetype after = tagEnd(text, lt);
        if (closing) {
            if (stack) {
                for (qsizetype k = stack->size() - 1; k >= 0; --k)
                    if (stack->at(k).tag == tag) {
                        stack->resize(k);
                        break;
                    }
            }
            i = after;
            continue;
        }
        const int index = counts[tag]++;
        if (!visit(tag, index, lt, after))
            return;
        const bool selfClosed = after >= 2 && text[after - 2] == u'/';
        if (stack && !isVoid(tag) && !selfClosed)
            stack->append({tag, index});
        i = after;
        if (isRawText(tag)) {
            const qsizetype close = find(text, QString(QStringLiteral("</") + tag), after, Qt::CaseInsensitive);
            if (close < 0 || close >= stop)
                return;
            i = close;
        }
    }
}

} // namespace

Ref elementAt(QStringView text, qsizetype pos)
{
    QList<Open> stack;
    Ref inTag;
    walk(text, pos, &stack, [&](const QString &tag, int index, qsizetype at, qsizetype end) {
        if (at < pos && pos < end)
            inTag = {tag, index};
        return true;
    });
    if (inTag.valid())
        return inTag;
    if (stack.isEmpty())
        return {};
    return {stack.last().tag, stack.last().index};
}

qsizetype startTagOffset(QStringView text, const Ref &ref)
{
    qsizetype found = -1;
    if (!ref.valid())
        return found;
    walk(text, text.size(), nullptr, [&](const QString &tag, int index, qsizetype at, qsizetype) {
        if (tag == ref.tag && index == ref.index) {
            found = at;
            return false;
        }
        return true;
    });
    return found;
}

bool insideTag(QStringView text, qsizetype pos, qsizetype reach)
{
    const qsizetype from = qMax<qsizetype>(0, pos - reach);
    for (qsizetype i = qMin(pos, text.size()) - 1; i >= from; --i) {
        const QChar c = text[i];
        if (c == u'>')
            return false;
        if (c == u'<') {
            const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
            // "<" then a letter, "/" or "!" starts a tag; "a < b" in text does not,
            // nor does "<" with nothing after it yet... which is a tag being started.
            return i + 1 >= pos || isNameStart(next) || next == u'/' || next == u'!';
        }
    }
    return false;
}

} // namespace PageElements
