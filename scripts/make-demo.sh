#!/bin/sh
# Re-creates the demo collection in examples/demo (profiles, game files,
# preview pictures, the Amiga and C64 skins). Its output is committed; run it
# only to change the demo. Needs ImageMagick (convert), python3 and the DejaVu fonts.
set -eu
cd "$(dirname "$0")/../examples/demo"
IM=${IM:-convert}
FONT=${FONT:-DejaVu-Sans-Bold}
OUT="-strip -depth 8 -define png:exclude-chunks=date,time"

crlf() { sed 's/$/\r/'; }   # settings files use CR LF

mkdir -p Config/Amiga/Pictures Config/Amiga/Skin Config/C64/Skin Config/Arcade/Pictures \
         "Games/Amiga/Another World" Games/Amiga/Lemmings "Games/Amiga/Turrican II" Games/C64/Demos Games/Arcade Games/snap Emulators/Titles

# ---- global settings -------------------------------------------------------
crlf > Config/arvex.ini <<'EOF'
[Settings]
LastEmulator=Amiga
WindowState=0
Fontsize=8
ResetScreenResolution=0
UseJoystick=0
UseJoystickExitbutton=0
DeamonToolPath=
EOF

# ---- profiles ---------------------------------------------------------------
profile() { # folder, patterns, smart selection, splash seconds, extra parameter
    crlf > "Config/$1/arvex.ini" <<EOF
[Settings]
EmulatorPath=./Emulators/arvex-demo-emu
RomPath=./Games/$1/
Dir_Parameter=$2
KickstartRom=
FullScreen=0
WinUAE_UseMasterConfig=0
WinUAE_ConfigParameter=
EmulatorParameter=$5
EmulatorParameterAddDiskPath=1
EmulatorParameterAddDiskPathWithoutPath=0
UseQuote=0
SplashTimer=$4
AutoMountDeamonTool=0
RunVBS_Script=0
SmartRomSelection=$3
EOF
}
profile Amiga "*.adf, *.adz" 1 3 "--model A500"
profile C64 "*.d64, *.t64, *.prg" 0 2 "--machine C64"
profile Arcade "*.zip" 0 2 "--arcade"

# ---- game files -------------------------------------------------------------
game() { printf 'Arvex demo game image\n%s\n' "$(basename "$1")" > "$1"; }
disks() { # prefix, count, suffix, folder
    i=1
    while [ "$i" -le "$2" ]; do game "$4/$1(Disk $i of $2)$3"; i=$((i + 1)); done
}
A=Games/Amiga
disks "Monkey Island 2 (1992)(LucasArts)" 11 ".adf" "$A"
disks "The Secret of Monkey Island (1990)(LucasArts)" 4 ".adf" "$A"
disks "Turrican II (1991)(Rainbow Arts)" 2 "[cr].adf" "$A"
disks "Shadow of the Beast (1989)(Psygnosis)" 2 ".adf" "$A"
disks "Pinball Dreams (1992)(21st Century)" 2 ".adf" "$A"
game "$A/Lemmings (1991)(Psygnosis).adf"
game "$A/Lemmings (1991)(Psygnosis)[a].adf"
game "$A/Speedball 2 (1990)(Bitmap Brothers)[cr].adf"
game "$A/Speedball 2 (1990)(Bitmap Brothers)[h].adf"
game "$A/Another World (1991)(Delphine).adz"
game "$A/Lemmings/Lemmings (1991)(Psygnosis)(de).adf"
game "$A/Turrican II/Turrican II (1991)(Rainbow Arts)[h Crystal].adf"
game "$A/Another World/Another World (1991)(Delphine)[a2].adz"
printf 'not a disk image\n' > "$A/readme.txt"

C=Games/C64
game "$C/Impossible Mission (1984)(Epyx).d64"
game "$C/Impossible Mission (1984)(Epyx)[a].d64"
game "$C/Great Giana Sisters, The (1987)(Rainbow Arts).t64"
game "$C/Maniac Mansion (1987)(Lucasfilm)(Side 1 of 2).d64"
game "$C/Maniac Mansion (1987)(Lucasfilm)(Side 2 of 2).d64"
game "$C/Zak McKracken (1988)(Lucasfilm)(Disk 1 of 2).d64"
game "$C/Zak McKracken (1988)(Lucasfilm)(Disk 2 of 2).d64"
game "$C/Paradroid (1985)(Hewson)[cr Ikari].t64"
game "$C/Bubble Bobble (1987)(Firebird).d64"
game "$C/Boulder Dash (1984)(First Star).prg"
game "$C/Demos/Edge of Disgrace (2008)(Booze Design)(Side 1 of 2).d64"
game "$C/Demos/Edge of Disgrace (2008)(Booze Design)(Side 2 of 2).d64"

python3 - Games/Arcade 1942 dkong galaga mslug outrun pacman sf2 <<'EOF'
import sys, zipfile
folder = sys.argv[1]
for name in sys.argv[2:]:
    info = zipfile.ZipInfo(name + ".txt", date_time=(1990, 1, 1, 0, 0, 0))
    with zipfile.ZipFile(f"{folder}/{name}.zip", "w") as z:
        z.writestr(info, f"Arvex demo arcade set {name}\n")
EOF
crlf > Config/Arcade/AliasList.txt <<'EOF'
1942;1942 (1984)(Capcom)
dkong;Donkey Kong (1981)(Nintendo)
galaga;Galaga (1981)(Namco)
mslug;Metal Slug (1996)(Nazca)
outrun;Out Run (1986)(Sega)
pacman;Pac-Man (1980)(Namco)
sf2;Street Fighter II (1991)(Capcom)
EOF

crlf > Config/Amiga/Favoriten.ini <<'EOF'
[Favoriten]
Fav0_Name=Monkey Island 2 (1992)(LucasArts)
Fav0_FullPath=./Games/Amiga/Monkey Island 2 (1992)(LucasArts)(Disk 1 of 11).adf
Fav1_Name=Turrican II (1991)(Rainbow Arts)
Fav1_FullPath=./Games/Amiga/Turrican II (1991)(Rainbow Arts)(Disk 1 of 2)[cr].adf
EOF

# ---- preview pictures -------------------------------------------------------
card() { # file, title, subtitle, colour 1, colour 2
    $IM -size 320x200 -define gradient:angle=160 gradient:"$4-$5" \
        -fill 'rgba(0,0,0,0.35)' -draw 'rectangle 0,140 319,199' \
        -font "$FONT" -fill white -pointsize 22 -gravity center -annotate +0-20 "$2" \
        -pointsize 13 -fill '#e8e8e8' -annotate +0+70 "$3" \
        $OUT -quality 82 "$1"
}
# Found through the profile's Pictures folder (any variant up to its first "(").
card "Config/Amiga/Pictures/Monkey Island 2 (1992)(LucasArts).png" "Monkey Island 2" "LeChuck's Revenge - 1992" '#1d6b3a' '#062012'
card "Config/Amiga/Pictures/Turrican II (1991).png" "Turrican II" "The Final Fight - 1991" '#6b1d5c' '#150621'
card "Config/Amiga/Pictures/Amiga.png" "Amiga" "Demo collection" '#0055aa' '#ff8800'
# Found beside the games (JPEG before PNG).
card "$A/Lemmings (1991)(Psygnosis).jpg" "Lemmings" "Psygnosis - 1991" '#2a7fd4' '#0a1f3a'
card "$A/Shadow of the Beast (1989)(Psygnosis).png" "Shadow of the Beast" "Psygnosis - 1989" '#5a2a7a' '#c05020'
card "$A/Another World (1991)(Delphine).jpg" "Another World" "Delphine - 1991" '#303a60' '#d09040'
# Found in the shared snap folder beside the game folders.
card "Games/snap/Impossible Mission (1984)(Epyx).png" "Impossible Mission" "Epyx - 1984" '#352879' '#6c5eb5'
card "Games/snap/Maniac Mansion (1987)(Lucasfilm).png" "Maniac Mansion" "Lucasfilm - 1987" '#704010' '#201008'
card "Games/snap/Bubble Bobble (1987)(Firebird).jpg" "Bubble Bobble" "Firebird - 1987" '#1a9a8a' '#f0d040'
card "Games/snap/Speedball 2 (1990)(Bitmap Brothers).png" "Speedball 2" "Bitmap Brothers - 1990" '#606870' '#10b0f0'
# Found in the emulator's Titles folder; a picture named after the profile is the default.
card "Emulators/Titles/pacman.png" "PAC-MAN" "Namco - 1980" '#000000' '#2020c0'
card "Emulators/Titles/galaga.png" "GALAGA" "Namco - 1981" '#000010' '#a01010'
card "Emulators/Titles/sf2.png" "STREET FIGHTER II" "Capcom - 1991" '#c06010' '#301000'
card "Config/Arcade/Pictures/Arcade.png" "ARCADE" "Insert coin" '#202020' '#b01060'

# ---- skins --------------------------------------------------------------------
crlf > Config/Amiga/Skin/Skin.ini <<'EOF'
[Settings]
BackColor=#1c2a4a
FontColor=#ffb347
TitleString=Arvex 1.2 - Amiga
DownloadURL=http://www.example.org/amiga-emulator
EOF
$IM -size 1024x768 -define gradient:angle=180 gradient:'#0b1530-#2b4a8a' \
    -fill none -stroke 'rgba(255,180,70,0.18)' -strokewidth 1 \
    -draw "$(i=0; while [ $i -le 1024 ]; do printf 'line %d 520 %d 767 ' $((512 + (i - 512) / 3)) $i; i=$((i + 64)); done)" \
    -draw "$(y=520; s=6; while [ $y -lt 768 ]; do printf 'line 0,%d 1023,%d ' $y $y; y=$((y + s)); s=$((s + 6)); done)" \
    $OUT -quality 85 Config/Amiga/Skin/Background.jpg
card "Config/Amiga/Skin/Loading.png" "Amiga" "Loading ..." '#0055aa' '#1c2a4a'
card "Config/Amiga/Skin/Amiga.png" "AMIGA 500" "Emulator: arvex-demo-emu" '#ff8800' '#0055aa'
crlf > Config/C64/Skin/Skin.ini <<'EOF'
[Settings]
BackColor=#352879
FontColor=#b4aaff
TitleString=Arvex 1.2 - C64
EOF
card "Config/C64/Skin/Loading.png" "COMMODORE 64" "READY." '#352879' '#6c5eb5'

# ---- list caches and game counts ----------------------------------------------
# Written by the demo test in generator mode, so they are exactly what a list
# rebuild produces and the demo shows its games at the first start.
demo_test="${ARVEX_BUILD:-$PWD/../../build}/tests/ui/test_ui_demo"
if [ -x "$demo_test" ]; then
    ARVEX_WRITE_DEMO_CACHES=1 QT_QPA_PLATFORM=offscreen "$demo_test" --gtest_filter='*ListCaches*'
else
    echo "Build the tests (tests/ui/test_ui_demo) and run this again to write the list caches." >&2
fi
