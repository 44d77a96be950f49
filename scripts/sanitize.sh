#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ and runs every test there. Slower than ./test.sh; for developers.
# Extra arguments go to ctest (for example: scripts/sanitize.sh -R test_lang).
# Leaks inside system libraries (Qt WebEngine, fontconfig, udev...) are
# suppressed through scripts/lsan.supp; our own code is never listed there.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/deps.sh
flags="-fsanitize=address,undefined -fno-omit-frame-pointer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" -DCMAKE_SHARED_LINKER_FLAGS="$flags"
cmake --build build-asan -j"${JOBS:-$(nproc)}"

export QT_QPA_PLATFORM=offscreen
export QTWEBENGINE_DISABLE_SANDBOX=1
# Qt WebEngine (Chromium) frees some of its own objects through a base type of
# another size, which stops any test that closes a browser; ASan cannot suppress
# that check by library. Our classes are covered by -Wdelete-non-virtual-dtor.
export ASAN_OPTIONS="detect_leaks=1:check_initialization_order=1:strict_init_order=1:print_stacktrace=1:new_delete_type_mismatch=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
cd build-asan
ctest --output-on-failure --timeout 900 -j1 "$@"
