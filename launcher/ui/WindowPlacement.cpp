#include "ui/WindowPlacement.h"

#include "config/Ini.h"

#include <QWidget>

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

QRect placementOf(const QWidget& window)
{
    // pos() is the frame's corner once a window manager has framed the
    // window; geometry() would be the client area's, a title bar lower.
    return QRect(window.pos(), window.size());
}

State stateOf(const QWidget& window)
{
    if (window.isMinimized())
        return Minimised;
    if (window.isMaximized())
        return Maximised;
    return Normal;
}

void apply(QWidget& window, const Stored& stored)
{
    const QRect px(toPixels(stored.twips.x()), toPixels(stored.twips.y()), toPixels(stored.twips.width()),
                   toPixels(stored.twips.height()));
    if (px.width() > 0 && px.height() > 0)
        window.resize(px.size().expandedTo(window.minimumSize()));
    window.move(px.topLeft());
    if (stored.state == Maximised)
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
    else if (stored.state == Minimised)
        window.setWindowState(window.windowState() | Qt::WindowMinimized);
}

void restore(const QString& globalFile, QWidget& window)
{
    apply(window, read(globalFile, placementOf(window)));
}

bool save(const QString& globalFile, const QWidget& window)
{
    return write(globalFile, stateOf(window), placementOf(window));
}

} // namespace WindowPlacement
