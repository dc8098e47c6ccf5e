#!/usr/bin/env bash
# Without the cue recording, and without the song, the game still runs: each
# loss is reported in one line, and Escape ends the game cleanly.
set -u
source "$(dirname "$0")/lib/game.bash"

run_without() {
    local missing="$1" report_stream="$2" report="$3"
    prepare_run_dir "$RUN_DIR"
    sed -i 's/^window_width=.*/window_width=320/; s/^window_height=.*/window_height=240/' \
        "$GAME_DIR/config.cfg"
    rm "$GAME_DIR/$missing"
    start_game
    find_window
    expect_line stdout.txt "rec size 256"
    sleep 3
    press Escape
    expect_exit -eq 0
    grep -qF -- "$report" "$GAME_DIR/$report_stream" || fail "no report of the missing $missing"
    [ "$(wc -l <"$GAME_DIR/stderr.txt")" -le 1 ] || fail "more than one error line without $missing"
    cleanup
    GAME_DIR=""
}

RUN_DIR="$1"
run_without rec2.cfg stderr.txt 'cannot open recording "rec2.cfg"'
run_without Sound/nooneknows.mp3 stdout.txt "FMOD error! "
echo "missing data: both runs ended cleanly"
