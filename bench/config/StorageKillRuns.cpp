// Kill runs and full-disk runs for the user files the launcher replaces.
//
//   bench_storage_kill_runs [KILLS]   (default 1000 per file type)
//
// Kill runs: a child process rewrites one file type in a loop (a settings
// group of 12 keys, a favourites file of 40 entries, a list cache of 400
// games; every entry carries the same generation number), and is killed with
// SIGKILL at a random moment, KILLS times. After each kill the file must hold
// one complete generation; our temporary files left in the folder are counted
// (the next writer removes those of dead processes, so the figure at the end
// is what a user would find).
// Full-disk runs (root only; skipped otherwise): each file type is written to
// a 64 KiB tmpfs that is full, and must report failure with the old file intact.
#include "config/AppEnvironment.h"
#include "config/AtomicWriter.h"
#include "config/Ini.h"
#include "config/TextFile.h"
#include "library/Favorites.h"
#include "library/ListCache.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>
#include <cstdio>

#include <sys/mount.h>
#include <unistd.h>

namespace {

constexpr int kFavourites = 40;
constexpr int kCacheGames = 400;

enum class Kind { Settings, Favourites, ListCache };
const char* const kKindNames[] = {"settings", "favourites", "listcache"};

QString fileFor(const QString& folder, Kind kind)
{
    switch (kind) {
    case Kind::Settings: return folder + "/arvex.ini";
    case Kind::Favourites: return folder + "/Favoriten.ini";
    case Kind::ListCache: return folder + "/arvex_Cache.txt";
    }
    return {};
}

// Writes generation `g` of `kind` through the launcher's own storage code.
bool writeGeneration(Kind kind, const QString& folder, long g)
{
    const QString file = fileFor(folder, kind);
    const QString n = QString::number(g);
    switch (kind) {
    case Kind::Settings: {
        QList<QPair<QString, QString>> group;
        for (int i = 1; i <= 12; ++i)
            group.append({QStringLiteral("Button%1").arg(i), n});
        return WriteIniValues(QStringLiteral("Settings"), group, file, true);
    }
    case Kind::Favourites: {
        Favorites fav;
        fav.setFile(file);
        for (int i = 0; i < kFavourites; ++i)
            fav.AddFavorite(QStringLiteral("Game %1 generation %2").arg(i).arg(n),
                            folder + QStringLiteral("/Games/game%1-%2.adf").arg(i).arg(n), -1);
        return fav.SaveFavorites();
    }
    case Kind::ListCache: {
        QStringList full, names;
        for (int i = 0; i < kCacheGames; ++i) {
            full << folder + QStringLiteral("/Games/game%1-%2.adf").arg(i).arg(n);
            names << QStringLiteral("Game %1 generation %2").arg(i).arg(n);
        }
        return ListCache::write(file, full, names, folder + u'/');
    }
    }
    return false;
}

// True when the file holds one complete generation (or is missing).
bool complete(Kind kind, const QString& folder)
{
    const QString file = fileFor(folder, kind);
    if (!QFile::exists(file))
        return true;
    QSet<QString> generations;
    int entries = 0;
    if (kind == Kind::Settings) {
        for (int i = 1; i <= 12; ++i)
            generations << GetPrivateProfileString("Settings", QStringLiteral("Button%1").arg(i), file);
        entries = 12;
    } else {
        QString text;
        if (!TextFile::readText(file, text))
            return false;
        for (const QString& line : TextFile::splitLines(text)) {
            const qsizetype at = line.indexOf(QLatin1String("generation "));
            if (at < 0)
                continue;
            generations << line.mid(at + 11);
            ++entries;
        }
    }
    const int expected = kind == Kind::Settings ? 12 : kind == Kind::Favourites ? kFavourites : kCacheGames;
    return generations.size() == 1 && !generations.values().first().isEmpty() && entries == expected;
}

int leftovers(const QString& folder)
{
    int n = 0;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (AtomicWriter::temporaryOwnerPid(QFile::encodeName(name)) >= 0)
            ++n;
    return n;
}

int childLoop(Kind kind, const QString& folder)
{
    AppEnvironment::setOverrides(folder + u'/', QStringLiteral("arvex"));
    std::printf("ready\n");
    std::fflush(stdout);
    for (long g = 1;; ++g)
        writeGeneration(kind, folder, g);
}

void killRun(Kind kind, int kills, bool named)
{
    QTemporaryDir dir;
    const QString folder = dir.path();
    int torn = 0, maxAfterKill = 0;
    for (int k = 0; k < kills; ++k) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {"child", kKindNames[int(kind)], folder, named ? "named" : "nameless"});
        if (!child.waitForStarted() || !child.waitForReadyRead(10000)) {
            std::printf("child did not start\n");
            return;
        }
        QThread::usleep(QRandomGenerator::global()->bounded(20000));
        child.kill();
        child.waitForFinished();
        if (!complete(kind, folder))
            ++torn;
        maxAfterKill = std::max(maxAfterKill, leftovers(folder));
    }
    std::printf("%-11s %-9s kills %5d  torn %3d  temporaries after a kill (most) %d  at the end %d\n",
                kKindNames[int(kind)], named ? "named" : "nameless", kills, torn, maxAfterKill, leftovers(folder));
    std::fflush(stdout);
}

void fullDiskRun(Kind kind)
{
    QTemporaryDir dir;
    const QByteArray mountPoint = QFile::encodeName(dir.path());
    if (::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=64k") != 0) {
        std::printf("%-11s full disk: cannot mount a tmpfs, skipped\n", kKindNames[int(kind)]);
        return;
    }
    const QString folder = dir.path();
    AppEnvironment::setOverrides(folder + u'/', QStringLiteral("arvex"));
    writeGeneration(kind, folder, 1);
    QFile f(fileFor(folder, kind));
    f.open(QIODevice::ReadOnly);
    const QByteArray before = f.readAll();
    f.close();
    {
        QFile filler(folder + "/filler");
        filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        while (filler.write(QByteArray(512, 'f')) == 512) {
        }
        while (filler.write("f", 1) == 1) {
        }
    }
    // Generation 1000000 is a few bytes longer than generation 1.
    const bool reported = writeGeneration(kind, folder, 1000000);
    f.open(QIODevice::ReadOnly);
    const QByteArray after = f.readAll();
    f.close();
    std::printf("%-11s full disk: old size %lld, write reported %s, file %s, temporaries %d\n",
                kKindNames[int(kind)], qint64(before.size()), reported ? "success" : "failure",
                after == before ? "intact" : qPrintable(QStringLiteral("CHANGED to %1 bytes").arg(after.size())),
                leftovers(folder));
    AppEnvironment::setOverrides(QString(), QString());
    ::umount2(mountPoint.constData(), MNT_DETACH);
}

} // namespace

int main(int argc, char** argv)
{
    std::signal(SIGXFSZ, SIG_IGN);
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.value(1) == QLatin1String("child") && args.size() >= 4) {
        AtomicWriter::setNamedTemporariesOnly(args.value(4) == QLatin1String("named"));
        for (int k = 0; k < 3; ++k)
            if (args.at(2) == QLatin1String(kKindNames[k]))
                return childLoop(Kind(k), args.at(3));
        return 2;
    }
    const int kills = args.size() >= 2 ? args.at(1).toInt() : 1000;
    for (Kind kind : {Kind::Settings, Kind::Favourites, Kind::ListCache}) {
        killRun(kind, kills, false);
        killRun(kind, kills, true);
    }
    if (::geteuid() == 0)
        for (Kind kind : {Kind::Settings, Kind::Favourites, Kind::ListCache})
            fullDiskRun(kind);
    else
        std::printf("full-disk runs need root (tmpfs mount): skipped\n");
    return 0;
}
