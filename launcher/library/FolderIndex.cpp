#include "library/FolderIndex.h"

#include "library/FileNames.h"

#include <QHash>

#include <algorithm>
#include <atomic>
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

std::u16string foldedKey(const QString& name)
{
    std::u16string key(size_t(name.size()), u'\0');
    for (qsizetype i = 0; i < name.size(); ++i)
        key[size_t(i)] = name.at(i).toCaseFolded().unicode();
    return key;
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
        const QString name = decodeFileName(QByteArrayView(e->d_name, qsizetype(std::strlen(e->d_name))));
        index->m_entries.push_back({foldedKey(name), name, isFile, isDir});
    }
    ::closedir(dir);
    std::sort(index->m_entries.begin(), index->m_entries.end(),
              [](const Entry& a, const Entry& b) { return a.key < b.key; });
    for (size_t i = 0; i < index->m_entries.size(); ++i)
        if (index->m_entries[i].isDir)
            index->m_dirs.push_back(int(i));

    std::lock_guard<std::mutex> guard(g_lock);
    g_kept.insert(folder, {st.st_dev, st.st_ino, mtimeNs, ctimeNs, readAt, index});
    touch(folder);
    return index;
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
    // (compared folded unit by unit): only the entries whose key starts with
    // it are checked, with the real pattern match.
    const QString folded = pattern.toCaseFolded();
    qsizetype fixed = 0;
    while (fixed < folded.size() && folded.at(fixed) != u'*' && folded.at(fixed) != u'?')
        ++fixed;
    const std::u16string prefix(reinterpret_cast<const char16_t*>(folded.utf16()), size_t(fixed));
    auto it = std::lower_bound(m_entries.begin(), m_entries.end(), prefix,
                               [](const Entry& e, const std::u16string& p) { return e.key < p; });
    const QString* best = nullptr;
    for (; it != m_entries.end() && it->key.compare(0, prefix.size(), prefix) == 0; ++it)
        if (it->isFile && wildcardMatch(pattern, it->name) && (!best || listBoxLess(it->name, *best)))
            best = &it->name;
    return best ? *best : QString();
}

QString FolderIndex::subFolder(const QString& name) const
{
    const QString* best = nullptr;
    for (int i : m_dirs) {
        const QString& n = m_entries[size_t(i)].name;
        if (n == name)
            return n;
        if (n.compare(name, Qt::CaseInsensitive) == 0 && (!best || listBoxLess(n, *best)))
            best = &n;
    }
    return best ? *best : QString();
}
