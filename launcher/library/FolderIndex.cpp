#include "library/FolderIndex.h"

#include "library/FileNames.h"

#include <QHash>

#include <algorithm>
#include <atomic>
#include <bit>
#include <string_view>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <list>
#include <mutex>
#include <sys/stat.h>

namespace {

struct Kept {
    dev_t dev = 0;
    ino_t ino = 0;
    qint64 mtimeNs = 0;
    qint64 ctimeNs = 0;
    qint64 readAtNs = 0;
    std::shared_ptr<const FolderIndex> index;
};

std::mutex g_lock;
std::atomic<int> g_reads{0};
QHash<QString, Kept> g_kept;
std::list<QString> g_recent; // most recently used first

qint64 nowNs()
{
    timespec ts{};
    ::clock_gettime(CLOCK_REALTIME, &ts);
    return qint64(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

constexpr quint8 kFile = 1;
constexpr quint8 kDir = 2;

quint32 bucketOf(const char16_t* units, int count, int bits)
{
    quint64 h = 0xcbf29ce484222325ull;
    for (int i = 0; i < count; ++i)
        h = (h ^ units[i]) * 0x100000001b3ull;
    return quint32((h * 0x9E3779B97F4A7C15ull) >> (64 - bits));
}

void touch(const QString& folder)
{
    g_recent.remove(folder);
    g_recent.push_front(folder);
    while (int(g_recent.size()) > FolderIndex::kMaxFolders) {
        g_kept.remove(g_recent.back());
        g_recent.pop_back();
    }
}

} // namespace

std::shared_ptr<const FolderIndex> FolderIndex::of(const QString& folderPath)
{
    QString folder = folderPath;
    while (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    if (folder.isEmpty())
        return nullptr;
    const QByteArray raw = encodeFileName(folder);
    struct stat st;
    if (::stat(raw.constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        return nullptr;
    const qint64 mtimeNs = qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
    const qint64 ctimeNs = qint64(st.st_ctim.tv_sec) * 1'000'000'000 + st.st_ctim.tv_nsec;
    {
        std::lock_guard<std::mutex> guard(g_lock);
        const auto it = g_kept.constFind(folder);
        if (it != g_kept.cend() && it->dev == st.st_dev && it->ino == st.st_ino && it->mtimeNs == mtimeNs
            && it->ctimeNs == ctimeNs && it->readAtNs - std::max(mtimeNs, ctimeNs) >= kRacyNs) {
            touch(folder);
            return it->index;
        }
    }

    const qint64 readAt = nowNs();
    DIR* dir = ::opendir(raw.constData());
    if (!dir)
        return nullptr;
    ++g_reads;
    auto index = std::make_shared<FolderIndex>();
    // The folder's own size grows with its entries: room for about that
    // many names saves growing the tables while reading.
    const size_t guess = size_t(std::clamp<qint64>(st.st_size, 0, qint64(64) << 20));
    index->m_keys.reserve(guess);
    index->m_names.reserve(guess / 32);
    index->m_kinds.reserve(guess / 32);
    index->m_keyStart.reserve(guess / 32 + 1);
    index->m_keyStart.push_back(0);
    while (const dirent* e = ::readdir(dir)) {
        if (e->d_name[0] == '.')
            continue; // ".", ".." and the hidden dot files
        bool isDir = e->d_type == DT_DIR;
        bool isFile = e->d_type == DT_REG;
        if (e->d_type == DT_LNK || e->d_type == DT_UNKNOWN) {
            struct stat target;
            if (::fstatat(::dirfd(dir), e->d_name, &target, 0) != 0)
                continue; // broken symlink or vanished entry
            isDir = S_ISDIR(target.st_mode);
            isFile = S_ISREG(target.st_mode);
        }
        QString name = decodeFileName(QByteArrayView(e->d_name, qsizetype(std::strlen(e->d_name))));
        // Folded unit by unit, as the name patterns compare names.
        for (QChar c : std::as_const(name)) {
            const char16_t u = c.unicode();
            index->m_keys.push_back(u < 0x80 ? char16_t(u >= 'A' && u <= 'Z' ? u + 32 : u)
                                             : char16_t(c.toCaseFolded().unicode()));
        }
        index->m_keyStart.push_back(quint32(index->m_keys.size()));
        if (isDir)
            index->m_dirs.push_back(int(index->m_names.size()));
        index->m_kinds.push_back(quint8((isFile ? kFile : 0) | (isDir ? kDir : 0)));
        index->m_names.push_back(std::move(name));
    }
    ::closedir(dir);
    index->buildBuckets();

    std::lock_guard<std::mutex> guard(g_lock);
    g_kept.insert(folder, {st.st_dev, st.st_ino, mtimeNs, ctimeNs, readAt, std::move(index)});
    touch(folder);
    return g_kept.value(folder).index;
}

void FolderIndex::buildBuckets()
{
    const size_t n = m_names.size();
    m_bits = std::clamp(int(std::bit_width(n)), 4, 16);
    const size_t buckets = size_t(1) << m_bits;
    m_bucketStart.assign(buckets + 1, 0);
    std::vector<quint32> bucket(n, quint32(buckets)); // names shorter than the key: in none
    for (size_t i = 0; i < n; ++i)
        if (m_keyStart[i + 1] - m_keyStart[i] >= quint32(kKeyUnits)) {
            bucket[i] = bucketOf(m_keys.data() + m_keyStart[i], kKeyUnits, m_bits);
            ++m_bucketStart[bucket[i] + 1];
        }
    for (size_t b = 0; b < buckets; ++b)
        m_bucketStart[b + 1] += m_bucketStart[b];
    m_bucketIds.resize(m_bucketStart[buckets]);
    std::vector<quint32> fill(m_bucketStart.begin(), m_bucketStart.end() - 1);
    for (size_t i = 0; i < n; ++i)
        if (bucket[i] < buckets)
            m_bucketIds[fill[bucket[i]]++] = int(i);
}

int FolderIndex::reads() { return g_reads; }

void FolderIndex::clearCache()
{
    std::lock_guard<std::mutex> guard(g_lock);
    g_kept.clear();
    g_recent.clear();
}

QString FolderIndex::firstFile(const QString& pattern) const
{
    // Every match starts with the pattern's text before its first wildcard
    // (compared folded unit by unit): only the names whose key starts with
    // it are checked, with the real pattern match.
    const QString folded = pattern.toCaseFolded();
    qsizetype fixed = 0;
    while (fixed < folded.size() && folded.at(fixed) != u'*' && folded.at(fixed) != u'?')
        ++fixed;
    const std::u16string_view prefix(reinterpret_cast<const char16_t*>(folded.utf16()), size_t(fixed));
    const QString* best = nullptr;
    auto consider = [&](int i) {
        const quint32 start = m_keyStart[size_t(i)];
        const quint32 length = m_keyStart[size_t(i) + 1] - start;
        if ((m_kinds[size_t(i)] & kFile) && length >= prefix.size()
            && std::u16string_view(m_keys.data() + start, prefix.size()) == prefix
            && wildcardMatch(pattern, m_names[size_t(i)]) && (!best || listBoxLess(m_names[size_t(i)], *best)))
            best = &m_names[size_t(i)];
    };
    if (prefix.size() >= size_t(kKeyUnits) && !m_names.empty()) {
        const quint32 b = bucketOf(prefix.data(), kKeyUnits, m_bits);
        for (quint32 k = m_bucketStart[b]; k < m_bucketStart[b + 1]; ++k)
            consider(m_bucketIds[k]);
    } else {
        for (int i = 0; i < int(m_names.size()); ++i)
            consider(i);
    }
    return best ? *best : QString();
}

QString FolderIndex::subFolder(const QString& name) const
{
    const QString* best = nullptr;
    for (int i : m_dirs) {
        const QString& n = m_names[size_t(i)];
        if (n == name)
            return n;
        if (n.compare(name, Qt::CaseInsensitive) == 0 && (!best || listBoxLess(n, *best)))
            best = &n;
    }
    return best ? *best : QString();
}
