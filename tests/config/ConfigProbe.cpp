// Test helper.
//   arvex_config_probe language          prints "1" (German) or "2" (English)
//   arvex_config_probe write-loop FILE   rewrites FILE's keys for ever
#include "config/Ini.h"
#include "config/Language.h"

#include <QCoreApplication>
#include <QString>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 2 && args.at(1) == QLatin1String("language")) {
        std::printf("%d\n", IsGermanSystem() ? kLanguageGerman : kLanguageEnglish);
        return 0;
    }
    if (args.size() >= 3 && args.at(1) == QLatin1String("write-loop")) {
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
    return 2;
}
