#!/usr/bin/env bash
# Installed like any Linux game: `cmake --install` into a throw-away prefix
# puts the programs, the game's files and what the desktop reads where they
# belong, and the game started by name from a folder of no meaning finds its
# files beside its binary, shows its first frame and ends with status 0 on
# Escape, writing nothing where it was started.
set -u
source "$(dirname "$0")/lib/game.bash"

RUN_DIR="$1"
BUILD_DIR="$(cd "$RUN_DIR/.." && pwd)"
APP_ID=org.cueflight.cueflight
[ -n "${DISPLAY:-}" ] || fail "no DISPLAY: run the tests through ./test"
PREFIX="$(mktemp -d)"
GAME_DIR="$(mktemp -d)"
trap 'cleanup; rm -rf "$PREFIX"' EXIT
trap 'exit 1' INT TERM
use_fresh_player_home

cmake --install "$BUILD_DIR" --prefix "$PREFIX" >"$GAME_DIR/install.txt" 2>&1 \
    || fail "cmake --install failed: $(tail -n 5 "$GAME_DIR/install.txt")"

for file in bin/cueflight bin/cueflight-chart bin/cueflight-scores \
    share/cueflight/config.cfg share/cueflight/rec2.cfg share/cueflight/Scenes/testscene.scene \
    share/cueflight/Sound/nooneknows.mp3 share/cueflight/Sprites/fonts.tga \
    share/cueflight/Shaders/150/light.frag share/cueflight/Models/ani_sphere.obj \
    "share/applications/$APP_ID.desktop" "share/metainfo/$APP_ID.metainfo.xml" \
    share/icons/hicolor/48x48/apps/$APP_ID.png share/icons/hicolor/128x128/apps/$APP_ID.png \
    share/icons/hicolor/256x256/apps/$APP_ID.png \
    share/man/man6/cueflight.6.gz share/man/man6/cueflight-chart.6.gz \
    share/man/man6/cueflight-scores.6.gz share/doc/cueflight/copyright; do
    [ -s "$PREFIX/$file" ] || fail "not installed: $file"
done
# The data folder is the run folder but its programs; nothing else comes along.
not_programs=()
for program in cueflight cueflight-chart cueflight-scores; do
    [ ! -e "$PREFIX/share/cueflight/$program" ] || fail "$program in the data folder"
    not_programs+=(! -name "$program")
done
[ "$(cd "$PREFIX/share/cueflight" && find . -type f | sort)" = \
    "$(cd "$RUN_DIR" && find . -type f "${not_programs[@]}" | sort)" ] \
    || fail "the data folder differs from the run folder"
for size in 48 128 256; do
    [ "$(identify -format %wx%h "$PREFIX/share/icons/hicolor/${size}x$size/apps/$APP_ID.png")" = \
        "${size}x$size" ] || fail "the ${size} px icon has another size"
done

desktop-file-validate "$PREFIX/share/applications/$APP_ID.desktop" || fail "desktop entry"
appstreamcli validate --no-net --pedantic "$PREFIX/share/metainfo/$APP_ID.metainfo.xml" \
    >"$GAME_DIR/appstream.txt" 2>&1 || fail "metainfo: $(cat "$GAME_DIR/appstream.txt")"
for page in cueflight cueflight-chart cueflight-scores; do
    warnings="$(MANWIDTH=80 man --warnings -l "$PREFIX/share/man/man6/$page.6.gz" 2>&1 >/dev/null)"
    [ -z "$warnings" ] || fail "man page $page: $warnings"
    MANWIDTH=80 man -l "$PREFIX/share/man/man6/$page.6.gz" 2>/dev/null | grep -q "^SYNOPSIS" \
        || fail "man page $page does not render"
done

export PATH="$PREFIX/bin:$PATH"
cd "$GAME_DIR" || fail "no working folder"
cueflight --version | grep -qE '^cueflight [0-9]+\.[0-9]+\.[0-9]+( \(git .+\))?$' \
    || fail "--version: $(cueflight --version)"
cueflight --help | grep -qF "read over the defaults in $PREFIX/share/cueflight/config.cfg" \
    || fail "--help does not name the installed defaults"
status=0
cueflight --no-such-option >/dev/null 2>"$GAME_DIR/option.txt" || status=$?
[ "$status" -eq 2 ] && [ "$(wc -l <"$GAME_DIR/option.txt")" -eq 1 ] \
    || fail "an unknown option gave status $status and: $(cat "$GAME_DIR/option.txt")"

# A small window: this is about finding the files, not the picture's detail.
mkdir -p "$XDG_CONFIG_HOME/cueflight"
printf 'window_width=320\nwindow_height=240\n' >"$XDG_CONFIG_HOME/cueflight/config.cfg"
before="$(ls -A "$GAME_DIR")"
(exec {TEST_STDERR}>&- && exec cueflight >stdout.txt 2>stderr.txt) &
GAME_PID=$!
find_window
expect_line stdout.txt "rec size 256"
geometry="$(xdotool getwindowgeometry "$GAME_WINDOW")"
grep -q "Geometry: 320x240" <<<"$geometry" || fail "the player's settings were not read: $geometry"
# The first frame: the picture holds the scene, not one cleared colour.
sleep 3
import -window "$GAME_WINDOW" "$PREFIX/frame.png" 2>/dev/null || fail "no screenshot"
colours="$(identify -format %k "$PREFIX/frame.png")"
[ "$colours" -gt 50 ] || fail "the first frame has only $colours colours"
press Escape
expect_exit -eq 0
[ ! -s stderr.txt ] || fail "the installed game wrote to the error stream"
[ "$(ls -A "$GAME_DIR" | grep -vxF -e stdout.txt -e stderr.txt)" = "$before" ] \
    || fail "the game wrote into the folder it was started in"
echo "installed game: files in place, started from $GAME_DIR, first frame with $colours colours"
