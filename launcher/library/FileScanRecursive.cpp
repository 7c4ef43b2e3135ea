#include "library/FileScanRecursive.h"

#include "library/FileNames.h"
#include "services/Prompt.h"

#include <QByteArray>

#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <functional>
#include <set>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace {

// One folder on the stack: its bytes for the system, its text for the results.
struct FolderEntry {
    QByteArray raw;  // no trailing separator, except the root "/"
    QString path;    // same, decoded
};

struct Listing {
    QStringList files;           // matching file names, sorted
    std::vector<FolderEntry> dirs; // sub-folders, sorted by name
};

QString withSeparator(const QString& folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

QByteArray rawWithSeparator(const QByteArray& folder)
{
    return folder.endsWith('/') ? folder : folder + '/';
}

// The folder to open for a prepared path: without its trailing separator
// (the root stays "/").
QString openablePath(const QString& prepared)
{
    QString p = prepared;
    while (p.size() > 1 && (p.endsWith(u'/') || p.endsWith(u'\\')))
        p.chop(1);
    return p;
}

using FolderId = std::pair<dev_t, ino_t>;

// Lists one folder. False when it cannot be opened. `visited` makes every
// real folder count once, whatever symlinks lead to it.
// `tick` runs every kTickEntries entries, so that the progress of a scan
// keeps its pace inside a folder of many thousand entries too.
constexpr int kTickEntries = 1024;

bool listFolder(const FolderEntry& folder, const WildcardList* patterns, bool wantFiles,
                std::set<FolderId>& visited, bool& alreadyVisited, Listing& out,
                const std::function<void(qsizetype)>& tick = {})
{
    alreadyVisited = false;
    DIR* dir = ::opendir(folder.raw.constData());
    if (!dir)
        return false;
    struct stat self;
    if (::fstat(::dirfd(dir), &self) == 0 && !visited.insert({self.st_dev, self.st_ino}).second) {
        alreadyVisited = true;
        ::closedir(dir);
        return true;
    }
    const QByteArray rawPrefix = rawWithSeparator(folder.raw);
    const QString prefix = withSeparator(folder.path);
    int entries = 0;
    while (const dirent* e = ::readdir(dir)) {
        if (tick && ++entries % kTickEntries == 0)
            tick(out.files.size());
        if (e->d_name[0] == '.')
            continue; // ".", ".." and the hidden dot files
        bool isDir = e->d_type == DT_DIR;
        bool isFile = e->d_type == DT_REG;
        if (e->d_type == DT_LNK || e->d_type == DT_UNKNOWN) {
            struct stat st;
            if (::fstatat(::dirfd(dir), e->d_name, &st, 0) != 0)
                continue; // broken symlink or vanished entry
            isDir = S_ISDIR(st.st_mode);
            isFile = S_ISREG(st.st_mode);
        }
        if (isDir) {
            const QString name = decodeFileName(QByteArrayView(e->d_name, qsizetype(std::strlen(e->d_name))));
            out.dirs.push_back({rawPrefix + e->d_name, prefix + name});
        } else if (isFile && wantFiles) {
            const QString name = decodeFileName(QByteArrayView(e->d_name, qsizetype(std::strlen(e->d_name))));
            if (patterns->matches(name))
                out.files.append(name);
        }
    }
    ::closedir(dir);
    sortListBox(out.files); // each name folded once, not in every comparison
    std::sort(out.dirs.begin(), out.dirs.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return listBoxLess(a.path, b.path); });
    return true;
}

} // namespace

FileScanRecursive::FileScanRecursive(LibraryHost& host) : m_host(host)
{
    m_steady.start();
    m_msNow = [this] { return m_steady.elapsed(); };
}

void FileScanRecursive::progress(ProgressTarget target, const QString& title, qsizetype pending)
{
    const qint64 now = m_msNow();
    if (now - m_lastProgressMs < kProgressIntervalMs)
        return;
    m_lastProgressMs = now;
    setCaption(target, title + QString::number(m_resultList.size() + pending));
    m_host.processEvents();
}

QString FileScanRecursive::PreParePath(const QString& path)
{
    QString p = path.trimmed();
    if (p.startsWith(u'"') && p.endsWith(u'"')) {
        if (p.size() < 2)
            return {}; // a lone double quote
        p = p.mid(1, p.size() - 2);
    }
    p = p.trimmed();
    if (p.isEmpty())
        return {};
    if (!p.endsWith(u'\\') && !p.endsWith(u'/'))
        p += p.contains(u'/') ? u'/' : u'\\';
    return p;
}

QString FileScanRecursive::caption(ProgressTarget target) const
{
    return target == ProgressTarget::MainWindow ? m_host.titleText() : m_host.statusText();
}

void FileScanRecursive::setCaption(ProgressTarget target, const QString& text)
{
    if (target == ProgressTarget::MainWindow)
        m_host.setTitleText(text);
    else
        m_host.setStatusText(text);
}

std::optional<int> FileScanRecursive::ScanFiles(QString& DirectoryPath, const QString& FileExtension,
                                                const QString& SuchTitle,
                                                ProgressTarget CaptionOrLabel)
{
    m_cancel = false;
    const QString remembered = caption(CaptionOrLabel);
    DirectoryPath = PreParePath(DirectoryPath);
    m_resultList.clear();

    auto notFound = [] {
        prompt().message(QString(), QStringLiteral("Error: Directory not found!"));
        return std::optional<int>();
    };
    if (DirectoryPath.isEmpty())
        return notFound();

    const WildcardList patterns(FileExtension);
    std::vector<FolderEntry> stack;
    const QString start = openablePath(DirectoryPath);
    stack.push_back({encodeFileName(start), start});
    std::set<FolderId> visited;
    QString lastFolder;
    bool first = true;
    bool stopped = false;

    // The first check after the scan starts shows progress at once.
    m_lastProgressMs = m_msNow() - kProgressIntervalMs;
    while (!stack.empty() && !stopped) {
        const FolderEntry top = stack.back();
        stack.pop_back();
        if (top.path != lastFolder || first) {
            if (m_cancel)
                return std::nullopt;
            Listing listing;
            bool already = false;
            const bool opened = listFolder(top, &patterns, true, visited, already, listing,
                                           [&](qsizetype found) { progress(CaptionOrLabel, SuchTitle, found); });
            if (!opened && first)
                return notFound();
            first = false;
            const QString prefix = withSeparator(top.path);
            for (qsizetype i = 0; i < listing.files.size(); ++i) {
                m_resultList.append(prefix + listing.files.at(i));
                if (m_resultList.size() > kScanLimit - 1 || m_cancel) {
                    m_host.beep();
                    setCaption(CaptionOrLabel, QStringLiteral("Abbruch!"));
                    stopped = true;
                    break;
                }
                progress(CaptionOrLabel, SuchTitle);
            }
            if (stopped)
                break;
            for (FolderEntry& d : listing.dirs)
                stack.push_back(std::move(d));
            progress(CaptionOrLabel, SuchTitle);
        }
        lastFolder = top.path;
    }
    if (!stopped)
        setCaption(CaptionOrLabel, remembered);
    // Folders are visited in order and each folder's files come sorted, so
    // the result often is in order already (a flat folder always is).
    if (!std::is_sorted(m_resultList.cbegin(), m_resultList.cend(), listBoxLess))
        sortListBox(m_resultList);
    return int(m_resultList.size());
}

std::optional<int> FileScanRecursive::ScanDirs(QString& DirectoryPath, const QString& SuchTitle)
{
    m_cancel = false;
    const QString remembered = m_host.titleText();
    DirectoryPath = PreParePath(DirectoryPath);
    m_resultList.clear();
    if (DirectoryPath.isEmpty())
        return 0;

    std::vector<FolderEntry> stack;
    const QString start = openablePath(DirectoryPath);
    stack.push_back({encodeFileName(start), start});
    std::set<FolderId> visited;
    auto progress = [&] {
        return SuchTitle + QString::number(m_resultList.size()) + QStringLiteral("  (")
            + QString::number(stack.size()) + u')';
    };

    while (!stack.empty()) {
        const FolderEntry top = stack.back();
        Listing listing;
        bool already = false;
        // A folder that cannot be opened (or was seen before) counts as one without sub-folders.
        if (!listFolder(top, nullptr, false, visited, already, listing) || already)
            listing.dirs.clear();
        stack.pop_back();
        if (!listing.dirs.empty()) {
            if (m_cancel)
                return std::nullopt;
            for (size_t i = 0; i < listing.dirs.size(); ++i) {
                m_resultList.append(withSeparator(listing.dirs[i].path));
                stack.push_back(listing.dirs[i]);
                if (i % 200 == 0) {
                    m_host.setTitleText(progress());
                    m_host.processEvents();
                }
                if (m_resultList.size() > kScanLimit - 1) {
                    m_host.beep();
                    m_host.setTitleText(QStringLiteral("Überlauf - Abbruch!"));
                    sortListBox(m_resultList);
                    return int(m_resultList.size());
                }
            }
            m_host.processEvents();
        }
        if (m_resultList.size() % 300 == 0)
            m_host.setTitleText(progress());
    }
    m_host.setTitleText(remembered);
    sortListBox(m_resultList);
    return int(m_resultList.size());
}
