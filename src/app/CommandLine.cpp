#include "app/CommandLine.h"
#include "files/ProjectFile.h"

#include <QDir>
#include <QUrl>

namespace {

QString absolute(const QString &name, const QString &currentFolder)
{
    QString path = name;
    if (name.startsWith(QLatin1String("file:"))) {
        const QUrl url(name);
        if (url.isLocalFile())
            path = url.toLocalFile();
    }
    return QDir::cleanPath(QDir(currentFolder).absoluteFilePath(path));
}

} // namespace

CommandLine CommandLine::parse(const QStringList &arguments, const QString &currentFolder)
{
    CommandLine c;
    bool options = true;
    for (const QString &arg : arguments) {
        if (arg.isEmpty())
            continue;
        if (options && arg == QLatin1String("--")) {
            options = false;
            continue;
        }
        if (options && arg.startsWith(u'-')) {
            if (arg == QLatin1String("--help") || arg == QLatin1String("-h"))
                c.help = true;
            else if (arg == QLatin1String("--version") || arg == QLatin1String("-v"))
                c.version = true;
            else if (arg == QLatin1String("--new-window"))
                c.newWindow = true;
            else
                c.ignored << arg;
            continue;
        }
        const QString path = absolute(arg, currentFolder);
        if (ProjectFile::isProjectFile(path))
            c.project = path;
        else
            c.documents << path;
    }
    return c;
}

QString CommandLine::usage()
{
    return QStringLiteral(
        "Usage: kodoplet [options] [file...]\n"
        "Opens each page or script named; a .wpr file opens that project.\n"
        "\n"
        "  -h, --help     show this text and end\n"
        "  -v, --version  show the version and end\n"
        "  --new-window   start a copy of its own; without it the files go to the\n"
        "                 copy already running on this display, which comes to the front\n"
        "  --             what follows are file names, even if they start with '-'\n"
        "\n"
        "Qt's own options (-platform, -style...) are taken as usual.\n");
}
