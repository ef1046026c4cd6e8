# Sourced by the scripts that run Windows programs: a private Wine prefix, a screen, and a
# persistent wineserver. Idempotent; several shells may source it at once.
export WINEPREFIX="${WINEPREFIX:-/tmp/tamsi-wine}"
export WINEDEBUG="${WINEDEBUG:--all}"
# Keeps Wine from offering to install Mono and Gecko, which would block a headless run.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export WINEARCH=win64

tamsi_start_screen() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return; fi
    if [ -n "${TAMSI_DISPLAY:-}" ]; then
        export DISPLAY="$TAMSI_DISPLAY"
        xdpyinfo >/dev/null 2>&1 && return
    else
        # A virtual screen already running is reused, unless the caller wants one of its own
        # (a test run, whose screenshots must show only its windows). Otherwise the first
        # display without a lock file is taken: one left by a killed server makes Xvfb refuse.
        for number in $(seq 91 130); do
            export DISPLAY=":$number"
            if [ ! -e "/tmp/.X$number-lock" ]; then break; fi
            if [ -z "${TAMSI_OWN_SCREEN:-}" ] && xdpyinfo >/dev/null 2>&1; then return; fi
        done
    fi
    Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    export TAMSI_XVFB_PID=$!
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
}

tamsi_make_prefix() {
    [ -f "$WINEPREFIX/.tamsi-ready" ] && return
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        [ -f "$WINEPREFIX/.tamsi-ready" ] && exit 0
        rm -rf "$WINEPREFIX"
        timeout 300 wineboot -i >/dev/null 2>&1
        timeout 120 wineserver -w
        # A crashing program must exit at once instead of waiting for a click.
        wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
        # Debian's Wine does not find its own fonts; copy them where the prefix looks.
        cp /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/*.fon "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
        wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /t REG_SZ /d "Liberation Sans" /f >/dev/null 2>&1
        # A virtual desktop gives windows their frames, title bars and menus in screenshots.
        wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d 1280x1024 /f >/dev/null 2>&1
        timeout 120 wineserver -w
        touch "$WINEPREFIX/.tamsi-ready"
    ) 9>"$WINEPREFIX.lock"
}

tamsi_start_screen
tamsi_make_prefix
# Keep the server up between programs: a start then costs a fraction of a second.
wineserver -p >/dev/null 2>&1 || true
