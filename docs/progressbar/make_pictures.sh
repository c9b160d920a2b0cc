#!/usr/bin/env bash
# Renders each of the nine styles at 0, 50 and 100 % with the text on, 237 x 21 pixels like
# ProgressBar1. Run from the repository root after building: docs/progressbar/make_pictures.sh [build]
set -euo pipefail
build=${1:-build}
here=docs/progressbar
for style in 0 1 2 3 4 5 6 7 8; do
    for value in 0 50 100; do
        # Text turned on first and the value set a few times, so the carried text position settles.
        "$build/bin/klarwell-render-bar" --width 237 --height 21 \
            --set ShowText=1 --set Scrolling="$style" --set Image="$here/tile.ppm" \
            --set Value="$value" --set Value="$value" --set Value="$value" --set Value="$value" \
            --set Value="$value" --set Value="$value" --set Value="$value" --set Value="$value" \
            --out "$here/style${style}_${value}.png"
    done
done
"$build/bin/klarwell-render-bar" --width 237 --height 21 --set Orientation=1 --set Value=100 \
    --out "$here/style0_vertical_100.png"
# Without text the hatch gaps keep the light tint of the bar colour.
"$build/bin/klarwell-render-bar" --width 237 --height 21 --set Scrolling=7 --set Value=50 \
    --out "$here/style7_50_without_text.png"
