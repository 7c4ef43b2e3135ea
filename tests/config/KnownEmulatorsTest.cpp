// The known-emulator table, one case per row: a path picked in the options
// window, the question it raises, and every profile field after "Yes".
// Expected values are written out here independently of the table.
#include "config/KnownEmulators.h"
#include "config/Language.h"
#include "options/EmulatorFields.h"
#include "options/KnownEmulatorCheck.h"
#include "support/ScriptedPrompt.h"

#include <QMap>

#include <gtest/gtest.h>

namespace {

const QString kProgramFolder = QStringLiteral("/opt/arvex/");

// Every field away from its neutral value, so a field the routines fail to
// set or reset shows up.
void makeDirty(EmulatorFields& f)
{
    for (int i = 0; i < kEmulatorFieldCount; ++i) {
        const auto field = EmulatorField(i);
        f.setText(field, EmulatorFields::isCheckBox(field) ? QStringLiteral("1") : QStringLiteral("dirty"));
    }
    f.setText(EmulatorField::SplashTimer, QStringLiteral("9"));
}

// The whole field set by key ("template" for the template text).
QMap<QString, QString> snapshot(const EmulatorFields& f)
{
    QMap<QString, QString> out;
    for (int i = 0; i < kEmulatorFieldCount; ++i) {
        const auto field = EmulatorField(i);
        const QString key = EmulatorFields::settingsKey(field);
        out[key.isEmpty() ? QStringLiteral("template") : key] = f.text(field);
    }
    return out;
}

// The dirty state after SetEmulatorDefaults, CheckKnownEmulator's SplashTimer
// and its taking of the path, overlaid with "key=value|key=value".
QMap<QString, QString> expectedAfterYes(const QString& path, const QString& values)
{
    EmulatorFields f;
    makeDirty(f);
    QMap<QString, QString> out = snapshot(f);
    const QMap<QString, QString> neutral{{"WinUAE_UseMasterConfig", "0"}, {"AutoMountDeamonTool", "0"},
                                         {"FullScreen", "0"},        {"WinUAE_ConfigParameter", ""},
                                         {"EmulatorParameter", ""},  {"UseQuote", "0"},
                                         {"EmulatorParameterAddDiskPath", "0"},
                                         {"Dir_Parameter", "*.*"},   {"SmartRomSelection", "0"},
                                         {"template", ""}};
    for (auto it = neutral.begin(); it != neutral.end(); ++it)
        out[it.key()] = it.value();
    out[QStringLiteral("SplashTimer")] = QStringLiteral("0");
    out[QStringLiteral("EmulatorPath")] = path;
    for (const QString& kv : values.split(u'|', Qt::SkipEmptyParts))
        out[kv.section(u'=', 0, 0)] = kv.section(u'=', 1);
    return out;
}

struct RowCase {
    const char* path;
    int row;
    const char* displayName;
    const char* values; // key=value|... set by the row
};

void PrintTo(const RowCase& c, std::ostream* os) { *os << c.path; }

const RowCase kRows[] = {
    {"D:\\WinUAE\\akiko.exe", 1, "WinUAE (Amiga CDTV - CD32) ", "Dir_Parameter=*.cue|AutoMountDeamonTool=1"},
    {"D:\\WinUAE\\WinUAE.EXE", 2, "WinUAE (Amiga 500) ",
     "WinUAE_UseMasterConfig=1|SplashTimer=5|WinUAE_ConfigParameter=-f|Dir_Parameter=*.adf"},
    {"/opt/snes/zsnesw.exe", 3, "SNES (Super Nintendo Entertainment System) ",
     "EmulatorParameterAddDiskPath=1|Dir_Parameter=*.smc, *.zip"},
    {"C:\\Dolphin\\DolphinIL.exe", 4, "Gamecube / WII (Nintendo) ",
     "EmulatorParameterAddDiskPath=1|EmulatorParameter=/e |Dir_Parameter=*.elf, *.dol, *.gcm, *.iso, *.wad*, *.bin, "
     "*.img, *.nrg, *.mds|UseQuote=1"},
    {"C:\\Chankast\\run.exe", 5, "Chankast - Dreamcast Emulator ",
     "AutoMountDeamonTool=1|EmulatorParameterAddDiskPath=1|EmulatorParameter=/e |Dir_Parameter=*.cdi, *.iso, *.bin, "
     "*.mds, *.elf, *.dol, *.gcm, *.wad*, *.img, *.nrg|UseQuote=1"},
    {"E:\\Atari\\good2600.exe", 6, "Atari 2600 Emulator ",
     "EmulatorParameterAddDiskPath=1|Dir_Parameter=*.bin, *.zip|UseQuote=1"},
    {"/emus/ProSystem.exe", 7, "Atari 7800 Emulator ", "EmulatorParameterAddDiskPath=1|Dir_Parameter=*.a78, *.zip|UseQuote=1"},
    {"/emus/kat5200.exe", 8, "Atari 5200 Emulator ", "EmulatorParameterAddDiskPath=1|Dir_Parameter=*.a52, *.zip|UseQuote=1"},
    {"/emus/demul.exe", 9, "DeMul - Dreamcast Emulator ",
     "Dir_Parameter=*.cdi, *.iso, *.bin, *.mds, *.elf, *.dol, *.gcm, *.wad*, *.img, *.nrg|UseQuote=1|AutoMountDeamonTool=1"},
    {"C:\\Emus\\Steem.exe", 10, "AtariST Emulator ", "Dir_Parameter=*.stx, *.bin, *.zip|UseQuote=1"},
    {"/emus/blueMSX.exe", 11, "MSX Emulator ", "Dir_Parameter=*.dsk, *.rom|UseQuote=1"},
    {"/emus/pcsx2.exe", 12, "Playstation 2 Emulator ",
     "EmulatorParameterAddDiskPath=1|EmulatorParameter=--usecd --nogui --skipbios|Dir_Parameter=*.bin, *.img, *.iso, "
     "*.nrg,  *.ccd, *.ecm|UseQuote=1|AutoMountDeamonTool=1"},
    {"/emus/NullDC/nullDC_Win32.exe", 13, "NullDC - Dreamcast Emulator ",
     "EmulatorParameterAddDiskPath=1|EmulatorParameter= -config ImageReader:DefaultImage=|Dir_Parameter=*.cdi, *.iso, "
     "*.bin, *.mds, *.elf, *.dol, *.gcm, *.wad*, *.img, *.nrg|UseQuote=1"},
    {"/emus/goodpce.exe", 14, "PC Engine ", "EmulatorParameterAddDiskPath=1|Dir_Parameter=*.pce"},
    {"/emus/dega.exe", 15, "Sega Master System ", "EmulatorParameterAddDiskPath=1|Dir_Parameter=*.sms, *.sg"},
    {"/emus/SSF.exe", 16, "Sega Saturn ", "AutoMountDeamonTool=1|Dir_Parameter=*.iso, *.bin, *.mds, *.nrg"},
    {"/emus/nebula.exe", 17, "nebula.exe (Neo-Geo) ", "Dir_Parameter=*.zip"},
    {"/opt/emus/t2k.exe", 18, "Atari Jaguar ",
     "EmulatorParameterAddDiskPath=1|EmulatorParameter=|Dir_Parameter=*.jag, *.rom, *.bin,*.zip|"
     "EmulatorParameterAddDiskPathWithoutPath=1"},
    {"/opt/emus/pt.exe", 19, "Atari Jaguar ", "Dir_Parameter=*.rom,*.jag,*.zip,*.bin"},
    {"C:\\Emus\\PT.EXE", 19, "Atari Jaguar ", "Dir_Parameter=*.rom,*.jag,*.zip,*.bin"},
    {"/emus/handy.exe", 20, "Handy - Lynx", "Dir_Parameter=*.lnx, *.zip"},
    {"/emus/ePSXe.exe", 21, "ePSXe (Playstation 1) ",
     "EmulatorParameter= -nogui -loadbin |Dir_Parameter=*.bin, *.img, *.iso, *.nrg, *.mds, *.ccd"},
    {"/emus/Project64.exe", 22, "Project64 (Nintendo 64)", "Dir_Parameter=*.zip, *.7z, *.*64"},
    {"/emus/mame/mame.exe", 23, "Mame (Multi-Acarde-Machine-Emulator)",
     "EmulatorParameterAddDiskPath=1|EmulatorParameter=-cheat -skip_gameinfo|Dir_Parameter=*.zip"},
    {"/emus/vice/x128.exe", 24, "X64 / X128 ",
     "EmulatorParameterAddDiskPath=1|EmulatorParameter= -fullscreen -autostart |Dir_Parameter=*.zip, *.*64|SplashTimer=1"},
    {"/emus/gens.exe", 25, "Fusion Sega Emulator ",
     "EmulatorParameterAddDiskPath=1|Dir_Parameter=*.bin,*.zip,*.smd,*.sms,*.que,*.iso,*32x,*.mds,*.nrg"},
    // Emulators from Debian packages, matched by their file name.
    {"/usr/games/dosbox", 26, "DOSBox (MS-DOS) ",
     "EmulatorParameterAddDiskPath=1|EmulatorParameter=-exit|Dir_Parameter=*.com, *.exe, *.bat"},
    {"/usr/bin/stella", 27, "Stella (Atari 2600) ", "EmulatorParameterAddDiskPath=1|Dir_Parameter=*.a26, *.bin, *.zip"},
    {"/usr/games/mednafen", 28, "Mednafen (Multi-System) ",
     "EmulatorParameterAddDiskPath=1|Dir_Parameter=*.nes, *.fds, *.unf, *.sfc, *.smc, *.gb, *.gbc, *.gba, *.pce, "
     "*.sgx, *.lnx, *.md, *.smd, *.sms, *.ngp, *.ngc, *.ws, *.wsc, *.vb, *.cue, *.ccd, *.toc, *.m3u, *.zip, *.gz"},
    {"/usr/games/mame", 29, "MAME (Multi Arcade Machine Emulator) ",
     "EmulatorParameterAddDiskPath=1|EmulatorParameter=-skip_gameinfo|Dir_Parameter=*.zip"},
    {"/usr/games/hatari", 30, "Hatari (Atari ST / STE / TT / Falcon) ",
     "EmulatorParameterAddDiskPath=1|Dir_Parameter=*.st, *.msa, *.stx"},
    {"/usr/bin/fs-uae", 31, "FS-UAE (Amiga) ", "EmulatorParameterAddDiskPath=1|Dir_Parameter=*.fs-uae"},
    {"/usr/games/mgba-qt", 32, "mGBA (Game Boy Advance) ", "EmulatorParameterAddDiskPath=1|Dir_Parameter=*.gba, *.gb, *.gbc, *.zip"},
    {"/usr/games/FCEUX", 33, "FCEUX (Nintendo NES) ", "EmulatorParameterAddDiskPath=1|Dir_Parameter=*.nes, *.fds, *.unf, *.zip"},
    {"/usr/games/nestopia", 34, "Nestopia (Nintendo NES) ",
     "EmulatorParameterAddDiskPath=1|Dir_Parameter=*.nes, *.fds, *.unf, *.zip, *.7z"},
};

class KnownEmulatorRows : public ::testing::TestWithParam<RowCase> {
protected:
    void SetUp() override { setCurrentLanguage(kLanguageEnglish); }
    ScriptedPrompt prompts;
};

TEST_P(KnownEmulatorRows, AskWithTheRowsNameAndSetItsValuesOnYes)
{
    const RowCase& c = GetParam();
    const QString path = QString::fromUtf8(c.path);
    const KnownEmulator* row = FindKnownEmulator(path);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->row, c.row);

    EmulatorFields fields;
    makeDirty(fields);
    prompts.queue(PromptAnswer::Yes);
    CheckKnownEmulator(fields, path, kProgramFolder);

    ASSERT_EQ(prompts.count(), 1);
    const auto& q = prompts.asked().last();
    EXPECT_EQ(q.text, QString::fromUtf8(c.displayName)
                          + QStringLiteral("found!\r\rSet the default launch - parameter for this program?"));
    EXPECT_EQ(q.title, c.row == 24 ? QStringLiteral("C-64 / 128  set defaults?") : QStringLiteral("set defaults?"));
    EXPECT_EQ(q.buttons, PromptButtons::YesNo);
    EXPECT_EQ(snapshot(fields), expectedAfterYes(path, QString::fromUtf8(c.values)));
}

INSTANTIATE_TEST_SUITE_P(Table, KnownEmulatorRows, ::testing::ValuesIn(kRows));

} // namespace

TEST(KnownEmulatorTable, RowsAreNumberedInOrderAndNativeRowsComeLast)
{
    const auto table = KnownEmulatorTable();
    ASSERT_EQ(table.size(), 34u);
    for (size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].row, int(i) + 1);
        EXPECT_EQ(table[i].match == KnownEmulator::Match::FileName, i >= 25) << "row " << i + 1;
        for (const KnownEmulatorValue& v : table[i].values) {
            EmulatorField f;
            EXPECT_TRUE(EmulatorFields::fieldForKey(KnownEmulatorText(v.key), f)) << "row " << i + 1 << " key " << v.key;
        }
    }
}

TEST(KnownEmulatorTable, MatchingRules)
{
    struct Case {
        const char* path;
        int row; // 0: no row
    };
    const Case cases[] = {
        {"", 0},
        {"C:\\Emus\\apt.exe", 0},                     // "pt.exe" without a separator before it
        {"/opt/emus/xpt.exe/../pt.exe", 19},
        {"/opt/emus/t2k.exe", 18},
        {"/games/WinUAE/akiko.exe", 1},               // row 1 before row 2's folder name
        {"/opt/StElLa.ExE", 6},
        {"/home/me/snes9x.exe.old/run.sh", 3},        // a folder name counts for Windows rows
        {"/home/me/stella/roms/run.sh", 0},           // but never for the native rows
        {"/home/me/dosbox/dosbox-x", 0},
        {"/usr/games/mame", 29},                      // Debian's mame is not the Windows row
        {"/opt/mame/mame32.exe", 23},
        {"/usr/games/mgba", 32},
        {"/usr/games/scummvm", 0},
        {"C:/Emus/stella", 27},
    };
    for (const Case& c : cases) {
        const KnownEmulator* row = FindKnownEmulator(QString::fromUtf8(c.path));
        EXPECT_EQ(row ? row->row : 0, c.row) << c.path;
    }
}
