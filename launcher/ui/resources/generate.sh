#!/bin/sh
# Draws the launcher's built-in pictures with ImageMagick (convert, version 6
# or 7) and writes them beside this script. The PNGs are committed; run this
# again only to change the artwork. Needs the DejaVu fonts (fonts-dejavu-core).
set -eu
cd "$(dirname "$0")"
IM=${IM:-convert}
FONT=${FONT:-DejaVu-Sans-Bold}
FONT_REGULAR=${FONT_REGULAR:-DejaVu-Sans}
OUT="-strip -depth 8 -define png:exclude-chunks=date,time"

# Main window background: deep blue diagonal gradient, a soft light from the
# upper left and faint scan lines, in the launcher's default blue.
$IM -size 1024x768 -define gradient:angle=135 gradient:'#0a2a66-#021033' \
    \( -size 1600x1500 radial-gradient:'rgba(90,160,255,0.35)-rgba(0,0,0,0)' \) \
    -geometry -520-480 -compose over -composite \
    -fill 'rgba(0,0,0,0.10)' -draw "$(i=3; while [ $i -lt 768 ]; do printf 'line 0,%d 1023,%d ' $i $i; i=$((i+4)); done)" \
    $OUT OrgBackGround.png

# Top-left/top-right logo panel: rounded glass plate with the program's name.
$IM -size 360x96 xc:none \
    -fill 'rgba(255,255,255,0.12)' -stroke 'rgba(255,255,255,0.45)' -strokewidth 2 \
    -draw 'roundrectangle 2,2 357,93 18,18' -stroke none \
    -font "$FONT" -pointsize 46 -fill '#ffffff' -annotate +22+60 'ARVEX' \
    -font "$FONT_REGULAR" -pointsize 14 -fill '#a8c8ff' -annotate +216+44 'emulator' \
    -annotate +216+64 'launcher' \
    -fill '#ffb020' -draw 'circle 205,20 205,15' \
    $OUT OrgTopLeft.png

# Drive panel: dark plate with three drive slots.
$IM -size 300x140 xc:none \
    -fill 'rgba(4,16,48,0.85)' -stroke '#5d8fe0' -strokewidth 2 \
    -draw 'roundrectangle 1,1 298,138 12,12' \
    -fill 'rgba(255,255,255,0.08)' -stroke 'rgba(255,255,255,0.25)' -strokewidth 1 \
    -draw 'roundrectangle 14,16 286,44 6,6' \
    -draw 'roundrectangle 14,56 286,84 6,6' \
    -draw 'roundrectangle 14,96 286,124 6,6' \
    -stroke none -fill '#37d67a' -draw 'circle 272,30 272,26' \
    $OUT Drivebox.png

# Loading screen picture.
$IM -size 640x400 -define gradient:angle=90 gradient:'#0052bc-#021033' \
    -fill 'rgba(255,255,255,0.10)' -draw 'roundrectangle 40,40 600,360 30,30' \
    -font "$FONT" -pointsize 64 -fill '#ffffff' -gravity center -annotate +0-30 'ARVEX' \
    -font "$FONT_REGULAR" -pointsize 26 -fill '#a8c8ff' -annotate +0+40 'Loading ...' \
    $OUT Loading.png

# Keep-on-top pin: grey and tilted (off), light and tilted (mouse over), red and upright (on).
pin() { # colour head, colour needle, angle, file
    $IM -size 24x24 xc:none \
        -stroke "$2" -strokewidth 2 -draw 'line 12,13 12,22' -stroke none \
        -fill "$1" -draw 'roundrectangle 7,8 17,13 1,1' -draw 'circle 12,6 12,2' \
        -fill 'rgba(255,255,255,0.55)' -draw 'circle 10,5 10,4' \
        -background none -distort SRT "$3" $OUT "$4"
}
pin '#8a8f99' '#5a5e66' 40 AOT_Disabled.png
pin '#e6edf7' '#c0c8d4' 40 AOT_MouseMove.png
pin '#e03434' '#d0d0d0' 0 AOT_Enabled.png

# Joystick icon.
$IM -size 32x32 xc:none \
    -fill '#2b2f38' -draw 'roundrectangle 4,22 28,29 3,3' \
    -stroke '#8a8f99' -strokewidth 3 -draw 'line 16,24 16,10' -stroke none \
    -fill '#e03434' -draw 'circle 16,8 16,3' -fill '#ffd040' -draw 'circle 24,21 24,19' \
    $OUT Joystick.png

# "Running" icon: green disc with a play triangle.
$IM -size 32x32 xc:none \
    -fill '#1fa85a' -stroke '#0d6b36' -strokewidth 2 -draw 'circle 16,16 16,2' -stroke none \
    -fill '#ffffff' -draw 'polygon 12,9 24,16 12,23' \
    $OUT Running.png
