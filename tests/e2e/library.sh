#!/usr/bin/env bash
# The song library: --library on a folder of three short songs and two
# broken files. A typed filter and a density choose a song, which is charted
# first and then played by the demo to its end screen; R plays it again,
# whose end screen shows the first play's best; Enter goes back to the
# select screen with the row kept; F3 practises it and Enter goes back; F2
# opens the calibration and Escape leaves it; Escape quits with status 0.
# skipped.txt names both broken files with their reasons, and
# cueflight-scores lists both plays.
set -u
source "$(dirname "$0")/lib/game.bash"

RUN_DIR="$1"
SCORES="$RUN_DIR/cueflight-scores"

# Waits until stdout.txt holds the line a number of times, the game alive.
wait_for() {
    local text="$1" times="${2:-1}" limit="${3:-1200}" waited=0
    while [ "$(count_lines stdout.txt "$text")" -lt "$times" ]; do
        [ "$waited" -lt "$limit" ] || fail "'$text' not seen ${times}x"
        kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended waiting for '$text'"
        sleep 0.1
        waited=$((waited + 1))
    done
}

prepare_run_dir "$RUN_DIR"
SONGS="$(mktemp -d)"
trap 'cleanup; rm -rf "$SONGS"' EXIT
make_plucked_song "$SONGS" 6
for title in Alpha Beta Gamma; do
    sox "$SONGS/song.ogg" --comment "TITLE=$title Song" --comment "ARTIST=The Testers" \
        "$SONGS/${title,,}.ogg" || fail "sox failed"
done
rm -f "$SONGS"/*.wav "$SONGS/song.ogg"
mkdir -p "$SONGS/broken"
echo "these are words, not music" >"$SONGS/broken/junk.ogg"
: >"$SONGS/broken/empty.wav"

sed -i 's/^window_width=.*/window_width=640/; s/^window_height=.*/window_height=480/' \
    "$GAME_DIR/config.cfg"
echo "demo=true" >>"$GAME_DIR/config.cfg"
(cd "$GAME_DIR" && exec {TEST_STDERR}>&- &&
    exec ./cueflight --library "$SONGS" >stdout.txt 2>stderr.txt) &
GAME_PID=$!
GAME_WINDOW=""
for _ in $(seq 600); do
    GAME_WINDOW="$(xdotool search --pid "$GAME_PID" 2>/dev/null | head -n 1)"
    [ -n "$GAME_WINDOW" ] && break
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended before its window appeared"
    sleep 0.1
done
[ -n "$GAME_WINDOW" ] || fail "no window"
sleep 2 # the songs are listed from their headers meanwhile

xdotool type --window "$GAME_WINDOW" --delay 150 "beta" 2>/dev/null
press Right
press Return
wait_for "PLAY: Beta Song (hard)"
wait_for_score() {
    local times="$1" waited=0
    while [ "$(grep -c '^SCORE: ' "$GAME_DIR/stdout.txt")" -lt "$times" ]; do
        [ "$waited" -lt 300 ] || fail "no SCORE line $times"
        sleep 0.1
        waited=$((waited + 1))
    done
}
wait_for_score 1
grep '^SCORE: ' "$GAME_DIR/stdout.txt" | head -n 1 | grep -q "saved" || fail "the first play not saved"
first="$(sed -n 's/^ACCURACY: \([0-9.]*\) .*/\1/p' "$GAME_DIR/stdout.txt" | head -n 1)"

press r
wait_for_score 2
[ "$(count_lines stdout.txt "PLAY: Beta Song (hard)")" -eq 1 ] \
    || fail "R chose a song again instead of restarting the level"
# The second end screen measures itself against the first play's best.
second="$(grep '^SCORE: ' "$GAME_DIR/stdout.txt" | sed -n 2p)"
grep -qE "NEW BEST \+|best $(printf '%.1f' "$first") %" <<<"$second" \
    || fail "the second end screen does not show the first's best ($first): $second"

press Return
wait_for "SELECT: Beta Song"
sleep 1

# F3 practises the song at 0.75x (the demo missed nothing, so from its
# loudest part) and saves nothing; Enter goes back at any time.
press F3
wait_for_match() {
    local pattern="$1" waited=0
    until grep -qE -- "$pattern" "$GAME_DIR/stdout.txt"; do
        [ "$waited" -lt 1200 ] || fail "no line matching '$pattern'"
        kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended waiting for '$pattern'"
        sleep 0.1
        waited=$((waited + 1))
    done
}
wait_for_match '^PLAY: Beta Song \(hard\), practice [0-9.]+-[0-9.]+ s at 0\.75x$'
wait_for_match '^PRACTICE: loop 1 at 0\.75x, '
grep -qE '^PRACTICE: loop 1 at 0\.75x, hits ([0-9]+) of \1,' "$GAME_DIR/stdout.txt" \
    || fail "the demo missed in the practice: $(grep '^PRACTICE: ' "$GAME_DIR/stdout.txt")"
press Return
wait_for "SELECT: Beta Song" 2

# F2 opens the calibration; Escape while tapping leaves it for the list.
press F2
wait_for_match '^CALIBRATION: clicks every 500 ms from '
press Escape
sleep 1
kill -0 "$GAME_PID" 2>/dev/null || fail "Escape in the calibration quit the game"
press Escape
expect_exit -eq 0

skipped="$XDG_CACHE_HOME/cueflight/skipped.txt"
grep -qF "$SONGS/broken/junk.ogg	not audio that can be decoded" "$skipped" \
    || fail "skipped.txt: $(cat "$skipped" 2>&1)"
grep -qF "$SONGS/broken/empty.wav	empty file" "$skipped" || fail "skipped.txt: $(cat "$skipped")"
plays="$("$SCORES" --csv --song "$SONGS/beta.ogg" | tail -n +2 | grep -c ',hard,')"
[ "$plays" -eq 2 ] || fail "cueflight-scores lists $plays plays at hard"
grep -q "^GL: " "$GAME_DIR/stderr.txt" && fail "OpenGL errors reported"
echo "library: filter, density, charting, two demo plays, back with the row kept, skipped files"
