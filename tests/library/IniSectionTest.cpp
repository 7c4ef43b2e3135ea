// One section read in a pass: a large file (read by the bounded scan) gives
// exactly what the same settings lines give in a small file, and a file that
// cannot be a profile file reads as unreadable.
#include "config/IniScan.h"
#include "library/IniSection.h"
#include "support/QtPrint.h"
#include "support/TempDir.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

TEST(IniSection, ALargeFileReadsAsItsSettingsLinesAlone)
{
    TempDir dir;
    for (const bool utf8 : {true, false}) {
        const QByteArray u = utf8 ? "\xC3\xBC" : "\xFC";
        const QList<QByteArray> settings{
            "Outside=before any section", "[Favoriten]", "  Name0  =  \"Gr" + u + "n\"  ", "name0=second",
            "Path0=./Games/A.adf", "Empty=", "[Other]", "Name1=elsewhere", "[favoriten]", "Name2=repeated section"};
        QByteArray small, large;
        QRandomGenerator rng(utf8 ? 3 : 4);
        for (const QByteArray& line : settings) {
            small += line + "\r\n";
            // Lines without "[" or "=" between them, until the file is large.
            while (large.size() < (IniScan::kLargeFileBytes / qsizetype(settings.size())) * (settings.indexOf(line) + 1))
                large += QByteArray(int(rng.bounded(1, 200)), 'a') + u + (rng.bounded(2) ? "\n" : "\r\n");
            large += line + "\r\n";
        }
        const IniSection a = IniSection::read(dir.write(QStringLiteral("small.ini"), small), QStringLiteral("Favoriten"));
        const IniSection b = IniSection::read(dir.write(QStringLiteral("large.ini"), large), QStringLiteral("Favoriten"));
        ASSERT_GE(large.size(), IniScan::kLargeFileBytes);
        EXPECT_TRUE(a.readable && b.readable);
        EXPECT_EQ(a.values, b.values);
        EXPECT_EQ(b.value(QStringLiteral("NAME0")), QString::fromUtf8("Gr\xC3\xBCn"));
        EXPECT_TRUE(b.has(QStringLiteral("empty")));
        EXPECT_FALSE(b.has(QStringLiteral("Name2")));
    }
}

TEST(IniSection, ABinaryFileIsNoProfileFile)
{
    TempDir dir;
    QByteArray binary(50 << 20, Qt::Uninitialized);
    QRandomGenerator(5).fillRange(reinterpret_cast<quint32*>(binary.data()), binary.size() / 4);
    const QString file = dir.write(QStringLiteral("Favoriten.ini"), "[Favoriten]\r\nName0=A\r\n" + binary);
    binary.clear();
    const IniSection s = IniSection::read(file, QStringLiteral("Favoriten"));
    EXPECT_FALSE(s.readable);
    EXPECT_TRUE(s.values.isEmpty());
}
