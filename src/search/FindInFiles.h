#pragma once
#include "common/TextFormat.h"
#include "search/ReplaceInDocument.h"

#include <QHash>
#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>

// What Edit > Find in Files looks for.
struct FindQuery {
    QString text;
    QString replacement;
    bool matchCase = false;
    bool wholeWord = false;   // not inside a longer word (letters, digits, "_")
    bool regex = false;       // text is a regular expression; the replacement may name groups as \1..\9
};

// One hit: its place as the gutter counts (1-based line and column, in
// characters of the text with CR LF breaks), the line it is on and the hit in it.
struct FindHit {
    int line = 0;
    int column = 0;
    int length = 0;
    QString lineText;    // the line (cut to about 300 characters round the hit)
    int markStart = 0;   // the hit inside lineText
    int markLength = 0;
};

struct FileHits {
    QString path;
    QList<FindHit> hits;
};

// What a search over many files found; counts hold every hit, also those past MaxHits.
struct FindInFilesResult {
    QList<FileHits> files;     // files with hits, in the order searched
    int hits = 0;
    int listed = 0;            // hits held in files (at most MaxHits)
    int searched = 0;          // files read and searched
    int skipped = 0;           // binary or larger than SizeLimit
    int unreadable = 0;
    bool cancelled = false;
    static constexpr int MaxHits = 5000;
};

// A query made ready for searching: plain text is sought with indexOf (word
// ends checked by hand), a regular expression with QRegularExpression.
struct FindPattern {
    QRegularExpression re;     // regular expressions only
    QString text;              // plain text only
    Qt::CaseSensitivity cs = Qt::CaseInsensitive;
    bool wholeWord = false;
    bool regex = false;
    bool valid = false;
    bool isValid() const { return valid; }
};

namespace FindInFiles {

constexpr qint64 SizeLimit = 16LL * 1024 * 1024;  // larger files are skipped
constexpr int BinaryProbe = 8192;                 // a NUL byte in these first bytes: not text
inline const QString DefaultNames = QStringLiteral("*.htm;*.html;*.css;*.js");

// What finds q.text; invalid when q.text is empty or not a valid expression
// (error then says why, "" for an empty text).
FindPattern compile(const FindQuery &q, QString *error = nullptr);

// Files under folder (and its subfolders, not following links to folders) whose
// names match one of the patterns ("*.htm;*.html", ";" or "," between them; none:
// every file), sorted by path.
QStringList listFiles(const QString &folder, const QString &patterns, const std::atomic<bool> *cancel = nullptr);

// Every non-empty match of re in text, at most maxHits of them (the count of all
// of them in *total when given). Lines are counted by CR LF, LF or CR. Linear.
QList<FindHit> findInText(const QString &text, const FindPattern &re, int maxHits, int *total = nullptr);

// Every match of re in text replaced as one covering change, with its spans
// (ReplaceResult.count 0: no match). With expand, \0..\9 in replacement name the
// match's groups and \\ stands for a backslash; otherwise it is put in as it is.
ReplaceResult replaceAll(const QString &text, const FindPattern &re, const QString &replacement, bool expand);

enum class Read { Text, Binary, TooLarge, Failed };
// A file as the program reads documents (its encoding and line breaks into
// format, the text with CR LF breaks), or why it is not searched.
Read readText(const QString &path, QString *text, TextFormat *format, qint64 sizeLimit = SizeLimit);

// Searches files in order; a file in openTexts (path -> the editor's text) is
// searched as its document holds it, not as on disk. progress(done, total) is
// called now and then from the calling thread; cancel stops between files.
// Files larger than sizeLimit are skipped.
FindInFilesResult search(const QStringList &files, const FindPattern &re,
                         const QHash<QString, QString> &openTexts, const std::atomic<bool> *cancel = nullptr,
                         const std::function<void(int, int)> &progress = {}, qint64 sizeLimit = SizeLimit);

// Replaces every match in a file that is not open: read, replaced, written back
// through the safe writer in its own encoding and line breaks. Returns the
// replacements made (0: the file is left untouched), or -1 with *error set to a
// TextFile error.
int replaceInFile(const QString &path, const FindPattern &re, const QString &replacement, bool expand,
                  int *error);

} // namespace FindInFiles
