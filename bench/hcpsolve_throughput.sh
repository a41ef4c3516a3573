#!/usr/bin/env bash
# hcpsolve's throughput on two workloads, for one build or side by side for
# several (for example the build before a change and after it):
#   stream: every connected cubic graph on 18 nodes (41,301 graphs from
#           nauty-geng) on standard input, --jobs 1 and --jobs 2;
#   files:  the FHCP sample (23 files in ../shared/bench/fhcpcs), --jobs 2.
# Each figure is the best of REPEAT runs (default 3): wall seconds and graphs
# per second. Usage:
#   bench/hcpsolve_throughput.sh build/tools/hcpsolve/hcpsolve [OTHER_HCPSOLVE ...]
# A program may be given as "LD_LIBRARY_PATH=DIR:PROGRAM" to run an older
# build against its own engine library.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
shared="${TOURVANE_SHARED_DIR:-$here/../../shared}"
repeat="${REPEAT:-3}"
[ $# -ge 1 ] || { echo "usage: $0 HCPSOLVE [HCPSOLVE ...]" >&2; exit 2; }
command -v nauty-geng >/dev/null || { echo "$0: nauty-geng is missing (apt-get install nauty)" >&2; exit 2; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
nauty-geng -q -c -d3 -D3 18 > "$work/cubic18.g6"
graphs=$(wc -l < "$work/cubic18.g6")
fhcp=("$shared"/bench/fhcpcs/graph*.hcp)

# best_of CMD...: the fewest wall seconds over $repeat runs, output dropped.
best_of() {
    local best=""
    for _ in $(seq "$repeat"); do
        local t0 t1
        t0=$(date +%s.%N)
        "$@" > /dev/null 2>&1 || true
        t1=$(date +%s.%N)
        best=$(echo "$t0 $t1 $best" | awk '{ d = $2 - $1; if ($3 == "" || d < $3) print d; else print $3 }')
    done
    echo "$best"
}

run() {   # run PROG ARGS...: PROG is PROGRAM or LIBDIR:PROGRAM
    local prog="$1"; shift
    if [[ "$prog" == LD_LIBRARY_PATH=*:* ]]; then
        local rest="${prog#LD_LIBRARY_PATH=}"
        LD_LIBRARY_PATH="${rest%%:*}" "${rest#*:}" "$@"
    else
        "$prog" "$@"
    fi
}

printf "%-40s %-22s %10s %12s\n" program workload seconds graphs/s
for prog in "$@"; do
    for jobs in 1 2; do
        t=$(best_of bash -c "$(declare -f run); run '$prog' --quiet --jobs $jobs - < '$work/cubic18.g6'")
        printf "%-40s %-22s %10.2f %12.0f\n" "$(basename "${prog#*:}")" "cubic18 stream -j$jobs" "$t" \
            "$(echo "$graphs $t" | awk '{ print $1 / $2 }')"
    done
    t=$(best_of run "$prog" --quiet --jobs 2 --time-limit 60 "${fhcp[@]}")
    printf "%-40s %-22s %10.2f %12.2f\n" "$(basename "${prog#*:}")" "fhcpcs files -j2" "$t" \
        "$(echo "${#fhcp[@]} $t" | awk '{ print $1 / $2 }')"
done
