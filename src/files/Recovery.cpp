#include "files/Recovery.h"
#include "files/WorkFiles.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>
#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <unistd.h>
#endif

namespace {

const QByteArray magic = "Kodoplet recovery record ";

QByteArray readSmallFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.read(4096) : QByteArray();
}

// State and start time of pid from /proc; false when there is no such entry.
bool procStat(qint64 pid, char *state, qint64 *startTicks)
{
    const QByteArray stat = readSmallFile(QStringLiteral("/proc/%1/stat").arg(pid));
    // The name in field 2 may hold blanks and brackets: the fields after it follow the last ')'.
    const qsizetype close = stat.lastIndexOf(')');
    if (close < 0)
        return false;
    const QList<QByteArray> fields = stat.mid(close + 2).split(' ');
    if (fields.size() < 20 || fields[0].isEmpty())
        return false;
    *state = fields[0][0];
    bool ok = false;
    *startTicks = fields[19].toLongLong(&ok);
    return ok;
}

QString currentBootId()
{
    static const QString id = QString::fromLatin1(readSmallFile(QStringLiteral("/proc/sys/kernel/random/boot_id")).trimmed());
    return id;
}

const char *encodingName(TextEncoding e)
{
    switch (e) {
    case TextEncoding::Utf8: return "utf-8";
    case TextEncoding::Utf8Bom: return "utf-8-bom";
    default: return "windows-1251";
    }
}

const char *lineBreakName(LineBreak b)
{
    switch (b) {
    case LineBreak::Lf: return "lf";
    case LineBreak::Cr: return "cr";
    default: return "crlf";
    }
}

QByteArray hexHash(const QByteArray &header, const QByteArray &text)
{
    QCryptographicHash h(QCryptographicHash::Sha256);
    h.addData(header);
    h.addData(text);
    return h.result().toHex();
}

} // namespace

ProcessStamp ProcessStamp::current()
{
    ProcessStamp p;
#ifdef Q_OS_UNIX
    p.pid = ::getpid();
#endif
    char state = 0;
    procStat(p.pid, &state, &p.startTicks);
    p.bootId = currentBootId();
    return p;
}

bool ProcessStamp::isRunning(const ProcessStamp &p)
{
    if (p.pid <= 0)
        return false;
    if (!p.bootId.isEmpty() && !currentBootId().isEmpty() && p.bootId != currentBootId())
        return false;
    char state = 0;
    qint64 ticks = 0;
    if (procStat(p.pid, &state, &ticks))
        return ticks == p.startTicks && state != 'Z' && state != 'X';
    char ownState = 0;
    if (procStat(ProcessStamp::current().pid, &ownState, &ticks))
        return false;  // /proc works and has no such process
#ifdef Q_OS_UNIX
    // No /proc: the pid alone, erring on the side of "still running".
    return ::kill(pid_t(p.pid), 0) == 0 || errno == EPERM;
#else
    return true;
#endif
}

LoadedStamp LoadedStamp::of(const QString &path)
{
    return path.isEmpty() ? LoadedStamp{} : from(FileStamp::of(path));
}

LoadedStamp LoadedStamp::from(const FileStamp &stamp)
{
    LoadedStamp s;
    if (stamp.exists) {
        s.size = stamp.size;
        s.mtimeMs = stamp.mtimeNs / 1'000'000;
    }
    return s;
}

namespace Recovery {

QString fileName(const ProcessStamp &owner, quint64 serial)
{
    return QStringLiteral("%1-%2-%3.krec").arg(owner.pid).arg(owner.startTicks).arg(serial);
}

bool parseFileName(const QString &name, ProcessStamp *owner)
{
    static const QRegularExpression re(QStringLiteral("^(\\d+)-(\\d+)-\\d+\\.krec$"));
    const QRegularExpressionMatch m = re.match(name);
    if (!m.hasMatch())
        return false;
    if (owner) {
        *owner = ProcessStamp{};
        owner->pid = m.captured(1).toLongLong();
        owner->startTicks = m.captured(2).toLongLong();
    }
    return true;
}

QByteArray encode(const RecoveryRecord &r)
{
    const QByteArray text = r.text.toUtf8();
    QByteArray h;
    h.reserve(512);
    h += magic + QByteArray::number(Version) + '\n';
    h += "owner " + QByteArray::number(r.owner.pid) + ' ' + QByteArray::number(r.owner.startTicks) + ' '
        + (r.owner.bootId.isEmpty() ? QByteArray("-") : QUrl::toPercentEncoding(r.owner.bootId)) + '\n';
    h += "path " + QUrl::toPercentEncoding(r.path, "/") + '\n';
    h += "caption " + QUrl::toPercentEncoding(r.caption) + '\n';
    h += QByteArray("kind ") + (r.script ? "script" : "page") + '\n';
    h += QByteArray("encoding ") + encodingName(r.format.encoding) + '\n';
    h += QByteArray("line-breaks ") + lineBreakName(r.format.lineBreak) + '\n';
    h += "loaded " + QByteArray::number(r.loaded.size) + ' ' + QByteArray::number(r.loaded.mtimeMs) + '\n';
    h += "saved-at " + QByteArray::number(r.savedAtMs) + '\n';
    h += "text " + QByteArray::number(text.size()) + '\n';
    const QByteArray sum = hexHash(h, text);
    QByteArray out;
    out.reserve(h.size() + 80 + text.size());
    out += h;
    out += "sha256 " + sum + "\n\n";
    out += text;
    return out;
}

Damage decode(const QByteArray &bytes, RecoveryRecord &r)
{
    if (!bytes.startsWith(magic))
        return Damage::NotARecord;
    // The header: lines up to the empty one.
    const qsizetype end = bytes.indexOf("\n\n");
    if (end < 0)
        return Damage::Truncated;
    const QList<QByteArray> lines = bytes.left(end).split('\n');
    bool ok = false;
    const int version = lines[0].mid(magic.size()).toInt(&ok);
    if (!ok)
        return Damage::NotARecord;
    if (version > Version)
        return Damage::NewerVersion;
    const QByteArray keys[] = {"owner", "path", "caption", "kind", "encoding", "line-breaks", "loaded", "saved-at", "text", "sha256"};
    constexpr int keyCount = int(std::size(keys));
    if (lines.size() != keyCount + 1)
        return Damage::BadHeader;
    QList<QByteArray> values;
    for (int i = 0; i < keyCount; ++i) {
        const QByteArray &line = lines[i + 1];
        if (!line.startsWith(keys[i] + ' '))
            return Damage::BadHeader;
        values << line.mid(keys[i].size() + 1);
    }
    RecoveryRecord rec;
    bool good = true;
    const auto number = [&good](const QByteArray &b) {
        bool ok = false;
        const qint64 v = b.toLongLong(&ok);
        good = good && ok;
        return v;
    };
    const QList<QByteArray> owner = values[0].split(' ');
    const QList<QByteArray> loaded = values[6].split(' ');
    if (owner.size() != 3 || loaded.size() != 2)
        return Damage::BadHeader;
    rec.owner.pid = number(owner[0]);
    rec.owner.startTicks = number(owner[1]);
    rec.owner.bootId = owner[2] == "-" ? QString() : QUrl::fromPercentEncoding(owner[2]);
    rec.path = QUrl::fromPercentEncoding(values[1]);
    rec.caption = QUrl::fromPercentEncoding(values[2]);
    if (values[3] != "page" && values[3] != "script")
        return Damage::BadHeader;
    rec.script = values[3] == "script";
    if (values[4] == "utf-8")
        rec.format.encoding = TextEncoding::Utf8;
    else if (values[4] == "utf-8-bom")
        rec.format.encoding = TextEncoding::Utf8Bom;
    else if (values[4] != "windows-1251")
        return Damage::BadHeader;
    if (values[5] == "lf")
        rec.format.lineBreak = LineBreak::Lf;
    else if (values[5] == "cr")
        rec.format.lineBreak = LineBreak::Cr;
    else if (values[5] != "crlf")
        return Damage::BadHeader;
    rec.loaded.size = number(loaded[0]);
    rec.loaded.mtimeMs = number(loaded[1]);
    rec.savedAtMs = number(values[7]);
    const qint64 length = number(values[8]);
    if (!good || length < 0)
        return Damage::BadHeader;
    const qsizetype textStart = end + 2;
    if (bytes.size() - textStart != length)
        return Damage::Truncated;
    const qsizetype sumLine = bytes.lastIndexOf("\nsha256 ", end) + 1;
    const QByteArray text = bytes.mid(textStart);
    if (hexHash(bytes.left(sumLine), text) != values[9])
        return Damage::BadChecksum;
    rec.text = QString::fromUtf8(text);
    r = std::move(rec);
    return Damage::None;
}

QList<Entry> orphans(const QString &folder, const IsRunning &isRunning)
{
    QList<Entry> found;
    const QDir dir(folder);
    for (const QFileInfo &info : dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks, QDir::Name)) {
        const QString name = info.fileName();
        ProcessStamp byName;
        // A killed write's temporary file: "<record>.XXXXXX".
        const qsizetype dot = name.lastIndexOf(u'.');
        if (!parseFileName(name, &byName)) {
            if (dot > 0 && parseFileName(name.left(dot), &byName) && name.size() - dot == 7 && !isRunning(byName))
                WorkFiles::removeRecord(info.filePath());
            continue;
        }
        Entry e;
        e.file = info.filePath();
        QFile f(e.file);
        if (!f.open(QIODevice::ReadOnly)) {
            e.damage = Damage::NotARecord;
        } else {
            e.damage = decode(f.readAll(), e.record);
        }
        const ProcessStamp &owner = e.damage == Damage::None ? e.record.owner : byName;
        if (isRunning(owner))
            continue;
        if (e.damage != Damage::None) {
            e.record = RecoveryRecord{};
            e.record.owner = byName;
            e.record.savedAtMs = info.lastModified().toMSecsSinceEpoch();
        }
        found << e;
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const Entry &a, const Entry &b) { return a.record.savedAtMs < b.record.savedAtMs; });
    return found;
}

} // namespace Recovery
