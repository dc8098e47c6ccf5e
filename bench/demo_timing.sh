#!/usr/bin/env bash
# How the demo's clicks fall against the cues' moments: plays the whole
# shipped song with the demo at each window size, on this build and,
# interleaved with it so both see the same machine, on another run folder
# (the build before a change), and prints their timing lines side by side.
# With --practice it plays the demo on a passage at 0.5, 0.75 and 1.0 instead
# and sums up each speed's loops. Not part of ./test: every run takes the
# song's length in real time. Run it under the machine's heavy-job lock.
#
#   bench/demo_timing.sh [--baseline RUN_DIR] [--sizes 1024x768,320x240]
#   bench/demo_timing.sh --practice FROM-TO [--loops N] [--sizes 320x240]
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
RUN="$ROOT/build/run"
BASELINE=""
SIZES="1024x768,320x240"
PRACTICE=""
LOOPS=3
while [ $# -gt 0 ]; do
    case "$1" in
        --baseline) BASELINE="$2"; shift 2 ;;
        --sizes) SIZES="$2"; shift 2 ;;
        --practice) PRACTICE="$2"; shift 2 ;;
        --loops) LOOPS="$2"; shift 2 ;;
        *) echo "usage: $0 [--baseline RUN_DIR] [--sizes WxH,...] [--practice FROM-TO [--loops N]]" >&2
           exit 2 ;;
    esac
done
[ -x "$RUN/cueflight" ] || { echo "build the game first (./play or ./test)" >&2; exit 1; }

# One game in a copy of the run folder under its own Xvfb, watched until the
# line matching the pattern appears (or the time is up); its output is left
# in $1/stdout.txt.
play() {
    local dir="$1" size="$2" pattern="$3" seconds="$4"
    shift 4
    sed -i "s/^window_width=.*/window_width=${size%x*}/; s/^window_height=.*/window_height=${size#*x}/" \
        "$dir/config.cfg"
    echo "demo=true" >>"$dir/config.cfg"
    (cd "$dir" && HOME="$dir/home" XDG_CONFIG_HOME="$dir/home/.config" \
        XDG_CACHE_HOME="$dir/home/.cache" XDG_DATA_HOME="$dir/home/.local/share" \
        MESA_GL_VERSION_OVERRIDE=3.2 MESA_GLSL_VERSION_OVERRIDE=150 ALSOFT_DRIVERS=null \
        GLIBC_TUNABLES=glibc.malloc.mmap_threshold=67108864:glibc.malloc.trim_threshold=1073741824 \
        xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
            pattern="$1" deadline=$((SECONDS + $2))
            shift 2
            ./cueflight "$@" >stdout.txt 2>stderr.txt &
            game=$!
            while kill -0 $game 2>/dev/null && ! grep -qE "$pattern" stdout.txt &&
                [ $SECONDS -lt $deadline ]; do
                sleep 1
            done
            sleep 1
            kill $game 2>/dev/null
            wait $game' _ "$pattern" "$seconds" "$@" || true)
}

song_run() {
    local name="$1" run="$2" size="$3" dir
    dir="$(mktemp -d)"
    cp -a "$run/." "$dir/"
    play "$dir" "$size" '^TIMING: ' 400
    printf '%-9s %-9s %s | %s | %s\n' "$size" "$name" \
        "$(grep -m1 '^ACCURACY: ' "$dir/stdout.txt" || echo 'no accuracy')" \
        "$(grep -m1 '^TIMING: ' "$dir/stdout.txt" || echo 'no timing')" \
        "$(grep -m1 '^DEMO: ' "$dir/stdout.txt" || echo '-')"
    rm -rf "$dir"
}

practice_run() {
    local speed="$1" size="$2" dir
    dir="$(mktemp -d)"
    cp -a "$RUN/." "$dir/"
    play "$dir" "$size" "^PRACTICE: loop $LOOPS " 900 --practice "$PRACTICE" --speed "$speed"
    grep '^PRACTICE: loop ' "$dir/stdout.txt" | awk -v speed="$speed" -v size="$size" '
        { split($0, a, /hits | of |, mean | ms, spread /); hits += a[2]; cues += a[3];
          mean += a[4] * a[2]; loops += 1 }
        END { printf "%-9s speed %-5s %d loops: hits %d of %d, mean %+.1f ms\n",
              size, speed, loops, hits, cues, hits ? mean / hits : 0 }'
    rm -rf "$dir"
}

IFS=, read -r -a sizes <<<"$SIZES"
for size in "${sizes[@]}"; do
    if [ -n "$PRACTICE" ]; then
        for speed in 0.5 0.75 1.0; do
            practice_run "$speed" "$size"
        done
        continue
    fi
    [ -z "$BASELINE" ] || song_run baseline "$BASELINE" "$size"
    song_run this "$RUN" "$size"
done
