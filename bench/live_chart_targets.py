#!/usr/bin/env python3
"""Measures the live chart's and the runner's targets in one go and prints them as a table.

Usage: bench/live_chart_targets.py BUILD_DIR

Every figure is processor time (user + system) unless it says otherwise, measured beside its
yardstick in the same invocation: the Start run with the chart shown beside the same run hidden,
the 3D paint beside QCustomPlot's flat paint. Long runs go in processes of their own, so that
each peak resident memory is the run's.
"""
import json
import os
import statistics
import subprocess
import sys

ENV = dict(os.environ, QT_QPA_PLATFORM="offscreen", QT_FONT_DPI="120", QT_ENABLE_HIGHDPI_SCALING="0")
ENV.pop("KELVARO_PAINT_EVERY_GENERATION", None)


def bench(binary, pattern, repetitions=1):
    """Runs the benchmarks matching pattern; returns {name: entry} (medians when repeated)."""
    args = [binary, f"--benchmark_filter={pattern}", "--benchmark_format=json"]
    if repetitions > 1:
        args += [f"--benchmark_repetitions={repetitions}", "--benchmark_report_aggregates_only=true"]
    out = subprocess.run(args, env=ENV, check=True, capture_output=True, text=True).stdout
    result = {}
    for entry in json.loads(out)["benchmarks"]:
        if repetitions > 1 and entry.get("aggregate_name") != "median":
            continue
        result[entry["run_name"]] = entry
    return result


def ms(entry):
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[entry["time_unit"]]
    return entry["cpu_time"] * scale


def process_cpu(args):
    """User + system seconds of one process running args, output to /dev/null."""
    with open(os.devnull, "w") as sink:
        child = subprocess.Popen(args, stdout=sink, env=ENV)
        _, status, usage = os.wait4(child.pid, 0)
    if status != 0:
        raise SystemExit(f"{args[0]} failed with status {status}")
    return usage.ru_utime + usage.ru_stime


def verdict(ok):
    return "**met**" if ok else "**missed**"


def main():
    if len(sys.argv) != 2:
        raise SystemExit(__doc__)
    build = sys.argv[1]
    window = os.path.join(build, "bench", "window_run_bench")
    series = os.path.join(build, "bench", "chart_series_bench")
    batch = os.path.join(build, "kelvaro-batch")
    load = os.getloadavg()[0]
    rows = []

    short = bench(window, "BM_WindowRun(ChartShown(3D)?)?/5000$", repetitions=3)
    hidden = ms(short["BM_WindowRun/5000"])
    for name, label in (("BM_WindowRunChartShown/5000", "flat"), ("BM_WindowRunChartShown3D/5000", "3D")):
        ratio = ms(short[name]) / hidden
        rows.append((f"5,000 generations, {label}, shown / hidden (medians of 3)",
                     f"{ms(short[name]):.1f} / {hidden:.1f} ms = {ratio:.2f}", "≤ 3", verdict(ratio <= 3)))

    one = lambda name, arg, repetitions=1: bench(window, f"{name}/{arg}/", repetitions)[f"{name}/{arg}/iterations:1"]
    hidden = ms(one("BM_WindowRun", 100000, 3))
    for name, label in (("BM_WindowRunChartShown", "flat"), ("BM_WindowRunChartShown3D", "3D")):
        shown = one(name, 100000, 3)
        ratio = ms(shown) / hidden
        rows.append((f"100,000 generations, {label}, shown / hidden (medians of 3)",
                     f"{ms(shown):.0f} / {hidden:.0f} ms = {ratio:.2f} ({shown['frames']:.0f} frames)", "≤ 2",
                     verdict(ratio <= 2)))

    hidden = one("BM_WindowRun", 1000000)
    shown = one("BM_WindowRunChartShown", 1000000)
    rows.append(("1,000,000 generations flat, shown: frames per second (wall)",
                 f"{shown['fps']:.1f} ({shown['frames']:.0f} frames, run {ms(shown) / 1000:.1f} s; "
                 f"hidden {ms(hidden) / 1000:.1f} s)", "≥ 30", verdict(shown["fps"] >= 30)))
    extra = (shown["peak_MiB"] - hidden["peak_MiB"]) * 1048576 / 1e6
    rows.append(("1,000,000 generations flat: peak shown − hidden, per generation",
                 f"{shown['peak_MiB']:.1f} − {hidden['peak_MiB']:.1f} MiB = {extra:.0f} bytes", "≤ 100 bytes",
                 verdict(extra <= 100)))
    drag = one("BM_WindowRunChartShownZoomDrag", 1000000)
    rows.append(("zoom and scroll drags during a 1 M run: longest frame, CPU (wall)",
                 f"{drag['longest_frame_cpu_ms']:.1f} ({drag['longest_frame_ms']:.1f}) ms", "≤ 33 ms",
                 verdict(drag["longest_frame_cpu_ms"] <= 33)))

    paint = bench(series, "BM_Ours3D/(5000|50000|1000000)$|BM_OursFlat/1000000$|BM_QCustomPlot/50000$",
                  repetitions=3)
    qcp = ms(paint["BM_QCustomPlot/50000"])
    d50k = ms(paint["BM_Ours3D/50000"])
    rows.append(("one paint, 4 × 50,000 points, 3D / QCustomPlot flat (medians of 3)",
                 f"{d50k:.2f} / {qcp:.2f} ms = {d50k / qcp:.2f}", "≤ 2", verdict(d50k / qcp <= 2)))
    d5k = ms(paint["BM_Ours3D/5000"])
    rows.append(("one paint, 3D, 5,000 → 50,000 points per series",
                 f"{d5k:.2f} → {d50k:.2f} ms = {d50k / d5k:.2f} ×", "≤ 2 ×", verdict(d50k / d5k <= 2)))
    for name, label in (("BM_OursFlat/1000000", "flat"), ("BM_Ours3D/1000000", "3D")):
        rows.append((f"one paint, 4 × 1,000,000 points, {label}", f"{ms(paint[name]):.1f} ms", "< 20 ms",
                     verdict(ms(paint[name]) < 20)))

    runs = [process_cpu([batch, "--seed", "1", "--generations", "1000000"]) for _ in range(7)]
    median = statistics.median(runs)
    rows.append(("`kelvaro-batch --seed 1 --generations 1000000 >/dev/null`, median of 7",
                 f"{median:.3f} s ({min(runs):.3f} to {max(runs):.3f})", "≤ 0.67 s", verdict(median <= 0.67)))

    print(f"load average {load:.1f} at the start, {os.getloadavg()[0]:.1f} at the end\n")
    print("| target | measured | yardstick | |")
    print("|---|---|---|---|")
    for row in rows:
        print("| " + " | ".join(row) + " |")


if __name__ == "__main__":
    main()
