#!/usr/bin/env bash
# Installs what playing needs (Debian packages), builds the two programs and
# plays the show.
#
#   bash play.sh                 the windowed build (800 x 600)
#   bash play.sh --fullscreen    the full-screen build (1280 x 1024, multisampled)
set -euo pipefail
cd "$(dirname "$0")"

program=brimvale-windowed
case "${1:-}" in
    "") ;;
    --fullscreen) program=brimvale ;;
    *) echo "usage: bash play.sh [--fullscreen]" >&2; exit 2 ;;
esac

if [ "$(id -u)" = 0 ]; then SUDO=""; else SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends \
    build-essential cmake pkg-config \
    libsdl2-dev libepoxy-dev libshaderc-dev glslang-dev libspirv-cross-c-shared-dev \
    libstb-dev libboost-dev \
    libgl1-mesa-dri libegl-mesa0 libegl1 libgl1 >/dev/null

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release \
      -DBRIMVALE_TESTS=OFF -DBRIMVALE_BENCH=OFF -DBRIMVALE_TOOLS=OFF >/dev/null
cmake --build build -j"$(nproc)" --target brimvale-windowed brimvale

# The show ends with status 1 when its 48 seconds are over; closed early, 0.
status=0
"./build/$program" || status=$?
if [ "$status" -eq 1 ]; then
    echo "The show is over."
    exit 0
fi
exit "$status"
