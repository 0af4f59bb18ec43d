# Sourced: start_display starts Xvfb on the first free display and exports DISPLAY. Needs tmp,
# and pids to which it adds the server for the caller's cleanup.
start_display() {
    display=90
    while [[ -e /tmp/.X$display-lock ]]; do display=$((display + 1)); done
    Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >"$tmp/xvfb.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 50); do
        [[ -e /tmp/.X11-unix/X$display ]] && break
        sleep 0.1
    done
    export DISPLAY=":$display"
}
