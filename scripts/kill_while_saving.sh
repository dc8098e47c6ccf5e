#!/usr/bin/env bash
# Kills a process that saves plays into one score store with SIGKILL at
# random moments, COUNT times (1000 unless given), and after every kill
# checks the store: PRAGMA integrity_check says ok, every play the process
# said was saved is there, and the store was never moved aside. At most the
# play being saved when the kill came is missing.
#   scripts/kill_while_saving.sh [COUNT] [SAVER]
# SAVER is build/tools/scores/scores_save_loop unless given. Prints one
# summary line; exits non-zero on the first broken promise.
set -u

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
COUNT="${1:-1000}"
SAVER="${2:-$ROOT/build/tools/scores/scores_save_loop}"
[ -x "$SAVER" ] || { echo "no saver at $SAVER: build first"; exit 2; }
command -v sqlite3 >/dev/null || { echo "no sqlite3: scripts/setup.sh installs it"; exit 2; }

WORK="$(mktemp -d)"
# Kept when a check fails, for a look at the store and what was said.
trap '[ "$?" -eq 0 ] && rm -rf "$WORK"' EXIT
STORE="$WORK/scores.db"
SAID="$WORK/said.txt"
: >"$SAID"

fail() {
    echo "FAIL after kill $kill: $* (kept in $WORK)"
    exit 1
}

started=$(date +%s)
saves_seen=0
for kill in $(seq 1 "$COUNT"); do
    # A kill may land before the saver's streams are even opened: last
    # round's lines must not be read as this round's.
    rm -f "$WORK/out.txt" "$WORK/err.txt"
    "$SAVER" "$STORE" 1000000 >"$WORK/out.txt" 2>"$WORK/err.txt" &
    pid=$!
    # Anywhere from before the store is opened to a few saves in.
    sleep "0.$(printf '%03d' $((RANDOM % 400)))"
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    [ -s "$WORK/err.txt" ] && fail "the saver said: $(head -n 3 "$WORK/err.txt")"
    grep -s '^saved ' "$WORK/out.txt" | cut -d' ' -f2,3 >>"$SAID"
    check="$(sqlite3 "$STORE" "PRAGMA integrity_check" 2>&1)"
    [ "$check" = "ok" ] || fail "integrity_check: $check"
    sqlite3 "$STORE" "SELECT id || ' ' || chart_version FROM plays" | sort >"$WORK/kept.txt"
    sort "$SAID" >"$WORK/said.sorted"
    lost="$(comm -23 "$WORK/said.sorted" "$WORK/kept.txt" | head -n 3)"
    [ -z "$lost" ] || fail "plays said to be saved are missing: $lost"
    ls "$WORK" | grep -q 'broken' && fail "the store was moved aside: $(ls "$WORK")"
done
saves_seen=$(wc -l <"$SAID")
kept=$(wc -l <"$WORK/kept.txt")
echo "kill_while_saving: $COUNT kills, $saves_seen plays said saved, $kept kept" \
    "($((kept - saves_seen)) committed but killed before saying so), integrity ok every time," \
    "$(($(date +%s) - started)) s"
