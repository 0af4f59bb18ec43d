# Sourced by the checks under wine: a scratch folder, what they start stopped again at the end
# with the registry keys they name in `keys`, a display, simulated controllers on wine's COM
# ports, and the wineserver. Needs WINEPREFIX (and the DLLs on WINEPATH), as scripts/windows
# sets them.
set -euo pipefail
tmp=$(mktemp -d)
pids=() keys=()
cleanup() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
    wait 2>/dev/null || true
    for key in "${keys[@]}"; do wine reg delete "$key" /f >/dev/null 2>&1 || true; done
    wineserver -k 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "$(basename "$0" .sh): FAILED: $*" >&2; exit 1; }

source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/display.sh"
# The windows managed by openbox, once start_display has run.
start_openbox() {
    openbox >"$tmp/openbox.log" 2>&1 &
    pids+=($!)
}

# start_sim SIM NAME INPUT [options...]: a controller on a pseudo-terminal reachable as $tmp/NAME,
# reading INPUT.
start_sim() {
    local sim=$1 name=$2 input=$3
    shift 3
    "$sim" --link "$tmp/$name" "$@" >"$tmp/$name.log" 2>&1 <"$input" &
    pids+=($!)
    for _ in $(seq 50); do
        [[ -L $tmp/$name ]] && return 0
        sleep 0.1
    done
    fail "the simulated controller did not start: $(cat "$tmp/$name.log")"
}

# offer_port COMn NAME: the controller $tmp/NAME as COMn, once start_wine has run.
offer_port() {
    wine reg add 'HKLM\Software\Wine\Ports' /v "$1" /d "$tmp/$2" /f >/dev/null
    keys+=('HKLM\Software\Wine\Ports')
}

# Wine takes the ports up when its server starts. Started apart, the server keeps what it prints
# when a line hangs up out of the programs' output.
start_wine() {
    wineserver -w
    wineserver -p >/dev/null 2>&1
}

# The folder %LOCALAPPDATA% names, as a Linux path.
local_app_data() { winepath -u "$(wine cmd /c echo %LOCALAPPDATA% | tr -d '\r')"; }
