#!/usr/bin/env python3
"""Peak memory and time-to-stop of hcpsolve on hostile inputs: a DIMACS
header of 2^31 - 1 nodes, /dev/zero as every line format and on standard
input, and a FIFO nobody writes to, stopped by SIGINT, by SIGTERM and by
--time-limit 1; and the complete method on the 1000 x 1000 knight's board
with --time-limit 10 (made with leaper, next to hcpsolve in the build).
Targets: under 100 MB each (the knight's board under 2 GB), and an end
within 0.5 s of the signal or the limit.

Usage: bench/hostile_input_bench.py build/tools/hcpsolve/hcpsolve

Peak memory is the child's maximum resident set (wait4), which counts the
forked interpreter before the exec too: about 14 MB is that floor. "stop" is the
time from the signal (or from the time limit) to the exit. Timings are wall
clock and noisy on a busy machine."""

import os
import signal
import subprocess
import sys
import tempfile
import time

TARGET_MB = 100
TARGET_STOP = 0.5


def run(argv, stdin=None, signal_after=None, sig=signal.SIGINT, cwd=None):
    """Runs argv to its end; returns (status, seconds, peak MB, seconds from
    the signal to the exit or None)."""
    start = time.monotonic()
    proc = subprocess.Popen(argv, stdin=stdin, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, cwd=cwd)
    sent = None
    if signal_after is not None:
        time.sleep(signal_after)
        sent = time.monotonic()
        proc.send_signal(sig)
    deadline = start + 60
    while True:
        pid, status, usage = os.wait4(proc.pid, os.WNOHANG)
        if pid != 0:
            break
        if time.monotonic() > deadline:
            proc.kill()
            pid, status, usage = os.wait4(proc.pid, 0)
            break
        time.sleep(0.005)
    end = time.monotonic()
    proc.returncode = os.waitstatus_to_exitcode(status)
    peak_mb = usage.ru_maxrss / 1024.0
    return proc.returncode, end - start, peak_mb, (end - sent) if sent else None


def main():
    if len(sys.argv) != 2:
        print(__doc__.split("\n\n")[1], file=sys.stderr)
        return 2
    hcpsolve = os.path.abspath(sys.argv[1])
    rows = []
    with tempfile.TemporaryDirectory() as work:
        def path(name):
            return os.path.join(work, name)

        with open(path("huge.col"), "w") as f:
            f.write("p edge 2147483647 1\n")
        with open(path("huge.s6"), "w") as f:
            f.write(":~~?A????\n")
        for ext in ("g6", "s6", "col"):
            os.symlink("/dev/zero", path("zero." + ext))
        os.mkfifo(path("nowriter.g6"))

        def case(name, argv, stdin=None, limit=None, target_mb=TARGET_MB, **kw):
            status, seconds, peak, stop = run([hcpsolve] + argv, stdin=stdin, cwd=work, **kw)
            if limit is not None:
                stop = seconds - limit
            ok = peak < target_mb and (stop is None or stop < TARGET_STOP)
            rows.append((name, status, seconds, peak, stop, ok))

        case("p edge 2147483647 1", ["huge.col"])
        case("sparse6 :~~?A????", ["huge.s6"])
        for ext in ("g6", "s6", "col"):
            case("/dev/zero as ." + ext, ["zero." + ext])
        with open("/dev/zero", "rb") as zero:
            case("/dev/zero on stdin", ["-"], stdin=zero)
        case("FIFO, no writer, SIGINT", ["nowriter.g6"], signal_after=1.0)
        case("FIFO, no writer, SIGTERM", ["nowriter.g6"], signal_after=1.0, sig=signal.SIGTERM)
        case("FIFO, no writer, --time-limit 1", ["--time-limit", "1", "nowriter.g6"], limit=1.0)
        read_end, write_end = os.pipe()
        os.write(write_end, b"Bw\n")   # one graph, then the writer stalls
        case("stalled pipe, SIGINT", ["-"], stdin=read_end, signal_after=1.0)
        os.close(read_end)
        os.close(write_end)
        leaper = os.path.join(os.path.dirname(os.path.dirname(hcpsolve)), "leaper", "leaper")
        if os.path.exists(leaper):
            subprocess.run([leaper, "1", "2", "1000", "1000"], cwd=work, check=True, stdout=subprocess.DEVNULL)
            case("exact, 1000 x 1000 knight, limit 10", ["--method", "exact", "--jobs", "1", "--time-limit", "10",
                                                         "leaper_1_2_1000_1000.hcp"], limit=10.0, target_mb=2048)

    print(f"{'input':34} {'status':>6} {'seconds':>8} {'peak MB':>8} {'stop s':>7}  target")
    for name, status, seconds, peak, stop, ok in rows:
        stop_text = f"{stop:7.3f}" if stop is not None else "      -"
        print(f"{name:34} {status:6d} {seconds:8.3f} {peak:8.1f} {stop_text}  {'ok' if ok else 'MISSED'}")
    return 0 if all(r[5] for r in rows) else 1


if __name__ == "__main__":
    sys.exit(main())
