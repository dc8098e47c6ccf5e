#!/usr/bin/env bash
# Do the tests catch what they claim? Puts one-line faults into the lines a
# change touches, builds each, runs the unit and GL suites against it and
# prints one table row per fault: killed (and by which test), survived, or
# equivalent (it cannot change behaviour).
#
#   scripts/mutants.sh [--per-file N] [--jobs N] [--list] [BASE] [-- PATH[:LINE]...]
#
# BASE is a commit (default: the merge base with main); the lines changed
# since it in the C++ under src/ and tools/, uncommitted changes included,
# get faults by the rules of scripts/lib/mutant_faults.awk, at most N a file
# (default 6) spread over its changed lines. A PATH limits the run to the
# files under it, PATH:LINE to one line. A fault that does not build is
# skipped and the next one taken. --list lists the faults it would try
# first and builds nothing.
#
# Each fault is built in a copy of the tree, build/mutants/tree (the worktree
# itself is never changed, and may change while the script runs). Only the
# suites whose programs the fault changes run, those of the file's own folder
# first, until one fails. A fault that leaves the object code as it was is
# equivalent without a run. Any other survivor is killed by a new or sharper
# test, or recorded in scripts/mutants.equivalent, one line each, as the
# summary lists it with the reason added:
#   FILE: LINE AS IT IS => LINE AS THE FAULT LEAVES IT ## why nothing can change
# The table goes to build/mutants/results.md too. Heavy: it renices itself
# and builds with --jobs jobs (default 2); a copy's first build takes as long
# as the tree's.
set -uo pipefail
export LC_ALL=C
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
source "$ROOT/scripts/lib/sanitized_game.bash"
ensure_display "$0" "$@"
renice -n 19 -p $$ >/dev/null

per_file=6
jobs=2
list=0
base=""
filters=()
while [ $# -gt 0 ]; do
    case "$1" in
        --per-file) per_file="$2"; shift ;;
        --jobs) jobs="$2"; shift ;;
        --list) list=1 ;;
        --) shift; filters=("$@"); break ;;
        *) base="$1" ;;
    esac
    shift
done
base="${base:-$(git -C "$ROOT" merge-base HEAD main)}" || exit 2
base="$(git -C "$ROOT" rev-parse --verify --quiet "$base^{commit}")" ||
    { echo "no commit $base" >&2; exit 2; }

MUTANTS="$ROOT/build/mutants"
TREE="$MUTANTS/tree"
BUILD="$TREE/build"
EQUIVALENT="$ROOT/scripts/mutants.equivalent"
RESULTS="$MUTANTS/results.md"
mkdir -p "$MUTANTS/objects" "$MUTANTS/symbols" "$MUTANTS/passed"
# One run at a time: two would fight over the copy.
exec 9>"$MUTANTS/.lock"
flock -n 9 || { echo "another scripts/mutants.sh runs in $ROOT" >&2; exit 2; }
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$ROOT}"

# The file of the copy that holds a fault, restored however the run ends.
faulty=""
restore() {
    if [ -n "$faulty" ]; then
        cp "$MUTANTS/original" "$TREE/$faulty"
        faulty=""
    fi
}
trap restore EXIT
trap 'restore; exit 130' INT TERM HUP

# The copy follows the worktree: files added, changed and gone. A changed
# file gets the time of the copy, not its own, so that a copy a killed run
# left with a fault is rebuilt as well as mended.
sync_tree() {
    local file
    mkdir -p "$TREE"
    git -C "$ROOT" ls-files -co --exclude-standard | while read -r file; do
        [ -f "$ROOT/$file" ] || continue
        if ! cmp -s "$ROOT/$file" "$TREE/$file"; then
            mkdir -p "$(dirname "$TREE/$file")"
            cp "$ROOT/$file" "$TREE/$file"
        fi
    done
    (cd "$TREE" && find . -path ./build -prune -o -type f -print | sed 's|^\./||') |
        while read -r file; do
            [ -f "$ROOT/$file" ] || rm -f "$TREE/$file"
        done
}

in_scope() {
    local filter
    [ ${#filters[@]} -eq 0 ] && return 0
    for filter in "${filters[@]}"; do
        filter="${filter%:[0-9]*}"
        [[ "$1" == "${filter%/}" || "$1" == "${filter%/}/"* ]] && return 0
    done
    return 1
}

# The lines of a file changed since the base (all of a new one), or only
# those a PATH:LINE names.
changed_lines() {
    local filter wanted=""
    for filter in "${filters[@]}"; do
        [[ "$filter" =~ ^(.+):([0-9]+)$ && "${BASH_REMATCH[1]}" == "$1" ]] &&
            wanted+=" ${BASH_REMATCH[2]}"
    done
    if git -C "$ROOT" cat-file -e "$base:$1" 2>/dev/null; then
        git -C "$ROOT" diff -U0 --no-color "$base" -- "$1" |
            sed -nE 's/^@@ -[0-9,]+ \+([0-9]+)(,([0-9]+))? @@.*/\1 \3/p' |
            awk '{ count = $2 == "" ? 1 : $2; for (i = 0; i < count; ++i) print $1 + i }'
    else
        seq 1 "$(wc -l <"$TREE/$1")"
    fi | awk -v wanted="$wanted" 'BEGIN { n = split(wanted, w, " "); for (i = 1; i <= n; ++i) keep[w[i]] = 1 }
        n == 0 || $1 in keep { printf "%d ", $1 }'
}

# The golden ratio's steps through a file's faults: the first few already
# reach over all of its changed lines.
spread() {
    awk -v count="$1" 'BEGIN {
        for (k = 0; taken < count && k < 50 * count; ++k) {
            i = int(count * ((k * 0.6180339887) % 1))
            if (!(i in seen)) { seen[i] = 1; ++taken; print i }
        }
        for (i = 0; i < count; ++i) if (!(i in seen)) print i
    }'
}

# Every fault the files in scope may get, in the order they are tried:
# "file<tab>line<tab>fault<tab>the faulty line".
list_faults() {
    local file lines faults index
    {
        git -C "$ROOT" diff --name-only --diff-filter=d "$base" -- src tools
        git -C "$ROOT" ls-files -o --exclude-standard -- src tools
    } | grep -E '\.(cpp|h)$' | sort -u | while read -r file; do
        in_scope "$file" || continue
        lines="$(changed_lines "$file")"
        [ -n "${lines// /}" ] || continue
        mapfile -t faults < <(awk -v lines="$lines" -f "$ROOT/scripts/lib/mutant_faults.awk" \
            "$TREE/$file")
        [ ${#faults[@]} -gt 0 ] || continue
        for index in $(spread ${#faults[@]}); do
            printf '%s\t%s\n' "$file" "${faults[$index]}"
        done
    done
}

# The suites: "name<tab>program" for every test labelled unit or gl, in
# the order ctest runs them. A test that a script runs (bash SCRIPT ...
# PROGRAM) has the first program of the build it names for its own.
list_suites() {
    find "$BUILD" -name CTestTestfile.cmake -exec cat {} + |
        awk -v build="$BUILD/" '/^add_test\(\[=\[/ {
            name = $0; sub(/^add_test\(\[=\[/, "", name); sub(/\]=\].*/, "", name)
            count = split($0, parts, "\"")
            for (i = 2; i <= count; i += 2) {
                if (index(parts[i], build) == 1) { print name "\t" parts[i]; next }
            }
        }' >"$MUTANTS/programs"
    ctest --test-dir "$BUILD" -N -L '^(unit|gl)$' | sed -nE 's/^ *Test +#[0-9]+: (.+)$/\1/p' |
        awk -F'\t' 'NR == FNR { program[$1] = $2; next } { print $1 "\t" program[$1] }' \
            "$MUTANTS/programs" -
}

sha() { sha256sum "$1" | cut -d' ' -f1; }

# The objects a source compiles to, or that include a header, relative to
# the build.
objects_of() {
    if [[ "$1" == *.cpp ]]; then
        awk -v file="$TREE/$1" '/^ *"command": / { command = $0 }
            /^ *"file": / && index($0, "\"" file "\"") && match(command, / -o [^ ]+ /) {
                print substr(command, RSTART + 4, RLENGTH - 5) }' "$BUILD/compile_commands.json"
    else
        # The compiler names a header as its include path leads to it.
        ninja -C "$BUILD" -t deps | awk -v header="$TREE/$1" \
            -v relative="$(realpath -m --relative-to="$BUILD" "$TREE/$1")" '
            /^[^ ]/ { object = $1; sub(/:$/, "", object) }
            $1 == header || $1 == relative { print object }' | sort -u
    fi
}

# The global symbols a program or object defines, sorted.
symbols() { nm -g --defined-only "$1" 2>/dev/null | awk '$2 ~ /^[TDBR]$/ { print $3 }' | sort -u; }

# Runs one suite; prints what failed in it, nothing when it passed.
run_suite() {
    local name="$1" timeout="$2" output failed
    output="$(GTEST_FAIL_FAST=1 GTEST_BRIEF=1 ctest --test-dir "$BUILD" -R "^$name\$" \
        --timeout "$timeout" --output-on-failure 2>&1)" && return 0
    failed="$(grep -m1 -oE '^\[  FAILED  \] [A-Za-z0-9_/.]+' <<<"$output" | cut -c14-)"
    if [ -z "$failed" ]; then
        failed="$(grep -m1 -oE '\*\*\*(Timeout|Exception: [A-Za-z]+)|Failed' <<<"$output" |
            tr -d '*')"
    fi
    echo "$name: ${failed:-failed}"
}

# Keeps a source's objects and their symbols as they are without a fault.
remember_objects() {
    local object objects=()
    mapfile -t objects < <(objects_of "$1")
    [ ${#objects[@]} -gt 0 ] || return 0
    ninja -C "$BUILD" "${objects[@]}" >/dev/null 2>&1 || return 0
    for object in "${objects[@]}"; do
        sha "$BUILD/$object" >"$MUTANTS/objects/${object//\//_}"
        symbols "$BUILD/$object" >"$MUTANTS/objects/${object//\//_}.symbols"
    done
}

# The suites whose programs may hold the code of these objects: those that
# define one of their global symbols (an object of inline code only may be in
# any).
suites_holding() {
    local name object known
    for name in "${suites[@]}"; do
        for object in "$@"; do
            known="$MUTANTS/objects/${object//\//_}.symbols"
            if [ ! -s "$known" ] || comm -12 "$known" "$MUTANTS/symbols/$name" | grep -q .; then
                echo "$name"
                break
            fi
        done
    done
}

# Builds the copy with its fault and runs the suites; prints "result<tab>by".
try_fault() {
    local file="$1" objects=() object programs=() paths=() name failed same=1
    local first=() units=() others=()
    mapfile -t objects < <(objects_of "$file")
    [ ${#objects[@]} -gt 0 ] || { printf 'survived\tno suite holds this code\n'; return; }
    ninja -C "$BUILD" -j "$jobs" "${objects[@]}" >/dev/null 2>&1 ||
        { printf 'not built\t\n'; return; }
    for object in "${objects[@]}"; do
        [ "$(sha "$BUILD/$object")" = "$(cat "$MUTANTS/objects/${object//\//_}")" ] || same=0
    done
    [ "$same" -eq 1 ] && { printf 'equivalent\tthe same object code\n'; return; }
    mapfile -t programs < <(suites_holding "${objects[@]}")
    [ ${#programs[@]} -gt 0 ] || { printf 'survived\tno suite holds this code\n'; return; }
    for name in "${programs[@]}"; do
        paths+=("${program_of[$name]#"$BUILD/"}")
    done
    ninja -C "$BUILD" -j "$jobs" "${paths[@]}" >/dev/null 2>&1 || { printf 'not built\t\n'; return; }
    # tests/FOLDER mirrors src/FOLDER; tools/ has one folder of tests.
    local folder="${file#src/}"
    folder="${folder%%/*}"
    for name in "${programs[@]}"; do
        [ "$(sha "${program_of[$name]}")" = "${baseline_sha[$name]}" ] && continue
        case "$name" in
            *_"$folder") first+=("$name") ;;
            test_*) units+=("$name") ;;
            *) others+=("$name") ;;
        esac
    done
    programs=("${first[@]}" "${units[@]}" "${others[@]}")
    [ ${#programs[@]} -gt 0 ] || { printf 'equivalent\tthe same programs\n'; return; }
    for name in "${programs[@]}"; do
        failed="$(run_suite "$name" $((3 * suite_seconds[$name] + 60)))"
        [ -n "$failed" ] && { printf 'killed\t%s\n' "$failed"; return; }
    done
    printf 'survived\t\n'
}

markdown() { sed 's/|/\\|/g' <<<"$1"; }

# The line without the blanks around it.
trim() {
    local text="${1#"${1%%[! ]*}"}"
    echo "${text%"${text##*[! ]}"}"
}

echo "Copying the tree to $TREE..." >&2
"$ROOT/scripts/setup.sh" --install ninja-build >/dev/null || exit 1
sync_tree
list_faults >"$MUTANTS/faults"
if [ "$list" -eq 1 ]; then
    awk -F'\t' -v most="$per_file" '++count[$1] <= most { print $1 ":" $2 "\t" $3 }' "$MUTANTS/faults"
    exit 0
fi

echo "Building the suites in $BUILD..." >&2
if [ ! -f "$BUILD/CMakeCache.txt" ]; then
    cmake -S "$TREE" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release >"$MUTANTS/build.log" 2>&1 ||
        { cat "$MUTANTS/build.log" >&2; exit 1; }
fi
# New tests join the list as the build configures anew.
ninja -C "$BUILD" build.ninja >/dev/null || exit 1
declare -A program_of baseline_sha suite_seconds
suites=()
while IFS=$'\t' read -r name program; do
    suites+=("$name")
    program_of[$name]="$program"
done < <(list_suites)
[ ${#suites[@]} -gt 0 ] || { echo "no unit or gl suites in $BUILD" >&2; exit 1; }
targets=(run_folder)
for name in "${suites[@]}"; do
    targets+=("${program_of[$name]#"$BUILD/"}")
done
if ! ninja -C "$BUILD" -j "$jobs" "${targets[@]}" >"$MUTANTS/build.log" 2>&1; then
    tail -n 30 "$MUTANTS/build.log" >&2
    exit 1
fi

# Without a fault every suite passes, and its time sets its timeout. A suite
# whose program and run folder are what they were when it last passed here
# is not run again.
echo "Running the suites without a fault..." >&2
run_folder_sha="$(cd "$BUILD/run" && find . -type f -print0 | sort -z | xargs -0 sha256sum | sha256sum)"
for name in "${suites[@]}"; do
    baseline_sha[$name]="$(sha "${program_of[$name]}")"
    symbols "${program_of[$name]}" >"$MUTANTS/symbols/$name"
    stamp="${baseline_sha[$name]}:${run_folder_sha%% *}"
    passed="$(cat "$MUTANTS/passed/$name" 2>/dev/null)"
    if [ "${passed% *}" = "$stamp" ]; then
        suite_seconds[$name]="${passed##* }"
        continue
    fi
    start=$SECONDS
    failed="$(run_suite "$name" 1800)"
    if [ -n "$failed" ]; then
        echo "The suites fail without a fault ($failed); mend that first." >&2
        exit 1
    fi
    suite_seconds[$name]=$((SECONDS - start))
    echo "$stamp ${suite_seconds[$name]}" >"$MUTANTS/passed/$name"
done

# The recorded equivalent faults, without their reasons.
declare -A equivalent
if [ -f "$EQUIVALENT" ]; then
    while IFS= read -r line; do
        case "$line" in '#'* | '') continue ;; esac
        equivalent["${line% ## *}"]=1
    done <"$EQUIVALENT"
fi

{
    echo "Faults in the lines changed since $(git -C "$ROOT" log -1 --format='%h (%ad)' --date=short "$base"), at most $per_file a file"
    echo
    echo "| file:line | fault | result | by |"
    echo "|---|---|---|---|"
} | tee "$RESULTS"
made=0 killed=0 survived=0 same=0 listed=0 unbuilt=0
survivors=()
declare -A taken
while IFS=$'\t' read -r -u 3 file line fault text; do
    [ "${taken[$file]:-0}" -ge "$per_file" ] && continue
    if [ -z "${taken[$file]:-}" ]; then
        remember_objects "$file"
        taken[$file]=0
    fi
    original="$(sed -n "${line}p" "$TREE/$file")"
    key="$file: $(trim "$original") =>"
    [ -n "$(trim "$text")" ] && key+=" $(trim "$text")"
    if [ -n "${equivalent[$key]:-}" ]; then
        result="equivalent" by="scripts/mutants.equivalent"
    else
        cp "$TREE/$file" "$MUTANTS/original"
        faulty="$file"
        MUTANT_TEXT="$text" awk -v at="$line" \
            'NR == at { print ENVIRON["MUTANT_TEXT"]; next } { print }' \
            "$MUTANTS/original" >"$TREE/$file"
        IFS=$'\t' read -r result by < <(try_fault "$file" </dev/null)
        restore
    fi
    case "$result" in
        "not built") unbuilt=$((unbuilt + 1)); continue ;;
        killed) killed=$((killed + 1)) ;;
        survived) survived=$((survived + 1)); survivors+=("$key") ;;
        equivalent)
            if [ "$by" = "scripts/mutants.equivalent" ]; then
                listed=$((listed + 1))
            else
                same=$((same + 1))
            fi
            ;;
    esac
    taken[$file]=$((taken[$file] + 1))
    made=$((made + 1))
    echo "| $file:$line | $(markdown "$fault") | $result | $(markdown "$by") |" | tee -a "$RESULTS"
done 3<"$MUTANTS/faults"

{
    echo
    echo "$made faults made: $killed killed, $survived survived, $((same + listed)) equivalent" \
        "($listed recorded, $same with the same object code); $unbuilt more did not build"
    if [ ${#survivors[@]} -gt 0 ]; then
        echo
        echo "Survivors: kill each with a test, or record it in scripts/mutants.equivalent" \
            "with the reason after the ##:"
        printf '%s ## \n' "${survivors[@]}"
    fi
} | tee -a "$RESULTS"
[ "$survived" -eq 0 ]
