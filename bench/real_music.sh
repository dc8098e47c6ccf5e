#!/usr/bin/env bash
# Charts real music nobody here wrote, Debian's Wesnoth soundtrack, and lets
# the demo play the charts. Not part of ./test: the demo runs take each
# song's length in real time.
#
#   bench/real_music.sh [--density D] [--demo all|N|NAME,NAME...] [--jobs 1|2]
#
# Prints per track: tempo, beats, cues, cues per second of the level, the
# time charting took, and with --demo the demo's accuracy (racing camera,
# 320x240) or "not run". Run it under the machine's heavy-job lock when it
# plays demos.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
CHART="$ROOT/build/run/cueflight-chart"
MUSIC_DIR=/usr/share/games/wesnoth/1.16/data/core/music
PACKAGE=wesnoth-1.16-music
OUT="$ROOT/build/real_music"

DENSITY=normal
DEMO=""
JOBS=2
while [ $# -gt 0 ]; do
    case "$1" in
        --density) DENSITY="$2"; shift 2 ;;
        --demo) DEMO="$2"; shift 2 ;;
        --jobs) JOBS="$2"; shift 2 ;;
        *) echo "usage: $0 [--density D] [--demo all|N|NAME,...] [--jobs 1|2]" >&2; exit 2 ;;
    esac
done

"$ROOT/scripts/setup.sh" --install "$PACKAGE"
[ -x "$CHART" ] || { echo "build the game first (./play or ./test)" >&2; exit 1; }

mkdir -p "$OUT"
declare -A SUMMARY SECONDS_TAKEN
TRACKS=()
for song in "$MUSIC_DIR"/*.ogg; do
    name="$(basename "$song" .ogg)"
    TRACKS+=("$name")
    started=$(date +%s.%N)
    if line="$("$CHART" "$song" --density "$DENSITY" --out "$OUT/$name" 2>&1)"; then
        SUMMARY[$name]="$line"
    else
        SUMMARY[$name]="FAILED: $line"
    fi
    SECONDS_TAKEN[$name]=$(awk -v a="$started" -v b="$(date +%s.%N)" 'BEGIN { print b - a }')
done

# One demo game: a copy of the chart folder at 320x240 with demo=true under
# its own Xvfb; prints the accuracy line or "no result".
play_demo() {
    local name="$1" dir end
    dir="$(mktemp -d)"
    cp -a "$OUT/$name/." "$dir/"
    sed -i 's/^window_width=.*/window_width=320/; s/^window_height=.*/window_height=240/' "$dir/config.cfg"
    echo "demo=true" >>"$dir/config.cfg"
    end="$(sed -n 's/^song_end_ms=//p' "$dir/config.cfg" | tail -n 1)"
    # The game is watched and ended from inside xvfb-run, which then takes its
    # X server down with it. Its scores go to a home of its own, gone with the
    # folder: never the player's.
    (cd "$dir" && HOME="$dir/home" XDG_CONFIG_HOME="$dir/home/.config" \
        XDG_CACHE_HOME="$dir/home/.cache" XDG_DATA_HOME="$dir/home/.local/share" \
        MESA_GL_VERSION_OVERRIDE=3.2 MESA_GLSL_VERSION_OVERRIDE=150 ALSOFT_DRIVERS=null \
        GLIBC_TUNABLES=glibc.malloc.mmap_threshold=67108864:glibc.malloc.trim_threshold=1073741824 \
        xvfb-run -a -s "-screen 0 640x480x24" bash -c '
            ./cueflight >stdout.txt 2>stderr.txt &
            game=$!
            deadline=$((SECONDS + $1))
            while kill -0 $game 2>/dev/null && ! grep -q "^ACCURACY: " stdout.txt &&
                [ $SECONDS -lt $deadline ]; do
                sleep 1
            done
            kill $game 2>/dev/null
            wait $game' _ $((end / 1000 + 180)) || true)
    # The game's own streams stay beside the chart for a look at what went wrong.
    cp "$dir/stdout.txt" "$OUT/$name.stdout"
    cp "$dir/stderr.txt" "$OUT/$name.stderr"
    grep -m1 '^ACCURACY: ' "$dir/stdout.txt" | sed 's/^ACCURACY: //' >"$OUT/$name.demo" || echo "no result" >"$OUT/$name.demo"
    rm -rf "$dir"
}

CHOSEN=()
case "$DEMO" in
    "") ;;
    all) CHOSEN=("${TRACKS[@]}") ;;
    [0-9]*) CHOSEN=("${TRACKS[@]:0:$DEMO}") ;;
    *) IFS=, read -r -a CHOSEN <<<"$DEMO" ;;
esac
rm -f "$OUT"/*.demo
for name in "${CHOSEN[@]}"; do
    [[ "${SUMMARY[$name]:-FAILED}" == CHART:* ]] || continue
    while [ "$(jobs -rp | wc -l)" -ge "$JOBS" ]; do
        sleep 1
    done
    play_demo "$name" &
done
wait

printf '%-28s %7s %6s %5s %7s %6s  %s\n' track BPM beats cues cues/s chart_s demo
for name in "${TRACKS[@]}"; do
    line="${SUMMARY[$name]}"
    demo="not run"
    [ -f "$OUT/$name.demo" ] && demo="$(cat "$OUT/$name.demo")"
    if [[ "$line" =~ ^CHART:\ ([0-9.]+)\ BPM,\ ([0-9]+)\ beats,\ ([0-9]+)\ cues,\ ([0-9.]+)\ s$ ]]; then
        end="$(sed -n 's/^song_end_ms=//p' "$OUT/$name/config.cfg" | tail -n 1)"
        rate=$(awk -v c="${BASH_REMATCH[3]}" -v e="$end" 'BEGIN { printf "%.2f", c * 1000 / e }')
        printf '%-28s %7s %6s %5s %7s %6.2f  %s\n' "$name" "${BASH_REMATCH[1]}" "${BASH_REMATCH[2]}" \
            "${BASH_REMATCH[3]}" "$rate" "${SECONDS_TAKEN[$name]}" "$demo"
    else
        printf '%-28s %s\n' "$name" "$line"
    fi
done
