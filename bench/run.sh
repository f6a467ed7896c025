#!/usr/bin/env bash
# Builds the benchmarks in Release and measures the show on this machine:
# start-up, frame times per scene in both configurations, each with the
# layer's shared-vertex draws and with plain draws, OpenGL calls and
# uploads per frame, the main thread's time outside the driver, peak memory,
# and the bare OpenGL field as the limit. Prints a table and writes the same
# figures to <build dir>/bench.json (bench-xvfb.json with --xvfb).
#
#   bash bench/run.sh [frames per scene] [--xvfb]     (build dir: build-bench, or $BUILD_DIR)
#
# By default everything runs on SDL's offscreen driver, whose full-screen
# window is a fixed 1024 x 768 desktop (frames are scaled into it). With
# --xvfb it runs on an Xvfb screen of 1280 x 1024 instead, as a real run
# would: windows of the true size, and the X server's buffer copies.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build-bench}"
frames="${1:-300}"
run=(env SDL_VIDEODRIVER=offscreen)
name=bench
if [ "${2:-}" = "--xvfb" ]; then
    run=(xvfb-run -a -n 190 -s "-screen 0 1280x1024x24" env SDL_VIDEODRIVER=x11)
    name=bench-xvfb
fi

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBRIMVALE_BENCH=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target bench-show-windowed bench-show-fullscreen bench-bare-field >/dev/null

out="$build/$name-runs"
mkdir -p "$out"
# The bare program runs before and after the show, so that a change in the
# machine's load shows up as a spread between its two runs.
"${run[@]}" "$build/bench/bench-bare-field" "$frames" >"$out/bare-1.json"
"${run[@]}" "$build/bench/bench-show-windowed" "$frames" --plain-draws >"$out/windowed-plain.json"
"${run[@]}" "$build/bench/bench-show-windowed" "$frames" >"$out/windowed.json"
"${run[@]}" "$build/bench/bench-show-fullscreen" "$frames" --plain-draws >"$out/fullscreen-plain.json"
"${run[@]}" "$build/bench/bench-show-fullscreen" "$frames" >"$out/fullscreen.json"
"${run[@]}" "$build/bench/bench-bare-field" "$frames" >"$out/bare-2.json"

python3 - "$out" "$build/$name.json" "${run[*]}" <<'EOF'
import json, os, sys
out, target, how = sys.argv[1], sys.argv[2], sys.argv[3]
load = lambda name: json.load(open(os.path.join(out, name)))
bare = [load("bare-1.json"), load("bare-2.json")]
shows = {"800x600": load("windowed.json"), "1280x1024": load("fullscreen.json")}
plain = {"800x600": load("windowed-plain.json"), "1280x1024": load("fullscreen-plain.json")}
programs = {"800x600": "brimvale-windowed", "1280x1024": "brimvale"}

result = {"run_with": how, "renderer": shows["800x600"]["renderer"], "cores": shows["800x600"]["cores"],
          "load_average": os.getloadavg(), "configurations": {}}
print(f"run with: {how}")
print(f"renderer: {result['renderer']}, {result['cores']} cores, "
      f"load average {result['load_average'][0]:.1f} at the end")
for config, show in shows.items():
    bare_ms = [b[config]["frame_ms"]["median"] for b in bare]
    bare_median = sum(bare_ms) / len(bare_ms)
    entry = {"program": programs[config], "samples": show["samples"], "startup_s": show["startup_s"],
             "plain_startup_s": plain[config]["startup_s"], "peak_rss_mib": show["peak_rss_mib"],
             "plain_peak_rss_mib": plain[config]["peak_rss_mib"], "bare_field_ms": bare_ms, "scenes": []}
    print(f"\n{programs[config]} ({config}, {show['samples']} sample(s)): bare field {bare_ms[0]:.1f} / "
          f"{bare_ms[1]:.1f} ms")
    for how, run in (("shared", show), ("plain", plain[config])):
        steps = run["startup_s"]["steps_median"]
        print(f"  {how}: start-up to first frame {run['startup_s']['median']:.3f} s (median of "
              f"{len(run['startup_s']['runs'])}), peak RSS {run['peak_rss_mib']:.0f} MiB; steps (median s): "
              + ", ".join(f"{name} {value:.3f}" for name, value in steps.items()))
    if show.get("window") != config:
        print(f"  the window is {show.get('window')}: each frame is scaled into it (the bare field does the same)")
    print(f"{'scene':<11}{'draws':>7}{'median ms':>10}{'p95 ms':>9}{'fps':>7}{'fps/bare':>9}{'cpu ms':>8}"
          f"{'GL calls':>9}{'upload B':>9}{'in GL ms':>9}{'outside':>9}{'share':>8}")
    for how, run in (("plain", plain[config]), ("shared", show)):
        for scene in run["scenes"]:
            median = scene["frame_ms"]["median"]
            share = scene["outside_driver_ms"] / median
            ratio = median / bare_median if scene["name"] == "Conformity" else None
            row = dict(scene, draws=how, fps=1000.0 / median, outside_driver_share=share, over_bare=ratio,
                       fps_over_bare=1 / ratio if ratio else None)
            entry["scenes"].append(row)
            print(f"{scene['name']:<11}{how:>7}{median:>10.2f}{scene['frame_ms']['p95']:>9.2f}{1000.0 / median:>7.1f}"
                  f"{(f'{1 / ratio:.2f}' if ratio else '-'):>9}{scene['main_thread_cpu_ms']:>8.2f}"
                  f"{scene['gl_calls']:>9.0f}{scene['upload_bytes']:>9.0f}{scene['in_gl_calls_ms']:>9.2f}"
                  f"{scene['outside_driver_ms']:>9.3f}{share * 100:>7.2f}%")
    result["configurations"][config] = entry
vertex_ms = [b["vertex_stage_only"]["frame_ms"]["median"] for b in bare]
result["bare_vertex_stage_only_ms"] = vertex_ms
print(f"\nbare field with rasterizer discard (vertex stage alone, 800x600): {vertex_ms[0]:.1f} / {vertex_ms[1]:.1f} ms")
json.dump(result, open(target, "w"), indent=2)
print("\n'fps/bare' is the frame rate over the bare field's, which draws Conformity's field plainly.")
print(f"'outside' is the main thread's time in Update and Render outside GL calls and the buffer swap:\n"
      f"the layer's own work plus the scene code (an upper bound on the layer's). Figures: {target}")
EOF
