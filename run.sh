#!/usr/bin/env bash
# Installs what is missing, builds, and starts the desktop program korvane-designer when a
# display is available; otherwise runs the command line's automatic design on an example
# requirement.
set -euo pipefail
cd "$(dirname "$0")"

bash scripts/setup.sh >&2

jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORVANE_BUILD_TESTS=OFF \
    -DKORVANE_BUILD_BENCH=OFF >&2

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    cmake --build build-release -j "$jobs" --target korvane-designer >&2
    exec ./build-release/src/gui/korvane-designer "$@"
fi

echo "run: no display (DISPLAY or WAYLAND_DISPLAY); on a desktop ./run.sh starts" \
    "build-release/src/gui/korvane-designer - here the command-line design:" >&2
cmake --build build-release -j "$jobs" --target korvane >&2

# Automatic design of a 100 uH output choke for a 12 V / 5 V, 100 kHz buck stage at 10 A,
# printed as the ELECTRICAL and DIMENSION pages of the results window.
exec ./build-release/src/cli/korvane design --app dc-biased --L1 100 --Rs 0 --I1 10 \
    --V1 12 --V2 5 --f 100 --ta 55 --page both "$@"
