// Names come back as they went in: file-name bytes through decoding, a real
// scan and the list order; favourites through add, save and load; display
// names and disk similarity over names with characters above U+FFFF; stored
// relative paths back to the same file. Names are generated from a fixed
// seed out of the pieces real collections hold: characters above U+FFFF,
// umlauts in UTF-8 and as Windows-1252 bytes, BOMs, blanks at both ends.
#include "config/AppEnvironment.h"
#include "config/Language.h"
#include "launch/PathOps.h"
#include "library/DisplayNames.h"
#include "library/Favorites.h"
#include "library/FileNames.h"
#include "library/FileScanRecursive.h"
#include "library/LibraryTestSupport.h"
#include "support/RawFiles.h"
#include "support/ScriptedPrompt.h"
#include "support/TempDir.h"

#include <QDir>
#include <QSet>

#include <algorithm>
#include <random>
#include <sys/stat.h>

#include <gtest/gtest.h>

namespace {

const QByteArray kFloppy = "\xF0\x9F\x92\xBE"; // U+1F4BE, D83D DCBE in UTF-16
const QByteArray kDisc = "\xF0\x9F\x92\xBF";   // U+1F4BF
const QByteArray kBom = "\xEF\xBB\xBF";

// Pieces of generated names: text, blanks, astral characters, BOMs and raw bytes.
QList<QByteArray> namePieces()
{
    QList<QByteArray> pieces{"a", "Z", "Game", " ", "_", "(Disk 1 of 2)", "'", "\"", "$x", "\\",
                             "\xC3\xBC", kFloppy, kDisc, kBom, "\xF0\x9F\x93\x80", "\xE2\x82\xAC"};
    for (int b = 0x80; b <= 0xFF; b += 7)
        pieces.append(QByteArray(1, char(b))); // a lone raw byte (Windows-1252 letters among them)
    pieces.append(QByteArray(1, char(0xBE)));  // the byte that equals the low half of U+1F4BE
    return pieces;
}

QByteArray generatedName(std::mt19937& rng, int maxPieces = 6)
{
    static const QList<QByteArray> pieces = namePieces();
    std::uniform_int_distribution<int> count(1, maxPieces);
    std::uniform_int_distribution<qsizetype> pick(0, pieces.size() - 1);
    QByteArray name;
    for (int i = count(rng); i > 0; --i)
        name += pieces.at(pick(rng));
    return name;
}

bool hasRawByte(const QString& s)
{
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t c = s.at(i).unicode();
        if (c >= 0xDC80 && c <= 0xDCFF && (i == 0 || !s.at(i - 1).isHighSurrogate()))
            return true;
    }
    return false;
}

} // namespace

TEST(FileNameBytes, EveryByteStringComesBackFromItsTextExactly)
{
    std::mt19937 rng(19);
    for (int i = 0; i < 3000; ++i) {
        QByteArray bytes = generatedName(rng, 8);
        if (i % 5 == 0)
            bytes.insert(bytes.size() / 2, '\0');
        const QString text = decodeFileName(bytes);
        ASSERT_EQ(encodeFileName(text), bytes) << bytes.toHex().constData();
        ASSERT_EQ(decodeFileName(encodeFileName(text)), text);
    }
    // Valid UTF-8 is plain text, whatever it holds: pairs stay pairs, a BOM stays.
    const struct {
        QByteArray bytes;
        QString text;
    } rows[] = {
        {"Amiga " + kFloppy, QStringLiteral("Amiga \U0001F4BE")},
        {kBom + "Game.adf", QChar(0xFEFF) + QStringLiteral("Game.adf")},
        {"a\xE9" + kBom, QStringLiteral("a") + QChar(0xDCE9) + QChar(0xFEFF)},
        {kFloppy + "\xBE", QStringLiteral("\U0001F4BE") + QChar(0xDCBE)},
        {"Sp\xE9l.adf", QStringLiteral("Sp") + QChar(0xDCE9) + QStringLiteral("l.adf")},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(decodeFileName(row.bytes), row.text) << row.bytes.toHex().constData();
        EXPECT_EQ(encodeFileName(row.text), row.bytes) << row.bytes.toHex().constData();
    }
    EXPECT_FALSE(hasRawByte(decodeFileName("Amiga " + kFloppy + kDisc)));
}

TEST(FileNameBytes, ScannedFilesWithGeneratedNamesAreListedAndOpenedByTheirOwnBytes)
{
    TempDir dir;
    const QByteArray root = QFile::encodeName(dir.mkdir(QStringLiteral("Games")));
    std::mt19937 rng(7);
    QSet<QByteArray> made;
    const QByteArray sub = "Amiga " + kFloppy;
    ASSERT_EQ(::mkdir((root + sub).constData(), 0755), 0);
    while (made.size() < 60) {
        QByteArray name = generatedName(rng);
        if (name.startsWith('.') || made.contains(name))
            continue;
        const QByteArray folder = made.size() % 2 ? root + sub : root;
        const QByteArray relative = (made.size() % 2 ? sub + '/' : QByteArray()) + name;
        ASSERT_TRUE(touchRaw(folder, name, relative)) << name.toHex().constData();
        made.insert(relative);
    }
    RecordingHost host;
    FileScanRecursive scan(host);
    QString start = decodeFileName(root);
    ASSERT_EQ(scan.ScanFiles(start, QStringLiteral("*"), QString()), int(made.size()));
    QSet<QByteArray> found;
    for (const QString& path : scan.Result_list()) {
        const QByteArray bytes = encodeFileName(path);
        ASSERT_TRUE(bytes.startsWith(root)) << bytes.constData();
        const QByteArray relative = bytes.mid(root.size());
        found.insert(relative);
        QByteArray content;
        ASSERT_TRUE(readFileBytes(path, content, 1000)) << relative.toHex().constData();
        EXPECT_EQ(content, relative);
        EXPECT_TRUE(isRegularFile(path));
    }
    EXPECT_EQ(found, made);
    removeRawTree(QFile::encodeName(dir.path()));
}

TEST(ListCollation, RawBytesSortAsTheWindows1252LettersTheyStandFor)
{
    const auto raw = [](const char* s) { return decodeFileName(QByteArray(s)); };
    QStringList names{raw("M\xFCller (1990)(Ocean)(Disk 1 of 2).adf"), raw("M\xF6ller (1991)(Ocean)(Disk 2 of 2).adf"),
                      QStringLiteral("Möller (1991)(Ocean)(Disk 3 of 3).adf"), raw("M\xF6ller (1991)(Ocean)(Disk 1 of 2).adf"),
                      raw("M\xFCller (1990)(Ocean)(Disk 2 of 2).adf"), QStringLiteral("Moon.adf"),
                      raw("\x80uro.adf"), QStringLiteral("Zak.adf")};
    QStringList sorted = names;
    sortListBox(sorted);
    EXPECT_EQ(sorted, (QStringList{QStringLiteral("Moon.adf"), raw("M\xF6ller (1991)(Ocean)(Disk 1 of 2).adf"),
                                   raw("M\xF6ller (1991)(Ocean)(Disk 2 of 2).adf"),
                                   QStringLiteral("Möller (1991)(Ocean)(Disk 3 of 3).adf"),
                                   raw("M\xFCller (1990)(Ocean)(Disk 1 of 2).adf"),
                                   raw("M\xFCller (1990)(Ocean)(Disk 2 of 2).adf"), QStringLiteral("Zak.adf"),
                                   raw("\x80uro.adf")}));
    // Each game once in the list without duplicates: equal display names are neighbours.
    QStringList simple;
    for (const QString& n : sorted) {
        const QString shortName = CutShortName(n, QStringLiteral(")"), true);
        if (simple.isEmpty() || simple.last() != shortName)
            simple << shortName;
    }
    // Moon, Möller (raw), Möller (UTF-8: another text), Müller, Zak, €uro.
    EXPECT_EQ(simple.size(), 6) << simple.join(u'|').toStdString();

    // The comparison the scanner sorts with gives the same order as the list sort.
    std::mt19937 rng(3);
    QStringList mixed;
    for (int i = 0; i < 400; ++i)
        mixed << decodeFileName(generatedName(rng, 4));
    QStringList bySort = mixed, byLess = mixed;
    sortListBox(bySort);
    std::stable_sort(byLess.begin(), byLess.end(), listBoxLess);
    EXPECT_EQ(bySort, byLess);
    for (const QString& s : mixed)
        EXPECT_FALSE(listBoxKey(s).contains(QChar(0xFFFD))) << encodeFileName(s).toHex().constData();
}

class FavouriteNamesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppEnvironment::setOverrides(dir.path(), QStringLiteral("arvex"));
        setCurrentLanguage(kLanguageEnglish);
        fav.setFile(dir.mkdir(QStringLiteral("Config/Amiga \U0001F4BE")) + QStringLiteral("Favoriten.ini"));
    }
    void TearDown() override
    {
        setCurrentLanguage(kLanguageEnglish);
        AppEnvironment::setOverrides(QString(), QString());
    }
    TempDir dir;
    Favorites fav;
    ScriptedPrompt prompt;
};

TEST_F(FavouriteNamesTest, GeneratedNamesAndPathsSurviveAddSaveAndLoadInAnAstralProfileFolder)
{
    std::mt19937 rng(11);
    QStringList names, paths;
    for (int i = 0; i < 40; ++i) {
        const QString name = decodeFileName(generatedName(rng));
        const QString file = decodeFileName(generatedName(rng));
        // Below the program folder (stored relative), beside it and elsewhere (stored absolute).
        const QString path = i % 3 == 0   ? dir.path() + QStringLiteral("Games/") + file
                             : i % 3 == 1 ? dir.path() + QStringLiteral("Games/\U0001F4BE/") + file
                                          : QStringLiteral("/media/disk/") + file;
        if (name.trimmed().isEmpty() || paths.contains(path))
            continue;
        ASSERT_TRUE(fav.AddFavorite(name, path, i));
        ASSERT_TRUE(fav.SaveFavorites());
        fav.LoadFavorites();
        names << name;
        paths << path;
        ASSERT_EQ(fav.count(), names.size()) << "after adding " << encodeFileName(name).toHex().constData();
    }
    ASSERT_GE(names.size(), 30);
    for (qsizetype i = 0; i < names.size(); ++i) {
        QString expected = QString(names.at(i)).replace(u'_', u' ').trimmed();
        if (expected.isEmpty())
            expected = names.at(i).trimmed();
        EXPECT_EQ(fav.records().at(i).Name, expected) << encodeFileName(names.at(i)).toHex().constData();
        EXPECT_EQ(encodeFileName(fav.records().at(i).FullPath), encodeFileName(paths.at(i)));
    }
}

TEST_F(FavouriteNamesTest, NamesOfOnlyUnderscoresAndBlanksAreRefusedOnRenameAndKeptOnAdd)
{
    ASSERT_TRUE(fav.AddFavorite(QStringLiteral("Turrican"), QStringLiteral("/g/t.adf"), 0));
    ASSERT_TRUE(fav.AddFavorite(QStringLiteral("__"), QStringLiteral("/g/__.adf"), 1));
    ASSERT_TRUE(fav.SaveFavorites());
    fav.LoadFavorites();
    EXPECT_EQ(fav.names(), (QStringList{QStringLiteral("Turrican"), QStringLiteral("__")}));

    for (const auto& [language, text] :
         {std::pair{kLanguageEnglish, QStringLiteral("The name needs at least one character other than \"_\" and blanks.")},
          std::pair{kLanguageGerman, QStringLiteral("Der Name braucht mindestens ein Zeichen außer \"_\" und Leerzeichen.")}}) {
        setCurrentLanguage(language);
        for (const QString& answer : {QStringLiteral("_"), QStringLiteral(" _ _ ")}) {
            prompt.clear();
            prompt.queueInput(answer);
            EXPECT_FALSE(fav.EditAliasName(0));
            ASSERT_EQ(prompt.count(), 2) << "the input box, then the refusal";
            EXPECT_EQ(prompt.lastText(), text);
            fav.LoadFavorites();
            ASSERT_EQ(fav.count(), 2);
            EXPECT_EQ(fav.records().at(0).Name, QStringLiteral("Turrican"));
            EXPECT_EQ(fav.records().at(0).FullPath, QStringLiteral("/g/t.adf"));
        }
    }
    // A name with something besides "_" is taken, its "_" shown as blanks.
    prompt.queueInput(QStringLiteral("_Turrican_II_"));
    EXPECT_TRUE(fav.EditAliasName(0));
    fav.LoadFavorites();
    EXPECT_EQ(fav.records().at(0).Name, QStringLiteral("Turrican II"));
}

namespace {

// The edit distance with neighbour swaps (optimal string alignment), worked
// out over the whole table: the reference the capped, banded one must meet.
int referenceDistance(const QString& a, const QString& b)
{
    const qsizetype n = a.size(), m = b.size();
    std::vector<std::vector<int>> d(size_t(n + 1), std::vector<int>(size_t(m + 1)));
    for (qsizetype i = 0; i <= n; ++i)
        d[size_t(i)][0] = int(i);
    for (qsizetype j = 0; j <= m; ++j)
        d[0][size_t(j)] = int(j);
    for (qsizetype i = 1; i <= n; ++i)
        for (qsizetype j = 1; j <= m; ++j) {
            int v = std::min({d[size_t(i - 1)][size_t(j)] + 1, d[size_t(i)][size_t(j - 1)] + 1,
                              d[size_t(i - 1)][size_t(j - 1)] + (a[i - 1] == b[j - 1] ? 0 : 1)});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                v = std::min(v, d[size_t(i - 2)][size_t(j - 2)] + 1);
            d[size_t(i)][size_t(j)] = v;
        }
    return d[size_t(n)][size_t(m)];
}

} // namespace

TEST(CharDiff, CappedEditDistanceWithSwapsOverShortAndVeryLongNames)
{
    const struct {
        const char* a;
        const char* b;
        int limit, expected;
    } rows[] = {
        {"ab", "bab", 5, 1},   {"ab", "ba", 5, 1},       {"abc", "abc", 1, 0},  {"abc", "", 2, 2},
        {"", "", 5, 0},        {"kitten", "sitting", 5, 3}, {"ca", "abc", 5, 3}, {"Disk 1", "Disk 2", 1, 1},
        {"Disk 1", "Disk 2", 5, 1}, {"abcd", "badc", 5, 2}, {"x", "yyyyyy", 5, 5}, {"ab", "bab", 1, 1},
    };
    for (const auto& r : rows)
        EXPECT_EQ(getCharDiff(QString::fromUtf8(r.a), QString::fromUtf8(r.b), qint16(r.limit)), r.expected)
            << r.a << " / " << r.b << " limit " << r.limit;

    std::mt19937 rng(5);
    std::uniform_int_distribution<int> len(0, 9), letter(0, 2), limit(1, 8);
    for (int i = 0; i < 3000; ++i) {
        QString a, b;
        for (int k = len(rng); k > 0; --k)
            a += QChar(u'a' + letter(rng));
        for (int k = len(rng); k > 0; --k)
            b += QChar(u'a' + letter(rng));
        const int lim = limit(rng);
        ASSERT_EQ(getCharDiff(a, b, qint16(lim)), std::min(referenceDistance(a, b), lim))
            << a.toStdString() << " / " << b.toStdString() << " limit " << lim;
    }
    // Names far longer than any recursion could follow.
    const QString longName(300000, u'x');
    QString changed = longName;
    changed[150000] = u'y';
    EXPECT_EQ(getCharDiff(longName, longName, 5), 0);
    EXPECT_EQ(getCharDiff(longName, changed, 5), 1);
    EXPECT_EQ(getCharDiff(longName, changed + QStringLiteral("zz"), 5), 3);
}

TEST(DisplayNameCut, NeverSplitsACharacterAboveU10000)
{
    const QString floppy = QStringLiteral("\U0001F4BE");
    const struct {
        QString path;
        QString expected;
    } rows[] = {
        {QStringLiteral("/g/x") + floppy + QStringLiteral("abc"), QStringLiteral("x")},
        {QStringLiteral("/g/Game ") + floppy + QStringLiteral(".adf"), QStringLiteral("Game ") + floppy},
        {QStringLiteral("/g/") + floppy + floppy + QStringLiteral("(1990)(Disk 1).adf"),
         floppy + floppy + QStringLiteral("(1990)(Disk 1)")},
    };
    for (const auto& r : rows)
        EXPECT_EQ(CutShortName(r.path, QStringLiteral(")"), true), r.expected) << r.path.toStdString();
    std::mt19937 rng(23);
    for (int i = 0; i < 2000; ++i) {
        const QString name = CutShortName(QStringLiteral("/g/") + decodeFileName(generatedName(rng)),
                                          QStringLiteral(")"), true);
        ASSERT_FALSE(!name.isEmpty() && name.back().isHighSurrogate()) << encodeFileName(name).toHex().constData();
    }
}

namespace {

// The file an absolute path names, component by component ("/.." is "/").
QStringList resolved(const QString& path)
{
    QStringList out;
    for (const QString& part : path.split(u'/', Qt::SkipEmptyParts)) {
        if (part == u"..") {
            if (!out.isEmpty())
                out.removeLast();
        } else if (part != u".") {
            out << part;
        }
    }
    return out;
}

} // namespace

TEST(StoredPaths, EveryRelativeFormLeadsBackToTheSameFile)
{
    const QStringList parts{QStringLiteral("a"), QStringLiteral("b c"), QStringLiteral(".."), QStringLiteral("."),
                            QStringLiteral("x\\y"), QStringLiteral("\\"), QStringLiteral("\U0001F4BE"),
                            QString(QChar(0xDCE9)), QStringLiteral("C:"), QStringLiteral("..x"), QString(),
                            QStringLiteral(" lead"), QStringLiteral("trail ")};
    std::mt19937 rng(31);
    std::uniform_int_distribution<qsizetype> pick(0, parts.size() - 1);
    std::uniform_int_distribution<int> depth(0, 4), shared(0, 3);
    auto randomPath = [&](const QStringList& prefix) {
        QStringList p = prefix;
        for (int k = depth(rng); k > 0; --k)
            p << parts.at(pick(rng));
        return u'/' + p.join(u'/');
    };
    for (int i = 0; i < 5000; ++i) {
        QStringList common;
        for (int k = shared(rng); k > 0; --k)
            common << parts.at(pick(rng));
        const QString base = randomPath(common);
        const QString target = randomPath(common);
        const QString stored = MakeRelativePath(base, target);
        const QString back = MakeAbsolutePath(base, stored);
        ASSERT_EQ(resolved(back), resolved(target))
            << "base " << base.toStdString() << " target " << target.toStdString() << " stored "
            << stored.toStdString();
    }
    // A "\" in a Linux name keeps the path absolute; ".." in the base is resolved both ways.
    EXPECT_EQ(MakeRelativePath(QStringLiteral("/home/u"), QStringLiteral("/home/u/Games/a\\b.adf")),
              QStringLiteral("/home/u/Games/a\\b.adf"));
    EXPECT_EQ(MakeAbsolutePath(QStringLiteral("/home/u/x/.."),
                               MakeRelativePath(QStringLiteral("/home/u/x/.."), QStringLiteral("/home/u/g.adf"))),
              QStringLiteral("/home/u/g.adf"));
}
