#!/usr/bin/env bash
# A song shapes its own flight: the charting tool charts a short song whose
# second half is louder, the demo flies its course to the end with every cue
# hit, and the pace the game prints for each section is higher in the loud
# half than in the quiet one.
set -u
source "$(dirname "$0")/lib/game.bash"

RUN_DIR="$1"
CHART="$RUN_DIR/cueflight-chart"

attempt() {
    begin_chart_attempt

    # Plucked notes at 120 BPM, 12 s at a tenth of the loudness, then 12 s
    # at full loudness.
    plucked_bar "$SONG_DIR/bar.wav" && sox "$SONG_DIR/bar.wav" "$SONG_DIR/loud.wav" repeat 5 \
        && sox -v 0.1 "$SONG_DIR/loud.wav" "$SONG_DIR/quiet.wav" \
        && sox "$SONG_DIR/quiet.wav" "$SONG_DIR/loud.wav" "$SONG_DIR/song.ogg" || fail "sox failed"

    "$CHART" "$SONG_DIR/song.ogg" --out "$GAME_DIR" >"$SONG_DIR/chart.txt" 2>&1 \
        || fail "charting failed: $(cat "$SONG_DIR/chart.txt")"
    [ -f "$GAME_DIR/course.cfg" ] || fail "the chart has no course"

    sed -i 's/^window_width=.*/window_width=320/; s/^window_height=.*/window_height=240/' \
        "$GAME_DIR/config.cfg"
    echo "demo=true" >>"$GAME_DIR/config.cfg"
    start_game
    find_window
    LINE_TIMEOUT=120 expect_line stdout.txt "ACCURACY: 100 Wow, you're a GOD"
    press Escape
    expect_exit -eq 0
    [ ! -s "$GAME_DIR/stderr.txt" ] || fail "the game wrote to the error stream"

    # "SECTION: <n> <start>-<end> s, pace <pace>": the mean pace of the
    # sections that lie in each half, weighted by their time.
    local paces
    paces="$(awk '/^SECTION: / {
            split($3, span, "-"); from = span[1]; to = span[2] + 0; pace = $6
            if (to <= from) next
            half = (from + to) / 2 < 12 ? "quiet" : "loud"
            sum[half] += pace * (to - from); time[half] += to - from
        }
        END { if (time["quiet"] > 0 && time["loud"] > 0)
            printf "%.2f %.2f", sum["quiet"] / time["quiet"], sum["loud"] / time["loud"] }' \
        "$GAME_DIR/stdout.txt")"
    [ -n "$paces" ] || fail "no section lines for both halves: $(grep '^SECTION' "$GAME_DIR/stdout.txt")"
    read -r quiet loud <<<"$paces"
    awk -v q="$quiet" -v l="$loud" 'BEGIN { exit !(l > q + 0.2) }' \
        || fail "pace $quiet in the quiet half, $loud in the loud one"
    echo "course flight: pace $quiet in the quiet half, $loud in the loud half, 100 %"
}

# A stall of a busy machine may cost one cue; such a run gets one more try.
( attempt ) || { echo "course flight below 100 % or off pace: one more run"; ( attempt ); }
