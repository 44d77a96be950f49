#include "files/WorkFiles.h"
#include "common/TextFile.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

QByteArray hashOf(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

// Anything at the path, a dangling symbolic link included.
bool taken(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

WorkFiles::WorkFiles() : m_startedMs(QDateTime::currentMSecsSinceEpoch()) {}

WorkFiles::~WorkFiles() = default;

QString WorkFiles::privateFolder()
{
    if (!m_private) {
        m_private = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/kodoplet-XXXXXX"));
        if (!m_private->isValid()) {
            m_private.reset();
            return {};
        }
    }
    return m_private->path() + QLatin1Char('/');
}

bool WorkFiles::isOursUnchanged(const QString &path) const
{
    const auto it = m_files.constFind(path);
    if (it == m_files.constEnd())
        return false;
    const QFileInfo info(path);
    if (info.isSymLink() || !info.isFile() || info.size() != it->size)
        return false;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    return hashOf(f.readAll()) == it->hash;
}

QString WorkFiles::claim(const QString &preferred) const
{
    if (preferred.isEmpty())
        return {};
    for (int n = 0; n < 1000; ++n) {
        const QString name = n == 0 ? preferred : preferred + u'~' + QString::number(n);
        if (!taken(name) || isOursUnchanged(name))
            return name;
    }
    return {};
}

bool WorkFiles::write(const QString &path, const QByteArray &bytes, int owner)
{
    if (path.isEmpty() || (taken(path) && !isOursUnchanged(path)))
        return false;
    if (TextFile::writeSafely(path, bytes) != 0)
        return false;
    m_files.insert(path, Written{hashOf(bytes), bytes.size(), owner});
    return true;
}

bool WorkFiles::remove(const QString &path)
{
    const bool ours = isOursUnchanged(path);
    m_files.remove(path);
    return ours && QFile::remove(path);
}

void WorkFiles::removeAllOf(int owner)
{
    QStringList paths;
    for (auto it = m_files.cbegin(); it != m_files.cend(); ++it)
        if (it->owner == owner)
            paths << it.key();
    for (const QString &p : paths)
        remove(p);
}

bool WorkFiles::ensureFolder(const QString &folder)
{
    if (QFileInfo(folder).isDir())
        return true;
    // The parents as usual; the folder itself private to the user (the XDG rule):
    // settings and working files are nobody else's business.
    const QString clean = QDir::cleanPath(folder);
    const qsizetype cut = clean.lastIndexOf(u'/');
    if (cut > 0 && !QDir().mkpath(clean.left(cut)))
        return false;
    QDir().mkdir(clean, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return QFileInfo(clean).isDir();
}

int WorkFiles::writeRecord(const QString &path, const QByteArray &bytes)
{
    // A record is never a link: one planted there is replaced, not followed.
    if (QFileInfo(path).isSymLink() && !QFile::remove(path))
        return TextFile::PathAccess;
    return TextFile::writeSafely(path, bytes);
}

bool WorkFiles::removeRecord(const QString &path)
{
    return QFile::remove(path);
}

bool WorkFiles::isSaveTempName(const QString &name, const QString &fileName)
{
    if (fileName.isEmpty() || name.size() != fileName.size() + 7 || !name.startsWith(fileName)
        || name[fileName.size()] != u'.')
        return false;
    for (qsizetype i = fileName.size() + 1; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        if (!((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')))
            return false;
    }
    return true;
}

int WorkFiles::removeStaleSaveTemps(const QString &docPath) const
{
    const QString target = TextFile::saveTarget(docPath);
    if (target.isEmpty())
        return 0;
    const QFileInfo doc(target);
    const QString fileName = doc.fileName();
    int removed = 0;
    QDirIterator it(doc.absolutePath(), QDir::Files | QDir::Hidden | QDir::System);
    while (it.hasNext()) {
        const QString path = it.next();
        if (!isSaveTempName(it.fileName(), fileName))
            continue;
#ifdef Q_OS_UNIX
        // A plain file of this user's, not a link, written before this run began.
        struct stat st {};
        if (::lstat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid())
            continue;
        const qint64 mtimeMs = qint64(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1'000'000;
#else
        const QFileInfo info(path);
        if (info.isSymLink() || !info.isFile())
            continue;
        const qint64 mtimeMs = info.lastModified().toMSecsSinceEpoch();
#endif
        if (mtimeMs < m_startedMs && QFile::remove(path))
            ++removed;
    }
    return removed;
}
