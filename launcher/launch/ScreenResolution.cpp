#include "launch/ScreenResolution.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <cmath>
#include <cstdlib>

namespace {

// Xlib's default error handler ends the process; while we talk to RandR a
// failed request only marks the call as failed.
int g_xErrors = 0;
int countXError(Display*, XErrorEvent*)
{
    ++g_xErrors;
    return 0;
}

struct XSession {
    Display* display = nullptr;
    XRRScreenResources* resources = nullptr;
    XRROutputInfo* output = nullptr;
    XRRCrtcInfo* crtc = nullptr;
    RRCrtc crtcId = 0;
    int (*oldHandler)(Display*, XErrorEvent*) = nullptr;

    explicit XSession(const QByteArray& name)
    {
        if (name.isEmpty() && qEnvironmentVariableIsEmpty("DISPLAY"))
            return;
        display = XOpenDisplay(name.isEmpty() ? nullptr : name.constData());
        if (!display)
            return;
        oldHandler = XSetErrorHandler(countXError);
        g_xErrors = 0;
        int event = 0, error = 0, major = 0, minor = 0;
        if (!XRRQueryExtension(display, &event, &error) || !XRRQueryVersion(display, &major, &minor)
            || major < 1 || (major == 1 && minor < 2))
            return;
        const Window root = DefaultRootWindow(display);
        resources = XRRGetScreenResourcesCurrent(display, root);
        if (!resources)
            return;
        RROutput primary = XRRGetOutputPrimary(display, root);
        if (primary != 0) {
            output = XRRGetOutputInfo(display, resources, primary);
            if (output && output->crtc == 0) {
                XRRFreeOutputInfo(output);
                output = nullptr;
            }
        }
        for (int i = 0; !output && i < resources->noutput; ++i) {
            XRROutputInfo* info = XRRGetOutputInfo(display, resources, resources->outputs[i]);
            if (info && info->connection == RR_Connected && info->crtc != 0)
                output = info;
            else if (info)
                XRRFreeOutputInfo(info);
        }
        if (!output)
            return;
        crtcId = output->crtc;
        crtc = XRRGetCrtcInfo(display, resources, crtcId);
    }

    ~XSession()
    {
        if (crtc)
            XRRFreeCrtcInfo(crtc);
        if (output)
            XRRFreeOutputInfo(output);
        if (resources)
            XRRFreeScreenResources(resources);
        if (display) {
            XSync(display, False);
            XSetErrorHandler(oldHandler);
            XCloseDisplay(display);
        }
    }

    bool ready() const { return crtc != nullptr; }

    const XRRModeInfo* modeInfo(RRMode id) const
    {
        for (int i = 0; i < resources->nmode; ++i)
            if (resources->modes[i].id == id)
                return &resources->modes[i];
        return nullptr;
    }
};

double refreshOf(const XRRModeInfo& m)
{
    if (m.hTotal == 0 || m.vTotal == 0)
        return 0;
    return double(m.dotClock) / (double(m.hTotal) * double(m.vTotal));
}

} // namespace

XRandrDisplayModes::XRandrDisplayModes(QByteArray displayName) : m_displayName(std::move(displayName)) {}

bool XRandrDisplayModes::current(DisplayMode& mode)
{
    XSession x(m_displayName);
    if (!x.ready())
        return false;
    const XRRModeInfo* info = x.modeInfo(x.crtc->mode);
    if (!info)
        return false;
    mode.width = int(info->width);
    mode.height = int(info->height);
    mode.bits = DefaultDepth(x.display, DefaultScreen(x.display));
    mode.frequency = int(std::lround(refreshOf(*info)));
    return true;
}

bool XRandrDisplayModes::apply(const DisplayMode& mode)
{
    if (mode.width <= 0 || mode.height <= 0)
        return false;
    XSession x(m_displayName);
    if (!x.ready())
        return false;
    // The output's mode of that size with the rate closest to the one asked for.
    const XRRModeInfo* best = nullptr;
    for (int i = 0; i < x.output->nmode; ++i) {
        const XRRModeInfo* m = x.modeInfo(x.output->modes[i]);
        if (!m || int(m->width) != mode.width || int(m->height) != mode.height)
            continue;
        if (!best || std::abs(refreshOf(*m) - mode.frequency) < std::abs(refreshOf(*best) - mode.frequency))
            best = m;
    }
    if (!best)
        return false;
    if (best->id == x.crtc->mode)
        return true;

    Display* d = x.display;
    const int screen = DefaultScreen(d);
    const Window root = RootWindow(d, screen);
    const int newW = int(x.crtc->x) + mode.width;
    const int newH = int(x.crtc->y) + mode.height;
    const int oldW = DisplayWidth(d, screen);
    const int oldH = DisplayHeight(d, screen);
    const bool singleCrtc = x.resources->ncrtc == 1 || x.output->ncrtc == 1;
    auto resizeScreen = [&](int w, int h) {
        if (!singleCrtc || (w == oldW && h == oldH))
            return;
        int minW = 0, minH = 0, maxW = 0, maxH = 0;
        if (!XRRGetScreenSizeRange(d, root, &minW, &minH, &maxW, &maxH))
            return;
        if (w < minW || h < minH || w > maxW || h > maxH)
            return;
        const int mmW = oldW > 0 ? DisplayWidthMM(d, screen) * w / oldW : 0;
        const int mmH = oldH > 0 ? DisplayHeightMM(d, screen) * h / oldH : 0;
        XRRSetScreenSize(d, root, w, h, mmW, mmH);
    };
    g_xErrors = 0;
    // Grow the screen before a larger mode; shrink it after a smaller one.
    if (newW > oldW || newH > oldH)
        resizeScreen(qMax(newW, oldW), qMax(newH, oldH));
    const Status st = XRRSetCrtcConfig(d, x.resources, x.crtcId, CurrentTime, x.crtc->x, x.crtc->y,
                                       best->id, x.crtc->rotation, x.crtc->outputs, x.crtc->noutput);
    XSync(d, False);
    if (st != RRSetConfigSuccess || g_xErrors != 0)
        return false;
    if (newW < oldW || newH < oldH)
        resizeScreen(newW, newH);
    XSync(d, False);
    return true;
}

DisplayModes& systemDisplayModes()
{
    static XRandrDisplayModes modes;
    return modes;
}

void ScreenResolution::SaveModeAndSwitch()
{
    DisplayMode now;
    if (m_modes.current(now))
        m_remembered = now;
    ApplyMode(800, 600, 16, 60);
}

void ScreenResolution::RestoreMode()
{
    if (m_remembered.width <= 0 || m_remembered.height <= 0)
        return;
    ApplyMode(qint16(m_remembered.width), qint16(m_remembered.height), qint16(m_remembered.bits),
              m_remembered.frequency);
}

void ScreenResolution::ApplyMode(qint16 width, qint16 height, qint16 bits, qint32 frequency)
{
    m_lastApplied = DisplayMode{width, height, bits, frequency};
    m_modes.apply(m_lastApplied);
}
