// The window stays where it was put: the arvex program runs five times in a
// row on an X server of the test's own (Xvfb) with a real window manager
// (openbox) framing its window. Each run is closed with Alt+F4, as a user
// closes it, which ends the program the orderly way and stores the placement.
// The stored position and the place the window really shows up must not move
// from one start to the next. Skipped when Xvfb, openbox or xdotool is missing.
#include "config/Ini.h"
#include "launch/ProgramRunner.h"
#include "support/TempDir.h"

#include <QElapsedTimer>
#include <QPoint>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

// Xlib's macros clash with GoogleTest's names: Xlib comes last.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

constexpr int kWaitMs = 10000;

// Ends a helper process the test started, and waits for it.
void stop(QProcess& process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(3000);
    }
}

class PlacementRoundTrip : public ::testing::Test {
protected:
    TempDir home;
    QProcess server;
    QProcess windowManager;
    QByteArray displayName;
    Display* display = nullptr;
    QString xdotool;

    void SetUp() override
    {
        const QString xvfb = FindInPath(QStringLiteral("Xvfb"));
        const QString openbox = FindInPath(QStringLiteral("openbox"));
        xdotool = FindInPath(QStringLiteral("xdotool"));
        if (xvfb.isEmpty() || openbox.isEmpty() || xdotool.isEmpty())
            GTEST_SKIP() << "needs Xvfb, openbox and xdotool (packages xvfb, openbox, xdotool)";

        server.start(xvfb, {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                            QStringLiteral("0"), QStringLiteral("1280x800x24"), QStringLiteral("-nolisten"),
                            QStringLiteral("tcp")});
        QByteArray out;
        while (!out.contains('\n') && server.waitForReadyRead(kWaitMs))
            out += server.readAllStandardOutput();
        if (!out.contains('\n'))
            GTEST_SKIP() << "Xvfb did not start";
        displayName = ':' + out.trimmed();
        display = XOpenDisplay(displayName.constData());
        ASSERT_NE(display, nullptr);

        windowManager.setProcessEnvironment(environment());
        windowManager.start(openbox, {QStringLiteral("--sm-disable")});
        ASSERT_TRUE(windowManager.waitForStarted(kWaitMs));
        ASSERT_TRUE(waitFor([this] { return windowManagerRuns(); })) << "openbox did not take the screen";
    }

    void TearDown() override
    {
        stop(windowManager);
        if (display)
            XCloseDisplay(display);
        stop(server);
    }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(displayName));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.file(QStringLiteral(".config")));
        env.insert(QStringLiteral("ARVEX_HOME"), home.file(QStringLiteral("program")));
        return env;
    }

    template <typename Condition>
    static bool waitFor(Condition condition)
    {
        QElapsedTimer t;
        t.start();
        while (!condition()) {
            if (t.elapsed() > kWaitMs)
                return false;
            QThread::msleep(20);
        }
        return true;
    }

    // The windows a property of `window` lists (empty when it has none).
    QList<Window> windowList(Window window, const char* property) const
    {
        Atom type = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        QList<Window> result;
        if (XGetWindowProperty(display, window, XInternAtom(display, property, False), 0, 1024, False,
                               XA_WINDOW, &type, &format, &count, &after, &data)
                == Success
            && data) {
            if (type == XA_WINDOW && format == 32)
                for (unsigned long i = 0; i < count; ++i)
                    result.append(reinterpret_cast<Window*>(data)[i]);
            XFree(data);
        }
        return result;
    }

    bool windowManagerRuns() const
    {
        return !windowList(DefaultRootWindow(display), "_NET_SUPPORTING_WM_CHECK").isEmpty();
    }

    // The arvex window once the window manager has framed and listed it, else 0.
    Window managedArvexWindow() const
    {
        for (Window w : windowList(DefaultRootWindow(display), "_NET_CLIENT_LIST")) {
            XClassHint hint{};
            if (!XGetClassHint(display, w, &hint))
                continue;
            const bool ours = QByteArray(hint.res_name).toLower() == "arvex";
            XFree(hint.res_name);
            XFree(hint.res_class);
            if (ours)
                return w;
        }
        return 0;
    }

    // Where the window's client area shows on the screen.
    QPoint clientOrigin(Window w) const
    {
        int x = 0;
        int y = 0;
        Window child = 0;
        XTranslateCoordinates(display, w, DefaultRootWindow(display), 0, 0, &x, &y, &child);
        return {x, y};
    }

    struct Run {
        QString left;
        QString top;
        QPoint shownAt;
    };

    // Starts arvex, waits for its framed window, closes it with Alt+F4 and
    // returns what it stored and where its window was.
    Run startAndClose()
    {
        QProcess arvex;
        arvex.setProcessEnvironment(environment());
        arvex.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        arvex.start(QStringLiteral(ARVEX_TEST_BIN_DIR "/arvex"), {});
        Window window = 0;
        const bool shown = waitFor([&] { return (window = managedArvexWindow()) != 0; });
        EXPECT_TRUE(shown) << "no arvex window appeared";
        Run run;
        if (shown) {
            run.shownAt = clientOrigin(window);
            QProcess key;
            key.setProcessEnvironment(environment());
            key.start(xdotool, {QStringLiteral("windowactivate"), QStringLiteral("--sync"),
                                QString::number(window), QStringLiteral("key"), QStringLiteral("alt+F4")});
            EXPECT_TRUE(key.waitForFinished(kWaitMs));
        }
        if (!arvex.waitForFinished(kWaitMs)) {
            ADD_FAILURE() << "arvex did not end after Alt+F4";
            stop(arvex);
        }
        EXPECT_EQ(arvex.exitCode(), 0);
        const QString ini = home.file(QStringLiteral("program/Config/arvex.ini"));
        run.left = GetPrivateProfileString(QStringLiteral("Settings"), QStringLiteral("WindowLeft"), ini);
        run.top = GetPrivateProfileString(QStringLiteral("Settings"), QStringLiteral("WindowTop"), ini);
        return run;
    }
};

TEST_F(PlacementRoundTrip, FiveStartsAndExitsKeepThePlaceTheWindowWasPut)
{
    // 100 x 80 pixels from the screen's corner; no joystick question and no
    // offer of installed emulators at start.
    home.write(QStringLiteral("program/Config/arvex.ini"),
               "[Settings]\r\nUseJoystick=0\r\nNativeEmulatorsOffered=1\r\nWindowState=0\r\nWindowX=12000\r\nWindowY=9000\r\n"
               "WindowLeft=1500\r\nWindowTop=1200\r\n");

    QList<Run> runs;
    for (int start = 1; start <= 5; ++start)
        runs.append(startAndClose());
    QString stored; // "left/top" after each exit, for the failure message
    for (const Run& run : std::as_const(runs))
        stored += run.left + u'/' + run.top + u' ';
    EXPECT_EQ(runs.first().left, QStringLiteral("1500")) << stored.toStdString();
    EXPECT_EQ(runs.first().top, QStringLiteral("1200")) << stored.toStdString();
    for (int i = 1; i < runs.size(); ++i) {
        EXPECT_EQ(runs[i].left, runs.first().left) << "start " << i + 1 << ": " << stored.toStdString();
        EXPECT_EQ(runs[i].top, runs.first().top) << "start " << i + 1 << ": " << stored.toStdString();
        EXPECT_EQ(runs[i].shownAt, runs.first().shownAt) << "start " << i + 1;
    }
}

TEST_F(PlacementRoundTrip, AFirstStartWithoutStoredPlaceKeepsTheOneItStored)
{
    home.write(QStringLiteral("program/Config/arvex.ini"),
               "[Settings]\r\nUseJoystick=0\r\nNativeEmulatorsOffered=1\r\n");

    const Run first = startAndClose();
    ASSERT_FALSE(first.top.isEmpty());
    const Run second = startAndClose();
    EXPECT_EQ(second.left, first.left);
    EXPECT_EQ(second.top, first.top);
    EXPECT_EQ(second.shownAt, first.shownAt);
}

} // namespace
