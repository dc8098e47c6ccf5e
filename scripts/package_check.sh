#!/usr/bin/env bash
# The release's check of the Debian package, as root (or with sudo): builds
# it with cpack from the Release build, lists it, runs lintian on it (every
# tag it still gives is explained in scripts/lintian.reasons), installs it
# with apt-get, starts the installed game from /tmp under Xvfb for 5 s, quits
# it with Escape (status 0 expected) and removes the package again. Takes
# minutes; not part of ./test.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="$ROOT/build"
REASONS="$ROOT/scripts/lintian.reasons"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

"$ROOT/scripts/setup.sh"
"$ROOT/scripts/setup.sh" --install lintian dpkg-dev fakeroot

echo "== building the package"
(cd "$BUILD" && rm -f cueflight_*.deb && cpack -G DEB >/dev/null)
deb="$(ls "$BUILD"/cueflight_*.deb)"
echo "$deb"

echo "== dpkg-deb -I"
dpkg-deb -I "$deb"
echo "== dpkg-deb -c (outside the data folder)"
dpkg-deb -c "$deb" | grep -v '/usr/share/cueflight/.' 
echo "   and $(dpkg-deb -c "$deb" | grep -c '/usr/share/cueflight/.') entries in /usr/share/cueflight/"

echo "== lintian"
tags="$(lintian --no-tag-display-limit "$deb" 2>&1 | sed -nE 's/^[EWIPX]: cueflight[^:]*: ([a-z0-9-]+).*/\1/p' | sort -u || true)"
unexplained=0
for tag in $tags; do
    reason="$(sed -n "s/^$tag: //p" "$REASONS")"
    if [ -n "$reason" ]; then
        printf '  %-40s %s\n' "$tag" "$reason"
    else
        printf '  %-40s UNEXPLAINED\n' "$tag"
        unexplained=$((unexplained + 1))
    fi
done
[ -n "$tags" ] || echo "  no tags"

echo "== installing"
if dpkg-query -W -f='${Status}' cueflight 2>/dev/null | grep -q "install ok installed"; then
    echo "cueflight is installed already; this check installs and removes its own" >&2
    exit 1
fi
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null
trap '$SUDO env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq cueflight >/dev/null' EXIT
command -v cueflight
cueflight --version

echo "== playing the installed game from /tmp for 5 s"
home="$(mktemp -d)"
status=0
(
    cd /tmp
    HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_CACHE_HOME="$home/.cache" \
    XDG_DATA_HOME="$home/.local/share" ALSOFT_DRIVERS=null \
    MESA_GL_VERSION_OVERRIDE=3.2 MESA_GLSL_VERSION_OVERRIDE=150 \
    GLIBC_TUNABLES=glibc.malloc.mmap_threshold=67108864:glibc.malloc.trim_threshold=1073741824 \
    xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
        cueflight >"$0/stdout.txt" 2>"$0/stderr.txt" & pid=$!
        for _ in $(seq 600); do grep -q "^rec size" "$0/stdout.txt" 2>/dev/null && break; sleep 0.1; done
        sleep 5
        window="$(xdotool search --pid "$pid" | head -n 1)"
        xdotool keydown --window "$window" Escape 2>/dev/null; sleep 0.2
        xdotool keyup --window "$window" Escape 2>/dev/null
        wait "$pid"' "$home"
) || status=$?
echo "exit status $status; $(wc -l <"$home/stdout.txt") lines on stdout, $(wc -l <"$home/stderr.txt") on stderr"
rm -rf "$home"

echo "== removing"
trap - EXIT
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq cueflight >/dev/null
[ ! -e /usr/bin/cueflight ] && [ ! -e /usr/share/cueflight ] || { echo "files left behind" >&2; exit 1; }
echo "removed cleanly"
[ "$status" -eq 0 ] && [ "$unexplained" -eq 0 ]
