# Sourced: the Wine set-up every run of our Windows programs shares.
# wine_session_start BUILD-DIR makes the prefix BUILD-DIR/wine-prefix once and keeps a wineserver
# up; wine_session_stop ends that server.
# WINEDLLOVERRIDES turns the debugger off: with it a crashing program could exit 0. Non-ASCII file
# names need a UTF-8 locale.
wine_session_start() {
    WINEPREFIX="$(cd "$1" && pwd)/wine-prefix"
    WINEDEBUG=-all
    WINEDLLOVERRIDES="winedbg.exe=d"
    LANG=C.UTF-8
    export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES LANG
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wineboot --init >"$1/wineboot.log" 2>&1
        wineserver --wait
    fi
    # The server keeps the pipes it inherits open: its output goes to a file.
    wineserver --persistent >"$1/wineserver.log" 2>&1 || true # one may be up already
}

wine_session_stop() {
    wineserver --kill >/dev/null 2>&1 || true
}
