#!/usr/bin/env bash
# Sets up, builds and starts Velorin Sextrix.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DSEXTRIX_BUILD_TESTS=OFF -DSEXTRIX_BUILD_BENCH=OFF
# Everything the README uses: sextrix, sextrix-solve and the data files (and
# so what cmake --install copies).
cmake --build build
exec build/bin/sextrix
