#!/usr/bin/env bash
# The broken run folder, file by file: every file the game reads from its run
# folder, each missing, empty, cut in half and replaced by as many random
# bytes, played by the game built with AddressSanitizer and UBSan
# (build/sanitize-game). A case passes when the game starts, runs 5 s in its
# main loop, ends with status 0 on Escape, names the file in an error line
# whenever it writes one, and draws no sanitizer report (leaks included).
# Prints one table row per case and a summary; failing cases are kept under
# /tmp/cueflight-broken-cases/. Heavy: run it under the machine's lock for
# long jobs, in parts if need be.
#
#   scripts/broken_run_folder.sh [--release] [--faults "missing empty"] [PATTERN...]
#
# A PATTERN (grep -E on the file's path in the run folder, e.g. 'Models/' or
# '^rec') picks files; without one every file is played. --release plays the
# Release game of build/run instead (quicker; no sanitizer at work).
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
source "$ROOT/scripts/lib/sanitized_game.bash"
ensure_display "$0" "$@"
source "$ROOT/tests/e2e/lib/game.bash"
source "$ROOT/tests/e2e/lib/broken_run.bash"

release=0
faults=("${FAULTS[@]}")
patterns=()
while [ $# -gt 0 ]; do
    case "$1" in
        --release) release=1 ;;
        --faults) read -r -a faults <<<"$2"; shift ;;
        *) patterns+=("$1") ;;
    esac
    shift
done

if [ "$release" -eq 1 ]; then
    RUN_DIR="$(build_release_game "$ROOT")"
else
    RUN_DIR="$(build_sanitized_game "$ROOT")"
    sanitizer_environment "$ROOT"
    # A sanitized game starts slowly.
    WINDOW_TIMEOUT=180
    LINE_TIMEOUT=120
fi

# Every file the game reads: all of the run folder but the game itself and
# the charting tool that a Release build puts beside it.
mapfile -t files < <(cd "$RUN_DIR" && find . -type f ! -name cueflight ! -name cueflight-chart |
    sed 's|^\./||' | sort)
if [ ${#patterns[@]} -gt 0 ]; then
    mapfile -t files < <(printf '%s\n' "${files[@]}" | grep -E "$(IFS='|'; echo "${patterns[*]}")")
fi

echo "| file | fault | start | exit | error line naming the file | sanitizer reports |"
echo "|---|---|---|---|---|---|"
cases=0
failed=0
for file in "${files[@]}"; do
    for fault in "${faults[@]}"; do
        cases=$((cases + 1))
        broken_case "$RUN_DIR" "$file" "$fault" || failed=$((failed + 1))
    done
done
echo "$cases cases, $failed failed"
[ "$failed" -eq 0 ]
