#!/usr/bin/env python3
"""Prints the figures of benchmark runs (Google Benchmark's JSON output), each beside its baseline.

    report.py BASELINES.tsv RUN.json...

Each benchmark of a run is printed with its figure; a benchmark that bench/baselines.tsv pairs with a
baseline of the same run also shows the baseline's figure, the ratio and the target ratio. Repetitions of
one benchmark are summarised by their median.
"""

import json
import statistics
import sys

# Figures where less is better: the ratio is then baseline over figure.
TIME_SUFFIXES = ("_us", "_ms")
RATE_FIGURES = ("items_per_second", "bytes_per_second")


def read_baselines(path):
    pairs = {}
    with open(path, encoding="utf-8") as table:
        for line in table:
            if not line.strip() or line.startswith("#"):
                continue
            fields = line.rstrip("\n").split("\t")
            fields += [""] * (5 - len(fields))
            name, baseline, figure, target, goal = (field.strip() for field in fields[:5])
            pairs[name] = (baseline if baseline != "-" else "", figure, float(target) if target else None, goal)
    return pairs


def lower_is_better(figure):
    return figure == "real_time" or figure.endswith(TIME_SUFFIXES)


def figure_of(run, figure):
    """The run's value of the figure; real_time in the unit the run printed."""
    value = run.get(figure)
    return float(value) if isinstance(value, (int, float)) else None


def default_figure(run):
    for figure in RATE_FIGURES:
        if figure in run:
            return figure
    counters = [key for key, value in run.items()
                if isinstance(value, (int, float)) and key.endswith(("_per_second",) + TIME_SUFFIXES)]
    return counters[0] if counters else "real_time"


def runs_by_name(path):
    """Every benchmark of one program's run in order, each a dict of its median figures."""
    grouped = {}
    with open(path, encoding="utf-8") as output:
        document = json.load(output)
    for run in document.get("benchmarks", []):
        if run.get("error_occurred"):
            grouped.setdefault(run["name"], []).append({"error": run.get("error_message", "failed")})
        elif run.get("run_type", "iteration") == "iteration":
            grouped.setdefault(run["name"], []).append(run)
    merged = {}
    for name, runs in grouped.items():
        good = [run for run in runs if "error" not in run]
        if not good:
            merged[name] = runs[0]
            continue
        summary = dict(good[0])
        for key, value in good[0].items():
            if isinstance(value, (int, float)) and not isinstance(value, bool):
                summary[key] = statistics.median(float(run[key]) for run in good if key in run)
        merged[name] = summary
    return merged


def goal_reached(value, goal):
    """Whether the figure meets a goal written as >=N or <=N (N may hold thousands separators)."""
    if value is None:
        return None
    number = float(goal[2:].replace(",", ""))
    return value >= number if goal.startswith(">=") else value <= number


def base_name(name):
    return name.split("/", 1)[0]


def find_run(runs, name):
    if name in runs:
        return runs[name]
    for full, run in runs.items():
        if base_name(full) == name:
            return run
    return None


def format_value(value, figure, run):
    if value is None:
        return "-"
    unit = run.get("time_unit", "") if figure == "real_time" else ""
    if abs(value) >= 1000:
        text = f"{value:,.0f}"
    elif abs(value) >= 10:
        text = f"{value:.1f}"
    else:
        text = f"{value:.3g}"
    return f"{text} {unit}".strip()


def report_row(name, run, runs, pairs):
    """The printed row of one benchmark and how many of its targets were missed."""
    if "error" in run:
        return (name, "-", "error: " + run["error"], "", "", "", ""), 0
    pair = pairs.get(name) or pairs.get(base_name(name))
    if not pair:
        figure = default_figure(run)
        return (name, figure, format_value(figure_of(run, figure), figure, run), "", "", "", ""), 0
    baseline_name, figure, target, goal = pair
    figure = figure or default_figure(run)
    value = figure_of(run, figure)
    baseline = find_run(runs, baseline_name) if baseline_name else None
    baseline_value = figure_of(baseline, figure) if baseline and "error" not in baseline else None
    ratio = None
    if value and baseline_value:
        ratio = baseline_value / value if lower_is_better(figure) else value / baseline_value
    verdict = ""
    missed = 0
    if target is not None:
        verdict = f"{target:g}"
        if ratio is not None:
            verdict += " reached" if ratio >= target else " NOT reached"
            missed += ratio < target
    if goal:
        reached = goal_reached(value, goal)
        verdict = (verdict + "; " if verdict else "") + goal + ("" if reached is None else
                                                                 " reached" if reached else " NOT reached")
        missed += reached is False
    return (name, figure, format_value(value, figure, run), baseline_name,
            format_value(baseline_value, figure, baseline or {}),
            "-" if ratio is None else f"{ratio:.2f}", verdict), missed


def main(argv):
    if len(argv) < 3:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    pairs = read_baselines(argv[1])
    rows = [("benchmark", "figure", "value", "baseline", "baseline value", "ratio", "target")]
    missed = 0
    # A baseline is looked for in the same program's run only: programs may share benchmark names.
    for path in argv[2:]:
        runs = runs_by_name(path)
        for name, run in runs.items():
            row, miss = report_row(name, run, runs, pairs)
            rows.append(row)
            missed += miss
    widths = [max(len(row[i]) for row in rows) for i in range(len(rows[0]))]
    for row in rows:
        print("  ".join(cell.ljust(width) for cell, width in zip(row, widths)).rstrip())
    if missed:
        print(f"{missed} target(s) not reached")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
