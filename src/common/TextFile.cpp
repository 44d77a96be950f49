#include "common/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <cstring>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif


namespace {

// windows-1251, bytes 0x80..0xFF. 0x98 has no character in the code page; it is
// read as U+0098 so that such a byte comes back unchanged on save.
constexpr std::array<char16_t, 128> kCp1251High = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // B8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, // C0
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, // C8
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, // D0
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, // D8
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, // E0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, // E8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, // F0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F, // F8
};

// Reverse of the table above for the whole BMP: 0 means "not in the code page".
const std::array<unsigned char, 0x10000> &cp1251Reverse()
{
    static const auto table = [] {
        std::array<unsigned char, 0x10000> t{};
        for (int b = 1; b < 0x80; ++b)
            t[b] = static_cast<unsigned char>(b);
        for (int i = 0; i < 128; ++i)
            t[kCp1251High[i]] = static_cast<unsigned char>(0x80 + i);
        return t;
    }();
    return table;
}

// Strict UTF-8 check: no overlong forms, no surrogates, nothing above U+10FFFF.
// Sets hasNonAscii when at least one multi-byte sequence was seen.
bool isValidUtf8(const unsigned char *p, qsizetype n, bool &hasNonAscii)
{
    hasNonAscii = false;
    qsizetype i = 0;
    while (i < n) {
        // Plain ASCII runs are skipped eight bytes at a time.
        if (n - i >= 8) {
            quint64 word;
            std::memcpy(&word, p + i, 8);
            if ((word & 0x8080808080808080ULL) == 0) {
                i += 8;
                continue;
            }
        }
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        hasNonAscii = true;
        int extra;
        unsigned char lo = 0x80, hi = 0xBF; // allowed range of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            if (c == 0xE0)
                lo = 0xA0;
            else if (c == 0xED)
                hi = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            if (c == 0xF0)
                lo = 0x90;
            else if (c == 0xF4)
                hi = 0x8F;
        } else {
            return false;
        }
        if (n - i <= extra)
            return false;
        if (p[i + 1] < lo || p[i + 1] > hi)
            return false;
        for (int k = 2; k <= extra; ++k) {
            if ((p[i + k] & 0xC0) != 0x80)
                return false;
        }
        i += extra + 1;
    }
    return true;
}

// True when one of the eight bytes is below 0x0E, so it may be a CR or an LF.
inline bool mayHoldBreak(quint64 word)
{
    constexpr quint64 ones = 0x0101010101010101ULL;
    return ((word - ones * 0x0E) & ~word & (ones * 0x80)) != 0;
}

// Counts the lone CRs and LFs (each will become CR LF) and reports the first break
// style seen. Works on the bytes: in UTF-8 and windows-1251 alike, 0x0D and 0x0A
// are always CR and LF.
qsizetype countLoneBreaks(const char *s, qsizetype n, LineBreak &first)
{
    first = LineBreak::CrLf;
    bool seen = false;
    qsizetype lone = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (n - i >= 8) {
            quint64 word;
            std::memcpy(&word, s + i, 8);
            if (!mayHoldBreak(word)) {
                i += 7;
                continue;
            }
        }
        if (s[i] == '\r') {
            const bool pair = i + 1 < n && s[i + 1] == '\n';
            if (!seen) {
                first = pair ? LineBreak::CrLf : LineBreak::Cr;
                seen = true;
            }
            if (pair)
                ++i;
            else
                ++lone;
        } else if (s[i] == '\n') {
            if (!seen) {
                first = LineBreak::Lf;
                seen = true;
            }
            ++lone;
        }
    }
    return lone;
}

// The bytes with every break turned into CR LF; lone is what countLoneBreaks gave.
QByteArray normaliseBreaks(const char *s, qsizetype n, qsizetype lone)
{
    QByteArray out(n + lone, Qt::Uninitialized);
    char *d = out.data();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char c = s[i];
        if (c != '\r' && c != '\n')
            continue;
        std::memcpy(d, s + start, size_t(i - start));
        d += i - start;
        *d++ = '\r';
        *d++ = '\n';
        if (c == '\r' && i + 1 < n && s[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    std::memcpy(d, s + start, size_t(n - start));
    return out;
}

// Decodes windows-1251 and turns breaks into CR LF in the same pass, so a large
// file costs one allocation of the final size.
QString decodeCp1251(const char *s, qsizetype n, qsizetype lone, bool asciiOnly)
{
    if (lone == 0) {
        // Latin-1 widening is fast; then the upper half is looked up in the table.
        QString out = QString::fromLatin1(s, n);
        if (!asciiOnly) {
            char16_t *d = reinterpret_cast<char16_t *>(out.data());
            for (qsizetype i = 0; i < n; ++i) {
                if (d[i] >= 0x80)
                    d[i] = kCp1251High[d[i] - 0x80];
            }
        }
        return out;
    }
    QString out(n + lone, Qt::Uninitialized);
    char16_t *d = reinterpret_cast<char16_t *>(out.data());
    for (qsizetype i = 0; i < n; ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c == '\r' || c == '\n') {
            *d++ = u'\r';
            *d++ = u'\n';
            if (c == '\r' && i + 1 < n && s[i + 1] == '\n')
                ++i;
        } else {
            *d++ = c < 0x80 ? char16_t(c) : kCp1251High[c - 0x80];
        }
    }
    return out;
}

// QString::fromUtf8 silently drops a leading U+FEFF; a second mark after the one
// that chose the encoding is text and must survive a save.
QString decodeUtf8(const char *s, qsizetype n)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(QByteArrayView(s, n));
}

const char *breakBytes(LineBreak lb)
{
    switch (lb) {
    case LineBreak::Lf:
        return "\n";
    case LineBreak::Cr:
        return "\r";
    case LineBreak::CrLf:
        break;
    }
    return "\r\n";
}

// Any break in the bytes (CR LF, or a stray CR or LF) becomes the wanted one.
QByteArray convertBreaks(QByteArray bytes, LineBreak lb)
{
    if (lb == LineBreak::CrLf) {
        LineBreak unused;
        const qsizetype lone = countLoneBreaks(bytes.constData(), bytes.size(), unused);
        return lone == 0 ? bytes : normaliseBreaks(bytes.constData(), bytes.size(), lone);
    }
    // One byte per break: never longer than before, so done in place.
    const char brk = lb == LineBreak::Lf ? '\n' : '\r';
    char *d = bytes.data();
    const qsizetype n = bytes.size();
    qsizetype j = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char c = d[i];
        if (c == '\r' || c == '\n') {
            d[j++] = brk;
            if (c == '\r' && i + 1 < n && d[i + 1] == '\n')
                ++i;
        } else {
            d[j++] = c;
        }
    }
    bytes.truncate(j);
    return bytes;
}

QByteArray encodeCp1251(const QString &text, LineBreak lb)
{
    const auto &rev = cp1251Reverse();
    const char *brk = breakBytes(lb);
    const qsizetype brkSize = qsizetype(std::strlen(brk));
    const char16_t *s = reinterpret_cast<const char16_t *>(text.constData());
    const qsizetype n = text.size();
    // One byte per character is the common case; the buffer grows only for
    // references and for breaks that get longer.
    QByteArray out(n, Qt::Uninitialized);
    qsizetype j = 0;
    const auto room = [&](qsizetype need) {
        if (j + need > out.size())
            out.resize(std::max(out.size() * 2, j + need));
        return out.data() + j;
    };
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = s[i];
        if (c == u'\r' || c == u'\n') {
            std::memcpy(room(brkSize), brk, size_t(brkSize));
            j += brkSize;
            if (c == u'\r' && i + 1 < n && s[i + 1] == u'\n')
                ++i;
            continue;
        }
        if (c == 0 || rev[c] != 0) {
            *room(1) = char(rev[c]);
            ++j;
            continue;
        }
        // Not in the code page: keep it as a numeric character reference, one
        // reference for a whole surrogate pair.
        char32_t code = c;
        if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(s[i + 1])) {
            code = QChar::surrogateToUcs4(c, s[i + 1]);
            ++i;
        }
        const QByteArray ref = "&#" + QByteArray::number(quint32(code)) + ';';
        std::memcpy(room(ref.size()), ref.constData(), size_t(ref.size()));
        j += ref.size();
    }
    out.truncate(j);
    return out;
}

} // namespace

namespace TextFile {

QString decode(const QByteArray &bytes, TextFormat *format, bool followCharset)
{
    TextFormat found;
    const char *data = bytes.constData();
    qsizetype size = bytes.size();
    const auto *p = reinterpret_cast<const unsigned char *>(data);
    bool nonAscii = false;
    if (size >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF && isValidUtf8(p + 3, size - 3, nonAscii)) {
        found.encoding = TextEncoding::Utf8Bom;
        data += 3;
        size -= 3;
    } else if (isValidUtf8(p, size, nonAscii) && nonAscii) {
        found.encoding = TextEncoding::Utf8;
    } else if (!nonAscii && followCharset && charsetEncoding(declaredCharset(bytes)) == TextEncoding::Utf8) {
        // Plain ASCII reads the same either way; the page's declaration says
        // what whatever is typed into it must be saved in.
        found.encoding = TextEncoding::Utf8;
    } else {
        // Also a file with a mark but broken UTF-8 after it: every byte then
        // survives a save unchanged instead of turning into U+FFFD.
        found.encoding = TextEncoding::Windows1251;
    }
    const qsizetype lone = countLoneBreaks(data, size, found.lineBreak);
    if (format)
        *format = found;
    if (found.encoding == TextEncoding::Windows1251)
        return decodeCp1251(data, size, lone, !nonAscii);
    if (lone == 0)
        return decodeUtf8(data, size);
    const QByteArray normalised = normaliseBreaks(data, size, lone);
    return decodeUtf8(normalised.constData(), normalised.size());
}

QByteArray encode(const QString &crlfText, const TextFormat &format)
{
    if (format.encoding == TextEncoding::Windows1251)
        return encodeCp1251(crlfText, format.lineBreak);
    QByteArray out = convertBreaks(crlfText.toUtf8(), format.lineBreak);
    if (format.encoding == TextEncoding::Utf8Bom)
        out.prepend("\xEF\xBB\xBF");
    return out;
}

bool looksBinary(const QByteArray &bytes)
{
    return std::memchr(bytes.constData(), 0, size_t(bytes.size())) != nullptr;
}

int openError(const QString &path)
{
#ifdef Q_OS_UNIX
    // QFileInfo::exists() is false for a link loop too, which is no missing file.
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) == 0)
        return OpenFailed;
    return errno == ENOENT || errno == ENOTDIR ? NotFound : OpenFailed;
#else
    return QFileInfo::exists(path) ? OpenFailed : NotFound;
#endif
}

ReadResult read(const QString &path, qint64 maxBytes, bool followCharset)
{
    ReadResult result;
    const QFileInfo info(path);
    if (!info.exists()) {
        result.error = openError(path);
        return result;
    }
    // Only regular files: a folder, a device or a pipe is not a document (and a
    // pipe would block the open).
    if (!info.isFile() || info.size() > maxBytes) {
        result.error = OpenFailed;
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = openError(path);
        return result;
    }
    // Stamped before reading: a write during the read shows as a newer time.
    result.stamp = FileStamp::of(path);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError || bytes.size() > maxBytes || looksBinary(bytes)) {
        result.error = OpenFailed;
        result.stamp = FileStamp();
        return result;
    }
    result.stamp.hash = FileStamp::hashOf(bytes);
    result.stamp.size = bytes.size();
    result.text = decode(bytes, &result.format, followCharset);
    return result;
}

// An empty document gets its line break too: read back, it ends with one and so
// stays as it is at every later save.
QString withFinalLineBreak(const QString &crlfText)
{
    if (crlfText.endsWith(u'\n') || crlfText.endsWith(u'\r'))
        return crlfText;
    return crlfText + QStringLiteral("\r\n");
}

} // namespace TextFile
