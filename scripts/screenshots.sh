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
# title once it accepts clicks and rest on the main menu; then a new pilot,
# the pilot selection, the options, top scores, help, version, credits and
# the exit question, each opened from the main menu.
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

click() {  # click FRAME X Y: the pointer moves there, the button goes down and up
    printf 'frame %d\nmouse %d %d\nframe %d\nbutton 1 down\nframe %d\nbutton 1 up\n' "$1" "$2" "$3" $(($1 + 2)) $(($1 + 4)) \
        >> "$WORK/input.txt"
}
tap() {  # tap FRAME SCANCODE
    printf 'frame %d\nkey down %d\nframe %d\nkey up %d\n' "$1" "$2" $(($1 + 1)) "$2" >> "$WORK/input.txt"
}
click 530 200 240    # play: no pilot yet, so the name entry opens
tap 560 30; tap 570 46; tap 580 18; tap 590 57; tap 600 8   # A C E space 7
tap 640 28           # enter
click 760 126 670    # back to the main menu
click 800 200 450    # options
click 910 250 380    # the sound page
click 950 510 680    # accept: the engine restarts
click 1040 200 380   # top scores
printf 'frame 1090\nmouse 500 330\n' >> "$WORK/input.txt"
click 1140 780 670   # back
click 1190 200 590   # help
click 1270 780 670   # back
click 1320 200 300   # version
click 1400 780 670   # back
click 1450 200 670   # the exit question
printf 'frame 1470\nmouse 600 200\n' >> "$WORK/input.txt"
click 1520 600 200   # a click stays in the game
click 1560 200 520   # credits
# Long frames while the credits scroll, so their names come into view.
printf 'frame 1800\ndt 200\nframe 2100\ndt 16\n' >> "$WORK/input.txt"
click 2120 774 718   # back
click 2160 200 240   # play: the pilot selection
click 2210 780 670   # start: the hangar
# Long frames while the briefing lines appear.
printf 'frame 2250\nmouse 600 60\ndt 100\nframe 2350\ndt 16\n' >> "$WORK/input.txt"
click 2370 500 610   # the ship selection
click 2410 640 700   # the right arrow turns the carousel
click 2470 500 650   # confirm the ship: back in the hangar
click 2530 700 610   # the shop
printf 'frame 2580\nmouse 272 332\n' >> "$WORK/input.txt"

SHOTS=(2:loading 90:logo 300:title 525:main_menu 620:new_pilot 740:pilots 900:options 940:options_sound
       1130:top_scores 1260:help 1390:version 1510:exit 2110:credits 2360:hangar 2460:ship_select 2600:shop)
args=()
for shot in "${SHOTS[@]}"; do args+=(--screenshot "${shot%%:*}:$OUT/${shot#*:}.png"); done
xvfb-run -a -s '-screen 0 1280x1024x24' "$WORK/game/kravellon" --game-dir "$WORK/game" --frame-ms 16 --seed 1 \
    --input "$WORK/input.txt" --frames 2600 "${args[@]}"

# Each mission, started straight from the main menu for the pilot made above.
head -n 13 "$WORK/input.txt" > "$WORK/to_menu.txt"
for mission in 1 2; do
    xvfb-run -a -s '-screen 0 1280x1024x24' "$WORK/game/kravellon" --game-dir "$WORK/game" --frame-ms 16 --seed 1 \
        --input "$WORK/to_menu.txt" --mission "1:$mission" --frames 1200 \
        --screenshot "1190:$OUT/mission$mission.png"
done
# The first mission to its end: the pause (Escape, the pointer moved so the
# panel shows), resuming, the gun in bursts, P+T to bring the boss, the boss
# fight and its finale, then the results and a click to the hangar. The
# pilot gets a strong gun upgrade (item 5 = 20, at byte 296 of the pilots'
# file) so the boss falls within a few seconds.
printf '\x14\x00\x00\x00' | dd of="$WORK/game/Graphics/i_spec7.dds" bs=1 seek=296 conv=notrunc status=none
fire() {  # fire FROM TO: bursts of the gun that keep it cool
    for ((f = $1; f < $2; f += 60)); do printf 'frame %d\nkey down 57\nframe %d\nkey up 57\n' "$f" $((f + 40)); done
}
{
    cat "$WORK/to_menu.txt"
    printf 'frame 1000\nkey down 1\nframe 1002\nkey up 1\nframe 1010\nmouse 600 300\nframe 1015\nmouse 620 320\n'
    printf 'frame 1040\nmouse 600 504\nframe 1044\nbutton 1 down\nframe 1047\nbutton 1 up\n'
    fire 1050 1090
    printf 'frame 1100\nkey down 25\nframe 1102\nkey down 20\nframe 1104\nkey up 20\nkey up 25\n'
    fire 1120 2500
    printf 'frame 2600\nbutton 1 down\nframe 2603\nbutton 1 up\n'
} > "$WORK/ending.txt"
xvfb-run -a -s '-screen 0 1280x1024x24' "$WORK/game/kravellon" --game-dir "$WORK/game" --frame-ms 16 --seed 1 \
    --input "$WORK/ending.txt" --mission 1:1 --frames 2610 \
    --screenshot "1030:$OUT/pause.png" --screenshot "1500:$OUT/hud.png" --screenshot "2240:$OUT/boss.png" \
    --screenshot "2275:$OUT/finale.png" --screenshot "2420:$OUT/results.png"

# The second mission won at once: the campaign is over, the end of the game.
{
    cat "$WORK/to_menu.txt"
    fire 600 1000
    printf 'frame 1100\nkey down 25\nframe 1102\nkey down 49\nframe 1104\nkey up 49\nkey up 25\n'
    printf 'frame 1400\nbutton 1 down\nframe 1403\nbutton 1 up\nframe 1450\nmouse 780 676\n'
} > "$WORK/last.txt"
xvfb-run -a -s '-screen 0 1280x1024x24' "$WORK/game/kravellon" --game-dir "$WORK/game" --frame-ms 16 --seed 1 \
    --input "$WORK/last.txt" --mission 1:2 --frames 1520 --screenshot "1515:$OUT/end_of_game.png"
echo "screenshots in $OUT"
