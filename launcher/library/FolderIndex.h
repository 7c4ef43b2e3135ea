#pragma once
// FolderIndex: the entries of one folder (files and sub-folders, dot names
// left out), read once and kept while the folder is unchanged, so that the
// preview look-ups of every selection read no folder from disk.
//
// FolderIndex::of(folder) checks the folder with one stat per call: the
// index is kept while the folder's device, inode, modification and status
// change times are those it was read with (adding, removing or renaming an
// entry changes both times; the status change time cannot be set back by
// anyone). An index read less than kRacyNs after the folder's last change
// could have missed a change made within the same clock tick; such an index
// is read again on the next call. A file that merely changes its content, or
// a symlink whose target changes type, does not count as a change. The most
// recently used kMaxFolders folders are kept.
//
// Thread-safe (the cache is locked; an index is immutable once made). A call
// that finds its folder being read by another thread waits for that read and
// takes its index, so a folder read ahead in the background (PreviewWarmer)
// is never read twice at once.
#include <QString>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class FolderIndex {
public:
    static constexpr int kMaxFolders = 32;
    static constexpr qint64 kRacyNs = 2'000'000'000;

    // The index of `folder` (with or without a trailing "/"); null when the
    // folder cannot be read.
    static std::shared_ptr<const FolderIndex> of(const QString& folder);
    // Forgets every kept index.
    static void clearCache();
    // How many times a folder was read from disk since the program started.
    static int reads();

    // The name of the file matching `pattern` ("*" and "?", ignoring case, as
    // wildcardMatch) that comes first in list collation order; empty when none.
    QString firstFile(const QString& pattern) const;
    // The sub-folder named `name`: that exact name first, else the first (in
    // list collation order) whose name equals it ignoring case; empty when none.
    QString subFolder(const QString& name) const;

    int size() const { return int(m_kinds.size()); }

private:
    // Names are found by their first kKeyUnits folded units: a pattern
    // whose text before its first wildcard is at least that long reads only
    // the names in its bucket, a shorter one compares every name's start.
    static constexpr int kKeyUnits = 8;
    void buildBuckets();
    QString nameAt(size_t i) const;
    // Whether name i, folded unit by unit, starts with `prefix` (folded).
    bool startsWithFolded(size_t i, std::u16string_view prefix) const;

    // The names are kept as the bytes the folder lists (one buffer, not one
    // string each: a folder of 30,000 games is read at the first selection,
    // and every allocation and page touched there delays it). A name
    // becomes text only when it is a candidate for a look-up.
    std::string m_bytes;          // every name's bytes, one after another, in the order the folder lists them
    std::vector<quint32> m_start; // where name i starts; one more at the end
    std::vector<quint8> m_kinds;  // kFile, kDir, kAscii
    int m_bits = 0;
    std::vector<quint32> m_bucketStart; // per bucket, into m_bucketIds; one more at the end
    std::vector<int> m_bucketIds;       // names by bucket of their first kKeyUnits units
    std::vector<int> m_dirs;            // the names that are folders
};
