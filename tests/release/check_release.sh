#!/usr/bin/env bash
# check_release.sh BUILT_EXE
# Makes a release and checks it: the archive holds exactly the program and its checksum, the
# checksum is right, and the program is byte for byte BUILT_EXE, built in another folder at
# another time.
set -euo pipefail
built="$1"
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

"$repo/scripts/release" "$work/dist" >"$work/release.log"
zips=("$work"/dist/tarnwick-*-win32.zip)
[[ ${#zips[@]} == 1 && -f "${zips[0]}" ]] || { echo "no release archive" >&2; exit 1; }

mkdir "$work/unpacked"
unzip -q "${zips[0]}" -d "$work/unpacked"
entries="$(cd "$work/unpacked" && find . -type f | sort | tr '\n' ' ')"
[[ "$entries" == "./SHA256SUMS ./tarnwick.exe " ]] || { echo "archive holds: $entries" >&2; exit 1; }
(cd "$work/unpacked" && sha256sum --quiet -c SHA256SUMS)
grep -qF "$(cat "$work/unpacked/SHA256SUMS")" "$work/release.log" || {
    echo "release did not print the hash" >&2
    exit 1
}
cmp "$work/unpacked/tarnwick.exe" "$built"
