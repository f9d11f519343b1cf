# shellcheck shell=bash
# Shared by the scripts in this folder; source it, do not run it.
# Sets REPO to the repository root, whatever the caller's working directory.

REPO="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Everything the build and the tests need from Debian.
#
# wine32 (from the i386 architecture) runs the shipped 32-bit program. Some of our machines, CI
# among them, refuse to execute 32-bit Linux programs; there the 32-bit half of Wine runs through
# qemu-user, registered only inside the sandbox's own namespace (see scripts/sandbox). The fast
# test tiers run the x86_64 build of the same sources under the 64-bit loader.
# fonts-wine holds Marlett, which Wine draws the caption buttons with. gnuplot draws the plot of
# scripts/bench. osslsigncode and openssl sign releases (scripts/release --sign).
TARNWICK_PACKAGES=(
    cmake make g++ googletest git zip unzip gnuplot-nox
    g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32
    binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
    wine wine64 wine32:i386 fonts-wine qemu-user-static
    xvfb xdotool imagemagick fonts-wqy-zenhei fonts-wqy-microhei locales
    iproute2 util-linux xauth clang-format
    clang libclang-rt-14-dev
    osslsigncode openssl
)


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

ensure_deps() {
    local missing=() pkg
    for pkg in "${TARNWICK_PACKAGES[@]}"; do
        package_installed "$pkg" || missing+=("$pkg")
    done
    if ((${#missing[@]})); then
        echo "Installing: ${missing[*]}"
        if ! dpkg --print-foreign-architectures | grep -qx i386; then
            as_root dpkg --add-architecture i386
        fi
        # A mirror in the middle of a sync serves index files of the wrong size for a while:
        # try again, and go on with what arrived (the install says clearly what is missing).
        local attempt
        for attempt in 1 2 3; do
            as_root env DEBIAN_FRONTEND=noninteractive apt-get update && break
            echo "apt-get update failed (attempt $attempt)" >&2
            ((attempt < 3)) && sleep 20
        done
        as_root env DEBIAN_FRONTEND=noninteractive \
            apt-get install -y --no-install-recommends "${missing[@]}"
    fi

    # Wine takes its code pages from the locale: the program runs on a Chinese system (936),
    # and some tests on a Traditional Chinese one (950).
    local language generate=0
    for language in zh_CN zh_TW; do
        locale -a | grep -qix "$language\.utf-\?8" && continue
        if grep -q "^# *$language.UTF-8 UTF-8" /etc/locale.gen 2>/dev/null; then
            as_root sed -i "s/^# *\($language.UTF-8 UTF-8\)/\1/" /etc/locale.gen
        else
            echo "$language.UTF-8 UTF-8" | as_root tee -a /etc/locale.gen >/dev/null
        fi
        generate=1
    done
    if ((generate)); then
        as_root locale-gen
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
