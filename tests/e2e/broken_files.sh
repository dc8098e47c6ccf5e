#!/usr/bin/env bash
# One broken file of each kind the game reads, each with a different fault:
# the game starts, runs, ends cleanly on Escape and names the file in its
# error lines. scripts/broken_run_folder.sh plays every file with every
# fault on the sanitized game.
set -u
source "$(dirname "$0")/lib/game.bash"
source "$(dirname "$0")/lib/broken_run.bash"

RUN_DIR="$1"
# Long enough for the first frames of every pass; the full matrix plays 5 s.
RUN_SECONDS=2
failed=0
while read -r file fault; do
    broken_case "$RUN_DIR" "$file" "$fault" || failed=1
done <<'CASES'
config.cfg random
rec2.cfg half
Sound/stab0041.wav random
Models/ani_sphere_2.obj half
Sprites/sphere_rusty.tga half
Shaders/150/light.frag empty
Scenes/testscene.scene random
Sprites/fonts.tga missing
CASES
exit "$failed"
