#!/usr/bin/env python3
"""Time varko-check's report formats and baselines over the synthetic mod.

    bench/cli_formats.py [--runs N]

Builds build-bench/ (Release, no GUI), generates bench/out/mod once (bench/gen_mod.py, seed 1),
then times, round after round so that a change in the machine's load touches every variant alike:

    text, json, gcc, github, sarif       the whole mod in each format
    baseline, 20,000 stale entries       --baseline with 20,000 entries of which none matches
                                         (every finding is still reported: the worst case)
    baseline, all matched                --baseline holding every finding, padded to 20,000 entries

and prints the median wall and CPU time (user + system) of each and its cost over the text format.
"""

import argparse
import json
import os
import statistics
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
MOD = "bench/out/mod"
EXE = "build-bench/bin/varko-check"
BASELINE_SIZE = 20000


def run(args, check=True):
    return subprocess.run(args, cwd=ROOT, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=check)


def prepare():
    run(["cmake", "-S", ".", "-B", "build-bench", "-DCMAKE_BUILD_TYPE=Release", "-DVARKO_BUILD_GUI=OFF",
         "-DVARKO_BUILD_TESTS=OFF"])
    run(["cmake", "--build", "build-bench", "-j2", "--target", "varko-check"])
    if not os.path.isdir(os.path.join(ROOT, MOD)):
        run([sys.executable, "bench/gen_mod.py", MOD, "--seed", "1"])


def filler(count, start):
    return [{"path": f"{MOD}/addon/gone_{i:05d}.odf", "code": "M1", "line_text": f"stale = {i}"}
            for i in range(start, start + count)]


def write_baseline(name, findings):
    findings.sort(key=lambda f: (f["path"], f["code"], f["line_text"]))
    with open(os.path.join(ROOT, "bench/out", name), "w", encoding="utf-8") as out:
        json.dump({"version": 1, "tool": "varko-check", "findings": findings}, out, indent=2)


def make_baselines():
    written = os.path.join(ROOT, "bench/out/written.json")
    run([EXE, "--appdir", f"{MOD}/app", "--write-baseline", written, f"{MOD}/addon"])
    with open(written, encoding="utf-8") as f:
        current = json.load(f)["findings"]
    write_baseline("stale.json", filler(BASELINE_SIZE, 0))
    write_baseline("matched.json", current + filler(BASELINE_SIZE - len(current), 0))
    return len(current)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=7)
    runs = parser.parse_args().runs
    prepare()
    found = make_baselines()
    base = [EXE, "--appdir", f"{MOD}/app"]
    variants = {f: base + ["--format", f] for f in ("text", "json", "gcc", "github", "sarif")}
    variants["baseline, 20,000 stale entries"] = base + ["--baseline", "bench/out/stale.json"]
    variants["baseline, all matched"] = base + ["--baseline", "bench/out/matched.json"]
    wall = {name: [] for name in variants}
    cpu = {name: [] for name in variants}
    for _ in range(runs):
        for name, args in variants.items():
            before = os.times()
            start = time.perf_counter()
            run(args + [f"{MOD}/addon"], check=False)
            wall[name].append(time.perf_counter() - start)
            after = os.times()
            cpu[name].append(after.children_user + after.children_system - before.children_user -
                             before.children_system)
    text_wall, text_cpu = statistics.median(wall["text"]), statistics.median(cpu["text"])
    print(f"varko-check over {MOD}/addon ({found} findings), median of {runs} runs, load {os.getloadavg()[0]:.1f}")
    print("| Variant | Wall | Over text | CPU (user + sys) | Over text |\n|---|---|---|---|---|")
    for name in variants:
        w, c = statistics.median(wall[name]), statistics.median(cpu[name])
        print(f"| {name} | {w:.3f} s | {100 * (w / text_wall - 1):+.1f}% | {c:.3f} s | {100 * (c / text_cpu - 1):+.1f}% |")


if __name__ == "__main__":
    main()
