#!/usr/bin/python3
"""Recomputes every figure of a study summary from its table with pandas, SciPy and statsmodels.

Usage: summary_oracle.py TABLE SUMMARY
Exits 1 with the differences listed when a figure differs, a row is missing or left over, or a
number is not printed with the shortest digits that read back as the same double.
"""
import math
import re
import sys
import warnings

import numpy as np
import pandas as pd
from scipy import stats
from statsmodels.duration.survfunc import SurvfuncRight
from statsmodels.stats.proportion import proportion_confint

COLUMNS = ["mean", "sd", "min", "max", "ci_low", "ci_high"]
Z = stats.norm.ppf(0.975)
# statsmodels takes logarithms of survival 0 and 1 on its way to the median's interval.
warnings.simplefilter("ignore", RuntimeWarning)


def described(values):
    """mean, sd, min, max and the Student-t 95 % interval, None where undefined."""
    v = np.asarray(values, dtype=float)
    if len(v) == 0:
        return [None] * 6
    mean = float(np.mean(v))
    if len(v) == 1:
        return [mean, None, float(v.min()), float(v.max()), None, None]
    sd = float(np.std(v, ddof=1))
    half = stats.t.ppf(0.975, len(v) - 1) * sd / math.sqrt(len(v))
    return [mean, sd, float(v.min()), float(v.max()), mean - half, mean + half]


def survival(times, events):
    """died_out, extinction_median and alive_at_end figures (mean, ci_low, ci_high)."""
    n = len(times)
    if n == 0:
        return [None] * 3, [None] * 3, [None] * 3
    died = int(sum(events))
    low, high = proportion_confint(died, n, alpha=0.05, method="wilson")
    share = [died / n, low, high]
    if died == 0:
        return share, [None] * 3, [1.0, None, None]
    fit = SurvfuncRight(np.asarray(times, dtype=float), np.asarray(events, dtype=float))
    below = np.flatnonzero(fit.surv_prob <= 0.5)
    median = float(fit.surv_times[below[0]]) if len(below) else None
    lb, ub = fit.quantile_ci(0.5, alpha=0.05, method="cloglog")
    median_row = [median, None if np.isnan(lb) else float(lb), None if np.isnan(ub) else float(ub)]
    s, se = float(fit.surv_prob[-1]), float(fit.surv_prob_se[-1])
    alive = [s, None, None]
    if 0 < s < 1 and se > 0 and np.isfinite(se):
        g, gse = math.log(-math.log(s)), se / abs(s * math.log(s))
        alive = [s, math.exp(-math.exp(g + Z * gse)), math.exp(-math.exp(g - Z * gse))]
    return share, median_row, alive


def expected_rows(table):
    rows = {}
    for set_number, runs in table.groupby("set", sort=True):
        failed_runs = set(runs.loc[runs["error"].notna(), "replicate"])
        good = runs[~runs["replicate"].isin(failed_runs) & runs["generation"].notna()]
        failed = len(failed_runs)
        good = good.assign(generation=good["generation"].astype(int))
        for generation, at in good.groupby("generation", sort=True):
            for population in ("sexual", "asexual"):
                rows_p = at[at["population"] == population]
                rows[(set_number, generation, population, "living")] = (len(rows_p), failed, described(rows_p["living"]))
                rows[(set_number, generation, population, "gc")] = (len(rows_p), failed, described(rows_p["gc"]))
                alive = rows_p[rows_p["living"] > 0]
                rows[(set_number, generation, population, "gc_alive")] = (len(alive), failed, described(alive["gc"]))
        last = good.sort_values("generation").groupby(["replicate", "population"]).tail(1)
        final_generation = int(last["generation"].max()) if len(last) else None
        for population in ("sexual", "asexual"):
            ends = last[last["population"] == population]
            died = ends["died_out_at"].notna().to_numpy()
            times = np.where(died, ends["died_out_at"].fillna(0), ends["generation"])
            share, median, alive = survival(list(times), list(died))
            n = len(ends)
            rows[(set_number, None, population, "died_out")] = (n, failed, [share[0], None, None, None] + share[1:])
            rows[(set_number, None, population, "extinction_median")] = (n, failed, [median[0], None, None, None] + median[1:])
            rows[(set_number, final_generation, population, "alive_at_end")] = (n, failed, [alive[0], None, None, None] + alive[1:])
        sexual = last[last["population"] == "sexual"].set_index("replicate")
        asexual = last[last["population"] == "asexual"].set_index("replicate")
        for measure in ("living", "gc"):
            difference = (sexual[measure] - asexual[measure]).dropna()
            rows[(set_number, final_generation, "sexual-asexual", measure)] = (len(difference), failed, described(difference))
    return rows


def shortest(text):
    """Whether the text has no more significant digits than the shortest round trip."""
    value = float(text)
    if not math.isfinite(value):
        return text == "inf"
    digits = lambda t: len(re.sub(r"^0+", "", re.sub(r"e.*$|[-.]", "", t)).rstrip("0")) or 1
    return float(text) == value and digits(text) <= digits(repr(value))


def main(table_file, summary_file):
    # pandas reads the gzip table as is; GC may carry a decimal comma.
    table = pd.read_csv(table_file, dtype={"gene": str, "gc": str, "error": str}, keep_default_na=False,
                        na_values={"generation": [""], "living": [""], "gc": [""], "died_out_at": [""], "error": [""]})
    table["gc"] = table["gc"].str.replace(",", ".").astype(float)
    summary = pd.read_csv(summary_file, dtype=str, keep_default_na=False)
    expected = expected_rows(table)
    problems = []
    seen = set()
    for _, row in summary.iterrows():
        key = (int(row["set"]), int(row["generation"]) if row["generation"] else None, row["population"], row["measure"])
        seen.add(key)
        if key not in expected:
            problems.append(f"unexpected row {key}")
            continue
        runs, failed, figures = expected[key]
        if (int(row["runs"]), int(row["failed"])) != (runs, failed):
            problems.append(f"{key}: runs/failed {row['runs']}/{row['failed']}, expected {runs}/{failed}")
        for column, want in zip(COLUMNS, figures):
            text = row[column]
            if want is None or (isinstance(want, float) and math.isnan(want)):
                if text:
                    problems.append(f"{key} {column}: {text}, expected empty")
                continue
            if not text:
                problems.append(f"{key} {column}: empty, expected {want!r}")
                continue
            if not shortest(text):
                problems.append(f"{key} {column}: {text} is not the shortest round trip")
            got = float(text)
            if not (got == want or abs(got - want) <= 1e-9 * max(1.0, abs(want))):
                problems.append(f"{key} {column}: {got!r}, expected {want!r}")
    problems += [f"missing row {key}" for key in expected if key not in seen]
    for p in problems:
        print(p)
    print(f"{len(summary)} rows, {len(problems)} differences")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
