#include "config/Ini.h"

#include "config/FileNameCodec.h"
#include "config/IniScan.h"
#include "config/Language.h"
#include "config/TextFile.h"
#include "config/WriteFailures.h"
#include "launch/PathOps.h"

#include <QDir>
#include <QHash>
#include <QList>
#include <QMutex>

#include <sys/stat.h>

#include <algorithm>
#include <memory>

namespace {

// One physical line of a profile file: its bytes and its own line end, so a
// rewrite can give back every untouched line byte for byte.
struct RawLine {
    QByteArray text;
    QByteArray eol;
};

QList<RawLine> splitRaw(const QByteArray& bytes)
{
    QList<RawLine> lines;
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = bytes.at(i);
        if (c != '\r' && c != '\n')
            continue;
        qsizetype eolLen = (c == '\r' && i + 1 < n && bytes.at(i + 1) == '\n') ? 2 : 1;
        lines.append({bytes.mid(start, i - start), bytes.mid(i, eolLen)});
        i += eolLen - 1;
        start = i + 1;
    }
    if (start < n)
        lines.append({bytes.mid(start), {}});
    return lines;
}

// What a decoded line means to the profile format; views into that line.
struct LineMeaning {
    enum Kind { Other, Section, Key } kind = Other;
    QStringView name;  // section name or key, trimmed
    QStringView value; // raw value after the first "=", untrimmed
};

LineMeaning interpret(QStringView line)
{
    LineMeaning m;
    const QStringView t = line.trimmed();
    if (t.startsWith(u'[')) {
        const qsizetype close = t.indexOf(u']');
        m.kind = LineMeaning::Section;
        m.name = (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed();
        return m;
    }
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0)
        return m;
    m.kind = LineMeaning::Key;
    m.name = line.left(eq).trimmed();
    m.value = line.mid(eq + 1);
    return m;
}

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString cleanValue(QStringView raw)
{
    QStringView v = raw.trimmed();
    if (v.size() >= 2 && v.startsWith(u'"') && v.endsWith(u'"'))
        v = v.mid(1, v.size() - 2);
    return v.toString();
}

// Latin-1 plus the Windows-1252 letters; false when `text` needs UTF-8.
bool encodeWindows1252(const QString& text, QByteArray& out)
{
    out.clear();
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out.append(char(u));
            continue;
        }
        bool found = false;
        for (int b = 0x80; b < 0xA0; ++b) {
            if (TextFile::decodeWindows1252(QByteArray(1, char(b))).at(0).unicode() == u) {
                out.append(char(b));
                found = true;
                break;
            }
        }
        if (!found)
            return false;
    }
    return true;
}

QString lineText(const RawLine& line, bool utf8, bool first)
{
    QByteArray bytes = line.text;
    if (first && bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    // A BOM further on is text, as the readers see it: a line "<BOM>[Settings]"
    // (two files joined) is no section header for them, so none for the writer.
    return utf8 ? TextFile::decodeUtf8KeepingBom(bytes) : TextFile::decodeWindows1252(bytes);
}

// The file content `bytes` after setting `key` in `section` to `value`:
// the one rule of the profile writer, applied key by key by the group writer.
QByteArray withKey(const QByteArray& bytes, const QString& section, const QString& key, const QString& value)
{
    QList<RawLine> lines = splitRaw(bytes);
    bool utf8 = TextFile::isValidUtf8(bytes);

    // A line break inside a value would split it into a second, foreign line.
    QString safeValue = value;
    safeValue.replace(u'\r', u' ').replace(u'\n', u' ');
    const QString newText = key.trimmed() + u'=' + safeValue;
    const QString header = u'[' + section.trimmed() + u']';

    QByteArray eol = "\r\n";
    for (const RawLine& l : lines)
        if (!l.eol.isEmpty()) {
            eol = l.eol;
            break;
        }

    auto encode = [&](const QString& text) -> QByteArray {
        if (utf8)
            return text.toUtf8();
        QByteArray out;
        if (encodeWindows1252(text, out))
            return out;
        // The new text has characters Windows-1252 lacks: move the whole file to UTF-8.
        for (qsizetype i = 0; i < lines.size(); ++i)
            lines[i].text = lineText(lines[i], false, i == 0).toUtf8();
        utf8 = true;
        return text.toUtf8();
    };

    qsizetype sectionLine = -1;
    qsizetype lastKeyLine = -1;
    qsizetype keyLine = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString decoded = lineText(lines[i], utf8, i == 0);
        const LineMeaning m = interpret(decoded);
        if (m.kind == LineMeaning::Section) {
            if (sectionLine >= 0)
                break;
            if (sameName(m.name, section))
                sectionLine = lastKeyLine = i;
        } else if (sectionLine >= 0 && m.kind == LineMeaning::Key) {
            lastKeyLine = i;
            if (sameName(m.name, key)) {
                keyLine = i;
                break;
            }
        }
    }

    const QByteArray encoded = encode(newText);
    if (keyLine >= 0) {
        QByteArray prefix;
        if (keyLine == 0 && lines[0].text.startsWith("\xEF\xBB\xBF"))
            prefix = "\xEF\xBB\xBF";
        lines[keyLine].text = prefix + encoded;
    } else if (sectionLine >= 0) {
        if (lines[lastKeyLine].eol.isEmpty())
            lines[lastKeyLine].eol = eol;
        lines.insert(lastKeyLine + 1, {encoded, eol});
    } else {
        if (!lines.isEmpty() && lines.last().eol.isEmpty())
            lines.last().eol = eol;
        lines.append({encode(header), eol});
        lines.append({encoded, eol});
    }

    auto join = [&lines, &bytes, &encoded] {
        QByteArray out;
        out.reserve(bytes.size() + encoded.size() + 16);
        for (const RawLine& l : lines) {
            out += l.text;
            out += l.eol;
        }
        return out;
    };
    QByteArray out = join();
    // A Windows-1252 file is told apart from UTF-8 only by its bytes: when the
    // write replaced its last byte that UTF-8 refuses, the rest of its
    // non-ASCII text would read as UTF-8 from now on ("Ã¼" as "ü") and other
    // values and sections would change. Such a file moves to UTF-8 as a whole.
    if (!utf8 && TextFile::isValidUtf8(out)) {
        const bool ascii = std::all_of(out.cbegin(), out.cend(), [](char c) { return uchar(c) < 0x80; });
        if (!ascii) {
            for (qsizetype i = 0; i < lines.size(); ++i)
                lines[i].text = lineText(lines[i], false, i == 0).toUtf8();
            out = join();
        }
    }
    return out;
}

// A large file as the reader sees it: for the first section of each name,
// its keys (the first of duplicates) with their cleaned values. Built from
// one scan and kept while the file stays the same, so a settings load that
// reads many keys scans a large file once.
struct LargeFile {
    bool readable = false;
    bool settingsFile = false;
    QHash<QString, QHash<QString, QString>> sections; // case-folded names
};

// What identifies one version of a file: a replacement (new inode) or an
// edit in place (size or times) gives another stamp.
struct FileStamp {
    QByteArray path;
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = 0;
    timespec mtime{};
    timespec ctime{};
    bool operator==(const FileStamp& o) const
    {
        return path == o.path && dev == o.dev && ino == o.ino && size == o.size
            && mtime.tv_sec == o.mtime.tv_sec && mtime.tv_nsec == o.mtime.tv_nsec
            && ctime.tv_sec == o.ctime.tv_sec && ctime.tv_nsec == o.ctime.tv_nsec;
    }
};

std::shared_ptr<const LargeFile> parseLargeFile(const QString& file)
{
    auto parsed = std::make_shared<LargeFile>();
    IniScan::Result scan = IniScan::scan(file);
    parsed->readable = scan.readable;
    parsed->settingsFile = scan.settingsFile;
    QHash<QString, QString>* current = nullptr;
    for (const QByteArray& raw : std::as_const(scan.lines)) {
        const QString line = scan.utf8 ? TextFile::decodeUtf8KeepingBom(raw) : TextFile::decodeWindows1252(raw);
        const LineMeaning m = interpret(line);
        if (m.kind == LineMeaning::Section) {
            // Only the first section of a name counts; later ones are passed over.
            const QString name = m.name.toString().toCaseFolded();
            current = parsed->sections.contains(name) ? nullptr : &parsed->sections[name];
        } else if (current && m.kind == LineMeaning::Key) {
            const QString key = m.name.toString().toCaseFolded();
            if (!current->contains(key))
                current->insert(key, cleanValue(m.value));
        }
    }
    return parsed;
}

// The parsed form of `file` when it is large; null when it is small enough
// to be read whole (or cannot be looked at).
std::shared_ptr<const LargeFile> largeFile(const QString& file)
{
    const QByteArray path = encodeFileName(file);
    struct stat st;
    if (::stat(path.constData(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < IniScan::kLargeFileBytes)
        return nullptr;
    const FileStamp stamp{path, st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};

    static QMutex mutex;
    static QList<QPair<FileStamp, std::shared_ptr<const LargeFile>>> recent;
    constexpr qsizetype kRecentFiles = 4;
    {
        QMutexLocker lock(&mutex);
        for (const auto& entry : std::as_const(recent))
            if (entry.first == stamp)
                return entry.second;
    }
    std::shared_ptr<const LargeFile> parsed = parseLargeFile(file);
    QMutexLocker lock(&mutex);
    recent.removeIf([&](const auto& entry) { return entry.first.path == path; });
    recent.prepend({stamp, parsed});
    if (recent.size() > kRecentFiles)
        recent.removeLast();
    return parsed;
}

// The folder `file` lies in ("." for a bare name).
QString containingFolder(const QString& file)
{
    const qsizetype slash = file.lastIndexOf(u'/');
    return slash < 0 ? QStringLiteral(".") : slash == 0 ? QStringLiteral("/") : file.left(slash);
}

} // namespace

QString GetPrivateProfileString(const QString& section, const QString& key, const QString& file,
                                int maxChars)
{
    if (const auto large = largeFile(file)) {
        if (!large->settingsFile)
            return {};
        QString v = large->sections.value(section.toCaseFolded()).value(key.toCaseFolded());
        if (maxChars >= 0 && v.size() > maxChars)
            v.truncate(maxChars);
        return v;
    }
    QString text;
    if (!TextFile::readText(file, text))
        return {};
    // Line by line over views of the text: a settings load reads many keys.
    const QStringView all(text);
    bool inSection = false;
    qsizetype start = 0;
    while (start < all.size()) {
        qsizetype end = start;
        while (end < all.size() && all[end] != u'\r' && all[end] != u'\n')
            ++end;
        const LineMeaning m = interpret(all.mid(start, end - start));
        if (m.kind == LineMeaning::Section) {
            // Only the first section of that name counts, as with the Windows API.
            if (inSection)
                return {};
            inSection = sameName(m.name, section);
        } else if (inSection && m.kind == LineMeaning::Key && sameName(m.name, key)) {
            QString v = cleanValue(m.value);
            if (maxChars >= 0 && v.size() > maxChars)
                v.truncate(maxChars);
            return v;
        }
        start = end + ((end + 1 < all.size() && all[end] == u'\r' && all[end + 1] == u'\n') ? 2 : 1);
    }
    return {};
}

bool WritePrivateProfileString(const QString& section, const QString& key, const QString& value,
                               const QString& file)
{
    return WritePrivateProfileStrings(section, {{key, value}}, file);
}

bool WritePrivateProfileStrings(const QString& section, const QList<QPair<QString, QString>>& keyValues,
                                const QString& file)
{
    QByteArray bytes;
    if (pathExists(file) && !TextFile::readBytes(file, bytes)) {
        // Never replace a file we could not read: its other keys would be lost.
        WriteFailures::report(file, Msg(QStringLiteral("nicht lesbar"), QStringLiteral("not readable")));
        return false;
    }
    for (const auto& [key, value] : keyValues)
        bytes = withKey(bytes, section, key, value);
    return TextFile::writeAtomic(file, bytes);
}

bool CreateEmptyFile(const QString& path)
{
    // Replaced like any other write: a failure never empties an existing file
    // half-way, and a protected file stays as it is.
    return TextFile::writeAtomic(path, {});
}

QString ResolveIniFileName(const QString& name)
{
    if (IsAbsolutePath(name) || name.contains(u':'))
        return name;
    const QString inCurrent = AddTrailingSeparator(QDir::currentPath() + u'/') + name;
    return pathExists(inCurrent) ? inCurrent : name;
}

QString ReadIniValue(const QString& section, const QString& key, const QString& file,
                     const QString& def, bool createIfMissing)
{
    if (!pathExists(file)) {
        // A file in a folder that is not there (a profile without a skin
        // folder) is optional: reading it creates nothing and reports nothing.
        if (createIfMissing && isDirectoryPath(containingFolder(file)))
            CreateEmptyFile(file);
        return def;
    }
    const QString resolved = ResolveIniFileName(file);
    // A file too large or too odd to be a settings file gives the defaults
    // and is never written into.
    const auto large = largeFile(resolved);
    if (large && large->readable && !large->settingsFile)
        return def;
    QString value = GetPrivateProfileString(section, key, resolved, 149).trimmed();
    if (value.endsWith(QChar(u'\0')))
        value.chop(1);
    if (!value.isEmpty())
        return value;
    if (def.isEmpty())
        return {};
    if (createIfMissing)
        WriteIniValue(section, key, def, file, createIfMissing);
    return def;
}

bool WriteIniValue(const QString& section, const QString& key, const QString& value,
                   const QString& file, bool createIfMissing)
{
    return WriteIniValues(section, {{key, value}}, file, createIfMissing);
}

bool WriteIniValues(const QString& section, const QList<QPair<QString, QString>>& keyValues,
                    const QString& file, bool createIfMissing)
{
    // A missing file is created by the one replacement below, so a failed
    // write never leaves a new empty file behind.
    if (!createIfMissing && !pathExists(file))
        return true;
    return WritePrivateProfileStrings(section, keyValues, ResolveIniFileName(file));
}

qint16 toInt16(const QString& value)
{
    bool ok = false;
    const int v = value.trimmed().toInt(&ok);
    if (!ok)
        return 0;
    return static_cast<qint16>(qBound(-32768, v, 32767));
}
