"""Type hints of the tourvane package (the compiled module tourvane._core)."""

import enum
import os
from typing import Any, Hashable, Iterable, Iterator, Literal, Protocol, Sequence, Union

__version__: str

_Path = Union[str, bytes, "os.PathLike[str]", "os.PathLike[bytes]"]
_Pair = Sequence[Hashable]

class _NetworkxLike(Protocol):
    """A graph with .nodes and .edges, such as networkx.Graph; directed when
    it has is_directed() and that returns True (networkx.DiGraph)."""
    @property
    def nodes(self) -> Iterable[Hashable]: ...
    @property
    def edges(self) -> Iterable[Any]: ...

class Verdict(enum.Enum):
    """What a solve concluded about a graph."""
    HAMILTONIAN = 0
    """A cycle (for the path question: a path) through every node was found
    and checked against the graph."""
    NO_CYCLE = 1
    """Proved: the graph has no Hamiltonian cycle (for the path question: no
    Hamiltonian path with the given ends)."""
    UNKNOWN = 2
    """Neither: stopped, out of time, or the method cannot prove absence."""

class Graph:
    """A simple graph on nodes 0..n-1, as the solver holds it: undirected,
    or directed (arcs u -> v) from from_arcs or a digraph6/DHCP file."""
    def __init__(self) -> None: ...
    @staticmethod
    def read(path: _Path) -> Graph:
        """Reads a TSPLIB HCP (DHCP: directed), DIMACS, graph6, sparse6 or
        digraph6 file holding one graph; node k of the file is node k-1.

        Raises OSError (unreadable) or ValueError (not a valid graph)."""
    @staticmethod
    def from_edges(n: int, edges: Iterable[tuple[int, int] | Sequence[int]]) -> Graph:
        """The graph on nodes 0..n-1; self-loops dropped, repeats merged."""
    @staticmethod
    def from_arcs(n: int, arcs: Iterable[tuple[int, int] | Sequence[int]]) -> Graph:
        """The directed graph on nodes 0..n-1 with arcs u -> v; self-loops
        dropped, repeats merged, (u, v) and (v, u) are two arcs."""
    @property
    def directed(self) -> bool: ...
    @property
    def node_count(self) -> int: ...
    @property
    def edge_count(self) -> int:
        """Edges, or arcs of a directed graph."""
    @property
    def name(self) -> str:
        """The name a file gave the graph (TSPLIB NAME), or ''."""
    @property
    def fixed_edges(self) -> list[tuple[int, int]]:
        """Edges every cycle must use."""
    def __len__(self) -> int: ...
    def edges(self) -> list[tuple[int, int]]:
        """Every edge once as (u, v), u < v, ascending; every arc (tail,
        head) of a directed graph."""
    def neighbors(self, v: int) -> list[int]:
        """Neighbours of v; successors in a directed graph."""
    def in_neighbors(self, v: int) -> list[int]:
        """Predecessors of v in a directed graph; neighbours otherwise."""
    def degree(self, v: int) -> int:
        """Degree of v; out-degree in a directed graph."""
    def in_degree(self, v: int) -> int: ...
    def has_edge(self, u: int, v: int) -> bool:
        """u and v joined; in a directed graph, the arc u -> v."""
    def to_networkx(self) -> Any:
        """The same graph as a networkx.Graph (DiGraph when directed) on
        nodes 0..n-1."""
    def __eq__(self, other: object) -> bool: ...

class Result:
    """The outcome of solve()."""
    @property
    def question(self) -> Literal["cycle", "path"]:
        """What was asked."""
    @property
    def verdict(self) -> Verdict:
        """For the path question HAMILTONIAN means a path was found, NO_CYCLE
        that none exists (repr: HAMILTONIAN_PATH, NO_PATH)."""
    @property
    def tour(self) -> list[Any] | None:
        """The checked Hamiltonian cycle in the caller's labels, or None
        (always None for the path question)."""
    @property
    def path(self) -> list[Any] | None:
        """The checked Hamiltonian path, first node to last, in the caller's
        labels, or None (always None for the cycle question)."""
    @property
    def order(self) -> list[Any] | None:
        """The best order reached (maybe with gaps): cyclic for a cycle, open
        for a path; None when none was built."""
    @property
    def gaps(self) -> int | None:
        """Links of order that are not edges, or None without an order."""
    @property
    def reason(self) -> str:
        """Why there is no cycle or path, or what ended the search."""
    @property
    def method(self) -> str: ...
    @property
    def seed(self) -> int: ...
    @property
    def stopped(self) -> bool: ...
    @property
    def seconds(self) -> float: ...
    def label(self, number: int) -> Any:
        """The caller's label of the node `reason` calls `number` (from 1)."""

class GraphReader(Iterator[Graph]):
    """The graphs of one file, read one at a time."""
    def __iter__(self) -> GraphReader: ...
    def __next__(self) -> Graph: ...

def read_graphs(path: _Path) -> GraphReader:
    """Every graph of a file (each line of a graph6/sparse6/digraph6 file)."""

def solve(
    graph: Graph | _NetworkxLike | Iterable[_Pair],
    method: str = "auto",
    seed: int = 1,
    time_limit: float | None = None,
    *,
    path: bool = False,
    ends: tuple[Hashable | None, Hashable | None] | None = None,
) -> Result:
    """Looks for a Hamiltonian cycle, or with path=True a Hamiltonian path;
    ends=(s, t) or (s, None) fixes its ends (labels of graph) and implies
    path=True. The GIL is released, Ctrl-C stops it.

    Raises TypeError for an unsupported graph, ValueError for bad input
    (ends that are no nodes of graph, or the same node twice)."""

def methods() -> list[str]:
    """The names of the registered solve methods."""

def leaper(a: int, b: int, m: int, n: int) -> Graph:
    """The (a, b)-leaper graph of an m x n board; square (r, c) is node r*n + c."""

def write_tour(path: _Path, tour: Iterable[int], name: str = "", comment: str = "") -> None:
    """Writes a TSPLIB TOUR file of node numbers 0..n-1 (written from 1),
    through a temporary file renamed over path."""

def read_tour(path: _Path, graph: Graph | None = None) -> list[int]:
    """Reads a TSPLIB TOUR file; node numbers counted from 0."""
