#!/usr/bin/env bash
# Builds and runs every test: the sanitized suite (build-test/), the threaded tests under
# ThreadSanitizer (build-tsan/), the sound generator's measurements of the shipped sounds and the
# replay of the fuzz targets' corpora (build-fuzz/).
#   ./test.sh              everything above
#   ./test.sh --fuzz SECS  also fuzz each target for SECS seconds
#   ./test.sh --long       also the exhaustive sweeps and the monkey's long runs
set -uo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
cd "$top"

fuzz_seconds=0
long=0
while [ $# -gt 0 ]; do
    case "$1" in
        --fuzz) fuzz_seconds=${2:?--fuzz needs seconds}; shift 2 ;;
        --long) long=1; shift ;;
        *) echo "unknown option $1" >&2; exit 2 ;;
    esac
done

jobs=$(nproc)
export VERDANEL_LONG_TESTS=$long
phases=()
failed=0
phase_start=0
begin() { phase_start=$(date +%s); echo "== $1"; }
end() { phases+=("$(printf '%-28s %5ss' "$1" $(( $(date +%s) - phase_start )))"); }

configure() { # tree, extra cmake args...
    local tree=$1; shift
    if [ ! -f "$tree/build.ninja" ]; then
        cmake -S . -B "$tree" -G Ninja "$@" >/dev/null || return 1
    fi
}

begin packages
tools/ensure-packages.sh --for run --for test packages.txt || exit 1
end packages

# The formatting check names every C++ file that differs from .clang-format.
begin "format check"
tools/check-format.sh || failed=1
end "format check"

begin "build build-test"
configure build-test -DCMAKE_BUILD_TYPE= -DVERDANEL_SANITIZE=ON &&
    cmake --build build-test -j "$jobs" || exit 1
end "build build-test"

begin "build build-tsan"
configure build-tsan -DCMAKE_BUILD_TYPE= -DVERDANEL_TSAN=ON &&
    cmake --build build-tsan -j "$jobs" || exit 1
end "build build-tsan"

begin "build build-fuzz"
configure build-fuzz -DCMAKE_BUILD_TYPE= -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DVERDANEL_FUZZ=ON -DVERDANEL_TESTS=OFF &&
    cmake --build build-fuzz -j "$jobs" || exit 1
end "build build-fuzz"

begin "tests build-tsan"
(cd build-tsan && ctest -j "$jobs" --timeout 300 --output-on-failure) >build-tsan/ctest.log 2>&1 || failed=1
grep -E "tests passed|No tests were found" build-tsan/ctest.log | tail -1 | sed 's/^/tsan: /'
[ $failed -eq 0 ] || cat build-tsan/ctest.log
end "tests build-tsan"

begin "sound check"
# The loudness, spectrum and loop-seam numbers of the shipped sounds and music.
tools/make_sounds.py --measure >build-test/sound-check.log 2>&1 || { failed=1; cat build-test/sound-check.log; }
tail -1 build-test/sound-check.log
end "sound check"

begin "fuzz replay"
fuzz/run.sh build-fuzz "$fuzz_seconds" || failed=1
end "fuzz replay"

begin "tests build-test"
(cd build-test && ctest -j "$jobs" --timeout 300 --output-on-failure) >build-test/ctest.log 2>&1
suite=$?
[ $suite -eq 0 ] || { failed=1; cat build-test/ctest.log; }
end "tests build-test"

echo "== phase times"
printf '%s\n' "${phases[@]}"
# CTest's summary of the whole suite comes last.
grep -E "tests passed|Total Test time" build-test/ctest.log | tail -2
exit $failed
