# Shared set-up for scripts/run and scripts/test: packages, locale, Wine prefix,
# display and wineserver. Sourced, not run. Everything here is idempotent and
# stops only what it started itself.

TORVA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# TORVA_BUILD and TORVA_WINEPREFIX let several checkouts or workers build and
# test side by side without stopping each other's Wine.
export TORVA_WINEPREFIX=${TORVA_WINEPREFIX:-$TORVA_ROOT/build/wineprefix}
WINE64=/usr/lib/wine/wine64

torva_log() { printf '== %s\n' "$*" >&2; }

# Installs with apt-get only what is missing; "torva_install run" also what
# scripts/run needs beyond the build and the tests.
torva_install() {
    local need=()
    command -v x86_64-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-x86-64-posix)
    [ -x "$WINE64" ]                       || need+=(wine64)
    command -v cmake >/dev/null            || need+=(cmake)
    command -v make >/dev/null             || need+=(make)
    [ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
    command -v Xvfb >/dev/null             || need+=(xvfb)
    command -v xauth >/dev/null            || need+=(xauth)
    command -v locale-gen >/dev/null       || need+=(locales)
    fc-list 2>/dev/null | grep -qi ipagothic || need+=(fonts-ipafont-gothic)
    # The screenshot of scripts/run is converted by ImageMagick's own convert
    # (some machines carry a stand-in of that name on the path).
    if [ "${1:-}" = run ]; then
        dpkg -s imagemagick >/dev/null 2>&1 || need+=(imagemagick)
    fi
    if [ ${#need[@]} -gt 0 ]; then
        torva_log "installing: ${need[*]}"
        if [ "$(id -u)" != 0 ]; then echo "root is needed to install: ${need[*]}" >&2; return 1; fi
        apt-get update -qq || return 1
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null || return 1
    fi
    if ! locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$'; then
        torva_log "generating the ja_JP.UTF-8 locale"
        sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
        grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen
        locale-gen >/dev/null || return 1
    fi
}

# The environment every Wine process of ours runs in.
torva_wine_env() {
    export WINEPREFIX="$TORVA_WINEPREFIX"
    export WINEDEBUG=-all,err+winediag
    export WINEDLLOVERRIDES="mscoree,mshtml="
    export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
    export WINEARCH=win64
    export PATH="/usr/lib/wine:$PATH"
}

TORVA_XVFB_PID=
TORVA_STARTED_WINESERVER=

# Starts Xvfb on a free display when there is none. The range is wide: a
# script that starts a display and ends without torva_cleanup leaves its
# Xvfb running, and such leftovers must not stop the next run.
torva_display() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo_ok; then return 0; fi
    local n
    for n in $(seq 91 599); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        TORVA_XVFB_PID=$!
        export DISPLAY=":$n"
        local i
        for i in $(seq 1 100); do
            [ -e "/tmp/.X11-unix/X$n" ] && return 0
            kill -0 "$TORVA_XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        # Not up in 10 s: stop it before trying the next display.
        kill "$TORVA_XVFB_PID" 2>/dev/null
        wait "$TORVA_XVFB_PID" 2>/dev/null
        TORVA_XVFB_PID=
    done
    echo "could not start Xvfb" >&2
    return 1
}

xdpyinfo_ok() {
    # A DISPLAY naming a dead server makes every window creation fail silently.
    local d=${DISPLAY#:}; d=${d%%.*}
    [ -e "/tmp/.X11-unix/X$d" ]
}

# Creates the prefix on first use, with the settings that keep tests fast and
# keep a crash from opening a dialog that nobody answers.
torva_prefix() {
    mkdir -p "$(dirname "$WINEPREFIX")"
    if [ ! -f "$WINEPREFIX/.torva-ready" ]; then
        torva_log "creating the Wine prefix in $WINEPREFIX"
        "$WINE64" wineboot --init >/dev/null 2>&1
        "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
        "$WINE64" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
        "$WINE64" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS UI Gothic' /d IPAPGothic /f >/dev/null 2>&1
        "$WINE64" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS PGothic' /d IPAPGothic /f >/dev/null 2>&1
        wineserver -w 2>/dev/null
        touch "$WINEPREFIX/.torva-ready"
    fi
}

torva_wineserver_start() {
    # A persistent server makes a test process cost 0.05 s instead of 2.6 s.
    # Exit status 2 means a server of this prefix runs already: not ours to stop.
    if wineserver -p 2>/dev/null; then TORVA_STARTED_WINESERVER=1; fi
    # Start Wine's service processes now, with no pipes open: the first
    # program run would otherwise hand them its standard error, and ctest
    # would wait for that pipe to close until it timed out. They live as long
    # as the server. The desktop process does not: see torva_desktop_keep.
    "$WINE64" cmd /c exit </dev/null >/dev/null 2>&1
}

TORVA_KEEPER_PID=
TORVA_KEEPER_FD=

# torva_desktop_keep EXE: keeps Wine's desktop up until torva_desktop_release.
# Wine closes the desktop a second after its last program ends; the program
# that next needs it starts the desktop process anew, and that process keeps
# the program's standard error open until the desktop closes again. Under
# ctest -j, that is mostly when the whole run ends: the program has passed and
# ended, yet ctest waits on its pipe until the test times out. EXE
# (tests/kit/desktop_keeper.exe) starts the desktop with no pipe of ours and
# stays a user of it while its standard input, held here, is open.
torva_desktop_keep() {
    local exe=$1 ready i
    ready=$(mktemp) || return 1
    exec {TORVA_KEEPER_FD}> >(exec "$WINE64" "$exe" >"$ready" 2>/dev/null)
    TORVA_KEEPER_PID=$!
    for i in $(seq 1 600); do
        grep -q ready "$ready" 2>/dev/null && break
        kill -0 "$TORVA_KEEPER_PID" 2>/dev/null || break
        sleep 0.1
    done
    if ! grep -q ready "$ready" 2>/dev/null; then
        rm -f "$ready"
        echo "the Wine desktop did not start" >&2
        torva_desktop_release
        return 1
    fi
    rm -f "$ready"
}

torva_desktop_release() {
    [ -n "$TORVA_KEEPER_PID" ] || return 0
    [ -n "$TORVA_KEEPER_FD" ] && exec {TORVA_KEEPER_FD}>&-
    local i
    for i in $(seq 1 50); do
        kill -0 "$TORVA_KEEPER_PID" 2>/dev/null || break
        sleep 0.1
    done
    kill "$TORVA_KEEPER_PID" 2>/dev/null
    TORVA_KEEPER_PID=
    TORVA_KEEPER_FD=
}

torva_cleanup() {
    torva_desktop_release
    if [ -n "$TORVA_STARTED_WINESERVER" ]; then wineserver -k 2>/dev/null; TORVA_STARTED_WINESERVER=; fi
    if [ -n "$TORVA_XVFB_PID" ]; then kill "$TORVA_XVFB_PID" 2>/dev/null; wait "$TORVA_XVFB_PID" 2>/dev/null; TORVA_XVFB_PID=; fi
}

# torva_build DIR TYPE [TARGET...]: configures once, then builds the targets
# (every target when none is named).
torva_build() {
    local dir=$1 type=$2
    shift 2
    local targets=()
    [ $# -gt 0 ] && targets=(--target "$@")
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake -S "$TORVA_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE="$type" \
              -DCMAKE_TOOLCHAIN_FILE="$TORVA_ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null || return 1
    fi
    cmake --build "$dir" -j"$(nproc)" "${targets[@]}" || return 1
}
