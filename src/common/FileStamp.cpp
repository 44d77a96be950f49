#include "common/FileStamp.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <time.h>
#endif

namespace {

// Coarse file systems keep times in whole seconds, FAT even in two.
constexpr qint64 kGranularityNs = 2'000'000'000LL;

qint64 nowNs()
{
#ifdef Q_OS_UNIX
    timespec ts {};
    clock_gettime(CLOCK_REALTIME, &ts);
    return qint64(ts.tv_sec) * 1'000'000'000LL + ts.tv_nsec;
#else
    return QDateTime::currentMSecsSinceEpoch() * 1'000'000LL;
#endif
}

} // namespace

FileStamp FileStamp::of(const QString &path)
{
    FileStamp s;
    s.known = true;
    s.takenNs = nowNs();
#ifdef Q_OS_UNIX
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return s;
    s.exists = true;
    s.size = st.st_size;
    s.mtimeNs = qint64(st.st_mtim.tv_sec) * 1'000'000'000LL + st.st_mtim.tv_nsec;
    s.inode = st.st_ino;
    s.device = st.st_dev;
#else
    const QFileInfo info(path);
    if (!info.isFile())
        return s;
    s.exists = true;
    s.size = info.size();
    s.mtimeNs = info.lastModified().toMSecsSinceEpoch() * 1'000'000LL;
#endif
    return s;
}

FileStamp FileStamp::of(const QString &path, const QByteArray &bytes)
{
    FileStamp s = of(path);
    if (s.exists)
        s.hash = hashOf(bytes);
    return s;
}

FileStamp FileStamp::read(const QString &path)
{
    FileStamp s = of(path);
    if (!s.exists)
        return s;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return s;
    const QByteArray bytes = f.readAll();
    if (f.error() == QFileDevice::NoError)
        s.hash = hashOf(bytes);
    // What was read decides; the size is the one read.
    s.size = bytes.size();
    return s;
}

QByteArray FileStamp::hashOf(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Blake2b_256);
}

FileStamp FileStamp::missing()
{
    FileStamp s;
    s.known = true;
    s.takenNs = nowNs();
    return s;
}

bool FileStamp::racy() const
{
    return takenNs - mtimeNs < kGranularityNs;
}

DiskChange compareWithDisk(const FileStamp &known, const QString &path, FileStamp *now)
{
    FileStamp cur = FileStamp::of(path);
    const auto give = [&](DiskChange c) {
        if (now)
            *now = cur;
        return c;
    };
    if (!known.known)
        return give(DiskChange::Same);
    if (!known.exists)
        return give(cur.exists ? DiskChange::Changed : DiskChange::Same);
    if (!cur.exists)
        return give(DiskChange::Deleted);
    if (cur.size != known.size)
        return give(DiskChange::Changed);
    if (known.sameMetadata(cur) && !known.racy()) {
        cur.hash = known.hash;
        return give(DiskChange::Same);
    }
    // Same size, but another time or file, or a time too recent to trust: the content decides.
    if (known.hash.isEmpty())
        return give(known.sameMetadata(cur) ? DiskChange::Same : DiskChange::Changed);
    const qint64 taken = cur.takenNs;
    cur = FileStamp::read(path);
    if (!cur.exists)
        return give(DiskChange::Deleted);
    // Stamped from before the read: a write during it shows as a newer time next time.
    cur.takenNs = taken;
    return give(cur.hash == known.hash ? DiskChange::Same : DiskChange::Changed);
}
