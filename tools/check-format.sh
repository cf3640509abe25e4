#!/usr/bin/env bash
# Checks the C++ sources against .clang-format without changing them: names each file that differs and
# exits 1 when any does. With --fix it formats those files in place instead.
# Usage: tools/check-format.sh [--fix] [FILE...]   (default: every tracked .h and .cpp file)
set -uo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
fix=0
if [ "${1:-}" = "--fix" ]; then
    fix=1
    shift
fi
if ! command -v clang-format >/dev/null; then
    echo "clang-format is missing: tools/ensure-packages.sh --for test packages.txt" >&2
    exit 2
fi
if [ $# -gt 0 ]; then
    files=("$@")
else
    mapfile -t files < <(git ls-files '*.h' '*.cpp')
fi
differing=0
for file in "${files[@]}"; do
    if ! clang-format --dry-run --Werror "$file" >/dev/null 2>&1; then
        if [ $fix -eq 1 ]; then
            clang-format -i "$file"
            echo "formatted $file"
        else
            echo "not formatted: $file"
            differing=$((differing + 1))
        fi
    fi
done
if [ $differing -gt 0 ]; then
    echo "$differing file(s) differ from .clang-format; tools/check-format.sh --fix formats them" >&2
    exit 1
fi
exit 0
