#include "library/IniSection.h"

#include "config/IniScan.h"
#include "config/TextFile.h"
#include "library/FileNames.h"

#include <sys/stat.h>

namespace {

// The file's lines that can matter to a section (all of them for a small
// file; for a large one only those holding "[" or "=", from one bounded
// scan). False when the file cannot be read, or when it is too large or
// holds too many such lines to be a profile file.
bool sectionLines(const QString& file, QStringList& lines)
{
    struct stat st;
    const QByteArray raw = encodeFileName(file);
    if (!file.isEmpty() && ::stat(raw.constData(), &st) == 0 && S_ISREG(st.st_mode)
        && st.st_size >= IniScan::kLargeFileBytes) {
        const IniScan::Result scan = IniScan::scan(file);
        if (!scan.readable || !scan.settingsFile)
            return false;
        lines.reserve(scan.lines.size());
        for (const QByteArray& line : scan.lines)
            lines.append(scan.utf8 ? TextFile::decodeUtf8KeepingBom(line) : TextFile::decodeWindows1252(line));
        return true;
    }
    QByteArray bytes;
    if (!readFileBytes(file, bytes, IniScan::kLargeFileBytes))
        return false;
    lines = TextFile::splitLines(TextFile::decode(bytes));
    return true;
}

} // namespace

IniSection IniSection::read(const QString& file, const QString& section)
{
    IniSection s;
    QStringList lines;
    if (!sectionLines(file, lines))
        return s;
    s.readable = true;
    bool inSection = false;
    bool seen = false;
    for (const QString& line : std::as_const(lines)) {
        const QString t = line.trimmed();
        if (t.startsWith(u'[')) {
            if (inSection)
                break; // only the first section of that name counts
            const qsizetype close = t.indexOf(u']');
            const QString name = (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed();
            inSection = !seen && name.compare(section, Qt::CaseInsensitive) == 0;
            seen = seen || inSection;
            continue;
        }
        if (!inSection)
            continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            continue;
        const QString key = line.left(eq).trimmed().toLower();
        if (key.isEmpty() || s.values.contains(key))
            continue;
        QString v = line.mid(eq + 1).trimmed();
        if (v.size() >= 2 && v.startsWith(u'"') && v.endsWith(u'"'))
            v = v.mid(1, v.size() - 2);
        s.values.insert(key, v);
    }
    return s;
}
