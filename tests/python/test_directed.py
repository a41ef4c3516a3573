"""Directed graphs in tourvane: networkx digraphs and Graph.from_arcs as
input, cycles and paths that follow the arcs, checked against brute force
and known families (tournaments, de Bruijn digraphs)."""

import itertools
import random

import networkx as nx
import pytest

import tourvane
from conftest import assert_cycle, assert_path, brute_force_order, exact_registered

HAM = tourvane.Verdict.HAMILTONIAN
NO = tourvane.Verdict.NO_CYCLE


def check_against(g, r, truth, cycle, first=None, last=None):
    """r answers the question on digraph g as the brute force truth says."""
    assert r.question == ("cycle" if cycle else "path")
    found = r.tour if cycle else r.path
    if r.verdict == HAM:
        assert truth is not None, (list(g.edges), cycle, first, last)
        if cycle:
            assert_cycle(g.nodes, g.has_edge, found)
        else:
            assert_path(g.nodes, g.has_edge, found, first, last)
    elif r.verdict == NO:
        assert truth is None, (list(g.edges), cycle, first, last, truth)
        assert found is None and r.reason
    else:
        assert not exact_registered(), (list(g.edges), cycle, first, last)
        assert found is None


def random_tournament(n, rng):
    g = nx.DiGraph()
    g.add_nodes_from(range(n))
    for u, v in itertools.combinations(range(n), 2):
        g.add_edge(*((u, v) if rng.random() < 0.5 else (v, u)))
    return g


def de_bruijn(k, n):
    """B(k, n): the words of length n over 0..k-1, each joined to the words
    it becomes when shifted left by one letter (self-loops left out)."""
    words = ["".join(map(str, w)) for w in itertools.product(range(k), repeat=n)]
    g = nx.DiGraph()
    g.add_nodes_from(words)
    g.add_edges_from((w, w[1:] + str(a)) for w in words for a in range(k) if w != w[1:] + str(a))
    return g


def test_a_directed_triangle_is_toured_along_its_arcs_and_its_reverse_the_other_way():
    forward = nx.DiGraph([(1, 2), (2, 3), (3, 1)])
    backward = forward.reverse()
    for g in (forward, backward):
        r = tourvane.solve(g)
        assert r.verdict == HAM, r
        assert_cycle(g.nodes, g.has_edge, r.tour)
    assert tourvane.solve(forward).tour in ([1, 2, 3], [2, 3, 1], [3, 1, 2])
    assert tourvane.solve(backward).tour in ([1, 3, 2], [3, 2, 1], [2, 1, 3])
    # As an undirected graph the same pairs are a cycle either way round.
    assert tourvane.solve(list(forward.edges)).verdict == HAM


def test_a_transitive_triangle_has_a_path_and_no_cycle():
    g = nx.DiGraph([("a", "b"), ("b", "c"), ("a", "c")])
    cycle = tourvane.solve(g)
    assert cycle.verdict == (NO if exact_registered() else tourvane.Verdict.UNKNOWN)
    assert cycle.tour is None
    assert tourvane.solve(g, path=True).path == ["a", "b", "c"]
    assert tourvane.solve(g, ends=("a", "c")).path == ["a", "b", "c"]
    for ends in (("c", None), ("b", None), ("c", "a")):
        r = tourvane.solve(g, ends=ends)
        assert r.path is None and r.verdict != HAM, ends


def test_two_opposite_arcs_are_a_cycle_one_edge_is_not():
    digon = nx.DiGraph([(1, 2), (2, 1)])
    assert brute_force_order(digon.nodes, digon.has_edge, cycle=True, directed=True) is not None
    assert tourvane.solve(digon).verdict == HAM
    assert tourvane.solve(nx.DiGraph([(1, 2)])).verdict != HAM
    assert tourvane.solve(nx.Graph([(1, 2)])).verdict != HAM


@pytest.mark.parametrize("seed", range(6))
def test_a_tournament_always_has_a_path_and_a_cycle_when_strongly_connected(seed):
    rng = random.Random(seed)
    small = random_tournament(8, rng)
    path = brute_force_order(small.nodes, small.has_edge, cycle=False, directed=True)
    assert path is not None
    check_against(small, tourvane.solve(small, path=True), path, cycle=False)
    cycle = brute_force_order(small.nodes, small.has_edge, cycle=True, directed=True)
    assert (cycle is not None) == nx.is_strongly_connected(small)
    check_against(small, tourvane.solve(small), cycle, cycle=True)
    # Beyond brute force: every tournament has a Hamiltonian path.
    large = random_tournament(40, rng)
    r = tourvane.solve(large, path=True)
    assert r.verdict == HAM, r
    assert_path(large.nodes, large.has_edge, r.path)


def test_the_transitive_tournament_has_one_path_and_no_cycle():
    # u -> v for u < v: the path must be 0, 1, ..., n-1.
    g = nx.DiGraph(list(itertools.combinations(range(30), 2)))
    assert tourvane.solve(g, path=True).path == list(range(30))
    r = tourvane.solve(g)
    assert r.tour is None
    assert r.verdict == (NO if exact_registered() else tourvane.Verdict.UNKNOWN)
    assert tourvane.solve(g, ends=(1, None)).path is None


@pytest.mark.parametrize("k, n", [(2, 3), (2, 4), (3, 3)])
def test_de_bruijn_digraphs_are_hamiltonian(k, n):
    g = de_bruijn(k, n)
    if g.number_of_nodes() <= 8:
        assert brute_force_order(g.nodes, g.has_edge, cycle=True, directed=True) is not None
    r = tourvane.solve(g)
    assert r.verdict == HAM, r
    assert all(isinstance(w, str) and len(w) == n for w in r.tour)
    assert_cycle(g.nodes, g.has_edge, r.tour)


def test_random_digraphs_up_to_seven_nodes_against_brute_force():
    rng = random.Random(27)
    for trial in range(150):
        n = rng.randint(1, 7)
        p = rng.choice([0.25, 0.4, 0.6])
        g = nx.DiGraph()
        g.add_nodes_from(f"n{k}" for k in range(n))
        g.add_edges_from((f"n{u}", f"n{v}") for u in range(n) for v in range(n)
                         if u != v and rng.random() < p)
        nodes = list(g.nodes)
        check_against(g, tourvane.solve(g),
                      brute_force_order(nodes, g.has_edge, True, directed=True), True)
        check_against(g, tourvane.solve(g, path=True),
                      brute_force_order(nodes, g.has_edge, False, directed=True), False)
        s, t = nodes[0], nodes[-1]
        check_against(g, tourvane.solve(g, ends=(s, None)),
                      brute_force_order(nodes, g.has_edge, False, first=s, directed=True), False, s)
        if n > 1:
            check_against(g, tourvane.solve(g, ends=(s, t)),
                          brute_force_order(nodes, g.has_edge, False, first=s, last=t,
                                            directed=True), False, s, t)


def test_from_arcs_builds_a_directed_graph():
    g = tourvane.Graph.from_arcs(4, [(0, 1), (1, 2), (2, 0), (2, 3), (2, 3), (3, 3), [1, 0]])
    assert g.directed and not tourvane.Graph.from_edges(4, [(0, 1)]).directed
    assert (g.node_count, g.edge_count) == (4, 5)
    assert g.edges() == [(0, 1), (1, 0), (1, 2), (2, 0), (2, 3)]
    assert g.neighbors(2) == [0, 3] and g.in_neighbors(0) == [1, 2]
    assert (g.degree(3), g.in_degree(3)) == (0, 1)
    assert g.has_edge(2, 3) and not g.has_edge(3, 2)
    assert repr(g) == "Graph(directed, nodes=4, arcs=5)"
    # The same pairs undirected are another graph.
    assert tourvane.Graph.from_arcs(2, [(0, 1), (1, 0)]) != tourvane.Graph.from_edges(2, [(0, 1)])
    with pytest.raises(ValueError, match=r"arc \(0, 4\) names a node outside 0..3"):
        tourvane.Graph.from_arcs(4, [(0, 4)])
    with pytest.raises(ValueError, match="not a pair"):
        tourvane.Graph.from_arcs(4, [(0, 1, 2)])
    with pytest.raises(MemoryError, match="a graph of 2147483648 nodes needs about"):
        tourvane.Graph.from_arcs(2 ** 31, [])


def test_a_directed_tourvane_graph_solves_in_node_numbers_and_converts_to_a_digraph():
    g = tourvane.Graph.from_arcs(5, [(0, 1), (1, 2), (2, 3), (3, 4), (4, 0), (0, 2)])
    r = tourvane.solve(g)
    assert r.tour in ([0, 1, 2, 3, 4], [1, 2, 3, 4, 0], [2, 3, 4, 0, 1], [3, 4, 0, 1, 2], [4, 0, 1, 2, 3])
    assert tourvane.solve(g, ends=(1, 0)).path == [1, 2, 3, 4, 0]
    h = g.to_networkx()
    assert isinstance(h, nx.DiGraph) and h.is_directed()
    assert sorted(h.edges) == g.edges()
    assert tourvane.solve(h).tour == r.tour
    assert not tourvane.leaper(1, 2, 3, 4).to_networkx().is_directed()


class DuckDigraph:
    """A digraph with nodes, edges and is_directed but no networkx internals."""

    def __init__(self, nodes, edges):
        self.nodes = list(nodes)
        self.edges = list(edges)

    def is_directed(self):
        return True


def digraph_variants():
    rng = random.Random(5)
    base = nx.DiGraph()
    base.add_nodes_from(range(12))
    base.add_edges_from((u, v) for u in range(12) for v in range(12) if u != v and rng.random() < 0.3)
    yield "digraph", base
    yield "tuple labels", nx.relabel_nodes(base, {v: (v // 4, v % 4) for v in base})
    yield "copy", base.copy()
    yield "reverse view", base.reverse(copy=False)
    yield "subgraph view", base.subgraph(range(9))
    yield "from dict of dicts", nx.DiGraph(nx.to_dict_of_dicts(base))
    loops = base.copy()
    loops.add_edges_from([(3, 3), (7, 7)])
    yield "self-loops", loops
    multi = nx.MultiDiGraph(base)
    multi.add_edges_from([(0, 1), (0, 1), (2, 2)])
    yield "multidigraph", multi
    # One data dict under two arcs, and an arc whose successor and
    # predecessor entries hold different dicts.
    poked = base.copy()
    shared = {}
    poked.add_edges_from([(0, 5), (6, 1)])
    poked._succ[0][5] = shared
    poked._pred[5][0] = shared
    poked._succ[6][1] = shared
    poked._pred[1][6] = shared
    poked._succ[2][11] = {"own": 1}
    poked._pred[11][2] = {"own": 2}
    yield "shared data", poked
    # An arc listed under its tail alone: found by looking its head up.
    half = base.copy()
    half.add_edge(4, 9)
    del half._pred[9][4]
    yield "successor entry alone", half


@pytest.mark.parametrize("name, graph", list(digraph_variants()),
                         ids=lambda x: x if isinstance(x, str) else "")
def test_networkx_digraphs_read_like_their_node_and_arc_lists(name, graph):
    for kwargs in ({}, {"path": True}):
        a = tourvane.solve(graph, seed=4, **kwargs)
        b = tourvane.solve(DuckDigraph(graph.nodes, graph.edges), seed=4, **kwargs)
        assert (a.verdict, a.order, a.gaps, a.reason) == (b.verdict, b.order, b.gaps, b.reason)
        if a.tour is not None:
            assert_cycle(graph.nodes, graph.has_edge, a.tour)
        if a.path is not None:
            assert_path(graph.nodes, graph.has_edge, a.path)


def test_a_multidigraph_counts_parallel_arcs_once():
    g = nx.MultiDiGraph([(1, 2), (1, 2), (2, 1)])
    assert tourvane.solve(g).verdict == HAM   # the two directions
    g = nx.MultiDiGraph([(1, 2), (1, 2), (2, 3), (3, 1), (3, 1)])
    assert tourvane.solve(g).tour in ([1, 2, 3], [2, 3, 1], [3, 1, 2])
    assert tourvane.solve(nx.MultiDiGraph([(1, 2), (1, 2)])).verdict != HAM


def test_digraph6_files_read_as_directed_graphs(tmp_path):
    # &BP_ is nauty's digraph6 for 0 -> 1 -> 2 -> 0 (nauty-showg -a prints
    # the rows 010, 001, 100).
    single = tmp_path / "triangle.d6"
    single.write_text("&BP_\n")
    g = tourvane.Graph.read(single)
    assert g.directed and g.edges() == [(0, 1), (1, 2), (2, 0)]
    assert tourvane.solve(g).tour in ([0, 1, 2], [1, 2, 0], [2, 0, 1])
    assert isinstance(g.to_networkx(), nx.DiGraph)
    # A stream with the optional header, told by its first line.
    stream = tmp_path / "stream.txt"
    stream.write_text(">>digraph6<<&BP_\n&B??\n&BP_\n")
    graphs = list(tourvane.read_graphs(stream))
    assert [h.edge_count for h in graphs] == [3, 0, 3]
    assert all(h.directed for h in graphs) and graphs[0] == g
    with pytest.raises(ValueError, match="more than one graph"):
        tourvane.Graph.read(stream)


def test_dimacs_arc_files_read_as_directed_graphs(tmp_path):
    path = tmp_path / "arcs.col"
    path.write_text("c a weighted arc list\np arc 4 5\na 1 2 7\na 2 3\na 3 4 1\na 4 1\na 1 3\n")
    g = tourvane.Graph.read(path)
    assert g.directed and g.edges() == [(0, 1), (0, 2), (1, 2), (2, 3), (3, 0)]
    assert tourvane.solve(g, ends=(1, None)).path == [1, 2, 3, 0]
    assert tourvane.solve(g, ends=(1, 3)).path is None   # 1 -> 2 -> 3 leaves 0 out
    mixed = tmp_path / "mixed.col"
    mixed.write_text("p edge 3 2\ne 1 2\na 2 3\n")
    with pytest.raises(ValueError, match=r"mixed\.col:3: .*edges or arcs"):
        tourvane.Graph.read(mixed)


def nauty_digraphs(n, tmp_path):
    """Every digraph on n nodes up to isomorphism, from nauty-geng and
    nauty-directg, as a digraph6 file."""
    import shutil
    import subprocess
    if not (shutil.which("nauty-geng") and shutil.which("nauty-directg")):
        pytest.skip("nauty's geng and directg are not installed")
    geng = subprocess.run(["nauty-geng", "-q", str(n)], capture_output=True, check=True, timeout=60)
    directg = subprocess.run(["nauty-directg", "-q"], input=geng.stdout, capture_output=True,
                             check=True, timeout=60)
    path = tmp_path / f"digraphs{n}.d6"
    path.write_bytes(directg.stdout)
    return path


@pytest.mark.parametrize("n", [3, 4])
def test_every_digraph_from_nauty_against_brute_force(n, tmp_path):
    count = 0
    for g in tourvane.read_graphs(nauty_digraphs(n, tmp_path)):
        count += 1
        assert g.directed and g.node_count == n
        nodes = range(n)
        check_against(g.to_networkx(), tourvane.solve(g),
                      brute_force_order(nodes, g.has_edge, True, directed=True), True)
        check_against(g.to_networkx(), tourvane.solve(g, path=True),
                      brute_force_order(nodes, g.has_edge, False, directed=True), False)
        for s, t in itertools.permutations(nodes, 2):
            check_against(g.to_networkx(), tourvane.solve(g, ends=(s, t)),
                          brute_force_order(nodes, g.has_edge, False, first=s, last=t, directed=True),
                          False, s, t)
    # OEIS A000273: digraphs on 3 and 4 nodes up to isomorphism.
    assert count == {3: 16, 4: 218}[n]


def test_dhcp_files_read_as_directed_graphs(tmp_path):
    edge_list = tmp_path / "turn.hcp"
    edge_list.write_text("NAME: turn\nTYPE: DHCP\nDIMENSION: 4\nEDGE_DATA_FORMAT: EDGE_LIST\n"
                         "EDGE_DATA_SECTION\n1 2\n2 3\n3 4\n4 1\n1 3\n-1\n"
                         "FIXED_EDGES_SECTION\n4 1\n-1\nEOF\n")
    g = tourvane.Graph.read(edge_list)
    assert g.directed and g.name == "turn"
    assert g.edges() == [(0, 1), (0, 2), (1, 2), (2, 3), (3, 0)]
    assert g.fixed_edges == [(3, 0)]
    assert tourvane.solve(g).tour in ([0, 1, 2, 3], [1, 2, 3, 0], [2, 3, 0, 1], [3, 0, 1, 2])
    # ADJ_LIST rows are a node's successors.
    adj = tmp_path / "adj.hcp"
    adj.write_text("NAME: adj\nTYPE: DHCP\nDIMENSION: 3\nEDGE_DATA_FORMAT: ADJ_LIST\n"
                   "EDGE_DATA_SECTION\n1 2 3 -1\n2 3 -1\n-1\nEOF\n")
    h = tourvane.Graph.read(adj)
    assert h.directed and h.edges() == [(0, 1), (0, 2), (1, 2)]
    assert tourvane.solve(h, path=True).path == [0, 1, 2]
    assert tourvane.solve(h).verdict != HAM
    # The same rows without TYPE: DHCP are edges.
    plain = tmp_path / "plain.hcp"
    plain.write_text(adj.read_text().replace("TYPE: DHCP\n", ""))
    assert not tourvane.Graph.read(plain).directed
    assert tourvane.solve(tourvane.Graph.read(plain)).verdict == HAM
