// libFuzzer target for the select-list builder's selection reader: the bytes,
// taken as UTF-8 text, are what the user selected before opening the builder.
// Also checks the font dialog's sample page, which shows typed text as text.
//
//     clang++ -std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -Isrc $(pkg-config --cflags Qt6Core) fuzz/fuzz_select.cpp src/tags/SelectReader.cpp src/tags/SelectList.cpp src/tags/DialogMarkup.cpp src/tags/FontSample.cpp src/tags/TagSnippet.cpp $(pkg-config --libs Qt6Core) -o /tmp/fuzz_select
//     mkdir -p /tmp/corpus_select && /tmp/fuzz_select /tmp/corpus_select -max_len=65536 -max_total_time=300
#include "tags/FontSample.h"
#include "tags/SelectList.h"
#include "tags/SelectReader.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdlib>

namespace {

// What the builder can write so that it reads back the same: no double quote
// in the name or a value, no "<" in a text.
bool writable(const SelectReading &r)
{
    if (r.name.isEmpty() || r.options.isEmpty() || r.name.contains(u'"'))
        return false;
    for (const SelectOption &o : r.options) {
        if (o.value.contains(u'"') || o.text.contains(u'<'))
            return false;
    }
    return true;
}

void checkReader(const QString &text)
{
    const SelectReading r = readSelectElement(text);
    // Every option takes at least one "<" of the text.
    if (r.options.size() > text.count(u'<'))
        std::abort();
    if (!writable(r))
        return;
    SelectList list;
    list.setOptions(r.options);
    const QString built = list.build(r.name).snippet.text;
    const SelectReading again = readSelectElement(built);
    if (again.name != r.name || again.options != r.options)
        std::abort();
    list.setOptions(again.options);
    if (list.build(again.name).snippet.text != built)
        std::abort();
}

void checkSample(const QString &text)
{
    // The page keeps its own seven tags and the face stays inside its two quotes.
    const QString page = fontSamplePage({text, {}, {}}, {});
    if (!text.isEmpty() && (page.count(u'<') != 7 || page.count(u'"') != 2 || page.contains(u'\'')))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    checkReader(text);
    checkSample(text);
    return 0;
}
