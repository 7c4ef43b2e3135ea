// Game library timings: the folder scan against `find | sort -f` on the same
// tree (30,000 files in 1,500 folders, generated once below /tmp), the
// QDirIterator walk for comparison, loading a 30,001-pair list cache with the
// simple list, and one search keystroke over 30,000 names.
#include "config/AppEnvironment.h"
#include "library/FileNames.h"
#include "library/FileScanRecursive.h"
#include "library/GameList.h"
#include "library/GameSearch.h"
#include "library/LibraryHost.h"
#include "library/ListCache.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

namespace {

const QString kTree = QStringLiteral("/tmp/arvex-bench-library/tree/");
const QString kHome = QStringLiteral("/tmp/arvex-bench-library/");
constexpr int kFolders = 1500;
constexpr int kFilesPerFolder = 20;

QString gameName(int folder, int file)
{
    static const char* publishers[] = {"Rainbow Arts", "Psygnosis", "Ocean", "Gremlin", "Team17"};
    return QStringLiteral("Game %1 %2 (19%3)(%4)(Disk %5 of 4)[cr CSL].adf")
        .arg(folder)
        .arg(file / 4)
        .arg(85 + file % 10)
        .arg(QLatin1String(publishers[(folder + file) % 5]))
        .arg(file % 4 + 1);
}

void makeTree()
{
    const QString marker = kTree + QStringLiteral(".complete");
    if (QFile::exists(marker))
        return;
    QDir(kTree).removeRecursively();
    for (int d = 0; d < kFolders; ++d) {
        const QString folder = kTree + QStringLiteral("Group %1/Folder %2/").arg(d / 50).arg(d);
        QDir().mkpath(folder);
        for (int f = 0; f < kFilesPerFolder; ++f) {
            const int fd = ::open(QFile::encodeName(folder + gameName(d, f)).constData(), O_WRONLY | O_CREAT, 0644);
            if (fd >= 0)
                ::close(fd);
        }
    }
    QFile(marker).open(QIODevice::WriteOnly);
}

class QuietHost : public LibraryHost {
public:
    QString titleText() const override { return m_title; }
    void setTitleText(const QString& t) override { m_title = t; }
    QString statusText() const override { return m_status; }
    void setStatusText(const QString& t) override { m_status = t; }

private:
    QString m_title, m_status;
};

void BM_ScanFiles(benchmark::State& state)
{
    QuietHost host;
    FileScanRecursive scan(host);
    for (auto _ : state) {
        QString path = kTree;
        const auto n = scan.ScanFiles(path, QStringLiteral("*.adf"), QStringLiteral("adf "));
        if (n.value_or(0) != kFolders * kFilesPerFolder)
            state.SkipWithError("unexpected count");
    }
}
BENCHMARK(BM_ScanFiles)->Unit(benchmark::kMillisecond)->MinTime(2);

void BM_FindSortBaseline(benchmark::State& state)
{
    for (auto _ : state) {
        QProcess p;
        p.start(QStringLiteral("/bin/sh"),
                {QStringLiteral("-c"), QStringLiteral("find '%1' -type f -iname '*.adf' | sort -f > /dev/null").arg(kTree)});
        p.waitForFinished(-1);
    }
}
BENCHMARK(BM_FindSortBaseline)->Unit(benchmark::kMillisecond)->MinTime(2);

void BM_QDirIteratorWalk(benchmark::State& state)
{
    for (auto _ : state) {
        QStringList found;
        QDirIterator it(kTree, {QStringLiteral("*.adf")}, QDir::Files | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            found.append(it.next());
        sortListBox(found);
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_QDirIteratorWalk)->Unit(benchmark::kMillisecond)->MinTime(2);

void BM_LoadCacheAndBuildSimpleList(benchmark::State& state)
{
    AppEnvironment::setOverrides(kHome, QStringLiteral("arvex"));
    const QString cache = kHome + QStringLiteral("arvex_Cache.txt");
    QStringList full, names;
    for (int i = 0; i < ListCache::kMaxPairs; ++i) {
        full.append(kHome + QStringLiteral("Games/") + gameName(i / 20, i % 20));
        names.append(GameList::displayName(full.last()));
    }
    ListCache::write(cache, full, names, kHome);
    QuietHost host;
    GameList list(host);
    for (auto _ : state) {
        list.LoadGameListFromCache(cache);
        if (list.count() != ListCache::kMaxPairs)
            state.SkipWithError("unexpected count");
    }
    state.counters["simple"] = double(list.WIthoutDoubles().size());
}
BENCHMARK(BM_LoadCacheAndBuildSimpleList)->Unit(benchmark::kMillisecond)->MinTime(2);

void BM_SearchSimpleList(benchmark::State& state)
{
    QStringList simple;
    for (int i = 0; i < 30000; ++i)
        simple.append(GameList::displayName(gameName(i, i % 7)));
    GameSearch search;
    search.setSimpleList(simple);
    int results = 0;
    for (auto _ : state) {
        search.SearchSimpleList(QStringLiteral("ocE"), 0);
        results = int(search.SuchErgList().size());
    }
    state.counters["results"] = results;
}
BENCHMARK(BM_SearchSimpleList)->Unit(benchmark::kMicrosecond)->MinTime(1);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    makeTree();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
