# shellcheck shell=bash
# Shared by the scripts in this folder; source it, do not run it.
# Sets REPO to the repository root, whatever the caller's working directory.

REPO="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# What each command needs from Debian, by what it serves. scripts/run takes the build and Wine's
# 64-bit half; scripts/test adds the rest.
#
# The program and its tests, cross-compiled.
BUILD_PACKAGES=(
    cmake make g++ googletest
    g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32
    binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
)
# Showing the program: the 64-bit build under Wine, on a virtual display in a private network
# namespace, with Chinese fonts. fonts-wine holds Marlett, which Wine draws the caption buttons
# with.
SHOW_PACKAGES=(
    wine wine64 fonts-wine
    xvfb xdotool xauth imagemagick fonts-wqy-zenhei fonts-wqy-microhei locales
    iproute2 util-linux
)
# The release, and its signature (scripts/release --sign).
RELEASE_PACKAGES=(git zip unzip osslsigncode openssl)
# What only the test suites use: clang's libFuzzer, nftables for an address that never answers,
# qemu-user for Wine's 32-bit loader where 32-bit Linux programs are refused (see
# scripts/sandbox), and the formatter.
TEST_PACKAGES=(clang libclang-rt-14-dev nftables qemu-user-static clang-format python3)
# The benchmark's plot.
BENCH_PACKAGES=(gnuplot-nox)
# The 32-bit half of Wine, from the i386 architecture, runs the shipped program. Only its suite
# needs it, so it is installed apart: a mirror whose i386 index is broken costs that suite alone.
WINE32_PACKAGES=(wine32:i386)

# The locales the Windows programs run in: Wine takes the system's code pages from them (see
# scripts/wine64). Chinese (936), Traditional Chinese (950), German (1252 and 850) and Hindi,
# which has no code page of its own and so gives Windows' UTF-8 option (65001).
WINE_LOCALES=(zh_CN zh_TW de_DE ko_KR hi_IN)

as_root() {
    if [[ $EUID -eq 0 ]]; then
        "$@"
    elif command -v sudo >/dev/null; then
        sudo "$@"
    else
        echo "need root (or sudo) to run: $*" >&2
        return 1
    fi
}

package_installed() {
    [[ "$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null)" == "install ok installed" ]]
}

APT_LOG="$REPO/build/apt.log"
# The last apt-get update's output alone: only the downloads that failed then count.
APT_UPDATE_LOG="$REPO/build/apt-update.log"
APT_PREFERENCES="$REPO/build/apt-preferences"
APT_OPTIONS=()
lists_updated=0

# Reads the package lists once per command, the i386 indexes included, whether or not dpkg has
# the i386 architecture yet: what is set aside must be decided alike by every command, before it
# installs anything, so that whatever 64-bit half it installs has a 32-bit half to match later.
# APT::Architectures is given to apt-get update alone; dpkg's architectures stay as they are.
# A mirror in the middle of a sync serves index files of the wrong size for a while: try again,
# then go on with what arrived; what that leaves out fails to install, and install_packages says
# why.
update_package_lists() {
    ((lists_updated)) && return 0
    lists_updated=1
    : >"$APT_LOG"
    local architectures attempt status
    architectures="$({ dpkg --print-architecture && dpkg --print-foreign-architectures &&
        echo i386; } | awk '!seen[$0]++' | paste -sd,)"
    for attempt in 1 2 3; do
        status=0
        as_root env DEBIAN_FRONTEND=noninteractive \
            apt-get update -o "APT::Architectures=$architectures" >"$APT_UPDATE_LOG" 2>&1 ||
            status=$?
        cat "$APT_UPDATE_LOG" >>"$APT_LOG"
        ((status == 0)) && return 0
        echo "The package lists did not all download (attempt $attempt of 3)." >&2
        ((attempt < 3)) && sleep 20
    done
    set_aside_suites_without_i386_index
}

# Packages that exist for both architectures (libraries, mostly) must be installed at the same
# version in both. A suite whose i386 index did not download, typically the security updates
# while the mirror syncs them, would give the 64-bit half versions that the 32-bit half cannot
# match. Such a suite is set aside for this command: every package then comes from the
# release's other suites, in both architectures alike.
#
# The host's own pins still hold. apt reads the file of Dir::Etc::Preferences, then the files of
# Dir::Etc::PreferencesParts; for a version that a record naming its package matches, the first
# such record decides, and only where none does do the "Package: *" records count, the highest
# of them winning (apt_preferences(5)). So the set-aside is a record naming every package
# ("*:any"), written before the host's own file in a file of this command's: it decides for the
# set-aside suite's versions, and the host's records decide for every other version.
set_aside_suites_without_i386_index() {
    local suites suite host_preferences=""
    # A failed download is an "Err:" line: "Err:6 http://… bookworm-security/main i386 Packages".
    suites="$(awk '/^Err:/ && / i386 Packages$/ { split($3, part, "/"); print part[1] }' \
        "$APT_UPDATE_LOG" | sort -u)"
    [[ -n "$suites" ]] || return 0
    eval "$(apt-config shell host_preferences Dir::Etc::Preferences/f)"
    {
        for suite in $suites; do
            printf 'Package: *:any\nPin: release %s=%s\nPin-Priority: 1\n\n' n "$suite" a "$suite"
        done
        if [[ -f "$host_preferences" ]]; then
            cat "$host_preferences"
        fi
    } >"$APT_PREFERENCES"
    APT_OPTIONS=(-o "Dir::Etc::Preferences=$APT_PREFERENCES")
    echo "The mirror's i386 index of $(paste -sd' ' <<<"$suites") did not download: installing" \
        "without that suite's packages, so that both halves of Wine match." >&2
}

# Installed libraries that keep packages of another architecture out: both halves of a library
# must have one version, and the other architecture's half cannot be had at this one's (it came
# from a suite set aside here, say, or the machine's image came with a newer one). Looks among
# what the packages need; prints "name installed-version suite other-half's-version", a line each.
halves_that_cannot_match() {
    local architecture="$1" native needed
    shift
    native="$(dpkg --print-architecture)"
    # shellcheck disable=SC2016 # dpkg-query's own fields
    mapfile -t needed < <(apt-cache "${APT_OPTIONS[@]}" depends --recurse --no-recommends \
        --no-suggests --no-conflicts --no-breaks --no-replaces --no-enhances "$@" |
        sed -n "s/^\([^ <]*\):$architecture\$/\1:$native/p" | sort -u |
        xargs -r dpkg-query -W -f='${db:Status-Abbrev}${Multi-Arch} ${Package}\n' 2>/dev/null |
        awk '$1 == "ii" && $2 == "same" { print $3 }')
    ((${#needed[@]})) || return 0
    apt-cache "${APT_OPTIONS[@]}" policy "${needed[@]}" "${needed[@]/%/:$architecture}" |
        awk -v other=":$architecture" '
            /^[^ ]/ { name = $1; sub(/:$/, "", name); next }
            $1 == "Installed:" { installed[name] = $2 }
            $1 == "Candidate:" { candidate[name] = $2 }
            # The version table: each version (the installed one marked "***"), then its sources.
            /^ (\*\*\*|   ) [^ ]/ { version = $(NF - 1); next }
            version == installed[name] && $2 ~ /^[a-z+]+:\/\// && !(name in suite) {
                split($3, part, "/"); suite[name] = part[1]
            }
            END {
                for (name in installed) {
                    half = candidate[name other]
                    if (name !~ other "$" && installed[name] != "(none)" &&
                        half != "" && half != "(none)" && half != candidate[name])
                        print name, installed[name], (name in suite ? suite[name] : "-"), half
                }
            }' | sort
}

# The libraries of halves_that_cannot_match, in a sentence with what to do.
mismatched_halves_reason() {
    halves_that_cannot_match "$@" | awk '
        {
            from = ($3 == "-" ? "in no index read here" : "from " $3)
            installed = installed sep $1 " " $2 " (" from ")"
            back = back " " $1 "=" $4
            sep = ", "
        }
        END {
            if (NR) print "installed 64-bit libraries have no 32-bit half of the same version" \
                " here, and both halves must have one: " installed ". Try again once the" \
                " mirror has that version\047s 32-bit half, or go back to the version the" \
                " 32-bit half has: apt-get install --allow-downgrades" back
        }'
}

# An index of the architecture's that did not download in the last update (or else any that
# did not), as apt reported it, in a sentence with what to do.
failed_index_reason() {
    # Each failed download is an "Err:" line naming it, then a line with apt's reason.
    awk -v arch="$1" '
        /^Err:/ { failed = $0; next }
        failed != "" {
            sub(/^ +/, ""); sub(/ \[IP: [^]]*\]$/, "")
            if (failed ~ " " arch " Packages") {
                print "the mirror\047s " arch " package index did not download (" $0 ")." \
                    " Try again later"
                exit
            }
            sub(/^Err:[0-9]+ /, "", failed)
            if (other == "") other = "a package index did not download (" failed ": " $0 ")." \
                " Try again later"
            failed = ""
        }
        END { if (other != "") print other }' "$APT_UPDATE_LOG" | head -n1
}

# Why apt could not install, in one sentence with what to do: for packages of another
# architecture ($1, empty for none; the packages follow), an installed library whose other half
# cannot be had at its version, or else an index that did not download; otherwise apt's first
# error.
install_failure_reason() {
    local architecture="$1" reason=""
    shift
    if [[ -n "$architecture" ]]; then
        reason="$(mismatched_halves_reason "$architecture" "$@")"
        [[ -n "$reason" ]] || reason="$(failed_index_reason "$architecture")"
    fi
    if [[ -z "$reason" ]]; then
        reason="$(grep -m1 -E 'is not installable|Unable to locate|has no installation candidate' \
            "$APT_LOG" || grep -m1 '^E: ' "$APT_LOG" || echo 'apt-get install failed')"
        reason="apt says: $(sed -E 's/^ *//; s/^E: //' <<<"$reason"). Try again later"
    fi
    echo "$reason"
}

# Installs whichever of the packages are missing. apt's output goes to build/apt.log; when the
# packages cannot be had, INSTALL_FAILURE says in one line which, why and what to do, and this
# returns non-zero.
install_packages() {
    local missing=() pkg architecture=""
    for pkg in "$@"; do
        package_installed "$pkg" || missing+=("$pkg")
    done
    ((${#missing[@]})) || return 0
    mkdir -p "$(dirname "$APT_LOG")"
    echo "Installing from Debian: ${missing[*]}"
    [[ "${missing[*]}" == *:i386* ]] && architecture=i386
    update_package_lists
    if ! as_root env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y --no-install-recommends "${APT_OPTIONS[@]}" "${missing[@]}" \
        >>"$APT_LOG" 2>&1; then
        INSTALL_FAILURE="${missing[*]} could not be installed: $(install_failure_reason \
            "$architecture" "${missing[@]}") (apt's output is in $APT_LOG)."
        return 1
    fi
}

# Installs the packages or ends the command with the one line that says why.
require_packages() {
    if ! install_packages "$@"; then
        echo "$INSTALL_FAILURE" >&2
        exit 1
    fi
}

ensure_locales() {
    local language generate=0
    for language in "${WINE_LOCALES[@]}"; do
        locale -a | grep -qix "$language\.utf-\?8" && continue
        if grep -q "^# *$language.UTF-8 UTF-8" /etc/locale.gen 2>/dev/null; then
            as_root sed -i "s/^# *\($language.UTF-8 UTF-8\)/\1/" /etc/locale.gen
        else
            echo "$language.UTF-8 UTF-8" | as_root tee -a /etc/locale.gen >/dev/null
        fi
        generate=1
    done
    if ((generate)); then
        mkdir -p "$(dirname "$APT_LOG")"
        as_root locale-gen >>"$APT_LOG"
    fi
}

# What scripts/run needs: building, and showing the 64-bit build under Wine.
ensure_run_deps() {
    require_packages "${BUILD_PACKAGES[@]}" "${SHOW_PACKAGES[@]}"
    ensure_locales
}

# What scripts/test needs. The 32-bit half of Wine comes last and apart; when it cannot be had,
# WINE32_MISSING says why and the suites that do not need it still run.
ensure_test_deps() {
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        as_root dpkg --add-architecture i386
    fi
    require_packages "${BUILD_PACKAGES[@]}" "${SHOW_PACKAGES[@]}" "${RELEASE_PACKAGES[@]}" \
        "${TEST_PACKAGES[@]}"
    ensure_locales
    WINE32_MISSING=""
    if ! install_packages "${WINE32_PACKAGES[@]}"; then
        WINE32_MISSING="$INSTALL_FAILURE"
    fi
}

configure_and_build() {
    local dir="$1"
    shift
    cmake -S "$REPO" -B "$dir" "$@"
    cmake --build "$dir" -j2
}

# native: the portable code and its unit tests (with sanitizers, hence debug info);
# win32: the shipped i686 program, and the checks on it that need no Windows;
# win64: the same sources, built to run the Wine tests under the 64-bit loader, and the driver
# of the tests on the shipped program.
build_all() {
    configure_and_build "$REPO/build/native" -DCMAKE_BUILD_TYPE=RelWithDebInfo
    configure_and_build "$REPO/build/win32" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$REPO/cmake/mingw-i686.cmake" -DTARNWICK_WINE_TESTS=OFF
    configure_and_build "$REPO/build/win64" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$REPO/cmake/mingw-x86_64.cmake" \
        -DTARNWICK_SHIPPED_EXE="$REPO/build/win32/tarnwick.exe"
}

# fuzz: the fuzz targets of the portable rules, built with clang's libFuzzer and sanitizers.
build_fuzz() {
    cmake -S "$REPO" -B "$REPO/build/fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTARNWICK_FUZZ=ON
    cmake --build "$REPO/build/fuzz" -j2 --target fuzzers
}

# Wine settings shared by the sandbox and the desktop run; $1 is the prefix.
wine_env() {
    export WINEPREFIX="$1"
    export WINEDEBUG=-all
    # No Mono or Gecko: skips their installer dialogs, and the program needs neither. No menu
    # builder: it would put Wine menu entries in the desktop of the user running this.
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
}

# Runs a Windows program under Wine; see scripts/wine64.
wine64_run() {
    "$REPO/scripts/wine64" "$@"
}

# Creates or updates the prefix. wineboot chatters even when all is well, so its output, with
# Wine's own error messages, is shown only on failure. A boot that fails is tried once more from
# a stopped server (it only completes the prefix), saying so; a second failure is final.
wine_boot() {
    local log="$WINEPREFIX.boot.log" attempt status
    for attempt in 1 2; do
        status=0
        WINEDEBUG=err+all,fixme-all wine64_run wineboot -i >"$log" 2>&1 || status=$?
        ((status == 0)) && return 0
        cat "$log" >&2
        echo "wineboot failed (attempt $attempt, exit status $status)" >&2
        wineserver -k 2>/dev/null || true
        wineserver -w
    done
    return 1
}

# What a new prefix needs, seen by Windows programs started after a new boot: a Wine virtual
# desktop of SIZE, 1280x800 unless given (Wine draws the window frames itself, as there is no
# window manager under Xvfb, so screenshots look like Windows and focus behaves as it does there),
# the display's scale if DPI is given (dots per inch, 96 by default), and the font fixes.
wine_setup_prefix() {
    local size="${1:-1280x800}" dpi="${2:-}"
    wine64_run reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null
    wine64_run reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$size" /f >/dev/null
    if [[ -n "$dpi" ]]; then
        wine64_run reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
            >/dev/null
    fi
    wine_fix_fonts
}

# Font fixes for a new prefix, seen by Windows programs started after this:
# - 宋体 drawn with an outline font: the bitmap strikes Wine would otherwise pick at dialog sizes
#   lose strokes and overlap their neighbours;
# - Marlett in the prefix's own font folder, because the 64-bit loader run directly does not find
#   Wine's own copy and draws the caption buttons as letters.
wine_fix_fonts() {
    local face
    for face in 宋体 SimSun; do
        wine64_run reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" \
            /d 'WenQuanYi Micro Hei' /f >/dev/null
    done
    cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
}

# Whether 32-bit Linux programs, such as Wine's 32-bit loader, can be executed here.
runs_i386_programs() {
    /usr/lib/wine/wine --version >/dev/null 2>&1
}
