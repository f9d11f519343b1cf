#!/usr/bin/env bash
# scripts/lib.sh installing from a mirror whose i386 index of a suite does not download, apt's
# tools played by one stand-in that answers with apt's own output: the suite set aside is the one
# that failed in the last of the three updates, its pins come before the host's own, which stay,
# and the installed library that keeps the 32-bit half out is named with its suite and the way back.
set -euo pipefail
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# shellcheck source=scripts/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
APT_LOG="$work/apt.log" APT_UPDATE_LOG="$work/update.log" APT_PREFERENCES="$work/preferences"
as_root() { "$@"; }
export APT_CONFIG="$work/apt.conf" TRIES="$work/tries"
echo "Dir::Etc::Preferences \"$work/host-preferences\";" >"$APT_CONFIG"
printf 'Package: hello\nPin: release n=bookworm\nPin-Priority: 321\n' >"$work/host-preferences"

mkdir "$work/bin"
cat >"$work/bin/apt" <<'STAND_IN'
#!/usr/bin/env bash
while [[ "$1" == -o ]]; do shift 2; done
case "${0##*/} $1" in
"apt-get update")
    echo >>"$TRIES"
    suite=bookworm-security && (($(wc -l <"$TRIES") > 1)) || suite=bookworm-updates
    printf 'Err:6 http://deb.debian.org/debian %s/main i386 Packages\n  File has unexpected size\n' \
        "$suite" && exit 100 ;;
"apt-cache depends") printf 'wine32:i386\n  Depends: libgst:i386\nlibgst:i386\n' ;;
"apt-cache policy") sed 's/^    //' <<'POLICY' ;;
    libgst:
      Installed: 1.22.0-3+deb12u7
      Candidate: 1.22.0-3+deb12u7
      Version table:
     *** 1.22.0-3+deb12u7 100
            500 http://deb.debian.org/debian-security bookworm-security/main amd64 Packages
            100 /var/lib/dpkg/status
         1.22.0-3+deb12u6 500
            500 http://deb.debian.org/debian bookworm/main amd64 Packages
    libgst:i386:
      Installed: (none)
      Candidate: 1.22.0-3+deb12u6
      Version table:
         1.22.0-3+deb12u6 500
            500 http://deb.debian.org/debian bookworm/main i386 Packages
POLICY
"dpkg-query -W") [[ "$*" == *Multi-Arch* ]] && echo "ii same libgst" ;;
*) exit 100 ;;
esac
STAND_IN
chmod +x "$work/bin/apt"
for tool in apt-get apt-cache dpkg-query sleep; do ln -s apt "$work/bin/$tool"; done
PATH="$work/bin:$PATH"

status=0
if install_packages wine32:i386 2>/dev/null; then
    echo "wine32:i386 installed where it cannot be" && status=1
fi
expected="$(printf 'Package: *:any\nPin: release %s=bookworm-security\nPin-Priority: 1\n\n' n a &&
    cat "$work/host-preferences")"
diff <(echo "$expected") "$APT_PREFERENCES" || status=1
diff <(echo "wine32:i386 could not be installed: installed 64-bit libraries have no 32-bit half" \
    "of the same version here, and both halves must have one: libgst 1.22.0-3+deb12u7 (from" \
    "bookworm-security). Try again once the mirror has that version's 32-bit half, or go back to" \
    "the version the 32-bit half has: apt-get install --allow-downgrades libgst=1.22.0-3+deb12u6" \
    "(apt's output is in $APT_LOG).") <(echo "$INSTALL_FAILURE") || status=1
exit "$status"
