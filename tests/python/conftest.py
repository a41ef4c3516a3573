"""Shared helpers of the tourvane module tests: an independent check of a
tour or path, brute-force Hamiltonicity tests for small graphs and
digraphs, and builders."""

import itertools
import os
import pathlib

import pytest

import tourvane

SOURCE_DIR = pathlib.Path(os.environ.get("TOURVANE_SOURCE_DIR",
                                         pathlib.Path(__file__).resolve().parents[2]))
EXAMPLES = SOURCE_DIR / "examples"


def assert_cycle(nodes, has_edge, tour):
    """tour visits every node of `nodes` once and each step, including the
    last back to the first, is an edge according to has_edge(u, v)."""
    nodes = list(nodes)
    assert tour is not None
    assert len(tour) == len(nodes)
    assert set(tour) == set(nodes)
    for k, u in enumerate(tour):
        v = tour[(k + 1) % len(tour)]
        assert has_edge(u, v), f"{u!r} - {v!r} is not an edge"


def assert_path(nodes, has_edge, path, first=None, last=None):
    """path visits every node of `nodes` once, each step is an edge (an arc,
    in order) according to has_edge(u, v), and it starts at first and ends
    at last when they are given."""
    nodes = list(nodes)
    assert path is not None
    assert len(path) == len(nodes)
    assert set(path) == set(nodes)
    for u, v in zip(path, path[1:]):
        assert has_edge(u, v), f"{u!r} -> {v!r} is not an edge"
    if first is not None:
        assert path[0] == first
    if last is not None:
        assert path[-1] == last


def brute_force_order(nodes, has_edge, cycle, first=None, last=None, directed=False):
    """A Hamiltonian cycle (cycle=True) or path of a graph on at most 8
    nodes, found by trying every order; None when there is none. has_edge
    is read as arcs, so a directed graph is followed along its arcs. A
    cycle needs 3 nodes in an undirected graph, 2 in a digraph (two
    opposite arcs); a path needs 1."""
    nodes = list(nodes)
    assert len(nodes) <= 8, "brute force is for small graphs"
    if not nodes:
        return None
    if cycle and len(nodes) < (2 if directed else 3):
        return None
    if cycle or first is not None:
        # A cycle may start anywhere: start it at the first node.
        start = nodes[0] if cycle else first
        rest = [v for v in nodes if v != start]
        orders = ([start, *p] for p in itertools.permutations(rest))
    else:
        orders = (list(p) for p in itertools.permutations(nodes))
    for order in orders:
        if last is not None and order[-1] != last:
            continue
        links = zip(order, order[1:] + order[:1] if cycle else order[1:])
        if all(has_edge(u, v) for u, v in links):
            return order
    return None


def brute_force_hamiltonian(nodes, edges):
    """Whether a Hamiltonian cycle exists, by dynamic programming over the
    subsets of nodes holding a path from the first node (small graphs)."""
    nodes = list(nodes)
    n = len(nodes)
    if n < 3:
        return False
    index = {label: k for k, label in enumerate(nodes)}
    adj = [0] * n
    for u, v in edges:
        if u != v:
            adj[index[u]] |= 1 << index[v]
            adj[index[v]] |= 1 << index[u]
    # ends[mask]: the nodes a path from node 0 through exactly `mask` can end at
    ends = [0] * (1 << n)
    ends[1] = 1
    for mask in range(1, 1 << n):
        if not mask & 1 or not ends[mask]:
            continue
        for v in range(n):
            if ends[mask] >> v & 1:
                for w in range(n):
                    if adj[v] >> w & 1 and not mask >> w & 1:
                        ends[mask | 1 << w] |= 1 << w
    full = (1 << n) - 1
    return any(ends[full] >> v & 1 and adj[v] & 1 for v in range(1, n))


def knight_graph_nx(rows, cols):
    """The knight's graph of a rows x cols board in networkx, square (r, c)
    labelled by the tuple (r, c)."""
    import networkx as nx
    g = nx.Graph()
    for r in range(rows):
        for c in range(cols):
            g.add_node((r, c))
            for dr, dc in ((1, 2), (2, 1), (2, -1), (1, -2)):
                if 0 <= r + dr < rows and 0 <= c + dc < cols:
                    g.add_edge((r, c), (r + dr, c + dc))
    return g


def exact_registered():
    return "exact" in tourvane.methods()
