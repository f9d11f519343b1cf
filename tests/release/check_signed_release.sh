#!/usr/bin/env bash
# check_signed_release.sh BUILT_EXE OBJDUMP FORMAT
# A release signed with a throwaway certificate: the signature verifies and names its signer, the
# program passes the static checks and is BUILT_EXE with the signature after it, changed only in
# the header fields that say where the signature is and the checksum. A wrong password makes none.
set -euo pipefail
built="$1"
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
w="$(mktemp -d)"
trap 'rm -rf "$w"' EXIT
fail() { echo "$*" >&2 && exit 1; }

echo "right horse" >"$w/password"
openssl req -x509 -newkey rsa:2048 -nodes -subj "/CN=Tarnwick Test Maker" -days 2 \
    -keyout "$w/key.pem" -out "$w/cert.pem" 2>/dev/null
openssl pkcs12 -export -inkey "$w/key.pem" -in "$w/cert.pem" -out "$w/cert.pfx" \
    -passout "file:$w/password"

! TARNWICK_SIGN_PASSWORD=wrong "$repo/scripts/release" --sign "$w/cert.pfx" "$w/no" 2>"$w/no.log" ||
    fail "a wrong password made a release"
grep -q "wrong password" "$w/no.log" && [[ -z "$(ls -A "$w/no")" ]] ||
    fail "$(cat "$w/no.log"; ls "$w/no")"

"$repo/scripts/release" --sign "$w/cert.pfx" --password-file "$w/password" "$w/dist" >/dev/null
unzip -q "$w"/dist/tarnwick-*-win32.zip -d "$w/zip"
(cd "$w/zip" && sha256sum --quiet -c SHA256SUMS)
signed="$w/zip/tarnwick.exe"
osslsigncode verify -CAfile "$w/cert.pem" -in "$signed" >"$w/verify.log" 2>&1 &&
    grep -q "Subject: /CN=Tarnwick Test Maker" "$w/verify.log" &&
    grep -q "Message digest algorithm  : SHA256" "$w/verify.log" || fail "$(cat "$w/verify.log")"
cmake -DOBJDUMP="$2" -DEXE="$signed" -DEXPECTED_FORMAT="$3" \
    -P "$repo/cmake/CheckImports.cmake" >/dev/null

osslsigncode remove-signature -in "$signed" -out "$w/removed.exe" >/dev/null
osslsigncode extract-signature -in "$signed" -out "$w/signature" >/dev/null
size="$(stat -c %s "$built")"
header=$(($(od -An -tu4 -j60 -N4 "$built") + 24)) # the PE32 optional header
for copy in "$signed" "$w/removed.exe"; do
    while read -r at _ _; do # cmp counts from 1; the checksum, then the security directory entry
        ((at > header + 64 && at <= header + 68 || at > header + 128 && at <= header + 136)) ||
            fail "$copy differs from the built program at byte $at"
    done < <(cmp -l -n "$size" "$built" "$copy" || true)
done
# After the program only the certificate table that the security directory entry names, 8-byte
# aligned, holding the signature (extracted with or without the table's 8-byte header: versions
# of osslsigncode differ).
read -r table table_length < <(od -An -tu4 -j "$((header + 128))" -N8 "$signed")
length="$(stat -c %s "$w/signature")"
(($(stat -c %s "$w/removed.exe") == size && table >= size && table - size < 8 &&
    table + table_length == $(stat -c %s "$signed"))) &&
    { cmp -s -i "$table:0" -n "$length" "$signed" "$w/signature" ||
        cmp -s -i "$((table + 8)):0" -n "$length" "$signed" "$w/signature"; } ||
    fail "more than a signature added"
