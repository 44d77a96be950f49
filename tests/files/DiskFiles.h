#pragma once
// Whole files as the tests write and read them.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace disk {
// Writes bytes to path, its folder made first; the test fails when it cannot.
inline void put(const QString &path, const QByteArray &bytes = {})
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size(), qPrintable(path));
}
// The bytes of path, or "<missing>" when it cannot be read.
inline QByteArray get(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}
} // namespace disk
