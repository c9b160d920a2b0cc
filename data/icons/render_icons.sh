#!/usr/bin/env bash
# Renders the program's icon, klarwell.svg, to the PNG sizes of the hicolor theme. The PNGs are
# committed, so building needs no SVG renderer; run this after changing the picture
# (needs rsvg-convert from librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 24 32 48 64 128 256; do
    mkdir -p "${size}x${size}"
    rsvg-convert -w "$size" -h "$size" klarwell.svg -o "${size}x${size}/klarwell.png"
done
