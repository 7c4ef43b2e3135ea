// Downloads one URL into a file with the updater's download code and
// nothing else around it, for the throughput and memory benchmark.
//   updater_download_probe URL TARGET
#include "download/CurlDownloader.h"
#include "download/FileDownload.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 64;
    CurlDownloader curl;
    const DownloadResult r = DownloadToFile(curl, QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
    if (!r.ok()) {
        std::fprintf(stderr, "download failed: %s\n", DescribeDownload(r).toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
