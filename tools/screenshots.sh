#!/usr/bin/env bash
# Renders every window of korvane-designer under Xvfb at 1280 x 1024 and saves the pictures
# as PNG in docs/screenshots (or the directory given), the printed results page through PDF
# and pdftoppm. Installs Xvfb and poppler-utils when missing (as root on Debian 12).
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-docs/screenshots}"

bash scripts/setup.sh
need=()
command -v Xvfb >/dev/null || need+=(xvfb)
command -v xauth >/dev/null || need+=(xauth)
command -v pdftoppm >/dev/null || need+=(poppler-utils)
if [ ${#need[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "screenshots: missing ${need[*]}; run as root to install them" >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    apt-get install -y -q --no-install-recommends "${need[@]}"
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc 2>/dev/null || echo 2)" --target korvane_screenshots korvane-designer

mkdir -p "$out"
out=$(cd "$out" && pwd)
root=$(pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The program reads and writes its settings file in the working directory: use a clean one.
(cd "$work" && xvfb-run -a -s "-screen 0 1280x1024x24" \
    env QT_QPA_PLATFORM=xcb "$root/build/tests/korvane_screenshots" "$out")
for page in results-print analysis-print graph-print; do
    pdftoppm -png -r 90 -singlefile "$out/$page.pdf" "$out/$page"
    rm -f "$out/$page.pdf"
done
echo "screenshots: $(ls "$out"/*.png | wc -l) pictures in $out"
