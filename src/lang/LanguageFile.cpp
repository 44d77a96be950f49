#include "lang/LanguageFile.h"
#include "app/FieldReader.h"
#include "files/TextFile.h"
#include <QFile>
#include <QFileInfo>

namespace {

// How much of a file the chooser reads to find its first field.
constexpr qint64 NameProbeBytes = 64 * 1024;

// Reads an entry number. False when the field is not an integer at all; an
// integer out of range gives n = 0, which no entry uses.
bool readNumber(const QString &field, int &n)
{
    const QString t = field.trimmed();
    qsizetype i = 0;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
        ++i;
    if (i == t.size())
        return false;
    for (qsizetype k = i; k < t.size(); ++k) {
        if (t[k] < u'0' || t[k] > u'9')
            return false;
    }
    bool ok = false;
    const int value = t.toInt(&ok);
    n = ok ? value : 0;
    return true;
}

} // namespace

namespace LanguageFile {

LanguageData parse(const QString &text)
{
    LanguageData data;
    FieldReader reader(text);
    reader.next(data.languageName);
    reader.next(data.helpFile);

    QString numberField;
    QString entryText;
    while (reader.next(numberField)) {
        int n = 0;
        if (!readNumber(numberField, n))
            continue;   // a stray field: try the next one as a number
        if (!reader.next(entryText))
            break;      // a number with no text after it at the very end
        if (n >= LanguageData::FirstEntry && n <= LanguageData::LastEntry) {
            data.entries[n] = entryText;
            data.present[n] = true;
        }
    }
    return data;
}

int read(const QString &path, LanguageData &data)
{
    const ReadResult result = TextFile::read(path, MaxBytes);
    if (result.error == TextFile::NotFound)
        return TextFile::NotFound;
    if (result.error != 0)
        return TextFile::OpenFailed;
    data = parse(result.text);
    return 0;
}

QString languageName(const QString &text)
{
    FieldReader reader(text);
    QString name;
    reader.next(name);
    return name;
}

bool readLanguageName(const QString &path, QString &name)
{
    name.clear();
    // Only regular files: opening a pipe would block the chooser.
    if (!QFileInfo(path).isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray bytes = file.read(NameProbeBytes);
    if (!file.atEnd()) {
        // Cut after the last whole line, so the decoder never sees half a
        // UTF-8 sequence and takes the file for windows-1251.
        const qsizetype lineEnd = bytes.lastIndexOf('\n');
        if (lineEnd >= 0) {
            bytes.truncate(lineEnd + 1);
        } else {
            qsizetype keep = bytes.size();
            while (keep > 0 && static_cast<unsigned char>(bytes[keep - 1]) >= 0x80)
                --keep;
            bytes.truncate(keep);
        }
    }
    if (TextFile::looksBinary(bytes))
        return false;
    name = languageName(TextFile::decode(bytes));
    return true;
}

} // namespace LanguageFile
