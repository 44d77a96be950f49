#include "lang/LanguageFile.h"
#include "app/FieldReader.h"
#include "files/TextFile.h"
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

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

bool isUtf16(const QByteArray &bytes)
{
    // FF FE 00 00 is the mark of UTF-32, which is not read.
    if (bytes.startsWith(QByteArrayView("\xFF\xFE\0\0", 4)))
        return false;
    return bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
}

// A file saved as UTF-16 (it carries its mark) is read as such; anything else
// goes through the decoder of the other text files. The field reader knows
// every line-break style, so no conversion is needed.
QString decodeLanguage(const QByteArray &bytes)
{
    if (!isUtf16(bytes))
        return TextFile::decode(bytes);
    QStringDecoder decoder(bytes.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
    return decoder.decode(QByteArrayView(bytes).sliced(2));
}

// A file with NUL bytes that yields not one entry is some other file that
// happens to end in ".txt" (an image, a UTF-32 text...): loading it would only
// blank every caption. With entries, it is a damaged language file.
bool isForeign(const QByteArray &bytes, const LanguageData &data)
{
    if (isUtf16(bytes) || !TextFile::looksBinary(bytes))
        return false;
    for (int n = LanguageData::FirstEntry; n <= LanguageData::LastEntry; ++n) {
        if (data.has(n))
            return false;
    }
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
    const QFileInfo info(path);
    if (!info.exists())
        return TextFile::NotFound;
    // Only regular files: a pipe would block the open.
    if (!info.isFile() || info.size() > MaxBytes)
        return TextFile::OpenFailed;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QFile::exists(path) ? TextFile::OpenFailed : TextFile::NotFound;
    const QByteArray bytes = file.read(MaxBytes + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > MaxBytes)
        return TextFile::OpenFailed;
    // A damaged file with stray NUL bytes still gives every record it holds.
    LanguageData parsed = parse(decodeLanguage(bytes));
    if (isForeign(bytes, parsed))
        return TextFile::OpenFailed;
    data = parsed;
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
    if (isUtf16(bytes)) {
        bytes.truncate(bytes.size() & ~qsizetype(1));
        name = languageName(decodeLanguage(bytes));
        return true;
    }
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
    const LanguageData probe = parse(TextFile::decode(bytes));
    if (isForeign(bytes, probe))
        return false;
    name = probe.languageName;
    return true;
}

} // namespace LanguageFile
