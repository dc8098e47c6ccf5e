# Shared by scripts/broken_run_folder.sh and scripts/long_play.sh: the display,
# the test environment, and the game built with AddressSanitizer and UBSan.
# scripts/mutants.sh takes the display from here too.

# Software rendering as the tests use it; no sound card needed.
export MESA_GL_VERSION_OVERRIDE=3.2 MESA_GLSL_VERSION_OVERRIDE=150 ALSOFT_DRIVERS=null
export GLIBC_TUNABLES="${GLIBC_TUNABLES:-glibc.malloc.mmap_threshold=67108864:glibc.malloc.trim_threshold=1073741824}"

# Runs the calling script again under Xvfb when there is no display.
ensure_display() {
    if [ -z "${DISPLAY:-}" ]; then
        exec xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
    fi
}

# Builds the Release game with its run folder in build/ (the game alone, not
# the tests: a long play need not wait for them) and prints the run folder.
build_release_game() {
    local root="$1" build="$1/build"
    "$root/scripts/setup.sh" --install >/dev/null
    if [ ! -f "$build/CMakeCache.txt" ]; then
        cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
    fi
    cmake --build "$build" --target cueflight -j "$(nproc)" >/dev/null
    echo "$build/run"
}

# Builds the sanitized game with its run folder in build/sanitize-game and
# prints the run folder. The generators of the assets run sanitized too.
build_sanitized_game() {
    local root="$1" build="$1/build/sanitize-game"
    "$root/scripts/setup.sh" --install >/dev/null
    if [ ! -f "$build/CMakeCache.txt" ]; then
        cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
            -DCUEFLIGHT_SANITIZE_GAME=ON >/dev/null
    fi
    cmake --build "$build" --target cueflight -j "$(nproc)" >/dev/null
    echo "$build/run"
}

# Leak checking at exit, with the leaks of libraries below us suppressed
# (each suppression says why) and every library kept loaded until exit (see
# keep_libraries_loaded.c). Reports go where the caller's ASAN_OPTIONS
# log_path says. The preload reaches the game alone: start_game applies
# GAME_PRELOAD, so xdotool and the shell stay uninstrumented.
sanitizer_environment() {
    local root="$1" keeper="$1/build/sanitize-game/keep_libraries_loaded.so"
    cc -shared -fPIC -O2 -o "$keeper" "$root/scripts/lib/keep_libraries_loaded.c"
    # The sanitizer's runtime must come first among the loaded libraries.
    local runtime
    runtime="$(ldd "$root/build/sanitize-game/run/cueflight" | awk '/libasan/ { print $3 }')"
    GAME_PRELOAD="$runtime:$keeper"
    export LSAN_OPTIONS="suppressions=$root/scripts/sanitizer_leaks.supp:print_suppressions=0"
    export ASAN_OPTIONS="detect_leaks=1:${ASAN_OPTIONS:-}"
}
