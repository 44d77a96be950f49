#pragma once
#include <QByteArray>
#include <QString>

#include "common/TextFormat.h"

struct ReadResult {
    int error = 0;      // 0 ok, 53 file not found, 97 any other failure (unreadable, binary, too big)
    QString text;       // decoded, line breaks turned into CR LF
    TextFormat format;  // what was found in the file
};

namespace TextFile {

constexpr int NotFound = 53;     // open failed: no such file
constexpr int OpenFailed = 97;   // open failed otherwise, or not a text file
constexpr int PathAccess = 75;   // write refused: permission, read-only file system, missing folder
constexpr int WriteFailed = 95;  // write failed otherwise: full disk, I/O error

// Decoding: UTF-8 with a byte-order mark, valid UTF-8 with non-ASCII bytes, else
// windows-1251. Line breaks (CR LF, LF or CR) become CR LF; the first style found
// is remembered in format.
QString decode(const QByteArray &bytes, TextFormat *format = nullptr);

// Encoding back: CR LF turned into the format's line break; in windows-1251 every
// character the code page cannot hold is written as "&#N;" (N its code point).
QByteArray encode(const QString &crlfText, const TextFormat &format);

// True when the bytes are not text (they hold NUL bytes).
bool looksBinary(const QByteArray &bytes);

// The error for a file that could not be opened for reading: NotFound when there
// is nothing at the path (no such file, a missing folder on the way, or a link
// whose target is missing), OpenFailed otherwise (a loop of symbolic links, a
// folder on the way that refuses entry, a file that refuses reading).
int openError(const QString &path);

// Whole-file reading of a document, settings, project or language file.
ReadResult read(const QString &path, qint64 maxBytes = 512LL * 1024 * 1024);

// The text a document save writes: one CR LF appended only when the text does not
// already end with a line break, so saving again never grows the file.
QString withFinalLineBreak(const QString &crlfText);

// Writes bytes through QSaveFile: every write and the flush are checked, and on any
// failure the old file stays as it was. Writing through a symbolic link updates the
// file it points to and keeps the link. Returns 0, PathAccess or WriteFailed.
int writeSafely(const QString &path, const QByteArray &bytes);

// Convenience: encode + writeSafely.
int writeText(const QString &path, const QString &crlfText, const TextFormat &format);

} // namespace TextFile
