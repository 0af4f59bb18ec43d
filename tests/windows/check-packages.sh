#!/usr/bin/env bash
# tests/windows/check-packages.sh ZIP MSI: the Windows packages under wine, with nothing of the
# build on the path. The portable zip, unpacked anywhere, runs the command line (a report too)
# and the desktop tool. The MSI installs into Program Files with a Start menu entry and .OMX
# files opening in the tool, runs from there, and uninstalls leaving none of it behind.
zip=$1 msi=$2
source "$(dirname "$0")/wine-session.sh"
# A program that hangs fails the check instead of holding it up.
run() { timeout 120 wine "$@"; }
unset WINEPATH WINEQT_PLUGIN_PATH WINEQT_QPA_PLATFORM
start_display && start_openbox
start_wine

# shows_window TITLE: the desktop tool's window with exactly that title appears; it is closed.
shows_window() {
    local window
    window=$(timeout 60 xdotool search --sync --onlyvisible --name "^Tevara Orvandel" | tail -1) ||
        fail "no window for \"$1\""
    sleep 1
    [[ $(xdotool getwindowname "$window") == "$1" ]] ||
        fail "the window is \"$(xdotool getwindowname "$window")\", not \"$1\""
    xdotool windowactivate --sync "$window" key ctrl+q
    for _ in $(seq 100); do
        xdotool search --onlyvisible --name "^Tevara Orvandel" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    fail "the tool did not close"
}
title="Tevara Orvandel MX Configuration Tool  Rev 1.60   -   "

# The portable zip.
unzip -q "$zip" -d "$tmp/unzipped"
portable=$tmp/unzipped/Orvandel\ MX
# Its DLLs and platform plugin are proved by running its programs with nothing else on the path.
[[ -f $portable/README.md ]] || fail "the zip has no guide"
dir=$(winepath -w "$tmp")
run "$portable/orvandel-mx-cli.exe" new "$dir\\Site.OMX" || fail "the zip's CLI did not run"
run "$portable/orvandel-mx-cli.exe" report "$dir\\Site.OMX" -o "$dir\\Site.pdf" ||
    fail "the zip's CLI made no report"
[[ $(pdftotext "$tmp/Site.pdf" -) == *"File: $dir\Site.OMX"* ]] || fail "the report does not name its file"
wine "$portable/orvandel-mx.exe" "$dir\\Site.OMX" >"$tmp/tool.log" 2>&1 &
shows_window "$title$dir\\Site.OMX"

# The MSI: installed, used, uninstalled.
programs=$WINEPREFIX/drive_c/Program\ Files/Orvandel\ MX
# Windows puts a machine-wide entry in ProgramData; wine puts it in the user's Start menu.
start_entry() {
    local menu
    for menu in "$WINEPREFIX"/drive_c/{ProgramData,users/*/AppData/Roaming}/Microsoft/Windows; do
        [[ -f "$menu/Start Menu/Programs/Orvandel MX.lnk" ]] && return 0
    done
    return 1
}
run msiexec /i "$(winepath -w "$msi")" /qn || fail "msiexec /i failed"
[[ -f $programs/orvandel-mx.exe && -f $programs/platforms/qwindows.dll ]] ||
    fail "nothing installed in Program Files"
start_entry || fail "no Start menu entry"
[[ $(wine reg query 'HKCR\.OMX' /ve | tr -d '\r') == *OrvandelMX.DataFile* ]] ||
    fail ".OMX is not registered"
run "$programs/orvandel-mx-cli.exe" new "$dir\\Other.OMX" || fail "the installed CLI did not run"
# As a double-click on the file does: through its file type.
wine start /wait "$dir\\Other.OMX" >"$tmp/start.log" 2>&1 &
shows_window "$title$dir\\Other.OMX"
run msiexec /x "$(winepath -w "$msi")" /qn || fail "msiexec /x failed"
[[ ! -e $programs ]] || fail "Program Files\\Orvandel MX is left after uninstalling: $(ls "$programs")"
start_entry && fail "the Start menu entry is left after uninstalling"
wine reg query 'HKCR\.OMX' >/dev/null 2>&1 && fail "the .OMX file type is left after uninstalling"
echo "check-packages: the zip and the MSI under wine: OK"
