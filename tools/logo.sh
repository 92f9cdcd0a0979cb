#!/bin/sh
# Redraws resources/logo.xpm: the word mark NORVA across an upright rounded rectangle, 107 x 53.
set -e
cd "$(dirname "$0")/../resources"
convert -size 107x53 xc:white -fill none -stroke black -draw "roundrectangle 38,2 68,50 8,8" \
    -stroke none -fill black -font Liberation-Sans-Bold -pointsize 22 -gravity center \
    -annotate +0+0 "NORVA" -colors 2 logo.xpm
sed -i 's/"  c #[0-9A-F]*"/"  c #000000"/; s/". c #[0-9A-F]*"/". c #FFFFFF"/' logo.xpm
