#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

class ProjectList;

// What a project file holds: the name from the first line and the path lines
// after it, as read (repeats and empty lines kept; the list drops repeats).
struct ProjectData {
    QString name;
    QStringList lines;
};

// The project file (".wpr"): the project name on the first line, then the full
// path of each listed file, one a line, CR LF after every line. Written as UTF-8;
// read with the decoder of pages (UTF-8, else windows-1251) and the comma-field
// reader, so older files in the 8-bit code page still load.
namespace ProjectFile {

// A project file by its name (".wpr", any case).
bool isProjectFile(const QString &path);

// The first line as written: the name unchanged when the field reader gives it
// back whole, else in double quotes (a comma, or blanks or a quote at its ends).
// A line break cannot stand in a line and becomes a blank; inside quotes a double
// quote cannot be read back and becomes a single one.
QString nameLine(const QString &name);

// The bytes of a saved project. Untitled entries (no folder) are not written;
// nor is a path holding a line break, which no line can carry.
QByteArray bytes(const QString &name, const ProjectList &list);

// Reads decoded text: the first line is one field (quoted or not); when that
// field ended at a comma, the rest of the first line is the first path line.
// Every following line is one path line, read whole.
ProjectData parse(const QString &text);

// Reads the file at path: 0, TextFile::NotFound or TextFile::OpenFailed.
int read(const QString &path, ProjectData &data);

// Writes through the safe writer (the old file stays on any failure):
// 0, TextFile::PathAccess or TextFile::WriteFailed.
int write(const QString &path, const QString &name, const ProjectList &list);

// Adds the path lines to list through AddFile, then marks it unchanged.
void fill(ProjectList &list, const ProjectData &data);

} // namespace ProjectFile
