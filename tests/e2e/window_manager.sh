#!/usr/bin/env bash
# Runs the real kelvaro under a real window manager (openbox) on a private Xvfb, where windows
# have frames: the windows keep their outer sizes, the chart window's frame lands on its
# computed point whenever it is shown again (also after the main window moved or was resized),
# minimising and restoring leaves the main window active with its focus where it was, and
# maximising scales the controls by the maximised outer size.
# Usage: window_manager.sh <kelvaro>
source "$(dirname "$0")/e2e_lib.sh"
kelvaro=$1

start_xvfb 1280x1024
start_wm
start_kelvaro "$kelvaro"
for _ in $(seq 100); do
    frame "$main_window"
    [ "$TOP" -gt 0 ] && break
    sleep 0.1
done
[ "$TOP" -gt 0 ] || fail "the main window got no frame"
geometry "$main_window"
# The window manager activates the window, so the focused field's caret blinks: up to a caret's
# pixels may differ between two pictures of a settled window.
stable "$work/main.ppm" "${WIDTH}x$HEIGHT+$X+$Y" 64 || fail "the main window never settled"

# outer <window>: sets OUTER_X, OUTER_Y, OUTER_W, OUTER_H to its frame's place and size.
outer() {
    geometry "$1"
    frame "$1"
    OUTER_X=$((X - LEFT)) OUTER_Y=$((Y - TOP))
    OUTER_W=$((WIDTH + LEFT + RIGHT)) OUTER_H=$((HEIGHT + TOP + BOTTOM))
}
outer "$main_window"
[ "${OUTER_W}x$OUTER_H" = 501x436 ] || fail "main window outer size ${OUTER_W}x$OUTER_H, not 501x436"

# "Grafische Ausgabe" (GroupBox2 8, 8 + CheckBox1 24, 103) at the main window's current scale.
toggle_chart() {
    geometry "$main_window"
    click_at $((X + 40 * OUTER_W / 501)) $((Y + 119 * OUTER_H / 436))
}

# expect_chart_placed <GroupBox1 top>: the chart frame's top-left is the main window's frame
# top-left moved down by GroupBox1's top + 20; its outer size is 535 x 334.
expect_chart_placed() {
    local main_x main_y
    outer "$main_window"
    main_x=$OUTER_X main_y=$OUTER_Y
    chart_window=$(find_window '^Grafischer Output$')
    for _ in $(seq 50); do
        outer "$chart_window"
        [ "$TOP" -gt 0 ] && [ "$OUTER_X,$OUTER_Y" = "$main_x,$((main_y + $1 + 20))" ] && break
        sleep 0.1
    done
    [ "$OUTER_X,$OUTER_Y" = "$main_x,$((main_y + $1 + 20))" ] ||
        fail "$2: chart frame at $OUTER_X,$OUTER_Y, not $main_x,$((main_y + $1 + 20))"
    [ "${OUTER_W}x$OUTER_H" = 535x334 ] || fail "$2: chart window outer size ${OUTER_W}x$OUTER_H, not 535x334"
    outer "$main_window"
}

toggle_chart
expect_chart_placed 221 "first showing"
toggle_chart
# Not --sync: under a window manager the window does not end exactly where xdotool asked.
xdotool windowmove "$main_window" 300 200
for _ in $(seq 50); do
    geometry "$main_window"
    [ "$X,$Y" != "$((OUTER_X + LEFT)),$((OUTER_Y + TOP))" ] && break
    sleep 0.1
done
toggle_chart
expect_chart_placed 221 "after moving the main window"
toggle_chart
# xdotool sizes the client area: 100 pixels more outer height scale GroupBox1's top by 536 / 436.
xdotool windowsize --sync "$main_window" "$WIDTH" $((HEIGHT + 100))
outer "$main_window"
toggle_chart
expect_chart_placed 272 "after resizing the main window"
xdotool windowsize --sync "$main_window" "$WIDTH" $((HEIGHT - 100))
outer "$main_window"

# Minimise and restore with the focus in "Läufe" (GroupBox2 8, 8 + Edit2 167, 64, 48 x 24).
geometry "$main_window"
click_at $((X + 200)) $((Y + 84))
field="40x16+$((X + 177))+$((Y + 76))"
xdotool windowminimize --sync "$main_window"
xdotool windowactivate --sync "$main_window" 2>/dev/null
for _ in $(seq 50); do
    [ "$(xdotool getactivewindow 2>/dev/null)" = "$main_window" ] && break
    sleep 0.1
done
stable "$work/restored.ppm" "$field" 64 || fail "the restored field never settled"
[ "$(xdotool getactivewindow 2>/dev/null)" = "$main_window" ] || fail "after restoring, the main window is not active"
xdotool key 7
changes "$work/restored.ppm" "$field" "$work/typed.ppm" || fail "after restoring, typing did not reach Läufe"

# Maximise by a double click on the title bar: Button3 (GroupBox2 8, 8 + 16, 158, 433 x 33) ends
# where the maximised outer size puts it.
xdotool mousemove --sync $((X + 100)) $((Y - TOP / 2)) click --repeat 2 --delay 80 1
for _ in $(seq 50); do
    outer "$main_window"
    [ "$OUTER_W" -gt 501 ] && break
    sleep 0.1
done
area=$(xprop -root _NET_WORKAREA | sed -n 's/.* = //p' | tr -d , | cut -d' ' -f3,4)
read -r area_w area_h <<<"$area"
[ "${OUTER_W}x$OUTER_H" = "${area_w}x$area_h" ] || fail "maximised to ${OUTER_W}x$OUTER_H, not ${area_w}x$area_h"
# scaled <value> <now> <reference>: the value times now / reference, rounded.
scaled() {
    echo $(((2 * $1 * $2 + $3) / (2 * $3)))
}
right=$(($(scaled 8 "$area_w" 501) + $(scaled 16 "$area_w" 501) + $(scaled 433 "$area_w" 501) - 1))
middle=$(($(scaled 8 "$area_h" 436) + $(scaled 158 "$area_h" 436) + $(scaled 33 "$area_h" 436) / 2))
# button_end: the first pixel from the right of the row through the button's middle that is not
# the group box's background is the button's outline; its offset from where it belongs.
button_end() {
    shot "$work/row.ppm" "80x1+$((X + right - 40))+$((Y + middle))"
    # One line per pixel after a header: "x,y: (r,g,b)  #hex  colour".
    convert "$work/row.ppm" txt:- | awk 'NR > 1 { split($1, at, ","); colour[at[1]] = $NF }
        END { edge = 60; while (colour[edge] == colour[60] && edge > 20) edge--; print edge - 40 }'
}
# Polled: the scaled layout is painted a little after the resize.
for _ in $(seq 50); do
    offset=$(button_end)
    [ "$offset" -eq 0 ] && break
    sleep 0.1
done
[ "$offset" -eq 0 ] || fail "maximised Start button ends $offset pixels from its place"
echo "e2e: outer sizes, chart placement, restore with focus and maximising under a window manager"
