#!/usr/bin/env bash
# The window scales as a whole on dense screens, and the preview squares stay even.
# Usage: hidpi.sh <marovel> <with-xvfb.sh>
set -euo pipefail
app=$1 xvfb=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work XDG_CONFIG_HOME=$work/.config XDG_RUNTIME_DIR=$work/run
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

check() { # <setting: VAR=value, or dpi=N for the desktop's font DPI> <expected scale>
    local setting=$1 scale=$2 dpi=""
    case $setting in dpi=*) dpi=${setting#dpi=}; setting=QT_SCALE_FACTOR= ;; esac
    env "$setting" DPI="$dpi" "$xvfb" 1600x1000x24 -- bash -c '
        [ -z "$DPI" ] || echo "Xft.dpi: $DPI" | xrdb -nocpp -merge
        "$0" >/dev/null 2>&1 & pid=$!
        wid=$(timeout 20 xdotool search --sync --onlyvisible --name "^Marovel ver0\.6$" | head -n 1)
        sleep 1
        xdotool getwindowgeometry "$wid" | sed -n "s/.*Geometry: //p" >"$1/size"
        import -window "$wid" "$1/shot.png"
        kill $pid' "$app" "$work"
    local want="$((404 * scale))x$((163 * scale))"
    [ "$(cat "$work/size")" = "$want" ] || { echo "FAIL ($setting): window $(cat "$work/size"), want $want" >&2; exit 1; }
    # The first preview square (yellow) and its neighbour (the next cell) are scale*5 wide.
    local x0=$((248 * scale)) y0=$((8 * scale)) side=$((5 * scale))
    local row
    row=$(convert "$work/shot.png" -crop "$((2 * side))x1+$x0+$((y0 + 1))" +repage txt:- | tail -n +2 |
        sed -E 's/.*\(([0-9]+),([0-9]+),([0-9]+).*/\1,\2,\3/' | tr '\n' ' ')
    local expect="" i
    for ((i = 0; i < side; i++)); do expect+="255,255,0 "; done
    [[ "$row" == "$expect"* ]] || { echo "FAIL ($setting): first square row: $row" >&2; exit 1; }
    local next=${row#"$expect"}
    [ "${next%% *}" != "255,255,0" ] || { echo "FAIL ($setting): first square wider than $side" >&2; exit 1; }
    echo "ok: $1 -> ${want}, squares $side px"
}

check QT_SCALE_FACTOR=2 2
check dpi=144 2 # a 1.5 desktop is drawn at 2
check QT_SCALE_FACTOR=1 1
