// libFuzzer target: page decoding and the comma-field reader.
// An accepted file (TextFile::read takes every file without NUL bytes) decoded and
// encoded again in the format found gives the same bytes, with one intended
// difference: a file with mixed line breaks comes back in its first style only.
#include "FuzzFile.h"
#include "common/FieldReader.h"
#include "common/TextFile.h"

#include <cstdint>

using fuzz::check;

namespace {

// The bytes with every break (CR LF, lone CR, lone LF) written in style lb: what a
// save must give back. Breaks are single bytes in both encodings read.
QByteArray withBreaks(const QByteArray &bytes, LineBreak lb)
{
    const QByteArray brk = lb == LineBreak::CrLf ? "\r\n" : lb == LineBreak::Lf ? "\n" : "\r";
    QByteArray out;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n') {
            out += c;
            continue;
        }
        out += brk;
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
    }
    return out;
}

void checkDecoder(const QByteArray &bytes)
{
    TextFormat format;
    const QString text = TextFile::decode(bytes, &format);
    // Only CR LF pairs come out of the decoder.
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n')
            check(i > 0 && text[i - 1] == u'\r', "lone LF in decoded text");
        if (text[i] == u'\r')
            check(i + 1 < text.size() && text[i + 1] == u'\n', "lone CR in decoded text");
    }
    const QByteArray saved = TextFile::encode(text, format);
    if (!TextFile::looksBinary(bytes))
        check(saved == withBreaks(bytes, format.lineBreak), "decode then encode changed the bytes");
    // Saving and reading again gives the same text and format.
    TextFormat again;
    check(TextFile::decode(saved, &again) == text, "saved text reads back different");
    check(again.encoding == format.encoding, "saved text reads back in another encoding");
}

void checkFieldReader(const QString &text)
{
    // Every call must move on: no more fields than characters plus one.
    FieldReader fields(text);
    QString field;
    qsizetype calls = 0;
    while (fields.next(field))
        check(++calls <= text.size() + 1, "field reader does not move on");
    FieldReader lines(text);
    calls = 0;
    while (lines.nextLine(field))
        check(++calls <= text.size() + 1, "line reader does not move on");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    checkDecoder(bytes);
    checkFieldReader(TextFile::decode(bytes));
    return 0;
}
