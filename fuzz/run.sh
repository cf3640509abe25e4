#!/usr/bin/env bash
# Runs the fuzz targets of a build tree.
#   fuzz/run.sh TREE 0     replays every committed corpus and regression input once, deterministically
#   fuzz/run.sh TREE SECS  fuzzes each target for SECS seconds: an empty temporary folder is the first
#                          corpus and the committed folders follow; fuzz/corpus/<target>/ becomes the
#                          smallest set of old and new inputs with the same coverage, every crash lands
#                          in fuzz/regressions/<target>/
# VERDANEL_FUZZ_TARGETS names a subset of the targets; VERDANEL_FUZZ_JOBS of them run at once (default
# 1). Each target's libFuzzer output is kept in TREE/fuzz-logs/<target>.log (the merge's in
# <target>.merge.log) and its last status line is printed.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
tree=$(cd "${1:?usage: fuzz/run.sh TREE SECONDS}" && pwd)
seconds=${2:?usage: fuzz/run.sh TREE SECONDS}
jobs=${VERDANEL_FUZZ_JOBS:-1}

# Inputs larger than this are neither made nor kept: every reader's interesting cases fit well inside.
max_len=32768
# A target's merged corpus stays within this many bytes (its hand-made seeds aside), so the committed
# corpora stay small and the replay quick.
corpus_budget=393216
logs=$tree/fuzz-logs
mkdir -p "$logs"
# The targets chdir into a temporary data root: every path handed to them is absolute. A memory
# file system keeps their many small file writes off the disk when one is there.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi
export ASAN_OPTIONS=${ASAN_OPTIONS:-exitcode=86:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}

dictionary_of() {
    case "$1" in
        settings_file | profile_file | vorbis | theora) ;;
        trajectories) echo "-dict=$here/dict/trajectories.dict" ;;
        font_description) echo "-dict=$here/dict/font_description.dict" ;;
        ini) echo "-dict=$here/dict/ini.dict" ;;
        *) echo "-dict=$here/dict/xml.dict" ;;
    esac
}

# Makes the corpus the smallest set of its inputs and the grown ones that keeps their coverage. The
# hand-made seeds (any name that is not a 40-digit hash) always stay. The corpus is replaced only
# when the merge succeeded.
merge_corpus() {
    local binary=$1 corpus=$2 grown=$3 log=$4
    shift 4
    local merged
    merged=$(mktemp -d)
    find "$corpus" -maxdepth 1 -type f -regextype posix-extended ! -regex '.*/[0-9a-f]{40}' -exec cp {} "$merged/" \;
    if "$binary" "$@" -merge=1 "$merged" "$corpus" "$grown" >"$log" 2>&1 &&
        grep -q 'MERGE-OUTER: successful' "$log" && [ -n "$(ls -A "$merged")" ]; then
        find "$corpus" -maxdepth 1 -type f -delete
        cp "$merged"/* "$corpus/"
        rm -rf "$merged"
        return 0
    fi
    echo "merge into $corpus failed, corpus left as it was (see $log)" >&2
    rm -rf "$merged"
    return 1
}

grown_bytes() {
    find "$1" -maxdepth 1 -type f -regextype posix-extended -regex '.*/[0-9a-f]{40}' -printf '%s\n' |
        awk '{ total += $1 } END { print total + 0 }'
}

# Over its budget, the corpus is merged again with its inputs cut to half the length, and again, until
# it fits: the merge keeps the cut inputs that still add coverage.
cap_corpus() {
    local binary=$1 corpus=$2 log=$3
    shift 3
    local length=$max_len empty
    empty=$(mktemp -d)
    while [ "$(grown_bytes "$corpus")" -gt $corpus_budget ] && [ $length -gt 64 ]; do
        length=$((length / 2))
        merge_corpus "$binary" "$corpus" "$empty" "$log" "$@" -max_len=$length || break
    done
    rm -rf "$empty"
}

# Prints the target's last status line; fails when libFuzzer did.
run_target() {
    local target=$1 binary=$tree/bin/fuzz_$1 log=$logs/$1.log
    local corpus=$here/corpus/$target regressions=$here/regressions/$target
    mkdir -p "$corpus" "$regressions"
    local common=(-timeout=10 -rss_limit_mb=2048 -print_final_stats=1 $(dictionary_of "$target"))
    local status=0
    if [ "$seconds" -eq 0 ]; then
        # Whole inputs: a regression input may be larger than the fuzzer ever makes one.
        "$binary" "${common[@]}" -runs=0 -artifact_prefix="$logs/$target-" "$corpus" "$regressions" >"$log" 2>&1 ||
            status=$?
    else
        common+=(-max_len=$max_len)
        local grown
        grown=$(mktemp -d)
        "$binary" "${common[@]}" -max_total_time="$seconds" -artifact_prefix="$regressions/" \
            "$grown" "$corpus" "$regressions" >"$log" 2>&1 || status=$?
        merge_corpus "$binary" "$corpus" "$grown" "$logs/$target.merge.log" "${common[@]}" || status=1
        cap_corpus "$binary" "$corpus" "$logs/$target.cap.log" "${common[@]}"
        rm -rf "$grown"
    fi
    local line
    line=$(grep -E '^#[0-9]+[[:space:]]+(INITED|DONE|NEW|REDUCE|pulse)' "$log" | tail -1)
    printf '%-18s %s\n' "$target" "${line:-no status line}"
    if [ $status -ne 0 ]; then
        echo "fuzz target $target failed (exit $status), see $log:" >&2
        grep -E 'ERROR|SUMMARY|fuzz:|Test unit written' "$log" | head -5 >&2
    fi
    return $status
}

targets=${VERDANEL_FUZZ_TARGETS:-$(cat "$tree/fuzz-targets.txt")} || exit 1
failed=0
running=0
pids=()
for target in $targets; do
    run_target "$target" &
    pids+=($!)
    running=$((running + 1))
    if [ $running -ge "$jobs" ]; then
        wait "${pids[0]}" || failed=1
        pids=("${pids[@]:1}")
        running=$((running - 1))
    fi
done
for pid in "${pids[@]}"; do
    wait "$pid" || failed=1
done
exit $failed
