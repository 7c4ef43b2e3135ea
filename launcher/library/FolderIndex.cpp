#include "library/FolderIndex.h"

#include "library/FileNames.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <atomic>
#include <bit>
#include <condition_variable>
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
// Folders being read right now, and the signal that one such read ended:
// a second caller waits for that read instead of reading the folder again.
QSet<QString> g_reading;
std::condition_variable g_readEnded;

qint64 nowNs()
{
    timespec ts{};
    ::clock_gettime(CLOCK_REALTIME, &ts);
    return qint64(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

constexpr quint8 kFile = 1;
constexpr quint8 kDir = 2;
constexpr quint8 kAscii = 4; // the name is plain ASCII: its bytes are its units

// One unit folded as the name patterns compare names.
char16_t foldUnit(char16_t u)
{
    return u < 0x80 ? char16_t(u >= 'A' && u <= 'Z' ? u + 32 : u) : QChar(u).toCaseFolded().unicode();
}

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
        std::unique_lock<std::mutex> guard(g_lock);
        for (;;) {
            const auto it = g_kept.constFind(folder);
            if (it != g_kept.cend() && it->dev == st.st_dev && it->ino == st.st_ino && it->mtimeNs == mtimeNs
                && it->ctimeNs == ctimeNs && it->readAtNs - std::max(mtimeNs, ctimeNs) >= kRacyNs) {
                touch(folder);
                return it->index;
            }
            if (!g_reading.contains(folder))
                break;
            g_readEnded.wait(guard);
        }
        g_reading.insert(folder);
    }
    // Whatever the read's outcome, waiting callers are woken to look again.
    struct EndRead {
        const QString& folder;
        ~EndRead()
        {
            {
                std::lock_guard<std::mutex> guard(g_lock);
                g_reading.remove(folder);
            }
            g_readEnded.notify_all();
        }
    } endRead{folder};

    const qint64 readAt = nowNs();
    DIR* dir = ::opendir(raw.constData());
    if (!dir)
        return nullptr;
    ++g_reads;
    auto index = std::make_shared<FolderIndex>();
    // The folder's own size grows with its entries: room for about that
    // many names saves growing the tables while reading.
    const size_t guess = size_t(std::clamp<qint64>(st.st_size, 0, qint64(64) << 20));
    index->m_bytes.reserve(guess);
    index->m_kinds.reserve(guess / 32);
    index->m_start.reserve(guess / 32 + 1);
    index->m_start.push_back(0);
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
        const size_t length = std::strlen(e->d_name);
        unsigned char high = 0;
        for (size_t k = 0; k < length; ++k)
            high |= static_cast<unsigned char>(e->d_name[k]);
        if (isDir)
            index->m_dirs.push_back(int(index->m_kinds.size()));
        index->m_kinds.push_back(quint8((isFile ? kFile : 0) | (isDir ? kDir : 0) | (high < 0x80 ? kAscii : 0)));
        index->m_bytes.append(e->d_name, length);
        index->m_start.push_back(quint32(index->m_bytes.size()));
    }
    ::closedir(dir);
    index->buildBuckets();

    std::lock_guard<std::mutex> guard(g_lock);
    g_kept.insert(folder, {st.st_dev, st.st_ino, mtimeNs, ctimeNs, readAt, index});
    touch(folder);
    return index;
}

QString FolderIndex::nameAt(size_t i) const
{
    return decodeFileName(QByteArrayView(m_bytes.data() + m_start[i], qsizetype(m_start[i + 1] - m_start[i])));
}

bool FolderIndex::startsWithFolded(size_t i, std::u16string_view prefix) const
{
    const char* bytes = m_bytes.data() + m_start[i];
    const size_t length = m_start[i + 1] - m_start[i];
    if (m_kinds[i] & kAscii) {
        if (length < prefix.size())
            return false;
        for (size_t k = 0; k < prefix.size(); ++k)
            if (foldUnit(char16_t(bytes[k])) != prefix[k])
                return false;
        return true;
    }
    const QString name = nameAt(i);
    if (size_t(name.size()) < prefix.size())
        return false;
    for (size_t k = 0; k < prefix.size(); ++k)
        if (foldUnit(name.at(qsizetype(k)).unicode()) != prefix[k])
            return false;
    return true;
}

void FolderIndex::buildBuckets()
{
    const size_t n = m_kinds.size();
    m_bits = std::clamp(int(std::bit_width(n)), 4, 16);
    const size_t buckets = size_t(1) << m_bits;
    m_bucketStart.assign(buckets + 1, 0);
    std::vector<quint32> bucket(n, quint32(buckets)); // names shorter than the key: in none
    char16_t key[kKeyUnits];
    for (size_t i = 0; i < n; ++i) {
        if (m_kinds[i] & kAscii) {
            if (m_start[i + 1] - m_start[i] < quint32(kKeyUnits))
                continue;
            for (int k = 0; k < kKeyUnits; ++k)
                key[k] = foldUnit(char16_t(m_bytes[m_start[i] + size_t(k)]));
        } else {
            const QString name = nameAt(i);
            if (name.size() < kKeyUnits)
                continue;
            for (int k = 0; k < kKeyUnits; ++k)
                key[k] = foldUnit(name.at(k).unicode());
        }
        bucket[i] = bucketOf(key, kKeyUnits, m_bits);
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
    // (compared folded unit by unit): only the names that start with it are
    // checked, with the real pattern match.
    const QString folded = pattern.toCaseFolded();
    qsizetype fixed = 0;
    while (fixed < folded.size() && folded.at(fixed) != u'*' && folded.at(fixed) != u'?')
        ++fixed;
    const std::u16string_view prefix(reinterpret_cast<const char16_t*>(folded.utf16()), size_t(fixed));
    QString best;
    auto consider = [&](size_t i) {
        if (!(m_kinds[i] & kFile) || !startsWithFolded(i, prefix))
            return;
        const QString name = nameAt(i);
        if (wildcardMatch(pattern, name) && (best.isNull() || listBoxLess(name, best)))
            best = name;
    };
    if (prefix.size() >= size_t(kKeyUnits) && !m_kinds.empty()) {
        const quint32 b = bucketOf(prefix.data(), kKeyUnits, m_bits);
        for (quint32 k = m_bucketStart[b]; k < m_bucketStart[b + 1]; ++k)
            consider(size_t(m_bucketIds[k]));
    } else {
        for (size_t i = 0; i < m_kinds.size(); ++i)
            consider(i);
    }
    return best;
}

QString FolderIndex::subFolder(const QString& name) const
{
    // A plain ASCII folder name is checked on its bytes first: it becomes
    // text only when it could equal `name` ignoring case.
    const QByteArray exact = encodeFileName(name);
    QString lower;
    lower.reserve(name.size());
    for (QChar c : name)
        lower += QChar(foldUnit(c.unicode()));
    QString best;
    for (int d : m_dirs) {
        const size_t i = size_t(d);
        const char* bytes = m_bytes.data() + m_start[i];
        const size_t length = m_start[i + 1] - m_start[i];
        const bool sameBytes = length == size_t(exact.size()) && std::memcmp(bytes, exact.constData(), length) == 0;
        if (!sameBytes && (m_kinds[i] & kAscii)) {
            if (length != size_t(name.size()))
                continue;
            bool same = true;
            for (size_t k = 0; k < length && same; ++k)
                same = foldUnit(char16_t(bytes[k])) == lower.at(qsizetype(k)).unicode();
            if (!same)
                continue;
        }
        const QString n = nameAt(i);
        if (n == name)
            return n;
        if (n.compare(name, Qt::CaseInsensitive) == 0 && (best.isNull() || listBoxLess(n, best)))
            best = n;
    }
    return best;
}
