"""Stopping a solve: Ctrl-C from another thread, the time limit, and the
GIL left free while the engine works. The hard graph is an odd knight's
board: bipartite with unequal sides, so it has no cycle, and the legacy
heuristic searches it for far longer than these tests wait."""

import _thread
import os
import signal
import threading
import time

import pytest

import tourvane

HARD = tourvane.leaper(1, 2, 61, 61)


def long_solve(**kwargs):
    # The time limit only bounds a test whose stop failed.
    return tourvane.solve(HARD, method="exist", time_limit=60, **kwargs)


@pytest.mark.parametrize("send", [
    _thread.interrupt_main,
    lambda: signal.raise_signal(signal.SIGINT),
], ids=["interrupt_main", "SIGINT"])
def test_ctrl_c_stops_the_solve_and_raises_keyboard_interrupt(send):
    timer = threading.Timer(0.3, send)
    start = time.monotonic()
    timer.start()
    try:
        with pytest.raises(KeyboardInterrupt):
            long_solve()
    finally:
        timer.cancel()
    assert time.monotonic() - start < 10
    # The engine is left in order: the next solve works.
    r = tourvane.solve(tourvane.leaper(1, 2, 8, 8))
    assert r.verdict == tourvane.Verdict.HAMILTONIAN


def test_a_signal_handler_that_does_not_raise_lets_the_solve_go_on():
    seen = []
    old = signal.signal(signal.SIGINT, lambda *args: seen.append(time.monotonic()))
    try:
        timer = threading.Timer(0.2, _thread.interrupt_main)
        timer.start()
        r = tourvane.solve(HARD, method="exist", time_limit=1.0)
    finally:
        signal.signal(signal.SIGINT, old)
    assert seen, "the handler ran while the solve was going"
    assert r.verdict == tourvane.Verdict.UNKNOWN
    assert r.stopped


def test_time_limit_ends_the_solve_with_unknown_and_its_best_order():
    start = time.monotonic()
    r = tourvane.solve(HARD, method="exist", time_limit=0.5)
    elapsed = time.monotonic() - start
    assert r.verdict == tourvane.Verdict.UNKNOWN
    assert r.stopped and r.tour is None
    assert 0.4 < elapsed < 10
    if r.order is not None:
        assert sorted(r.order) == list(range(61 * 61)) and r.gaps >= 1


def test_other_python_threads_run_while_the_engine_works():
    ticks = 0
    stop = threading.Event()

    def count():
        nonlocal ticks
        while not stop.is_set():
            ticks += 1
            time.sleep(0.001)

    counter = threading.Thread(target=count)
    counter.start()
    try:
        tourvane.solve(HARD, method="exist", time_limit=0.5)
    finally:
        stop.set()
        counter.join()
    # Holding the GIL for the whole solve would leave the counter at 1 or 2.
    assert ticks > 50


def test_solves_on_several_threads_at_once_each_get_their_own_result():
    graphs = [tourvane.leaper(1, 2, n, n) for n in (6, 8, 10, 12)]
    results = [None] * len(graphs)

    def run(k):
        results[k] = tourvane.solve(graphs[k], seed=k + 1)

    threads = [threading.Thread(target=run, args=(k,)) for k in range(len(graphs))]
    for t in threads:
        t.start()
    for t in threads:
        t.join(60)
    for g, r in zip(graphs, results):
        assert r.verdict == tourvane.Verdict.HAMILTONIAN
        assert sorted(r.tour) == list(range(len(g)))
        assert all(g.has_edge(r.tour[k - 1], r.tour[k]) for k in range(len(g)))


def thread_count():
    return len(os.listdir("/proc/self/task"))


@pytest.mark.skipif(not os.path.isdir("/proc/self/task"), reason="needs /proc")
def test_solve_threads_are_reused_not_piled_up():
    g = tourvane.leaper(1, 2, 6, 6)
    tourvane.solve(g)
    before = thread_count()
    for _ in range(200):
        tourvane.solve(g)
    assert thread_count() <= before + 1


@pytest.mark.skipif(not hasattr(os, "fork"), reason="needs fork")
def test_a_forked_child_solves_too():
    tourvane.solve(tourvane.leaper(1, 2, 6, 6))   # the parent has a worker now
    pid = os.fork()
    if pid == 0:
        try:
            r = tourvane.solve(tourvane.leaper(1, 2, 8, 8))
            os._exit(0 if r.verdict == tourvane.Verdict.HAMILTONIAN else 1)
        except BaseException:
            os._exit(2)
    deadline = time.monotonic() + 30
    while time.monotonic() < deadline:
        done, status = os.waitpid(pid, os.WNOHANG)
        if done:
            assert os.waitstatus_to_exitcode(status) == 0
            return
        time.sleep(0.05)
    os.kill(pid, signal.SIGKILL)
    os.waitpid(pid, 0)
    pytest.fail("the forked child's solve hung")
