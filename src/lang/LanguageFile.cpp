#include "lang/LanguageFile.h"
#include "common/FieldReader.h"
#include "common/TextFile.h"
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace {

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
        return TextFile::openError(path);
    // Only regular files: a pipe would block the open.
    if (!info.isFile() || info.size() > MaxBytes)
        return TextFile::OpenFailed;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return TextFile::openError(path);
    // Not read(MaxBytes + 1): that sets aside the whole limit for a file of a few
    // kilobytes. A file that grew past the limit since the check is refused here.
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError || bytes.size() > MaxBytes)
        return TextFile::OpenFailed;
    // A damaged file with stray NUL bytes still gives every record it holds;
    // without a single record it is no language file.
    LanguageData parsed = parse(decodeLanguage(bytes));
    if (!parsed.hasRecords())
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
    // The whole file, through read(): a name taken from the beginning alone
    // would list files the loader then refuses.
    LanguageData data;
    const bool ok = read(path, data) == 0;
    name = ok ? data.languageName : QString();
    return ok;
}

bool isPlainLanguageFileName(const QString &name)
{
    const QString t = name.trimmed();
    if (t.isEmpty() || t == u"." || t == u"..")
        return false;
    for (const QChar c : name) {
        if (c == u'/' || c == u'\\' || c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
    }
    return true;
}

int preferredRow(const QStringList &files, const QStringList &locales, const QString &currentFile,
                 const QString &systemLocale)
{
    if (files.isEmpty())
        return -1;
    if (!currentFile.isEmpty()) {
        for (int r = 0; r < files.size(); ++r)
            if (files[r].compare(currentFile, Qt::CaseInsensitive) == 0)
                return r;
    }
    const auto language = [](const QString &locale) {
        return locale.section(QLatin1Char('_'), 0, 0).section(QLatin1Char('-'), 0, 0).toLower();
    };
    const QString wanted = systemLocale.trimmed();
    const auto localeAt = [&](int r) { return r < locales.size() ? locales[r].trimmed() : QString(); };
    if (!wanted.isEmpty() && wanted != QLatin1String("C")) {
        for (int r = 0; r < files.size(); ++r)
            if (!localeAt(r).isEmpty() && localeAt(r).compare(wanted, Qt::CaseInsensitive) == 0)
                return r;
        for (int r = 0; r < files.size(); ++r)
            if (!localeAt(r).isEmpty() && language(localeAt(r)) == language(wanted))
                return r;
    }
    for (int r = 0; r < files.size(); ++r)
        if (language(localeAt(r)) == QLatin1String("en"))
            return r;
    for (int r = 0; r < files.size(); ++r)
        if (files[r].compare(QLatin1String("English.txt"), Qt::CaseInsensitive) == 0)
            return r;
    return 0;
}

} // namespace LanguageFile

bool LanguageFile::isHelpFileName(const QString &name)
{
    if (!name.startsWith(QLatin1String("Help/")) || name.size() <= 5)
        return false;
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c == u'\\' || c == u'"' || c == u'\'' || c == u'<' || c == u'>' || c == u':'
            || c == u'?' || c == u'#' || c == u'%' || c == u'&' || c.unicode() == 0x7f)
            return false;
    }
    const QStringList parts = name.split(u'/');
    for (const QString &part : parts)
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
            return false;
    return true;
}
