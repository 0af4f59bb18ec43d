#!/usr/bin/env bash
# tests/windows/check-desktop.sh TOOL.exe CLI.exe SIM SHOTS: the Windows desktop tool under wine
# on Xvfb with openbox, against orvandel-mx-sim as COM1 behind an adapter Windows names "USB
# Serial Port (COM1)": it starts with C:\Tevara Orvandel MX made and a data file named by its
# Windows path in the title, connects, names the adapter beside the port, sends the settings
# and closes; the CLI then finds them on the controller, and the backup taken at Connect in
# %LOCALAPPDATA%. Pictures of the main window and of the connection window before and after
# connecting go to SHOTS, to be looked at.
tool=$1 cli=$2 sim=$3 shots=$4
source "$(dirname "$0")/wine-session.sh"
device='HKLM\System\CurrentControlSet\Enum\FTDIBUS\VID_0403+PID_6001+ORVTEST\0000'
keys+=("${device%\\0000}" 'HKCU\Software\Tevara\orvandel-mx\ports')
mkdir -p "$shots"

start_display && start_openbox
start_sim "$sim" ttyCOM1 /dev/null
offer_port COM1 ttyCOM1
wine reg add "$device" /v ClassGUID /d '{4d36e978-e325-11ce-bfc1-08002be10318}' /f >/dev/null
wine reg add "$device" /v FriendlyName /d 'USB Serial Port (COM1)' /f >/dev/null
wine reg add "$device\\Device Parameters" /v PortName /d COM1 /f >/dev/null
start_wine

dir=$(winepath -w "$tmp")
data=$WINEPREFIX/drive_c/Tevara\ Orvandel\ MX
backups=$(local_app_data)/orvandel-mx/backups
rm -rf "$data" "$backups"
wine "$cli" new "$dir\\Site.OMX" >/dev/null
wine "$cli" verify "$dir\\Site.OMX" --port COM1 >/dev/null 2>&1 &&
    fail "the controller already held the file's settings"

wine "$tool" --port COM3=COM12 "$dir\\Site.OMX" >"$tmp/tool.log" 2>&1 &
pids+=($!)
title="Tevara Orvandel MX Configuration Tool  Rev 1.60   -   $dir\\Site.OMX"
main=$(timeout 60 xdotool search --sync --onlyvisible --name "^Tevara Orvandel" | tail -1) ||
    fail "the tool's window did not appear: $(cat "$tmp/tool.log")"
sleep 2
[[ $(xdotool getwindowname "$main") == "$title" ]] ||
    fail "the title is \"$(xdotool getwindowname "$main")\", not \"$title\""
[[ -d $data ]] || fail "C:\\Tevara Orvandel MX was not made at start"
[[ $(wine reg query 'HKCU\Software\Tevara\orvandel-mx\ports' /v COM3 | tr -d '\r') == *COM12* ]] ||
    fail "the tool did not keep the mapping COM3=COM12"
import -window root "$shots/main-window.png"

# click WINDOW X Y: a left click in the window's client area.
click() {
    xdotool mousemove --window "$1" "$2" "$3" click 1
    sleep 0.5
}
# The menu bar's "Connect", reached from the keyboard: File, Edit, Relay Power-On, Dimmers
# Settings, Connect.
xdotool windowactivate --sync "$main"
xdotool key --window "$main" alt
sleep 0.3
xdotool key --window "$main" Right Right Right Right Return
connect=$(timeout 30 xdotool search --sync --onlyvisible --name "^Connect$" | tail -1) ||
    fail "the connection window did not open"
sleep 1
import -window root "$shots/connect-window-port.png" # the port and its adapter's name
click "$connect" $((1200 / 15 + 28)) $((240 / 15 + 10)) # "Connect", at twips 1200, 240
sleep 2
xdotool search --onlyvisible --name "^Port Error$" >/dev/null 2>&1 && fail "the port did not open"
import -window root "$shots/connect-window.png"
click "$connect" $((120 / 15 + 60)) $((4560 / 15 + 12)) # "Send Settings To OV-2"
box=$(timeout 30 xdotool search --sync --onlyvisible --name "^Download$" | tail -1) ||
    fail "no question before the download"
xdotool windowactivate --sync "$box" key Return
sleep 3
click "$connect" $((5640 / 15 + 30)) $((4560 / 15 + 12)) # "Close"
sleep 1
xdotool search --onlyvisible --name "^Connect$" >/dev/null 2>&1 &&
    fail "the connection window stayed open"

wine "$cli" verify "$dir\\Site.OMX" --port COM1 >"$tmp/verify.log" 2>&1 ||
    fail "the download did not arrive: $(cat "$tmp/verify.log")"
ls "$backups"/controller-*.OMX >/dev/null 2>&1 || fail "no backup in %LOCALAPPDATA%\\orvandel-mx\\backups"
echo "check-desktop: connect, download and close through the Windows tool: OK ($shots)"
