#pragma once
// Shared by the fuzz targets: a scratch file for readers that take a path.
#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

namespace fuzz {

// Aborts with a message libFuzzer shows next to the crashing input.
[[noreturn]] inline void fail(const char *what)
{
    fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

inline void check(bool ok, const char *what)
{
    if (!ok)
        fail(what);
}

// A folder of its own for the whole run (put TMPDIR on /dev/shm to spare the disk).
inline const QTemporaryDir &scratchDir()
{
    static QTemporaryDir dir;
    return dir;
}

// Plain writes: no sync per run.
inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

} // namespace fuzz
