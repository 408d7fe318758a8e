#!/usr/bin/env bash
# Starts the real kelvaro on a private Xvfb display, selects all of Initgen and of Läufe with
# Ctrl+A and types over it at 60 ms per key, the first typed character equal to the last one
# selected. Each field must then show what the same keys show typed into the emptied field.
# Usage: type_over_selection.sh <kelvaro>
source "$(dirname "$0")/e2e_lib.sh"

start_xvfb 1280x1024
start_kelvaro "$1"

# type_into <x> <y> <keys before> <text> <picture>: clicks the field, presses the keys, types the
# text, then clicks into Memo2 (GroupBox1 8, 221 + 10, 47) so that no cursor blinks in the field,
# and takes its picture.
type_into() {
    click_at $((X + $1)) $((Y + $2))
    xdotool key --delay 60 $3
    xdotool type --delay 60 "$4"
    click_at $((X + 100)) $((Y + 300))
    stable "$5" "$field"
}

# Initgen "AAATTCCCGG" (GroupBox2 8, 8 + Edit1 95, 25, 122 x 24), Läufe "500" (Edit2 167, 64, 48 x 24).
for case in "164 45 122 gca" "199 84 48 07"; do
    set -- $case
    field="$3x24+$((X + $1 - $3 / 2))+$((Y + $2 - 12))"
    type_into "$1" "$2" ctrl+a "$4" "$work/over.ppm" || fail "the field never settled"
    type_into "$1" "$2" "ctrl+a BackSpace" "$4" "$work/empty.ppm" || fail "the field never settled"
    cmp -s "$work/over.ppm" "$work/empty.ppm" || fail "typing $4 over the whole field shows other text than typing it into the empty field"
done
echo "e2e: typing over a selected field gives what was typed"
