#!/usr/bin/env bash
# Zooms and scrolls the chart window of the real kelvaro with real mouse drags on a private
# Xvfb: a left drag shows the rubber band while it lasts and zooms on release, a right drag
# moves the picture with the pointer both ways, and a left drag up-left brings back exactly
# the picture from before the zoom.
# Usage: zoom_scroll.sh <kelvaro>
source "$(dirname "$0")/e2e_lib.sh"
kelvaro=$1

start_xvfb 1280x1024
start_kelvaro "$kelvaro"
main_x=$X
main_y=$Y

# "Grafische Ausgabe" (GroupBox2 8, 8 + CheckBox1 24, 103) shows the chart window.
xdotool mousemove --sync $((main_x + 40)) $((main_y + 119)) click 1
chart_window=$(find_window '^Grafischer Output$')
eval "$(xdotool getwindowgeometry --shell "$chart_window")"
chart="${WIDTH}x${HEIGHT}+${X}+${Y}"
stable "$work/empty.ppm" "$chart" || fail "chart window never settled"

# Start (GroupBox2 8, 8 + Button3 16, 158, 433 x 33) fills the chart while it is shown.
xdotool mousemove --sync $((main_x + 240)) $((main_y + 182)) click 1
changes "$work/empty.ppm" "$chart" "$work/now.ppm" || fail "the chart stayed empty after Start"
stable "$work/before.ppm" "$chart" || fail "the chart never settled after the run"

# at <x> <y>: screen position of a chart client point.
at() {
    echo $((X + $1)) $((Y + $2))
}

# Left drag from (100, 100) to (300, 200), held: the band is on the window, its inside not.
xdotool mousemove --sync $(at 100 100) mousedown 1
xdotool mousemove --sync $(at 200 150) mousemove --sync $(at 300 200)
changes "$work/before.ppm" "$chart" "$work/band.ppm" || fail "no zoom band during the drag"
stable "$work/band.ppm" "$chart" || fail "the band never settled"
[ "$(pixel "$work/band.ppm" 200 100)" != "$(pixel "$work/before.ppm" 200 100)" ] ||
    fail "the band's top edge is missing"
[ "$(pixel "$work/band.ppm" 200 150)" = "$(pixel "$work/before.ppm" 200 150)" ] ||
    fail "the band's inside changed"
xdotool mouseup 1
changes "$work/band.ppm" "$chart" "$work/now.ppm" || fail "releasing the band changed nothing"
stable "$work/zoomed.ppm" "$chart" || fail "the zoomed chart never settled"
cmp -s "$work/before.ppm" "$work/zoomed.ppm" && fail "the drag did not zoom"

# Right drag 48 pixels to the right: the plotting area's content moves right by 48 pixels.
# The dotted horizontal grid lines stay put; 48 is a whole number of their 6-pixel period.
inside=260x120+120+60
moved=260x120+168+60
xdotool mousemove --sync $(at 200 150) mousedown 3
xdotool mousemove --sync $(at 224 150) mousemove --sync $(at 248 150) mouseup 3
changes "$work/zoomed.ppm" "$chart" "$work/now.ppm" || fail "the right drag did not scroll"
stable "$work/right.ppm" "$chart" || fail "the scrolled chart never settled"
crop "$work/zoomed.ppm" "$inside" "$work/a.ppm"
crop "$work/right.ppm" "$moved" "$work/b.ppm"
cmp -s "$work/a.ppm" "$work/b.ppm" || fail "scrolling right did not follow the mouse"

# And back to the left by as much: the zoomed picture again. The pointer is still at (248, 150),
# where a synchronous move would wait for a motion that never comes.
xdotool mousedown 3
xdotool mousemove --sync $(at 224 150) mousemove --sync $(at 200 150) mouseup 3
changes "$work/right.ppm" "$chart" "$work/now.ppm" || fail "scrolling left changed nothing"
stable "$work/left.ppm" "$chart" || fail "the chart never settled after scrolling left"
cmp -s "$work/zoomed.ppm" "$work/left.ppm" || fail "scrolling left did not follow the mouse"

# A left drag up and to the left undoes the zoom and the scrolls.
xdotool mousemove --sync $(at 300 200) mousedown 1
xdotool mousemove --sync $(at 200 150) mousemove --sync $(at 100 100) mouseup 1
changes "$work/left.ppm" "$chart" "$work/now.ppm" || fail "the undo drag changed nothing"
stable "$work/undone.ppm" "$chart" || fail "the chart never settled after the undo"
cmp -s "$work/before.ppm" "$work/undone.ppm" || fail "undoing did not restore the automatic axes"

echo "e2e: zoom band, zoom, scroll right and left, undo on the real chart window"
