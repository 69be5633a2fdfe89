#!/usr/bin/env python3
"""Runs the app and the baseline with the probe plugin and prints the benchmark table.

Start-up is the time from just before the process is started to the swap of the first frame that
shows the configuration (the baseline: its first frame). The app also starts, interleaved with
those runs, as on a first start (the about page) and with no device (the connect screen, on the
platform's own HID backend), timed to their first frame. Run it under a display (scripts/bench
starts Xvfb).
"""
import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time


def run(exe, env, idle_ms=0, timeout=120):
    env = dict(env, VELQUIN_BENCH_IDLE_MS=str(idle_ms))
    start = time.monotonic_ns()
    proc = subprocess.run([exe, "-plugin", "velquinbench"], env=env, stdout=subprocess.DEVNULL,
                          stderr=subprocess.PIPE, timeout=timeout, text=True, check=False)
    result = {"threads": [], "log": proc.stderr}
    for line in proc.stderr.splitlines():
        if not line.startswith("velquin-bench: "):
            continue
        words = line.split()[1:]
        if words[0] == "first_frame":
            result["first_frame_ms"] = (int(words[1]) - start) / 1e6
        elif words[0] == "shown":
            result["startup_ms"] = (int(words[1]) - start) / 1e6
        elif words[0] == "peak_rss_kib":
            result["rss_mib"] = int(words[1]) / 1024
        elif words[0] == "idle":
            result["idle_ms"], result["frames"] = int(words[1]), int(words[3])
        elif words[0] == "thread":
            result["threads"].append({"early": words[2] == "1", "cpu_ms": float(words[3]),
                                      "switches": int(words[4]), "name": " ".join(words[5:])})
    if proc.returncode != 0 or "startup_ms" not in result:
        sys.exit(f"bench: {exe} failed (status {proc.returncode}):\n{proc.stderr}")
    return result


def idle_figures(result, hid_only=False):
    threads = [t for t in result["threads"] if t["early"] or not hid_only]
    seconds = result["idle_ms"] / 1000
    return (sum(t["cpu_ms"] for t in threads) / seconds,
            sum(t["switches"] for t in threads) / seconds, len(threads))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--app", required=True)
    parser.add_argument("--baseline", required=True)
    parser.add_argument("--plugins", required=True)
    parser.add_argument("--runs", type=int, default=11)
    parser.add_argument("--idle-ms", type=int, default=10000)
    args = parser.parse_args()

    config = tempfile.TemporaryDirectory()
    os.makedirs(os.path.join(config.name, "Tarvek"))

    # In English; a returning user sees the overview, a first start the about page. The app
    # stores first_run=false when it ends.
    def settings(first_run):
        with open(os.path.join(config.name, "Tarvek", "Velquin Plus.conf"), "w") as f:
            f.write(f"[General]\nfirst_run={str(first_run).lower()}\nlang=en\n")

    env = dict(os.environ, XDG_CONFIG_HOME=config.name, QT_PLUGIN_PATH=args.plugins,
               VELQUIN_SIMULATOR="1")
    first_env = dict(env, VELQUIN_BENCH_FIRST_FRAME="1")
    no_device_env = dict(first_env)
    del no_device_env["VELQUIN_SIMULATOR"]

    def run_first_start():
        settings(True)
        result = run(args.app, first_env)
        settings(False)
        return result

    app, base, first, no_device = [], [], [], []
    settings(False)
    # Warm the caches: every counted run starts warm.
    run(args.app, env), run(args.baseline, env), run_first_start(), run(args.app, no_device_env)
    for _ in range(args.runs):
        app.append(run(args.app, env))
        base.append(run(args.baseline, env))
        first.append(run_first_start())
        no_device.append(run(args.app, no_device_env))
    app_idle = run(args.app, env, args.idle_ms)
    base_idle = run(args.baseline, env, args.idle_ms)

    def median(results, key):
        return statistics.median(r[key] for r in results)

    rows = []
    a, b = median(app, "startup_ms"), median(base, "startup_ms")
    rows.append((f"start-up to configuration shown, median of {args.runs} (ms)", a, b))
    b = median(base, "first_frame_ms")
    rows.append((f"start-up to first frame, median of {args.runs} (ms)",
                 median(app, "first_frame_ms"), b))
    rows.append((f"the same, first start (about page), median of {args.runs} (ms)",
                 median(first, "first_frame_ms"), b))
    rows.append((f"the same, no device (connect screen), median of {args.runs} (ms)",
                 median(no_device, "first_frame_ms"), b))
    a, b = max(r["rss_mib"] for r in app + [app_idle]), max(r["rss_mib"] for r in base + [base_idle])
    rows.append(("peak resident memory (MiB)", a, b))
    app_cpu, app_wake, _ = idle_figures(app_idle)
    base_cpu, base_wake, _ = idle_figures(base_idle)
    rows.append((f"idle CPU, whole process, {args.idle_ms / 1000:.0f} s (ms/s)", app_cpu, base_cpu))
    rows.append(("idle wakeups, whole process (/s)", app_wake, base_wake))
    hid_cpu, hid_wake, hid_threads = idle_figures(app_idle, hid_only=True)

    print(f"| figure | app | baseline | app / baseline |")
    print(f"|---|---:|---:|---:|")
    for name, a, b in rows:
        ratio = f"{a / b:.2f}" if b else ("-" if not a else "inf")
        print(f"| {name} | {a:.1f} | {b:.1f} | {ratio} |")
    print(f"| idle CPU, HID layer's {hid_threads} threads (ms/s) | {hid_cpu:.1f} | - | - |")
    print(f"| idle wakeups, HID layer's threads (/s) | {hid_wake:.1f} | - | - |")
    print(f"| frames rendered while idle | {app_idle['frames']} | {base_idle['frames']} | - |")
    print()
    print("Start-up runs (ms), app:", " ".join(f"{r['startup_ms']:.0f}" for r in app))
    print("Start-up runs (ms), baseline:", " ".join(f"{r['startup_ms']:.0f}" for r in base))
    print("First frame runs (ms), first start:",
          " ".join(f"{r['first_frame_ms']:.0f}" for r in first))
    print("First frame runs (ms), no device:",
          " ".join(f"{r['first_frame_ms']:.0f}" for r in no_device))
    print("Idle threads of the app (cpu ms, wakeups, name; * = HID layer):")
    for t in sorted(app_idle["threads"], key=lambda t: -t["switches"]):
        if t["switches"] or t["cpu_ms"]:
            print(f"  {t['cpu_ms']:6.0f} {t['switches']:6d} {t['name']}{' *' if t['early'] else ''}")


if __name__ == "__main__":
    main()
