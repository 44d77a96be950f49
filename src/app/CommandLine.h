#pragma once
#include <QString>
#include <QStringList>

// The program's command line, after Qt has taken its own options:
//   kodoplet [--help] [--version] [--new-window] [--] [file...]
// Each file opens at start as through File > Open; a ".wpr" file is a project
// and opens instead of the remembered one (the last one named, when several are).
struct CommandLine {
    QStringList documents;   // absolute paths, in the order given
    QString project;         // absolute path of the project to open, "" when none
    QStringList ignored;     // options this program does not know, left alone
    bool help = false;
    bool version = false;
    bool newWindow = false;  // run as a copy of its own, not handing the files to a running one

    // arguments: without the program name. Relative names resolve against
    // currentFolder; "file:" addresses become local paths. "--" ends the options,
    // so a file whose name starts with "-" can still be named after it.
    static CommandLine parse(const QStringList &arguments, const QString &currentFolder);
    static QString usage();
};
