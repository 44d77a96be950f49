#pragma once
#include "lang/LanguageData.h"
#include <QString>
#include <QStringList>

// Language files: field 1 the language's own name, field 2 its help file, then
// records of two fields (entry number, text) to the end of the file, read with the
// same field rules as the settings and project files.
namespace LanguageFile {

// A real language file is a few kilobytes; anything past this is not one.
constexpr qint64 MaxBytes = 16LL * 1024 * 1024;

// Parses the decoded text of a language file. Never fails: a record numbered
// outside 1..109 is read and dropped, a later record wins over an earlier one with
// the same number, and a number field that is not an integer is dropped on its
// own, so the field after it is tried as the next number. That keeps the records
// in step after a text cut in two by an unquoted comma, or after a blank line.
LanguageData parse(const QString &text);

// Reads and parses the file at path. Returns 0, or TextFile::NotFound (53) when
// there is no such file and TextFile::OpenFailed (97) for any other failure:
// unreadable, not a regular file, too big, or no language file at all, which is
// a file without its two header fields and at least one record numbered 1..106
// (an empty file, any other text, an image). Loading such a file would blank
// the title and every caption. data is left untouched on failure.
// A damaged file loads what it can: NUL and other stray bytes are only
// characters of the fields they stand in. UTF-16 with its mark is understood.
int read(const QString &path, LanguageData &data);

// True when name can name a file inside the Language folder: not blank, no
// folder parts ("/" or "\"), not "." or "..", no control characters (the name
// must come back whole from its line in the settings file). The settings file's
// language name is checked with this before anything is opened, so it never
// reaches a file outside the folder ("../../etc/passwd").
bool isPlainLanguageFileName(const QString &name);

// True when name (field 2) names a page inside the Help folder: "Help/" and a
// plain name, or sub-folders of it, without "..", "\", a scheme, quotes, angle
// brackets or control characters. Anything else falls back to the built-in help
// file, so a language file never sends the opener outside the program's pages.
bool isHelpFileName(const QString &name);

// Field 1 of a language file's text: the name the chooser lists.
QString languageName(const QString &text);

// Field 1 of the file at path, for the chooser's list. False (and name empty)
// exactly when read() refuses the file, so the chooser never offers a file the
// loader would refuse. A file past MaxBytes is refused before it is read.
bool readLanguageName(const QString &path, QString &name);

// The chooser's row to select when it opens: the current language's file when
// one is remembered; at a first start the file whose locale (entry 109) matches
// the system's ("de" for "de_AT", an exact "pt_BR" first), else the English
// file, else the first row. -1 for an empty list. files and locales go in step.
int preferredRow(const QStringList &files, const QStringList &locales, const QString &currentFile,
                 const QString &systemLocale);

} // namespace LanguageFile
