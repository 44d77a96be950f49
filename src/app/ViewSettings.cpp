#include "app/ViewSettings.h"
#include "common/TextFile.h"

#include <QStringList>
#include <algorithm>

namespace {

constexpr qint64 kMaxFileBytes = 64 * 1024;

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
    const QStringList lines = file.text.split(u'\n');
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
        else if (name == u"zoom")
            readInt(value, MinZoom, MaxZoom, Zoom);
    }
    return true;
}

QByteArray ViewSettings::bytes() const
{
    return QByteArray("[kodoplet-view]\n") + line("highlighting", Highlighting)
        + line("lineNumbers", LineNumbers) + line("statusBar", StatusBar) + line("closeTags", CloseTags)
        + line("autoIndent", AutoIndent) + "zoom=" + QByteArray::number(Zoom) + '\n';
}

int ViewSettings::write(const QString &path) const
{
    return TextFile::writeSafely(path, bytes());
}
