# Wine settings shared by scripts/wine-run and scripts/test (source this file).
#
# Every Wine run of ours uses a private prefix and HOME under one root folder:
#   ORV_WINE_ROOT   set by scripts/test to a fresh folder per run; when unset
#                   (ctest run by hand) /tmp/orv-wine-$UID, kept between runs
#                   for speed (delete it to start afresh).
# The prefix is created once, with the null graphics driver so that programs
# run without an X display, and without the Mono and Gecko installers.

orv_wine_env() {
    : "${ORV_WINE_ROOT:=/tmp/orv-wine-$(id -u)}"
    export ORV_WINE_ROOT
    export WINEPREFIX="$ORV_WINE_ROOT/prefix"
    export HOME="$ORV_WINE_ROOT/home"
    unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    # The null driver needs no display; keep Wine away from any X server.
    unset DISPLAY WAYLAND_DISPLAY
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
            wine wineboot --init >/dev/null 2>&1
            wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
            touch "$WINEPREFIX/.orv-ready"
        fi
    ) 9>"$ORV_WINE_ROOT/.lock"
}
