#!/usr/bin/env bash
# Installs what is missing, builds, runs every test, runs the core tests again under
# AddressSanitizer + UndefinedBehaviorSanitizer and under ThreadSanitizer (the 60 Hz search's
# helper thread), and checks the formatting.
set -euo pipefail
cd "$(dirname "$0")"

bash scripts/setup.sh

jobs=$(nproc 2>/dev/null || echo 2)

echo "== build and test (warnings are errors)"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_WERROR=ON
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== core tests under AddressSanitizer + UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVANE_WERROR=ON \
    -DKORVANE_SANITIZE=ON -DKORVANE_BUILD_BENCH=OFF -DKORVANE_BUILD_GUI=OFF
cmake --build build-asan -j "$jobs" --target korvane_core_tests
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ./build-asan/tests/korvane_core_tests --gtest_brief=1

echo "== core tests under ThreadSanitizer"
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_WERROR=ON \
    -DKORVANE_THREAD_SANITIZE=ON -DKORVANE_BUILD_BENCH=OFF -DKORVANE_BUILD_GUI=OFF
cmake --build build-tsan -j "$jobs" --target korvane_core_tests
# A kernel with more mmap randomisation bits than this TSan runtime knows stops it before any
# test runs ("unexpected memory mapping"); such a run is repeated without address randomisation.
tsan_log=build-tsan/core_tests.log
if ! TSAN_OPTIONS=halt_on_error=1 ./build-tsan/tests/korvane_core_tests --gtest_brief=1 \
    2>&1 | tee "$tsan_log"; then
    if grep -q "unexpected memory mapping" "$tsan_log"; then
        TSAN_OPTIONS=halt_on_error=1 setarch "$(uname -m)" -R \
            ./build-tsan/tests/korvane_core_tests --gtest_brief=1
    else
        exit 1
    fi
fi

echo "== layer order of the core and the generated data"
python3 tools/check_layers.py
python3 tools/gen_catalog_data.py --check
python3 tools/gen_material_data.py --check

echo "== formatting"
dirs=()
for d in src tests bench tools fuzz; do
    if [ -d "$d" ]; then dirs+=("$d"); fi
done
find "${dirs[@]}" \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z |
    xargs -0 clang-format --dry-run --Werror
echo "formatting: ok"
