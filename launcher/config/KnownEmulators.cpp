#include "config/KnownEmulators.h"

#include <array>

namespace {

using namespace std::string_view_literals;
using V = KnownEmulatorValue;
using Names = std::string_view;

// The Dreamcast pattern list shared by rows 9 and 13.
constexpr std::string_view kDreamcastPatterns =
    "*.cdi, *.iso, *.bin, *.mds, *.elf, *.dol, *.gcm, *.wad*, *.img, *.nrg"sv;

// --- Windows emulators: names matched anywhere in the path ------------------

constexpr std::array kNames1{"akiko.exe"sv};
constexpr std::array kValues1{V{"Dir_Parameter", "*.cue"}, V{"AutoMountDeamonTool", "1"}};

constexpr std::array kNames2{"winuae.exe"sv};
constexpr std::array kValues2{V{"WinUAE_UseMasterConfig", "1"}, V{"SplashTimer", "5"},
                              V{"WinUAE_ConfigParameter", "-f"}, V{"Dir_Parameter", "*.adf"}};

constexpr std::array kNames3{"snes9x.exe"sv, "bsnes.exe"sv, "zsnesw.exe"sv, "snes9k.exe"sv};
constexpr std::array kValues3{V{"EmulatorParameterAddDiskPath", "1"}, V{"Dir_Parameter", "*.smc, *.zip"}};

constexpr std::array kNames4{"dolphin.exe"sv, "dolphinil.exe"sv, "dolwin.exe"sv};
constexpr std::array kValues4{
    V{"EmulatorParameterAddDiskPath", "1"}, V{"EmulatorParameter", "/e "},
    V{"Dir_Parameter", "*.elf, *.dol, *.gcm, *.iso, *.wad*, *.bin, *.img, *.nrg, *.mds"}, V{"UseQuote", "1"}};

constexpr std::array kNames5{"chankast"sv};
constexpr std::array kValues5{
    V{"AutoMountDeamonTool", "1"}, V{"EmulatorParameterAddDiskPath", "1"}, V{"EmulatorParameter", "/e "},
    V{"Dir_Parameter", "*.cdi, *.iso, *.bin, *.mds, *.elf, *.dol, *.gcm, *.wad*, *.img, *.nrg"},
    V{"UseQuote", "1"}};

constexpr std::array kNames6{"stella.exe"sv, "good2600.exe"sv};
constexpr std::array kValues6{V{"EmulatorParameterAddDiskPath", "1"}, V{"Dir_Parameter", "*.bin, *.zip"},
                              V{"UseQuote", "1"}};

constexpr std::array kNames7{"prosystem.exe"sv, "good7800.exe"sv};
constexpr std::array kValues7{V{"EmulatorParameterAddDiskPath", "1"}, V{"Dir_Parameter", "*.a78, *.zip"},
                              V{"UseQuote", "1"}};

constexpr std::array kNames8{"kat5200.exe"sv, "good5200.exe"sv};
constexpr std::array kValues8{V{"EmulatorParameterAddDiskPath", "1"}, V{"Dir_Parameter", "*.a52, *.zip"},
                              V{"UseQuote", "1"}};

constexpr std::array kNames9{"demul.exe"sv};
constexpr std::array kValues9{V{"Dir_Parameter", kDreamcastPatterns}, V{"UseQuote", "1"},
                              V{"AutoMountDeamonTool", "1"}};

constexpr std::array kNames10{"steem.exe"sv};
constexpr std::array kValues10{V{"Dir_Parameter", "*.stx, *.bin, *.zip"}, V{"UseQuote", "1"}};

constexpr std::array kNames11{"bluemsx.exe"sv};
constexpr std::array kValues11{V{"Dir_Parameter", "*.dsk, *.rom"}, V{"UseQuote", "1"}};

constexpr std::array kNames12{"pcsx2.exe"sv};
constexpr std::array kValues12{V{"EmulatorParameterAddDiskPath", "1"},
                               V{"EmulatorParameter", "--usecd --nogui --skipbios"},
                               V{"Dir_Parameter", "*.bin, *.img, *.iso, *.nrg,  *.ccd, *.ecm"},
                               V{"UseQuote", "1"}, V{"AutoMountDeamonTool", "1"}};

constexpr std::array kNames13{"nulldc"sv};
constexpr std::array kValues13{V{"EmulatorParameterAddDiskPath", "1"},
                               V{"EmulatorParameter", " -config ImageReader:DefaultImage="},
                               V{"Dir_Parameter", kDreamcastPatterns}, V{"UseQuote", "1"}};

constexpr std::array kNames14{"pce.exe"sv, "goodpce.exe"sv};
constexpr std::array kValues14{V{"EmulatorParameterAddDiskPath", "1"}, V{"Dir_Parameter", "*.pce"}};

constexpr std::array kNames15{"mekaw.exe"sv, "dega.exe"sv};
constexpr std::array kValues15{V{"EmulatorParameterAddDiskPath", "1"}, V{"Dir_Parameter", "*.sms, *.sg"}};

constexpr std::array kNames16{"yabause.exe"sv, "ssf.exe"sv};
constexpr std::array kValues16{V{"AutoMountDeamonTool", "1"}, V{"Dir_Parameter", "*.iso, *.bin, *.mds, *.nrg"}};

constexpr std::array kNames17{"nebula.exe"sv};
constexpr std::array kValues17{V{"Dir_Parameter", "*.zip"}};

constexpr std::array kNames18{"t2k.exe"sv};
constexpr std::array kValues18{V{"EmulatorParameterAddDiskPath", "1"}, V{"EmulatorParameter", ""},
                               V{"Dir_Parameter", "*.jag, *.rom, *.bin,*.zip"},
                               V{"EmulatorParameterAddDiskPathWithoutPath", "1"}};

constexpr std::array kNames19{"\\pt.exe"sv};
constexpr std::array kValues19{V{"Dir_Parameter", "*.rom,*.jag,*.zip,*.bin"}};

constexpr std::array kNames20{"handy.exe"sv};
constexpr std::array kValues20{V{"Dir_Parameter", "*.lnx, *.zip"}};

constexpr std::array kNames21{"epsxe.exe"sv};
constexpr std::array kValues21{V{"EmulatorParameter", " -nogui -loadbin "},
                               V{"Dir_Parameter", "*.bin, *.img, *.iso, *.nrg, *.mds, *.ccd"}};

constexpr std::array kNames22{"project64.exe"sv};
constexpr std::array kValues22{V{"Dir_Parameter", "*.zip, *.7z, *.*64"}};

constexpr std::array kNames23{"mame.exe"sv, "mame32.exe"sv};
constexpr std::array kValues23{V{"EmulatorParameterAddDiskPath", "1"}, V{"EmulatorParameter", "-cheat -skip_gameinfo"},
                               V{"Dir_Parameter", "*.zip"}};

constexpr std::array kNames24{"x64.exe"sv, "x128.exe"sv};
constexpr std::array kValues24{V{"EmulatorParameterAddDiskPath", "1"}, V{"EmulatorParameter", " -fullscreen -autostart "},
                               V{"Dir_Parameter", "*.zip, *.*64"}, V{"SplashTimer", "1"}};

constexpr std::array kNames25{"fusion.exe"sv, "gens.exe"sv};
constexpr std::array kValues25{V{"EmulatorParameterAddDiskPath", "1"},
                               V{"Dir_Parameter", "*.bin,*.zip,*.smd,*.sms,*.que,*.iso,*32x,*.mds,*.nrg"}};

// --- Emulators installed from Debian packages: matched by file name --------
// Values from each package's manual page, --help and documentation: every
// one takes the game file as its last argument; the patterns are the file
// types it documents. ScummVM has no row: it starts a game by its id or
// folder, not by one file.

// dosbox(1): a .com/.exe/.bat file runs at once; -exit closes DOSBox when it ends.
constexpr std::array kNamesDosBox{"dosbox"sv};
constexpr std::array kValuesDosBox{V{"EmulatorParameterAddDiskPath", "1"}, V{"EmulatorParameter", "-exit"},
                                   V{"Dir_Parameter", "*.com, *.exe, *.bat"}};
// stella(6): "stella [options] <ROM file>"; reads .a26 images and ZIP archives.
constexpr std::array kNamesStella{"stella"sv};
constexpr std::array kValuesStella{V{"EmulatorParameterAddDiskPath", "1"}, V{"Dir_Parameter", "*.a26, *.bin, *.zip"}};
// mednafen(6) and mednafen.html: "mednafen [options] romfile"; ROM images of its
// systems, CUE/CCD/TOC disc images, M3U disc lists, ZIP and gzip archives.
constexpr std::array kNamesMednafen{"mednafen"sv};
constexpr std::array kValuesMednafen{
    V{"EmulatorParameterAddDiskPath", "1"},
    V{"Dir_Parameter", "*.nes, *.fds, *.unf, *.sfc, *.smc, *.gb, *.gbc, *.gba, *.pce, *.sgx, *.lnx, *.md, *.smd, "
                       "*.sms, *.ngp, *.ngc, *.ws, *.wsc, *.vb, *.cue, *.ccd, *.toc, *.m3u, *.zip, *.gz"}};
// mame(6): "mame [machine] [media] [software] [options]"; a ROM set's ZIP path
// names the machine; -skip_gameinfo skips the information screen.
constexpr std::array kNamesMame{"mame"sv};
constexpr std::array kValuesMame{V{"EmulatorParameterAddDiskPath", "1"}, V{"EmulatorParameter", "-skip_gameinfo"},
                                 V{"Dir_Parameter", "*.zip"}};
// hatari(1): "hatari [options] [directory|diskimage|program]"; *.st, *.msa, *.stx images.
constexpr std::array kNamesHatari{"hatari"sv};
constexpr std::array kValuesHatari{V{"EmulatorParameterAddDiskPath", "1"}, V{"Dir_Parameter", "*.st, *.msa, *.stx"}};
// fs-uae README: "fs-uae /path/to/config-file.fs-uae" (the disks are named in the file).
constexpr std::array kNamesFsUae{"fs-uae"sv};
constexpr std::array kValuesFsUae{V{"EmulatorParameterAddDiskPath", "1"}, V{"Dir_Parameter", "*.fs-uae"}};
// mgba(6): "mgba [options] file" (mgba-qt the same); GBA and Game Boy images, ZIP archives.
constexpr std::array kNamesMgba{"mgba"sv, "mgba-qt"sv};
constexpr std::array kValuesMgba{V{"EmulatorParameterAddDiskPath", "1"}, V{"Dir_Parameter", "*.gba, *.gb, *.gbc, *.zip"}};
// fceux --help: "fceux <options> filename"; iNES, FDS and UNIF images, ZIP archives.
constexpr std::array kNamesFceux{"fceux"sv};
constexpr std::array kValuesFceux{V{"EmulatorParameterAddDiskPath", "1"}, V{"Dir_Parameter", "*.nes, *.fds, *.unf, *.zip"}};
// nestopia(6) and readme.html: "nestopia game"; iNES, FDS, UNIF, ZIP and 7-Zip.
constexpr std::array kNamesNestopia{"nestopia"sv};
constexpr std::array kValuesNestopia{V{"EmulatorParameterAddDiskPath", "1"},
                                     V{"Dir_Parameter", "*.nes, *.fds, *.unf, *.zip, *.7z"}};

constexpr auto S = KnownEmulator::Match::Substring;
constexpr auto F = KnownEmulator::Match::FileName;

constexpr std::array kTable{
    KnownEmulator{1, kNames1, "WinUAE (Amiga CDTV - CD32) ", kValues1, S},
    KnownEmulator{2, kNames2, "WinUAE (Amiga 500) ", kValues2, S},
    KnownEmulator{3, kNames3, "SNES (Super Nintendo Entertainment System) ", kValues3, S},
    KnownEmulator{4, kNames4, "Gamecube / WII (Nintendo) ", kValues4, S},
    KnownEmulator{5, kNames5, "Chankast - Dreamcast Emulator ", kValues5, S},
    KnownEmulator{6, kNames6, "Atari 2600 Emulator ", kValues6, S},
    KnownEmulator{7, kNames7, "Atari 7800 Emulator ", kValues7, S},
    KnownEmulator{8, kNames8, "Atari 5200 Emulator ", kValues8, S},
    KnownEmulator{9, kNames9, "DeMul - Dreamcast Emulator ", kValues9, S},
    KnownEmulator{10, kNames10, "AtariST Emulator ", kValues10, S},
    KnownEmulator{11, kNames11, "MSX Emulator ", kValues11, S},
    KnownEmulator{12, kNames12, "Playstation 2 Emulator ", kValues12, S},
    KnownEmulator{13, kNames13, "NullDC - Dreamcast Emulator ", kValues13, S},
    KnownEmulator{14, kNames14, "PC Engine ", kValues14, S},
    KnownEmulator{15, kNames15, "Sega Master System ", kValues15, S},
    KnownEmulator{16, kNames16, "Sega Saturn ", kValues16, S},
    KnownEmulator{17, kNames17, "nebula.exe (Neo-Geo) ", kValues17, S},
    KnownEmulator{18, kNames18, "Atari Jaguar ", kValues18, S},
    KnownEmulator{19, kNames19, "Atari Jaguar ", kValues19, S},
    KnownEmulator{20, kNames20, "Handy - Lynx", kValues20, S},
    KnownEmulator{21, kNames21, "ePSXe (Playstation 1) ", kValues21, S},
    KnownEmulator{22, kNames22, "Project64 (Nintendo 64)", kValues22, S},
    KnownEmulator{23, kNames23, "Mame (Multi-Acarde-Machine-Emulator)", kValues23, S, {}, true},
    KnownEmulator{24, kNames24, "X64 / X128 ", kValues24, S, "C-64 / 128  "},
    KnownEmulator{25, kNames25, "Fusion Sega Emulator ", kValues25, S},
    KnownEmulator{26, kNamesDosBox, "DOSBox (MS-DOS) ", kValuesDosBox, F},
    KnownEmulator{27, kNamesStella, "Stella (Atari 2600) ", kValuesStella, F},
    KnownEmulator{28, kNamesMednafen, "Mednafen (Multi-System) ", kValuesMednafen, F},
    KnownEmulator{29, kNamesMame, "MAME (Multi Arcade Machine Emulator) ", kValuesMame, F},
    KnownEmulator{30, kNamesHatari, "Hatari (Atari ST / STE / TT / Falcon) ", kValuesHatari, F},
    KnownEmulator{31, kNamesFsUae, "FS-UAE (Amiga) ", kValuesFsUae, F},
    KnownEmulator{32, kNamesMgba, "mGBA (Game Boy Advance) ", kValuesMgba, F},
    KnownEmulator{33, kNamesFceux, "FCEUX (Nintendo NES) ", kValuesFceux, F},
    KnownEmulator{34, kNamesNestopia, "Nestopia (Nintendo NES) ", kValuesNestopia, F},
};

// Separators compare equal, so a name written with "\" finds "/" paths too.
QString normalised(const QString& text)
{
    QString out = text.toLower();
    out.replace(u'\\', u'/');
    return out;
}

QString fileNameOf(const QString& normalisedPath)
{
    return normalisedPath.mid(normalisedPath.lastIndexOf(u'/') + 1);
}

} // namespace

std::span<const KnownEmulator> KnownEmulatorTable() { return kTable; }

bool MatchesKnownEmulator(const KnownEmulator& row, const QString& path)
{
    if (path.isEmpty())
        return false;
    const QString p = normalised(path);
    const QString file = row.match == KnownEmulator::Match::FileName ? fileNameOf(p) : QString();
    for (std::string_view name : row.names) {
        const QString n = normalised(KnownEmulatorText(name));
        if (row.match == KnownEmulator::Match::Substring ? p.contains(n) : file == n)
            return true;
    }
    return false;
}

const KnownEmulator* FindKnownEmulator(const QString& path)
{
    for (const KnownEmulator& row : kTable)
        if (MatchesKnownEmulator(row, path))
            return &row;
    return nullptr;
}
