#!/usr/bin/env bash
# Builds and runs the benchmarks and prints their figures.
source "$(dirname "${BASH_SOURCE[0]}")/scripts/common.sh"
install_packages
build_tree "$ROOT/build-bench" -DKR_BUILD_TESTS=OFF -DKR_BUILD_BENCH=ON -DCMAKE_BUILD_TYPE=Release
make_game_folder "$ROOT/build-bench"
"$ROOT/build-bench/bench/kr_bench" --benchmark_counters_tabular=true "$@"
