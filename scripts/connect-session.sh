# Sourced by screenshot-connect and check-connect: a display, a simulated controller on a
# pseudo-terminal and the desktop tool with COM1 mapped to it, driven with xdotool.
# Needs: root, build, tmp set by the caller; leaves pids for the caller's cleanup.
pids=()
cleanup() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT

command -v xdotool >/dev/null || { echo "xdotool is needed (apt-get install -y xdotool)" >&2; exit 2; }

source "$(dirname "${BASH_SOURCE[0]}")/display.sh"

# start_sim [orvandel-mx-sim options...]: the controller, reachable as $tmp/ttyCOM1.
start_sim() {
    "$build/apps/sim/orvandel-mx-sim" --link "$tmp/ttyCOM1" "$@" >"$tmp/sim.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 50); do
        [[ -L $tmp/ttyCOM1 ]] && return 0
        sleep 0.1
    done
    echo "the simulated controller did not start: $(cat "$tmp/sim.log")" >&2
    exit 1
}

# start_tool [files...]: the tool with a private home, so its data and backups stay in $tmp.
start_tool() {
    HOME=$tmp XDG_DATA_HOME=$tmp/.local/share QT_QPA_PLATFORM=xcb \
        "$build/apps/gui/orvandel-mx" --port "COM1=$tmp/ttyCOM1" "$@" >"$tmp/app.log" 2>&1 &
    pids+=($!)
    main=$(xdotool search --sync --onlyvisible --name "^Tevara Orvandel" | tail -1)
    sleep 1
}

# click WINDOW X Y: a left click at a point of the window's client area (no window manager,
# so there is no frame).
click() {
    xdotool mousemove --window "$1" "$2" "$3" click 1
    sleep 0.3
}

# The "Connect" entry of the menu bar, then the window's Connect button at twips 1200, 240.
open_connection_window() {
    click "$main" 335 10
    connectWindow=$(xdotool search --sync --onlyvisible --name "^Connect$" | tail -1)
    sleep 0.5
}
connect_button() { click "$connectWindow" $((1200 / 15 + 28)) $((240 / 15 + 10)); sleep 1; }

# A point in a status-frame child: frame offset (twips) plus the control's own position.
in_status() { # FRAME_LEFT FRAME_TOP LEFT TOP
    click "$connectWindow" $(((120 + $1 + $3) / 15 + 10)) $(((120 + $2 + $4) / 15 + 8))
}

# The message box with TITLE, answered with Return.
answer_box() {
    local box
    box=$(xdotool search --sync --onlyvisible --name "^$1\$" | tail -1)
    sleep 0.3
    xdotool windowfocus --sync "$box"
    xdotool key Return
    sleep 0.5
}
