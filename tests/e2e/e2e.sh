#!/usr/bin/env bash
# Drives the real program under Xvfb like a person: keys and clicks with
# xdotool, the clipboard read back with xclip, the preview read off a screenshot.
# Usage: e2e.sh <marovel> <generate_table> <close_window>
set -euo pipefail
if [ -z "${MAROVEL_E2E_XVFB:-}" ]; then
    exec env MAROVEL_E2E_XVFB=1 "$(dirname "$0")/../../scripts/with-xvfb.sh" -- bash "$0" "$@"
fi
app=$1 gen=$2 closer=$3

work=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# A fresh, empty home and runtime folder: the program must leave them empty.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share \
    XDG_CACHE_HOME=$work/home/.cache XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

xdpyinfo >/dev/null 2>&1 || fail "no X server at $DISPLAY"

# Every socket the program opens is traced: only local (AF_UNIX) ones, to the X server and
# the like, may appear; no network connection.
strace -f -qq -e trace=socket,connect -o "$work/sockets.log" "$app" >"$work/app.log" 2>&1 &
app_pid=$!
pids+=($app_pid)
wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Marovel ver0\.6$' | head -n 1)
[ -n "$wid" ] || fail "the window did not appear"
sleep 0.5

settle() { sleep 0.3; }
click() { xdotool mousemove --window "$wid" "$1" "$2" click 1; settle; }
replace_text() { # x y text: click into a box, select all, type
    click "$1" "$2"
    xdotool key --clearmodifiers ctrl+a
    xdotool type --delay 30 -- "$3"
    settle
}
clipboard() { xclip -o -selection clipboard 2>/dev/null || true; }
expected() { "$gen" "$@" | iconv -f CP932 -t UTF-8; }

# Geometry is fixed: window client coordinates of the controls.
read -r wx wy < <(xdotool getwindowgeometry "$wid" | awk '/Position/ {split($2,p,","); print p[1], p[2]}')
[ "$wx,$wy" = "206,123" ] || echo "note: window at $wx,$wy" >&2

# 1. Start-up: copy gives the default table.
click 50 145
[ "$(clipboard)" = "$(expected)" ] || fail "default table not on the clipboard"

# 2. Settings by keyboard and mouse.
replace_text 30 37 3             # tate_b: 3 rows
replace_text 200 38 'A&<'       # kari
replace_text 30 62 80            # haba
click 14 112                     # CheckBox1: header cells
click 39 14                      # scb: the colour dialog opens
sleep 1
dialog_colour() { # give the dialog's HTML field a colour
    xdotool key --clearmodifiers alt+h
    xdotool key --clearmodifiers ctrl+a
    xdotool type --delay 30 "$1"
    settle
}
# Two custom colours ("Add to Custom Colors", Alt+A), which Qt would save on its own.
dialog_colour '#12ab34'
xdotool key --clearmodifiers alt+a
dialog_colour '#5600ef'
xdotool key --clearmodifiers alt+a
dialog_colour '#3b0000'
xdotool key Return
sleep 0.8
click 50 145                     # Button2
want=$(expected rows=3 cellText='A&<' width=80 header=1 topLeft=3B0000)
got=$(clipboard)
[ "$got" = "$want" ] || { diff <(echo "$want") <(echo "$got") >&2 || true; fail "clipboard differs from the generator's table"; }
xclip -o -selection clipboard | grep -q $'\r' || fail "CR LF lost on the clipboard"

# 3. The preview squares carry the cells' colours.
import -window "$wid" "$work/shot.png"
MAROVEL_PRINT_COLORS=1 "$gen" rows=3 cellText='A&<' width=80 header=1 topLeft=3B0000 \
    2>"$work/colors.txt" >/dev/null
convert "$work/shot.png" -crop 150x150+248+8 +repage txt:- >"$work/preview.txt"
while read -r r c red green blue; do
    x=$((5 * c + 2)) y=$((5 * r + 2))
    line=$(grep -m1 "^$x,$y:" "$work/preview.txt") || fail "no pixel $x,$y"
    px=$(sed -E 's/.*\(([0-9]+),([0-9]+),([0-9]+).*/\1 \2 \3/' <<<"$line")
    [ "$px" = "$red $green $blue" ] || fail "preview cell $r,$c is $px, want $red $green $blue"
done <"$work/colors.txt"

# 4. Hand-typed output is copied until the window is uncovered again.
replace_text 150 112 handmade    # html_e
click 50 145
[ "$(clipboard)" = "handmade" ] || fail "hand-typed output not copied"
xmessage -geometry 600x400+100+50 -timeout 5 'cover' &
cover=$!
pids+=($cover)
sleep 1
kill "$cover"
sleep 1
click 50 145
[ "$(clipboard)" = "$want" ] || fail "uncovering did not regenerate the table"

# 5. Closing the window ends the program, and nothing was written.
# Without a window manager Qt now and then drops a WM_DELETE_WINDOW that comes while it is
# busy (a bare QWidget does the same); a person would press the close button again.
for _ in $(seq 1 8); do
    "$closer" "$wid"
    for _ in $(seq 1 20); do kill -0 "$app_pid" 2>/dev/null || break 2; sleep 0.1; done
done
kill -0 "$app_pid" 2>/dev/null && fail "the program did not end when its window closed"
wait "$app_pid" || fail "the program exited with an error: $(cat "$work/app.log")"
left=$(find "$HOME" "$XDG_RUNTIME_DIR" -mindepth 1)
[ -z "$left" ] || fail "files written: $left"

# 6. No network: every socket is a local one, and so is every connection.
grep -q 'socket(AF_UNIX' "$work/sockets.log" || fail "the socket trace saw nothing: $(head "$work/sockets.log")"
remote=$(grep -E ' (socket|connect)\(' "$work/sockets.log" |
    grep -vE 'socket\(AF_UNIX|connect\([0-9]+, \{sa_family=AF_UNIX' || true)
[ -z "$remote" ] || fail "non-local sockets opened: $remote"
echo "end-to-end: all checks passed"
