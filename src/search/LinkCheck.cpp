#include "search/LinkCheck.h"
#include "search/FindInFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QUrl>

#include <algorithm>

namespace LinkCheck {

namespace {

// Positions to (line, column) for increasing positions, in one pass.
class Placer {
public:
    explicit Placer(const QString &text) : m_text(text) {}
    void place(qsizetype at, PageLink &link)
    {
        const QChar *d = m_text.constData();
        for (; m_scanned < at; ++m_scanned) {
            const QChar c = d[m_scanned];
            if (c == u'\r' || c == u'\n') {
                if (c == u'\r' && m_scanned + 1 < m_text.size() && d[m_scanned + 1] == u'\n')
                    ++m_scanned;
                ++m_line;
                m_lineStart = m_scanned + 1;
            }
        }
        link.line = m_line + 1;
        link.column = int(at - m_lineStart) + 1;
    }

private:
    const QString &m_text;
    qsizetype m_scanned = 0, m_lineStart = 0;
    int m_line = 0;
};

bool isSpace(QChar c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f'; }
bool isNameChar(QChar c) { return c.isLetterOrNumber() || c == u'-' || c == u'_' || c == u':' || c == u'.'; }

bool is(QStringView name, const char *lower)
{
    return name.compare(QLatin1String(lower), Qt::CaseInsensitive) == 0;
}

qsizetype indexOfCi(const QString &text, QLatin1String what, qsizetype from, qsizetype end)
{
    const qsizetype at = text.indexOf(what, from, Qt::CaseInsensitive);
    return at < 0 || at >= end ? -1 : at;
}

// url(...) and @import "..." of CSS in [from, end), comments skipped.
void cssLinks(const QString &text, qsizetype from, qsizetype end, QList<std::pair<qsizetype, QString>> &out)
{
    const QChar *d = text.constData();
    for (qsizetype i = from; i < end; ++i) {
        const QChar c = d[i];
        if (c == u'/' && i + 1 < end && d[i + 1] == u'*') {
            const qsizetype close = text.indexOf(QLatin1String("*/"), i + 2);
            i = close < 0 || close >= end ? end : close + 1;
            continue;
        }
        const bool url = (c == u'u' || c == u'U') && i + 3 < end && QStringView(text).mid(i, 4).compare(QLatin1String("url("), Qt::CaseInsensitive) == 0
            && (i == from || !(d[i - 1].isLetterOrNumber() || d[i - 1] == u'-' || d[i - 1] == u'_'));
        const bool import = c == u'@' && i + 7 < end && QStringView(text).mid(i, 7).compare(QLatin1String("@import"), Qt::CaseInsensitive) == 0;
        if (!url && !import)
            continue;
        qsizetype j = i + (url ? 4 : 7);
        while (j < end && isSpace(d[j]))
            ++j;
        if (import && j + 3 < end && QStringView(text).mid(j, 4).compare(QLatin1String("url("), Qt::CaseInsensitive) == 0) {
            i = j - 1;   // url(...) handles it
            continue;
        }
        if (j >= end)
            break;
        QChar quote = d[j];
        if (quote == u'"' || quote == u'\'') {
            const qsizetype close = text.indexOf(quote, j + 1);
            if (close < 0 || close >= end)
                break;
            out.append({j + 1, text.mid(j + 1, close - j - 1)});
            i = close;
        } else if (url) {
            qsizetype close = j;
            while (close < end && d[close] != u')')
                ++close;
            qsizetype last = close;
            while (last > j && isSpace(d[last - 1]))
                --last;
            out.append({j, text.mid(j, last - j)});
            i = close;
        }
    }
}

// Decodes an HTML attribute value's character references that matter in addresses.
QString unescaped(QString v)
{
    if (v.contains(u'&'))
        v.replace(QLatin1String("&amp;"), QLatin1String("&")).replace(QLatin1String("&#38;"), QLatin1String("&"));
    return v.trimmed();
}

// Walks the tags of a page, calling attr(name, valueStart, value, tagStart) for every
// attribute, and style(from, to) for the contents of every style element.
template <class Attr, class Style>
void walkTags(const QString &text, Attr attr, Style style)
{
    const QChar *d = text.constData();
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const qsizetype lt = text.indexOf(u'<', i);
        if (lt < 0)
            break;
        if (QStringView(text).mid(lt, 4) == QLatin1String("<!--")) {
            const qsizetype close = text.indexOf(QLatin1String("-->"), lt + 4);
            i = close < 0 ? n : close + 3;
            continue;
        }
        qsizetype j = lt + 1;
        if (j >= n || !d[j].isLetter()) {
            i = j;
            continue;
        }
        const qsizetype nameStart = j;
        while (j < n && isNameChar(d[j]))
            ++j;
        const QStringView tag = QStringView(text).mid(nameStart, j - nameStart);
        // Attributes up to the tag's ">".
        while (j < n && d[j] != u'>') {
            if (isSpace(d[j]) || d[j] == u'/') {
                ++j;
                continue;
            }
            const qsizetype an = j;
            while (j < n && !isSpace(d[j]) && d[j] != u'=' && d[j] != u'>' && d[j] != u'/')
                ++j;
            const QStringView name = QStringView(text).mid(an, j - an);
            while (j < n && isSpace(d[j]))
                ++j;
            if (j < n && d[j] == u'=') {
                ++j;
                while (j < n && isSpace(d[j]))
                    ++j;
                if (j < n && (d[j] == u'"' || d[j] == u'\'')) {
                    const qsizetype close = text.indexOf(d[j], j + 1);
                    const qsizetype end = close < 0 ? n : close;
                    attr(tag, name, j + 1, end);
                    j = close < 0 ? n : close + 1;
                } else {
                    const qsizetype vs = j;
                    while (j < n && !isSpace(d[j]) && d[j] != u'>')
                        ++j;
                    attr(tag, name, vs, j);
                }
            } else if (j == an) {
                ++j;
            }
        }
        i = j + 1;
        // Scripts hold no links of the page; style elements hold CSS.
        const bool script = is(tag, "script"), styleElement = is(tag, "style");
        if (script || styleElement) {
            const qsizetype close = indexOfCi(text, script ? QLatin1String("</script") : QLatin1String("</style"), i, n);
            const qsizetype end = close < 0 ? n : close;
            if (styleElement)
                style(i, end);
            i = end;
        }
    }
}

enum class Target { Skip, Web, Local };

struct Resolved {
    Target kind = Target::Skip;
    QString path;       // Local: the file
    QString fragment;   // after "#", decoded
};

Resolved resolve(const QString &address, const QString &pageFolder, const QString &root)
{
    Resolved r;
    QString a = address.trimmed();
    if (a.isEmpty())
        return r;
    if (a.startsWith(QLatin1String("//"))) {
        r.kind = Target::Web;
        return r;
    }
    const qsizetype colon = a.indexOf(u':');
    const qsizetype slash = a.indexOf(u'/');
    if (colon > 0 && (slash < 0 || colon < slash)) {
        const QString scheme = a.left(colon).toLower();
        if (scheme == QLatin1String("file")) {
            const QUrl url(a);
            r.kind = Target::Local;
            r.path = url.toLocalFile();
            r.fragment = url.fragment(QUrl::FullyDecoded);
            return r;
        }
        // javascript: and data: are no addresses of other files.
        if (scheme == QLatin1String("javascript") || scheme == QLatin1String("data") || scheme == QLatin1String("about"))
            return r;
        r.kind = Target::Web;
        return r;
    }
    const qsizetype hash = a.indexOf(u'#');
    if (hash >= 0) {
        r.fragment = QUrl::fromPercentEncoding(a.mid(hash + 1).toUtf8());
        a.truncate(hash);
    }
    const qsizetype query = a.indexOf(u'?');
    if (query >= 0)
        a.truncate(query);
    a = QUrl::fromPercentEncoding(a.toUtf8());
    r.kind = Target::Local;
    if (a.isEmpty())
        r.path = QString();   // the page itself
    else if (a.startsWith(u'/'))
        r.path = QDir::cleanPath(root + a);
    else
        r.path = QDir::cleanPath(pageFolder + u'/' + a);
    return r;
}

// http:, https:, mailto:, tel: ... and //host: quickly, before any resolving.
bool isWebAddress(const QString &a)
{
    if (a.startsWith(QLatin1String("//")))
        return true;
    for (qsizetype i = 0; i < a.size() && i < 12; ++i) {
        const QChar c = a.at(i);
        if (c == u':')
            return i > 1 && !QStringView(a).left(i).startsWith(QLatin1String("file"), Qt::CaseInsensitive)
                && QStringView(a).left(i).compare(QLatin1String("javascript"), Qt::CaseInsensitive) != 0
                && QStringView(a).left(i).compare(QLatin1String("data"), Qt::CaseInsensitive) != 0
                && QStringView(a).left(i).compare(QLatin1String("about"), Qt::CaseInsensitive) != 0;
        if (!(c.isLetterOrNumber() || c == u'+' || c == u'-' || c == u'.'))
            return false;
    }
    return false;
}

bool isPage(const QString &path)
{
    const QString s = QFileInfo(path).suffix().toLower();
    return s == QLatin1String("htm") || s == QLatin1String("html") || s == QLatin1String("shtml") || s == QLatin1String("xhtml");
}

// What the disk holds, asked once per folder: exact names and names by lower case.
class DiskNames {
public:
    // "" when path exists as spelt; else the spelling on disk of the first
    // component that differs only in case; "-" when there is nothing.
    QString check(const QString &path)
    {
        const auto known = m_checked.constFind(path);
        if (known != m_checked.constEnd())
            return *known;
        QString result;
        const QFileInfo info(path);
        const QString parent = info.path();
        const QString name = info.fileName();
        if (name.isEmpty() || parent == path) {
            result = QFileInfo::exists(path) ? QString() : QStringLiteral("-");
        } else {
            const QString up = check(parent);
            if (!up.isEmpty()) {
                result = up;
            } else {
                const Folder &f = folder(parent);
                if (f.exact.contains(name))
                    result = QString();
                else if (const auto ci = f.lower.constFind(name.toLower()); ci != f.lower.constEnd())
                    result = QDir(parent).filePath(*ci);
                else
                    result = QStringLiteral("-");
            }
        }
        m_checked.insert(path, result);
        return result;
    }

private:
    struct Folder {
        QSet<QString> exact;
        QHash<QString, QString> lower;
    };
    const Folder &folder(const QString &path)
    {
        auto it = m_folders.find(path);
        if (it == m_folders.end()) {
            Folder f;
            for (const QString &e : QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
                f.exact.insert(e);
                f.lower.insert(e.toLower(), e);
            }
            it = m_folders.insert(path, f);
        }
        return *it;
    }
    QHash<QString, Folder> m_folders;
    QHash<QString, QString> m_checked;
};

} // namespace

QList<PageLink> linksOf(const QString &text, bool styleSheet)
{
    QList<std::pair<qsizetype, QString>> found;
    if (styleSheet) {
        cssLinks(text, 0, text.size(), found);
    } else {
        walkTags(text,
                 [&](QStringView tag, QStringView name, qsizetype from, qsizetype to) {
                     if (is(name, "href") || is(name, "src") || is(name, "action") || (is(name, "poster") && is(tag, "video"))) {
                         qsizetype at = from;
                         while (at < to && isSpace(text.at(at)))
                             ++at;
                         found.append({at, unescaped(text.mid(from, to - from))});
                     } else if (is(name, "srcset") || is(name, "imagesrcset")) {
                         // "a.png 1x, b.png 2x": each candidate's address up to its blank.
                         qsizetype at = from;
                         while (at < to) {
                             while (at < to && (isSpace(text.at(at)) || text.at(at) == u','))
                                 ++at;
                             const qsizetype start = at;
                             while (at < to && !isSpace(text.at(at)) && text.at(at) != u',')
                                 ++at;
                             if (at > start)
                                 found.append({start, unescaped(text.mid(start, at - start))});
                             while (at < to && text.at(at) != u',')
                                 ++at;
                         }
                     } else if (is(name, "style")) {
                         cssLinks(text, from, to, found);
                     }
                 },
                 [&](qsizetype from, qsizetype to) { cssLinks(text, from, to, found); });
        std::sort(found.begin(), found.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    }
    QList<PageLink> links;
    links.reserve(found.size());
    Placer placer(text);
    for (const auto &[at, address] : found) {
        if (address.isEmpty())
            continue;
        PageLink l;
        l.address = address;
        placer.place(at, l);
        links << l;
    }
    return links;
}

QStringList anchorsOf(const QString &text)
{
    QStringList names;
    walkTags(text,
             [&](QStringView, QStringView name, qsizetype from, qsizetype to) {
                 if (is(name, "id") || is(name, "name"))
                     names << unescaped(text.mid(from, to - from));
             },
             [](qsizetype, qsizetype) {});
    return names;
}

QStringList sitePages(const QString &folder)
{
    return FindInFiles::listFiles(folder, QStringLiteral("*.htm;*.html;*.shtml;*.xhtml;*.css"));
}

LinkCheckResult check(const QStringList &pages, const QString &root, const std::atomic<bool> *cancel,
                      const std::function<void(int, int)> &progress)
{
    LinkCheckResult r;
    DiskNames disk;
    QHash<QString, QSet<QString>> anchors;   // target page -> its ids and names
    const auto anchorsFor = [&anchors](const QString &path, const QString *knownText) -> const QSet<QString> & {
        auto it = anchors.find(path);
        if (it == anchors.end()) {
            QString text;
            TextFormat format;
            if (knownText)
                text = *knownText;
            else if (FindInFiles::readText(path, &text, &format) != FindInFiles::Read::Text)
                text.clear();
            const QStringList names = anchorsOf(text);
            it = anchors.insert(path, QSet<QString>(names.begin(), names.end()));
        }
        return *it;
    };
    const QString cleanRoot = QDir::cleanPath(root);
    QHash<QString, Resolved> resolved;
    const int total = int(pages.size());
    for (int p = 0; p < total; ++p) {
        if (cancel && cancel->load()) {
            r.cancelled = true;
            break;
        }
        if (progress && p % 50 == 0)
            progress(p, total);
        const QString page = QDir::cleanPath(pages.at(p));
        QString text;
        TextFormat format;
        if (FindInFiles::readText(page, &text, &format) != FindInFiles::Read::Text)
            continue;
        ++r.pages;
        const bool sheet = QFileInfo(page).suffix().compare(QLatin1String("css"), Qt::CaseInsensitive) == 0;
        const QString folder = QFileInfo(page).path();
        for (const PageLink &l : linksOf(text, sheet)) {
            ++r.links;
            // Sites repeat their addresses: each is resolved once per folder,
            // without its fragment (and web addresses are told at once).
            Resolved to;
            if (isWebAddress(l.address)) {
                to.kind = Target::Web;
            } else if (l.address.startsWith(u'#')) {
                to.kind = Target::Local;   // a place in this page
                const QString f = l.address.mid(1);
                to.fragment = f.contains(u'%') ? QUrl::fromPercentEncoding(f.toUtf8()) : f;
            } else {
                const qsizetype hash = l.address.indexOf(u'#');
                QString key = folder;
                key += QChar(0);
                key += QStringView(l.address).left(hash < 0 ? l.address.size() : hash);
                auto known = resolved.constFind(key);
                if (known == resolved.constEnd())
                    known = resolved.insert(key, resolve(hash < 0 ? l.address : l.address.left(hash), folder, cleanRoot));
                to = *known;
                if (hash >= 0 && to.kind == Target::Local && to.fragment.isEmpty()) {
                    const QString f = l.address.mid(hash + 1);
                    to.fragment = f.contains(u'%') ? QUrl::fromPercentEncoding(f.toUtf8()) : f;
                }
            }
            if (to.kind == Target::Skip)
                continue;
            LinkFinding f;
            f.page = page;
            f.link = l;
            if (to.kind == Target::Web) {
                f.kind = LinkFinding::NotChecked;
                ++r.notChecked;
                r.findings << f;
                continue;
            }
            const QString target = to.path.isEmpty() ? page : to.path;
            if (!to.path.isEmpty()) {
                const QString onDisk = disk.check(target);
                if (!onDisk.isEmpty()) {
                    f.kind = onDisk == QLatin1String("-") ? LinkFinding::Missing : LinkFinding::CaseMismatch;
                    f.detail = onDisk == QLatin1String("-") ? QString() : QFileInfo(onDisk).fileName();
                    ++r.broken;
                    r.findings << f;
                    continue;
                }
            }
            // "#top" goes to the top of any page.
            if (!to.fragment.isEmpty() && to.fragment.compare(QLatin1String("top"), Qt::CaseInsensitive) != 0 && isPage(target) && !sheet && QFileInfo(target).isFile()) {
                if (!anchorsFor(target, target == page ? &text : nullptr).contains(to.fragment)) {
                    f.kind = LinkFinding::NoFragment;
                    f.detail = to.fragment;
                    ++r.broken;
                    r.findings << f;
                }
            }
        }
    }
    if (progress && !r.cancelled)
        progress(total, total);
    return r;
}

} // namespace LinkCheck
