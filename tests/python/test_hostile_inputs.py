"""Inputs that used to cost the interpreter its life or its Ctrl-C: node
counts beyond the machine, FIFOs nobody writes to, writers that stall and
files without end. Each ends with a Python exception, promptly."""

import _thread
import os
import signal
import threading
import time

import pytest

import tourvane

PETERSEN_G6 = "IheA@GUAo"


def test_a_node_count_beyond_the_machine_is_a_memory_error_not_a_kill():
    with pytest.raises(MemoryError, match=r"a graph of 2147483648 nodes needs about \d+ GB"):
        tourvane.Graph.from_edges(2 ** 31, [])
    with pytest.raises(ValueError, match="the node count"):
        tourvane.Graph.from_edges(2 ** 32 - 1, [])
    # The module is left in order.
    assert tourvane.Graph.from_edges(3, [(0, 1), (1, 2), (2, 0)]).edge_count == 3


@pytest.fixture
def fifo(tmp_path):
    path = tmp_path / "graphs.g6"
    os.mkfifo(path)
    return path


def release_later(path, seconds):
    """Opens and closes the FIFO's writing end after `seconds`, so that a
    reader that ignored Ctrl-C fails the test instead of hanging it."""
    def release():
        try:
            os.close(os.open(path, os.O_WRONLY | os.O_NONBLOCK))
        except OSError:
            pass   # no reader has it open
    timer = threading.Timer(seconds, release)
    timer.start()
    return timer


@pytest.mark.parametrize("send", [
    _thread.interrupt_main,
    lambda: signal.raise_signal(signal.SIGINT),
], ids=["interrupt_main", "SIGINT"])
def test_ctrl_c_ends_a_read_from_a_fifo_without_a_writer(fifo, send):
    timer = threading.Timer(0.3, send)
    safety = release_later(fifo, 8)
    start = time.monotonic()
    timer.start()
    try:
        with pytest.raises(KeyboardInterrupt):
            tourvane.Graph.read(fifo)
    finally:
        timer.cancel()
        safety.cancel()
    assert time.monotonic() - start < 5


def test_ctrl_c_ends_the_wait_for_the_next_graph_of_a_stalled_writer(fifo):
    ready = threading.Event()
    done = threading.Event()

    def writer():
        with open(fifo, "w") as out:
            out.write(PETERSEN_G6 + "\n")
            out.flush()
            ready.set()
            done.wait(10)

    thread = threading.Thread(target=writer)
    thread.start()
    try:
        graphs = tourvane.read_graphs(fifo)
        first = next(graphs)   # has arrived: not held back by the stall
        assert (first.node_count, first.edge_count) == (10, 15)
        assert ready.wait(5)
        timer = threading.Timer(0.3, _thread.interrupt_main)
        start = time.monotonic()
        timer.start()
        with pytest.raises(KeyboardInterrupt):
            next(graphs)
        assert time.monotonic() - start < 5
    finally:
        done.set()
        thread.join()


@pytest.mark.parametrize("name", ["zero.g6", "zero.s6", "zero.d6", "zero.col", "zero"])
def test_a_file_without_end_stops_at_the_line_bound(tmp_path, name):
    link = tmp_path / name
    os.symlink("/dev/zero", link)
    with pytest.raises(ValueError, match=r":1: line is longer than \d+ bytes"):
        tourvane.Graph.read(link)


def test_a_header_the_data_does_not_carry_is_a_value_error_naming_its_line(tmp_path):
    path = tmp_path / "big.col"
    path.write_text("c huge\np edge 2147483647 1\n")
    with pytest.raises(ValueError, match=r"big\.col:2: the problem line gives 2147483647 nodes"):
        tourvane.Graph.read(path)
    path = tmp_path / "big.s6"
    path.write_text(":~~?A????\n")
    with pytest.raises(ValueError, match=r"big\.s6:1: the line gives 33554432 nodes"):
        tourvane.Graph.read(path)
