# One file of the run folder broken in one way, and the game played on it:
# it must start, run at least RUN_SECONDS in its main loop, end with status 0
# on Escape, name the file in an error line whenever it reports anything on
# the error stream, and draw no sanitizer report. Used by tests/e2e/broken_files.sh
# (a few cases, ./test) and scripts/broken_run_folder.sh (every file, every
# fault, sanitized game). Needs lib/game.bash.

FAULTS=(missing empty half random)
RUN_SECONDS=${RUN_SECONDS:-5}
# Where a failing case's folder is kept for a closer look.
KEEP_DIR=${KEEP_DIR:-/tmp/cueflight-broken-cases}

# break_file DIR FILE FAULT: missing, empty, half (the first half kept) or
# random (as many random bytes as the file had).
break_file() {
    local path="$1/$2" fault="$3" size
    size="$(stat -c %s "$path")"
    case "$fault" in
        missing) rm -f "$path" ;;
        empty) : >"$path" ;;
        half) truncate -s $((size / 2)) "$path" ;;
        random) head -c "$size" /dev/urandom >"$path" ;;
        *) echo "unknown fault '$fault'" >&2; return 2 ;;
    esac
}

# Waits up to the given seconds for a line of stdout.txt starting with the text,
# or for the game to end; true when the line came.
wait_for_stdout() {
    local text="$1" limit=$(($2 * 10)) waited=0
    while [ "$waited" -lt "$limit" ]; do
        grep -q -- "^$text" "$GAME_DIR/stdout.txt" 2>/dev/null && return 0
        kill -0 "$GAME_PID" 2>/dev/null || return 1
        sleep 0.1
        waited=$((waited + 1))
    done
    return 1
}

# Sanitizer reports of the case: one file per process that reported.
sanitizer_reports() {
    local count
    count="$(grep -l -E "ERROR: (Address|Leak)Sanitizer|runtime error:" "$GAME_DIR"/sanitizer.* \
        2>/dev/null | wc -l)"
    echo "${count:-0}"
}

# broken_case RUN_DIR FILE FAULT: plays one case and prints its table row,
#   | file | fault | start | exit | error line naming the file | sanitizer reports |
# Returns 1 when a check failed (its folder is then kept under KEEP_DIR).
broken_case() {
    local run_dir="$1" file="$2" fault="$3"
    (
        set -u
        prepare_run_dir "$run_dir"
        # Sanitizer reports (when the game has sanitizers) go to files of
        # their own, so the error stream holds the game's lines only.
        export ASAN_OPTIONS="log_path=$GAME_DIR/sanitizer:${ASAN_OPTIONS:-}"
        export UBSAN_OPTIONS="log_path=$GAME_DIR/sanitizer:print_stacktrace=1:${UBSAN_OPTIONS:-}"
        if [ "$file" != config.cfg ]; then
            # Small, so even a sanitized game keeps a useful frame rate.
            sed -i 's/^window_width=.*/window_width=320/; s/^window_height=.*/window_height=240/' \
                "$GAME_DIR/config.cfg"
        fi
        break_file "$GAME_DIR" "$file" "$fault"
        start_game
        local start=no exit_status="-" ok=1
        # The window opens, and the key commands answer: the main loop runs.
        if wait_for_stdout "Loaded OpenGL Version" "$WINDOW_TIMEOUT"; then
            GAME_WINDOW="$(xdotool search --pid "$GAME_PID" 2>/dev/null | head -n 1)"
            if [ -n "$GAME_WINDOW" ]; then
                press F2
                wait_for_stdout "SHOW FPS ON" "$WINDOW_TIMEOUT" && start=yes
            fi
        fi
        if [ "$start" = yes ]; then
            sleep "$RUN_SECONDS"
            if kill -0 "$GAME_PID" 2>/dev/null; then
                press Escape
            else
                start="ended early"
            fi
        fi
        if wait_for_exit; then
            exit_status="$GAME_STATUS"
        else
            exit_status="hung"
        fi
        local line reports other
        line="$(grep -F -m 1 -- "$file" "$GAME_DIR/stderr.txt" 2>/dev/null || true)"
        # The version report of a legacy context (config.cfg's defaults) ends
        # on the error stream; it reports no fault.
        other="$(grep -v -m 1 "^Illegal operation did NOT cause" "$GAME_DIR/stderr.txt" || true)"
        if [ -z "$line" ] && [ -n "$other" ]; then
            line="(not named: $other)"
            ok=0
        fi
        reports="$(sanitizer_reports)"
        [ "$start" = yes ] && [ "$exit_status" = 0 ] && [ "$reports" -eq 0 ] || ok=0
        printf '| %s | %s | %s | %s | %s | %s |\n' "$file" "$fault" "$start" "$exit_status" \
            "${line:--}" "$reports"
        if [ "$ok" -eq 0 ]; then
            local kept="$KEEP_DIR/${file//\//_}.$fault"
            rm -rf "$kept"
            mkdir -p "$KEEP_DIR"
            cp -r "$GAME_DIR" "$kept"
            echo "  kept in $kept" >&2
            exit 1
        fi
        exit 0
    )
}
