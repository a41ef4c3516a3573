"""TOUR files from Python: a solved tour survives the round trip, other
programs' tour layouts read, and bad tours or places are refused."""

import os
import stat
import subprocess

import pytest

import tourvane
from conftest import EXAMPLES, assert_cycle


def test_a_solved_tour_round_trips_and_the_tool_accepts_it(tmp_path):
    g = tourvane.Graph.read(EXAMPLES / "leaper_1_2_30_30.hcp")
    r = tourvane.solve(g)
    assert r.verdict == tourvane.Verdict.HAMILTONIAN
    path = tmp_path / "knight.tour"
    tourvane.write_tour(path, r.tour, name="leaper_1_2_30_30", comment="HCP solution (H=0)")
    assert tourvane.read_tour(path) == r.tour
    assert tourvane.read_tour(str(path), graph=g) == r.tour
    text = path.read_text()
    for line in ("NAME : leaper_1_2_30_30", "TYPE : TOUR", "DIMENSION : 900", "TOUR_SECTION"):
        assert line.replace(" : ", ":").replace(" ", "") in text.replace(" ", ""), line
    numbers = [int(x) for x in text.split("TOUR_SECTION")[1].split() if x.lstrip("-").isdigit()]
    assert numbers[:900] == [v + 1 for v in r.tour] and numbers[900] == -1
    # An independent check of the file: the batch solver's tour checker.
    tool = os.environ.get("TOURVANE_HCPSOLVE")
    if tool:
        out = subprocess.run([tool, "--verify", str(EXAMPLES / "leaper_1_2_30_30.hcp"), str(path)],
                             capture_output=True, text=True, timeout=60)
        assert out.returncode == 0, out.stdout + out.stderr
        assert "HAMILTONIAN" in out.stdout


def test_other_programs_tour_layouts_read(tmp_path):
    path = tmp_path / "foreign.tou"
    path.write_bytes(b"TYPE: TOUR\r\nNAME :  sq4\r\nDIMENSION:4\r\nTOUR_SECTION\r\n1 2\r\n3\t4\r\n")
    assert tourvane.read_tour(path) == [0, 1, 2, 3]
    square = tourvane.Graph.from_edges(4, [(0, 1), (1, 2), (2, 3), (3, 0)])
    assert_cycle(range(4), square.has_edge, tourvane.read_tour(path, graph=square))


def test_a_tour_beyond_its_graph_is_refused_at_its_line(tmp_path):
    path = tmp_path / "long.tour"
    path.write_text("TYPE : TOUR\nTOUR_SECTION\n1\n2\n3\n4\n5\n-1\nEOF\n")
    assert tourvane.read_tour(path) == [0, 1, 2, 3, 4]
    with pytest.raises(ValueError, match="long.tour:"):
        tourvane.read_tour(path, graph=tourvane.leaper(0, 1, 2, 2))


def test_files_that_are_no_tour_are_value_errors(tmp_path):
    path = tmp_path / "bad.tour"
    path.write_text("TYPE : TOUR\nDIMENSION : 3\nTOUR_SECTION\n1\nx\n3\n-1\n")
    with pytest.raises(ValueError, match="bad.tour:5"):
        tourvane.read_tour(path)
    with pytest.raises(OSError, match="missing.tour"):
        tourvane.read_tour(tmp_path / "missing.tour")


@pytest.mark.parametrize("tour, match", [
    ([0, 1, 3], r"node 3, outside 0..2"),
    ([0, 1, 1], r"visits node 1 a second time"),
    ([0, -1, 2], r"must not be negative"),
])
def test_write_refuses_what_is_no_tour_and_writes_nothing(tmp_path, tour, match):
    path = tmp_path / "t.tour"
    with pytest.raises(ValueError, match=match):
        tourvane.write_tour(path, tour)
    assert not path.exists()


def test_a_failed_write_keeps_the_existing_file(tmp_path):
    path = tmp_path / "keep.tour"
    tourvane.write_tour(path, [0, 1, 2])
    before = path.read_bytes()
    with pytest.raises(ValueError):
        tourvane.write_tour(path, [0, 0, 2])
    assert path.read_bytes() == before
    with pytest.raises(OSError):
        tourvane.write_tour(tmp_path / "no" / "such" / "folder.tour", [0, 1, 2])
    # A folder where the file should go cannot be replaced.
    (tmp_path / "dir.tour").mkdir()
    with pytest.raises(OSError):
        tourvane.write_tour(tmp_path / "dir.tour", [0, 1, 2])
    assert (tmp_path / "dir.tour").is_dir()
    assert sorted(p.name for p in tmp_path.iterdir()) == ["dir.tour", "keep.tour"]


def _char_device_copy(path):
    """A copy of /dev/full at path (root only), else None."""
    full = os.stat("/dev/full")
    try:
        os.mknod(path, 0o666 | stat.S_IFCHR, full.st_rdev)
    except PermissionError:
        return None
    return path


def test_a_device_or_fifo_is_refused_and_left_as_it_was(tmp_path):
    fifo = tmp_path / "pipe.tour"
    os.mkfifo(fifo)
    with pytest.raises(OSError, match="pipe.tour: Is a FIFO, not a regular file"):
        tourvane.write_tour(fifo, [0, 1, 2])
    assert stat.S_ISFIFO(os.lstat(fifo).st_mode)
    device = _char_device_copy(tmp_path / "full.tour")
    if device is not None:
        with pytest.raises(OSError, match="Is a character device"):
            tourvane.write_tour(device, [0, 1, 2])
        assert stat.S_ISCHR(os.lstat(device).st_mode)
    link = tmp_path / "null.tour"
    link.symlink_to("/dev/null")
    with pytest.raises(OSError, match=r"Links to a character device \(/dev/null\)"):
        tourvane.write_tour(link, [0, 1, 2])
    assert link.is_symlink() and stat.S_ISCHR(os.stat("/dev/null").st_mode)
    assert sorted(p.name for p in tmp_path.iterdir()) == sorted(
        ["pipe.tour", "null.tour"] + (["full.tour"] if device is not None else []))


def test_a_link_to_a_tour_is_written_through_and_stays_a_link(tmp_path):
    target = tmp_path / "real.tour"
    tourvane.write_tour(target, [2, 1, 0])
    link = tmp_path / "link.tour"
    link.symlink_to("real.tour")
    tourvane.write_tour(link, [0, 1, 2], name="through")
    assert link.is_symlink()
    assert tourvane.read_tour(target) == [0, 1, 2]
    assert sorted(p.name for p in tmp_path.iterdir()) == ["link.tour", "real.tour"]
