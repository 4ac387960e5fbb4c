# Shared by the scripts in this folder: paths, package installs, Wine setup.
# shellcheck shell=bash

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${NIMBRA_BUILD_DIR:-$ROOT/build}"
JOBS="${NIMBRA_JOBS:-2}"

# The build tools every script needs.
BASE_PACKAGES=(cmake ninja-build g++ make)
# The Windows cross toolchain and the runtime that runs its programs here.
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
                  wine wine64 xvfb xauth tango-icon-theme librsvg2-bin icoutils)
TEST_PACKAGES=(libgtest-dev libgmock-dev googletest unrtf imagemagick unzip)
# What scripts/package makes the installer and the portable zip with.
PACKAGE_PACKAGES=(nsis zip imagemagick)

log() { printf '\033[1m==> %s\033[0m\n' "$*" >&2; }
die() { printf 'error: %s\n' "$*" >&2; exit 1; }

is_windows_host() { [[ "$(uname -s)" == MINGW* || "$(uname -s)" == MSYS* || "$(uname -s)" == CYGWIN* ]]; }

# Installs the Debian packages that are not installed yet; nothing when all are.
ensure_packages() {
    is_windows_host && return 0
    local missing=() pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" \
            || missing+=("$pkg")
    done
    ((${#missing[@]} == 0)) && return 0
    command -v apt-get >/dev/null || die "missing packages (${missing[*]}) and no apt-get to install them"
    local sudo=()
    [[ $(id -u) -ne 0 ]] && sudo=(sudo)
    log "Installing ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
}

# configure_tree DIR [CMAKE ARGS...]: configures a build tree once (again
# when the arguments change). The tree's folders are made first, so this works
# on a fresh clone; the log stays inside the tree. Returns non-zero (after
# showing the log) when CMake fails.
configure_tree() {
    local dir="$1"; shift
    local stamp="$dir/.nimbra-configure-args"
    local args="$*"
    mkdir -p "$dir" || return 1
    if [[ ! -f "$dir/build.ninja" || ! -f "$stamp" || "$(cat "$stamp")" != "$args" ]]; then
        log "Configuring $dir"
        rm -f "$stamp"
        if ! cmake -S "$ROOT" -B "$dir" -G Ninja "$@" >"$dir/configure.log" 2>&1; then
            cat "$dir/configure.log" >&2
            printf 'error: configuring %s failed\n' "$dir" >&2
            return 1
        fi
        echo "$args" >"$stamp"
    fi
}

# The one cross-built Windows tree: scripts/test builds its tests there and
# scripts/run its nimbra.exe.
WINDOWS_TREE="$BUILD/windows"
configure_windows_tree() {
    configure_tree "$WINDOWS_TREE" -DCMAKE_BUILD_TYPE=Release \
        "-DCMAKE_TOOLCHAIN_FILE=$ROOT/cmake/mingw-w64-x86_64.cmake"
}

# With NIMBRA_SETUP_ONLY set, a script stops here, after installing and
# configuring and before the long build: scripts/test checks every script's
# set-up this way on a fresh build folder.
stop_if_setup_only() {
    if [[ -n "${NIMBRA_SETUP_ONLY:-}" ]]; then
        log "Set-up checked; stopping before the build (NIMBRA_SETUP_ONLY)"
        exit 0
    fi
}

build_tree() {
    local dir="$1"; shift
    log "Building $dir ${*}"
    cmake --build "$dir" -j"$JOBS" "$@"
}

# setup_wine [NAME [desktop]]: a Wine prefix of our own inside the build tree
# (build/NAME, "wine" by default); never the user's ~/.wine. A new prefix gets
# real folders for Desktop, Documents and the like: Wine links them to the
# home folder, and the program would search all of it. With "desktop" its
# windows live in a virtual desktop: without a window manager (Xvfb) Wine
# waits for each window to be mapped, which makes every test window slow.
setup_wine() {
    export WINEPREFIX="$BUILD/${1:-wine}"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    export WINEARCH=win64
    WINE_PREFIX_CREATED=""
    if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
        log "Creating the Wine prefix $WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        timeout 300 wineboot --init >/dev/null 2>&1 || true
        timeout 120 wineserver --wait || true
        local link
        for link in "$WINEPREFIX"/drive_c/users/*/*; do
            if [[ -L "$link" ]]; then
                rm "$link" && mkdir -p "$link"
            fi
        done
        if [[ "${2:-}" == desktop ]]; then
            wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
            wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f \
                >/dev/null 2>&1
            timeout 120 wineserver --wait || true
        fi
        WINE_PREFIX_CREATED=1
    fi
}

stop_wine() {
    [[ -n "${WINEPREFIX:-}" ]] && wineserver -k >/dev/null 2>&1 || true
}
