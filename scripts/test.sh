#!/usr/bin/env bash
# Sets up, builds with AddressSanitizer and UndefinedBehaviorSanitizer, and
# runs every test: the C++ tests (core and offscreen windows) and the tools'.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
# The asan workflow of CMakePresets.json: configure, build, test in build/asan.
cmake --workflow --preset asan
python3 -m unittest discover -s tests/tools -t tests/tools
