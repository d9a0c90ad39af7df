# Private Xvfb displays, stopped when the calling script exits. Source this file, then call
# start_xvfb (one display, exported as DISPLAY) or start_xvfb_pool (several, for ctest).

xvfb_pids=()

# launch_xvfb: starts an Xvfb on a free display and sets xvfb_display to its number. Xvfb
# picks the number itself and writes it once it accepts connections.
launch_xvfb() {
    local out
    out=$(mktemp)
    Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp >"$out" 2>/dev/null &
    xvfb_pids+=("$!")
    trap 'kill "${xvfb_pids[@]}" 2>/dev/null || true' EXIT
    local tries=0
    until [[ -s "$out" ]]; do
        tries=$((tries + 1))
        if ((tries > 200)); then
            echo "Xvfb did not start" >&2
            rm -f "$out"
            return 1
        fi
        sleep 0.05
    done
    xvfb_display=$(<"$out")
    rm -f "$out"
}

start_xvfb() {
    launch_xvfb || return 1
    export DISPLAY=":$xvfb_display"
    # Without a session bus GTK's accessibility bridge complains or starts helpers we don't want.
    export NO_AT_BRIDGE=1
}

# start_xvfb_pool COUNT FILE: COUNT displays, listed in FILE as ctest's resources (the file
# scripts/test hands to ctest): each GUI test asks for one "display" and gets its number.
start_xvfb_pool() {
    local ids=() i
    for ((i = 0; i < $1; i++)); do
        launch_xvfb || return 1
        ids+=("{\"id\": \"$xvfb_display\", \"slots\": 1}")
    done
    local IFS=,
    printf '{"version": {"major": 1, "minor": 0}, "local": [{"display": [%s]}]}\n' "${ids[*]}" >"$2"
    export NO_AT_BRIDGE=1
}
