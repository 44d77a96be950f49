#include "app/SettingsFile.h"

#include "common/FieldReader.h"
#include "common/TextFile.h"

namespace {

const QString kHeader = QStringLiteral("[kodoplet]");

// A settings file is eleven short lines; anything bigger is not ours.
constexpr qint64 kMaxFileBytes = 1024 * 1024;
// Longer than any path or font name: such a field is damage, not a value.
constexpr qsizetype kMaxTextField = 4096;

bool readInt(const QString &field, int &target)
{
    bool ok = false;
    const int value = field.trimmed().toInt(&ok, 10);
    if (ok)
        target = value;
    return ok;
}

// "True"/"False" in any letter case, or a number (0 false, anything else true).
bool readBool(const QString &field, bool &target)
{
    const QString f = field.trimmed();
    if (f.compare(u"True", Qt::CaseInsensitive) == 0) {
        target = true;
        return true;
    }
    if (f.compare(u"False", Qt::CaseInsensitive) == 0) {
        target = false;
        return true;
    }
    int number = 0;
    if (!readInt(f, number))
        return false;
    target = number != 0;
    return true;
}

// A line break inside a value only comes from a quote that never closed.
bool readText(const QString &field, QString &target)
{
    if (field.size() > kMaxTextField || field.contains(u'\r') || field.contains(u'\n'))
        return false;
    target = field;
    return true;
}

QString boolText(bool b) { return b ? QStringLiteral("True") : QStringLiteral("False"); }

// One leading space standing for the sign, one trailing space.
QString numberText(int n) { return (n < 0 ? QString() : QStringLiteral(" ")) + QString::number(n) + u' '; }

// Text values go out unchanged when the field reader gives them back unchanged.
// A value with a comma, or with blanks or a quote at its ends, is put in quotes so
// that it is not cut and the lines after it do not shift. A value that cannot come
// back whole at all (a line break, or a quote inside a value that needs quotes) is
// written empty: losing that one value is better than shifting all the others.
QString textField(const QString &value)
{
    if (value.contains(u'\r') || value.contains(u'\n'))
        return QString();
    const bool needsQuotes = value.contains(u',')
        || (!value.isEmpty()
            && (value.front() == u' ' || value.front() == u'\t' || value.front() == u'"'
                || value.back() == u' ' || value.back() == u'\t'));
    if (!needsQuotes)
        return value;
    if (value.contains(u'"'))
        return QString();
    return u'"' + value + u'"';
}

} // namespace

namespace SettingsFile {

void initDefaults(Settings &s, const QString &executableFolder)
{
    s = Settings();
    // An empty folder stands for the current one rather than for the root.
    s.ProgramFolder = executableFolder.isEmpty() ? QStringLiteral(".") : executableFolder;
    s.PathSeparator = s.ProgramFolder.contains(u'\\') ? QStringLiteral("\\") : QStringLiteral("/");
    if (!s.ProgramFolder.endsWith(s.PathSeparator))
        s.ProgramFolder += s.PathSeparator;
    s.EditorFontName = QStringLiteral("MS Sans Serif");
    s.EditorFontSize = 12;
    s.EditorFontBold = true;
    s.EditorFontItalic = false;
    s.DataFolder = s.ConfigFolder = s.WorkFolder = s.UserFolder = s.ProgramFolder;
    s.LastFolder = s.ProgramFolder;
    s.ToolbarChecked = true;
    s.ListTagsChecked = true;
}

bool read(const QString &path, Settings &s)
{
    const ReadResult file = TextFile::read(path, kMaxFileBytes);
    if (file.error != 0)
        return false;

    FieldReader fields(file.text);
    QString header;
    QString language;
    fields.next(header);
    const bool haveLanguage = fields.next(language);
    // The second field of a file with a wrong header is not taken: such a file is
    // not a settings file, and a stray language name would only fail to load.
    if (header != kHeader)
        return false;
    if (haveLanguage)
        readText(language, s.LanguageFile);

    QString f;
    // Each field that cannot be converted leaves its target as it was; a file that
    // ends early leaves the remaining targets as they were.
    if (!fields.next(f)) return true;
    readBool(f, s.ToolbarChecked);
    if (!fields.next(f)) return true;
    readBool(f, s.ListTagsChecked);
    if (!fields.next(f)) return true;
    readInt(f, s.WrapMode);
    if (!fields.next(f)) return true;
    readText(f, s.ProjectPath);
    if (!fields.next(f)) return true;
    // The editor cannot use an empty font name or a size it cannot draw.
    if (!f.isEmpty())
        readText(f, s.EditorFontName);
    if (!fields.next(f)) return true;
    int size = 0;
    if (readInt(f, size) && size > 0 && size <= 1000)
        s.EditorFontSize = size;
    if (!fields.next(f)) return true;
    readBool(f, s.EditorFontBold);
    if (!fields.next(f)) return true;
    readBool(f, s.EditorFontItalic);
    if (!fields.next(f)) return true;
    readText(f, s.LastFolder);
    return true;
}

QByteArray bytes(const Settings &s)
{
    const QString lines[] = {
        kHeader,
        textField(s.LanguageFile),
        boolText(s.ToolbarChecked),
        boolText(s.ListTagsChecked),
        numberText(s.WrapMode),
        textField(s.ProjectPath),
        textField(s.EditorFontName),
        numberText(s.EditorFontSize),
        boolText(s.EditorFontBold),
        boolText(s.EditorFontItalic),
        textField(s.LastFolder),
    };
    QString text;
    for (const QString &line : lines) {
        text += line;
        text += QStringLiteral("\r\n");
    }
    return text.toUtf8();
}

int write(const QString &path, const Settings &s)
{
    return TextFile::writeSafely(path, bytes(s));
}

} // namespace SettingsFile
