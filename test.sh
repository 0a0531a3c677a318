#!/usr/bin/env bash
# Installs what is missing, builds, generates the game folder and runs every
# test: first the normal build, then again under AddressSanitizer and
# UndefinedBehaviorSanitizer.
source "$(dirname "${BASH_SOURCE[0]}")/scripts/common.sh"
install_packages

build_tree "$ROOT/build-test" -DKR_BUILD_TESTS=ON
make_game_folder "$ROOT/build-test"
ctest --test-dir "$ROOT/build-test" --output-on-failure -j"$(nproc)"

build_tree "$ROOT/build-asan" -DKR_BUILD_TESTS=ON -DKR_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
make_game_folder "$ROOT/build-asan"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$ROOT/build-asan" --output-on-failure -j"$(nproc)"
