#!/bin/sh
# Throughput on a stream of small graphs: every connected cubic graph on N
# nodes (18 by default: 41,301 graphs, 1,666 without a Hamiltonian cycle),
# decided by hcpsolve reading standard input and by nauty's cubhamg, which
# handles only graphs of degree at most 3. Prints the CPU time (user + sys)
# and the wall time of each and the ratio; CPU time is the figure to quote
# on a shared machine. The graphs are generated once, outside the timing,
# because generating them costs more than deciding them.
#
#   bench/nauty_throughput.sh [HCPSOLVE] [N]
#
# HCPSOLVE defaults to build/tools/hcpsolve/hcpsolve. nauty comes from the
# Debian package (installed here with apt-get when missing and run as root).
set -eu

hcpsolve=${1:-build/tools/hcpsolve/hcpsolve}
n=${2:-18}

if ! command -v nauty-geng >/dev/null 2>&1; then
    if [ "$(id -u)" = 0 ]; then
        apt-get install -y -q nauty >/dev/null
    else
        echo "nauty_throughput: nauty is not installed (apt-get install nauty)" >&2
        exit 1
    fi
fi
if [ ! -x "$hcpsolve" ]; then
    echo "nauty_throughput: $hcpsolve: no such program (build it first)" >&2
    exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

nauty-geng -cq -d3 -D3 "$n" >"$work/graphs.g6"
graphs=$(wc -l <"$work/graphs.g6")

# Prints "CPU WALL" in seconds for the command that follows; its own
# output goes nowhere, and a non-zero exit status (hcpsolve says 1 when
# some graph has no cycle) is not a failure here.
timed() {
    /usr/bin/time -f "%U %S %e" -o "$work/time" "$@" >/dev/null 2>&1 || true
    tail -n 1 "$work/time" | awk '{ printf "%.3f %.3f\n", $1 + $2, $3 }'
}

set -- $(timed nauty-cubhamg "$work/graphs.g6" "$work/nonham.g6")
nauty_cpu=$1 nauty_wall=$2
nauty_no=$(wc -l <"$work/nonham.g6")

set -- $(timed sh -c 'exec "$1" --quiet --format csv - <"$2" >"$3"' sh "$hcpsolve" "$work/graphs.g6" "$work/results.csv")
ours_cpu=$1 ours_wall=$2

yes=$(grep -c ',HAMILTONIAN,' "$work/results.csv" || true)
no=$(grep -c ',NO_CYCLE,' "$work/results.csv" || true)
other=$(( $(tail -n +2 "$work/results.csv" | wc -l) - yes - no ))

echo "connected cubic graphs on $n nodes: $graphs"
printf '%-26s %8s %8s   %s\n' "" "CPU s" "wall s" "verdicts"
printf '%-26s %8s %8s   %s\n' "nauty-cubhamg" "$nauty_cpu" "$nauty_wall" "$((graphs - nauty_no)) hamiltonian, $nauty_no not"
printf '%-26s %8s %8s   %s\n' "hcpsolve --quiet -" "$ours_cpu" "$ours_wall" "$yes hamiltonian, $no not, $other undecided"
awk -v a="$ours_cpu" -v b="$nauty_cpu" -v c="$ours_wall" -v d="$nauty_wall" 'BEGIN {
    printf "ratio hcpsolve / cubhamg:   CPU %s, wall %s\n",
        (b > 0 ? sprintf("%.1f", a / b) : "inf"), (d > 0 ? sprintf("%.1f", c / d) : "inf") }'
if [ "$yes" -ne $((graphs - nauty_no)) ] || [ "$no" -ne "$nauty_no" ]; then
    echo "nauty_throughput: verdicts differ from nauty-cubhamg" >&2
    exit 1
fi
