#!/usr/bin/env python3
"""What the Python call adds to a solve: for 1,000-node graphs built in
networkx, the wall and CPU time of tourvane.solve(G) beside the engine's own
time for the solve (Result.seconds, measured around hcp::Solve), and the
same for a tourvane.Graph, which needs no conversion.

    PYTHONPATH=build/python python3 bench/python_overhead.py [--repeat N]

"extra" is the median over N runs of (call - engine) within a run, and
"wall %" that over the median engine time; "min extra" is the least extra
of any run, what the call costs when nothing else gets in its way. On a
busy machine the wall figures mostly measure waiting for a core: "cpu %"
is the median of (CPU time of the call, all threads, - engine time) over
the median engine time, which waiting does not inflate.
"""

import argparse
import statistics
import time

import networkx as nx

import tourvane


def knight(rows, cols):
    g = nx.Graph()
    for r in range(rows):
        for c in range(cols):
            g.add_node((r, c))
            for dr, dc in ((1, 2), (2, 1), (2, -1), (1, -2)):
                if 0 <= r + dr < rows and 0 <= c + dc < cols:
                    g.add_edge((r, c), (r + dr, c + dc))
    return g


def measure(graph, method, repeat):
    """Medians of the call's wall and CPU time, of the engine's time, and of
    the difference within each run (which the engine's own variation,
    large on a busy machine, does not blur)."""
    walls, cpus, engines, extras, cpu_extras = [], [], [], [], []
    result = None
    for _ in range(repeat):
        w0, c0 = time.perf_counter(), time.process_time()
        result = tourvane.solve(graph, method=method)
        wall = time.perf_counter() - w0
        cpu = time.process_time() - c0
        walls.append(wall)
        cpus.append(cpu)
        engines.append(result.seconds)
        extras.append(wall - result.seconds)
        cpu_extras.append(cpu - result.seconds)
    return (statistics.median(walls), statistics.median(cpus), statistics.median(engines),
            statistics.median(extras), min(extras), statistics.median(cpu_extras), result)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--repeat", type=int, default=21)
    parser.add_argument("--method", default="auto")
    args = parser.parse_args()

    cases = [
        ("knight 25x40, tuple labels", knight(25, 40)),
        ("random cubic, int labels", nx.random_regular_graph(3, 1000, seed=1)),
        ("random 6-regular, str labels",
         nx.relabel_nodes(nx.random_regular_graph(6, 1000, seed=2), lambda v: f"n{v}")),
    ]
    print(f"method {args.method!r}, median of {args.repeat} runs, times in ms")
    print(f"{'graph':32} {'input':9} {'nodes':>5} {'edges':>5} {'verdict':11} "
          f"{'call':>8} {'cpu':>8} {'engine':>8} {'extra':>7} {'wall %':>7} {'min extra':>9} {'cpu %':>6}")
    for name, g in cases:
        inputs = [("networkx", g)]
        # The same graph as a tourvane.Graph: what the call costs without
        # any conversion of the caller's labels.
        index = {v: k for k, v in enumerate(g.nodes)}
        inputs.append(("Graph", tourvane.Graph.from_edges(
            len(index), [(index[u], index[v]) for u, v in g.edges])))
        for kind, graph in inputs:
            wall, cpu, engine, extra, least, cpu_extra, r = measure(graph, args.method, args.repeat)
            overhead = extra / engine * 100 if engine > 0 else float("nan")
            cpu_overhead = cpu_extra / engine * 100 if engine > 0 else float("nan")
            print(f"{name:32} {kind:9} {g.number_of_nodes():5} {g.number_of_edges():5} "
                  f"{r.verdict.name:11} {wall * 1e3:8.3f} {cpu * 1e3:8.3f} {engine * 1e3:8.3f} "
                  f"{extra * 1e3:7.3f} "
                  f"{overhead:6.1f}% {least * 1e3:9.3f} {cpu_overhead:5.1f}%")


if __name__ == "__main__":
    main()
