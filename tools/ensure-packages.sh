#!/usr/bin/env bash
# Installs the Debian packages listed in a package list (default: packages.txt at the top),
# touching apt only when dpkg says something is missing.
# Usage: tools/ensure-packages.sh [LIST_FILE | PACKAGE...]
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
if [ $# -eq 0 ]; then set -- "$top/packages.txt"; fi
wanted=()
for arg in "$@"; do
    if [ -f "$arg" ]; then
        while read -r line; do
            line=${line%%#*}
            line=$(echo "$line" | tr -d '[:space:]')
            [ -n "$line" ] && wanted+=("$line")
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
