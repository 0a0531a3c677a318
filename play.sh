#!/usr/bin/env bash
# Installs what is missing, builds, generates the game folder and starts the game.
source "$(dirname "${BASH_SOURCE[0]}")/scripts/common.sh"
install_packages
build_tree "$ROOT/build" -DKR_BUILD_TESTS=OFF
make_game_folder "$ROOT/build"
exec "$ROOT/build/game/kravellon" "$@"
