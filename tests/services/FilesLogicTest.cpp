// The chooser's rules without a window: captions and heading, the list
// pattern, where the lists start, normalising a typed path, what OK does,
// the places list, and the chooser seam's argument order.
#include "config/Language.h"
#include "services/files/ChooserLogic.h"
#include "services/files/Places.h"
#include "support/ScriptedFileChooser.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

TEST(FilesLogic, CaptionsTagsAndHeadingPerMode)
{
    struct Row {
        FilesMode mode;
        const char* tag;
        const char* defaultCaption;
        const char* heading; // for caption "Pick" and pattern "*.exe"
    };
    const Row rows[] = {
        {FilesMode::File, "File", "Open File", "Pick    (\"*.exe\")"},
        {FilesMode::SaveFile, "SaveFile", "Save File as", "Pick"},
        {FilesMode::Dir, "Dir", "Open Directory", "Pick"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.tag);
        EXPECT_EQ(modeTag(r.mode), QString::fromUtf8(r.tag));
        EXPECT_EQ(windowCaptionFor(r.mode, {}), QString::fromUtf8(r.defaultCaption));
        EXPECT_EQ(windowCaptionFor(r.mode, QStringLiteral("Emulator Exe wählen")),
                  QStringLiteral("Emulator Exe wählen"));
        EXPECT_EQ(headingText(r.mode, QStringLiteral("Pick"), QStringLiteral("*.exe")),
                  QString::fromUtf8(r.heading));
    }
}

TEST(FilesLogic, ListPatternAndModelFilters)
{
    EXPECT_EQ(listPattern(FilesMode::File, QStringLiteral(" *.rom ")), QStringLiteral("*.rom"));
    EXPECT_EQ(listPattern(FilesMode::File, QStringLiteral("deamon.exe")), QStringLiteral("deamon.exe"));
    EXPECT_EQ(listPattern(FilesMode::File, {}), QStringLiteral("*"));
    EXPECT_EQ(listPattern(FilesMode::SaveFile, QStringLiteral("x.uae")), QStringLiteral("*"));
    EXPECT_EQ(listPattern(FilesMode::Dir, QStringLiteral("*.exe")), QStringLiteral("*"));

    EXPECT_EQ(nameFiltersFor(QStringLiteral("*.adf; *.ADZ ,*.dms")),
              QStringList({"*.adf", "*.ADZ", "*.dms"}));
    EXPECT_EQ(nameFiltersFor(QStringLiteral("*.*")), QStringList({"*"}));
    EXPECT_EQ(nameFiltersFor(QStringLiteral(" ; ")), QStringList({"*"}));
    EXPECT_TRUE(isFilePattern(QStringLiteral("a?.rom")));
    EXPECT_FALSE(isFilePattern(QStringLiteral("kick.rom")));
}

TEST(FilesLogic, StartPointFollowsTheDefaultPath)
{
    TempDir dir;
    const QString games = dir.mkdir(QStringLiteral("My Games/$x \"q\""));
    dir.write(QStringLiteral("My Games/$x \"q\"/uae.exe"));
    const QString home = dir.mkdir(QStringLiteral("home"));
    struct Row {
        const char* name;
        FilesMode mode;
        QString defaultPath;
        QString defaultFilename;
        QString folder;
        QString file;
    };
    const Row rows[] = {
        {"folder", FilesMode::File, games, QStringLiteral("*.exe"), games, {}},
        {"folder without separator", FilesMode::Dir, games.chopped(1), {}, games, {}},
        {"existing file is preselected", FilesMode::File, games + "uae.exe", QStringLiteral("*.exe"), games, "uae.exe"},
        {"file in folder mode", FilesMode::Dir, games + "uae.exe", {}, games, {}},
        {"quoted path", FilesMode::File, '"' + games + "uae.exe\"", {}, games, "uae.exe"},
        {"missing file: nearest folder", FilesMode::File, games + "gone/deeper/x.exe", {}, games, {}},
        {"empty: home", FilesMode::File, {}, {}, home, {}},
        {"relative: home", FilesMode::Dir, QStringLiteral("./Games/"), {}, home, {}},
        {"windows path: home", FilesMode::Dir, QStringLiteral("C:\\Games\\"), {}, home, {}},
        {"save offers the name", FilesMode::SaveFile, games, QStringLiteral("new.uae"), games, "new.uae"},
        {"open offers a plain name", FilesMode::File, games, QStringLiteral("deamon.exe"), games, "deamon.exe"},
        {"save ignores a pattern", FilesMode::SaveFile, games, QStringLiteral("*.uae"), games, {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const StartPoint start = startPointFor(r.mode, r.defaultPath, r.defaultFilename, home);
        EXPECT_EQ(start.folder, r.folder);
        EXPECT_EQ(start.file, r.file);
    }
    EXPECT_EQ(nearestExistingFolder(QStringLiteral("/no/such/folder/anywhere")), QStringLiteral("/"));
    EXPECT_EQ(nearestExistingFolder(QStringLiteral("relative")), QStringLiteral("/"));
}

TEST(FilesLogic, TypedPathsAreNormalised)
{
    TempDir dir;
    const QString home = QStringLiteral("/home/me");
    const QString quotedName = dir.write(QStringLiteral("\"q\""));
    struct Row {
        QString typed;
        QString expected;
    };
    const Row rows[] = {
        {QStringLiteral("  /a/b/../c.rom  "), QStringLiteral("/a/c.rom")},
        {QStringLiteral("\"/a b/c d.rom\""), QStringLiteral("/a b/c d.rom")},
        {QStringLiteral("~/games/"), QStringLiteral("/home/me/games/")},
        {QStringLiteral("~"), QStringLiteral("/home/me")},
        {QStringLiteral("//server/share"), QStringLiteral("/server/share")},
        {QStringLiteral("/a//b/./"), QStringLiteral("/a/b/")},
        {QStringLiteral("/"), QStringLiteral("/")},
        {QStringLiteral("/$HOME/x\ny"), QStringLiteral("/$HOME/x\ny")},
        {QStringLiteral("games/x.rom"), QString()},
        {QStringLiteral("   "), QString()},
        // A file whose name really has quotes keeps them.
        {quotedName, quotedName},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.typed.toStdString());
        EXPECT_EQ(normalizeTypedPath(r.typed, home), r.expected);
    }
}

TEST(FilesLogic, OkDecidesByModeAndWhatExists)
{
    setCurrentLanguage(kLanguageEnglish);
    TempDir dir;
    const QString root = dir.path();
    const QString sub = dir.mkdir(QStringLiteral("sub dir"));
    const QString rom = dir.write(QStringLiteral("sub dir/kick $1.rom"));
    using K = ChoiceOutcome::Kind;
    struct Row {
        const char* name;
        FilesMode mode;
        QString fullPath;
        K kind;
        QString path;
        QString pattern;
        QString message;
    };
    const Row rows[] = {
        {"open existing file", FilesMode::File, rom, K::Accept, rom, {}, {}},
        {"open missing file", FilesMode::File, sub + "nope.rom", K::Refuse, {}, {},
         "The file \"" + sub + "nope.rom\" was not found."},
        {"open in missing folder", FilesMode::File, root + "gone/x.rom", K::Refuse, {}, {},
         "The folder \"" + root + "gone/\" was not found."},
        {"open another folder", FilesMode::File, sub.chopped(1), K::OpenFolder, sub, {}, {}},
        {"open with only the current folder", FilesMode::File, root, K::Refuse, {}, {}, "Please choose a file."},
        {"open with a pattern", FilesMode::File, sub + "*.ROM", K::ApplyPattern, sub, "*.ROM", {}},
        {"open relative text", FilesMode::File, QStringLiteral("x.rom"), K::Refuse, {}, {},
         "The file \"x.rom\" was not found."},
        {"open nothing", FilesMode::File, {}, K::Refuse, {}, {}, "Please choose a file."},
        {"save new name", FilesMode::SaveFile, sub + "new.uae", K::Accept, sub + "new.uae", {}, {}},
        {"save over existing", FilesMode::SaveFile, rom, K::Accept, rom, {}, {}},
        {"save in missing folder", FilesMode::SaveFile, root + "gone/new.uae", K::Refuse, {}, {},
         "The folder \"" + root + "gone/\" was not found."},
        {"folder", FilesMode::Dir, sub.chopped(1), K::Accept, sub, {}, {}},
        {"folder that is a file", FilesMode::Dir, rom, K::Refuse, {}, {},
         "The folder \"" + rom + "\" was not found."},
        {"folder nothing", FilesMode::Dir, {}, K::Refuse, {}, {}, "Please choose a folder."},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const ChoiceOutcome out = resolveChoice(r.mode, r.fullPath, root);
        EXPECT_EQ(out.kind, r.kind);
        EXPECT_EQ(out.path, r.path);
        EXPECT_EQ(out.pattern, r.pattern);
        EXPECT_EQ(out.message, r.message);
    }
    setCurrentLanguage(kLanguageGerman);
    EXPECT_EQ(resolveChoice(FilesMode::File, sub + "x", root).message,
              "Die Datei \"" + sub + "x\" wurde nicht gefunden.");
    EXPECT_EQ(resolveChoice(FilesMode::Dir, {}, root).message, QStringLiteral("Bitte einen Ordner wählen."));
    setCurrentLanguage(kLanguageEnglish);
}

TEST(FilesLogic, PlacesAreRootHomeAndRemovableMounts)
{
    const QList<MountedVolume> volumes = {
        {QStringLiteral("/"), QStringLiteral("root"), true},
        {QStringLiteral("/boot/efi"), {}, true},
        {QStringLiteral("/media/me/USB STICK"), QStringLiteral("USB STICK"), true},
        {QStringLiteral("/run/media/me/CDROM"), QStringLiteral("CDROM"), true},
        {QStringLiteral("/run/media/other/THEIRS"), QStringLiteral("THEIRS"), true},
        {QStringLiteral("/mnt/games"), {}, true},
        {QStringLiteral("/mnt/notready"), {}, false},
        {QStringLiteral("/media/me/USB STICK"), QStringLiteral("USB STICK"), true},
        {QStringLiteral("/proc"), {}, true},
    };
    const QList<Place> places = placesFor(QStringLiteral("/home/me"), QStringLiteral("me"), volumes);
    QStringList paths, labels;
    for (const Place& p : places) {
        paths << p.path;
        labels << p.label;
    }
    EXPECT_EQ(paths, QStringList({"/", "/home/me/", "/media/me/USB STICK/", "/run/media/me/CDROM/", "/mnt/games/"}));
    EXPECT_EQ(labels.at(2), QStringLiteral("USB STICK (/media/me/USB STICK/)"));
    EXPECT_EQ(labels.at(4), QStringLiteral("games (/mnt/games/)"));

    EXPECT_EQ(placeIndexFor(places, QStringLiteral("/home/me/Games/")), 1);
    EXPECT_EQ(placeIndexFor(places, QStringLiteral("/home/meier/")), 0);
    EXPECT_EQ(placeIndexFor(places, QStringLiteral("/media/me/USB STICK")), 2);
    EXPECT_EQ(placeIndexFor(places, QStringLiteral("/usr/bin/")), 0);
    EXPECT_EQ(placeIndexFor({}, QStringLiteral("/")), -1);
    // A home that is "/" (or unset) adds nothing beside the root.
    EXPECT_EQ(placesFor(QStringLiteral("/"), {}, {}).size(), 1);
    EXPECT_EQ(placesFor({}, {}, {}).size(), 1);
    // The machine's own list always starts with the root and the home folder.
    const QList<Place> here = currentPlaces();
    ASSERT_FALSE(here.isEmpty());
    EXPECT_EQ(here.first().path, QStringLiteral("/"));
}

TEST(FilesLogic, DialogFunctionsPassTheirArgumentsToTheInstalledChooser)
{
    EXPECT_EQ(FileOpenDialog(QStringLiteral("/x/")), QString()); // silent chooser: cancelled
    ScriptedFileChooser chooser;
    chooser.queue(QStringLiteral("/opt/uae/winuae.exe"));
    chooser.queue(QStringLiteral("/tmp/out.uae"));
    chooser.queue(QStringLiteral("/games/"));
    EXPECT_EQ(FileOpenDialog(QStringLiteral("/opt/"), QStringLiteral("Emulator Exe wählen"), QStringLiteral("*.exe")),
              QStringLiteral("/opt/uae/winuae.exe"));
    EXPECT_EQ(filesaveDialog(QStringLiteral("/tmp/"), QStringLiteral("out.uae"), QStringLiteral("Save")),
              QStringLiteral("/tmp/out.uae"));
    EXPECT_EQ(FileDirSelectDialog(QStringLiteral("/g/"), QStringLiteral("ROM Verzeichnis wählen")),
              QStringLiteral("/games/"));
    EXPECT_EQ(FileDirSelectDialog(QStringLiteral("/g/")), QString()); // queue empty: cancelled
    ASSERT_EQ(chooser.requests().size(), 4);
    const auto& open = chooser.requests().at(0);
    EXPECT_EQ(open.mode, QStringLiteral("File"));
    EXPECT_EQ(open.caption, QStringLiteral("Emulator Exe wählen"));
    EXPECT_EQ(open.defaultFilename, QStringLiteral("*.exe"));
    const auto& save = chooser.requests().at(1);
    EXPECT_EQ(save.mode, QStringLiteral("SaveFile"));
    EXPECT_EQ(save.defaultFilename, QStringLiteral("out.uae"));
    EXPECT_EQ(save.caption, QStringLiteral("Save"));
    EXPECT_EQ(chooser.requests().at(2).defaultPath, QStringLiteral("/g/"));
    EXPECT_EQ(chooser.requests().at(2).caption, QStringLiteral("ROM Verzeichnis wählen"));
}

} // namespace
