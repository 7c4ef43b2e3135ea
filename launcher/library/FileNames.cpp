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

// The text the list collation compares: raw bytes read as Windows-1252 (the
// encoding such names nearly always come from), so "M\xF6ller" sorts as
// "Möller" beside its UTF-8 relatives instead of all raw bytes looking alike.
QString collationText(const QString& name, qsizetype firstEscape)
{
    QString out = name;
    QChar* d = out.data();
    for (qsizetype i = firstEscape; i < out.size(); ++i)
        if (FileNameCodec::isRawByteAt(name.constData(), i))
            d[i] = TextFile::decodeWindows1252(QByteArray(1, char(d[i].unicode() - FileNameCodec::kRawByteBase))).at(0);
    return out;
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
    const qsizetype first = FileNameCodec::firstRawByte(name);
    return (first < 0 ? name : collationText(name, first)).toCaseFolded();
}

bool listBoxLess(const QString& a, const QString& b)
{
    const qsizetype ea = FileNameCodec::firstRawByte(a);
    const qsizetype eb = FileNameCodec::firstRawByte(b);
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
