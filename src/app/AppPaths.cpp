#include "app/AppPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString withSlash(const QString &folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

// An XDG variable counts only when it holds an absolute path (the XDG rule:
// a relative one is invalid and ignored).
QString xdgFolder(const QString &value, const QString &home, const QString &fallback)
{
    if (QDir::isAbsolutePath(value))
        return withSlash(QDir::cleanPath(value)) + QStringLiteral("kodoplet/");
    return withSlash(QDir::cleanPath(home.isEmpty() ? QStringLiteral("/") : home)) + fallback
        + QStringLiteral("/kodoplet/");
}

bool isFolder(const QString &path)
{
    const QFileInfo info(path);
    return info.isDir();
}

} // namespace

AppPaths AppPaths::resolve(const Layout &layout)
{
    AppPaths p;
    const QString &exe = layout.executableFolder;
    const QString shared = withSlash(QDir::cleanPath(exe + sharedDataPath()));
    p.DataFolder = layout.languageBeside || !layout.languageShared ? exe : shared;
    p.installed = (!layout.languageBeside && layout.languageShared) || !layout.executableFolderWritable;
    p.HomeFolder = withSlash(QDir::cleanPath(layout.home.isEmpty() ? QDir::homePath() : layout.home));
    if (!p.installed) {
        p.ConfigFolder = p.WorkFolder = p.UserFolder = exe;
        p.RecoveryFolder = exe + QStringLiteral("recovery") + exe.right(1);
        return p;
    }
    p.ConfigFolder = xdgFolder(layout.xdgConfigHome, layout.home, QStringLiteral(".config"));
    p.WorkFolder = xdgFolder(layout.xdgCacheHome, layout.home, QStringLiteral(".cache"));
    p.RecoveryFolder = xdgFolder(layout.xdgStateHome, layout.home, QStringLiteral(".local/state")) + QStringLiteral("recovery/");
    p.UserFolder = p.HomeFolder;
    return p;
}

AppPaths::Layout AppPaths::probe(const QString &executableFolder)
{
    Layout l;
    l.executableFolder = executableFolder;
    l.languageBeside = isFolder(executableFolder + QStringLiteral("Language"));
    l.languageShared = isFolder(executableFolder + sharedDataPath() + QStringLiteral("Language"));
    l.executableFolderWritable = QFileInfo(executableFolder).isWritable();
    l.xdgConfigHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    l.xdgCacheHome = qEnvironmentVariable("XDG_CACHE_HOME");
    l.xdgStateHome = qEnvironmentVariable("XDG_STATE_HOME");
    l.home = qEnvironmentVariable("HOME");
    if (l.home.isEmpty())
        l.home = QDir::homePath();
    return l;
}

void AppPaths::applyTo(Settings &s) const
{
    s.DataFolder = DataFolder;
    s.ConfigFolder = ConfigFolder;
    s.WorkFolder = WorkFolder;
    s.UserFolder = UserFolder;
    s.RecoveryFolder = RecoveryFolder;
    // A build copy keeps its own files beside the program, but the user's pages
    // are not there: the first Open starts at home.
    s.LastFolder = HomeFolder;
}

