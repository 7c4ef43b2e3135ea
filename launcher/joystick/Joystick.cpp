#include "joystick/Joystick.h"

#include "config/AppEnvironment.h"
#include "joystick/SdlPadSource.h"
#include "services/Prompt.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstdlib>

namespace {

qint16 toRest(qint32 axis)
{
    return qint16(std::clamp(axis - PadState::kCentre, -32768, 32767));
}

void showInitFailure()
{
    // Shown in German whatever the interface language.
    prompt().message(AppEnvironment::exeName(),
                     QStringLiteral("Direct Input konnte nicht initialisiert werden!\r"
                                    "Joystick initialisierung fehlgeschlagen."),
                     PromptIcon::Warning);
}

} // namespace

Joystick::Joystick(std::unique_ptr<PadSource> source) : m_source(std::move(source)) {}

Joystick::~Joystick()
{
    FreeJoystickDevices();
}

bool Joystick::isFilteredName(const QString& name)
{
    static const QStringList exact = {QStringLiteral("Maus"), QStringLiteral("Tastatur"),
                                      QStringLiteral("Mouse"), QStringLiteral("Keyboard")};
    return exact.contains(name) || name.startsWith(QStringLiteral("HID-"))
           || name.startsWith(QStringLiteral("C-Media")) || name.startsWith(QStringLiteral("USB To "));
}

void Joystick::InitJoysticks(JoystickOwner* owner, int threshold)
{
    // A second Init without Release starts from a clean device set.
    FreeJoystickDevices();
    OpenJoystickDevices(owner);
    m_owner = owner;
    m_threshold = qint16(std::clamp(threshold, -32768, 32767));
    CalibrateJoysticks();
}

void Joystick::ReleaseJoysticks()
{
    FreeJoystickDevices();
    m_owner = nullptr;
}

qint16 Joystick::GetJoystickCount() const
{
    return qint16(std::count_if(m_devices.begin(), m_devices.end(),
                                [this](const Device& d) { return usable(d); }));
}

QStringList Joystick::DeviceNames() const
{
    QStringList names;
    for (const Device& d : m_devices)
        names << d.name;
    return names;
}

bool Joystick::OpenJoystickDevices(JoystickOwner* owner)
{
    QString oldCaption;
    if (owner) {
        oldCaption = owner->statusCaption();
        owner->showStatusLabel();
        owner->setStatusCaption(QStringLiteral("Init Joysticks..."));
        if (QCoreApplication::instance())
            QCoreApplication::processEvents();
    }
    const auto restoreCaption = [&] {
        if (owner)
            owner->setStatusCaption(oldCaption);
    };

    if (!m_source->start()) {
        restoreCaption();
        showInitFailure();
        return false;
    }
    m_open = true;
    ++m_generation;

    const int n = std::clamp(m_source->count(), 0, 32767);
    m_devices.assign(size_t(n), Device());
    for (int i = 0; i < n; ++i) {
        Device& d = m_devices[size_t(i)];
        const QString name = m_source->name(i);
        if (!m_source->open(i)) {
            // Devices opened so far stay usable; the rest are not read.
            restoreCaption();
            showInitFailure();
            return false;
        }
        d.opened = true;
        d.name = isFilteredName(name) ? QString() : name;
        if (!d.name.isEmpty())
            d.buttonCount = std::max(0, m_source->buttonCount(i));
    }
    restoreCaption();
    return true;
}

void Joystick::CalibrateJoysticks()
{
    if (!m_open)
        return;
    m_source->update();
    for (size_t i = 0; i < m_devices.size(); ++i) {
        Device& d = m_devices[i];
        if (!usable(d))
            continue;
        PadState s;
        if (!m_source->read(int(i), s))
            s = PadState();
        d.restX = toRest(s.x);
        d.restY = toRest(s.y);
        d.restRz = toRest(s.rz);
    }
}

void Joystick::PollJoysticks()
{
    if (!m_open || !m_owner || m_polling)
        return;
    m_polling = true;
    const quint64 generation = m_generation;
    // A handler may free the devices or re-initialise them; the rest of this
    // poll then has nothing left to report.
    const auto stillValid = [&] { return m_generation == generation && m_owner; };

    m_source->update();
    const qint32 threshold = m_threshold;
    const qint32 dead = std::abs(threshold);
    for (size_t i = 0; i < m_devices.size() && stillValid(); ++i) {
        const Device d = m_devices[i];
        if (!usable(d))
            continue;
        if (!m_source->read(int(i), m_state))
            continue; // unplugged or not readable: nothing to report
        const int nr = int(i) + 1;
        const qint32 dx = (m_state.x - PadState::kCentre) - d.restX;
        const qint32 dy = (m_state.y - PadState::kCentre) - d.restY;
        if (std::abs(dx) >= std::abs(dy)) {
            if (std::abs(dx) > dead) {
                if (dx > threshold)
                    m_owner->Joystick_Right(dx, nr, 1);
                else if (dx < threshold)
                    m_owner->Joystick_Left(dx, nr, 1);
            }
        } else if (std::abs(dy) > dead) {
            if (dy > threshold)
                m_owner->Joystick_Down(dy, nr, 1);
            else if (dy < threshold)
                m_owner->Joystick_UP(dy, nr, 1);
        }
        if (!stillValid())
            break;

        const qint32 drz = (m_state.rz - PadState::kCentre) - d.restRz;
        if (std::abs(drz) > dead) {
            if (drz > 0)
                m_owner->Joystick_Right(drz, nr, 2);
            else
                m_owner->Joystick_Left(drz, nr, 2);
        }

        const int last = std::min({kMaxReportedButton, d.buttonCount, PadState::kMaxButtons});
        for (int b = 1; b <= last && stillValid(); ++b) {
            if (m_state.buttons[size_t(b - 1)] != 0)
                m_owner->Joystick_Button(nr, b);
        }
    }
    m_polling = false;
}

void Joystick::FreeJoystickDevices()
{
    if (m_open) {
        m_source->closeAll();
        m_source->stop();
    }
    m_devices.clear();
    m_open = false;
    ++m_generation;
}

Joystick& joysticks()
{
    static Joystick instance(std::make_unique<SdlPadSource>());
    return instance;
}
