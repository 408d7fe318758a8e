# Shared steps of the end-to-end tests: a private Xvfb, the real kelvaro on it, screen
# pictures and polling. Sourced by the test scripts; every wait polls with a time limit.
set -euo pipefail
work=$(mktemp -d)
xvfb_pid=
wm_pid=
app_pid=

# Each one ended before the next: an X server still going away when the next test starts one
# on the same display number would take the new one's socket with it.
cleanup() {
    for pid in "$app_pid" "$wm_pid" "$xvfb_pid"; do
        [ -n "$pid" ] || continue
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "e2e: $*" >&2
    exit 1
}

# A child that has ended stays a zombie until waited for; kill -0 would still succeed.
running() {
    local state
    state=$(ps -o stat= -p "$1" 2>/dev/null) || return 1
    [[ $state != Z* ]]
}

# start_xvfb <width>x<height>: Xvfb picks a free display number itself and reports it.
# -noreset: by default the server resets (and compiles its keymap again) whenever its last
# client disconnects, after each xdotool, xprop or import call of a test, and turns away the
# clients that connect meanwhile.
start_xvfb() {
    Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 300); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    [ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    # The number comes once the server listens, just before it serves its first client.
    export DISPLAY=":$(head -n1 "$work/display")"
    # Design resolution: controls sit at their design positions.
    export QT_QPA_PLATFORM=xcb QT_FONT_DPI=120 QT_ENABLE_HIGHDPI_SCALING=0
}

# start_wm: a real window manager (openbox, its default settings) on the display: windows get
# frames, and maximising, minimising and activation go through it.
start_wm() {
    XDG_CONFIG_HOME="$work/config" openbox --sm-disable >"$work/wm.log" 2>&1 &
    wm_pid=$!
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        running "$wm_pid" || break
        sleep 0.1
    done
    fail "openbox did not start: $(cat "$work/wm.log")"
}

# geometry <window>: sets X, Y, WIDTH and HEIGHT to its client area on the screen.
geometry() {
    eval "$(xwininfo -id "$1" | awk '/Absolute upper-left X/ {print "X=" $4} /Absolute upper-left Y/ {print "Y=" $4}
                                     /Width:/ {print "WIDTH=" $2} /Height:/ {print "HEIGHT=" $2}')"
}

# wait_size <window> <width> <height>: polls until its client area has that size (a window
# can be found mapped before its first resize has arrived); leaves X, Y, WIDTH and HEIGHT set.
wait_size() {
    for _ in $(seq 50); do
        geometry "$1"
        [ "$WIDTH" -eq "$2" ] && [ "$HEIGHT" -eq "$3" ] && return 0
        sleep 0.1
    done
    return 1
}

# frame <window>: sets LEFT, RIGHT, TOP and BOTTOM to the frame extents the window manager
# gives it (0 without one).
frame() {
    local extents
    extents=$(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.* = //p' | tr -d ,)
    read -r LEFT RIGHT TOP BOTTOM <<<"${extents:-0 0 0 0}"
}

# find_window <title regex>: prints the id of the visible window once it appears.
find_window() {
    local window=
    for _ in $(seq 100); do
        window=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 || true)
        [ -n "$window" ] && break
        [ -z "$app_pid" ] || running "$app_pid" || fail "kelvaro ended early: $(cat "$work/kelvaro.log")"
        sleep 0.1
    done
    [ -n "$window" ] || fail "window $1 did not appear"
    echo "$window"
}

# start_kelvaro <kelvaro>: runs it and sets main_window, X and Y (its client origin).
start_kelvaro() {
    "$1" 2>"$work/kelvaro.log" &
    app_pid=$!
    main_window=$(find_window '^Kelvaro$')
    geometry "$main_window"
}

# click_at <x> <y>: a left click there. A synchronous move to where the pointer already is
# would wait for a motion that never comes.
click_at() {
    [ "$(xdotool getmouselocation | cut -d' ' -f1,2)" = "x:$1 y:$2" ] || xdotool mousemove --sync "$1" "$2"
    xdotool click 1
}

# shot <file.ppm> <width>x<height>+<x>+<y>: a picture of that part of the screen. PPM
# carries no time stamps, so equal pixels give equal files.
shot() {
    import -display "$DISPLAY" -window root -crop "$2" +repage "$1"
}

# crop <in> <geometry> <out>: part of a picture.
crop() {
    convert "$1" -crop "$2" +repage "$3"
}

# pixel <file> <x> <y>: the colour of one pixel.
pixel() {
    convert "$1" -format "%[pixel:p{$2,$3}]" info:
}

# stable <file> <geometry> [pixels]: waits until the area shows the same picture three times in
# a row (a run in progress repaints it), up to <pixels> differing pixels; leaves that picture in
# <file>.
stable() {
    local same=0
    shot "$1" "$2"
    for _ in $(seq 200); do
        sleep 0.1
        shot "$work/stable.ppm" "$2"
        if same_picture "$1" "$work/stable.ppm" "${3:-0}"; then
            same=$((same + 1))
            [ "$same" -ge 2 ] && return 0
        else
            same=0
            mv "$work/stable.ppm" "$1"
        fi
    done
    return 1
}

# same_picture <a> <b> [pixels]: the pictures differ in at most <pixels> pixels (default none).
same_picture() {
    [ "${3:-0}" -eq 0 ] && { cmp -s "$1" "$2"; return; }
    local differing
    differing=$(compare -metric AE "$1" "$2" null: 2>&1) || true
    [ "${differing%%.*}" -le "$3" ] 2>/dev/null
}

# changes <reference> <geometry> <file>: waits until the area differs from the reference;
# leaves the new picture in <file>.
changes() {
    for _ in $(seq 200); do
        shot "$3" "$2"
        cmp -s "$1" "$3" || return 0
        sleep 0.05
    done
    return 1
}
