"""What solve accepts as a graph, how labels map to nodes, and how bad
input is refused."""

import subprocess
import sys

import pytest

import tourvane
from conftest import assert_cycle


def edge_set(pairs):
    return {frozenset(p) for p in pairs if p[0] != p[1]}


def check_tour_on(pairs, tour):
    edges = edge_set(pairs)
    labels = {x for p in pairs for x in p}
    assert_cycle(labels, lambda u, v: frozenset((u, v)) in edges, tour)


def test_edge_list_labels_are_the_values_that_appear_gaps_and_all():
    pairs = [(10, 500), (500, 7), (7, 10**20), (10**20, 10)]
    r = tourvane.solve(pairs)
    assert r.verdict == tourvane.Verdict.HAMILTONIAN
    check_tour_on(pairs, r.tour)
    # Numbers missing from the list are not nodes: 1..9 do not exist here.
    assert sorted(r.tour) == [7, 10, 500, 10**20]


def test_edge_list_of_any_hashable_labels_and_pair_kinds():
    pairs = [("a", "b"), ["b", ("c",)], (("c",), frozenset("d")), iter([frozenset("d"), "a"])]
    r = tourvane.solve(pairs)
    assert r.verdict == tourvane.Verdict.HAMILTONIAN
    assert set(r.tour) == {"a", "b", ("c",), frozenset("d")}


def test_self_loops_are_ignored_but_their_node_exists():
    square = [(1, 2), (2, 3), (3, 4), (4, 1)]
    r = tourvane.solve(square + [(2, 2), (4, 4)])
    assert r.verdict == tourvane.Verdict.HAMILTONIAN
    check_tour_on(square, r.tour)
    # Node 9 has only a loop: degree 0, so no cycle can pass through it.
    r = tourvane.solve(square + [(9, 9)])
    assert r.verdict != tourvane.Verdict.HAMILTONIAN
    assert r.tour is None
    if r.order is not None:
        assert 9 in r.order


def test_repeated_edges_count_once_in_either_direction():
    r = tourvane.solve([(1, 2), (2, 1), (1, 2), (2, 3), (3, 1), (1, 3)])
    assert r.verdict == tourvane.Verdict.HAMILTONIAN
    assert sorted(r.tour) == [1, 2, 3]
    # Two nodes joined twice do not make a cycle.
    r = tourvane.solve([(1, 2), (2, 1)])
    assert r.verdict == tourvane.Verdict.NO_CYCLE
    assert r.tour is None


@pytest.mark.parametrize("empty", [[], (), iter([]), "networkx", "tourvane"])
def test_an_empty_graph_has_no_cycle(empty):
    if empty == "networkx":
        import networkx
        empty = networkx.Graph()
    elif empty == "tourvane":
        empty = tourvane.Graph()
    r = tourvane.solve(empty)
    assert r.verdict == tourvane.Verdict.NO_CYCLE
    assert r.tour is None and r.order is None and r.gaps is None


def test_generators_and_numpy_style_rows_are_read_as_pairs():
    r = tourvane.solve((k, (k + 1) % 5) for k in range(5))
    assert r.verdict == tourvane.Verdict.HAMILTONIAN
    assert sorted(r.tour) == [0, 1, 2, 3, 4]


@pytest.mark.parametrize("bad, match", [
    ([(1, 2, 3)], r"edge \(1, 2, 3\) is not a pair"),
    ([(1,)], r"edge \(1,\) is not a pair"),
    ([5], "edge 5 is not a pair"),
    (["ab"], "edge 'ab' is not a pair"),
    ([(1, 2), None], "edge None is not a pair"),
])
def test_items_that_are_not_pairs_are_value_errors(bad, match):
    with pytest.raises(ValueError, match=match):
        tourvane.solve(bad)


@pytest.mark.parametrize("bad", [42, "a-b", {1: 2}, None, 3.5])
def test_things_that_are_no_graph_are_type_errors(bad):
    with pytest.raises(TypeError, match="networkx graph, an iterable of"):
        tourvane.solve(bad)


def test_unhashable_labels_are_type_errors():
    with pytest.raises(TypeError, match="unhashable"):
        tourvane.solve([([1], [2])])


@pytest.mark.parametrize("kwargs, exc, match", [
    (dict(seed=-1), ValueError, "seed must not be negative"),
    (dict(seed=2**64), ValueError, "seed must be at most"),
    (dict(seed=1.5), TypeError, ""),
    (dict(time_limit=0), ValueError, "time_limit must be a positive"),
    (dict(time_limit=-2.0), ValueError, "time_limit must be a positive"),
    (dict(time_limit=float("nan")), ValueError, "time_limit must be a positive"),
    (dict(time_limit="soon"), TypeError, "time_limit must be a number"),
    (dict(time_limit="2"), TypeError, "time_limit must be a number"),
])
def test_bad_seed_or_time_limit(kwargs, exc, match):
    with pytest.raises(exc, match=match):
        tourvane.solve([(1, 2), (2, 3), (3, 1)], **kwargs)


def test_an_infinite_time_limit_means_none():
    r = tourvane.solve([(1, 2), (2, 3), (3, 1)], time_limit=float("inf"))
    assert r.verdict == tourvane.Verdict.HAMILTONIAN


class DuckGraph:
    """An undirected graph with nodes and edges but no networkx internals."""

    def __init__(self, nodes, edges):
        self.nodes = list(nodes)
        self.edges = list(edges)


def test_duck_typed_graphs_match_networkx():
    import networkx as nx
    g = nx.gnp_random_graph(40, 0.2, seed=3)
    g.add_edge(5, 5)
    g.add_node(99)          # isolated: no cycle, and the order must hold it
    duck = DuckGraph(g.nodes, g.edges)
    a = tourvane.solve(g, method="exist", seed=5)
    b = tourvane.solve(duck, method="exist", seed=5)
    assert (a.verdict, a.order, a.gaps) == (b.verdict, b.order, b.gaps)
    g.remove_node(99)
    a = tourvane.solve(g, method="exist", seed=5)
    b = tourvane.solve(DuckGraph(g.nodes, g.edges), method="exist", seed=5)
    assert a.verdict == tourvane.Verdict.HAMILTONIAN
    assert (a.tour, a.order) == (b.tour, b.order)
    assert_cycle(g.nodes, g.has_edge, a.tour)


def test_duck_typed_edge_to_an_unknown_node_is_a_value_error():
    with pytest.raises(ValueError, match="not among the graph's nodes"):
        tourvane.solve(DuckGraph([1, 2, 3], [(1, 2), (2, 4)]))
    with pytest.raises(ValueError, match="listed twice"):
        tourvane.solve(DuckGraph([1, 2, 2], [(1, 2)]))


def test_the_module_imports_and_solves_without_networkx():
    code = (
        "import sys\n"
        "sys.modules['networkx'] = None\n"     # any import of it fails
        "import tourvane\n"
        "r = tourvane.solve([(1, 2), (2, 3), (3, 1)])\n"
        "assert r.verdict == tourvane.Verdict.HAMILTONIAN, r\n"
        "g = tourvane.leaper(1, 2, 6, 6)\n"
        "assert tourvane.solve(g).verdict == tourvane.Verdict.HAMILTONIAN\n"
        "try:\n"
        "    g.to_networkx()\n"
        "except ImportError:\n"
        "    print('ok')\n")
    out = subprocess.run([sys.executable, "-c", code], capture_output=True, text=True, timeout=60)
    assert out.returncode == 0, out.stderr
    assert out.stdout.strip() == "ok"
    out = subprocess.run([sys.executable, "-c", "import sys, tourvane; print('networkx' in sys.modules)"],
                         capture_output=True, text=True, timeout=60)
    assert out.stdout.strip() == "False", out.stderr


def networkx_variants():
    import networkx as nx
    base = nx.convert_node_labels_to_integers(nx.grid_2d_graph(5, 6))
    yield "grid", base
    yield "tuple labels", nx.grid_2d_graph(5, 6)
    yield "copy", base.copy()
    yield "subgraph view", base.subgraph(range(20))
    yield "from dict of dicts", nx.Graph(nx.to_dict_of_dicts(base))
    loops = base.copy()
    loops.add_edges_from([(3, 3), (7, 7)])
    yield "self-loops", loops
    multi = nx.MultiGraph(base)
    multi.add_edges_from([(0, 1), (1, 2), (2, 2)])
    yield "multigraph", multi
    # Internals poked by hand: one data dict under two unrelated entries,
    # and an edge whose two directions hold different data dicts.
    poked = base.copy()
    shared = {}
    poked._adj[0][1] = shared
    poked._adj[29][28] = shared
    poked._adj[10][11] = {"own": 1}
    yield "shared data", poked


@pytest.mark.parametrize("name, graph", list(networkx_variants()), ids=lambda x: x if isinstance(x, str) else "")
def test_networkx_graphs_read_like_their_node_and_edge_lists(name, graph):
    a = tourvane.solve(graph, method="exist", seed=4)
    b = tourvane.solve(DuckGraph(graph.nodes, graph.edges), method="exist", seed=4)
    assert (a.verdict, a.order, a.gaps, a.reason) == (b.verdict, b.order, b.gaps, b.reason)
    if a.verdict == tourvane.Verdict.HAMILTONIAN:
        assert_cycle(graph.nodes, graph.has_edge, a.tour)


def test_a_graph_beyond_a_methods_reach_is_a_value_error_naming_the_limit():
    big = tourvane.leaper(1, 2, 200, 200)
    with pytest.raises(ValueError, match="40000 nodes.*32,767"):
        tourvane.solve(big, method="exist")
