// The alias list: any file given as "AliasList.txt" renames without harm,
// and the renames are exactly those of the plain rule, followed row by row
// over every name (the list applies it through an index of name pieces):
// rows in file order; a row renames the first entry at or after the start
// index whose current name contains its search text, ignoring case; after a
// hit the start moves behind it, after a miss the next row starts at the top.
//
// Input: the alias file; or names (one a line), two NUL bytes, the alias file.
#include "FuzzSupport.h"

#include "config/TextFile.h"
#include "library/GameList.h"
#include "library/LibraryHost.h"

using fuzz::visible;

namespace {

const char* const kNames[] = {
    "1942", "dkong", "galaga", "mslug", "outrun", "pacman", "sf2", "sf2ce", "sf2 turbo", "DKONG JR",
    "Galaga '88", "pacman plus", "Ms. Pac-Man", "", "a", "A", ("\xC3\x9C" "ber"), ("stra\xC3\x9F" "e"), "\xF0\x9F\x92\xBE",
    "outrun", "OutRun Europa"};

QStringList plainRule(QStringList names, const QString& aliasText)
{
    qsizetype start = 0;
    for (const QString& line : TextFile::splitLines(aliasText)) {
        const qsizetype sep = line.indexOf(u';');
        if (sep < 0)
            continue;
        const QString search = line.left(sep);
        qsizetype found = -1;
        for (qsizetype j = start; j < names.size() && found < 0; ++j)
            if (names[j].contains(search, Qt::CaseInsensitive))
                found = j;
        if (found >= 0) {
            names[found] = line.mid(sep + 1);
            start = found + 1;
        } else {
            start = 0;
        }
    }
    return names;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    QStringList names;
    QByteArray aliasBytes = input;
    if (const qsizetype split = input.indexOf(QByteArray("\0\0", 2)); split >= 0) {
        names = TextFile::splitLines(TextFile::decode(input.left(split)));
        aliasBytes = input.mid(split + 2);
    } else {
        for (const char* n : kNames)
            names << QString::fromUtf8(n);
    }
    QStringList paths;
    for (qsizetype i = 0; i < names.size(); ++i)
        paths << QStringLiteral("/games/%1.zip").arg(i);

    BasicLibraryHost host;
    GameList list(host);
    list.setLists(paths, names);
    const QString aliasFile = fuzz::writeScratch("AliasList.txt", aliasBytes);
    list.ApplyAliasList(aliasFile);

    FUZZ_CHECK(list.UAE_FULL() == paths, "renaming leaves the paths alone");
    const QStringList expected = plainRule(names, TextFile::decode(aliasBytes));
    FUZZ_CHECK(list.UAE_Short() == expected, "the renames are those of the plain rule",
          {QStringLiteral("names    ") + visible(names), QStringLiteral("expected ") + visible(expected),
           QStringLiteral("got      ") + visible(list.UAE_Short())});
    return 0;
}
