// Test helper, started by the tests as a real child process.
//   arvex_config_probe language                 prints "1" (German) or "2" (English)
//   arvex_config_probe write-loop FILE          rewrites FILE's keys one by one, for ever
//   arvex_config_probe group-loop FILE [named]  rewrites the group Button1..Button12 of
//                                               FILE, all with the same generation, for ever
//   arvex_config_probe limited BYTES FILE SIZE [parts]
//                                               writes SIZE bytes to FILE with the file-size
//                                               limit BYTES (with "parts": 1,000 bytes at a
//                                               time while they are made); prints "written"
//                                               or "failed: why"
//   arvex_config_probe as-user UID GID FILE     writes "new" to FILE as that user
// The writing commands exit 0 when the write reported success, 1 otherwise.
#include "config/AtomicWriter.h"
#include "config/Ini.h"
#include "config/Language.h"
#include "config/TextFile.h"

#include <QCoreApplication>
#include <QString>

#include <algorithm>
#include <csignal>
#include <cstdio>

#include <sys/resource.h>
#include <unistd.h>

namespace {

int reportWrite(const QString& file, const QByteArray& data, bool inParts = false)
{
    QString why;
    const bool ok = inParts ? TextFile::writeAtomicStreamed(
                                  file,
                                  [&](const AtomicWriter::Sink& sink) {
                                      for (qsizetype at = 0; at < data.size(); at += 1000) {
                                          const qsizetype n = std::min<qsizetype>(1000, data.size() - at);
                                          if (!sink(QByteArrayView(data).sliced(at, n)))
                                              return false;
                                      }
                                      return true;
                                  },
                                  &why)
                            : TextFile::writeAtomic(file, data, &why);
    std::printf("%s\n", ok ? "written" : qPrintable(QStringLiteral("failed: ") + why));
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString command = args.value(1);
    if (command == QLatin1String("language")) {
        std::printf("%d\n", IsGermanSystem() ? kLanguageGerman : kLanguageEnglish);
        return 0;
    }
    if (command == QLatin1String("write-loop") && args.size() >= 3) {
        const QString file = args.at(2);
        std::printf("ready\n");
        std::fflush(stdout);
        // Every key carries the same long payload plus the generation, so a
        // torn file shows up as a missing key or a short value.
        const QString payload(400, u'x');
        for (long generation = 0;; ++generation) {
            const int key = int(generation % 40);
            WriteIniValue(QStringLiteral("Settings"), QStringLiteral("Key%1").arg(key),
                          payload + QString::number(generation), file, true);
        }
    }
    if (command == QLatin1String("group-loop") && args.size() >= 3) {
        AtomicWriter::setNamedTemporariesOnly(args.value(3) == QLatin1String("named"));
        const QString file = args.at(2);
        std::printf("ready\n");
        std::fflush(stdout);
        for (long generation = 1;; ++generation) {
            QList<QPair<QString, QString>> group;
            for (int n = 1; n <= 12; ++n)
                group.append({QStringLiteral("Button%1").arg(n), QString::number(generation)});
            WriteIniValues(QStringLiteral("Settings"), group, file, true);
        }
    }
    if (command == QLatin1String("limited") && args.size() >= 5) {
        // With SIGXFSZ ignored, a write past the limit fails with EFBIG, as on a full disk.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{rlim_t(args.at(2).toLongLong()), rlim_t(args.at(2).toLongLong())};
        setrlimit(RLIMIT_FSIZE, &limit);
        return reportWrite(args.at(3), QByteArray(args.at(4).toInt(), 'n'), args.value(5) == QLatin1String("parts"));
    }
    if (command == QLatin1String("as-user") && args.size() >= 5) {
        if (setgid(gid_t(args.at(3).toUInt())) != 0 || setuid(uid_t(args.at(2).toUInt())) != 0)
            return 2;
        return reportWrite(args.at(4), "new");
    }
    return 2;
}
