#!/usr/bin/env bash
# A configuration asking for an OpenGL version no driver offers ends the game
# with the window failure on the error stream, before any GL report.
set -u
source "$(dirname "$0")/lib/game.bash"

prepare_run_dir "$1"
printf '# asks for too much\nwindow_width=640\nwindow_height=480\nglMajorVersion=9\nglMinorVersion=9\n' \
    >"$GAME_DIR/config.cfg"
start_game
expect_exit -ne 0

[ "$(count_lines stderr.txt "Failed to initialize OpenGL window.")" -eq 1 ] \
    || fail "no window failure message on the error stream"
grep -q "Loaded OpenGL" "$GAME_DIR/stdout.txt" && fail "OpenGL was used without a window"
exit 0
