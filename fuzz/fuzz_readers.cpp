// libFuzzer target for the readers of files the program did not write itself:
// the text decoder, the comma-field reader and the settings file.
// Build and run: see README.md in this folder.
#include "app/FieldReader.h"
#include "app/SettingsFile.h"
#include "files/TextFile.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

void checkDecoder(const QByteArray &bytes)
{
    TextFormat format;
    const QString text = TextFile::decode(bytes, &format);
    // Only CR LF pairs come out of the decoder.
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r'))
            std::abort();
        if (text[i] == u'\r' && (i + 1 == text.size() || text[i + 1] != u'\n'))
            std::abort();
    }
    // Saving in the format found and reading again gives the same text and format.
    TextFormat again;
    if (TextFile::decode(TextFile::encode(text, format), &again) != text)
        std::abort();
    if (again.encoding != format.encoding)
        std::abort();
    (void)TextFile::looksBinary(bytes);
}

void checkFieldReader(const QString &text)
{
    // Every call must move on: no more fields than characters plus one.
    FieldReader fields(text);
    QString field;
    qsizetype calls = 0;
    while (fields.next(field)) {
        if (++calls > text.size() + 1)
            std::abort();
    }
    FieldReader lines(text);
    calls = 0;
    while (lines.nextLine(field)) {
        if (++calls > text.size() + 1)
            std::abort();
    }
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

void checkSettings(const QByteArray &bytes)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kodoplet.ini"));
    if (!writeFile(path, bytes))
        return;
    Settings s;
    SettingsFile::initDefaults(s, dir.path());
    SettingsFile::read(path, s);
    // What was read can be written and read back (plain writes: no sync per run).
    if (!writeFile(path, SettingsFile::bytes(s)))
        return;
    Settings back;
    SettingsFile::initDefaults(back, dir.path());
    if (!SettingsFile::read(path, back))
        std::abort();
    if (back.EditorFontSize != s.EditorFontSize || back.WrapMode != s.WrapMode
        || back.EditorFontBold != s.EditorFontBold || back.EditorFontItalic != s.EditorFontItalic
        || back.ToolbarChecked != s.ToolbarChecked || back.ListTagsChecked != s.ListTagsChecked)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    checkDecoder(bytes);
    checkFieldReader(TextFile::decode(bytes));
    checkSettings(bytes);
    return 0;
}
