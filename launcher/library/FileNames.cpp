#include "library/FileNames.h"

#include "config/TextFile.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr char16_t kEscapeBase = 0xDC00; // byte b (0x80..0xFF) -> U+DC00 + b

// A raw byte is a LONE low surrogate U+DC80..U+DCFF. The same code unit right
// after a high surrogate is the second half of a character above U+FFFF
// (U+1F4BE is D83D DCBE) and belongs to that character.
bool isEscapedByteAt(const QChar* d, qsizetype i)
{
    const char16_t c = d[i].unicode();
    if (c < kEscapeBase + 0x80 || c > kEscapeBase + 0xFF)
        return false;
    return i == 0 || !QChar::isHighSurrogate(d[i - 1].unicode());
}

qsizetype firstEscapedByte(const QString& name)
{
    const QChar* d = name.constData();
    for (qsizetype i = 0; i < name.size(); ++i)
        if (isEscapedByteAt(d, i))
            return i;
    return -1;
}

// The text the list collation compares: raw bytes read as Windows-1252 (the
// encoding such names nearly always come from), so "M\xF6ller" sorts as
// "Möller" beside its UTF-8 relatives instead of all raw bytes looking alike.
QString collationText(const QString& name, qsizetype firstEscape)
{
    QString out = name;
    QChar* d = out.data();
    for (qsizetype i = firstEscape; i < out.size(); ++i)
        if (isEscapedByteAt(name.constData(), i))
            d[i] = TextFile::decodeWindows1252(QByteArray(1, char(d[i].unicode() - kEscapeBase))).at(0);
    return out;
}

bool statPath(const QString& path, struct stat& st)
{
    if (path.isEmpty())
        return false;
    const QByteArray raw = encodeFileName(path);
    return ::stat(raw.constData(), &st) == 0;
}

bool matchFolded(const QChar* p, qsizetype pn, const QChar* s, qsizetype sn)
{
    // Iterative "*" matching with a single backtrack point: linear in practice.
    qsizetype pi = 0, si = 0, starP = -1, starS = 0;
    while (si < sn) {
        if (pi < pn && p[pi] == u'*') {
            starP = pi++;
            starS = si;
        } else if (pi < pn && (p[pi] == u'?' || p[pi] == s[si].toCaseFolded())) {
            ++pi;
            ++si;
        } else if (starP >= 0) {
            pi = starP + 1;
            si = ++starS;
        } else {
            return false;
        }
    }
    while (pi < pn && p[pi] == u'*')
        ++pi;
    return pi == pn;
}

bool matchOne(const QString& foldedPattern, const QString& name)
{
    if (matchFolded(foldedPattern.constData(), foldedPattern.size(), name.constData(), name.size()))
        return true;
    // "name.*" also takes a name without any extension, as the Windows lister does.
    if (foldedPattern.endsWith(QLatin1String(".*")) && !name.contains(u'.'))
        return matchFolded(foldedPattern.constData(), foldedPattern.size() - 2, name.constData(),
                           name.size());
    return false;
}

} // namespace

QString decodeFileName(QByteArrayView bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    bool ascii = true;
    for (qsizetype i = 0; i < n && ascii; ++i)
        ascii = p[i] < 0x80;
    if (ascii)
        return QString::fromLatin1(bytes.data(), n);

    QString out;
    out.reserve(n);
    qsizetype runStart = 0;
    qsizetype i = 0;
    while (i < n) {
        const int len = TextFile::utf8SequenceLength(p, i, n);
        if (len > 0) {
            i += len;
            continue;
        }
        // A run may start with U+FEFF (a name beginning with it): it is part of the name.
        out += TextFile::decodeUtf8KeepingBom(bytes.sliced(runStart, i - runStart));
        out += QChar(char16_t(kEscapeBase + p[i]));
        ++i;
        runStart = i;
    }
    out += TextFile::decodeUtf8KeepingBom(bytes.sliced(runStart, n - runStart));
    return out;
}

QByteArray encodeFileName(const QString& name)
{
    const QChar* d = name.constData();
    const qsizetype n = name.size();
    const qsizetype first = firstEscapedByte(name);
    if (first < 0)
        return name.toUtf8();

    QByteArray out;
    out.reserve(n * 2);
    qsizetype runStart = 0;
    for (qsizetype i = first; i < n; ++i) {
        if (!isEscapedByteAt(d, i))
            continue;
        out += QStringView(d + runStart, i - runStart).toUtf8();
        out += char(d[i].unicode() - kEscapeBase);
        runStart = i + 1;
    }
    out += QStringView(d + runStart, n - runStart).toUtf8();
    return out;
}

bool pathExists(const QString& path)
{
    struct stat st;
    return statPath(path, st);
}

bool isDirectoryPath(const QString& path)
{
    struct stat st;
    return statPath(path, st) && S_ISDIR(st.st_mode);
}

bool isRegularFile(const QString& path)
{
    struct stat st;
    return statPath(path, st) && S_ISREG(st.st_mode);
}

bool readFileBytes(const QString& path, QByteArray& out, qint64 maxBytes)
{
    out.clear();
    if (path.isEmpty() || maxBytes < 0)
        return false;
    const QByteArray raw = encodeFileName(path);
    const int fd = ::open(raw.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    QFile file;
    // QFile on the descriptor gives buffered reads; the descriptor is closed below.
    bool ok = file.open(fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle);
    if (ok) {
        // read(n) reserves n bytes before reading: ask for what the file holds
        // (its size is 0 for /proc files and the like: then up to the cap),
        // or every small file would cost the whole cap in memory.
        const qint64 size = file.size();
        out = file.read(size > 0 && size < maxBytes ? size : maxBytes);
        ok = file.error() == QFileDevice::NoError;
        file.close();
    }
    ::close(fd);
    return ok;
}

WildcardList::WildcardList(const QString& patterns)
{
    for (const QString& part : patterns.split(u';')) {
        const QString p = part.trimmed();
        if (p.isEmpty())
            continue;
        if (p == QLatin1String("*") || p == QLatin1String("*.*"))
            m_matchAll = true;
        m_patterns.append(p.toCaseFolded());
    }
}

bool WildcardList::matches(const QString& name) const
{
    if (m_matchAll)
        return true;
    for (const QString& p : m_patterns)
        if (matchOne(p, name))
            return true;
    return false;
}

bool wildcardMatch(const QString& pattern, const QString& name)
{
    return matchOne(pattern.toCaseFolded(), name);
}

QString listBoxKey(const QString& name)
{
    const qsizetype first = firstEscapedByte(name);
    return (first < 0 ? name : collationText(name, first)).toCaseFolded();
}

bool listBoxLess(const QString& a, const QString& b)
{
    const qsizetype ea = firstEscapedByte(a);
    const qsizetype eb = firstEscapedByte(b);
    const int c = (ea < 0 && eb < 0)
                      ? a.compare(b, Qt::CaseInsensitive)
                      : QString::compare(ea < 0 ? a : collationText(a, ea), eb < 0 ? b : collationText(b, eb),
                                         Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
}

void sortListBox(QStringList& list)
{
    // Folding each text once is much cheaper than folding inside every comparison.
    struct Keyed {
        QString key;
        qsizetype index;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(size_t(list.size()));
    for (qsizetype i = 0; i < list.size(); ++i)
        keyed.push_back({listBoxKey(list.at(i)), i});
    std::stable_sort(keyed.begin(), keyed.end(), [&](const Keyed& x, const Keyed& y) {
        const int c = QString::compare(x.key, y.key, Qt::CaseSensitive);
        if (c != 0)
            return c < 0;
        return list.at(x.index) < list.at(y.index);
    });
    QStringList sorted;
    sorted.reserve(list.size());
    for (const Keyed& k : keyed)
        sorted.append(list.at(k.index));
    list.swap(sorted);
}
