# Helpers for the end-to-end tests: run the real game from a throw-away copy
# of the run folder on the display the test runner provides, press keys with
# xdotool and read what the game printed. Every wait is bounded and the game
# is killed whenever a test ends early.

# Seconds a game may take to open its window (software rendering is slow).
WINDOW_TIMEOUT=${WINDOW_TIMEOUT:-60}
# Seconds a log line may take to appear after its key press.
LINE_TIMEOUT=${LINE_TIMEOUT:-60}

# Seconds one call of an outside tool (xdotool, ImageMagick) may take. Each
# normally takes well under a second; one stuck on the display must fail its
# test with a line naming it, not hold the whole suite until CI gives up.
TOOL_TIMEOUT=${TOOL_TIMEOUT:-30}

GAME_DIR=""
PLAYER_HOME=""
GAME_PID=""
GAME_WINDOW=""

# The test's own error stream, kept for the line below even where a caller
# sends the tool's stderr to /dev/null.
exec {TEST_STDERR}>&2

# Runs an outside tool within TOOL_TIMEOUT seconds and says so on the test's
# error stream when it was stopped; its own status otherwise.
bounded() {
    local status=0
    timeout -k 5 "$TOOL_TIMEOUT" "$@" || status=$?
    if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
        echo "TIMEOUT: '$1' ran longer than ${TOOL_TIMEOUT}s: $*" >&"$TEST_STDERR"
    fi
    return "$status"
}

# The tests call these tools by their own names; each call goes through bounded.
xdotool() { bounded xdotool "$@"; }
import() { bounded import "$@"; }
convert() { bounded convert "$@"; }
compare() { bounded compare "$@"; }

fail() {
    echo "FAIL: $*" >&2
    if [ -n "$GAME_DIR" ]; then
        echo "--- game stdout" >&2
        cat "$GAME_DIR/stdout.txt" >&2 2>/dev/null
        echo "--- game stderr" >&2
        cat "$GAME_DIR/stderr.txt" >&2 2>/dev/null
    fi
    exit 1
}

cleanup() {
    if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then
        kill "$GAME_PID" 2>/dev/null
        sleep 0.5
        kill -9 "$GAME_PID" 2>/dev/null
    fi
    if [ -n "$GAME_DIR" ]; then
        rm -rf "$GAME_DIR"
    fi
    if [ -n "$PLAYER_HOME" ]; then
        rm -rf "$PLAYER_HOME"
        PLAYER_HOME=""
    fi
}

# Gives the game a player's home of its own, empty, so a test sees exactly
# what the game writes there and never the real one. Mesa's shader cache
# stays where it was, warm.
use_fresh_player_home() {
    PLAYER_HOME="$(mktemp -d)"
    export MESA_SHADER_CACHE_DIR="${MESA_SHADER_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/mesa_shader_cache}"
    mkdir -p "$MESA_SHADER_CACHE_DIR"
    export HOME="$PLAYER_HOME"
    export XDG_CONFIG_HOME="$PLAYER_HOME/.config"
    export XDG_CACHE_HOME="$PLAYER_HOME/.cache"
    export XDG_DATA_HOME="$PLAYER_HOME/.local/share"
}

# Writes DIR/song.ogg: plucked notes at 120 BPM, four to the bar (2 s),
# the bar played REPEATS times in all.
make_plucked_song() {
    local dir="$1" repeats="$2"
    plucked_bar "$dir/bar.wav" && sox "$dir/bar.wav" "$dir/song.ogg" repeat $((repeats - 1)) \
        || fail "sox failed"
}

# The start of one attempt of a test that charts a song with $CHART from
# $RUN_DIR: the tool and a display are there, and SONG_DIR and GAME_DIR are
# fresh folders that go when the attempt ends.
begin_chart_attempt() {
    [ -x "$CHART" ] || fail "no charting tool in '$RUN_DIR'"
    [ -n "${DISPLAY:-}" ] || fail "no DISPLAY: run the tests through ./test"
    SONG_DIR="$(mktemp -d)"
    GAME_DIR="$(mktemp -d)"
    trap 'cleanup; rm -rf "$SONG_DIR"' EXIT
    trap 'exit 1' INT TERM
}

# Copies the run folder given as the test's argument into a fresh directory.
prepare_run_dir() {
    local run_dir="$1"
    [ -x "$run_dir/cueflight" ] || fail "no game in '$run_dir'"
    [ -n "${DISPLAY:-}" ] || fail "no DISPLAY: run the tests through ./test"
    GAME_DIR="$(mktemp -d)"
    trap cleanup EXIT
    trap 'exit 1' INT TERM
    [ -n "$PLAYER_HOME" ] || use_fresh_player_home
    cp -r "$run_dir/." "$GAME_DIR/"
}

# Starts the game in the copied folder with its streams going to files; the
# arguments go to the game.
start_game() {
    # The game must not hold the test's error stream: the runner waits for
    # every holder to close it.
    (cd "$GAME_DIR" && exec {TEST_STDERR}>&- &&
        exec env ${GAME_PRELOAD:+LD_PRELOAD="$GAME_PRELOAD"} ./cueflight "$@" \
            >stdout.txt 2>stderr.txt) &
    GAME_PID=$!
}

# Waits for the game's window and remembers it. The game opens its window
# before it prints the version report; waiting for that report first keeps
# xdotool's display connections away from the game's own start (Xlib's
# XOpenDisplay was seen to fail when both connected at the same moment).
find_window() {
    local waited=0
    while [ "$waited" -lt $((WINDOW_TIMEOUT * 10)) ]; do
        kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended before its window appeared"
        if grep -q "^Loaded OpenGL Version" "$GAME_DIR/stdout.txt" 2>/dev/null; then
            GAME_WINDOW="$(xdotool search --pid "$GAME_PID" 2>/dev/null | head -n 1)"
            [ -n "$GAME_WINDOW" ] && return 0
        fi
        sleep 0.1
        waited=$((waited + 1))
    done
    fail "no window within ${WINDOW_TIMEOUT}s"
}

# Holds a key long enough for even a slow frame to see it.
press() {
    xdotool keydown --window "$GAME_WINDOW" "$1" 2>/dev/null
    sleep 0.2
    xdotool keyup --window "$GAME_WINDOW" "$1" 2>/dev/null
    sleep 0.2
}

# Number of lines of a game stream that are exactly the given text.
count_lines() {
    local count
    count="$(grep -cxF -- "$2" "$GAME_DIR/$1" 2>/dev/null)"
    echo "${count:-0}"
}

# Waits until the stream (stdout.txt or stderr.txt) holds the line at least
# the given number of times (default once).
expect_line() {
    local stream="$1" text="$2" times="${3:-1}" waited=0
    while [ "$waited" -lt $((LINE_TIMEOUT * 10)) ]; do
        [ "$(count_lines "$stream" "$text")" -ge "$times" ] && return 0
        sleep 0.1
        waited=$((waited + 1))
    done
    fail "'$text' not seen ${times}x in $stream within ${LINE_TIMEOUT}s"
}

# Waits until a line of the stream matches the extended regular expression.
expect_line_like() {
    local stream="$1" pattern="$2" waited=0
    while [ "$waited" -lt $((LINE_TIMEOUT * 10)) ]; do
        grep -qE -- "$pattern" "$GAME_DIR/$stream" 2>/dev/null && return 0
        sleep 0.1
        waited=$((waited + 1))
    done
    fail "no line like '$pattern' in $stream within ${LINE_TIMEOUT}s"
}

# Waits until the window title matches the extended regular expression.
expect_title() {
    local pattern="$1" waited=0 title=""
    while [ "$waited" -lt $((LINE_TIMEOUT * 10)) ]; do
        title="$(xdotool getwindowname "$GAME_WINDOW" 2>/dev/null)"
        grep -qE -- "$pattern" <<<"$title" && return 0
        sleep 0.1
        waited=$((waited + 1))
    done
    fail "window title '$title' does not match '$pattern'"
}

# Waits up to LINE_TIMEOUT seconds for the game to end and sets GAME_STATUS to
# its exit status; false when it is still running.
wait_for_exit() {
    local waited=0
    while kill -0 "$GAME_PID" 2>/dev/null; do
        [ "$waited" -lt $((LINE_TIMEOUT * 10)) ] || return 1
        sleep 0.1
        waited=$((waited + 1))
    done
    GAME_STATUS=0
    wait "$GAME_PID" || GAME_STATUS=$?
    GAME_PID=""
}

# Waits for the game to end and checks its exit status with a test(1)
# comparison: expect_exit -eq 0, expect_exit -ne 0.
expect_exit() {
    wait_for_exit || fail "the game did not end within ${LINE_TIMEOUT}s"
    [ "$GAME_STATUS" "$1" "$2" ] || fail "exit status $GAME_STATUS, expected $1 $2"
}

# A bar of plucked notes at 120 BPM, four to the bar, written to FILE (WAV):
# the charting tool's tests make their songs of it with sox.
plucked_bar() {
    local file="$1" dir notes=()
    dir="$(dirname "$file")"
    for note in C3 E3 G3 C4; do
        sox -n -r 44100 -c 2 "$dir/$note.wav" synth 0.5 pluck "$note" || return 1
        notes+=("$dir/$note.wav")
    done
    sox "${notes[@]}" "$file"
}
