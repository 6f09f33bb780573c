# shellcheck shell=bash
# Wine settings shared by scripts/wine-run and scripts/test (source this file).
#
# Every Wine run of ours uses a private prefix and HOME under one root folder:
#   ORV_WINE_ROOT   set by scripts/test to a fresh folder per run; when unset
#                   (ctest run by hand) /tmp/orv-wine-$UID, kept between runs
#                   for speed (delete it to start afresh).
#   ORV_WINEDEBUG   WINEDEBUG for the programs (default -all: no Wine logging).
# The prefix is created once, with the null graphics driver so that programs
# run without an X display, and without the Mono and Gecko installers.

orv_wine_env() {
    : "${ORV_WINE_ROOT:=/tmp/orv-wine-$(id -u)}"
    export ORV_WINE_ROOT
    export WINEPREFIX="$ORV_WINE_ROOT/prefix"
    export HOME="$ORV_WINE_ROOT/home"
    unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME
    export WINEDEBUG=${ORV_WINEDEBUG:--all}
    export WINEDLLOVERRIDES="mscoree,mshtml="
    # The null driver needs no display; keep Wine away from any X server.
    unset DISPLAY WAYLAND_DISPLAY
}

# Chooses the null driver before the prefix's first boot: the desktop process
# the boot starts would otherwise try X11 and fail slowly, and until it gave
# up no program could open a window (and every program using GDI waited for
# it). The registry is read when the Wine server starts, so this comes before.
orv_wine_seed_registry() {
    mkdir -p "$WINEPREFIX"
    [ -f "$WINEPREFIX/user.reg" ] && return 0
    printf '%s\n' 'WINE REGISTRY Version 2' ';; All keys relative to \\User\\Current User' '' '#arch=win64' '' \
        '[Software\\Wine\\Drivers]' '"Graphics"="null"' >"$WINEPREFIX/user.reg"
}

# Creates the prefix when it is missing. Safe when several processes start at
# once (ctest -j): the first creates it, the others wait on the lock.
orv_wine_prepare() {
    orv_wine_env
    mkdir -p "$ORV_WINE_ROOT" "$HOME"
    [ -f "$WINEPREFIX/.orv-ready" ] && return 0
    (
        flock 9
        if [ ! -f "$WINEPREFIX/.orv-ready" ]; then
            orv_wine_seed_registry
            wine wineboot --init >/dev/null 2>&1
            wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
            # No debugger for crashing programs: winedbg waits for a crash
            # dialog nobody can close, and when it does finish the exit status
            # is not always the exception's. Without it a crash ends the
            # program at once with status 5 (access violation) and Wine's
            # "Unhandled page fault ... at address" line on stderr.
            local view
            for view in 32 64; do
                wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
                    /v Debugger /d orv-no-debugger /f /reg:$view >/dev/null 2>&1
            done
            touch "$WINEPREFIX/.orv-ready"
        fi
    ) 9>"$ORV_WINE_ROOT/.lock"
}

# Starts a persistent Wine server for the prefix (stop it with wineserver -k).
# Without one, every Wine program waits for a new server to start. Start it
# before orv_wine_prepare: a server left by an earlier program cannot be made
# persistent any more (wineserver -p then fails).
orv_wine_start_server() {
    orv_wine_env
    mkdir -p "$HOME"
    orv_wine_seed_registry
    wineserver -p
}
