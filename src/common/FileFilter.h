#pragma once
#include <QString>

// One description/pattern pair of a file dialog filter,
// e.g. "HTML Document (*.htm; *.html)" / "*.htm;*.html".
struct FileFilter {
    QString description;
    QString pattern;
};
