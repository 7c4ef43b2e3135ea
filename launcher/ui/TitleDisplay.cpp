#include "ui/TitleDisplay.h"

#include "ui/MainWindow.h"
#include "ui/Skin.h"

#include <QLabel>

namespace {

// The whole line break, whichever convention the text uses.
QString replaceLineBreaks(QString text, const QString& with)
{
    text.replace(QStringLiteral("\r\n"), with);
    text.replace(u'\r', with);
    text.replace(u'\n', with);
    return text;
}

} // namespace

TitleDisplay::TitleDisplay(MainWindow& window) : m_window(window)
{
    // Folder names are shown as written, never read as markup.
    if (m_window.TitleStr)
        m_window.TitleStr->setTextFormat(Qt::PlainText);
}

QString TitleDisplay::forWindowTitle(const QString& text)
{
    QString shown = replaceLineBreaks(text, QStringLiteral(" — "));
    // Qt reads "[*]" in a caption as the modified-marker placeholder; doubled,
    // it shows literally.
    shown.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    return shown;
}

QString TitleDisplay::forLabel(const QString& text) { return replaceLineBreaks(text, QStringLiteral("\n")); }

QString TitleDisplay::text() const
{
    const QString caption = m_window.windowTitle();
    return caption == forWindowTitle(m_text) ? m_text : caption;
}

void TitleDisplay::setText(const QString& text)
{
    m_text = text;
    m_window.setWindowTitle(forWindowTitle(text));
    if (m_window.TitleStr)
        m_window.TitleStr->setText(forLabel(text));
}

void TitleDisplay::showTitleString()
{
    const QString title =
        m_window.TitleString.isEmpty() ? QString::fromLatin1(Skin::kDefaultTitle) : m_window.TitleString;
    setText(title);
    if (m_window.MyCaptionLabel)
        m_window.MyCaptionLabel->setText(title);
}
