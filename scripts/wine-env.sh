# Shared by wine-run and wine-session: the Wine environment of the project and an
# Xvfb of our own when no display is set. Source it; it defines functions only.

wine_bin() {
    if command -v wine64 >/dev/null 2>&1; then command -v wine64
    elif [ -x /usr/lib/wine/wine64 ]; then echo /usr/lib/wine/wine64
    else command -v wine; fi
}

wineserver_bin() {
    if command -v wineserver >/dev/null 2>&1; then command -v wineserver
    else echo /usr/lib/wine/wineserver; fi
}

# wine_setup_env PREFIX: the variables every Wine process of ours runs with.
wine_setup_env() {
    export WINEPREFIX="$1"
    export WINEARCH=win64
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    # Code page 936, and correct GBK file names (needs the host locale).
    export LC_ALL=zh_CN.UTF-8
}

# wine_ensure_prefix: boots the prefix once (about 10 s); serialised by a lock so
# two first uses at once do not both boot it.
wine_ensure_prefix() {
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/system.reg" ]; then
            "$(wine_bin)" wineboot --init >/dev/null 2>&1 || true
            "$(wineserver_bin)" -w
        fi
    ) 9>"$WINEPREFIX.lock"
}

# xvfb_start: starts Xvfb on a free display with a compositor beside it (without one,
# translucent pixels of layered windows show as black); exports DISPLAY.
xvfb_start() {
    _xvfb_fd_file=$(mktemp)
    Xvfb -displayfd 1 -screen 0 1280x800x24 -nolisten tcp >"$_xvfb_fd_file" 2>/dev/null &
    XVFB_PID=$!
    _i=0
    while [ ! -s "$_xvfb_fd_file" ] && [ $_i -lt 100 ]; do sleep 0.05; _i=$((_i + 1)); done
    if [ ! -s "$_xvfb_fd_file" ]; then
        echo "wine-env: Xvfb did not start" >&2
        kill "$XVFB_PID" 2>/dev/null
        rm -f "$_xvfb_fd_file"
        return 1
    fi
    export DISPLAY=":$(head -n1 "$_xvfb_fd_file")"
    # Tells Wine programs started inside (wine-run under wine-session) that this
    # display has no window manager.
    export TREVAND_OWN_XVFB=1
    rm -f "$_xvfb_fd_file"
    if command -v xcompmgr >/dev/null 2>&1; then
        xcompmgr -n >/dev/null 2>&1 &
        XCOMPMGR_PID=$!
    fi
}

xvfb_stop() {
    [ -n "${XCOMPMGR_PID:-}" ] && kill "$XCOMPMGR_PID" 2>/dev/null && wait "$XCOMPMGR_PID" 2>/dev/null
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
    XCOMPMGR_PID=; XVFB_PID=
    return 0
}

# wine_window_management: on our own Xvfb (TREVAND_OWN_XVFB=1) there is no window
# manager, and Wine waits up to a second for one at every show, hide and destroy
# of a top-level window (2 s per window test). "Managed"="N" tells Wine's X11
# driver not to wait. On a display of the user's, with a real window manager,
# the key is removed again. Costs a Wine start only when the key must change.
wine_window_management() {
    _reg="$WINEPREFIX/user.reg"
    if [ "${TREVAND_OWN_XVFB:-0}" = 1 ]; then
        grep -q '^"Managed"="N"' "$_reg" 2>/dev/null ||
            "$(wine_bin)" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
    else
        ! grep -q '^"Managed"="N"' "$_reg" 2>/dev/null ||
            "$(wine_bin)" reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >/dev/null 2>&1 </dev/null
    fi
    return 0
}
