// Display modes through XRandR on a real X server (Xvfb started by the test,
// with an 800x600 mode added); skipped when Xvfb is not installed.
#include "launch/ProgramRunner.h"
#include "launch/ScreenResolution.h"

#include <QProcess>

#include <gtest/gtest.h>

// Xlib's macros clash with GoogleTest's names: Xlib comes last.
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

namespace {

class XvfbFixture : public ::testing::Test {
protected:
    QProcess server;
    QByteArray name;
    Display* display = nullptr; // kept open: the added mode lives as long as it

    void SetUp() override
    {
        const QString xvfb = FindInPath(QStringLiteral("Xvfb"));
        if (xvfb.isEmpty())
            GTEST_SKIP() << "Xvfb not installed";
        server.start(xvfb, {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                            QStringLiteral("0"), QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                            QStringLiteral("tcp")});
        QByteArray out;
        while (!out.contains('\n') && server.waitForReadyRead(10000))
            out += server.readAllStandardOutput();
        if (!out.contains('\n'))
            GTEST_SKIP() << "Xvfb did not start";
        name = ':' + out.trimmed();
        display = XOpenDisplay(name.constData());
        ASSERT_NE(display, nullptr);
    }

    void TearDown() override
    {
        if (display)
            XCloseDisplay(display);
        if (server.state() != QProcess::NotRunning) {
            server.terminate();
            server.waitForFinished(5000);
        }
    }

    // Adds an 800x600 (60 Hz) mode to the screen's output, as a monitor offering it would.
    void add800x600()
    {
        const Window root = DefaultRootWindow(display);
        XRRScreenResources* res = XRRGetScreenResourcesCurrent(display, root);
        ASSERT_NE(res, nullptr);
        ASSERT_GT(res->noutput, 0);
        char modeName[] = "800x600";
        // The VESA timing of 800x600 at 60 Hz.
        XRRModeInfo info{0, 800, 600, 40000000, 840, 968, 1056, 0, 601, 605, 628, modeName, 7, 0};
        const RRMode mode = XRRCreateMode(display, root, &info);
        XRRAddOutputMode(display, res->outputs[0], mode);
        XSync(display, False);
        XRRFreeScreenResources(res);
    }
};

TEST_F(XvfbFixture, SwitchesTo800x600AndRestoresTheRememberedMode)
{
    add800x600();
    XRandrDisplayModes modes(name);
    DisplayMode start;
    ASSERT_TRUE(modes.current(start));
    EXPECT_EQ(start.width, 1024);
    EXPECT_EQ(start.height, 768);

    ScreenResolution screen(modes);
    screen.SaveModeAndSwitch();
    EXPECT_EQ(screen.remembered().width, 1024);
    DisplayMode now;
    ASSERT_TRUE(modes.current(now));
    EXPECT_EQ(now.width, 800);
    EXPECT_EQ(now.height, 600);
    EXPECT_EQ(now.frequency, 60);

    screen.RestoreMode();
    ASSERT_TRUE(modes.current(now));
    EXPECT_EQ(now.width, 1024);
    EXPECT_EQ(now.height, 768);
}

TEST_F(XvfbFixture, WithoutAn800x600ModeNothingChanges)
{
    XRandrDisplayModes modes(name);
    EXPECT_FALSE(modes.apply(DisplayMode{800, 600, 16, 60}));
    DisplayMode none;
    EXPECT_FALSE(XRandrDisplayModes(":4711").current(none)); // no such display: nothing, no crash
    ScreenResolution screen(modes);
    screen.SaveModeAndSwitch();
    DisplayMode now;
    ASSERT_TRUE(modes.current(now));
    EXPECT_EQ(now.width, 1024);
    EXPECT_EQ(screen.lastApplied(), (DisplayMode{800, 600, 16, 60}));
}

} // namespace
