#!/usr/bin/env bash
# The shipped configuration opens a forward-compatible 3.2 core context, the
# key commands answer on standard output, and Escape ends the game cleanly,
# releasing the resource collections on the way out.
set -u
source "$(dirname "$0")/lib/game.bash"

prepare_run_dir "$1"
# The shipped settings in a smaller window: software rendering draws it
# several times faster, and these checks are about the keys, not the picture.
sed -i 's/^window_width=.*/window_width=400/; s/^window_height=.*/window_height=300/' \
    "$GAME_DIR/config.cfg"
start_game
find_window

expect_line stdout.txt "Loaded OpenGL Version 3.2"
expect_line stdout.txt "Context is forward compatible."
expect_line stdout.txt "Illegal operation caused an error message. :)"

press F2
expect_line stdout.txt "SHOW FPS ON"
expect_title '^fps: [ 0-9.]+ \| fpsAVG: [ 0-9.]+ \| fpsMin: [ 0-9.]+ \| fpsMax: [ 0-9.]+$'

press 0
expect_line stdout.txt "PICKER OFF"
press 0
expect_line stdout.txt "PICKER ON"
off_at="$(grep -nxF "PICKER OFF" "$GAME_DIR/stdout.txt" | head -n 1 | cut -d: -f1)"
on_at="$(grep -nxF "PICKER ON" "$GAME_DIR/stdout.txt" | head -n 1 | cut -d: -f1)"
[ "$off_at" -lt "$on_at" ] || fail "PICKER ON came before PICKER OFF"

press F7
expect_line stdout.txt " ***FRAMERATE LOCKED*** "

# A key held for several frames fires once.
xdotool keydown --window "$GAME_WINDOW" F9 2>/dev/null
sleep 1
xdotool keyup --window "$GAME_WINDOW" F9 2>/dev/null
expect_line stdout.txt "TRANSPARENCY OFF"
sleep 0.5
[ "$(count_lines stdout.txt "TRANSPARENCY OFF")" -eq 1 ] || fail "held F9 fired more than once"
[ "$(count_lines stdout.txt "TRANSPARENCY ON")" -eq 0 ] || fail "held F9 toggled back"

press Escape
expect_exit -eq 0

# Shutdown releases the collections while the context lives, before the
# frame buffers: every model file read says goodbye.
[ "$(count_lines stdout.txt "delete object... Models/crosshair.obj")" -eq 1 ] \
    || fail "the model collection was not destroyed"
last_model="$(grep -n "^delete object\.\.\. " "$GAME_DIR/stdout.txt" | tail -n 1 | cut -d: -f1)"
fbos_after="$(tail -n +"$last_model" "$GAME_DIR/stdout.txt" | grep -cxF "deleting framebuffer object")"
[ "$fbos_after" -eq 5 ] || fail "the collections must go before the five frame buffers"
grep -q "^GL: " "$GAME_DIR/stderr.txt" && fail "OpenGL errors reported"
grep -qF ":(" "$GAME_DIR/stderr.txt" && fail "the core context accepted a legacy call"
exit 0
