#include "search/CaseFold.h"

#include <QChar>
#include <memory>

namespace {

// Every BMP unit's lower case, built once: a table look-up keeps a fold of a
// 10 MB page to a few milliseconds.
const char16_t *lowerTable()
{
    static const std::unique_ptr<char16_t[]> table = [] {
        auto t = std::make_unique<char16_t[]>(0x10000);
        for (char32_t u = 0; u < 0x10000; ++u)
            t[u] = QChar(char16_t(u)).toLower().unicode();
        return t;
    }();
    return table.get();
}

} // namespace

namespace CaseFold {

char16_t unit(char16_t u)
{
    return lowerTable()[u];
}

void foldInto(QStringView text, char16_t *out)
{
    // Mark-up is mostly ASCII: blocks of it are folded by arithmetic the compiler
    // turns into vector code; other blocks go through the table.
    constexpr qsizetype Block = 32;
    const char16_t *table = lowerTable();
    const char16_t *in = text.utf16();
    const qsizetype n = text.size();
    qsizetype i = 0;
    for (; i + Block <= n; i += Block) {
        char16_t any = 0;
        for (qsizetype j = 0; j < Block; ++j)
            any |= in[i + j];
        if (any < 0x80) {
            for (qsizetype j = 0; j < Block; ++j) {
                const char16_t c = in[i + j];
                out[i + j] = char16_t(c + (char16_t(c - u'A') < 26 ? 32 : 0));
            }
        } else {
            for (qsizetype j = 0; j < Block; ++j)
                out[i + j] = table[in[i + j]];
        }
    }
    for (; i < n; ++i)
        out[i] = table[in[i]];
}

QString lower(QStringView text)
{
    QString folded(text.size(), Qt::Uninitialized);
    foldInto(text, reinterpret_cast<char16_t *>(folded.data()));
    return folded;
}

} // namespace CaseFold
