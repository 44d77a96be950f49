#include "search/FindInFiles.h"
#include "common/TextFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace FindInFiles {

namespace {

constexpr int LineShown = 300;   // characters of a long line shown round a hit

bool isBreak(QChar c) { return c == u'\r' || c == u'\n'; }

// Pages follow their charset declaration when plain ASCII, as when opened.
bool isPageName(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix.startsWith(QLatin1String("htm")) || suffix == QLatin1String("shtml") || suffix == QLatin1String("xhtml");
}

QString expanded(const QString &replacement, const QRegularExpressionMatch &m)
{
    QString out;
    out.reserve(replacement.size());
    for (qsizetype i = 0; i < replacement.size(); ++i) {
        const QChar c = replacement.at(i);
        if (c == u'\\' && i + 1 < replacement.size()) {
            const QChar next = replacement.at(i + 1);
            if (next.isDigit() && next.unicode() < 128) {
                out += m.captured(next.digitValue());
                ++i;
                continue;
            }
            if (next == u'\\') {
                out += u'\\';
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == u'_' || c.isMark(); }

// Calls found(start, length, match) for every non-empty match in order; match
// is set for regular expressions only. Stops when found returns false.
template <class Found>
void forEachMatch(const QString &text, const FindPattern &p, Found found)
{
    if (!p.valid)
        return;
    if (p.regex) {
        QRegularExpressionMatchIterator it = p.re.globalMatch(text);
        while (it.hasNext()) {
            const QRegularExpressionMatch m = it.next();
            if (m.capturedLength() > 0 && !found(m.capturedStart(), m.capturedLength(), &m))
                return;
        }
        return;
    }
    const qsizetype len = p.text.size();
    const bool wordStart = isWordChar(p.text.front()), wordEnd = isWordChar(p.text.back());
    qsizetype from = 0;
    while ((from = text.indexOf(p.text, from, p.cs)) >= 0) {
        if (p.wholeWord && ((wordStart && from > 0 && isWordChar(text.at(from - 1)))
                            || (wordEnd && from + len < text.size() && isWordChar(text.at(from + len))))) {
            ++from;
            continue;
        }
        if (!found(from, len, nullptr))
            return;
        from += len;
    }
}

} // namespace

FindPattern compile(const FindQuery &q, QString *error)
{
    if (error)
        error->clear();
    FindPattern p;
    p.cs = q.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    p.wholeWord = q.wholeWord;
    p.regex = q.regex;
    if (q.text.isEmpty())
        return p;
    if (!q.regex) {
        p.text = q.text;
        p.valid = true;
        return p;
    }
    QString pattern = q.text;
    if (q.wholeWord)
        pattern = QStringLiteral("(?<!\\w)(?:") + pattern + QStringLiteral(")(?!\\w)");
    QRegularExpression::PatternOptions options = QRegularExpression::UseUnicodePropertiesOption;
    if (!q.matchCase)
        options |= QRegularExpression::CaseInsensitiveOption;
    options |= QRegularExpression::MultilineOption;  // ^ and $ at every line
    p.re = QRegularExpression(pattern, options);
    p.valid = p.re.isValid();
    if (!p.valid && error)
        *error = p.re.errorString();
    return p;
}

QStringList listFiles(const QString &folder, const QString &patterns, const std::atomic<bool> *cancel)
{
    QStringList names;
    for (const QString &p : patterns.split(QRegularExpression(QStringLiteral("[;,]")), Qt::SkipEmptyParts))
        if (!p.trimmed().isEmpty())
            names << p.trimmed();
    QStringList files;
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return files;
    QDirIterator it(folder, names, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        if (cancel && cancel->load())
            break;
        files << it.next();
    }
    files.sort();
    return files;
}

QList<FindHit> findInText(const QString &text, const FindPattern &re, int maxHits, int *total)
{
    QList<FindHit> hits;
    int count = 0;
    // The line of the last hit and where it starts, carried forward: linear.
    int line = 0;
    qsizetype lineStart = 0, scanned = 0;
    const QChar *d = text.constData();
    const qsizetype n = text.size();
    forEachMatch(text, re, [&](qsizetype at, qsizetype len, const QRegularExpressionMatch *) {
        ++count;
        if (hits.size() >= maxHits)
            return true;
        for (; scanned < at; ++scanned) {
            if (isBreak(d[scanned])) {
                if (d[scanned] == u'\r' && scanned + 1 < n && d[scanned + 1] == u'\n')
                    ++scanned;
                ++line;
                lineStart = scanned + 1;
            }
        }
        qsizetype lineEnd = at;
        while (lineEnd < n && !isBreak(d[lineEnd]) && lineEnd - at < LineShown)
            ++lineEnd;
        const qsizetype shownFrom = qMax(lineStart, at - LineShown / 2);
        FindHit h;
        h.line = line + 1;
        h.column = int(at - lineStart) + 1;
        h.length = int(len);
        h.lineText = text.mid(shownFrom, lineEnd - shownFrom);
        h.markStart = int(at - shownFrom);
        h.markLength = int(qMin<qsizetype>(len, lineEnd - at));
        // Tabs shown as blanks keep the mark where it belongs.
        h.lineText.replace(u'\t', u' ');
        hits << h;
        return true;
    });
    if (total)
        *total = count;
    return hits;
}

ReplaceResult replaceAll(const QString &text, const FindPattern &re, const QString &replacement, bool expand)
{
    ReplaceResult r;
    QString inserted;
    qsizetype first = -1, last = 0;
    forEachMatch(text, re, [&](qsizetype at, qsizetype len, const QRegularExpressionMatch *m) {
        if (first < 0)
            first = last = at;
        inserted += QStringView(text).mid(last, at - last);
        r.spans.emplace_back(int(at - first), int(len));
        inserted += expand && m ? expanded(replacement, *m) : replacement;
        last = at + len;
        ++r.count;
        return true;
    });
    if (r.count == 0)
        return r;
    r.change.pos = int(first);
    r.change.removed = text.mid(first, last - first);
    r.change.inserted = inserted;
    return r;
}

Read readText(const QString &path, QString *text, TextFormat *format, qint64 sizeLimit)
{
    QFile f(path);
    if (f.size() > sizeLimit)
        return Read::TooLarge;
    if (!f.open(QIODevice::ReadOnly))
        return Read::Failed;
    const QByteArray bytes = f.read(sizeLimit + 1);
    if (bytes.size() > sizeLimit)
        return Read::TooLarge;
    if (bytes.left(BinaryProbe).contains('\0'))
        return Read::Binary;
    *text = TextFile::decode(bytes, format, isPageName(path));
    return Read::Text;
}

FindInFilesResult search(const QStringList &files, const FindPattern &re, const QHash<QString, QString> &openTexts,
                         const std::atomic<bool> *cancel, const std::function<void(int, int)> &progress,
                         qint64 sizeLimit)
{
    FindInFilesResult r;
    const int total = int(files.size());
    for (int i = 0; i < total; ++i) {
        if (cancel && cancel->load()) {
            r.cancelled = true;
            break;
        }
        if (progress && i % 50 == 0)
            progress(i, total);
        const QString &path = files.at(i);
        QString text;
        TextFormat format;
        const auto open = openTexts.constFind(path);
        if (open != openTexts.constEnd()) {
            text = *open;
        } else {
            const Read read = readText(path, &text, &format, sizeLimit);
            if (read == Read::Binary || read == Read::TooLarge) {
                ++r.skipped;
                continue;
            }
            if (read == Read::Failed) {
                ++r.unreadable;
                continue;
            }
        }
        ++r.searched;
        int count = 0;
        QList<FindHit> hits = findInText(text, re, FindInFilesResult::MaxHits - r.listed, &count);
        r.hits += count;
        if (count > 0) {
            r.listed += int(hits.size());
            r.files.append(FileHits{path, std::move(hits)});
        }
    }
    if (progress && !r.cancelled)
        progress(total, total);
    return r;
}

int replaceInFile(const QString &path, const FindPattern &re, const QString &replacement, bool expand, int *error)
{
    QString text;
    TextFormat format;
    const Read read = readText(path, &text, &format);
    if (read != Read::Text) {
        *error = read == Read::Failed ? TextFile::openError(path) : TextFile::OpenFailed;
        return -1;
    }
    const ReplaceResult r = replaceAll(text, re, replacement, expand);
    if (r.count == 0)
        return 0;
    const int written = TextFile::writeText(path, r.applyTo(text), format);
    if (written != 0) {
        *error = written;
        return -1;
    }
    return r.count;
}

} // namespace FindInFiles
