#include "common/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <QTemporaryFile>

// Writing files safely: the new text replaces the old whole or not at all.
namespace {

// A failed save is a path or access problem when the folder is missing or refuses
// writing, the target is a folder, or an existing target refuses writing.
int classifyWriteFailure(const QString &target)
{
    const QFileInfo file(target);
    const QFileInfo folder(file.absolutePath());
    if (!folder.isDir() || file.isDir())
        return TextFile::PathAccess;
#ifdef Q_OS_UNIX
    if (::access(QFile::encodeName(folder.absoluteFilePath()).constData(), W_OK | X_OK) != 0)
        return TextFile::PathAccess;
    if (file.exists() && ::access(QFile::encodeName(file.absoluteFilePath()).constData(), W_OK) != 0)
        return TextFile::PathAccess;
#else
    if (!folder.isWritable() || (file.exists() && !file.isWritable()))
        return TextFile::PathAccess;
#endif
    return TextFile::WriteFailed;
}

// Follows a chain of symbolic links so the save replaces the file at the end and
// the links stay links. Empty when the chain loops.
QString resolveLinks(const QString &path)
{
    QFileInfo info(path);
    for (int depth = 0; depth < 64; ++depth) {
        if (!info.isSymLink())
            return info.absoluteFilePath();
        info.setFile(info.symLinkTarget());
    }
    return QString();
}

#ifdef Q_OS_UNIX
// The new file gets the old one's owner and group; a user who may not give the
// file away may still keep its group when it is one of theirs.
void keepOwner(int fd, const struct stat &old)
{
    struct stat now {};
    if (::fstat(fd, &now) != 0 || (now.st_uid == old.st_uid && now.st_gid == old.st_gid))
        return;
    if (::fchown(fd, old.st_uid, old.st_gid) != 0 && now.st_gid != old.st_gid)
        (void)!::fchown(fd, uid_t(-1), old.st_gid);
}

bool writeAll(int fd, const char *data, qint64 size)
{
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = ::pwrite(fd, data + done, size_t(size - done), done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return ::ftruncate(fd, size) == 0 && ::fsync(fd) == 0;
}

// A file with several names is rewritten where it is. Its old content is first
// kept in a backup copy beside it, written back when the new one cannot be; the
// copy goes once the file holds either text completely, and stays otherwise.
int writeInPlace(const QString &target, const QByteArray &bytes)
{
    QFile current(target);
    if (!current.open(QIODevice::ReadOnly))
        return classifyWriteFailure(target);
    const QByteArray old = current.readAll();
    if (current.error() != QFileDevice::NoError)
        return TextFile::WriteFailed;
    current.close();

    QTemporaryFile backup(target + QStringLiteral(".XXXXXX.bak"));
    backup.setAutoRemove(false);
    if (!backup.open())
        return classifyWriteFailure(target);
    const QString backupName = backup.fileName();
    const bool saved = backup.write(old) == old.size() && backup.flush() && ::fsync(backup.handle()) == 0;
    backup.close();
    if (!saved) {
        QFile::remove(backupName);
        return classifyWriteFailure(target);
    }

    const int fd = ::open(QFile::encodeName(target).constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        QFile::remove(backupName);
        return classifyWriteFailure(target);
    }
    bool ok = writeAll(fd, bytes.constData(), bytes.size());
    bool restored = ok;
    if (!ok)
        restored = writeAll(fd, old.constData(), old.size());
    ok = ::close(fd) == 0 && ok;
    if (restored)
        QFile::remove(backupName);
    return ok ? 0 : classifyWriteFailure(target);
}
#endif

} // namespace

namespace TextFile {

QString saveTarget(const QString &path)
{
    return resolveLinks(path);
}

int writeSafely(const QString &path, const QByteArray &bytes)
{
    const QString target = resolveLinks(path);
    if (target.isEmpty())
        return PathAccess;
    const QFileInfo info(target);
    if (info.isDir() || !QFileInfo(info.absolutePath()).isDir())
        return PathAccess;
#ifdef Q_OS_UNIX
    struct stat old {};
    const bool existed = ::stat(QFile::encodeName(target).constData(), &old) == 0 && S_ISREG(old.st_mode);
    // A new file in place of one name would part it from the other names.
    if (existed && old.st_nlink > 1)
        return writeInPlace(target, bytes);
#endif

    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly))
        return classifyWriteFailure(target);

    // QSaveFile::commit() does not notice a short write or a failed flush and
    // would put a truncated file in place of the old one, so check each step.
    bool ok = file.write(bytes) == bytes.size() && file.flush() && file.error() == QFileDevice::NoError;
#ifdef Q_OS_UNIX
    // Delayed allocation can report a full disk or an I/O error only here.
    ok = ok && ::fsync(file.handle()) == 0;
    if (ok && existed)
        keepOwner(file.handle(), old);
#endif
    if (!ok) {
        file.cancelWriting();
        file.commit(); // drops the temporary file
        return classifyWriteFailure(target);
    }
    if (!file.commit())
        return classifyWriteFailure(target);
    return 0;
}

int writeText(const QString &path, const QString &crlfText, const TextFormat &format)
{
    return writeSafely(path, encode(crlfText, format));
}

} // namespace TextFile
