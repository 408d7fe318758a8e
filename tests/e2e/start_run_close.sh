#!/usr/bin/env bash
# Starts the real kelvaro on a private Xvfb display, clicks Start with the real
# mouse, waits until the default run has filled the result boxes, closes the
# main window and expects exit status 0.
# Usage: start_run_close.sh <kelvaro> <x11_close_window>
set -euo pipefail
kelvaro=$1
closer=$2
work=$(mktemp -d)
xvfb_pid=
app_pid=

cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# A child that has ended stays a zombie until waited for; kill -0 would still succeed.
running() {
    local state
    state=$(ps -o stat= -p "$1" 2>/dev/null) || return 1
    [[ $state != Z* ]]
}

fail() {
    echo "e2e: $*" >&2
    exit 1
}

# Xvfb picks a free display number itself and reports it.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n1 "$work/display")"
# Design resolution: controls sit at their design positions.
export QT_QPA_PLATFORM=xcb QT_FONT_DPI=120 QT_ENABLE_HIGHDPI_SCALING=0

"$kelvaro" 2>"$work/kelvaro.log" &
app_pid=$!

window=
for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name '^Kelvaro$' 2>/dev/null | head -n1 || true)
    [ -n "$window" ] && break
    running "$app_pid" || fail "kelvaro ended early: $(cat "$work/kelvaro.log")"
    sleep 0.1
done
[ -n "$window" ] || fail "main window did not appear"
eval "$(xdotool getwindowgeometry --shell "$window")"

# Both result boxes: GroupBox1 (8, 221) + Memo2 (10, 47) and Memo1 (237, 47), 449 x 96 together.
memo() {
    import -display "$DISPLAY" -window root -crop "449x96+$((X + 18))+$((Y + 268))" +repage "$1"
}
# One half of a picture of both boxes: left is Memo2, right is Memo1.
half() {
    convert "$1" -crop "$2" +repage "$3"
}
# The window is drawn once the same picture comes twice.
stable() {
    memo "$work/a.png"
    for _ in $(seq 100); do
        sleep 0.1
        memo "$work/b.png"
        cmp -s "$work/a.png" "$work/b.png" && return 0
        mv "$work/b.png" "$work/a.png"
    done
    return 1
}
stable || fail "window never settled"
cp "$work/a.png" "$work/empty.png"

xdotool mousemove --sync $((X + 240)) $((Y + 182)) click 1

filled=
for _ in $(seq 300); do
    sleep 0.1
    memo "$work/now.png"
    if ! cmp -s "$work/empty.png" "$work/now.png"; then
        filled=yes
        break
    fi
done
[ -n "$filled" ] || fail "the result boxes stayed empty after clicking Start"
stable || fail "result boxes never settled"
for box in "215x96+0+0 Memo2" "222x96+227+0 Memo1"; do
    set -- $box
    half "$work/empty.png" "$1" "$work/before.png"
    half "$work/a.png" "$1" "$work/after.png"
    cmp -s "$work/before.png" "$work/after.png" && fail "$2 stayed empty"
done
# An error box would carry the title as well.
boxes=$(xdotool search --onlyvisible --name '^Kelvaro$' | wc -l)
[ "$boxes" -eq 1 ] || fail "an error box is open"

"$closer" "$window"
status=0
for _ in $(seq 100); do
    running "$app_pid" || break
    sleep 0.1
done
running "$app_pid" && fail "kelvaro did not end after closing its window"
wait "$app_pid" || status=$?
app_pid=
[ "$status" -eq 0 ] || fail "exit status $status: $(cat "$work/kelvaro.log")"
echo "e2e: started, ran the default simulation, closed with status 0"
