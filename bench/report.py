#!/usr/bin/env python3
"""Prints the figures of benchmark runs (Google Benchmark's JSON output), each beside its baseline.

    report.py BASELINES.tsv RUN.json...

Every row of bench/baselines.tsv names a benchmark and the figure that is its own; the report prints that
figure, the baseline's figure of the same run, the ratio, the target and whether it was met. A benchmark
that has no row is printed as such: no figure is guessed for it. Repetitions of one benchmark are
summarised by their median, except counters named max_..., which keep the largest repetition.
"""

import json
import re
import statistics
import sys

# Figures where less is better: the ratio is then baseline over figure, and a goal is an upper bound.
TIME_SUFFIXES = ("_us", "_ms")
# Parts of a run's name that say how it was run, not what it measures.
RUN_PARTS = re.compile(r"^(iterations|repeats):\d+$")
NO_ROW = "no row in baselines.tsv"
NO_BASELINE = "no baseline"


class Row:
    """One row of the baselines table."""

    def __init__(self, name, baseline, figure, target, goal):
        self.name = name
        self.figure = figure
        self.target = float(target) if target else None
        self.goal = goal
        # "-": none; ":counter": a counter of the same run, measured in turn with the figure; else a benchmark
        # of the same program, whose same figure is the baseline.
        self.baseline_counter = baseline[1:] if baseline.startswith(":") else ""
        self.baseline_name = "" if baseline in ("", "-") or self.baseline_counter else baseline


def read_baselines(path):
    """The rows of the table in order, several per benchmark when it has several figures."""
    rows = []
    with open(path, encoding="utf-8") as table:
        for number, line in enumerate(table, 1):
            if not line.strip() or line.startswith("#"):
                continue
            fields = [field.strip() for field in line.rstrip("\n").split("\t")]
            fields += [""] * (5 - len(fields))
            name, baseline, figure, target, goal = fields[:5]
            if not figure:
                raise SystemExit(f"{path}:{number}: {name} names no figure")
            if goal and not re.match(r"^(>=|<=)[0-9,.]+$", goal):
                raise SystemExit(f"{path}:{number}: goal {goal!r} is not >=N or <=N")
            rows.append(Row(name, baseline, figure, target, goal))
    return rows


def lower_is_better(figure):
    return figure == "real_time" or figure.endswith(TIME_SUFFIXES)


def figure_of(run, figure):
    """The run's value of the figure; real_time in the unit the run printed."""
    value = run.get(figure) if run else None
    return float(value) if isinstance(value, (int, float)) and not isinstance(value, bool) else None


def short_name(name):
    """The name without the parts that say how often it ran."""
    return "/".join(part for part in name.split("/") if not RUN_PARTS.match(part))


def base_name(name):
    return name.split("/", 1)[0]


def summarise(runs):
    summary = dict(runs[0])
    for key, value in runs[0].items():
        if isinstance(value, (int, float)) and not isinstance(value, bool):
            values = [float(run[key]) for run in runs if key in run]
            summary[key] = max(values) if key.startswith("max_") else statistics.median(values)
    summary["repetitions"] = len(runs)
    return summary


def runs_by_name(path):
    """Every benchmark of one program's run in order, each a dict of its summarised figures."""
    grouped = {}
    with open(path, encoding="utf-8") as output:
        document = json.load(output)
    for run in document.get("benchmarks", []):
        name = run.get("run_name", run["name"])
        if run.get("error_occurred"):
            grouped.setdefault(name, []).append({"error": run.get("error_message", "failed")})
        elif run.get("run_type", "iteration") == "iteration":
            grouped.setdefault(name, []).append(run)
    merged = {}
    for name, runs in grouped.items():
        good = [run for run in runs if "error" not in run]
        merged[name] = summarise(good) if good else runs[0]
    return merged


def find_run(runs, name):
    """The run the table's name means: the same name, without its run parts, or its first part."""
    for match in (lambda full: full == name, lambda full: short_name(full) == name,
                  lambda full: base_name(full) == name):
        for full, run in runs.items():
            if match(full):
                return run
    return None


def rows_for(name, table):
    """The table's rows of a benchmark run under this name."""
    for key in (name, short_name(name), base_name(name)):
        found = [row for row in table if row.name == key]
        if found:
            return found
    return []


def goal_met(value, goal):
    """Whether the figure meets a goal written as >=N or <=N (N may hold thousands separators)."""
    number = float(goal[2:].replace(",", ""))
    return value >= number if goal.startswith(">=") else value <= number


def format_value(value, figure, run):
    if value is None:
        return "-"
    unit = run.get("time_unit", "") if figure == "real_time" and run else ""
    if abs(value) >= 1000:
        text = f"{value:,.0f}"
    elif abs(value) >= 10:
        text = f"{value:.1f}"
    else:
        text = f"{value:.3g}"
    return f"{text} {unit}".strip()


def report_row(name, run, row, runs):
    """The printed cells of one figure of a benchmark and whether each of its targets was met."""
    if "error" in run:
        return (name, row.figure, "error: " + run["error"], "", "", "", "", "not met" if row.target or row.goal else ""), \
            bool(row.target or row.goal)
    value = figure_of(run, row.figure)
    if row.baseline_counter:
        baseline_label = ":" + row.baseline_counter
        baseline_run = run
        baseline_value = figure_of(run, row.baseline_counter)
    elif row.baseline_name:
        baseline_label = row.baseline_name
        baseline_run = find_run(runs, row.baseline_name)
        if baseline_run and "error" in baseline_run:
            baseline_run = None
        baseline_value = figure_of(baseline_run, row.figure)
    else:
        baseline_label, baseline_run, baseline_value = NO_BASELINE, None, None
    ratio = None
    if value and baseline_value:
        ratio = baseline_value / value if lower_is_better(row.figure) else value / baseline_value
    wanted = []
    met = []
    if row.target is not None:
        wanted.append(f"ratio >={row.target:g}")
        met.append(None if ratio is None else ratio >= row.target)
    if row.goal:
        wanted.append(row.goal)
        met.append(None if value is None else goal_met(value, row.goal))
    if not wanted:
        verdict = ""
    elif None in met:
        verdict = "no figure"
    else:
        verdict = "met" if all(met) else "not met"
    baseline_unit_figure = row.baseline_counter or row.figure
    return (name, row.figure, format_value(value, row.figure, run), baseline_label,
            format_value(baseline_value, baseline_unit_figure, baseline_run),
            "-" if ratio is None else f"{ratio:.2f}", "; ".join(wanted), verdict), verdict in ("not met", "no figure")


def main(argv):
    if len(argv) < 3:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    table = read_baselines(argv[1])
    lines = [("benchmark", "figure", "ours", "baseline", "baseline's", "ratio", "target", "")]
    missed = 0
    # A baseline is looked for in the same program's run only: programs may share benchmark names.
    for path in argv[2:]:
        runs = runs_by_name(path)
        for name, run in runs.items():
            rows = rows_for(name, table)
            if not rows:
                lines.append((name, "-", "-", NO_ROW, "", "", "", ""))
                continue
            for row in rows:
                line, miss = report_row(name, run, row, runs)
                lines.append(line)
                missed += miss
    widths = [max(len(line[i]) for line in lines) for i in range(len(lines[0]))]
    for line in lines:
        print("  ".join(cell.ljust(width) for cell, width in zip(line, widths)).rstrip())
    if missed:
        print(f"{missed} target(s) not met")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
