#!/usr/bin/env bash
# A game left running: the demo plays the song to its end screen and then 30
# more minutes, while a "monkey" sends random game keys (the switches 0-9,
# F1-F9, C, P, V, the light and camera keys), clicks and mouse moves
# throughout, never Escape or Q. Resident memory is sampled every 10 s. Passes
# when the game ends with status 0 on Escape, wrote no "GL: " error line, and
# its memory at the end is within 5 % of its memory at the song's end.
#
#   scripts/long_play.sh [--minutes N] [--size WxH] [--sanitized]
#
# --sanitized plays one whole song in demo mode, without the monkey, on the
# game built with AddressSanitizer and UBSan (build/sanitize-game) and passes
# on status 0 and no sanitizer report, leaks at exit included (suppressions,
# each with its reason, in scripts/sanitizer_leaks.supp). Heavy: run it under
# the machine's lock for long jobs. Everything the game wrote and the memory
# samples stay in the folder named at the end.
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
source "$ROOT/scripts/lib/sanitized_game.bash"
ensure_display "$0" "$@"
source "$ROOT/tests/e2e/lib/game.bash"

minutes=30
size=640x480
sanitized=0
while [ $# -gt 0 ]; do
    case "$1" in
        --minutes) minutes="$2"; shift ;;
        --size) size="$2"; shift ;;
        --sanitized) sanitized=1 ;;
        *) echo "unknown option $1" >&2; exit 2 ;;
    esac
    shift
done

if [ "$sanitized" -eq 1 ]; then
    RUN_DIR="$(build_sanitized_game "$ROOT")"
    sanitizer_environment "$ROOT"
    WINDOW_TIMEOUT=180
else
    RUN_DIR="$(build_release_game "$ROOT")"
fi

prepare_run_dir "$RUN_DIR"
# The game's folder is kept for the record; only the game is stopped on exit.
trap 'GAME_DIR=""; cleanup' EXIT
OUT="$GAME_DIR"
export ASAN_OPTIONS="log_path=$OUT/sanitizer:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="log_path=$OUT/sanitizer:print_stacktrace=1:${UBSAN_OPTIONS:-}"
sed -i "s/^window_width=.*/window_width=${size%x*}/; s/^window_height=.*/window_height=${size#*x}/" \
    "$OUT/config.cfg"
echo "demo=true" >>"$OUT/config.cfg"
start_game
find_window
started=$SECONDS

# Resident memory in kB, or nothing once the game is gone.
resident_kb() {
    awk '/^VmRSS:/ { print $2 }' "/proc/$GAME_PID/status" 2>/dev/null
}

# One sample every 10 s: seconds since start, kB, the phase of the play.
sample_memory() {
    local phase
    while kill -0 "$GAME_PID" 2>/dev/null; do
        phase=song
        [ -f "$OUT/song_ended" ] && phase=after
        echo "$((SECONDS - started)) $(resident_kb) $phase" >>"$OUT/memory.txt"
        sleep 10
    done
}

# Random game keys, clicks and moves, one every 0.1 to 0.6 s, until told to
# stop. P is rarer, so the game is mostly running rather than paused.
MONKEY_KEYS=(0 1 2 3 4 5 6 7 8 9 F1 F2 F3 F4 F5 F6 F7 F8 F9 c v f h n y t g w a s d e x)
monkey() {
    local width="${size%x*}" height="${size#*x}" key
    while [ ! -f "$OUT/monkey_stop" ]; do
        case $((RANDOM % 10)) in
            0 | 1) key=move
               xdotool mousemove --window "$GAME_WINDOW" $((RANDOM % width)) \
                   $((RANDOM % height)) 2>/dev/null ;;
            2) key=click
               xdotool mousemove --window "$GAME_WINDOW" $((RANDOM % width)) \
                   $((RANDOM % height)) click 1 2>/dev/null ;;
            3) [ $((RANDOM % 5)) -eq 0 ] && key=p || key=c
               xdotool key --window "$GAME_WINDOW" "$key" 2>/dev/null ;;
            *) key="${MONKEY_KEYS[RANDOM % ${#MONKEY_KEYS[@]}]}"
               xdotool keydown --window "$GAME_WINDOW" "$key" 2>/dev/null
               sleep 0.$((RANDOM % 3))
               xdotool keyup --window "$GAME_WINDOW" "$key" 2>/dev/null ;;
        esac
        echo "$key" >>"$OUT/monkey_keys.txt"
        sleep 0.$((1 + RANDOM % 6))
    done
}

sample_memory &
sampler=$!
if [ "$sanitized" -eq 0 ]; then
    monkey &
    monkey_pid=$!
fi

# The song, with whatever pauses the monkey made; a paused game waits.
waited=0
until grep -q '^ACCURACY: ' "$OUT/stdout.txt" 2>/dev/null; do
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended during the song"
    # A monkey's pause can hold the song; the song itself takes 2 minutes.
    [ "$waited" -lt 3600 ] || fail "no end screen within an hour"
    sleep 1
    waited=$((waited + 1))
done
touch "$OUT/song_ended"
song_end_kb="$(resident_kb)"
echo "song over after $((SECONDS - started)) s: $(grep -m 1 '^ACCURACY: ' "$OUT/stdout.txt"), ${song_end_kb} kB resident"

if [ "$sanitized" -eq 0 ]; then
    sleep $((minutes * 60))
    touch "$OUT/monkey_stop"
    wait "$monkey_pid"
fi
kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended before Escape"
end_kb="$(resident_kb)"
press Escape
LINE_TIMEOUT=120 expect_exit -eq 0
wait "$sampler"

echo "resident memory (MB) by minute of play:"
awk '{ minute = int($1 / 60); if (!(minute in seen)) { seen[minute] = 1;
       printf "  %3d min  %7.1f  %s\n", minute, $2 / 1024, $3 } }' "$OUT/memory.txt"
status=0
if [ "$sanitized" -eq 0 ]; then
    change="$(awk -v a="$song_end_kb" -v b="$end_kb" 'BEGIN { printf "%.1f", (b - a) * 100 / a }')"
    echo "at the song's end ${song_end_kb} kB, after ${minutes} more minutes ${end_kb} kB (${change} %)"
    awk -v c="$change" 'BEGIN { exit !(c < -5 || c > 5) }' && { echo "FAIL: memory moved more than 5 %"; status=1; }
fi
if grep -q '^GL: ' "$OUT/stderr.txt"; then
    echo "FAIL: GL error lines: $(grep -c '^GL: ' "$OUT/stderr.txt")"
    status=1
fi
reports="$(grep -l -E "ERROR: (Address|Leak)Sanitizer|runtime error:" "$OUT"/sanitizer.* 2>/dev/null | wc -l)"
echo "sanitizer reports: $reports"
[ "$reports" -eq 0 ] || status=1
echo "keys sent: $(grep -c . "$OUT/monkey_keys.txt" 2>/dev/null || echo 0); game output and samples in $OUT"
[ "$status" -eq 0 ] && echo "long play passed" || echo "long play FAILED"
exit "$status"
