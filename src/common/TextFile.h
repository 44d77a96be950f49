#pragma once
#include <QByteArray>
#include <QString>

#include "common/FileStamp.h"
#include "common/TextFormat.h"

#include <optional>

struct ReadResult {
    int error = 0;      // 0 ok, 53 file not found, 97 any other failure (unreadable, binary, too big)
    QString text;       // decoded, line breaks turned into CR LF
    TextFormat format;  // what was found in the file
    FileStamp stamp;    // the file as it was read
};

namespace TextFile {

constexpr int NotFound = 53;     // open failed: no such file
constexpr int OpenFailed = 97;   // open failed otherwise, or not a text file
constexpr int PathAccess = 75;   // write refused: permission, read-only file system, missing folder
constexpr int WriteFailed = 95;  // write failed otherwise: full disk, I/O error

// Decoding: UTF-8 with a byte-order mark, valid UTF-8 with non-ASCII bytes, else
// windows-1251; with followCharset (a page), plain ASCII bytes follow the page's
// first charset declaration (UTF-8 without a mark when it says utf-8). Line breaks
// (CR LF, LF or CR) become CR LF; the first style found is remembered in format.
QString decode(const QByteArray &bytes, TextFormat *format = nullptr, bool followCharset = false);

// How many characters from the start of a page are searched for its charset.
constexpr qsizetype CharsetScanLimit = 8192;
// The charset the page's first declaration in its head names (<meta charset=...>
// or <meta http-equiv="Content-Type" content="...; charset=...">), in lower case;
// "" when there is none. Only the first CharsetScanLimit characters are looked
// at, and the search ends at <body> or </head>.
QString declaredCharset(QStringView page);
QString declaredCharset(const QByteArray &page);
// The encoding a charset name stands for among those the program writes, or
// nothing for another (or an empty) name.
std::optional<TextEncoding> charsetEncoding(const QString &charset);

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

// Whole-file reading of a document, settings, project or language file;
// followCharset as for decode (pages).
ReadResult read(const QString &path, qint64 maxBytes = 512LL * 1024 * 1024, bool followCharset = false);

// The text a document save writes: one CR LF appended only when the text does not
// already end with a line break, so saving again never grows the file.
QString withFinalLineBreak(const QString &crlfText);

// Writes bytes through QSaveFile: every write and the flush are checked, and on any
// failure the old file stays as it was. Writing through a symbolic link updates the
// file it points to and keeps the link. The new file keeps the old one's owner and
// group where the process may set them. A file with several hard links is written
// in place instead, so every name sees the new text: first its old content goes to
// a backup copy beside it ("name.XXXXXX.bak", removed afterwards), which is written
// back if the write fails. Returns 0, PathAccess or WriteFailed.
int writeSafely(const QString &path, const QByteArray &bytes);

// The file a save of path writes: the end of its chain of symbolic links; "" for a loop.
QString saveTarget(const QString &path);

// Convenience: encode + writeSafely.
int writeText(const QString &path, const QString &crlfText, const TextFormat &format);

} // namespace TextFile
