// WinUAE templates: any file imported as a template reads without harm and
// keeps only lines that may go into one; importing the imported text again
// changes nothing; and the start configuration written from the template
// holds the template's lines, then the Kickstart line and one line per disk,
// each disk path with exactly its characters (raw file-name bytes too).
#include "FuzzSupport.h"

#include "config/TextFile.h"
#include "launch/PathOps.h"
#include "launch/WinUaeConfig.h"
#include "library/FileNames.h"
#include "options/PathChecks.h"

using fuzz::visible;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString input = fuzz::writeScratch("import.uae", data, size);
    QString text;
    FUZZ_CHECK(ReadTemplateLines(input, text), "a readable file imports");
    const QStringList lines = TextFile::splitLines(text);
    for (const QString& line : lines)
        FUZZ_CHECK(IsAllowedTemplateLine(line), "only allowed lines are imported", {visible(line)});
    FUZZ_CHECK(text.isEmpty() || text.endsWith(QStringLiteral("\r\n")), "every imported line ends in CR LF");
    // A text starting with U+FEFF would be written with what reads as a BOM.
    if (text.startsWith(QChar(0xFEFF)))
        return 0;

    const QString master = fuzz::writeScratch("master.uae", text.toUtf8());
    QString again;
    FUZZ_CHECK(ReadTemplateLines(master, again), "an imported template imports");
    FUZZ_CHECK(again == text, "importing an imported template changes nothing",
          {QStringLiteral("first  ") + visible(text), QStringLiteral("second ") + visible(again)});

    StartScriptConfigInput in;
    in.masterPath = master;
    in.outputPath = fuzz::scratchFolder() + QStringLiteral("start.uae");
    in.kickstartRom = QStringLiteral("/roms/kick 1.3.rom");
    in.drives = {QStringLiteral("/games/Game (1990)(Disk 1 of 2).adf"),
                 decodeFileName(QByteArray("/games/Sp\xFC" "l.adf")), QString(),
                 QString::fromUtf8("/games/\xF0\x9F\x92\xBE/Disk's \"3\".adf"), QStringLiteral("/g/x.adf")};
    const QStringList used = WriteStartScriptConfig(in);
    FUZZ_CHECK(used.size() == 4, "every disk slot with a path is written", {visible(used)});

    QStringList expected{QString()};
    expected += lines;
    expected << QStringLiteral("kickstart_rom_file=/roms/kick 1.3.rom");
    for (int i = 0; i < 5; ++i)
        if (!in.drives[size_t(i)].isEmpty())
            expected << QStringLiteral("floppy%1=").arg(i) + QuoteIfNeeded(in.drives[size_t(i)]);
    const QByteArray written = fuzz::readAll(in.outputPath);
    QStringList got = decodeFileName(written).split(QStringLiteral("\r\n"));
    FUZZ_CHECK(!got.isEmpty() && got.last().isEmpty(), "the start configuration ends in CR LF");
    got.removeLast();
    FUZZ_CHECK(got == expected, "the start configuration holds the template, the Kickstart and the disks",
          {QStringLiteral("expected ") + visible(expected), QStringLiteral("written  ") + visible(got)});
    return 0;
}
