#include "ui/WindowPlacement.h"

#include "config/Ini.h"

namespace WindowPlacement {

namespace {
const QString kSection = QStringLiteral("Settings");

// Read as 32-bit: in twips a window wider than 2184 pixels no longer fits 16 bits.
int readInt(const QString& file, const QString& key, int def)
{
    bool ok = false;
    const int v = ReadIniValue(kSection, key, file, QString::number(def), true).toInt(&ok);
    return ok ? v : def;
}
} // namespace

Stored read(const QString& globalFile, const QRect& currentPixels)
{
    Stored s;
    s.state = qint16(readInt(globalFile, QStringLiteral("WindowState"), Normal));
    const int width = readInt(globalFile, QStringLiteral("WindowX"), toTwips(currentPixels.width()));
    const int height = readInt(globalFile, QStringLiteral("WindowY"), toTwips(currentPixels.height()));
    const int top = readInt(globalFile, QStringLiteral("WindowTop"), toTwips(currentPixels.y()));
    const int left = readInt(globalFile, QStringLiteral("WindowLeft"), toTwips(currentPixels.x()));
    s.twips = QRect(left, top, width, height);
    return s;
}

bool mayStoreSize(State state, const QRect& pixels)
{
    return state == Normal && toTwips(pixels.width()) > 2000 && toTwips(pixels.height()) > 1000;
}

bool write(const QString& globalFile, State state, const QRect& pixels)
{
    // One replacement for the whole placement: never a new size with an old position.
    QList<QPair<QString, QString>> keys{{QStringLiteral("WindowState"), QString::number(state)}};
    if (mayStoreSize(state, pixels))
        keys += {{QStringLiteral("WindowX"), QString::number(toTwips(pixels.width()))},
                 {QStringLiteral("WindowY"), QString::number(toTwips(pixels.height()))},
                 {QStringLiteral("WindowTop"), QString::number(toTwips(pixels.y()))},
                 {QStringLiteral("WindowLeft"), QString::number(toTwips(pixels.x()))}};
    return WriteIniValues(kSection, keys, globalFile, true);
}

} // namespace WindowPlacement
