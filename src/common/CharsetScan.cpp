#include "common/TextFile.h"

// The charset a page declares in its head, read the way browsers read it first.
namespace {

// The charset scan: a small part of what browsers do before they decode a page.
class CharsetScan {
public:
    explicit CharsetScan(QStringView s) : m_s(s.left(TextFile::CharsetScanLimit)) {}

    QString run()
    {
        while (m_i < m_s.size()) {
            const qsizetype lt = m_s.indexOf(u'<', m_i);
            if (lt < 0)
                break;
            m_i = lt + 1;
            if (m_s.mid(lt).startsWith(u"<!--")) {
                const qsizetype end = m_s.indexOf(u"-->", lt + 4);
                if (end < 0)
                    break;
                m_i = end + 3;
                continue;
            }
            const bool closing = m_i < m_s.size() && m_s[m_i] == u'/';
            if (closing)
                ++m_i;
            const QString name = word();
            if (name == u"body" || (closing && name == u"head"))
                break;
            if (!closing && name == u"meta") {
                const QString found = meta();
                if (!found.isEmpty())
                    return found;
            }
        }
        return {};
    }

private:
    static bool space(QChar c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f'; }
    // A tag or attribute name, in lower case.
    QString word()
    {
        const qsizetype start = m_i;
        while (m_i < m_s.size() && !space(m_s[m_i]) && m_s[m_i] != u'>' && m_s[m_i] != u'/' && m_s[m_i] != u'=')
            ++m_i;
        return m_s.mid(start, m_i - start).toString().toLower();
    }
    void skipSpace()
    {
        while (m_i < m_s.size() && space(m_s[m_i]))
            ++m_i;
    }
    QString value()
    {
        if (m_i < m_s.size() && (m_s[m_i] == u'"' || m_s[m_i] == u'\'')) {
            const QChar quote = m_s[m_i++];
            const qsizetype end = m_s.indexOf(quote, m_i);
            const qsizetype stop = end < 0 ? m_s.size() : end;
            const QString v = m_s.mid(m_i, stop - m_i).toString();
            m_i = end < 0 ? stop : end + 1;
            return v;
        }
        const qsizetype start = m_i;
        while (m_i < m_s.size() && !space(m_s[m_i]) && m_s[m_i] != u'>')
            ++m_i;
        return m_s.mid(start, m_i - start).toString();
    }
    // The attributes of one meta tag, up to its ">".
    QString meta()
    {
        QString charset, content;
        bool contentType = false;
        while (m_i < m_s.size()) {
            skipSpace();
            if (m_i >= m_s.size() || m_s[m_i] == u'>')
                break;
            if (m_s[m_i] == u'/') {
                ++m_i;
                continue;
            }
            const QString attr = word();
            skipSpace();
            QString v;
            if (m_i < m_s.size() && m_s[m_i] == u'=') {
                ++m_i;
                skipSpace();
                v = value();
            }
            if (attr == u"charset" && charset.isEmpty())
                charset = v;
            else if (attr == u"http-equiv")
                contentType = v.trimmed().compare(u"content-type", Qt::CaseInsensitive) == 0;
            else if (attr == u"content")
                content = v;
            else if (attr.isEmpty())
                ++m_i;  // a stray character
        }
        if (!charset.isEmpty())
            return charset.trimmed().toLower();
        if (contentType)
            return fromContent(content);
        return {};
    }
    // "text/html; charset=utf-8" -> "utf-8".
    static QString fromContent(const QString &content)
    {
        const qsizetype at = content.indexOf(u"charset", 0, Qt::CaseInsensitive);
        if (at < 0)
            return {};
        qsizetype i = at + 7;
        while (i < content.size() && space(content[i]))
            ++i;
        if (i >= content.size() || content[i] != u'=')
            return {};
        ++i;
        while (i < content.size() && (space(content[i]) || content[i] == u'"' || content[i] == u'\''))
            ++i;
        const qsizetype start = i;
        while (i < content.size() && !space(content[i]) && content[i] != u';' && content[i] != u'"' && content[i] != u'\'')
            ++i;
        return content.mid(start, i - start).toLower();
    }

    QStringView m_s;
    qsizetype m_i = 0;
};

} // namespace

namespace TextFile {

QString declaredCharset(QStringView page)
{
    return CharsetScan(page).run();
}

QString declaredCharset(const QByteArray &page)
{
    return declaredCharset(QString::fromLatin1(page.left(CharsetScanLimit)));
}

std::optional<TextEncoding> charsetEncoding(const QString &charset)
{
    const QString c = charset.trimmed().toLower();
    if (c == u"utf-8" || c == u"utf8")
        return TextEncoding::Utf8;
    if (c == u"windows-1251" || c == u"cp1251" || c == u"x-cp1251")
        return TextEncoding::Windows1251;
    return std::nullopt;
}

} // namespace TextFile
