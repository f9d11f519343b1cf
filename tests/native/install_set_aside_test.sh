#!/usr/bin/env bash
# scripts/lib.sh installing while the mirror's i386 index of a suite fails, apt played by a
# stand-in with apt's own output: the suite that failed in the last update alone is set aside,
# before the host's pins, which stay, and the library that keeps the 32-bit half out is named.
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
mkdir "$work/bin" && cat >"$work/bin/apt" <<'STAND_IN' && chmod +x "$work/bin/apt"
#!/usr/bin/env bash
while [[ "$1" == -o ]]; do shift 2; done
case "${0##*/} $1" in
"apt-get update")
    echo >>"$TRIES" && suite=bookworm-security && (($(wc -l <"$TRIES") > 1)) || suite=bookworm-updates
    printf 'Err:6 http://deb.debian.org/debian %s/main i386 Packages\n  Bad size\n' "$suite" ;;
"apt-cache depends") printf 'wine32:i386\n  Depends: libgst:i386\nlibgst:i386\n' && exit ;;
"apt-cache policy") printf 'libgst:\n  Installed: 1.22.0-3+deb12u7\n  Candidate: 1.22.0-3+deb12u7
  Version table:\n *** 1.22.0-3+deb12u7 100
        500 http://deb.debian.org/debian-security bookworm-security/main amd64 Packages
        100 /var/lib/dpkg/status\n     1.22.0-3+deb12u6 500
        500 http://deb.debian.org/debian bookworm/main amd64 Packages
libgst:i386:\n  Installed: (none)\n  Candidate: 1.22.0-3+deb12u6\n' && exit ;;
"dpkg-query -W") [[ "$*" == *Multi-Arch* ]] && echo "ii same libgst" ;;
esac
exit 100
STAND_IN
for tool in apt-get apt-cache dpkg-query sleep; do ln -s apt "$work/bin/$tool"; done
PATH="$work/bin:$PATH"

! install_packages wine32:i386 2>/dev/null || { echo "wine32:i386 installed where it cannot be"; exit 1; }
diff <(printf 'Package: *:any\nPin: release %s=bookworm-security\nPin-Priority: 1\n\n' n a &&
    cat "$work/host-preferences") "$APT_PREFERENCES"
grep -qF "libgst 1.22.0-3+deb12u7 (from bookworm-security)" <<<"$INSTALL_FAILURE"
grep -qF "apt-get install --allow-downgrades libgst=1.22.0-3+deb12u6 (apt" <<<"$INSTALL_FAILURE"
