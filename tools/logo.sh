#!/bin/sh
# Redraws resources/logo.xpm: the word mark NORVA across an upright rounded rectangle, 107 x 53,
# in pure black and white (no antialiasing, no dithering).
set -e
cd "$(dirname "$0")/../resources"
convert -size 107x53 xc:white +antialias -fill none -stroke black \
    -draw "roundrectangle 38,2 68,50 8,8" -stroke none -fill black -font Liberation-Sans-Bold \
    -pointsize 22 -gravity center -annotate +0+0 "NORVA" +dither -colors 2 logo.xpm
sed -i 's/"  c [^"]*"/"  c #000000"/; s/"\. c [^"]*"/". c #FFFFFF"/' logo.xpm
