#!/usr/bin/env python3
"""Times varko-lsp on the generated benchmark mod (bench/gen_mod.py, 5,000 ODF files).

    bench/lsp_bench.py [--build DIR] [--mod DIR] [--runs N]

Measures, each over N runs (the median and the best are printed):
  - initialize to the first diagnostics of an opened file;
  - the server's resident memory (VmRSS and its peak, VmHWM) after that and after varko.checkMod;
  - varko.checkMod beside varko-check over the same addon directory, alternating in one run;
  - a change to a 100,000-line document to its new diagnostics (the 200 ms debounce included);
  - completion and hover on an ODF file of the mod.
Without --build, the Release tree build-bench/ is configured and built (only the two programs).
"""

import argparse
import os
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from lsp_client import LspClient  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def memory_kb(pid):
    values = {}
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            key, _, rest = line.partition(":")
            if key in ("VmRSS", "VmHWM"):
                values[key] = int(rest.split()[0])
    return values


def start(server, mod):
    client = LspClient([server, "--stdio"])
    began = time.perf_counter()
    client.initialize(mod, {"addonDirs": ["addon"], "sodDirs": ["sod"], "appDir": "app"})
    return client, began


def first_diagnostics(server, mod, name):
    client, began = start(server, mod)
    path = os.path.join(mod, "addon", name)
    with open(path, encoding="latin-1") as f:
        uri = client.open(path, f.read())
    client.diagnostics(uri)
    return client, time.perf_counter() - began


def timed(action):
    began = time.perf_counter()
    action()
    return time.perf_counter() - began


def check_mod(client):
    client.response(client.request("workspace/executeCommand", {"command": "varko.checkMod", "arguments": []}),
                    timeout=600)


def quiet_document(mod, lines=100_000):
    """100,000 lines: every twentieth sets a numbered member of the declarations' "?" families (a
    name is never repeated), the others are comments; 1 in 100 values is not a valid integer."""
    values = {"int": "{}", "real": "{}.5", "string": '"text {}"'}
    names = []
    with open(os.path.join(mod, "app", "declarations.txt"), encoding="latin-1") as f:
        for line in f:
            name, _, kind = line.strip().partition("=")
            if name.endswith("?") and kind in values:
                names.extend((f"{name[:-1]}{n}", kind) for n in range(100))
    text = []
    for i in range(lines):
        if i % 20 or i // 20 >= len(names):
            text.append(f"// note {i}: the values below were tuned in round {i % 7}")
            continue
        name, kind = names[i // 20]
        text.append(f"{name} = " + (f"{i}x" if kind == "int" and i % 100 == 0 else values[kind].format(i)))
    return "\r\n".join(text) + "\r\n"


def faulty_document(mod, lines=100_000):
    """The mod's first files, repeated up to 100,000 lines: nearly every line repeats a property."""
    text = []
    for name in sorted(os.listdir(os.path.join(mod, "addon")))[:50]:
        with open(os.path.join(mod, "addon", name), encoding="latin-1") as f:
            text.extend(f.read().splitlines())
    return "\r\n".join((text * (lines // len(text) + 1))[:lines]) + "\r\n"


def change_latency(client, mod, name, text, runs):
    path = os.path.join(mod, "addon", name)
    uri = client.open(path, text)
    client.diagnostics(uri, timeout=120)
    times = []
    for version in range(2, runs + 2):
        edit = {"range": {"start": {"line": 10, "character": 0}, "end": {"line": 10, "character": 0}},
                "text": f"bogus{version} = 1\r\n"}
        began = time.perf_counter()
        client.notify("textDocument/didChange", {"textDocument": {"uri": uri, "version": version},
                                                 "contentChanges": [edit]})
        client.wait_for(lambda m: m.get("method") == "textDocument/publishDiagnostics"
                        and m["params"]["uri"] == uri and m["params"].get("version") == version)
        times.append(time.perf_counter() - began)
    return times


def request_latency(client, uri, method, position, runs):
    times = []
    for _ in range(runs):
        began = time.perf_counter()
        client.response(client.request(method, {"textDocument": {"uri": uri}, "position": position}))
        times.append(time.perf_counter() - began)
    return times


def show(label, times, unit="ms"):
    scale = 1000 if unit == "ms" else 1
    print(f"{label}: median {statistics.median(times) * scale:.1f} {unit}, best {min(times) * scale:.1f} {unit}"
          f" ({len(times)} runs)")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default=None)
    parser.add_argument("--mod", default=os.path.join(ROOT, "bench/out/mod-layered"))
    parser.add_argument("--runs", type=int, default=5)
    args = parser.parse_args()
    build = args.build
    if build is None:
        build = os.path.join(ROOT, "build-bench")
        subprocess.run(["cmake", "-S", ROOT, "-B", build, "-DCMAKE_BUILD_TYPE=Release", "-DVARKO_BUILD_GUI=OFF",
                        "-DVARKO_BUILD_TESTS=OFF"], check=True, stdout=subprocess.DEVNULL)
        subprocess.run(["cmake", "--build", build, "--target", "varko-lsp", "varko-check", "-j2"], check=True,
                       stdout=subprocess.DEVNULL)
    server, check = os.path.join(build, "bin/varko-lsp"), os.path.join(build, "bin/varko-check")
    mod = os.path.abspath(args.mod)
    if not os.path.isdir(mod):
        subprocess.run([sys.executable, os.path.join(ROOT, "bench/gen_mod.py"), mod, "--seed", "1", "--circles", "20",
                        "--bases", "100"], check=True, stdout=subprocess.DEVNULL)
    print(f"varko-lsp on {mod}, load {os.getloadavg()[0]:.2f}")

    first, servers = [], []
    for _ in range(args.runs):
        client, seconds = first_diagnostics(server, mod, "o01000.odf")
        first.append(seconds)
        servers.append(client)
    show("initialize -> first diagnostics", first)
    client = servers.pop()
    for other in servers:
        other.close()
    print(f"memory after the first diagnostics: {memory_kb(client.proc.pid)}")

    lsp_times, cli_times = [], []
    command = [check, "--appdir", os.path.join(mod, "app"), "--addon", os.path.join(mod, "addon"),
               "--sod", os.path.join(mod, "sod"), os.path.join(mod, "addon")]
    for _ in range(args.runs):
        lsp_times.append(timed(lambda: check_mod(client)))
        cli_times.append(timed(lambda: subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)))
    show("varko.checkMod", lsp_times, "s")
    show("varko-check over the same files", cli_times, "s")
    print(f"ratio of the medians: {statistics.median(lsp_times) / statistics.median(cli_times):.2f}")
    print(f"memory after varko.checkMod: {memory_kb(client.proc.pid)}")

    for name, make in (("zz_quiet.odf", quiet_document), ("zz_faulty.odf", faulty_document)):
        text = make(mod)
        times = change_latency(client, mod, name, text, args.runs * 2)
        show(f"change to {name} (100,000 lines) -> new diagnostics", times)
        print(f"memory with it open: {memory_kb(client.proc.pid)}")
        client.notify("textDocument/didClose", {"textDocument": {"uri": "file://" + os.path.join(mod, "addon", name)}})
    path = os.path.join(mod, "addon", "o01001.odf")
    with open(path, encoding="latin-1") as f:
        uri = client.open(path, "unitN\r\n" + f.read())
    client.diagnostics(uri)
    show("completion", request_latency(client, uri, "textDocument/completion", {"line": 0, "character": 5}, 50))
    show("hover", request_latency(client, uri, "textDocument/hover", {"line": 1, "character": 2}, 50))
    print(f"memory at the end: {memory_kb(client.proc.pid)}")
    client.close()


if __name__ == "__main__":
    main()
