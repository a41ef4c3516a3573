"""The type stub shipped with the package names exactly what the compiled
module provides: every public function, class, method and property, with
the same parameter names."""

import ast
import inspect
import pathlib
import re

import tourvane

STUB = pathlib.Path(tourvane.__file__).with_name("__init__.pyi")


def stub_tree():
    return ast.parse(STUB.read_text())


def public(names):
    return {n for n in names if not n.startswith("_") or n in ("__len__", "__eq__", "__next__", "__iter__")}


def runtime_params(obj):
    # pybind11 puts "name(arg: type, ...) -> type" first in the docstring,
    # with a lone "*" before keyword-only arguments.
    first = (obj.__doc__ or "").splitlines()[0]
    inside = re.match(r"\w+\((.*)\)", first)
    assert inside, first
    names = [p.split(":")[0].strip() for p in inside.group(1).split(", ") if p]
    return [n for n in names if n != "self"]


def stub_params(fn):
    names = [a.arg for a in fn.args.args if a.arg != "self"]
    if fn.args.kwonlyargs:
        names += ["*"] + [a.arg for a in fn.args.kwonlyargs]
    return names


def test_the_stub_is_installed_beside_the_module_with_its_marker():
    assert STUB.is_file()
    assert STUB.with_name("py.typed").is_file()


def test_module_level_names_match():
    tree = stub_tree()
    names = {n.name for n in tree.body if isinstance(n, (ast.FunctionDef, ast.ClassDef))}
    assert public(names) == set(tourvane.__all__)
    for fn in (n for n in tree.body if isinstance(n, ast.FunctionDef)):
        assert stub_params(fn) == runtime_params(getattr(tourvane, fn.name)), fn.name


def test_class_members_match():
    for cls in (n for n in stub_tree().body if isinstance(n, ast.ClassDef) and not n.name.startswith("_")):
        runtime = getattr(tourvane, cls.name)
        declared = {n.name for n in cls.body if isinstance(n, ast.FunctionDef)}
        declared |= {n.target.id for n in cls.body if isinstance(n, ast.AnnAssign)}
        declared |= {t.id for n in cls.body if isinstance(n, ast.Assign) for t in n.targets}
        declared.discard("__init__")
        if cls.name == "Verdict":
            assert declared == set(runtime.__members__)
            continue
        actual = {n for n, _ in inspect.getmembers(runtime)}
        missing = public(declared) - actual
        assert not missing, (cls.name, missing)
        undeclared = {n for n in public(actual) - public(declared)
                      if not n.startswith("__")}
        assert not undeclared, (cls.name, undeclared)
        for fn in (n for n in cls.body if isinstance(n, ast.FunctionDef)):
            member = getattr(runtime, fn.name, None)
            if callable(member) and not fn.name.startswith("__") and not isinstance(
                    inspect.getattr_static(runtime, fn.name), property):
                assert stub_params(fn) == runtime_params(member), (cls.name, fn.name)
