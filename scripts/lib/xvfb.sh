# Starts a private Xvfb and exports DISPLAY; stops it when the calling script exits.
# Source this file, then call start_xvfb.
start_xvfb() {
    local n=90
    while [[ -e /tmp/.X${n}-lock || -e /tmp/.X11-unix/X${n} ]]; do
        n=$((n + 1))
    done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
    export DISPLAY=":$n"
    # Without a session bus GTK's accessibility bridge complains or starts helpers we don't want.
    export NO_AT_BRIDGE=1
    local tries=0
    until xdpyinfo >/dev/null 2>&1; do
        tries=$((tries + 1))
        if ((tries > 100)); then
            echo "Xvfb did not start" >&2
            return 1
        fi
        sleep 0.05
    done
}
