#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang (the core and the targets under
# AddressSanitizer and UndefinedBehaviorSanitizer, the core instrumented for coverage) and runs
# each of them for the given number of seconds (default 60) on a copy of its corpus, then
# prints the executions of every target.
#
#   tools/fuzz.sh [seconds]
#
# Environment: KORVANE_FUZZ_BUILD_DIR (default build-fuzz), KORVANE_FUZZ_JOBS (build jobs,
# default the number of processors). Inputs that crash or fail a check are saved as
# <build dir>/artifacts/<target>-crash-*; replay one with <build dir>/fuzz/fuzz_<target> FILE.
# The exit status is 1 when any target crashed or failed a check.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -lt 1 ]; then
    echo "usage: tools/fuzz.sh [seconds]" >&2
    exit 2
fi
build=${KORVANE_FUZZ_BUILD_DIR:-build-fuzz}
jobs=${KORVANE_FUZZ_JOBS:-$(nproc 2>/dev/null || echo 2)}

# clang and its libFuzzer runtime (Debian 12: clang 14), installed only when missing.
missing=()
command -v clang++ >/dev/null 2>&1 || missing+=(clang)
runtime=$(ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a 2>/dev/null |
    head -1 || true)
[ -n "$runtime" ] || missing+=(libclang-rt-14-dev)
if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "fuzz: missing packages: ${missing[*]}; run as root to install them" >&2
        exit 1
    fi
    echo "fuzz: installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Optimised, with debug information and with assertions (no NDEBUG).
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
    -DKORVANE_FUZZ=ON -DKORVANE_SANITIZE=ON -DKORVANE_WERROR=ON \
    -DKORVANE_BUILD_BENCH=OFF -DKORVANE_BUILD_GUI=OFF >/dev/null

mapfile -t targets < <(sed -n '/^set(KORVANE_FUZZ_TARGETS/,/)/p' fuzz/CMakeLists.txt |
    tr '()' '  ' | tr -s ' ' '\n' | grep -v -e '^set$' -e '^KORVANE_FUZZ_TARGETS$' -e '^$')
cmake --build "$build" -j "$jobs" --target "${targets[@]/#/fuzz_}"

export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
mkdir -p "$build/artifacts" "$build/logs"
declare -A executions crashes seedsFailing
failed=0
for t in "${targets[@]}"; do
    binary="$build/fuzz/fuzz_$t"
    work="$build/corpus-run/$t"
    log="$build/logs/$t.log"
    rm -rf "$work"
    mkdir -p "$work"
    : >"$log"
    # Seeds that fail a check today would stop every run at once: they are left out of the
    # run (and counted); the replay tests keep them.
    seedsFailing[$t]=0
    for seed in fuzz/corpus/"$t"/*; do
        if "$binary" -artifact_prefix="$build/artifacts/seed-$t-" "$seed" >>"$log" 2>&1; then
            cp "$seed" "$work"/
        else
            seedsFailing[$t]=$((seedsFailing[$t] + 1))
        fi
    done
    echo "fuzz: $t for ${seconds}s"
    # A run stops at the first input that crashes or fails a check (saved as an artifact); the
    # fuzzer then starts again on the grown corpus until the time is used up.
    executions[$t]=0
    crashes[$t]=0
    deadline=$((SECONDS + seconds))
    while [ $SECONDS -lt $deadline ] && [ "${crashes[$t]}" -lt 100 ]; do
        run="$build/logs/$t.run"
        status=0
        "$binary" "$work" -max_total_time=$((deadline - SECONDS)) -print_final_stats=1 \
            -timeout=25 -artifact_prefix="$build/artifacts/$t-" >"$run" 2>&1 || status=$?
        cat "$run" >>"$log"
        units=$(sed -n 's/^stat::number_of_executed_units: *//p' "$run" | tail -1)
        executions[$t]=$((executions[$t] + ${units:-0}))
        if [ "$status" -eq 0 ]; then
            break
        fi
        crashes[$t]=$((crashes[$t] + 1))
        failed=1
    done
done

echo
printf '%-20s %12s %9s %14s\n' target executions crashes "failing seeds"
for t in "${targets[@]}"; do
    printf '%-20s %12s %9s %14s\n' "$t" "${executions[$t]}" "${crashes[$t]}" "${seedsFailing[$t]}"
done
echo "logs: $build/logs/, crashing inputs: $build/artifacts/"
[ "$failed" -eq 0 ] || echo "fuzz: some targets crashed or failed a check" >&2
exit "$failed"
