#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan, runs every test there, then walks the windowed show through a
# few seconds of each scene; any sanitizer report fails the script.
#
# Leaks are not looked for here: the show keeps its effects and several
# textures until the process ends, on purpose. tests/leak-check.sh looks at
# what the close-early path leaves.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-asan

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRIMVALE_SANITIZE=ON -DBRIMVALE_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"

# The sanitizers' own exit codes differ from the show's 1; the options travel
# to the programs the tests start.
export ASAN_OPTIONS="detect_leaks=0:exitcode=23:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:exitcode=24"

# The end-to-end runs play the whole show twice over; under the sanitizers
# they would take minutes, and .ci/run plays them in the plain build.
ctest --test-dir "$build" --output-on-failure -j"$(nproc)" -LE end-to-end --timeout 900

log="$build/show-walk.log"
status=0
SDL_VIDEODRIVER=offscreen "$build/tests/show-walk" 3 >"$log" 2>&1 || status=$?
if [ "$status" -ne 1 ] || [ -s "$log" ]; then
    echo "show walk: exit status $status (the show's end gives 1), output:" >&2
    cat "$log" >&2
    exit 1
fi
echo "show walk: every scene played under the sanitizers, no report"
