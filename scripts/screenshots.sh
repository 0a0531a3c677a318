#!/usr/bin/env bash
# Takes the README's screenshots from a scripted run of the real game under
# Xvfb: scripts/screenshots.sh [BUILD_DIR]  (default: build)
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${1:-$ROOT/build}"
OUT="$ROOT/docs/screenshots"
mkdir -p "$OUT"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
cp -r "$BUILD/game" "$WORK/game"

# Skip the intro with a click, leave the logo with Enter, click through the
# title once it accepts clicks, and rest on the main menu.
cat > "$WORK/input.txt" <<'SCRIPT'
frame 2
button 1 down
frame 3
button 1 up
frame 120
key down 28
frame 122
key up 28
mouse 620 200
frame 420
button 1 down
frame 422
button 1 up
frame 520
mouse 200 380
SCRIPT

shot() {  # shot FRAME NAME
    xvfb-run -a -s '-screen 0 1280x1024x24' "$WORK/game/kravellon" --game-dir "$WORK/game" --frame-ms 16 --seed 1 \
        --input "$WORK/input.txt" --frames "$1" --screenshot "$1:$OUT/$2.png"
}
shot 2 loading
shot 90 logo
shot 300 title
shot 600 main_menu
echo "screenshots in $OUT"
