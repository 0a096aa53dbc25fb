#!/usr/bin/env python3
"""bench/report.py over small runs written as Google Benchmark writes them."""

import contextlib
import io
import json
import os
import sys
import tempfile
import unittest

sys.dont_write_bytecode = True  # nothing written into the source tree
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import report  # noqa: E402

HEADER = "# benchmark\tbaseline\tfigure\ttarget\tgoal\n"


def iteration(name, **figures):
    return dict(name=name, run_name=name, run_type="iteration", time_unit="ns", real_time=1.0, **figures)


class ReportTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.addCleanup(self.folder.cleanup)

    def run_report(self, table, benchmarks):
        """The printed lines of the report, keyed by benchmark and figure, and the summary line."""
        baselines = os.path.join(self.folder.name, "baselines.tsv")
        with open(baselines, "w", encoding="utf-8") as out:
            out.write(HEADER + "".join("\t".join(row) + "\n" for row in table))
        run = os.path.join(self.folder.name, "run.json")
        with open(run, "w", encoding="utf-8") as out:
            json.dump({"benchmarks": benchmarks}, out)
        printed = io.StringIO()
        with contextlib.redirect_stdout(printed):
            self.assertEqual(report.main(["report.py", baselines, run]), 0)
        lines = printed.getvalue().splitlines()
        rows = {}
        for line in lines[1:]:
            cells = line.split()
            if len(cells) >= 2:
                rows.setdefault((cells[0], cells[1]), []).append(line)
        summary = lines[-1] if "not met" in lines[-1] and lines[-1][0].isdigit() else ""
        return rows, summary

    def test_each_row_prints_its_own_figure_and_a_missing_row_prints_none(self):
        rows, _ = self.run_report(
            [("Planner", "-", "rows_per_second", "", "")],
            [iteration("Planner", bare_rows_per_second=9.0, rows_per_second=5.0),
             iteration("Unlisted", another_per_second=3.0)])
        self.assertIn("no baseline", rows[("Planner", "rows_per_second")][0])
        self.assertIn(" 5 ", rows[("Planner", "rows_per_second")][0] + " ")
        self.assertNotIn("9", rows[("Planner", "rows_per_second")][0])
        self.assertIn(report.NO_ROW, rows[("Unlisted", "-")][0])

    def test_ratios_and_verdicts(self):
        # (figure, ours, baseline's, target, goal, verdict)
        cases = [
            ("items_per_second", 8.0, 10.0, "0.8", "", "met"),
            ("items_per_second", 7.0, 10.0, "0.8", "", "not met"),
            ("p99_us", 4000.0, 2000.0, "", "<=5000", "met"),
            ("p99_us", 6000.0, 2000.0, "", "<=5000", "not met"),
            ("rebuild_ms", 20.0, 10.0, "0.5", "", "met"),  # times: baseline over ours
            ("rebuild_ms", 25.0, 10.0, "0.5", "", "not met"),
            ("rows_per_second", 30000.0, 1000.0, "", ">=20,000", "met"),
        ]
        for figure, ours, theirs, target, goal, verdict in cases:
            with self.subTest(figure=figure, ours=ours, target=target, goal=goal):
                rows, summary = self.run_report(
                    [("Ours", "Bare", figure, target, goal), ("Bare", "-", figure, "", "")],
                    [iteration("Ours", **{figure: ours}), iteration("Bare", **{figure: theirs})])
                line = rows[("Ours", figure)][0]
                self.assertTrue(line.endswith(" " + verdict), line)
                self.assertEqual(summary, "" if verdict == "met" else "1 target(s) not met")

    def test_a_counter_of_the_same_run_is_a_baseline(self):
        rows, _ = self.run_report([("Download", ":curl_MBps", "updater_MBps", "0.8", "")],
                                  [iteration("Download", curl_MBps=200.0, updater_MBps=180.0)])
        line = rows[("Download", "updater_MBps")][0]
        self.assertIn(":curl_MBps", line)
        self.assertIn("0.90", line)
        self.assertTrue(line.endswith(" met"), line)

    def test_repetitions_take_the_median_and_the_largest_maximum(self):
        runs = [iteration("Clients/iterations:1/repeats:5", p99_us=p99, max_us=slowest)
                for p99, slowest in [(900, 3000), (1000, 90000), (1100, 4000), (5000, 2000), (800, 1000)]]
        rows, summary = self.run_report(
            [("Clients", "-", "p99_us", "", "<=5000"), ("Clients", "-", "max_us", "", "<=50000")], runs)
        self.assertTrue(rows[("Clients/iterations:1/repeats:5", "p99_us")][0].endswith(" met"))
        self.assertIn("90,000", rows[("Clients/iterations:1/repeats:5", "max_us")][0])
        self.assertTrue(rows[("Clients/iterations:1/repeats:5", "max_us")][0].endswith("not met"))
        self.assertEqual(summary, "1 target(s) not met")

    def test_a_failed_baseline_gives_no_verdict_of_met(self):
        rows, summary = self.run_report(
            [("Ours", "Bare", "items_per_second", "0.5", "")],
            [iteration("Ours", items_per_second=5.0),
             dict(name="Bare", run_name="Bare", run_type="iteration", error_occurred=True, error_message="x")])
        self.assertTrue(rows[("Ours", "items_per_second")][0].endswith("no figure"))
        self.assertEqual(summary, "1 target(s) not met")


if __name__ == "__main__":
    unittest.main()
