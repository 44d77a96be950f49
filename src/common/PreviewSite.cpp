#include "common/PreviewSite.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {
QByteArray withMark(const QString &text)
{
    return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}
}

QString PreviewSite::untitledRoot(const QString &projectPath, const QString &lastFolder, const QString &fallback)
{
    if (!projectPath.isEmpty()) {
        const QFileInfo project(projectPath);
        if (project.isAbsolute() && project.absoluteDir().exists())
            return project.absolutePath();
    }
    if (!lastFolder.isEmpty() && QFileInfo(lastFolder).isAbsolute() && QFileInfo(lastFolder).isDir())
        return QFileInfo(lastFolder).absoluteFilePath();
    return fallback;
}

QString PreviewSite::hostOf(int slot)
{
    return QStringLiteral("doc-") + QString::number(slot);
}

PreviewSite::Memory PreviewSite::htmlPage(const QString &text)
{
    return {withMark(text), QByteArrayLiteral("text/html;charset=utf-8")};
}

PreviewSite::Memory PreviewSite::script(const QString &text)
{
    return {withMark(text), QByteArrayLiteral("text/javascript;charset=utf-8")};
}

PreviewSite::Answer PreviewSite::resolve(const QString &urlPath) const
{
    Answer a;
    QString rel = urlPath;
    while (rel.startsWith(u'/'))
        rel.remove(0, 1);
    if (rel.contains(QChar(0)) || rel.contains(u'\\'))
        return a;
    const auto page = pages.constFind(rel);
    if (page != pages.constEnd()) {
        a.kind = Answer::FromMemory;
        a.memory = *page;
        return a;
    }
    if (root.isEmpty() || rel.isEmpty())
        return a;
    const QString clean = QDir::cleanPath(rel);
    if (clean == QLatin1String("..") || clean.startsWith(QLatin1String("../")) || QDir::isAbsolutePath(clean))
        return a;
    const QString base = QFileInfo(root).canonicalFilePath();
    if (base.isEmpty())
        return a;
    // The canonical path has every link resolved: it must still be under the root.
    const QFileInfo file(base + u'/' + clean);
    const QString real = file.canonicalFilePath();
    const QString prefix = base.endsWith(u'/') ? base : base + u'/';
    if (real.isEmpty() || !real.startsWith(prefix) || !QFileInfo(real).isFile())
        return a;
    a.kind = Answer::FromFile;
    a.file = real;
    return a;
}

QString PreviewSite::attributeText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&': out += QLatin1String("&amp;"); break;
        case '<': out += QLatin1String("&lt;"); break;
        case '>': out += QLatin1String("&gt;"); break;
        case '"': out += QLatin1String("&quot;"); break;
        case '\'': out += QLatin1String("&#39;"); break;
        default: out += c;
        }
    }
    return out;
}

QString PreviewSite::scriptWrapperPage(const QString &scriptFileName)
{
    // The name is an address relative to the page: "#", "?" and "%" in it are
    // parts of the name, not of the address.
    const QString address = QString::fromLatin1(QUrl::toPercentEncoding(scriptFileName));
    return QStringLiteral("<html><head><title>Script</title></head><body topmargin=\"0\" leftmargin=\"0\">"
                          "<script language=\"JavaScript\" src=\"")
        + attributeText(address) + QStringLiteral("\"></script></body></html>");
}
