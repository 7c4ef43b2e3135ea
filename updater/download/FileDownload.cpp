#include "download/FileDownload.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString systemText(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

bool isDiskFull(int error) { return error == ENOSPC || error == EDQUOT || error == EFBIG; }

// Writes every byte handed to it to `fd`, remembering the first error.
class FileSink final : public DownloadSink {
public:
    explicit FileSink(int fd) : m_fd(fd) {}

    bool write(const char* data, std::size_t size) override
    {
        const off_t start = m_written;
        while (size > 0) {
            const ssize_t n = ::write(m_fd, data, size);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                m_error = errno;
                return false;
            }
            data += n;
            size -= std::size_t(n);
            m_written += n;
        }
        // Start writing each finished stretch to the disk while the next one
        // downloads, so the fsync before the rename has little left to do.
        if (m_written / kFlushStretch != start / kFlushStretch) {
            const off_t end = m_written / kFlushStretch * kFlushStretch;
            ::sync_file_range(m_fd, m_flushed, end - m_flushed, SYNC_FILE_RANGE_WRITE);
            m_flushed = end;
        }
        return true;
    }
    int error() const { return m_error; }

private:
    static constexpr off_t kFlushStretch = 8 * 1024 * 1024;
    int m_fd;
    int m_error = 0;
    off_t m_written = 0;
    off_t m_flushed = 0;
};

DownloadResult localFailure(DownloadResult result, int error, const QString& what)
{
    result.status = DownloadStatus::LocalFailed;
    result.diskFull = isDiskFull(error);
    result.detail = what + QStringLiteral(": ") + systemText(error);
    return result;
}

void syncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

QString PartFileName(const QString& target) { return target + QStringLiteral(".part"); }

DownloadResult DownloadToFile(Downloader& downloader, const QString& url, const QString& target,
                              const DownloadProgress& progress, int mode)
{
    const QString folder = QFileInfo(target).absolutePath();
    QDir().mkpath(folder);
    const QString part = PartFileName(target);
    const QByteArray partName = QFile::encodeName(part);
    // A ".part" left by an earlier, interrupted run is never continued.
    ::unlink(partName.constData());

    DownloadResult result;
    const int fd = ::open(partName.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return localFailure(result, errno, QStringLiteral("cannot create ") + part);

    FileSink sink(fd);
    result = downloader.fetch(url, sink, progress);
    if (result.status == DownloadStatus::WriteFailed && sink.error()) {
        result.diskFull = isDiskFull(sink.error());
        result.detail = systemText(sink.error());
    }
    if (result.ok() && mode >= 0 && ::fchmod(fd, mode_t(mode)) != 0)
        result = localFailure(result, errno, QStringLiteral("cannot set the mode of ") + part);
    // The bytes must be on the disk before the rename makes them the target.
    if (result.ok() && ::fsync(fd) != 0)
        result = localFailure(result, errno, QStringLiteral("cannot write ") + part);
    if (::close(fd) != 0 && result.ok())
        result = localFailure(result, errno, QStringLiteral("cannot write ") + part);
    if (result.ok()
        && ::rename(partName.constData(), QFile::encodeName(target).constData()) != 0)
        result = localFailure(result, errno, QStringLiteral("cannot rename ") + part);
    if (!result.ok()) {
        ::unlink(partName.constData());
        return result;
    }
    syncFolder(folder);
    return result;
}
