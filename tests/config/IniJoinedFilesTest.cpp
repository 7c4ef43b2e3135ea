// Settings files made of two files joined, the second with its own BOM: the
// readers (small and large files) and the writer must see the same sections,
// or a written key is never read back.
#include "config/Ini.h"
#include "config/IniScan.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

const QByteArray kBom = "\xEF\xBB\xBF";

// `body` as a small file, and behind enough comment lines to be read as a large one.
QList<QByteArray> smallAndLarge(const QByteArray& body)
{
    QByteArray padding;
    while (padding.size() < IniScan::kLargeFileBytes)
        padding += "; padding line of a settings file that was joined from two\r\n";
    return {body, padding + body};
}

} // namespace

TEST(IniJoinedFiles, AKeyWrittenBehindAJoiningBomIsReadBack)
{
    const QString S = QStringLiteral("Settings");
    // The BOM of the joined part is text, not a mark: its header is no section
    // header, so its keys belong to the section above it (or to none).
    const QStringList expectedBefore{QString(), QString(), QStringLiteral("Amiga")};
    const QList<QByteArray> bodies{
        "[Other]\r\nA=1\r\n" + kBom + "[Settings]\r\nLastEmulator=Amiga\r\n",
        kBom + kBom + "[Settings]\r\nLastEmulator=Amiga\r\n[Other]\r\nA=1\r\n",
        "[Settings]\r\nRomPath=./Games/\r\n" + kBom + "[Settings]\r\nLastEmulator=Amiga\r\n[Other]\r\nA=1\r\n",
    };
    int row = 0;
    for (const QByteArray& body : bodies) {
        for (const QByteArray& bytes : smallAndLarge(body)) {
            TempDir dir;
            const QString file = dir.write(QStringLiteral("arvex.ini"), bytes);
            const bool large = bytes.size() >= IniScan::kLargeFileBytes;
            // Both readers agree on what the joined part holds before any write...
            const QString before = GetPrivateProfileString(S, QStringLiteral("LastEmulator"), file);
            EXPECT_EQ(before, expectedBefore.at(row)) << "row " << row << (large ? " large" : " small");
            // ...and a written key is read back, with every other key kept.
            ASSERT_TRUE(WritePrivateProfileString(S, QStringLiteral("LastEmulator"), QStringLiteral("C64"), file));
            EXPECT_EQ(GetPrivateProfileString(S, QStringLiteral("LastEmulator"), file), QStringLiteral("C64"))
                << "row " << row << (large ? " large" : " small");
            EXPECT_EQ(GetPrivateProfileString(QStringLiteral("Other"), QStringLiteral("A"), file), QStringLiteral("1"))
                << "row " << row;
            EXPECT_TRUE(dir.read(QStringLiteral("arvex.ini")).contains(kBom + "[Settings]\r\nLastEmulator="));
        }
        ++row;
    }
}
