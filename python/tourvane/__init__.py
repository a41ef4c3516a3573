"""Hamiltonian cycles and paths of graphs and digraphs: the Tourvane engine
for Python.

>>> import tourvane
>>> r = tourvane.solve([(1, 2), (2, 3), (3, 4), (4, 1), (1, 3)])
>>> r.verdict, sorted(r.tour)
(<Verdict.HAMILTONIAN: 0>, [1, 2, 3, 4])
>>> tourvane.solve([(1, 2), (2, 3), (3, 4)], ends=(4, None)).path
[4, 3, 2, 1]

The engine lives in the compiled module tourvane._core; networkx is only
imported by Graph.to_networkx, never by importing tourvane.
"""

from ._core import (Graph, GraphReader, Result, Verdict, __version__, leaper, methods,
                    read_graphs, read_tour, solve, write_tour)

__all__ = ["Graph", "GraphReader", "Result", "Verdict", "leaper", "methods", "read_graphs",
           "read_tour", "solve", "write_tour"]

# Show the classes under the package users import, not the compiled module.
for _cls in (Graph, GraphReader, Result, Verdict):
    _cls.__module__ = __name__
del _cls
