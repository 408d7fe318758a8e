#!/usr/bin/env bash
# Resizes the real kelvaro main window on a private Xvfb and checks that its controls
# followed: at twice the size the Start button lies and reaches where twice its design
# geometry puts it (a click there, outside its old place, starts the run), and the result
# boxes fill at their doubled places.
# Usage: resize_main_window.sh <kelvaro>
source "$(dirname "$0")/e2e_lib.sh"
kelvaro=$1

# Room for the doubled window at its design position (235, 174).
start_xvfb 1600x1200
start_kelvaro "$kelvaro"
wait_size "$main_window" 501 436 || fail "main window is ${WIDTH}x${HEIGHT}, not 501x436"
window="${WIDTH}x${HEIGHT}+${X}+${Y}"
stable "$work/small.ppm" "$window" || fail "main window never settled"

xdotool windowsize --sync "$main_window" 1002 872
eval "$(xdotool getwindowgeometry --shell "$main_window")"
[ "$WIDTH" -eq 1002 ] && [ "$HEIGHT" -eq 872 ] || fail "resizing gave ${WIDTH}x${HEIGHT}"
window="${WIDTH}x${HEIGHT}+${X}+${Y}"
stable "$work/large.ppm" "$window" || fail "resized window never settled"

# Both result boxes doubled: GroupBox1 (16, 442) + Memo2 (20, 94) to the end of Memo1
# (474 + 444), 192 high.
boxes="898x192+$((X + 36))+$((Y + 536))"
crop "$work/large.ppm" "898x192+36+536" "$work/empty.ppm"

# Button3 doubled: GroupBox2 (16, 16) + (32, 316), 866 x 66. Its right end, below its old place.
xdotool mousemove --sync $((X + 800)) $((Y + 380)) click 1
changes "$work/empty.ppm" "$boxes" "$work/now.ppm" ||
    fail "clicking the doubled Start button filled no doubled result box"
stable "$work/filled.ppm" "$boxes" || fail "result boxes never settled"
for half in "430x192+0+0 Memo2" "444x192+454+0 Memo1"; do
    set -- $half
    crop "$work/empty.ppm" "$1" "$work/before.ppm"
    crop "$work/filled.ppm" "$1" "$work/after.ppm"
    cmp -s "$work/before.ppm" "$work/after.ppm" && fail "$2 stayed empty at its doubled place"
done
echo "e2e: the doubled main window doubled its Start button and result boxes"
