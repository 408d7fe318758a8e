#!/usr/bin/env bash
# Starts the real kelvaro on a private Xvfb display, clicks Start with the real
# mouse, waits until the default run has filled the result boxes, closes the
# main window and expects exit status 0.
# Usage: start_run_close.sh <kelvaro> <x11_close_window>
source "$(dirname "$0")/e2e_lib.sh"
kelvaro=$1
closer=$2

start_xvfb 1280x1024
start_kelvaro "$kelvaro"

# Both result boxes: GroupBox1 (8, 221) + Memo2 (10, 47) and Memo1 (237, 47), 449 x 96 together.
boxes="449x96+$((X + 18))+$((Y + 268))"
stable "$work/empty.ppm" "$boxes" || fail "window never settled"

xdotool mousemove --sync $((X + 240)) $((Y + 182)) click 1
changes "$work/empty.ppm" "$boxes" "$work/now.ppm" || fail "the result boxes stayed empty after clicking Start"
stable "$work/filled.ppm" "$boxes" || fail "result boxes never settled"
# One half of the picture each: left is Memo2, right is Memo1.
for box in "215x96+0+0 Memo2" "222x96+227+0 Memo1"; do
    set -- $box
    crop "$work/empty.ppm" "$1" "$work/before.ppm"
    crop "$work/filled.ppm" "$1" "$work/after.ppm"
    cmp -s "$work/before.ppm" "$work/after.ppm" && fail "$2 stayed empty"
done
# An error box would carry the title as well.
boxes=$(xdotool search --onlyvisible --name '^Kelvaro$' | wc -l)
[ "$boxes" -eq 1 ] || fail "an error box is open"

"$closer" "$main_window"
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
