#!/usr/bin/env bash
# Practice of a passage: a short song is charted, and the demo plays its
# seconds 6 to 10 at half speed, after the 2 s run-in. One loop must end with
# every cue of the passage hit, and the loop must begin again: a practice has
# no end screen and prints no accuracy.
set -u
source "$(dirname "$0")/lib/game.bash"

RUN_DIR="$1"
CHART="$RUN_DIR/cueflight-chart"

attempt() {
    begin_chart_attempt
    [ -n "$PLAYER_HOME" ] || use_fresh_player_home

    # 14 s of plucked notes at 120 BPM, four to the bar.
    local notes=()
    for note in C3 E3 G3 C4; do
        sox -n -r 44100 -c 2 "$SONG_DIR/$note.wav" synth 0.5 pluck "$note" || fail "sox failed"
        notes+=("$SONG_DIR/$note.wav")
    done
    sox "${notes[@]}" "$SONG_DIR/bar.wav" && sox "$SONG_DIR/bar.wav" "$SONG_DIR/song.wav" repeat 6 \
        || fail "sox failed"
    "$CHART" "$SONG_DIR/song.wav" --out "$GAME_DIR" >"$SONG_DIR/chart.txt" 2>&1 \
        || fail "charting failed: $(cat "$SONG_DIR/chart.txt")"
    sed -i 's/^window_width=.*/window_width=320/; s/^window_height=.*/window_height=240/' \
        "$GAME_DIR/config.cfg"
    echo "demo=true" >>"$GAME_DIR/config.cfg"

    start_game --practice 6-10 --speed 0.5
    find_window
    # One loop is 8.4 s of song at half speed: about 17 s.
    LINE_TIMEOUT=90 expect_line_like stdout.txt '^PRACTICE: loop 1 at 0\.5x, '
    local loop
    loop="$(grep -m1 '^PRACTICE: loop 1 ' "$GAME_DIR/stdout.txt")"
    [[ "$loop" =~ hits\ ([0-9]+)\ of\ ([0-9]+), ]] || fail "not a loop's line: '$loop'"
    [ "${BASH_REMATCH[2]}" -gt 0 ] || fail "no cue in the passage: '$loop'"
    [ "${BASH_REMATCH[1]}" -eq "${BASH_REMATCH[2]}" ] || fail "not every cue hit: '$loop'"
    press Escape
    expect_exit -eq 0
    ! grep -q '^ACCURACY: ' "$GAME_DIR/stdout.txt" || fail "a practice printed an accuracy"
    [ ! -s "$GAME_DIR/stderr.txt" ] || fail "the game wrote to the error stream"
    echo "practice: $loop"
}

# As in the demo runs, a stall of a busy machine may cost one cue; such a run
# gets one more try.
( attempt ) || { echo "practice below 100 %: one more run"; ( attempt ); }
