#!/usr/bin/env bash
# Turns the pixel art in resources/icon/*.xpm into the PNG icons that the window and the
# desktop use. The PNGs are committed; run this after changing the art.
#
#   16, 32, 48  from their own drawings (16 and 48 do not divide 32 cleanly)
#   64, 128, 256  from the 32 x 32 drawing, nearest neighbour at 2x, 4x, 8x
#
# Output is 4-bit indexed PNG without time stamps, so the same art gives the same bytes.
set -euo pipefail
cd "$(dirname "$0")/../resources/icon"

command -v convert >/dev/null || {
    echo "make-icons.sh: ImageMagick's convert is needed (apt-get install imagemagick)" >&2
    exit 1
}

png() { # png <source> <scale percent> <output>
    mkdir -p "$(dirname "$3")"
    convert "$1" -filter point -resize "$2%" -strip \
        -define png:exclude-chunks=date,time \
        -define png:color-type=3 -define png:bit-depth=4 "$3"
}

png mainicon-32.xpm 100 mainicon-32.png
for size in 16 32 48; do
    png "mainicon-$size.xpm" 100 "hicolor/${size}x${size}/apps/marovel.png"
done
for factor in 2 4 8; do
    size=$((32 * factor))
    png mainicon-32.xpm $((100 * factor)) "hicolor/${size}x${size}/apps/marovel.png"
done
echo "make-icons.sh: icons written under resources/icon/"
