#pragma once
// Files named by raw bytes (names that are not UTF-8), for tests that need
// them on disk, and removing a test folder that holds such names (Qt's own
// removal reads names through the locale and cannot reach them).
#include <QByteArray>

#include <fcntl.h>
#include <ftw.h>
#include <stdio.h>
#include <unistd.h>

// Creates (or replaces) a file with exactly these path bytes; parents must exist.
inline bool writeRawFile(const QByteArray& path, const QByteArray& content = "ADF")
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool ok = content.isEmpty() || ::write(fd, content.constData(), size_t(content.size())) == content.size();
    return ::close(fd) == 0 && ok;
}

// Removes everything below `folder` (and the folder itself), whatever the names.
inline void removeRawTree(const QByteArray& folder)
{
    ::nftw(
        folder.constData(), [](const char* path, const struct stat*, int, struct FTW*) { return ::remove(path), 0; },
        16, FTW_DEPTH | FTW_PHYS);
}
