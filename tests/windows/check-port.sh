#!/usr/bin/env bash
# tests/windows/check-port.sh CLI.exe SIM EXPECTED: the Windows command line and its Win32 port
# under wine against orvandel-mx-sim, whose pseudo-terminals wine offers as COM ports
# (HKLM\Software\Wine\Ports): status, relay, upload, download with its backup, verify, a port
# above COM9 named directly, mapped, or mapped as the desktop tool keeps it, one that is
# missing, monitor and status --watch ended by Ctrl-C, and a simulator that drops the line or
# goes away mid-transfer. Written down as a user sees it and compared with EXPECTED
# (ORVANDEL_UPDATE_EXPECTED=1 rewrites it). Then the same in a console. Wine lets two programs
# open one port, so a port held by another program is not tried here.
cli=$1 sim=$2 expected=$3
source "$(dirname "$0")/wine-session.sh"
keys+=('HKCU\Software\Tevara\orvandel-mx\ports')

# COM1 and COM12 reach the same controller; COM2 one that drops the line at block 9; COM3 one
# that is stopped mid-transfer. COM4 is mapped to COM12 as the desktop tool keeps it.
mkfifo "$tmp/keys"
exec 3<>"$tmp/keys" # what is typed to the first controller
start_sim "$sim" mx4 "$tmp/keys"
start_sim "$sim" drops /dev/null --fault disconnect-at-block=9
start_sim "$sim" slow /dev/null --fault slow=200
for port in COM1=mx4 COM12=mx4 COM2=drops COM3=slow; do offer_port "${port%=*}" "${port#*=}"; done
wine reg add 'HKCU\Software\Tevara\orvandel-mx\ports' /v COM4 /d COM12 /f >/dev/null
start_wine

dir=$(winepath -w "$tmp")
# The backup the download keeps is the first in its folder.
rm -rf "$(local_app_data)/orvandel-mx"
transcript=$tmp/transcript.txt
mask() {
    sed -e "s|$(printf '%s' "$dir" | sed 's/[\\.]/\\&/g')|<dir>|g" \
        -e 's|C:\\users\\[^\\]*\\|C:\\users\\<user>\\|g' \
        -e 's/controller-[0-9-]*\.OMX/controller-<when>.OMX/g' \
        -e 's/^[0-9][0-9]:[0-9][0-9]:[0-9][0-9]\.[0-9][0-9][0-9]  /<time>  /'
}
# run ARGS...: one command to its end, written down.
run() {
    local code=0
    timeout 120 wine "$cli" "$@" >"$tmp/out" 2>&1 || code=$?
    {
        echo "\$ orvandel-mx-cli $*"
        cat "$tmp/out"
        echo "exit $code"
    } | mask >>"$transcript"
}
# start ARGS...: one command left running; its output grows in $tmp/bg.
start() {
    started="$*"
    wine "$cli" "$@" >"$tmp/bg" 2>&1 &
    bg=$!
}
# until_shown TEXT: waits until the running command has written TEXT.
until_shown() {
    for _ in $(seq 150); do
        grep -q "$1" "$tmp/bg" && return 0
        sleep 0.1
    done
    fail "\"$started\" never wrote \"$1\": $(cat "$tmp/bg")"
}
# interrupt [first]: Ctrl-C to the running command, then written down (its first reading
# only: how many more came before the Ctrl-C is up to the clock).
interrupt() {
    kill -INT "$bg"
    local code=0
    wait "$bg" || code=$?
    {
        echo "\$ orvandel-mx-cli $started"
        echo "(Ctrl-C)"
        if [[ ${1:-} == first ]]; then sed '/^$/,$d' "$tmp/bg"; else cat "$tmp/bg"; fi
        echo "exit $code"
    } | mask >>"$transcript"
}

run new "$dir\\site.OMX"
run status --port COM1
run relay 2 on --port COM1
run upload "$dir\\up.OMX" --port COM1
run download "$dir\\site.OMX" --port COM1
run verify "$dir\\site.OMX" --port COM1
run status --port COM3=COM12
run relay 2 off --port COM12
run relay 2 on --port COM4
run status --port COM42

start monitor "$dir\\site.OMX" --port COM1
until_shown "until Ctrl-C"
echo "press TB01-3" >&3
until_shown "TB01 In 3 closed"
interrupt

start status --watch --port COM1
until_shown "Hardware"
interrupt first

run download "$dir\\site.OMX" --port COM2
start download "$dir\\site.OMX" --no-backup --port COM3
until_shown "Block 3 Of 16"
kill "${pids[2]}" # the simulator behind COM3 goes away, as an adapter pulled out
code=0
wait "$bg" || code=$?
{
    echo "\$ orvandel-mx-cli $started"
    echo "(the simulator stops)"
    cat "$tmp/bg"
    echo "exit $code"
} | mask | sed -e '/^Block [4-9]\|^Block 1[0-6]/d' -e 's/block [0-9]* of 16/block <n> of 16/' \
    >>"$transcript"

# In a console (wine makes one of a terminal): the text whole, whatever the console's code page,
# and status --watch drawing each reading over the last (erasing what is left below it).
LC_ALL=C.UTF-8 script -qfec "wine '$cli' export '$dir\\site.OMX'" "$tmp/console" >/dev/null
grep -q '1–101 = percent' "$tmp/console" || fail "a console did not get the text whole"
LC_ALL=C.UTF-8 script -qfec "wine '$cli' status --watch --port COM1 & echo \$! >'$tmp/pid'; wait" \
    "$tmp/watch" >/dev/null &
for _ in $(seq 150); do
    grep -q Hardware "$tmp/watch" 2>/dev/null && break
    sleep 0.1
done
[[ -s $tmp/pid ]] || fail "status --watch did not start in a console"
kill -INT "$(cat "$tmp/pid")"
wait "$!" || true
grep -q $'\e\\[J' "$tmp/watch" || fail "status --watch did not draw over its reading in a console"

if [[ -n ${ORVANDEL_UPDATE_EXPECTED:-} ]]; then
    cp "$transcript" "$expected"
    exit 0
fi
diff -u "$expected" "$transcript" || fail "the transcript differs from $expected"
echo "check-port: the Windows port against the simulator: OK"
