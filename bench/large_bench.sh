#!/bin/sh
# Runs the large-graph benchmark: the three targets, the growth table and
# the comparison with the legacy 'exist' method up to 32,767 nodes. Each
# instance runs in a child process of its own; the columns are described at
# the top of bench/large_bench.cpp. On a shared machine compare cpu_s, not
# solve_s.
#   bench/large_bench.sh [BUILD_DIR] [CROSSOVER_LIMIT_SECONDS]
set -e
build=${1:-build}
limit=${2:-30}
cmake --build "$build" --target large_bench
bin="$build/bench/large_bench"
echo "== targets (1000 x 1000 knight, 1,000,000-node hidden-cycle cubic, 181 x 181 knight)"
"$bin" targets
echo "== growth: N = 1e4, 1e5, 1e6"
"$bin" table
echo "== large against exist (time limit $limit s each)"
"$bin" crossover "$limit"
