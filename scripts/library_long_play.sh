#!/usr/bin/env bash
# The song library played on and on: the demo plays three short songs one
# after another from the select screen (Enter, its end screen, Enter back,
# Down to the next), at each density in turn, for the minutes given.
# Resident memory is sampled after every song. Passes when the game ends
# with status 0 on Escape, wrote no "GL: " error line, destroyed every
# collection at exit (its "delete object..." lines and the five frame
# buffers), and its memory after the last song is within 5 % of its memory
# after the first. Heavy: run it alone.
#
#   scripts/library_long_play.sh [--minutes N] [--size WxH]
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
source "$ROOT/scripts/lib/sanitized_game.bash"
ensure_display "$0" "$@"
source "$ROOT/tests/e2e/lib/game.bash"

minutes=60
size=640x480
while [ $# -gt 0 ]; do
    case "$1" in
        --minutes) minutes="$2"; shift ;;
        --size) size="$2"; shift ;;
        *) echo "unknown option $1" >&2; exit 2 ;;
    esac
    shift
done
export MESA_GL_VERSION_OVERRIDE=3.2 MESA_GLSL_VERSION_OVERRIDE=150 ALSOFT_DRIVERS=null
export GLIBC_TUNABLES=glibc.malloc.mmap_threshold=67108864:glibc.malloc.trim_threshold=1073741824

prepare_run_dir "$ROOT/build/run"
trap - EXIT # the folder stays for a look afterwards
SONGS="$GAME_DIR/songs"
mkdir -p "$SONGS"
make_plucked_song "$SONGS" 6
for title in Alpha Beta Gamma; do
    sox "$SONGS/song.ogg" --comment "TITLE=$title" "$SONGS/${title,,}.ogg" || fail "sox failed"
done
rm -f "$SONGS"/*.wav "$SONGS/song.ogg"
sed -i "s/^window_width=.*/window_width=${size%x*}/; s/^window_height=.*/window_height=${size#*x}/" \
    "$GAME_DIR/config.cfg"
echo "demo=true" >>"$GAME_DIR/config.cfg"
(cd "$GAME_DIR" && exec {TEST_STDERR}>&- &&
    exec ./cueflight --library "$SONGS" >stdout.txt 2>stderr.txt) &
GAME_PID=$!
for _ in $(seq 600); do
    GAME_WINDOW="$(xdotool search --pid "$GAME_PID" 2>/dev/null | head -n 1)"
    [ -n "$GAME_WINDOW" ] && break
    sleep 0.1
done
[ -n "$GAME_WINDOW" ] || fail "no window"
sleep 3

rss() { awk '/^VmRSS/ { print $2 }' "/proc/$GAME_PID/status"; }
end_at=$((SECONDS + minutes * 60))
played=0
first=""
echo "song  density  resident kB"
while [ "$SECONDS" -lt "$end_at" ]; do
    # Songs 1, 2, 3 after the shipped one, each round at the next density.
    press Home
    for ((i = 0; i <= played % 3; i++)); do press Down; done
    press Left
    press Left
    for ((i = 0; i < played / 3 % 3; i++)); do press Right; done
    press Return
    waited=0
    while [ "$(grep -c '^SCORE: ' "$GAME_DIR/stdout.txt")" -le "$played" ]; do
        kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended"
        [ "$waited" -lt 1800 ] || fail "song $((played + 1)) did not end"
        sleep 0.1
        waited=$((waited + 1))
    done
    played=$((played + 1))
    press Return
    sleep 1
    memory="$(rss)"
    [ -n "$first" ] || first="$memory"
    echo "$played  $(tail -n 1 <(grep '^PLAY: ' "$GAME_DIR/stdout.txt"))  $memory"
done
press Escape
expect_exit -eq 0
grep -q "^GL: " "$GAME_DIR/stderr.txt" && fail "OpenGL errors reported"
[ "$(tail -n 5 "$GAME_DIR/stdout.txt" | grep -cxF "deleting framebuffer object")" -eq 5 ] \
    || fail "the frame buffers were not all deleted"
grep -q "^delete object\.\.\. Models/ani_sphere.obj" "$GAME_DIR/stdout.txt" \
    || fail "the model collection was not destroyed"
growth=$(((memory - first) * 100 / first))
echo "$played songs in $minutes min; resident memory after the first $first kB, after the last" \
    "$memory kB ($growth %); the game's files: $GAME_DIR"
[ "$growth" -le 5 ] || fail "memory grew by $growth %"
