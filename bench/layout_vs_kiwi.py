#!/usr/bin/python3
"""The constraint engine against kiwisolver, an independent Cassowary solver, on the form of
LayoutBench.cpp: 25 rows held by 100 constraints (leading and trailing margins, a fixed height,
a gap below the row above), inside a root whose size is held by required constraints.

usage: bench/layout_vs_kiwi.py [ORVANE_BENCH]   (default build/release/bench/orvane_bench)
(Debian's python3-kiwisolver, for /usr/bin/python3)

Runs the toolkit's side through the benchmark program (Layout100/orvane, Relayout100/orvane),
times kiwisolver's Python package solving the same system here, and prints both times and the
ratios. kiwisolver's solver is C++, but each call to it crosses from Python, so two kiwi times
are given: "kiwi" builds the variables and constraints in Python and solves them, as the
toolkit builds its items and constraints; "kiwi-core" times only the solver's own calls on
constraints built beforehand, which bounds what the Python layer adds. Relayout moves the
root's width the way the engine does (kiwisolver cannot move a constant: the old constraint
goes and the new one comes).
"""

import json
import statistics
import subprocess
import sys
import tempfile
import time

import kiwisolver as kiwi

ROWS = 25
MARGIN, GAP, ROW_HEIGHT = 16.0, 8.0, 30.0
REQUIRED = kiwi.strength.required


class Item:
    def __init__(self):
        self.left, self.top = kiwi.Variable(), kiwi.Variable()
        self.width, self.height = kiwi.Variable(), kiwi.Variable()


def form_constraints(root, rows):
    """The 100 constraints of the form, in the rows' own order."""
    made = []
    above = None
    for row in rows:
        made.append(row.left == root.left + MARGIN)
        made.append(row.left + row.width == root.left + root.width - MARGIN)
        made.append(row.height == ROW_HEIGHT)
        if above is None:
            made.append(row.top == root.top + GAP)
        else:
            made.append(row.top == above.top + above.height + GAP)
        above = row
    return made


def root_constraints(root, width):
    return [root.left == 0, root.top == 0, root.width == width, root.height == 1000]


def solve(constraints, rows):
    solver = kiwi.Solver()
    for constraint in constraints:
        solver.addConstraint(constraint | REQUIRED)
    solver.updateVariables()
    return rows[-1].top.value()


def layout_full():
    root, rows = Item(), [Item() for _ in range(ROWS)]
    return solve(root_constraints(root, 320) + form_constraints(root, rows), rows)


def prepared_layout():
    root, rows = Item(), [Item() for _ in range(ROWS)]
    constraints = root_constraints(root, 320) + form_constraints(root, rows)
    return lambda: solve(constraints, rows)


def prepared_relayout(build_in_timing):
    root, rows = Item(), [Item() for _ in range(ROWS)]
    solver = kiwi.Solver()
    held = root_constraints(root, 320.0)
    for constraint in held + form_constraints(root, rows):
        solver.addConstraint(constraint)
    widths = {320.0: held[2], 375.0: root.width == 375.0}
    state = {"width": 320.0, "held": held[2]}

    def step():
        state["width"] = 375.0 if state["width"] == 320.0 else 320.0
        new = (root.width == state["width"]) if build_in_timing else widths[state["width"]]
        solver.removeConstraint(state["held"])
        solver.addConstraint(new)
        state["held"] = new
        solver.updateVariables()
        return rows[-1].width.value()

    return step


def seconds_per_call(function, budget=0.5, repeats=5):
    """The median over `repeats` of the mean time of a call, each repeat lasting about `budget`."""
    count = 1
    while True:
        started = time.perf_counter()
        for _ in range(count):
            function()
        spent = time.perf_counter() - started
        if spent >= budget / 10:
            break
        count *= 2
    count = max(1, int(count * budget / spent))
    means = []
    for _ in range(repeats):
        started = time.perf_counter()
        for _ in range(count):
            function()
        means.append((time.perf_counter() - started) / count)
    return statistics.median(means)


def orvane_times(program):
    # The program prints its own table, so the numbers come from its JSON file.
    with tempfile.NamedTemporaryFile(suffix=".json") as output:
        subprocess.run(
            [program, "--benchmark_filter=^(Layout100|Relayout100)/orvane$",
             "--benchmark_repetitions=5", "--benchmark_report_aggregates_only=true",
             "--benchmark_out=" + output.name, "--benchmark_out_format=json"],
            check=True, capture_output=True)
        runs = json.load(open(output.name))["benchmarks"]
    times = {}
    for run in runs:
        if run.get("aggregate_name") == "median":
            scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[run["time_unit"]]
            times[run["run_name"].split("/")[0]] = run["real_time"] * scale
    return times


def main(program):
    kiwi_times = {
        "Layout100": (seconds_per_call(layout_full), seconds_per_call(prepared_layout())),
        "Relayout100": (seconds_per_call(prepared_relayout(True)),
                        seconds_per_call(prepared_relayout(False))),
    }
    orvane = orvane_times(program)
    print("%-12s %12s %12s %12s %14s %14s" % ("", "orvane us", "kiwi us", "kiwi-core us",
                                              "orvane/kiwi", "orvane/core"))
    for name, (full, core) in kiwi_times.items():
        ours = orvane[name]
        print("%-12s %12.2f %12.2f %12.2f %14.3f %14.3f" % (
            name, ours * 1e6, full * 1e6, core * 1e6, ours / full, ours / core))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "build/release/bench/orvane_bench")
