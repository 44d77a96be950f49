#include "app/ViewSettings.h"
#include "common/TextFile.h"

#include <QStringList>
#include <algorithm>

namespace {

constexpr qint64 kMaxFileBytes = 1024 * 1024;

void readBool(const QString &value, bool &target)
{
    const QString v = value.trimmed();
    if (v.compare(u"true", Qt::CaseInsensitive) == 0 || v == u"1")
        target = true;
    else if (v.compare(u"false", Qt::CaseInsensitive) == 0 || v == u"0")
        target = false;
}

// A number out of range is brought to its bound; one that is no number changes nothing.
void readInt(const QString &value, int low, int high, int &target)
{
    bool ok = false;
    const qlonglong v = value.trimmed().toLongLong(&ok);
    if (ok)
        target = int(std::clamp<qlonglong>(v, low, high));
}

// "x,y,width,height" with a positive size; anything else leaves target as it was.
void readRect(const QString &value, QRect &target)
{
    const QStringList parts = value.trimmed().split(u',');
    if (parts.size() != 4)
        return;
    int v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = parts[i].trimmed().toInt(&ok);
        if (!ok || v[i] < -100000 || v[i] > 100000)
            return;
    }
    if (v[2] > 0 && v[3] > 0)
        target = QRect(v[0], v[1], v[2], v[3]);
}

// A file name kept on one line: none with a line break, none empty.
bool storable(const QString &path)
{
    return !path.isEmpty() && !path.contains(u'\n') && !path.contains(u'\r');
}

QByteArray line(const char *name, bool value)
{
    return QByteArray(name) + (value ? "=true\n" : "=false\n");
}

} // namespace

bool ViewSettings::read(const QString &path)
{
    const ReadResult file = TextFile::read(path, kMaxFileBytes);
    if (file.error != 0)
        return false;
    // The reader gives CR LF line breaks.
    const QStringList lines = file.text.split(QStringLiteral("\r\n"));
    for (const QString &raw : lines) {
        const qsizetype eq = raw.indexOf(u'=');
        if (eq <= 0)
            continue;
        const QString name = raw.left(eq).trimmed();
        const QString value = raw.mid(eq + 1);
        if (name == u"highlighting")
            readBool(value, Highlighting);
        else if (name == u"lineNumbers")
            readBool(value, LineNumbers);
        else if (name == u"statusBar")
            readBool(value, StatusBar);
        else if (name == u"closeTags")
            readBool(value, CloseTags);
        else if (name == u"autoIndent")
            readBool(value, AutoIndent);
        else if (name == u"completion")
            readBool(value, Completion);
        else if (name == u"zoom")
            readInt(value, MinZoom, MaxZoom, Zoom);
        else if (name == u"reopenPages")
            readBool(value, ReopenPages);
        else if (name == u"recent") {
            if (storable(value) && RecentFiles.size() < MaxRecent && !RecentFiles.contains(value))
                RecentFiles << value;
        } else if (name == u"page") {
            const qsizetype colon = value.indexOf(u':');
            bool ok = false;
            const int number = colon > 0 ? value.left(colon).toInt(&ok) : 0;
            const QString path = value.mid(colon + 1);
            if (ok && number >= 0 && storable(path) && Pages.size() < MaxPages)
                Pages.append({path, number});
        } else if (name == u"frame")
            readRect(value, FrameGeometry);
        else if (name == u"frameMaximized")
            readBool(value, FrameMaximized);
    }
    return true;
}

QByteArray ViewSettings::bytes() const
{
    QByteArray b = QByteArray("[kodoplet-view]\n") + line("highlighting", Highlighting)
        + line("lineNumbers", LineNumbers) + line("statusBar", StatusBar) + line("closeTags", CloseTags)
        + line("autoIndent", AutoIndent) + line("completion", Completion) + "zoom=" + QByteArray::number(Zoom) + '\n'
        + line("reopenPages", ReopenPages);
    if (!FrameGeometry.isNull())
        b += "frame=" + QByteArray::number(FrameGeometry.x()) + ',' + QByteArray::number(FrameGeometry.y()) + ','
            + QByteArray::number(FrameGeometry.width()) + ',' + QByteArray::number(FrameGeometry.height()) + '\n'
            + line("frameMaximized", FrameMaximized);
    int recent = 0;
    for (const QString &path : RecentFiles)
        if (storable(path) && recent++ < MaxRecent)
            b += "recent=" + path.toUtf8() + '\n';
    for (const Page &page : Pages.mid(0, MaxPages))
        if (storable(page.path))
            b += "page=" + QByteArray::number(page.line) + ':' + page.path.toUtf8() + '\n';
    return b;
}

void ViewSettings::addRecent(QStringList &list, const QString &path)
{
    if (!storable(path))
        return;
    list.removeAll(path);
    list.prepend(path);
    while (list.size() > MaxRecent)
        list.removeLast();
}

int ViewSettings::write(const QString &path) const
{
    return TextFile::writeSafely(path, bytes());
}

QRect ViewSettings::fittedFrame(const QRect &stored, const QRect &available)
{
    QRect r(stored.topLeft(), stored.size().boundedTo(available.size()));
    r.moveLeft(std::clamp(r.left(), available.left(), available.right() - r.width() + 1));
    r.moveTop(std::clamp(r.top(), available.top(), available.bottom() - r.height() + 1));
    return r;
}
