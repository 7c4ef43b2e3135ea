#pragma once
// AtomicWriter: replaces one file with complete new content, or leaves it
// untouched and says why. Every user file the launcher writes (settings, list
// cache, favourites, WinUAE files, start scripts) goes through here, via
// TextFile::writeAtomic. Any thread; no shared state besides the test switch.
//
// How a replacement runs:
//  - symbolic links are followed to the file they name, so a linked settings
//    file stays a link and its target gets the new content;
//  - an existing target that is not a regular file, has no write permission
//    bit at all (refused for root too), or is not writable for this user is
//    refused before anything is written;
//  - the content goes into a nameless file in the target's folder (Linux
//    O_TMPFILE), every write() is checked, then fsync(); only complete content
//    ever gets a name: it is linked as ".<name>.arvex-<pid>-<random>" and
//    renamed over the target, and the folder is synced;
//  - where the file system has no O_TMPFILE the same hidden name is created
//    directly; such a file is left behind only when the process dies during
//    the write, and the next write into that folder removes the ones whose
//    process is gone (only files of this user);
//  - an existing target's permission bits are kept; its owner and group are
//    kept when the process may set them (root always; another user only the
//    group of theirs, so a file of another owner written by a normal user
//    becomes theirs, as with any editor). When root cannot give the file back
//    to its owner, the write fails rather than take the file away from them.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>

namespace AtomicWriter {

// Replaces the file at `path` (local 8-bit encoding) with `data`. False on any
// failure, with the old file untouched and `reason` set to the system's text.
bool replace(const QByteArray& path, const QByteArray& data, QString& reason);

// Takes the next part of the new content; false when writing it failed.
using Sink = std::function<bool(QByteArrayView)>;
// Hands the whole new content to the sink, part by part, and says whether
// every part was taken (it stops at the first refused part). It may be called
// a second time, when the first temporary file cannot be given a name, and
// must then hand over the same content again.
using Producer = std::function<bool(const Sink&)>;
// As replace() above, for content too large to hold whole: it is written
// while it is produced. A producer that returns false without a refused
// part gives up the replacement ("Operation canceled").
bool replace(const QByteArray& path, const Producer& produce, QString& reason);

// The hidden temporary name used for `fileName`, for process `pid`.
QByteArray temporaryName(const QByteArray& fileName, long long pid, quint32 random);
// The process id encoded in one of our temporary names, or -1 when `entry` is none.
long long temporaryOwnerPid(const QByteArray& entry);
// Removes our temporary files in `folder` whose process no longer runs;
// returns how many were removed.
int removeStaleTemporaries(const QByteArray& folder);

// Test switch: use named temporary files even where O_TMPFILE works, so the
// fallback path and its clean-up can be exercised on any file system.
void setNamedTemporariesOnly(bool on);

} // namespace AtomicWriter
