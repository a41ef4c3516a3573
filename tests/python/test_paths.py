"""The path question of tourvane.solve on undirected graphs: free ends, one
end, both ends, in the caller's labels, checked against brute force and
known families."""

import itertools
import re

import networkx as nx
import pytest

import tourvane
from conftest import assert_path, brute_force_order, exact_registered

HAM = tourvane.Verdict.HAMILTONIAN
NO = tourvane.Verdict.NO_CYCLE


def generalized_petersen(n, k):
    """GP(n, k): outer cycle u0..u(n-1), spokes u_i - v_i, inner v_i - v_(i+k)."""
    g = nx.Graph()
    for i in range(n):
        g.add_edge(("u", i), ("u", (i + 1) % n))
        g.add_edge(("u", i), ("v", i))
        g.add_edge(("v", i), ("v", (i + k) % n))
    return g


def check_against(g, r, truth, first=None, last=None):
    """r answers the path question as the brute force truth says; a
    complete method never leaves it open."""
    assert r.question == "path"
    assert r.tour is None
    if r.verdict == HAM:
        assert truth is not None, (list(g.edges), first, last)
        assert_path(g.nodes, g.has_edge, r.path, first, last)
        assert r.order == r.path and r.gaps == 0
    elif r.verdict == NO:
        assert truth is None, (list(g.edges), first, last, truth)
        assert r.path is None and r.reason
    else:
        assert not exact_registered(), (list(g.edges), first, last)
        assert r.path is None


@pytest.mark.parametrize("n", [5, 11, 17])
def test_gp_n_2_with_n_5_mod_6_has_a_path_and_no_cycle(n):
    # GP(5, 2) is the Petersen graph; GP(n, 2) is Hamiltonian exactly when
    # n is not 5 mod 6, and traceable for every n.
    g = generalized_petersen(n, 2)
    r = tourvane.solve(g, path=True)
    assert r.verdict == HAM, r
    assert_path(g.nodes, g.has_edge, r.path)
    cycle = tourvane.solve(g)
    assert cycle.question == "cycle" and cycle.path is None
    assert cycle.verdict == (NO if exact_registered() else tourvane.Verdict.UNKNOWN)


def test_petersen_paths_join_exactly_the_non_adjacent_pairs():
    # Adding any edge to the Petersen graph makes it Hamiltonian, so every
    # non-adjacent pair is joined by a Hamiltonian path; a path between the
    # ends of an edge would close to a cycle it does not have.
    g = nx.petersen_graph()
    for s, t in itertools.combinations(g.nodes, 2):
        r = tourvane.solve(g, ends=(s, t))
        if g.has_edge(s, t):
            assert r.verdict == (NO if exact_registered() else tourvane.Verdict.UNKNOWN), (s, t)
            assert r.path is None
        else:
            assert r.verdict == HAM, (s, t, r)
            assert_path(g.nodes, g.has_edge, r.path, s, t)


@pytest.mark.parametrize("legs", [(1, 1, 1), (2, 2, 3), (1, 3, 2)])
def test_a_tree_with_three_leaves_has_no_path_and_says_why(legs):
    g = nx.Graph()
    for leg, length in enumerate(legs):
        previous = "hub"
        for k in range(length):
            g.add_edge(previous, (leg, k))
            previous = (leg, k)
    assert brute_force_order(g.nodes, g.has_edge, cycle=False) is None
    r = tourvane.solve(g, path=True)
    check_against(g, r, None)
    if exact_registered():
        assert r.verdict == NO
    assert r.reason
    assert "NO_PATH" in repr(r) or "UNKNOWN" in repr(r)


def test_k_3_4_has_paths_between_nodes_of_its_larger_side_only():
    g = nx.complete_bipartite_graph(3, 4)   # nodes 0..2 and 3..6
    larger = {3, 4, 5, 6}
    for s, t in itertools.permutations(g.nodes, 2):
        truth = brute_force_order(g.nodes, g.has_edge, cycle=False, first=s, last=t)
        assert (truth is not None) == (s in larger and t in larger)
        check_against(g, tourvane.solve(g, ends=(s, t)), truth, s, t)
    for s in g.nodes:
        truth = brute_force_order(g.nodes, g.has_edge, cycle=False, first=s)
        assert (truth is not None) == (s in larger)
        check_against(g, tourvane.solve(g, ends=(s, None)), truth, s)


def test_every_graph_up_to_six_nodes_against_brute_force():
    # The networkx atlas in order; free ends, then the path from node 0 and
    # the path from node 0 to the last node.
    for g in nx.graph_atlas_g()[1:]:
        if g.number_of_nodes() > 6:
            break
        h = nx.relabel_nodes(g, {v: f"v{v}" for v in g.nodes})
        nodes = list(h.nodes)
        first, last = nodes[0], nodes[-1]
        free = brute_force_order(nodes, h.has_edge, cycle=False)
        check_against(h, tourvane.solve(h, path=True), free)
        start = brute_force_order(nodes, h.has_edge, cycle=False, first=first)
        check_against(h, tourvane.solve(h, ends=(first, None)), start, first)
        if len(nodes) > 1:
            both = brute_force_order(nodes, h.has_edge, cycle=False, first=first, last=last)
            check_against(h, tourvane.solve(h, ends=(first, last)), both, first, last)


@pytest.mark.parametrize("method", ["exist", "min", "optimize"])
def test_the_local_searches_answer_the_path_question_or_leave_it_open(method):
    g = generalized_petersen(11, 2)
    r = tourvane.solve(g, method=method, path=True)
    assert r.question == "path" and r.method == method
    if r.verdict == HAM:
        assert_path(g.nodes, g.has_edge, r.path)
    else:
        assert r.verdict == tourvane.Verdict.UNKNOWN and r.path is None


def test_the_path_is_in_the_callers_labels_in_every_input_kind():
    # A path graph a - b - c - d: the path from "c" must turn back, so from
    # an inner node there is none; from an end it is the whole line.
    pairs = [("a", ("b",)), (("b",), frozenset("c")), (frozenset("c"), 4.5)]
    r = tourvane.solve(pairs, ends=("a", None))
    assert r.verdict == HAM
    assert r.path == ["a", ("b",), frozenset("c"), 4.5]
    assert all(type(x) is type(y) for x, y in zip(r.path, ["a", ("b",), frozenset("c"), 4.5]))
    r = tourvane.solve(pairs, ends=(4.5, "a"))
    assert r.path == [4.5, frozenset("c"), ("b",), "a"]
    g = nx.Graph(pairs)
    assert tourvane.solve(g, ends=(4.5, None)).path == [4.5, frozenset("c"), ("b",), "a"]
    inner = tourvane.solve(g, ends=(("b",), None))
    assert inner.path is None and inner.verdict != HAM
    numbered = tourvane.Graph.from_edges(4, [(0, 1), (1, 2), (2, 3)])
    r = tourvane.solve(numbered, ends=(3, 0))
    assert r.path == [3, 2, 1, 0] and all(type(v) is int for v in r.path)


def test_the_reason_of_a_missing_path_names_the_callers_nodes():
    # Two triangles sharing "hub" and a pendant "e" on it: removing the hub
    # leaves three pieces, more than a path can join.
    g = nx.Graph([("a", "b"), ("b", "hub"), ("hub", "a"), ("hub", "c"), ("c", "d"),
                  ("d", "hub"), ("hub", "e")])
    assert brute_force_order(g.nodes, g.has_edge, cycle=False) is None
    r = tourvane.solve(g, path=True)
    check_against(g, r, None)
    for number in re.findall(r"node (\d+)", r.reason):
        assert r.label(int(number)) in g.nodes


def test_ends_imply_the_path_question_and_repr_says_so():
    line = [(1, 2), (2, 3)]
    r = tourvane.solve(line, ends=(1, 3))
    assert (r.question, r.verdict, r.path) == ("path", HAM, [1, 2, 3])
    assert repr(r).startswith("Result(verdict=HAMILTONIAN_PATH, ") and "path=[1, 2, 3]" in repr(r)
    assert tourvane.solve(line, path=True, ends=(None, None)).path in ([1, 2, 3], [3, 2, 1])
    no = tourvane.solve(line, ends=(2, None))
    if no.verdict == NO:
        assert repr(no).startswith("Result(verdict=NO_PATH, ")
    cycle = tourvane.solve([(1, 2), (2, 3), (3, 1)], path=False)
    assert cycle.question == "cycle" and cycle.path is None and cycle.tour is not None
    assert repr(cycle).startswith("Result(verdict=HAMILTONIAN, ")


@pytest.mark.parametrize("graph", ["networkx", "pairs", "tourvane"])
@pytest.mark.parametrize("ends, match", [
    ((0, 0), "two different ends"),
    ((0, 99), r"99 \(the path's last node\) is not a node of the graph"),
    (("zero", None), r"'zero' \(the path's first node\) is not a node"),
    (([0], None), r"\[0\] \(the path's first node\) is not a node"),
    ((None, 1), "needs its first node too"),
    (5, r"ends must be a pair \(s, t\) or \(s, None\)"),
    ("01", "ends must be a pair"),
    ((0, 1, 2), "ends must be a pair"),
    ((0,), "ends must be a pair"),
])
def test_bad_ends_are_value_errors_naming_the_problem(graph, ends, match):
    edges = [(0, 1), (1, 2), (2, 3), (3, 0)]
    g = {"networkx": nx.Graph(edges), "pairs": edges,
         "tourvane": tourvane.Graph.from_edges(4, edges)}[graph]
    with pytest.raises(ValueError, match=match):
        tourvane.solve(g, ends=ends)


def test_node_numbers_of_a_tourvane_graph_are_checked_against_its_size():
    g = tourvane.Graph.from_edges(3, [(0, 1), (1, 2)])
    for bad in (3, -1, 2**70, 1.0, "1"):
        with pytest.raises(ValueError, match=r"its nodes are 0\.\.2"):
            tourvane.solve(g, ends=(bad, None))
    with pytest.raises(ValueError, match="it has no nodes"):
        tourvane.solve(tourvane.Graph(), ends=(0, None))


def test_path_must_be_a_bool_and_is_keyword_only():
    with pytest.raises(TypeError, match="path must be True or False"):
        tourvane.solve([(1, 2)], path=1)
    with pytest.raises(TypeError):
        tourvane.solve([(1, 2)], "auto", 1, None, True)
