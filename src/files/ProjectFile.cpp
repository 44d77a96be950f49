#include "files/ProjectFile.h"
#include "common/FieldReader.h"
#include "files/ProjectList.h"
#include "common/TextFile.h"

namespace ProjectFile {

bool isProjectFile(const QString &path)
{
    return path.endsWith(QLatin1String(".wpr"), Qt::CaseInsensitive);
}

namespace {
const QString kCrLf = QStringLiteral("\r\n");
constexpr qint64 kMaxBytes = 64LL * 1024 * 1024;

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }
bool hasLineBreak(const QString &s) { return s.contains(u'\r') || s.contains(u'\n'); }
}

QString nameLine(const QString &name)
{
    QString value = name;
    value.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    value.replace(u'\r', u' ');
    value.replace(u'\n', u' ');
    const bool needsQuotes = value.contains(u',')
        || (!value.isEmpty()
            && (isBlank(value.front()) || value.front() == u'"' || isBlank(value.back())));
    if (!needsQuotes)
        return value;
    value.replace(u'"', u'\'');
    return u'"' + value + u'"';
}

QByteArray bytes(const QString &name, const ProjectList &list)
{
    QString text = nameLine(name) + kCrLf;
    for (int i = 0; i < list.count(); ++i) {
        const QString full = list.fullPath(i);
        if (full.isEmpty() || hasLineBreak(full))
            continue;
        text += full;
        text += kCrLf;
    }
    return text.toUtf8();
}

ProjectData parse(const QString &text)
{
    ProjectData data;
    qsizetype end = 0;
    while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
        ++end;
    // The name is read from its own line only: an unclosed quote must not swallow the paths.
    FieldReader first(text.left(end));
    first.next(data.name);
    if (first.endedAtComma()) {
        QString rest;
        first.nextLine(rest);
        data.lines << rest;
    }
    if (end < text.size() && text[end] == u'\r')
        ++end;
    if (end < text.size() && text[end] == u'\n')
        ++end;
    FieldReader others(text.mid(end));
    QString line;
    while (others.nextLine(line))
        data.lines << line;
    return data;
}

int read(const QString &path, ProjectData &data)
{
    const ReadResult r = TextFile::read(path, kMaxBytes);
    if (r.error != 0)
        return r.error;
    data = parse(r.text);
    return 0;
}

int write(const QString &path, const QString &name, const ProjectList &list)
{
    return TextFile::writeSafely(path, bytes(name, list));
}

void fill(ProjectList &list, const ProjectData &data)
{
    for (const QString &line : data.lines)
        list.AddFile(line);
    list.IzmProekt = false;
}

} // namespace ProjectFile
