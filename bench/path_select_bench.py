#!/usr/bin/env python3
"""Paths and filters over every connected graph on N nodes (nauty-geng -c N;
N = 10 by default, 11,716,571 graphs), streamed through hcpsolve with
--jobs 2:

  path       hcpsolve --path -: every graph must be decided (HAMILTONIAN_PATH
             or NO_PATH); the throughput is printed.
  no-cycle   hcpsolve --select no-cycle --results R -: the graphs passed on
             are counted by nauty-countg and matched against the NO_CYCLE
             lines of R and, where known, against the published count of
             Hamiltonian graphs (OEIS A003216); a random sample of them is
             checked to have no Hamiltonian cycle by an exhaustive search of
             this script's own.
  no-path    the same with --path: the graphs with no Hamiltonian path,
             counted, matched against the NO_PATH lines and against the
             path run, and a sample checked to have none.

Usage: bench/path_select_bench.py HCPSOLVE [N] [--sample K] [--seed S] [--jobs J]

Times are wall clock of the pipeline (nauty-geng runs beside hcpsolve; its
own CPU time is shown) and CPU time of hcpsolve; both are noisy on a busy
machine. The exit status is 1 when any check fails."""

import argparse
import os
import random
import subprocess
import sys
import tempfile
import time

# Connected graphs on n nodes (OEIS A001349) and those with a Hamiltonian
# cycle (OEIS A003216).
CONNECTED = {1: 1, 2: 1, 3: 2, 4: 6, 5: 21, 6: 112, 7: 853, 8: 11117, 9: 261080, 10: 11716571}
HAMILTONIAN = {1: 1, 2: 0, 3: 1, 4: 3, 5: 8, 6: 48, 7: 383, 8: 6196, 9: 177083, 10: 9305118}


def decode_graph6(line):
    """Adjacency bit masks of a graph6 line (up to 62 nodes)."""
    n = ord(line[0]) - 63
    adj = [0] * n
    bits = []
    for ch in line[1:]:
        v = ord(ch) - 63
        bits.extend((v >> (5 - k)) & 1 for k in range(6))
    k = 0
    for j in range(1, n):
        for i in range(j):
            if bits[k]:
                adj[i] |= 1 << j
                adj[j] |= 1 << i
            k += 1
    return adj


def path_ends(adj, starts):
    """ends[mask]: the nodes a path that starts in starts and visits
    exactly the nodes of mask can end at (bit masks)."""
    n = len(adj)
    ends = [0] * (1 << n)
    for v in range(n):
        if starts >> v & 1:
            ends[1 << v] |= 1 << v
    for mask in range(1, 1 << n):
        e = ends[mask]
        while e:
            low = e & -e
            v = low.bit_length() - 1
            e ^= low
            nxt = adj[v] & ~mask
            while nxt:
                w = nxt & -nxt
                nxt ^= w
                ends[mask | w] |= w
    return ends


def has_cycle(adj):
    n = len(adj)
    if n < 3:
        return False
    last = path_ends(adj, 1)[(1 << n) - 1]
    return (last & adj[0]) != 0


def has_path(adj):
    n = len(adj)
    return n > 0 and path_ends(adj, (1 << n) - 1)[(1 << n) - 1] != 0


def run_pipeline(geng_args, hcpsolve_args, stdout_path):
    """nauty-geng | hcpsolve; returns (hcpsolve status, wall s, hcpsolve CPU s,
    nauty-geng CPU s)."""
    start = time.monotonic()
    geng = subprocess.Popen(["nauty-geng", "-cq"] + geng_args, stdout=subprocess.PIPE)
    with open(stdout_path, "wb") as out:
        solver = subprocess.Popen(hcpsolve_args, stdin=geng.stdout, stdout=out)
    geng.stdout.close()
    _, solver_status, solver_usage = os.wait4(solver.pid, 0)
    _, _, geng_usage = os.wait4(geng.pid, 0)
    wall = time.monotonic() - start
    return (os.waitstatus_to_exitcode(solver_status), wall,
            solver_usage.ru_utime + solver_usage.ru_stime, geng_usage.ru_utime + geng_usage.ru_stime)


def verdicts(csv_path):
    """Verdict counts of a results file in CSV."""
    counts = {}
    with open(csv_path, encoding="utf-8", errors="replace") as f:
        next(f, None)
        for line in f:
            # The verdict is the fourth column; the file names here ("-:K")
            # hold no commas.
            verdict = line.split(",", 4)[3]
            counts[verdict] = counts.get(verdict, 0) + 1
    return counts


def countg(path):
    out = subprocess.run(["nauty-countg", path], capture_output=True, text=True, check=True).stdout
    for line in out.splitlines():
        if "graphs altogether" in line:
            return int(line.split()[0])
    return int(out.split()[0]) if out.strip() else 0


def sample_check(path, k, rng, check):
    """Checks k random lines of path with check; returns (checked, failed)."""
    with open(path, encoding="ascii") as f:
        lines = [line.rstrip("\r\n") for line in f]
    chosen = rng.sample(lines, min(k, len(lines)))
    failed = [line for line in chosen if not check(decode_graph6(line))]
    return len(chosen), failed


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("hcpsolve")
    parser.add_argument("n", nargs="?", type=int, default=10)
    parser.add_argument("--sample", type=int, default=200)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--jobs", type=int, default=2)
    args = parser.parse_args()
    hcpsolve = os.path.abspath(args.hcpsolve)
    n = args.n
    rng = random.Random(args.seed)
    ok = True
    rows = []
    with tempfile.TemporaryDirectory() as work:
        base = [hcpsolve, "--jobs", str(args.jobs), "--quiet", "--format", "csv"]

        # The path question, result lines on standard output.
        results = os.path.join(work, "path.csv")
        status, wall, cpu, geng_cpu = run_pipeline([str(n)], base + ["--path", "-"], results)
        counts = verdicts(results)
        graphs = sum(counts.values())
        undecided = graphs - counts.get("HAMILTONIAN_PATH", 0) - counts.get("NO_PATH", 0)
        with_path = counts.get("HAMILTONIAN_PATH", 0)
        rows.append(("path", graphs, wall, cpu, geng_cpu,
                     f"{with_path} HAMILTONIAN_PATH, {counts.get('NO_PATH', 0)} NO_PATH, {undecided} other",
                     "all decided" if undecided == 0 else "NOT ALL DECIDED"))
        ok &= undecided == 0 and status in (0, 1)
        if n in CONNECTED and graphs != CONNECTED[n]:
            rows.append(("", "", "", "", "", f"expected {CONNECTED[n]} graphs", "MISMATCH"))
            ok = False

        # The filters, cycle question first, then path.
        for name, extra, word, check in (
            ("no-cycle", [], "NO_CYCLE", lambda adj: not has_cycle(adj)),
            ("no-path", ["--path"], "NO_PATH", lambda adj: not has_path(adj)),
        ):
            results = os.path.join(work, name + ".csv")
            selected = os.path.join(work, name + ".g6")
            status, wall, cpu, geng_cpu = run_pipeline(
                [str(n)], base + extra + ["--select", "no-cycle", "--results", results, "-"], selected)
            counts = verdicts(results)
            counted = countg(selected)
            lines = counts.get(word, 0)
            expected = None
            if name == "no-cycle" and n in HAMILTONIAN:
                expected = CONNECTED[n] - HAMILTONIAN[n]
            if name == "no-path":
                expected = graphs - with_path
            checked, failed = sample_check(selected, args.sample, rng, check)
            good = counted == lines and (expected is None or counted == expected) and not failed
            ok &= good and status in (0, 1)
            detail = f"countg {counted}, {word} lines {lines}"
            if expected is not None:
                detail += f", expected {expected}"
            detail += f"; sample {checked} checked, {len(failed)} wrong"
            rows.append((name, sum(counts.values()), wall, cpu, geng_cpu, detail, "match" if good else "MISMATCH"))
            for line in failed[:5]:
                print(f"path_select_bench: {name}: {line} is not what was selected", file=sys.stderr)

    print(f"connected graphs on {n} nodes (nauty-geng -c {n}), hcpsolve --jobs {args.jobs}")
    print(f"{'run':<9} {'graphs':>10} {'wall s':>8} {'CPU s':>8} {'geng s':>7} {'graphs/s':>10}  counts")
    for name, count, wall, cpu, geng_cpu, detail, verdict in rows:
        if name == "":
            print(f"{'':<9} {'':>10} {'':>8} {'':>8} {'':>7} {'':>10}  {detail}: {verdict}")
            continue
        rate = count / wall if wall > 0 else float("inf")
        print(f"{name:<9} {count:>10} {wall:>8.2f} {cpu:>8.2f} {geng_cpu:>7.2f} {rate:>10.0f}  {detail}: {verdict}")
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
