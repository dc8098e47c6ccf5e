#!/usr/bin/env bash
# Every .obj of Debian's assimp-testmodels (models from many exporters, some
# broken on purpose) read by our reader and by tinyobjloader; prints a table
# with one row per file. Installs the package when it is missing. Not part of
# ./test. Each file is read under a time limit, so a hang shows as a row too.
#
#   tests/outside_files/obj_compare.sh [FILE.obj...]
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
"$ROOT/scripts/setup.sh" --install assimp-testmodels
"$ROOT/scripts/setup.sh" >/dev/null
cmake --build "$ROOT/build" --target obj_compare -j "$(nproc)" >/dev/null

if [ $# -eq 0 ]; then
    mapfile -t files < <(dpkg -L assimp-testmodels | grep -i '\.obj$' | sort)
else
    files=("$@")
fi
first=1
failed=0
for file in "${files[@]}"; do
    [ -f "$file" ] || continue
    status=0
    row="$(timeout 10 "$ROOT/build/obj_compare" "$file")" || status=$?
    if [ "$status" -ne 0 ] && [ "$status" -ne 1 ]; then
        echo "| $file | - | - | crashed or hung (status $status) | |"
        failed=1
        continue
    fi
    # The header once, then the file's row.
    if [ "$first" -eq 1 ]; then
        head -n 2 <<<"$row"
        first=0
    fi
    tail -n +3 <<<"$row"
done
exit "$failed"
