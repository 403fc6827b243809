#!/usr/bin/env python3
"""Turns one benchmark run into the table of targets: each target's time per unit of work as a
ratio to its reference from the same run (medians over the repetitions, which Google Benchmark
interleaves at random) with the range of the ratio over the repetitions, the memory figures, and,
when present, the same ratios in instructions counted by callgrind.

A case timed together with its reference (Case::timedWith) carries the reference's time per unit
in a counter of its own; both are then CPU times of the thread and each repetition is a pair."""

import glob
import json
import os
import re
import statistics
import sys

# target, measured, reference, limit on the ratio
TIME_TARGETS = [
    ("1 FormatHeight per value, whole mm", "FormatHeight/whole", "ToCharsFixed/whole", 2.0),
    ("1 FormatHeight per value, tenths", "FormatHeight/fraction", "ToCharsFixed/fraction", 2.0),
    ("1 FormatHeight per value, mixed", "FormatHeight/mixed", "ToCharsFixed/mixed", 2.0),
    ("2 calculate, 100000 rows", "Calculate/row_limit", "BuildAndFormat/row_limit", 1.0),
    ("3 report into page images, per page", "ReportPages/row_limit",
     "RecordPagesQPicture/row_limit", 1.5),
    ("4 wait from OK to the row-limit preview", "ReportPreview/row_limit",
     "RecordPagesQPicture/row_limit", 1.3),
    ("5 ShowPage at 300 %", "ShowPage/zoom_300", "PaintPage/zoom_300", 1.3),
    ("6 start-up to first shown window", "Startup/vantorbel", "Startup/reference_window", 1.25),
    ("8 saving the pages as EMF, per page", "SaveEmfFiles/row_limit", "EmfBytes/row_limit", 2.0),
    ("PNG pages saved", "SavePngFiles/row_limit", "SavePngFilesOneByOne/row_limit", 0.6),
    ("9 plan of 50 fixed points, 100000 rows", "FixedPoints/row_limit",
     "BuildAndFormat/row_limit", 1.5),
    ("10 facade laid, 100 m x 30 m, 30 openings", "FacadeLaying/100m_30m",
     "RectanglesLaid/100m_30m", 1.5),
    ("10 facade painted at the window's size", "FacadePainting/window",
     "RectanglesPainting/window", 2.0),
]
# target, key in memory.json, limit, unit
MEMORY_TARGETS = [
    ("2 table heap per row beyond texts", "table_bytes_per_row_beyond_texts", 64, "B"),
    ("3 largest page image", "page_image_bytes_max", 64 * 1024, "B"),
    ("5 bitmaps held at ShowPage's peak", "showpage_bitmaps_at_peak", 1.5, ""),
]
# target, measured key, the keys whose sum is the reference, limit on the ratio
MEMORY_RATIOS = [
    ("7 row-limit preview's peak heap", "row_limit_preview_peak_bytes",
     ("page_image_bytes_total", "zoom_300_bitmap_bytes"), 1.5),
]
INFORMATIVE = [
    ("4 the whole wait vs the report alone", "ReportPreview/row_limit", "ReportPages/row_limit"),
    ("5 ShowPage of the page without bands vs the same painted directly",
     "ShowPage/zoom_300_no_bands", "PaintPage/zoom_300_no_bands"),
    ("6 start-up vs an empty window", "Startup/vantorbel", "Startup/empty_window"),
    ("6 start-up of a window with one label vs the empty one", "Startup/label_window",
     "Startup/empty_window"),
    ("6 start-up of the reference window vs the empty one", "Startup/reference_window",
     "Startup/empty_window"),
]


def base_name(name):
    return re.sub(r"/(real_time|manual_time)$", "", name)


TIMED_WITH = "timed with "


def per_unit_times(results):
    """Seconds per unit of every case, one entry per repetition in the order of their numbers,
    and the pairs of cases timed together."""
    times = {}
    pairs = []
    runs = [bench for bench in results["benchmarks"]
            if bench.get("run_type") == "iteration" and not bench.get("error_occurred")]
    for bench in sorted(runs, key=lambda bench: bench.get("repetition_index", 0)):
        partners = {key[len(TIMED_WITH):]: value for key, value in bench.items()
                    if key.startswith(TIMED_WITH)}
        clock = "cpu_time" if partners else "real_time"
        scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[bench["time_unit"]]
        seconds = bench[clock] * scale / max(bench.get("units", 1.0), 1e-300)
        times.setdefault(base_name(bench["run_name"]), []).append(seconds)
        for partner, partner_seconds in partners.items():
            times.setdefault(partner, []).append(partner_seconds)
            if bench.get("repetition_index", 0) == 0:
                pairs.append(f"{base_name(bench['run_name'])} with {partner}")
    return times, pairs


def ratio_range(measured, reference):
    """The lowest and highest ratio of a repetition to the reference's repetition of the same
    number: the two of a pair ran together, other repetitions at random moments of the run."""
    ratios = [m / r for m, r in zip(measured, reference)]
    return min(ratios), max(ratios)


def instruction_counts(folder):
    """Instructions per unit for each case counted under callgrind, if that was run."""
    counts = {}
    for units_file in glob.glob(os.path.join(folder, "*.units")):
        case = os.path.basename(units_file)[: -len(".units")].replace("__", "/")
        units = float(open(units_file).read().split()[-1])
        total = None
        for dump in glob.glob(os.path.join(folder, os.path.basename(units_file)[:-6] + ".out*")):
            text = open(dump, errors="replace").read()
            if "Trigger: Client Request" not in text:
                continue
            match = re.search(r"^(?:summary|totals):\s*(\d+)", text, re.M)
            if match:
                total = int(match.group(1))
        if total is not None:
            counts[case] = total / units
    return counts


def show(value, unit=""):
    if unit == "s":
        return f"{value * 1e3:.3f} ms" if value >= 1e-4 else f"{value * 1e9:.0f} ns"
    return f"{value:,.2f}{(' ' + unit) if unit else ''}"


def main(folder):
    rows = []
    failed = 0
    timings = json.load(open(os.path.join(folder, "timings.json")))
    times, pairs = per_unit_times(timings)
    print(f"Run of {timings['context'].get('date', '?')}, "
          f"load average {timings['context'].get('load_avg', '?')}")
    print()
    header = f"{'target':38} {'measured':>14} {'reference':>14} {'ratio':>7} {'range':>11} " \
             f"{'min-ratio':>9} {'limit':>7}  result"
    print(header)
    print("-" * len(header))
    for title, measured, reference, limit in TIME_TARGETS:
        if measured not in times or reference not in times:
            print(f"{title:38} {'(not run)':>14}")
            continue
        m = statistics.median(times[measured])
        r = statistics.median(times[reference])
        ratio = m / r
        low, high = ratio_range(times[measured], times[reference])
        best = min(times[measured]) / min(times[reference])
        ok = ratio <= limit
        failed += not ok
        rows.append((title, ratio, limit, ok))
        print(f"{title:38} {show(m, 's'):>14} {show(r, 's'):>14} {ratio:7.2f} "
              f"{f'{low:.2f}-{high:.2f}':>11} {best:9.2f} {'<= ' + format(limit, 'g'):>7}  "
              f"{'pass' if ok else 'FAIL'}")
    memory_file = os.path.join(folder, "memory.json")
    if os.path.exists(memory_file):
        memory = json.load(open(memory_file))
        for title, key, limit, unit in MEMORY_TARGETS:
            value = memory[key]
            ok = value < limit
            failed += not ok
            print(f"{title:38} {show(value, unit):>14} {'':>14} {'':>7} {'':>11} {'':>9} "
                  f"{'< ' + format(limit, ',g'):>7}  {'pass' if ok else 'FAIL'}")
        for title, key, reference_keys, limit in MEMORY_RATIOS:
            value = memory[key]
            reference = sum(memory[k] for k in reference_keys)
            ratio = value / reference
            ok = ratio <= limit
            failed += not ok
            print(f"{title:38} {show(value / 2**20, 'MiB'):>14} {show(reference / 2**20, 'MiB'):>14} "
                  f"{ratio:7.2f} {'':>11} {'':>9} {'<= ' + format(limit, 'g'):>7}  "
                  f"{'pass' if ok else 'FAIL'}")
    print()
    if pairs:
        print("Timed together, on the thread's CPU time: " + "; ".join(pairs))
        print()
    for title, measured, reference in INFORMATIVE:
        if measured in times and reference in times:
            m = statistics.median(times[measured])
            r = statistics.median(times[reference])
            low, high = ratio_range(times[measured], times[reference])
            print(f"(to read the figures) {title}: {show(m, 's')} / {show(r, 's')} = {m / r:.2f} "
                  f"({low:.2f}-{high:.2f})")

    counts = instruction_counts(os.path.join(folder, "callgrind"))
    if counts:
        print()
        print("Instructions (callgrind), per unit of work:")
        for title, measured, reference, limit in TIME_TARGETS:
            if measured in counts and reference in counts:
                ratio = counts[measured] / counts[reference]
                print(f"  {title:38} {counts[measured]:>16,.0f} {counts[reference]:>16,.0f} "
                      f"{ratio:7.2f}  (limit {limit:g})")
    print()
    print(f"{failed} target(s) missed" if failed else "all targets met")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "build-bench/results"))
