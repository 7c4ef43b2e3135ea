#pragma once
// TitleDisplay: shows the launcher's title text in the main window's caption
// and in its title label `TitleStr`. The game library writes its progress
// there ("Suche: " + pattern + CR + folder, "Saving List..", ...) and reads
// it back to restore it afterwards, so the text is kept exactly as given;
// only the drawing differs. A window caption cannot break lines: a line
// break (CR, LF or CR LF) shows there as " — ". The label shows a real line
// break. When a list rebuild ends, showTitleString puts the skin's
// `TitleString` back into the caption and both caption labels.
//
// Owned by the game-list area (the library's host); UI thread only.
#include <QString>

class MainWindow;

class TitleDisplay {
public:
    explicit TitleDisplay(MainWindow& window);

    // The title text as last given; when the window's caption was set
    // elsewhere since (the main window sets `TitleString` directly), the
    // caption's text.
    QString text() const;
    void setText(const QString& text);
    // Caption, `MyCaptionLabel` and `TitleStr` show the window's `TitleString`
    // (the built-in title while none is loaded).
    void showTitleString();

    // How `text` is drawn in a window caption, and in a label.
    static QString forWindowTitle(const QString& text);
    static QString forLabel(const QString& text);

private:
    MainWindow& m_window;
    QString m_text;
};
