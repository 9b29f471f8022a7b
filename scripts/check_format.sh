#!/usr/bin/env bash
# Fails when a C++ file of the project strays from .clang-format.
# Run with --fix to rewrite the files in place instead.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || scripts/setup.sh
mapfile -t files < <(git ls-files --cached --others --exclude-standard '*.cpp' '*.h' ':!data/')
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
else
  clang-format --dry-run --Werror "${files[@]}"
fi
