#!/usr/bin/env bash
# A real click on a cue: xdotool moves the X pointer onto the cue while it is
# inside its hit window and presses the button, and the game's own picking
# and judging count it. The run is stepped with the pause key so that finding
# the cue on a screenshot never races the song.
set -u
source "$(dirname "$0")/lib/game.bash"

prepare_run_dir "$1"
sed -i 's/^window_width=.*/window_width=640/; s/^window_height=.*/window_height=480/' \
    "$GAME_DIR/config.cfg"
# Two judged cues: the one this test clicks, at 7.8 s, where the flight shows
# it on screen through its whole window, and one after the song's end that
# only keeps the first judgeable as the previous cue for another 250 ms; then
# the placed-but-never-judged one every recording ends with, and the record a
# recorder-made file always has that the loader leaves out.
printf '\n%15f\n%15f\n%15f\n%15f' 7800 118000 126000 127000 >"$GAME_DIR/rec2.cfg"

SHOT="$GAME_DIR/shot.ppm"
MASK="$GAME_DIR/mask.png"

# A short tap: the game sees it once, on its next frame.
tap() {
    xdotool keydown --window "$GAME_WINDOW" "$1" 2>/dev/null
    sleep 0.03
    xdotool keyup --window "$GAME_WINDOW" "$1" 2>/dev/null
}

# Pixels showing a cue inside its window: bright, and bluer than red (its
# cyan rim). Nothing else in the level looks like that once the particles
# are off; an announced cue glows orange, a missed one dark red.
mask_in_window_look() {
    import -window "$GAME_WINDOW" "$SHOT" 2>/dev/null || return 1
    convert "$SHOT" -fx '(b > r + 0.08 && g > 0.45 && b > 0.55) ? 1 : 0' \
        -colorspace gray "$MASK" 2>/dev/null
}

in_window_pixels() {
    convert "$MASK" -format '%[fx:int(mean * w * h + 0.5)]' info: 2>/dev/null
}

# The centre of the cue: the middle of the bounding box of all its pixels,
# which form the rim around it.
cue_centre() {
    convert "$MASK" -trim -format '%[fx:page.x + int(w / 2)] %[fx:page.y + int(h / 2)]' info: \
        2>/dev/null
}

start_game
find_window
expect_line stdout.txt "rec size 3"
press 7
expect_line stdout.txt "PARTICLESYSTEMS OFF"
# The timing feedback's blue (early) label and ticks would pass for the cue's
# rim.
press F6
expect_line stdout.txt "FEEDBACK OFF"
# While paused the camera still follows the cursor, and the first camera
# turns with it. The spaceship camera flies the same path but never turns
# towards the cursor, so the pointer can go to the cue without moving it.
press c
# Freeze the song well before the cue is due (it is announced 1.5 s ahead).
sleep 3
tap p
sleep 0.5

# Step the song on a little at a time until the cue shows its window.
found=0
for _ in $(seq 1 80); do
    mask_in_window_look || fail "no screenshot of the game's window"
    if [ "$(in_window_pixels)" -ge 200 ]; then
        found=1
        break
    fi
    tap p
    sleep 0.1
    tap p
    sleep 0.3
done
[ "$found" -eq 1 ] || fail "the cue never showed its hit window on screen"

read -r x y <<<"$(cue_centre)"
[ -n "${y:-}" ] || fail "no cue centre found"
xdotool mousemove --window "$GAME_WINDOW" "$x" "$y" sleep 0.3 mousedown 1 sleep 0.3 mouseup 1 \
    sleep 0.3 2>/dev/null
tap p
# A hit cue is no longer drawn: a moment later nothing shows the window look.
sleep 0.2
tap p
sleep 0.5
mask_in_window_look || fail "no screenshot of the game's window"
left="$(in_window_pixels)"
[ "$left" -lt 50 ] || fail "the cue at $x,$y is still drawn after the click ($left pixels)"
tap p

# One of the two judged cues was hit, by that click.
LINE_TIMEOUT=200 expect_line stdout.txt "ACCURACY: 50 Drinker"
press Escape
expect_exit -eq 0
[ ! -s "$GAME_DIR/stderr.txt" ] || fail "the run wrote to the error stream"
echo "real click: the cue at $x,$y was hit"
