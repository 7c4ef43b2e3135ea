#include "library/ListCache.h"

#include "config/TextFile.h"
#include "launch/PathOps.h"
#include "library/FileNames.h"

#include <QFile>
#include <QHash>

#include <algorithm>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace ListCache {

namespace {

constexpr QChar kEsc = QChar(0x1B);

// A raw file-name byte (see FileNames.h) is a LONE low surrogate
// U+DC80..U+DCFF; the same unit after a high surrogate is the second half
// of a character above U+FFFF (such as U+1F4BE) and stays as it is.
bool isRawByte(QStringView text, qsizetype i)
{
    const char16_t c = text[i].unicode();
    return c >= 0xDC80 && c <= 0xDCFF && (i == 0 || !text[i - 1].isHighSurrogate());
}

bool needsEscape(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\n' || c == u'\r' || c == kEsc || c == QChar(0) || isRawByte(text, i))
            return true;
    }
    return false;
}

// A clean relative value: "./" followed by plain components.
// "./" followed by plain names only (no empty, "." or ".." part, no
// backslash): such a value joins the program folder as it stands.
bool isPlainRelative(QStringView v)
{
    if (!v.startsWith(u"./") || v.endsWith(u'/'))
        return false;
    qsizetype start = 2;
    for (qsizetype i = 2; i <= v.size(); ++i) {
        if (i < v.size() && v[i] == u'\\')
            return false;
        if (i == v.size() || v[i] == u'/') {
            const QStringView part = v.mid(start, i - start);
            if (part.isEmpty() || part == u"." || part == u"..")
                return false;
            start = i + 1;
        }
    }
    return true;
}

// What decoding a line needs: plain lines (ASCII without ESC or NUL) are
// their own text, byte for byte.
struct LineKind {
    bool plain = true;
    bool nul = false;
};

LineKind lineKind(const char* bytes, qsizetype n)
{
    unsigned char high = 0;
    bool special = false;
    for (qsizetype i = 0; i < n; ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        high |= c;
        special |= c == 0x1B || c == 0;
    }
    LineKind kind;
    kind.plain = high < 0x80 && !special;
    kind.nul = special && std::memchr(bytes, 0, size_t(n));
    return kind;
}

// isPlainRelative on a line's bytes.
bool isPlainRelative(const char* v, qsizetype n)
{
    if (n < 3 || v[0] != '.' || v[1] != '/' || v[n - 1] == '/')
        return false;
    qsizetype start = 2;
    for (qsizetype i = 2; i <= n; ++i) {
        if (i < n && v[i] == '\\')
            return false;
        if (i == n || v[i] == '/') {
            const qsizetype len = i - start;
            if (len == 0 || (v[start] == '.' && (len == 1 || (len == 2 && v[start + 1] == '.'))))
                return false;
            start = i + 1;
        }
    }
    return true;
}

// One line's bytes as text: UTF-8, or Windows-1252 when they are not
// UTF-8. A U+FEFF at the start of a line is a character of the name (the
// file's own BOM is taken off before the first line is decoded).
QString decodeLine(const char* bytes, qsizetype n)
{
    qsizetype i = 0;
    while (i < n && static_cast<unsigned char>(bytes[i]) < 0x80)
        ++i;
    if (i == n)
        return QString::fromLatin1(bytes, n);
    const QByteArray raw = QByteArray::fromRawData(bytes, n);
    if (!TextFile::isValidUtf8(raw))
        return TextFile::decodeWindows1252(raw);
    if (n >= 3 && std::memcmp(bytes, "\xEF\xBB\xBF", 3) == 0)
        return QChar(0xFEFF) + QString::fromUtf8(bytes + 3, n - 3);
    return QString::fromUtf8(bytes, n);
}

} // namespace

QString escapeLine(const QString& text)
{
    if (!needsEscape(text))
        return text;
    QString out;
    out.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\n')
            out += QStringLiteral("\x1bn");
        else if (c == u'\r')
            out += QStringLiteral("\x1br");
        else if (c == kEsc)
            out += QStringLiteral("\x1b\x1b");
        else if (c == QChar(0))
            out += QStringLiteral("\x1b" "0");
        else if (isRawByte(text, i))
            out += QStringLiteral("\x1bx")
                + QString::number(c.unicode() - 0xDC00, 16).rightJustified(2, u'0').toUpper();
        else
            out += c;
    }
    return out;
}

QString unescapeLine(const QString& line)
{
    if (!line.contains(kEsc))
        return line;
    QString out;
    out.reserve(line.size());
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (c != kEsc || i + 1 >= line.size()) {
            out += c;
            continue;
        }
        const QChar k = line.at(i + 1);
        if (k == u'n') {
            out += u'\n';
            ++i;
        } else if (k == u'r') {
            out += u'\r';
            ++i;
        } else if (k == kEsc) {
            out += kEsc;
            ++i;
        } else if (k == u'0') {
            out += QChar(0);
            ++i;
        } else if (k == u'x' && i + 3 < line.size() && TextFile::hexDigitValue(line.at(i + 2)) >= 0
                   && TextFile::hexDigitValue(line.at(i + 3)) >= 0) {
            const int b = TextFile::hexDigitValue(line.at(i + 2)) * 16 + TextFile::hexDigitValue(line.at(i + 3));
            // Only high bytes are ever escaped; anything else is kept as written.
            if (b >= 0x80)
                out += QChar(char16_t(0xDC00 + b));
            else
                out += line.mid(i, 4);
            i += 3;
        } else {
            out += c;
        }
    }
    return out;
}

QString storedPath(const QString& programFolder, const QString& path)
{
    if (path.contains(u'\\'))
        return path;
    if (programFolder.endsWith(u'/') && path.startsWith(programFolder)) {
        const QString candidate = QStringLiteral("./") + path.mid(programFolder.size());
        if (isPlainRelative(candidate))
            return candidate;
    }
    return MakeRelativePath(programFolder, path);
}

QString resolvedPath(const QString& programFolder, const QString& stored)
{
    if (programFolder.endsWith(u'/') && isPlainRelative(stored))
        return programFolder + stored.mid(2);
    return MakeAbsolutePath(programFolder, stored);
}

bool write(const QString& cacheFile, const GamePaths& fullPaths, const QStringList& shortNames,
           const QString& programFolder, const std::function<void()>& progress)
{
    // The file is written while its lines are made, a part at a time: a
    // whole cache of 30,000 games is several megabytes, and holding it
    // whole costs more in fresh memory than making it.
    constexpr qsizetype kPartBytes = 256 * 1024;
    return TextFile::writeAtomicStreamed(cacheFile, [&](const AtomicWriter::Sink& sink) {
        QByteArray part;
        part.reserve(kPartBytes + 4096);
        // The games of one folder share the stored form of that folder: it
        // is worked out once per folder (from its first game) and reused for
        // ordinary names, so a collection outside the program folder costs
        // one relative-path computation per folder instead of one per game.
        // Keys view the folders held by `fullPaths`, which outlive the loop.
        QHash<QStringView, QString> folderForms; // folder with "/" -> stored form with "/", or null
        QString path;
        auto stored = [&](qsizetype i) {
            fullPaths.fill(i, path);
            const QStringView folder = fullPaths.folderOf(i);
            const QStringView name = fullPaths.nameOf(i);
            if (folder.isEmpty() || name.isEmpty() || name.startsWith(u'.') || path.contains(u'\\'))
                return storedPath(programFolder, path);
            const auto known = folderForms.constFind(folder);
            if (known != folderForms.cend() && !known->isNull())
                return QString(*known).append(name);
            const QString whole = storedPath(programFolder, path);
            if (known == folderForms.cend())
                folderForms.insert(folder, whole.endsWith(name) && whole.size() > name.size()
                                               && whole.at(whole.size() - name.size() - 1) == u'/'
                                           ? whole.chopped(name.size())
                                           : QString());
            return whole;
        };
        for (qsizetype i = 0; i < fullPaths.size(); ++i) {
            part += escapeLine(stored(i)).toUtf8();
            part += "\r\n";
            part += escapeLine(i < shortNames.size() ? shortNames.at(i) : QString()).toUtf8();
            part += "\r\n";
            if (part.size() >= kPartBytes) {
                if (!sink(part))
                    return false;
                part.resize(0);
            }
            if (progress && i % 512 == 511)
                progress();
        }
        return sink(part);
    });
}

namespace {

// Turns stored paths back into absolute ones. Games of one folder share the
// stored form of that folder: its absolute form is worked out once, from
// the folder's first game, and reused for ordinary names, so a collection
// stored as "../..." costs one path resolution per folder, not per game.
class PathResolver {
    static QString joined(const QString& head, QStringView tail)
    {
        QString out;
        out.reserve(head.size() + tail.size());
        return out.append(head).append(tail);
    }

public:
    explicit PathResolver(const QString& programFolder) : m_programFolder(programFolder) {}

    QString resolve(const QString& stored)
    {
        if (m_programFolder.endsWith(u'/') && isPlainRelative(stored))
            return joined(m_programFolder, QStringView(stored).mid(2));
        const qsizetype slash = stored.lastIndexOf(u'/');
        const QStringView name = QStringView(stored).mid(slash + 1);
        // Names the resolution could treat specially take the whole way.
        if (slash < 1 || name.isEmpty() || name.startsWith(u'.') || name.contains(u':')
            || stored.contains(u'\\'))
            return resolvedPath(m_programFolder, stored);
        const QStringView folder = QStringView(stored).left(slash + 1);
        if (!m_lastFolder.isNull() && folder == m_lastFolder) {
            if (!m_lastForm.isNull())
                return joined(m_lastForm, name);
        } else {
            m_lastFolder = folder.toString();
            const auto known = m_forms.constFind(m_lastFolder);
            if (known == m_forms.cend()) {
                const QString whole = resolvedPath(m_programFolder, stored);
                m_lastForm = whole.endsWith(name) && whole.size() > name.size()
                        && whole.at(whole.size() - name.size() - 1) == u'/'
                    ? whole.chopped(name.size())
                    : QString();
                m_forms.insert(m_lastFolder, m_lastForm);
                return whole;
            }
            m_lastForm = *known;
            if (!m_lastForm.isNull())
                return joined(m_lastForm, name);
        }
        return resolvedPath(m_programFolder, stored);
    }

private:
    QString m_programFolder;
    QHash<QString, QString> m_forms; // stored folder -> absolute folder, null when not derivable
    QString m_lastFolder;
    QString m_lastForm;
};

} // namespace

ReadResult read(const QString& cacheFile, const QString& programFolder, int maxPairs,
                const std::function<void(int)>& progress)
{
    ReadResult r;
    if (cacheFile.isEmpty())
        return r;
    const int fd = ::open(encodeFileName(cacheFile).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return r;
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return r;
    }
    r.found = true;

    // Each line becomes its list entry as soon as it is complete: the file's
    // lines are never all held at once beside the lists built from them.
    const qsizetype maxLines = qsizetype(qMax(0, maxPairs)) * 2;
    const qsizetype expectedPairs = qMin<qsizetype>(qMax(0, maxPairs), file.size() / 16 + 1);
    // Room for every name a cache of ordinary size could hold (memory is
    // only touched as names fill it); a larger file grows it as it goes.
    constexpr qsizetype kReservedNameUnits = 8 << 20;
    r.fullPaths.reserve(expectedPairs, qMin<qsizetype>(file.size(), kReservedNameUnits));
    r.shortNames.reserve(expectedPairs);
    PathResolver resolver(programFolder);
    const bool programFolderEnds = programFolder.endsWith(u'/');
    qsizetype lines = 0;
    // Plain paths (ASCII without ESC or NUL) with an ordinary name are taken
    // as folder + name: the absolute form of a stored folder is worked out
    // once, from the first path in it, and kept while the following paths
    // share its bytes. Names are made in place (no string of their own).
    QByteArray folderBytes; // the stored folder (through its last "/") last worked out
    bool folderKnown = false;
    QString folder;         // its absolute form, with "/"
    QString name;
    auto takePlainPath = [&](const char* bytes, qsizetype n) {
        const void* lastSlash = n > 0 ? ::memrchr(bytes, '/', size_t(n)) : nullptr;
        if (!lastSlash)
            return false;
        const qsizetype slash = static_cast<const char*>(lastSlash) - bytes;
        const char* nameBytes = bytes + slash + 1;
        const qsizetype nameLength = n - slash - 1;
        if (slash < 1 || nameLength == 0 || nameBytes[0] == '.' || std::memchr(nameBytes, ':', size_t(nameLength))
            || std::memchr(bytes, '\\', size_t(n)))
            return false;
        name.resize(nameLength);
        std::transform(nameBytes, nameBytes + nameLength, name.begin(),
                       [](char c) { return QChar(char16_t(static_cast<unsigned char>(c))); });
        if (!folderKnown || QByteArrayView(bytes, slash + 1) != folderBytes) {
            folderBytes = QByteArray(bytes, slash + 1);
            const QString whole = programFolderEnds && isPlainRelative(bytes, n)
                ? programFolder + QLatin1StringView(bytes + 2, n - 2)
                : resolvedPath(programFolder, QString::fromLatin1(bytes, n));
            folderKnown = whole.size() > nameLength && whole.endsWith(name)
                && whole.at(whole.size() - nameLength - 1) == u'/';
            folder = folderKnown ? whole.chopped(nameLength) : QString();
            if (!folderKnown) {
                r.fullPaths.append(whole);
                return true;
            }
        }
        r.fullPaths.append(folder, name);
        return true;
    };
    auto takeLine = [&](const char* bytes, qsizetype n) {
        if (lines == 0 && n >= 3 && std::memcmp(bytes, "\xEF\xBB\xBF", 3) == 0) {
            bytes += 3; // the file's own BOM, not part of the first path
            n -= 3;
        }
        const LineKind kind = lineKind(bytes, n);
        if (kind.nul)
            r.corrupt = true;
        if (kind.plain && lines % 2 == 0 && takePlainPath(bytes, n)) {
            ++lines;
            return;
        }
        QString text = kind.plain ? QString::fromLatin1(bytes, n) : unescapeLine(decodeLine(bytes, n));
        if (lines % 2 == 0) {
            r.fullPaths.append(resolver.resolve(text));
        } else {
            r.shortNames.append(std::move(text));
            if (progress && r.shortNames.size() % 500 == 0)
                progress(int(r.shortNames.size()));
        }
        ++lines;
    };

    QByteArray current; // a line that runs over the end of a read
    bool pendingCr = false; // a CR ended the last line; a following LF belongs to it
    bool inLine = false;
    constexpr qint64 kChunk = 256 * 1024;
    QByteArray chunk(kChunk, Qt::Uninitialized);
    while (lines < maxLines) {
        const qint64 got = file.read(chunk.data(), kChunk);
        if (got <= 0)
            break;
        // Whole runs of line bytes are taken at once; only line ends are
        // looked at one by one.
        const char* bytes = chunk.constData();
        const qsizetype n = qsizetype(got);
        qsizetype i = 0;
        qsizetype nextLf = -1;
        while (i < n && lines < maxLines) {
            if (pendingCr) {
                pendingCr = false;
                if (bytes[i] == '\n') {
                    ++i;
                    continue;
                }
            }
            // The next LF is looked up once and kept (a file of CR-ended
            // lines must not search the rest of the read for every line).
            if (nextLf < i) {
                const void* lf = std::memchr(bytes + i, '\n', size_t(n - i));
                nextLf = lf ? static_cast<const char*>(lf) - bytes : n;
            }
            const void* cr = std::memchr(bytes + i, '\r', size_t(nextLf - i));
            const qsizetype end = cr ? static_cast<const char*>(cr) - bytes : nextLf;
            if (end == n) {
                // The line goes on in the next read (or ends with the file).
                inLine = true;
                const qsizetype room = kMaxLineBytes - current.size();
                if (room > 0)
                    current.append(bytes + i, qMin(room, end - i));
                break;
            }
            if (inLine) {
                const qsizetype room = kMaxLineBytes - current.size();
                if (room > 0)
                    current.append(bytes + i, qMin(room, end - i));
                takeLine(current.constData(), current.size());
                current.clear();
                inLine = false;
            } else {
                takeLine(bytes + i, qMin<qsizetype>(end - i, kMaxLineBytes));
            }
            pendingCr = bytes[end] == '\r';
            i = end + 1;
        }
    }
    if (inLine && lines < maxLines)
        takeLine(current.constData(), current.size());
    if (lines % 2 == 1) // an odd line count: the last path has an empty name
        r.shortNames.append(QString());
    return r;
}

} // namespace ListCache
