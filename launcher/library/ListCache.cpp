#include "library/ListCache.h"

#include "config/TextFile.h"
#include "launch/PathOps.h"
#include "library/FileNames.h"

#include <QFile>
#include <QHash>

#include <fcntl.h>
#include <unistd.h>

namespace ListCache {

namespace {

constexpr QChar kEsc = QChar(0x1B);

bool isRawByte(QChar c) { return c.unicode() >= 0xDC80 && c.unicode() <= 0xDCFF; }

bool needsEscape(const QString& text)
{
    for (const QChar c : text)
        if (c == u'\n' || c == u'\r' || c == kEsc || isRawByte(c))
            return true;
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

QString decodeLine(const QByteArray& bytes)
{
    bool ascii = true;
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii)
        return QString::fromLatin1(bytes);
    return TextFile::isValidUtf8(bytes) ? QString::fromUtf8(bytes) : TextFile::decodeWindows1252(bytes);
}

} // namespace

QString escapeLine(const QString& text)
{
    if (!needsEscape(text))
        return text;
    QString out;
    out.reserve(text.size() + 8);
    for (const QChar c : text) {
        if (c == u'\n')
            out += QStringLiteral("\x1bn");
        else if (c == u'\r')
            out += QStringLiteral("\x1br");
        else if (c == kEsc)
            out += QStringLiteral("\x1b\x1b");
        else if (isRawByte(c))
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

bool write(const QString& cacheFile, const QStringList& fullPaths, const QStringList& shortNames,
           const QString& programFolder)
{
    QByteArray data;
    data.reserve(fullPaths.size() * 120);
    // The games of one folder share the stored form of that folder: it is
    // worked out once per folder (from its first game) and reused for
    // ordinary names, so a collection outside the program folder costs one
    // relative-path computation per folder instead of one per game.
    QHash<QStringView, QString> folderForms; // folder with "/" -> stored form with "/", or null
    auto stored = [&](const QString& path) {
        const qsizetype slash = path.lastIndexOf(u'/');
        const QStringView name = QStringView(path).mid(slash + 1);
        if (slash < 0 || name.isEmpty() || name.startsWith(u'.') || path.contains(u'\\'))
            return storedPath(programFolder, path);
        const QStringView folder = QStringView(path).left(slash + 1);
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
        data += escapeLine(stored(fullPaths.at(i))).toUtf8();
        data += "\r\n";
        data += escapeLine(i < shortNames.size() ? shortNames.at(i) : QString()).toUtf8();
        data += "\r\n";
    }
    return TextFile::writeAtomic(cacheFile, data);
}

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

    const qsizetype maxLines = qsizetype(qMax(0, maxPairs)) * 2;
    QList<QByteArray> lines;
    lines.reserve(qMin<qsizetype>(maxLines, 4096));
    QByteArray current;
    bool pendingCr = false; // a CR ended the last line; a following LF belongs to it
    bool inLine = false;
    auto finishLine = [&] {
        lines.append(current);
        current.clear();
        inLine = false;
    };
    constexpr qint64 kChunk = 256 * 1024;
    while (lines.size() < maxLines && !r.corrupt) {
        const QByteArray chunk = file.read(kChunk);
        if (chunk.isEmpty())
            break;
        // Whole runs of line bytes are taken at once; only line ends and
        // NUL bytes are looked at one by one.
        const char* bytes = chunk.constData();
        const qsizetype n = chunk.size();
        qsizetype i = 0;
        while (i < n && lines.size() < maxLines) {
            if (pendingCr) {
                pendingCr = false;
                if (bytes[i] == '\n') {
                    ++i;
                    continue;
                }
            }
            qsizetype end = i;
            while (end < n && bytes[end] != '\r' && bytes[end] != '\n' && bytes[end] != '\0')
                ++end;
            if (end > i) {
                inLine = true;
                const qsizetype room = kMaxLineBytes - current.size();
                if (room > 0)
                    current.append(bytes + i, qMin(room, end - i));
            }
            if (end == n)
                break;
            if (bytes[end] == '\0') {
                r.corrupt = true;
                break;
            }
            pendingCr = bytes[end] == '\r';
            finishLine();
            i = end + 1;
        }
    }
    if (inLine && lines.size() < maxLines && !r.corrupt)
        finishLine();
    if (!lines.isEmpty() && lines.first().startsWith("\xEF\xBB\xBF"))
        lines.first().remove(0, 3);

    const qsizetype pairs = (lines.size() + 1) / 2;
    r.fullPaths.reserve(pairs);
    r.shortNames.reserve(pairs);
    for (qsizetype p = 0; p < pairs; ++p) {
        r.fullPaths.append(resolvedPath(programFolder, unescapeLine(decodeLine(lines.at(2 * p)))));
        r.shortNames.append(2 * p + 1 < lines.size() ? unescapeLine(decodeLine(lines.at(2 * p + 1)))
                                                     : QString());
        if (progress && (p + 1) % 500 == 0)
            progress(int(p + 1));
    }
    return r;
}

} // namespace ListCache
