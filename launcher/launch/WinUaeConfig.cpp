#include "launch/WinUaeConfig.h"

#include "config/TextFile.h"
#include "launch/PathOps.h"
#include "library/FileNames.h"

#include <QFileInfo>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

bool hasLineBreak(const QString& s)
{
    return s.contains(u'\r') || s.contains(u'\n');
}

} // namespace

QStringList DefaultMasterConfigLines()
{
    return {QStringLiteral("fastmem_size=2"),      QStringLiteral("chipmem_size=4"),
            QStringLiteral("gfx_width=720"),       QStringLiteral("gfx_height=568"),
            QString(),                             QStringLiteral("floppy_speed=800"),
            QStringLiteral("use_gui = no"),        QStringLiteral("autoconfig = no"),
            QStringLiteral("cpu_type = 6800"),     QStringLiteral("cpu_speed = Real"),
            QStringLiteral("sound_output = exact"), QStringLiteral("sound_channels = stereo"),
            QStringLiteral("sound_bits = 16"),     QStringLiteral("bogomem_size = 1")};
}

QString GetMasterConfig(const QString& masterPath)
{
    if (masterPath.isEmpty())
        return masterPath;
    const QFileInfo fi(masterPath);
    if (fi.exists())
        return fi.isDir() ? QString() : masterPath;
    if (!TextFile::writeLinesCrLf(masterPath, DefaultMasterConfigLines()))
        return {};
    return masterPath;
}

QStringList WriteStartScriptConfig(const StartScriptConfigInput& in)
{
    QString t;
    if (!in.masterPath.isEmpty() && QFileInfo(in.masterPath).isFile()) {
        QString text;
        if (TextFile::readText(in.masterPath, text))
            for (const QString& line : TextFile::splitLines(text))
                t += kCrLf + line;
    }
    if (in.fullScreen) {
        t += kCrLf + QStringLiteral("gfx_fullscreen_amiga=True");
        t += kCrLf + QStringLiteral("gfx_fullscreen=True");
    }
    const QString kick = in.kickstartRom.trimmed();
    if (!kick.isEmpty() && !hasLineBreak(kick) && !t.contains(QLatin1String("kickstart_rom_file=")))
        t += kCrLf + QStringLiteral("kickstart_rom_file=") + kick;
    QStringList used;
    for (int i = 0; i < 5; ++i) {
        const QString& path = in.drives[size_t(i)];
        if (path.isEmpty() || hasLineBreak(path))
            continue;
        t += kCrLf + QStringLiteral("floppy%1=").arg(i) + QuoteIfNeeded(ShortPathName(path));
        used << path;
    }
    t += kCrLf;
    // The disk paths keep their own bytes (a Windows-1252 name stays one).
    TextFile::writeAtomic(in.outputPath, encodeFileName(t));
    return used;
}

QString DrivePanel::slot(int index) const
{
    return index >= 0 && index < kSlots ? m_slots[size_t(index)] : QString();
}

void DrivePanel::setSlot(int index, const QString& path)
{
    if (index >= 0 && index < kSlots)
        m_slots[size_t(index)] = path;
}

int DrivePanel::boxValue(int index) const
{
    return index >= 0 && index < kSlots ? m_boxes[size_t(index)] : 0;
}

void DrivePanel::setBoxValue(int index, int value)
{
    if (index >= 0 && index < kSlots)
        m_boxes[size_t(index)] = value;
}

void DrivePanel::clear()
{
    m_slots.fill(QString());
    m_boxes.fill(0);
}

std::array<QString, 5> DrivePanel::driveSlots() const
{
    return {m_slots[0], m_slots[1], m_slots[2], m_slots[3], m_slots[4]};
}

int DrivePanel::Check_Dfx_MouseUp(int index)
{
    if (index < 0 || index >= kSlots)
        return 0;
    if (m_slots[size_t(index)].isEmpty())
        m_boxes[size_t(index)] = 0;
    return m_boxes[size_t(index)];
}

void DrivePanel::DrivesResizeLabel_Click()
{
    if (m_autoSize) {
        m_autoSize = false;
        m_widthTwips = 480;
        m_heightTwips = 210;
        m_label = QStringLiteral(">");
    } else {
        m_autoSize = true;
        m_label = QString(10, u' ');
    }
}
