#!/usr/bin/env bash
# The close-early path under LeakSanitizer: the windowed program (sanitizer
# build, build-asan) plays on Xvfb through every scene, 40 s into the last
# one, and is closed through the window system. Fails if anything the
# program allocated is lost, apart from what tests/leak-suppressions.txt
# names. Then lists, by allocation site, what stays held until exit through
# the program's globals (effects, the scenes and their textures and vertex
# arrays, which the program never releases on purpose).
#
#   bash tests/leak-check.sh          (builds build-asan if needed)
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-asan
if [ ! -x "$build/brimvale-windowed" ] || [ ! -x "$build/tests/close-window" ]; then
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRIMVALE_SANITIZE=ON -DBRIMVALE_BENCH=OFF >/dev/null
    cmake --build "$build" -j"$(nproc)" --target brimvale-windowed close-window
fi
out="$build/leak-check"
mkdir -p "$out"

# One close-early run; $1 names it, $2 adds LeakSanitizer options.
run() {
    xvfb-run -a -n 160 -s "-screen 0 1280x1024x24" bash -c '
        ASAN_OPTIONS="detect_leaks=1:exitcode=23" LSAN_OPTIONS="$2" SDL_VIDEODRIVER=x11 \
            "$0/brimvale-windowed" 2>"$1.stderr" &
        program=$!
        ASAN_OPTIONS=detect_leaks=0 "$0/tests/close-window" "$program" 40
        status=0; wait "$program" || status=$?
        echo "$status" >"$1.status"' "$build" "$out/$1" "$2"
}

run lost "suppressions=$PWD/tests/leak-suppressions.txt:print_suppressions=0"
status=$(cat "$out/lost.status")
if [ "$status" != 0 ]; then
    echo "close-early run: exit status $status; LeakSanitizer says:" >&2
    cat "$out/lost.stderr" >&2
    exit 1
fi
echo "close-early run: exit status 0, nothing lost beyond tests/leak-suppressions.txt"

# Without the globals as roots, everything they hold shows up as a leak.
run held "use_globals=0:suppressions=$PWD/tests/leak-suppressions.txt:print_suppressions=0"
python3 - "$out/held.stderr" "$PWD/" <<'PY'
import collections, re, sys
text, root = open(sys.argv[1]).read(), sys.argv[2]
sites, objects = collections.Counter(), collections.Counter()
for block in text.split("\n\n"):
    m = re.search(r"(?:Direct|Indirect) leak of (\d+) byte\(s\) in (\d+) object", block)
    if not m:
        continue
    frames = re.findall(r"#\d+ 0x[0-9a-f]+ in .+? (\S+:\d+)", block)
    ours = [f[len(root):] for f in frames if f.startswith(root)]
    # The allocation site in our code, and the first frame outside the layer
    # that asked for it (the scene or shell code that owns the object).
    owner = next((f for f in ours if not f.startswith("platform/")), "")
    site = (ours[0] if ours else "(libraries)") + ("  <- " + owner if owner and owner != ours[0] else "")
    sites[site] += int(m.group(1))
    objects[site] += int(m.group(2))
total = sum(sites.values())
print(f"held until exit through the globals: {total / 2**20:.1f} MiB in {sum(objects.values())} blocks; largest sites:")
for site, size in sites.most_common(20):
    print(f"  {size / 1024:>10.1f} KiB {objects[site]:>6}  {site}")
PY
