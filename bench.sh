#!/usr/bin/env bash
# Builds and runs the benchmarks and prints their figures.
source "$(dirname "${BASH_SOURCE[0]}")/scripts/common.sh"
install_packages
build_tree "$ROOT/build-bench" -DKR_BUILD_TESTS=OFF -DKR_BUILD_BENCH=ON -DCMAKE_BUILD_TYPE=Release
make_game_folder "$ROOT/build-bench"
"$ROOT/build-bench/bench/kr_bench" --benchmark_counters_tabular=true "$@"
# Frames per second of a mission-sized scene on the software rasteriser.
xvfb-run -a -s '-screen 0 1280x1024x24' "$ROOT/build-bench/bench/kr_scene_fps"
"$ROOT/build-bench/bench/kr_scene_fps" --headless
# Start-up time to the first logo frame and the main menu's frame rate.
xvfb-run -a -s '-screen 0 1280x1024x24' "$ROOT/build-bench/bench/kr_menu_fps"
"$ROOT/build-bench/bench/kr_menu_fps" --headless
# Frames per second of the two shipped missions in flight.
for mission in 1 2; do
  xvfb-run -a -s '-screen 0 1280x1024x24' "$ROOT/build-bench/bench/kr_mission_fps" "$mission"
  "$ROOT/build-bench/bench/kr_mission_fps" --headless "$mission"
done
