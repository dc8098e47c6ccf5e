#!/usr/bin/env bash
# Two runs of one target started together, on a copy of its corpus: both
# finish with status 0, they fuzz and fold one after the other (never at
# once), the folded corpus is whole (the fuzzer reads every file of it) and
# nothing is left beside it, and each run has its own log and its own line
# in runs.log. A heavy job like fuzzing itself: run it niced, by hand.
#
#   fuzz/run_test.sh [TARGET [SECONDS]]    (config, 5 s each by default)
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
TARGET="${1:-config}"
SECONDS_EACH="${2:-5}"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

SCRATCH="$(mktemp -d)"
trap 'rm -rf "$SCRATCH"' EXIT
export FUZZ_STATE="$SCRATCH/state" FUZZ_CORPUS_ROOT="$SCRATCH/corpus"
mkdir -p "$FUZZ_CORPUS_ROOT"
cp -r "$ROOT/fuzz/corpus/$TARGET" "$FUZZ_CORPUS_ROOT/"

"$ROOT/fuzz/run" "$TARGET" "$SECONDS_EACH" >"$SCRATCH/first.txt" 2>&1 &
first=$!
"$ROOT/fuzz/run" "$TARGET" "$SECONDS_EACH" >"$SCRATCH/second.txt" 2>&1 &
second=$!
wait "$first" || fail "the first run failed: $(cat "$SCRATCH/first.txt")"
wait "$second" || fail "the second run failed: $(cat "$SCRATCH/second.txt")"

# Each run's log: its own file, from its start to its fold.
mapfile -t logs < <(ls "$FUZZ_STATE/logs/$TARGET"-*.log)
[ "${#logs[@]}" -eq 2 ] || fail "${#logs[@]} logs for two runs"
spans=()
for log in "${logs[@]}"; do
    started="$(sed -n 's/^fuzz\/run: started //p' "$log")"
    folded="$(sed -n 's/^fuzz\/run: folded //p' "$log")"
    [ -n "$started" ] && [ -n "$folded" ] || fail "$log lacks its start or its fold"
    [ "$(grep -c '^stat::number_of_executed_units' "$log")" -ge 1 ] || fail "$log has no final stats"
    grep -q 'MERGE-OUTER' "$log" || fail "$log has no merge"
    spans+=("$started $folded")
done
# One ran wholly before the other.
read -r a_start a_end <<<"${spans[0]}"
read -r b_start b_end <<<"${spans[1]}"
awk -v as="$a_start" -v ae="$a_end" -v bs="$b_start" -v be="$b_end" \
    'BEGIN { exit !(ae <= bs || be <= as) }' || fail "the runs overlapped: ${spans[*]}"

lines="$(awk -v t="$TARGET" '$2 == t' "$FUZZ_STATE/runs.log")"
[ "$(wc -l <<<"$lines")" -eq 2 ] || fail "runs.log: $lines"
grep -q 'runs=0 ' <<<"$lines" && fail "a run executed nothing: $lines"
grep -qv 'status=0$' <<<"$lines" && fail "a run reported a failure: $lines"

corpus="$FUZZ_CORPUS_ROOT/$TARGET"
files="$(find "$corpus" -maxdepth 1 -type f | wc -l)"
[ "$files" -gt 0 ] || fail "the corpus is empty"
leftovers="$(find "$FUZZ_CORPUS_ROOT" -mindepth 1 -maxdepth 1 ! -name "$TARGET")"
[ -z "$leftovers" ] || fail "left beside the corpus: $leftovers"
replay="$("$ROOT/build-fuzz/fuzz/fuzz_$TARGET" -runs=0 "$corpus" 2>&1)" \
    || fail "the corpus does not replay: $replay"
grep -q "INITED" <<<"$replay" || fail "the fuzzer did not read the corpus: $replay"
echo "fuzz/run: two runs of $TARGET took turns; corpus of $files files replays; two log lines"
