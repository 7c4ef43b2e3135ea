// Settings files: any file given as a settings file reads without harm; the
// reader for large files (a pass that keeps only possible settings lines)
// agrees with the reader for small ones; a write sets its key so that it
// reads back, and changes no other value a reader sees. Text decoding gives
// back the bytes of every well-formed UTF-8 file.
#include "FuzzSupport.h"

#include "config/Ini.h"
#include "config/IniScan.h"
#include "config/TextFile.h"

#include <QFile>

using fuzz::visible;

namespace {

struct Entry {
    QString section;
    QString key;
};

// Section and key names as the file seems to hold them (at most 12), plus
// one that is surely missing.
QList<Entry> entriesOf(const QString& text)
{
    QList<Entry> entries{{QStringLiteral("Settings"), QStringLiteral("LastEmulator")}};
    QString section;
    for (const QString& line : TextFile::splitLines(text)) {
        const QString t = line.trimmed();
        if (t.startsWith(u'[')) {
            const qsizetype close = t.indexOf(u']');
            section = (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed();
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0 || section.isEmpty())
            continue;
        const QString key = line.left(eq).trimmed();
        if (!key.isEmpty() && !key.contains(u'=') && entries.size() < 12)
            entries.append({section, key});
    }
    return entries;
}

QStringList valuesOf(const QList<Entry>& entries, const QString& file)
{
    QStringList values;
    for (const Entry& e : entries)
        values << GetPrivateProfileString(e.section, e.key, file, -1);
    return values;
}

// What the reader makes of a written value.
QString asRead(QString value)
{
    value.replace(u'\r', u' ').replace(u'\n', u' ');
    value = value.trimmed();
    if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
        value = value.mid(1, value.size() - 2);
    return value;
}

bool sameEntry(const Entry& a, const Entry& b)
{
    return a.section.trimmed().compare(b.section.trimmed(), Qt::CaseInsensitive) == 0
        && a.key.trimmed().compare(b.key.trimmed(), Qt::CaseInsensitive) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    // Decoding: well-formed UTF-8 comes back byte for byte (BOM aside).
    const QString text = TextFile::decode(bytes);
    if (TextFile::isValidUtf8(bytes)) {
        const QByteArray plain = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
        FUZZ_CHECK(text.toUtf8() == plain, "decoding well-formed UTF-8 keeps every character",
              {QString::fromLatin1(plain.toHex(' ')), visible(text)});
    }

    const QString file = fuzz::writeScratch("settings.ini", bytes);
    const QList<Entry> entries = entriesOf(text);
    const QStringList before = valuesOf(entries, file);

    // The same content made large (blank lines after it) goes through the
    // large-file reader; every value must be the same. A new name each time:
    // that reader remembers files by name, size and time stamps.
    if (size % 4 == 0 && size < size_t(IniScan::kMaxLineBytes)) {
        static int round = 0;
        static QString previous;
        QByteArray large = bytes;
        large += "\r\n";
        large += QByteArray(IniScan::kLargeFileBytes, '\n');
        const QString largeFile = fuzz::writeScratch(qPrintable(QStringLiteral("large%1.ini").arg(++round)), large);
        if (!previous.isEmpty())
            QFile::remove(previous);
        previous = largeFile;
        const QStringList large2 = valuesOf(entries, largeFile);
        for (qsizetype i = 0; i < entries.size(); ++i)
            FUZZ_CHECK(large2[i] == before[i], "the large-file reader agrees with the reader",
                  {QStringLiteral("[%1] %2").arg(visible(entries[i].section), visible(entries[i].key)),
                   QStringLiteral("small: ") + visible(before[i]), QStringLiteral("large: ") + visible(large2[i])});
    }

    // One write: a key of the file, a new key in a section of it, or a new section.
    static const char* const kValues[] = {"", "new value", "  padded  ", "\"quoted\"", "a=b;c", "[Section]",
                                          ("\xC3\x9C" "ber"), "\xF0\x9F\x92\xBE disk", "line\r\nbreak", "\xE2\x82\xAC 5"};
    const QString value = QString::fromUtf8(kValues[size % std::size(kValues)]);
    Entry target = entries[qsizetype(size / 7 % size_t(entries.size()))];
    if (size % 3 == 1)
        target.key = QStringLiteral("ArvexNewKey");
    else if (size % 3 == 2)
        target = {QStringLiteral("Arvex New Section"), QStringLiteral("Key")};
    FUZZ_CHECK(WritePrivateProfileString(target.section, target.key, value, file), "a write into a small file succeeds");
    const QString readBack = GetPrivateProfileString(target.section, target.key, file, -1);
    FUZZ_CHECK(readBack == asRead(value), "a written value reads back",
          {QStringLiteral("[%1] %2").arg(visible(target.section), visible(target.key)),
           QStringLiteral("wrote ") + visible(value), QStringLiteral("read  ") + visible(readBack),
           QStringLiteral("file  ") + QString::fromLatin1(bytes.toHex(' '))});
    const QStringList after = valuesOf(entries, file);
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (sameEntry(entries[i], target))
            continue;
        FUZZ_CHECK(after[i] == before[i], "a write changes no other value",
              {QStringLiteral("wrote [%1] %2").arg(visible(target.section), visible(target.key)),
               QStringLiteral("[%1] %2").arg(visible(entries[i].section), visible(entries[i].key)),
               QStringLiteral("before ") + visible(before[i]), QStringLiteral("after  ") + visible(after[i]),
               QStringLiteral("file   ") + QString::fromLatin1(bytes.toHex(' '))});
    }
    return 0;
}
