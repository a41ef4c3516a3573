"""tourvane.Graph: reading files, building from edges, the leaper boards,
and the conversions to and from networkx."""

import os
import re

import pytest

import tourvane
from conftest import EXAMPLES, SOURCE_DIR, assert_cycle

IO_DATA = SOURCE_DIR / "tests" / "io" / "data"


def test_read_the_bundled_examples_with_str_and_pathlike_names():
    knight = tourvane.Graph.read(str(EXAMPLES / "leaper_1_2_30_30.hcp"))
    assert (knight.node_count, knight.edge_count, len(knight)) == (900, 3248, 900)
    assert knight == tourvane.leaper(1, 2, 30, 30)
    petersen = tourvane.Graph.read(EXAMPLES / "petersen.hcp")
    assert (petersen.node_count, petersen.edge_count) == (10, 15)
    assert all(petersen.degree(v) == 3 for v in range(10))
    assert repr(petersen).startswith("Graph(")


def test_a_graph_read_from_a_file_solves_to_a_tour_of_its_numbers():
    g = tourvane.Graph.read(os.fsencode(EXAMPLES / "leaper_1_2_30_30.hcp"))
    r = tourvane.solve(g)
    assert r.verdict == tourvane.Verdict.HAMILTONIAN
    assert_cycle(range(900), g.has_edge, r.tour)


def test_other_formats_read_by_extension():
    dimacs = tourvane.Graph.read(IO_DATA / "petersen.col")
    assert dimacs == tourvane.Graph.read(EXAMPLES / "petersen.hcp")
    cubic = list(tourvane.read_graphs(IO_DATA / "cubic10.g6"))
    assert len(cubic) > 1
    assert all(g.node_count == 10 and g.edge_count == 15 for g in cubic)
    with pytest.raises(ValueError, match="more than one graph.*read_graphs"):
        tourvane.Graph.read(IO_DATA / "cubic10.g6")
    # The one graph of an HCP file is also a one-item sequence.
    assert len(list(tourvane.read_graphs(EXAMPLES / "petersen.hcp"))) == 1


def test_missing_file_is_an_os_error_naming_it(tmp_path):
    missing = tmp_path / "missing.hcp"
    with pytest.raises(OSError, match="missing.hcp"):
        tourvane.Graph.read(missing)
    with pytest.raises(OSError):
        tourvane.read_graphs(missing)
    with pytest.raises(OSError):
        tourvane.Graph.read(tmp_path)   # a folder


@pytest.mark.parametrize("name", [
    "edge_node_above_dimension.hcp", "edge_second_number_not_a_number.hcp",
    "empty_file.hcp", "dimacs_node_out_of_range.col", "ends_before_edge_section.hcp",
])
def test_malformed_files_are_value_errors_naming_the_file(name):
    with pytest.raises(ValueError, match=name.split(".")[0]):
        tourvane.Graph.read(IO_DATA / name)


def test_a_bad_line_of_a_graph6_stream_is_reported_when_reached(tmp_path):
    good = (IO_DATA / "cubic10.g6").read_text().splitlines()[0]
    path = tmp_path / "mixed.g6"
    path.write_text(good + "\n" + "I??\n" + good + "\n")
    reader = tourvane.read_graphs(path)
    assert next(reader).node_count == 10
    with pytest.raises(ValueError, match="mixed.g6:2"):
        next(reader)


def test_from_edges_numbers_nodes_from_zero_and_merges():
    g = tourvane.Graph.from_edges(5, [(0, 1), (1, 0), (1, 2), (3, 3), [2, 4]])
    assert (g.node_count, g.edge_count) == (5, 3)
    assert g.edges() == [(0, 1), (1, 2), (2, 4)]
    assert g.neighbors(1) == [0, 2]
    assert g.degree(3) == 0
    assert g.has_edge(4, 2) and not g.has_edge(0, 4)
    assert tourvane.Graph.from_edges(0, []) == tourvane.Graph()
    assert g != tourvane.Graph.from_edges(5, [(0, 1)]) and g != "graph"


@pytest.mark.parametrize("n, edges, match", [
    (3, [(0, 3)], r"edge \(0, 3\) names a node outside 0..2"),
    (3, [(-1, 2)], r"outside 0..2"),
    (0, [(0, 0)], r"no nodes"),
    (3, [(0, 1, 2)], r"not a pair"),
    (-1, [], r"node count must not be negative"),
])
def test_from_edges_refuses_bad_edges(n, edges, match):
    with pytest.raises(ValueError, match=match):
        tourvane.Graph.from_edges(n, edges)


def test_node_queries_check_their_argument():
    g = tourvane.leaper(0, 1, 2, 2)
    with pytest.raises(IndexError, match="node 4 is not in a graph of 4 nodes"):
        g.neighbors(4)
    with pytest.raises(ValueError):
        g.degree(-1)
    with pytest.raises(TypeError):
        g.has_edge("a", 0)


def test_leaper_boards():
    knight = tourvane.leaper(1, 2, 8, 8)
    assert (knight.node_count, knight.edge_count) == (64, 168)
    assert knight.name == "leaper_1_2_8_8"
    # Square (r, c) is node r*n + c: on a 3 x 4 board the knight at (0, 0)
    # reaches (1, 2) and (2, 1).
    assert tourvane.leaper(1, 2, 3, 4).neighbors(0) == [1 * 4 + 2, 2 * 4 + 1]
    grid = tourvane.leaper(0, 1, 4, 5)
    assert grid.edge_count == 4 * 4 + 5 * 3
    big = tourvane.leaper(1, 2, 200, 200)   # beyond the desktop program's limit
    assert big.node_count == 40000
    with pytest.raises(ValueError, match="negative"):
        tourvane.leaper(-1, 2, 8, 8)
    with pytest.raises(ValueError, match="at least 1 x 1"):
        tourvane.leaper(1, 2, 0, 8)


def test_networkx_round_trip():
    import networkx as nx
    g = tourvane.leaper(1, 2, 5, 6)
    h = g.to_networkx()
    assert sorted(h.nodes) == list(range(30))
    assert sorted(tuple(sorted(e)) for e in h.edges) == g.edges()
    assert h.graph["name"] == "leaper_1_2_5_6"
    r = tourvane.solve(h, method="exist", seed=3)
    s = tourvane.solve(g, method="exist", seed=3)
    assert r.verdict == s.verdict
    assert isinstance(nx.Graph(), type(h))


def test_reason_node_numbers_map_back_to_labels():
    # "c" hangs on one edge: whatever the reason says, it is about "c".
    r = tourvane.solve([("a", "b"), ("b", "x"), ("x", "a"), ("b", "c")])
    assert r.verdict == tourvane.Verdict.NO_CYCLE
    named = re.search(r"node (\d+)", r.reason)
    assert named, r.reason
    assert r.label(int(named.group(1))) == "c"
    assert [r.label(k) for k in (1, 2, 3, 4)] == ["a", "b", "x", "c"]
    with pytest.raises(IndexError):
        r.label(5)
    numbered = tourvane.solve(tourvane.Graph.from_edges(3, [(0, 1), (1, 2)]))
    assert numbered.label(1) == 0
