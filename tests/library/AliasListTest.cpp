// The alias list gives exactly the renames of the straightforward rule (each
// row reads the names from the start index on), on random and adversarial
// lists, including names whose case folding is not plain ASCII.
#include "library/AliasList.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

namespace {

// The rule written out plainly: each row reads every name from the start index on.
QStringList reference(QStringList names, const QList<AliasList::Row>& rows)
{
    qsizetype start = 0;
    for (const AliasList::Row& row : rows) {
        qsizetype found = -1;
        for (qsizetype j = qMax<qsizetype>(start, 0); j < names.size(); ++j)
            if (names.at(j).contains(row.search, Qt::CaseInsensitive)) {
                found = j;
                break;
            }
        if (found >= 0) {
            names[found] = row.name;
            start = found + 1;
        } else {
            start = -1;
        }
    }
    return names;
}

QStringList applied(QStringList names, const QList<AliasList::Row>& rows)
{
    AliasList::apply(names, rows);
    return names;
}

// Pieces that make case folding interesting: ASCII in both cases, umlauts,
// sharp s, the Kelvin sign and long s (which fold to ASCII letters), a
// surrogate pair in both cases (Deseret), a lone surrogate, blanks and ";".
const QStringList kPieces{
    "a", "A", "b", "B", "ab", "Ab", "k", "K", "s", "S", "x", "1", " ", "(", ";",
    QStringLiteral("ä"), QStringLiteral("Ä"), QStringLiteral("ß"), QStringLiteral("\u212A"),
    QStringLiteral("\u017F"), QString::fromUcs4(U"\U00010400"), QString::fromUcs4(U"\U00010428"),
    QString(QChar(0xD800)), QString(QChar(0xDC00)),
};

QString randomText(QRandomGenerator& rng, int maxPieces)
{
    QString s;
    const int count = int(rng.bounded(maxPieces + 1));
    for (int i = 0; i < count; ++i)
        s += kPieces.at(rng.bounded(int(kPieces.size())));
    return s;
}

QString flipCase(QRandomGenerator& rng, const QString& s)
{
    QString out;
    for (QChar c : s)
        out += rng.bounded(2) ? c.toUpper() : c.toLower();
    return out;
}

} // namespace

TEST(AliasListTest, SameRenamesAsTheRuleOnRandomLists)
{
    for (quint32 seed = 1; seed <= 400; ++seed) {
        QRandomGenerator rng(seed);
        QStringList names;
        const int n = int(rng.bounded(1, 60));
        for (int i = 0; i < n; ++i)
            names.append(randomText(rng, 6));
        QList<AliasList::Row> rows;
        const int r = int(rng.bounded(1, 80));
        for (int i = 0; i < r; ++i) {
            QString search;
            switch (rng.bounded(4)) {
            case 0: { // a piece of an existing name, in another case
                const QString& name = names.at(rng.bounded(n));
                const int from = name.isEmpty() ? 0 : int(rng.bounded(int(name.size())));
                search = flipCase(rng, name.mid(from, int(rng.bounded(1, 6))));
                break;
            }
            case 1: search = randomText(rng, 3); break;
            case 2: search = QString(); break;
            default: search = names.at(rng.bounded(n)); break;
            }
            // Some display names hold texts that later rows look for.
            rows.append({search, randomText(rng, 4)});
        }
        ASSERT_EQ(applied(names, rows), reference(names, rows)) << "seed " << seed;
    }
}

TEST(AliasListTest, SameRenamesAsTheRuleOnAdversarialLists)
{
    QStringList games;
    for (int i = 0; i < 400; ++i)
        games.append(QStringLiteral("Game %1 (19%2)(Ocean)").arg(i).arg(80 + i % 20));
    auto rowsFor = [&](const QList<int>& order) {
        QList<AliasList::Row> rows;
        for (int i : order)
            rows.append({QStringLiteral("game %1 (").arg(i), QStringLiteral("Title %1").arg(i)});
        return rows;
    };
    QList<int> forward, backward, everyOtherMissing;
    for (int i = 0; i < 400; ++i) {
        forward.append(i);
        backward.prepend(i);
        everyOtherMissing.append(i % 2 ? 1000 + i : i);
    }
    QList<AliasList::Row> sameText(300, {QStringLiteral("ocean"), QStringLiteral("Renamed")});
    // Display names that later rows find again: a chain of renames on one entry.
    QList<AliasList::Row> chain{{"game 5 (", "step one"}, {"zzz", "miss"}, {"STEP ONE", "step two"},
                                {"", "empty after a miss takes entry 0"}, {"", "and entry 1"},
                                {"step two", "Game 999 (chained)"}, {"Game 999", "last"}};
    QList<AliasList::Row> shortTexts{{"1", "one"}, {"9)", "nine"}, {"(", "paren"}, {"G", "g"},
                                     {"x", "none"}, {"", "e"}, {"0", "zero"}, {"e 3", "3"}};
    const struct {
        const char* what;
        QList<AliasList::Row> rows;
    } cases[] = {
        {"file order", rowsFor(forward)},
        {"reversed", rowsFor(backward)},
        {"every other row missing", rowsFor(everyOtherMissing)},
        {"one text for every row", sameText},
        {"renamed entries found again", chain},
        {"texts of one and two characters", shortTexts},
        {"no rows", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(applied(games, c.rows), reference(games, c.rows)) << c.what;
    EXPECT_EQ(applied({}, chain), QStringList()) << "no games";
    EXPECT_EQ(applied({"", ""}, {{"", "a"}, {"", "b"}, {"", "c"}}), (QStringList{"a", "b"}))
        << "empty names match only an empty search text";
}

TEST(AliasListTest, ParsesLinesAtTheFirstSeparator)
{
    const QList<AliasList::Row> rows =
        AliasList::parse(QStringLiteral("a;One\r\nno separator\r\n\r\n;empty search\rb;x;y\nc;"));
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0].search, "a");
    EXPECT_EQ(rows[0].name, "One");
    EXPECT_EQ(rows[1].search, "");
    EXPECT_EQ(rows[1].name, "empty search");
    EXPECT_EQ(rows[2].name, "x;y");
    EXPECT_EQ(rows[3].search, "c");
    EXPECT_EQ(rows[3].name, "");
}

TEST(AliasListTest, ProgressSeesWholeRowsOnly)
{
    QStringList names;
    QList<AliasList::Row> rows;
    for (int i = 0; i < 3000; ++i) {
        names.append(QStringLiteral("n%1.zip").arg(i));
        rows.append({QStringLiteral("n%1.").arg(i), QStringLiteral("Name %1").arg(i)});
    }
    QList<qsizetype> calls;
    AliasList::apply(names, rows, [&](qsizetype done) {
        calls.append(done);
        // Rows before `done` are applied, none after.
        EXPECT_TRUE(done == 0 || names.at(done - 1) == QStringLiteral("Name %1").arg(done - 1));
        EXPECT_TRUE(done == names.size() || names.at(done).startsWith(u'n'));
    });
    ASSERT_FALSE(calls.isEmpty());
    EXPECT_EQ(calls.first(), 0);
    EXPECT_TRUE(std::is_sorted(calls.begin(), calls.end()));
    EXPECT_EQ(names.last(), "Name 2999");
}
