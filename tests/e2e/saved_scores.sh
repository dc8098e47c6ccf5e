#!/usr/bin/env bash
# Every finished play is kept: the demo plays a short chart twice for the
# same player; each end screen says "saved", the second shows the first's
# best, and cueflight-scores lists both plays.
set -u
source "$(dirname "$0")/lib/game.bash"

RUN_DIR="$1"
CHART="$RUN_DIR/cueflight-chart"
SCORES="$RUN_DIR/cueflight-scores"

# The demo's accuracy of the latest run, as the end screen's best shows it.
accuracy_of_run() {
    sed -n 's/^ACCURACY: \([0-9.]*\) .*/\1/p' "$GAME_DIR/stdout.txt" | tail -n 1
}

# One demo play to its end screen; SCORE_LINE is the line it printed about
# the saved play.
play_once() {
    start_game
    find_window
    local waited=0
    SCORE_LINE=""
    while [ -z "$SCORE_LINE" ]; do
        [ "$waited" -lt 1200 ] || fail "no SCORE line within 120 s"
        kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended before its end screen"
        sleep 0.1
        waited=$((waited + 1))
        SCORE_LINE="$(grep '^SCORE: ' "$GAME_DIR/stdout.txt")"
    done
    sleep 0.5
    press Escape
    expect_exit -eq 0
    [ ! -s "$GAME_DIR/stderr.txt" ] || fail "the game wrote to the error stream"
    # Right after the timing line, once.
    grep -A1 '^TIMING: ' "$GAME_DIR/stdout.txt" | tail -n 1 | grep -qxF "$SCORE_LINE" \
        || fail "the SCORE line does not follow the TIMING line"
}

attempt() {
    [ -x "$CHART" ] && [ -x "$SCORES" ] || fail "no charting tool or scores tool in '$RUN_DIR'"
    [ -n "${DISPLAY:-}" ] || fail "no DISPLAY: run the tests through ./test"
    SONG_DIR="$(mktemp -d)"
    GAME_DIR="$(mktemp -d)"
    trap 'cleanup; rm -rf "$SONG_DIR"' EXIT
    trap 'exit 1' INT TERM
    use_fresh_player_home
    # Mesa's cache lives on in the test home, which a fresh build may not
    # have made yet.
    mkdir -p "$MESA_SHADER_CACHE_DIR"

    # 12 s of plucked notes at 120 BPM.
    make_plucked_song "$SONG_DIR" 6
    "$CHART" "$SONG_DIR/song.ogg" --out "$GAME_DIR" >"$SONG_DIR/chart.txt" 2>&1 \
        || fail "charting failed: $(cat "$SONG_DIR/chart.txt")"
    sed -i 's/^window_width=.*/window_width=320/; s/^window_height=.*/window_height=240/' \
        "$GAME_DIR/config.cfg"
    echo "demo=true" >>"$GAME_DIR/config.cfg"

    play_once
    [ "$SCORE_LINE" = "SCORE: NEW BEST (demo), saved" ] || fail "first play: '$SCORE_LINE'"
    local first second
    first="$(accuracy_of_run)"
    mv "$GAME_DIR/stdout.txt" "$SONG_DIR/first.txt"

    play_once
    second="$(accuracy_of_run)"
    # The second end screen shows the first's best, or how far it beat it.
    local expected
    expected="$(awk -v a="$first" -v b="$second" 'BEGIN {
        if (b > a) printf "SCORE: NEW BEST %+.1f %% (demo), saved", b - a;
        else printf "SCORE: best %.1f %% (demo), saved", a }')"
    [ "$SCORE_LINE" = "$expected" ] \
        || fail "second play after $first %: '$SCORE_LINE', expected '$expected'"
    [ -f "$XDG_DATA_HOME/cueflight/scores.db" ] || fail "no scores.db in the player's data folder"

    # Both plays, for the song file the chart was made from.
    "$SCORES" --csv --song "$SONG_DIR/song.ogg" >"$SONG_DIR/scores.csv" 2>"$SONG_DIR/scores.err" \
        || fail "cueflight-scores failed: $(cat "$SONG_DIR/scores.err")"
    [ "$(wc -l <"$SONG_DIR/scores.csv")" -eq 3 ] || fail "not two plays: $(cat "$SONG_DIR/scores.csv")"
    head -n 1 "$SONG_DIR/scores.csv" | grep -q '^date,title,artist,density,accuracy,' \
        || fail "no CSV header"
    version="$(sed -n 's/^chart_version=//p' "$GAME_DIR/chart.cfg")"
    [ "$(grep -c ",normal,.*,yes,$version,song.ogg," "$SONG_DIR/scores.csv")" -eq 2 ] \
        || fail "the plays are not the demo's on the normal chart: $(cat "$SONG_DIR/scores.csv")"
    echo "saved scores: $first % then $second %, '$SCORE_LINE'"
}

# As in the other demo runs, a stall of a busy machine may cost a cue; the
# comparison above follows whatever the two runs scored.
( attempt )
