#!/usr/bin/env bash
# Installs the Debian packages listed in a package list (default: packages.txt at the top),
# touching apt only when dpkg says something is missing. A list line is a package and what it is for
# ("run" or "test"); --for KIND takes only the lines of that kind (repeatable), else every line.
# Usage: tools/ensure-packages.sh [--for KIND]... [LIST_FILE | PACKAGE...]
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
kinds=()
while [ $# -gt 0 ] && [ "$1" = "--for" ]; do
    kinds+=("${2:?--for needs a kind}")
    shift 2
done
if [ $# -eq 0 ]; then set -- "$top/packages.txt"; fi
wanted_kind() {
    [ ${#kinds[@]} -eq 0 ] && return 0
    local kind
    for kind in "${kinds[@]}"; do
        [ "$kind" = "$1" ] && return 0
    done
    return 1
}
wanted=()
for arg in "$@"; do
    if [ -f "$arg" ]; then
        while read -r package kind _; do
            package=${package%%#*}
            [ -n "$package" ] || continue
            if [ -z "${kind:-}" ]; then
                echo "$arg: $package has no kind (run or test)" >&2
                exit 1
            fi
            if wanted_kind "$kind"; then
                wanted+=("$package")
            fi
        done <"$arg"
    else
        wanted+=("$arg")
    fi
done
missing=()
for p in "${wanted[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
cmd=(env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends
     -o DPkg::Lock::Timeout=300 -o Acquire::Retries=3 "${missing[@]}")
if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages: ${missing[*]}" >&2
    echo "Run as root: apt-get update && ${cmd[*]}" >&2
    exit 1
fi
echo "Installing: ${missing[*]}"
apt-get update -q -o Acquire::Retries=3 >/dev/null
"${cmd[@]}" >/dev/null
