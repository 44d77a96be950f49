#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer into build-fuzz/, and seeds a
# corpus folder for each from the shipped files. Needs clang-14 and
# libclang-rt-14-dev (apt-get install clang-14 libclang-rt-14-dev).
# Run one:  TMPDIR=/dev/shm build-fuzz/fuzz_language build-fuzz/corpus/language -max_len=8192 -max_total_time=60
set -euo pipefail
cd "$(dirname "$0")/.."
CXX=${CXX:-$(command -v clang++-14 || command -v clang++)}
out=build-fuzz
mkdir -p "$out"
flags=(-std=c++20 -g -O1 -fPIC -fno-omit-frame-pointer -fsanitize=fuzzer,address,undefined
       -fno-sanitize-recover=undefined -Isrc -Ifuzz)
read -r -a qt_cflags <<<"$(pkg-config --cflags Qt6Core)"
read -r -a qt_libs <<<"$(pkg-config --libs Qt6Core)"

build() {   # name, sources...
    local name=$1; shift
    echo "building $out/fuzz_$name"
    "$CXX" "${flags[@]}" "${qt_cflags[@]}" "fuzz/fuzz_$name.cpp" "$@" "${qt_libs[@]}" -o "$out/fuzz_$name"
}
build decode src/common/TextFile.cpp src/common/FieldReader.cpp
build settings src/app/SettingsFile.cpp src/common/TextFile.cpp src/common/FieldReader.cpp
build language src/lang/LanguageFile.cpp src/lang/LanguageTexts.cpp src/lang/BuiltInTexts.cpp \
    src/common/TextFile.cpp src/common/FieldReader.cpp
build select src/tags/SelectReader.cpp src/tags/SelectList.cpp src/tags/DialogMarkup.cpp src/tags/FontSample.cpp \
    src/tags/TagSnippet.cpp

# Seeds: the shipped language files and help pages, and a settings file.
mkdir -p "$out/corpus/decode" "$out/corpus/settings" "$out/corpus/language"
cp resources/Language/*.txt "$out/corpus/language/"
cp resources/Language/*.txt "$out/corpus/decode/"
find resources/Help -name '*.htm*' -size -64k -exec cp {} "$out/corpus/decode/" \;
printf '[kodoplet]\r\nEnglish.txt\r\nTrue\r\nFalse\r\n 0 \r\n/home/u/p.wpr\r\nMS Sans Serif\r\n 12 \r\nTrue\r\nFalse\r\n"/home/u/a, b"\r\n' \
    > "$out/corpus/settings/seed.ini"
