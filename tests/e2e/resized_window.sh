#!/usr/bin/env bash
# The picture follows the window: after a resize, and in a full screen whose
# screen offers no mode of the configured size, it fills the window at the
# window's aspect ratio and the crosshair sits under the mouse.
set -u
source "$(dirname "$0")/lib/game.bash"

# Starts the game on the camera that never turns with the mouse (one press
# of the camera key from the main camera: the spaceship's), without the
# particles (the background's sprites turn on every frame), and pauses it
# once start-up has made the frame buffers (the last thing it reports), so
# that between two screenshots only the crosshair can move.
start_still() {
    start_game
    find_window
    timeout "$LINE_TIMEOUT" bash -c "until grep -q '^texture_id\[col\]' '$GAME_DIR/stdout.txt' \
        2>/dev/null; do sleep 0.1; done" || fail "start-up did not finish"
    press c
    press 7
    expect_line stdout.txt "PARTICLESYSTEMS OFF"
    press p
}

shot() {
    import -window "$GAME_WINDOW" "$1" 2>/dev/null || fail "no screenshot of the game's window"
}

# Takes screenshots until two in a row, a second apart, are the same.
settled_shot() {
    local tries=0
    shot "$1"
    while :; do
        sleep 1
        shot "$GAME_DIR/again.png"
        [ "$(compare -metric AE "$1" "$GAME_DIR/again.png" null: 2>&1)" = "0" ] && return 0
        mv "$GAME_DIR/again.png" "$1"
        tries=$((tries + 1))
        [ "$tries" -lt "$LINE_TIMEOUT" ] || fail "the picture never stood still"
    done
}

# The picture without the crosshair, once its switch's message has gone.
shoot_without_crosshair() {
    press 6
    expect_line stdout.txt "CROSSHAIR OFF"
    sleep 2
    settled_shot "$GAME_DIR/without.png"
    press 6
}

# Fails unless, within LINE_TIMEOUT seconds, the crosshair shows up centred
# within 6 pixels of where the mouse was moved to (x, y in the window).
expect_crosshair_at() {
    local x="$1" y="$2" waited=0 found=""
    xdotool mousemove --window "$GAME_WINDOW" "$x" "$y" 2>/dev/null
    while [ "$waited" -lt "$LINE_TIMEOUT" ]; do
        shot "$GAME_DIR/with.png"
        # What differs from the crosshair-less picture near the mouse.
        found="$(convert "$GAME_DIR/with.png" "$GAME_DIR/without.png" -compose difference \
            -composite -colorspace gray -threshold 15% -crop 120x120+$((x - 60))+$((y - 60)) \
            -trim -format '%[fx:page.x + int(w / 2)] %[fx:page.y + int(h / 2)] %w' info: \
            2>/dev/null)"
        read -r cx cy size <<<"$found"
        if [ -n "${size:-}" ] && [ "$size" -gt 8 ] &&
            [ $(((cx - x) * (cx - x) + (cy - y) * (cy - y))) -le 36 ]; then
            return 0
        fi
        sleep 1
        waited=$((waited + 1))
    done
    fail "no crosshair under the mouse at $x,$y (near it: '$found')"
}

# Fails when a band along the right or the top edge is one flat colour: the
# picture was drawn into a corner of a larger window.
expect_filled() {
    local width="$1" height="$2" band spread
    shot "$GAME_DIR/filled.png"
    for band in "$((width / 5))x${height}+$((width * 4 / 5))+0" "${width}x$((height / 5))+0+0"; do
        spread="$(convert "$GAME_DIR/filled.png" -crop "$band" +repage -colorspace gray \
            -format '%[fx:int(255 * (maxima - minima))]' info: 2>/dev/null)"
        [ "${spread:-0}" -gt 20 ] || fail "the band $band of the window is one flat colour"
    done
}

# Escape ends the game with status 0 and no OpenGL error on the way.
quit_cleanly() {
    press Escape
    expect_exit -eq 0
    grep -q "^GL: " "$GAME_DIR/stderr.txt" && fail "OpenGL errors reported"
}

window_size() {
    xdotool getwindowgeometry "$GAME_WINDOW" 2>/dev/null | sed -n 's/.*Geometry: //p'
}

# A window the player makes smaller.
prepare_run_dir "$1"
start_still
xdotool windowsize "$GAME_WINDOW" 640 480 2>/dev/null
sleep 1
[ "$(window_size)" = "640x480" ] || fail "the window is $(window_size), not 640x480"
shoot_without_crosshair
expect_filled 640 480
expect_crosshair_at 480 360
expect_crosshair_at 100 200
quit_cleanly
cleanup

# Full screen on a screen larger than the configured 1024 x 768.
read -r screen_width screen_height <<<"$(xdotool getdisplaygeometry 2>/dev/null)"
prepare_run_dir "$1"
sed -i 's/^fullscreen=.*/fullscreen=true/' "$GAME_DIR/config.cfg"
start_still
shoot_without_crosshair
expect_filled "$screen_width" "$screen_height"
expect_crosshair_at $((screen_width * 7 / 10)) $((screen_height * 7 / 10))
expect_crosshair_at $((screen_width / 5)) $((screen_height / 4))
quit_cleanly
exit 0
