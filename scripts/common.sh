# Shared set-up for play.sh, test.sh and bench.sh: Debian packages, configure,
# build, game folder. Each step does nothing when its work is already done.

set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  libsdl2-dev libepoxy-dev libfreetype-dev libharfbuzz-dev libstb-dev libsquish-dev
  libtinygltf-dev nlohmann-json3-dev libglm-dev
  libavformat-dev libavcodec-dev libavutil-dev libswresample-dev libswscale-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth libgl1-mesa-dri fonts-play fonts-liberation2
)

missing_packages() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  echo "${missing[@]:-}"
}

install_packages() {
  local missing
  missing="$(missing_packages)"
  [ -z "$missing" ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "These Debian packages are missing. Install them with:" >&2
    echo "  sudo apt-get install --no-install-recommends $missing" >&2
    exit 1
  fi
  echo "Installing: $missing"
  apt-get update -qq
  # shellcheck disable=SC2086
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
}

# build_tree DIR [cmake options...]: configure once, then build everything.
build_tree() {
  local dir="$1"; shift
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$ROOT" -B "$dir" -G Ninja "$@"
  fi
  ninja -C "$dir" -j"$(nproc)"
}

# make_game_folder DIR: the generated game folder beside the executable.
make_game_folder() {
  local dir="$1"
  "$dir/tools/makedata/makedata" --out "$dir/game"
}
